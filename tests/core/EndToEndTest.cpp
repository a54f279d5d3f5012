// The driver, fills, views and reading file together with the engine and the station tables.

#include <gtest/gtest.h>

#include "chart/ChartFill.h"
#include "input/Validation.h"
#include "input/ReadingFile.h"
#include "output/TextExport.h"
#include "reading/Reading.h"
#include "support/SampleBirths.h"

namespace velloran {
namespace {

// The Delhi birth: Mercury, Mars, Jupiter and Saturn were retrograde.
using test::DelhiBirthForm;

class CalculatedReading : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(ValidateInput(DelhiBirthForm(), true), std::nullopt);
        CalculateReading(DelhiBirthForm(), state, EnglishMonthNames(), window);
    }
    ReadingState state;
    ChartWindowModel window;
};

TEST_F(CalculatedReading, DraconicChartIsShownFirst) {
    EXPECT_TRUE(state.DraconicPass);
    EXPECT_EQ(window.lblType, "Draconian");
    EXPECT_EQ(window.singleWheelColor, kBlue);
    EXPECT_EQ(window.frameInFront, PositionFrame::Draconic);
    EXPECT_EQ(window.natalFrameLeft, kFrameLeftSingle);
    EXPECT_FALSE(window.legendsVisible);
    EXPECT_EQ(window.pictureInFront, ChartPicture::Single);
    EXPECT_EQ(window.lblDOB, "Date of Birth: March 5, 1980");
    EXPECT_EQ(window.lblTOB, "Time of Birth: 7 Hour 5 Minute");
    EXPECT_EQ(state.ZoneHoursToUT, "-5");
    EXPECT_EQ(state.ZoneMinutesToUT, "-30");
}

TEST_F(CalculatedReading, BothChartsAreFilledFromTheirOwnPass) {
    for (int k = 0; k < kBodyCount; ++k) {
        const std::string& natal = window.natalColumn.cells[k];
        const std::string& draconic = window.draconicColumn.cells[k];
        EXPECT_EQ(natal, state.NatalPositions[k]) << k;
        EXPECT_EQ(natal.size(), 9u) << "compact form " << natal;
        EXPECT_EQ(draconic.size(), 9u) << "compact form " << draconic;
    }
    EXPECT_EQ(state.DraconicPositions[7], "0° 0' 0\" Ari");
    EXPECT_EQ(window.draconicColumn.cells[7], "00 Ari 00");
    // Each chart's first house holds its ascendant.
    EXPECT_NE(state.WheelHouseTexts[0].find("Asc"), std::string::npos);
    EXPECT_NE(state.WheelHouseTexts[12].find("Asc"), std::string::npos);
    EXPECT_EQ(window.singleWheel.texts[0], state.WheelHouseTexts[0]);
    for (const WheelHouses* wheel : {&window.singleWheel, &window.outerRing, &window.innerRing}) {
        for (int picture : wheel->signPictures) EXPECT_GE(picture, 1);
    }
}

TEST_F(CalculatedReading, RetrogradePlanetsCarryTheMarkInEveryView) {
    EXPECT_EQ(state.BodyNames[2], "Mercury (R) ");
    EXPECT_EQ(state.BodyNames[3], "Venus");
    EXPECT_EQ(state.BodyNames[6], "Saturn (R) ");
    std::string natalWheel;
    for (int i = 12; i < 24; ++i) natalWheel += state.WheelHouseTexts[i];
    EXPECT_NE(natalWheel.find("\r\nMercury (R) "), std::string::npos);

    ShowComparisonView(state, window);
    std::string rings;
    for (const auto& text : window.outerRing.texts) rings += text;
    for (const auto& text : window.innerRing.texts) rings += text;
    EXPECT_NE(rings.find("\r\nMe (R) "), std::string::npos);
    EXPECT_NE(rings.find("\r\nSa (R) "), std::string::npos);
    EXPECT_EQ(rings.find("Mercury"), std::string::npos);
}

