#pragma once
// The fixed list of 71 time zones: display label, signed whole hours and signed minutes to add
// to local clock time to reach universal time.

#include <array>
#include <string>
#include <string_view>

namespace velloran {

inline constexpr int kZoneCount = 71;
inline constexpr int kZoneSlots = 72;  // slot 71 stays empty in all three tables

struct ZoneTables {
    std::array<std::string, kZoneSlots> ZoneLabels;
    std::array<std::string, kZoneSlots> ZoneHoursTable;
    std::array<std::string, kZoneSlots> ZoneMinutesTable;
};

// The zone list's row zoneIndex (0..kZoneCount-1) as values: the name and abbreviation its label
// shows first ("Eastern Standard Time", "EST") and its offset from UTC in seconds, east positive.
struct ZoneRowValues {
    std::string_view name;
    std::string_view abbreviation;
    int offsetSeconds = 0;
};
ZoneRowValues ZoneRowAt(int zoneIndex);

// Fills all three tables (the same values every time).
void LoadTimeZones(ZoneTables& tables);
const ZoneTables& TimeZones();

}  // namespace velloran
