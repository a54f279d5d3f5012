#include "BenchBirths.h"

#include <random>
#include <string>

#include "astro/TimeScales.h"
#include "domain/ZoneTable.h"

namespace velloran::bench {

std::vector<BenchBirth> MakeBenchBirths(int count) {
    std::mt19937 generator(1905u);  // fixed seed
    auto pick = [&generator](int lo, int hi) {
        return std::uniform_int_distribution<int>(lo, hi)(generator);
    };
    std::vector<BenchBirth> births;
    births.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        BenchBirth b;
        FormInput& f = b.form;
        f.name = "Bench Birth";
        f.yearIndex = pick(0, kLastYear - kFirstYear);
        f.monthIndex = pick(0, 11);
        f.dayIndex = pick(0, 27);
        f.hourIndex = pick(0, 23);
        f.minuteIndex = pick(0, 59);
        f.zoneIndex = pick(0, kZoneCount - 1);
        f.daylightSaving = pick(0, 3) == 0 ? 1 : 0;
        f.city = "City";
        f.state = "State";
        f.country = "Country";
        const int latDeg = pick(0, 66), latMin = pick(0, 59);
        const int lonDeg = pick(0, 179), lonMin = pick(0, 59);
        f.latitudeDegrees = std::to_string(latDeg);
        f.latitudeMinutes = std::to_string(latMin);
        f.longitudeDegrees = std::to_string(lonDeg);
        f.longitudeMinutes = std::to_string(lonMin);
        f.latitudeHemisphere = pick(0, 1);
        f.longitudeHemisphere = pick(0, 1);  // 0 East, 1 West

        BirthData& d = b.input.birth;
        d.Name = f.name;
        d.Year = static_cast<int16_t>(kFirstYear + f.yearIndex);
        d.Month = static_cast<int16_t>(f.monthIndex + 1);
        d.Day = static_cast<int16_t>(f.dayIndex + 1);
        d.Hour = static_cast<int16_t>(f.hourIndex);
        d.Minute = static_cast<int16_t>(f.minuteIndex);
        d.LatDeg = static_cast<int16_t>(latDeg);
        d.LatMin = static_cast<int16_t>(latMin);
        d.LonDeg = static_cast<int16_t>(lonDeg);
        d.LonMin = static_cast<int16_t>(lonMin);
        d.LatSouth = f.latitudeHemisphere == 1;
        d.LongEast = f.longitudeHemisphere == 0;
        d.DaylightSaving = f.daylightSaving != 0;
        b.input.zoneIndex = f.zoneIndex;
        b.input.zoneMinutesToUT = ZoneRowAt(f.zoneIndex).minutesToUT;

        const ZoneCorrected ut = ZoneCorrectedTime(d, b.input.zoneMinutesToUT);
        b.jdUt = JulianDayNumber(d.Month, d.Day, d.Year) - 0.5 + ut.ut / 24.0;
        b.latNorth = (latDeg + latMin / 60.0) * (d.LatSouth ? -1.0 : 1.0);
        b.lonEast = -ut.lon;
        births.push_back(std::move(b));
    }
    return births;
}

}  // namespace velloran::bench
