#pragma once
// The bodies the Swiss Ephemeris layer computes, in the order the precise chart lists them. Only
// identities: the names and labels shown for them live with the program's other name tables.

#include <cstddef>
#include <cstdint>

namespace velloran::ephemeris {

enum class Body : std::uint8_t {
    Sun,
    Moon,
    Mercury,
    Venus,
    Mars,
    Jupiter,
    Saturn,
    Uranus,
    Neptune,
    Pluto,
    Chiron,
    Node,  // the Moon's ascending node, mean or true as asked
    // Computed when asked for: the four main asteroids (from the asteroid file, as Chiron) and
    // the mean lunar apogee (the mean Black Moon Lilith, from the library's lunar theory).
    Ceres,
    Pallas,
    Juno,
    Vesta,
    MeanApogee,
};

// The bodies computed on every call (Sun to Node), and all of them.
inline constexpr std::size_t kMainBodyCount = 12;
inline constexpr std::size_t kBodyCount = 17;

constexpr std::size_t Index(Body body) { return static_cast<std::size_t>(body); }

}  // namespace velloran::ephemeris
