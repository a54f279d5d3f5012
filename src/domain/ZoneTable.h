#pragma once
// The fixed list of 71 time zones: display label, signed whole hours and signed minutes to add
// to local clock time to reach universal time.

#include <array>
#include <string>

namespace velloran {

inline constexpr int kZoneCount = 71;
inline constexpr int kZoneSlots = 72;  // slot 71 stays empty in all three tables

struct ZoneTables {
    std::array<std::string, kZoneSlots> ZoneLabels;
    std::array<std::string, kZoneSlots> ZoneHoursTable;
    std::array<std::string, kZoneSlots> ZoneMinutesTable;
};

// Fills all three tables (the same values every time).
void LoadTimeZones(ZoneTables& tables);
const ZoneTables& TimeZones();

}  // namespace velloran
