#pragma once
// The trigonometry of one natal pass, gathered per birth so that a benchmark can evaluate just
// those calls: the Moon's 25 sines, the ascendant's sines, cosines, tangent and arc tangent, and
// per Kepler solution its sine-cosine pairs, tangent and arc tangent, with the same arguments
// the pass uses (its angle arithmetic is repeated here, outside any timed loop).

#include <vector>

#include "BenchBirths.h"

namespace velloran::bench {

struct TrigCalls {
    std::vector<double> sinArgs, cosArgs, tanArgs, atanArgs;
    std::vector<double> sinCosArgs;  // sine and cosine of the same angle, one sincos call
    int Evaluations() const {
        return static_cast<int>(sinArgs.size() + cosArgs.size() + tanArgs.size() + atanArgs.size() +
                                2 * sinCosArgs.size());
    }
};

// earthPerBody repeats the Earth's Kepler solution and position for every body, as the formulas
// are written (the engine solves it once per pass).
TrigCalls NatalPassTrig(const BenchBirth& birth, bool earthPerBody = false);

}  // namespace velloran::bench
