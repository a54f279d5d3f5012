// The classic positions of a birth: ascendant, Moon, Sun and planets, and the lunar nodes, in
// chart order.

#include <array>
#include <cmath>
#include <optional>

#include "astro/Engine.h"
#include "astro/PlanetsInternal.h"
#include "astro/TimeScales.h"
#include "astro/TurnReduction.h"
#include "domain/Bodies.h"

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

std::optional<ClassicPositions> ComputeClassicPositions(const BirthData& birth,
                                                        int zoneMinutesToUT) {
    ClassicPositions out;
    std::array<double, kBodyCount>& lon = out.longitudes;

    // The ascendant and the Moon from the universal time in hours of the local calendar date.
    const ZoneCorrected time = ZoneCorrectedTime(birth, zoneMinutesToUT);
    double lat = static_cast<double>(birth.LatDeg) + static_cast<double>(birth.LatMin) / 60.0;
    if (birth.LatSouth) lat = -lat;                                         // positive North
    const double j0 = JulianDayNumber(birth.Month, birth.Day, birth.Year);  // local calendar date
    lon[static_cast<int>(ChartBody::Ascendant)] = AscendantAt(j0, time.ut, time.lon, lat);
    lon[static_cast<int>(ChartBody::Moon)] = MoonLongitudeAt(j0, time.ut);
    out.universalTimeHours = time.ut;

    // The Sun, planets and nodes from the day number of the same moment to the minute.
    const CalendarMoment ut = UniversalMoment(birth, zoneMinutesToUT);
    const double d = DaysSinceJ2000(ut.year, ut.month, ut.day, ut.hour, ut.minute);
    out.dayNumber = d;
    const std::array<double, kPassBodies> planets = PlanetLongitudesAt(d);
    for (const PlanetSlot& slot : kPlanetSlots) lon[static_cast<int>(slot.body)] = planets[slot.p];
    const double north = NorthNodeLongitude(d);
    lon[static_cast<int>(ChartBody::NorthNode)] = north;
    lon[static_cast<int>(ChartBody::SouthNode)] = SouthNodeLongitude(north);

    if (!std::isfinite(d) || !std::isfinite(time.ut)) return std::nullopt;
    for (const double x : lon) {
        if (!std::isfinite(x)) return std::nullopt;
    }
    return out;
}

}  // namespace velloran
