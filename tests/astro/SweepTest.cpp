// Births across the form's whole range: 1905 to 2050, every zone of the list, all four
// hemisphere combinations, latitudes up to 66 degrees, with and without daylight saving. Both
// passes must finish with finite longitudes in range and well-formed texts.

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <string>
#include <utility>

#include "AstroTestSupport.h"
#include "astro/Engine.h"
#include "astro/TimeScales.h"
#include "support/ZoneList.h"

namespace velloran {
namespace {

using testing::BirthSpec;

constexpr int Slot(ChartBody body) { return static_cast<int>(body); }

bool InRange(ChartBody body, double x) {
    switch (body) {
        case ChartBody::Moon:
            return x >= 0.0 && x <= 360.0;
        case ChartBody::SouthNode:
            return x > 0.0 && x <= 360.0;
        default:
            return x >= 0.0 && x < 360.0;
    }
}

struct SweepStats {
    int births = 0;
    int failures = 0;
};

// minutesEast: the zone row's offset from UTC, read off its label.
void CheckBirth(const BirthSpec& spec, int minutesEast, SweepStats& stats) {
    ReadingState state = testing::MakeState(spec);
    state.NatalPositions.fill("unset");
    state.DraconicPositions.fill("unset");
    state.DraconicPass = false;
    PrepareChartInput(state);
    RunEphemeris(state);
    RunPlanetPositions(state);
    state.DraconicPass = true;
    PrepareChartInput(state);
    RunEphemeris(state);
    RunPlanetPositions(state);
    ++stats.births;

    ::testing::AssertionResult ok = ::testing::AssertionSuccess();
    // The one universal time: the local clock time less the zone's offset east of UTC (as the
    // zone list's label shows it) and less an hour with daylight saving, counted on the calendar
    // (a day past the month's end runs into the next month). The engine keeps it as hours from
    // 0h of the local date and as days from 2000-01-01 12h UT.
    using namespace std::chrono;
    const sys_days localDate = sys_days{year{spec.year} / spec.month / 1} + days{spec.day - 1};
    const sys_seconds ut = localDate + hours{spec.hour} + minutes{spec.minute} -
                           minutes{minutesEast} - hours{spec.dst ? 1 : 0};
    const sys_seconds j2000 = sys_days{year{2000} / January / 1} + hours{12};
    const double utHours = static_cast<double>((ut - localDate).count()) / 3600.0;
    const double dayNumber = static_cast<double>((ut - j2000).count()) / 86400.0;
    if (std::fabs(state.UniversalTimeHours - utHours) > 1e-12 ||
        std::fabs(state.DayNumber - dayNumber) > 1e-9) {
        ok = ::testing::AssertionFailure()
             << "times " << state.UniversalTimeHours << " " << state.DayNumber << ", expected "
             << utHours << " " << dayNumber;
    }
    for (int k = 0; k < kBodyCount && ok; ++k) {
        const auto body = static_cast<ChartBody>(k);
        const double lon = state.NatalLongitudes[k];
        if (!std::isfinite(lon) || !InRange(body, lon)) {
            ok = ::testing::AssertionFailure() << "body " << k << " at " << lon;
        } else if (!testing::SameBits(lon, state.DraconicRawLongitudes[k])) {
            ok = ::testing::AssertionFailure() << "passes differ for body " << k;
        } else if (!testing::CompactFormMatches(state.NatalPositions[k], lon)) {
            ok = ::testing::AssertionFailure() << "natal text " << state.NatalPositions[k];
        } else {
            bool parsed = false;
            const double back = ParseDecimalText(state.DraconicPositions[k], &parsed);
            if (!parsed || std::fabs(back - lon) > 5e-15 * std::fabs(lon) + 1e-300) {
                ok = ::testing::AssertionFailure()
                     << "draconic text " << state.DraconicPositions[k] << " for " << lon;
            }
        }
    }
    // The pass solves the six bodies together; each must equal its own computation.
    constexpr std::pair<int, ChartBody> kTablePlaces[] = {
        {0, ChartBody::Mercury}, {1, ChartBody::Venus},   {2, ChartBody::Sun},
        {3, ChartBody::Mars},    {4, ChartBody::Jupiter}, {5, ChartBody::Saturn}};
    for (const auto& [p, body] : kTablePlaces) {
        if (ok && !testing::SameBits(PlanetLongitude(p, state.DayNumber),
                                     state.NatalLongitudes[Slot(body)])) {
            ok = ::testing::AssertionFailure() << "body " << p << " alone differs";
        }
    }
    if (ok && (!testing::LongFormMatches(state.NatalAscendantText,
                                         state.NatalLongitudes[Slot(ChartBody::Ascendant)]) ||
               !testing::LongFormMatches(state.MoonPositionText, state.MoonLongitude) ||
               state.AscendantLongitude != state.NatalLongitudes[Slot(ChartBody::Ascendant)])) {
        ok = ::testing::AssertionFailure()
             << "long forms " << state.NatalAscendantText << " / " << state.MoonPositionText;
    }
    if (!ok) {
        ++stats.failures;
        if (stats.failures <= 10) {
            ADD_FAILURE() << ok.message() << " for " << spec.year << "-" << spec.month << "-"
                          << spec.day << " " << spec.hour << ":" << spec.minute << " zone "
                          << spec.zoneHours << "," << spec.zoneMinutes << " dst " << spec.dst
                          << " lat " << spec.latDeg << (spec.south ? "S" : "N") << " lon "
                          << spec.lonDeg << (spec.east ? "E" : "W");
        }
    }
}

TEST(Sweep, EveryZoneHemisphereAndDaylightSavingFrom1905To2050) {
    SweepStats stats;
    const int years[] = {1905, 1912, 1923, 1936, 1947, 1958, 1969, 1980,
                         1991, 2000, 2004, 2017, 2029, 2038, 2050};
    const int latitudes[][2] = {{0, 0}, {23, 27}, {40, 43}, {51, 28}, {66, 33}};
    int variant = 0;
    for (const int year : years) {
        for (std::size_t z = 0; z < testing::kZoneRows.size(); ++z) {
            const testing::ZoneRow& zone = testing::kZoneRows[z];
            for (int hemisphere = 0; hemisphere < 4; ++hemisphere) {
                for (const bool dst : {false, true}) {
                    ++variant;
                    // Dates, times and places vary with the variant so that the sweep covers
                    // month ends, midnights and the full range of longitudes.
                    const int month = 1 + variant % 12;
                    const int day = 1 + (variant * 7) % 28 + (variant % 5 == 0 ? 3 : 0);
                    const int hour = (variant * 5) % 24;
                    const int minute = (variant * 13) % 60;
                    const auto& lat = latitudes[variant % 5];
                    const BirthSpec spec{year,
                                         month,
                                         day,
                                         hour,
                                         minute,
                                         (variant * 37) % 181,
                                         (variant * 11) % 60,
                                         (hemisphere & 1) != 0,
                                         lat[0],
                                         lat[1],
                                         (hemisphere & 2) != 0,
                                         dst,
                                         zone.hours,
                                         zone.minutes};
                    CheckBirth(spec, test::kZoneList[z].minutesEast, stats);
                }
            }
        }
    }
    EXPECT_EQ(stats.failures, 0) << "of " << stats.births << " births";
    std::printf("sweep: %d births, both passes each, %d failures\n", stats.births, stats.failures);
}

}  // namespace
}  // namespace velloran
