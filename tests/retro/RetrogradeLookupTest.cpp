// Station entry parsing, the date rule of the lookup and the flags of a birth date.

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <ostream>
#include <string>

#include "retro/Retrogrades.h"

namespace velloran {

// Failures show a moment as its entry text.
void PrintTo(const StationMoment& m, std::ostream* os) {
    *os << m.month << ',' << m.day << ',' << m.year << ',' << m.hour << ',' << m.minute;
}

namespace {

struct ParseCase {
    const char* name;
    const char* entry;
    StationMoment expected;
};

const ParseCase kParseCases[] = {
    {"mercury_first_station", "3,15,1900,13,19,", {3, 15, 1900, 13, 19}},
    {"midnight_new_year", "1,1,1900,0,0,", {1, 1, 1900, 0, 0}},
    {"last_minute_of_year", "12,31,2050,23,59,", {12, 31, 2050, 23, 59}},
    {"no_trailing_comma", "4,7,1900,18,42", {4, 7, 1900, 18, 42}},
    {"empty_text", "", {0, 0, 0, 0, 0}},
    {"word_as_month", "x,15,1900,13,19,", {0, 15, 1900, 13, 19}},
    {"empty_and_missing_fields", "3,,1900", {3, 0, 1900, 0, 0}},
    {"number_with_suffix", "3,15x,1900,13,19,", {3, 0, 1900, 13, 19}},
    {"overflowing_year", "3,15,99999999999,13,19,", {3, 15, 0, 13, 19}},
    {"extra_fields_ignored", "3,15,1900,13,19,7,8,", {3, 15, 1900, 13, 19}},
};

void PrintTo(const ParseCase& c, std::ostream* os) { *os << c.name; }

class ParseStationEntryTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseStationEntryTest, ReadsTheFiveFields) {
    EXPECT_EQ(ParseStationEntry(GetParam().entry), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Entries, ParseStationEntryTest, ::testing::ValuesIn(kParseCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct DateCase {
    const char* name;
    const char* planet;
    int year, month, day;
    bool retrograde;
};

// Around the early-1980 pairs (station dates in UT): the station dates themselves are outside.
const DateCase kDateCases[] = {
    {"mercury_day_before_retrograde_date", "Mercury", 1980, 2, 25, false},
    {"mercury_on_retrograde_date", "Mercury", 1980, 2, 26, false},
    {"mercury_day_after_retrograde_date", "Mercury", 1980, 2, 27, true},
    {"mercury_day_before_direct_date", "Mercury", 1980, 3, 18, true},
    {"mercury_on_direct_date", "Mercury", 1980, 3, 19, false},
    {"venus_on_retrograde_date", "Venus", 1980, 5, 24, false},
    {"venus_day_after_retrograde_date", "Venus", 1980, 5, 25, true},
    {"venus_day_before_direct_date", "Venus", 1980, 7, 5, true},
    {"venus_on_direct_date", "Venus", 1980, 7, 6, false},
    {"mars_on_retrograde_date", "Mars", 1980, 1, 16, false},
    {"mars_day_after_retrograde_date", "Mars", 1980, 1, 17, true},
    {"mars_leap_day", "Mars", 1980, 2, 29, true},
    {"mars_day_before_direct_date", "Mars", 1980, 4, 5, true},
    {"mars_on_direct_date", "Mars", 1980, 4, 6, false},
    {"jupiter_on_retrograde_date", "Jupiter", 1979, 12, 26, false},
    {"jupiter_day_after_retrograde_date", "Jupiter", 1979, 12, 27, true},
    {"jupiter_across_new_year", "Jupiter", 1980, 1, 1, true},
    {"jupiter_day_before_direct_date", "Jupiter", 1980, 4, 25, true},
    {"jupiter_on_direct_date", "Jupiter", 1980, 4, 26, false},
    {"saturn_on_retrograde_date", "Saturn", 1980, 1, 6, false},
    {"saturn_day_after_retrograde_date", "Saturn", 1980, 1, 7, true},
    {"saturn_day_before_direct_date", "Saturn", 1980, 5, 21, true},
    {"saturn_on_direct_date", "Saturn", 1980, 5, 22, false},
    // Coverage ends: the first and last pairs count, nothing outside them does.
    {"mercury_before_first_pair", "Mercury", 1900, 1, 1, false},
    {"mercury_inside_first_pair", "Mercury", 1900, 3, 16, true},
    {"mercury_inside_last_pair", "Mercury", 2050, 12, 20, true},
    {"mercury_on_last_direct_date", "Mercury", 2050, 12, 21, false},
    {"jupiter_inside_last_pair_in_2051", "Jupiter", 2051, 4, 21, true},
    {"jupiter_on_last_direct_date", "Jupiter", 2051, 4, 22, false},
    {"saturn_far_before_tables", "Saturn", 1066, 10, 14, false},
    {"saturn_far_after_tables", "Saturn", 2200, 6, 1, false},
    // Names are compared exactly, and dates that do not exist are never retrograde.
    {"lower_case_name", "mercury", 1980, 3, 1, false},
    {"not_a_planet", "Sun", 1980, 3, 1, false},
    {"month_zero", "Mercury", 1980, 0, 1, false},
    {"month_thirteen", "Mercury", 1980, 13, 1, false},
    {"day_zero", "Mercury", 1980, 3, 0, false},
    {"day_99", "Mercury", 1980, 3, 99, false},
    {"february_30", "Mercury", 1980, 2, 30, false},
    {"year_minus_5", "Mercury", -5, 3, 1, false},
    {"int16_extremes", "Mercury", INT16_MIN, INT16_MIN, INT16_MAX, false},
    {"int_extremes", "Mercury", INT32_MAX, INT32_MIN, INT32_MAX, false},
};

void PrintTo(const DateCase& c, std::ostream* os) { *os << c.name; }

class IsRetrogradeTest : public ::testing::TestWithParam<DateCase> {};

TEST_P(IsRetrogradeTest, JudgesTheWholeDate) {
    const DateCase& c = GetParam();
    EXPECT_EQ(IsRetrograde(c.planet, c.year, c.month, c.day), c.retrograde);
}

INSTANTIATE_TEST_SUITE_P(Dates, IsRetrogradeTest, ::testing::ValuesIn(kDateCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(RetrogradeBodies, FlagsOnlyPlanetsThatCanBeRetrograde) {
    const std::array<bool, kBodyCount> flags = RetrogradeBodies(1980, 3, 1);
    const std::array<bool, kBodyCount> expected = {false, false, true,  false, true,
                                                   true,  true,  false, false, false};
    EXPECT_EQ(flags, expected);
    for (int k = 0; k < kBodyCount; ++k) {
        if (!CanBeRetrograde(static_cast<ChartBody>(k))) {
            EXPECT_FALSE(flags[k]) << k;
        }
    }
}

}  // namespace
}  // namespace velloran
