#include "domain/SignPosition.h"

#include <cmath>

namespace velloran {

SignParts SplitSignPosition(double x) {
    const double v = std::fabs(x);
    double degrees = std::floor(v);
    const double fraction = v - degrees;
    const double t = 60.0 * fraction;
    const double minutes = std::floor(t);
    const double seconds = std::floor(60.0 * (t - minutes));
    const double sign = std::floor(degrees / 30.0);
    // The repeated subtraction of 30 from a whole number is exact, so it equals the remainder;
    // below 2^40 the quotient above is exact too, beyond it fmod keeps any magnitude bounded.
    degrees = degrees < 1099511627776.0 ? degrees - 30.0 * sign : std::fmod(degrees, 30.0);
    // Degrees 0..29, minutes and seconds 0..59 by construction.
    return {static_cast<int>(degrees), static_cast<int>(minutes), static_cast<int>(seconds), sign};
}

int SignOfLongitude(double x) {
    if (!std::isfinite(x)) return -1;
    const double sign = SplitSignPosition(x).sign;
    return sign >= 0.0 && sign < 12.0 ? static_cast<int>(sign) : -1;
}

}  // namespace velloran
