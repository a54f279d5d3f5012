#pragma once
// Reversible scrambling of stored texts: each character's byte raised by 85. Input and output
// texts are UTF-8; the scrambled form is a byte string that never holds the bytes 10 or 13.
// Plain ASCII keeps the classic one-byte form; characters the one-byte rule cannot hold get an
// escape form built from bytes below 85, which older readers skip.

#include <string>
#include <string_view>

namespace velloran {

std::string ScrambleText(std::string_view utf8Text);
std::string UnscrambleText(std::string_view scrambled);

}  // namespace velloran
