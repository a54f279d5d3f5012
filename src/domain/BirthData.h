#pragma once
// A birth as the form and the reading file hold it.

#include <cstdint>
#include <string>

namespace velloran {

// The years a birth may have: the form's year list and the engine's tables cover them.
inline constexpr int kFirstYear = 1905;
inline constexpr int kLastYear = 2050;

// Numbers are 16-bit as the form and the file hold them; degrees and minutes carry no sign (the
// hemisphere is in LongEast / LatSouth).
struct BirthData {
    std::string Name;
    int16_t Month = 0;        // 1 = January .. 12
    int16_t Day = 0;          // 1..31
    int16_t Year = 0;         // 1905..2050 from the form
    int16_t Hour = 0;         // local clock time, 0..23
    int16_t Minute = 0;       // 0..59
    int16_t ZoneHours = 0;    // magnitude of the zone's whole hours, 0..13
    int16_t ZoneMinutes = 0;  // magnitude of the zone's extra minutes, 0 or 30
    int16_t LonDeg = 0;
    int16_t LonMin = 0;
    int16_t LatDeg = 0;
    int16_t LatMin = 0;
    bool LongEast = false;
    bool LatSouth = false;
    bool DaylightSaving = false;
    std::string City;
    std::string State;
    std::string Country;

    bool operator==(const BirthData&) const = default;
};

// What a calculation takes: the birth, the zone list's row it was typed with and that row's
// signed minutes to add to local clock time to reach universal time.
struct BirthInput {
    BirthData birth;
    int zoneIndex = -1;
    int zoneMinutesToUT = 0;
    bool operator==(const BirthInput&) const = default;
};

}  // namespace velloran
