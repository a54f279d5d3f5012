#pragma once
// One chart of a reading as values: where each body stands and how the houses lie. The fills
// compute it; every text of a chart (house texts, labels, report lines) is formatted from it.

#include <array>

#include "domain/Bodies.h"

namespace velloran {

struct BodyPlace {
    double longitude = 0.0;  // degrees, as the chart reports it (natal raw, draconic from the node)
    int sign = -1;           // 0..11 (Aries first) as its position text names it; -1 none
    int house = 0;           // whole-sign house 1..12 from the rising sign; 0 when it has no sign
    bool retrograde = false;  // marked retrograde by the station tables
    bool operator==(const BodyPlace&) const = default;
};

struct Chart {
    std::array<BodyPlace, kMaxBodyCount> bodies{};  // ChartBody order
    // Bodies the chart holds: kBodyCount (classic, Sun to Ascendant) or kMaxBodyCount (precise,
    // with the modern bodies); the entries beyond it are unused.
    int bodyCount = kBodyCount;
    // Sign 0..11 of houses 1..12: from the ascendant's sign, or from Aries when it has none.
    std::array<int, kSignCount> houseSigns{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
    bool operator==(const Chart&) const = default;

    const BodyPlace& operator[](ChartBody body) const { return bodies[static_cast<int>(body)]; }
    int risingSign() const { return houseSigns[0]; }
};

}  // namespace velloran
