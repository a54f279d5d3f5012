#pragma once
// The bare Swiss Ephemeris calls one chart needs, shared by the engine's and the precise
// positions' benchmarks: every body with its speed from the data files, then the houses for the
// ascendant.

#include <cstddef>
#include <initializer_list>

#include "BenchBirths.h"
#include "swephexp.h"

namespace velloran::bench {

// Longitudes of bodies into out[0..n-1] and the ascendant of houseSystem into out[n]. False when
// any body did not come from the data files.
inline bool SwissCalls(const BenchBirth& b, std::initializer_list<int> bodies, int houseSystem,
                       double* out) {
    constexpr int32 kFlags = SEFLG_SWIEPH | SEFLG_SPEED;
    char error[AS_MAXCH];
    double xx[6];
    bool fromFiles = true;
    std::size_t k = 0;
    for (const int body : bodies) {
        const int32 used = swe_calc_ut(b.jdUt, body, kFlags, xx, error);
        fromFiles = fromFiles && used >= 0 && (used & SEFLG_SWIEPH) != 0;
        out[k++] = xx[0];
    }
    double cusps[13], ascmc[10];
    swe_houses_ex(b.jdUt, 0, b.latNorth, b.lonEast, houseSystem, cusps, ascmc);
    out[k] = ascmc[0];
    return fromFiles;
}

}  // namespace velloran::bench
