#include <gtest/gtest.h>

#include "RowName.h"
#include "chart/ChartFill.h"
#include "reading/Reading.h"

namespace velloran {
namespace {

using test::PrintTo;

const SignTextList kSigns = {"Ari", "Tau", "Gem", "Can", "Leo", "Vir", "Lib",
                             "Sco", "Sag", "Cap", "Aqu", "Pis", ""};

// Name tables as a pass leaves them, with Mercury marked retrograde.
ReadingState StateWithNames() {
    ReadingState s;
    s.SignAbbrevs = kSigns;
    s.BodyNames = {"Sun",    "Moon", "Mercury (R) ", "Venus", "Mars", "Jupiter",
                   "Saturn", "Rahu", "Ketu",         "Asc",   ""};
    s.BodyLabels = {"Su", "M", "Me (R) ", "V", "Ma", "J", "Sa", "N", "S", "A", ""};
    s.WesternBodyNames = {"Sun",    "Moon",       "Mercury",    "Venus", "Mars", "Jupiter",
                          "Saturn", "North Node", "South Node", "Asc",   ""};
    return s;
}

// Ascendant 14 Leo 22, Sun 02 Leo 10, retrograde Mercury 28 Can 05, the rest elsewhere.
ReadingState WorkedExample() {
    ReadingState s = StateWithNames();
    s.NatalPositions = {"02 Leo 10", "10 Ari 00", "28 Can 05", "05 Gem 11",
                        "01 Sco 02", "12 Sag 40", "20 Cap 30", "03 Vir 10",
                        "03 Pis 10", "14 Leo 22", ""};
    s.NatalSigns = {4, 0, 3, 2, 7, 8, 9, 5, 11, 4};  // the signs those texts name
    return s;
}

TEST(FillNatalChart, WorkedExampleHousesFromTheRisingSign) {
    ReadingState s = WorkedExample();
    ChartWindowModel w;
    w.singleWheel.texts[5] = "stale";
    w.pictureInFront = ChartPicture::Comparison;
    FillNatalChart(s, w);

    EXPECT_EQ(w.singleWheel.texts[0], "\r\nSun\r\nAsc");     // house 1: Leo
    EXPECT_EQ(w.singleWheel.texts[1], "\r\nRahu");           // house 2: Virgo
    EXPECT_EQ(w.singleWheel.texts[2], "");                   // house 3: Libra, empty
    EXPECT_EQ(w.singleWheel.texts[3], "\r\nMars");           // house 4: Scorpio
    EXPECT_EQ(w.singleWheel.texts[4], "\r\nJupiter");        // Sagittarius
    EXPECT_EQ(w.singleWheel.texts[5], "\r\nSaturn");         // Capricorn
    EXPECT_EQ(w.singleWheel.texts[6], "");                   // Aquarius
    EXPECT_EQ(w.singleWheel.texts[7], "\r\nKetu");           // Pisces
    EXPECT_EQ(w.singleWheel.texts[8], "\r\nMoon");           // Aries
    EXPECT_EQ(w.singleWheel.texts[10], "\r\nVenus");         // Gemini
    EXPECT_EQ(w.singleWheel.texts[11], "\r\nMercury (R) ");  // house 12: Cancer

    EXPECT_EQ(w.singleWheel.signPictures[0], 5);   // Leo symbol in house 1 of the single wheel
    EXPECT_EQ(w.innerRing.signPictures[0], 5);     // and of the inner ring
    EXPECT_EQ(w.singleWheel.signPictures[11], 4);  // Cancer in house 12
    EXPECT_EQ(w.innerRing.signPictures[11], 4);
    EXPECT_EQ(w.singleWheel.signPictures[1], 6);
    EXPECT_EQ(w.outerRing.signPictures, (std::array<int, 12>{})) << "outer ring untouched";

    for (int h = 1; h <= 12; ++h) {
        EXPECT_EQ(s.WheelHouseTexts[11 + h], w.singleWheel.texts[h - 1]);
        EXPECT_EQ(s.WheelHouseTexts[h - 1], "");
    }
    for (int k = 0; k < 10; ++k) EXPECT_EQ(w.natalColumn.cells[k], s.NatalPositions[k]);
    EXPECT_EQ(w.draconicColumn, PositionColumn{});
    EXPECT_EQ(w.singleWheelColor, kBlack);
    EXPECT_EQ(w.pictureInFront, ChartPicture::Single);
    EXPECT_EQ(w.lblType, "Natal");
    EXPECT_EQ(s.NatalPositions[9], "14 Leo 22");  // the natal fill never changes its input
}

TEST(FillNatalChart, RecordsTheChartValueItsTextsAreMadeFrom) {
    ReadingState s = WorkedExample();
    s.NatalLongitudes = {122.2, 10.0, 118.1, 65.2, 211.0, 252.7, 290.5, 153.2, 333.2, 134.4};
    s.Retrograde[2] = true;
    ChartWindowModel w;
    FillNatalChart(s, w);

    Chart expected;
    expected.houseSigns = {4, 5, 6, 7, 8, 9, 10, 11, 0, 1, 2, 3};  // Leo rises
    const int houses[kBodyCount] = {1, 9, 12, 11, 4, 5, 6, 2, 8, 1};
    for (int k = 0; k < kBodyCount; ++k) {
        expected.bodies[k] = {s.NatalLongitudes[k], s.NatalSigns[k], houses[k], k == 2};
    }
    EXPECT_EQ(s.NatalChart, expected);
    EXPECT_EQ(s.NatalChart.risingSign(), 4);
}

TEST(FillNatalChart, SeveralBodiesInOneSignKeepChartOrderWithAscLast) {
    ReadingState s = StateWithNames();
    s.NatalPositions = {"20 Tau 00", "01 Tau 00", "02 Tau 00", "03 Tau 00",
                        "04 Tau 00", "05 Tau 00", "06 Tau 00", "07 Tau 00",
                        "08 Sco 00", "00 Tau 01", ""};
    s.NatalSigns = {1, 1, 1, 1, 1, 1, 1, 1, 7, 1};
    s.BodyNames[6] = "Saturn (R) ";
    ChartWindowModel w;
    FillNatalChart(s, w);
    EXPECT_EQ(w.singleWheel.texts[0],
              "\r\nSun\r\nMoon\r\nMercury (R) \r\nVenus\r\nMars\r\nJupiter\r\nSaturn (R) "
              "\r\nRahu\r\nAsc");
    EXPECT_EQ(w.singleWheel.texts[6], "\r\nKetu");
}

TEST(FillNatalChart, AscendantWithoutSignCountsFromAriesAndKeepsThePictures) {
    ReadingState s = WorkedExample();
    s.NatalPositions[9] = "14 Xyz 22";
    s.NatalSigns[9] = -1;  // a text that names no sign
    ChartWindowModel w;
    for (WheelHouses* wheel : {&w.singleWheel, &w.outerRing, &w.innerRing}) {
        wheel->signPictures.fill(7);
    }
    FillNatalChart(s, w);
    EXPECT_EQ(w.singleWheel.texts[0], "\r\nMoon");  // house 1 shows the Aries list
    EXPECT_EQ(w.singleWheel.texts[4], "\r\nSun");   // Leo, without an Asc line
    for (const WheelHouses* wheel : {&w.singleWheel, &w.outerRing, &w.innerRing}) {
        for (int picture : wheel->signPictures) EXPECT_EQ(picture, 7);
    }
}

TEST(ConvertToDraconic, MeasuresFromTheNodeWhichStandsAtZeroAries) {
    ReadingState s = StateWithNames();
    s.DraconicPositions = {"50", "120.5", "100", "0",  "359.75", "200",
                           "10", "100",   "280", "90", ""};
    ConvertToDraconic(s);
    EXPECT_EQ(s.DraconicPositions[0], "10° 0' 0\" Aqu");   // 50 + 260 = 310
    EXPECT_EQ(s.DraconicPositions[1], "20° 30' 0\" Ari");  // 380.5 less a turn
    EXPECT_EQ(s.DraconicPositions[2], "0° 0' 0\" Ari");    // with the node: exactly 360 -> 0
    EXPECT_EQ(s.DraconicPositions[3], "20° 0' 0\" Sag");   // 260
    EXPECT_EQ(s.DraconicPositions[4], "19° 45' 0\" Sag");  // 619.75 less a turn
    EXPECT_EQ(s.DraconicPositions[5], "10° 0' 0\" Can");   // 460 less a turn
    EXPECT_EQ(s.DraconicPositions[6], "0° 0' 0\" Cap");    // 270
    EXPECT_EQ(s.DraconicPositions[7], "0° 0' 0\" Ari");    // the node itself
    EXPECT_EQ(s.DraconicPositions[8], "0° 0' 0\" Lib");    // South Node at 180
    EXPECT_EQ(s.DraconicPositions[9], "20° 0' 0\" Pis");   // ascendant 350
    EXPECT_DOUBLE_EQ(s.DraconicLongitudes[0], 310.0);
    EXPECT_DOUBLE_EQ(s.DraconicLongitudes[7], 0.0);
    EXPECT_DOUBLE_EQ(s.DraconicLongitudes[8], 180.0);
}

TEST(ConvertToDraconic, NegativeNodeNearZeroAries) {
    ReadingState s = StateWithNames();
    s.DraconicPositions = {"10", "0", "0", "0", "0", "0", "0", "-0.5", "179.5", "0", ""};
    ConvertToDraconic(s);
    EXPECT_EQ(s.DraconicPositions[0], "10° 30' 0\" Ari");
    EXPECT_EQ(s.DraconicPositions[8], "0° 0' 0\" Lib");
    EXPECT_EQ(s.DraconicPositions[7], "0° 0' 0\" Ari");
}

// North and South Node as a draconic pass writes them (15 significant digits each). Shifted
// like the bodies, the South Node of the first two rows lands a rounding error short of 180 and
// would read 29° 59' 59" Vir; the last row's sum is exact.
struct SouthNodeCase {
    const char* rowName;
    const char* north;
    const char* south;
};

class DraconicSouthNodeTest : public ::testing::TestWithParam<SouthNodeCase> {};

TEST_P(DraconicSouthNodeTest, StandsAtZeroLibraInTheLibraHouse) {
    ReadingState s = StateWithNames();
    // Every other body, the ascendant included, on the North Node: the ascendant rises in Aries.
    s.DraconicPositions.fill(GetParam().north);
    s.DraconicPositions[8] = GetParam().south;
    s.DraconicPositions[10].clear();
    ChartWindowModel w;
    FillDraconicChart(s, w);
    EXPECT_EQ(s.DraconicPositions[8], "0° 0' 0\" Lib");
    EXPECT_EQ(s.DraconicLongitudes[8], 180.0);
    EXPECT_EQ(w.draconicColumn.cells[8], "00 Lib 00");
    EXPECT_EQ(w.singleWheel.texts[6], "\r\nKetu");  // house 7: Libra
    EXPECT_EQ(w.singleWheel.texts[5], "");          // house 6: Virgo
    EXPECT_EQ(s.WheelHouseTexts[6], "\r\nKetu");
}

INSTANTIATE_TEST_SUITE_P(Nodes, DraconicSouthNodeTest,
                         ::testing::Values(SouthNodeCase{"south_text_one_digit_shorter",
                                                         "93.1030088758093", "273.103008875809"},
                                           SouthNodeCase{"north_in_late_pisces", "359.644207775796",
                                                         "179.644207775796"},
                                           SouthNodeCase{"exact_sum", "100", "280"}),
                         [](const auto& info) { return std::string(info.param.rowName); });

TEST(FillDraconicChart, ConvertsThenFillsTheOuterRingInBlue) {
    ReadingState s = StateWithNames();
    // Node at 100: Sun 50 -> Aqu, Moon 120.5 -> Ari, ascendant 90 -> Pis.
    s.DraconicPositions = {"50", "120.5", "100", "0",  "359.75", "200",
                           "10", "100",   "280", "90", ""};
    ChartWindowModel w;
    w.innerRing.signPictures[0] = 9;
    s.WheelHouseTexts[12] = "natal house 1";
    FillDraconicChart(s, w);

    EXPECT_EQ(w.draconicColumn.cells[0], "10 Aqu 00");
    EXPECT_EQ(w.draconicColumn.cells[1], "20 Ari 30");
    EXPECT_EQ(w.draconicColumn.cells[7], "00 Ari 00");
    EXPECT_EQ(w.draconicColumn.cells[9], "20 Pis 00");
    EXPECT_EQ(w.singleWheel.texts[0], "\r\nAsc");                           // Pisces rises
    EXPECT_EQ(w.singleWheel.texts[1], "\r\nMoon\r\nMercury (R) \r\nRahu");  // Aries
    EXPECT_EQ(w.singleWheel.texts[11], "\r\nSun");                          // Aquarius
    EXPECT_EQ(w.singleWheelColor, kBlue);
    EXPECT_EQ(w.lblType, "Draconian");
    EXPECT_EQ(w.singleWheel.signPictures[0], 12);
    EXPECT_EQ(w.outerRing.signPictures[0], 12);   // outer ring house 1
    EXPECT_EQ(w.outerRing.signPictures[11], 11);  // outer ring house 12: Aquarius
    EXPECT_EQ(w.innerRing.signPictures[0], 9);    // inner ring untouched
    EXPECT_EQ(s.WheelHouseTexts[0], "\r\nAsc");
    EXPECT_EQ(s.WheelHouseTexts[12], "natal house 1");
    EXPECT_EQ(w.natalColumn, PositionColumn{}) << "natal column untouched";
}

TEST(ShowComparisonView, ShortLabelsInBothRingsAndASecondPressChangesNothing) {
    ReadingState s = WorkedExample();
    ChartWindowModel w;
    FillNatalChart(s, w);
    // Draconic house 1: Mercury, Rahu, Ketu and the ascendant; house 2: Moon and Saturn.
    for (const int k : {2, 7, 8, 9}) s.DraconicChart.bodies[k].house = 1;
    for (const int k : {1, 6}) s.DraconicChart.bodies[k].house = 2;
    ShowComparisonView(s, w);

    EXPECT_EQ(w.outerRing.texts[0], "\r\nMe (R) \r\nN\r\nS\r\nA");
    EXPECT_EQ(w.outerRing.texts[1], "\r\nM\r\nSa");
    EXPECT_EQ(w.outerRing.texts[2], "");  // an empty house replaces the placeholder
    EXPECT_EQ(w.innerRing.texts[0], "\r\nSu\r\nA");
    EXPECT_EQ(w.innerRing.texts[11], "\r\nMe (R) ");
    for (int h = 0; h < 12; ++h) {
        EXPECT_EQ(s.WheelHouseTexts[h], w.outerRing.texts[h]);
        EXPECT_EQ(s.WheelHouseTexts[12 + h], w.innerRing.texts[h]);
    }
    EXPECT_EQ(w.lblType, "Comparison");
    EXPECT_EQ(w.natalFrameLeft, kFrameLeftComparison);
    EXPECT_EQ(w.pictureInFront, ChartPicture::Comparison);
    EXPECT_TRUE(w.legendsVisible);

    ChartWindowModel once = w;
    ShowComparisonView(s, w);
    EXPECT_EQ(w.outerRing, once.outerRing);
    EXPECT_EQ(w.innerRing, once.innerRing);
}

TEST(ShowComparisonView, LabelsComeFromTheMarkedLabelTable) {
    // Mercury is marked in the label table, Saturn is not: each ring shows the table's label.
    ReadingState s = StateWithNames();
    s.DraconicChart.bodies[2].house = 4;
    s.NatalChart.bodies[6].house = 4;
    ChartWindowModel w;
    ShowComparisonView(s, w);
    EXPECT_EQ(w.outerRing.texts[3], "\r\nMe (R) ");
    EXPECT_EQ(w.innerRing.texts[3], "\r\nSa");
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
    ChartWindowModel w;
    LoadChartWindow(b, EnglishMonthNames(), w);
    EXPECT_EQ(w.lblDOB, c.dob);
    EXPECT_EQ(w.lblTOB, c.tob);
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

TEST(LoadChartWindow, HeaderLinesAndInitialArrangement) {
    BirthData b;
    b.Name = "Ann";
    b.LatDeg = 28, b.LatMin = 0, b.LonDeg = 77, b.LonMin = 12;
    b.City = "Delhi";
    ChartWindowModel w;
    LoadChartWindow(b, EnglishMonthNames(), w);
    EXPECT_EQ(w.lblName, "Name: Ann");
    EXPECT_EQ(w.lblLatitude, "Latitude: 28 Degree 0 Minute");
    EXPECT_EQ(w.lblLongitude, "Longitude: 77 Degree 12 Minute");
    EXPECT_EQ(w.lblCity, "City: Delhi");
    EXPECT_EQ(w.lblState, "State: ");
    EXPECT_EQ(w.lblCountry, "Country: ");
    EXPECT_FALSE(w.legendsVisible);
    EXPECT_EQ(w.natalFrameLeft, kFrameLeftSingle);
    EXPECT_EQ(w.frameInFront, PositionFrame::Draconic);
    EXPECT_EQ(w.lblType, "Draconian");  // the design text until the first fill
    EXPECT_EQ(w.outerRing.texts[0], "Su M Me V Ma J Sa N S A");
}

}  // namespace
}  // namespace velloran
