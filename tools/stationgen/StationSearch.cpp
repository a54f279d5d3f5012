#include "StationSearch.h"

#include <swephexp.h>

#include <stdexcept>

namespace velloran::stationgen {
namespace {

constexpr std::int32_t kFlags = SEFLG_SWIEPH | SEFLG_SPEED;
// Consecutive stations of any planet lie weeks apart; closer ones mean the scan went wrong.
constexpr UtSeconds kMinStationGap = 5 * kSecondsPerDay;
// The direct station after the last retrograde one lies at most this far later (Saturn ~141 d).
constexpr UtSeconds kDirectSearchReach = 200 * kSecondsPerDay;

double EpochJd() { return swe_julday(kEpochYear, kEpochMonth, 1, 0.0, SE_GREG_CAL); }

double ToJd(UtSeconds t) {
    return EpochJd() + static_cast<double>(t) / static_cast<double>(kSecondsPerDay);
}

// Apparent geocentric ecliptic longitude speed, degrees per day, from the file ephemeris only.
double LongitudeSpeed(int planet, UtSeconds t) {
    double xx[6] = {};
    char serr[AS_MAXCH] = "";
    const std::int32_t ret = swe_calc_ut(ToJd(t), planet, kFlags, xx, serr);
    if (ret < 0) {
        throw std::runtime_error(std::string("swe_calc_ut failed: ") + serr);
    }
    if ((ret & SEFLG_SWIEPH) == 0) {
        throw std::runtime_error(
            std::string("Swiss Ephemeris file ephemeris not used (Moshier fallback): ") + serr);
    }
    return xx[3];
}

bool IsRetrogradeAt(int planet, UtSeconds t) { return LongitudeSpeed(planet, t) < 0.0; }

// Narrows [lo, hi] (motion state differs at the two ends) to one second; returns the last second
// that still has lo's state.
UtSeconds BisectStation(int planet, UtSeconds lo, UtSeconds hi, bool loRetrograde) {
    while (hi - lo > 1) {
        const UtSeconds mid = lo + (hi - lo) / 2;
        if (IsRetrogradeAt(planet, mid) == loRetrograde) {
            lo = mid;
        } else {
            hi = mid;
        }
    }
    return lo;
}

struct Station {
    UtSeconds moment;
    bool turnsRetrograde;
};

// All stations in [from, to), in time order.
std::vector<Station> FindStations(int planet, UtSeconds from, UtSeconds to) {
    std::vector<Station> stations;
    bool retrograde = IsRetrogradeAt(planet, from);
    for (UtSeconds t = from; t < to; t += kSecondsPerDay) {
        const bool next = IsRetrogradeAt(planet, t + kSecondsPerDay);
        if (next == retrograde) {
            continue;
        }
        const UtSeconds moment = BisectStation(planet, t, t + kSecondsPerDay, retrograde);
        if (!stations.empty() && moment - stations.back().moment < kMinStationGap) {
            throw std::runtime_error("stations closer than the minimum gap");
        }
        stations.push_back({moment, next});
        retrograde = next;
    }
    return stations;
}

}  // namespace

CalendarMinute ToCalendarMinute(UtSeconds t) {
    const UtSeconds days = t / kSecondsPerDay;
    const UtSeconds secondOfDay = t % kSecondsPerDay;
    int year = 0, month = 0, day = 0;
    double hour = 0.0;
    swe_revjul(EpochJd() + static_cast<double>(days), SE_GREG_CAL, &year, &month, &day, &hour);
    return {year, month, day, static_cast<int>(secondOfDay / 3600),
            static_cast<int>(secondOfDay % 3600 / 60)};
}

UtSeconds StartOfYear(int year) {
    const double days = swe_julday(year, 1, 1, 0.0, SE_GREG_CAL) - EpochJd();
    return static_cast<UtSeconds>(days) * kSecondsPerDay;
}

void OpenEphemeris(const std::string& ephePath) {
    swe_set_ephe_path(ephePath.c_str());
    LongitudeSpeed(SE_MERCURY, 0);  // throws when the files are missing
}

std::vector<StationPairMoments> FindStationPairs(int planet, UtSeconds from, UtSeconds to) {
    const std::vector<Station> stations = FindStations(planet, from, to + kDirectSearchReach);
    std::vector<StationPairMoments> pairs;
    for (std::size_t i = 0; i < stations.size(); ++i) {
        const Station& s = stations[i];
        if (!s.turnsRetrograde || s.moment < from || s.moment >= to) {
            continue;
        }
        if (i + 1 == stations.size()) {
            throw std::runtime_error("no station direct after the last station retrograde");
        }
        pairs.push_back({s.moment, stations[i + 1].moment});
    }
    return pairs;
}

}  // namespace velloran::stationgen
