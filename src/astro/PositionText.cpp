// The two text forms of a longitude (long "D° M' S\" Abb" and compact "DD Abb MM"), and the
// rounding of a longitude to 15 significant digits. Locale-independent throughout.

#include <charconv>
#include <cmath>
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

std::string CompactPosition(double x) {
    if (!std::isfinite(x)) return {};
    const SignParts parts = SplitSignPosition(x);
    const std::string_view sign = SignAbbreviation(parts.sign);
    // Beyond the last sign the long form has no abbreviation, and its compact form is cut from
    // whatever the long form ends in: made the long way.
    if (sign.empty()) return CompactSignPosition(FormatSignPosition(x));
    return {static_cast<char>('0' + parts.degrees / 10),
            static_cast<char>('0' + parts.degrees % 10),
            ' ',
            sign[0],
            sign[1],
            sign[2],
            ' ',
            static_cast<char>('0' + parts.minutes / 10),
            static_cast<char>('0' + parts.minutes % 10)};
}

std::string CompactSignPosition(std::string_view longForm) {
    std::string compact;
    return TryCompactSignPosition(longForm, &compact) ? compact : std::string();
}

double RoundToFifteenDigits(double value) {
    if (!std::isfinite(value) || value == 0.0) return value;
    // The shortest text of 15 significant digits names the decimal; reading it back gives the
    // double nearest to it.
    char buffer[64];
    const auto written =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 14);
    double rounded = 0.0;
    std::from_chars(buffer, written.ptr, rounded);
    return rounded;
}

}  // namespace velloran
