#include <gtest/gtest.h>

#include "RowName.h"
#include "input/Validation.h"
#include "support/SampleBirths.h"

namespace velloran {
namespace {

using test::PrintTo;

// A form that passes every check: 5 March 1980, 7:05, Delhi.
FormInput ValidForm() { return test::DelhiBirthForm(); }

FormInput Date(int year, int month, int day) {
    FormInput f = ValidForm();
    f.yearIndex = year - kFirstYear;
    f.monthIndex = month - 1;
    f.dayIndex = day - 1;
    return f;
}

struct CheckCase {
    const char* rowName;
    FormInput form;
    bool converterPresent;
    int check;
    const char* message;
    Severity severity;
    FormControl focus;
    DefaultOption select;
};

FormInput With(void (*change)(FormInput&)) {
    FormInput f = ValidForm();
    change(f);
    return f;
}

class ValidationTableTest : public ::testing::TestWithParam<CheckCase> {};

TEST_P(ValidationTableTest, FirstFailingCheckGivesItsMessageSeverityFocusAndOption) {
    const CheckCase& c = GetParam();
    auto failure = ValidateInput(c.form, c.converterPresent);
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->check, c.check);
    EXPECT_EQ(failure->message, c.message);
    EXPECT_EQ(failure->severity, c.severity);
    EXPECT_EQ(failure->focus, c.focus);
    EXPECT_EQ(failure->select, c.select);
}

using enum Severity;
INSTANTIATE_TEST_SUITE_P(
    Checks, ValidationTableTest,
    ::testing::Values(
        CheckCase{"empty_name", With([](FormInput& f) { f.name = ""; }), true, 1,
                  "Please Enter Your Name", Error, FormControl::txtName, DefaultOption::None},
        CheckCase{"everything_empty_reports_name_first", FormInput{}, false, 1,
                  "Please Enter Your Name", Error, FormControl::txtName, DefaultOption::None},
        CheckCase{"empty_lat_degrees", With([](FormInput& f) { f.latitudeDegrees = ""; }), true, 2,
                  "Please Enter Degree of Latitude", Error, FormControl::txtLatD,
                  DefaultOption::None},
        CheckCase{"empty_lat_minutes", With([](FormInput& f) { f.latitudeMinutes = ""; }), true, 3,
                  "Please Enter Minutes of Latitude", Error, FormControl::txtLatM,
                  DefaultOption::None},
        CheckCase{"empty_lon_degrees", With([](FormInput& f) { f.longitudeDegrees = ""; }), true, 4,
                  "Please Enter Degree of Longitude", Error, FormControl::txtLonD,
                  DefaultOption::None},
        CheckCase{"empty_lon_minutes", With([](FormInput& f) { f.longitudeMinutes = ""; }), true, 5,
                  "Please Enter Minute of Longitude", Error, FormControl::txtLonM,
                  DefaultOption::None},
        CheckCase{"empty_city", With([](FormInput& f) { f.city = ""; }), true, 6,
                  "Please Enter Your City name", Error, FormControl::txtCity, DefaultOption::None},
        CheckCase{"empty_state", With([](FormInput& f) { f.state = ""; }), true, 7,
                  "Please Enter Your State name", Error, FormControl::txtState,
                  DefaultOption::None},
        CheckCase{"empty_country", With([](FormInput& f) { f.country = ""; }), true, 8,
                  "Please Enter Your Country name", Error, FormControl::txtCountry,
                  DefaultOption::None},
        CheckCase{"no_latitude_direction", With([](FormInput& f) { f.latitudeHemisphere = -1; }),
                  true, 9, "Please Select Direction For The Latitude", Error, FormControl::None,
                  DefaultOption::North},
        CheckCase{"no_longitude_direction", With([](FormInput& f) { f.longitudeHemisphere = -1; }),
                  true, 10, "Please Select Direction For The Longitude", Error, FormControl::None,
                  DefaultOption::East},
        CheckCase{"bad_coordinate_after_direction",
                  With([](FormInput& f) { f.longitudeHemisphere = -1, f.latitudeDegrees = "999"; }),
                  true, 10, "Please Select Direction For The Longitude", Error, FormControl::None,
                  DefaultOption::East},
        CheckCase{"no_month", With([](FormInput& f) { f.monthIndex = -1; }), true, 15,
                  "Please Enter Correct Date Or Month!", Information, FormControl::cboMonth,
                  DefaultOption::None},
        CheckCase{"bad_coordinate_before_no_month",
                  With([](FormInput& f) { f.monthIndex = -1, f.longitudeMinutes = "60"; }), true,
                  14, "Please Enter Minute of Longitude From 0 To 59", Error, FormControl::txtLonM,
                  DefaultOption::None},
        CheckCase{"no_month_before_missing_converter",
                  With([](FormInput& f) { f.monthIndex = -1; }), false, 15,
                  "Please Enter Correct Date Or Month!", Information, FormControl::cboMonth,
                  DefaultOption::None},
        CheckCase{"feb_29_1905", Date(1905, 2, 29), true, 16, "Please Enter Correct Date Or Month!",
                  Information, FormControl::None, DefaultOption::None},
        CheckCase{"feb_30_leap_2000", Date(2000, 2, 30), true, 16,
                  "Please Enter Correct Date Or Month!", Information, FormControl::None,
                  DefaultOption::None},
        CheckCase{"feb_31_1999", Date(1999, 2, 31), true, 16, "Please Enter Correct Date Or Month!",
                  Information, FormControl::None, DefaultOption::None},
        CheckCase{"april_31", Date(1980, 4, 31), true, 17, "Please Enter Correct Date Or Month !",
                  Information, FormControl::None, DefaultOption::None},
        CheckCase{"june_31", Date(1980, 6, 31), true, 17, "Please Enter Correct Date Or Month !",
                  Information, FormControl::None, DefaultOption::None},
        CheckCase{"september_31", Date(1980, 9, 31), true, 17,
                  "Please Enter Correct Date Or Month !", Information, FormControl::None,
                  DefaultOption::None},
        CheckCase{"november_31", Date(1980, 11, 31), true, 17,
                  "Please Enter Correct Date Or Month !", Information, FormControl::None,
                  DefaultOption::None},
        CheckCase{"converter_missing_last", ValidForm(), false, 18,
                  "Required File Is Missing. Please Reinstall The Software.", Error,
                  FormControl::None, DefaultOption::None},
        CheckCase{"bad_date_before_missing_converter", Date(1980, 4, 31), false, 17,
                  "Please Enter Correct Date Or Month !", Information, FormControl::None,
                  DefaultOption::None}),
    [](const auto& info) { return std::string(info.param.rowName); });

// Coordinate boxes as pasted or read from a file: each box must hold a whole number of ASCII
// digits (blanks around it allowed) in its range, checked in box order after the directions.
struct CoordinateCase {
    const char* rowName;
    const char* latD;
    const char* latM;
    const char* lonD;
    const char* lonM;
    int check;            // 0 when the form passes
    const char* message;  // "" when the form passes
    FormControl focus;
};

class CoordinateCheckTest : public ::testing::TestWithParam<CoordinateCase> {};

TEST_P(CoordinateCheckTest, RefusesWhatIsNoCoordinateAndFocusesItsBox) {
    const CoordinateCase& c = GetParam();
    FormInput f = ValidForm();
    f.latitudeDegrees = c.latD, f.latitudeMinutes = c.latM, f.longitudeDegrees = c.lonD,
    f.longitudeMinutes = c.lonM;
    auto failure = ValidateInput(f, true);
    if (c.check == 0) {
        EXPECT_EQ(failure, std::nullopt) << failure->message;
        return;
    }
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->check, c.check);
    EXPECT_EQ(failure->message, c.message);
    EXPECT_EQ(failure->severity, Severity::Error);
    EXPECT_EQ(failure->focus, c.focus);
    EXPECT_EQ(failure->select, DefaultOption::None);
}

