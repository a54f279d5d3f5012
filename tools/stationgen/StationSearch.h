#pragma once
// Station search on the Swiss Ephemeris: the moments at which a planet's apparent geocentric
// ecliptic longitude stops increasing (station retrograde) or stops decreasing (station direct).

#include <cstdint>
#include <string>
#include <vector>

namespace velloran::stationgen {

// Universal Time as whole seconds since kEpochYear-kEpochMonth-1 0h UT (proleptic Gregorian).
using UtSeconds = std::int64_t;
inline constexpr int kEpochYear = 1899;
inline constexpr int kEpochMonth = 12;
inline constexpr UtSeconds kSecondsPerDay = 86400;

struct CalendarMinute {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0;
};

// Calendar date and time of a moment, cut to the minute below.
CalendarMinute ToCalendarMinute(UtSeconds t);
// Seconds from the epoch to 0h UT of January 1 of a year.
UtSeconds StartOfYear(int year);

struct StationPairMoments {
    UtSeconds retrograde;  // last whole second before the speed turns negative
    UtSeconds direct;      // last whole second before the speed turns positive again
};

// Points the Swiss Ephemeris at its files; throws unless the planetary file ephemeris answers
// (the Moshier fallback is refused).
void OpenEphemeris(const std::string& ephePath);

// Every station pair of the planet (a Swiss Ephemeris body number) whose station-retrograde
// moment lies in [from, to). The longitude speed is sampled once a day, which cannot miss a
// retrograde loop (the shortest, Mercury's, lasts about 19 days), and each sign change is bisected
// to the whole second: the true zero of the speed lies within the second after each moment.
// Throws on an ephemeris error or when two stations lie implausibly close together.
std::vector<StationPairMoments> FindStationPairs(int planet, UtSeconds from, UtSeconds to);

}  // namespace velloran::stationgen
