// The draconic chart against other charts: a second reading's natal chart both ways round, the
// sky of a moment, the wrap at 0° Aries, the years each positions choice covers, and the
// comparison wheel with the other chart on its inner ring.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "Calculated.h"
#include "chart/ChartWindow.h"
#include "chart/ContactTable.h"
#include "reading/Against.h"
#include "reading/Reading.h"
#include "reading/Sky.h"
#include "support/SampleBirths.h"

namespace velloran {
namespace {

struct Expected {
    ChartBody draconic;
    Aspect aspect;
    ChartBody other;
    double orbDegrees;
};

void ExpectContacts(const std::vector<Contact>& found, const std::vector<Expected>& expected) {
    ASSERT_EQ(found.size(), expected.size());
    for (std::size_t i = 0; i < found.size(); ++i) {
        EXPECT_EQ(found[i].draconic, expected[i].draconic) << i;
        EXPECT_EQ(found[i].aspect, expected[i].aspect) << i;
        EXPECT_EQ(found[i].natal, expected[i].other) << i;
        EXPECT_NEAR(found[i].orbMinutes / 60.0, expected[i].orbDegrees, 1e-3) << i;
    }
}

// Classic positions, degrees (velloran-cli show):
//   Ann (known birth): natal Asc 4.7771, Saturn 177.2632, node 150.2009; draconic = natal - node:
//     Asc 4.7771 - 150.2009 + 360 = 214.5762, Saturn 177.2632 - 150.2009 = 27.0623.
//   Ravi (Pune birth): natal Asc 34.9384, Venus 28.4542, Mars 152.5937, Jupiter 154.3304,
//     node 147.5784; draconic Mars 152.5937 - 147.5784 = 5.0153, Jupiter 6.7520.
// Ann's draconic on Ravi's natal, conjunctions and oppositions within 2°:
//   Asc 214.5762 - Asc 34.9384 = 179.6378: opposition, orb 0.3622 (0° 22')
//   Saturn 27.0623 - Venus 28.4542 = 1.3919: conjunction (1° 24')
// Ravi's draconic on Ann's natal:
//   Mars 5.0153 - Asc 4.7771 = 0.2382: conjunction (0° 14')
//   Jupiter 6.7520 - Asc 4.7771 = 1.9749: conjunction (1° 58')
TEST(Synastry, TwoKnownBirthsBothWaysRound) {
    const Reading ann = test::ReadingOf(test::KnownBirthForm());
    const Reading ravi = test::ReadingOf(test::RaviBirthForm());
    const std::vector<ContactGroup> groups = SynastryGroups(ann, ravi, {});
    ASSERT_EQ(groups.size(), 2u);
    EXPECT_EQ(groups[0].title, "Ann Example's draconic chart on Ravi Example's natal chart");
    EXPECT_EQ(groups[1].title, "Ravi Example's draconic chart on Ann Example's natal chart");
    ExpectContacts(groups[0].contacts,
                   {{ChartBody::Ascendant, Aspect::Opposition, ChartBody::Ascendant, 0.3622},
                    {ChartBody::Saturn, Aspect::Conjunction, ChartBody::Venus, 1.3919}});
    ExpectContacts(groups[1].contacts,
                   {{ChartBody::Mars, Aspect::Conjunction, ChartBody::Ascendant, 0.2382},
                    {ChartBody::Jupiter, Aspect::Conjunction, ChartBody::Ascendant, 1.9749}});
    // Rows name the bodies and show each chart's own positions.
    EXPECT_EQ(groups[0].draconic, ann.draconic);
    EXPECT_EQ(groups[0].other, ravi.natal);
    EXPECT_EQ(groups[1].draconic, ravi.draconic);
    EXPECT_EQ(groups[1].other, ann.natal);
    const ContactRow row = GroupRows(groups[1])[0];
    EXPECT_EQ(RowCells(row), (std::array<std::string, kContactColumnCount>{
                                 "Draconic Mars", "☌ conjunction", "Natal Asc", "0° 14'",
                                 "05 Ari 00", "04 Ari 46"}));
    // A wider orb finds more in both directions; the order stays smallest orb first.
    const std::vector<ContactGroup> wide = SynastryGroups(ann, ravi, {kAllAspects, 5.0});
    for (const ContactGroup& group : wide) {
        EXPECT_GT(group.contacts.size(), 2u);
        for (std::size_t i = 1; i < group.contacts.size(); ++i)
            EXPECT_LE(group.contacts[i - 1].orbMinutes, group.contacts[i].orbMinutes);
    }
}

// The sky of 1 January 2000, 12:00 UT (classic): Jupiter 25.3611 (25 Ari 21); Ann's draconic
// Saturn 27.0623: 1.7012 apart, a conjunction (1° 42'). Nothing else within 2°.
TEST(Transits, TheSkyOfAMomentOnTheKnownBirth) {
    const Reading ann = test::ReadingOf(test::KnownBirthForm());
    const SkyResult sky = ComputeSky({2000, 1, 1, 12, 0}, {});
    ASSERT_TRUE(sky.sky) << sky.error;
    const ContactGroup group = SkyGroup(ann, *sky.sky, {});
    EXPECT_EQ(group.kind, OtherChart::Sky);
    EXPECT_EQ(group.title, "Sky on 2000-01-01 12:00 UT on Ann Example's draconic chart");
    ExpectContacts(group.contacts,
                   {{ChartBody::Saturn, Aspect::Conjunction, ChartBody::Jupiter, 1.7012}});
    EXPECT_EQ(RowCells(GroupRows(group)[0]),
              (std::array<std::string, kContactColumnCount>{"Transiting Jupiter", "☌ conjunction",
                                                            "Draconic Saturn", "1° 42'",
                                                            "25 Ari 21", "27 Ari 03"}));
    EXPECT_EQ(std::string(GroupColumns(group)[0]), "Transiting");
    EXPECT_EQ(std::string(GroupColumns(group)[2]), "Draconic");
    // A sky has no place: no ascendant, houses from Aries.
    const Chart& chart = sky.sky->chart;
    EXPECT_TRUE(std::isnan(chart[ChartBody::Ascendant].longitude));
    EXPECT_EQ(chart[ChartBody::Ascendant].sign, -1);
    EXPECT_EQ(chart.risingSign(), 0);
    EXPECT_EQ(CompactPosition(chart[ChartBody::Ascendant]), "");
    for (const Contact& c : SkyGroup(ann, *sky.sky, {kAllAspects, 5.0}).contacts)
        EXPECT_NE(c.natal, ChartBody::Ascendant);
}

TEST(Transits, TheCorePositionsOfTheSkyAgreeWithTheirEngine) {
    // The classic sky is the classic engine's chart of a birth at that universal time; the
    // precise sky adds the modern bodies.
    const SkyResult classic = ComputeSky({1980, 1, 15, 15, 30}, {});
    const Reading ann = test::ReadingOf(test::KnownBirthForm());  // 10:30 EST = 15:30 UT
    ASSERT_TRUE(classic.sky);
    for (ChartBody body :
         {ChartBody::Sun, ChartBody::Moon, ChartBody::Saturn, ChartBody::NorthNode})
        EXPECT_EQ(classic.sky->chart[body].longitude, ann.natal[body].longitude);
    const SkyResult precise =
        ComputeSky({1980, 1, 15, 15, 30}, {{PositionsKind::Precise, NodeKind::Mean}, nullptr});
    ASSERT_TRUE(precise.sky) << precise.error;
    EXPECT_EQ(precise.sky->chart.bodyCount, kPreciseBodyCount);
    EXPECT_EQ(CompactPosition(precise.sky->chart[ChartBody::Uranus]), "24 Sco 40");
}

struct YearCase {
    const char* rowName;
    SkyMoment moment;
    PositionsKind positions;
    const char* error;  // empty: computed
};

class SkyYears : public ::testing::TestWithParam<YearCase> {};

TEST_P(SkyYears, OutsideTheYearsAMessageNotAGuess) {
    const YearCase& c = GetParam();
    const SkyResult sky = ComputeSky(c.moment, {{c.positions, NodeKind::Mean}, nullptr});
    EXPECT_EQ(sky.error, c.error);
    EXPECT_EQ(sky.sky.has_value(), std::string(c.error).empty());
}

INSTANTIATE_TEST_SUITE_P(
    Moments, SkyYears,
    ::testing::Values(
        YearCase{"classic_first", {1905, 1, 1, 0, 0}, PositionsKind::Classic, ""},
        YearCase{"classic_last", {2050, 12, 31, 23, 59}, PositionsKind::Classic, ""},
        YearCase{"classic_before",
                 {1904, 12, 31, 23, 59},
                 PositionsKind::Classic,
                 "the classic positions cover the years 1905 to 2050; choose a moment within "
                 "them or the precise positions"},
        YearCase{"classic_after",
                 {2051, 1, 1, 0, 0},
                 PositionsKind::Classic,
                 "the classic positions cover the years 1905 to 2050; choose a moment within "
                 "them or the precise positions"},
        YearCase{"precise_1850", {1850, 6, 1, 12, 0}, PositionsKind::Precise, ""},
        YearCase{"precise_after",
                 {2400, 1, 1, 0, 0},
                 PositionsKind::Precise,
                 "the precise positions cover the years 1800 to 2399"}),
    [](const auto& info) { return std::string(info.param.rowName); });

TEST(SkyMoments, OnlyRealDatesAndTimesInTheOneForm) {
    EXPECT_EQ(ParseSkyMoment("2000-02-29T23:59"), (SkyMoment{2000, 2, 29, 23, 59}));
    EXPECT_EQ(ParseSkyMoment("1905-01-01T00:00"), (SkyMoment{1905, 1, 1, 0, 0}));
    for (const char* bad :
         {"1900-02-29T00:00", "2001-02-29T00:00", "2000-04-31T00:00", "2000-13-01T00:00",
          "2000-00-10T00:00", "2000-01-00T00:00", "2000-01-01T24:00", "2000-01-01T12:60",
          "2000-01-01 12:00", "2000-1-01T12:00", "+200-01-01T12:00", "2000-01-01T12:00Z",
          "2000-01-01", ""}) {
        EXPECT_FALSE(ParseSkyMoment(bad)) << bad;
    }
    EXPECT_EQ(SkyMomentText({2000, 1, 1, 12, 0}), "2000-01-01T12:00");
    EXPECT_EQ(SkyName({1999, 12, 31, 7, 5}), "Sky on 1999-12-31 07:05 UT");
}

TEST(ContactsWith, TheWrapAtZeroAriesAndEveryNodePair) {
    Chart draconic, other;
    draconic.bodies.fill(BodyPlace{std::nan(""), -1, 0, false});
    other.bodies.fill(BodyPlace{std::nan(""), -1, 0, false});
    // Draconic Sun at 359.6°; the other Moon at 0.9° is 1.3° ahead across 0° Aries.
    draconic.bodies[0].longitude = 359.6;
    other.bodies[1].longitude = 0.9;
    other.bodies[4].longitude = 180.2;
    // The draconic North Node at 0° and the other chart's node at 1°: listed between two charts.
    draconic.bodies[7].longitude = 0.0;
    other.bodies[7].longitude = 1.0;
    // Pairs: node-Mars 180.2 apart (opposition 0.2), Sun-Mars 179.4 (0.6), node-Moon 0.9,
    // node-node 1.0, Sun-Moon 1.3 across 0°, Sun-node 1.4 across 0°.
    ExpectContacts(ContactsWith(draconic, other, {}),
                   {{ChartBody::NorthNode, Aspect::Opposition, ChartBody::Mars, 0.2},
                    {ChartBody::Sun, Aspect::Opposition, ChartBody::Mars, 0.6},
                    {ChartBody::NorthNode, Aspect::Conjunction, ChartBody::Moon, 0.9},
                    {ChartBody::NorthNode, Aspect::Conjunction, ChartBody::NorthNode, 1.0},
                    {ChartBody::Sun, Aspect::Conjunction, ChartBody::Moon, 1.3},
                    {ChartBody::Sun, Aspect::Conjunction, ChartBody::NorthNode, 1.4}});
}

// A group of one contact: the draconic Sun at 1° 0' 30" Aries, the other chart's Moon half a
// degree further on.
ContactGroup OneContactGroup(std::string title, OtherChart kind) {
    ContactGroup group;
    group.title = std::move(title);
    group.kind = kind;
    group.draconic.bodies[0] = {1 + 0.5 / 60, 0, 1, false};
    group.other.bodies[1] = {1.5 + 0.5 / 60, 0, 1, false};
    group.contacts = {Contact{ChartBody::Sun, ChartBody::Moon, Aspect::Conjunction, 30.0}};
    return group;
}

TEST(ContactGroups, TextAndCsvNameTheirGroups) {
    const ContactGroup a =
        OneContactGroup("A's draconic chart on B's natal chart", OtherChart::Natal);
    ContactGroup b = a;
    b.title = "B's draconic chart on A's natal chart";
    b.contacts.clear();
    const std::string header = "Draconic\tAspect\tNatal\tOrb\tDraconic position\tNatal position\n";
    const std::string tableA =
        header + "Draconic Sun\t☌ conjunction\tNatal Moon\t0° 30'\t01 Ari 00\t01 Ari 30\n";
    EXPECT_EQ(GroupsPlainText({a}), tableA);
    EXPECT_EQ(GroupsCsv({a}),
              "Draconic,Aspect,Natal,Orb,Orb (degrees),Draconic position,Natal position\r\n"
              "Draconic Sun,☌ conjunction,Natal Moon,0° 30',0.5000,01 Ari 00,01 Ari 30\r\n");
    EXPECT_EQ(GroupsPlainText({a, b}), "A's draconic chart on B's natal chart\n" + tableA + "\n" +
                                           "B's draconic chart on A's natal chart\n" + header);
    EXPECT_EQ(GroupsCsv({a, b}),
              "Charts,Draconic,Aspect,Natal,Orb,Orb (degrees),Draconic position,Natal position\r\n"
              "A's draconic chart on B's natal chart,Draconic Sun,☌ conjunction,Natal Moon,"
              "0° 30',0.5000,01 Ari 00,01 Ari 30\r\n");
}

// A group titled by a name that starts like a formula.
TEST(ContactGroups, ATitleIsNeverAFormula) {
    ContactGroup a = OneContactGroup("=A's draconic chart on B's natal chart", OtherChart::Natal);
    ContactGroup b = a;
    b.title = "@B's draconic chart on A's natal chart";
    const std::string csv = GroupsCsv({a, b});
    EXPECT_NE(csv.find("\r\n'=A's draconic chart on B's natal chart,Draconic Sun,"),
              std::string::npos)
        << csv;
    EXPECT_NE(csv.find("\r\n'@B's draconic chart on A's natal chart,Draconic Sun,"),
              std::string::npos)
        << csv;
}

// With the sky the transiting body comes first, in the text, the CSV and the titles.
TEST(ContactGroups, TheSkysBodiesComeFirst) {
    const ContactGroup sky =
        OneContactGroup("Sky on 2000-01-01 12:00 UT on A's draconic chart", OtherChart::Sky);
    EXPECT_EQ(GroupsPlainText({sky}),
              "Transiting\tAspect\tDraconic\tOrb\tTransiting position\tDraconic position\n"
              "Transiting Moon\t☌ conjunction\tDraconic Sun\t0° 30'\t01 Ari 30\t01 Ari 00\n");
    EXPECT_EQ(GroupsCsv({sky}),
              "Transiting,Aspect,Draconic,Orb,Orb (degrees),Transiting position,Draconic "
              "position\r\n"
              "Transiting Moon,☌ conjunction,Draconic Sun,0° 30',0.5000,01 Ari 30,01 Ari 00\r\n");
    EXPECT_EQ(ContactNote(GroupRows(sky)[0]),
              "Transiting Moon ☌ conjunction Draconic Sun, orb 0° 30'");
}

TEST(ComparisonWith, TheOtherChartTakesOnlyTheInnerRingAndTheNatalColumn) {
    const Reading ann = test::ReadingOf(test::KnownBirthForm());
    const Reading ravi = test::ReadingOf(test::RaviBirthForm());
    const ChartWindowModel own = MakeChartWindow(ann, ChartView::Comparison, EnglishMonthNames());
    const InnerChart inner{ravi.natal, "Inner Wheel - Ravi Example", "Natal"};
    ChartWindowModel with =
        MakeChartWindow(ann, ChartView::Comparison, EnglishMonthNames(), &inner);
    EXPECT_EQ(with.innerLegend, "Inner Wheel - Ravi Example");
    EXPECT_EQ(with.natalColumnCaption, "Natal");
    // Ravi's natal chart as his own comparison view shows it on its inner ring: Taurus rises.
    const ChartWindowModel ravis =
        MakeChartWindow(ravi, ChartView::Comparison, EnglishMonthNames());
    EXPECT_EQ(with.innerRing, ravis.innerRing);
    EXPECT_EQ(with.innerRing.signPictures,
              (std::array<int, kSignCount>{2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 1}));
    EXPECT_EQ(with.natalColumn, ravis.natalColumn);
    EXPECT_EQ(with.natalColumn.cells[0], "15 Pis 01");  // Ravi's Sun

    // Everything else is Ann's comparison view.
    ChartWindowModel rest = with;
    rest.innerRing = own.innerRing;
    rest.natalColumn = own.natalColumn;
    rest.innerLegend = own.innerLegend;
    rest.natalColumnCaption = own.natalColumnCaption;
    test::ExpectSameWindow(rest, own);

    // Marks follow the group whose charts are on the wheel: Ann's draconic Saturn on Ravi's Venus.
    const ContactGroup group = SynastryGroups(ann, ravi, {}).front();
    MarkContacts(group, with);
    EXPECT_NE(with.draconicColumn.contacts[static_cast<int>(ChartBody::Saturn)], "");
    EXPECT_NE(with.natalColumn.contacts[static_cast<int>(ChartBody::Venus)], "");
    EXPECT_EQ(with.natalColumn.contacts[static_cast<int>(ChartBody::Sun)], "");
}

// The sky on the inner ring: no ascendant, so its houses and pictures count from Aries.
TEST(ComparisonWith, TheSkyOnTheInnerRingHasItsHousesFromAries) {
    const Reading ann = test::ReadingOf(test::KnownBirthForm());
    const SkyResult sky = ComputeSky({2000, 1, 1, 12, 0}, {});
    ASSERT_TRUE(sky.sky) << sky.error;
    const InnerChart inner{sky.sky->chart, "Inner Wheel - Sky", "Transiting"};
    const ChartWindowModel with =
        MakeChartWindow(ann, ChartView::Comparison, EnglishMonthNames(), &inner);
    EXPECT_EQ(with.innerRing.signPictures,
              (std::array<int, kSignCount>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));
    EXPECT_EQ(with.natalColumn.cells[static_cast<int>(ChartBody::Ascendant)], "");
    EXPECT_EQ(with.natalColumn.cells[static_cast<int>(ChartBody::Jupiter)], "25 Ari 21");
    EXPECT_NE(HouseText(with.innerRing, 1).find("\r\nJ"), std::string::npos);  // Jupiter in Aries
    for (int h = 1; h <= kSignCount; ++h)
        EXPECT_EQ(HouseText(with.innerRing, h).find("\r\nA"), std::string::npos) << h;
}

}  // namespace
}  // namespace velloran
