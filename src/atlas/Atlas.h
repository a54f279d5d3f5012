#pragma once
// The in-memory place index: built once from a list of places, then answers prefix searches on
// the folded city name and on the "city, state" and "city, country" forms, most populous first.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "atlas/Place.h"

namespace velloran {

class Atlas {
public:
    explicit Atlas(std::vector<Place> places);

    // Up to `limit` places whose folded name, "name, state" or "name, country" starts with the
    // folded query, by population (largest first), ties by name. Blank query: nothing.
    std::vector<const Place*> FindPlaces(std::string_view query, std::size_t limit) const;

    const std::vector<Place>& Places() const { return m_places; }

private:
    struct Key {
        std::string text;  // folded
        unsigned place;    // index into m_places
    };
    void CollectPrefix(const std::vector<Key>& keys, const std::string& prefix,
                       std::vector<unsigned>& out) const;

    std::vector<Place> m_places;
    std::vector<Key> m_names;      // folded names, sorted
    std::vector<Key> m_qualified;  // folded "name, state" and "name, country", sorted
};

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
