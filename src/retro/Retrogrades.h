#pragma once
// Retrograde marks from constant station tables (Universal Time station moments 1900..2050).

#include <array>
#include <span>

#include "domain/Bodies.h"

namespace velloran {

// A station moment in Universal Time, to the minute.
struct StationMoment {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0;
    constexpr bool operator==(const StationMoment&) const = default;
};

// One station pair: the station-retrograde moment and the following station-direct moment.
struct StationPair {
    StationMoment retrograde, direct;
};

// Station table of Mercury, Venus, Mars, Jupiter or Saturn, in time order; empty for any other
// body.
std::span<const StationPair> StationTable(ChartBody body);

// True when the birth date lies strictly after the date of a station-retrograde moment and
// strictly before the date of the following station-direct moment (dates only, no times).
// False for a body without a station table and for a date that does not exist (month 0, day 99).
bool IsRetrograde(ChartBody body, int year, int month, int day);

// Which bodies are retrograde on a local birth date, in ChartBody order: IsRetrograde for each
// planet that can be, false for every other body.
std::array<bool, kBodyCount> RetrogradeBodies(int year, int month, int day);

}  // namespace velloran
