#pragma once
// Pieces of the planet computation shared inside the engine: the Earth's heliocentric position
// is the same for every body of one pass, so a pass computes it once.

namespace velloran {

// Heliocentric ecliptic coordinates in AU (mean ecliptic of J2000.0).
struct HeliocentricPoint {
    double x = 0.0, y = 0.0;
};

// The Earth for day number d from J2000.0; NaN coordinates when its Kepler solution fails.
HeliocentricPoint EarthPosition(double d);
// Geocentric longitude of body p (0..5, 2 = the Sun) given the Earth's position; degrees
// [0, 360), NaN on failure.
double PlanetLongitudeFrom(int p, double d, const HeliocentricPoint& earth);

}  // namespace velloran
