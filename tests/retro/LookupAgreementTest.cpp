// The binary search of IsRetrograde against the literal rule: scan every pair in table order and
// stop at the first whose station-retrograde date lies before and whose station-direct date lies
// after the birth date. Every date from 1899-12-01 to 2051-06-30, all five planets.

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "StationTestSupport.h"
#include "retro/Retrogrades.h"

namespace velloran {
namespace {

using std::chrono::days;
using std::chrono::sys_days;

struct ParsedPair {
    sys_days retrograde;
    sys_days direct;
};

std::vector<ParsedPair> ParsedTable(ChartBody planet) {
    std::vector<ParsedPair> pairs;
    for (const StationPair& pair : StationTable(planet)) {
        pairs.push_back({testing::DateOf(pair.retrograde), testing::DateOf(pair.direct)});
    }
    return pairs;
}

bool LinearScan(const std::vector<ParsedPair>& pairs, sys_days birth) {
    for (const ParsedPair& pair : pairs) {
        const auto dR = (pair.retrograde - birth).count();
        const auto dD = (pair.direct - birth).count();
        if (dR < 0 && dD > 0) {
            return true;
        }
    }
    return false;
}

class LookupAgreementTest : public ::testing::TestWithParam<ChartBody> {};

TEST_P(LookupAgreementTest, BinarySearchMatchesLinearScanOnEveryDate) {
    const ChartBody planet = GetParam();
    const std::vector<ParsedPair> pairs = ParsedTable(planet);
    ASSERT_FALSE(pairs.empty());

    long long expectedMarkedDays = 0;
    for (const ParsedPair& pair : pairs) {
        expectedMarkedDays += (pair.direct - pair.retrograde).count() - 1;
    }

    const sys_days first = std::chrono::year{1899} / 12 / 1;
    const sys_days last = std::chrono::year{2051} / 6 / 30;
    long long markedDays = 0;
    int mismatches = 0;
    for (sys_days date = first; date <= last; date += days{1}) {
        const std::chrono::year_month_day ymd{date};
        const bool fast = IsRetrograde(planet, int(ymd.year()), int(unsigned(ymd.month())),
                                       int(unsigned(ymd.day())));
        const bool literal = LinearScan(pairs, date);
        if (fast != literal && ++mismatches <= 10) {
            ADD_FAILURE() << testing::NameOf(planet) << ' ' << int(ymd.year()) << '-'
                          << unsigned(ymd.month()) << '-' << unsigned(ymd.day())
                          << ": binary search " << fast << ", linear scan " << literal;
        }
        markedDays += literal ? 1 : 0;
    }
    EXPECT_EQ(mismatches, 0);
    // Every date strictly inside a pair is marked, and no other.
    EXPECT_EQ(markedDays, expectedMarkedDays);
}

INSTANTIATE_TEST_SUITE_P(Planets, LookupAgreementTest, ::testing::ValuesIn(testing::kTablePlanets),
                         [](const auto& info) { return std::string(testing::NameOf(info.param)); });

}  // namespace
}  // namespace velloran
