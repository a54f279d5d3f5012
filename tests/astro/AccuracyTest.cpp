// Truth test against the Swiss Ephemeris (DE431-based files, or its Moshier fallback, both far
// more precise than these mean-element theories): each body's longitude across 1905..2050 must
// stay within the error its theory is known to carry. Catches wrong constants and rates that a
// single worked example cannot.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "AstroTestSupport.h"
#include "astro/Engine.h"
#include "astro/TimeScales.h"
#include "swephexp.h"

namespace velloran {
namespace {

using testing::AngleDistance;

enum class Source { Planet, Moon, Node, Ascendant };

struct AccuracyCase {
    const char* name;
    Source source;
    int p;             // element-table index for planets
    int sweBody;       // Swiss Ephemeris body
    double tolerance;  // degrees: about 1.5 times the largest error over 1905..2050
};

class AccuracyTest : public ::testing::TestWithParam<AccuracyCase> {
protected:
    static void SetUpTestSuite() { swe_set_ephe_path(const_cast<char*>(VELLORAN_SWE_EPHE_PATH)); }
    static void TearDownTestSuite() { swe_close(); }
};

// Swiss Ephemeris longitude: J2000 mean equinox for the planets (as their elements), mean
// equinox of date for the Moon and the node (no nutation), degrees.
double Reference(const AccuracyCase& c, double jdUt) {
    char error[AS_MAXCH];
    double xx[6];
    const int32 flags = SEFLG_SWIEPH | SEFLG_NONUT | (c.source == Source::Planet ? SEFLG_J2000 : 0);
    const int32 used = swe_calc_ut(jdUt, c.sweBody, flags, xx, error);
    EXPECT_GE(used, 0) << error;
    return xx[0];
}

TEST_P(AccuracyTest, StaysWithinTheTheorysError) {
    const AccuracyCase& c = GetParam();
    double worst = 0.0, worstDay = 0.0;
    // Every 3.7 days from 1905-01-01 to the end of 2050: all phases of every orbit.
    for (double d = -34698.0; d < 18628.0; d += 3.7) {
        const double jdUt = 2451545.0 + d;
        const double j0 = std::floor(jdUt + 0.5);
        const double ut = (jdUt + 0.5 - j0) * 24.0;
        double error = 0.0;
        switch (c.source) {
            case Source::Planet:
                error = AngleDistance(PlanetLongitude(c.p, d), Reference(c, jdUt));
                break;
            case Source::Moon:
                error = AngleDistance(MoonLongitudeAt(j0, ut), Reference(c, jdUt));
                break;
            case Source::Node:  // the program's node is the mean node less one degree
                error = AngleDistance(NorthNodeLongitude(d) + 1.0, Reference(c, jdUt));
                break;
            case Source::Ascendant:
                for (const double lat : {-50.0, -12.5, 0.0, 40.7, 60.0}) {
                    const double lonEast = -170.0 + 47.0 * std::fmod(d, 7.0);
                    double cusps[13], ascmc[10];
                    swe_houses_ex(jdUt, 0, lat, lonEast, 'P', cusps, ascmc);
                    error = std::max(error,
                                     AngleDistance(AscendantAt(j0, ut, -lonEast, lat), ascmc[0]));
                }
                break;
        }
        if (error > worst) {
            worst = error;
            worstDay = d;
        }
    }
    std::printf("%s: largest difference %.4f degrees (day %.1f), tolerance %.3f\n", c.name, worst,
                worstDay, c.tolerance);
    EXPECT_LE(worst, c.tolerance);
}

INSTANTIATE_TEST_SUITE_P(
    SwissEphemeris, AccuracyTest,
    ::testing::Values(AccuracyCase{"sun", Source::Planet, 2, SE_SUN, 0.02},
                      AccuracyCase{"mercury", Source::Planet, 0, SE_MERCURY, 0.035},
                      AccuracyCase{"venus", Source::Planet, 1, SE_VENUS, 0.035},
                      AccuracyCase{"mars", Source::Planet, 3, SE_MARS, 0.15},
                      AccuracyCase{"jupiter", Source::Planet, 4, SE_JUPITER, 0.3},
                      AccuracyCase{"saturn", Source::Planet, 5, SE_SATURN, 0.3},
                      AccuracyCase{"moon", Source::Moon, 0, SE_MOON, 0.06},
                      AccuracyCase{"mean_node", Source::Node, 0, SE_MEAN_NODE, 0.12},
                      AccuracyCase{"ascendant", Source::Ascendant, 0, 0, 0.035}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace velloran
