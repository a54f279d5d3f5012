// The two text forms of a longitude (long "D° M' S\" Abb" and compact "DD Abb MM") and the
// decimal text that carries a draconic pass's raw longitudes. Locale-independent throughout.

#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <string_view>

#include "astro/Engine.h"
#include "astro/TimeScales.h"

namespace velloran {

namespace {

constexpr std::string_view kSignAbbreviations = "AriTauGemCanLeoVirLibScoSagCapAquPis";
constexpr std::string_view kDegreeSign = "\xC2\xB0";  // U+00B0 in UTF-8

std::string_view TrimBlanks(std::string_view s) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return s;
}

bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// Number of UTF-8 characters in s.
size_t CharacterCount(std::string_view s) {
    size_t n = 0;
    for (const char c : s) n += IsContinuationByte(c) ? 0 : 1;
    return n;
}

// The last n UTF-8 characters of s (all of s when it is shorter).
std::string_view LastCharacters(std::string_view s, int n) {
    size_t start = s.size();
    while (n > 0 && start > 0) {
        --start;
        if (!IsContinuationByte(s[start])) --n;
    }
    return s.substr(start);
}

// Appends a whole number 0..99 without leading zeros.
void AppendSmallNumber(std::string& out, int value) {
    if (value >= 10) out += static_cast<char>('0' + value / 10);
    out += static_cast<char>('0' + value % 10);
}

}  // namespace

std::string FormatSignPosition(double x) {
    if (!std::isfinite(x)) return {};
    const double v = std::fabs(x);
    double degrees = std::floor(v);
    const double fraction = v - degrees;
    const double t = 60.0 * fraction;
    const double minutes = std::floor(t);
    const double seconds = std::floor(60.0 * (t - minutes));
    const double sign = std::floor(degrees / 30.0);
    // The repeated subtraction of 30 from a whole number is exact, so it equals the remainder
    // (and stays bounded for any magnitude).
    degrees = std::fmod(degrees, 30.0);

    // Degrees 0..29, minutes and seconds 0..59 by construction.
    std::string text;
    text.reserve(20);
    AppendSmallNumber(text, static_cast<int>(degrees));
    text += kDegreeSign;
    text += ' ';
    AppendSmallNumber(text, static_cast<int>(minutes));
    text += "' ";
    AppendSmallNumber(text, static_cast<int>(seconds));
    text += "\" ";
    if (sign >= 0.0 && sign < 12.0) {
        text += kSignAbbreviations.substr(3 * static_cast<size_t>(sign), 3);
    }
    return text;
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

    std::string result;
    result.reserve(degrees.size() + sign.size() + minutes.size() + 4);
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
    // The decimal exponent after rounding to 15 significant digits decides the decimals.
    char buffer[512];
    char* const end = buffer + sizeof buffer;
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
