#include "wheel/WheelSvg.h"