constexpr const char* kLatDegrees = "Please Enter Degree of Latitude From 0 To 90";
constexpr const char* kLatMinutes = "Please Enter Minutes of Latitude From 0 To 59";
constexpr const char* kLonDegrees = "Please Enter Degree of Longitude From 0 To 180";
constexpr const char* kLonMinutes = "Please Enter Minute of Longitude From 0 To 59";
constexpr FormControl kLatD = FormControl::txtLatD, kLatM = FormControl::txtLatM,
                      kLonD = FormControl::txtLonD, kLonM = FormControl::txtLonM;

INSTANTIATE_TEST_SUITE_P(
    Boxes, CoordinateCheckTest,
    ::testing::Values(
        CoordinateCase{"delhi", "28", "0", "77", "12", 0, "", FormControl::None},
        CoordinateCase{"zeros", "0", "0", "0", "0", 0, "", FormControl::None},
        CoordinateCase{"pole_and_date_line", "90", "0", "180", "00", 0, "", FormControl::None},
        CoordinateCase{"minutes_59", "89", "59", "179", "59", 0, "", FormControl::None},
        CoordinateCase{"blanks_around_and_leading_zeros", " 045 ", "07 ", " 0090", "000", 0, "",
                       FormControl::None},
        CoordinateCase{"lat_degrees_91", "91", "0", "77", "12", 11, kLatDegrees, kLatD},
        CoordinateCase{"lat_degrees_999", "999", "0", "77", "12", 11, kLatDegrees, kLatD},
        CoordinateCase{"lat_degrees_4x", "4x", "0", "77", "12", 11, kLatDegrees, kLatD},
        CoordinateCase{"lat_degrees_minus_5", "-5", "0", "77", "12", 11, kLatDegrees, kLatD},
        CoordinateCase{"lat_degrees_plus_5", "+5", "0", "77", "12", 11, kLatDegrees, kLatD},
        CoordinateCase{"lat_degrees_1_full_stop", "1.", "0", "77", "12", 11, kLatDegrees, kLatD},
        CoordinateCase{"lat_degrees_inner_blank", "4 5", "0", "77", "12", 11, kLatDegrees, kLatD},
        CoordinateCase{"lat_degrees_blanks_only", "   ", "0", "77", "12", 11, kLatDegrees, kLatD},
        CoordinateCase{"lat_degrees_arabic_indic_digit", "\xd9\xa4", "0", "77", "12", 11,
                       kLatDegrees, kLatD},
        CoordinateCase{"lat_degrees_too_many_digits", "123456789012345678901234567890", "0", "77",
                       "12", 11, kLatDegrees, kLatD},
        CoordinateCase{"lat_minutes_60", "28", "60", "77", "12", 12, kLatMinutes, kLatM},
        CoordinateCase{"lat_minutes_fraction", "28", "4.5", "77", "12", 12, kLatMinutes, kLatM},
        CoordinateCase{"lat_90_with_1_minute", "90", "1", "77", "12", 12, kLatMinutes, kLatM},
        CoordinateCase{"lon_degrees_181", "28", "0", "181", "12", 13, kLonDegrees, kLonD},
        CoordinateCase{"lon_degrees_minus_77", "28", "0", "-77", "12", 13, kLonDegrees, kLonD},
        CoordinateCase{"lon_minutes_60", "28", "0", "77", "60", 14, kLonMinutes, kLonM},
        CoordinateCase{"lon_minutes_text", "28", "0", "77", "1a", 14, kLonMinutes, kLonM},
        CoordinateCase{"lon_180_with_30_minutes", "28", "0", "180", "30", 14, kLonMinutes, kLonM},
        CoordinateCase{"latitude_before_longitude", "95", "75", "999", "99", 11, kLatDegrees,
                       kLatD},
        CoordinateCase{"lat_minutes_before_lon_degrees", "28", "75", "999", "0", 12, kLatMinutes,
                       kLatM}),
    [](const auto& info) { return std::string(info.param.rowName); });

