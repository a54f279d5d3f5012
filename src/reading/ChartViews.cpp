// The main window's chart buttons: natal, draconic and comparison views.

#include <string>

#include "chart/ChartFill.h"
#include "reading/Driver.h"

namespace velloran {

namespace {

// Replaces every occurrence of find, scanning from the first character; an empty find changes
// nothing.
std::string ReplaceAll(const std::string& text, const std::string& find, const std::string& with) {
    if (find.empty()) return text;
    std::string result;
    std::size_t from = 0;
    for (std::size_t at; (at = text.find(find, from)) != std::string::npos;
         from = at + find.size()) {
        result.append(text, from, at - from);
        result += with;
    }
    result.append(text, from, std::string::npos);
    return result;
}

}  // namespace

void ShowNatalView(ReadingState& state, ChartWindowModel& window) {
    window.legendsVisible = false;
    window.natalFrameLeft = kFrameLeftSingle;
    window.frameInFront = PositionFrame::Natal;
    RunPass(state, ChartKind::Natal);
    SkipOnFailure([&] { FillNatalChart(state, window); });
}

void ShowDraconicView(ReadingState& state, ChartWindowModel& window) {
    window.legendsVisible = false;
    window.natalFrameLeft = kFrameLeftSingle;
    window.frameInFront = PositionFrame::Draconic;
    RunPass(state, ChartKind::Draconic);
    SkipOnFailure([&] { FillDraconicChart(state, window); });
}

void ShowComparisonView(ReadingState& state, ChartWindowModel& window) {
    for (std::size_t i = 0; i < state.WheelHouseTexts.size(); ++i) {
        std::string text = state.WheelHouseTexts[i];
        for (int j = 0; j < kBodyCount; ++j) {
            text = ReplaceAll(text, state.BodyNames[j], state.BodyLabels[j]);
        }
        window.lblPlanets_Position[i] = text;
        state.WheelHouseTexts[i] = text;
    }
    window.lblType = "Comparison";
    window.natalFrameLeft = kFrameLeftComparison;
    window.pictureInFront = ChartPicture::Comparison;
    window.legendsVisible = true;
}

}  // namespace velloran
