#pragma once
// The in-memory place index: built once from a list of places, then answers prefix searches on
// the folded city name and on the "city, state" and "city, country" forms, most populous first.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "atlas/Fold.h"
#include "atlas/Place.h"

namespace velloran {

// One search key of the index: a folded form (a stretch of the index's key text) and the place
// it leads to. Plain numbers, so the cache can hold the keys as they are.
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

class Atlas {
public:
    explicit Atlas(std::vector<Place> places);
    // An index built before (read back from the cache); the caller has checked it.
    explicit Atlas(AtlasIndex index);

    // Up to `limit` places whose folded name, "name, state", "name, country", "name, country
    // code" or (in the US) "name, state code" starts with the folded query, by population
    // (largest first), ties by name. Blank query, or one with no folded form: nothing.
    std::vector<const Place*> FindPlaces(std::string_view query, std::size_t limit) const;

    const std::vector<Place>& Places() const { return m_index.places; }
    const AtlasIndex& Index() const { return m_index; }

private:
    void CollectPrefix(const std::vector<AtlasKey>& keys, std::string_view prefix,
                       std::vector<unsigned>& out) const;

    AtlasIndex m_index;
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

}  // namespace velloran
