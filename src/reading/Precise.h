#pragma once
// The precise positions of a reading: both charts from the Swiss Ephemeris, with the modern
// bodies, for the one universal time of the birth.

#include <array>
#include <optional>
#include <string>

#include "domain/BirthData.h"
#include "domain/Bodies.h"
#include "domain/PositionsChoice.h"

namespace velloran {

namespace ephemeris {
class SwissEphemeris;
struct Positions;
}  // namespace ephemeris

// The longitudes (ChartBody order, the South Node opposite the node; NaN for a body the ephemeris
// could not compute) and retrograde flags of the chart bodies in positions. The ascendant is
// positions.ascendant.
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

// Both charts' longitudes of a birth from the Swiss Ephemeris, in ChartBody order with the modern
// bodies (NaN for a body the ephemeris could not compute, Chiron without its file): the natal
// ones, and the draconic ones measured from the chosen node (the node exactly 0° Aries, the South
// Node 0° Libra). Retrograde flags from the daily motion. note says when the files were missing;
// error says why there are no charts when the library failed or a body other than Chiron (whose
// file is optional) could not be computed.
struct PreciseCharts {
    std::array<double, kMaxBodyCount> natal{};
    std::array<double, kMaxBodyCount> draconic{};
    std::array<bool, kMaxBodyCount> retrograde{};
    double universalTimeHours = 0.0;
    double dayNumber = 0.0;
    std::string note;
    std::string error;
};
PreciseCharts ComputePreciseCharts(const BirthInput& input, ephemeris::SwissEphemeris& swiss,
                                   NodeKind node);

}  // namespace velloran
