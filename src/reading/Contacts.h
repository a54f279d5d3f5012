#pragma once
// Contacts between the draconic and the natal chart of one reading: a draconic body in aspect to
// a natal body within an orb. Pure functions over the unrounded longitudes of the calculation.

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "reading/Reading.h"

namespace velloran {

// Distance between two angles in degrees, with wraparound: [0, 180]. NaN when either is not
// finite.
double AngleDistance(double a, double b);

enum class Aspect : int { Conjunction = 0, Opposition, Square, Trine, Sextile };
inline constexpr int kAspectCount = 5;

// Exact angle of the aspect in degrees: 0, 180, 90, 120, 60.
double AspectAngle(Aspect aspect);
// "conjunction", "opposition", "square", "trine", "sextile".
std::string_view AspectName(Aspect aspect);
// The aspect's symbol, UTF-8: ☌ ☍ □ △ ⚹.
std::string_view AspectGlyph(Aspect aspect);
// The command line's short word: "conj", "opp", "sq", "tri", "sex".
std::string_view AspectKey(Aspect aspect);

// A set of aspects, one bit per Aspect value.
using AspectMask = unsigned;
constexpr AspectMask AspectBit(Aspect aspect) { return 1u << static_cast<int>(aspect); }
inline constexpr AspectMask kDefaultAspects =
    AspectBit(Aspect::Conjunction) | AspectBit(Aspect::Opposition);
inline constexpr AspectMask kAllAspects = (1u << kAspectCount) - 1;

// Orbs offered: 0.5 to 5 degrees in steps of 0.5; 2 degrees unless the user chooses another.
inline constexpr double kDefaultOrb = 2.0;
inline constexpr double kMinOrb = 0.5;
inline constexpr double kMaxOrb = 5.0;
inline constexpr double kOrbStep = 0.5;
bool IsOfferedOrb(double degrees);

struct ContactSettings {
    AspectMask aspects = kDefaultAspects;
    double orb = kDefaultOrb;  // degrees
    // The draconic North Node is 0° Aries by construction, so the pairs (draconic North Node,
    // natal North Node) and (draconic South Node, natal South Node) say nothing about the
    // person; they are left out unless asked for.
    bool nodePairs = false;
    bool operator==(const ContactSettings&) const = default;
};

struct Contact {
    ChartBody draconic = ChartBody::Sun;
    ChartBody natal = ChartBody::Sun;
    Aspect aspect = Aspect::Conjunction;
    double orbMinutes = 0.0;  // |distance - aspect angle|, arc-minutes, unrounded
    bool operator==(const Contact&) const = default;
};

// The longitudes of a classic chart's bodies.
using BodyLongitudes = std::array<double, kBodyCount>;

// Every pair (draconic body, natal body) over the positions of each chart whose angular
// distance lies within orb degrees of one of the aspects, smallest orb first; equal orbs in
// chart order of the draconic body, then of the natal body, then in aspect order. Longitudes in
// degrees, ChartBody order, as many as each chart holds (at most kMaxBodyCount); a longitude
// that is not finite takes part in no contact.
std::vector<Contact> FindContacts(std::span<const double> natal, std::span<const double> draconic,
                                  AspectMask aspects, double orb, bool nodePairs = false);

// The contacts of a calculated reading: its natal against its draconic longitudes, over the
// bodies its charts hold.
std::vector<Contact> ReadingContacts(const Reading& reading, const ContactSettings& settings);

// An orb as degrees and whole arc-minutes, rounded to the nearest minute: "0° 42'", "1° 5'".
std::string OrbText(double orbMinutes);

}  // namespace velloran
