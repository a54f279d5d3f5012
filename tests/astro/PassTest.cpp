// The three entry points as a pass runs them: outputs of each pass kind, the one universal time
// for every body, and abandonment on a fault.

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <string>

#include "AstroTestSupport.h"
#include "astro/Engine.h"
#include "astro/TimeScales.h"

namespace velloran {
namespace {

using testing::BirthSpec;
using testing::MakeState;
using testing::SameBits;

void RunEnginePass(ReadingState& state, bool draconic) {
    state.DraconicPass = draconic;
    PrepareChartInput(state);
    RunEphemeris(state);
    RunPlanetPositions(state);
}

constexpr int Slot(ChartBody body) { return static_cast<int>(body); }

TEST(NatalPass, WorkedExampleEntries) {
    ReadingState state = MakeState(testing::NewYork1980());
    RunEnginePass(state, false);
    EXPECT_EQ(state.NatalAscendantText, "4\u00b0 46' 37\" Ari");
    EXPECT_EQ(state.MoonPositionText, "25\u00b0 10' 37\" Sag");
    EXPECT_EQ(state.UniversalTimeHours, 15.5);
    EXPECT_EQ(state.DayNumber, -7290.854166666667);
    const BodyTextList expected = {"24 Cap 55", "25 Sag 10", "21 Cap 17", "29 Aqu 40",
                                   "15 Vir 37", "09 Vir 52", "27 Vir 15", "00 Vir 12",
                                   "00 Pis 12", "04 Ari 46", ""};
    EXPECT_EQ(state.NatalPositions, expected);
    for (const std::string& entry : state.DraconicPositions) EXPECT_EQ(entry, "");
    EXPECT_EQ(state.MoonLongitude, 0.0);  // draconic-only outputs untouched
    EXPECT_EQ(state.AscendantLongitude, 0.0);
}

TEST(NatalPass, NameTablesAreRefilledWithoutMarks) {
    ReadingState state = MakeState(testing::NewYork1980());
    state.BodyNames[2] = "Mercury (R) ";
    state.BodyLabels[2] = "Me (R) ";
    state.BodyNames[10] = "stale";
    RunEnginePass(state, false);
    // A classic pass names the ten bodies it computes; the modern bodies' entries stay empty.
    const BodyTextList names = {"Sun",     "Moon",   "Mercury", "Venus", "Mars",
                                "Jupiter", "Saturn", "Rahu",    "Ketu",  "Asc",
                                "",        "",       "",        "",      ""};
    const BodyTextList labels = {"Su", "M", "Me", "V", "Ma", "J", "Sa", "N",
                                 "S",  "A", "",   "",  "",   "",  ""};
    const BodyTextList western = {"Sun",     "Moon",   "Mercury",    "Venus",      "Mars",
                                  "Jupiter", "Saturn", "North Node", "South Node", "Asc",
                                  "",        "",       "",           "",           ""};
    const SignTextList signs = {"Ari", "Tau", "Gem", "Can", "Leo", "Vir", "Lib",
                                "Sco", "Sag", "Cap", "Aqu", "Pis", ""};
    EXPECT_EQ(state.BodyNames, names);
    EXPECT_EQ(state.BodyLabels, labels);
    EXPECT_EQ(state.WesternBodyNames, western);
    EXPECT_EQ(state.SignAbbrevs, signs);
}

TEST(DraconicPass, LeavesRawDecimalLongitudesAndNatalListAlone) {
    ReadingState state = MakeState(testing::NewYork1980());
    RunEnginePass(state, false);
    const BodyTextList natal = state.NatalPositions;
    const std::string natalAscendant = state.NatalAscendantText;
    RunEnginePass(state, true);
    EXPECT_EQ(state.NatalPositions, natal);
    EXPECT_EQ(state.NatalAscendantText, natalAscendant);
    const BodyTextList expected = {"294.927098264824",
                                   "265.17708407731",
                                   "291.297260649546",
                                   "329.673756698227",
                                   "165.629656857294",
                                   "159.872460449354",
                                   "177.263240805182",
                                   "150.200940311353",
                                   "330.200940311353",
                                   "4.7771286193848",
                                   ""};
    EXPECT_EQ(state.DraconicPositions, expected);
    EXPECT_TRUE(SameBits(state.MoonLongitude, state.NatalLongitudes[Slot(ChartBody::Moon)]));
    EXPECT_TRUE(
        SameBits(state.AscendantLongitude, state.NatalLongitudes[Slot(ChartBody::Ascendant)]));
    // Both passes computed the same ten numbers.
    for (int k = 0; k < kBodyCount; ++k) {
        EXPECT_TRUE(SameBits(state.NatalLongitudes[k], state.DraconicRawLongitudes[k])) << k;
        bool ok = false;
        EXPECT_NEAR(ParseDecimalText(state.DraconicPositions[k], &ok),
                    state.DraconicRawLongitudes[k], 1e-12);
        EXPECT_TRUE(ok);
    }
}

// London, Greenwich Mean Time: the zone adds nothing, so local time is universal time.
BirthSpec LondonGmt(int year, int month, int day, int hour, int minute) {
    return {year, month, day, hour, minute, 0, 7, false, 51, 30, false, false, "0", "0"};
}

// 2006-06-12 12:00 GMT lies in one of the spells of about 19 days in which the mean node is
// less than one degree past 0 Aries, so the node less one degree stands in late Pisces.
TEST(NatalPass, NodeJustPastAriesZeroReadsLatePisces) {
    ReadingState state = MakeState(LondonGmt(2006, 6, 12, 12, 0));
    RunEnginePass(state, false);
    EXPECT_EQ(state.NatalPositions[Slot(ChartBody::NorthNode)], "29 Pis 28");
    EXPECT_EQ(state.NatalPositions[Slot(ChartBody::SouthNode)], "29 Vir 28");
}

struct NodeWindowCase {
    const char* rowName;
    BirthSpec birth;
};

void PrintTo(const NodeWindowCase& row, std::ostream* os) { *os << row.rowName; }

class NodeWindowTest : public ::testing::TestWithParam<NodeWindowCase> {};

// Both passes carry the node as a longitude in [359, 360), never as a negative number: the
// natal texts and the draconic decimals alike.
TEST_P(NodeWindowTest, NodeInLatePiscesInBothPasses) {
    ReadingState state = MakeState(GetParam().birth);
    RunEnginePass(state, false);
    EXPECT_EQ(state.NatalPositions[Slot(ChartBody::NorthNode)].substr(0, 6), "29 Pis");
    EXPECT_EQ(state.NatalPositions[Slot(ChartBody::SouthNode)].substr(0, 6), "29 Vir");
    RunEnginePass(state, true);
    bool ok = false;
    const double north = ParseDecimalText(state.DraconicPositions[Slot(ChartBody::NorthNode)], &ok);
    EXPECT_TRUE(ok);
    EXPECT_GE(north, 359.0);
    EXPECT_LT(north, 360.0);
    const double south = ParseDecimalText(state.DraconicPositions[Slot(ChartBody::SouthNode)], &ok);
    EXPECT_TRUE(ok);
    EXPECT_GE(south, 179.0);
    EXPECT_LT(south, 180.0);
}

// Hours near the start or end of some of the spells, and days inside others.
INSTANTIATE_TEST_SUITE_P(
    Spells, NodeWindowTest,
    ::testing::Values(NodeWindowCase{"first_hour_1913_05_09", LondonGmt(1913, 5, 9, 16, 0)},
                      NodeWindowCase{"new_year_1932", LondonGmt(1932, 1, 1, 0, 0)},
                      NodeWindowCase{"mid_spell_1969_03_20", LondonGmt(1969, 3, 20, 12, 0)},
                      NodeWindowCase{"first_day_2006_06_02", LondonGmt(2006, 6, 2, 13, 0)},
                      NodeWindowCase{"last_day_2006_06_21", LondonGmt(2006, 6, 21, 8, 0)},
                      NodeWindowCase{"last_hour_2025_01_30", LondonGmt(2025, 1, 30, 17, 0)},
                      NodeWindowCase{"mid_spell_2043_09_01", LondonGmt(2043, 9, 1, 0, 0)}),
    [](const auto& info) { return std::string(info.param.rowName); });

// Runs a natal pass and returns its ten raw longitudes and the times it used.
struct PassResult {
    std::array<double, kMaxBodyCount> lon;
    double ut;
    double day;
};
PassResult NatalResult(const BirthSpec& spec) {
    ReadingState state = MakeState(spec);
    RunEnginePass(state, false);
    return {state.NatalLongitudes, state.UniversalTimeHours, state.DayNumber};
}

void ExpectSameLongitudes(const PassResult& a, const PassResult& b) {
    for (int k = 0; k < kBodyCount; ++k) {
        EXPECT_TRUE(SameBits(a.lon[k], b.lon[k]))
            << "body " << k << ": " << a.lon[k] << " vs " << b.lon[k];
    }
}

// Daylight saving moves every body, planets and nodes included, to one hour earlier.
TEST(OneUniversalTime, DaylightSavingShiftsEveryBodyByAnHour) {
    const BirthSpec summer{1990, 7, 4, 14, 0, 74, 0, false, 40, 43, false, true, "5", "0"};
    BirthSpec standard = summer;
    standard.dst = false;
    standard.hour = 13;
    const PassResult withDst = NatalResult(summer);
    const PassResult shifted = NatalResult(standard);
    ExpectSameLongitudes(withDst, shifted);
    EXPECT_EQ(withDst.day, shifted.day);
    // And ticking the box does change the planets' day and the Moon.
    BirthSpec unticked = summer;
    unticked.dst = false;
    const PassResult without = NatalResult(unticked);
    EXPECT_NEAR(without.day - withDst.day, 1.0 / 24.0, 1e-9);
    EXPECT_GT(testing::AngleDistance(without.lon[Slot(ChartBody::Moon)],
                                     withDst.lon[Slot(ChartBody::Moon)]),
              0.4);
    EXPECT_NE(without.lon[Slot(ChartBody::Sun)], withDst.lon[Slot(ChartBody::Sun)]);
}

// Madrid keeps Central European Time although it lies west of Greenwich: UT = local - 1 for
// the Moon and the ascendant as for the planets and nodes.
TEST(OneUniversalTime, MadridWestOfGreenwichInCentralEuropeanTime) {
    const BirthSpec madrid{1975, 5, 20, 12, 0, 3, 42, false, 40, 25, false, false, "-1", "0"};
    const PassResult r = NatalResult(madrid);
    EXPECT_EQ(r.ut, 11.0);
    EXPECT_EQ(r.day, DaysSinceJ2000(1975, 5, 20, 11, 0));
    const double j0 = JulianDayNumber(5, 20, 1975);
    EXPECT_TRUE(SameBits(r.lon[Slot(ChartBody::Moon)], MoonLongitudeAt(j0, 11.0)));
    EXPECT_TRUE(SameBits(r.lon[Slot(ChartBody::Ascendant)],
                         AscendantAt(j0, 11.0, 3.0 + 42.0 / 60.0, 40.0 + 25.0 / 60.0)));
    EXPECT_TRUE(SameBits(r.lon[Slot(ChartBody::Sun)], PlanetLongitude(2, r.day)));
}

// An East longitude with a zone 5 hours West: the zone decides (UT 15.5), the longitude only
// enters the sidereal time.
TEST(OneUniversalTime, EastLongitudeWithWestZone) {
    BirthSpec east = testing::NewYork1980();
    east.east = true;
    const PassResult eastResult = NatalResult(east);
    const PassResult westResult = NatalResult(testing::NewYork1980());
    EXPECT_EQ(eastResult.ut, 15.5);
    EXPECT_EQ(eastResult.day, westResult.day);
    for (ChartBody body :
         {ChartBody::Sun, ChartBody::Moon, ChartBody::Saturn, ChartBody::NorthNode}) {
        EXPECT_TRUE(SameBits(eastResult.lon[Slot(body)], westResult.lon[Slot(body)]));
    }
    const double j0 = JulianDayNumber(1, 15, 1980);
    EXPECT_TRUE(SameBits(eastResult.lon[Slot(ChartBody::Ascendant)],
                         AscendantAt(j0, 15.5, -74.0, 40.0 + 43.0 / 60.0)));
    EXPECT_GT(testing::AngleDistance(eastResult.lon[Slot(ChartBody::Ascendant)],
                                     westResult.lon[Slot(ChartBody::Ascendant)]),
              10.0);
}

// A late birth west of Greenwich: the Moon keeps the local date with UT 28.5 hours, the planets
// take the next calendar day; both describe the same moment.
TEST(OneUniversalTime, LateEveningWestCrossesMidnight) {
    const BirthSpec late{1985, 3, 10, 23, 30, 74, 0, false, 40, 43, false, false, "5", "0"};
    const PassResult r = NatalResult(late);
    EXPECT_EQ(r.ut, 28.5);
    EXPECT_EQ(r.day, DaysSinceJ2000(1985, 3, 11, 4, 30));
    EXPECT_NEAR(JulianDayNumber(3, 10, 1985) - 2451545.0 + r.ut / 24.0 - 0.5, r.day, 1e-9);
}

// Sentinel outputs that a failed step must leave as they were.
ReadingState StateWithSentinels(const BirthSpec& spec) {
    ReadingState state = MakeState(spec);
    state.NatalAscendantText = "asc sentinel";
    state.MoonPositionText = "moon sentinel";
    state.AscendantLongitude = -7.0;
    state.MoonLongitude = -8.0;
    state.UniversalTimeHours = -9.0;
    state.DayNumber = -10.0;
    state.NatalPositions.fill("natal sentinel");
    state.DraconicPositions.fill("draconic sentinel");
    return state;
}

void ExpectSentinelsKept(const ReadingState& state) {
    EXPECT_EQ(state.NatalAscendantText, "asc sentinel");
    EXPECT_EQ(state.MoonPositionText, "moon sentinel");
    EXPECT_EQ(state.AscendantLongitude, -7.0);
    EXPECT_EQ(state.MoonLongitude, -8.0);
    EXPECT_EQ(state.UniversalTimeHours, -9.0);
    EXPECT_EQ(state.DayNumber, -10.0);
    for (const std::string& s : state.NatalPositions) EXPECT_EQ(s, "natal sentinel");
    for (const std::string& s : state.DraconicPositions) EXPECT_EQ(s, "draconic sentinel");
}

TEST(Failure, ZoneTextThatDoesNotConvertAbandonsEveryEntryPoint) {
    for (bool draconic : {false, true}) {
        BirthSpec spec = testing::NewYork1980();
        spec.zoneMinutes = "half";
        ReadingState state = StateWithSentinels(spec);
        RunEnginePass(state, draconic);
        ExpectSentinelsKept(state);
        EXPECT_EQ(state.BodyNames[7], "Rahu");  // the name tables come first and are filled
    }
}

// Year 32767: the ascendant and the Moon still compute, the planets fail (Venus's eccentricity
// has turned negative) and leave both lists as they were.
TEST(Failure, Year32767AbandonsThePlanetsOnly) {
    for (bool draconic : {false, true}) {
        BirthSpec spec = testing::NewYork1980();
        spec.year = 32767;
        ReadingState state = StateWithSentinels(spec);
        RunEnginePass(state, draconic);
        for (const std::string& s : state.NatalPositions) EXPECT_EQ(s, "natal sentinel");
        for (const std::string& s : state.DraconicPositions) EXPECT_EQ(s, "draconic sentinel");
        EXPECT_EQ(state.DayNumber, -10.0);
        EXPECT_TRUE(std::isfinite(state.UniversalTimeHours));
        if (draconic) {
            EXPECT_TRUE(state.MoonLongitude >= 0.0 && state.MoonLongitude <= 360.0);
            EXPECT_TRUE(state.AscendantLongitude >= 0.0 && state.AscendantLongitude < 360.0);
        } else {
            EXPECT_TRUE(
                testing::LongFormMatches(state.NatalAscendantText, state.NatalLongitudes[9]));
        }
        const double moon = draconic ? state.MoonLongitude : state.NatalLongitudes[1];
        EXPECT_TRUE(testing::LongFormMatches(state.MoonPositionText, moon));
    }
}

TEST(Failure, AbsurdFieldsNeverWriteNonFiniteValues) {
    const BirthSpec cases[] = {
        {32767, 12, 31, 23, 59, 999, 999, false, 999, 999, false, true, "13", "0"},
        {-32768, 1, 1, 0, 0, 999, 999, true, 999, 999, true, false, "-13", "-30"},
        {2000, 13, 40, 25, 75, 180, 0, false, 90, 0, false, false, "12", "0"},
        {1905, 0, 0, -5, -70, 0, 0, true, 90, 0, true, true, "2000000000", "0"},
    };
    for (const BirthSpec& spec : cases) {
        for (bool draconic : {false, true}) {
            ReadingState state = MakeState(spec);
            RunEnginePass(state, draconic);
            EXPECT_TRUE(std::isfinite(state.AscendantLongitude));
            EXPECT_TRUE(std::isfinite(state.MoonLongitude));
            EXPECT_TRUE(std::isfinite(state.UniversalTimeHours));
            EXPECT_TRUE(std::isfinite(state.DayNumber));
            for (int k = 0; k < kBodyCount; ++k) {
                EXPECT_TRUE(std::isfinite(state.NatalLongitudes[k]));
                EXPECT_TRUE(std::isfinite(state.DraconicRawLongitudes[k]));
                const std::string& natal = state.NatalPositions[k];
                EXPECT_TRUE(natal.empty() ||
                            testing::CompactFormMatches(natal, state.NatalLongitudes[k]))
                    << natal;
                const std::string& draconicText = state.DraconicPositions[k];
                bool ok = false;
                ParseDecimalText(draconicText, &ok);
                EXPECT_TRUE(draconicText.empty() || ok) << draconicText;
            }
        }
    }
}

// A Moon text that is not a long form stops the natal list at entry 1; entry 0 is written,
// the later entries keep what they held.
TEST(Failure, MalformedMoonTextStopsTheNatalListThere) {
    ReadingState state = StateWithSentinels(testing::NewYork1980());
    state.NatalAscendantText = "4\u00b0 46' 37\" Ari";
    state.MoonPositionText = "no degrees";
    state.DraconicPass = false;
    RunPlanetPositions(state);
    EXPECT_EQ(state.NatalPositions[0], "24 Cap 55");
    for (int k = 1; k <= 10; ++k) EXPECT_EQ(state.NatalPositions[k], "natal sentinel") << k;
}

}  // namespace
}  // namespace velloran
