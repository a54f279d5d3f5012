// The precise positions through the calculation and the views: a crowded house, the node
// choice, the missing-files note, and the classic positions after precise ones.

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "Calculated.h"
#include "chart/ChartWindow.h"
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

std::string HouseTextOf(const Chart& chart, BodyNaming naming, int house) {
    return HouseText(MakeWheelHouses(chart, naming), house);
}

ChartWindowModel View(const Reading& reading, ChartView view) {
    return MakeChartWindow(reading, view, EnglishMonthNames());
}

TEST(PreciseChart, AHouseOfEightBodiesListsThemAllInChartOrder) {
    ephemeris::SwissEphemeris swiss;
    const Reading reading = test::ReadingOf(Aquarius1962Form(), {kPreciseMean, &swiss});
    const Chart& natal = reading.natal;
    ASSERT_EQ(natal.risingSign(), 7);  // Scorpio: Aquarius is the fourth house
    EXPECT_EQ(HouseTextOf(natal, BodyNaming::WheelNames, 4),
              "\r\nSun\r\nMoon\r\nMercury (R) \r\nVenus\r\nMars\r\nJupiter\r\nSaturn\r\nKetu");
    // The draconic chart, shown after the calculation: Virgo (its fourth house from Gemini) holds
    // the Sun at 177.5°, Moon 177.4°, Mercury 178.8°, Venus 179.6°, Mars 164.2° and Saturn
    // 165.6°; Jupiter at 180.5° has passed into Libra.
    EXPECT_EQ(HouseText(View(reading, ChartView::Draconic).singleWheel, 4),
              "\r\nSun\r\nMoon\r\nMercury (R) \r\nVenus\r\nMars\r\nSaturn");
    // The comparison rings use the labels, the modern bodies among them.
    const ChartWindowModel comparison = View(reading, ChartView::Comparison);
    EXPECT_EQ(HouseText(comparison.innerRing, 4),
              "\r\nSu\r\nM\r\nMe (R) \r\nV\r\nMa\r\nJ\r\nSa\r\nS");
    EXPECT_EQ(HouseText(comparison.innerRing, 10),
              "\r\nN\r\nMC\r\nU (R) ");                            // Leo: Rahu, MC, Uranus
    EXPECT_EQ(HouseText(comparison.innerRing, 1), "\r\nA\r\nNe");  // Scorpio: Asc, Neptune
}

// The views show the calculated charts with every body: the model is made from the reading
// alone, the same in any order.
TEST(PreciseChart, EveryViewShowsTheFourteenBodiesOfTheReading) {
    ephemeris::SwissEphemeris swiss;
    const Reading reading = test::ReadingOf(test::KnownBirthForm(), {kPreciseMean, &swiss});
    const ChartWindowModel draconic = View(reading, ChartView::Draconic);
    const ChartWindowModel natal = View(reading, ChartView::Natal);
    for (const ChartWindowModel* w : {&draconic, &natal}) {
        EXPECT_EQ(w->bodyRows, kPreciseBodyCount);
        EXPECT_EQ(w->positionsLine, "Precise positions (Swiss Ephemeris), mean node");
        for (int k = 0; k < kPreciseBodyCount; ++k) {
            EXPECT_EQ(w->natalColumn.cells[k].size(), 9u) << k << " " << w->natalColumn.cells[k];
            EXPECT_EQ(w->draconicColumn.cells[k].size(), 9u) << k;
        }
    }
    SCOPED_TRACE("draconic after natal");
    test::ExpectSameWindow(View(reading, ChartView::Draconic), draconic);
}

TEST(PreciseChart, TheTrueNodeMovesTheDraconicChartAndNothingNatalButTheNodes) {
    ephemeris::SwissEphemeris swiss;
    const Reading mean = test::ReadingOf(test::KnownBirthForm(), {kPreciseMean, &swiss});
    const Reading truth = test::ReadingOf(test::KnownBirthForm(), {kPreciseTrue, &swiss});
    EXPECT_EQ(View(truth, ChartView::Draconic).positionsLine,
              "Precise positions (Swiss Ephemeris), true node");
    const double shift = truth.natal.bodies[kNode].longitude - mean.natal.bodies[kNode].longitude;
    EXPECT_GT(std::fabs(shift), 0.1);  // 1980-01-15: the true node is about 1.3° off the mean
    for (int k = 0; k < kPreciseBodyCount; ++k) {
        if (k == kNode || k == kNode + 1) continue;
        EXPECT_EQ(truth.natal.bodies[k].longitude, mean.natal.bodies[k].longitude) << k;
        if (k == static_cast<int>(ChartBody::Ascendant) || k < kNode || k > kNode + 2) {
            const double d = std::remainder(
                mean.draconic.bodies[k].longitude - truth.draconic.bodies[k].longitude, 360.0);
            EXPECT_NEAR(d, shift, 1e-9) << k;
        }
    }
}

