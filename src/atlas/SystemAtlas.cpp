#include "atlas/SystemAtlas.h"

#include <dlfcn.h>
#include <geonames.h>
#include <sys/stat.h>

#include <cstdlib>
#include <memory>

#include "Version.h"
#include "atlas/AtlasCache.h"
#include "atlas/Geonames.h"

namespace velloran {

namespace {

// The index built from the geonames database and written to the cache for the next start (a
// cache that cannot be written only costs the next start the time to build it again).
AtlasIndex BuildAndCache(const std::string& path, const std::string& stamp) {
    AtlasIndex index = BuildAtlasIndex(LoadGeonamesPlaces());
    if (!path.empty() && !stamp.empty()) WriteAtlasCache(path, EncodeAtlasIndex(index, stamp));
    return index;
}

std::unique_ptr<Atlas> LoadSystemAtlas() {
    const std::string path = AtlasCachePath();
    const std::string stamp = AtlasCacheStamp();
    if (!path.empty() && !stamp.empty()) {
        // Searched where it lies; a part found damaged when read has the index built again.
        if (auto cached = MapAtlasCache(path, stamp))
            return std::make_unique<Atlas>(std::move(cached),
                                           [path, stamp] { return BuildAndCache(path, stamp); });
    }
    return std::make_unique<Atlas>(BuildAndCache(path, stamp));
}

}  // namespace

const Atlas& SystemAtlas() {
    // Kept to the end of the process: freeing a built index's 100,000 keys would only slow the
    // exit.
    static const Atlas& atlas = *LoadSystemAtlas().release();
    return atlas;
}

std::string AtlasCachePath() {
    const char* cacheHome = std::getenv("XDG_CACHE_HOME");
    std::string folder;
    if (cacheHome && cacheHome[0] == '/') {
        folder = cacheHome;
    } else if (const char* home = std::getenv("HOME"); home && home[0] == '/') {
        folder = std::string(home) + "/.cache";
    } else {
        return {};
    }
    return folder + "/velloran/atlas-index";
}

std::string AtlasCacheStamp() {
    Dl_info info{};
    if (!dladdr(reinterpret_cast<void*>(&geonames_get_n_cities), &info) || !info.dli_fname)
        return {};
    struct stat st {};
    if (::stat(info.dli_fname, &st) != 0) return {};
    return std::string("velloran ") + VELLORAN_VERSION + "; " + info.dli_fname + " " +
           std::to_string(st.st_size) + " bytes, modified " + std::to_string(st.st_mtim.tv_sec) +
           "." + std::to_string(st.st_mtim.tv_nsec);
}

}  // namespace velloran
