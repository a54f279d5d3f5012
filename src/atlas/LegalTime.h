#pragma once
// The legal time of an IANA zone at an instant, behind a small interface so the atlas stays free
// of any time-zone library (the program answers it from Qt's QTimeZone, tests from a table).

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace velloran {

struct LegalTime {
    int utcOffsetSeconds = 0;       // local clock minus UTC, east positive
    int standardOffsetSeconds = 0;  // the standard (non-daylight) part of it
    bool daylightSaving = false;
    std::string abbreviation;  // in force: "EDT", "BDST", "+0545"
    // The names of the standard time around then, nearest first: its own when no daylight
    // saving is in force, then those of the periods before and after with the same standard
    // offset ("EST"; for Paris in 1944 "WEST", "CET").
    std::vector<std::string> standardAbbreviations;
};

class LegalTimeSource {
public:
    virtual ~LegalTimeSource() = default;
    // The legal time in the zone at `utcSeconds` (seconds since 1970-01-01 00:00 UTC); nothing
    // when the zone id is unknown.
    virtual std::optional<LegalTime> At(const std::string& ianaId,
                                        std::int64_t utcSeconds) const = 0;
};

}  // namespace velloran
