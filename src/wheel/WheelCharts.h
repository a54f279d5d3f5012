#pragma once
// What a degree wheel shows of a reading: the input of a single wheel (one chart with the lines
// of its own major aspects) or of a bi-wheel (two charts, one ring inside the other, with the
// lines of the contacts between them), and the words a screen reader says for it.

#include <array>
#include <string>
#include <vector>

#include "domain/Chart.h"
#include "reading/Contacts.h"
#include "wheel/WheelLayout.h"

namespace velloran {

// Orbs of the chart's own aspect lines, in Aspect order: conjunction and opposition 8°, square
// and trine 7°, sextile 5°.
inline constexpr std::array<double, kAspectCount> kWheelAspectOrbs = {8.0, 8.0, 7.0, 7.0, 5.0};

// The chart's own major aspects within kWheelAspectOrbs, each pair once (the two nodes, always
// opposite, are left out).
std::vector<WheelAspectInput> ChartOwnAspects(const Chart& chart, WheelChart which);

// How the wheel is drawn, apart from its charts.
struct WheelOptions {
    bool aspectLines = true;  // lines across the middle (and their legend)
    bool symbols = true;      // astrological symbols, or the two-letter labels
    double size = 800.0;      // px
    // The caption lines (whose chart, how it was made), or none.
    std::vector<std::string> caption;
};

// One chart on its own houses, with the lines of its own aspects.
WheelInput SingleWheelInput(const Chart& chart, WheelChart which, const WheelOptions& options);

// Two charts: inner on its own houses (or, when it has no ascendant, the outer chart's), outer
// around it, and a line for each contact (Contact::natal names the inner chart's body,
// Contact::draconic the outer chart's), with the contacts' aspects and orb in the legend.
WheelInput BiWheelInput(const Chart& inner, WheelChart innerKind, const Chart& outer,
                        WheelChart outerKind, const std::vector<Contact>& contacts,
                        const ContactSettings& settings, const WheelOptions& options);

// What a screen reader says for the wheel: each ring's chart and each body's position,
// "Natal chart: Sun 15° Leo 23', Mercury 2° Virgo 10' retrograde, ...".
std::string DescribeWheel(const WheelInput& input);

}  // namespace velloran
