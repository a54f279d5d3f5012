// Cost of the place atlas: reading the geonames database, building the search index over it,
// and one search per keystroke for prefixes of 1 to 5 letters of a mix of city names.

#include <benchmark/benchmark.h>

#include <array>
#include <string>
#include <vector>

#include "atlas/Atlas.h"
#include "atlas/Geonames.h"

namespace velloran::bench {
namespace {

constexpr std::size_t kCompletions = 10;  // the completer's list

const std::vector<Place>& GeonamesPlaces() {
    static const std::vector<Place> places = LoadGeonamesPlaces();
    return places;
}

void BM_AtlasReadGeonames(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(LoadGeonamesPlaces());
}
BENCHMARK(BM_AtlasReadGeonames)->Unit(benchmark::kMillisecond);

void BM_AtlasBuildIndex(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        std::vector<Place> places = GeonamesPlaces();
        state.ResumeTiming();
        Atlas atlas(std::move(places));
        benchmark::DoNotOptimize(atlas);
    }
}
BENCHMARK(BM_AtlasBuildIndex)->Unit(benchmark::kMillisecond);

// What the program does once on first use: read the database and index it.
void BM_AtlasReadAndBuild(benchmark::State& state) {
    for (auto _ : state) {
        Atlas atlas(LoadGeonamesPlaces());
        benchmark::DoNotOptimize(atlas);
    }
}
BENCHMARK(BM_AtlasReadAndBuild)->Unit(benchmark::kMillisecond);

// One keystroke: the prefix of range(0) letters of each name in turn (common first letters
// such as "s" and "m" match thousands of places).
void BM_FindPlacesPerKeystroke(benchmark::State& state) {
    static const Atlas atlas(GeonamesPlaces());
    static constexpr std::array<const char*, 12> kNames = {
        "Springfield", "San Jose", "London", "Mumbai", "Zürich",   "Kathmandu",
        "Berlin",      "Sydney",   "Lagos",  "Paris",  "Montreal", "Ahmedabad"};
    std::vector<std::string> queries;
    for (const char* name : kNames) queries.push_back(std::string(name).substr(0, state.range(0)));
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(atlas.FindPlaces(queries[i], kCompletions));
        i = (i + 1) % queries.size();
    }
}
BENCHMARK(BM_FindPlacesPerKeystroke)->DenseRange(1, 5)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace velloran::bench
