// Contacts between the draconic and the natal chart: hand-checked pairs, the known birth's list,
// the rows, text and CSV shown for them, and the comparison view's cell marks.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>

#include "../support/SampleBirths.h"
#include "Calculated.h"
#include "RowName.h"
#include "chart/ChartWindow.h"
#include "chart/ContactTable.h"
#include "reading/Against.h"
#include "reading/Contacts.h"
#include "reading/Reading.h"

namespace velloran {
namespace {

using test::PrintTo;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
// Orbs of hand-made longitudes come out of one subtraction: exact to far below this.
constexpr double kArithmeticTolMinutes = 1e-6;

constexpr AspectMask kEvery = kAllAspects;

// One pair of bodies; every other body has no longitude and so no contact.
struct PairCase {
    const char* rowName;
    ChartBody draconic;
    double draconicLon;
    ChartBody natal;
    double natalLon;
    AspectMask aspects;
    double orb;
    bool nodePairs;
    std::optional<Aspect> expected;  // no value: no contact
    double expectedOrbMinutes;
};

class ContactPairTest : public ::testing::TestWithParam<PairCase> {};

TEST_P(ContactPairTest, FindsTheAspectWithinTheOrbAndNothingElse) {
    const PairCase& c = GetParam();
    BodyLongitudes natal, draconic;
    natal.fill(kNaN);
    draconic.fill(kNaN);
    draconic[static_cast<int>(c.draconic)] = c.draconicLon;
    natal[static_cast<int>(c.natal)] = c.natalLon;

    const std::vector<Contact> found = FindContacts(natal, draconic, c.aspects, c.orb, c.nodePairs);
    if (!c.expected) {
        EXPECT_TRUE(found.empty())
            << found.size() << " contacts, first orb " << found.front().orbMinutes;
        return;
    }
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].draconic, c.draconic);
    EXPECT_EQ(found[0].natal, c.natal);
    EXPECT_EQ(found[0].aspect, *c.expected);
    EXPECT_NEAR(found[0].orbMinutes, c.expectedOrbMinutes, kArithmeticTolMinutes);
}

using B = ChartBody;
using A = Aspect;

