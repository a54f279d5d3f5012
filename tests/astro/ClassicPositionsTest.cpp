// The classic positions of a birth: the worked example, the one universal time for every body,
// the node in late Pisces, the rounding the draconic chart takes, and refusal when the arithmetic
// fails.

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <ostream>
#include <string>

#include "AstroTestSupport.h"
#include "astro/Engine.h"
#include "astro/TimeScales.h"

namespace velloran {
namespace {

using testing::BirthSpec;
using testing::MakeBirth;
using testing::SameBits;

constexpr int Slot(ChartBody body) { return static_cast<int>(body); }

ClassicPositions Positions(const BirthSpec& spec) {
    const std::optional<ClassicPositions> p =
        ComputeClassicPositions(MakeBirth(spec), spec.zoneMinutesToUT);
    EXPECT_TRUE(p.has_value());
    return p.value_or(ClassicPositions{});
}

std::string Compact(double longitude) { return CompactSignPosition(FormatSignPosition(longitude)); }

TEST(ClassicPositions, WorkedExample) {
    const ClassicPositions p = Positions(testing::NewYork1980());
    EXPECT_EQ(FormatSignPosition(p.longitudes[Slot(ChartBody::Ascendant)]), "4\u00b0 46' 37\" Ari");
    EXPECT_EQ(FormatSignPosition(p.longitudes[Slot(ChartBody::Moon)]), "25\u00b0 10' 37\" Sag");
    EXPECT_EQ(p.universalTimeHours, 15.5);
    EXPECT_EQ(p.dayNumber, -7290.854166666667);
    const std::array<std::string, kBodyCount> expected = {
        "24 Cap 55", "25 Sag 10", "21 Cap 17", "29 Aqu 40", "15 Vir 37",
        "09 Vir 52", "27 Vir 15", "00 Vir 12", "00 Pis 12", "04 Ari 46"};
    for (int k = 0; k < kBodyCount; ++k) EXPECT_EQ(Compact(p.longitudes[k]), expected[k]) << k;
}

// The draconic chart takes the longitudes at 15 significant digits: the decimals an earlier
// version of this program wrote for the worked example.
TEST(ClassicPositions, FifteenDigitRoundingOfTheWorkedExample) {
    const ClassicPositions p = Positions(testing::NewYork1980());
    const char* const decimals[kBodyCount] = {
        "294.927098264824", "265.17708407731",  "291.297260649546", "329.673756698227",
        "165.629656857294", "159.872460449354", "177.263240805182", "150.200940311353",
        "330.200940311353", "4.7771286193848"};
    for (int k = 0; k < kBodyCount; ++k) {
        EXPECT_EQ(RoundToFifteenDigits(p.longitudes[k]), std::stod(decimals[k])) << k;
        EXPECT_NEAR(RoundToFifteenDigits(p.longitudes[k]), p.longitudes[k], 1e-12) << k;
    }
}

// London, Greenwich Mean Time: the zone adds nothing, so local time is universal time.
BirthSpec LondonGmt(int year, int month, int day, int hour, int minute) {
    return {year, month, day, hour, minute, 0, 7, false, 51, 30, false, false, 0};
}

// 2006-06-12 12:00 GMT lies in one of the spells of about 19 days in which the mean node is
// less than one degree past 0 Aries, so the node less one degree stands in late Pisces.
TEST(ClassicPositions, NodeJustPastAriesZeroReadsLatePisces) {
    const ClassicPositions p = Positions(LondonGmt(2006, 6, 12, 12, 0));
    EXPECT_EQ(Compact(p.longitudes[Slot(ChartBody::NorthNode)]), "29 Pis 28");
    EXPECT_EQ(Compact(p.longitudes[Slot(ChartBody::SouthNode)]), "29 Vir 28");
}

struct NodeWindowCase {
    const char* rowName;
    BirthSpec birth;
};

void PrintTo(const NodeWindowCase& row, std::ostream* os) { *os << row.rowName; }

class NodeWindowTest : public ::testing::TestWithParam<NodeWindowCase> {};

// The node is a longitude in [359, 360), never a negative number, and so is what the draconic
// chart takes of it.
TEST_P(NodeWindowTest, NodeInLatePisces) {
    const ClassicPositions p = Positions(GetParam().birth);
    const double north = p.longitudes[Slot(ChartBody::NorthNode)];
    const double south = p.longitudes[Slot(ChartBody::SouthNode)];
    EXPECT_EQ(Compact(north).substr(0, 6), "29 Pis");
    EXPECT_EQ(Compact(south).substr(0, 6), "29 Vir");
    for (const double x : {north, RoundToFifteenDigits(north)}) {
        EXPECT_GE(x, 359.0);
        EXPECT_LT(x, 360.0);
    }
    EXPECT_GE(RoundToFifteenDigits(south), 179.0);
    EXPECT_LT(RoundToFifteenDigits(south), 180.0);
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

void ExpectSameLongitudes(const ClassicPositions& a, const ClassicPositions& b) {
    for (int k = 0; k < kBodyCount; ++k) {
        EXPECT_TRUE(SameBits(a.longitudes[k], b.longitudes[k]))
            << "body " << k << ": " << a.longitudes[k] << " vs " << b.longitudes[k];
    }
}

// Daylight saving moves every body, planets and nodes included, to one hour earlier.
TEST(OneUniversalTime, DaylightSavingShiftsEveryBodyByAnHour) {
    const BirthSpec summer{1990, 7, 4, 14, 0, 74, 0, false, 40, 43, false, true, 300};
    BirthSpec standard = summer;
    standard.dst = false;
    standard.hour = 13;
    const ClassicPositions withDst = Positions(summer);
    const ClassicPositions shifted = Positions(standard);
    ExpectSameLongitudes(withDst, shifted);
    EXPECT_EQ(withDst.dayNumber, shifted.dayNumber);
    // And ticking the box does change the planets' day and the Moon.
    BirthSpec unticked = summer;
    unticked.dst = false;
    const ClassicPositions without = Positions(unticked);
    EXPECT_NEAR(without.dayNumber - withDst.dayNumber, 1.0 / 24.0, 1e-9);
    EXPECT_GT(testing::AngleDistance(without.longitudes[Slot(ChartBody::Moon)],
                                     withDst.longitudes[Slot(ChartBody::Moon)]),
              0.4);
    EXPECT_NE(without.longitudes[Slot(ChartBody::Sun)], withDst.longitudes[Slot(ChartBody::Sun)]);
}

// Madrid keeps Central European Time although it lies west of Greenwich: UT = local - 1 for
// the Moon and the ascendant as for the planets and nodes.
TEST(OneUniversalTime, MadridWestOfGreenwichInCentralEuropeanTime) {
    const BirthSpec madrid{1975, 5, 20, 12, 0, 3, 42, false, 40, 25, false, false, -60};
    const ClassicPositions r = Positions(madrid);
    EXPECT_EQ(r.universalTimeHours, 11.0);
    EXPECT_EQ(r.dayNumber, DaysSinceJ2000(1975, 5, 20, 11, 0));
    const double j0 = JulianDayNumber(5, 20, 1975);
    EXPECT_TRUE(SameBits(r.longitudes[Slot(ChartBody::Moon)], MoonLongitudeAt(j0, 11.0)));
    EXPECT_TRUE(SameBits(r.longitudes[Slot(ChartBody::Ascendant)],
                         AscendantAt(j0, 11.0, 3.0 + 42.0 / 60.0, 40.0 + 25.0 / 60.0)));
    EXPECT_TRUE(SameBits(r.longitudes[Slot(ChartBody::Sun)], PlanetLongitude(2, r.dayNumber)));
}

// An East longitude with a zone 5 hours West: the zone decides (UT 15.5), the longitude only
// enters the sidereal time.
TEST(OneUniversalTime, EastLongitudeWithWestZone) {
    BirthSpec east = testing::NewYork1980();
    east.east = true;
    const ClassicPositions eastResult = Positions(east);
    const ClassicPositions westResult = Positions(testing::NewYork1980());
    EXPECT_EQ(eastResult.universalTimeHours, 15.5);
    EXPECT_EQ(eastResult.dayNumber, westResult.dayNumber);
    for (ChartBody body :
         {ChartBody::Sun, ChartBody::Moon, ChartBody::Saturn, ChartBody::NorthNode}) {
        EXPECT_TRUE(SameBits(eastResult.longitudes[Slot(body)], westResult.longitudes[Slot(body)]));
    }
    const double j0 = JulianDayNumber(1, 15, 1980);
    EXPECT_TRUE(SameBits(eastResult.longitudes[Slot(ChartBody::Ascendant)],
                         AscendantAt(j0, 15.5, -74.0, 40.0 + 43.0 / 60.0)));
    EXPECT_GT(testing::AngleDistance(eastResult.longitudes[Slot(ChartBody::Ascendant)],
                                     westResult.longitudes[Slot(ChartBody::Ascendant)]),
              10.0);
}

// A late birth west of Greenwich: the Moon keeps the local date with UT 28.5 hours, the planets
// take the next calendar day; both describe the same moment.
TEST(OneUniversalTime, LateEveningWestCrossesMidnight) {
    const BirthSpec late{1985, 3, 10, 23, 30, 74, 0, false, 40, 43, false, false, 300};
    const ClassicPositions r = Positions(late);
    EXPECT_EQ(r.universalTimeHours, 28.5);
    EXPECT_EQ(r.dayNumber, DaysSinceJ2000(1985, 3, 11, 4, 30));
    EXPECT_NEAR(JulianDayNumber(3, 10, 1985) - 2451545.0 + r.universalTimeHours / 24.0 - 0.5,
                r.dayNumber, 1e-9);
}

// Year 32767: Venus's eccentricity has turned negative and its longitude is not a number, so
// there are no classic positions rather than a chart with a hole in it.
TEST(Failure, Year32767GivesNoPositions) {
    BirthSpec spec = testing::NewYork1980();
    spec.year = 32767;
    EXPECT_FALSE(ComputeClassicPositions(MakeBirth(spec), spec.zoneMinutesToUT).has_value());
    EXPECT_TRUE(std::isnan(PlanetLongitude(1, DaysSinceJ2000(32767, 1, 15, 15, 30))));
}

// Fields no form accepts: either no positions, or every one finite and within its range.
TEST(Failure, AbsurdFieldsNeverGiveNonFiniteValues) {
    const BirthSpec cases[] = {
        {32767, 12, 31, 23, 59, 999, 999, false, 999, 999, false, true, 780},
        {-32768, 1, 1, 0, 0, 999, 999, true, 999, 999, true, false, -810},
        {2000, 13, 40, 25, 75, 180, 0, false, 90, 0, false, false, 720},
        {1905, 0, 0, -5, -70, 0, 0, true, 90, 0, true, true, 2000000000},
    };
    int computed = 0;
    for (const BirthSpec& spec : cases) {
        const std::optional<ClassicPositions> p =
            ComputeClassicPositions(MakeBirth(spec), spec.zoneMinutesToUT);
        if (!p) continue;
        ++computed;
        EXPECT_TRUE(std::isfinite(p->universalTimeHours));
        EXPECT_TRUE(std::isfinite(p->dayNumber));
        for (int k = 0; k < kBodyCount; ++k) {
            EXPECT_GE(p->longitudes[k], 0.0) << k;
            EXPECT_LE(p->longitudes[k], 360.0) << k;
            EXPECT_TRUE(testing::CompactFormMatches(Compact(p->longitudes[k]), p->longitudes[k]));
        }
    }
    // The month-13 row still computes (the calendar carries it into the next year).
    EXPECT_GE(computed, 1);
}

}  // namespace
}  // namespace velloran
