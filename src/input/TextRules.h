#pragma once
// Text rules of the form copy, the checks and the reading file: the conversion of a typed text to
// a 16-bit whole number.

#include <cstdint>
#include <optional>
#include <string_view>

#include "domain/Text.h"  // TrimBlanks, which every user of these rules needs too

namespace velloran {

// A text of decimal digits with an optional sign and optional fraction, blanks around it allowed,
// converted to a whole number: a fraction rounds half to even on the exact decimal value. Nothing
// when the text is not numeric or the rounded value lies outside -32768..32767.
std::optional<int16_t> WholeNumberOf(std::string_view text);

// True for an optional sign followed by at least one decimal digit and nothing else (after the
// blanks are trimmed). No range limit.
bool IsWholeNumberText(std::string_view text);

}  // namespace velloran
