#pragma once
// Helpers shared by the engine tests: births, the zone list, angle distance and text shapes.

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

#include "domain/BirthData.h"

namespace velloran::testing {

// Distance between two angles in degrees, with wraparound; [0, 180].
inline double AngleDistance(double a, double b) {
    const double d = std::fmod(std::fabs(a - b), 360.0);
    return d > 180.0 ? 360.0 - d : d;
}

inline bool SameBits(double a, double b) {
    return std::bit_cast<uint64_t>(a) == std::bit_cast<uint64_t>(b);
}

struct BirthSpec {
    int year, month, day, hour, minute;
    int lonDeg, lonMin;
    bool east;
    int latDeg, latMin;
    bool south;
    bool dst;
    int zoneMinutesToUT;  // signed minutes to add to local time to reach UT (EST: 300)
};

inline BirthData MakeBirth(const BirthSpec& s) {
    BirthData b;
    b.Name = "Test";
    b.Year = static_cast<int16_t>(s.year);
    b.Month = static_cast<int16_t>(s.month);
    b.Day = static_cast<int16_t>(s.day);
    b.Hour = static_cast<int16_t>(s.hour);
    b.Minute = static_cast<int16_t>(s.minute);
    b.LonDeg = static_cast<int16_t>(s.lonDeg);
    b.LonMin = static_cast<int16_t>(s.lonMin);
    b.LongEast = s.east;
    b.LatDeg = static_cast<int16_t>(s.latDeg);
    b.LatMin = static_cast<int16_t>(s.latMin);
    b.LatSouth = s.south;
    b.DaylightSaving = s.dst;
    return b;
}

// New York, 1980-01-15 10:30 local (Eastern Standard Time): the ascendant's worked example.
inline BirthSpec NewYork1980() {
    return {1980, 1, 15, 10, 30, 74, 0, false, 40, 43, false, false, 300};
}

// The 71 rows of the zone list: hours and minutes to add to local time to reach universal time.
struct ZoneRow {
    int hours;
    int minutes;
};
inline constexpr std::array<ZoneRow, 71> kZoneRows = {{
    {9, 0},     {10, 0},    {9, 0},    {4, 0},    {3, 0},    {-10, -30}, {-9, -30}, {-11, 0},
    {-10, 0},   {-9, 0},    {-8, 0},   {2, 0},    {-3, 0},   {11, 0},    {3, 0},    {-2, 0},
    {-1, 0},    {-2, 0},    {5, 0},    {-2, 0},   {-1, 0},   {6, 0},     {5, 0},    {-8, 0},
    {4, 0},     {-3, 0},    {-2, 0},   {5, 0},    {4, 0},    {0, 0},     {-10, 0},  {9, 30},
    {10, 30},   {9, 30},    {-5, -30}, {-12, 0},  {12, 0},   {-3, -30},  {-9, 0},   {-7, -30},
    {-2, 0},    {-1, 0},    {-8, -30}, {6, 0},    {7, 0},    {6, 0},     {-13, 0},  {-12, 0},
    {-12, -30}, {-11, -30}, {3, 30},   {11, 0},   {-6, -30}, {7, 0},     {8, 0},    {7, 0},
    {-10, -30}, {-10, -30}, {-9, -30}, {-9, -30}, {-7, 0},   {0, 0},     {-11, 0},  {-4, 0},
    {-5, 0},    {-6, 0},    {-7, 0},   {1, 0},    {8, 0},    {9, 0},     {8, 0},
}};

inline bool IsDigits(std::string_view s) {
    if (s.empty()) return false;
    for (const char c : s) {
        if (c < '0' || c > '9') return false;
    }
    return true;
}

inline constexpr std::string_view kSigns = "AriTauGemCanLeoVirLibScoSagCapAquPis";

// Long form "D° M' S\" Abb" of a longitude in (-360, 360) (shown by magnitude): the numbers agree
// with the longitude's degrees within the sign, minutes and seconds up to one second of rounding
// slack.
inline bool LongFormMatches(const std::string& text, double longitude) {
    const size_t deg = text.find("\xC2\xB0 ");
    const size_t min = text.find("' ");
    const size_t sec = text.find("\" ");
    if (deg == std::string::npos || min == std::string::npos || sec == std::string::npos ||
        !(deg < min && min < sec) || sec + 5 != text.size()) {
        return false;
    }
    const std::string_view t(text);
    const std::string_view d = t.substr(0, deg), m = t.substr(deg + 3, min - deg - 3),
                           s = t.substr(min + 2, sec - min - 2), sign = t.substr(sec + 2);
    if (!IsDigits(d) || !IsDigits(m) || !IsDigits(s)) return false;
    if ((d.size() > 1 && d[0] == '0') || (m.size() > 1 && m[0] == '0') ||
        (s.size() > 1 && s[0] == '0')) {
        return false;  // no leading zeros
    }
    const size_t signIndex = kSigns.find(sign);
    if (signIndex == std::string_view::npos || signIndex % 3 != 0) return false;
    const double shown = static_cast<double>(signIndex / 3) * 30.0 + std::stod(std::string(d)) +
                         std::stod(std::string(m)) / 60.0 + std::stod(std::string(s)) / 3600.0;
    const double behind = std::fabs(longitude) - shown;  // truncated: never runs ahead
    return behind > -1e-9 && behind < 1.0 / 3600.0 + 1e-9;
}

// Compact form "DD Abb MM" of a longitude in (-360, 360), checked against its magnitude.
inline bool CompactFormMatches(const std::string& text, double longitude) {
    if (text.size() != 9 || text[2] != ' ' || text[6] != ' ') return false;
    const std::string_view t(text);
    if (!IsDigits(t.substr(0, 2)) || !IsDigits(t.substr(7, 2))) return false;
    const size_t signIndex = kSigns.find(t.substr(3, 3));
    if (signIndex == std::string_view::npos || signIndex % 3 != 0) return false;
    const double shown = static_cast<double>(signIndex / 3) * 30.0 +
                         std::stod(std::string(t.substr(0, 2))) +
                         std::stod(std::string(t.substr(7, 2))) / 60.0;
    const double behind = std::fabs(longitude) - shown;
    return behind > -1e-9 && behind < 1.0 / 60.0 + 1e-9;
}

}  // namespace velloran::testing
