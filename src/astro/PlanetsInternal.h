#pragma once
// The planet computation as a pass uses it: all six bodies of the element table at once, so
// that the Earth is solved once and the bodies' independent Kepler iterations overlap.

#include <array>

namespace velloran {

inline constexpr int kPassBodies = 6;  // element-table order: Mercury, Venus, Earth, Mars, ...

// Heliocentric ecliptic coordinates in AU (mean ecliptic of J2000.0).
struct HeliocentricPoint {
    double x = 0.0, y = 0.0;
};

// SolveKepler for n bodies; each nu[j] equals SolveKepler(M[j], e[j]).
void SolveKeplerTogether(const double* meanAnomaly, const double* e, double* nu, int n);

// Geocentric longitudes of the six bodies (index p; p = 2 gives the Sun) for day number d,
// degrees [0, 360), mean equinox J2000.0; each NaN when its arithmetic fails (all six when the
// Earth's does). The only computation of the planets: PlanetLongitude picks one of them.
std::array<double, kPassBodies> PlanetLongitudesAt(double d);

}  // namespace velloran
