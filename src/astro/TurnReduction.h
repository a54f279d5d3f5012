#pragma once
// Whole-turn reductions of angles in degrees that give the same result, bit for bit, as the
// literal loops that add or subtract 360 one turn at a time, without spending one step per turn.
//
// Why one step is enough: while a loop moves x towards zero, each intermediate x - 360k (or
// x + 360k) is a multiple of ulp(x) no larger in magnitude than x, hence exactly representable,
// provided ulp(x) divides 360 (|x| < 2^55 keeps a margin). So x -/+ 360n can be formed at once;
// only a last step that crosses zero (x < 0 becoming positive) rounds, and it is done as the
// ordinary addition. Non-finite x and |x| >= 2^55 (near where the literal loop would not end) give
// NaN.

namespace velloran {

// Magnitude from which a turn reduction gives up (the literal loop would never finish).
inline constexpr double kTurnReductionLimit = 36028797018963968.0;  // 2^55

// while (x < 0) x += 360;
double AddTurnsWhileNegative(double x);
// while (x > 360) x -= 360;  (360 itself stays 360)
double SubtractTurnsWhileAbove360(double x);
// while (x >= 360) x -= 360;
double SubtractTurnsWhileAtLeast360(double x);

}  // namespace velloran
