#include <gtest/gtest.h>

#include "RowName.h"
#include "input/Validation.h"

namespace velloran {
namespace {

using test::PrintTo;

// A form that passes every check: 5 March 1980, 7:05, Delhi.
FormInput ValidForm() {
    FormInput f;
    f.txtName = "Ann";
    f.cboMonth = 2;
    f.cboDate = 4;
    f.cboYear = 1980 - kFirstYear;
    f.cboHour = 7;
    f.cboMinute = 5;
    f.cboTimeZone = 34;
    f.txtLatD = "28", f.txtLatM = "0", f.txtLonD = "77", f.txtLonM = "12";
    f.txtCity = "Delhi", f.txtState = "Delhi", f.txtCountry = "India";
    return f;
}

FormInput Date(int year, int month, int day) {
    FormInput f = ValidForm();
    f.cboYear = year - kFirstYear;
    f.cboMonth = month - 1;
    f.cboDate = day - 1;
    return f;
}

struct CheckCase {
    const char* rowName;
    FormInput form;
    bool converterPresent;
    int check;
    const char* message;
    MessageIcon icon;
    FormControl focus;
    DefaultOption select;
};

FormInput With(void (*change)(FormInput&)) {
    FormInput f = ValidForm();
    change(f);
    return f;
}

class ValidationTableTest : public ::testing::TestWithParam<CheckCase> {};

TEST_P(ValidationTableTest, FirstFailingCheckGivesItsMessageIconFocusAndOption) {
    const CheckCase& c = GetParam();
    auto failure = ValidateInput(c.form, c.converterPresent);
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->check, c.check);
    EXPECT_EQ(failure->message, c.message);
    EXPECT_EQ(failure->icon, c.icon);
    EXPECT_EQ(failure->focus, c.focus);
    EXPECT_EQ(failure->select, c.select);
}

using enum MessageIcon;
INSTANTIATE_TEST_SUITE_P(
    Checks, ValidationTableTest,
    ::testing::Values(
        CheckCase{"empty_name", With([](FormInput& f) { f.txtName = ""; }), true, 1,
                  "Please Enter Your Name", Error, FormControl::txtName, DefaultOption::None},
        CheckCase{"everything_empty_reports_name_first", FormInput{}, false, 1,
                  "Please Enter Your Name", Error, FormControl::txtName, DefaultOption::None},
        CheckCase{"empty_lat_degrees", With([](FormInput& f) { f.txtLatD = ""; }), true, 2,
                  "Please Enter Degree of Latitude", Error, FormControl::txtLatD,
                  DefaultOption::None},
        CheckCase{"empty_lat_minutes", With([](FormInput& f) { f.txtLatM = ""; }), true, 3,
                  "Please Enter Minutes of Latitude", Error, FormControl::txtLatM,
                  DefaultOption::None},
        CheckCase{"empty_lon_degrees", With([](FormInput& f) { f.txtLonD = ""; }), true, 4,
                  "Please Enter Degree of Longitude", Error, FormControl::txtLonD,
                  DefaultOption::None},
        CheckCase{"empty_lon_minutes", With([](FormInput& f) { f.txtLonM = ""; }), true, 5,
                  "Please Enter Minute of Longitude", Error, FormControl::txtLonM,
                  DefaultOption::None},
        CheckCase{"empty_city", With([](FormInput& f) { f.txtCity = ""; }), true, 6,
                  "Please Enter Your City name", Error, FormControl::txtCity, DefaultOption::None},
        CheckCase{"empty_state", With([](FormInput& f) { f.txtState = ""; }), true, 7,
                  "Please Enter Your State name", Error, FormControl::txtState,
                  DefaultOption::None},
        CheckCase{"empty_country", With([](FormInput& f) { f.txtCountry = ""; }), true, 8,
                  "Please Enter Your Country name", Error, FormControl::txtCountry,
                  DefaultOption::None},
        CheckCase{"no_latitude_direction", With([](FormInput& f) { f.optLatSouth = -1; }), true, 9,
                  "Please Select Direction For The Latitude", Error, FormControl::None,
                  DefaultOption::North},
        CheckCase{"no_longitude_direction", With([](FormInput& f) { f.optLongEast = -1; }), true,
                  10, "Please Select Direction For The Longitude", Error, FormControl::None,
                  DefaultOption::East},
        CheckCase{"feb_29_1905", Date(1905, 2, 29), true, 11, "Please Enter Correct Date Or Month!",
                  Information, FormControl::None, DefaultOption::None},
        CheckCase{"feb_30_leap_2000", Date(2000, 2, 30), true, 11,
                  "Please Enter Correct Date Or Month!", Information, FormControl::None,
                  DefaultOption::None},
        CheckCase{"feb_31_1999", Date(1999, 2, 31), true, 11, "Please Enter Correct Date Or Month!",
                  Information, FormControl::None, DefaultOption::None},
        CheckCase{"april_31", Date(1980, 4, 31), true, 12, "Please Enter Correct Date Or Month !",
                  Information, FormControl::None, DefaultOption::None},
        CheckCase{"june_31", Date(1980, 6, 31), true, 12, "Please Enter Correct Date Or Month !",
                  Information, FormControl::None, DefaultOption::None},
        CheckCase{"september_31", Date(1980, 9, 31), true, 12,
                  "Please Enter Correct Date Or Month !", Information, FormControl::None,
                  DefaultOption::None},
        CheckCase{"november_31", Date(1980, 11, 31), true, 12,
                  "Please Enter Correct Date Or Month !", Information, FormControl::None,
                  DefaultOption::None},
        CheckCase{"converter_missing_last", ValidForm(), false, 13,
                  "Required File Is Missing. Please Reinstall The Software.", Error,
                  FormControl::None, DefaultOption::None},
        CheckCase{"bad_date_before_missing_converter", Date(1980, 4, 31), false, 12,
                  "Please Enter Correct Date Or Month !", Information, FormControl::None,
                  DefaultOption::None}),
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
        PassCase{"blank_name_is_not_empty", With([](FormInput& f) { f.txtName = "   "; })},
        PassCase{"degrees_999_unlimited", With([](FormInput& f) { f.txtLatD = "999"; })},
        PassCase{"south_and_west",
                 With([](FormInput& f) { f.optLatSouth = 1, f.optLongEast = 1; })}),
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
    f.txtState = "Maharashtra";
    auto r = BuildPlaceSearch(f);
    ASSERT_TRUE(r.failure);
    EXPECT_EQ(r.failure->message, "Please Enter City");
    EXPECT_EQ(r.failure->focus, FormControl::txtCity);
    EXPECT_EQ(r.failure->icon, MessageIcon::Error);

    f.txtCity = "Pune";
    f.txtState = "";
    f.txtCountry = "India";
    r = BuildPlaceSearch(f);
    ASSERT_TRUE(r.failure);
    EXPECT_EQ(r.failure->message, "Please Enter State");
    EXPECT_EQ(r.failure->focus, FormControl::txtState);

    f.txtState = "Maharashtra";
    f.txtCountry = "";
    r = BuildPlaceSearch(f);
    ASSERT_TRUE(r.failure);
    EXPECT_EQ(r.failure->message, "Please Enter Country");
    EXPECT_EQ(r.failure->focus, FormControl::txtCountry);

    f.txtCountry = "India";
    r = BuildPlaceSearch(f);
    EXPECT_FALSE(r.failure);
    EXPECT_EQ(r.searchText, "Pune Maharashtra India Latitude Longitude");

    f.txtCity = " Pune ";  // typed texts are not trimmed
    EXPECT_EQ(BuildPlaceSearch(f).searchText, " Pune  Maharashtra India Latitude Longitude");
}

}  // namespace
}  // namespace velloran
