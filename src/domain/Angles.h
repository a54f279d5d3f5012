#pragma once
// Longitudes on the circle: every layer brings its degrees into [0, 360) the same way.

#include <cmath>

namespace velloran {

// degrees in [0, 360): 360 itself, and a negative value a rounding error below 0, read as 0.
inline double Degrees360(double degrees) {
    double d = std::fmod(degrees, 360.0);
    if (d < 0.0) d += 360.0;
    return d >= 360.0 ? 0.0 : d;
}

// How far `to` lies ahead of `from` along the zodiac, [0, 360).
inline double DegreesAhead(double from, double to) { return Degrees360(to - from); }

}  // namespace velloran
