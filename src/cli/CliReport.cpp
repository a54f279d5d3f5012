#include "cli/CliReport.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <vector>

#include "astro/TimeScales.h"
#include "chart/ChartFill.h"
#include "chart/ContactTable.h"
#include "cli/CliText.h"
#include "domain/Bodies.h"
#include "domain/Text.h"
#include "domain/ZoneTable.h"
#include "input/TextRules.h"

namespace velloran {

namespace {

constexpr int kAsc = static_cast<int>(ChartBody::Ascendant);

// One chart as the report shows it: the chart value and its own position texts.
struct ChartView {
    const char* title = "";
    const Chart& chart;
    const BodyTextList& position;
};

ChartView NatalView(const ReadingState& state) {
    return {"Natal", state.NatalChart, state.NatalPositions};
}

ChartView DraconicView(const ReadingState& state) {
    return {"Draconic", state.DraconicChart, state.DraconicPositions};
}

// The wheel names of the bodies in a house, in chart order (the ascendant last).
std::vector<std::string> HouseBodies(const ReadingState& state, const Chart& chart, int house) {
    std::vector<std::string> names;
    for (int k = 0; k < chart.bodyCount; ++k) {
        if (chart.bodies[k].house != house) continue;
        names.emplace_back(k == kAsc ? kBodyNames[kAsc] : std::string_view(state.BodyNames[k]));
    }
    return names;
}

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

std::string ZoneLabel(int index) {
    return index >= 0 && index < kZoneCount ? TimeZones().ZoneLabels[index] : "";
}

std::string ChartText(const ReadingState& state, const ChartView& view) {
    const Chart& chart = view.chart;
    std::string out = std::string(view.title) + " chart, rising sign " +
                      std::string(kSignNames[chart.risingSign()]) + "\n";
    out += "  Body          Longitude   Position         House\n";
    for (int k = 0; k < chart.bodyCount; ++k) {
        std::string body(kBodyTitles[k]);
        if (state.Retrograde[k]) body += " (R)";
        const int house = chart.bodies[k].house;
        out += "  " + Padded(body, 14) + Padded(Fixed(chart.bodies[k].longitude, 4), 10) + "  " +
               Padded(view.position[k], 17) + (house ? std::to_string(house) : "-") + "\n";
    }
    out += "  Houses (whole signs from the rising sign):\n";
    for (int h = 1; h <= 12; ++h) {
        std::string line = "    " + Padded(std::to_string(h), 3) +
                           Padded(std::string(kSignNames[chart.houseSigns[h - 1]]), 12);
        std::string bodies;
        for (const std::string& name : HouseBodies(state, chart, h)) {
            if (!bodies.empty()) bodies += ", ";
            bodies += TrimBlanks(name);
        }
        out += line + bodies + "\n";
    }
    return out;
}

std::vector<std::string> RetrogradePlanets(const ReadingState& state) {
    std::vector<std::string> names;
    for (int k = 0; k < state.NatalChart.bodyCount; ++k) {
        if (state.Retrograde[k]) names.emplace_back(kBodyTitles[k]);
    }
    return names;
}

std::string JsonStringArray(const std::vector<std::string>& items) {
    std::string out = "[";
    for (std::size_t i = 0; i < items.size(); ++i) out += (i ? ", " : "") + JsonString(items[i]);
    return out + "]";
}

std::string ChartJson(const ReadingState& state, const ChartView& view, bool draconic) {
    const Chart& chart = view.chart;
    std::string out = "{\n    \"risingSign\": " + JsonString(kSignNames[chart.risingSign()]) +
                      ",\n    \"bodies\": [\n";
    for (int k = 0; k < chart.bodyCount; ++k) {
        const BodyPlace& place = chart.bodies[k];
        const int house = place.house;
        out += "      {\"body\": " + JsonString(kBodyTitles[k]) +
               ", \"wheelName\": " + JsonString(state.BodyNames[k]) +
               ", \"label\": " + JsonString(state.BodyLabels[k]) +
               ", \"longitude\": " + JsonNumber(place.longitude);
        if (draconic) out += ", \"rawLongitude\": " + JsonNumber(state.DraconicRawLongitudes[k]);
        out += ", \"position\": " + JsonString(view.position[k]);
        if (draconic)
            out += ", \"compactPosition\": " + JsonString(CompactSignPosition(view.position[k]));
        out += ", \"sign\": " + (place.sign < 0 ? "null" : JsonString(kSignNames[place.sign])) +
               ", \"house\": " + (house ? std::to_string(house) : "null") +
               ", \"retrograde\": " + (state.Retrograde[k] ? "true" : "false") + "}" +
               (k + 1 < chart.bodyCount ? "," : "") + "\n";
    }
    out += "    ],\n    \"houses\": [\n";
    for (int h = 1; h <= 12; ++h) {
        out += "      {\"house\": " + std::to_string(h) +
               ", \"sign\": " + JsonString(kSignNames[chart.houseSigns[h - 1]]) +
               ", \"text\": " + JsonString(HouseText(chart, state.BodyNames, kBodyNames[kAsc], h)) +
               ", \"bodies\": " + JsonStringArray(HouseBodies(state, chart, h)) + "}" +
               (h < 12 ? "," : "") + "\n";
    }
    return out + "    ]\n  }";
}

}  // namespace

std::string ShowText(const ReadingState& state, const FormInput& form, const MonthNames& months) {
    const BirthData& b = state.Birth;
    std::string out;
    out += "Name: " + b.Name + "\n";
    out += DateOfBirthLine(b, months) + "\n";
    out += TimeOfBirthLine(b) + "\n";
    out += "Latitude: " + std::to_string(b.LatDeg) + " Degree " + std::to_string(b.LatMin) +
           " Minute " + (b.LatSouth ? "South" : "North") + "\n";
    out += "Longitude: " + std::to_string(b.LonDeg) + " Degree " + std::to_string(b.LonMin) +
           " Minute " + (b.LongEast ? "East" : "West") + "\n";
    out += "City: " + b.City + "\nState: " + b.State + "\nCountry: " + b.Country + "\n";
    out += "Time zone: " + ZoneLabel(form.zoneIndex) + " (hours to UT " + state.ZoneHoursToUT +
           ", minutes " + state.ZoneMinutesToUT + "), daylight saving " +
           (b.DaylightSaving ? "yes" : "no") + "\n";
    out += "Universal time: " + Fixed(state.UniversalTimeHours, 4) +
           " h from 0h of the local date; day number from J2000.0: " + Fixed(state.DayNumber, 6) +
           "\n";
    std::string retro;
    for (const std::string& name : RetrogradePlanets(state))
        retro += (retro.empty() ? "" : ", ") + name;
    out += "Retrograde: " + (retro.empty() ? std::string("none") : retro) + "\n";
    // The classic report stays as it always was; the precise one says what it shows.
    if (state.Positions.precise()) out += "Positions: " + PositionsLine(state.Positions) + "\n";
    if (!state.PositionsNote.empty()) out += "Note: " + state.PositionsNote + "\n";
    out += "\n";
    out += ChartText(state, NatalView(state)) + "\n";
    out += ChartText(state, DraconicView(state));
    return out;
}

std::string ShowJson(const ReadingState& state, const FormInput& form) {
    const BirthData& b = state.Birth;
    std::string out = "{\n";
    out += "  \"name\": " + JsonString(b.Name) + ",\n";
    out += "  \"birth\": {\"year\": " + std::to_string(b.Year) +
           ", \"month\": " + std::to_string(b.Month) + ", \"day\": " + std::to_string(b.Day) +
           ", \"hour\": " + std::to_string(b.Hour) + ", \"minute\": " + std::to_string(b.Minute) +
           ", \"zoneIndex\": " + std::to_string(form.zoneIndex) +
           ", \"zoneLabel\": " + JsonString(ZoneLabel(form.zoneIndex)) +
           ", \"zoneHoursToUT\": " + JsonString(state.ZoneHoursToUT) +
           ", \"zoneMinutesToUT\": " + JsonString(state.ZoneMinutesToUT) +
           ", \"daylightSaving\": " + (b.DaylightSaving ? "true" : "false") +
           ",\n    \"latitude\": {\"degrees\": " + std::to_string(b.LatDeg) +
           ", \"minutes\": " + std::to_string(b.LatMin) +
           ", \"south\": " + (b.LatSouth ? "true" : "false") + "}" +
           ", \"longitude\": {\"degrees\": " + std::to_string(b.LonDeg) +
           ", \"minutes\": " + std::to_string(b.LonMin) +
           ", \"east\": " + (b.LongEast ? "true" : "false") + "}" +
           ",\n    \"city\": " + JsonString(b.City) + ", \"state\": " + JsonString(b.State) +
           ", \"country\": " + JsonString(b.Country) + "},\n";
    out += "  \"positions\": " + JsonString(PositionsKey(state.Positions.positions)) + ",\n";
    out += "  \"node\": " + JsonString(NodeKey(state.Positions.node)) + ",\n";
    if (!state.PositionsNote.empty())
        out += "  \"positionsNote\": " + JsonString(state.PositionsNote) + ",\n";
    out += "  \"universalTimeHours\": " + JsonNumber(state.UniversalTimeHours) + ",\n";
    out += "  \"dayNumber\": " + JsonNumber(state.DayNumber) + ",\n";
    out += "  \"retrograde\": " + JsonStringArray(RetrogradePlanets(state)) + ",\n";
    out += "  \"natal\": " + ChartJson(state, NatalView(state), false) + ",\n";
    out += "  \"draconic\": " + ChartJson(state, DraconicView(state), true) + ",\n";
    out += "  \"contacts\": " + ContactsJson(state, ContactSettings{}, 4) + "\n";
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

std::string ContactsText(const ReadingState& state, const ContactSettings& settings) {
    const std::string aspects = AspectList(settings);
    const std::vector<Contact> contacts = ReadingContacts(state, settings);
    std::string out = "Contacts within " + JsonNumber(settings.orb) + "° (" + aspects +
                      (settings.nodePairs ? "; node pairs included" : "") +
                      "): " + (contacts.empty() ? "none" : std::to_string(contacts.size())) + "\n";
    for (const ContactRow& row : ContactRows(contacts, state)) {
        out += "  " + Padded(row.draconic, 20) + Padded(row.aspect, 14) + Padded(row.natal, 18) +
               Padded(row.orb, 8) + Padded(row.draconicPosition, 11) + row.natalPosition + "\n";
    }
    return out;
}

std::string ContactsJson(const ReadingState& state, const ContactSettings& settings, int indent) {
    const std::vector<Contact> contacts = ReadingContacts(state, settings);
    if (contacts.empty()) return "[]";
    const std::string blanks(static_cast<std::size_t>(indent), ' ');
    std::string out = "[\n";
    for (std::size_t i = 0; i < contacts.size(); ++i) {
        const Contact& c = contacts[i];
        out += blanks + "{\"draconic\": " +
               JsonString(state.WesternBodyNames[static_cast<int>(c.draconic)]) +
               ", \"natal\": " + JsonString(state.WesternBodyNames[static_cast<int>(c.natal)]) +
               ", \"aspect\": " + JsonString(AspectName(c.aspect)) +
               ", \"orb\": " + JsonNumber(c.orbMinutes / 60.0) + "}" +
               (i + 1 < contacts.size() ? "," : "") + "\n";
    }
    return out + std::string(blanks.size() >= 2 ? blanks.size() - 2 : 0, ' ') + "]";
}

std::string GroupText(const ContactGroup& group, const ContactSettings& settings) {
    const std::size_t count = group.rows.size();
    std::string out = group.title + ", within " + JsonNumber(settings.orb) + "° (" +
                      AspectList(settings) + "): " + (count == 0 ? "none" : std::to_string(count)) +
                      "\n";
    for (const ContactRow& row : group.rows) {
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
