// A typed birth through the checks, the calculation, the chart window's three views, the text
// export and the reading file, against the values the reference readings give for it.

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "Calculated.h"
#include "chart/ChartWindow.h"
#include "input/ReadingFile.h"
#include "input/Validation.h"
#include "output/TextExport.h"
#include "reading/ReadingOpen.h"

namespace velloran {
namespace {

using Texts = std::array<std::string, kSignCount>;

// 1 March 1980, 5:15 Indian Time, 18° 31' North, 73° 52' East: Mercury, Mars, Jupiter and Saturn
// were retrograde. The reference readings' case 4; the expected texts below are theirs.
FormInput IndianTimeForm() {
    FormInput f;
    f.name = "Reference 4";
    f.monthIndex = 2, f.dayIndex = 0, f.yearIndex = 1980 - kFirstYear;
    f.hourIndex = 5, f.minuteIndex = 15, f.zoneIndex = 34;
    f.latitudeDegrees = "18", f.latitudeMinutes = "31", f.longitudeDegrees = "73",
    f.longitudeMinutes = "52";
    f.latitudeHemisphere = 0, f.longitudeHemisphere = 0;  // North, East
    f.city = "Some City", f.state = "Some State", f.country = "Some Country";
    return f;
}

const std::array<std::string, kBodyCount> kNatalCells = {
    "10 Pis 50", "00 Vir 55", "20 Pis 33", "23 Ari 41", "04 Vir 11",
    "04 Vir 52", "24 Vir 58", "27 Leo 47", "27 Aqu 47", "10 Aqu 30"};
const std::array<std::string, kBodyCount> kDraconicCells = {
    "13 Lib 02", "03 Ari 07", "22 Lib 45", "25 Sco 53", "06 Ari 23",
    "07 Ari 04", "27 Ari 10", "00 Ari 00", "00 Lib 00", "12 Vir 42"};
const Texts kNatalHouses = {"\r\nKetu\r\nAsc",
                            "\r\nSun\r\nMercury (R) ",
                            "\r\nVenus",
                            "",
                            "",
                            "",
                            "\r\nRahu",
                            "\r\nMoon\r\nMars (R) \r\nJupiter (R) \r\nSaturn (R) ",
                            "",
                            "",
                            "",
                            ""};
const Texts kDraconicHouses = {
    "\r\nAsc",   "\r\nSun\r\nMercury (R) \r\nKetu",
    "\r\nVenus", "",
    "",          "",
    "",          "\r\nMoon\r\nMars (R) \r\nJupiter (R) \r\nSaturn (R) \r\nRahu",
    "",          "",
    "",          ""};
const Texts kOuterRing = {"\r\nA", "\r\nSu\r\nMe (R) \r\nS",
                          "\r\nV", "",
                          "",      "",
                          "",      "\r\nM\r\nMa (R) \r\nJ (R) \r\nSa (R) \r\nN",
                          "",      "",
                          "",      ""};
const Texts kInnerRing = {"\r\nS\r\nA", "\r\nSu\r\nMe (R) ",
                          "\r\nV",      "",
                          "",           "",
                          "\r\nN",      "\r\nM\r\nMa (R) \r\nJ (R) \r\nSa (R) ",
                          "",           "",
                          "",           ""};
const std::array<int, kSignCount> kNatalPictures = {11, 12, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
const std::array<int, kSignCount> kDraconicPictures = {6, 7, 8, 9, 10, 11, 12, 1, 2, 3, 4, 5};

const char* const kExport =
    "Name: Reference 4\r\n"
    "Date of Birth: March 1, 1980\r\n"
    "Time of Birth: 5 Hour 15 Minute\r\n"
    "Latitude: 18 Degree 31 Minute \r\n"
    "Longitude: 73 Degree 52 Minute \r\n"
    "City: Some City\r\n"
    "State: Some State\r\n"
    "Country: Some Country\r\n"
    "\r\r\n"
    "Planetary Position (Natal)\r\n"
    "Sun 10 Pis 50\r\n"
    "Moon 00 Vir 55\r\n"
    "Mercury 20 Pis 33\r\n"
    "Venus 23 Ari 41\r\n"
    "Mars 04 Vir 11\r\n"
    "Jupiter 04 Vir 52\r\n"
    "Saturn 24 Vir 58\r\n"
    "North Node 27 Leo 47\r\n"
    "South Node 27 Aqu 47\r\n"
    "Asc 10 Aqu 30\r\n"
    "\r\r\n"
    "Planetary Position (Draconian)\r\n"
    "Sun 13° 2' 11\" Lib\r\n"
    "Moon 3° 7' 23\" Ari\r\n"
    "Mercury 22° 45' 58\" Lib\r\n"
    "Venus 25° 53' 20\" Sco\r\n"
    "Mars 6° 23' 18\" Ari\r\n"
    "Jupiter 7° 4' 10\" Ari\r\n"
    "Saturn 27° 10' 35\" Ari\r\n"
    "North Node 0° 0' 0\" Ari\r\n"
    "South Node 0° 0' 0\" Lib\r\n"
    "Asc 12° 42' 26\" Vir\r\n"
    "\r\r\n";

Texts HouseTexts(const WheelHouses& wheel) {
    Texts texts;
    for (int h = 1; h <= kSignCount; ++h) texts[h - 1] = HouseText(wheel, h);
    return texts;
}

class CalculatedReading : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(ValidateInput(IndianTimeForm(), true), std::nullopt);
        OpenOutcome outcome = CheckAndCalculate(IndianTimeForm(), true);
        ASSERT_EQ(outcome.status, OpenStatus::Calculated) << outcome.error;
        reading = std::move(*outcome.reading);
        // After a calculation the program shows the draconic view.
        window = View(ChartView::Draconic);
    }
    ChartWindowModel View(ChartView view) const {
        return MakeChartWindow(reading, view, EnglishMonthNames());
    }
    Reading reading;
    ChartWindowModel window;
};

TEST_F(CalculatedReading, TheBirthItsMomentAndPlace) {
    EXPECT_EQ(reading.birth().Name, "Reference 4");
    EXPECT_EQ(reading.input.zoneIndex, 34);
    EXPECT_EQ(reading.input.zoneMinutesToUT, -330);
    EXPECT_NEAR(reading.universalTimeHours, 5.25 - 5.5, 1e-12);  // before 0h of the local date
    EXPECT_NEAR(reading.dayNumber, -7245.510416666667, 1e-8);    // 29 Feb 1980, 23:45 UT
    EXPECT_DOUBLE_EQ(reading.latitude, 18 + 31 / 60.0);
    EXPECT_DOUBLE_EQ(reading.longitude, 73 + 52 / 60.0);
}

TEST_F(CalculatedReading, DraconicViewHasTheReferencePositionsHousesAndPictures) {
    EXPECT_EQ(window.lblType, "Draconian");
    EXPECT_EQ(window.singleWheelColor, kBlue);
    EXPECT_EQ(window.frameInFront, PositionFrame::Draconic);
    EXPECT_FALSE(window.framesBeside);
    EXPECT_FALSE(window.legendsVisible);
    EXPECT_EQ(window.pictureInFront, ChartPicture::Single);
    EXPECT_EQ(window.lblDOB, "Date of Birth: March 1, 1980");
    EXPECT_EQ(window.lblTOB, "Time of Birth: 5 Hour 15 Minute");
    EXPECT_EQ(window.bodyRows, kBodyCount);
    for (int k = 0; k < kBodyCount; ++k) {
        EXPECT_EQ(window.natalColumn.cells[k], kNatalCells[k]) << k;
        EXPECT_EQ(window.draconicColumn.cells[k], kDraconicCells[k]) << k;
    }
    EXPECT_EQ(HouseTexts(window.singleWheel), kDraconicHouses);
    EXPECT_EQ(window.singleWheel.signPictures, kDraconicPictures);
    EXPECT_EQ(window.outerRing.signPictures, kDraconicPictures);
    EXPECT_EQ(window.innerRing.signPictures, kNatalPictures);
}

TEST_F(CalculatedReading, NatalViewShowsOnlyTheNatalChartInFront) {
    const ChartWindowModel natal = View(ChartView::Natal);
    EXPECT_EQ(natal.lblType, "Natal");
    EXPECT_EQ(natal.singleWheelColor, kBlack);
    EXPECT_EQ(natal.frameInFront, PositionFrame::Natal);
    EXPECT_FALSE(natal.framesBeside);
    EXPECT_FALSE(natal.legendsVisible);
    EXPECT_EQ(natal.pictureInFront, ChartPicture::Single);
    EXPECT_EQ(HouseTexts(natal.singleWheel), kNatalHouses);
    EXPECT_EQ(natal.singleWheel.signPictures, kNatalPictures);
    EXPECT_EQ(natal.natalColumn, window.natalColumn);
    EXPECT_EQ(natal.draconicColumn, window.draconicColumn);
}

TEST_F(CalculatedReading, ComparisonLabelsBothRingsWithTheirMarks) {
    const ChartWindowModel comparison = View(ChartView::Comparison);
    EXPECT_EQ(comparison.lblType, "Comparison");
    EXPECT_TRUE(comparison.framesBeside);
    EXPECT_EQ(comparison.pictureInFront, ChartPicture::Comparison);
    EXPECT_TRUE(comparison.legendsVisible);
    EXPECT_EQ(HouseTexts(comparison.outerRing), kOuterRing);
    EXPECT_EQ(HouseTexts(comparison.innerRing), kInnerRing);
    EXPECT_EQ(comparison.outerRing.signPictures, kDraconicPictures);
    EXPECT_EQ(comparison.innerRing.signPictures, kNatalPictures);
}

// A view is made from the reading alone: going through the others and back shows the same
// model, with no new calculation.
TEST_F(CalculatedReading, SwitchingViewsNeedsNoNewCalculation) {
    const ChartWindowModel comparison = View(ChartView::Comparison);
    const ChartWindowModel natal = View(ChartView::Natal);
    {
        SCOPED_TRACE("draconic after comparison and natal");
        test::ExpectSameWindow(View(ChartView::Draconic), window);
    }
    {
        SCOPED_TRACE("comparison twice");
        test::ExpectSameWindow(View(ChartView::Comparison), comparison);
    }
    {
        SCOPED_TRACE("natal twice");
        test::ExpectSameWindow(View(ChartView::Natal), natal);
    }
}

TEST_F(CalculatedReading, ExportIsTheReferenceText) {
    EXPECT_EQ(ExportText(reading, EnglishMonthNames()), kExport);
}

TEST_F(CalculatedReading, SavedAndReopenedReadingGivesTheSameChartsAndExport) {
    auto lines = ReadReadingFile(WriteReadingFile(reading.birth(), reading.input.zoneIndex));
    ASSERT_TRUE(lines);
    FormInput opened;
    ASSERT_TRUE(ApplyReadingToForm(*lines, opened));
    EXPECT_EQ(opened, IndianTimeForm());
    OpenOutcome again = CheckAndCalculate(opened, true);
    ASSERT_EQ(again.status, OpenStatus::Calculated);
    EXPECT_EQ(again.reading->input, reading.input);
    EXPECT_EQ(again.reading->natal, reading.natal);
    EXPECT_EQ(again.reading->draconic, reading.draconic);
    EXPECT_EQ(ExportText(*again.reading, EnglishMonthNames()), kExport);
    test::ExpectSameWindow(
        MakeChartWindow(*again.reading, ChartView::Draconic, EnglishMonthNames()), window);
}

// Another birth gives its own reading: its name, zone, hemisphere and moment.
TEST_F(CalculatedReading, AnotherBirthGivesItsOwnReading) {
    FormInput other = IndianTimeForm();
    other.name = "Bob";
    other.zoneIndex = 50;  // Newfoundland, 3:30 to add
    other.latitudeHemisphere = 1;
    const Reading bob = test::ReadingOf(other);
    EXPECT_EQ(bob.birth().Name, "Bob");
    EXPECT_EQ(bob.birth().ZoneHours, 3);
    EXPECT_EQ(bob.birth().ZoneMinutes, 30);
    EXPECT_EQ(bob.input.zoneMinutesToUT, 210);
    EXPECT_TRUE(bob.birth().LatSouth);
    EXPECT_DOUBLE_EQ(bob.latitude, -(18 + 31 / 60.0));
    EXPECT_NEAR(bob.universalTimeHours, 5.25 + 3.5, 1e-12);
    EXPECT_EQ(MakeChartWindow(bob, ChartView::Draconic, EnglishMonthNames()).lblName, "Name: Bob");
    EXPECT_NE(bob.natal, reading.natal);
}

}  // namespace
}  // namespace velloran
