// The precise readings of the 100 reference births with every house system and the asteroids:
// the charts' cusps and midheaven against houses-truth.jsonl (textbook formulas, no astrology
// library) within an arc-second, Porphyry's where the truth has no Placidus or Koch cusps, every
// body in the house of its cusps; and the mean Black Moon Lilith against the mean lunar perigee
// of the lunar theory's published series (plus 180 degrees and the nutation in longitude),
// worked out here, within an arc-minute.

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <string>
#include <vector>

#include "../astro/AstroTestSupport.h"
#include "../support/Json.h"
#include "../support/PreciseTruth.h"
#include "../support/TempFolder.h"
#include "domain/Bodies.h"
#include "ephemeris/SwissEphemeris.h"
#include "reading/Reading.h"
#include "reading/ReadingOpen.h"

namespace velloran {
namespace {

using test::Json;
using testing::AngleDistance;

constexpr double kCuspTolArcsec = 1.0;
const std::string kReferenceDir = VELLORAN_REFERENCE_DIR;

double Radians(double degrees) { return degrees * std::numbers::pi / 180.0; }

// The mean Black Moon Lilith: the mean lunar perigee (ELP-2000/82 mean elements as published
// with the lunar theory) plus 180 degrees, a point of the Moon's mean orbit, carried onto the
// ecliptic along the orbit's mean inclination from the mean node, with the nutation in
// longitude's four largest terms (good to half an arc-second) for the true equinox of date.
// t: Julian centuries of terrestrial time from J2000.0; a minute of delta T moves it by 0.3".
double MeanLilith(double jdUt) {
    // Delta T of about a minute, enough at this tolerance for the years of the reference births.
    const double t = (jdUt + 65.0 / 86400.0 - 2451545.0) / 36525.0;
    const double perigee = 83.3532465 + 4069.0137287 * t - 0.0103200 * t * t - t * t * t / 80053.0 +
                           t * t * t * t / 18999000.0;
    const double node = 125.0445479 - 1934.1362891 * t + 0.0020754 * t * t;
    constexpr double kInclination = 5.1453964;
    const double fromNode = Radians(perigee + 180.0 - node);
    const double onEcliptic =
        node +
        std::atan2(std::sin(fromNode) * std::cos(Radians(kInclination)), std::cos(fromNode)) *
            180.0 / std::numbers::pi;
    const double sunMean = 280.4665 + 36000.7698 * t;
    const double moonMean = 218.3165 + 481267.8813 * t;
    const double nutationArcsec =
        -17.20 * std::sin(Radians(node)) - 1.32 * std::sin(Radians(2 * sunMean)) -
        0.23 * std::sin(Radians(2 * moonMean)) + 0.21 * std::sin(Radians(2 * node));
    double lilith = std::fmod(onEcliptic + nutationArcsec / 3600.0, 360.0);
    return lilith < 0 ? lilith + 360.0 : lilith;
}

std::optional<std::array<double, 12>> TruthCusps(const Json& system) {
    const Json* cusps = system.Find("cusps");
    if (cusps == nullptr || cusps->type != Json::Type::Array || cusps->items.size() != 12)
        return std::nullopt;
    std::array<double, 12> out{};
    for (size_t k = 0; k < 12; ++k) out[k] = cusps->items[k].number;
    return out;
}

TEST(HousesReadings, EveryReferenceBirthInEverySystemWithTheAsteroidsAndLilith) {
    const std::vector<Json> truth = test::TruthLines(kReferenceDir, "houses-truth.jsonl");
    ASSERT_EQ(truth.size(), 100u) << "houses-truth.jsonl in " << kReferenceDir;
    ephemeris::SwissEphemeris swiss;
    std::array<double, kHouseSystems.size()> worst{};
    double worstLilith = 0.0;
    int fellBack = 0;
    for (const Json& line : truth) {
        const std::string file = line.Find("file") ? line.Find("file")->text : "?";
        SCOPED_TRACE(file);
        const std::string bytes = test::ReadFileBytes(kReferenceDir + "/" + file);
        ASSERT_FALSE(bytes.empty());
        const double jdUt = test::TruthNumber(line, "jd_ut", file);
        const Json* houses = line.Find("houses");
        ASSERT_NE(houses, nullptr);
        for (size_t s = 0; s < kHouseSystems.size(); ++s) {
            const HouseSystem system = kHouseSystems[s];
            SCOPED_TRACE(test::kHouseTruthKeys[s]);
            PositionsChoice choice{PositionsKind::Precise, NodeKind::Mean};
            choice.houses = system;
            choice.asteroids = true;
            PlainForm form;
            const OpenOutcome opened =
                OpenAndCalculate(bytes, form, true, PositionsSource{choice, &swiss});
            ASSERT_EQ(opened.status, OpenStatus::Calculated);
            const Reading& r = *opened.reading;
            ASSERT_EQ(r.natal.bodyCount, kMaxBodyCount);

            const Json* t = houses->Find(test::kHouseTruthKeys[s]);
            ASSERT_NE(t, nullptr);
            std::optional<std::array<double, 12>> cusps = TruthCusps(*t);
            if (!cusps) {
                // No Placidus or Koch cusps inside the polar circles: Porphyry's, and the note.
                EXPECT_EQ(r.natal.houses, HouseSystem::Porphyry);
                EXPECT_FALSE(r.housesNote.empty());
                cusps = TruthCusps(*houses->Find("porphyry"));
                ++fellBack;
            } else {
                EXPECT_EQ(r.natal.houses, system);
                EXPECT_TRUE(r.housesNote.empty()) << r.housesNote;
            }
            ASSERT_TRUE(cusps.has_value());
            for (int h = 0; h < 12; ++h) {
                const double arcsec = AngleDistance(r.natal.cusps[h], (*cusps)[h]) * 3600.0;
                EXPECT_LE(arcsec, kCuspTolArcsec) << "cusp " << h + 1;
                worst[s] = std::max(worst[s], arcsec);
            }
            const double mc = test::TruthNumber(*t, "mc", file);
            EXPECT_LE(AngleDistance(r.natal[ChartBody::Midheaven].longitude, mc) * 3600.0,
                      kCuspTolArcsec);
            for (const Chart* chart : {&r.natal, &r.draconic}) {
                for (int k = 0; k < chart->bodyCount; ++k) {
                    const BodyPlace& p = chart->bodies[k];
                    EXPECT_EQ(p.house, HouseOfLongitude(chart->cusps, p.longitude))
                        << kBodyTitles[k];
                }
            }
            if (system == HouseSystem::WholeSign) {
                const double arcsec =
                    AngleDistance(r.natal[ChartBody::Lilith].longitude, MeanLilith(jdUt)) * 3600.0;
                EXPECT_LE(arcsec, test::kTruthTolArcsec) << "Lilith";
                worstLilith = std::max(worstLilith, arcsec);
                for (ChartBody body :
                     {ChartBody::Ceres, ChartBody::Pallas, ChartBody::Juno, ChartBody::Vesta})
                    EXPECT_TRUE(std::isfinite(r.natal[body].longitude)) << kBodyTitles[int(body)];
            }
        }
    }
    // Two births lie inside the polar circles: each falls back for Placidus and for Koch.
    EXPECT_EQ(fellBack, 4);
    std::printf("Precise readings' cusps, largest difference from houses-truth.jsonl:\n");
    for (size_t s = 0; s < kHouseSystems.size(); ++s)
        std::printf("  %-13s %7.4f\"\n", test::kHouseTruthKeys[s], worst[s]);
    std::printf("Mean Lilith, largest difference from the mean perigee series: %.2f\"\n",
                worstLilith);
}

}  // namespace
}  // namespace velloran
