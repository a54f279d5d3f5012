// Cost of the engine: the classic positions of a birth, the bare trigonometry they need, one
// complete reading (calculation and the chart window's model), a switch of view, and one Swiss
// Ephemeris chart of the same births.
//
//   velloran_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <vector>

#include "BenchBirths.h"
#include "SwissCalls.h"
#include "TrigFloor.h"
#include "astro/Engine.h"
#include "chart/ChartModel.h"
#include "chart/ChartWindow.h"
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

// The classic positions of each birth in turn.
void BM_SinglePass(benchmark::State& st) {
    size_t i = 0;
    for (auto _ : st) {
        const BirthInput& birth = Births()[i++ & (kBirthCount - 1)].input;
        auto positions = ComputeClassicPositions(birth.birth, birth.zoneMinutesToUT);
        benchmark::DoNotOptimize(positions);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_SinglePass);

// Evaluates only the trigonometric calls of one pass per birth. earthPerBody and separateSinCos
// give the formulas as written: the Earth solved again for every body and every sine and cosine a
// call of its own (the engine solves the Earth once and uses sincos).
void RunTrigFloor(benchmark::State& st, bool earthPerBody, bool separateSinCos) {
    std::vector<TrigCalls> calls;
    double evaluations = 0.0;
    for (const BenchBirth& b : Births()) {
        calls.push_back(NatalPassTrig(b, earthPerBody));
        evaluations += calls.back().Evaluations();
    }
    size_t i = 0;
    for (auto _ : st) {
        const TrigCalls& c = calls[i++ & (kBirthCount - 1)];
        double sum = 0.0;
        for (const double x : c.sinArgs) sum += std::sin(x);
        for (const double x : c.cosArgs) sum += std::cos(x);
        for (const double x : c.tanArgs) sum += std::tan(x);
        for (const double x : c.atanArgs) sum += std::atan(x);
        for (const double x : c.sinCosArgs) {
            if (separateSinCos) {
                benchmark::DoNotOptimize(x);
                sum += std::sin(x);
                benchmark::DoNotOptimize(x);
                sum += std::cos(x);
            } else {
                double s = 0.0, co = 0.0;
                ::sincos(x, &s, &co);
                sum += s + co;
            }
        }
        benchmark::DoNotOptimize(sum);
    }
    st.counters["trig_per_pass"] = evaluations / kBirthCount;
}

void BM_TrigFloor(benchmark::State& st) { RunTrigFloor(st, false, false); }
BENCHMARK(BM_TrigFloor);

void BM_TrigFloorAsWritten(benchmark::State& st) { RunTrigFloor(st, true, true); }
BENCHMARK(BM_TrigFloorAsWritten);

// What the calculate button does after the checks: the form's values to a reading, and the
// chart window's model of the draconic view.
void BM_CompleteReading(benchmark::State& st) {
    const MonthNames& months = EnglishMonthNames();
    size_t i = 0;
    for (auto _ : st) {
        const Calculation done = Calculate(BirthFromForm(Births()[i++ & (kBirthCount - 1)].form));
        ChartWindowModel window = MakeChartWindow(*done.reading, ChartView::Draconic, months);
        benchmark::DoNotOptimize(window.natalColumn.cells.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_CompleteReading);

// A view button: the chart window's model made again from the reading, no calculation.
void BM_SwitchView(benchmark::State& st) {
    const MonthNames& months = EnglishMonthNames();
    std::vector<Reading> readings;
    for (int k = 0; k < 64; ++k) readings.push_back(*Calculate(Births()[k].input).reading);
    constexpr ChartView kViews[3] = {ChartView::Natal, ChartView::Draconic, ChartView::Comparison};
    size_t i = 0;
    for (auto _ : st) {
        const size_t n = i++;
        ChartWindowModel window = MakeChartWindow(readings[n & 63], kViews[n % 3], months);
        benchmark::DoNotOptimize(window.natalColumn.cells.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_SwitchView);

// One chart: Sun to Saturn and the mean node with speeds, and the houses for the ascendant.
bool SwissChart(const BenchBirth& b, double* out) {
    return SwissCalls(
        b, {SE_SUN, SE_MOON, SE_MERCURY, SE_VENUS, SE_MARS, SE_JUPITER, SE_SATURN, SE_MEAN_NODE},
        'P', out);
}

void BM_SwissEphemeris(benchmark::State& st) {
    swe_set_ephe_path(const_cast<char*>(VELLORAN_SWE_EPHE_PATH));
    double out[9];
    for (const BenchBirth& b : Births()) {
        if (!SwissChart(b, out)) {
            st.SkipWithError("the Swiss Ephemeris did not use its data files");
            return;
        }
    }
    size_t i = 0;
    for (auto _ : st) {
        SwissChart(Births()[i++ & (kBirthCount - 1)], out);
        benchmark::DoNotOptimize(out);
    }
}
BENCHMARK(BM_SwissEphemeris);

}  // namespace
}  // namespace velloran::bench

BENCHMARK_MAIN();
