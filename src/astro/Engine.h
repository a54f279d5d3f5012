#pragma once
// The engine's three entry points of a calculation pass. Each reads the birth data, the zone
// texts and the pass flag from the state and writes its outputs there. A pass whose arithmetic
// produces a non-finite value is abandoned at that point and leaves the outputs it had not yet
// written as they were.

#include "astro/PassState.h"

namespace velloran {

// Ascendant: NatalAscendantText in a natal pass, AscendantLongitude in a draconic pass.
void PrepareChartInput(PassState& state);
// Moon: MoonPositionText in every pass, MoonLongitude in a draconic pass.
void RunEphemeris(PassState& state);
// Sun, planets and nodes; refills the name tables and writes NatalPositions (natal pass) or
// DraconicPositions (draconic pass, decimal longitudes).
void RunPlanetPositions(PassState& state);

// Mean orbital elements of body p (0 Mercury .. 5 Saturn, 2 Earth) for day number d from
// J2000.0: a in AU, e dimensionless, i, node, perihelion and mean longitude in radians (the mean
// longitude reduced to [0, TwoPi)). Mean elements of J2000.0, valid 1800..2050.
struct OrbitalElementSet {
    double a = 0.0, e = 0.0, i = 0.0, node = 0.0, perihelion = 0.0, meanLongitude = 0.0;
};
OrbitalElementSet OrbitalElements(int p, double d);

// True anomaly in radians [0, TwoPi) for mean anomaly M (radians) and eccentricity e, Newton's
// method to 1e-12. NaN when e lies outside [0, 1), an input is not finite or 100 iterations do
// not converge.
double SolveKepler(double meanAnomaly, double e);

// Geocentric ecliptic longitude of body p (0 Mercury, 1 Venus, 2 Earth = Sun, 3 Mars, 4 Jupiter,
// 5 Saturn) for day number d from J2000.0; degrees [0, 360), mean equinox J2000.0.
// NaN when the arithmetic fails (bad eccentricity, non-finite value) or p is no such body.
// It is the pass's own computation of all six bodies, of which it keeps one.
double PlanetLongitude(int p, double d);
// Moon's longitude in degrees [0, 360] for J0 (local date's JDN) and UT hours; NaN on failure.
double MoonLongitudeAt(double j0, double utHours);
// Mean North Node less one degree, degrees [0, 360) (a node below zero is taken a turn up), for
// day number d.
double NorthNodeLongitude(double d);
// South Node from the North Node: +180, reduced while above 360, absolute value; (0, 360].
double SouthNodeLongitude(double northNode);
// Ascendant in degrees [0, 360) for J0, UT hours, West-positive longitude and latitude (North +);
// NaN on failure.
double AscendantAt(double j0, double utHours, double lonWest, double latNorth);

// Decimal text of a longitude with at most 15 significant digits, no exponent, '.' separator,
// and the value read back from such a text (0 when it does not convert).
std::string DecimalText(double value);
double ParseDecimalText(const std::string& text, bool* ok = nullptr);

}  // namespace velloran
