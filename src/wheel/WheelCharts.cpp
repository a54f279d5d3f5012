#include "wheel/WheelCharts.h"

#include <cmath>
#include <cstdio>

#include "domain/Angles.h"

namespace velloran {
namespace {

// Absorbs the rounding of the subtraction only: a distance of exactly the orb is within it.
constexpr double kOrbTolerance = 1e-9;

const BodyPlace& Place(const Chart& chart, int i) { return chart.bodies[i]; }

WheelRingInput RingOf(const Chart& chart, WheelChart which) {
    WheelRingInput ring;
    ring.chart = which;
    for (int i = 0; i < chart.bodyCount && i < kMaxBodyCount; ++i) {
        const BodyPlace& place = Place(chart, i);
        if (!std::isfinite(place.longitude)) continue;
        ring.bodies.push_back(
            {static_cast<ChartBody>(i), Degrees360(place.longitude), place.retrograde});
    }
    return ring;
}

bool HasAscendant(const Chart& chart) {
    return chart.bodyCount > static_cast<int>(ChartBody::Ascendant) &&
           std::isfinite(chart[ChartBody::Ascendant].longitude);
}

// The ascendant, the midheaven (when the chart has one) and the cusps of a chart (whole-sign: the
// sign starts from the rising sign; the other systems' own cusps); 0° and houses from Aries when
// it has no ascendant.
void SetHouses(const Chart& chart, WheelInput& input) {
    if (HasAscendant(chart)) {
        input.ascendant = Degrees360(chart[ChartBody::Ascendant].longitude);
        for (int h = 0; h < 12; ++h) input.cusps[h] = Degrees360(chart.cusps[h]);
        if (chart.bodyCount > static_cast<int>(ChartBody::Midheaven) &&
            std::isfinite(chart[ChartBody::Midheaven].longitude))
            input.midheaven = Degrees360(chart[ChartBody::Midheaven].longitude);
    } else {
        input.ascendant = 0.0;
        for (int h = 0; h < 12; ++h) input.cusps[h] = h * 30.0;
    }
}

const char* ChartName(WheelChart chart) {
    switch (chart) {
        case WheelChart::Natal:
            return "Natal chart";
        case WheelChart::Draconic:
            return "Draconic chart";
        case WheelChart::Other:
            return "Other chart";
        case WheelChart::Sky:
            return "Sky";
    }
    return "Chart";
}

}  // namespace

std::vector<WheelAspectInput> ChartOwnAspects(const Chart& chart, WheelChart which) {
    std::vector<WheelAspectInput> found;
    const int count = std::min(chart.bodyCount, kMaxBodyCount);
    for (int i = 0; i < count; ++i) {
        for (int j = i + 1; j < count; ++j) {
            const auto a = static_cast<ChartBody>(i), b = static_cast<ChartBody>(j);
            // The nodes are opposite by definition.
            if (a == ChartBody::NorthNode && b == ChartBody::SouthNode) continue;
            const double distance =
                AngleDistance(Place(chart, i).longitude, Place(chart, j).longitude);
            if (!std::isfinite(distance)) continue;
            for (int k = 0; k < kAspectCount; ++k) {
                const auto aspect = static_cast<Aspect>(k);
                if (std::fabs(distance - AspectAngle(aspect)) <=
                    kWheelAspectOrbs[k] + kOrbTolerance) {
                    found.push_back({which, a, which, b, aspect});
                    break;  // the orbs are far narrower than the angles between aspects
                }
            }
        }
    }
    return found;
}

WheelInput SingleWheelInput(const Chart& chart, WheelChart which, const WheelOptions& options) {
    WheelInput input;
    input.rings.push_back(RingOf(chart, which));
    SetHouses(chart, input);
    if (options.aspectLines) {
        input.aspects = ChartOwnAspects(chart, which);
        for (int k = 0; k < kAspectCount; ++k)
            input.legend.push_back({static_cast<Aspect>(k), kWheelAspectOrbs[k]});
    }
    input.symbols = options.symbols;
    input.size = options.size;
    input.caption = options.caption;
    return input;
}

WheelInput BiWheelInput(const Chart& inner, WheelChart innerKind, const Chart& outer,
                        WheelChart outerKind, const std::vector<Contact>& contacts,
                        const ContactSettings& settings, const WheelOptions& options) {
    WheelInput input;
    input.rings.push_back(RingOf(inner, innerKind));
    input.rings.push_back(RingOf(outer, outerKind));
    SetHouses(HasAscendant(inner) ? inner : outer, input);
    if (options.aspectLines) {
        for (const Contact& c : contacts)
            input.aspects.push_back({innerKind, c.natal, outerKind, c.draconic, c.aspect});
        for (int k = 0; k < kAspectCount; ++k) {
            const auto aspect = static_cast<Aspect>(k);
            if ((settings.aspects & AspectBit(aspect)) != 0)
                input.legend.push_back({aspect, settings.orb});
        }
    }
    input.symbols = options.symbols;
    input.size = options.size;
    input.caption = options.caption;
    return input;
}

std::string DescribeWheel(const WheelInput& input) {
    std::string text;
    for (const WheelRingInput& ring : input.rings) {
        if (!text.empty()) text += "; ";
        text += ChartName(ring.chart);
        text += ':';
        bool first = true;
        for (const WheelBody& b : ring.bodies) {
            if (!std::isfinite(b.longitude)) continue;
            const double lon = Degrees360(b.longitude);
            const int sign = std::min(11, static_cast<int>(lon / 30.0));
            const double within = lon - 30.0 * sign;
            const int degree = std::min(29, static_cast<int>(std::floor(within)));
            const int minute = std::min(59, static_cast<int>(std::floor((within - degree) * 60.0)));
            char position[64];
            std::snprintf(position, sizeof position, " %d\u00B0 %s %d'", degree,
                          std::string(kSignNames[sign]).c_str(), minute);
            text += first ? " " : ", ";
            first = false;
            text += kBodyTitles[static_cast<int>(b.body)];
            text += position;
            if (b.retrograde) text += " retrograde";
        }
        if (first) text += " no positions";
    }
    if (!text.empty()) text += '.';
    return text;
}

}  // namespace velloran
