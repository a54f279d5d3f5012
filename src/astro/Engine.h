#pragma once
// The engine's three entry points of a calculation pass. Each reads the birth data, the zone
// texts and the pass flag from the state and writes its outputs there. A pass whose arithmetic
// produces a non-finite value is abandoned at that point and leaves the outputs it had not yet
// written as they were.

#include "input/ReadingState.h"

namespace velloran {

// Ascendant: NatalAscendantText in a natal pass, AscendantLongitude in a draconic pass.
void PrepareChartInput(ReadingState& state);
// Moon: MoonPositionText in every pass, MoonLongitude in a draconic pass.
void RunEphemeris(ReadingState& state);
// Sun, planets and nodes; refills the name tables and writes NatalPositions (natal pass) or
// DraconicPositions (draconic pass, decimal longitudes).
void RunPlanetPositions(ReadingState& state);

// Geocentric ecliptic longitude of body p (0 Mercury, 1 Venus, 2 Earth = Sun, 3 Mars, 4 Jupiter,
// 5 Saturn) for day number d from J2000.0; degrees [0, 360), mean equinox J2000.0.
double PlanetLongitude(int p, double d);
// Moon's longitude in degrees [0, 360] for J0 (local date's JDN) and UT hours.
double MoonLongitudeAt(double j0, double utHours);
// Mean North Node less one degree, degrees [-1, 359), for day number d.
double NorthNodeLongitude(double d);
// Ascendant in degrees [0, 360) for J0, UT hours, West-positive longitude and latitude (North +).
double AscendantAt(double j0, double utHours, double lonWest, double latNorth);

// Decimal text of a longitude with at most 15 significant digits, no exponent, '.' separator,
// and the value read back from such a text (0 when it does not convert).
std::string DecimalText(double value);
double ParseDecimalText(const std::string& text, bool* ok = nullptr);

}  // namespace velloran
