#pragma once
// The charts of a calculated reading as readable text and as JSON.

#include <string>
#include "chart/ChartFill.h"

#include "chart/ChartModel.h"
#include "input/FormInput.h"
#include "input/ReadingState.h"

namespace velloran {

// state and window after CalculateReading (houses, rising signs and retrograde marks are read
// from what the calculation and the fills recorded there); form holds the zone index.
std::string ShowText(const ReadingState& state, const ChartWindowModel& window,
                     const FormInput& form, const MonthNames& months);
std::string ShowJson(const ReadingState& state, const ChartWindowModel& window,
                     const FormInput& form);

}  // namespace velloran
