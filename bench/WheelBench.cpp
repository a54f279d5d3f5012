// Cost of the degree wheel's layout: a bi-wheel of two precise charts (14 + 14 bodies) at 800 px
// with the contacts' lines and legend, varied per call so that no two calls lay out the same
// wheel.
//
//   velloran_bench --benchmark_filter=Wheel

#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <vector>

#include "wheel/WheelLayout.h"

namespace velloran::bench {
namespace {

constexpr int kWheelCount = 256;  // a power of two: the index wraps with a mask

std::vector<WheelInput> MakeBiWheels() {
    std::mt19937 rng(7u);
    std::uniform_real_distribution<double> degree(0.0, 360.0);
    std::vector<WheelInput> wheels(kWheelCount);
    for (WheelInput& input : wheels) {
        for (WheelChart chart : {WheelChart::Natal, WheelChart::Draconic}) {
            WheelRingInput ring;
            ring.chart = chart;
            for (int b = 0; b < kMaxBodyCount; ++b) {
                const auto body = static_cast<ChartBody>(b);
                ring.bodies.push_back(
                    {body, degree(rng), CanBePreciseRetrograde(body) && b % 3 == 0});
            }
            input.rings.push_back(std::move(ring));
        }
        input.ascendant = input.rings[0].bodies[static_cast<int>(ChartBody::Ascendant)].longitude;
        const int rising = static_cast<int>(input.ascendant / 30.0);
        for (int h = 0; h < 12; ++h) input.cusps[h] = ((rising + h) % 12) * 30.0;
        for (int i = 0; i < 12; ++i)
            input.aspects.push_back({WheelChart::Natal, static_cast<ChartBody>(i),
                                     WheelChart::Draconic, static_cast<ChartBody>((i * 5) % 14),
                                     static_cast<Aspect>(i % kAspectCount)});
        for (int a = 0; a < kAspectCount; ++a)
            input.legend.push_back({static_cast<Aspect>(a), 2.0});
        input.size = 800.0;
    }
    return wheels;
}

void BM_WheelLayoutBiWheel28(benchmark::State& st) {
    static const std::vector<WheelInput> wheels = MakeBiWheels();
    size_t i = 0;
    for (auto _ : st) {
        WheelLayout layout = LayOutWheel(wheels[i++ & (kWheelCount - 1)]);
        benchmark::DoNotOptimize(layout);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_WheelLayoutBiWheel28);

}  // namespace
}  // namespace velloran::bench
