#pragma once
// The icon of a message box, and the icon a form refusal is shown with.

#include "input/Validation.h"

namespace velloran {

enum class MessageIcon { Error, Information, Question };

constexpr MessageIcon IconFor(Severity severity) {
    return severity == Severity::Information ? MessageIcon::Information : MessageIcon::Error;
}

}  // namespace velloran
