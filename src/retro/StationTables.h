#pragma once
// The generated station tables (StationTables.cpp, written by tools/stationgen), one per planet,
// in chronological order, as constant StationPair arrays. Reach them through StationTable() in
// Retrogrades.h.

#include <span>

#include "retro/Retrogrades.h"

namespace velloran::stationdata {

extern const std::span<const StationPair> kMercury;
extern const std::span<const StationPair> kVenus;
extern const std::span<const StationPair> kMars;
extern const std::span<const StationPair> kJupiter;
extern const std::span<const StationPair> kSaturn;

}  // namespace velloran::stationdata
