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
    const ZoneTables& zones = TimeZones();
    std::vector<BenchBirth> births;
    births.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        BenchBirth b;
        FormInput& f = b.form;
        f.txtName = "Bench Birth";
        f.cboYear = pick(0, kLastYear - kFirstYear);
        f.cboMonth = pick(0, 11);
        f.cboDate = pick(0, 27);
        f.cboHour = pick(0, 23);
        f.cboMinute = pick(0, 59);
        f.cboTimeZone = pick(0, kZoneCount - 1);
        f.chkDST = pick(0, 3) == 0 ? 1 : 0;
        f.txtCity = "City";
        f.txtState = "State";
        f.txtCountry = "Country";
        const int latDeg = pick(0, 66), latMin = pick(0, 59);
        const int lonDeg = pick(0, 179), lonMin = pick(0, 59);
        f.txtLatD = std::to_string(latDeg);
        f.txtLatM = std::to_string(latMin);
        f.txtLonD = std::to_string(lonDeg);
        f.txtLonM = std::to_string(lonMin);
        f.optLatSouth = pick(0, 1);
        f.optLongEast = pick(0, 1);  // 0 East, 1 West

        BirthData& d = b.state.Birth;
        d.Name = f.txtName;
        d.Year = static_cast<int16_t>(kFirstYear + f.cboYear);
        d.Month = static_cast<int16_t>(f.cboMonth + 1);
        d.Day = static_cast<int16_t>(f.cboDate + 1);
        d.Hour = static_cast<int16_t>(f.cboHour);
        d.Minute = static_cast<int16_t>(f.cboMinute);
        d.LatDeg = static_cast<int16_t>(latDeg);
        d.LatMin = static_cast<int16_t>(latMin);
        d.LonDeg = static_cast<int16_t>(lonDeg);
        d.LonMin = static_cast<int16_t>(lonMin);
        d.LatSouth = f.optLatSouth == 1;
        d.LongEast = f.optLongEast == 0;
        d.DaylightSaving = f.chkDST != 0;
        b.state.ZoneHoursToUT = zones.ZoneHoursTable[static_cast<size_t>(f.cboTimeZone)];
        b.state.ZoneMinutesToUT = zones.ZoneMinutesTable[static_cast<size_t>(f.cboTimeZone)];

        const ZoneCorrected ut =
            ZoneCorrectedTime(d, b.state.ZoneHoursToUT, b.state.ZoneMinutesToUT);
        b.jdUt = JulianDayNumber(d.Month, d.Day, d.Year) - 0.5 + ut.ut / 24.0;
        b.latNorth = (latDeg + latMin / 60.0) * (d.LatSouth ? -1.0 : 1.0);
        b.lonEast = -ut.lon;
        births.push_back(std::move(b));
    }
    return births;
}

}  // namespace velloran::bench
