// The date rule of the lookup and the flags of a birth date.

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <ostream>
#include <string>

#include "retro/Retrogrades.h"

namespace velloran {

namespace {

struct DateCase {
    const char* name;
    ChartBody planet;
    int year, month, day;
    bool retrograde;
};

// Around the early-1980 pairs (station dates in UT): the station dates themselves are outside.
const DateCase kDateCases[] = {
    {"mercury_day_before_retrograde_date", ChartBody::Mercury, 1980, 2, 25, false},
    {"mercury_on_retrograde_date", ChartBody::Mercury, 1980, 2, 26, false},
    {"mercury_day_after_retrograde_date", ChartBody::Mercury, 1980, 2, 27, true},
    {"mercury_day_before_direct_date", ChartBody::Mercury, 1980, 3, 18, true},
    {"mercury_on_direct_date", ChartBody::Mercury, 1980, 3, 19, false},
    {"venus_on_retrograde_date", ChartBody::Venus, 1980, 5, 24, false},
    {"venus_day_after_retrograde_date", ChartBody::Venus, 1980, 5, 25, true},
    {"venus_day_before_direct_date", ChartBody::Venus, 1980, 7, 5, true},
    {"venus_on_direct_date", ChartBody::Venus, 1980, 7, 6, false},
    {"mars_on_retrograde_date", ChartBody::Mars, 1980, 1, 16, false},
    {"mars_day_after_retrograde_date", ChartBody::Mars, 1980, 1, 17, true},
    {"mars_leap_day", ChartBody::Mars, 1980, 2, 29, true},
    {"mars_day_before_direct_date", ChartBody::Mars, 1980, 4, 5, true},
    {"mars_on_direct_date", ChartBody::Mars, 1980, 4, 6, false},
    {"jupiter_on_retrograde_date", ChartBody::Jupiter, 1979, 12, 26, false},
    {"jupiter_day_after_retrograde_date", ChartBody::Jupiter, 1979, 12, 27, true},
    {"jupiter_across_new_year", ChartBody::Jupiter, 1980, 1, 1, true},
    {"jupiter_day_before_direct_date", ChartBody::Jupiter, 1980, 4, 25, true},
    {"jupiter_on_direct_date", ChartBody::Jupiter, 1980, 4, 26, false},
    {"saturn_on_retrograde_date", ChartBody::Saturn, 1980, 1, 6, false},
    {"saturn_day_after_retrograde_date", ChartBody::Saturn, 1980, 1, 7, true},
    {"saturn_day_before_direct_date", ChartBody::Saturn, 1980, 5, 21, true},
    {"saturn_on_direct_date", ChartBody::Saturn, 1980, 5, 22, false},
    // Coverage ends: the first and last pairs count, nothing outside them does.
    {"mercury_before_first_pair", ChartBody::Mercury, 1900, 1, 1, false},
    {"mercury_inside_first_pair", ChartBody::Mercury, 1900, 3, 16, true},
    {"mercury_inside_last_pair", ChartBody::Mercury, 2050, 12, 20, true},
    {"mercury_on_last_direct_date", ChartBody::Mercury, 2050, 12, 21, false},
    {"jupiter_inside_last_pair_in_2051", ChartBody::Jupiter, 2051, 4, 21, true},
    {"jupiter_on_last_direct_date", ChartBody::Jupiter, 2051, 4, 22, false},
    {"saturn_far_before_tables", ChartBody::Saturn, 1066, 10, 14, false},
    {"saturn_far_after_tables", ChartBody::Saturn, 2200, 6, 1, false},
    // Bodies without a station table are never retrograde here, even inside Mercury's loop.
    {"sun", ChartBody::Sun, 1980, 3, 1, false},
    {"moon", ChartBody::Moon, 1980, 3, 1, false},
    {"north_node", ChartBody::NorthNode, 1980, 3, 1, false},
    {"ascendant", ChartBody::Ascendant, 1980, 3, 1, false},
    {"uranus", ChartBody::Uranus, 1980, 3, 1, false},
    {"chiron", ChartBody::Chiron, 1980, 3, 1, false},
    {"outside_the_enumeration", static_cast<ChartBody>(99), 1980, 3, 1, false},
    // Dates that do not exist are never retrograde.
    {"month_zero", ChartBody::Mercury, 1980, 0, 1, false},
    {"month_thirteen", ChartBody::Mercury, 1980, 13, 1, false},
    {"day_zero", ChartBody::Mercury, 1980, 3, 0, false},
    {"day_99", ChartBody::Mercury, 1980, 3, 99, false},
    {"february_30", ChartBody::Mercury, 1980, 2, 30, false},
    {"february_29_of_common_year", ChartBody::Mercury, 1901, 2, 29, false},
    {"year_minus_5", ChartBody::Mercury, -5, 3, 1, false},
    {"int16_extremes", ChartBody::Mercury, INT16_MIN, INT16_MIN, INT16_MAX, false},
    {"int_extremes", ChartBody::Mercury, INT32_MAX, INT32_MIN, INT32_MAX, false},
};

void PrintTo(const DateCase& c, std::ostream* os) { *os << c.name; }

class IsRetrogradeTest : public ::testing::TestWithParam<DateCase> {};

TEST_P(IsRetrogradeTest, JudgesTheWholeDate) {
    const DateCase& c = GetParam();
    EXPECT_EQ(IsRetrograde(c.planet, c.year, c.month, c.day), c.retrograde);
}

INSTANTIATE_TEST_SUITE_P(Dates, IsRetrogradeTest, ::testing::ValuesIn(kDateCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(RetrogradeBodies, FlagsOnlyPlanetsThatCanBeRetrograde) {
    const std::array<bool, kBodyCount> flags = RetrogradeBodies(1980, 3, 1);
    const std::array<bool, kBodyCount> expected = {false, false, true,  false, true,
                                                   true,  true,  false, false, false};
    EXPECT_EQ(flags, expected);
    for (int k = 0; k < kBodyCount; ++k) {
        if (!CanBeRetrograde(static_cast<ChartBody>(k))) {
            EXPECT_FALSE(flags[k]) << k;
        }
    }
}

}  // namespace
}  // namespace velloran
