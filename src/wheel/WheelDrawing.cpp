#include "wheel/WheelDrawing.h"
