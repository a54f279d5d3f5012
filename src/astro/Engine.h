#pragma once
// The classic engine: the written formulas for the Sun, Moon, planets, nodes and ascendant of a
// birth, and the helpers they are made of.

#include <array>
#include <optional>

#include "domain/BirthData.h"
#include "domain/Bodies.h"

namespace velloran {

// The classic positions of a birth: the ten longitudes in ChartBody order (degrees, the Moon
// [0, 360], the others [0, 360)), the universal time used (decimal hours from 0h of the local
// calendar date, may lie outside 0..24) and the planets' day number from J2000.0.
struct ClassicPositions {
    std::array<double, kBodyCount> longitudes{};
    double universalTimeHours = 0.0;
    double dayNumber = 0.0;
};
// Nothing when the arithmetic of any body gives a non-finite value (no birth the form accepts
// does). zoneMinutesToUT: the zone's signed minutes to add to local time to reach UT.
std::optional<ClassicPositions> ComputeClassicPositions(const BirthData& birth,
                                                        int zoneMinutesToUT);

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
// Ascendant in degrees [0, 360) for J0, UT hours, West-positive longitude and latitude (North +):
// the eastern crossing of ecliptic and horizon, within 180 degrees after the midheaven, also above
// the polar circles; NaN on failure.
double AscendantAt(double j0, double utHours, double lonWest, double latNorth);

// value rounded to 15 significant decimal digits (the nearest double to that decimal): the
// precision at which the draconic chart takes the engine's longitudes. A non-finite value is
// returned as it is.
double RoundToFifteenDigits(double value);

}  // namespace velloran
