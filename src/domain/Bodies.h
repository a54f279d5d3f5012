#pragma once
// The names of a reading: bodies in chart order, signs (Aries first) and the English months, and
// which bodies can be retrograde. The engine, the station tables, the fills, the windows and the
// command-line report all take their names from here.

#include <array>
#include <string>
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
    Ascendant,
    // Computed by the precise positions only: the midheaven, the modern bodies, and on request
    // the four main asteroids and the mean Black Moon Lilith (the mean lunar apogee).
    Midheaven,
    Uranus,
    Neptune,
    Pluto,
    Chiron,
    Ceres,
    Pallas,
    Juno,
    Vesta,
    Lilith
};
// The bodies of a classic chart (Sun to Ascendant); every list of a classic chart has these.
inline constexpr int kBodyCount = 10;
// The bodies of a precise chart: the classic ones, the midheaven, Uranus, Neptune, Pluto, Chiron.
inline constexpr int kPreciseBodyCount = 15;
// Every body a chart can hold: a precise chart's, then Ceres, Pallas, Juno, Vesta and Lilith.
inline constexpr int kMaxBodyCount = 20;
inline constexpr int kModernBodyCount = kPreciseBodyCount - kBodyCount;
inline constexpr int kAsteroidBodyCount = kMaxBodyCount - kPreciseBodyCount;

enum class ChartKind : int { Natal = 0, Draconic = 1 };

inline constexpr int kSignCount = 12;
inline constexpr int kMonthCount = 12;

// Names on the wheels, the nodes by their Indian names.
inline constexpr std::array<std::string_view, kMaxBodyCount> kBodyNames = {
    "Sun", "Moon",   "Mercury", "Venus", "Mars",   "Jupiter", "Saturn", "Rahu", "Ketu",  "Asc",
    "MC",  "Uranus", "Neptune", "Pluto", "Chiron", "Ceres",   "Pallas", "Juno", "Vesta", "Lilith"};
// Short labels of the comparison wheel.
inline constexpr std::array<std::string_view, kMaxBodyCount> kBodyLabels = {
    "Su", "M", "Me", "V", "Ma", "J",  "Sa", "N",  "S",  "A",
    "MC", "U", "Ne", "P", "Ch", "Ce", "Pa", "Jn", "Ve", "Li"};
// Names of the text export, the nodes by their Western names.
inline constexpr std::array<std::string_view, kMaxBodyCount> kWesternBodyNames = {
    "Sun",        "Moon",       "Mercury", "Venus", "Mars",   "Jupiter", "Saturn",
    "North Node", "South Node", "Asc",     "MC",    "Uranus", "Neptune", "Pluto",
    "Chiron",     "Ceres",      "Pallas",  "Juno",  "Vesta",  "Lilith"};
// Full titles of the command-line report.
inline constexpr std::array<std::string_view, kMaxBodyCount> kBodyTitles = {
    "Sun",        "Moon",       "Mercury",   "Venus",     "Mars",   "Jupiter", "Saturn",
    "North Node", "South Node", "Ascendant", "Midheaven", "Uranus", "Neptune", "Pluto",
    "Chiron",     "Ceres",      "Pallas",    "Juno",      "Vesta",  "Lilith"};

// Appended to the wheel name and the label of a retrograde planet where a text shows it.
inline constexpr std::string_view kRetrogradeMark = " (R) ";

// A body's name as a wheel or a label shows it: with the retrograde mark when it is retrograde.
inline std::string MarkedName(std::string_view name, bool retrograde) {
    std::string text(name);
    if (retrograde) text += kRetrogradeMark;
    return text;
}

// In a classic chart Mercury to Saturn can be found retrograde (they have station tables); the
// lights, the nodes and the ascendant never are.
constexpr bool CanBeRetrograde(ChartBody body) {
    return body >= ChartBody::Mercury && body <= ChartBody::Saturn;
}

// In a precise chart every planet, Chiron and the asteroids are marked from their daily motion;
// the lights, the nodes, the angles and the mean Lilith (whose motion is always direct) never are.
constexpr bool CanBePreciseRetrograde(ChartBody body) {
    return CanBeRetrograde(body) || (body >= ChartBody::Uranus && body <= ChartBody::Vesta);
}

// The points that are computed from the birth's place and moment rather than being bodies in
// the sky: the ascendant and the midheaven.
constexpr bool IsAngle(ChartBody body) {
    return body == ChartBody::Ascendant || body == ChartBody::Midheaven;
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

// Month names as a header line shows them, January first: the English ones, or the locale's.
using MonthNames = std::array<std::string, kMonthCount>;
inline const MonthNames& EnglishMonthNames() {
    static const MonthNames names = [] {
        MonthNames english;
        for (int m = 0; m < kMonthCount; ++m) english[m] = kEnglishMonthNames[m];
        return english;
    }();
    return names;
}

}  // namespace velloran
