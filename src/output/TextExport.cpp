#include "output/TextExport.h"

#include <string>

#include "chart/ChartWindow.h"
#include "domain/SignPosition.h"

namespace velloran {

namespace {

constexpr const char* kLineEnd = "\r\n";
// A separator line holds a lone carriage return, so its bytes are 13, 13, 10.
constexpr const char* kSeparatorLine = "\r\r\n";

// The natal positions in compact form, the draconic ones in long form.
void AddBodyLines(std::string& out, const Chart& chart, ChartKind kind, int first, int last) {
    for (int k = first; k < last; ++k) {
        const BodyPlace& place = chart.bodies[k];
        out += std::string(kWesternBodyNames[k]) + " " +
               (kind == ChartKind::Natal ? CompactPosition(place) : LongPosition(place)) + kLineEnd;
    }
}

// The cusps of both charts: the natal ones compact, the draconic ones long, as their bodies.
void AddCuspLines(std::string& out, const Reading& reading) {
    out += "House cusps (" + std::string(HouseSystemName(reading.natal.houses)) + ")" + kLineEnd;
    for (ChartKind kind : {ChartKind::Natal, ChartKind::Draconic}) {
        const Chart& chart = reading.chart(kind);
        for (int h = 0; h < kSignCount; ++h) {
            BodyPlace cusp;
            cusp.longitude = chart.cusps[h];
            cusp.sign = SignOfLongitude(cusp.longitude);
            out += std::string(kind == ChartKind::Natal ? "Natal " : "Draconian ") +
                   std::to_string(h + 1) + " " +
                   (kind == ChartKind::Natal ? CompactPosition(cusp) : LongPosition(cusp)) +
                   kLineEnd;
        }
    }
    out += kSeparatorLine;
}

}  // namespace

std::string ExportText(const Reading& reading, const MonthNames& months) {
    const BirthLines lines = MakeBirthLines(reading.birth(), months);
    std::string out;
    for (const std::string* line : {&lines.name, &lines.dateOfBirth, &lines.timeOfBirth})
        out += *line + kLineEnd;
    // The coordinates' lines end in a blank, as the export always had them.
    out += lines.latitude + " " + kLineEnd;
    out += lines.longitude + " " + kLineEnd;
    for (const std::string* line : {&lines.city, &lines.state, &lines.country})
        out += *line + kLineEnd;
    out += kSeparatorLine;
    out += std::string("Planetary Position (Natal)") + kLineEnd;
    AddBodyLines(out, reading.natal, ChartKind::Natal, 0, kBodyCount);
    out += kSeparatorLine;
    out += std::string("Planetary Position (Draconian)") + kLineEnd;
    AddBodyLines(out, reading.draconic, ChartKind::Draconic, 0, kBodyCount);
    out += kSeparatorLine;
    // The classic export ends here, as it always has. The precise one adds the midheaven and the
    // modern bodies (and the asteroids when asked), the cusps, and names its positions.
    if (!reading.positions.precise()) return out;
    out += std::string("Planetary Position (Natal, modern bodies)") + kLineEnd;
    AddBodyLines(out, reading.natal, ChartKind::Natal, kBodyCount, reading.natal.bodyCount);
    out += kSeparatorLine;
    out += std::string("Planetary Position (Draconian, modern bodies)") + kLineEnd;
    AddBodyLines(out, reading.draconic, ChartKind::Draconic, kBodyCount,
                 reading.draconic.bodyCount);
    out += kSeparatorLine;
    AddCuspLines(out, reading);
    out += "Positions: " + PositionsLine(reading.positions, reading.housesNote) + kLineEnd;
    if (!reading.note.empty()) out += "Note: " + reading.note + kLineEnd;
    return out;
}

}  // namespace velloran
