#pragma once
// The degree wheel as geometry: where every symbol, label, leader, tick, cusp and line of a chart
// (or of two charts, one ring inside the other) goes in a square of a given size. A pure function
// of its input; the drawing, the SVG and the screen all place things from it.
//
// Orientation: the ascendant stands at nine o'clock and the zodiac runs counter-clockwise. Screen
// coordinates: x to the right, y downwards, the wheel's centre at (size/2, size/2).

#include <array>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "domain/Bodies.h"
#include "reading/Contacts.h"
#include "wheel/WheelSymbols.h"

namespace velloran {

struct WheelPoint {
    double x = 0.0, y = 0.0;
    bool operator==(const WheelPoint&) const = default;
};

struct WheelBox {
    double left = 0.0, top = 0.0, right = 0.0, bottom = 0.0;
    double width() const { return right - left; }
    double height() const { return bottom - top; }
    WheelPoint centre() const { return {(left + right) / 2, (top + bottom) / 2}; }
    // Overlap with a positive area; boxes that only touch do not intersect.
    bool intersects(const WheelBox& o) const {
        return left < o.right && o.left < right && top < o.bottom && o.top < bottom;
    }
    bool operator==(const WheelBox&) const = default;
};

struct WheelSegment {
    WheelPoint from, to;
    bool operator==(const WheelSegment&) const = default;
};

// A text set centred in its box, the box's height being the em size (glyphs/Outline.h
// PlaceText).
struct WheelText {
    std::u32string text;
    WheelBox box;
    bool operator==(const WheelText&) const = default;
};

// One body of a ring: where it truly stands.
struct WheelBody {
    ChartBody body = ChartBody::Sun;
    double longitude = 0.0;  // degrees, [0, 360)
    bool retrograde = false;
};

struct WheelRingInput {
    WheelChart chart = WheelChart::Natal;
    std::vector<WheelBody> bodies;  // any order; bodies without a finite longitude are left out
};

// A line across the middle joining two bodies in aspect (a body is named by its chart and body).
struct WheelAspectInput {
    WheelChart chartA = WheelChart::Natal;
    ChartBody bodyA = ChartBody::Sun;
    WheelChart chartB = WheelChart::Natal;
    ChartBody bodyB = ChartBody::Sun;
    Aspect aspect = Aspect::Conjunction;
};

// A legend row: an aspect drawn and its orb in degrees.
struct WheelLegendInput {
    Aspect aspect = Aspect::Conjunction;
    double orb = 0.0;
};

struct WheelInput {
    // One ring (a single chart) or two: the inner chart first, then the outer one.
    std::vector<WheelRingInput> rings;
    // The longitude at nine o'clock: the ascendant of the chart whose houses are drawn.
    double ascendant = 0.0;
    // That chart's midheaven, for the MC–IC axis; not finite when the chart has none.
    double midheaven = std::numeric_limits<double>::quiet_NaN();
    // The cusps of houses 1..12 as longitudes (whole-sign houses: the sign starts from the rising
    // sign). They run forward through the zodiac, or backward all round (the polar charts of
    // Regiomontanus and Campanus).
    std::array<double, 12> cusps{};
    std::vector<WheelAspectInput> aspects;
    // The legend of the aspect lines; empty for no legend.
    std::vector<WheelLegendInput> legend;
    // The caption: whose chart and how it was made, a line each (UTF-8), set in the top corners
    // beyond the wheel's circle; empty for none.
    std::vector<std::string> caption;
    // Astrological symbols, or the two-letter labels when no font has them.
    bool symbols = true;
    double size = 800.0;  // px, the side of the square
};

// A body as drawn: its symbol and label where it was spread to, and a leader from the symbol to a
// tick at its true degree.
struct WheelBodyMark {
    WheelChart chart = WheelChart::Natal;
    ChartBody body = ChartBody::Sun;
    double longitude = 0.0;  // true degree
    bool retrograde = false;
    int ring = 0;                 // index into WheelInput::rings
    int row = 0;                  // 0, or 1 or 2 for the further rows of a crowded ring
    double shownLongitude = 0.0;  // the degree the symbol was spread to
    WheelText symbol;
    // The label: degree ("15"), sign symbol, minute ("07") and ℞ when retrograde.
    std::vector<WheelText> label;
    WheelSegment leader;  // from the symbol's side to the tick; `to` lies at the true degree
    WheelSegment tick;    // on the ring's outer edge at the true degree
};

struct WheelAspectLine {
    WheelAspectInput pair;
    WheelSegment line;  // both ends on the aspect circle at the bodies' true degrees
};

struct WheelLegendRow {
    Aspect aspect = Aspect::Conjunction;
    WheelText symbol;
    WheelSegment sample;  // a short line in the aspect's colour
    WheelText orb;        // "8°"
};

struct WheelLayout {
    double size = 0.0;
    WheelPoint centre;
    double ascendant = 0.0;  // the longitude at nine o'clock
    // Circles drawn, by radius: the zodiac band's edges, the house ring's, each ring's inner edge
    // and the aspect circle.
    double zodiacOuter = 0.0, zodiacInner = 0.0;
    std::vector<double> circles;
    double aspectRadius = 0.0;
    std::array<WheelSegment, 12> signBoundaries;  // at 0° of each sign, across the zodiac band
    std::array<WheelText, 12> signSymbols;        // Aries first
    // Ticks on the zodiac band's inner edge: every degree, longer at 5° and at 10°.
    std::vector<WheelSegment> ticks1, ticks5, ticks10;
    std::array<WheelSegment, 12> cuspLines;  // house 1 first, across the house ring
    // Each cusp carried on through the rings of bodies to the aspect circle, broken where it
    // would run through a symbol or a label.
    std::array<std::vector<WheelSegment>, 12> cuspRuns;
    std::array<WheelText, 12> houseNumbers;
    WheelSegment horizon;  // the ascendant–descendant axis
    // The midheaven–imum coeli axis when the chart has a midheaven.
    std::optional<WheelSegment> meridian;
    // "AC", "DC" and, with the meridian, "MC" and "IC" in the house ring beside the axes' ends.
    std::vector<WheelText> angleMarks;
    // The ascendant's and, with the meridian, the midheaven's degree, sign and minute in the
    // house ring on the other side of their axis from the mark: three texts each, in the order
    // they read.
    std::vector<WheelText> angleDegrees;
    std::vector<WheelBodyMark> bodies;
    std::vector<WheelAspectLine> aspectLines;
    std::vector<WheelLegendRow> legend;
    std::vector<WheelText> caption;  // the first half of the lines top left, the rest top right
};

WheelLayout LayOutWheel(const WheelInput& input);

// Screen angle helpers shared by the layout and its tests: the point at a longitude and radius,
// and the longitude of a point (degrees [0, 360)).
WheelPoint PointAt(const WheelLayout& layout, double longitude, double radius);
double LongitudeAt(const WheelLayout& layout, const WheelPoint& point);

}  // namespace velloran
