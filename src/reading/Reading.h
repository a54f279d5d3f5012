#pragma once
// A calculated reading as one value: the birth, its moment and place as numbers, the positions
// it was computed with, and the natal and draconic charts. Calculate makes it; every window,
// export and report is formatted from it.

#include <optional>
#include <string>

#include "domain/BirthData.h"
#include "domain/Chart.h"
#include "domain/PositionsChoice.h"

namespace velloran {

namespace ephemeris {
class SwissEphemeris;
}

// Where a reading's positions come from: the choice, and for the precise positions the
// program's one Swiss Ephemeris (the caller keeps it alive and calls from one thread). Without
// one, a precise calculation opens the library for the call.
struct PositionsSource {
    PositionsChoice choice;
    ephemeris::SwissEphemeris* ephemeris = nullptr;
};

struct Reading {
    BirthInput input;  // the birth and the zone row it was typed with
    // The moment: universal time in decimal hours from 0h of the local calendar date (may lie
    // outside 0..24), and the day number from J2000.0 (classic: of the planets' whole-minute
    // moment; precise: of the Julian day in universal time).
    double universalTimeHours = 0.0;
    double dayNumber = 0.0;
    // The place in degrees, north and east positive.
    double latitude = 0.0;
    double longitude = 0.0;
    PositionsChoice positions;
    // Natal: the longitudes as computed. Draconic: every body measured from the North Node, the
    // node at 0° Aries and the South Node at 0° Libra. A body the ephemeris could not compute has
    // a NaN longitude and no sign.
    Chart natal;
    Chart draconic;
    // With the precise positions: why they are less precise than asked or could not be computed
    // (the ephemeris files missing, the library failing); empty otherwise.
    std::string note;
    // When the house system asked for has no cusps at the birth's latitude: what was shown
    // instead ("Placidus has no cusps at this latitude; Porphyry houses shown"); empty otherwise.
    std::string housesNote;

    const BirthData& birth() const { return input.birth; }
    const Chart& chart(ChartKind kind) const { return kind == ChartKind::Natal ? natal : draconic; }
};

// The reading of a birth the form's checks accepted, or the message saying why it cannot be
// calculated (the arithmetic of a body failed).
struct Calculation {
    std::optional<Reading> reading;
    std::string error;
};
Calculation Calculate(const BirthInput& input, const PositionsSource& source = {});

// Whole-sign houses: house 1 is the sign of the chart's ascendant, or Aries when it has none; a
// body without a sign is in no house (0).
void LayWholeSignHouses(Chart& chart);

// Houses from cusps (degrees, house 1 first) of a system: each body is in the house whose cusp
// it has passed last (a body on a cusp is in that cusp's house), each house's sign is the sign on
// its cusp; a body without a longitude is in no house (0).
void LayCuspHouses(Chart& chart, const std::array<double, kSignCount>& cusps, HouseSystem system);

// The house 1..12 whose cusp longitude has passed last; 0 when it is not finite.
int HouseOfLongitude(const std::array<double, kSignCount>& cusps, double longitude);

// The longitudes of a chart's bodies in ChartBody order (those beyond its body count NaN).
std::array<double, kMaxBodyCount> ChartLongitudes(const Chart& chart);

}  // namespace velloran
