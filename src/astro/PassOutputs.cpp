// The last entry point of a pass: name tables, Sun and planets, the lunar nodes, and the ten
// positions in chart order (compact texts in a natal pass, decimal longitudes in a draconic one).

#include <array>
#include <cmath>
#include <string>
#include <string_view>

#include "astro/Engine.h"
#include "astro/PlanetsInternal.h"
#include "astro/PositionTextInternal.h"
#include "astro/TimeScales.h"
#include "astro/TurnReduction.h"
#include "domain/Bodies.h"
#include "domain/SignPosition.h"

namespace velloran {

namespace {

// The node's own conversion factor, 180 / 3.1416 (57.29564553093965), not RadToDeg.
constexpr double kNodeRadToDeg = 180.0 / 3.1416;

// Element-table index (0 Mercury, 1 Venus, 2 Earth = Sun, 3 Mars, 4 Jupiter, 5 Saturn) of each
// chart body that the planet theory gives, with its ChartBody slot.
struct PlanetSlot {
    int p;
    ChartBody body;
};
constexpr PlanetSlot kPlanetSlots[6] = {
    {2, ChartBody::Sun},  {0, ChartBody::Mercury}, {1, ChartBody::Venus},
    {3, ChartBody::Mars}, {4, ChartBody::Jupiter}, {5, ChartBody::Saturn},
};

bool SameText(const std::string& a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < b.size(); ++i) {
        if (a[i] != b[i]) return false;
    }
    return true;
}

// Sets the first `count` entries of a table to their names and empties the rest (the spare
// slot, and in a body table the modern bodies', which a classic pass does not compute). Entries
// already right are left alone: only the retrograde marks of the previous pass need rewriting.
template <size_t N, size_t M>
void SetTable(std::array<std::string, N>& table, const std::array<std::string_view, M>& names,
              size_t count) {
    static_assert(N > M);
    for (size_t k = 0; k < count; ++k) {
        if (!SameText(table[k], names[k])) table[k] = names[k];
    }
    for (size_t k = count; k < N; ++k) {
        if (!table[k].empty()) table[k].clear();
    }
}

void FillNameTables(PassState& state) {
    SetTable(state.SignAbbrevs, kSignAbbreviations, kSignCount);
    SetTable(state.BodyNames, kBodyNames, kBodyCount);
    SetTable(state.BodyLabels, kBodyLabels, kBodyCount);
    SetTable(state.WesternBodyNames, kWesternBodyNames, kBodyCount);
}

// Natal list, entry by entry in chart order; a malformed Moon or ascendant text stops it there,
// leaving the later entries as they were.
void WriteNatalPositions(PassState& state, const std::array<double, kBodyCount>& lon) {
    for (int k = 0; k < kBodyCount; ++k) {
        std::string& entry = state.NatalPositions[k];
        bool written = false;
        int sign = -1;
        if (k == static_cast<int>(ChartBody::Moon)) {
            written = TryCompactSignPosition(state.MoonPositionText, &entry);
            sign = state.MoonSign;
        } else if (k == static_cast<int>(ChartBody::Ascendant)) {
            written = TryCompactSignPosition(state.NatalAscendantText, &entry);
            sign = state.NatalAscendantSign;
        } else {
            LongFormBuffer longForm;
            written = FormatSignPositionInto(lon[k], longForm) &&
                      TryCompactSignPosition(longForm.View(), &entry);
            sign = SignOfLongitude(lon[k]);
        }
        if (!written) return;
        state.NatalSigns[k] = sign;
    }
}

void WriteDraconicPositions(PassState& state, const std::array<double, kBodyCount>& lon) {
    for (int k = 0; k < kBodyCount; ++k) {
        double value = lon[k];
        if (k == static_cast<int>(ChartBody::Moon)) value = state.MoonLongitude;
        if (k == static_cast<int>(ChartBody::Ascendant)) value = state.AscendantLongitude;
        state.DraconicPositions[k] = DecimalText(value);
    }
}

}  // namespace

double NorthNodeLongitude(double d) {
    // Mean ascending node, decreasing 0.0529538083 degrees a day, less one degree.
    double node = Reduce2Pi((125.1228 - 0.0529538083 * d) * kDegToRad) * kNodeRadToDeg - 1.0;
    // The offset takes a node just past 0 Aries below zero: it stands in late Pisces. Every text,
    // list and decimal of the node is made from this value, so none shows a negative node.
    if (node < 0.0) node += 360.0;
    // A node a hair below zero rounds to a full turn, which is 0 Aries.
    return node < 360.0 ? node : 0.0;
}

double SouthNodeLongitude(double northNode) {
    return std::fabs(SubtractTurnsWhileAbove360(northNode + 180.0));
}

void RunPlanetPositions(PassState& state) {
    FillNameTables(state);

    const CalendarMoment ut =
        UniversalMoment(state.Birth, state.ZoneHoursToUT, state.ZoneMinutesToUT);
    if (!ut.valid) return;
    const double d = DaysSinceJ2000(ut.year, ut.month, ut.day, ut.hour, ut.minute);
    if (!std::isfinite(d)) return;

    const std::array<double, kPassBodies> planets = PlanetLongitudesAt(d);
    for (const double planet : planets) {
        if (!std::isfinite(planet)) return;
    }
    std::array<double, kBodyCount> lon{};
    for (const PlanetSlot& slot : kPlanetSlots) lon[static_cast<int>(slot.body)] = planets[slot.p];
    const double north = NorthNodeLongitude(d);
    const double south = SouthNodeLongitude(north);
    if (!std::isfinite(north) || !std::isfinite(south)) return;
    lon[static_cast<int>(ChartBody::NorthNode)] = north;
    lon[static_cast<int>(ChartBody::SouthNode)] = south;

    state.DayNumber = d;
    std::array<double, kMaxBodyCount>& report =
        state.DraconicPass ? state.DraconicRawLongitudes : state.NatalLongitudes;
    for (int k = 0; k < kBodyCount; ++k) {
        if (k != static_cast<int>(ChartBody::Moon) && k != static_cast<int>(ChartBody::Ascendant)) {
            report[k] = lon[k];
        }
    }
    if (state.DraconicPass) {
        WriteDraconicPositions(state, lon);
    } else {
        WriteNatalPositions(state, lon);
    }
}

}  // namespace velloran
