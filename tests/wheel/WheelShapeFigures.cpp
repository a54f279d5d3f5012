// Prints how the degree wheel keeps the chart's shape for the sample births at 800 px:
//   build/default/tests/wheel/wheel_shape_figures
#include <cstdio>
#include <vector>

#include "WheelShape.h"

int main() {
    using namespace velloran;
    std::printf("%-26s %8s %8s %11s %10s %12s %10s %11s\n", "wheel", "largest", "mean",
                "other sign", "crossings", "over symbol", "label px", "symbol px");
    std::vector<test::SampleWheel> wheels = test::SampleWheels();
    for (test::SampleWheel& crowd : test::CrowdedWheels()) wheels.push_back(std::move(crowd));
    for (const test::SampleWheel& sample : wheels) {
        const test::WheelShape s = test::MeasureWheelShape(LayOutWheel(sample.input));
        std::printf("%-26s %7.1f° %7.1f° %11d %10d %12d %10.1f %11.1f\n", sample.name.c_str(),
                    s.largestDistance, s.meanDistance, s.inOtherSign, s.leaderCrossings,
                    s.leadersOverSymbols, s.smallestLabel, s.smallestSymbol);
    }
    return 0;
}
