// The two text forms of a longitude (long "D° M' S\" Abb" and compact "DD Abb MM") and the
// decimal text that carries a draconic pass's raw longitudes. Locale-independent throughout.

#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <string_view>

#include "astro/Engine.h"
#include "astro/PositionTextInternal.h"
#include "astro/TimeScales.h"
#include "domain/Bodies.h"
#include "domain/SignPosition.h"
#include "domain/Text.h"

namespace velloran {

namespace {

constexpr std::string_view kDegreeSign = "\xC2\xB0";  // U+00B0 in UTF-8

// Writes a whole number 0..99 without leading zeros.
char* PutSmallNumber(char* out, int value) {
    if (value >= 10) *out++ = static_cast<char>('0' + value / 10);
    *out++ = static_cast<char>('0' + value % 10);
    return out;
}

char* PutText(char* out, std::string_view text) {
    for (const char c : text) *out++ = c;
    return out;
}

std::string_view SignAbbreviation(double sign) {
    if (!(sign >= 0.0 && sign < 12.0)) return {};
    return kSignAbbreviations[static_cast<size_t>(sign)];
}

}  // namespace

bool FormatSignPositionInto(double x, LongFormBuffer& out) {
    out.size = 0;
    if (!std::isfinite(x)) return false;
    const SignParts parts = SplitSignPosition(x);
    char* p = out.text;  // at most 16 bytes
    p = PutSmallNumber(p, parts.degrees);
    p = PutText(p, kDegreeSign);
    *p++ = ' ';
    p = PutSmallNumber(p, parts.minutes);
    *p++ = '\'';
    *p++ = ' ';
    p = PutSmallNumber(p, parts.seconds);
    *p++ = '"';
    *p++ = ' ';
    p = PutText(p, SignAbbreviation(parts.sign));
    out.size = static_cast<size_t>(p - out.text);
    return true;
}

std::string FormatSignPosition(double x) {
    LongFormBuffer buffer;
    FormatSignPositionInto(x, buffer);
    return std::string(buffer.View());
}

bool TryCompactSignPosition(std::string_view longForm, std::string* compact) {
    const std::string_view u = TrimBlanks(longForm);
    const size_t p = u.find(kDegreeSign);
    if (p == std::string_view::npos) return false;
    const size_t q = u.find('\'');
    if (q == std::string_view::npos || q < p) return false;
    const size_t afterDegree = p + kDegreeSign.size();
    const std::string_view degrees = TrimBlanks(u.substr(0, p));
    const std::string_view minutes = TrimBlanks(u.substr(afterDegree, q - afterDegree));
    const std::string_view sign = TrimBlanks(LastCharacters(longForm, 3));

    std::string result;  // built apart: longForm may view *compact itself
    if (CharacterCount(degrees) <= 1) result += '0';
    result += degrees;
    result += ' ';
    result += sign;
    result += ' ';
    if (CharacterCount(minutes) <= 1) result += '0';
    result += minutes;
    *compact = std::move(result);
    return true;
}

std::string CompactSignPosition(std::string_view longForm) {
    std::string compact;
    return TryCompactSignPosition(longForm, &compact) ? compact : std::string();
}

std::string DecimalText(double value) {
    if (!std::isfinite(value)) return {};
    if (value == 0.0) return "0";
    char buffer[512];
    char* const end = buffer + sizeof buffer;
    // The general form with 15 digits is exactly the fixed form below whenever it needs no
    // exponent (decimal exponent -4..14, which covers every longitude from 0.0001 degrees on).
    const auto general = std::to_chars(buffer, end, value, std::chars_format::general, 15);
    const std::string_view generalText(buffer, general.ptr);
    if (generalText.find('e') == std::string_view::npos) return std::string(generalText);

    // The decimal exponent after rounding to 15 significant digits decides the decimals.
    const auto scientific = std::to_chars(buffer, end, value, std::chars_format::scientific, 14);
    const std::string_view sci(buffer, scientific.ptr);
    std::string_view exponentText = sci.substr(sci.find('e') + 1);
    if (exponentText.front() == '+') exponentText.remove_prefix(1);
    int exponent = 0;
    std::from_chars(exponentText.data(), exponentText.data() + exponentText.size(), exponent);
    if (exponent > 14) {
        // Whole numbers beyond 15 digits: the 15 rounded digits, then zeros (never an exponent).
        std::string digits;
        if (sci.front() == '-') digits += '-';
        for (const char c : sci.substr(0, sci.find('e'))) {
            if (c >= '0' && c <= '9') digits += c;
        }
        digits.append(static_cast<size_t>(exponent - 14), '0');
        return digits;
    }
    const auto fixed = std::to_chars(buffer, end, value, std::chars_format::fixed, 14 - exponent);
    std::string_view text(buffer, fixed.ptr);
    if (text.find('.') != std::string_view::npos) {
        while (text.back() == '0') text.remove_suffix(1);
        if (text.back() == '.') text.remove_suffix(1);
    }
    return std::string(text);
}

double ParseDecimalText(const std::string& text, bool* ok) {
    const std::string_view s = TrimBlanks(text);
    double value = 0.0;
    const auto result = std::from_chars(s.data(), s.data() + s.size(), value);
    const bool converted = !s.empty() && result.ec == std::errc() &&
                           result.ptr == s.data() + s.size() && std::isfinite(value);
    if (ok) *ok = converted;
    return converted ? value : 0.0;
}

}  // namespace velloran
