#include "wheel/WheelLayout.h"
