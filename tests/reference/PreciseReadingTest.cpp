// Precise readings of the 100 reference births, opened as the open command opens them, against
// precise-truth.jsonl (longitudes from an independent ephemeris, good to about one arc-minute;
// the Sun to Pluto, the mean node and the ascendant): every natal longitude within 60", the
// ascendant below the polar circles only; every draconic longitude the natal one measured from
// the node; the birth's moment the truth's; the export with the classic lines' names in their
// places, then the modern bodies and the line naming the positions.

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "../astro/AstroTestSupport.h"
#include "../support/Json.h"
#include "../support/PreciseTruth.h"
#include "../support/TempFolder.h"
#include "chart/ChartWindow.h"
#include "domain/Bodies.h"
#include "ephemeris/SwissEphemeris.h"
#include "output/TextExport.h"
#include "reading/Precise.h"
#include "reading/Reading.h"
#include "reading/ReadingOpen.h"

namespace velloran {
namespace {

using test::Json;
using test::JsonReader;
using testing::AngleDistance;

using test::kPolarCircleDeg;
using test::kTruthTolArcsec;
// Draconic longitudes are differences of two doubles below 360.
constexpr double kDraconicTolDeg = 1e-9;
// The truth's moments are given to the second or better.
constexpr double kMomentTolDays = 1.0 / 86400.0;
const std::string kReferenceDir = VELLORAN_REFERENCE_DIR;

struct Compared {
    const char* truthKey;
    ChartBody body;
};
constexpr std::array<Compared, 12> kCompared = {{
    {"Sun", ChartBody::Sun},
    {"Moon", ChartBody::Moon},
    {"Mercury", ChartBody::Mercury},
    {"Venus", ChartBody::Venus},
    {"Mars", ChartBody::Mars},
    {"Jupiter", ChartBody::Jupiter},
    {"Saturn", ChartBody::Saturn},
    {"Uranus", ChartBody::Uranus},
    {"Neptune", ChartBody::Neptune},
    {"Pluto", ChartBody::Pluto},
    {"Mean Node", ChartBody::NorthNode},
    {"Ascendant", ChartBody::Ascendant},
}};

std::vector<Json> TruthLines() { return test::PreciseTruthLines(kReferenceDir); }

double Number(const Json& object, std::string_view key) {
    return test::TruthNumber(object, key, "precise-truth.jsonl");
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t from = 0;
    for (std::size_t at; (at = text.find("\r\n", from)) != std::string::npos; from = at + 2)
        lines.push_back(text.substr(from, at - from));
    return lines;
}

// The body name a line of the export starts with ("North Node 01 Vir 08" -> "North Node").
std::string LineBody(const std::string& line) {
    for (std::string_view name : kWesternBodyNames) {
        if (line.starts_with(std::string(name) + " ")) return std::string(name);
    }
    return line;
}

struct Worst {
    double arcsec = 0.0;
    std::string id;
};

TEST(PreciseReadings, EveryReferenceBirthAgreesWithTheIndependentEphemeris) {
    const std::vector<Json> truth = TruthLines();
    ASSERT_EQ(truth.size(), 100u) << "precise-truth.jsonl in " << kReferenceDir;
    ephemeris::SwissEphemeris swiss;
    std::array<Worst, kCompared.size()> worst{};
    for (const Json& line : truth) {
        const std::string id = line.Find("id") ? line.Find("id")->text : "?";
        SCOPED_TRACE(id);
        const std::string reading = test::ReadFileBytes(kReferenceDir + "/" + id + ".vlr");
        PlainForm form;
        const PositionsChoice choice{PositionsKind::Precise, NodeKind::Mean};
        OpenOutcome opened = OpenAndCalculate(reading, form, true, PositionsSource{choice, &swiss});
        ASSERT_EQ(opened.status, OpenStatus::Calculated);
        const Reading& state = *opened.reading;
        const ChartWindowModel window =
            MakeChartWindow(state, ChartView::Draconic, EnglishMonthNames());
        EXPECT_EQ(state.note, "");
        EXPECT_EQ(state.natal.bodyCount, kPreciseBodyCount);
        EXPECT_EQ(window.bodyRows, kPreciseBodyCount);
        EXPECT_EQ(window.positionsLine, "Precise positions (Swiss Ephemeris), mean node");

        const std::optional<double> jd = BirthJulianDay(state.input);
        ASSERT_TRUE(jd.has_value());
        EXPECT_NEAR(*jd, Number(line, "jd_ut"), kMomentTolDays);
        EXPECT_NEAR(state.dayNumber, Number(line, "jd_ut") - 2451545.0, kMomentTolDays);

        const Json* longitudes = line.Find("longitudes");
        ASSERT_NE(longitudes, nullptr);
        const double latitude = state.birth().LatDeg + state.birth().LatMin / 60.0;
        for (std::size_t k = 0; k < kCompared.size(); ++k) {
            const Compared& c = kCompared[k];
            if (c.body == ChartBody::Ascendant && latitude >= kPolarCircleDeg) continue;
            const double ours = state.natal.bodies[static_cast<int>(c.body)].longitude;
            const double arcsec = AngleDistance(ours, Number(*longitudes, c.truthKey)) * 3600.0;
            EXPECT_LE(arcsec, kTruthTolArcsec) << c.truthKey << ": " << ours;
            if (!(arcsec <= worst[k].arcsec)) worst[k] = {arcsec, id};
        }

        // Draconic: every body, Chiron and the ascendant included, from the node.
        const double node = state.natal[ChartBody::NorthNode].longitude;
        for (int k = 0; k < kPreciseBodyCount; ++k) {
            const double natal = state.natal.bodies[k].longitude;
            ASSERT_TRUE(std::isfinite(natal)) << kBodyTitles[k];
            const double draconic = state.draconic.bodies[k].longitude;
            EXPECT_TRUE(draconic >= 0.0 && draconic < 360.0) << kBodyTitles[k];
            EXPECT_LE(AngleDistance(draconic, natal - node), kDraconicTolDeg) << kBodyTitles[k];
            // Houses are whole signs from the chart's own rising sign.
            const BodyPlace& place = state.draconic.bodies[k];
            EXPECT_EQ(place.sign, static_cast<int>(draconic / 30.0)) << kBodyTitles[k];
            EXPECT_EQ(place.house, (place.sign - state.draconic.risingSign() + 12) % 12 + 1);
        }
        for (ChartBody never : {ChartBody::Sun, ChartBody::Moon, ChartBody::NorthNode,
                                ChartBody::SouthNode, ChartBody::Ascendant}) {
            EXPECT_FALSE(state.natal[never].retrograde) << kBodyTitles[int(never)];
            EXPECT_FALSE(state.draconic[never].retrograde) << kBodyTitles[int(never)];
        }

        // The export: the 33 lines of the classic layout, then the modern bodies and the line
        // naming the positions.
        const std::vector<std::string> classic =
            Lines(test::ReadFileBytes(kReferenceDir + "/" + id + ".export.txt"));
        const std::vector<std::string> precise = Lines(ExportText(state, EnglishMonthNames()));
        ASSERT_EQ(classic.size(), 33u);
        // Each chart's midheaven and modern bodies (a heading, five lines and a separator), the
        // cusps (a heading, twelve lines a chart and a separator), the positions line.
        ASSERT_EQ(precise.size(), 33u + 2u * 7u + 26u + 1u);
        for (std::size_t i = 0; i < classic.size(); ++i) {
            EXPECT_EQ(LineBody(precise[i]), LineBody(classic[i])) << "line " << i + 1;
        }
        EXPECT_EQ(precise[33], "Planetary Position (Natal, modern bodies)");
        EXPECT_TRUE(precise[34].starts_with("MC ")) << precise[34];
        EXPECT_TRUE(precise[35].starts_with("Uranus ")) << precise[35];
        EXPECT_TRUE(precise[38].starts_with("Chiron ")) << precise[38];
        EXPECT_EQ(precise[39], "\r");
        EXPECT_EQ(precise[40], "Planetary Position (Draconian, modern bodies)");
        EXPECT_EQ(precise[41], "MC " + LongPosition(state.draconic[ChartBody::Midheaven]));
        EXPECT_EQ(precise[42], "Uranus " + LongPosition(state.draconic[ChartBody::Uranus]));
        EXPECT_EQ(precise[47], "House cusps (Whole Sign)");
        EXPECT_TRUE(precise[48].starts_with("Natal 1 ")) << precise[48];
        EXPECT_TRUE(precise[71].starts_with("Draconian 12 ")) << precise[71];
        EXPECT_EQ(precise[73], "Positions: Precise positions (Swiss Ephemeris), mean node");
    }
    std::printf("Precise readings, largest difference from precise-truth.jsonl:\n");
    for (std::size_t k = 0; k < kCompared.size(); ++k) {
        std::printf("  %-10s %6.2f\"  (%s)\n", kCompared[k].truthKey, worst[k].arcsec,
                    worst[k].id.c_str());
    }
}

}  // namespace
}  // namespace velloran
