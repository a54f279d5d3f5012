// The base layer's sign of a longitude (which must name the sign the position text names) and
// its UTF-8 helpers.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "domain/Bodies.h"
#include "domain/SignPosition.h"
#include "domain/Text.h"

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
