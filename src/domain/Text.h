#pragma once
// Small text helpers shared by every layer: blank trimming, counting UTF-8 characters, digits
// read and written.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace velloran {

// The text without leading and trailing blanks (space characters only); a view into text.
inline std::string_view TrimBlanks(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// True for the second and later bytes of a UTF-8 sequence.
constexpr bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// Length of the valid UTF-8 sequence at text[at] (1 to 4 bytes, shortest form, no encoded
// surrogate, at most U+10FFFF); 0 when the bytes there are not one.
inline std::size_t Utf8SequenceLength(std::string_view text, std::size_t at) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char first = byte(at);
    if (first < 0x80) return 1;
    std::size_t length = 0;
    char32_t code = 0, least = 0;
    if (first >= 0xC2 && first <= 0xDF) {
        length = 2, least = 0x80, code = first & 0x1F;
    } else if (first >= 0xE0 && first <= 0xEF) {
        length = 3, least = 0x800, code = first & 0x0F;
    } else if (first >= 0xF0 && first <= 0xF4) {
        length = 4, least = 0x10000, code = first & 0x07;
    } else {
        return 0;
    }
    if (at + length > text.size()) return 0;
    for (std::size_t k = 1; k < length; ++k) {
        if (!IsContinuationByte(text[at + k])) return 0;
        code = (code << 6) | (byte(at + k) & 0x3F);
    }
    if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
    return length;
}

// Number of UTF-8 characters in text (every byte that does not continue a sequence counts).
inline std::size_t CharacterCount(std::string_view text) {
    std::size_t n = 0;
    for (const char c : text) n += IsContinuationByte(c) ? 0 : 1;
    return n;
}

// The last count UTF-8 characters of text (all of it when it is shorter).
inline std::string_view LastCharacters(std::string_view text, std::size_t count) {
    std::size_t start = text.size();
    while (count > 0 && start > 0) {
        --start;
        if (!IsContinuationByte(text[start])) --count;
    }
    return text.substr(start);
}

// The number written by text, which holds decimal digits only (no sign, no blank; at most nine);
// nothing for any other text, the empty one included.
inline std::optional<int> DecimalDigits(std::string_view text) {
    if (text.empty() || text.size() > 9) return std::nullopt;
    int value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

// A number 0..99 as two digits: "07", "12".
inline std::string TwoDigits(int n) {
    return {static_cast<char>('0' + n / 10 % 10), static_cast<char>('0' + n % 10)};
}

}  // namespace velloran
