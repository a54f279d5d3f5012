// The reading session: a new reading shows in the draconic view, a view switch makes the model
// again from the same reading, the comparison marks the reading's own contacts or the inner
// ring's, and the remembered file name is one for the save and the export.

#include <gtest/gtest.h>

#include "Calculated.h"
#include "chart/ContactTable.h"
#include "chart/ReadingSession.h"
#include "support/SampleBirths.h"

namespace velloran {
namespace {

TEST(ReadingSession, NothingBeforeTheFirstReading) {
    ReadingSession session;
    EXPECT_EQ(session.reading(), nullptr);
    EXPECT_FALSE(session.chartModel(EnglishMonthNames()).has_value());
    EXPECT_EQ(session.positions(), PositionsChoice{});
}

TEST(ReadingSession, ANewReadingShowsInTheDraconicViewAndViewsComeFromTheSameReading) {
    ReadingSession session;
    session.setView(ChartView::Natal);
    session.show(test::ReadingOf(test::KnownBirthForm()));
    ASSERT_NE(session.reading(), nullptr);
    EXPECT_EQ(session.view(), ChartView::Draconic);
    EXPECT_EQ(session.chartModel(EnglishMonthNames())->lblType, "Draconian");
    for (const ChartView view : {ChartView::Natal, ChartView::Comparison, ChartView::Draconic}) {
        session.setView(view);
        test::ExpectSameWindow(*session.chartModel(EnglishMonthNames()), [&] {
            ChartWindowModel expected =
                MakeChartWindow(*session.reading(), view, EnglishMonthNames());
            if (view == ChartView::Comparison)
                MarkContacts(OwnContactGroup(*session.reading(), {}), expected);
            return expected;
        }());
    }
}

// The known birth at the default orb: the draconic Moon opposite the natal Sun, 0° 3'; at 2.5°
// also the draconic Venus conjunct the natal Saturn, 2° 13'.
TEST(ReadingSession, TheComparisonMarksTheContactsOfTheSettingsChosen) {
    ReadingSession session;
    session.show(test::ReadingOf(test::KnownBirthForm()));
    session.setView(ChartView::Comparison);
    const int sun = static_cast<int>(ChartBody::Sun), moon = static_cast<int>(ChartBody::Moon),
              venus = static_cast<int>(ChartBody::Venus),
              saturn = static_cast<int>(ChartBody::Saturn);
    ChartWindowModel model = *session.chartModel(EnglishMonthNames());
    EXPECT_EQ(model.draconicColumn.contacts[moon],
              "Draconic Moon ☍ opposition Natal Sun, orb 0° 3'");
    EXPECT_EQ(model.natalColumn.contacts[sun], "Draconic Moon ☍ opposition Natal Sun, orb 0° 3'");
    EXPECT_EQ(model.draconicColumn.contacts[venus], "");

    ContactSettings wider;
    wider.orb = 2.5;
    session.setContactSettings(wider);
    model = *session.chartModel(EnglishMonthNames());
    EXPECT_EQ(model.natalColumn.contacts[saturn],
              "Draconic Venus ☌ conjunction Natal Saturn, orb 2° 13'");

    // Other views carry no marks.
    session.setView(ChartView::Natal);
    model = *session.chartModel(EnglishMonthNames());
    for (const std::string& note : model.natalColumn.contacts) EXPECT_EQ(note, "");
}

TEST(ReadingSession, AnInnerRingTakesTheNatalPlaceInTheComparisonOnly) {
    ReadingSession session;
    session.show(test::ReadingOf(test::KnownBirthForm()));
    const Reading other = test::ReadingOf(test::RaviBirthForm());
    const InnerRing inner{InnerChart{other.natal, "Inner Wheel - Ravi Example", "Natal"},
                          SynastryGroups(*session.reading(), other, {}).front()};
    session.setView(ChartView::Comparison);
    const ChartWindowModel comparison = *session.chartModel(EnglishMonthNames(), &inner);
    EXPECT_EQ(comparison.innerLegend, "Inner Wheel - Ravi Example");
    EXPECT_EQ(comparison.natalColumn.cells[0], CompactPosition(other.natal.bodies[0]));
    session.setView(ChartView::Draconic);
    const ChartWindowModel draconic = *session.chartModel(EnglishMonthNames(), &inner);
    EXPECT_EQ(draconic.innerLegend, "");
    EXPECT_EQ(draconic.natalColumn.cells[0], CompactPosition(session.reading()->natal.bodies[0]));
}

TEST(ReadingSession, OneFileNameForTheSaveAndTheExport) {
    ReadingSession session;
    EXPECT_EQ(session.fileName(), "");
    session.fileName() = "/home/ann/ann.vlr";
    session.show(test::ReadingOf(test::KnownBirthForm()));
    EXPECT_EQ(session.fileName(), "/home/ann/ann.vlr");  // a new reading keeps it
}

}  // namespace
}  // namespace velloran
