#pragma once
// The state of the current reading: what the passes read and write (PassState), the draconic
// fill's results and the file name shared by the save and the export. One value of this type is
// the whole reading; core functions take it by reference.

#include <array>
#include <string>

#include "astro/PassState.h"
#include "domain/Bodies.h"
#include "domain/Chart.h"
#include "domain/PositionsChoice.h"

namespace velloran {

struct ReadingState : PassState {
    // Draconic longitudes measured from the North Node by the draconic fill, degrees [0, 360).
    std::array<double, kMaxBodyCount> DraconicLongitudes{};

    // The charts as values, computed by the natal and the draconic fill.
    Chart NatalChart;
    Chart DraconicChart;

    // House texts of both charts: 0..11 draconic houses 1..12, 12..23 natal houses 1..12.
    std::array<std::string, 24> WheelHouseTexts;

    // The positions the reading was computed with, and for precise positions the ephemeris's
    // note when its files could not be found (empty otherwise).
    PositionsChoice Positions;
    std::string PositionsNote;

    std::string LastFileName;  // shared by the reading save and the text export
};

}  // namespace velloran
