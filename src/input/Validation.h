#pragma once
// The form's validation and key filters as pure functions.

#include <optional>
#include <string>

#include "input/FormInput.h"

namespace velloran {

// How a refusal is shown: as an error, or as a notice about the calendar date.
enum class Severity { Error, Information };

// The form's controls that a message can send the focus to.
enum class FormControl {
    None,
    txtName,
    txtLatD,
    txtLatM,
    txtLonD,
    txtLonM,
    txtCity,
    txtState,
    txtCountry,
    cboMonth
};

enum class DefaultOption { None, North, East };

struct ValidationFailure {
    int check = 0;  // 1..18, the order of the checks
    std::string message;
    Severity severity = Severity::Error;
    FormControl focus = FormControl::None;
    DefaultOption select = DefaultOption::None;
};

// The first failing check, or nothing when the form may be calculated. converterPresent tells
// whether the JPEG converter library lies in the program's folder.
std::optional<ValidationFailure> ValidateInput(const FormInput& form, bool converterPresent);

enum class KeyFilter { Letters, Numbers };
struct KeyVerdict {
    bool accepted = true;
    std::string message;  // when refused
    bool focusSameBox = false;
};
// Judges one typed character code (Enter, 13, is refused too).
KeyVerdict FilterKey(KeyFilter filter, int charCode);

// Checks of the "find latitude and longitude" button; on success the search text.
struct PlaceSearchRequest {
    std::optional<ValidationFailure> failure;
    std::string searchText;
};
PlaceSearchRequest BuildPlaceSearch(const FormInput& form);

}  // namespace velloran