TEST_F(CalculatedReading, ComparisonThenNatalShowsOnlyTheNatalColumn) {
    ChartWindowModel before = window;
    ShowComparisonView(state, window);
    ShowNatalView(state, window);
    EXPECT_FALSE(state.DraconicPass);
    EXPECT_EQ(window.lblType, "Natal");
    EXPECT_EQ(window.singleWheelColor, kBlack);
    EXPECT_EQ(window.frameInFront, PositionFrame::Natal);
    EXPECT_EQ(window.natalFrameLeft, kFrameLeftSingle);
    EXPECT_FALSE(window.legendsVisible);
    EXPECT_EQ(window.pictureInFront, ChartPicture::Single);
    for (int h = 0; h < 12; ++h)
        EXPECT_EQ(window.singleWheel.texts[h], state.WheelHouseTexts[12 + h]);
    EXPECT_EQ(window.natalColumn.cells, before.natalColumn.cells);
    EXPECT_EQ(window.draconicColumn.cells, before.draconicColumn.cells);
    EXPECT_EQ(window.outerRing.signPictures, before.outerRing.signPictures) << "outer ring";
}

TEST_F(CalculatedReading, ComparisonThenDraconicPutsTheNatalColumnUnderneath) {
    ChartWindowModel before = window;
    ShowComparisonView(state, window);
    ShowDraconicView(state, window);
    EXPECT_TRUE(state.DraconicPass);
    EXPECT_EQ(window.lblType, "Draconian");
    EXPECT_EQ(window.frameInFront, PositionFrame::Draconic);
    EXPECT_EQ(window.natalFrameLeft, kFrameLeftSingle);
    EXPECT_FALSE(window.legendsVisible);
    // A fresh draconic pass converts afresh: the same chart as after the calculation.
    EXPECT_EQ(window.singleWheel.texts, before.singleWheel.texts);
    EXPECT_EQ(window.natalColumn.cells, before.natalColumn.cells);
    EXPECT_EQ(window.draconicColumn.cells, before.draconicColumn.cells);
    EXPECT_EQ(window.singleWheel.signPictures, before.singleWheel.signPictures);
    EXPECT_EQ(window.outerRing.signPictures, before.outerRing.signPictures);
    EXPECT_EQ(window.innerRing.signPictures, before.innerRing.signPictures);
}

TEST_F(CalculatedReading, ComparisonTwiceGivesTheSamePicture) {
    ShowComparisonView(state, window);
    ChartWindowModel once = window;
    ReadingState stateOnce = state;
    ShowComparisonView(state, window);
    EXPECT_EQ(window.outerRing.texts, once.outerRing.texts);
    EXPECT_EQ(window.innerRing.texts, once.innerRing.texts);
    EXPECT_EQ(state.WheelHouseTexts, stateOnce.WheelHouseTexts);
    EXPECT_EQ(window.lblType, "Comparison");
    EXPECT_EQ(window.natalFrameLeft, kFrameLeftComparison);
    EXPECT_EQ(window.pictureInFront, ChartPicture::Comparison);
    EXPECT_TRUE(window.legendsVisible);
}

TEST_F(CalculatedReading, SavedAndReopenedReadingGivesTheSameChartsAndExport) {
    std::string exported = ExportText(state, EnglishMonthNames());
    auto lines = ReadReadingFile(WriteReadingFile(state.Birth, DelhiBirthForm().zoneIndex));
    ASSERT_TRUE(lines);
    FormInput opened;
    ASSERT_TRUE(ApplyReadingToForm(*lines, opened));
    EXPECT_EQ(opened, DelhiBirthForm());
    ReadingState again;
    ChartWindowModel againWindow;
    CalculateReading(opened, again, EnglishMonthNames(), againWindow);
    EXPECT_EQ(ExportText(again, EnglishMonthNames()), exported);
    EXPECT_EQ(againWindow.singleWheel.texts, window.singleWheel.texts);
    EXPECT_EQ(againWindow.natalColumn.cells, window.natalColumn.cells);
    EXPECT_EQ(againWindow.draconicColumn.cells, window.draconicColumn.cells);
    EXPECT_EQ(again.WheelHouseTexts, state.WheelHouseTexts);
}

TEST(CalculateReading, SecondCalculationReplacesEveryField) {
    ReadingState state;
    ChartWindowModel window;
    CalculateReading(DelhiBirthForm(), state, EnglishMonthNames(), window);
    FormInput other = DelhiBirthForm();
    other.name = "Bob";
    other.zoneIndex = 50;
    other.latitudeHemisphere = 1;
    CalculateReading(other, state, EnglishMonthNames(), window);
    EXPECT_EQ(state.Birth.Name, "Bob");
    EXPECT_EQ(state.Birth.ZoneHours, 3);
    EXPECT_TRUE(state.Birth.LatSouth);
    EXPECT_EQ(window.lblName, "Name: Bob");
}

}  // namespace
}  // namespace velloran
