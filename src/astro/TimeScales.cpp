#include "astro/TimeScales.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

#include "domain/BirthData.h"
#include "domain/Text.h"

namespace velloran {

double JulianDayNumber(double month, double day, double year) {
    const double m = 12.0 * (year + 4800.0) + month - 3.0;  // months from March of year -4800
    const double x = (365.0 * m + 2.0 * (m - 12.0 * std::floor(m / 12.0)) + 7.0) / 12.0;
    double j = std::floor(x) + day + std::floor(m / 48.0) - 32083.0;  // Julian calendar
    if (j > 2299171.0) {
        j = j + std::floor(m / 4800.0) - std::floor(m / 1200.0) + 38.0;  // Gregorian from 1582
    }
    return j;
}

double DaysSinceJ2000(double year, double month, double day, double hour, double minute) {
    return 367.0 * year - std::floor(7.0 * (year + std::floor((month + 9.0) / 12.0)) / 4.0) +
           std::floor(275.0 * month / 9.0) + day - 730531.5 + (hour + minute / 60.0) / 24.0;
}

namespace {

// The zone's signed minutes split as the zone list gives them: whole hours, then the extra
// minutes with the same sign.
struct ZoneOffset {
    int hours = 0;
    int minutes = 0;
};

ZoneOffset SplitZone(int minutesToUT) { return {minutesToUT / 60, minutesToUT % 60}; }

// Days from 1970-01-01 of a proleptic Gregorian date (H. Hinnant's days_from_civil).
int64_t DaysFromCivil(int64_t y, int64_t m, int64_t d) {
    y -= m <= 2 ? 1 : 0;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(int64_t z, int64_t* y, int64_t* m, int64_t* d) {
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    *d = doy - (153 * mp + 2) / 5 + 1;
    *m = mp < 10 ? mp + 3 : mp - 9;
    *y = yoe + era * 400 + (*m <= 2 ? 1 : 0);
}

int64_t FloorDiv(int64_t a, int64_t b) {
    const int64_t q = a / b;
    return (a % b != 0 && ((a < 0) != (b < 0))) ? q - 1 : q;
}

}  // namespace

ZoneCorrected ZoneCorrectedTime(const BirthData& birth, int zoneMinutesToUT) {
    ZoneCorrected result;
    const ZoneOffset zone = SplitZone(zoneMinutesToUT);
    const double local = static_cast<double>(birth.Hour) + static_cast<double>(birth.Minute) / 60.0;
    double offset = static_cast<double>(zone.hours) + static_cast<double>(zone.minutes) / 60.0;
    if (birth.DaylightSaving) offset = offset - 1.0;  // the clock ran one hour ahead
    result.ut = local + offset;
    result.lon = static_cast<double>(birth.LonDeg) + static_cast<double>(birth.LonMin) / 60.0;
    if (birth.LongEast) result.lon = -result.lon;  // positive West
    return result;
}

CalendarMoment UniversalMoment(const BirthData& birth, int zoneMinutesToUT) {
    CalendarMoment moment;
    // A month outside 1..12 carries into the year, as a calendar date constructor does.
    const int64_t monthIndex = static_cast<int64_t>(birth.Month) - 1;
    const int64_t year = static_cast<int64_t>(birth.Year) + FloorDiv(monthIndex, 12);
    const int64_t month = monthIndex - 12 * FloorDiv(monthIndex, 12) + 1;
    const int64_t days = DaysFromCivil(year, month, 1) + birth.Day - 1;
    int64_t minutes = days * 1440 + static_cast<int64_t>(birth.Hour) * 60 + birth.Minute;
    if (birth.DaylightSaving) minutes -= 60;
    minutes += zoneMinutesToUT;

    const int64_t dayCount = FloorDiv(minutes, 1440);
    const int64_t minuteOfDay = minutes - dayCount * 1440;
    int64_t y = 0, m = 0, d = 0;
    CivilFromDays(dayCount, &y, &m, &d);
    moment.year = static_cast<int>(y);
    moment.month = static_cast<int>(m);
    moment.day = static_cast<int>(d);
    moment.hour = static_cast<int>(minuteOfDay / 60);
    moment.minute = static_cast<int>(minuteOfDay % 60);
    return moment;
}

double Normalize360Once(double x) {
    if (x < 0.0) x = x + 360.0;
    if (x > 360.0) x = x - 360.0;
    return x;
}

double Reduce2Pi(double x) {
    const double q = x / kTwoPi;
    const double t = std::trunc(q);
    double r = kTwoPi * (q - t);
    if (r < 0.0) r = r + kTwoPi;
    return r;
}

double QuadrantArcTan(double y, double x) {
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    // A non-finite input or quotient is a fault: the arc tangent must not turn it into a number.
    if (!std::isfinite(y) || !std::isfinite(x)) return kNaN;
    const double signY = y > 0.0 ? 1.0 : (y < 0.0 ? -1.0 : 0.0);
    if (x == 0.0) return y != 0.0 ? signY * kPi / 2.0 : 0.0;
    const double q = y / x;
    if (!std::isfinite(q)) return kNaN;
    if (x > 0.0) return std::atan(q);
    return (kPi - std::atan(std::fabs(q))) * signY;
}

}  // namespace velloran
