#include "input/Validation.h"

#include <algorithm>
#include <string_view>

#include "domain/Calendar.h"
#include "input/TextRules.h"

namespace velloran {

namespace {

constexpr int kFebruary = 1;                          // cboMonth positions
constexpr int kThirtyDayMonths[] = {3, 5, 8, 10};     // April, June, September, November
constexpr int kDay29 = 28, kDay30 = 29, kDay31 = 30;  // cboDate positions

ValidationFailure Failure(int check, const char* message, Severity severity, FormControl focus,
                          DefaultOption select = DefaultOption::None) {
    return ValidationFailure{check, message, severity, focus, select};
}

constexpr int kMaxLatitude = 90;
constexpr int kMaxLongitude = 180;
constexpr int kMaxMinutes = 59;

// Value of a text that is one or more ASCII digits once the blanks around it are trimmed, or
// nothing. Larger values are held at 99999, which is enough to judge any coordinate range.
std::optional<int> DigitsValue(std::string_view text) {
    const std::string_view t = TrimBlanks(text);
    if (t.empty()) return std::nullopt;
    int value = 0;
    for (char c : t) {
        if (c < '0' || c > '9') return std::nullopt;
        value = std::min(value * 10 + (c - '0'), 99999);
    }
    return value;
}

bool DegreesOutOfRange(const std::string& degrees, int maxDegrees) {
    auto value = DigitsValue(degrees);
    return !value || *value > maxDegrees;
}

// Minutes 0..59, and none beyond the largest whole degree (90° 30' is no latitude).
bool MinutesOutOfRange(const std::string& minutes, const std::string& degrees, int maxDegrees) {
    auto value = DigitsValue(minutes);
    if (!value || *value > kMaxMinutes) return true;
    return *value > 0 && DigitsValue(degrees) == maxDegrees;
}

bool NoMonth(const FormInput& form) { return form.monthIndex < 0 || form.monthIndex > 11; }

// Leap years by the rule "divisible by 4", on the year the list shows at its position.
bool IsListLeapYear(int yearPosition) { return IsLeapYear(kFirstYear + yearPosition); }

bool FebruaryDayTooLate(const FormInput& form) {
    if (form.monthIndex != kFebruary) return false;
    int firstBad = IsListLeapYear(form.yearIndex) ? kDay30 : kDay29;
    return form.dayIndex >= firstBad && form.dayIndex <= kDay31;
}

bool ThirtyFirstOfShortMonth(const FormInput& form) {
    if (form.dayIndex != kDay31) return false;
    for (int m : kThirtyDayMonths) {
        if (form.monthIndex == m) return true;
    }
    return false;
}

}  // namespace

std::optional<ValidationFailure> ValidateInput(const FormInput& form, bool converterPresent) {
    using enum Severity;
    if (form.name.empty()) return Failure(1, "Please Enter Your Name", Error, FormControl::txtName);
    if (form.latitudeDegrees.empty())
        return Failure(2, "Please Enter Degree of Latitude", Error, FormControl::txtLatD);
    if (form.latitudeMinutes.empty())
        return Failure(3, "Please Enter Minutes of Latitude", Error, FormControl::txtLatM);
    if (form.longitudeDegrees.empty())
        return Failure(4, "Please Enter Degree of Longitude", Error, FormControl::txtLonD);
    if (form.longitudeMinutes.empty())
        return Failure(5, "Please Enter Minute of Longitude", Error, FormControl::txtLonM);
    if (form.city.empty())
        return Failure(6, "Please Enter Your City name", Error, FormControl::txtCity);
    if (form.state.empty())
        return Failure(7, "Please Enter Your State name", Error, FormControl::txtState);
    if (form.country.empty())
        return Failure(8, "Please Enter Your Country name", Error, FormControl::txtCountry);
    if (form.latitudeHemisphere != 0 && form.latitudeHemisphere != 1)
        return Failure(9, "Please Select Direction For The Latitude", Error, FormControl::None,
                       DefaultOption::North);
    if (form.longitudeHemisphere != 0 && form.longitudeHemisphere != 1)
        return Failure(10, "Please Select Direction For The Longitude", Error, FormControl::None,
                       DefaultOption::East);
    if (DegreesOutOfRange(form.latitudeDegrees, kMaxLatitude))
        return Failure(11, "Please Enter Degree of Latitude From 0 To 90", Error,
                       FormControl::txtLatD);
    if (MinutesOutOfRange(form.latitudeMinutes, form.latitudeDegrees, kMaxLatitude))
        return Failure(12, "Please Enter Minutes of Latitude From 0 To 59", Error,
                       FormControl::txtLatM);
    if (DegreesOutOfRange(form.longitudeDegrees, kMaxLongitude))
        return Failure(13, "Please Enter Degree of Longitude From 0 To 180", Error,
                       FormControl::txtLonD);
    if (MinutesOutOfRange(form.longitudeMinutes, form.longitudeDegrees, kMaxLongitude))
        return Failure(14, "Please Enter Minute of Longitude From 0 To 59", Error,
                       FormControl::txtLonM);
    if (NoMonth(form))
        return Failure(15, "Please Enter Correct Date Or Month!", Information,
                       FormControl::cboMonth);
    if (FebruaryDayTooLate(form))
        return Failure(16, "Please Enter Correct Date Or Month!", Information, FormControl::None);
    if (ThirtyFirstOfShortMonth(form))
        return Failure(17, "Please Enter Correct Date Or Month !", Information, FormControl::None);
    if (!converterPresent)
        return Failure(18, "Required File Is Missing. Please Reinstall The Software.", Error,
                       FormControl::None);
    return std::nullopt;
}

KeyVerdict FilterKey(KeyFilter filter, int charCode) {
    const int k = charCode;
    const bool editKey = k == 8 || k == 127;  // backspace, delete
    if (filter == KeyFilter::Letters) {
        bool letter = (k >= 65 && k <= 90) || (k >= 97 && k <= 122) || k == 32;
        if (letter || editKey) return {};
        return KeyVerdict{false, "Please enter only letters", true};
    }
    bool digit = k >= 48 && k <= 57;
    if (digit || editKey) return {};
    return KeyVerdict{false, "Please enter only numbers", false};
}

PlaceSearchRequest BuildPlaceSearch(const FormInput& form) {
    using enum Severity;
    if (form.city.empty())
        return {Failure(1, "Please Enter City", Error, FormControl::txtCity), {}};
    if (form.state.empty())
        return {Failure(2, "Please Enter State", Error, FormControl::txtState), {}};
    if (form.country.empty())
        return {Failure(3, "Please Enter Country", Error, FormControl::txtCountry), {}};
    return {std::nullopt,
            form.city + " " + form.state + " " + form.country + " Latitude Longitude"};
}

}  // namespace velloran
