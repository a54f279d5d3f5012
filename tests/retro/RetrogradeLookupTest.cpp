// Station entry parsing, the date rule of the lookup and the marks in the body-name lists.

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>

#include "retro/Retrogrades.h"

namespace velloran {
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
    const StationMoment m = ParseStationEntry(GetParam().entry);
    const StationMoment& e = GetParam().expected;
    EXPECT_EQ(m.month, e.month);
    EXPECT_EQ(m.day, e.day);
    EXPECT_EQ(m.year, e.year);
    EXPECT_EQ(m.hour, e.hour);
    EXPECT_EQ(m.minute, e.minute);
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

const BodyTextList kPlainNames = {"Sun",    "Moon", "Mercury", "Venus", "Mars", "Jupiter",
                                  "Saturn", "Rahu", "Ketu",    "Asc",   ""};
const BodyTextList kPlainLabels = {"Su", "M", "Me", "V", "Ma", "J", "Sa", "N", "S", "A", ""};

ReadingState BirthOn(int year, int month, int day, int hour = 12, int minute = 0) {
    ReadingState state;
    state.Birth.Year = static_cast<int16_t>(year);
    state.Birth.Month = static_cast<int16_t>(month);
    state.Birth.Day = static_cast<int16_t>(day);
    state.Birth.Hour = static_cast<int16_t>(hour);
    state.Birth.Minute = static_cast<int16_t>(minute);
    return state;
}

TEST(MarkRetrogrades, MarksEachRetrogradePlanetInBothLists) {
    ReadingState state = BirthOn(1980, 3, 1);
    MarkRetrogrades(state);
    const BodyTextList names = {
        "Sun",         "Moon", "Mercury (R) ", "Venus", "Mars (R) ", "Jupiter (R) ",
        "Saturn (R) ", "Rahu", "Ketu",         "Asc",   ""};
    const BodyTextList labels = {"Su",      "M", "Me (R) ", "V", "Ma (R) ", "J (R) ",
                                 "Sa (R) ", "N", "S",       "A", ""};
    EXPECT_EQ(state.BodyNames, names);
    EXPECT_EQ(state.BodyLabels, labels);
}

TEST(MarkRetrogrades, ResetsStaleContentsAndMarksOnlyOnce) {
    ReadingState state = BirthOn(1980, 3, 1);
    state.BodyNames.fill("stale");
    state.BodyLabels.fill("stale");
    MarkRetrogrades(state);
    const ReadingState once = state;
    MarkRetrogrades(state);
    EXPECT_EQ(state.BodyNames, once.BodyNames);
    EXPECT_EQ(state.BodyLabels, once.BodyLabels);
    EXPECT_EQ(state.BodyNames[2], "Mercury (R) ");
    EXPECT_EQ(state.BodyNames[10], "");
    EXPECT_EQ(state.BodyLabels[10], "");
}

TEST(MarkRetrogrades, IgnoresTheTimeOfDay) {
    for (const auto& [month, day] : {std::pair{2, 26}, std::pair{2, 27}, std::pair{3, 19}}) {
        ReadingState midnight = BirthOn(1980, month, day, 0, 0);
        ReadingState lastMinute = BirthOn(1980, month, day, 23, 59);
        MarkRetrogrades(midnight);
        MarkRetrogrades(lastMinute);
        EXPECT_EQ(midnight.BodyNames, lastMinute.BodyNames) << "1980-" << month << '-' << day;
        EXPECT_EQ(midnight.BodyLabels, lastMinute.BodyLabels) << "1980-" << month << '-' << day;
    }
}

struct UnmarkedCase {
    const char* name;
    int year, month, day;
};

const UnmarkedCase kUnmarkedCases[] = {
    {"before_every_table", 1900, 1, 1}, {"after_every_table", 2051, 12, 31},
    {"month_zero", 1980, 0, 1},         {"day_99", 1980, 3, 99},
    {"year_minus_5", -5, 3, 1},         {"all_zero", 0, 0, 0},
};

void PrintTo(const UnmarkedCase& c, std::ostream* os) { *os << c.name; }

class UnmarkedBirthTest : public ::testing::TestWithParam<UnmarkedCase> {};

TEST_P(UnmarkedBirthTest, LeavesPlainLists) {
    const UnmarkedCase& c = GetParam();
    ReadingState state = BirthOn(c.year, c.month, c.day);
    MarkRetrogrades(state);
    EXPECT_EQ(state.BodyNames, kPlainNames);
    EXPECT_EQ(state.BodyLabels, kPlainLabels);
}

INSTANTIATE_TEST_SUITE_P(Births, UnmarkedBirthTest, ::testing::ValuesIn(kUnmarkedCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace velloran
