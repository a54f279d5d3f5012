#pragma once
// Copying the birth-data form's values into the reading state.

#include "input/FormInput.h"
#include "input/ReadingState.h"

namespace velloran {

// Copies the form's values into state.Birth and the zone texts, in the fixed order. A text that
// does not convert leaves its field as it was.
void CopyFormToState(const FormInput& form, ReadingState& state);

}  // namespace velloran
