#include "astro/TurnReduction.h"

#include <cmath>
#include <limits>

namespace velloran {

namespace {

constexpr double kTurn = 360.0;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
// The count is found from a quotient and corrected by at most a step or two; this bounds the
// correction so that no input can make it loop.
constexpr int kMaxCorrections = 8;

}  // namespace

double AddTurnsWhileNegative(double x) {
    if (!(x < 0.0)) return x;  // also NaN, which the literal loop leaves alone
    if (!(x > -kTurnReductionLimit)) return kNaN;
    // m: the number of exact steps, those after which x + 360m is still negative.
    double m = std::floor(-x / kTurn);
    for (int i = 0; i < kMaxCorrections; ++i) {
        if (m < 0.0) m = 0.0;
        const double y = x + kTurn * m;  // exact whenever it is negative
        if (y >= 0.0) {
            m -= 1.0;
            continue;
        }
        const double z = y + kTurn;  // the loop's last step, rounded as the loop rounds it
        if (z < 0.0) {
            m += 1.0;
            continue;
        }
        return z;
    }
    return kNaN;
}

double SubtractTurnsWhileAbove360(double x) {
    if (!(x > kTurn)) return x;
    if (!(x < kTurnReductionLimit)) return kNaN;
    double m = std::ceil(x / kTurn) - 1.0;
    for (int i = 0; i < kMaxCorrections; ++i) {
        if (m < 1.0) m = 1.0;
        const double y = x - kTurn * m;  // exact whenever it is positive
        if (y <= 0.0) {
            m -= 1.0;
        } else if (y > kTurn) {
            m += 1.0;
        } else {
            return y;
        }
    }
    return kNaN;
}

double SubtractTurnsWhileAtLeast360(double x) {
    if (!(x >= kTurn)) return x;
    if (!(x < kTurnReductionLimit)) return kNaN;
    double m = std::floor(x / kTurn);
    for (int i = 0; i < kMaxCorrections; ++i) {
        if (m < 1.0) m = 1.0;
        const double y = x - kTurn * m;  // exact whenever it is not negative
        if (y < 0.0) {
            m -= 1.0;
        } else if (y >= kTurn) {
            m += 1.0;
        } else {
            return y;
        }
    }
    return kNaN;
}

}  // namespace velloran
