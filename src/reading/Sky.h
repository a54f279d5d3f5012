#pragma once
// The sky of a moment: where every body stands at a universal time, with the positions chosen
// (classic or precise), for transits to a draconic chart. A sky has no place, so no ascendant
// and no houses of its own.

#include <optional>
#include <string>
#include <string_view>

#include "domain/Chart.h"
#include "reading/Reading.h"

namespace velloran {

// A moment in universal time, to the minute.
struct SkyMoment {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0;
    bool operator==(const SkyMoment&) const = default;
};

// "YYYY-MM-DDTHH:MM", a real calendar date (the Gregorian calendar) and time; nothing else.
std::optional<SkyMoment> ParseSkyMoment(std::string_view text);
// The same form back: "2000-01-01T12:00".
std::string SkyMomentText(const SkyMoment& moment);

// Years whose sky each positions choice computes: the classic engine's are those the birth-data
// form offers; the Swiss Ephemeris files cover 1800 to 2399.
inline constexpr int kFirstPreciseSkyYear = 1800;
inline constexpr int kLastPreciseSkyYear = 2399;

struct SkyChart {
    SkyMoment moment;
    PositionsChoice positions;
    // Every body but the ascendant (its longitude NaN, no sign): longitudes, signs and
    // retrograde marks; houses counted from Aries.
    Chart chart;
    std::string note;  // the ephemeris's note when its files were missing
};

// The sky at moment with the positions of source; a message instead when the moment lies
// outside the years the chosen positions cover, or the ephemeris fails.
struct SkyResult {
    std::optional<SkyChart> sky;
    std::string error;
};
SkyResult ComputeSky(const SkyMoment& moment, const PositionsSource& source);

}  // namespace velloran
