#pragma once
// The precise positions of a reading: both charts from the Swiss Ephemeris, with the modern
// bodies, for the one universal time of the birth.

#include <array>

#include "domain/PositionsChoice.h"
#include "input/ReadingState.h"

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

// Julian day (universal time) of state.Birth with its zone texts and daylight saving; false when
// a zone text does not convert.
bool BirthJulianDay(const PassState& state, double* jdUt);

// Computes the natal longitudes, texts, signs and retrograde marks (from the daily motion) of
// every body of a precise chart into state, and the draconic longitudes and texts measured from
// the chosen node. The charts' body counts become kMaxBodyCount; a body the ephemeris could not
// compute (Chiron without its file) keeps a NaN longitude and no text. state.PositionsNote says
// when the files were missing or the library failed.
void RunPrecisePositions(ReadingState& state, ephemeris::SwissEphemeris& swiss, NodeKind node);

}  // namespace velloran
