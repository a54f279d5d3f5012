#include <gtest/gtest.h>

#include "RowName.h"
#include "input/TextRules.h"
#include "reading/Reading.h"

namespace velloran {
namespace {

using test::PrintTo;

FormInput DelhiForm() {
    FormInput f;
    f.name = "  Ann Example ";
    f.monthIndex = 1;  // February
    f.dayIndex = 6;    // "7"
    f.yearIndex = 1980 - kFirstYear;
    f.hourIndex = 7;
    f.minuteIndex = 5;
    f.zoneIndex = 34;
    f.daylightSaving = 0;
    f.latitudeDegrees = "28", f.latitudeMinutes = "0", f.longitudeDegrees = " 77 ",
    f.longitudeMinutes = "12";
    f.latitudeHemisphere = 0, f.longitudeHemisphere = 0;
    f.city = " Delhi", f.state = "Delhi ", f.country = "India";
    return f;
}

TEST(CopyFormToState, CopiesEveryFieldTrimmedAndConverted) {
    ReadingState s;
    CopyFormToState(DelhiForm(), s);
    BirthData expected;
    expected.Name = "Ann Example";
    expected.Month = 2, expected.Day = 7, expected.Year = 1980;
    expected.Hour = 7, expected.Minute = 5;
    expected.ZoneHours = 5, expected.ZoneMinutes = 30;  // Indian Time, +5:30
    expected.LatDeg = 28, expected.LatMin = 0, expected.LonDeg = 77, expected.LonMin = 12;
    expected.LongEast = true, expected.LatSouth = false, expected.DaylightSaving = false;
    expected.City = "Delhi", expected.State = "Delhi", expected.Country = "India";
    EXPECT_EQ(s.Birth, expected);
}

struct ZoneCopyCase {
    const char* rowName;
    int position;
    int16_t hours, minutes;
    const char* hoursToUT;
    const char* minutesToUT;
};

class ZoneCopyTest : public ::testing::TestWithParam<ZoneCopyCase> {};

TEST_P(ZoneCopyTest, MagnitudesAndSignedTexts) {
    const ZoneCopyCase& c = GetParam();
    FormInput f = DelhiForm();
    f.zoneIndex = c.position;
    ReadingState s;
    CopyFormToState(f, s);
    EXPECT_EQ(s.Birth.ZoneHours, c.hours);
    EXPECT_EQ(s.Birth.ZoneMinutes, c.minutes);
    EXPECT_EQ(s.ZoneHoursToUT, c.hoursToUT);
    EXPECT_EQ(s.ZoneMinutesToUT, c.minutesToUT);
}

INSTANTIATE_TEST_SUITE_P(Zones, ZoneCopyTest,
                         ::testing::Values(ZoneCopyCase{"indian_time", 34, 5, 30, "-5", "-30"},
                                           ZoneCopyCase{"newfoundland", 50, 3, 30, "3", "30"},
                                           ZoneCopyCase{"eastern_standard", 27, 5, 0, "5", "0"},
                                           ZoneCopyCase{"nz_plus_13", 46, 13, 0, "-13", "0"},
                                           ZoneCopyCase{"greenwich", 29, 0, 0, "0", "0"}),
                         [](const auto& info) { return std::string(info.param.rowName); });

TEST(CopyFormToState, ZonePositionOutsideTheTablesOrOnTheEmptySlotKeepsTheZone) {
    ReadingState s;
    CopyFormToState(DelhiForm(), s);
    for (int position : {-1, 71, 72, 1000}) {
        SCOPED_TRACE(position);
        FormInput f = DelhiForm();
        f.zoneIndex = position;
        CopyFormToState(f, s);
        EXPECT_EQ(s.Birth.ZoneHours, 5);
        EXPECT_EQ(s.Birth.ZoneMinutes, 30);
        EXPECT_EQ(s.ZoneHoursToUT, "-5");
        EXPECT_EQ(s.ZoneMinutesToUT, "-30");
    }
}

TEST(CopyFormToState, TextThatDoesNotConvertKeepsThePreviousValue) {
    ReadingState s;
    CopyFormToState(DelhiForm(), s);
    FormInput f = DelhiForm();
    f.latitudeDegrees = "2a";     // pasted, not numeric
    f.latitudeMinutes = "99999";  // beyond 16 bits
    f.longitudeDegrees = "";
    f.longitudeMinutes = "-";
    f.dayIndex = -1;   // no selection: empty list text
    f.hourIndex = 24;  // no such entry
    CopyFormToState(f, s);
    EXPECT_EQ(s.Birth.LatDeg, 28);
    EXPECT_EQ(s.Birth.LatMin, 0);
    EXPECT_EQ(s.Birth.LonDeg, 77);
    EXPECT_EQ(s.Birth.LonMin, 12);
    EXPECT_EQ(s.Birth.Day, 7);
    EXPECT_EQ(s.Birth.Hour, 7);
}

TEST(CopyFormToState, OptionsCheckBoxMonthAndUnlimitedDegrees) {
    FormInput f = DelhiForm();
    f.latitudeHemisphere = 1;
    f.longitudeHemisphere = 1;
    f.daylightSaving = 2;  // grey counts as ticked
    f.monthIndex = -1;
    f.latitudeDegrees = "95";
    f.latitudeMinutes = "75";
    f.name = "   ";
    ReadingState s;
    CopyFormToState(f, s);
    EXPECT_TRUE(s.Birth.LatSouth);
    EXPECT_FALSE(s.Birth.LongEast);
    EXPECT_TRUE(s.Birth.DaylightSaving);
    EXPECT_EQ(s.Birth.Month, 0);
    EXPECT_EQ(s.Birth.LatDeg, 95);
    EXPECT_EQ(s.Birth.LatMin, 75);
    EXPECT_EQ(s.Birth.Name, "");
}

struct NumberCase {
    const char* rowName;
    const char* text;
    std::optional<int16_t> value;
};

class WholeNumberTest : public ::testing::TestWithParam<NumberCase> {};

TEST_P(WholeNumberTest, ConvertsOrRefuses) {
    EXPECT_EQ(WholeNumberOf(GetParam().text), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, WholeNumberTest,
    ::testing::Values(
        NumberCase{"plain", "180", 180}, NumberCase{"leading_zeros", "007", 7},
        NumberCase{"blanks_around", "  42 ", 42}, NumberCase{"minus", "-30", -30},
        NumberCase{"plus", "+5", 5}, NumberCase{"half_rounds_to_even_down", "2.5", 2},
        NumberCase{"half_rounds_to_even_up", "3.5", 4}, NumberCase{"above_half", "2.51", 3},
        NumberCase{"just_above_half_exactly", "2.5000000000000000001", 3},
        NumberCase{"below_half", "2.49999", 2}, NumberCase{"negative_half", "-0.5", 0},
        NumberCase{"fraction_only", ".7", 1}, NumberCase{"max", "32767", 32767},
        NumberCase{"min", "-32768", -32768}, NumberCase{"rounds_past_max", "32767.5", std::nullopt},
        NumberCase{"too_big", "32768", std::nullopt},
        NumberCase{"many_digits", "123456789012", std::nullopt},
        NumberCase{"empty", "", std::nullopt}, NumberCase{"blanks_only", "   ", std::nullopt},
        NumberCase{"sign_only", "-", std::nullopt}, NumberCase{"letters", "12a", std::nullopt},
        NumberCase{"inner_blank", "1 2", std::nullopt},
        NumberCase{"tab_is_not_a_blank", "\t5", std::nullopt}),
    [](const auto& info) { return std::string(info.param.rowName); });

}  // namespace
}  // namespace velloran
