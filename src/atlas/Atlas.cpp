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

Atlas::Atlas(std::vector<Place> places) {
    m_index.places = std::move(places);
    const std::vector<Place>& all = m_index.places;
    std::vector<TextKey> names, qualified;
    names.reserve(all.size());
    qualified.reserve(all.size() * 5);
    // States and countries repeat thousands of times: fold each once. A text with no folded
    // form gives no key.
    std::unordered_map<std::string, std::string> folded;
    const auto key = [this, &folded](const std::string& text) -> const std::string& {
        auto it = folded.find(text);
        if (it == folded.end()) {
            const auto f = m_folder.Fold(text);
            it = folded.emplace(text, f ? SearchKey(*f) : std::string()).first;
        }
        return it->second;
    };
    for (unsigned i = 0; i < all.size(); ++i) {
        const Place& p = all[i];
        const auto foldedName = m_folder.Fold(p.name);
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
    m_index.names = Pooled(names, m_index.keyText);
    m_index.qualified = Pooled(qualified, m_index.keyText);
}

Atlas::Atlas(AtlasIndex index) : m_index(std::move(index)) {}

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

void Atlas::CollectPrefix(const std::vector<AtlasKey>& keys, std::string_view prefix,
                          std::vector<unsigned>& out) const {
    const auto before = [this](const AtlasKey& k, std::string_view p) {
        return m_index.Text(k) < p;
    };
    auto it = std::lower_bound(keys.begin(), keys.end(), prefix, before);
    for (; it != keys.end() && m_index.Text(*it).substr(0, prefix.size()) == prefix; ++it) {
        out.push_back(it->place);
    }
}

std::vector<const Place*> Atlas::FindPlaces(std::string_view query, std::size_t limit) const {
    const auto folded = m_folder.Fold(query);
    if (!folded || limit == 0) return {};
    const std::string prefix = SearchKey(*folded);
    if (prefix.empty() || prefix.front() == ',') return {};
    std::vector<unsigned> hits;
    CollectPrefix(m_index.names, prefix, hits);
    // Only a query with a comma can reach past the name into the state or country.
    if (prefix.find(',') != std::string::npos) CollectPrefix(m_index.qualified, prefix, hits);
    // A place can have several keys with the prefix ("saint paul", "st paul", "st paul, mn").
    std::sort(hits.begin(), hits.end());
    hits.erase(std::unique(hits.begin(), hits.end()), hits.end());
    const std::vector<Place>& all = m_index.places;
    const auto ranked = [&all](unsigned a, unsigned b) {
        const Place& pa = all[a];
        const Place& pb = all[b];
        if (pa.population != pb.population) return pa.population > pb.population;
        if (pa.name != pb.name) return pa.name < pb.name;
        return a < b;
    };
    const std::size_t count = std::min(limit, hits.size());
    std::partial_sort(hits.begin(), hits.begin() + static_cast<std::ptrdiff_t>(count), hits.end(),
                      ranked);
    std::vector<const Place*> found;
    found.reserve(count);
    for (std::size_t i = 0; i < count; ++i) found.push_back(&all[hits[i]]);
    return found;
}

DegreesMinutes SplitDegrees(double degrees) {
    const long minutes = std::lround(std::fabs(degrees) * 60.0);
    return {static_cast<int>(minutes / 60), static_cast<int>(minutes % 60), degrees < 0};
}

std::string PlaceLabel(const Place& place) {
    std::string label = place.name;
    for (const std::string* part : {&place.state, &place.country}) {
        if (!part->empty() && *part != place.name) label += ", " + *part;
    }
    return label;
}

}  // namespace velloran
