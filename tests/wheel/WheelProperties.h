#pragma once
// What every degree wheel's layout must keep, checked on any input: no two text boxes meet, each
// row is drawn in zodiac order at least a separation apart, leaders end at the true degree, a
// body no crowd can reach stays where it is, and no body of a cluster of k moves more than
// (k-1)/2 separations.

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

}  // namespace velloran::test
