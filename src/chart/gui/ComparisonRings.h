#pragma once
// Where the comparison wheel's dividing circle goes. The sign pictures and house texts of both
// rings stand at fixed layout positions (DisplayLayout.h); the circle is placed from them so that
// every natal sign picture lies inside it and every draconic one outside, and, among the radii
// that do that, where it runs through the fewest house texts.

#include <QFont>
#include <QRectF>
#include <QStringList>
#include <array>

class QFontMetricsF;

namespace velloran {

enum class Ring { Inner, Outer };  // natal chart inside, draconic chart outside

// Nearest and farthest distance of a rectangle's points from a centre, px.
struct RadialSpan {
    double nearest = 0.0;
    double farthest = 0.0;
};
RadialSpan SpanAbout(const QRectF& rect, const QPointF& centre);

// Font of the comparison wheel's house texts (lblPlanets_Position).
QFont ComparisonTextFont();

// Every text a house holding a single body shows on the comparison wheel: each short body label,
// and the marked form of each planet that can be retrograde.
QStringList OneBodyLabels();

// Sign picture slots of a ring, houses 1..12, in picture pixels.
std::array<QRectF, 12> RingSignRects(Ring ring);

// Where a house text holding one body shows it, houses 1..12, in picture pixels: the line below
// the text's leading line break, as wide as the widest one-body label in the given metrics.
std::array<QRectF, 12> RingTextRects(Ring ring, const QFontMetricsF& metrics);

struct RingSplit {
    double radius = 0.0;  // px from the wheel centre
    int textsAcross = 0;  // house texts not wholly on their own ring's side of the circle
};

// Radius of the dividing circle about centre, for a circle drawn lineWidth px wide. When no
// radius keeps the circle's width clear of every sign picture, the middle of the gap is taken.
RingSplit ChooseRingSplit(const QPointF& centre, double lineWidth, const QFontMetricsF& metrics);

}  // namespace velloran
