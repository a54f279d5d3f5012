#pragma once
// The place index: built once from a list of places (or read where it lies in the cache file),
// then answers prefix searches on the folded city name and on the "city, state" and "city,
// country" forms, most populous first.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "atlas/Fold.h"
#include "atlas/Place.h"

namespace velloran {

// One search key of the index: a folded form (a stretch of the index's key text) and the place
// it leads to.
struct AtlasKey {
    std::uint32_t offset = 0;  // into AtlasIndex::keyText
    std::uint32_t length = 0;
    std::uint32_t place = 0;  // index into AtlasIndex::places
    bool operator==(const AtlasKey&) const = default;
};

// The parts of a built index, as the cache stores them.
struct AtlasIndex {
    std::vector<Place> places;
    std::string keyText;              // every key's text (as SearchKey gives it), one after another
    std::vector<AtlasKey> names;      // the places' names, sorted by text
    std::vector<AtlasKey> qualified;  // "name, state", "name, country", "name, tx", sorted

    std::string_view Text(const AtlasKey& key) const {
        return std::string_view(keyText).substr(key.offset, key.length);
    }
};

// Folded text in the form keys and queries compare in: "-" and runs of blanks as one blank,
// "." and "'" dropped ("d.c." -> "dc", "st.paul" -> "st paul"), one blank after each comma, and
// (with `spellSaints`) "st" or "ste" before another word as "saint" or "sainte".
std::string SearchKey(std::string_view folded, bool spellSaints = true);

// The keys of a list of places, sorted.
AtlasIndex BuildAtlasIndex(std::vector<Place> places);

// What a search reads: the two sorted key tables and the places they lead to. An index read
// from the cache file checks each read, and a read of a damaged part fails (false, nothing).
class AtlasSource {
public:
    enum class Keys { Names, Qualified };
    virtual ~AtlasSource() = default;
    virtual std::size_t KeyCount(Keys keys) const = 0;
    // The text of key `i` of the table and the place it leads to.
    virtual bool Key(Keys keys, std::size_t i, std::string_view& text,
                     std::uint32_t& place) const = 0;
    virtual std::size_t PlaceCount() const = 0;
    // What ranks a place among the matches: its population, then its name.
    virtual bool Rank(std::uint32_t place, std::uint32_t& population,
                      std::string_view& name) const = 0;
    virtual std::optional<Place> PlaceAt(std::uint32_t place) const = 0;
};

// The built index itself as a source.
class AtlasIndexSource final : public AtlasSource {
public:
    explicit AtlasIndexSource(AtlasIndex index) : m_index(std::move(index)) {}
    std::size_t KeyCount(Keys keys) const override { return Table(keys).size(); }
    bool Key(Keys keys, std::size_t i, std::string_view& text, std::uint32_t& place) const override;
    std::size_t PlaceCount() const override { return m_index.places.size(); }
    bool Rank(std::uint32_t place, std::uint32_t& population,
              std::string_view& name) const override;
    std::optional<Place> PlaceAt(std::uint32_t place) const override;

private:
    const std::vector<AtlasKey>& Table(Keys keys) const {
        return keys == Keys::Names ? m_index.names : m_index.qualified;
    }
    AtlasIndex m_index;
};

// The indexes of up to `limit` places whose folded name, "name, state", "name, country", "name,
// country code" or (in the US) "name, state code" starts with the folded query, by population
// (largest first), ties by name, then by index. Blank query, or one with no folded form:
// nothing. No list at all when a read of the source failed.
std::optional<std::vector<std::uint32_t>> SearchAtlas(const AtlasSource& source,
                                                      const SearchFolder& folder,
                                                      std::string_view query, std::size_t limit);

class Atlas {
public:
    explicit Atlas(std::vector<Place> places);
    explicit Atlas(AtlasIndex index);
    // An index read from the cache, and what builds it again should a read find it damaged
    // (searches then go to the rebuilt index).
    Atlas(std::unique_ptr<const AtlasSource> cached, std::function<AtlasIndex()> rebuild);

    // The places SearchAtlas finds for the query, most populous first.
    std::vector<Place> FindPlaces(std::string_view query, std::size_t limit) const;

private:
    mutable std::mutex m_mutex;
    mutable std::shared_ptr<const AtlasSource> m_source;
    mutable std::function<AtlasIndex()> m_rebuild;
    SearchFolder m_folder;
};

// True when every key of the index lies in its key text, leads to one of its places, and the
// names and qualified keys are each sorted by text.
bool ValidIndex(const AtlasIndex& index);

// An angle in whole degrees and minutes, rounded to the nearest minute (47.3667 -> 47° 22').
struct DegreesMinutes {
    int degrees = 0;
    int minutes = 0;        // 0..59
    bool negative = false;  // south or west
};
DegreesMinutes SplitDegrees(double degrees);

// "Zurich, Canton of Zurich, Switzerland": the place as one line, empty parts left out.
std::string PlaceLabel(const Place& place);

// The matches of a look-up that none of them stands out from: those of `found` (as FindPlaces
// gives them, most populous first) with at least half the first's population, the first
// included; just the first when the next is less than half its size. "Springfield" gives
// Missouri's, Massachusetts's and Illinois's, which the form's completer lists one under the
// other; "London" gives London, England alone. Empty for no match.
std::vector<Place> SimilarMatches(const std::vector<Place>& found);

}  // namespace velloran
