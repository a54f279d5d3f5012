#include "atlas/Atlas.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

#include "atlas/Fold.h"

namespace velloran {

namespace {

std::string Trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(" \t");
    return std::string(text.substr(first, last - first + 1));
}

// "springfield ,  il" and "springfield, il" are the same query: one blank after each comma.
std::string NormalizedQuery(std::string_view query) {
    std::string folded = FoldForSearch(Trimmed(query));
    std::string out;
    for (std::size_t i = 0; i < folded.size(); ++i) {
        if (folded[i] == ',') {
            while (!out.empty() && out.back() == ' ') out.pop_back();
            out += ", ";
            while (i + 1 < folded.size() && folded[i + 1] == ' ') ++i;
        } else {
            out += folded[i];
        }
    }
    return out;
}

}  // namespace

Atlas::Atlas(std::vector<Place> places) : m_places(std::move(places)) {
    m_names.reserve(m_places.size());
    m_qualified.reserve(m_places.size() * 2);
    // States and countries repeat thousands of times: fold each once.
    std::unordered_map<std::string, std::string> folded;
    const auto fold = [&folded](const std::string& text) -> const std::string& {
        auto it = folded.find(text);
        if (it == folded.end()) it = folded.emplace(text, FoldForSearch(text)).first;
        return it->second;
    };
    for (unsigned i = 0; i < m_places.size(); ++i) {
        const Place& p = m_places[i];
        std::string name = FoldForSearch(p.name);
        if (!p.state.empty()) m_qualified.push_back({name + ", " + fold(p.state), i});
        if (!p.country.empty()) m_qualified.push_back({name + ", " + fold(p.country), i});
        m_names.push_back({std::move(name), i});
    }
    const auto byText = [](const Key& a, const Key& b) { return a.text < b.text; };
    std::sort(m_names.begin(), m_names.end(), byText);
    std::sort(m_qualified.begin(), m_qualified.end(), byText);
}

void Atlas::CollectPrefix(const std::vector<Key>& keys, const std::string& prefix,
                          std::vector<unsigned>& out) const {
    auto it = std::lower_bound(keys.begin(), keys.end(), prefix,
                               [](const Key& k, const std::string& p) { return k.text < p; });
    for (; it != keys.end() && it->text.compare(0, prefix.size(), prefix) == 0; ++it) {
        out.push_back(it->place);
    }
}

std::vector<const Place*> Atlas::FindPlaces(std::string_view query, std::size_t limit) const {
    const std::string prefix = NormalizedQuery(query);
    if (prefix.empty() || limit == 0) return {};
    std::vector<unsigned> hits;
    CollectPrefix(m_names, prefix, hits);
    // Only a query with a comma can reach past the name into the state or country.
    if (prefix.find(',') != std::string::npos) {
        CollectPrefix(m_qualified, prefix, hits);
        std::sort(hits.begin(), hits.end());
        hits.erase(std::unique(hits.begin(), hits.end()), hits.end());
    }
    const auto ranked = [this](unsigned a, unsigned b) {
        const Place& pa = m_places[a];
        const Place& pb = m_places[b];
        if (pa.population != pb.population) return pa.population > pb.population;
        if (pa.name != pb.name) return pa.name < pb.name;
        return a < b;
    };
    const std::size_t count = std::min(limit, hits.size());
    std::partial_sort(hits.begin(), hits.begin() + static_cast<std::ptrdiff_t>(count), hits.end(),
                      ranked);
    std::vector<const Place*> found;
    found.reserve(count);
    for (std::size_t i = 0; i < count; ++i) found.push_back(&m_places[hits[i]]);
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
