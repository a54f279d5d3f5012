// The committed station tables: coverage, the reference pairs by date, valid moments, order, spans.

#include <gtest/gtest.h>

#include <chrono>
#include <limits>
#include <ostream>
#include <string>

#include "StationTestSupport.h"
#include "retro/Retrogrades.h"

namespace velloran {
namespace {

using testing::DateText;
using testing::MinutesOf;
using testing::MomentText;
using testing::NameOf;

// Reference dates "YYYY-MM-DD" of a pair (the minutes of the reference rows come from a less
// precise ephemeris and are not compared).
struct DatePair {
    const char* retrograde;
    const char* direct;
};

struct PlanetCase {
    ChartBody planet;
    std::size_t pairs;
    DatePair first;
    DatePair last;
    DatePair early1980;
    int minSpanDays;  // whole days elapsed from station retrograde to station direct
    int maxSpanDays;
};

const PlanetCase kPlanetCases[] = {
    {ChartBody::Mercury,
     476,
     {"1900-03-15", "1900-04-07"},
     {"2050-12-01", "2050-12-21"},
     {"1980-02-26", "1980-03-19"},
     19,
     24},
    {ChartBody::Venus,
     95,
     {"1900-06-16", "1900-07-30"},
     {"2050-09-25", "2050-11-06"},
     {"1980-05-24", "1980-07-06"},
     40,
     43},
    {ChartBody::Mars,
     71,
     {"1901-01-13", "1901-04-04"},
     {"2050-07-15", "2050-09-13"},
     {"1980-01-16", "1980-04-06"},
     59,
     81},
    // The ephemeris puts Jupiter's last direct station at 22 April 2051 00:08 UT, 22 minutes after
    // midnight; the reference row's 21 April 23:46 comes from a less precise source.
    {ChartBody::Jupiter,
     139,
     {"1900-03-27", "1900-07-29"},
     {"2050-12-21", "2051-04-22"},
     {"1979-12-26", "1980-04-26"},
     116,
     124},
    {ChartBody::Saturn,
     146,
     {"1900-04-14", "1900-09-02"},
     {"2050-05-18", "2050-10-06"},
     {"1980-01-06", "1980-05-22"},
     133,
     141},
};

void PrintTo(const PlanetCase& c, std::ostream* os) { *os << NameOf(c.planet); }

class StationTableTest : public ::testing::TestWithParam<PlanetCase> {};

TEST_P(StationTableTest, HoldsExactlyThePairsOf1900To2050) {
    const PlanetCase& c = GetParam();
    EXPECT_EQ(StationTable(c.planet).size(), c.pairs);
}

TEST_P(StationTableTest, ReferencePairsFallOnTheSameDates) {
    const PlanetCase& c = GetParam();
    const auto table = StationTable(c.planet);
    ASSERT_FALSE(table.empty());
    EXPECT_EQ(DateText(table.front().retrograde), c.first.retrograde);
    EXPECT_EQ(DateText(table.front().direct), c.first.direct);
    EXPECT_EQ(DateText(table.back().retrograde), c.last.retrograde);
    EXPECT_EQ(DateText(table.back().direct), c.last.direct);

    int found = 0;
    for (const StationPair& pair : table) {
        if (DateText(pair.retrograde) == c.early1980.retrograde) {
            ++found;
            EXPECT_EQ(DateText(pair.direct), c.early1980.direct);
        }
    }
    EXPECT_EQ(found, 1) << "station-retrograde date " << c.early1980.retrograde;
}

// Every moment is a real UT date and time of day, and every pair starts in 1900..2050.
TEST_P(StationTableTest, MomentsAreRealUtMoments) {
    for (const StationPair& pair : StationTable(GetParam().planet)) {
        for (const StationMoment& m : {pair.retrograde, pair.direct}) {
            EXPECT_TRUE((std::chrono::year{m.year} / m.month / m.day).ok()) << MomentText(m);
            EXPECT_GE(m.hour, 0) << MomentText(m);
            EXPECT_LE(m.hour, 23) << MomentText(m);
            EXPECT_GE(m.minute, 0) << MomentText(m);
            EXPECT_LE(m.minute, 59) << MomentText(m);
        }
        EXPECT_GE(pair.retrograde.year, 1900) << MomentText(pair.retrograde);
        EXPECT_LE(pair.retrograde.year, 2050) << MomentText(pair.retrograde);
    }
}

// Retrograde and direct stations strictly alternate, and each loop lasts as long as the planet's
// retrograde loops can.
TEST_P(StationTableTest, StationsAlternateWithPlausibleSpans) {
    const PlanetCase& c = GetParam();
    long long previousDirect = std::numeric_limits<long long>::min();
    for (const StationPair& pair : StationTable(c.planet)) {
        const long long r = MinutesOf(pair.retrograde);
        const long long d = MinutesOf(pair.direct);
        const std::string span = MomentText(pair.retrograde) + " to " + MomentText(pair.direct);
        EXPECT_LT(previousDirect, r) << span;
        EXPECT_LT(r, d) << span;
        const long long spanDays = (d - r) / 1440;
        EXPECT_GE(spanDays, c.minSpanDays) << span;
        EXPECT_LE(spanDays, c.maxSpanDays) << span;
        previousDirect = d;
    }
}

INSTANTIATE_TEST_SUITE_P(Planets, StationTableTest, ::testing::ValuesIn(kPlanetCases),
                         [](const auto& info) { return std::string(NameOf(info.param.planet)); });

// Mercury to Saturn have tables; every other body, the modern ones and values outside the
// enumeration included, has none.
TEST(StationTableBodies, OnlyMercuryToSaturn) {
    for (int k = 0; k < kPreciseBodyCount; ++k) {
        const auto body = static_cast<ChartBody>(k);
        EXPECT_EQ(StationTable(body).empty(), !CanBeRetrograde(body)) << NameOf(body);
    }
    for (int k : {-1, kPreciseBodyCount, 99}) {
        EXPECT_TRUE(StationTable(static_cast<ChartBody>(k)).empty()) << k;
    }
}

}  // namespace
}  // namespace velloran
