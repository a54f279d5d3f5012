#pragma once
// Minimal UTF-8 decoding and encoding for the stored-text forms.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace velloran {

inline constexpr char32_t kReplacementChar = 0xFFFD;

// Code points of a UTF-8 text; each byte that does not start a valid, shortest-form sequence
// becomes U+FFFD and decoding resumes at the next byte.
std::vector<char32_t> DecodeUtf8(std::string_view bytes);
void AppendUtf8(std::string& out, char32_t c);
// The text with every invalid byte replaced by U+FFFD.
std::string SanitizeUtf8(std::string_view bytes);

}  // namespace velloran
