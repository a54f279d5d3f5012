#pragma once
// The one table of each name a reading shows: bodies (ChartBody order), signs (Aries first) and
// the English month names. The engine's name tables, the retrograde marks, the fills, the
// windows and the command-line report all take their names from here.

#include <array>
#include <string_view>

#include "input/ReadingState.h"

namespace velloran {

inline constexpr int kSignCount = 12;
inline constexpr int kMonthCount = 12;

// Names on the wheels and in BodyNames, the nodes by their Indian names.
inline constexpr std::array<std::string_view, kBodyCount> kBodyNames = {
    "Sun", "Moon", "Mercury", "Venus", "Mars", "Jupiter", "Saturn", "Rahu", "Ketu", "Asc"};
// Short labels of the comparison wheel (BodyLabels).
inline constexpr std::array<std::string_view, kBodyCount> kBodyLabels = {
    "Su", "M", "Me", "V", "Ma", "J", "Sa", "N", "S", "A"};
// Names of the text export (WesternBodyNames), the nodes by their Western names.
inline constexpr std::array<std::string_view, kBodyCount> kWesternBodyNames = {
    "Sun",     "Moon",   "Mercury",    "Venus",      "Mars",
    "Jupiter", "Saturn", "North Node", "South Node", "Asc"};
// Full titles of the command-line report.
inline constexpr std::array<std::string_view, kBodyCount> kBodyTitles = {
    "Sun",     "Moon",   "Mercury",    "Venus",      "Mars",
    "Jupiter", "Saturn", "North Node", "South Node", "Ascendant"};

inline constexpr std::array<std::string_view, kSignCount> kSignNames = {
    "Aries", "Taurus",  "Gemini",      "Cancer",    "Leo",      "Virgo",
    "Libra", "Scorpio", "Sagittarius", "Capricorn", "Aquarius", "Pisces"};
// The abbreviations of the position texts and of SignAbbrevs.
inline constexpr std::array<std::string_view, kSignCount> kSignAbbreviations = {
    "Ari", "Tau", "Gem", "Can", "Leo", "Vir", "Lib", "Sco", "Sag", "Cap", "Aqu", "Pis"};

// January first; used where no regional setting gives other names.
inline constexpr std::array<std::string_view, kMonthCount> kEnglishMonthNames = {
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December"};

}  // namespace velloran
