#pragma once
// The charts of a calculated reading as readable text and as JSON.

#include <string>
#include "chart/ChartFill.h"

#include "chart/ChartModel.h"
#include "input/FormInput.h"
#include "input/ReadingState.h"

namespace velloran {

// state and window after CalculateReading; form holds the zone index and the hemispheres.
std::string ShowText(const ReadingState& state, const FormInput& form, const MonthNames& months);
std::string ShowJson(const ReadingState& state, const FormInput& form);

}  // namespace velloran
