#pragma once
// How well a degree wheel keeps the chart's shape: how far each symbol stands from its true
// degree, symbols shown in another sign than their body's, leaders that cross each other or run
// over a symbol, and the smallest text. The sample births of the README are drawn for the
// figures.

#include <string>
#include <vector>

#include "wheel/WheelLayout.h"

namespace velloran::test {

struct WheelShape {
    double largestDistance = 0.0;  // degrees, symbol from its true degree
    double meanDistance = 0.0;
    // Symbols shown in another sign than their body's, the body more than 3° from a sign edge.
    int inOtherSign = 0;
    int leaderCrossings = 0;      // pairs of leaders that cross
    int leadersOverSymbols = 0;   // leaders running over another body's symbol
    double smallestLabel = 0.0;   // px, the smallest label text's height
    double smallestSymbol = 0.0;  // px
};
WheelShape MeasureWheelShape(const WheelLayout& layout);

// Whether a body at `longitude` shown at `shown` stands in another sign, the body more than 3°
// from its sign's edges.
bool ShownInOtherSign(double longitude, double shown);

// Whether two segments cross (touching ends do not count).
bool SegmentsCross(const WheelSegment& a, const WheelSegment& b);
// Whether a segment runs through a box's inside.
bool SegmentMeetsBox(const WheelSegment& s, const WheelBox& box);

// The crowded birth (4 February 1962, 05:10 IST, New Delhi; precise positions, Placidus houses,
// the asteroids) and the known birth (Ann Example, 15 January 1980, 10:30 EST, New York), natal
// wheel and the natal-in-draconic bi-wheel, at 800 px.
struct SampleWheel {
    std::string name;
    WheelInput input;
};
std::vector<SampleWheel> SampleWheels();

// The extreme crowds at 800 px, for the record: ten bodies within 5°, all fourteen bodies in one
// sign, both rings of a bi-wheel crowded, a cluster across 0° Aries.
std::vector<SampleWheel> CrowdedWheels();

}  // namespace velloran::test
