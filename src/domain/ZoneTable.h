#pragma once
// The fixed list of 71 time zones: each row's label and the signed minutes to add to local clock
// time to reach universal time.

#include <string_view>

namespace velloran {

inline constexpr int kZoneCount = 71;

// The zone list's row zoneIndex (0..kZoneCount-1) as values: the label the list shows
// ("Eastern Standard Time,EST,-5.0"), the name and abbreviation it shows first ("Eastern Standard
// Time", "EST"), its offset from UTC in seconds, east positive, and the whole minutes to add to
// local clock time to reach universal time (300 for EST, -570 for ACST).
struct ZoneRowValues {
    std::string_view label;
    std::string_view name;
    std::string_view abbreviation;
    int offsetSeconds = 0;
    int minutesToUT = 0;
};
// Empty texts and no offset for an index outside the list.
ZoneRowValues ZoneRowAt(int zoneIndex);

// True for a row that is a zone's daylight-saving time ("Eastern Daylight Time", "British Summer
// Time"): its offset has the hour of daylight saving in it already.
bool ZoneRowIsDaylightTime(int zoneIndex);

// The label of row zoneIndex; empty for an index outside the list.
std::string_view ZoneLabel(int zoneIndex);

}  // namespace velloran
