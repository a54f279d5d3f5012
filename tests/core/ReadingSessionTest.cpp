// The reading session: a new reading shows in the draconic view, a view switch makes the model
// again from the same reading, the comparison marks the reading's own contacts or the inner
// ring's, and the remembered file name is one for the save and the export.

#include <gtest/gtest.h>

#include "Calculated.h"
#include "chart/ContactTable.h"
#include "chart/ReadingSession.h"
#include "reading/Sky.h"
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

namespace velloran {
namespace {

// Every line of a wheel joins two bodies of its rings that really stand in that aspect within
// the orb allowed.
void ExpectLinesInOrb(const WheelInput& wheel, double orbFor(Aspect)) {
    auto longitude = [&](WheelChart chart, ChartBody body) {
        for (const WheelRingInput& ring : wheel.rings) {
            if (ring.chart != chart) continue;
            for (const WheelBody& b : ring.bodies)
                if (b.body == body) return b.longitude;
        }
        ADD_FAILURE() << "no body " << static_cast<int>(body) << " in ring";
        return 0.0;
    };
    for (const WheelAspectInput& line : wheel.aspects) {
        const double distance =
            AngleDistance(longitude(line.chartA, line.bodyA), longitude(line.chartB, line.bodyB));
        EXPECT_LE(std::abs(distance - AspectAngle(line.aspect)), orbFor(line.aspect) + 1e-9);
    }
}

TEST(ReadingSessionWheel, TheDegreeWheelFollowsTheViewAndItsCharts) {
    ReadingSession session;
    session.show(test::ReadingOf(test::KnownBirthForm()));
    const Reading& reading = *session.reading();
    // The house lists: no degree wheel.
    EXPECT_FALSE(session.chartModel(EnglishMonthNames())->degreeWheel.has_value());

    const WheelOptions options;
    struct Case {
        ChartView view;
        const Chart* chart;
        WheelChart ring;
    };
    for (const Case& c : {Case{ChartView::Natal, &reading.natal, WheelChart::Natal},
                          Case{ChartView::Draconic, &reading.draconic, WheelChart::Draconic}}) {
        session.setView(c.view);
        const auto wheel = session.chartModel(EnglishMonthNames(), nullptr, options)->degreeWheel;
        ASSERT_TRUE(wheel.has_value());
        ASSERT_EQ(wheel->rings.size(), 1u);
        EXPECT_EQ(wheel->rings[0].chart, c.ring);
        EXPECT_EQ(wheel->rings[0].bodies.size(), static_cast<size_t>(kBodyCount));
        EXPECT_EQ(wheel->ascendant, (*c.chart)[ChartBody::Ascendant].longitude);
        for (int h = 0; h < kSignCount; ++h)
            EXPECT_EQ(wheel->cusps[h], c.chart->houseSigns[h] * 30.0);
        EXPECT_FALSE(wheel->aspects.empty());
        EXPECT_EQ(wheel->legend.size(), static_cast<size_t>(kAspectCount));
        ExpectLinesInOrb(*wheel, [](Aspect a) { return kWheelAspectOrbs[static_cast<int>(a)]; });
    }

    // The comparison: natal inside, draconic outside, a line per contact of the settings.
    session.setView(ChartView::Comparison);
    ContactSettings wider;
    wider.orb = 2.5;
    wider.aspects = kAllAspects;
    session.setContactSettings(wider);
    auto wheel = session.chartModel(EnglishMonthNames(), nullptr, options)->degreeWheel;
    ASSERT_TRUE(wheel.has_value());
    ASSERT_EQ(wheel->rings.size(), 2u);
    EXPECT_EQ(wheel->rings[0].chart, WheelChart::Natal);
    EXPECT_EQ(wheel->rings[1].chart, WheelChart::Draconic);
    EXPECT_EQ(wheel->ascendant, reading.natal[ChartBody::Ascendant].longitude);
    EXPECT_EQ(wheel->aspects.size(), OwnContactGroup(reading, wider).contacts.size());
    ASSERT_EQ(wheel->legend.size(), static_cast<size_t>(kAspectCount));
    EXPECT_EQ(wheel->legend[0].orb, 2.5);
    ExpectLinesInOrb(*wheel, [](Aspect) { return 2.5; });

    // Without aspect lines: no lines and no legend.
    WheelOptions plain;
    plain.aspectLines = false;
    wheel = session.chartModel(EnglishMonthNames(), nullptr, plain)->degreeWheel;
    EXPECT_TRUE(wheel->aspects.empty());
    EXPECT_TRUE(wheel->legend.empty());
}

TEST(ReadingSessionWheel, AnotherChartOrTheSkyTakesTheInnerRing) {
    ReadingSession session;
    session.show(test::ReadingOf(test::KnownBirthForm()));
    session.setView(ChartView::Comparison);
    const Reading& reading = *session.reading();

    const Reading partner = test::ReadingOf(test::RaviBirthForm());
    const ContactGroup synastry = SynastryGroups(reading, partner, {}).front();
    InnerRing other{{synastry.other, "Inner", "Ravi"}, synastry};
    auto wheel = session.chartModel(EnglishMonthNames(), &other, WheelOptions{})->degreeWheel;
    ASSERT_EQ(wheel->rings.size(), 2u);
    EXPECT_EQ(wheel->rings[0].chart, WheelChart::Other);
    EXPECT_EQ(wheel->ascendant, partner.natal[ChartBody::Ascendant].longitude);
    EXPECT_EQ(wheel->aspects.size(), synastry.contacts.size());

    const SkyResult sky = ComputeSky(*ParseSkyMoment("2009-01-01T00:00"), PositionsSource{});
    ASSERT_TRUE(sky.sky.has_value()) << sky.error;
    const ContactGroup transits = SkyGroup(reading, *sky.sky, {});
    InnerRing skyRing{{transits.other, "Sky", "Sky"}, transits};
    wheel = session.chartModel(EnglishMonthNames(), &skyRing, WheelOptions{})->degreeWheel;
    ASSERT_EQ(wheel->rings.size(), 2u);
    EXPECT_EQ(wheel->rings[0].chart, WheelChart::Sky);
    // The sky has no ascendant: it is left out and the draconic chart's houses are drawn.
    EXPECT_EQ(wheel->rings[0].bodies.size(), static_cast<size_t>(kBodyCount - 1));
    EXPECT_EQ(wheel->ascendant, reading.draconic[ChartBody::Ascendant].longitude);
}

TEST(ReadingSessionWheel, TitleAndFactsOfAPrintedWheel) {
    const Reading reading = test::ReadingOf(test::KnownBirthForm());
    EXPECT_EQ(WheelTitle(reading, ChartView::Comparison),
              "Natal and Draconic Charts of " + reading.birth().Name);
    const std::vector<std::string> facts = WheelFacts(reading, EnglishMonthNames());
    ASSERT_EQ(facts.size(), 8u);
    EXPECT_EQ(facts[0], "Name: " + reading.birth().Name);
    EXPECT_EQ(facts[1].rfind("Date of Birth: January 15, 1980", 0), 0u) << facts[1];
    EXPECT_EQ(facts[3].rfind("Time Zone: ", 0), 0u);
    EXPECT_EQ(facts[6], "Positions: Classic positions");
    EXPECT_EQ(facts[7], "North Node: " + LongPosition(reading.natal[ChartBody::NorthNode]));
}

}  // namespace
}  // namespace velloran
