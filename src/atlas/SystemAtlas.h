#pragma once
// The atlas over the system's geonames database, built once on first use.

#include "atlas/Atlas.h"

namespace velloran {

// Built by the first caller (about 50 ms); later callers, from any thread, share it.
const Atlas& SystemAtlas();

}  // namespace velloran
