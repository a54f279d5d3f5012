// The Swiss Ephemeris layer's behaviour beyond the positions themselves (those are checked
// against the reference births): retrograde marks from the daily motion, the fallback when the
// data files are missing, and refused input.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <string>

#include "../astro/AstroTestSupport.h"
#include "ephemeris/SwissEphemeris.h"

namespace velloran::ephemeris {
namespace {

namespace fs = std::filesystem;
using testing::AngleDistance;

// Julian days (UT) at 0h of the dates below.
constexpr double kJd2023May1 = 2460065.5;
constexpr double kJd2023Jun1 = 2460096.5;
constexpr double kJd2023Sep1 = 2460188.5;
constexpr double kJd2023Oct15 = 2460232.5;
// Greenwich.
constexpr double kLonEast = 0.0;
constexpr double kLatNorth = 51.48;

// Retrograde marks on dates well inside or outside a retrograde run. The runs, from the station
// table (src/retro/StationTables.cpp) and the published almanac alike: Mercury 21 Apr 2023 08:34
// to 15 May 2023 03:16 UT, Saturn 17 Jun 2023 to 4 Nov 2023, Jupiter 4 Sep 2023 to
// 31 Dec 2023.
struct RetrogradeCase {
    const char* name;
    double jdUt;
    Body body;
    bool retrograde;
};

class RetrogradeMark : public ::testing::TestWithParam<RetrogradeCase> {};

TEST_P(RetrogradeMark, FollowsTheDailyMotion) {
    const RetrogradeCase& c = GetParam();
    SwissEphemeris ephemeris;
    const Positions p = ephemeris.Compute(c.jdUt, kLonEast, kLatNorth);
    ASSERT_EQ(p.status, Status::Files) << p.message;
    EXPECT_EQ(p[c.body].retrograde, c.retrograde);
    // Every planet's mark is the sign of its motion; the node moves backwards yet is never marked.
    for (size_t k = 0; k < kBodyCount; ++k) {
        const BodyPosition& b = p.bodies[k];
        const bool node = static_cast<Body>(k) == Body::Node;
        EXPECT_EQ(b.retrograde, !node && b.speed < 0.0) << "body " << k;
    }
    EXPECT_LT(p[Body::Node].speed, 0.0);
}

INSTANTIATE_TEST_SUITE_P(
    Dates, RetrogradeMark,
    ::testing::Values(
        RetrogradeCase{"mercury_retrograde_2023_05_01", kJd2023May1, Body::Mercury, true},
        RetrogradeCase{"mercury_direct_2023_06_01", kJd2023Jun1, Body::Mercury, false},
        RetrogradeCase{"saturn_retrograde_2023_09_01", kJd2023Sep1, Body::Saturn, true},
        RetrogradeCase{"jupiter_direct_2023_09_01", kJd2023Sep1, Body::Jupiter, false},
        RetrogradeCase{"jupiter_retrograde_2023_10_15", kJd2023Oct15, Body::Jupiter, true}),
    [](const ::testing::TestParamInfo<RetrogradeCase>& info) { return info.param.name; });

// An empty folder that is removed again when the test ends.
class EmptyFolder {
public:
    EmptyFolder() {
        std::string pattern = (fs::temp_directory_path() / "velloran-ephe-XXXXXX").string();
        if (mkdtemp(pattern.data()) != nullptr) m_path = pattern;
    }
    ~EmptyFolder() {
        std::error_code ec;
        if (!m_path.empty()) fs::remove_all(m_path, ec);
    }
    EmptyFolder(const EmptyFolder&) = delete;
    EmptyFolder& operator=(const EmptyFolder&) = delete;
    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};

Positions WithFiles() {
    SwissEphemeris ephemeris;
    return ephemeris.Compute(kJd2023May1, kLonEast, kLatNorth);
}

TEST(SwissEphemerisFiles, MissingFilesReportTheFallbackAndNoChiron) {
    const Positions fromFiles = WithFiles();
    ASSERT_EQ(fromFiles.status, Status::Files) << fromFiles.message;
    EXPECT_TRUE(fromFiles.message.empty());

    const EmptyFolder empty;
    ASSERT_FALSE(empty.Path().empty());
    {
        SwissEphemeris ephemeris(empty.Path());
        EXPECT_EQ(ephemeris.EphemerisPath(), empty.Path());
        const Positions p = ephemeris.Compute(kJd2023May1, kLonEast, kLatNorth);
        ASSERT_EQ(p.status, Status::Fallback);
        EXPECT_FALSE(p.message.empty());
        EXPECT_FALSE(p[Body::Chiron].available);
        EXPECT_EQ(p[Body::Chiron].longitude, 0.0);
        // The built-in theory still gives the other bodies to within a few arc-seconds.
        for (size_t k = 0; k < kMainBodyCount; ++k) {
            if (static_cast<Body>(k) == Body::Chiron) continue;
            EXPECT_TRUE(p.bodies[k].available) << "body " << k;
            EXPECT_LT(AngleDistance(p.bodies[k].longitude, fromFiles.bodies[k].longitude) * 3600.0,
                      5.0)
                << "body " << k;
        }
        EXPECT_LT(AngleDistance(p.ascendant, fromFiles.ascendant) * 3600.0, 5.0);
    }
    // The next owner starts afresh: nothing of the fallback stays with the library.
    const Positions again = WithFiles();
    EXPECT_EQ(again.status, Status::Files) << again.message;
    EXPECT_TRUE(again[Body::Chiron].available);
    EXPECT_EQ(again[Body::Chiron].longitude, fromFiles[Body::Chiron].longitude);
}

// The asteroids and the mean apogee only when asked; the asteroids come from the same file as
// Chiron, the apogee from the lunar theory, so without the files only the apogee is left.
TEST(SwissEphemerisFiles, AsteroidsWhenAskedAndOnlyWithTheirFile) {
    constexpr Body kExtra[] = {Body::Ceres, Body::Pallas, Body::Juno, Body::Vesta,
                               Body::MeanApogee};
    // One owner of the library at a time.
    Positions plain, asked;
    {
        SwissEphemeris ephemeris;
        plain = ephemeris.Compute(kJd2023May1, kLonEast, kLatNorth);
        asked = ephemeris.Compute(kJd2023May1, kLonEast, kLatNorth, NodeKind::Mean, true);
    }
    ASSERT_EQ(asked.status, Status::Files) << asked.message;
    for (Body body : kExtra) {
        SCOPED_TRACE(static_cast<int>(body));
        EXPECT_FALSE(plain[body].available);
        EXPECT_TRUE(asked[body].available);
        EXPECT_GE(asked[body].longitude, 0.0);
        EXPECT_LT(asked[body].longitude, 360.0);
    }
    // The other bodies do not move for being asked with the asteroids.
    for (size_t k = 0; k < kMainBodyCount; ++k)
        EXPECT_EQ(plain.bodies[k].longitude, asked.bodies[k].longitude) << "body " << k;
    // The mean apogee moves forward about 0.11 degrees a day and is never marked retrograde.
    EXPECT_NEAR(asked[Body::MeanApogee].speed, 0.111, 0.01);
    EXPECT_FALSE(asked[Body::MeanApogee].retrograde);
    // Four distinct asteroids, not one position copied.
    EXPECT_GT(AngleDistance(asked[Body::Ceres].longitude, asked[Body::Vesta].longitude), 1.0);

    const EmptyFolder empty;
    ASSERT_FALSE(empty.Path().empty());
    SwissEphemeris without(empty.Path());
    const Positions missing =
        without.Compute(kJd2023May1, kLonEast, kLatNorth, NodeKind::Mean, true);
    ASSERT_EQ(missing.status, Status::Fallback) << missing.message;
    for (Body body : {Body::Ceres, Body::Pallas, Body::Juno, Body::Vesta})
        EXPECT_FALSE(missing[body].available) << static_cast<int>(body);
    ASSERT_TRUE(missing[Body::MeanApogee].available);
    EXPECT_LT(
        AngleDistance(missing[Body::MeanApogee].longitude, asked[Body::MeanApogee].longitude) *
            3600.0,
        1.0);
}

// Ceres against JPL Horizons (DE441 with the asteroid perturbers), an ephemeris independent of
// this library's files: at 2000-01-01 0h UT the published geocentric apparent ecliptic longitude
// of date is 184.3426241 degrees (0.14" from the library's).
TEST(SwissEphemerisFiles, CeresAgreesWithAnIndependentEphemeris) {
    constexpr double kJd2000Jan1 = 2451544.5;
    SwissEphemeris ephemeris;
    const Positions p = ephemeris.Compute(kJd2000Jan1, kLonEast, kLatNorth, NodeKind::Mean, true);
    ASSERT_EQ(p.status, Status::Files) << p.message;
    EXPECT_LT(AngleDistance(p[Body::Ceres].longitude, 184.3426241) * 3600.0, 60.0)
        << p[Body::Ceres].longitude;
}

// The data files span 1800 to 2400: an earlier date falls back like a missing file.
TEST(SwissEphemerisFiles, DateBeforeTheFilesFallsBack) {
    constexpr double kJd1700Jan1 = 2341972.5;
    SwissEphemeris ephemeris;
    const Positions p = ephemeris.Compute(kJd1700Jan1, kLonEast, kLatNorth);
    EXPECT_EQ(p.status, Status::Fallback);
    EXPECT_NE(p.message.find("not found"), std::string::npos) << p.message;
    EXPECT_FALSE(p[Body::Chiron].available);
    EXPECT_TRUE(p[Body::Pluto].available);
}

// Input that gives the error status: arguments the layer refuses before calling the library, and
// a date before the range of every theory the library has (its message says so).
struct BadInput {
    const char* name;
    double jdUt;
    double lonEast;
    double latNorth;
};

class RefusedInput : public ::testing::TestWithParam<BadInput> {};

TEST_P(RefusedInput, GivesTheErrorStatusAndNoPositions) {
    const BadInput& c = GetParam();
    SwissEphemeris ephemeris;
    const Positions p = ephemeris.Compute(c.jdUt, c.lonEast, c.latNorth);
    EXPECT_EQ(p.status, Status::Error);
    EXPECT_FALSE(p.message.empty());
    for (const BodyPosition& b : p.bodies) EXPECT_FALSE(b.available);
}

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

INSTANTIATE_TEST_SUITE_P(
    Arguments, RefusedInput,
    ::testing::Values(BadInput{"julian_day_nan", kNaN, kLonEast, kLatNorth},
                      BadInput{"julian_day_infinite", kInf, kLonEast, kLatNorth},
                      BadInput{"longitude_nan", kJd2023May1, kNaN, kLatNorth},
                      BadInput{"longitude_past_180", kJd2023May1, 180.5, kLatNorth},
                      BadInput{"latitude_nan", kJd2023May1, kLonEast, kNaN},
                      BadInput{"latitude_past_pole", kJd2023May1, kLonEast, -90.5},
                      BadInput{"julian_day_zero_4713_bc", 0.0, kLonEast, kLatNorth}),
    [](const ::testing::TestParamInfo<BadInput>& info) { return info.param.name; });

}  // namespace
}  // namespace velloran::ephemeris
