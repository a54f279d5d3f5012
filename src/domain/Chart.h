#pragma once
// One chart of a reading as values: where each body stands and how the houses lie. The fills
// compute it; every text of a chart (house texts, labels, report lines) is formatted from it.

#include <array>

#include "domain/Bodies.h"
#include "domain/HouseSystem.h"

namespace velloran {

struct BodyPlace {
    double longitude = 0.0;  // degrees, as the chart reports it (natal raw, draconic from the node)
    int sign = -1;           // 0..11 (Aries first) as its position text names it; -1 none
    int house = 0;  // house 1..12 of the chart's cusps (whole-sign: from the rising sign); 0 when
                    // it has no sign
    bool retrograde = false;  // marked retrograde by the station tables
    bool operator==(const BodyPlace&) const = default;
};

struct Chart {
    std::array<BodyPlace, kMaxBodyCount> bodies{};  // ChartBody order
    // Bodies the chart holds: kBodyCount (classic, Sun to Ascendant), kPreciseBodyCount (precise,
    // with the midheaven and the modern bodies) or kMaxBodyCount (precise with the asteroids and
    // Lilith); the entries beyond it are unused.
    int bodyCount = kBodyCount;
    // The house system of the cusps: the one asked for, or Porphyry where it has no cusps.
    HouseSystem houses = HouseSystem::WholeSign;
    // Longitudes of the cusps of houses 1..12 in degrees; a body's house is the one whose cusp
    // it has passed last. Whole-sign: 0° of each house's sign.
    std::array<double, kSignCount> cusps{0, 30, 60, 90, 120, 150, 180, 210, 240, 270, 300, 330};
    // Sign 0..11 of houses 1..12: the sign on each cusp (whole-sign: from the ascendant's sign,
    // or from Aries when it has none).
    std::array<int, kSignCount> houseSigns{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
    bool operator==(const Chart&) const = default;

    const BodyPlace& operator[](ChartBody body) const { return bodies[static_cast<int>(body)]; }
    int risingSign() const { return houseSigns[0]; }
};

}  // namespace velloran
