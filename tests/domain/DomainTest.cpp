// The base layer's sign of a longitude (which must name the sign the position text names) and
// its UTF-8 helpers.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

#include "domain/Bodies.h"
#include "domain/SignPosition.h"
#include "domain/Text.h"
#include "domain/ZoneTable.h"
#include "support/ZoneList.h"

namespace velloran {
namespace {

struct SignCase {
    const char* rowName;
    double longitude;
    int sign;
};

const SignCase kSignCases[] = {
    {"zero_aries", 0.0, 0},
    {"last_second_of_aries", 29.9999999, 0},
    {"first_of_taurus", 30.0, 1},
    {"last_of_pisces", 359.9999999, 11},
    {"full_turn_names_no_sign", 360.0, -1},
    {"beyond_a_turn_names_no_sign", 725.0, -1},
    {"negative_counts_its_magnitude", -45.0, 1},
    {"not_a_number", std::numeric_limits<double>::quiet_NaN(), -1},
    {"infinity", std::numeric_limits<double>::infinity(), -1},
};

class SignOfLongitudeTest : public ::testing::TestWithParam<SignCase> {};

TEST_P(SignOfLongitudeTest, NamesTheSignOfThePositionText) {
    EXPECT_EQ(SignOfLongitude(GetParam().longitude), GetParam().sign);
}

INSTANTIATE_TEST_SUITE_P(Longitudes, SignOfLongitudeTest, ::testing::ValuesIn(kSignCases),
                         [](const auto& info) { return std::string(info.param.rowName); });

TEST(SplitSignPosition, DegreesMinutesSecondsTruncatedWithinTheSign) {
    const SignParts parts = SplitSignPosition(45.0 + 30.0 / 60.0 + 59.9 / 3600.0);
    EXPECT_EQ(parts.degrees, 15);
    EXPECT_EQ(parts.minutes, 30);
    EXPECT_EQ(parts.seconds, 59);
    EXPECT_EQ(parts.sign, 1.0);
}

TEST(CanBeRetrograde, OnlyMercuryToSaturn) {
    for (int k = 0; k < kBodyCount; ++k) {
        const auto body = static_cast<ChartBody>(k);
        EXPECT_EQ(CanBeRetrograde(body), k >= 2 && k <= 6) << kBodyNames[k];
    }
}

TEST(Utf8Helpers, CountAndCutWholeCharacters) {
    const std::string text = "12\xC2\xB0 5' Ari";  // the degree sign takes two bytes
    EXPECT_EQ(CharacterCount(text), 10u);
    EXPECT_EQ(LastCharacters(text, 3), "Ari");
    EXPECT_EQ(LastCharacters("\xC2\xB0x", 2), "\xC2\xB0x");
    EXPECT_EQ(LastCharacters("ab", 5), "ab");
    EXPECT_EQ(TrimBlanks("  a b  "), "a b");
    EXPECT_EQ(TrimBlanks("   "), "");
}

}  // namespace
}  // namespace velloran

namespace velloran {
namespace {

// A zone row's values against its label, whose blanks and signs vary from row to row.
struct ZoneRowCase {
    const char* rowName;
    std::string_view label;
    std::string_view name;
    std::string_view abbreviation;
    int offsetSeconds;
};

constexpr ZoneRowCase kZoneRowCases[] = {
    {"eastern_standard", "Eastern Standard Time,EST,-5.0", "Eastern Standard Time", "EST", -18000},
    {"blanks_after_commas", "Azores Time, AT, -2.0", "Azores Time", "AT", -7200},
    {"half_hour_east", "Indian Time, IST, +5.3", "Indian Time", "IST", 19800},
    {"half_hour_central_australia", "Australian Central Standard Time,ACST,+9.5",
     "Australian Central Standard Time", "ACST", 34200},
    {"greenwich", "Greenwich Mean Time,GMT,0.0", "Greenwich Mean Time", "GMT", 0},
};

class ZoneRowTest : public ::testing::TestWithParam<ZoneRowCase> {};

TEST_P(ZoneRowTest, NameAbbreviationAndOffsetAreTheLabels) {
    const ZoneRowCase& c = GetParam();
    int index = -1;
    for (int z = 0; z < kZoneCount; ++z) {
        if (TimeZones().ZoneLabels[z] == c.label) index = z;
    }
    ASSERT_GE(index, 0) << c.label;
    const ZoneRowValues row = ZoneRowAt(index);
    EXPECT_EQ(row.name, c.name);
    EXPECT_EQ(row.abbreviation, c.abbreviation);
    EXPECT_EQ(row.offsetSeconds, c.offsetSeconds);
}

INSTANTIATE_TEST_SUITE_P(Rows, ZoneRowTest, ::testing::ValuesIn(kZoneRowCases),
                         [](const auto& info) { return std::string(info.param.rowName); });

// Every row's offset against the list written out by hand from the labels.
TEST(ZoneRowAt, EveryRowHasTheOffsetItsLabelShows) {
    for (int z = 0; z < kZoneCount; ++z) {
        SCOPED_TRACE(z);
        const test::ListedZone& listed = test::kZoneList[static_cast<std::size_t>(z)];
        ASSERT_EQ(TimeZones().ZoneLabels[z], listed.label);
        EXPECT_EQ(ZoneRowAt(z).offsetSeconds, listed.minutesEast * 60);
    }
}

TEST(ZoneRowAt, EveryRowHasANameAnAbbreviationAndAnOffsetWithinFourteenHours) {
    for (int z = 0; z < kZoneCount; ++z) {
        const ZoneRowValues row = ZoneRowAt(z);
        EXPECT_FALSE(row.name.empty()) << z;
        EXPECT_FALSE(row.abbreviation.empty()) << z;
        EXPECT_EQ(row.abbreviation.find(' '), std::string_view::npos) << z;
        EXPECT_LE(std::abs(row.offsetSeconds), 14 * 3600) << z;
    }
}

}  // namespace
}  // namespace velloran
