#include "TrigFloor.h"

#include <cmath>

#include "astro/Engine.h"
#include "astro/TimeScales.h"

namespace velloran::bench {

namespace {

// Multiples of D, M, M', F in the Moon's 25 longitude terms.
constexpr int kMoonTerms[25][4] = {
    {0, 0, 1, 0},  {2, 0, -1, 0}, {2, 0, 0, 0},   {0, 0, 2, 0},  {0, 1, 0, 0},
    {0, 0, 0, 2},  {2, 0, -2, 0}, {2, -1, -1, 0}, {2, 0, 1, 0},  {2, -1, 0, 0},
    {0, 1, -1, 0}, {1, 0, 0, 0},  {0, 1, 1, 0},   {2, 0, 0, -2}, {0, 0, 1, 2},
    {0, 0, 1, -2}, {4, 0, -1, 0}, {0, 0, 3, 0},   {4, 0, -2, 0}, {2, 1, -1, 0},
    {2, 1, 0, 0},  {1, 0, -1, 0}, {1, 1, 0, 0},   {2, -1, 1, 0}, {2, 0, 2, 0},
};

// Kepler's equation as the engine solves it, noting each trigonometric call.
double KeplerTrig(double M, double e, TrigCalls& calls) {
    calls.sinCosArgs.push_back(M);
    double E = M + e * std::sin(M) * (1.0 + e * std::cos(M));
    for (int n = 0; n < 100; ++n) {
        const double E0 = E;
        calls.sinCosArgs.push_back(E0);
        E = E0 - (E0 - e * std::sin(E0) - M) / (1.0 - e * std::cos(E0));
        if (std::fabs(E - E0) <= 1e-12) break;
    }
    calls.tanArgs.push_back(E / 2.0);
    const double w = std::sqrt((1.0 + e) / (1.0 - e)) * std::tan(E / 2.0);
    calls.atanArgs.push_back(w);
    double nu = 2.0 * std::atan(w);
    if (nu < 0.0) nu += kTwoPi;
    return nu;
}

}  // namespace

TrigCalls NatalPassTrig(const BenchBirth& birth, bool earthPerBody) {
    TrigCalls calls;
    const BirthData& b = birth.input.birth;
    const ZoneCorrected ut = ZoneCorrectedTime(b, birth.input.zoneMinutesToUT);
    const double j0 = JulianDayNumber(b.Month, b.Day, b.Year);

    // Ascendant.
    const double T1900 = (j0 - 2415020.0 + ut.ut / 24.0 - 0.5) / 36525.0;
    double theta =
        (6.6460656 + 2400.0513 * T1900 + 0.0000258 * (T1900 * T1900) + ut.ut) * 15.0 - ut.lon;
    theta = std::fmod(theta, 360.0);
    const double ramc = theta * kDegToRad;
    const double eps = (23.452294 - 0.0130125 * T1900) * kDegToRad;
    calls.sinCosArgs.push_back(ramc);
    calls.sinCosArgs.push_back(eps);
    calls.tanArgs.push_back(birth.latNorth * kDegToRad);
    const double y = std::cos(ramc);
    const double x =
        -std::sin(ramc) * std::cos(eps) - std::sin(eps) * std::tan(birth.latNorth * kDegToRad);
    calls.atanArgs.push_back(y / x);

    // Moon.
    const double T = (j0 - 2451545.0 + ut.ut / 24.0 - 0.5) / 36525.0;
    const double D = (297.8502042 + 445267.1115168 * T) * kDegToRad;
    const double M = (357.5291092 + 35999.0502909 * T) * kDegToRad;
    const double Mp = (134.9634114 + 477198.8676313 * T) * kDegToRad;
    const double F = (93.2720993 + 483202.0175273 * T) * kDegToRad;
    for (const auto& t : kMoonTerms)
        calls.sinArgs.push_back(t[0] * D + t[1] * M + t[2] * Mp + t[3] * F);

    // Earth, then the Sun and five planets.
    const CalendarMoment m = UniversalMoment(b, birth.input.zoneMinutesToUT);
    const double d = DaysSinceJ2000(m.year, m.month, m.day, m.hour, m.minute);
    const OrbitalElementSet earth = OrbitalElements(2, d);
    auto earthTrig = [&] {
        const double nu =
            KeplerTrig(Reduce2Pi(earth.meanLongitude - earth.perihelion), earth.e, calls);
        calls.cosArgs.push_back(nu);
        calls.sinCosArgs.push_back(nu + earth.perihelion);
        return nu;
    };
    const double nuE = earthTrig();
    const double rE = earth.a * (1.0 - earth.e * earth.e) / (1.0 + earth.e * std::cos(nuE));
    const double xE = rE * std::cos(nuE + earth.perihelion);
    const double yE = rE * std::sin(nuE + earth.perihelion);
    calls.atanArgs.push_back(yE / xE);  // the Sun
    for (int p : {0, 1, 3, 4, 5}) {
        if (earthPerBody) earthTrig();
        const OrbitalElementSet el = OrbitalElements(p, d);
        const double nu = KeplerTrig(Reduce2Pi(el.meanLongitude - el.perihelion), el.e, calls);
        const double r = el.a * (1.0 - el.e * el.e) / (1.0 + el.e * std::cos(nu));
        const double u = nu + el.perihelion - el.node;
        calls.cosArgs.push_back(nu);
        calls.sinCosArgs.push_back(el.node);
        calls.sinCosArgs.push_back(u);
        calls.cosArgs.push_back(el.i);
        const double X = r * (std::cos(el.node) * std::cos(u) -
                              std::sin(el.node) * std::sin(u) * std::cos(el.i)) -
                         xE;
        const double Y = r * (std::sin(el.node) * std::cos(u) +
                              std::cos(el.node) * std::sin(u) * std::cos(el.i)) -
                         yE;
        calls.atanArgs.push_back(Y / X);
    }
    return calls;
}

}  // namespace velloran::bench
