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
    return Normalize360Once(asc);
}

void PrepareChartInput(PassState& state) {
    const ZoneCorrected time =
        ZoneCorrectedTime(state.Birth, state.ZoneHoursToUT, state.ZoneMinutesToUT);
    if (!time.valid) return;
    const BirthData& b = state.Birth;
    double lat = static_cast<double>(b.LatDeg) + static_cast<double>(b.LatMin) / 60.0;
    if (b.LatSouth) lat = -lat;                                 // positive North
    const double j0 = JulianDayNumber(b.Month, b.Day, b.Year);  // local calendar date
    const double asc = AscendantAt(j0, time.ut, time.lon, lat);
    if (!std::isfinite(asc)) return;

    state.UniversalTimeHours = time.ut;
    const int k = static_cast<int>(ChartBody::Ascendant);
    if (state.DraconicPass) {
        state.AscendantLongitude = asc;
        state.DraconicRawLongitudes[k] = asc;
    } else {
        state.NatalLongitudes[k] = asc;
        state.NatalAscendantText = FormatSignPosition(asc);
        state.NatalAscendantSign = SignOfLongitude(asc);
    }
}

}  // namespace velloran
