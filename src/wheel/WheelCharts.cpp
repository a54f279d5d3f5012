#include "wheel/WheelCharts.h"
