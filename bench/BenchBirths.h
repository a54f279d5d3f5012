#pragma once
// A fixed spread of births across the form's years 1905..2050, in the three shapes the
// benchmarks need: the engine's input, the birth-data form, and Swiss Ephemeris inputs.

#include <vector>

#include "domain/BirthData.h"
#include "input/FormInput.h"

namespace velloran::bench {

struct BenchBirth {
    BirthInput input;   // the birth and its zone as a calculation takes them
    FormInput form;     // the same birth as the form holds it
    double jdUt = 0.0;  // Julian day (UT) of the birth moment
    double latNorth = 0.0;
    double lonEast = 0.0;
};

// count births from a fixed seed: every run measures the same dates.
std::vector<BenchBirth> MakeBenchBirths(int count);

}  // namespace velloran::bench
