#pragma once
// What the degree wheel writes for each body, sign and aspect: the astrological symbol, the
// two-letter label used when no font has the symbols, and the names the SVG gives its groups.

#include <array>
#include <string_view>

#include "domain/Bodies.h"
#include "reading/Contacts.h"

namespace velloran {

// Which chart a ring of the wheel shows.
enum class WheelChart { Natal, Draconic, Other, Sky };

// Ids of the SVG groups: "natal", "draconic", "other", "sky"; "sun" ... "north-node",
// "south-node", "ascendant", "midheaven", "uranus" ... "chiron", "ceres" ... "lilith".
inline constexpr std::array<std::string_view, 4> kWheelChartIds = {"natal", "draconic", "other",
                                                                   "sky"};
inline constexpr std::array<std::string_view, kMaxBodyCount> kWheelBodyIds = {
    "sun",        "moon",       "mercury",   "venus",     "mars",   "jupiter", "saturn",
    "north-node", "south-node", "ascendant", "midheaven", "uranus", "neptune", "pluto",
    "chiron",     "ceres",      "pallas",    "juno",      "vesta",  "lilith"};
inline std::string_view WheelChartId(WheelChart chart) {
    return kWheelChartIds[static_cast<int>(chart)];
}
inline std::string_view WheelBodyId(ChartBody body) {
    return kWheelBodyIds[static_cast<int>(body)];
}

// ☉ ☽ ☿ ♀ ♂ ♃ ♄ ☊ ☋, the angles as the letters "AC" and "MC", ♅ ♆ ♇ ⚷, ⚳ ⚴ ⚵ ⚶ and the
// Black Moon Lilith ⚸.
inline constexpr std::array<std::u32string_view, kMaxBodyCount> kBodySymbols = {
    U"\u2609", U"\u263D", U"\u263F", U"\u2640", U"\u2642", U"\u2643", U"\u2644",
    U"\u260A", U"\u260B", U"AC",     U"MC",     U"\u2645", U"\u2646", U"\u2647",
    U"\u26B7", U"\u26B3", U"\u26B4", U"\u26B5", U"\u26B6", U"\u26B8"};
inline constexpr std::array<std::u32string_view, kMaxBodyCount> kBodyFallbackLabels = {
    U"Su", U"Mo", U"Me", U"Ve", U"Ma", U"Ju", U"Sa", U"NN", U"SN", U"AC",
    U"MC", U"Ur", U"Ne", U"Pl", U"Ch", U"Ce", U"Pa", U"Jn", U"Vs", U"Li"};

// ♈ to ♓, and their two-letter labels.
inline constexpr std::array<std::u32string_view, kSignCount> kSignSymbols = {
    U"\u2648", U"\u2649", U"\u264A", U"\u264B", U"\u264C", U"\u264D",
    U"\u264E", U"\u264F", U"\u2650", U"\u2651", U"\u2652", U"\u2653"};
inline constexpr std::array<std::u32string_view, kSignCount> kSignFallbackLabels = {
    U"Ar", U"Ta", U"Ge", U"Cn", U"Le", U"Vi", U"Li", U"Sc", U"Sg", U"Cp", U"Aq", U"Pi"};

// ☌ ☍ □ △ ⚹ in Aspect order, and their labels.
inline constexpr std::array<std::u32string_view, kAspectCount> kAspectSymbols = {
    U"\u260C", U"\u260D", U"\u25A1", U"\u25B3", U"\u26B9"};
inline constexpr std::array<std::u32string_view, kAspectCount> kAspectFallbackLabels = {
    U"Cj", U"Op", U"Sq", U"Tr", U"Sx"};

inline constexpr std::u32string_view kRetrogradeSymbol = U"\u211E";  // ℞
inline constexpr std::u32string_view kRetrogradeFallback = U"R";

inline std::u32string_view BodySymbol(ChartBody body, bool symbols) {
    const int i = static_cast<int>(body);
    return symbols ? kBodySymbols[i] : kBodyFallbackLabels[i];
}
inline std::u32string_view SignSymbol(int sign, bool symbols) {
    return symbols ? kSignSymbols[sign] : kSignFallbackLabels[sign];
}
inline std::u32string_view AspectSymbol(Aspect aspect, bool symbols) {
    const int i = static_cast<int>(aspect);
    return symbols ? kAspectSymbols[i] : kAspectFallbackLabels[i];
}
inline std::u32string_view RetrogradeSymbol(bool symbols) {
    return symbols ? kRetrogradeSymbol : kRetrogradeFallback;
}

}  // namespace velloran
