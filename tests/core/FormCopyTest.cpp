// The birth a calculation takes, from the birth-data form's values.

#include <gtest/gtest.h>

#include "RowName.h"
#include "input/FormCopy.h"
#include "input/TextRules.h"

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

TEST(BirthFromForm, CopiesEveryFieldTrimmedAndConverted) {
    BirthInput expected;
    BirthData& b = expected.birth;
    b.Name = "Ann Example";
    b.Month = 2, b.Day = 7, b.Year = 1980;
    b.Hour = 7, b.Minute = 5;
    b.ZoneHours = 5, b.ZoneMinutes = 30;  // Indian Time, +5:30
    b.LatDeg = 28, b.LatMin = 0, b.LonDeg = 77, b.LonMin = 12;
    b.LongEast = true, b.LatSouth = false, b.DaylightSaving = false;
    b.City = "Delhi", b.State = "Delhi", b.Country = "India";
    expected.zoneIndex = 34;
    expected.zoneMinutesToUT = -330;  // 5:30 to subtract from the clock
    EXPECT_EQ(BirthFromForm(DelhiForm()), expected);
}

struct ZoneCopyCase {
    const char* rowName;
    int position;
    int16_t hours, minutes;  // magnitudes, as the reading file and the header show them
    int minutesToUT;
};

class ZoneCopyTest : public ::testing::TestWithParam<ZoneCopyCase> {};

TEST_P(ZoneCopyTest, MagnitudesAndSignedMinutes) {
    const ZoneCopyCase& c = GetParam();
    FormInput f = DelhiForm();
    f.zoneIndex = c.position;
    const BirthInput input = BirthFromForm(f);
    EXPECT_EQ(input.zoneIndex, c.position);
    EXPECT_EQ(input.birth.ZoneHours, c.hours);
    EXPECT_EQ(input.birth.ZoneMinutes, c.minutes);
    EXPECT_EQ(input.zoneMinutesToUT, c.minutesToUT);
}

INSTANTIATE_TEST_SUITE_P(Zones, ZoneCopyTest,
                         ::testing::Values(ZoneCopyCase{"indian_time", 34, 5, 30, -330},
                                           ZoneCopyCase{"newfoundland", 50, 3, 30, 210},
                                           ZoneCopyCase{"eastern_standard", 27, 5, 0, 300},
                                           ZoneCopyCase{"nz_plus_13", 46, 13, 0, -780},
                                           ZoneCopyCase{"greenwich", 29, 0, 0, 0},
                                           ZoneCopyCase{"first_row", 0, 9, 0, 540},
                                           ZoneCopyCase{"last_row", 70, 8, 0, 480}),
                         [](const auto& info) { return std::string(info.param.rowName); });

// A selection the lists do not have, or a box text that is not a number, reads as 0 (and a
// zone outside the list as none, with no offset): nothing of an earlier birth comes through.
TEST(BirthFromForm, ZonePositionOutsideTheListGivesNoZone) {
    for (int position : {-1, 71, 72, 1000}) {
        SCOPED_TRACE(position);
        FormInput f = DelhiForm();
        f.zoneIndex = position;
        const BirthInput input = BirthFromForm(f);
        EXPECT_EQ(input.zoneIndex, -1);
        EXPECT_EQ(input.zoneMinutesToUT, 0);
        EXPECT_EQ(input.birth.ZoneHours, 0);
        EXPECT_EQ(input.birth.ZoneMinutes, 0);
    }
}

TEST(BirthFromForm, TextThatDoesNotConvertAndMissingSelectionsReadAsZero) {
    FormInput f = DelhiForm();
    f.latitudeDegrees = "2a";     // pasted, not numeric
    f.latitudeMinutes = "99999";  // beyond 16 bits
    f.longitudeDegrees = "";
    f.longitudeMinutes = "-";
    f.dayIndex = -1;     // no selection
    f.hourIndex = 24;    // no such entry
    f.minuteIndex = 60;  // no such entry
    f.yearIndex = kLastYear - kFirstYear + 1;
    const BirthData b = BirthFromForm(f).birth;
    EXPECT_EQ(b.LatDeg, 0);
    EXPECT_EQ(b.LatMin, 0);
    EXPECT_EQ(b.LonDeg, 0);
    EXPECT_EQ(b.LonMin, 0);
    EXPECT_EQ(b.Day, 0);
    EXPECT_EQ(b.Hour, 0);
    EXPECT_EQ(b.Minute, 0);
    EXPECT_EQ(b.Year, 0);
    // The entries at the lists' ends are taken.
    f.dayIndex = 30, f.hourIndex = 23, f.minuteIndex = 59, f.yearIndex = kLastYear - kFirstYear;
    const BirthData ends = BirthFromForm(f).birth;
    EXPECT_EQ(ends.Day, 31);
    EXPECT_EQ(ends.Hour, 23);
    EXPECT_EQ(ends.Minute, 59);
    EXPECT_EQ(ends.Year, kLastYear);
}

TEST(BirthFromForm, OptionsCheckBoxMonthAndUnlimitedDegrees) {
    FormInput f = DelhiForm();
    f.latitudeHemisphere = 1;
    f.longitudeHemisphere = 1;
    f.daylightSaving = 2;  // grey counts as ticked
    f.monthIndex = -1;
    f.latitudeDegrees = "95";
    f.latitudeMinutes = "75";
    f.name = "   ";
    const BirthData b = BirthFromForm(f).birth;
    EXPECT_TRUE(b.LatSouth);
    EXPECT_FALSE(b.LongEast);
    EXPECT_TRUE(b.DaylightSaving);
    EXPECT_EQ(b.Month, 0);
    EXPECT_EQ(b.LatDeg, 95);
    EXPECT_EQ(b.LatMin, 75);
    EXPECT_EQ(b.Name, "");
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
