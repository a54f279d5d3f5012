#pragma once
// The 33-line text export of a reading (CR LF line ends, UTF-8).

#include <string>

#include "chart/ChartFill.h"
#include "input/ReadingState.h"

namespace velloran {

std::string ExportText(const ReadingState& state, const MonthNames& months);

}  // namespace velloran
