#pragma once
// Calendar and time-scale conversions, angle reductions and the two position text forms.
// All arithmetic is IEEE double in the order the comments give; results must not change.

#include <string>
#include <string_view>

namespace velloran {

struct BirthData;

inline constexpr double kDegToRad = 0.0174532925199433;
inline constexpr double kRadToDeg = 57.2957795130823;
inline constexpr double kPi = 3.14159265358979;
inline constexpr double kTwoPi = 6.28318530717958;

// Julian Day Number of a calendar date (Julian calendar up to 1582-10-04, Gregorian after);
// an integral value. 2000-01-01 gives 2451545.
double JulianDayNumber(double month, double day, double year);

// Days since 2000-01-01 12h UT, fractional; Gregorian without century rule (exact 1901..2099).
double DaysSinceJ2000(double year, double month, double day, double hour, double minute);

// Universal time of birth in decimal hours from 0h of the local calendar date (not wrapped into
// 0..24) and the engine's signed longitude (degrees, positive West). zoneMinutesToUT is the
// zone's signed minutes to add to local time (300 for EST); daylight saving is applied, so every
// body uses one moment.
struct ZoneCorrected {
    double ut = 0.0;
    double lon = 0.0;
};
ZoneCorrected ZoneCorrectedTime(const BirthData& birth, int zoneMinutesToUT);

// The same moment as a whole-minute calendar date and time with full Gregorian carry.
struct CalendarMoment {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0;
    bool operator==(const CalendarMoment&) const = default;
};
CalendarMoment UniversalMoment(const BirthData& birth, int zoneMinutesToUT);

// One correction each way: x < 0 gets +360, then x > 360 gets -360 (360 stays 360).
double Normalize360Once(double x);
// Angle in radians reduced to [0, TwoPi) by truncated quotient.
double Reduce2Pi(double x);
// Two-argument arc tangent with this program's quadrant rules (y = 0 gives 0 for any x).
double QuadrantArcTan(double y, double x);

// Long form: "D° M' S\" Abb" from |x| degrees, truncating; empty abbreviation from 360 on.
// A non-finite x gives an empty text (the engine never passes one).
std::string FormatSignPosition(double x);
// Compact form "DD Abb MM" of |x| degrees, the same as CompactSignPosition(FormatSignPosition(x))
// without the long form in between; empty for a non-finite x.
std::string CompactPosition(double x);
// Compact form "DD Abb MM" from a long-form text; empty when the text has no "°", no "'" after
// it (see TryCompactSignPosition).
std::string CompactSignPosition(std::string_view longForm);
// The same, false when the text lacks the degree sign or the apostrophe after it: the fault
// that abandons a pass.
bool TryCompactSignPosition(std::string_view longForm, std::string* compact);

}  // namespace velloran
