#include "glyphs/Outline.h"
