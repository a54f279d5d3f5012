// The driver, fills, views and reading file together with the engine and the station tables.

#include <gtest/gtest.h>

#include "chart/ChartFill.h"
#include "input/Validation.h"
#include "output/ReadingFile.h"
#include "output/TextExport.h"
#include "reading/Driver.h"

namespace velloran {
namespace {

// 5 March 1980, 7:05 Indian Time, Delhi: Mercury, Mars, Jupiter and Saturn were retrograde.
FormInput DelhiForm() {
    FormInput f;
    f.txtName = "Ann";
    f.cboMonth = 2, f.cboDate = 4, f.cboYear = 1980 - kFirstYear;
    f.cboHour = 7, f.cboMinute = 5, f.cboTimeZone = 34;
    f.txtLatD = "28", f.txtLatM = "0", f.txtLonD = "77", f.txtLonM = "12";
    f.txtCity = "Delhi", f.txtState = "Delhi", f.txtCountry = "India";
    return f;
}

class CalculatedReading : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(ValidateInput(DelhiForm(), true), std::nullopt);
        CalculateReading(DelhiForm(), state, EnglishMonthNames(), window);
    }
    ReadingState state;
    ChartWindowModel window;
};

TEST_F(CalculatedReading, DraconicChartIsShownFirst) {
    EXPECT_TRUE(state.DraconicPass);
    EXPECT_EQ(window.lblType, "Draconian");
    EXPECT_EQ(window.natalHouseColor, kBlue);
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
        EXPECT_EQ(window.Planet[k], state.NatalPositions[k]) << k;
        EXPECT_EQ(window.Planet[k].size(), 9u) << "compact form " << window.Planet[k];
        EXPECT_EQ(window.Planet[10 + k].size(), 9u) << "compact form " << window.Planet[10 + k];
    }
    EXPECT_EQ(state.DraconicPositions[7], "0° 0' 0\" Ari");
    EXPECT_EQ(window.Planet[17], "00 Ari 00");
    // Each chart's first house holds its ascendant.
    EXPECT_NE(state.WheelHouseTexts[0].find("Asc"), std::string::npos);
    EXPECT_NE(state.WheelHouseTexts[12].find("Asc"), std::string::npos);
    EXPECT_EQ(window.lblNatal[0], state.WheelHouseTexts[0]);
    for (int i = 0; i < 36; ++i) EXPECT_GE(window.imgSign[i], 1) << i;
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
    for (const auto& text : window.lblPlanets_Position) rings += text;
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
    EXPECT_EQ(window.natalHouseColor, kBlack);
    EXPECT_EQ(window.frameInFront, PositionFrame::Natal);
    EXPECT_EQ(window.natalFrameLeft, kFrameLeftSingle);
    EXPECT_FALSE(window.legendsVisible);
    EXPECT_EQ(window.pictureInFront, ChartPicture::Single);
    for (int h = 0; h < 12; ++h) EXPECT_EQ(window.lblNatal[h], state.WheelHouseTexts[12 + h]);
    for (int k = 0; k < 20; ++k) EXPECT_EQ(window.Planet[k], before.Planet[k]) << k;
    for (int i = 12; i < 24; ++i) EXPECT_EQ(window.imgSign[i], before.imgSign[i]) << "outer ring";
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
    EXPECT_EQ(window.lblNatal, before.lblNatal);
    EXPECT_EQ(window.Planet, before.Planet);
    EXPECT_EQ(window.imgSign, before.imgSign);
}

TEST_F(CalculatedReading, ComparisonTwiceGivesTheSamePicture) {
    ShowComparisonView(state, window);
    ChartWindowModel once = window;
    ReadingState stateOnce = state;
    ShowComparisonView(state, window);
    EXPECT_EQ(window.lblPlanets_Position, once.lblPlanets_Position);
    EXPECT_EQ(state.WheelHouseTexts, stateOnce.WheelHouseTexts);
    EXPECT_EQ(window.lblType, "Comparison");
    EXPECT_EQ(window.natalFrameLeft, kFrameLeftComparison);
    EXPECT_EQ(window.pictureInFront, ChartPicture::Comparison);
    EXPECT_TRUE(window.legendsVisible);
}

TEST_F(CalculatedReading, SavedAndReopenedReadingGivesTheSameChartsAndExport) {
    std::string exported = ExportText(state, EnglishMonthNames());
    auto lines = ReadReadingFile(WriteReadingFile(state.Birth, DelhiForm().cboTimeZone));
    ASSERT_TRUE(lines);
    FormInput opened;
    ApplyReadingToForm(*lines, opened);
    EXPECT_EQ(opened, DelhiForm());
    ReadingState again;
    ChartWindowModel againWindow;
    CalculateReading(opened, again, EnglishMonthNames(), againWindow);
    EXPECT_EQ(ExportText(again, EnglishMonthNames()), exported);
    EXPECT_EQ(againWindow.lblNatal, window.lblNatal);
    EXPECT_EQ(againWindow.Planet, window.Planet);
    EXPECT_EQ(again.WheelHouseTexts, state.WheelHouseTexts);
}

TEST(CalculateReading, SecondCalculationReplacesEveryField) {
    ReadingState state;
    ChartWindowModel window;
    CalculateReading(DelhiForm(), state, EnglishMonthNames(), window);
    FormInput other = DelhiForm();
    other.txtName = "Bob";
    other.cboTimeZone = 50;
    other.optLatSouth = 1;
    CalculateReading(other, state, EnglishMonthNames(), window);
    EXPECT_EQ(state.Birth.Name, "Bob");
    EXPECT_EQ(state.Birth.ZoneHours, 3);
    EXPECT_TRUE(state.Birth.LatSouth);
    EXPECT_EQ(window.lblName, "Name: Bob");
}

}  // namespace
}  // namespace velloran
