#include "atlas/Atlas.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

#include "atlas/PlaceCodes.h"

namespace velloran {

namespace {

std::string_view Trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

// The words of one comma-separated part: blanks, tabs and "-" separate; "." and "'" go, but a
// "." after a word of two or more letters separates ("st.paul") while one after a single letter
// joins ("d.c.").
std::vector<std::string> Words(std::string_view part) {
    std::vector<std::string> words(1);
    for (const char c : part) {
        if (c == ' ' || c == '\t' || c == '-' || (c == '.' && words.back().size() > 1)) {
            if (!words.back().empty()) words.emplace_back();
        } else if (c != '.' && c != '\'') {
            words.back() += c;
        }
    }
    if (words.back().empty()) words.pop_back();
    return words;
}

std::string PartKey(std::string_view part, bool spellSaints) {
    const std::vector<std::string> words = Words(part);
    std::string key;
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (i) key += ' ';
        const bool beforeAnother = spellSaints && i + 1 < words.size();
        if (beforeAnother && words[i] == "st") {
            key += "saint";
        } else if (beforeAnother && words[i] == "ste") {
            key += "sainte";
        } else {
            key += words[i];
        }
    }
    return key;
}

std::string Lowered(std::string_view text) {
    std::string lowered(text);
    for (char& c : lowered) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return lowered;
}

// Keys with their text, while the index is built.
struct TextKey {
    std::string text;
    unsigned place;
};

// The keys sorted by text, their texts appended to `pool`.
std::vector<AtlasKey> Pooled(std::vector<TextKey>& keys, std::string& pool) {
    std::sort(keys.begin(), keys.end(),
              [](const TextKey& a, const TextKey& b) { return a.text < b.text; });
    std::vector<AtlasKey> pooled;
    pooled.reserve(keys.size());
    for (const TextKey& k : keys) {
        pooled.push_back({static_cast<std::uint32_t>(pool.size()),
                          static_cast<std::uint32_t>(k.text.size()), k.place});
        pool += k.text;
    }
    return pooled;
}

}  // namespace

std::string SearchKey(std::string_view folded, bool spellSaints) {
    std::string key;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = folded.find(',', start);
        const std::string_view part =
            Trimmed(folded.substr(start, comma == std::string_view::npos ? comma : comma - start));
        if (start) key += ", ";
        key += PartKey(part, spellSaints);
        if (comma == std::string_view::npos) break;
        start = comma + 1;
    }
    return key;
}

AtlasIndex BuildAtlasIndex(std::vector<Place> places) {
    const SearchFolder folder;
    AtlasIndex index;
    index.places = std::move(places);
    const std::vector<Place>& all = index.places;
    std::vector<TextKey> names, qualified;
    names.reserve(all.size());
    qualified.reserve(all.size() * 5);
    // States and countries repeat thousands of times: fold each once. A text with no folded
    // form gives no key.
    std::unordered_map<std::string, std::string> folded;
    const auto key = [&folder, &folded](const std::string& text) -> const std::string& {
        auto it = folded.find(text);
        if (it == folded.end()) {
            const auto f = folder.Fold(text);
            it = folded.emplace(text, f ? SearchKey(*f) : std::string()).first;
        }
        return it->second;
    };
    for (unsigned i = 0; i < all.size(); ++i) {
        const Place& p = all[i];
        const auto foldedName = folder.Fold(p.name);
        if (!foldedName) continue;
        const std::string name = SearchKey(*foldedName);
        if (name.empty()) continue;
        std::vector<std::string> suffixes = {key(p.state), key(p.country), Lowered(p.countryCode)};
        if (p.countryCode == "GB") suffixes.emplace_back("uk");
        const std::string_view stateCode = p.countryCode == "US" ? UsStateCode(p.state) : "";
        if (!stateCode.empty()) suffixes.push_back(Lowered(stateCode));
        // "Washington D.C." is "Washington, DC" too.
        std::vector<std::string> bases = {name};
        const std::string codeWord = " " + Lowered(stateCode);
        if (!stateCode.empty() && name.size() > codeWord.size() &&
            name.compare(name.size() - codeWord.size(), codeWord.size(), codeWord) == 0) {
            bases.push_back(name.substr(0, name.size() - codeWord.size()));
        }
        std::sort(suffixes.begin(), suffixes.end());
        suffixes.erase(std::unique(suffixes.begin(), suffixes.end()), suffixes.end());
        for (const std::string& base : bases) {
            for (const std::string& suffix : suffixes) {
                if (!suffix.empty()) qualified.push_back({base + ", " + suffix, i});
            }
        }
        names.push_back({name, i});
        // "St. Petersburg" is found by "st" too, as typing goes on.
        if (std::string asTyped = SearchKey(*foldedName, false); asTyped != name)
            names.push_back({std::move(asTyped), i});
    }
    index.names = Pooled(names, index.keyText);
    index.qualified = Pooled(qualified, index.keyText);
    return index;
}

bool ValidIndex(const AtlasIndex& index) {
    const auto valid = [&index](const std::vector<AtlasKey>& keys) {
        for (std::size_t i = 0; i < keys.size(); ++i) {
            const AtlasKey& k = keys[i];
            if (k.place >= index.places.size() || k.offset > index.keyText.size() ||
                k.length > index.keyText.size() - k.offset)
                return false;
            if (i > 0 && index.Text(k) < index.Text(keys[i - 1])) return false;
        }
        return true;
    };
    return valid(index.names) && valid(index.qualified);
}

bool AtlasIndexSource::Key(Keys keys, std::size_t i, std::string_view& text,
                           std::uint32_t& place) const {
    const std::vector<AtlasKey>& table = Table(keys);
    if (i >= table.size()) return false;
    text = m_index.Text(table[i]);
    place = table[i].place;
    return true;
}

