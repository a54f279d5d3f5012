#include "retro/Retrogrades.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <chrono>
#include <optional>
#include <vector>

#include "domain/Bodies.h"
#include "retro/StationTables.h"

namespace velloran {
namespace {

// The five planets with station tables, Mercury to Saturn in chart order.
constexpr int kFirstPlanetIndex = static_cast<int>(ChartBody::Mercury);
constexpr std::array<std::string_view, 5> kPlanetNames = {
    kBodyNames[kFirstPlanetIndex], kBodyNames[kFirstPlanetIndex + 1],
    kBodyNames[kFirstPlanetIndex + 2], kBodyNames[kFirstPlanetIndex + 3],
    kBodyNames[kFirstPlanetIndex + 4]};
static_assert(kPlanetNames.back() == "Saturn");
static_assert(CanBeRetrograde(ChartBody::Mercury) && CanBeRetrograde(ChartBody::Saturn) &&
              !CanBeRetrograde(ChartBody::Moon) && !CanBeRetrograde(ChartBody::NorthNode));

// Days since 1970-01-01 of a proleptic Gregorian date; nullopt when the date does not exist.
// The range checks come first because std::chrono leaves out-of-range field values unspecified.
std::optional<int> DaySerial(int year, int month, int day) {
    if (month < 1 || month > 12 || day < 1 || day > 31 || year < -32767 || year > 32767) {
        return std::nullopt;
    }
    const std::chrono::year_month_day date{std::chrono::year{year},
                                           std::chrono::month{static_cast<unsigned>(month)},
                                           std::chrono::day{static_cast<unsigned>(day)}};
    if (!date.ok()) {
        return std::nullopt;
    }
    return static_cast<int>(std::chrono::sys_days{date}.time_since_epoch().count());
}

// A station pair reduced to its two UT calendar dates, as day serials.
struct StationDates {
    int retrograde;
    int direct;
};
using PlanetDates = std::vector<StationDates>;

PlanetDates ParseTable(std::span<const StationPair> table) {
    PlanetDates dates;
    dates.reserve(table.size());
    for (const StationPair& pair : table) {
        const StationMoment r = ParseStationEntry(pair.retrograde);
        const StationMoment d = ParseStationEntry(pair.direct);
        const std::optional<int> rDay = DaySerial(r.year, r.month, r.day);
        const std::optional<int> dDay = DaySerial(d.year, d.month, d.day);
        if (rDay && dDay) {
            dates.push_back({*rDay, *dDay});
        }
    }
    return dates;
}

// The station dates of a planet, parsed once; nullptr for a name that is not one of the five.
const PlanetDates* StationDatesOf(std::string_view planetName) {
    static const std::array<PlanetDates, kPlanetNames.size()> parsed = [] {
        std::array<PlanetDates, kPlanetNames.size()> tables;
        for (std::size_t i = 0; i < kPlanetNames.size(); ++i) {
            tables[i] = ParseTable(StationTable(kPlanetNames[i]));
        }
        return tables;
    }();
    const auto it = std::find(kPlanetNames.begin(), kPlanetNames.end(), planetName);
    return it == kPlanetNames.end() ? nullptr : &parsed[it - kPlanetNames.begin()];
}

// Whole-number field of a station entry; 0 when the text is not entirely a number.
int FieldValue(std::string_view field) {
    int value = 0;
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
    return error == std::errc{} && end == field.data() + field.size() ? value : 0;
}

}  // namespace

std::span<const StationPair> StationTable(std::string_view planetName) {
    const std::span<const StationPair> tables[kPlanetNames.size()] = {
        stationdata::kMercury, stationdata::kVenus, stationdata::kMars, stationdata::kJupiter,
        stationdata::kSaturn};
    const auto it = std::find(kPlanetNames.begin(), kPlanetNames.end(), planetName);
    return it == kPlanetNames.end() ? std::span<const StationPair>{}
                                    : tables[it - kPlanetNames.begin()];
}

StationMoment ParseStationEntry(std::string_view entry) {
    std::array<int, 5> fields{};
    for (int& field : fields) {
        const std::size_t comma = entry.find(',');
        field = FieldValue(entry.substr(0, comma));
        if (comma == std::string_view::npos) {
            break;
        }
        entry.remove_prefix(comma + 1);
    }
    return {fields[0], fields[1], fields[2], fields[3], fields[4]};
}

// The pairs are in time order and do not overlap, so their dates never decrease: only the first
// pair whose direct date lies after the birth date can contain it.
bool IsRetrograde(std::string_view planetName, int year, int month, int day) {
    const PlanetDates* dates = StationDatesOf(planetName);
    const std::optional<int> birth = DaySerial(year, month, day);
    if (dates == nullptr || !birth) {
        return false;
    }
    const auto pair =
        std::upper_bound(dates->begin(), dates->end(), *birth,
                         [](int birthDay, const StationDates& p) { return birthDay < p.direct; });
    return pair != dates->end() && pair->retrograde < *birth;
}

std::array<bool, kBodyCount> RetrogradeBodies(int year, int month, int day) {
    std::array<bool, kBodyCount> retrograde{};
    for (std::size_t i = 0; i < kPlanetNames.size(); ++i) {
        retrograde[kFirstPlanetIndex + i] = IsRetrograde(kPlanetNames[i], year, month, day);
    }
    return retrograde;
}

}  // namespace velloran
