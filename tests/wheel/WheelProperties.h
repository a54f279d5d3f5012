#pragma once
// What every degree wheel's layout must keep, checked on any input: no two text boxes meet, each
// ring is drawn in zodiac order, leaders end at the true degree, and a body with no other near it
// stays on its degree. On wheels with room, every symbol stands in its body's sign (unless the
// body is within 3° of the sign's edge) and within a limit of its degree, and no leader crosses
// another or runs over a symbol.

#include <gtest/gtest.h>

#include <vector>

#include "wheel/WheelLayout.h"

namespace velloran::test {

// The marks of one row of one ring, in zodiac order (ties by body), and the row's separation as
// its boxes give it: 2 r sin(S/2) = D, D the largest box diagonal, r the innermost box centre's
// distance from the wheel's centre.
struct WheelRow {
    std::vector<const WheelBodyMark*> marks;
    double separation = 0.0;  // degrees
};
std::vector<WheelRow> WheelRows(const WheelLayout& layout);

// Forward distance from a to b along the zodiac, [0, 360).
double ForwardDegrees(double a, double b);

testing::AssertionResult CheckWheelLayout(const WheelInput& input, const WheelLayout& layout);

// Every symbol in its body's sign (unless the body is within 3° of the sign's edge) and within
// `limit` degrees of its body's degree; leaders that cross no other and run over no symbol.
testing::AssertionResult CheckWheelLimits(const WheelLayout& layout, double limit);

// How far a symbol may stand from its degree on a wheel of 800 px when the room allows it.
inline constexpr double kSingleWheelLimit = 8.0, kBiWheelLimit = 12.0;

}  // namespace velloran::test
