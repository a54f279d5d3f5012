// velloran-cli's readable reports: the charts of a reading, its contacts, a group of contacts
// against another chart.

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "chart/ChartWindow.h"
#include "chart/ContactTable.h"
#include "cli/CliReport.h"

#include <algorithm>
#include "cli/CliReportParts.h"
#include "cli/CliText.h"
#include "domain/Bodies.h"
#include "domain/Text.h"
#include "domain/ZoneTable.h"

namespace velloran {

namespace {

using report::HouseBodies;
using report::ReportPosition;
using report::RetrogradePlanets;

std::string Fixed(double value, int decimals) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    return buffer;
}

// The text followed by blanks up to width characters (UTF-8 continuation bytes not counted).
std::string Padded(std::string text, std::size_t width) {
    const std::size_t chars = CharacterCount(text);
    if (chars < width) text.append(width - chars, ' ');
    return text;
}

std::string ChartText(const Reading& reading, ChartKind kind) {
    const Chart& chart = reading.chart(kind);
    const WheelHouses wheel = MakeWheelHouses(chart, BodyNaming::WheelNames);
    std::string out = std::string(kind == ChartKind::Natal ? "Natal" : "Draconic") +
                      " chart, rising sign " + std::string(kSignNames[chart.risingSign()]) + "\n";
    out += "  Body          Longitude   Position         House\n";
    for (int k = 0; k < chart.bodyCount; ++k) {
        const BodyPlace& place = chart.bodies[k];
        const std::string body(TrimBlanks(MarkedName(kBodyTitles[k], place.retrograde)));
        // A body the ephemeris could not give has no longitude to show, not "nan".
        const std::string longitude =
            std::isfinite(place.longitude) ? Fixed(place.longitude, 4) : std::string();
        out += "  " + Padded(body, 14) + Padded(longitude, 10) + "  " +
               Padded(ReportPosition(place, kind), 17) +
               (place.house ? std::to_string(place.house) : "-") + "\n";
    }
    const bool cusps = chart.houses != HouseSystem::WholeSign;
    out += cusps ? "  Houses (" + std::string(HouseSystemName(chart.houses)) +
                       " cusps, each with the sign on it):\n"
                 : std::string("  Houses (whole signs from the rising sign):\n");
    for (int h = 1; h <= 12; ++h) {
        std::string line = "    " + Padded(std::to_string(h), 3) +
                           Padded(std::string(kSignNames[chart.houseSigns[h - 1]]), 12);
        if (cusps) {
            BodyPlace cusp;
            cusp.longitude = chart.cusps[h - 1];
            cusp.sign = chart.houseSigns[h - 1];
            line += Padded(ReportPosition(cusp, kind), 17);
        }
        std::string bodies;
        for (const std::string& name : HouseBodies(wheel, h)) {
            if (!bodies.empty()) bodies += ", ";
            bodies += TrimBlanks(name);
        }
        out += line + bodies + "\n";
    }
    return out;
}

std::string AspectList(const ContactSettings& settings) {
    std::string aspects;
    for (int a = 0; a < kAspectCount; ++a) {
        if (settings.aspects & AspectBit(static_cast<Aspect>(a)))
            aspects += (aspects.empty() ? "" : ", ") + std::string(AspectName(Aspect(a)));
    }
    return aspects;
}

}  // namespace

