#pragma once
// The precise positions of a reading: both charts from the Swiss Ephemeris, with the midheaven,
// the modern bodies and on request the asteroids and Lilith, and the house cusps of the chosen
// system, for the one universal time of the birth.

#include <array>
#include <optional>
#include <string>

#include "domain/BirthData.h"
#include "domain/Bodies.h"
#include "domain/HouseSystem.h"
#include "domain/PositionsChoice.h"

namespace velloran {

namespace ephemeris {
class SwissEphemeris;
struct Positions;
}  // namespace ephemeris

// The longitudes (ChartBody order, the South Node opposite the node; NaN for a body the ephemeris
// could not compute or was not asked for) and retrograde flags of the chart bodies in positions.
// The ascendant and the midheaven come from the houses, not from here (NaN).
struct PreciseBodies {
    std::array<double, kMaxBodyCount> longitudes{};
    std::array<bool, kMaxBodyCount> retrograde{};
};
PreciseBodies PreciseChartBodies(const ephemeris::Positions& positions);

// The note of positions the library computed without its files: which file it missed, and that
// the positions come from its less precise built-in theory.
std::string MissingFilesNote(const ephemeris::Positions& positions);

// Julian day (universal time) of a birth with its zone and daylight saving; nothing when it is
// not finite.
std::optional<double> BirthJulianDay(const BirthInput& input);

// Both charts' longitudes of a birth from the Swiss Ephemeris, in ChartBody order, bodyCount of
// them (NaN for a body the ephemeris could not compute: Chiron and the asteroids without their
// file): the natal ones, and the draconic ones measured from the chosen node (the node exactly
// 0° Aries, the South Node 0° Libra). Retrograde flags from the daily motion. The natal cusps of
// the chosen house system (Porphyry's, with fellBack, where it has none at the latitude); the
// ascendant and the midheaven are those of the houses. note says when the files were missing;
// error says why there are no charts when the library failed or a body other than Chiron and the
// asteroids (whose file is optional) could not be computed.
struct PreciseCharts {
    std::array<double, kMaxBodyCount> natal{};
    std::array<double, kMaxBodyCount> draconic{};
    std::array<bool, kMaxBodyCount> retrograde{};
    int bodyCount = kPreciseBodyCount;
    HouseSystem houses = HouseSystem::WholeSign;  // the system of the cusps
    bool fellBack = false;
    std::array<double, kSignCount> cusps{};
    double universalTimeHours = 0.0;
    double dayNumber = 0.0;
    std::string note;
    std::string error;
};
PreciseCharts ComputePreciseCharts(const BirthInput& input, ephemeris::SwissEphemeris& swiss,
                                   const PositionsChoice& choice);

}  // namespace velloran
