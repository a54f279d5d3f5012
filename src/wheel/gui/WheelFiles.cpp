#include "wheel/gui/WheelFiles.h"
