#include "ephemeris/SwissEphemeris.h"

#include <cmath>
#include <utility>

#include "domain/Angles.h"
#include "swephexp.h"

namespace velloran::ephemeris {
namespace {

// The library's numbers of the bodies, in Body's order (the node's is chosen by its kind).
constexpr std::array<int32, kBodyCount> kSweBodies = {
    SE_SUN,    SE_MOON,   SE_MERCURY, SE_VENUS, SE_MARS,     SE_JUPITER,
    SE_SATURN, SE_URANUS, SE_NEPTUNE, SE_PLUTO, SE_CHIRON,   SE_MEAN_NODE,
    SE_CERES,  SE_PALLAS, SE_JUNO,    SE_VESTA, SE_MEAN_APOG};

// Bodies with no built-in theory: without their file they are left out, not guessed.
constexpr bool NeedsAsteroidFile(Body body) {
    return body == Body::Chiron || (body >= Body::Ceres && body <= Body::Vesta);
}

// Apparent geocentric positions on the true ecliptic of date (the library's defaults) from the
// data files, with the daily motion.
constexpr int32 kFlags = SEFLG_SWIEPH | SEFLG_SPEED;

// Equal houses: only the ascendant is read, and this system has no latitude limit.
constexpr int kHouseSystem = 'E';

Positions Failed(Positions out, std::string why) {
    out.status = Status::Error;
    out.message = std::move(why);
    out.bodies = {};
    out.ascendant = 0.0;
    return out;
}

// The library's note on one line: its notes break lines and end in spaces.
std::string OneLine(const char* note) {
    std::string line;
    for (const char* c = note; *c != '\0'; ++c) {
        const bool space = *c == '\n' || *c == '\r' || *c == ' ';
        if (!space || (!line.empty() && line.back() != ' ')) line += space ? ' ' : *c;
    }
    while (!line.empty() && line.back() == ' ') line.pop_back();
    return line;
}

// Appends one of the library's notes to the message, once.
void AddNote(std::string& message, const char* note) {
    const std::string line = OneLine(note);
    if (line.empty() || message.find(line) != std::string::npos) return;
    if (!message.empty()) message += ' ';
    message += line;
}

}  // namespace

const char* DefaultEphemerisPath() { return VELLORAN_SWE_EPHE_PATH; }

bool StatePerThread() {
#ifdef VELLORAN_SWE_THREAD_LOCAL
    return true;
#else
    return false;
#endif
}

SwissEphemeris::SwissEphemeris(std::string ephemerisPath)
    : m_ephemerisPath(std::move(ephemerisPath)) {
    swe_set_ephe_path(m_ephemerisPath.c_str());
}

SwissEphemeris::~SwissEphemeris() { swe_close(); }

Positions SwissEphemeris::Compute(double jdUt, double lonEast, double latNorth, NodeKind node,
                                  bool asteroids) {
    Positions out;
    out.node = node;
    if (!std::isfinite(jdUt)) return Failed(std::move(out), "the Julian day is not a number");
    if (!(std::fabs(lonEast) <= 180.0))
        return Failed(std::move(out), "the longitude is not within -180 to 180 degrees");
    if (!(std::fabs(latNorth) <= 90.0))
        return Failed(std::move(out), "the latitude is not within -90 to 90 degrees");

    out.status = Status::Files;
    char note[AS_MAXCH];
    double xx[6];
    const std::size_t count = asteroids ? kBodyCount : kMainBodyCount;
    for (std::size_t k = 0; k < count; ++k) {
        const Body body = static_cast<Body>(k);
        const int32 ipl = body == Body::Node
                              ? (node == NodeKind::True ? SE_TRUE_NODE : SE_MEAN_NODE)
                              : kSweBodies[k];
        note[0] = '\0';
        const int32 used = swe_calc_ut(jdUt, ipl, kFlags, xx, note);
        if (used < 0 && NeedsAsteroidFile(body)) {
            out.status = Status::Fallback;
            AddNote(out.message, note);
            continue;
        }
        if (used < 0) return Failed(std::move(out), OneLine(note));
        if (!std::isfinite(xx[0]) || !std::isfinite(xx[3]))
            return Failed(std::move(out), "the ephemeris gave no finite position");
        if ((used & SEFLG_SWIEPH) == 0) {
            out.status = Status::Fallback;
            AddNote(out.message, note);
        }
        BodyPosition& p = out.bodies[k];
        p.longitude = Degrees360(xx[0]);
        p.speed = xx[3];
        p.available = true;
        p.retrograde = body != Body::Node && body != Body::MeanApogee && p.speed < 0.0;
    }

    double cusps[13];
    double ascmc[10];
    if (swe_houses_ex(jdUt, 0, latNorth, lonEast, kHouseSystem, cusps, ascmc) < 0 ||
        !std::isfinite(ascmc[0]))
        return Failed(std::move(out), "the ascendant could not be computed");
    out.ascendant = Degrees360(ascmc[0]);
    return out;
}

}  // namespace velloran::ephemeris
