#pragma once
// Reading the glyph outlines from font files: the symbol font (Symbola) and the text font (DejaVu
// Sans or the nearest sans). SystemGlyphOutlines (Outline.h) finds the files with fontconfig and
// loads them with this.

#include <string>
#include <string_view>

#include "glyphs/Outline.h"

namespace velloran {

// The astrological symbols the wheel draws: bodies, signs, aspects and ℞.
inline constexpr std::u32string_view kAstrologicalSymbols =
    U"\u2609\u263D\u263F\u2640\u2642\u2643\u2644\u260A\u260B\u2645\u2646\u2647\u26B7"
    U"\u26B3\u26B4\u26B5\u26B6\u26B8"
    U"\u2648\u2649\u264A\u264B\u264C\u264D\u264E\u264F\u2650\u2651\u2652\u2653"
    U"\u260C\u260D\u25A1\u25B3\u26B9\u211E";

// What the text font gives: digits, letters, the degree and minute marks, space, '-', '.' and the
// punctuation of the wheel's caption.
inline constexpr std::u32string_view kTextCharacters =
    U"0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz\u00B0' -.,:;/()+";

// The outlines of kAstrologicalSymbols from symbolFont and of kTextCharacters from textFont (or
// from symbolFont for those textFont lacks). A path that is empty, missing or not a font gives no
// outlines; hasSymbols() is true only when every symbol was found, and note() then says why not.
GlyphOutlines LoadGlyphOutlines(const std::string& symbolFont, const std::string& textFont);

}  // namespace velloran