struct PassCase {
    const char* rowName;
    FormInput form;
};

class ValidationPassTest : public ::testing::TestWithParam<PassCase> {};

TEST_P(ValidationPassTest, FormMayBeCalculated) {
    EXPECT_EQ(ValidateInput(GetParam().form, true), std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(
    Passes, ValidationPassTest,
    ::testing::Values(
        PassCase{"feb_29_2000", Date(2000, 2, 29)}, PassCase{"feb_29_1908", Date(1908, 2, 29)},
        PassCase{"feb_28_1905", Date(1905, 2, 28)}, PassCase{"april_30", Date(1980, 4, 30)},
        PassCase{"may_31", Date(1980, 5, 31)}, PassCase{"dec_31_2050", Date(2050, 12, 31)},
        PassCase{"blank_name_is_not_empty", With([](FormInput& f) { f.name = "   "; })},
        PassCase{"south_and_west",
                 With([](FormInput& f) { f.latitudeHemisphere = 1, f.longitudeHemisphere = 1; })}),
    [](const auto& info) { return std::string(info.param.rowName); });

struct KeyCase {
    const char* rowName;
    KeyFilter filter;
    int code;
    bool accepted;
};

class KeyFilterTest : public ::testing::TestWithParam<KeyCase> {};

TEST_P(KeyFilterTest, AcceptsOrRefusesWithTheBoxMessage) {
    const KeyCase& c = GetParam();
    KeyVerdict v = FilterKey(c.filter, c.code);
    EXPECT_EQ(v.accepted, c.accepted);
    if (c.accepted) {
        EXPECT_EQ(v.message, "");
        EXPECT_FALSE(v.focusSameBox);
    } else if (c.filter == KeyFilter::Letters) {
        EXPECT_EQ(v.message, "Please enter only letters");
        EXPECT_TRUE(v.focusSameBox);
    } else {
        EXPECT_EQ(v.message, "Please enter only numbers");
        EXPECT_FALSE(v.focusSameBox);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Keys, KeyFilterTest,
    ::testing::Values(KeyCase{"letters_upper_A", KeyFilter::Letters, 'A', true},
                      KeyCase{"letters_upper_Z", KeyFilter::Letters, 'Z', true},
                      KeyCase{"letters_lower_a", KeyFilter::Letters, 'a', true},
                      KeyCase{"letters_lower_z", KeyFilter::Letters, 'z', true},
                      KeyCase{"letters_blank", KeyFilter::Letters, ' ', true},
                      KeyCase{"letters_backspace", KeyFilter::Letters, 8, true},
                      KeyCase{"letters_delete_127", KeyFilter::Letters, 127, true},
                      KeyCase{"letters_obrien_apostrophe", KeyFilter::Letters, '\'', false},
                      KeyCase{"letters_jean_luc_hyphen", KeyFilter::Letters, '-', false},
                      KeyCase{"letters_digit", KeyFilter::Letters, '7', false},
                      KeyCase{"letters_e_acute", KeyFilter::Letters, 0xE9, false},
                      KeyCase{"letters_enter", KeyFilter::Letters, 13, false},
                      KeyCase{"letters_at_sign_before_A", KeyFilter::Letters, '@', false},
                      KeyCase{"letters_bracket_after_Z", KeyFilter::Letters, '[', false},
                      KeyCase{"numbers_0", KeyFilter::Numbers, '0', true},
                      KeyCase{"numbers_9", KeyFilter::Numbers, '9', true},
                      KeyCase{"numbers_backspace", KeyFilter::Numbers, 8, true},
                      KeyCase{"numbers_delete_127", KeyFilter::Numbers, 127, true},
                      KeyCase{"numbers_minus", KeyFilter::Numbers, '-', false},
                      KeyCase{"numbers_full_stop", KeyFilter::Numbers, '.', false},
                      KeyCase{"numbers_letter", KeyFilter::Numbers, 'a', false},
                      KeyCase{"numbers_blank", KeyFilter::Numbers, ' ', false},
                      KeyCase{"numbers_enter", KeyFilter::Numbers, 13, false}),
    [](const auto& info) { return std::string(info.param.rowName); });

TEST(PlaceSearch, ChecksCityStateCountryInOrderThenBuildsTheSearchText) {
    FormInput f;
    f.state = "Maharashtra";
    auto r = BuildPlaceSearch(f);
    ASSERT_TRUE(r.failure);
    EXPECT_EQ(r.failure->message, "Please Enter City");
    EXPECT_EQ(r.failure->focus, FormControl::txtCity);
    EXPECT_EQ(r.failure->severity, Severity::Error);

    f.city = "Pune";
    f.state = "";
    f.country = "India";
    r = BuildPlaceSearch(f);
    ASSERT_TRUE(r.failure);
    EXPECT_EQ(r.failure->message, "Please Enter State");
    EXPECT_EQ(r.failure->focus, FormControl::txtState);

    f.state = "Maharashtra";
    f.country = "";
    r = BuildPlaceSearch(f);
    ASSERT_TRUE(r.failure);
    EXPECT_EQ(r.failure->message, "Please Enter Country");
    EXPECT_EQ(r.failure->focus, FormControl::txtCountry);

    f.country = "India";
    r = BuildPlaceSearch(f);
    EXPECT_FALSE(r.failure);
    EXPECT_EQ(r.searchText, "Pune Maharashtra India Latitude Longitude");

    f.city = " Pune ";  // typed texts are not trimmed
    EXPECT_EQ(BuildPlaceSearch(f).searchText, " Pune  Maharashtra India Latitude Longitude");
}

}  // namespace
}  // namespace velloran
