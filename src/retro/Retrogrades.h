#pragma once
// Retrograde marks from constant station tables (Universal Time station moments 1900..2050).

#include <array>
#include <span>
#include <string_view>

#include "domain/Bodies.h"

namespace velloran {

// One station pair: the station-retrograde moment and the following station-direct moment,
// each as "month,day,year,hour,minute," text.
struct StationPair {
    const char* retrograde;
    const char* direct;
};

// Station table of "Mercury", "Venus", "Mars", "Jupiter" or "Saturn"; empty for any other name.
std::span<const StationPair> StationTable(std::string_view planetName);

struct StationMoment {
    int month = 0, day = 0, year = 0, hour = 0, minute = 0;
    bool operator==(const StationMoment&) const = default;
};
// Parses a station entry text; fields that do not convert read as 0.
StationMoment ParseStationEntry(std::string_view entry);

// True when the birth date lies strictly after the date of a station-retrograde moment and
// strictly before the date of the following station-direct moment (dates only, no times).
// False for any other planet name and for a date that does not exist (month 0, day 99).
bool IsRetrograde(std::string_view planetName, int year, int month, int day);

// Which bodies are retrograde on a local birth date, in ChartBody order: IsRetrograde for each
// planet that can be, false for every other body.
std::array<bool, kBodyCount> RetrogradeBodies(int year, int month, int day);

}  // namespace velloran
