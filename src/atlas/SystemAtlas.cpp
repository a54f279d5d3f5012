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

std::unique_ptr<Atlas> LoadSystemAtlas() {
    const std::string path = AtlasCachePath();
    const std::string stamp = AtlasCacheStamp();
    const bool cached = !path.empty() && !stamp.empty();
    if (cached) {
        if (auto bytes = ReadAtlasCache(path)) {
            if (auto index = DecodeAtlasIndex(*bytes, stamp))
                return std::make_unique<Atlas>(std::move(*index));
        }
    }
    auto atlas = std::make_unique<Atlas>(LoadGeonamesPlaces());
    // A cache that cannot be written only costs the next start the time to build it again.
    if (cached) WriteAtlasCache(path, EncodeAtlasIndex(atlas->Index(), stamp));
    return atlas;
}

}  // namespace

const Atlas& SystemAtlas() {
    // Kept to the end of the process: freeing its 100,000 keys would only slow the exit.
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
