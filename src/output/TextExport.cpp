#include "output/TextExport.h"

#include <string>

namespace velloran {

namespace {

constexpr const char* kLineEnd = "\r\n";
// A separator line holds a lone carriage return, so its bytes are 13, 13, 10.
constexpr const char* kSeparatorLine = "\r\r\n";

void AddBodyLines(std::string& out, const ReadingState& state, const BodyTextList& positions,
                  int first, int last) {
    for (int i = first; i < last; ++i) {
        out += state.WesternBodyNames[i] + " " + positions[i] + kLineEnd;
    }
}

}  // namespace

std::string ExportText(const ReadingState& state, const MonthNames& months) {
    const BirthData& b = state.Birth;
    std::string out;
    out += "Name: " + b.Name + kLineEnd;
    out += DateOfBirthLine(b, months) + kLineEnd;
    out += TimeOfBirthLine(b) + kLineEnd;
    out += "Latitude: " + std::to_string(b.LatDeg) + " Degree " + std::to_string(b.LatMin) +
           " Minute " + kLineEnd;
    out += "Longitude: " + std::to_string(b.LonDeg) + " Degree " + std::to_string(b.LonMin) +
           " Minute " + kLineEnd;
    out += "City: " + b.City + kLineEnd;
    out += "State: " + b.State + kLineEnd;
    out += "Country: " + b.Country + kLineEnd;
    out += kSeparatorLine;
    out += std::string("Planetary Position (Natal)") + kLineEnd;
    AddBodyLines(out, state, state.NatalPositions, 0, kBodyCount);
    out += kSeparatorLine;
    out += std::string("Planetary Position (Draconian)") + kLineEnd;
    AddBodyLines(out, state, state.DraconicPositions, 0, kBodyCount);
    out += kSeparatorLine;
    // The classic export ends here, as it always has. The precise one adds the modern bodies
    // and names its positions.
    if (!state.Positions.precise()) return out;
    out += std::string("Planetary Position (Natal, modern bodies)") + kLineEnd;
    AddBodyLines(out, state, state.NatalPositions, kBodyCount, kMaxBodyCount);
    out += kSeparatorLine;
    out += std::string("Planetary Position (Draconian, modern bodies)") + kLineEnd;
    AddBodyLines(out, state, state.DraconicPositions, kBodyCount, kMaxBodyCount);
    out += kSeparatorLine;
    out += "Positions: " + PositionsLine(state.Positions) + kLineEnd;
    if (!state.PositionsNote.empty()) out += "Note: " + state.PositionsNote + kLineEnd;
    return out;
}

}  // namespace velloran