INSTANTIATE_TEST_SUITE_P(
    Pairs, ContactPairTest,
    ::testing::Values(
        // 100° and 100°: distance 0, conjunction with no orb.
        PairCase{"exact_conjunction", B::Sun, 100, B::Moon, 100, kDefaultAspects, 2, false,
                 A::Conjunction, 0},
        // 10° and 190°: distance 180, opposition with no orb.
        PairCase{"exact_opposition", B::Mars, 10, B::Saturn, 190, kDefaultAspects, 2, false,
                 A::Opposition, 0},
        // 51.99 - 50 = 1.99° = 119.4'.
        PairCase{"just_inside_the_orb", B::Venus, 50, B::Jupiter, 51.99, kDefaultAspects, 2, false,
                 A::Conjunction, 119.4},
        PairCase{"just_outside_the_orb", B::Venus, 50, B::Jupiter, 52.01, kDefaultAspects, 2, false,
                 std::nullopt, 0},
        // 100.1 - 98.1 is 2° give or take the last bit: the edge belongs to the orb.
        PairCase{"on_the_edge_of_the_orb", B::Moon, 98.1, B::Sun, 100.1, kDefaultAspects, 2, false,
                 A::Conjunction, 120},
        // 360 - 359.5 + 0.7 = 1.2° = 72', whichever side of 0° Aries each lies.
        PairCase{"across_0_aries", B::Mercury, 359.5, B::Venus, 0.7, kDefaultAspects, 2, false,
                 A::Conjunction, 72},
        PairCase{"across_0_aries_other_way", B::Mercury, 0.7, B::Venus, 359.5, kDefaultAspects, 2,
                 false, A::Conjunction, 72},
        // 359.5 - 180.7 = 178.8°, 1.2° short of the opposition.
        PairCase{"opposition_across_0_aries", B::Saturn, 180.7, B::Ascendant, 359.5,
                 kDefaultAspects, 2, false, A::Opposition, 72},
        // 101 - 10 = 91°: a square 1° wide, found only when squares are asked for.
        PairCase{"square", B::Jupiter, 10, B::Mars, 101, kEvery, 2, false, A::Square, 60},
        PairCase{"square_not_asked", B::Jupiter, 10, B::Mars, 101, kDefaultAspects, 2, false,
                 std::nullopt, 0},
        // 248.5 - 10 = 238.5°, that is 121.5° the short way: trine, 1.5° = 90'.
        PairCase{"trine", B::Sun, 10, B::Saturn, 248.5, kEvery, 2, false, A::Trine, 90},
        // 300° and 1°: 61° the short way, across 0° Aries; sextile 1° = 60'.
        PairCase{"sextile_across_0_aries", B::Moon, 300, B::Mercury, 1, kEvery, 2, false,
                 A::Sextile, 60},
        PairCase{"sextile_only", B::Moon, 300, B::Mercury, 1, AspectBit(A::Sextile), 2, false,
                 A::Sextile, 60},
        // Orbs at both ends of the offered range: 0.6° misses 0.5°, 5° meets 5°.
        PairCase{"smallest_orb_missed", B::Sun, 10, B::Sun, 10.6, kDefaultAspects, 0.5, false,
                 std::nullopt, 0},
        PairCase{"largest_orb", B::Sun, 10, B::Sun, 15, kDefaultAspects, 5, false, A::Conjunction,
                 300},
        // The draconic North Node is 0° Aries by construction: its pair with the natal North
        // Node, and the South Nodes' pair, are left out unless asked for.
        PairCase{"north_nodes_left_out", B::NorthNode, 0, B::NorthNode, 0.5, kDefaultAspects, 2,
                 false, std::nullopt, 0},
        PairCase{"south_nodes_left_out", B::SouthNode, 180, B::SouthNode, 181, kDefaultAspects, 2,
                 false, std::nullopt, 0},
        PairCase{"north_nodes_when_asked", B::NorthNode, 0, B::NorthNode, 0.5, kDefaultAspects, 2,
                 true, A::Conjunction, 30},
        PairCase{"south_nodes_when_asked", B::SouthNode, 180, B::SouthNode, 181, kDefaultAspects, 2,
                 true, A::Conjunction, 60},
        // Only the node to the same node is left out: draconic North Node to natal South Node
        // (1° from 0° Aries) counts.
        PairCase{"north_node_to_south_node_counts", B::NorthNode, 0, B::SouthNode, 1,
                 kDefaultAspects, 2, false, A::Conjunction, 60},
        PairCase{"no_aspect_asked", B::Sun, 100, B::Moon, 100, 0, 2, false, std::nullopt, 0},
        PairCase{"longitude_not_finite", B::Sun, kNaN, B::Moon, 100, kEvery, 5, false, std::nullopt,
                 0}),
    [](const auto& info) { return std::string(info.param.rowName); });

TEST(Contacts, SmallestOrbFirstAndEqualOrbsInChartOrder) {
    BodyLongitudes natal, draconic;
    natal.fill(kNaN);
    draconic.fill(kNaN);
    draconic[0] = 10;  // Sun: 1.5° from natal Moon, 0.5° from natal Venus' opposite
    natal[1] = 11.5;   // Moon
    natal[3] = 190.5;  // Venus
    draconic[2] = 50;  // Mercury: 1° from natal Mars, and natal Jupiter 1° the other way
    natal[4] = 51;     // Mars
    natal[5] = 49;     // Jupiter
    const std::vector<Contact> found = FindContacts(natal, draconic, kDefaultAspects, 2);
    ASSERT_EQ(found.size(), 4u);
    EXPECT_EQ(found[0], (Contact{B::Sun, B::Venus, A::Opposition, found[0].orbMinutes}));
    EXPECT_NEAR(found[0].orbMinutes, 30, kArithmeticTolMinutes);
    EXPECT_EQ(found[1].natal, B::Mars);
    EXPECT_EQ(found[2].natal, B::Jupiter);
    EXPECT_NEAR(found[1].orbMinutes, 60, kArithmeticTolMinutes);
    EXPECT_NEAR(found[2].orbMinutes, 60, kArithmeticTolMinutes);
    EXPECT_EQ(found[3].natal, B::Moon);
    EXPECT_NEAR(found[3].orbMinutes, 90, kArithmeticTolMinutes);
}

