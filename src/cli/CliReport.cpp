#include "cli/CliReport.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <vector>

#include "chart/ChartWindow.h"
#include "chart/ContactTable.h"
#include "cli/CliText.h"
#include "domain/Bodies.h"
#include "domain/Text.h"
#include "domain/ZoneTable.h"

namespace velloran {

namespace {

constexpr int kAsc = static_cast<int>(ChartBody::Ascendant);

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

// The position text each chart's report shows: the natal chart's compact, the draconic chart's
// long.
std::string ReportPosition(const BodyPlace& place, ChartKind kind) {
    return kind == ChartKind::Natal ? CompactPosition(place) : LongPosition(place);
}

// The wheel names of the bodies in a house, in chart order, with their retrograde marks as the
// wheel shows them.
std::vector<std::string> HouseBodies(const WheelHouses& wheel, int house) {
    std::vector<std::string> names;
    for (const ChartBody body : wheel.bodies[house - 1])
        names.emplace_back(WheelBodyName(wheel, body));
    return names;
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
        out += "  " + Padded(body, 14) + Padded(Fixed(place.longitude, 4), 10) + "  " +
               Padded(ReportPosition(place, kind), 17) +
               (place.house ? std::to_string(place.house) : "-") + "\n";
    }
    out += "  Houses (whole signs from the rising sign):\n";
    for (int h = 1; h <= 12; ++h) {
        std::string line = "    " + Padded(std::to_string(h), 3) +
                           Padded(std::string(kSignNames[chart.houseSigns[h - 1]]), 12);
        std::string bodies;
        for (const std::string& name : HouseBodies(wheel, h)) {
            if (!bodies.empty()) bodies += ", ";
            bodies += TrimBlanks(name);
        }
        out += line + bodies + "\n";
    }
    return out;
}

std::vector<std::string> RetrogradePlanets(const Reading& reading) {
    std::vector<std::string> names;
    for (int k = 0; k < reading.natal.bodyCount; ++k) {
        if (reading.natal.bodies[k].retrograde) names.emplace_back(kBodyTitles[k]);
    }
    return names;
}

std::string JsonStringArray(const std::vector<std::string>& items) {
    std::string out = "[";
    for (std::size_t i = 0; i < items.size(); ++i) out += (i ? ", " : "") + JsonString(items[i]);
    return out + "]";
}

std::string ChartJson(const Reading& reading, ChartKind kind) {
    const Chart& chart = reading.chart(kind);
    const bool draconic = kind == ChartKind::Draconic;
    const WheelHouses wheel = MakeWheelHouses(chart, BodyNaming::WheelNames);
    std::string out = "{\n    \"risingSign\": " + JsonString(kSignNames[chart.risingSign()]) +
                      ",\n    \"bodies\": [\n";
    for (int k = 0; k < chart.bodyCount; ++k) {
        const BodyPlace& place = chart.bodies[k];
        const int house = place.house;
        out += "      {\"body\": " + JsonString(kBodyTitles[k]) +
               ", \"wheelName\": " + JsonString(kBodyNames[k]) +
               ", \"label\": " + JsonString(MarkedName(kBodyLabels[k], place.retrograde)) +
               ", \"longitude\": " + JsonNumber(place.longitude);
        // The draconic chart is measured from the node; its bodies' longitudes as computed are
        // the natal ones.
        if (draconic) out += ", \"rawLongitude\": " + JsonNumber(reading.natal.bodies[k].longitude);
        out += ", \"position\": " + JsonString(ReportPosition(place, kind));
        if (draconic) out += ", \"compactPosition\": " + JsonString(CompactPosition(place));
        out += ", \"sign\": " + (place.sign < 0 ? "null" : JsonString(kSignNames[place.sign])) +
               ", \"house\": " + (house ? std::to_string(house) : "null") +
               ", \"retrograde\": " + (place.retrograde ? "true" : "false") + "}" +
               (k + 1 < chart.bodyCount ? "," : "") + "\n";
    }
    out += "    ],\n    \"houses\": [\n";
    for (int h = 1; h <= 12; ++h) {
        out += "      {\"house\": " + std::to_string(h) +
               ", \"sign\": " + JsonString(kSignNames[chart.houseSigns[h - 1]]) +
               ", \"text\": " + JsonString(HouseText(wheel, h)) +
               ", \"bodies\": " + JsonStringArray(HouseBodies(wheel, h)) + "}" +
               (h < 12 ? "," : "") + "\n";
    }
    return out + "    ]\n  }";
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
    if (reading.positions.precise()) out += "Positions: " + PositionsLine(reading.positions) + "\n";
    if (!reading.note.empty()) out += "Note: " + reading.note + "\n";
    out += "\n";
    out += ChartText(reading, ChartKind::Natal) + "\n";
    out += ChartText(reading, ChartKind::Draconic);
    return out;
}

std::string ShowJson(const Reading& reading) {
    const BirthData& b = reading.birth();
    const ZoneRowValues zone = ZoneRowAt(reading.input.zoneIndex);
    std::string out = "{\n";
    out += "  \"name\": " + JsonString(b.Name) + ",\n";
    out += "  \"birth\": {\"year\": " + std::to_string(b.Year) +
           ", \"month\": " + std::to_string(b.Month) + ", \"day\": " + std::to_string(b.Day) +
           ", \"hour\": " + std::to_string(b.Hour) + ", \"minute\": " + std::to_string(b.Minute) +
           ", \"zoneIndex\": " + std::to_string(reading.input.zoneIndex) +
           ", \"zoneLabel\": " + JsonString(zone.label) +
           ", \"zoneHoursToUT\": " + std::to_string(zone.minutesToUT / 60) +
           ", \"zoneMinutesToUT\": " + std::to_string(zone.minutesToUT % 60) +
           ", \"daylightSaving\": " + (b.DaylightSaving ? "true" : "false") +
           ",\n    \"latitude\": {\"degrees\": " + std::to_string(b.LatDeg) +
           ", \"minutes\": " + std::to_string(b.LatMin) +
           ", \"south\": " + (b.LatSouth ? "true" : "false") + "}" +
           ", \"longitude\": {\"degrees\": " + std::to_string(b.LonDeg) +
           ", \"minutes\": " + std::to_string(b.LonMin) +
           ", \"east\": " + (b.LongEast ? "true" : "false") + "}" +
           ",\n    \"city\": " + JsonString(b.City) + ", \"state\": " + JsonString(b.State) +
           ", \"country\": " + JsonString(b.Country) + "},\n";
    out += "  \"positions\": " + JsonString(PositionsKey(reading.positions.positions)) + ",\n";
    out += "  \"node\": " + JsonString(NodeKey(reading.positions.node)) + ",\n";
    if (!reading.note.empty()) out += "  \"positionsNote\": " + JsonString(reading.note) + ",\n";
    out += "  \"universalTimeHours\": " + JsonNumber(reading.universalTimeHours) + ",\n";
    out += "  \"dayNumber\": " + JsonNumber(reading.dayNumber) + ",\n";
    out += "  \"retrograde\": " + JsonStringArray(RetrogradePlanets(reading)) + ",\n";
    out += "  \"natal\": " + ChartJson(reading, ChartKind::Natal) + ",\n";
    out += "  \"draconic\": " + ChartJson(reading, ChartKind::Draconic) + ",\n";
    out += "  \"contacts\": " + ContactsJson(reading, ContactSettings{}, 4) + "\n";
    return out + "}\n";
}

std::string AspectList(const ContactSettings& settings) {
    std::string aspects;
    for (int a = 0; a < kAspectCount; ++a) {
        if (settings.aspects & AspectBit(static_cast<Aspect>(a)))
            aspects += (aspects.empty() ? "" : ", ") + std::string(AspectName(Aspect(a)));
    }
    return aspects;
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

std::string ContactsJson(const Reading& reading, const ContactSettings& settings, int indent) {
    const std::vector<Contact> contacts = ReadingContacts(reading, settings);
    if (contacts.empty()) return "[]";
    const std::string blanks(static_cast<std::size_t>(indent), ' ');
    std::string out = "[\n";
    for (std::size_t i = 0; i < contacts.size(); ++i) {
        const Contact& c = contacts[i];
        out += blanks +
               "{\"draconic\": " + JsonString(kWesternBodyNames[static_cast<int>(c.draconic)]) +
               ", \"natal\": " + JsonString(kWesternBodyNames[static_cast<int>(c.natal)]) +
               ", \"aspect\": " + JsonString(AspectName(c.aspect)) +
               ", \"orb\": " + JsonNumber(c.orbMinutes / 60.0) + "}" +
               (i + 1 < contacts.size() ? "," : "") + "\n";
    }
    return out + std::string(blanks.size() >= 2 ? blanks.size() - 2 : 0, ' ') + "]";
}

std::string GroupText(const ContactGroup& group, const ContactSettings& settings) {
    const std::vector<ContactRow> rows = GroupRows(group);
    const std::size_t count = rows.size();
    std::string out = group.title + ", within " + JsonNumber(settings.orb) + "° (" +
                      AspectList(settings) + "): " + (count == 0 ? "none" : std::to_string(count)) +
                      "\n";
    for (const ContactRow& row : rows) {
        const auto cells = RowCells(row);
        out += "  " + Padded(cells[0], 20) + Padded(cells[1], 14) + Padded(cells[2], 20) +
               Padded(cells[3], 8) + Padded(cells[4], 11) + cells[5] + "\n";
    }
    return out;
}

std::string GroupJson(const ContactGroup& group, const std::string& otherKey,
                      const std::optional<std::string>& otherName) {
    if (group.contacts.empty()) return "[]";
    std::string out = "[\n";
    for (std::size_t i = 0; i < group.contacts.size(); ++i) {
        const Contact& c = group.contacts[i];
        out += "  {";
        const std::string draconic =
            "\"draconic\": " + JsonString(kWesternBodyNames[static_cast<int>(c.draconic)]);
        const std::string other =
            "\"" + otherKey + "\": " + JsonString(kWesternBodyNames[static_cast<int>(c.natal)]);
        // The order the rows read in: a transiting body first, a draconic body first otherwise.
        out += otherKey == "sky" ? other + ", " + draconic : draconic + ", " + other;
        out += ", \"aspect\": " + JsonString(AspectName(c.aspect)) +
               ", \"orb\": " + JsonNumber(c.orbMinutes / 60.0);
        if (otherName) out += ", \"other\": " + JsonString(*otherName);
        out += std::string("}") + (i + 1 < group.contacts.size() ? "," : "") + "\n";
    }
    return out + "]";
}

std::string Quoted(std::string_view text) {
    constexpr std::size_t kMax = 80;
    std::string out = "'";
    for (std::size_t i = 0; i < text.size() && i < kMax; ++i) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        out.push_back(c < 32 || c == 127 ? '?' : static_cast<char>(c));
    }
    if (text.size() > kMax) out += "...";
    return out + "'";
}

std::string JsonString(std::string_view text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (c < 0x20 || c == 0x7F) {
                    char buffer[8];
                    std::snprintf(buffer, sizeof buffer, "\\u%04x", c);
                    out += buffer;
                } else {
                    out.push_back(static_cast<char>(c));
                }
        }
    }
    return out + "\"";
}

std::string JsonNumber(double value) {
    if (!std::isfinite(value)) return "null";
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

}  // namespace velloran
