#pragma once
// Text folding for place search: accents dropped and letters lowered, so "Zürich", "ZURICH" and
// "zurich" compare equal.

#include <string>
#include <string_view>

namespace velloran {

// The UTF-8 text transliterated to ASCII (glib's tables: "ü" -> "u", "ß" -> "ss") and lowered;
// characters without a transliteration become "?". Leading and trailing blanks are kept.
std::string FoldForSearch(std::string_view utf8);

}  // namespace velloran