bool AtlasIndexSource::Rank(std::uint32_t place, std::uint32_t& population,
                            std::string_view& name) const {
    if (place >= m_index.places.size()) return false;
    population = m_index.places[place].population;
    name = m_index.places[place].name;
    return true;
}

std::optional<Place> AtlasIndexSource::PlaceAt(std::uint32_t place) const {
    if (place >= m_index.places.size()) return std::nullopt;
    return m_index.places[place];
}

namespace {

// Appends the places of the table's keys that start with `prefix`; false when a read failed.
bool CollectPrefix(const AtlasSource& source, AtlasSource::Keys keys, std::string_view prefix,
                   std::vector<std::uint32_t>& out) {
    std::string_view text;
    std::uint32_t place = 0;
    // The first key not before the prefix.
    std::size_t low = 0, high = source.KeyCount(keys);
    while (low < high) {
        const std::size_t middle = low + (high - low) / 2;
        if (!source.Key(keys, middle, text, place)) return false;
        if (text < prefix) {
            low = middle + 1;
        } else {
            high = middle;
        }
    }
    for (std::size_t i = low; i < source.KeyCount(keys); ++i) {
        if (!source.Key(keys, i, text, place)) return false;
        if (text.substr(0, prefix.size()) != prefix) break;
        out.push_back(place);
    }
    return true;
}

}  // namespace

std::optional<std::vector<std::uint32_t>> SearchAtlas(const AtlasSource& source,
                                                      const SearchFolder& folder,
                                                      std::string_view query, std::size_t limit) {
    using Hits = std::vector<std::uint32_t>;
    const auto folded = folder.Fold(query);
    if (!folded || limit == 0) return Hits();
    const std::string prefix = SearchKey(*folded);
    if (prefix.empty() || prefix.front() == ',') return Hits();
    Hits hits;
    if (!CollectPrefix(source, AtlasSource::Keys::Names, prefix, hits)) return std::nullopt;
    // Only a query with a comma can reach past the name into the state or country.
    if (prefix.find(',') != std::string::npos &&
        !CollectPrefix(source, AtlasSource::Keys::Qualified, prefix, hits))
        return std::nullopt;
    // A place can have several keys with the prefix ("saint paul", "st paul", "st paul, mn").
    std::sort(hits.begin(), hits.end());
    hits.erase(std::unique(hits.begin(), hits.end()), hits.end());
    struct Ranked {
        std::uint32_t population;
        std::string_view name;
        std::uint32_t place;
    };
    std::vector<Ranked> ranked(hits.size());
    for (std::size_t i = 0; i < hits.size(); ++i) {
        ranked[i].place = hits[i];
        if (!source.Rank(hits[i], ranked[i].population, ranked[i].name)) return std::nullopt;
    }
    const auto before = [](const Ranked& a, const Ranked& b) {
        if (a.population != b.population) return a.population > b.population;
        if (a.name != b.name) return a.name < b.name;
        return a.place < b.place;
    };
    const std::size_t count = std::min(limit, ranked.size());
    std::partial_sort(ranked.begin(), ranked.begin() + static_cast<std::ptrdiff_t>(count),
                      ranked.end(), before);
    Hits found(count);
    for (std::size_t i = 0; i < count; ++i) found[i] = ranked[i].place;
    return found;
}

Atlas::Atlas(std::vector<Place> places) : Atlas(BuildAtlasIndex(std::move(places))) {}

Atlas::Atlas(AtlasIndex index) : m_source(std::make_shared<AtlasIndexSource>(std::move(index))) {}

Atlas::Atlas(std::unique_ptr<const AtlasSource> cached, std::function<AtlasIndex()> rebuild)
    : m_source(std::move(cached)), m_rebuild(std::move(rebuild)) {}

std::vector<Place> Atlas::FindPlaces(std::string_view query, std::size_t limit) const {
    while (true) {
        std::shared_ptr<const AtlasSource> source;
        {
            const std::lock_guard lock(m_mutex);
            source = m_source;
        }
        std::vector<Place> found;
        bool whole = false;
        if (const auto hits = SearchAtlas(*source, m_folder, query, limit)) {
            whole = true;
            for (const std::uint32_t place : *hits) {
                auto p = source->PlaceAt(place);
                if (!p) {
                    whole = false;
                    break;
                }
                found.push_back(std::move(*p));
            }
        }
        if (whole) return found;
        // A damaged cache: build the index again, once, and search that.
        const std::lock_guard lock(m_mutex);
        if (m_source == source) {
            if (!m_rebuild) return {};
            m_source = std::make_shared<AtlasIndexSource>(m_rebuild());
            m_rebuild = nullptr;
        }
    }
}

DegreesMinutes SplitDegrees(double degrees) {
    const long minutes = std::lround(std::fabs(degrees) * 60.0);
    return {static_cast<int>(minutes / 60), static_cast<int>(minutes % 60), degrees < 0};
}

std::vector<Place> SimilarMatches(const std::vector<Place>& found) {
    std::vector<Place> similar;
    for (const Place& place : found) {
        // Twice a place's population still short of the first's: it is the smaller by far.
        if (!similar.empty() &&
            std::uint64_t{place.population} * 2 < std::uint64_t{similar.front().population})
            break;
        similar.push_back(place);
    }
    return similar;
}

std::string PlaceLabel(const Place& place) {
    std::string label = place.name;
    for (const std::string* part : {&place.state, &place.country}) {
        if (!part->empty() && *part != place.name) label += ", " + *part;
    }
    return label;
}

}  // namespace velloran
