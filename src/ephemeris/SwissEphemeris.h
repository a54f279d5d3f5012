#pragma once
// Precise positions from the Swiss Ephemeris: apparent geocentric tropical longitudes on the true
// ecliptic and equinox of date (aberration, light time and nutation applied), the Moon's node and
// the ascendant of date, for one universal time and one place.

#include <array>
#include <cstdint>
#include <string>

#include "ephemeris/Body.h"

namespace velloran::ephemeris {

enum class NodeKind : std::uint8_t {
    Mean,  // the mean ascending node of date
    True,  // the osculating (true) ascending node of date
};

enum class Status : std::uint8_t {
    Files,     // every body came from the ephemeris files
    Fallback,  // some body came from the library's less precise built-in theory, or Chiron
               // (which has no such theory) is unavailable; message says which file was missing
    Error,     // nothing was computed; message says why
};

struct BodyPosition {
    double longitude = 0.0;   // degrees [0, 360), apparent, true ecliptic and equinox of date
    double speed = 0.0;       // daily motion in longitude, degrees per day (negative: retrograde)
    bool available = false;   // false for every body on Error, for Chiron and the asteroids when
                              // no data file covers the date, and for bodies not asked for
    bool retrograde = false;  // speed < 0; never set for the node or the mean apogee
};

struct Positions {
    Status status = Status::Error;
    std::string message;  // empty with Files; the library's notes with Fallback; with Error why
                          // (the library's text when the library failed)
    NodeKind node = NodeKind::Mean;
    std::array<BodyPosition, kBodyCount> bodies{};
    double ascendant = 0.0;  // degrees [0, 360), ecliptic longitude of the rising point of date

    const BodyPosition& operator[](Body body) const { return bodies[Index(body)]; }
};

// The folder of the Swiss Ephemeris data files this build was configured with
// (VELLORAN_SWE_EPHE_PATH, by default Debian's /usr/share/libswe/ephe).
const char* DefaultEphemerisPath();

// True when the linked library keeps its state per thread (its TLS build, checked when the
// program was configured): each thread may then keep a SwissEphemeris of its own and compute at
// the same time as the others. False: one SwissEphemeris, one thread.
bool StatePerThread();

// The one owner of the Swiss Ephemeris library's state. The library keeps its open files, path
// and caches in process-wide variables: keep a single SwissEphemeris alive at a time and call it
// from one thread only (one per thread when StatePerThread(): the state is then the thread's).
// The environment variable SE_EPHE_PATH, when set, overrides the path (the library's rule).
class SwissEphemeris {
public:
    // Points the library at the data files in ephemerisPath (files for 1800-2400: sepl_18.se1
    // planets, semo_18.se1 Moon, seas_18.se1 Chiron). A folder without them is no error: the
    // positions then report Status::Fallback. The asteroids come from the same file as Chiron.
    explicit SwissEphemeris(std::string ephemerisPath = DefaultEphemerisPath());
    // Closes the library's files and frees its state.
    ~SwissEphemeris();
    SwissEphemeris(const SwissEphemeris&) = delete;
    SwissEphemeris& operator=(const SwissEphemeris&) = delete;

    const std::string& EphemerisPath() const { return m_ephemerisPath; }

    // The positions at Julian day jdUt (universal time) for the place at lonEast degrees east
    // [-180, 180] and latNorth degrees north [-90, 90]. A non-finite or out-of-range argument, or
    // a body the library cannot compute, gives Status::Error and no positions. With asteroids,
    // Ceres to Vesta and the mean apogee too; like Chiron, an asteroid without its file is left
    // out (Status::Fallback).
    Positions Compute(double jdUt, double lonEast, double latNorth, NodeKind node = NodeKind::Mean,
                      bool asteroids = false);

private:
    std::string m_ephemerisPath;
};

}  // namespace velloran::ephemeris
