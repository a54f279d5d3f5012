#pragma once
// Text rules shared by the engine, the form copy, the reading file and the command-line tool:
// trimming of blanks and the conversion of a typed text to a 16-bit whole number.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace velloran {

// The text without leading and trailing blanks (space characters only); a view into text.
// Inline, so that the engine, which links no other core library, uses it too.
inline std::string_view TrimBlanks(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// A text of decimal digits with an optional sign and optional fraction, blanks around it allowed,
// converted to a whole number: a fraction rounds half to even on the exact decimal value. Nothing
// when the text is not numeric or the rounded value lies outside -32768..32767.
std::optional<int16_t> WholeNumberOf(std::string_view text);

// True for an optional sign followed by at least one decimal digit and nothing else (after the
// blanks are trimmed). No range limit.
bool IsWholeNumberText(std::string_view text);

}  // namespace velloran
