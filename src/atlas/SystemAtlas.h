#pragma once
// The atlas over the system's geonames database, built once on first use and kept folded in the
// user's cache folder for the next start.

#include <string>

#include "atlas/Atlas.h"

namespace velloran {

// Mapped from the cache (about a millisecond) or built and cached (about 200 ms); later
// callers, from any thread, share it.
const Atlas& SystemAtlas();

// The cache file: "velloran/atlas-index" in $XDG_CACHE_HOME, else in ~/.cache; empty when
// neither is known.
std::string AtlasCachePath();

// What the cache was built from: the program's version and the geonames data (its library's
// path, size and modification time); empty when the data cannot be found.
std::string AtlasCacheStamp();

}  // namespace velloran