std::string ShowText(const Reading& reading, const MonthNames& months) {
    const BirthData& b = reading.birth();
    const BirthLines lines = MakeBirthLines(b, months);
    const ZoneRowValues zone = ZoneRowAt(reading.input.zoneIndex);
    std::string out;
    out += lines.name + "\n" + lines.dateOfBirth + "\n" + lines.timeOfBirth + "\n";
    out += lines.latitude + " " + (b.LatSouth ? "South" : "North") + "\n";
    out += lines.longitude + " " + (b.LongEast ? "East" : "West") + "\n";
    out += lines.city + "\n" + lines.state + "\n" + lines.country + "\n";
    out += "Time zone: " + std::string(zone.label) + " (hours to UT " +
           std::to_string(zone.minutesToUT / 60) + ", minutes " +
           std::to_string(zone.minutesToUT % 60) + "), daylight saving " +
           (b.DaylightSaving ? "yes" : "no") + "\n";
    out += "Universal time: " + Fixed(reading.universalTimeHours, 4) +
           " h from 0h of the local date; day number from J2000.0: " + Fixed(reading.dayNumber, 6) +
           "\n";
    std::string retro;
    for (const std::string& name : RetrogradePlanets(reading))
        retro += (retro.empty() ? "" : ", ") + name;
    out += "Retrograde: " + (retro.empty() ? std::string("none") : retro) + "\n";
    // The classic report stays as it always was; the precise one says what it shows.
    if (reading.positions.precise())
        out += "Positions: " + PositionsLine(reading.positions, reading.housesNote) + "\n";
    if (!reading.note.empty()) out += "Note: " + reading.note + "\n";
    out += "\n";
    out += ChartText(reading, ChartKind::Natal) + "\n";
    out += ChartText(reading, ChartKind::Draconic);
    return out;
}

std::string ContactsText(const Reading& reading, const ContactSettings& settings) {
    const std::string aspects = AspectList(settings);
    const ContactGroup group = OwnContactGroup(reading, settings);
    const std::vector<Contact>& contacts = group.contacts;
    std::string out = "Contacts within " + JsonNumber(settings.orb) + "° (" + aspects +
                      (settings.nodePairs ? "; node pairs included" : "") +
                      "): " + (contacts.empty() ? "none" : std::to_string(contacts.size())) + "\n";
    for (const ContactRow& row : GroupRows(group)) {
        out += "  " + Padded(row.draconic, 20) + Padded(row.aspect, 14) + Padded(row.natal, 18) +
               Padded(row.orb, 8) + Padded(row.draconicPosition, 11) + row.natalPosition + "\n";
    }
    return out;
}

std::string GroupText(const ContactGroup& group, const ContactSettings& settings) {
    const std::vector<ContactRow> rows = GroupRows(group);
    const std::size_t count = rows.size();
    std::string out = group.title + ", within " + JsonNumber(settings.orb) + "° (" +
                      AspectList(settings) + "): " + (count == 0 ? "none" : std::to_string(count)) +
                      "\n";
    // The names' columns are 20 characters, wider when a name needs it ("Transiting North
    // Node"), so a space always parts a name from the aspect that follows it.
    std::size_t first = 20, third = 20;
    for (const ContactRow& row : rows) {
        const auto cells = RowCells(row);
        first = std::max(first, CharacterCount(cells[0]) + 1);
        third = std::max(third, CharacterCount(cells[2]) + 1);
    }
    for (const ContactRow& row : rows) {
        const auto cells = RowCells(row);
        out += "  " + Padded(cells[0], first) + Padded(cells[1], 14) + Padded(cells[2], third) +
               Padded(cells[3], 8) + Padded(cells[4], 11) + cells[5] + "\n";
    }
    return out;
}

void PrintNotesOnce(std::ostream& err, const std::vector<std::string>& notes) {
    std::vector<std::string> said;
    for (const std::string& note : notes) {
        if (note.empty() || std::find(said.begin(), said.end(), note) != said.end()) continue;
        said.push_back(note);
        err << kCliProgram << "note: " << note << '\n';
    }
}

namespace {
bool IsControlByte(unsigned char c) { return c < 32 || c == 127; }
}  // namespace

std::string Quoted(std::string_view text, std::size_t maxBytes) {
    std::string out = "'";
    for (std::size_t i = 0; i < text.size() && i < maxBytes; ++i) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        out.push_back(IsControlByte(c) ? '?' : static_cast<char>(c));
    }
    if (text.size() > maxBytes) out += "...";
    return out + "'";
}

std::string ShownName(std::string_view text) {
    const bool plain = std::none_of(text.begin(), text.end(), [](char c) {
        return IsControlByte(static_cast<unsigned char>(c));
    });
    return plain ? std::string(text) : Quoted(text, text.size());
}

}  // namespace velloran