struct DistanceCase {
    const char* rowName;
    double a, b, distance;
};

class AngleDistanceTest : public ::testing::TestWithParam<DistanceCase> {};

TEST_P(AngleDistanceTest, ShortWayRoundInDegrees) {
    const DistanceCase& c = GetParam();
    EXPECT_NEAR(AngleDistance(c.a, c.b), c.distance, 1e-12);
    EXPECT_NEAR(AngleDistance(c.b, c.a), c.distance, 1e-12);
}

INSTANTIATE_TEST_SUITE_P(Angles, AngleDistanceTest,
                         ::testing::Values(DistanceCase{"same", 42, 42, 0},
                                           DistanceCase{"across_0_aries", 359.5, 0.7, 1.2},
                                           DistanceCase{"opposite", 0, 180, 180},
                                           DistanceCase{"just_past_opposite", 0, 181, 179},
                                           DistanceCase{"more_than_a_turn_apart", 10, 731, 1},
                                           DistanceCase{"negative_angle", -10, 10, 20}),
                         [](const auto& info) { return std::string(info.param.rowName); });

TEST(Contacts, OfferedOrbsAreHalfDegreesFromHalfToFive) {
    for (double orb : {0.5, 1.0, 2.0, 2.5, 4.5, 5.0}) EXPECT_TRUE(IsOfferedOrb(orb)) << orb;
    for (double orb : {0.0, 0.25, 1.3, 5.5, -2.0, kNaN}) EXPECT_FALSE(IsOfferedOrb(orb)) << orb;
}

TEST(Contacts, OrbTextRoundsToTheNearestMinute) {
    EXPECT_EQ(OrbText(42), "0° 42'");
    EXPECT_EQ(OrbText(65.2), "1° 5'");
    EXPECT_EQ(OrbText(119.4), "1° 59'");
    EXPECT_EQ(OrbText(119.6), "2° 0'");
    EXPECT_EQ(OrbText(2.5), "0° 2'");  // half a minute goes to the even one
    EXPECT_EQ(OrbText(3.5), "0° 4'");
    EXPECT_EQ(OrbText(300), "5° 0'");
}

using test::KnownBirthForm;

class KnownBirthContacts : public ::testing::Test {
protected:
    void SetUp() override {
        reading = test::ReadingOf(KnownBirthForm());
        window = MakeChartWindow(reading, ChartView::Draconic, EnglishMonthNames());
    }
    ChartWindowModel View(ChartView view) const {
        return MakeChartWindow(reading, view, EnglishMonthNames());
    }
    Reading reading;
    ChartWindowModel window;
};

// The positions of the known birth as docs/comparison.png shows them (whole minutes, truncated):
//
//   natal      Sun 24 Cap 55 = 294°55'   Moon 25 Sag 10 = 265°10'   Mercury 21 Cap 17 = 291°17'
//              Venus 29 Aqu 40 = 329°40' Mars 15 Vir 37 = 165°37'   Jupiter 09 Vir 52 = 159°52'
//              Saturn 27 Vir 15 = 177°15' N. Node 00 Vir 12 = 150°12' S. Node 00 Pis 12 = 330°12'
//              Asc 04 Ari 46 = 4°46'
//   draconic   Sun 24 Leo 43 = 144°43'   Moon 24 Can 58 = 114°58'   Mercury 21 Leo 05 = 141°05'
//              Venus 29 Vir 28 = 179°28' Mars 15 Ari 25 = 15°25'    Jupiter 09 Ari 40 = 9°40'
//              Saturn 27 Ari 03 = 27°03' N. Node 0°                 S. Node 180°
//              Asc 04 Sco 34 = 214°34'
//
// Conjunctions within 2°: no natal position lies within 2° of a draconic one; the nearest are
// draconic Venus 179°28' to natal Saturn 177°15' (2°13') and the draconic South Node 180° to
// natal Saturn (2°45').
// Oppositions within 2°, against the natal positions plus 180° (Sun 114°55', Moon 85°10',
// Mercury 111°17', Venus 149°40', Mars 345°37', Jupiter 339°52', Saturn 357°15', N. Node
// 330°12', S. Node 150°12', Asc 184°46'): draconic Moon 114°58' - 114°55' = 0°03'. The next
// nearest are the draconic North Node 0° to natal Saturn's 357°15' (2°45') and draconic Mercury
// 141°05' to Mercury's 111°17' (29°48') - outside.
// So the default list is one contact, draconic Moon opposite natal Sun, 3'; at 2.5° draconic
// Venus conjunct natal Saturn joins it with 2°13'.
// Each text lies up to 1' below its longitude, so an orb from two texts is off by less than 1'.
constexpr double kTruncationTolMinutes = 1.0;

