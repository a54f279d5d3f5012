#pragma once
// The birth a calculation takes, from the birth-data form's values.

#include "domain/BirthData.h"
#include "input/FormInput.h"

namespace velloran {

// The birth the form's values give: names and places with their blanks trimmed, list positions
// as the numbers they show, the zone row's signed minutes to universal time, the typed
// coordinates as whole numbers. A value that does not convert (no selection, a text that is not
// a number) reads as 0; the form's checks refuse such values before a calculation.
BirthInput BirthFromForm(const FormInput& form);

}  // namespace velloran
