#pragma once
// Filling the chart window model from a pass's outputs.

#include <array>
#include <string>
#include <string_view>

#include "chart/ChartModel.h"
#include "input/ReadingState.h"

namespace velloran {

using MonthNames = std::array<std::string, 12>;
// English month names, used where no locale gives others.
const MonthNames& EnglishMonthNames();

// The window's load handler: header lines from the birth data and the initial arrangement
// (legends hidden, natal frame moved onto the draconic one, draconic frame in front).
void LoadChartWindow(const BirthData& birth, const MonthNames& months, ChartWindowModel& window);

// "Date of Birth: March 5, 1980" and "Time of Birth: 7 Hour 5 Minute", shared with the export.
std::string DateOfBirthLine(const BirthData& birth, const MonthNames& months);
std::string TimeOfBirthLine(const BirthData& birth);

// Converts DraconicPositions to long-form texts measured from the North Node (0° Ari for the
// node itself, 0° Lib for the South Node). Consumes its input: call once per draconic pass.
void ConvertToDraconic(ReadingState& state);

// The text of a house of a chart: a line break and a name for each body in it, in chart order
// (names[k], the ascendant as ascendantName). Empty for a house without bodies.
std::string HouseText(const Chart& chart, const BodyTextList& names, std::string_view ascendantName,
                      int house);

// The fills write the window's cells, house texts and sign pictures, and the chart value
// (state.NatalChart / state.DraconicChart) they are made from.
void FillNatalChart(ReadingState& state, ChartWindowModel& window);
// With the classic positions, runs ConvertToDraconic first.
void FillDraconicChart(ReadingState& state, ChartWindowModel& window);

}  // namespace velloran
