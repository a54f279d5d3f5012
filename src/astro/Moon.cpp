// The Moon's geocentric ecliptic longitude (mean equinox of date) from the 25 largest terms of
// the abridged ELP-2000/82 longitude series; no nutation, light-time or parallax.

#include <cmath>
#include <limits>

#include "astro/Engine.h"
#include "astro/TimeScales.h"
#include "astro/TurnReduction.h"
#include "domain/SignPosition.h"

namespace velloran {

namespace {

// One periodic term: multiples of D, M, M', F and the coefficient in degrees.
struct LunarTerm {
    int d, m, mp, f;
    double coefficient;
    bool timesE;
};

// clang-format off
constexpr LunarTerm kLongitudeTerms[25] = {
    {0,  0,  1,  0,  6.288774, false},
    {2,  0, -1,  0,  1.274027, false},
    {2,  0,  0,  0,  0.658314, false},
    {0,  0,  2,  0,  0.213618, false},
    {0,  1,  0,  0, -0.185116, true},
    {0,  0,  0,  2, -0.114332, false},
    {2,  0, -2,  0,  0.058793, false},
    {2, -1, -1,  0,  0.057066, true},
    {2,  0,  1,  0,  0.053322, false},
    {2, -1,  0,  0,  0.045758, true},
    {0,  1, -1,  0, -0.040923, true},
    {1,  0,  0,  0, -0.034720, false},
    {0,  1,  1,  0, -0.030383, true},
    {2,  0,  0, -2,  0.015327, false},
    {0,  0,  1,  2, -0.012528, false},
    {0,  0,  1, -2,  0.010980, false},
    {4,  0, -1,  0,  0.010675, false},
    {0,  0,  3,  0,  0.010034, false},
    {4,  0, -2,  0,  0.008548, false},
    {2,  1, -1,  0, -0.007888, true},
    {2,  1,  0,  0, -0.006766, true},
    {1,  0, -1,  0, -0.005163, false},
    {1,  1,  0,  0,  0.004987, true},
    {2, -1,  1,  0,  0.004036, true},
    {2,  0,  2,  0,  0.003994, false},
};
// clang-format on

// d·D + m·M + m'·M' + f·F, summed left to right.
double TermArgument(const LunarTerm& term, double D, double M, double Mp, double F) {
    return term.d * D + term.m * M + term.mp * Mp + term.f * F;
}

}  // namespace

double MoonLongitudeAt(double j0, double utHours) {
    // Julian centuries from J2000.0 in universal time (no correction to dynamical time).
    const double T = (j0 - 2451545.0 + utHours / 24.0 - 0.5) / 36525.0;
    const double meanLongitude = 218.3164591 + 481267.88134236 * T;  // degrees, unreduced
    const double D = (297.8502042 + 445267.1115168 * T) * kDegToRad;
    const double M = (357.5291092 + 35999.0502909 * T) * kDegToRad;
    const double Mp = (134.9634114 + 477198.8676313 * T) * kDegToRad;
    const double F = (93.2720993 + 483202.0175273 * T) * kDegToRad;
    const double E = 1.0 - 0.002516 * T - 0.0000074 * (T * T);

    double sum = 0.0;  // degrees
    for (const LunarTerm& term : kLongitudeTerms) {
        const double coefficient = term.timesE ? term.coefficient * E : term.coefficient;
        sum += coefficient * std::sin(TermArgument(term, D, M, Mp, F));
    }
    double lambda = meanLongitude + sum;
    if (!std::isfinite(lambda)) return std::numeric_limits<double>::quiet_NaN();
    lambda = AddTurnsWhileNegative(lambda);
    lambda = SubtractTurnsWhileAbove360(lambda);
    return lambda;  // [0, 360]; NaN when beyond any reduction
}

}  // namespace velloran
