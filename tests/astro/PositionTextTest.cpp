// The long and compact position texts and the decimal texts of draconic longitudes.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "astro/Engine.h"
#include "astro/PositionTextInternal.h"
#include "astro/TimeScales.h"

namespace velloran {
namespace {

struct LongFormCase {
    const char* name;
    double longitude;
    const char* text;
};

class FormatSignPositionTest : public ::testing::TestWithParam<LongFormCase> {};

TEST_P(FormatSignPositionTest, TruncatesIntoSignDegreesMinutesSeconds) {
    EXPECT_EQ(FormatSignPosition(GetParam().longitude), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Longitudes, FormatSignPositionTest,
    ::testing::Values(LongFormCase{"twelve_point_one_truncates", 12.1, "12\u00b0 5' 59\" Ari"},
                      LongFormCase{"seconds_never_reach_sixty", 359.99999, "29\u00b0 59' 59\" Pis"},
                      LongFormCase{"negative_uses_magnitude", -0.5, "0\u00b0 30' 0\" Ari"},
                      LongFormCase{"full_circle_has_no_sign", 360.0, "0\u00b0 0' 0\" "},
                      LongFormCase{"zero", 0.0, "0\u00b0 0' 0\" Ari"},
                      LongFormCase{"sign_boundary", 30.0, "0\u00b0 0' 0\" Tau"},
                      LongFormCase{"worked_moon", 265.1770840773097, "25\u00b0 10' 37\" Sag"},
                      LongFormCase{"worked_ascendant", 4.7771286193848015, "4\u00b0 46' 37\" Ari"},
                      LongFormCase{"beyond_two_turns", 725.5, "5\u00b0 30' 0\" "}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FormatSignPosition, NonFiniteGivesEmptyText) {
    EXPECT_EQ(FormatSignPosition(std::numeric_limits<double>::quiet_NaN()), "");
    EXPECT_EQ(FormatSignPosition(std::numeric_limits<double>::infinity()), "");
}

TEST(FormatSignPosition, HugeValueEndsWithoutSign) {
    const std::string text = FormatSignPosition(1e300);
    ASSERT_GE(text.size(), 2u);
    EXPECT_EQ(text.substr(text.size() - 2), "\" ");
}

struct CompactCase {
    const char* name;
    const char* longForm;
    const char* compact;
};

class CompactSignPositionTest : public ::testing::TestWithParam<CompactCase> {};

TEST_P(CompactSignPositionTest, KeepsDegreesSignAndMinutes) {
    const CompactCase& c = GetParam();
    std::string compact = "untouched";
    EXPECT_TRUE(TryCompactSignPosition(c.longForm, &compact));
    EXPECT_EQ(compact, c.compact);
    EXPECT_EQ(CompactSignPosition(c.longForm), c.compact);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, CompactSignPositionTest,
    ::testing::Values(CompactCase{"one_digit_degrees", "5\u00b0 7' 42\" Ari", "05 Ari 07"},
                      CompactCase{"two_digit_degrees", "15\u00b0 37' 46\" Vir", "15 Vir 37"},
                      CompactCase{"zeros", "0\u00b0 0' 0\" Ari", "00 Ari 00"},
                      CompactCase{"leading_blanks", "  29\u00b0 59' 59\" Pis", "29 Pis 59"},
                      // The sign is taken from the untrimmed text's last three characters.
                      CompactCase{"trailing_blanks", "29\u00b0 59' 59\" Pis  ", "29 s 59"},
                      // Exactly 360: the last three characters are the seconds' tail.
                      CompactCase{"full_circle", "0\u00b0 0' 0\" ", "00 0\" 00"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CompactSignPosition, TextWithoutDegreeSignOrApostropheIsAFault) {
    for (const char* bad : {"", "12 Ari", "12\u00b0 30 Ari", "5' 7\u00b0 Ari"}) {
        std::string compact = "untouched";
        EXPECT_FALSE(TryCompactSignPosition(bad, &compact)) << bad;
        EXPECT_EQ(compact, "untouched");
        EXPECT_EQ(CompactSignPosition(bad), "");
    }
}

// Every long form that FormatSignPosition makes compacts to the degrees and minutes it holds.
TEST(CompactSignPosition, AgreesWithLongFormOverTheCircle) {
    for (double x = 0.0; x < 360.0; x += 0.0137) {
        const std::string compact = CompactSignPosition(FormatSignPosition(x));
        const int degrees = static_cast<int>(std::floor(x));
        const int minutes = static_cast<int>(std::floor(60.0 * (x - std::floor(x))));
        char expected[16];
        std::snprintf(expected, sizeof expected, "%02d %.3s %02d", degrees % 30,
                      &"AriTauGemCanLeoVirLibScoSagCapAquPis"[3 * (degrees / 30)], minutes);
        ASSERT_EQ(compact, expected) << x;
    }
}

// The compact form made directly is the one cut from the long form, over the circle, beyond it
// and below zero.
TEST(CompactPosition, EqualsTheFormCutFromTheLongForm) {
    std::vector<double> values = {0.0,   29.999999, 30.0, 359.9999, 360.0,
                                  360.5, 725.25,    -0.5, -359.75,  1e-12};
    for (double x = -1.0; x < 361.0; x += 0.0137) values.push_back(x);
    for (const double x : values)
        EXPECT_EQ(CompactPosition(x), CompactSignPosition(FormatSignPosition(x))) << x;
    EXPECT_EQ(CompactPosition(std::nan("")), "");
    EXPECT_EQ(CompactPosition(304.5), "04 Aqu 30");
}

struct RoundingCase {
    const char* name;
    double value;
    const char* decimal;  // the value at 15 significant digits
};

class RoundToFifteenDigitsTest : public ::testing::TestWithParam<RoundingCase> {};

TEST_P(RoundToFifteenDigitsTest, IsTheNearestDoubleToTheFifteenDigitDecimal) {
    EXPECT_EQ(RoundToFifteenDigits(GetParam().value), std::strtod(GetParam().decimal, nullptr));
}

INSTANTIATE_TEST_SUITE_P(
    Values, RoundToFifteenDigitsTest,
    ::testing::Values(RoundingCase{"worked_sun", 294.92709826482417, "294.927098264824"},
                      RoundingCase{"worked_node", 150.20094031135298, "150.200940311353"},
                      RoundingCase{"whole", 180.0, "180"}, RoundingCase{"zero", 0.0, "0"},
                      RoundingCase{"negative_node", -0.5, "-0.5"},
                      RoundingCase{"third", 1.0 / 3.0, "0.333333333333333"},
                      RoundingCase{"rounds_up_a_decade", 9.999999999999998, "10"},
                      RoundingCase{"just_below_full_circle", 359.99999999999997, "360"},
                      RoundingCase{"tiny", 1e-20, "0.00000000000000000001"},
                      RoundingCase{"tiny_digits", 1.23456789012345678e-5, "0.0000123456789012346"},
                      RoundingCase{"large", 123456789012345678.0, "123456789012346000"},
                      RoundingCase{"fifteen_digits_whole", 999999999999999.0, "999999999999999"}),
    [](const auto& info) { return std::string(info.param.name); });

// printf's correctly rounded 15-digit form, read back by strtod, over the circle and across
// magnitudes; once rounded a value stays as it is.
TEST(RoundToFifteenDigits, AgreesWithPrintfAndIsStable) {
    std::vector<double> values = {
        1e-4, 9.99999999999999e-5, 1e-5, -3e-7, 123456789012345.0, 99999999999999.95, 1e14, 5e-324};
    for (double x = -1.0; x < 360.0; x += 0.0123456789) values.push_back(x);
    for (int e = -30; e <= 14; ++e) {
        values.push_back(1.234567890123456789 * std::pow(10.0, e));
        values.push_back(-9.999999999999999 * std::pow(10.0, e));
    }
    for (const double x : values) {
        char text[64];
        std::snprintf(text, sizeof text, "%.14e", x);
        const double rounded = RoundToFifteenDigits(x);
        EXPECT_EQ(rounded, std::strtod(text, nullptr)) << text;
        EXPECT_EQ(RoundToFifteenDigits(rounded), rounded) << text;
    }
    EXPECT_TRUE(std::isnan(RoundToFifteenDigits(std::nan(""))));
    EXPECT_TRUE(std::isinf(RoundToFifteenDigits(std::numeric_limits<double>::infinity())));
}

}  // namespace
}  // namespace velloran
