// The ascendant from local sidereal time (1900 epoch formula) and the birth latitude; tropical,
// no special treatment beyond the polar circles.

#include <cmath>
#include <limits>

#include "astro/Engine.h"
#include "astro/TimeScales.h"
#include "astro/TurnReduction.h"
#include "domain/SignPosition.h"

namespace velloran {

double AscendantAt(double j0, double utHours, double lonWest, double latNorth) {
    // Julian centuries from 1900 January 0.5 (JD 2415020.0).
    const double T = (j0 - 2415020.0 + utHours / 24.0 - 0.5) / 36525.0;
    // Local sidereal time in degrees: sidereal hours times 15, less the West-positive longitude.
    double theta = (6.6460656 + 2400.0513 * T + 0.0000258 * (T * T) + utHours) * 15.0 - lonWest;
    if (!std::isfinite(theta)) return std::numeric_limits<double>::quiet_NaN();
    theta = SubtractTurnsWhileAtLeast360(theta);  // negative values stay as they are
    const double ramc = theta * kDegToRad;
    const double obliquity = (23.452294 - 0.0130125 * T) * kDegToRad;
    const double y = std::cos(ramc);
    const double x = -std::sin(ramc) * std::cos(obliquity) -
                     std::sin(obliquity) * std::tan(latNorth * kDegToRad);
    double a = QuadrantArcTan(y, x);  // radians
    if (a < 0.0) a = a + kPi;
    if (y < 0.0) a = a + kPi;  // the half circle that the sign of cos RAMC demands
    double asc = a * kRadToDeg;
    if (!std::isfinite(asc)) return std::numeric_limits<double>::quiet_NaN();
    asc = SubtractTurnsWhileAtLeast360(asc);
    asc = Normalize360Once(asc);
    // Above the polar circles the formula can give the western crossing of ecliptic and horizon,
    // the descendant. The ascendant is the eastern one, within 180 degrees after the midheaven of
    // the same sidereal time and obliquity: otherwise take the point opposite.
    double mc = std::atan2(std::sin(ramc), std::cos(ramc) * std::cos(obliquity)) * kRadToDeg;
    if (mc < 0.0) mc += 360.0;
    double fromMc = std::fmod(asc - mc, 360.0);
    if (fromMc < 0.0) fromMc += 360.0;
    if (fromMc >= 180.0) {
        asc += 180.0;
        if (asc >= 360.0) asc -= 360.0;
    }
    return asc;
}

}  // namespace velloran
