// The classic ascendant is the eastern crossing of ecliptic and horizon at every latitude: against
// the ascendants of houses-truth.jsonl, worked out from textbook formulas with no astrology
// library, and for a birth above the Arctic Circle where the written formula alone gives the
// descendant.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>

#include "../astro/AstroTestSupport.h"
#include "../support/Json.h"
#include "../support/PreciseTruth.h"
#include "../support/TempFolder.h"
#include "domain/ZoneTable.h"
#include "ephemeris/SwissEphemeris.h"
#include "reading/Reading.h"
#include "reading/ReadingOpen.h"

namespace velloran {
namespace {

using test::Json;

// The classic formula's sidereal time and mean obliquity against the truth's of date: well
// under a degree apart wherever the ascendant is defined; the descendant would be 180 away.
constexpr double kClassicAscendantTolDeg = 1.0;

TEST(ClassicAscendant, IsTheEasternCrossingForEveryReferenceBirth) {
    std::ifstream file(std::string(VELLORAN_REFERENCE_DIR) + "/houses-truth.jsonl");
    std::string line, error;
    int cases = 0, polar = 0;
    double worst = 0.0;
    while (std::getline(file, line)) {
        if (line.empty()) continue;
        const std::optional<Json> truth = test::JsonReader::Parse(line, error);
        ASSERT_TRUE(truth) << error;
        const std::string name = truth->Find("file") ? truth->Find("file")->text : "?";
        SCOPED_TRACE(name);
        const Json* houses = truth->Find("houses");
        ASSERT_NE(houses, nullptr);
        const double expected = test::TruthNumber(*houses->Find("equal"), "asc", name);
        PlainForm form;
        OpenOutcome opened = OpenAndCalculate(
            test::ReadFileBytes(std::string(VELLORAN_REFERENCE_DIR) + "/" + name), form, true);
        ASSERT_EQ(opened.status, OpenStatus::Calculated);
        const double ours = opened.reading->natal[ChartBody::Ascendant].longitude;
        EXPECT_LE(testing::AngleDistance(ours, expected), kClassicAscendantTolDeg)
            << ours << " vs " << expected;
        worst = std::max(worst, testing::AngleDistance(ours, expected));
        if (std::fabs(test::TruthNumber(*truth, "lat", name)) > 66.56) ++polar;
        ++cases;
    }
    EXPECT_EQ(cases, 100);
    EXPECT_GE(polar, 1);
    std::printf("classic ascendant, largest difference from houses-truth.jsonl: %.4f deg\n", worst);
}

// Tromsø-like: 21 June 1980, 00:00 Universal Time at 70° N 15° E. The sun does not
// set; the written formula gives 129.5° (Leo), the western crossing. The eastern one is in
// Aquarius, as the Swiss Ephemeris's ascendant of the same moment and place says.
TEST(ClassicAscendant, AboveTheArcticCircleTheEasternCrossing) {
    BirthInput in;
    in.birth.Year = 1980, in.birth.Month = 6, in.birth.Day = 21;
    in.birth.LatDeg = 70, in.birth.LonDeg = 15, in.birth.LongEast = true;
    in.zoneIndex = 61;
    in.zoneMinutesToUT = ZoneRowAt(61).minutesToUT;
    ASSERT_EQ(in.zoneMinutesToUT, 0) << ZoneRowAt(61).label;
    const Calculation classic = Calculate(in);
    ASSERT_TRUE(classic.reading) << classic.error;
    const BodyPlace& asc = classic.reading->natal[ChartBody::Ascendant];
    EXPECT_NEAR(asc.longitude, 309.49, 0.01);
    EXPECT_EQ(asc.sign, 10);  // Aquarius
    EXPECT_EQ(classic.reading->natal.risingSign(), 10);

    ephemeris::SwissEphemeris swiss;
    const Calculation precise = Calculate(in, {{PositionsKind::Precise, NodeKind::Mean}, &swiss});
    ASSERT_TRUE(precise.reading) << precise.error;
    EXPECT_LE(testing::AngleDistance(asc.longitude,
                                     precise.reading->natal[ChartBody::Ascendant].longitude),
              kClassicAscendantTolDeg);
}

TEST(ClassicAscendant, AtAPoleThereIsNoneAndTheReadingIsRefused) {
    BirthInput in;
    in.birth.Year = 1980, in.birth.Month = 6, in.birth.Day = 21;
    in.birth.LatDeg = 90, in.birth.LatSouth = true;
    const Calculation done = Calculate(in);
    EXPECT_FALSE(done.reading.has_value());
    EXPECT_EQ(done.error,
              "There is no ascendant at the poles: please enter a latitude below 90 degrees.");
    in.birth.LatMin = 0, in.birth.LatDeg = 89;
    EXPECT_TRUE(Calculate(in).reading.has_value());
}

}  // namespace
}  // namespace velloran
