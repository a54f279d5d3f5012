// Truth test of the committed station tables against the Swiss Ephemeris file ephemeris
// (apparent geocentric ecliptic longitude speed, UT). Each moment is a station cut to the minute
// below, so the speed must change sign within the minute that starts at it: tolerance one minute,
// direction given by the moment's role in its pair.

#include <gtest/gtest.h>
#include <swephexp.h>

#include <cstdint>
#include <ostream>
#include <string>

#include "StationTestSupport.h"
#include "retro/Retrogrades.h"

namespace velloran {
namespace {

constexpr double kOneMinuteDays = 1.0 / 1440.0;

struct PlanetId {
    ChartBody body;
    int id;
};

void PrintTo(const PlanetId& p, std::ostream* os) { *os << testing::NameOf(p.body); }

class StationEphemerisCheck : public ::testing::TestWithParam<PlanetId> {
protected:
    static void SetUpTestSuite() { swe_set_ephe_path("/usr/share/libswe/ephe"); }
    static void TearDownTestSuite() { swe_close(); }

    // Longitude speed, degrees per day; fails the test unless the file ephemeris answered.
    static double Speed(int planet, double jdUt) {
        double xx[6] = {};
        char serr[AS_MAXCH] = "";
        const std::int32_t ret = swe_calc_ut(jdUt, planet, SEFLG_SWIEPH | SEFLG_SPEED, xx, serr);
        EXPECT_GE(ret, 0) << serr;
        EXPECT_NE(ret & SEFLG_SWIEPH, 0) << "file ephemeris not used: " << serr;
        return xx[3];
    }
};

TEST_P(StationEphemerisCheck, SpeedChangesSignWithinTheMomentsMinute) {
    const PlanetId planet = GetParam();
    const auto table = StationTable(planet.body);
    ASSERT_FALSE(table.empty());
    int failures = 0;
    for (const StationPair& pair : table) {
        for (const bool turnsRetrograde : {true, false}) {
            const StationMoment& m = turnsRetrograde ? pair.retrograde : pair.direct;
            const double jd =
                swe_julday(m.year, m.month, m.day, m.hour + m.minute / 60.0, SE_GREG_CAL);
            const double before = Speed(planet.id, jd);
            const double after = Speed(planet.id, jd + kOneMinuteDays);
            const bool ok =
                turnsRetrograde ? (before >= 0.0 && after < 0.0) : (before < 0.0 && after >= 0.0);
            if (!ok && ++failures <= 10) {
                ADD_FAILURE() << testing::NameOf(planet.body) << ' ' << testing::MomentText(m)
                              << (turnsRetrograde ? " retrograde" : " direct") << ": speed "
                              << before << " then " << after << " deg/day one minute later";
            }
        }
    }
    EXPECT_EQ(failures, 0);
}

INSTANTIATE_TEST_SUITE_P(Planets, StationEphemerisCheck,
                         ::testing::Values(PlanetId{ChartBody::Mercury, SE_MERCURY},
                                           PlanetId{ChartBody::Venus, SE_VENUS},
                                           PlanetId{ChartBody::Mars, SE_MARS},
                                           PlanetId{ChartBody::Jupiter, SE_JUPITER},
                                           PlanetId{ChartBody::Saturn, SE_SATURN}),
                         [](const auto& info) {
                             return std::string(testing::NameOf(info.param.body));
                         });

}  // namespace
}  // namespace velloran
