#pragma once
// Date arithmetic shared by the station tests, on std::chrono (independent of the lookup's own).

#include <array>
#include <chrono>
#include <cstdio>
#include <ostream>
#include <string>
#include <string_view>

#include "domain/Bodies.h"
#include "retro/Retrogrades.h"

namespace velloran::testing {

// The five bodies with station tables.
inline constexpr std::array<ChartBody, 5> kTablePlanets = {
    ChartBody::Mercury, ChartBody::Venus, ChartBody::Mars, ChartBody::Jupiter, ChartBody::Saturn};

// The body's wheel name; "?" for a value outside the enumeration.
inline std::string_view NameOf(ChartBody body) {
    const int k = static_cast<int>(body);
    return k >= 0 && k < kPreciseBodyCount ? kBodyNames[k] : "?";
}

inline std::chrono::sys_days DateOf(const StationMoment& m) {
    return std::chrono::sys_days{std::chrono::year{m.year} /
                                 std::chrono::month{static_cast<unsigned>(m.month)} /
                                 std::chrono::day{static_cast<unsigned>(m.day)}};
}

// Minutes since 1970-01-01 0h UT.
inline long long MinutesOf(const StationMoment& m) {
    return DateOf(m).time_since_epoch().count() * 1440LL + m.hour * 60LL + m.minute;
}

// "YYYY-MM-DD" of a moment, for comparing dates and for readable failure messages.
inline std::string DateText(const StationMoment& m) {
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", m.year, m.month, m.day);
    return text;
}

// "YYYY-MM-DD HH:MM" of a moment, for failure messages.
inline std::string MomentText(const StationMoment& m) {
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d", m.year, m.month, m.day, m.hour,
                  m.minute);
    return text;
}

}  // namespace velloran::testing

namespace velloran {

// Test parameters and failures show a body by its name.
inline void PrintTo(ChartBody body, std::ostream* os) { *os << testing::NameOf(body); }

}  // namespace velloran
