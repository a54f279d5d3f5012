#pragma once
// The folded place index as a cache file, so that a look-up need not fold and sort the whole
// atlas again. A file is read back only when it was written for the same data and program and
// arrives whole; anything else is rebuilt.

#include <optional>
#include <string>
#include <string_view>

#include "atlas/Atlas.h"

namespace velloran {

// The index as the cache file's bytes. `stamp` names what it was built from (the program's
// version, the geonames data's file, size and time); reading it back needs the same stamp.
std::string EncodeAtlasIndex(const AtlasIndex& index, std::string_view stamp);

// The index in `bytes`; nothing when they are not a whole, undamaged index written with `stamp`
// (another program's file, a cut or changed byte, keys out of order or leading nowhere).
std::optional<AtlasIndex> DecodeAtlasIndex(std::string_view bytes, std::string_view stamp);

// The cache file's bytes, or nothing when it cannot be read or is larger than a cache can be.
std::optional<std::string> ReadAtlasCache(const std::string& path);

// Writes the bytes as the whole file at `path` (an unnamed file in its folder, named beside it
// and renamed over it), creating its folder; false when that fails, leaving any earlier file as
// it was. Temporaries that killed writes left beside it, an hour old or more, are removed.
bool WriteAtlasCache(const std::string& path, std::string_view bytes);

}  // namespace velloran
