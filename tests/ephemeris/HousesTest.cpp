// House systems beyond the reference births: the keys and names, the geometric rules every
// system must keep at latitudes from the equator into both polar circles (the ascendant rises in
// the east, opposite cusps, Equal, Whole Sign and Porphyry worked out here from the returned
// angles, Alcabitius's semi-arcs in right ascension, the Placidus and Koch fallback,
// Regiomontanus and Campanus houses above the horizon),
// refused input, and sharing the library with a SwissEphemeris object.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <string>
#include <string_view>
#include <vector>

#include "../astro/AstroTestSupport.h"
#include "ephemeris/Houses.h"
#include "ephemeris/SwissEphemeris.h"

namespace velloran::ephemeris {
namespace {

using testing::AngleDistance;

constexpr double kDeg = std::numbers::pi / 180.0;
constexpr double kArcsec = 1.0 / 3600.0;
constexpr double kPolarCircleDeg = 66.56;
// Right ascensions from the test's mean obliquity stray from the true-obliquity ones by a few
// arc-seconds.
constexpr double kRaTolDeg = 30.0 * kArcsec;

TEST(HouseSystemNames, KeysAndNamesRoundTrip) {
    struct Row {
        HouseSystem system;
        std::string_view key;
        std::string_view name;
    };
    const Row rows[] = {
        {HouseSystem::WholeSign, "whole", "Whole Sign"},
        {HouseSystem::Equal, "equal", "Equal"},
        {HouseSystem::Porphyry, "porphyry", "Porphyry"},
        {HouseSystem::Placidus, "placidus", "Placidus"},
        {HouseSystem::Koch, "koch", "Koch"},
        {HouseSystem::Regiomontanus, "regiomontanus", "Regiomontanus"},
        {HouseSystem::Campanus, "campanus", "Campanus"},
        {HouseSystem::Alcabitius, "alcabitius", "Alcabitius"},
    };
    ASSERT_EQ(std::size(rows), kHouseSystems.size());
    for (const Row& row : rows) {
        EXPECT_EQ(HouseSystemKey(row.system), row.key);
        EXPECT_EQ(HouseSystemName(row.system), row.name);
        EXPECT_EQ(ParseHouseSystem(row.key), row.system) << row.key;
    }
    for (std::string_view bad : {"", "Whole Sign", "Placidus", "placidus ", "whole_sign", "w"}) {
        EXPECT_FALSE(ParseHouseSystem(bad).has_value()) << '"' << bad << '"';
    }
}

// The sky of the test's own: the mean obliquity (IAU 1980; nutation left out moves a point by
// seconds of arc, far inside the tolerances below) and the meridian's right ascension from the
// returned MC.
struct Sky {
    double eps;
    double armc;
    double latNorth;

