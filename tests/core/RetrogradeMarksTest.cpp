// The retrograde marks of a reading: which planets the station tables find retrograde on the
// birth date, and the mark as the wheels, rings and labels show it.

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <utility>

#include "RowName.h"
#include "chart/ChartWindow.h"
#include "output/TextExport.h"
#include "reading/Reading.h"

namespace velloran {
namespace {

using test::PrintTo;

// A birth at noon in London (Greenwich Mean Time) on a date.
BirthInput BirthOn(int year, int month, int day, int hour = 12, int minute = 0) {
    BirthInput input;
    BirthData& b = input.birth;
    b.Name = "Ann";
    b.Year = static_cast<int16_t>(year);
    b.Month = static_cast<int16_t>(month);
    b.Day = static_cast<int16_t>(day);
    b.Hour = static_cast<int16_t>(hour);
    b.Minute = static_cast<int16_t>(minute);
    b.LatDeg = 51, b.LatMin = 30, b.LonMin = 7;
    input.zoneIndex = 29;
    return input;
}

Reading ReadingOn(const BirthInput& input) {
    Calculation done = Calculate(input);
    if (!done.reading) {
        ADD_FAILURE() << done.error;
        return Reading{};
    }
    return std::move(*done.reading);
}

std::array<std::string, kBodyCount> Names(const Chart& chart, BodyNaming naming) {
    const WheelHouses wheel = MakeWheelHouses(chart, naming);
    std::array<std::string, kBodyCount> names;
    for (int k = 0; k < kBodyCount; ++k) names[k] = WheelBodyName(wheel, static_cast<ChartBody>(k));
    return names;
}

// Every house text of a chart's wheel, one after the other.
std::string WheelText(const Chart& chart, BodyNaming naming) {
    const WheelHouses wheel = MakeWheelHouses(chart, naming);
    std::string text;
    for (int h = 1; h <= kSignCount; ++h) text += HouseText(wheel, h);
    return text;
}

int Count(const std::string& text, const std::string& part) {
    int n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

TEST(RetrogradeMarks, EachRetrogradePlanetIsMarkedOnceInEveryWheel) {
    // 1 March 1980: Mercury, Mars, Jupiter and Saturn were retrograde.
    const Reading reading = ReadingOn(BirthOn(1980, 3, 1));
    const std::array<std::string, kBodyCount> names = {
        "Sun",          "Moon",        "Mercury (R) ", "Venus", "Mars (R) ",
        "Jupiter (R) ", "Saturn (R) ", "Rahu",         "Ketu",  "Asc"};
    const std::array<std::string, kBodyCount> labels = {
        "Su", "M", "Me (R) ", "V", "Ma (R) ", "J (R) ", "Sa (R) ", "N", "S", "A"};
    for (const ChartKind kind : {ChartKind::Natal, ChartKind::Draconic}) {
        SCOPED_TRACE(kind == ChartKind::Natal ? "natal" : "draconic");
        const Chart& chart = reading.chart(kind);
        EXPECT_EQ(Names(chart, BodyNaming::WheelNames), names);
        EXPECT_EQ(Names(chart, BodyNaming::Labels), labels);
        const std::string wheel = WheelText(chart, BodyNaming::WheelNames);
        EXPECT_EQ(Count(wheel, "(R)"), 4) << wheel;
        for (const char* marked :
             {"\r\nMercury (R) ", "\r\nMars (R) ", "\r\nJupiter (R) ", "\r\nSaturn (R) "}) {
            EXPECT_EQ(Count(wheel, marked), 1) << marked;
        }
        EXPECT_EQ(Count(WheelText(chart, BodyNaming::Labels), "(R)"), 4);
    }
    // The export names the bodies without the mark.
    EXPECT_EQ(ExportText(reading, EnglishMonthNames()).find("(R)"), std::string::npos);
}

TEST(RetrogradeMarks, MarkedNameAppendsTheMarkWithItsBlanks) {
    EXPECT_EQ(MarkedName("Mercury", true), "Mercury (R) ");
    EXPECT_EQ(MarkedName("Me", true), "Me (R) ");
    EXPECT_EQ(MarkedName("Mercury", false), "Mercury");
}

TEST(RetrogradeMarks, TheTimeOfDayDoesNotMatter) {
    for (const auto& [month, day] : {std::pair{2, 26}, std::pair{2, 27}, std::pair{3, 19}}) {
        SCOPED_TRACE("1980-" + std::to_string(month) + "-" + std::to_string(day));
        const Reading midnight = ReadingOn(BirthOn(1980, month, day, 0, 0));
        const Reading lastMinute = ReadingOn(BirthOn(1980, month, day, 23, 59));
        for (int k = 0; k < kBodyCount; ++k) {
            EXPECT_EQ(midnight.natal.bodies[k].retrograde, lastMinute.natal.bodies[k].retrograde)
                << k;
        }
        EXPECT_EQ(Names(midnight.natal, BodyNaming::Labels),
                  Names(lastMinute.natal, BodyNaming::Labels));
    }
}

// Dates the station tables do not cover, and dates that do not exist: no planet is marked.
struct UnmarkedCase {
    const char* rowName;
    int year, month, day;
};

class UnmarkedBirthTest : public ::testing::TestWithParam<UnmarkedCase> {};

TEST_P(UnmarkedBirthTest, NoBodyIsMarked) {
    const UnmarkedCase& c = GetParam();
    const Reading reading = ReadingOn(BirthOn(c.year, c.month, c.day));
    for (const ChartKind kind : {ChartKind::Natal, ChartKind::Draconic}) {
        for (int k = 0; k < kBodyCount; ++k)
            EXPECT_FALSE(reading.chart(kind).bodies[k].retrograde) << k;
        for (const BodyNaming naming : {BodyNaming::WheelNames, BodyNaming::Labels})
            EXPECT_EQ(WheelText(reading.chart(kind), naming).find("(R)"), std::string::npos);
    }
}

INSTANTIATE_TEST_SUITE_P(Births, UnmarkedBirthTest,
                         ::testing::Values(UnmarkedCase{"before_every_table", 1900, 1, 1},
                                           UnmarkedCase{"after_every_table", 2051, 12, 31},
                                           UnmarkedCase{"month_zero", 1980, 0, 1},
                                           UnmarkedCase{"day_99", 1980, 3, 99},
                                           UnmarkedCase{"year_minus_5", -5, 3, 1},
                                           UnmarkedCase{"all_zero", 0, 0, 0}),
                         [](const auto& info) { return std::string(info.param.rowName); });

}  // namespace
}  // namespace velloran
