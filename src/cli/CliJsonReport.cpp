// velloran-cli's JSON reports: the charts of a reading with its contacts, a reading's contacts,
// a group of contacts against another chart.

#include <charconv>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "chart/ChartWindow.h"
#include "cli/CliReport.h"
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

std::string JsonStringArray(const std::vector<std::string>& items) {
    std::string out = "[";
    for (std::size_t i = 0; i < items.size(); ++i) out += (i ? ", " : "") + JsonString(items[i]);
    return out + "]";
}

std::string ChartJson(const Reading& reading, ChartKind kind) {
    const Chart& chart = reading.chart(kind);
    const WheelHouses wheel = MakeWheelHouses(chart, BodyNaming::WheelNames);
    std::string out = "{\n    \"risingSign\": " + JsonString(kSignNames[chart.risingSign()]) +
                      ",\n    \"bodies\": [\n";
    for (int k = 0; k < chart.bodyCount; ++k)
        out += "      " + BodyJson(reading, kind, k) + (k + 1 < chart.bodyCount ? "," : "") + "\n";
    out += "    ],\n    \"houses\": [\n";
    for (int h = 1; h <= 12; ++h) {
        out += "      {\"house\": " + std::to_string(h) +
               ", \"sign\": " + JsonString(kSignNames[chart.houseSigns[h - 1]]) +
               ", \"text\": " + JsonString(HouseText(wheel, h)) +
               ", \"bodies\": " + JsonStringArray(HouseBodies(wheel, h)) + "}" +
               (h < 12 ? "," : "") + "\n";
    }
    out += "    ]";
    // The precise charts' cusps (those used, house 1 first) and midheaven.
    if (reading.positions.precise()) {
        out += ",\n    \"cusps\": [";
        for (int h = 0; h < kSignCount; ++h) out += (h ? ", " : "") + JsonNumber(chart.cusps[h]);
        out += "],\n    \"midheaven\": " + JsonNumber(chart[ChartBody::Midheaven].longitude);
    }
    return out + "\n  }";
}

}  // namespace

std::string BodyJson(const Reading& reading, ChartKind kind, int k) {
    const BodyPlace& place = reading.chart(kind).bodies[k];
    const bool draconic = kind == ChartKind::Draconic;
    const int house = place.house;
    std::string out = "{\"body\": " + JsonString(kBodyTitles[k]) +
                      ", \"wheelName\": " + JsonString(kBodyNames[k]) +
                      ", \"label\": " + JsonString(MarkedName(kBodyLabels[k], place.retrograde)) +
                      ", \"longitude\": " + JsonNumber(place.longitude);
    // The draconic chart is measured from the node; its bodies' longitudes as computed are the
    // natal ones.
    if (draconic) out += ", \"rawLongitude\": " + JsonNumber(reading.natal.bodies[k].longitude);
    out += ", \"position\": " + JsonString(ReportPosition(place, kind));
    if (draconic) out += ", \"compactPosition\": " + JsonString(CompactPosition(place));
    return out + ", \"sign\": " + (place.sign < 0 ? "null" : JsonString(kSignNames[place.sign])) +
           ", \"house\": " + (house ? std::to_string(house) : "null") +
           ", \"retrograde\": " + (place.retrograde ? "true" : "false") + "}";
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
    if (reading.positions.precise()) {
        out += "  \"houses\": " + JsonString(HouseSystemKey(reading.positions.houses)) + ",\n";
        if (!reading.housesNote.empty())
            out += "  \"housesNote\": " + JsonString(reading.housesNote) + ",\n";
    }
    out += "  \"universalTimeHours\": " + JsonNumber(reading.universalTimeHours) + ",\n";
    out += "  \"dayNumber\": " + JsonNumber(reading.dayNumber) + ",\n";
    out += "  \"retrograde\": " + JsonStringArray(RetrogradePlanets(reading)) + ",\n";
    out += "  \"natal\": " + ChartJson(reading, ChartKind::Natal) + ",\n";
    out += "  \"draconic\": " + ChartJson(reading, ChartKind::Draconic) + ",\n";
    out += "  \"contacts\": " + ContactsJson(reading, ContactSettings{}, 4) + "\n";
    return out + "}\n";
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

std::string JsonString(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 2);
    out += '"';
    for (std::size_t i = 0; i < text.size(); ++i) {
        // A run of characters that need no escape goes in at once.
        std::size_t plain = i;
        while (plain < text.size()) {
            const auto p = static_cast<unsigned char>(text[plain]);
            if (p < 0x20 || p >= 0x7F || p == '"' || p == '\\') break;
            ++plain;
        }
        if (plain > i) {
            out.append(text.substr(i, plain - i));
            i = plain;
            if (i == text.size()) break;
        }
        const auto c = static_cast<unsigned char>(text[i]);
        // A byte that does not start valid UTF-8 (a file name's, an encoded surrogate) is
        // replaced, so the document stays readable.
        if (c >= 0x80) {
            const std::size_t length = Utf8SequenceLength(text, i);
            if (length == 0) {
                out += "\\ufffd";
            } else {
                out.append(text.substr(i, length));
                i += length - 1;
            }
            continue;
        }
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
