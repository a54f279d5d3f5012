#pragma once
// The legal time from the system's tz database (through Qt's QTimeZone); the header keeps Qt out
// of its users.

#include <memory>

#include "atlas/LegalTime.h"

namespace velloran {

std::unique_ptr<LegalTimeSource> MakeSystemLegalTime();

}  // namespace velloran
