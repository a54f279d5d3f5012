// The houses of a chart and the chart window's model of a reading: whole-sign houses from the
// rising sign, the house texts with their names and marks, the sign pictures, the three views
// and the header lines.

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <initializer_list>
#include <limits>
#include <string>

#include "Calculated.h"
#include "RowName.h"
#include "chart/ChartWindow.h"
#include "reading/Reading.h"

namespace velloran {
namespace {

using test::PrintTo;

using B = ChartBody;

// A longitude in sign (0 = Aries) at degrees and minutes, half a minute in, so that the texts,
// which truncate, show exactly those minutes.
double At(int sign, int degrees, int minutes) {
    return sign * 30 + degrees + (minutes + 0.5) / 60.0;
}

// A chart of the ten classic bodies at the longitudes given, each in the sign its longitude lies
// in, laid out in whole-sign houses.
Chart ChartAt(const std::array<double, kBodyCount>& longitudes,
              std::initializer_list<ChartBody> retrograde = {}) {
    Chart chart;
    for (int k = 0; k < kBodyCount; ++k) {
        chart.bodies[k].longitude = longitudes[k];
        chart.bodies[k].sign =
            std::isfinite(longitudes[k]) ? static_cast<int>(longitudes[k] / 30) : -1;
    }
    for (const ChartBody body : retrograde) chart.bodies[static_cast<int>(body)].retrograde = true;
    LayWholeSignHouses(chart);
    return chart;
}

// Ascendant 14 Leo 22, Sun 02 Leo 10, retrograde Mercury 28 Can 05, the rest elsewhere.
Chart WorkedExample() {
    return ChartAt({At(4, 2, 10), At(0, 10, 0), At(3, 28, 5), At(2, 5, 11), At(7, 1, 2),
                    At(8, 12, 40), At(9, 20, 30), At(5, 3, 10), At(11, 3, 10), At(4, 14, 22)},
                   {B::Mercury});
}

const std::array<std::string, kBodyCount> kWorkedExampleCells = {
    "02 Leo 10", "10 Ari 00", "28 Can 05", "05 Gem 11", "01 Sco 02",
    "12 Sag 40", "20 Cap 30", "03 Vir 10", "03 Pis 10", "14 Leo 22"};

// A draconic chart: Sun 10 Aqu, Moon 20 Ari 30, retrograde Mercury with the node at 0 Ari,
// Venus 20 Sag, Mars 19 Sag 45, Jupiter 10 Can, Saturn 0 Cap, the South Node 0 Lib and the
// ascendant 20 Pis.
Chart DraconicExample() {
    return ChartAt({310, 20.5, 0, 260, 259.75, 100, 270, 0, 180, 350}, {B::Mercury});
}

std::array<std::string, kSignCount> HouseTexts(const WheelHouses& wheel) {
    std::array<std::string, kSignCount> texts;
    for (int h = 1; h <= kSignCount; ++h) texts[h - 1] = HouseText(wheel, h);
    return texts;
}

Reading ExampleReading() {
    Reading reading;
    BirthData& b = reading.input.birth;
    b.Name = "Ann";
    b.Month = 3, b.Day = 5, b.Year = 1980, b.Hour = 7, b.Minute = 5;
    b.LatDeg = 28, b.LatMin = 0, b.LonDeg = 77, b.LonMin = 12, b.LongEast = true;
    b.City = "Delhi", b.State = "Delhi", b.Country = "India";
    reading.input.zoneIndex = 34;
    reading.natal = WorkedExample();
    reading.draconic = DraconicExample();
    return reading;
}

TEST(LayWholeSignHouses, HousesCountFromTheRisingSign) {
    const Chart chart = WorkedExample();
    EXPECT_EQ(chart.risingSign(), 4);  // Leo
    EXPECT_EQ(chart.houseSigns,
              (std::array<int, kSignCount>{4, 5, 6, 7, 8, 9, 10, 11, 0, 1, 2, 3}));
    const int houses[kBodyCount] = {1, 9, 12, 11, 4, 5, 6, 2, 8, 1};
    for (int k = 0; k < kBodyCount; ++k) EXPECT_EQ(chart.bodies[k].house, houses[k]) << k;
}

TEST(WheelHouses, WorkedExampleNamesEachHousesBodiesUnderItsSign) {
    const WheelHouses wheel = MakeWheelHouses(WorkedExample(), BodyNaming::WheelNames);
    EXPECT_EQ(HouseTexts(wheel),
              (std::array<std::string, kSignCount>{"\r\nSun\r\nAsc",       // house 1: Leo
                                                   "\r\nRahu",             // Virgo
                                                   "",                     // Libra, empty
                                                   "\r\nMars",             // Scorpio
                                                   "\r\nJupiter",          // Sagittarius
                                                   "\r\nSaturn",           // Capricorn
                                                   "",                     // Aquarius
                                                   "\r\nKetu",             // Pisces
                                                   "\r\nMoon",             // Aries
                                                   "",                     // Taurus
                                                   "\r\nVenus",            // Gemini
                                                   "\r\nMercury (R) "}));  // house 12: Cancer
    // Image list positions 1..12 are Aries..Pisces: Leo in house 1, Cancer in house 12.
    EXPECT_EQ(wheel.signPictures,
              (std::array<int, kSignCount>{5, 6, 7, 8, 9, 10, 11, 12, 1, 2, 3, 4}));
}

TEST(WheelHouses, SeveralBodiesInOneSignKeepChartOrderWithAscLast) {
    const Chart chart = ChartAt({At(1, 20, 0), At(1, 1, 0), At(1, 2, 0), At(1, 3, 0), At(1, 4, 0),
                                 At(1, 5, 0), At(1, 6, 0), At(1, 7, 0), At(7, 8, 0), At(1, 0, 1)},
                                {B::Mercury, B::Saturn});
    const WheelHouses wheel = MakeWheelHouses(chart, BodyNaming::WheelNames);
    EXPECT_EQ(HouseText(wheel, 1),
              "\r\nSun\r\nMoon\r\nMercury (R) \r\nVenus\r\nMars\r\nJupiter\r\nSaturn (R) "
              "\r\nRahu\r\nAsc");
    EXPECT_EQ(HouseText(wheel, 7), "\r\nKetu");
    for (int h : {2, 3, 4, 5, 6, 8, 9, 10, 11, 12}) EXPECT_EQ(HouseText(wheel, h), "") << h;
}

TEST(WheelHouses, AscendantWithoutSignCountsFromAriesWithoutPictures) {
    std::array<double, kBodyCount> longitudes = {
        At(4, 2, 10),  At(0, 10, 0),
        At(3, 28, 5),  At(2, 5, 11),
        At(7, 1, 2),   At(8, 12, 40),
        At(9, 20, 30), At(5, 3, 10),
        At(11, 3, 10), std::numeric_limits<double>::quiet_NaN()};
    const Chart chart = ChartAt(longitudes);
    EXPECT_EQ(chart.risingSign(), 0);
    EXPECT_EQ(chart[B::Ascendant].house, 0);
    const WheelHouses wheel = MakeWheelHouses(chart, BodyNaming::WheelNames);
    EXPECT_EQ(HouseText(wheel, 1), "\r\nMoon");  // house 1 shows the Aries list
    EXPECT_EQ(HouseText(wheel, 5), "\r\nSun");   // Leo, without an Asc line
    EXPECT_EQ(wheel.signPictures, (std::array<int, kSignCount>{}));
    EXPECT_EQ(LongPosition(chart[B::Ascendant]), "");
    EXPECT_EQ(CompactPosition(chart[B::Ascendant]), "");
}

struct BodyNameCase {
    const char* rowName;
    ChartBody body;
    const char* wheelName;
    const char* label;
};

class WheelBodyNameTest : public ::testing::TestWithParam<BodyNameCase> {};

TEST_P(WheelBodyNameTest, NamesAndLabelsWithTheMarkWhenRetrograde) {
    const BodyNameCase& c = GetParam();
    WheelHouses wheel;
    EXPECT_EQ(WheelBodyName(wheel, c.body), c.wheelName);
    wheel.naming = BodyNaming::Labels;
    EXPECT_EQ(WheelBodyName(wheel, c.body), c.label);
    wheel.retrograde[static_cast<int>(c.body)] = true;
    EXPECT_EQ(WheelBodyName(wheel, c.body), std::string(c.label) + " (R) ");
    wheel.naming = BodyNaming::WheelNames;
    EXPECT_EQ(WheelBodyName(wheel, c.body), std::string(c.wheelName) + " (R) ");
}

INSTANTIATE_TEST_SUITE_P(Bodies, WheelBodyNameTest,
                         ::testing::Values(BodyNameCase{"sun", B::Sun, "Sun", "Su"},
                                           BodyNameCase{"moon", B::Moon, "Moon", "M"},
                                           BodyNameCase{"mercury", B::Mercury, "Mercury", "Me"},
                                           BodyNameCase{"venus", B::Venus, "Venus", "V"},
                                           BodyNameCase{"mars", B::Mars, "Mars", "Ma"},
                                           BodyNameCase{"jupiter", B::Jupiter, "Jupiter", "J"},
                                           BodyNameCase{"saturn", B::Saturn, "Saturn", "Sa"},
                                           BodyNameCase{"north_node", B::NorthNode, "Rahu", "N"},
                                           BodyNameCase{"south_node", B::SouthNode, "Ketu", "S"},
                                           BodyNameCase{"ascendant", B::Ascendant, "Asc", "A"},
                                           BodyNameCase{"uranus", B::Uranus, "Uranus", "U"},
                                           BodyNameCase{"neptune", B::Neptune, "Neptune", "Ne"},
                                           BodyNameCase{"pluto", B::Pluto, "Pluto", "P"},
                                           BodyNameCase{"chiron", B::Chiron, "Chiron", "Ch"}),
                         [](const auto& info) { return std::string(info.param.rowName); });

TEST(ChartViews, NatalViewShowsTheNatalChartInBlack) {
    const Reading reading = ExampleReading();
    const ChartWindowModel w = MakeChartWindow(reading, ChartView::Natal, EnglishMonthNames());
    EXPECT_EQ(w.lblType, "Natal");
    EXPECT_EQ(HouseText(w.singleWheel, 1), "\r\nSun\r\nAsc");
    EXPECT_EQ(HouseText(w.singleWheel, 12), "\r\nMercury (R) ");
    EXPECT_EQ(w.singleWheel.signPictures[0], 5);  // Leo rises
    EXPECT_EQ(w.singleWheelColor, kBlack);
    EXPECT_EQ(w.frameInFront, PositionFrame::Natal);
    EXPECT_FALSE(w.framesBeside);
    EXPECT_EQ(w.pictureInFront, ChartPicture::Single);
    EXPECT_FALSE(w.legendsVisible);
    EXPECT_EQ(w.bodyRows, kBodyCount);
    for (int k = 0; k < kBodyCount; ++k) EXPECT_EQ(w.natalColumn.cells[k], kWorkedExampleCells[k]);
    for (int k = kBodyCount; k < kPreciseBodyCount; ++k) EXPECT_EQ(w.natalColumn.cells[k], "");
}

TEST(ChartViews, DraconicViewShowsTheDraconicChartInBlue) {
    const Reading reading = ExampleReading();
    const ChartWindowModel w = MakeChartWindow(reading, ChartView::Draconic, EnglishMonthNames());
    EXPECT_EQ(w.lblType, "Draconian");
    EXPECT_EQ(w.draconicColumn.cells[0], "10 Aqu 00");
    EXPECT_EQ(w.draconicColumn.cells[1], "20 Ari 30");
    EXPECT_EQ(w.draconicColumn.cells[4], "19 Sag 45");
    EXPECT_EQ(w.draconicColumn.cells[7], "00 Ari 00");
    EXPECT_EQ(w.draconicColumn.cells[8], "00 Lib 00");
    EXPECT_EQ(w.draconicColumn.cells[9], "20 Pis 00");
    EXPECT_EQ(HouseText(w.singleWheel, 1), "\r\nAsc");                           // Pisces rises
    EXPECT_EQ(HouseText(w.singleWheel, 2), "\r\nMoon\r\nMercury (R) \r\nRahu");  // Aries
    EXPECT_EQ(HouseText(w.singleWheel, 8), "\r\nKetu");                          // Libra
    EXPECT_EQ(HouseText(w.singleWheel, 12), "\r\nSun");                          // Aquarius
    EXPECT_EQ(w.singleWheelColor, kBlue);
    EXPECT_EQ(w.singleWheel.signPictures[0], 12);
    EXPECT_EQ(w.singleWheel.signPictures[11], 11);
    EXPECT_EQ(w.frameInFront, PositionFrame::Draconic);
    EXPECT_FALSE(w.framesBeside);
    EXPECT_EQ(w.pictureInFront, ChartPicture::Single);
    EXPECT_FALSE(w.legendsVisible);
    // Both columns are filled in every view.
    for (int k = 0; k < kBodyCount; ++k) EXPECT_EQ(w.natalColumn.cells[k], kWorkedExampleCells[k]);
}

TEST(ChartViews, ComparisonShowsBothChartsByLabelsOnTheRings) {
    const Reading reading = ExampleReading();
    const ChartWindowModel w = MakeChartWindow(reading, ChartView::Comparison, EnglishMonthNames());
    EXPECT_EQ(w.lblType, "Comparison");
    EXPECT_TRUE(w.framesBeside);
    EXPECT_EQ(w.pictureInFront, ChartPicture::Comparison);
    EXPECT_TRUE(w.legendsVisible);
    EXPECT_EQ(w.innerLegend, "");
    EXPECT_EQ(w.natalColumnCaption, "");
    // The draconic chart outside, the natal chart inside, each with its own houses and signs.
    EXPECT_EQ(HouseTexts(w.outerRing), (std::array<std::string, kSignCount>{
                                           "\r\nA", "\r\nM\r\nMe (R) \r\nN", "", "", "\r\nJ", "",
                                           "", "\r\nS", "", "\r\nV\r\nMa", "\r\nSa", "\r\nSu"}));
    EXPECT_EQ(HouseTexts(w.innerRing), (std::array<std::string, kSignCount>{
                                           "\r\nSu\r\nA", "\r\nN", "", "\r\nMa", "\r\nJ", "\r\nSa",
                                           "", "\r\nS", "\r\nM", "", "\r\nV", "\r\nMe (R) "}));
    EXPECT_EQ(w.outerRing.signPictures,
              (std::array<int, kSignCount>{12, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}));
    EXPECT_EQ(w.innerRing.signPictures,
              (std::array<int, kSignCount>{5, 6, 7, 8, 9, 10, 11, 12, 1, 2, 3, 4}));
    for (int k = 0; k < kBodyCount; ++k) EXPECT_EQ(w.natalColumn.cells[k], kWorkedExampleCells[k]);
    EXPECT_EQ(w.draconicColumn.cells[0], "10 Aqu 00");
}

// The model is made from the reading alone: any view, in any order and any number of times,
// is the same model for the same reading, and the rings and columns are the same in all.
TEST(ChartViews, SwitchingViewsGivesTheSameModelsAgain) {
    const Reading reading = ExampleReading();
    const auto make = [&](ChartView view) {
        return MakeChartWindow(reading, view, EnglishMonthNames());
    };
    const ChartWindowModel draconic = make(ChartView::Draconic);
    const ChartWindowModel comparison = make(ChartView::Comparison);
    const ChartWindowModel natal = make(ChartView::Natal);
    {
        SCOPED_TRACE("draconic again");
        test::ExpectSameWindow(make(ChartView::Draconic), draconic);
    }
    {
        SCOPED_TRACE("comparison again");
        test::ExpectSameWindow(make(ChartView::Comparison), comparison);
    }
    {
        SCOPED_TRACE("natal again");
        test::ExpectSameWindow(make(ChartView::Natal), natal);
    }
    for (const ChartWindowModel* w : {&comparison, &natal}) {
        EXPECT_EQ(w->natalColumn, draconic.natalColumn);
        EXPECT_EQ(w->draconicColumn, draconic.draconicColumn);
        EXPECT_EQ(w->outerRing, draconic.outerRing);
        EXPECT_EQ(w->innerRing, draconic.innerRing);
    }
    EXPECT_EQ(comparison.singleWheel, draconic.singleWheel);
}

TEST(ChartViews, PrecisePositionsAreNamedWithTheirNote) {
    Reading reading = ExampleReading();
    reading.positions = {PositionsKind::Precise, NodeKind::True};
    reading.note = "The Swiss Ephemeris files were not found.";
    reading.natal.bodyCount = reading.draconic.bodyCount = kPreciseBodyCount;
    for (const ChartView view : {ChartView::Natal, ChartView::Draconic, ChartView::Comparison}) {
        const ChartWindowModel w = MakeChartWindow(reading, view, EnglishMonthNames());
        EXPECT_EQ(w.positionsLine, "Precise positions (Swiss Ephemeris), true node");
        EXPECT_EQ(w.positionsNote, reading.note);
        EXPECT_EQ(w.bodyRows, kPreciseBodyCount);
    }
    // The classic positions leave the window as it always was: no line, no note.
    reading.positions = {};
    const ChartWindowModel classic =
        MakeChartWindow(reading, ChartView::Draconic, EnglishMonthNames());
    EXPECT_EQ(classic.positionsLine, "");
    EXPECT_EQ(classic.positionsNote, "");
}

struct HeaderCase {
    const char* rowName;
    int16_t month, day, year, hour, minute;
    const char* dob;
    const char* tob;
};

class HeaderLinesTest : public ::testing::TestWithParam<HeaderCase> {};

TEST_P(HeaderLinesTest, DateAndTimeLines) {
    const HeaderCase& c = GetParam();
    BirthData b;
    b.Month = c.month, b.Day = c.day, b.Year = c.year, b.Hour = c.hour, b.Minute = c.minute;
    const BirthLines lines = MakeBirthLines(b, EnglishMonthNames());
    EXPECT_EQ(lines.dateOfBirth, c.dob);
    EXPECT_EQ(lines.timeOfBirth, c.tob);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, HeaderLinesTest,
    ::testing::Values(HeaderCase{"march_5_1980", 3, 5, 1980, 7, 5, "Date of Birth: March 5, 1980",
                                 "Time of Birth: 7 Hour 5 Minute"},
                      HeaderCase{"december", 12, 31, 2050, 23, 59,
                                 "Date of Birth: December 31, 2050",
                                 "Time of Birth: 23 Hour 59 Minute"},
                      HeaderCase{"month_0_no_name", 0, 1, 1905, 0, 0, "Date of Birth:  1, 1905",
                                 "Time of Birth: 0 Hour 0 Minute"},
                      HeaderCase{"month_13_no_name", 13, 1, 1905, 0, 0, "Date of Birth:  1, 1905",
                                 "Time of Birth: 0 Hour 0 Minute"},
                      HeaderCase{"negative_month", -3, 1, 1905, 0, 0, "Date of Birth:  1, 1905",
                                 "Time of Birth: 0 Hour 0 Minute"}),
    [](const auto& info) { return std::string(info.param.rowName); });

TEST(ChartWindow, HeaderLinesComeFromTheBirth) {
    Reading reading = ExampleReading();
    reading.input.birth.State = "";
    const ChartWindowModel w = MakeChartWindow(reading, ChartView::Draconic, EnglishMonthNames());
    EXPECT_EQ(w.lblName, "Name: Ann");
    EXPECT_EQ(w.lblDOB, "Date of Birth: March 5, 1980");
    EXPECT_EQ(w.lblTOB, "Time of Birth: 7 Hour 5 Minute");
    // The window names the zone and the hemispheres (the export's lines have neither).
    EXPECT_EQ(w.lblZone, "Time Zone: Indian Time");
    EXPECT_EQ(w.lblLatitude, "Latitude: 28 Degree 0 Minute North");
    EXPECT_EQ(w.lblLongitude, "Longitude: 77 Degree 12 Minute East");
    EXPECT_EQ(w.lblCity, "City: Delhi");
    EXPECT_EQ(w.lblState, "State: ");
    EXPECT_EQ(w.lblCountry, "Country: India");
    MonthNames german = EnglishMonthNames();
    german[2] = "März";
    EXPECT_EQ(MakeChartWindow(reading, ChartView::Natal, german).lblDOB,
              "Date of Birth: März 5, 1980");
}

}  // namespace
}  // namespace velloran
