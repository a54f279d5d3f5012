// House cusps, ascendant and MC of the 100 reference births against houses-truth.jsonl, worked out
// from textbook formulas with the IAU 2006/2000B sidereal time and obliquity and no astrology
// library (see the reference folder's README): every system within one arc-second. Where the truth
// has no Placidus or Koch cusps (inside the polar circles) the layer must fall back to Porphyry.

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <string>
#include <vector>

#include "../astro/AstroTestSupport.h"
#include "ephemeris/Houses.h"
#include "support/Json.h"
#include "support/PreciseTruth.h"

namespace velloran::ephemeris {
namespace {

using test::Json;
using test::JsonReader;
using testing::AngleDistance;

constexpr double kTolArcsec = 1.0;

const std::string kReferenceDir = VELLORAN_REFERENCE_DIR;

std::vector<Json> HouseTruthLines() {
    return test::TruthLines(kReferenceDir, "houses-truth.jsonl");
}

// The twelve cusps of one system's truth, or none when the truth has null there.
std::optional<std::array<double, 12>> TruthCusps(const Json& houses, const std::string& where) {
    const Json* cusps = houses.Find("cusps");
    if (cusps == nullptr) {
        ADD_FAILURE() << where << " has no cusps";
        return std::nullopt;
    }
    if (cusps->type == Json::Type::Null) return std::nullopt;
    std::array<double, 12> out{};
    if (cusps->type != Json::Type::Array || cusps->items.size() != 12) {
        ADD_FAILURE() << where << " cusps are not twelve numbers";
        out.fill(std::nan(""));
        return out;
    }
    for (size_t k = 0; k < 12; ++k) {
        const Json& c = cusps->items[k];
        out[k] = c.type == Json::Type::Number ? c.number : std::nan("");
    }
    return out;
}

struct Worst {
    double arcsec = 0.0;
    std::string where;
    void Take(double a, const std::string& w) {
        if (!(a <= arcsec)) *this = {a, w};
    }
};

TEST(HousesTruth, EverySystemOfEveryReferenceBirthWithinAnArcSecond) {
    const std::vector<Json> truth = HouseTruthLines();
    ASSERT_EQ(truth.size(), 100u) << "houses-truth.jsonl in " << kReferenceDir;

    std::array<Worst, kHouseSystems.size()> worst{};
    int fellBack = 0;
    for (const Json& line : truth) {
        const Json* fileMember = line.Find("file");
        const Json* houses = line.Find("houses");
        ASSERT_TRUE(fileMember != nullptr && houses != nullptr);
        const std::string& id = fileMember->text;
        const double jdUt = test::TruthNumber(line, "jd_ut", id);
        const double lat = test::TruthNumber(line, "lat", id);
        const double lon = test::TruthNumber(line, "lon_east", id);
        const Json* porphyryTruth = houses->Find("porphyry");
        ASSERT_NE(porphyryTruth, nullptr) << id;

        for (size_t s = 0; s < kHouseSystems.size(); ++s) {
            const HouseSystem system = kHouseSystems[s];
            const std::string where = id + " " + test::kHouseTruthKeys[s];
            const Json* t = houses->Find(test::kHouseTruthKeys[s]);
            ASSERT_NE(t, nullptr) << where;
            const HouseCusps h = ComputeHouses(jdUt, lat, lon, system);
            ASSERT_TRUE(h.ok) << where << ": " << h.error;

            std::optional<std::array<double, 12>> expected = TruthCusps(*t, where);
            if (!expected) {
                // No cusps in the truth: Porphyry's instead, and said so.
                EXPECT_TRUE(h.fellBack) << where;
                EXPECT_EQ(h.system, HouseSystem::Porphyry) << where;
                expected = TruthCusps(*porphyryTruth, id + " porphyry");
                ASSERT_TRUE(expected.has_value()) << id;
                ++fellBack;
            } else {
                EXPECT_FALSE(h.fellBack) << where;
                EXPECT_EQ(h.system, system) << where;
            }

            const double mc = AngleDistance(h.midheaven, test::TruthNumber(*t, "mc", where));
            const double asc = AngleDistance(h.ascendant, test::TruthNumber(*t, "asc", where));
            EXPECT_LE(mc * 3600.0, kTolArcsec) << where << " mc " << h.midheaven;
            EXPECT_LE(asc * 3600.0, kTolArcsec) << where << " asc " << h.ascendant;
            worst[s].Take(mc * 3600.0, where + " mc");
            worst[s].Take(asc * 3600.0, where + " asc");
            for (size_t k = 0; k < 12; ++k) {
                EXPECT_TRUE(h.cusps[k] >= 0.0 && h.cusps[k] < 360.0) << where << " " << k + 1;
                const double d = AngleDistance(h.cusps[k], (*expected)[k]) * 3600.0;
                EXPECT_LE(d, kTolArcsec) << where << " cusp " << k + 1 << ": " << h.cusps[k];
                worst[s].Take(d, where + " cusp " + std::to_string(k + 1));
            }
        }
    }
    // The truth has births inside the polar circles: the fallback was exercised.
    EXPECT_GT(fellBack, 0);

    std::printf("Largest difference from houses-truth.jsonl (tolerance %.0f\"):\n", kTolArcsec);
    for (size_t s = 0; s < kHouseSystems.size(); ++s) {
        std::printf("  %-13s %7.4f\"  (%s)\n", test::kHouseTruthKeys[s], worst[s].arcsec,
                    worst[s].where.c_str());
    }
}

}  // namespace
}  // namespace velloran::ephemeris
