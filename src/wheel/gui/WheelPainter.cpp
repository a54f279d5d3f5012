#include "wheel/gui/WheelPainter.h"
