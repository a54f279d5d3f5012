#pragma once
// The names of a reading: bodies in chart order, signs (Aries first) and the English months, and
// which bodies can be retrograde. The engine, the station tables, the fills, the windows and the
// command-line report all take their names from here.

#include <array>
#include <string_view>

namespace velloran {

// Bodies in fixed chart order; the value is the index into every position and name list.
enum class ChartBody : int {
    Sun = 0,
    Moon,
    Mercury,
    Venus,
    Mars,
    Jupiter,
    Saturn,
    NorthNode,
    SouthNode,
    Ascendant
};
inline constexpr int kBodyCount = 10;

enum class ChartKind : int { Natal = 0, Draconic = 1 };

inline constexpr int kSignCount = 12;
inline constexpr int kMonthCount = 12;

// Names on the wheels, the nodes by their Indian names.
inline constexpr std::array<std::string_view, kBodyCount> kBodyNames = {
    "Sun", "Moon", "Mercury", "Venus", "Mars", "Jupiter", "Saturn", "Rahu", "Ketu", "Asc"};
// Short labels of the comparison wheel.
inline constexpr std::array<std::string_view, kBodyCount> kBodyLabels = {
    "Su", "M", "Me", "V", "Ma", "J", "Sa", "N", "S", "A"};
// Names of the text export, the nodes by their Western names.
inline constexpr std::array<std::string_view, kBodyCount> kWesternBodyNames = {
    "Sun",     "Moon",   "Mercury",    "Venus",      "Mars",
    "Jupiter", "Saturn", "North Node", "South Node", "Asc"};
// Full titles of the command-line report.
inline constexpr std::array<std::string_view, kBodyCount> kBodyTitles = {
    "Sun",     "Moon",   "Mercury",    "Venus",      "Mars",
    "Jupiter", "Saturn", "North Node", "South Node", "Ascendant"};

// Appended to the wheel name and the label of a retrograde planet.
inline constexpr std::string_view kRetrogradeMark = " (R) ";

// Mercury to Saturn can be found retrograde (they have station tables); the lights, the nodes
// and the ascendant never are.
constexpr bool CanBeRetrograde(ChartBody body) {
    return body >= ChartBody::Mercury && body <= ChartBody::Saturn;
}

inline constexpr std::array<std::string_view, kSignCount> kSignNames = {
    "Aries", "Taurus",  "Gemini",      "Cancer",    "Leo",      "Virgo",
    "Libra", "Scorpio", "Sagittarius", "Capricorn", "Aquarius", "Pisces"};
// The abbreviations of the position texts.
inline constexpr std::array<std::string_view, kSignCount> kSignAbbreviations = {
    "Ari", "Tau", "Gem", "Can", "Leo", "Vir", "Lib", "Sco", "Sag", "Cap", "Aqu", "Pis"};

// January first; used where no regional setting gives other names.
inline constexpr std::array<std::string_view, kMonthCount> kEnglishMonthNames = {
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December"};

}  // namespace velloran
