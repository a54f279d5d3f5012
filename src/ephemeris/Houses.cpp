#include "ephemeris/Houses.h"

#include <cmath>
#include <numbers>
#include <utility>

#include "domain/Angles.h"
#include "swephexp.h"

namespace velloran::ephemeris {
namespace {

// The library's house-system letters, in HouseSystem order.
constexpr std::array<int, kHouseSystems.size()> kLetters = {'W', 'E', 'O', 'P', 'K', 'R', 'C', 'B'};

int Letter(HouseSystem system) { return kLetters[static_cast<std::size_t>(system)]; }

constexpr double kDegToRad = std::numbers::pi / 180.0;
constexpr double kArcsecToDeg = 1.0 / 3600.0;

HouseCusps Failed(std::string why) {
    HouseCusps out;
    out.error = std::move(why);
    return out;
}

// Apparent sidereal time at Greenwich in degrees: the IAU 2006 Greenwich mean sidereal time from
// the Earth rotation angle, plus the equation of the equinoxes. The library's own sidereal time
// (swe_houses_ex) follows this model only within 1850-2050 and moves away from it outside (by
// 1.9" late in 2050); the IAU model holds here for every date.
double ApparentSiderealTime(double jdUt, double jdTt, double nutationLonDeg, double meanEpsDeg) {
    const double du = jdUt - 2451545.0;
    const double era = 360.0 * (0.7790572732640 + 0.00273781191135448 * du + std::fmod(du, 1.0));
    const double t = (jdTt - 2451545.0) / 36525.0;
    const double polynomial =
        0.014506 +
        t * (4612.156534 + t * (1.3915817 + t * (-0.00000044 + t * (-0.000029956 - t * 3.68e-8))));
    // The Moon's mean node, for the largest complementary terms of the equation of the equinoxes.
    const double node = (125.04455501 - 1934.1362619 * t) * kDegToRad;
    const double equinoxes =
        nutationLonDeg * std::cos(meanEpsDeg * kDegToRad) +
        (0.00264096 * std::sin(node) + 0.00006352 * std::sin(2.0 * node)) * kArcsecToDeg;
    return Degrees360(era + polynomial * kArcsecToDeg + equinoxes);
}

// The ecliptic longitude of right ascension ra (degrees).
double LongitudeOfRa(double ra, double eps) {
    const double r = ra * kDegToRad;
    return Degrees360(std::atan2(std::sin(r), std::cos(r) * std::cos(eps * kDegToRad)) / kDegToRad);
}

}  // namespace

HouseCusps ComputeHouses(double jdUt, double latNorth, double lonEast, HouseSystem system) {
    if (!std::isfinite(jdUt)) return Failed("the Julian day is not a number");
    if (!(std::fabs(latNorth) <= 90.0))
        return Failed("the latitude is not within -90 to 90 degrees");
    if (!(std::fabs(lonEast) <= 180.0))
        return Failed("the longitude is not within -180 to 180 degrees");

    char serr[AS_MAXCH] = "";
    // Nutation, the true obliquity of date and delta T come from analytic series. The files'
    // flag, as SwissEphemeris uses, matters: asking with another ephemeris's flag in between
    // resets the library's open files and spoils the next positions.
    double nut[6];
    if (swe_calc_ut(jdUt, SE_ECL_NUT, SEFLG_SWIEPH, nut, serr) < 0) return Failed(serr);
    const double eps = nut[0];
    const double jdTt = jdUt + swe_deltat_ex(jdUt, SEFLG_SWIEPH, serr);
    const double armc = Degrees360(ApparentSiderealTime(jdUt, jdTt, nut[2], nut[1]) + lonEast);

    double cusps[13], ascmc[10], cuspSpeed[13], ascmcSpeed[10];
    serr[0] = '\0';
    const int used = swe_houses_armc_ex2(armc, latNorth, eps, Letter(system), cusps, ascmc,
                                         cuspSpeed, ascmcSpeed, serr);
    const bool polar = std::fabs(latNorth) >= 90.0 - eps;
    const bool noCusps = system == HouseSystem::Placidus || system == HouseSystem::Koch;
    if (used < 0 && !(noCusps && polar))
        return Failed(serr[0] != '\0' ? serr : "the houses could not be computed");
    for (int k = 0; k < 3; ++k) {
        if (!std::isfinite(ascmc[k])) return Failed("the houses could not be computed");
    }
    for (int k = 1; k <= 12; ++k) {
        if (!std::isfinite(cusps[k])) return Failed("the houses could not be computed");
    }

    // The library's conventions are this program's: the ascendant is the eastern crossing of
    // ecliptic and horizon at every latitude, and inside the polar circles Regiomontanus and
    // Campanus keep cusp 10 and houses 8 to 12 above the horizon. For those two it then reports
    // the upper meridian's point as the MC as well, so the MC is taken from the meridian here.
    HouseCusps out;
    out.ok = true;
    out.system = used < 0 ? HouseSystem::Porphyry : system;
    out.fellBack = used < 0;
    out.ascendant = Degrees360(ascmc[0]);
    out.midheaven = LongitudeOfRa(armc, eps);
    for (int k = 0; k < 12; ++k) out.cusps[k] = Degrees360(cusps[k + 1]);
    return out;
}

}  // namespace velloran::ephemeris