    Sky(double jdUt, double mc, double lat) : latNorth(lat) {
        const double t = (jdUt - 2451545.0) / 36525.0;
        eps = 23.439291 - 0.0130042 * t;
        armc = std::atan2(std::sin(mc * kDeg) * std::cos(eps * kDeg), std::cos(mc * kDeg)) / kDeg;
    }
    // Degrees above the horizon of an ecliptic point.
    double Altitude(double lon) const {
        const double dec = std::asin(std::sin(eps * kDeg) * std::sin(lon * kDeg));
        const double ra =
            std::atan2(std::sin(lon * kDeg) * std::cos(eps * kDeg), std::cos(lon * kDeg));
        const double h = armc * kDeg - ra;
        const double phi = latNorth * kDeg;
        return std::asin(std::sin(phi) * std::sin(dec) +
                         std::cos(phi) * std::cos(dec) * std::cos(h)) /
               kDeg;
    }
    // Right ascension of an ecliptic point, degrees.
    double Ra(double lon) const {
        return std::atan2(std::sin(lon * kDeg) * std::cos(eps * kDeg), std::cos(lon * kDeg)) / kDeg;
    }
    // True when the point is east of the meridian (rising side).
    bool East(double lon) const { return std::sin((armc - Ra(lon)) * kDeg) < 0.0; }
};

double Norm(double deg) {
    const double d = std::fmod(deg, 360.0);
    return d < 0.0 ? d + 360.0 : d;
}

// Porphyry from the angles alone: each quadrant between the angles, counter-clockwise from the
// MC, is cut in three equal arcs; the opposite houses mirror them.
std::array<double, 12> PorphyryOf(double asc, double mc) {
    const double ic = Norm(mc + 180.0);
    const double upper = Norm(asc - mc);  // MC to ascendant
    const double lower = Norm(ic - asc);  // ascendant to IC
    std::array<double, 12> c{};
    c[9] = mc;
    c[10] = Norm(mc + upper / 3.0);
    c[11] = Norm(mc + 2.0 * upper / 3.0);
    c[0] = asc;
    c[1] = Norm(asc + lower / 3.0);
    c[2] = Norm(asc + 2.0 * lower / 3.0);
    for (int k = 0; k < 6; ++k) {
        const int from = k < 3 ? k : k + 6;
        c[(from + 6) % 12] = Norm(c[from] + 180.0);
    }
    return c;
}

bool Quadrant(HouseSystem s) { return s != HouseSystem::WholeSign && s != HouseSystem::Equal; }

struct Birth {
    double latNorth;
    double lonEast;
};

TEST(HousesGeometry, EverySystemAcrossLatitudesAndTheDateLine) {
    // Several Julian days with different hours, so that the meridian sweeps the zodiac.
    const double days[] = {2451545.0, 2440000.71, 2460310.33, 2470173.9, 2425407.82, 2463950.05};
    std::vector<Birth> births;
    for (double lat : {0.0, 40.0, 60.0, 66.0, 70.0, -40.0, -60.0, -66.0, -70.0, 78.5, -85.0}) {
        for (double lon : {179.5, -179.5, 0.0, -74.0, 121.5}) births.push_back({lat, lon});
    }

    int polarBelow = 0;  // polar births with the MC below the horizon
    for (double jd : days) {
        for (const Birth& b : births) {
            const std::string where = "jd " + std::to_string(jd) + " lat " +
                                      std::to_string(b.latNorth) + " lon " +
                                      std::to_string(b.lonEast);
            const bool polar = std::fabs(b.latNorth) > kPolarCircleDeg;
            const HouseCusps equal = ComputeHouses(jd, b.latNorth, b.lonEast, HouseSystem::Equal);
            ASSERT_TRUE(equal.ok) << where << ": " << equal.error;
            const double asc = equal.ascendant, mc = equal.midheaven;
            const Sky sky(jd, mc, b.latNorth);
            // The ascendant is on the horizon and rises in the east, also inside the polar circles.
            EXPECT_NEAR(sky.Altitude(asc), 0.0, 0.01) << where;
            EXPECT_TRUE(sky.East(asc)) << where << " asc " << asc;
            const bool mcBelow = sky.Altitude(mc) < 0.0;
            if (!polar) {
                EXPECT_FALSE(mcBelow) << where;
            }
            if (polar && mcBelow) ++polarBelow;

            const double signStart = std::floor(asc / 30.0) * 30.0;
            const std::array<double, 12> porphyry = PorphyryOf(asc, mc);
            for (HouseSystem system : kHouseSystems) {
                const std::string at = where + " " + std::string(HouseSystemKey(system));
                const HouseCusps h = ComputeHouses(jd, b.latNorth, b.lonEast, system);
                ASSERT_TRUE(h.ok) << at << ": " << h.error;
                EXPECT_EQ(h.ascendant, asc) << at;
                EXPECT_EQ(h.midheaven, mc) << at;
                const bool noCusps = system == HouseSystem::Placidus || system == HouseSystem::Koch;
                EXPECT_EQ(h.fellBack, noCusps && polar) << at;
                EXPECT_EQ(h.system, h.fellBack ? HouseSystem::Porphyry : system) << at;

                for (int k = 0; k < 12; ++k) {
                    EXPECT_TRUE(h.cusps[k] >= 0.0 && h.cusps[k] < 360.0) << at << " " << k + 1;
                    EXPECT_LT(AngleDistance(h.cusps[(k + 6) % 12], h.cusps[k] + 180.0), kArcsec)
                        << at << " opposite of cusp " << k + 1;
                    double expected = std::nan("");
                    if (system == HouseSystem::Equal) expected = asc + 30.0 * k;
                    if (system == HouseSystem::WholeSign) expected = signStart + 30.0 * k;
                    if (h.system == HouseSystem::Porphyry) expected = porphyry[k];
                    if (!std::isnan(expected)) {
                        EXPECT_LT(AngleDistance(h.cusps[k], expected), kArcsec)
                            << at << " cusp " << k + 1 << " " << h.cusps[k] << " not " << expected;
                    }
                }
                if (system != HouseSystem::WholeSign) {
                    EXPECT_LT(AngleDistance(h.cusps[0], asc), kArcsec) << at;
                }
                if (Quadrant(system) && !polar) {
                    EXPECT_LT(AngleDistance(h.cusps[9], mc), kArcsec) << at;
                }
                if (system == HouseSystem::Alcabitius) {
                    // The ascendant's diurnal semi-arc, from the meridian, and its nocturnal one,
                    // from the ascendant to the lower meridian, in three equal parts of right
                    // ascension each.
                    const double day = Norm(sky.Ra(asc) - sky.armc);
                    const double ras[] = {sky.Ra(asc) + (180.0 - day) / 3.0,
                                          sky.Ra(asc) + 2.0 * (180.0 - day) / 3.0,
                                          sky.armc + day / 3.0, sky.armc + 2.0 * day / 3.0};
                    const int cusps[] = {1, 2, 10, 11};
                    for (int i = 0; i < 4; ++i) {
                        EXPECT_LT(AngleDistance(sky.Ra(h.cusps[cusps[i]]), ras[i]), kRaTolDeg)
                            << at << " cusp " << cusps[i] + 1;
                    }
                }
                if (system == HouseSystem::Regiomontanus || system == HouseSystem::Campanus) {
                    // Houses 8 to 12 stand above the horizon; cusp 10 is on the meridian.
                    for (int k = 7; k < 12; ++k) {
                        EXPECT_GT(sky.Altitude(h.cusps[k]), -0.01) << at << " cusp " << k + 1;
                    }
                    EXPECT_LT(std::fmin(AngleDistance(h.cusps[9], mc),
                                        AngleDistance(h.cusps[9], mc + 180.0)),
                              kArcsec)
                        << at;
                }
            }
        }
    }
    // The table reaches the polar hours when the MC is below the horizon.
    EXPECT_GT(polarBelow, 0);
}

TEST(HousesInput, BadInputIsAnErrorNotACrash) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    struct Row {
        const char* name;
        double jd, lat, lon;
    };
    const Row rows[] = {
        {"jd NaN", nan, 51.5, 0.0},          {"jd infinite", inf, 51.5, 0.0},
        {"lat NaN", 2451545.0, nan, 0.0},    {"lat 91", 2451545.0, 91.0, 0.0},
        {"lat -91", 2451545.0, -91.0, 0.0},  {"lon NaN", 2451545.0, 51.5, nan},
        {"lon 181", 2451545.0, 51.5, 181.0}, {"lon -inf", 2451545.0, 51.5, -inf},
    };
    for (const Row& row : rows) {
        for (HouseSystem system : kHouseSystems) {
            const HouseCusps h = ComputeHouses(row.jd, row.lat, row.lon, system);
            EXPECT_FALSE(h.ok) << row.name << " " << HouseSystemKey(system);
            EXPECT_FALSE(h.error.empty()) << row.name;
        }
    }
}

TEST(HousesLibrary, SharesTheLibraryWithASwissEphemeris) {
    constexpr double kJd = 2460065.5, kLat = 51.48, kLon = -0.01;
    const HouseCusps alone = ComputeHouses(kJd, kLat, kLon, HouseSystem::Placidus);
    ASSERT_TRUE(alone.ok) << alone.error;

    SwissEphemeris ephemeris;
    const Positions before = ephemeris.Compute(kJd, kLon, kLat);
    ASSERT_EQ(before.status, Status::Files) << before.message;
    const HouseCusps shared = ComputeHouses(kJd, kLat, kLon, HouseSystem::Placidus);
    ASSERT_TRUE(shared.ok) << shared.error;
    const Positions after = ephemeris.Compute(kJd, kLon, kLat);
    ASSERT_EQ(after.status, Status::Files) << after.message;

    EXPECT_EQ(shared.cusps, alone.cusps);
    EXPECT_EQ(shared.ascendant, alone.ascendant);
    for (size_t k = 0; k < kBodyCount; ++k) {
        EXPECT_EQ(after.bodies[k].longitude, before.bodies[k].longitude) << "body " << k;
    }
    // The positions' ascendant and the houses' are the same point.
    EXPECT_LT(AngleDistance(before.ascendant, shared.ascendant), kArcsec);
}

}  // namespace
}  // namespace velloran::ephemeris
