// Sun and planets: mean Keplerian elements of J2000.0 (valid 1800..2050), Kepler's equation,
// heliocentric positions of the body and the Earth, and the geocentric direction between them.
// Longitudes are referred to the mean ecliptic and equinox of J2000.0.

#include <cmath>
#include <limits>

#include "astro/Engine.h"
#include "astro/PlanetsInternal.h"
#include "astro/TimeScales.h"
#include "astro/TurnReduction.h"

namespace velloran {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kKeplerTolerance = 1e-12;  // radians
constexpr int kKeplerIterationLimit = 100;  // e < 1 converges in a handful
// The planets' final angle uses 180 / Pi with Pi = 3.14159265358979 (57.29577951308238).
constexpr double kPlanetRadToDeg = 180.0 / kPi;

// Base values at J2000.0 and rates per Julian century: a (AU), e; i, node, perihelion and mean
// longitude in degrees with rates in arcseconds.
struct ElementRow {
    double a, aRate, e, eRate, i, iRate, node, nodeRate, peri, periRate, L, LRate;
};

constexpr ElementRow kElements[6] = {
    {0.38709893, 0.00000066, 0.20563069, 0.00002527, 7.00487, -23.51, 48.33167, -446.30, 77.45645,
     573.57, 252.25084, 538101628.29},  // Mercury
    {0.72333199, 0.00000092, 0.00677323, -0.00004938, 3.39471, -2.86, 76.68069, -996.89, 131.53298,
     -108.80, 181.97973, 210664136.06},  // Venus
    {1.00000011, -0.00000005, 0.01671022, -0.00003804, 0.00005, -46.94, -11.26064, -18228.25,
     102.94719, 1198.28, 100.46435, 129597740.63},  // Earth
    {1.52366231, -0.00007221, 0.09341233, 0.00011902, 1.85061, -25.47, 49.57854, -1020.19,
     336.04084, 1560.78, 355.45332, 68905103.78},  // Mars
    {5.20336301, 0.00060737, 0.04839266, -0.00012880, 1.30530, -4.15, 100.55615, 1217.17, 14.75385,
     839.93, 34.40438, 10925078.35},  // Jupiter
    {9.53707032, -0.00301530, 0.05415060, -0.00036762, 2.48446, 6.11, 113.71504, -1591.05, 92.43194,
     -1948.89, 49.94432, 4401052.95},  // Saturn
};

}  // namespace

OrbitalElementSet OrbitalElements(int p, double d) {
    const ElementRow& row = kElements[p];
    const double T = d / 36525.0;
    OrbitalElementSet el;
    el.a = row.a + row.aRate * T;
    el.e = row.e + row.eRate * T;
    el.i = (row.i + row.iRate * T / 3600.0) * kDegToRad;
    el.node = (row.node + row.nodeRate * T / 3600.0) * kDegToRad;
    el.perihelion = (row.peri + row.periRate * T / 3600.0) * kDegToRad;
    el.meanLongitude = Reduce2Pi((row.L + row.LRate * T / 3600.0) * kDegToRad);
    return el;
}

void SolveKeplerTogether(const double* meanAnomaly, const double* e, double* nu, int n) {
    if (n > kPassBodies) {
        SolveKeplerTogether(meanAnomaly + kPassBodies, e + kPassBodies, nu + kPassBodies,
                            n - kPassBodies);
        n = kPassBodies;
    }
    // Each body runs exactly the operations of its own solution; interleaving the independent
    // iterations of several bodies only lets the processor overlap them.
    double E[kPassBodies];
    bool active[kPassBodies];
    int remaining = 0;
    for (int j = 0; j < n; ++j) {
        const double M = meanAnomaly[j];
        active[j] = std::isfinite(M) && e[j] >= 0.0 && e[j] < 1.0;
        nu[j] = kNaN;
        if (active[j]) {
            E[j] = M + e[j] * std::sin(M) * (1.0 + e[j] * std::cos(M));
            ++remaining;
        }
    }
    for (int iteration = 0; iteration < kKeplerIterationLimit && remaining > 0; ++iteration) {
        for (int j = 0; j < n; ++j) {
            if (!active[j]) continue;
            const double E0 = E[j];
            E[j] = E0 - (E0 - e[j] * std::sin(E0) - meanAnomaly[j]) / (1.0 - e[j] * std::cos(E0));
            if (std::fabs(E[j] - E0) <= kKeplerTolerance) {
                active[j] = false;
                --remaining;
                double v =
                    2.0 * std::atan(std::sqrt((1.0 + e[j]) / (1.0 - e[j])) * std::tan(E[j] / 2.0));
                if (v < 0.0) v = v + kTwoPi;
                nu[j] = v;
            }
        }
    }
    // A body still active after the iteration limit did not converge: its nu stays NaN.
}

