#pragma once
// Date arithmetic shared by the station tests, on std::chrono (independent of the lookup's own).

#include <chrono>
#include <cstdio>
#include <string>

#include "retro/Retrogrades.h"

namespace velloran::testing {

inline std::chrono::sys_days DateOf(const StationMoment& m) {
    return std::chrono::sys_days{std::chrono::year{m.year} /
                                 std::chrono::month{static_cast<unsigned>(m.month)} /
                                 std::chrono::day{static_cast<unsigned>(m.day)}};
}

inline std::chrono::sys_days DateOf(const char* entry) { return DateOf(ParseStationEntry(entry)); }

// Minutes since 1970-01-01 0h UT.
inline long long MinutesOf(const StationMoment& m) {
    return DateOf(m).time_since_epoch().count() * 1440LL + m.hour * 60LL + m.minute;
}

// "YYYY-MM-DD" of an entry, for readable failure messages.
inline std::string DateText(const char* entry) {
    const StationMoment m = ParseStationEntry(entry);
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", m.year, m.month, m.day);
    return text;
}

}  // namespace velloran::testing
