// Cost of precise positions: the bare Swiss Ephemeris calls one precise chart needs (the floor)
// against the Swiss Ephemeris layer computing the same chart, and against a complete precise
// reading (form to both charts, fifteen bodies, window model filled), for the same births; and
// the same floor and reading with Placidus houses, the four asteroids and Lilith.
//
//   velloran_bench --benchmark_filter=BM_Precise --benchmark_repetitions=5
//                  --benchmark_report_aggregates_only

#include <benchmark/benchmark.h>

#include <iterator>
#include <vector>

#include "BenchBirths.h"
#include "SwissCalls.h"
#include "chart/ChartWindow.h"
#include "ephemeris/SwissEphemeris.h"
#include "input/FormCopy.h"
#include "reading/Reading.h"
#include "swephexp.h"

namespace velloran::bench {
namespace {

constexpr int kBirthCount = 1024;  // a power of two: the index wraps with a mask

const std::vector<BenchBirth>& Births() {
    static const std::vector<BenchBirth> births = MakeBenchBirths(kBirthCount);
    return births;
}

// The layer's calls without the layer: Sun to Pluto, Chiron and the mean node with speeds, and
// the houses for the ascendant (equal houses, as the layer asks). False when any body did not come
// from the data files.
bool BareCalls(const BenchBirth& b, double* out) {
    return SwissCalls(b,
                      {SE_SUN, SE_MOON, SE_MERCURY, SE_VENUS, SE_MARS, SE_JUPITER, SE_SATURN,
                       SE_URANUS, SE_NEPTUNE, SE_PLUTO, SE_CHIRON, SE_MEAN_NODE},
                      'E', out);
}

// The bare calls of one birth after another; skipped when a body did not come from the files.
void BareFloor(benchmark::State& st, bool (*calls)(const BenchBirth&, double*)) {
    swe_set_ephe_path(ephemeris::DefaultEphemerisPath());
    double out[18];
    for (const BenchBirth& b : Births()) {
        if (!calls(b, out)) {
            st.SkipWithError("the Swiss Ephemeris did not use its data files");
            swe_close();
            return;
        }
    }
    size_t i = 0;
    for (auto _ : st) {
        calls(Births()[i++ & (kBirthCount - 1)], out);
        benchmark::DoNotOptimize(out);
    }
    swe_close();
}

void BM_PreciseFloor(benchmark::State& st) { BareFloor(st, BareCalls); }
BENCHMARK(BM_PreciseFloor);

void BM_PreciseChart(benchmark::State& st) {
    ephemeris::SwissEphemeris layer;
    for (const BenchBirth& b : Births()) {
        if (layer.Compute(b.jdUt, b.lonEast, b.latNorth).status != ephemeris::Status::Files) {
            st.SkipWithError("the Swiss Ephemeris layer did not use its data files");
            return;
        }
    }
    size_t i = 0;
    for (auto _ : st) {
        const BenchBirth& b = Births()[i++ & (kBirthCount - 1)];
        ephemeris::Positions p = layer.Compute(b.jdUt, b.lonEast, b.latNorth);
        benchmark::DoNotOptimize(p);
    }
}
BENCHMARK(BM_PreciseChart);

// Complete readings (form to both charts, window model filled) with the given choice, one birth
// after another.
void PreciseReadings(benchmark::State& st, const PositionsChoice& choice) {
    ephemeris::SwissEphemeris layer;
    const PositionsSource source{choice, &layer};
    const MonthNames& months = EnglishMonthNames();
    for (const BenchBirth& b : Births()) {
        const Calculation done = Calculate(BirthFromForm(b.form), source);
        if (!done.reading || !done.reading->note.empty()) {
            st.SkipWithError("the precise positions did not use the ephemeris files");
            return;
        }
    }
    size_t i = 0;
    for (auto _ : st) {
        const Calculation done =
            Calculate(BirthFromForm(Births()[i++ & (kBirthCount - 1)].form), source);
        ChartWindowModel window = MakeChartWindow(*done.reading, ChartView::Draconic, months);
        benchmark::DoNotOptimize(window.natalColumn.cells.data());
        benchmark::ClobberMemory();
    }
}

void BM_PreciseReading(benchmark::State& st) {
    PreciseReadings(st, {PositionsKind::Precise, NodeKind::Mean});
}
BENCHMARK(BM_PreciseReading);

// The bare calls of a Placidus chart with the asteroids and Lilith: the bodies above, Ceres to
// Vesta and the mean apogee, and Placidus houses.
bool BareCallsWithHouses(const BenchBirth& b, double* out) {
    return SwissCalls(b,
                      {SE_SUN, SE_MOON, SE_MERCURY, SE_VENUS, SE_MARS, SE_JUPITER, SE_SATURN,
                       SE_URANUS, SE_NEPTUNE, SE_PLUTO, SE_CHIRON, SE_MEAN_NODE, SE_CERES,
                       SE_PALLAS, SE_JUNO, SE_VESTA, SE_MEAN_APOG},
                      'P', out);
}

void BM_PreciseFloorPlacidusAsteroids(benchmark::State& st) { BareFloor(st, BareCallsWithHouses); }
BENCHMARK(BM_PreciseFloorPlacidusAsteroids);

void BM_PreciseReadingPlacidusAsteroids(benchmark::State& st) {
    PositionsChoice choice{PositionsKind::Precise, NodeKind::Mean};
    choice.houses = HouseSystem::Placidus;
    choice.asteroids = true;
    PreciseReadings(st, choice);
}
BENCHMARK(BM_PreciseReadingPlacidusAsteroids);

}  // namespace
}  // namespace velloran::bench
