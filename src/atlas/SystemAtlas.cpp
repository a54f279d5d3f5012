#include "atlas/SystemAtlas.h"

#include "atlas/Geonames.h"

namespace velloran {

const Atlas& SystemAtlas() {
    static const Atlas atlas(LoadGeonamesPlaces());
    return atlas;
}

}  // namespace velloran
