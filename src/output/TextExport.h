#pragma once
// The 33-line text export of a reading (CR LF line ends, UTF-8); the precise positions add the
// modern bodies and the positions line.

#include <string>

#include "domain/Bodies.h"
#include "reading/Reading.h"

namespace velloran {

std::string ExportText(const Reading& reading, const MonthNames& months);

}  // namespace velloran
