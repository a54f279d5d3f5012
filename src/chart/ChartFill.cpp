// Filling the single wheel, one ring of the comparison wheel and one position column from the
// outputs of a pass, with whole-sign houses counted from the ascendant's sign.

#include "chart/ChartFill.h"

#include <array>
#include <cmath>
#include <cstddef>

#include "astro/Engine.h"
#include "astro/TimeScales.h"
#include "domain/Bodies.h"
#include "domain/Text.h"

namespace velloran {

namespace {

constexpr const char* kCrLf = "\r\n";
constexpr int kNorthNode = static_cast<int>(ChartBody::NorthNode);
constexpr int kSouthNode = static_cast<int>(ChartBody::SouthNode);
constexpr int kAscendant = static_cast<int>(ChartBody::Ascendant);
// Far more turns than a longitude from a pass can need; guards the reduction against nonsense.
constexpr int kMaxTurns = 16;

// Byte offset of the character at 0-based character index, or text.size() past the end.
std::size_t OffsetOfChar(std::string_view text, std::size_t index) {
    std::size_t pos = 0;
    for (std::size_t n = 0; n < index && pos < text.size(); ++n) {
        ++pos;
        while (pos < text.size() && IsContinuationByte(text[pos])) ++pos;
    }
    return pos;
}

// Characters start..start+count-1 (0-based), as many as there are.
std::string_view MidChars(std::string_view text, std::size_t start, std::size_t count) {
    std::size_t from = OffsetOfChar(text, start);
    std::size_t to = from + OffsetOfChar(text.substr(from), count);
    return text.substr(from, to - from);
}

int SignOfAbbrev(const SignTextList& signAbbrevs, std::string_view abbrev) {
    for (int s = 0; s < kSignCount; ++s) {
        if (signAbbrevs[s] == abbrev) return s;
    }
    return -1;
}

// What differs between the natal and the draconic fill.
struct FillTarget {
    const BodyTextList& positions;
    bool longForm;  // positions in long form (draconic) or compact form (natal)
    int firstCell;  // Planet(firstCell + k)
    Rgb houseColor;
    int firstWheelEntry;   // WheelHouseTexts entry of house 1
    int firstRingPicture;  // imgSign of house 1 on the comparison wheel
    const char* heading;
};

int SignOf(const ReadingState& state, const FillTarget& t, int body) {
    const std::string& text = t.positions[body];
    return t.longForm ? SignOfLongText(state.SignAbbrevs, text)
                      : SignOfCompactText(state.SignAbbrevs, text);
}

std::array<std::string, kSignCount> BuildSignLists(const ReadingState& state, const FillTarget& t) {
    std::array<std::string, kSignCount> lists;
    for (int k = 0; k < kAscendant; ++k) {
        int s = SignOf(state, t, k);
        if (s >= 0) lists[s] += kCrLf + state.BodyNames[k];
    }
    int asc = SignOf(state, t, kAscendant);
    if (asc >= 0) {
        lists[asc] += kCrLf;
        lists[asc] += kBodyNames[kAscendant];
    }
    return lists;
}

int RisingSign(const std::array<std::string, kSignCount>& lists) {
    for (int s = 0; s < kSignCount; ++s) {
        if (lists[s].find(kBodyNames[kAscendant]) != std::string::npos) return s;
    }
    return 0;
}

void Fill(ReadingState& state, ChartWindowModel& window, const FillTarget& t) {
    for (auto& text : window.lblNatal) text.clear();
    window.pictureInFront = ChartPicture::Single;
    for (int k = 0; k < kBodyCount; ++k) {
        std::string& cell = window.Planet[t.firstCell + k];
        if (!t.longForm) {
            cell = t.positions[k];
        } else if (std::string compact; TryCompactSignPosition(t.positions[k], &compact)) {
            cell = compact;  // a text without degree sign and apostrophe leaves the cell
        }
    }
    auto lists = BuildSignLists(state, t);
    int a = RisingSign(lists);
    for (int h = 1; h <= kSignCount; ++h) window.lblNatal[h - 1] = lists[(a + h - 1) % kSignCount];
    window.natalHouseColor = t.houseColor;
    for (int h = 1; h <= kSignCount; ++h) {
        state.WheelHouseTexts[t.firstWheelEntry + h - 1] = window.lblNatal[h - 1];
    }
    int b = SignOf(state, t, kAscendant);
    if (b >= 0) {
        for (int h = 1; h <= kSignCount; ++h) {
            int picture = (b + h - 1) % kSignCount + 1;
            window.imgSign[h - 1] = picture;
            window.imgSign[t.firstRingPicture + h - 1] = picture;
        }
    }
    window.lblType = t.heading;
}

}  // namespace

int SignOfCompactText(const SignTextList& signAbbrevs, std::string_view compactText) {
    return SignOfAbbrev(signAbbrevs, MidChars(compactText, 3, 3));
}

int SignOfLongText(const SignTextList& signAbbrevs, std::string_view longText) {
    return SignOfAbbrev(signAbbrevs, LastCharacters(longText, 3));
}

void ConvertToDraconic(ReadingState& state) {
    double node = ParseDecimalText(state.DraconicPositions[kNorthNode]);
    double shift = 360 - node;
    for (int k = 0; k < kBodyCount; ++k) {
        if (k == kNorthNode || k == kSouthNode) continue;
        double value = shift + ParseDecimalText(state.DraconicPositions[k]);
        if (!std::isfinite(value)) continue;  // a step that cannot be done leaves the entry
        for (int turn = 0; value >= 360 && turn < kMaxTurns; ++turn) value -= 360;
        if (value >= 360) value = std::fmod(value, 360.0);
        state.DraconicLongitudes[k] = value;
        state.DraconicPositions[k] = FormatSignPosition(value);
    }
    // The node is the origin of the draconic zodiac: it stands at 0° Aries, and the South Node
    // opposite it at 0° Libra. Shifted like the bodies, the South Node would miss 180 by a
    // rounding error and, when short of it, read 29° 59' 59" Vir.
    state.DraconicLongitudes[kNorthNode] = 0.0;
    state.DraconicPositions[kNorthNode] = FormatSignPosition(0.0);
    state.DraconicLongitudes[kSouthNode] = 180.0;
    state.DraconicPositions[kSouthNode] = FormatSignPosition(180.0);
}

void FillNatalChart(ReadingState& state, ChartWindowModel& window) {
    Fill(state, window, FillTarget{state.NatalPositions, false, 0, kBlack, 12, 24, "Natal"});
}

void FillDraconicChart(ReadingState& state, ChartWindowModel& window) {
    ConvertToDraconic(state);
    Fill(state, window, FillTarget{state.DraconicPositions, true, 10, kBlue, 0, 12, "Draconian"});
}

}  // namespace velloran
