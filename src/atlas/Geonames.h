#pragma once
// The cities of the system's geonames database (Debian's libgeonames).

#include <vector>

#include "atlas/Place.h"

namespace velloran {

// Every city of the database in its own order (about 24,000); empty when it has none.
std::vector<Place> LoadGeonamesPlaces();

}  // namespace velloran
