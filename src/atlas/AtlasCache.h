#pragma once
// The folded place index as a cache file, so that a look-up need not fold and sort the whole
// atlas again: searched where it lies (mapped), not read into memory. A file is used only when
// it was written for the same data and program, has the size its header gives and its tables
// of places and keys are as written; each read of a place or key checks its bounds and its
// check value (over its text too), so damaged text is found when read (and the index built
// again) instead of giving a wrong place or reading past the file.

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "atlas/Atlas.h"

namespace velloran {

// The index as the cache file's bytes. `stamp` names what it was built from (the program's
// version, the geonames data's file, size and time); reading it back needs the same stamp.
std::string EncodeAtlasIndex(const AtlasIndex& index, std::string_view stamp);

// The index in `bytes` as a source that reads them where they lie (they must outlive it);
// nothing when the header is not one written with `stamp` for exactly this many bytes, or the
// tables are not as written.
std::unique_ptr<AtlasSource> ViewAtlasIndex(std::string_view bytes, std::string_view stamp);

// Every place and key of the source read out; nothing when a read fails or the keys are out of
// order or lead nowhere.
std::optional<AtlasIndex> ReadWholeIndex(const AtlasSource& source);

// The index in `bytes`, read whole; nothing when they are not a whole, undamaged index written
// with `stamp` (another program's file, a cut or changed byte, keys out of order).
std::optional<AtlasIndex> DecodeAtlasIndex(std::string_view bytes, std::string_view stamp);

// The cache file at `path` mapped (read-only, private) and viewed as ViewAtlasIndex does; the
// source keeps the mapping. Nothing when the file is not a regular file of this user (a link,
// a FIFO or another user's file is not opened), is larger than a cache can be, or its header
// does not fit.
std::unique_ptr<AtlasSource> MapAtlasCache(const std::string& path, std::string_view stamp);

// The cache file's bytes, or nothing when it cannot be read as MapAtlasCache would.
std::optional<std::string> ReadAtlasCache(const std::string& path);

// Writes the bytes as the whole file at `path` (an unnamed file in its folder, named beside it
// and renamed over it), creating its folder; false when that fails, leaving any earlier file as
// it was. Temporaries that killed writes left beside it, an hour old or more, are removed.
bool WriteAtlasCache(const std::string& path, std::string_view bytes);

}  // namespace velloran
