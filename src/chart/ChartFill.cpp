// Filling the single wheel, one ring of the comparison wheel and one position column from the
// outputs of a pass, with whole-sign houses counted from the ascendant's sign.

#include "chart/ChartFill.h"

#include <array>
#include <cmath>
#include <cstddef>

#include "astro/Engine.h"
#include "astro/TimeScales.h"
#include "domain/Bodies.h"
#include "domain/SignPosition.h"

namespace velloran {

namespace {

constexpr const char* kCrLf = "\r\n";
constexpr int kNorthNode = static_cast<int>(ChartBody::NorthNode);
constexpr int kSouthNode = static_cast<int>(ChartBody::SouthNode);
constexpr int kAscendant = static_cast<int>(ChartBody::Ascendant);
// Far more turns than a longitude from a pass can need; guards the reduction against nonsense.
constexpr int kMaxTurns = 16;

// What differs between the natal and the draconic fill.
struct FillTarget {
    const BodyTextList& positions;
    bool longForm;  // positions in long form (draconic) or compact form (natal)
    PositionColumn ChartWindowModel::*column;
    Rgb houseColor;
    int firstWheelEntry;                  // WheelHouseTexts entry of house 1
    WheelHouses ChartWindowModel::*ring;  // the chart's ring of the comparison wheel
    const char* heading;
};

// Houses from the signs of the bodies: house 1 is the ascendant's sign, or Aries when it has
// none.
void LayHouses(Chart& chart) {
    const int ascSign = chart.bodies[kAscendant].sign;
    const int rising = ascSign >= 0 ? ascSign : 0;
    for (int h = 0; h < kSignCount; ++h) chart.houseSigns[h] = (rising + h) % kSignCount;
    for (BodyPlace& place : chart.bodies) {
        place.house = place.sign >= 0 ? (place.sign - rising + kSignCount) % kSignCount + 1 : 0;
    }
}

void Fill(ReadingState& state, ChartWindowModel& window, const FillTarget& t, Chart& chart) {
    WheelHouses& single = window.singleWheel;
    for (auto& text : single.texts) text.clear();
    window.pictureInFront = ChartPicture::Single;
    const int count = chart.bodyCount;
    window.bodyRows = count;
    for (int k = count; k < kMaxBodyCount; ++k) (window.*t.column).cells[k].clear();
    for (int k = 0; k < count; ++k) {
        std::string& cell = (window.*t.column).cells[k];
        if (!t.longForm) {
            cell = t.positions[k];
        } else if (std::string compact; TryCompactSignPosition(t.positions[k], &compact)) {
            cell = compact;  // a text without degree sign and apostrophe leaves the cell
        }
    }
    for (int k = 0; k < count; ++k) chart.bodies[k].retrograde = state.Retrograde[k];
    for (int k = count; k < kMaxBodyCount; ++k) chart.bodies[k] = BodyPlace{};
    LayHouses(chart);
    for (int h = 1; h <= kSignCount; ++h) {
        single.texts[h - 1] = HouseText(chart, state.BodyNames, kBodyNames[kAscendant], h);
    }
    window.singleWheelColor = t.houseColor;
    for (int h = 1; h <= kSignCount; ++h) {
        state.WheelHouseTexts[t.firstWheelEntry + h - 1] = single.texts[h - 1];
    }
    if (chart.bodies[kAscendant].sign >= 0) {
        for (int h = 1; h <= kSignCount; ++h) {
            int picture = chart.houseSigns[h - 1] + 1;
            single.signPictures[h - 1] = picture;
            (window.*t.ring).signPictures[h - 1] = picture;
        }
    }
    window.lblType = t.heading;
}

}  // namespace

std::string HouseText(const Chart& chart, const BodyTextList& names, std::string_view ascendantName,
                      int house) {
    std::string text;
    for (int k = 0; k < chart.bodyCount; ++k) {
        if (chart.bodies[k].house != house) continue;
        text += kCrLf;
        if (k == kAscendant) {
            text += ascendantName;
        } else {
            text += names[k];
        }
    }
    return text;
}

void ConvertToDraconic(ReadingState& state) {
    double node = ParseDecimalText(state.DraconicPositions[kNorthNode]);
    // Until a body's value is converted its entry holds a decimal text, which names no sign.
    for (BodyPlace& place : state.DraconicChart.bodies) place.sign = -1;
    double shift = 360 - node;
    for (int k = 0; k < kBodyCount; ++k) {
        if (k == kNorthNode || k == kSouthNode) continue;
        double value = shift + ParseDecimalText(state.DraconicPositions[k]);
        if (!std::isfinite(value)) continue;  // a step that cannot be done leaves the entry
        for (int turn = 0; value >= 360 && turn < kMaxTurns; ++turn) value -= 360;
        if (value >= 360) value = std::fmod(value, 360.0);
        state.DraconicLongitudes[k] = value;
        state.DraconicPositions[k] = FormatSignPosition(value);
        state.DraconicChart.bodies[k].sign = SignOfLongitude(value);
    }
    // The node is the origin of the draconic zodiac: it stands at 0° Aries, and the South Node
    // opposite it at 0° Libra. Shifted like the bodies, the South Node would miss 180 by a
    // rounding error and, when short of it, read 29° 59' 59" Vir.
    state.DraconicLongitudes[kNorthNode] = 0.0;
    state.DraconicPositions[kNorthNode] = FormatSignPosition(0.0);
    state.DraconicLongitudes[kSouthNode] = 180.0;
    state.DraconicPositions[kSouthNode] = FormatSignPosition(180.0);
    state.DraconicChart.bodies[kNorthNode].sign = SignOfLongitude(0.0);
    state.DraconicChart.bodies[kSouthNode].sign = SignOfLongitude(180.0);
    for (int k = 0; k < kBodyCount; ++k) {
        state.DraconicChart.bodies[k].longitude = state.DraconicLongitudes[k];
    }
}

void FillNatalChart(ReadingState& state, ChartWindowModel& window) {
    Chart& chart = state.NatalChart;
    for (int k = 0; k < chart.bodyCount; ++k) {
        chart.bodies[k].longitude = state.NatalLongitudes[k];
        chart.bodies[k].sign = state.NatalSigns[k];
    }
    Fill(state, window,
         FillTarget{state.NatalPositions, false, &ChartWindowModel::natalColumn, kBlack, 12,
                    &ChartWindowModel::innerRing, "Natal"},
         chart);
}

void FillDraconicChart(ReadingState& state, ChartWindowModel& window) {
    // The precise positions are measured from the node as they are computed.
    if (!state.Positions.precise()) ConvertToDraconic(state);
    Fill(state, window,
         FillTarget{state.DraconicPositions, true, &ChartWindowModel::draconicColumn, kBlue, 0,
                    &ChartWindowModel::outerRing, "Draconian"},
         state.DraconicChart);
}

}  // namespace velloran
