#include "reading/Precise.h"

#include <cmath>
#include <limits>

#include "astro/TimeScales.h"
#include "domain/SignPosition.h"
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
    {ChartBody::Sun, ephemeris::Body::Sun},         {ChartBody::Moon, ephemeris::Body::Moon},
    {ChartBody::Mercury, ephemeris::Body::Mercury}, {ChartBody::Venus, ephemeris::Body::Venus},
    {ChartBody::Mars, ephemeris::Body::Mars},       {ChartBody::Jupiter, ephemeris::Body::Jupiter},
    {ChartBody::Saturn, ephemeris::Body::Saturn},   {ChartBody::Uranus, ephemeris::Body::Uranus},
    {ChartBody::Neptune, ephemeris::Body::Neptune}, {ChartBody::Pluto, ephemeris::Body::Pluto},
    {ChartBody::Chiron, ephemeris::Body::Chiron},
};

constexpr int Index(ChartBody body) { return static_cast<int>(body); }

double Turn(double degrees) {
    double x = std::fmod(degrees, 360.0);
    if (x < 0) x += 360.0;
    return x < 360.0 ? x : 0.0;
}

void SetNames(PassState& state) {
    state.BodyNames = {};
    state.BodyLabels = {};
    state.WesternBodyNames = {};
    state.SignAbbrevs = {};
    for (int k = 0; k < kSignCount; ++k) state.SignAbbrevs[k] = kSignAbbreviations[k];
    for (int k = 0; k < kMaxBodyCount; ++k) {
        state.BodyNames[k] = kBodyNames[k];
        state.BodyLabels[k] = kBodyLabels[k];
        state.WesternBodyNames[k] = kWesternBodyNames[k];
        if (state.Retrograde[k]) {
            state.BodyNames[k] += kRetrogradeMark;
            state.BodyLabels[k] += kRetrogradeMark;
        }
    }
}

std::string MissingFilesNote(const ephemeris::Positions& positions) {
    std::string note = "The Swiss Ephemeris files were not found";
    if (!positions.message.empty()) note += " (" + positions.message + ")";
    return note + "; these positions come from its less precise built-in theory.";
}

}  // namespace

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
        out.longitudes[Index(ChartBody::NorthNode)] = Turn(north.longitude);
        out.longitudes[Index(ChartBody::SouthNode)] = Turn(north.longitude + 180.0);
    }
    return out;
}

bool BirthJulianDay(const PassState& state, double* jdUt) {
    const BirthData& b = state.Birth;
    const ZoneCorrected time = ZoneCorrectedTime(b, state.ZoneHoursToUT, state.ZoneMinutesToUT);
    if (!time.valid) return false;
    // The day number counts from noon; the birth's hours count from 0h of the local date.
    *jdUt = JulianDayNumber(b.Month, b.Day, b.Year) - 0.5 + time.ut / 24.0;
    return std::isfinite(*jdUt);
}

void RunPrecisePositions(ReadingState& state, ephemeris::SwissEphemeris& swiss, NodeKind node) {
    std::array<double, kMaxBodyCount> lon;
    lon.fill(kNaN);
    state.Retrograde = {};
    state.PositionsNote.clear();

    double jd = 0.0;
    const BirthData& b = state.Birth;
    const ZoneCorrected time = ZoneCorrectedTime(b, state.ZoneHoursToUT, state.ZoneMinutesToUT);
    ephemeris::Positions found;
    if (BirthJulianDay(state, &jd)) {
        double lat = b.LatDeg + b.LatMin / 60.0;
        if (b.LatSouth) lat = -lat;
        state.UniversalTimeHours = time.ut;
        state.DayNumber = jd - 2451545.0;
        found = swiss.Compute(
            jd, -time.lon, lat,
            node == NodeKind::True ? ephemeris::NodeKind::True : ephemeris::NodeKind::Mean);
    } else {
        found.message = "the birth's time zone could not be read";
    }
    if (found.status == ephemeris::Status::Error) {
        state.PositionsNote = "The precise positions could not be computed: " + found.message + ".";
    } else {
        if (found.status == ephemeris::Status::Fallback)
            state.PositionsNote = MissingFilesNote(found);
        const PreciseBodies bodies = PreciseChartBodies(found);
        lon = bodies.longitudes;
        state.Retrograde = bodies.retrograde;
        lon[Index(ChartBody::Ascendant)] = Turn(found.ascendant);
    }
    SetNames(state);

    // Natal: compact texts as the classic natal pass writes them.
    const double nodeLon = lon[Index(ChartBody::NorthNode)];
    for (int k = 0; k < kMaxBodyCount; ++k) {
        state.NatalLongitudes[k] = lon[k];
        state.DraconicRawLongitudes[k] = lon[k];
        const bool known = std::isfinite(lon[k]);
        state.NatalPositions[k] = known ? CompactSignPosition(FormatSignPosition(lon[k])) : "";
        state.NatalSigns[k] = known ? SignOfLongitude(lon[k]) : -1;
        // Draconic: every body measured from the node; the node itself is 0° Aries and the South
        // Node 0° Libra exactly.
        double draconic = kNaN;
        if (k == Index(ChartBody::NorthNode)) {
            draconic = std::isfinite(nodeLon) ? 0.0 : kNaN;
        } else if (k == Index(ChartBody::SouthNode)) {
            draconic = std::isfinite(nodeLon) ? 180.0 : kNaN;
        } else if (known && std::isfinite(nodeLon)) {
            draconic = Turn(lon[k] - nodeLon);
        }
        state.DraconicLongitudes[k] = draconic;
        state.DraconicPositions[k] = std::isfinite(draconic) ? FormatSignPosition(draconic) : "";
        BodyPlace& place = state.DraconicChart.bodies[k];
        place.longitude = draconic;
        place.sign = std::isfinite(draconic) ? SignOfLongitude(draconic) : -1;
    }
    state.NatalPositions[kMaxBodyCount].clear();
    state.DraconicPositions[kMaxBodyCount].clear();
    state.NatalChart.bodyCount = kMaxBodyCount;
    state.DraconicChart.bodyCount = kMaxBodyCount;
}

}  // namespace velloran
