#include "reading/Reading.h"

#include <cmath>
#include <limits>
#include <memory>

#include "astro/Engine.h"
#include "domain/Angles.h"
#include "domain/SignPosition.h"
#include "ephemeris/SwissEphemeris.h"
#include "reading/Precise.h"
#include "retro/Retrogrades.h"

namespace velloran {

namespace {

constexpr int kNorthNode = static_cast<int>(ChartBody::NorthNode);
constexpr int kSouthNode = static_cast<int>(ChartBody::SouthNode);
// Far more turns than a shifted longitude can need; guards the reduction against nonsense.
constexpr int kMaxTurns = 16;

void SetPlace(BodyPlace& place, double longitude, bool retrograde) {
    place.longitude = longitude;
    place.sign = std::isfinite(longitude) ? SignOfLongitude(longitude) : -1;
    place.retrograde = retrograde;
}

// The classic draconic longitudes: the engine's longitudes taken to 15 significant digits,
// shifted so that the node stands at 0° Aries. The node and the South Node are the origin and
// its opposite exactly: shifted like the bodies, the South Node would miss 180 by a rounding
// error and, when short of it, read 29° 59' 59" Vir.
std::array<double, kBodyCount> ClassicDraconic(const std::array<double, kBodyCount>& natal) {
    std::array<double, kBodyCount> out{};
    const double shift = 360 - RoundToFifteenDigits(natal[kNorthNode]);
    for (int k = 0; k < kBodyCount; ++k) {
        double value = shift + RoundToFifteenDigits(natal[k]);
        for (int turn = 0; value >= 360 && turn < kMaxTurns; ++turn) value -= 360;
        if (value >= 360) value = std::fmod(value, 360.0);
        out[k] = value;
    }
    out[kNorthNode] = 0.0;
    out[kSouthNode] = 180.0;
    return out;
}

Calculation CalculateClassic(Reading reading) {
    const BirthInput& input = reading.input;
    const BirthData& b = input.birth;
    const std::optional<ClassicPositions> positions =
        ComputeClassicPositions(b, input.zoneMinutesToUT);
    if (!positions) return {std::nullopt, "The chart could not be calculated for this birth."};
    reading.universalTimeHours = positions->universalTimeHours;
    reading.dayNumber = positions->dayNumber;
    const std::array<bool, kBodyCount> retrograde = RetrogradeBodies(b.Year, b.Month, b.Day);
    const std::array<double, kBodyCount> draconic = ClassicDraconic(positions->longitudes);
    for (int k = 0; k < kBodyCount; ++k) {
        SetPlace(reading.natal.bodies[k], positions->longitudes[k], retrograde[k]);
        SetPlace(reading.draconic.bodies[k], draconic[k], retrograde[k]);
    }
    reading.natal.bodyCount = kBodyCount;
    reading.draconic.bodyCount = kBodyCount;
    return {std::move(reading), {}};
}

Calculation CalculatePrecise(Reading reading, const PositionsSource& source) {
    std::unique_ptr<ephemeris::SwissEphemeris> own;
    ephemeris::SwissEphemeris* swiss = source.ephemeris;
    if (swiss == nullptr) swiss = (own = std::make_unique<ephemeris::SwissEphemeris>()).get();
    const PreciseCharts charts = ComputePreciseCharts(reading.input, *swiss, source.choice);
    // A chart with holes where the planets should be is no reading: refused with the reason.
    if (!charts.error.empty()) return {std::nullopt, charts.error};
    reading.universalTimeHours = charts.universalTimeHours;
    reading.dayNumber = charts.dayNumber;
    reading.note = charts.note;
    for (int k = 0; k < charts.bodyCount; ++k) {
        SetPlace(reading.natal.bodies[k], charts.natal[k], charts.retrograde[k]);
        SetPlace(reading.draconic.bodies[k], charts.draconic[k], charts.retrograde[k]);
    }
    reading.natal.bodyCount = charts.bodyCount;
    reading.draconic.bodyCount = charts.bodyCount;
    if (source.choice.houses == HouseSystem::WholeSign) {
        // Each chart's houses from its own ascendant's sign, as the classic charts.
        LayWholeSignHouses(reading.natal);
        LayWholeSignHouses(reading.draconic);
    } else {
        // The draconic cusps are the natal ones measured from the node: every body keeps its
        // natal house.
        const double node = charts.natal[kNorthNode];
        std::array<double, kSignCount> draconicCusps{};
        for (int h = 0; h < kSignCount; ++h) draconicCusps[h] = Degrees360(charts.cusps[h] - node);
        LayCuspHouses(reading.natal, charts.cusps, charts.houses);
        LayCuspHouses(reading.draconic, draconicCusps, charts.houses);
        if (charts.fellBack)
            reading.housesNote = HousesFallbackNote(source.choice.houses, charts.houses);
    }
    return {std::move(reading), {}};
}

}  // namespace

void LayWholeSignHouses(Chart& chart) {
    const int ascSign = chart[ChartBody::Ascendant].sign;
    const int rising = ascSign >= 0 ? ascSign : 0;
    chart.houses = HouseSystem::WholeSign;
    for (int h = 0; h < kSignCount; ++h) {
        chart.houseSigns[h] = (rising + h) % kSignCount;
        chart.cusps[h] = 30.0 * chart.houseSigns[h];
    }
    for (int k = 0; k < kMaxBodyCount; ++k) {
        BodyPlace& place = chart.bodies[k];
        if (k >= chart.bodyCount) {
            place = BodyPlace{};
            continue;
        }
        place.house = place.sign >= 0 ? (place.sign - rising + kSignCount) % kSignCount + 1 : 0;
    }
}

int HouseOfLongitude(const std::array<double, kSignCount>& cusps, double longitude) {
    if (!std::isfinite(longitude)) return 0;
    // A longitude a rounding error short of a cusp is on it: the midheaven and cusp 10 of the
    // quadrant systems, say, come from two formulas for one point.
    constexpr double kOnCusp = 1e-7;
    const auto after = DegreesAhead;
    // The cusps run forward through the zodiac, except inside the polar circles in the systems
    // that keep houses 8 to 12 above the horizon (Regiomontanus, Campanus), where they run back.
    double forward = 0.0;
    for (int h = 0; h < kSignCount; ++h) forward += after(cusps[h], cusps[(h + 1) % kSignCount]);
    const bool backward = forward > 720.0;
    for (int h = 0; h < kSignCount; ++h) {
        const double gap = backward ? after(cusps[h], longitude) : after(longitude, cusps[h]);
        if (gap < kOnCusp) return h + 1;
    }
    for (int h = 0; h < kSignCount; ++h) {
        const double next = cusps[(h + 1) % kSignCount];
        const bool inside = backward ? after(longitude, cusps[h]) < after(next, cusps[h])
                                     : after(cusps[h], longitude) < after(cusps[h], next);
        if (inside) return h + 1;
    }
    return 0;
}

void LayCuspHouses(Chart& chart, const std::array<double, kSignCount>& cusps, HouseSystem system) {
    chart.houses = system;
    chart.cusps = cusps;
    for (int h = 0; h < kSignCount; ++h) chart.houseSigns[h] = SignOfLongitude(cusps[h]);
    for (int k = 0; k < kMaxBodyCount; ++k) {
        BodyPlace& place = chart.bodies[k];
        if (k >= chart.bodyCount) {
            place = BodyPlace{};
            continue;
        }
        place.house = place.sign >= 0 ? HouseOfLongitude(cusps, place.longitude) : 0;
    }
}

std::array<double, kMaxBodyCount> ChartLongitudes(const Chart& chart) {
    std::array<double, kMaxBodyCount> out;
    out.fill(std::numeric_limits<double>::quiet_NaN());
    for (int k = 0; k < chart.bodyCount; ++k) out[k] = chart.bodies[k].longitude;
    return out;
}

Calculation Calculate(const BirthInput& input, const PositionsSource& source) {
    // At a pole every direction is south (or north): no horizon has an eastern point.
    if (input.birth.LatDeg == 90 && input.birth.LatMin == 0)
        return {std::nullopt,
                "There is no ascendant at the poles: please enter a latitude below 90 degrees."};
    Reading reading;
    reading.input = input;
    reading.positions = source.choice;
    const BirthData& b = input.birth;
    reading.latitude = (b.LatSouth ? -1.0 : 1.0) * (b.LatDeg + b.LatMin / 60.0);
    reading.longitude = (b.LongEast ? 1.0 : -1.0) * (b.LonDeg + b.LonMin / 60.0);
    if (!source.choice.precise()) {
        Calculation done = CalculateClassic(std::move(reading));
        if (done.reading) {
            LayWholeSignHouses(done.reading->natal);
            LayWholeSignHouses(done.reading->draconic);
        }
        return done;
    }
    return CalculatePrecise(std::move(reading), source);
}

}  // namespace velloran