double SolveKepler(double meanAnomaly, double e) {
    double nu = kNaN;
    SolveKeplerTogether(&meanAnomaly, &e, &nu, 1);
    return nu;
}

namespace {

double MeanAnomaly(const OrbitalElementSet& el) {
    return Reduce2Pi(el.meanLongitude - el.perihelion);
}

// The Earth's heliocentric position; its inclination and node are not used (its orbit is
// taken in the ecliptic).
HeliocentricPoint EarthFrom(const OrbitalElementSet& earth, double nu) {
    const double r = earth.a * (1.0 - earth.e * earth.e) / (1.0 + earth.e * std::cos(nu));
    return {r * std::cos(nu + earth.perihelion), r * std::sin(nu + earth.perihelion)};
}

// A planet's heliocentric ecliptic position from its elements and true anomaly.
HeliocentricPoint PlanetFrom(const OrbitalElementSet& el, double nu) {
    const double r = el.a * (1.0 - el.e * el.e) / (1.0 + el.e * std::cos(nu));
    const double u = nu + el.perihelion - el.node;  // argument of latitude
    const double cosNode = std::cos(el.node), sinNode = std::sin(el.node);
    const double cosU = std::cos(u), sinU = std::sin(u), cosI = std::cos(el.i);
    return {r * (cosNode * cosU - sinNode * sinU * cosI),
            r * (sinNode * cosU + cosNode * sinU * cosI)};
}

// Direction from the Earth to a heliocentric point (the Sun is the origin), degrees [0, 360).
double GeocentricLongitude(const HeliocentricPoint& body, const HeliocentricPoint& earth) {
    const double X = body.x - earth.x;
    const double Y = body.y - earth.y;
    double lambda = QuadrantArcTan(Y, X) * kPlanetRadToDeg;
    if (!std::isfinite(lambda)) return kNaN;
    lambda = SubtractTurnsWhileAbove360(lambda);
    lambda = AddTurnsWhileNegative(lambda);
    return lambda;
}

}  // namespace

std::array<double, kPassBodies> PlanetLongitudesAt(double d) {
    OrbitalElementSet el[kPassBodies];
    double M[kPassBodies], e[kPassBodies], nu[kPassBodies];
    for (int p = 0; p < kPassBodies; ++p) {
        el[p] = OrbitalElements(p, d);
        M[p] = MeanAnomaly(el[p]);
        e[p] = el[p].e;
    }
    SolveKeplerTogether(M, e, nu, kPassBodies);
    const HeliocentricPoint earth = EarthFrom(el[2], nu[2]);
    std::array<double, kPassBodies> lon;
    for (int p = 0; p < kPassBodies; ++p) {
        const HeliocentricPoint body = p == 2 ? HeliocentricPoint{} : PlanetFrom(el[p], nu[p]);
        lon[p] = GeocentricLongitude(body, earth);
    }
    return lon;
}

double PlanetLongitude(int p, double d) {
    if (p < 0 || p >= kPassBodies) return kNaN;
    return PlanetLongitudesAt(d)[p];
}

}  // namespace velloran
