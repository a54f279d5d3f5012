// The bodies' longitudes at the worked moments, Kepler's equation and absurd inputs.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "AstroTestSupport.h"
#include "astro/Engine.h"
#include "astro/TimeScales.h"

namespace velloran {
namespace {

using testing::AngleDistance;

// The worked figures are quoted to two decimals (planets, Moon), three (ascendant) or seven
// (node); each tolerance is half a unit of the last quoted digit.
constexpr double kTwoDecimalTolDeg = 0.005;
constexpr double kThreeDecimalTolDeg = 0.0005;
constexpr double kSevenDecimalTolDeg = 0.00000005;

constexpr double kWorkedDay = -7290.854166666667;  // 1980-01-15 15:30 UT

struct PlanetCase {
    const char* name;
    int p;
    double longitude;
    const char* compact;
};

class PlanetWorkedExampleTest : public ::testing::TestWithParam<PlanetCase> {};

TEST_P(PlanetWorkedExampleTest, MatchesTheWorkedLongitude) {
    const PlanetCase& c = GetParam();
    const double lambda = PlanetLongitude(c.p, kWorkedDay);
    EXPECT_LE(AngleDistance(lambda, c.longitude), kTwoDecimalTolDeg) << lambda;
    if (c.compact[0] != '\0') {
        EXPECT_EQ(CompactSignPosition(FormatSignPosition(lambda)), c.compact);
    }
}

INSTANTIATE_TEST_SUITE_P(Jan1980, PlanetWorkedExampleTest,
                         ::testing::Values(PlanetCase{"sun", 2, 294.93, "24 Cap 55"},
                                           PlanetCase{"mercury", 0, 291.30, ""},
                                           PlanetCase{"venus", 1, 329.67, ""},
                                           PlanetCase{"mars", 3, 165.63, ""},
                                           PlanetCase{"jupiter", 4, 159.87, ""},
                                           PlanetCase{"saturn", 5, 177.26, ""}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Moon, WorkedExample1980) {
    const double lambda = MoonLongitudeAt(JulianDayNumber(1, 15, 1980), 15.5);
    EXPECT_LE(AngleDistance(lambda, 265.18), kTwoDecimalTolDeg) << lambda;
    EXPECT_EQ(FormatSignPosition(lambda), "25\u00b0 10' 37\" Sag");
}

// UT beyond 24 hours on the local date is the same moment as the next date's early hours.
TEST(Moon, HoursBeyondTheDayEqualTheNextDate) {
    constexpr double kSameMomentTolDeg = 1e-8;
    const double j0 = JulianDayNumber(3, 10, 1985);
    EXPECT_LE(AngleDistance(MoonLongitudeAt(j0, 28.5), MoonLongitudeAt(j0 + 1.0, 4.5)),
              kSameMomentTolDeg);
    EXPECT_LE(AngleDistance(MoonLongitudeAt(j0, -3.25), MoonLongitudeAt(j0 - 1.0, 20.75)),
              kSameMomentTolDeg);
}

TEST(Moon, OneHourMovesAboutHalfADegree) {
    const double j0 = JulianDayNumber(7, 4, 1990);
    const double step = AngleDistance(MoonLongitudeAt(j0, 18.0), MoonLongitudeAt(j0, 17.0));
    EXPECT_GT(step, 0.45);
    EXPECT_LT(step, 0.70);
}

TEST(Nodes, WorkedExample1980) {
    const double north = NorthNodeLongitude(kWorkedDay);
    EXPECT_NEAR(north, 150.2009403, kSevenDecimalTolDeg);
    EXPECT_EQ(CompactSignPosition(FormatSignPosition(north)), "00 Vir 12");
    const double south = SouthNodeLongitude(north);
    EXPECT_NEAR(south, 330.2009403, kSevenDecimalTolDeg);
    EXPECT_EQ(CompactSignPosition(FormatSignPosition(south)), "00 Pis 12");
}

TEST(Nodes, RangeAndSouthNodeAcrossTwoNodalPeriods) {
    // The node regresses a full turn in about 6798 days.
    for (double d = -34698.0; d < -34698.0 + 2 * 6800.0; d += 0.5) {
        const double north = NorthNodeLongitude(d);
        ASSERT_GE(north, 0.0);
        ASSERT_LT(north, 360.0);
        const double south = SouthNodeLongitude(north);
        ASSERT_GT(south, 0.0);
        ASSERT_LE(south, 360.0);
        ASSERT_NEAR(AngleDistance(north, south), 180.0, 1e-9);
    }
}

// Mean node at 0.4917 degrees (in the node's own units) is -0.5083 after the one-degree offset:
// the node then stands that far before 0 Aries, in late Pisces, and the South Node in late Virgo.
TEST(Nodes, NodeJustAfterAriesZeroStandsInLatePisces) {
    const double d = (125.1228 - 0.4917 * 3.1416 / 180.0 / 0.0174532925199433) / 0.0529538083;
    const double north = NorthNodeLongitude(d);
    EXPECT_NEAR(north, 359.4917, 1e-9);
    EXPECT_EQ(FormatSignPosition(north), "29\u00b0 29' 30\" Pis");
    const double south = SouthNodeLongitude(north);
    EXPECT_NEAR(south, 179.4917, 1e-9);
    EXPECT_EQ(FormatSignPosition(south), "29\u00b0 29' 30\" Vir");
}

TEST(Ascendant, WorkedExampleNewYork) {
    const double asc = AscendantAt(JulianDayNumber(1, 15, 1980), 15.5, 74.0, 40.0 + 43.0 / 60.0);
    EXPECT_NEAR(asc, 4.777, kThreeDecimalTolDeg);
    EXPECT_EQ(FormatSignPosition(asc), "4\u00b0 46' 37\" Ari");
}

TEST(Ascendant, SouthernLatitudeChangesOnlyTheLatitudeTerm) {
    const double j0 = JulianDayNumber(1, 15, 1980);
    const double north = AscendantAt(j0, 15.5, 74.0, 33.0);
    const double south = AscendantAt(j0, 15.5, 74.0, -33.0);
    EXPECT_GT(AngleDistance(north, south), 1.0);
    EXPECT_EQ(AscendantAt(j0, 15.5, 74.0, 0.0), AscendantAt(j0, 15.5, 74.0, -0.0));
}

// Over a sidereal day the ascendant passes through every sign once, always within [0, 360).
TEST(Ascendant, SweepsTheCircleInADay) {
    const double j0 = JulianDayNumber(6, 21, 2000);
    bool seen[12] = {};
    for (double ut = 0.0; ut < 24.0; ut += 1.0 / 60.0) {
        const double asc = AscendantAt(j0, ut, -18.0, -34.0);
        ASSERT_GE(asc, 0.0);
        ASSERT_LT(asc, 360.0);
        seen[static_cast<int>(asc / 30.0)] = true;
    }
    for (bool s : seen) EXPECT_TRUE(s);
}

TEST(Kepler, SolvesTheEquationForOrdinaryEccentricities) {
    constexpr double kKeplerResidualTol = 1e-11;  // radians
    for (double e : {0.0, 0.0068, 0.0167, 0.0934, 0.2056, 0.6, 0.95}) {
        for (double m = 0.0; m < kTwoPi; m += 0.05) {
            const double nu = SolveKepler(m, e);
            ASSERT_GE(nu, 0.0);
            ASSERT_LT(nu, kTwoPi);
            // Back from the true anomaly to the mean anomaly.
            const double E = 2.0 * std::atan(std::sqrt((1.0 - e) / (1.0 + e)) * std::tan(nu / 2.0));
            const double mBack = Reduce2Pi(E - e * std::sin(E));
            const double diff = std::fabs(mBack - m);
            EXPECT_LT(std::min(diff, kTwoPi - diff), kKeplerResidualTol) << e << " " << m;
        }
    }
}

TEST(Kepler, BadEccentricityOrInputFailsWithoutLooping) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    for (double e : {1.0, 1.5, -0.001, nan, inf, -inf}) {
        EXPECT_TRUE(std::isnan(SolveKepler(1.0, e))) << e;
    }
    EXPECT_TRUE(std::isnan(SolveKepler(nan, 0.1)));
    EXPECT_TRUE(std::isnan(SolveKepler(inf, 0.1)));
}

TEST(AbsurdInputs, GiveNaNOrAFiniteValueAndReturn) {
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_TRUE(std::isnan(MoonLongitudeAt(1e308, 0.0)));
    EXPECT_TRUE(std::isnan(MoonLongitudeAt(inf, 0.0)));
    EXPECT_TRUE(std::isnan(AscendantAt(1e308, 0.0, 0.0, 0.0)));
    EXPECT_TRUE(std::isnan(AscendantAt(2451545.0, 0.0, inf, 0.0)));
    EXPECT_TRUE(std::isnan(PlanetLongitude(0, 1e300)));
    EXPECT_TRUE(std::isnan(PlanetLongitude(7, 0.0)));
    // Year 32767 (about 308 centuries on): Venus's eccentricity has gone negative.
    const double d = DaysSinceJ2000(32767, 12, 31, 23, 59);
    EXPECT_TRUE(std::isnan(PlanetLongitude(1, d)));
    // The Moon and the ascendant still compute there, and at latitude 999 degrees.
    const double j0 = JulianDayNumber(12, 31, 32767);
    const double moon = MoonLongitudeAt(j0, 23.0);
    EXPECT_TRUE(moon >= 0.0 && moon <= 360.0) << moon;
    const double asc = AscendantAt(j0, 23.0, 999.0 + 999.0 / 60.0, 999.0);
    EXPECT_TRUE(asc >= 0.0 && asc < 360.0) << asc;
}

}  // namespace
}  // namespace velloran
