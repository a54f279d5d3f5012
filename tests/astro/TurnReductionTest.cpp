// The one-step turn reductions against the literal loops they replace, bit for bit.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "AstroTestSupport.h"
#include "astro/TurnReduction.h"

namespace velloran {
namespace {

using testing::SameBits;

double LiteralAddWhileNegative(double x) {
    while (x < 0.0) x += 360.0;
    return x;
}
double LiteralSubtractWhileAbove(double x) {
    while (x > 360.0) x -= 360.0;
    return x;
}
double LiteralSubtractWhileAtLeast(double x) {
    while (x >= 360.0) x -= 360.0;
    return x;
}

// Values where a reduction could go wrong: every side of many multiples of 360, tiny and
// subnormal magnitudes, the values the engine meets (the Moon's mean longitude runs to several
// hundred thousand degrees) and some far beyond, both signs.
std::vector<double> ProbeValues() {
    std::vector<double> values = {0.0,
                                  -0.0,
                                  360.0,
                                  -360.0,
                                  720.0,
                                  -720.0,
                                  180.0,
                                  -180.0,
                                  1e-300,
                                  -1e-300,
                                  4.9e-324,
                                  -4.9e-324,
                                  1e-17,
                                  -1e-17,
                                  -1e-20,
                                  359.99999999999994,
                                  360.00000000000006,
                                  1e9,
                                  -1e9,
                                  987654321.123,
                                  -987654321.123,
                                  4.6e5,
                                  -4.6e5};
    for (int k = -3000; k <= 3000; k += 7) {
        const double base = 360.0 * k;
        double up = base, down = base;
        for (int step = 0; step < 3; ++step) {
            values.push_back(up);
            values.push_back(down);
            up = std::nextafter(up, std::numeric_limits<double>::infinity());
            down = std::nextafter(down, -std::numeric_limits<double>::infinity());
        }
        values.push_back(base + 180.0);
        values.push_back(base - 1e-9);
    }
    std::mt19937_64 generator(20240611);  // fixed seed: the same values every run
    std::uniform_real_distribution<double> wide(-1e6, 1e6);
    std::uniform_real_distribution<double> narrow(-800.0, 800.0);
    std::uniform_real_distribution<double> exponent(-40.0, 26.0);
    for (int i = 0; i < 20000; ++i) {
        values.push_back(wide(generator));
        values.push_back(narrow(generator));
        const double magnitude = std::exp2(exponent(generator));
        values.push_back(i % 2 == 0 ? magnitude : -magnitude);
    }
    return values;
}

TEST(TurnReduction, EqualsTheLiteralLoopsBitForBit) {
    int mismatches = 0;
    for (const double x : ProbeValues()) {
        const bool a = SameBits(AddTurnsWhileNegative(x), LiteralAddWhileNegative(x));
        const bool b = SameBits(SubtractTurnsWhileAbove360(x), LiteralSubtractWhileAbove(x));
        const bool c = SameBits(SubtractTurnsWhileAtLeast360(x), LiteralSubtractWhileAtLeast(x));
        EXPECT_TRUE(a && b && c) << "x = " << x;
        mismatches += (a && b && c) ? 0 : 1;
        if (mismatches > 20) break;
    }
}

TEST(TurnReduction, KeepsTheLoopBoundaries) {
    EXPECT_EQ(SubtractTurnsWhileAbove360(360.0), 360.0);  // "while > 360": 360 stays
    EXPECT_EQ(SubtractTurnsWhileAtLeast360(360.0), 0.0);  // "while >= 360"
    EXPECT_EQ(AddTurnsWhileNegative(-360.0), 0.0);
    EXPECT_EQ(AddTurnsWhileNegative(-1e-20), 360.0);  // the crossing step rounds up to 360
    EXPECT_EQ(SubtractTurnsWhileAbove360(720.0), 360.0);
    EXPECT_EQ(SubtractTurnsWhileAtLeast360(-5.0), -5.0);  // negatives are not corrected
    EXPECT_TRUE(std::signbit(AddTurnsWhileNegative(-0.0)));
}

TEST(TurnReduction, AbsurdMagnitudesGiveNaNWithoutLooping) {
    const double inf = std::numeric_limits<double>::infinity();
    for (const double x : {inf, -inf, 1e300, -1e300, 1e20, -1e20, kTurnReductionLimit}) {
        const bool reducesUp = x < 0.0;
        if (reducesUp) {
            EXPECT_TRUE(std::isnan(AddTurnsWhileNegative(x))) << x;
        } else {
            EXPECT_TRUE(std::isnan(SubtractTurnsWhileAbove360(x))) << x;
            EXPECT_TRUE(std::isnan(SubtractTurnsWhileAtLeast360(x))) << x;
        }
    }
    EXPECT_TRUE(std::isnan(AddTurnsWhileNegative(std::numeric_limits<double>::quiet_NaN())));
    // Just below the limit the result is still the exact remainder.
    const double big = std::nextafter(kTurnReductionLimit, 0.0);
    EXPECT_EQ(SubtractTurnsWhileAtLeast360(big), std::fmod(big, 360.0));
    EXPECT_EQ(AddTurnsWhileNegative(-big), 360.0 - std::fmod(big, 360.0));
}

}  // namespace
}  // namespace velloran
