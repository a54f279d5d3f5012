#include "reading/Precise.h"

#include <cmath>
#include <limits>

#include "astro/TimeScales.h"
#include "domain/Angles.h"
#include "ephemeris/Houses.h"
#include "ephemeris/SwissEphemeris.h"

namespace velloran {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Where each chart body comes from in the ephemeris's list (the node and the ascendant aside).
struct BodySource {
    ChartBody body;
    ephemeris::Body source;
};
constexpr BodySource kSources[] = {
    {ChartBody::Sun, ephemeris::Body::Sun},
    {ChartBody::Moon, ephemeris::Body::Moon},
    {ChartBody::Mercury, ephemeris::Body::Mercury},
    {ChartBody::Venus, ephemeris::Body::Venus},
    {ChartBody::Mars, ephemeris::Body::Mars},
    {ChartBody::Jupiter, ephemeris::Body::Jupiter},
    {ChartBody::Saturn, ephemeris::Body::Saturn},
    {ChartBody::Uranus, ephemeris::Body::Uranus},
    {ChartBody::Neptune, ephemeris::Body::Neptune},
    {ChartBody::Pluto, ephemeris::Body::Pluto},
    {ChartBody::Chiron, ephemeris::Body::Chiron},
    {ChartBody::Ceres, ephemeris::Body::Ceres},
    {ChartBody::Pallas, ephemeris::Body::Pallas},
    {ChartBody::Juno, ephemeris::Body::Juno},
    {ChartBody::Vesta, ephemeris::Body::Vesta},
    {ChartBody::Lilith, ephemeris::Body::MeanApogee},
};

// Bodies whose file is optional: without it they stay empty with the note.
constexpr bool OptionalBody(ChartBody body) {
    return body == ChartBody::Chiron || (body >= ChartBody::Ceres && body <= ChartBody::Vesta);
}

constexpr int Index(ChartBody body) { return static_cast<int>(body); }

}  // namespace

std::string MissingFilesNote(const ephemeris::Positions& positions) {
    std::string note = "The Swiss Ephemeris files were not found";
    if (!positions.message.empty()) note += " (" + positions.message + ")";
    return note + "; these positions come from its less precise built-in theory.";
}

PreciseBodies PreciseChartBodies(const ephemeris::Positions& found) {
    PreciseBodies out;
    out.longitudes.fill(kNaN);
    if (found.status == ephemeris::Status::Error) return out;
    for (const BodySource& s : kSources) {
        const ephemeris::BodyPosition& p = found[s.source];
        if (!p.available) continue;
        out.longitudes[Index(s.body)] = p.longitude;
        out.retrograde[Index(s.body)] = CanBePreciseRetrograde(s.body) && p.retrograde;
    }
    const ephemeris::BodyPosition& north = found[ephemeris::Body::Node];
    if (north.available) {
        out.longitudes[Index(ChartBody::NorthNode)] = Degrees360(north.longitude);
        out.longitudes[Index(ChartBody::SouthNode)] = Degrees360(north.longitude + 180.0);
    }
    return out;
}

std::optional<double> BirthJulianDay(const BirthInput& input) {
    const BirthData& b = input.birth;
    const ZoneCorrected time = ZoneCorrectedTime(b, input.zoneMinutesToUT);
    // The day number counts from noon; the birth's hours count from 0h of the local date.
    const double jd = JulianDayNumber(b.Month, b.Day, b.Year) - 0.5 + time.ut / 24.0;
    if (!std::isfinite(jd)) return std::nullopt;
    return jd;
}

PreciseCharts ComputePreciseCharts(const BirthInput& input, ephemeris::SwissEphemeris& swiss,
                                   const PositionsChoice& choice) {
    PreciseCharts out;
    out.bodyCount = choice.asteroids ? kMaxBodyCount : kPreciseBodyCount;
    std::array<double, kMaxBodyCount>& lon = out.natal;
    lon.fill(kNaN);

    const BirthData& b = input.birth;
    const ZoneCorrected time = ZoneCorrectedTime(b, input.zoneMinutesToUT);
    ephemeris::Positions found;
    ephemeris::HouseCusps houses;
    if (const std::optional<double> jd = BirthJulianDay(input)) {
        double lat = b.LatDeg + b.LatMin / 60.0;
        if (b.LatSouth) lat = -lat;
        out.universalTimeHours = time.ut;
        out.dayNumber = *jd - 2451545.0;
        found = swiss.Compute(
            *jd, -time.lon, lat,
            choice.node == NodeKind::True ? ephemeris::NodeKind::True : ephemeris::NodeKind::Mean,
            choice.asteroids);
        if (found.status != ephemeris::Status::Error) {
            houses = ephemeris::ComputeHouses(*jd, lat, -time.lon, choice.houses);
            if (!houses.ok) {
                found.status = ephemeris::Status::Error;
                found.message = houses.error;
            }
        }
    } else {
        found.message = "the birth's moment could not be computed";
    }
    if (found.status == ephemeris::Status::Error) {
        std::string reason = found.message;
        while (!reason.empty() && (reason.back() == '.' || reason.back() == ' ')) reason.pop_back();
        out.error = "The precise positions could not be computed: " + reason + ".";
    } else {
        if (found.status == ephemeris::Status::Fallback) out.note = MissingFilesNote(found);
        const PreciseBodies bodies = PreciseChartBodies(found);
        lon = bodies.longitudes;
        out.retrograde = bodies.retrograde;
        lon[Index(ChartBody::Ascendant)] = Degrees360(houses.ascendant);
        lon[Index(ChartBody::Midheaven)] = Degrees360(houses.midheaven);
        out.houses = houses.system;
        out.fellBack = houses.fellBack;
        for (int h = 0; h < kSignCount; ++h) out.cusps[h] = Degrees360(houses.cusps[h]);
    }
    for (int k = out.bodyCount; k < kMaxBodyCount; ++k) {
        lon[k] = kNaN;
        out.retrograde[k] = false;
    }

    for (int k = 0; out.error.empty() && k < out.bodyCount; ++k) {
        if (!OptionalBody(static_cast<ChartBody>(k)) && !std::isfinite(lon[k]))
            out.error = "The precise positions could not be computed for this birth: the " +
                        std::string(kBodyTitles[k]) + " has no position.";
    }

    // Draconic: every body measured from the node; the node itself is 0° Aries and the South
    // Node 0° Libra exactly.
    const double nodeLon = lon[Index(ChartBody::NorthNode)];
    for (int k = 0; k < kMaxBodyCount; ++k) {
        double draconic = kNaN;
        if (k == Index(ChartBody::NorthNode)) {
            draconic = std::isfinite(nodeLon) ? 0.0 : kNaN;
        } else if (k == Index(ChartBody::SouthNode)) {
            draconic = std::isfinite(nodeLon) ? 180.0 : kNaN;
        } else if (std::isfinite(lon[k]) && std::isfinite(nodeLon)) {
            draconic = Degrees360(lon[k] - nodeLon);
        }
        out.draconic[k] = draconic;
    }
    return out;
}

}  // namespace velloran