TEST(PreciseChart, MissingEphemerisFilesAreSaidWhereThePositionsAreShown) {
    test::TempFolder empty("velloran-no-ephemeris");
    ephemeris::SwissEphemeris swiss(empty.Path(""));
    if (swiss.Compute(2451545.0, 0, 0).status != ephemeris::Status::Fallback)
        GTEST_SKIP() << "SE_EPHE_PATH points the library at files";
    const Reading reading = test::ReadingOf(test::KnownBirthForm(), {kPreciseMean, &swiss});
    EXPECT_NE(reading.note.find("files were not found"), std::string::npos) << reading.note;
    const ChartWindowModel window = View(reading, ChartView::Draconic);
    EXPECT_EQ(window.positionsNote, reading.note);
    // The built-in theory has no Chiron: its cells stay empty, it takes part in no contact.
    EXPECT_TRUE(std::isnan(reading.natal.bodies[kChiron].longitude));
    EXPECT_EQ(window.natalColumn.cells[kChiron], "");
    EXPECT_EQ(window.draconicColumn.cells[kChiron], "");
    for (int h = 1; h <= kSignCount; ++h)
        EXPECT_EQ(HouseText(window.singleWheel, h).find("Chiron"), std::string::npos) << h;
    for (const Contact& contact : ReadingContacts(reading, {kAllAspects, 5.0, true})) {
        EXPECT_NE(contact.natal, ChartBody::Chiron);
        EXPECT_NE(contact.draconic, ChartBody::Chiron);
    }
    // The Sun from the built-in theory is still within a second or so of the files' Sun.
    ephemeris::SwissEphemeris withFiles;
    const Reading files = test::ReadingOf(test::KnownBirthForm(), {kPreciseMean, &withFiles});
    EXPECT_NEAR(reading.natal.bodies[0].longitude, files.natal.bodies[0].longitude, 1.0 / 360.0);
    const std::string text = ExportText(reading, EnglishMonthNames());
    EXPECT_NE(text.find("\r\nChiron \r\n"), std::string::npos);
    EXPECT_TRUE(text.ends_with("\r\nNote: " + reading.note + "\r\n")) << text;
}

// A damaged planet file (cut short, as a broken download leaves it) gives no positions: the
// reading is refused with the library's reason rather than shown with every position missing.
TEST(PreciseChart, ADamagedPlanetFileRefusesTheReading) {
    const std::string files = ephemeris::DefaultEphemerisPath();
    const std::string planets = test::ReadFileBytes(files + "/sepl_18.se1");
    if (planets.size() < 100000) GTEST_SKIP() << "no planet file in " << files;
    test::TempFolder damaged("velloran-damaged-ephemeris");
    for (const char* name : {"semo_18.se1", "seas_18.se1"}) {
        const std::string bytes = test::ReadFileBytes(files + "/" + name);
        if (!bytes.empty()) test::WriteFileBytes(damaged.Path(name), bytes);
    }
    test::WriteFileBytes(damaged.Path("sepl_18.se1"), planets.substr(0, 1000));
    ephemeris::SwissEphemeris swiss(damaged.Path(""));
    if (swiss.Compute(2451545.0, 0, 0).status == ephemeris::Status::Files)
        GTEST_SKIP() << "SE_EPHE_PATH points the library at other files";
    const Calculation done =
        Calculate(BirthFromForm(test::KnownBirthForm()), {kPreciseMean, &swiss});
    EXPECT_FALSE(done.reading.has_value());
    EXPECT_EQ(done.error.rfind("The precise positions could not be computed: ", 0), 0u)
        << done.error;
    EXPECT_NE(done.error.find("sepl_18.se1"), std::string::npos) << done.error;
    EXPECT_FALSE(done.error.ends_with("..")) << done.error;
    // The classic positions of the same birth are not touched by it.
    EXPECT_TRUE(Calculate(BirthFromForm(test::KnownBirthForm())).reading.has_value());
}

// The classic positions of a birth do not depend on a precise calculation before them: the same
// charts, window, export and contacts as ever, with ten bodies and no positions line.
TEST(PreciseChart, AClassicReadingAfterAPreciseOneIsAsIfNeverPrecise) {
    const Reading before = test::ReadingOf(test::PuneBirthForm());
    ephemeris::SwissEphemeris swiss;
    const Reading precise = test::ReadingOf(test::PuneBirthForm(), {kPreciseMean, &swiss});
    const Reading after = test::ReadingOf(test::PuneBirthForm());
    EXPECT_EQ(precise.natal.bodyCount, kPreciseBodyCount);
    EXPECT_EQ(after.natal, before.natal);
    EXPECT_EQ(after.draconic, before.draconic);
    EXPECT_EQ(after.natal.bodyCount, kBodyCount);
    EXPECT_EQ(after.note, "");
    const ChartWindowModel window = View(after, ChartView::Draconic);
    test::ExpectSameWindow(window, View(before, ChartView::Draconic));
    EXPECT_EQ(window.bodyRows, kBodyCount);
    EXPECT_EQ(window.positionsLine, "");
    const std::string text = ExportText(after, EnglishMonthNames());
    EXPECT_EQ(text, ExportText(before, EnglishMonthNames()));
    EXPECT_EQ(text.find("modern bodies"), std::string::npos);
    EXPECT_EQ(text.find("Positions:"), std::string::npos);
    EXPECT_EQ(ReadingContacts(after, {kAllAspects, 5.0, true}),
              ReadingContacts(before, {kAllAspects, 5.0, true}));
}

}  // namespace
}  // namespace velloran
