// The precise positions through the calculation and the views: a crowded house, the node
// choice, the missing-files note, and a state that goes back to the classic positions.

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "chart/ChartFill.h"
#include "domain/Bodies.h"
#include "ephemeris/SwissEphemeris.h"
#include "output/TextExport.h"
#include "reading/Contacts.h"
#include "reading/Reading.h"
#include "support/SampleBirths.h"
#include "support/TempFolder.h"

namespace velloran {
namespace {

constexpr PositionsChoice kPreciseMean{PositionsKind::Precise, NodeKind::Mean};
constexpr PositionsChoice kPreciseTrue{PositionsKind::Precise, NodeKind::True};
constexpr int kChiron = static_cast<int>(ChartBody::Chiron);
constexpr int kNode = static_cast<int>(ChartBody::NorthNode);

using test::Aquarius1962Form;

struct Calculated {
    ReadingState state;
    ChartWindowModel window;
};

Calculated Calculate(const FormInput& form, const PositionsSource& source) {
    Calculated c;
    CalculateReading(form, c.state, EnglishMonthNames(), c.window, source);
    return c;
}

TEST(PreciseChart, AHouseOfEightBodiesListsThemAllInChartOrder) {
    ephemeris::SwissEphemeris swiss;
    const Calculated c = Calculate(Aquarius1962Form(), {kPreciseMean, &swiss});
    const Chart& natal = c.state.NatalChart;
    ASSERT_EQ(natal.risingSign(), 7);  // Scorpio: Aquarius is the fourth house
    EXPECT_EQ(HouseText(natal, c.state.BodyNames, kBodyNames[9], 4),
              "\r\nSun\r\nMoon\r\nMercury (R) \r\nVenus\r\nMars\r\nJupiter\r\nSaturn\r\nKetu");
    // The draconic chart, shown last: Virgo (its fourth house from Gemini) holds the Sun at
    // 177.5°, Moon 177.4°, Mercury 178.8°, Venus 179.6°, Mars 164.2° and Saturn 165.6°; Jupiter
    // at 180.5° has passed into Libra.
    EXPECT_EQ(c.window.singleWheel.texts[3],
              "\r\nSun\r\nMoon\r\nMercury (R) \r\nVenus\r\nMars\r\nSaturn");
    // The comparison rings use the labels, the modern bodies among them.
    ReadingState state = c.state;
    ChartWindowModel window = c.window;
    ShowComparisonView(state, window);
    EXPECT_EQ(window.innerRing.texts[3], "\r\nSu\r\nM\r\nMe (R) \r\nV\r\nMa\r\nJ\r\nSa\r\nS");
    EXPECT_EQ(window.innerRing.texts[9], "\r\nN\r\nU (R) ");  // Leo: Rahu and Uranus
    EXPECT_EQ(window.innerRing.texts[0], "\r\nA\r\nNe");      // Scorpio: the ascendant, Neptune
}

TEST(PreciseChart, ViewsShowTheComputedChartsWithoutComputingClassicOnes) {
    ephemeris::SwissEphemeris swiss;
    Calculated c = Calculate(test::KnownBirthForm(), {kPreciseMean, &swiss});
    const ReadingState before = c.state;
    ShowNatalView(c.state, c.window);
    EXPECT_EQ(c.window.bodyRows, kMaxBodyCount);
    EXPECT_EQ(c.window.natalColumn.cells[kChiron], before.NatalPositions[kChiron]);
    EXPECT_EQ(c.state.NatalLongitudes, before.NatalLongitudes);
    ShowDraconicView(c.state, c.window);
    EXPECT_EQ(c.state.DraconicLongitudes, before.DraconicLongitudes);
    EXPECT_EQ(c.state.DraconicChart, before.DraconicChart);
    EXPECT_NE(c.window.singleWheel.texts, ChartWindowModel{}.singleWheel.texts);
}

TEST(PreciseChart, TheTrueNodeMovesTheDraconicChartAndNothingNatalButTheNodes) {
    ephemeris::SwissEphemeris swiss;
    const Calculated mean = Calculate(test::KnownBirthForm(), {kPreciseMean, &swiss});
    const Calculated truth = Calculate(test::KnownBirthForm(), {kPreciseTrue, &swiss});
    EXPECT_EQ(truth.window.positionsLine, "Precise positions (Swiss Ephemeris), true node");
    const double shift = truth.state.NatalLongitudes[kNode] - mean.state.NatalLongitudes[kNode];
    EXPECT_GT(std::fabs(shift), 0.1);  // 1980-01-15: the true node is about 1.3° off the mean
    for (int k = 0; k < kMaxBodyCount; ++k) {
        if (k == kNode || k == kNode + 1) continue;
        EXPECT_EQ(truth.state.NatalLongitudes[k], mean.state.NatalLongitudes[k]) << k;
        if (k == static_cast<int>(ChartBody::Ascendant) || k < kNode || k > kNode + 2) {
            const double d = std::remainder(
                mean.state.DraconicLongitudes[k] - truth.state.DraconicLongitudes[k], 360.0);
            EXPECT_NEAR(d, shift, 1e-9) << k;
        }
    }
}

TEST(PreciseChart, MissingEphemerisFilesAreSaidWhereThePositionsAreShown) {
    test::TempFolder empty("velloran-no-ephemeris");
    ephemeris::SwissEphemeris swiss(empty.Path(""));
    if (swiss.Compute(2451545.0, 0, 0).status != ephemeris::Status::Fallback)
        GTEST_SKIP() << "SE_EPHE_PATH points the library at files";
    const Calculated c = Calculate(test::KnownBirthForm(), {kPreciseMean, &swiss});
    EXPECT_NE(c.state.PositionsNote.find("files were not found"), std::string::npos)
        << c.state.PositionsNote;
    EXPECT_EQ(c.window.positionsNote, c.state.PositionsNote);
    // The built-in theory has no Chiron: its cells stay empty, it takes part in no contact.
    EXPECT_TRUE(std::isnan(c.state.NatalLongitudes[kChiron]));
    EXPECT_EQ(c.window.natalColumn.cells[kChiron], "");
    EXPECT_EQ(c.window.draconicColumn.cells[kChiron], "");
    for (const Contact& contact : ReadingContacts(c.state, {kAllAspects, 5.0, true})) {
        EXPECT_NE(contact.natal, ChartBody::Chiron);
        EXPECT_NE(contact.draconic, ChartBody::Chiron);
    }
    // The Sun from the built-in theory is still within a second or so of the files' Sun.
    ephemeris::SwissEphemeris withFiles;
    const Calculated files = Calculate(test::KnownBirthForm(), {kPreciseMean, &withFiles});
    EXPECT_NEAR(c.state.NatalLongitudes[0], files.state.NatalLongitudes[0], 1.0 / 360.0);
    const std::string text = ExportText(c.state, EnglishMonthNames());
    EXPECT_NE(text.find("\r\nChiron \r\n"), std::string::npos);
    EXPECT_TRUE(text.ends_with("\r\nNote: " + c.state.PositionsNote + "\r\n")) << text;
}

TEST(PreciseChart, BackToClassicTheStateIsAsIfNeverPrecise) {
    ephemeris::SwissEphemeris swiss;
    Calculated reused = Calculate(test::KnownBirthForm(), {kPreciseMean, &swiss});
    CalculateReading(test::PuneBirthForm(), reused.state, EnglishMonthNames(), reused.window);
    const Calculated fresh = Calculate(test::PuneBirthForm(), {});
    EXPECT_EQ(reused.state.NatalChart, fresh.state.NatalChart);
    EXPECT_EQ(reused.state.DraconicChart, fresh.state.DraconicChart);
    EXPECT_EQ(reused.window.natalColumn, fresh.window.natalColumn);
    EXPECT_EQ(reused.window.draconicColumn, fresh.window.draconicColumn);
    EXPECT_EQ(reused.window.singleWheel, fresh.window.singleWheel);
    EXPECT_EQ(reused.window.bodyRows, kBodyCount);
    EXPECT_EQ(reused.window.positionsLine, "");
    EXPECT_EQ(reused.state.Retrograde, fresh.state.Retrograde);
    EXPECT_EQ(ExportText(reused.state, EnglishMonthNames()),
              ExportText(fresh.state, EnglishMonthNames()));
    EXPECT_EQ(ReadingContacts(reused.state, {kAllAspects, 5.0, true}),
              ReadingContacts(fresh.state, {kAllAspects, 5.0, true}));
}

}  // namespace
}  // namespace velloran
