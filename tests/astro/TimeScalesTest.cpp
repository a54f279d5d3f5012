// Calendar day counts, the birth's universal time, angle helpers and the arc tangent.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>
#include <string>

#include "AstroTestSupport.h"
#include "astro/TimeScales.h"

namespace velloran {
namespace {

using testing::BirthSpec;
using testing::MakeBirth;

}  // namespace

void PrintTo(const CalendarMoment& m, std::ostream* os) {
    *os << m.year << "-" << m.month << "-" << m.day << " " << m.hour << ":" << m.minute;
}

namespace {

struct JdnCase {
    const char* name;
    int year, month, day;
    double expected;
};

class JulianDayNumberTest : public ::testing::TestWithParam<JdnCase> {};

TEST_P(JulianDayNumberTest, GivesTheDayNumber) {
    const JdnCase& c = GetParam();
    EXPECT_EQ(JulianDayNumber(c.month, c.day, c.year), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Dates, JulianDayNumberTest,
                         ::testing::Values(JdnCase{"j2000_new_year", 2000, 1, 1, 2451545.0},
                                           JdnCase{"leap_day_2000", 2000, 2, 29, 2451604.0},
                                           JdnCase{"leap_year_1904_end", 1904, 12, 31, 2416846.0},
                                           JdnCase{"julian_calendar_1582", 1582, 10, 4, 2299160.0},
                                           JdnCase{"sputnik_1957", 1957, 10, 4, 2436116.0},
                                           JdnCase{"year_1900_not_leap", 1900, 3, 1, 2415080.0},
                                           JdnCase{"form_last_year", 2050, 12, 31, 2470172.0}),
                         [](const auto& info) { return std::string(info.param.name); });

struct DaysCase {
    const char* name;
    int year, month, day, hour, minute;
    double expected;
};

class DaysSinceJ2000Test : public ::testing::TestWithParam<DaysCase> {};

TEST_P(DaysSinceJ2000Test, CountsFromJ2000Noon) {
    const DaysCase& c = GetParam();
    EXPECT_EQ(DaysSinceJ2000(c.year, c.month, c.day, c.hour, c.minute), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Moments, DaysSinceJ2000Test,
    ::testing::Values(DaysCase{"j2000_midnight", 2000, 1, 1, 0, 0, -0.5},
                      DaysCase{"j2000_noon", 2000, 1, 1, 12, 0, 0.0},
                      DaysCase{"worked_1980", 1980, 1, 15, 15, 30, -7290.854166666667},
                      DaysCase{"after_leap_day_2000", 2000, 3, 1, 12, 0, 60.0},
                      DaysCase{"after_leap_day_1904", 1904, 3, 1, 12, 0, -35004.0},
                      DaysCase{"form_first_day", 1905, 1, 1, 12, 0, -34698.0}),
    [](const auto& info) { return std::string(info.param.name); });

// Day counts agree with the Julian Day Number for every month start of the form's years.
TEST(DaysSinceJ2000, MatchesJulianDayNumberThroughoutFormYears) {
    for (int year = 1905; year <= 2050; ++year) {
        for (int month = 1; month <= 12; ++month) {
            EXPECT_EQ(DaysSinceJ2000(year, month, 1, 12, 0),
                      JulianDayNumber(month, 1, year) - 2451545.0)
                << year << "-" << month;
        }
    }
}

// With the hemisphere and the zone agreeing and no daylight saving, the signed zone gives
// bit for bit the time of "local - zone" east of Greenwich and "local + zone" west of it.
TEST(ZoneCorrectedTime, EqualsHemisphereFormulaWhenHemisphereAndZoneAgree) {
    for (const auto& row : testing::kZoneRows) {
        const int hours = row.hours, minutes = row.minutes;
        const bool east = hours < 0 || minutes < 0;
        for (int hour : {0, 7, 13, 23}) {
            for (int minute : {0, 17, 59}) {
                BirthSpec spec{1980,
                               6,
                               1,
                               hour,
                               minute,
                               12,
                               34,
                               east,
                               0,
                               0,
                               false,
                               false,
                               row.hours * 60 + row.minutes};
                const ZoneCorrected zc = ZoneCorrectedTime(MakeBirth(spec), spec.zoneMinutesToUT);
                const double local = hour + minute / 60.0;
                const double zone = std::abs(hours) + std::abs(minutes) / 60.0;
                const double written = east ? local - zone : local + zone;
                EXPECT_TRUE(testing::SameBits(zc.ut, written))
                    << row.hours << "," << row.minutes << " " << hour << ":" << minute;
                EXPECT_EQ(zc.lon, east ? -(12 + 34 / 60.0) : 12 + 34 / 60.0);
            }
        }
    }
}

struct UtCase {
    const char* name;
    BirthSpec birth;
    double ut;              // hours from 0h of the local date
    CalendarMoment moment;  // the same moment as a calendar date
};

class UniversalTimeTest : public ::testing::TestWithParam<UtCase> {};

TEST_P(UniversalTimeTest, OneMomentForEveryBody) {
    const UtCase& c = GetParam();
    const BirthData birth = MakeBirth(c.birth);
    const ZoneCorrected zc = ZoneCorrectedTime(birth, c.birth.zoneMinutesToUT);
    EXPECT_DOUBLE_EQ(zc.ut, c.ut);
    EXPECT_EQ(UniversalMoment(birth, c.birth.zoneMinutesToUT), c.moment);
}

INSTANTIATE_TEST_SUITE_P(
    Births, UniversalTimeTest,
    ::testing::Values(
        UtCase{"new_york_worked_example", testing::NewYork1980(), 15.5, {1980, 1, 15, 15, 30}},
        UtCase{"east_longitude_west_zone",
               {1980, 1, 15, 10, 30, 74, 0, true, 40, 43, false, false, 300},
               15.5,
               {1980, 1, 15, 15, 30}},
        UtCase{"madrid_cet_west",
               {1975, 5, 20, 12, 0, 3, 42, false, 40, 25, false, false, -60},
               11.0,
               {1975, 5, 20, 11, 0}},
        UtCase{"daylight_saving_west",
               {1990, 7, 4, 14, 0, 74, 0, false, 40, 43, false, true, 300},
               18.0,
               {1990, 7, 4, 18, 0}},
        UtCase{"daylight_saving_east",
               {1990, 7, 4, 14, 0, 13, 24, true, 52, 31, false, true, -60},
               12.0,
               {1990, 7, 4, 12, 0}},
        UtCase{"late_evening_west_next_day",
               {1985, 3, 10, 23, 30, 74, 0, false, 40, 43, false, false, 300},
               28.5,
               {1985, 3, 11, 4, 30}},
        UtCase{"early_morning_east_day_before",
               {1985, 3, 10, 2, 15, 77, 13, true, 28, 36, false, false, -330},
               -3.25,
               {1985, 3, 9, 20, 45}},
        UtCase{"newfoundland_half_hour",
               {1960, 8, 1, 9, 45, 52, 43, false, 47, 34, false, false, 210},
               13.25,
               {1960, 8, 1, 13, 15}},
        UtCase{"into_new_year",
               {1999, 12, 31, 22, 0, 118, 15, false, 34, 3, false, false, 480},
               30.0,
               {2000, 1, 1, 6, 0}},
        UtCase{"back_over_new_year",
               {2000, 1, 1, 5, 0, 174, 46, true, 41, 17, true, false, -780},
               -8.0,
               {1999, 12, 31, 16, 0}},
        UtCase{"into_leap_day",
               {2000, 2, 28, 23, 0, 74, 0, false, 40, 43, false, false, 300},
               28.0,
               {2000, 2, 29, 4, 0}},
        UtCase{"over_leap_day_backwards",
               {2000, 3, 1, 3, 0, 151, 12, true, 33, 52, true, false, -630},
               -7.5,
               {2000, 2, 29, 16, 30}},
        UtCase{"common_year_end_of_february",
               {2001, 2, 28, 23, 0, 74, 0, false, 40, 43, false, false, 300},
               28.0,
               {2001, 3, 1, 4, 0}},
        UtCase{"daylight_saving_over_midnight",
               {2000, 1, 1, 0, 30, 0, 5, false, 51, 28, false, true, 0},
               -0.5,
               {1999, 12, 31, 23, 30}}),
    [](const auto& info) { return std::string(info.param.name); });

// The calendar carry agrees with the hour count for every zone across a whole year of dates.
TEST(UniversalTime, CalendarCarryAgreesWithHourCount) {
    for (const auto& row : testing::kZoneRows) {
        for (int dayOfYear = 0; dayOfYear < 366; dayOfYear += 5) {
            for (bool dst : {false, true}) {
                const double jd = JulianDayNumber(1, 1, 2000) + dayOfYear;
                // Calendar date of jd by counting from January 1 (2000 is a leap year).
                int month = 1, day = 1 + dayOfYear;
                const int lengths[12] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
                while (day > lengths[month - 1]) day -= lengths[month++ - 1];
                BirthSpec spec{2000,
                               month,
                               day,
                               1,
                               10,
                               0,
                               0,
                               false,
                               0,
                               0,
                               false,
                               dst,
                               row.hours * 60 + row.minutes};
                const BirthData birth = MakeBirth(spec);
                const ZoneCorrected zc = ZoneCorrectedTime(birth, spec.zoneMinutesToUT);
                const CalendarMoment m = UniversalMoment(birth, spec.zoneMinutesToUT);
                const double utFromCalendar =
                    (JulianDayNumber(m.month, m.day, m.year) - jd) * 24.0 + m.hour +
                    m.minute / 60.0;
                EXPECT_NEAR(utFromCalendar, zc.ut, 1e-9)
                    << row.hours << "," << row.minutes << " day " << dayOfYear;
            }
        }
    }
}

TEST(AngleHelpers, Normalize360OnceCorrectsOnceEachWay) {
    EXPECT_EQ(Normalize360Once(-10.0), 350.0);
    EXPECT_EQ(Normalize360Once(370.0), 10.0);
    EXPECT_EQ(Normalize360Once(360.0), 360.0);
    EXPECT_EQ(Normalize360Once(0.0), 0.0);
    EXPECT_EQ(Normalize360Once(-400.0), -40.0);  // one correction only
    EXPECT_EQ(Normalize360Once(800.0), 440.0);
}

TEST(AngleHelpers, Reduce2PiByTruncatedQuotient) {
    EXPECT_EQ(Reduce2Pi(0.0), 0.0);
    EXPECT_NEAR(Reduce2Pi(1.0), 1.0, 1e-15);
    EXPECT_NEAR(Reduce2Pi(-1.0), kTwoPi - 1.0, 1e-14);
    EXPECT_NEAR(Reduce2Pi(3.0 * kTwoPi + 0.5), 0.5, 1e-13);
    EXPECT_NEAR(Reduce2Pi(-5.0 * kTwoPi - 0.5), kTwoPi - 0.5, 1e-13);
    for (double x = -1000.0; x < 1000.0; x += 0.37) {
        const double r = Reduce2Pi(x);
        EXPECT_GE(r, 0.0);
        EXPECT_LT(r, kTwoPi);
    }
}

struct AtanCase {
    const char* name;
    double y, x, expected;
};

class QuadrantArcTanTest : public ::testing::TestWithParam<AtanCase> {};

TEST_P(QuadrantArcTanTest, FollowsTheQuadrantRules) {
    const AtanCase& c = GetParam();
    constexpr double kAtanTol = 1e-15;
    EXPECT_NEAR(QuadrantArcTan(c.y, c.x), c.expected, kAtanTol);
}

INSTANTIATE_TEST_SUITE_P(
    Quadrants, QuadrantArcTanTest,
    ::testing::Values(AtanCase{"negative_x_axis_is_zero", 0.0, -1.0, 0.0},
                      AtanCase{"positive_y_axis", 1.0, 0.0, kPi / 2.0},
                      AtanCase{"negative_y_axis", -2.0, 0.0, -kPi / 2.0},
                      AtanCase{"origin", 0.0, 0.0, 0.0},
                      AtanCase{"first_quadrant", 1.0, 1.0, std::atan(1.0)},
                      AtanCase{"fourth_quadrant", -1.0, 1.0, -std::atan(1.0)},
                      AtanCase{"second_quadrant", 1.0, -1.0, kPi - std::atan(1.0)},
                      AtanCase{"third_quadrant", -1.0, -1.0, -(kPi - std::atan(1.0))},
                      AtanCase{"positive_x_axis", 0.0, 3.0, 0.0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(QuadrantArcTan, NonFiniteInputGivesNaN) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_TRUE(std::isnan(QuadrantArcTan(inf, 1.0)));
    EXPECT_TRUE(std::isnan(QuadrantArcTan(1.0, inf)));
    EXPECT_TRUE(std::isnan(QuadrantArcTan(nan, 0.0)));
    EXPECT_TRUE(std::isnan(QuadrantArcTan(0.0, nan)));
    EXPECT_TRUE(std::isnan(QuadrantArcTan(1e300, 1e-300)));  // quotient overflows
}

}  // namespace
}  // namespace velloran
