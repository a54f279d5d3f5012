#include "input/TextRules.h"

#include <cstddef>

namespace velloran {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::optional<int16_t> WholeNumberOf(std::string_view text) {
    const std::string_view t = TrimBlanks(text);
    std::size_t i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) {
        negative = t[i] == '-';
        ++i;
    }
    std::size_t intStart = i;
    while (i < t.size() && IsDigit(t[i])) ++i;
    std::string_view intDigits(t.data() + intStart, i - intStart);
    std::string_view fracDigits;
    if (i < t.size() && t[i] == '.') {
        std::size_t fracStart = ++i;
        while (i < t.size() && IsDigit(t[i])) ++i;
        fracDigits = std::string_view(t.data() + fracStart, i - fracStart);
    }
    if (i != t.size() || (intDigits.empty() && fracDigits.empty())) return std::nullopt;

    // Magnitude of the whole part; anything beyond six significant digits is out of range anyway.
    std::size_t lead = intDigits.find_first_not_of('0');
    intDigits = lead == std::string_view::npos ? std::string_view{} : intDigits.substr(lead);
    if (intDigits.size() > 6) return std::nullopt;
    long magnitude = 0;
    for (char c : intDigits) magnitude = magnitude * 10 + (c - '0');

    // Round half to even on the exact decimal fraction.
    if (!fracDigits.empty()) {
        int firstFrac = fracDigits[0] - '0';
        bool restNonZero = fracDigits.substr(1).find_first_not_of('0') != std::string_view::npos;
        bool roundUp = firstFrac > 5 || (firstFrac == 5 && (restNonZero || magnitude % 2 == 1));
        if (roundUp) ++magnitude;
    }
    long value = negative ? -magnitude : magnitude;
    if (value < -32768 || value > 32767) return std::nullopt;
    return static_cast<int16_t>(value);
}

bool IsWholeNumberText(std::string_view text) {
    const std::string_view t = TrimBlanks(text);
    std::size_t i = (!t.empty() && (t[0] == '+' || t[0] == '-')) ? 1 : 0;
    if (i == t.size()) return false;
    for (; i < t.size(); ++i) {
        if (!IsDigit(t[i])) return false;
    }
    return true;
}

}  // namespace velloran
