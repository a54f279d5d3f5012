#include "retro/Retrogrades.h"

#include <algorithm>
#include <array>

#include "domain/Bodies.h"
#include "retro/StationTables.h"

namespace velloran {
namespace {

constexpr int kFirstPlanetIndex = static_cast<int>(ChartBody::Mercury);
constexpr int kLastPlanetIndex = static_cast<int>(ChartBody::Saturn);
static_assert(CanBeRetrograde(ChartBody::Mercury) && CanBeRetrograde(ChartBody::Saturn) &&
              !CanBeRetrograde(ChartBody::Moon) && !CanBeRetrograde(ChartBody::NorthNode));

// Years accepted as dates at all; far wider than the tables, narrow enough for DateKey.
constexpr int kMinYear = -32767;
constexpr int kMaxYear = 32767;

constexpr bool IsLeapYear(int year) {
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

// Whether the proleptic Gregorian date exists.
constexpr bool IsDate(int year, int month, int day) {
    constexpr std::array<int, 12> kMonthDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (year < kMinYear || year > kMaxYear || month < 1 || month > 12 || day < 1) {
        return false;
    }
    const int monthDays = month == 2 && IsLeapYear(year) ? 29 : kMonthDays[month - 1];
    return day <= monthDays;
}

// A number that orders existing dates as the calendar does; the tables are compared by it
// directly, so nothing is converted at start-up.
constexpr int DateKey(int year, int month, int day) { return (year * 16 + month) * 32 + day; }
constexpr int DateKey(const StationMoment& m) { return DateKey(m.year, m.month, m.day); }

static_assert(IsDate(2000, 2, 29) && IsDate(1980, 2, 29) && !IsDate(1900, 2, 29) &&
              !IsDate(1981, 4, 31) && !IsDate(1980, 13, 1));
static_assert(DateKey(1979, 12, 31) < DateKey(1980, 1, 1) &&
              DateKey(1980, 1, 31) < DateKey(1980, 2, 1) &&
              DateKey(kMinYear, 1, 1) < DateKey(kMaxYear, 12, 31));

}  // namespace

std::span<const StationPair> StationTable(ChartBody body) {
    switch (body) {
        case ChartBody::Mercury:
            return stationdata::kMercury;
        case ChartBody::Venus:
            return stationdata::kVenus;
        case ChartBody::Mars:
            return stationdata::kMars;
        case ChartBody::Jupiter:
            return stationdata::kJupiter;
        case ChartBody::Saturn:
            return stationdata::kSaturn;
        default:
            return {};
    }
}

// The pairs are in time order and do not overlap, so their dates never decrease: only the first
// pair whose direct date lies after the birth date can contain it.
bool IsRetrograde(ChartBody body, int year, int month, int day) {
    if (!IsDate(year, month, day)) {
        return false;
    }
    const int birth = DateKey(year, month, day);
    const std::span<const StationPair> table = StationTable(body);
    const auto pair = std::upper_bound(
        table.begin(), table.end(), birth,
        [](int birthKey, const StationPair& p) { return birthKey < DateKey(p.direct); });
    return pair != table.end() && DateKey(pair->retrograde) < birth;
}

std::array<bool, kBodyCount> RetrogradeBodies(int year, int month, int day) {
    std::array<bool, kBodyCount> retrograde{};
    for (int k = kFirstPlanetIndex; k <= kLastPlanetIndex; ++k) {
        retrograde[k] = IsRetrograde(static_cast<ChartBody>(k), year, month, day);
    }
    return retrograde;
}

}  // namespace velloran
