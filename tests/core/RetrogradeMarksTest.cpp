// The retrograde marks a pass puts into the body-name lists, from the station lookup.

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <utility>

#include "reading/Reading.h"

namespace velloran {
namespace {

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
