// Finding the contacts between the draconic and the natal chart.

#include "reading/Contacts.h"

#include <algorithm>
#include <cmath>

namespace velloran {

namespace {

constexpr int kNorthNode = static_cast<int>(ChartBody::NorthNode);
constexpr int kSouthNode = static_cast<int>(ChartBody::SouthNode);

// Longitudes differ from their texts by far more than this; it only absorbs the rounding of the
// subtraction, so that a distance of exactly the orb counts as within it. Degrees.
constexpr double kEdgeTolerance = 1e-9;

struct AspectInfo {
    double angle;
    std::string_view name, glyph, key;
};
constexpr AspectInfo kAspects[kAspectCount] = {
    {0.0, "conjunction", "\u260C", "conj"}, {180.0, "opposition", "\u260D", "opp"},
    {90.0, "square", "\u25A1", "sq"},       {120.0, "trine", "\u25B3", "tri"},
    {60.0, "sextile", "\u26B9", "sex"},
};

const AspectInfo& Info(Aspect aspect) { return kAspects[static_cast<int>(aspect)]; }

bool IsNodeToItself(int draconic, int natal) {
    return draconic == natal && (draconic == kNorthNode || draconic == kSouthNode);
}

}  // namespace

double AngleDistance(double a, double b) {
    const double d = std::fmod(std::fabs(a - b), 360.0);
    return d > 180.0 ? 360.0 - d : d;
}

double AspectAngle(Aspect aspect) { return Info(aspect).angle; }
std::string_view AspectName(Aspect aspect) { return Info(aspect).name; }
std::string_view AspectGlyph(Aspect aspect) { return Info(aspect).glyph; }
std::string_view AspectKey(Aspect aspect) { return Info(aspect).key; }

bool IsOfferedOrb(double degrees) {
    if (!(degrees >= kMinOrb && degrees <= kMaxOrb)) return false;
    const double steps = degrees / kOrbStep;
    return steps == std::floor(steps);
}

std::vector<Contact> FindContacts(std::span<const double> natal, std::span<const double> draconic,
                                  AspectMask aspects, double orb, bool nodePairs) {
    std::vector<Contact> found;
    const int draconicCount =
        static_cast<int>(std::min<std::size_t>(draconic.size(), kMaxBodyCount));
    const int natalCount = static_cast<int>(std::min<std::size_t>(natal.size(), kMaxBodyCount));
    for (int d = 0; d < draconicCount; ++d) {
        for (int n = 0; n < natalCount; ++n) {
            if (!nodePairs && IsNodeToItself(d, n)) continue;
            const double distance = AngleDistance(draconic[d], natal[n]);
            for (int a = 0; a < kAspectCount; ++a) {
                if ((aspects & (1u << a)) == 0) continue;
                const double off = std::fabs(distance - kAspects[a].angle);
                if (!(off <= orb + kEdgeTolerance)) continue;  // also refuses NaN
                found.push_back(Contact{static_cast<ChartBody>(d), static_cast<ChartBody>(n),
                                        static_cast<Aspect>(a), off * 60.0});
            }
        }
    }
    // Found in chart order; a stable sort keeps it among equal orbs.
    std::stable_sort(found.begin(), found.end(), [](const Contact& x, const Contact& y) {
        return x.orbMinutes < y.orbMinutes;
    });
    return found;
}

std::vector<Contact> ReadingContacts(const Reading& reading, const ContactSettings& settings) {
    const std::array<double, kMaxBodyCount> natalLongitudes = ChartLongitudes(reading.natal);
    const std::array<double, kMaxBodyCount> draconicLongitudes = ChartLongitudes(reading.draconic);
    const std::span<const double> natal(natalLongitudes.data(),
                                        static_cast<std::size_t>(reading.natal.bodyCount));
    const std::span<const double> draconic(draconicLongitudes.data(),
                                           static_cast<std::size_t>(reading.draconic.bodyCount));
    return FindContacts(natal, draconic, settings.aspects, settings.orb, settings.nodePairs);
}

std::string OrbText(double orbMinutes) {
    const long total = std::lrint(std::fabs(orbMinutes));  // nearest, ties to even
    return std::to_string(total / 60) + "° " + std::to_string(total % 60) + "'";
}

}  // namespace velloran
