#pragma once
// Writes the station tables as the C++ source that velloran_retro compiles.

#include <string>
#include <vector>

#include "StationSearch.h"

namespace velloran::stationgen {

struct PlanetTable {
    std::string name;  // "Mercury" .. "Saturn"; the table variable is "k" + name
    std::vector<StationPairMoments> pairs;
};

// The StationMoment initializer of a moment cut to the minute below:
// "{year, month, day, hour, minute}" in UT, plain decimal numbers.
std::string StationMomentInitializer(UtSeconds t);

// The whole source file text of src/retro/StationTables.cpp.
std::string StationTablesSource(const std::vector<PlanetTable>& tables);

}  // namespace velloran::stationgen
