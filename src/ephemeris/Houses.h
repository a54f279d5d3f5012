#pragma once
// House cusps, the ascendant and the midheaven from the Swiss Ephemeris, tropical, on the true
// ecliptic and equinox of date.
//
// The library's house functions keep no files open and need no data files, but they share the
// library's process-wide state with SwissEphemeris: call ComputeHouses from the thread that owns
// the SwissEphemeris object (it may be alive or not), never from two threads at once.

#include <array>
#include <string>

#include "domain/HouseSystem.h"

namespace velloran::ephemeris {

using velloran::HouseSystem;

struct HouseCusps {
    bool ok = false;
    std::string error;                           // why nothing was computed, when !ok
    HouseSystem system = HouseSystem::Porphyry;  // the system the cusps are of
    bool fellBack = false;  // Placidus or Koch asked inside the polar circles, where they have no
                            // cusps: the cusps are Porphyry's (system says so too)
    std::array<double, 12> cusps{};  // degrees [0, 360), house 1 first
    double ascendant = 0.0;  // the ecliptic's crossing of the eastern horizon, at every latitude
    double midheaven = 0.0;  // the MC: the ecliptic's point whose right ascension is the local
                             // sidereal time (below the horizon at times inside the polar circles)
};

// The houses at Julian day jdUt (universal time) for the place at latNorth degrees north
// [-90, 90] and lonEast degrees east [-180, 180]. Inside the polar circles Regiomontanus and
// Campanus put cusp 10 on the meridian's crossing above the horizon (the MC + 180 when the MC is
// below it) and houses 8 to 12 above the horizon. A non-finite or out-of-range argument, or a
// library failure, gives !ok.
HouseCusps ComputeHouses(double jdUt, double latNorth, double lonEast, HouseSystem system);

}  // namespace velloran::ephemeris
