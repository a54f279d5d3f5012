#pragma once
// A longitude split into its sign and its degrees, minutes and seconds within the sign.

namespace velloran {

// Degrees within the sign 0..29, minutes and seconds 0..59 (truncated) and the sign index of |x|
// degrees; sign 0..11 names a sign, 12 and more (from 360 on) none.
struct SignParts {
    int degrees = 0, minutes = 0, seconds = 0;
    double sign = 0.0;
};
SignParts SplitSignPosition(double x);

// Sign 0..11 (Aries first) of a longitude in degrees as its position text names it, -1 when the
// text names none (360 and beyond, or not finite).
int SignOfLongitude(double x);

}  // namespace velloran