TEST_F(KnownBirthContacts, DefaultListIsTheMoonOppositeTheSun) {
    const std::vector<Contact> found = ReadingContacts(reading, ContactSettings{});
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].draconic, B::Moon);
    EXPECT_EQ(found[0].natal, B::Sun);
    EXPECT_EQ(found[0].aspect, A::Opposition);
    EXPECT_NEAR(found[0].orbMinutes, 3, kTruncationTolMinutes);
}

TEST_F(KnownBirthContacts, WiderOrbAddsVenusConjunctSaturn) {
    ContactSettings wider;
    wider.orb = 2.5;
    const std::vector<Contact> found = ReadingContacts(reading, wider);
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0].draconic, B::Moon);
    EXPECT_EQ(found[1].draconic, B::Venus);
    EXPECT_EQ(found[1].natal, B::Saturn);
    EXPECT_EQ(found[1].aspect, A::Conjunction);
    EXPECT_NEAR(found[1].orbMinutes, 133, kTruncationTolMinutes);
}

TEST_F(KnownBirthContacts, RowsNameTheBodiesAndShowBothPositions) {
    const ContactGroup group = OwnContactGroup(reading, {});
    EXPECT_EQ(group.title, "");
    EXPECT_EQ(group.kind, OtherChart::Natal);
    EXPECT_EQ(group.contacts, ReadingContacts(reading, {}));
    EXPECT_EQ(std::string(GroupColumns(group)[0]), "Draconic");
    EXPECT_EQ(std::string(GroupColumns(group)[2]), "Natal");
    const std::vector<ContactRow> rows = GroupRows(group);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].draconic, "Draconic Moon");
    EXPECT_EQ(rows[0].aspect, "☍ opposition");
    EXPECT_EQ(rows[0].natal, "Natal Sun");
    EXPECT_EQ(rows[0].draconicPosition, "24 Can 58");
    EXPECT_EQ(rows[0].natalPosition, "24 Cap 55");
    EXPECT_EQ(rows[0].draconicPosition, window.draconicColumn.cells[1]);
    EXPECT_EQ(rows[0].natalPosition, window.natalColumn.cells[0]);
    // 114.9761° against 294.9271° - 180°: 0.0490°, 2.94'.
    EXPECT_EQ(rows[0].orb, "0° 3'");
    EXPECT_NEAR(rows[0].orbDegrees, 0.0490, 1e-4);
    EXPECT_EQ(ContactNote(rows[0]), "Draconic Moon ☍ opposition Natal Sun, orb 0° 3'");
}

const std::array<std::string, kMaxBodyCount> kNoNotes{};

