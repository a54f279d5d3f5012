// The main window's chart buttons: natal, draconic and comparison views.

#include <string>

#include "chart/ChartFill.h"
#include "reading/Driver.h"

namespace velloran {

void ShowNatalView(ReadingState& state, ChartWindowModel& window) {
    window.legendsVisible = false;
    window.innerLegend.clear();
    window.natalColumnCaption.clear();
    window.natalFrameLeft = kFrameLeftSingle;
    window.frameInFront = PositionFrame::Natal;
    // The precise charts are computed once, by the calculation; the classic ones are made again.
    if (!state.Positions.precise()) RunPass(state, ChartKind::Natal);
    SkipOnFailure([&] { FillNatalChart(state, window); });
}

void ShowDraconicView(ReadingState& state, ChartWindowModel& window) {
    window.legendsVisible = false;
    window.natalFrameLeft = kFrameLeftSingle;
    window.frameInFront = PositionFrame::Draconic;
    if (!state.Positions.precise()) RunPass(state, ChartKind::Draconic);
    SkipOnFailure([&] { FillDraconicChart(state, window); });
}

void ShowComparisonView(ReadingState& state, ChartWindowModel& window) {
    // Outer ring draconic, inner ring natal, houses 1..12 each, with the short labels.
    const std::string_view ascendantLabel =
        state.BodyLabels[static_cast<int>(ChartBody::Ascendant)];
    for (int h = 1; h <= kSignCount; ++h) {
        std::string& outer = window.outerRing.texts[h - 1];
        std::string& inner = window.innerRing.texts[h - 1];
        outer = HouseText(state.DraconicChart, state.BodyLabels, ascendantLabel, h);
        inner = HouseText(state.NatalChart, state.BodyLabels, ascendantLabel, h);
        state.WheelHouseTexts[h - 1] = outer;
        state.WheelHouseTexts[kSignCount + h - 1] = inner;
    }
    // The reading's own natal chart on the inner ring (another chart may have stood there).
    window.innerLegend.clear();
    window.natalColumnCaption.clear();
    const Chart& natal = state.NatalChart;
    for (int k = 0; k < natal.bodyCount; ++k) window.natalColumn.cells[k] = state.NatalPositions[k];
    if (natal[ChartBody::Ascendant].sign >= 0) {
        for (int h = 0; h < kSignCount; ++h)
            window.innerRing.signPictures[h] = natal.houseSigns[h] + 1;
    }
    window.lblType = "Comparison";
    window.natalFrameLeft = kFrameLeftComparison;
    window.pictureInFront = ChartPicture::Comparison;
    window.legendsVisible = true;
}

}  // namespace velloran