TEST_F(KnownBirthContacts, MarksOnlyInTheComparisonView) {
    ChartWindowModel draconic = window;  // the view after the calculation
    MarkContacts(OwnContactGroup(reading, {}), draconic);
    EXPECT_EQ(draconic.natalColumn.contacts, kNoNotes);
    EXPECT_EQ(draconic.draconicColumn.contacts, kNoNotes);

    ChartWindowModel comparison = View(ChartView::Comparison);
    MarkContacts(OwnContactGroup(reading, {}), comparison);
    const std::string note = ContactNote(GroupRows(OwnContactGroup(reading, {}))[0]);
    EXPECT_EQ(note, "Draconic Moon ☍ opposition Natal Sun, orb 0° 3'");
    std::array<std::string, kMaxBodyCount> natalNotes, draconicNotes;
    natalNotes[static_cast<int>(ChartBody::Sun)] = note;
    draconicNotes[static_cast<int>(ChartBody::Moon)] = note;
    EXPECT_EQ(comparison.natalColumn.contacts, natalNotes);
    EXPECT_EQ(comparison.draconicColumn.contacts, draconicNotes);
    // Marking leaves the cells' texts as they were.
    EXPECT_EQ(comparison.natalColumn.cells, window.natalColumn.cells);
    EXPECT_EQ(comparison.draconicColumn.cells, window.draconicColumn.cells);

    // A wider orb marks again from scratch: the new contact joins, each note once.
    ContactSettings wider;
    wider.orb = 2.5;
    MarkContacts(OwnContactGroup(reading, wider), comparison);
    EXPECT_EQ(comparison.natalColumn.contacts[static_cast<int>(ChartBody::Sun)], note);
    EXPECT_NE(
        comparison.natalColumn.contacts[static_cast<int>(ChartBody::Saturn)].find("Natal Saturn"),
        std::string::npos);
    EXPECT_NE(comparison.draconicColumn.contacts[static_cast<int>(ChartBody::Venus)].find(
                  "Draconic Venus"),
              std::string::npos);

    ChartWindowModel natal = View(ChartView::Natal);
    MarkContacts(OwnContactGroup(reading, wider), natal);
    EXPECT_EQ(natal.natalColumn.contacts, kNoNotes);
    EXPECT_EQ(natal.draconicColumn.contacts, kNoNotes);
}

ContactRow SampleRow(std::string natal) {
    return ContactRow{"Draconic Sun", "☌ conjunction", std::move(natal), "0° 42'", 0.7,
                      "01 Ari 02",    "01 Ari 44"};
}

TEST(ContactTable, PlainTextIsTabSeparatedWithTitles) {
    EXPECT_EQ(ContactsPlainText({SampleRow("Natal Moon")}),
              "Draconic\tAspect\tNatal\tOrb\tDraconic position\tNatal position\n"
              "Draconic Sun\t☌ conjunction\tNatal Moon\t0° 42'\t01 Ari 02\t01 Ari 44\n");
    EXPECT_EQ(ContactsPlainText({}),
              "Draconic\tAspect\tNatal\tOrb\tDraconic position\tNatal position\n");
}

// A name a spreadsheet would run as a formula reaches the file as text.
TEST(ContactTable, CsvCellsNeverStartAFormula) {
    EXPECT_EQ(ContactsCsv({SampleRow("=HYPERLINK(\"http://evil.example/\")")}),
              "Draconic,Aspect,Natal,Orb,Orb (degrees),Draconic position,Natal position\r\n"
              "Draconic Sun,☌ conjunction,\"'=HYPERLINK(\"\"http://evil.example/\"\")\",0° "
              "42',0.7000,01 Ari 02,01 Ari 44\r\n");
}

TEST(ContactTable, CsvQuotesWhereNeededAndEndsLinesWithCrLf) {
    EXPECT_EQ(ContactsCsv({SampleRow("Natal Moon"), SampleRow("Natal \"Moon\", again")}),
              "Draconic,Aspect,Natal,Orb,Orb (degrees),Draconic position,Natal position\r\n"
              "Draconic Sun,☌ conjunction,Natal Moon,0° 42',0.7000,01 Ari 02,01 Ari 44\r\n"
              "Draconic Sun,☌ conjunction,\"Natal \"\"Moon\"\", again\",0° 42',0.7000,01 Ari "
              "02,01 Ari 44\r\n");
}

}  // namespace
}  // namespace velloran
