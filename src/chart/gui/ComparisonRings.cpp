#include "chart/gui/ComparisonRings.h"

#include <QFontMetricsF>
#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "chart/gui/DisplayLayout.h"
#include "chart/gui/WheelArt.h"
#include "domain/Bodies.h"
#include "ui/Twips.h"
#include "ui/UiFonts.h"

namespace velloran {

using namespace display;

RadialSpan SpanAbout(const QRectF& rect, const QPointF& centre) {
    const double dx = std::max({rect.left() - centre.x(), 0.0, centre.x() - rect.right()});
    const double dy = std::max({rect.top() - centre.y(), 0.0, centre.y() - rect.bottom()});
    const double fx =
        std::max(std::abs(rect.left() - centre.x()), std::abs(rect.right() - centre.x()));
    const double fy =
        std::max(std::abs(rect.top() - centre.y()), std::abs(rect.bottom() - centre.y()));
    return {std::hypot(dx, dy), std::hypot(fx, fy)};
}

QFont ComparisonTextFont() { return VerdanaFont(8.25, true); }

QStringList OneBodyLabels() {
    QStringList labels;
    for (int k = 0; k < kBodyCount; ++k) {
        const std::string label(kBodyLabels[k]);
        labels << QString::fromStdString(label);
        if (CanBeRetrograde(static_cast<ChartBody>(k)))
            labels << QString::fromStdString(label + std::string(kRetrogradeMark));
    }
    return labels;
}

std::array<QRectF, 12> RingSignRects(Ring ring) {
    const auto& places = ring == Ring::Inner ? kInnerSign : kOuterSign;
    std::array<QRectF, 12> rects;
    for (int h = 0; h < 12; ++h)
        rects[h] = QRectF(TwipsPoint(places[h].left, places[h].top), QSizeF(kSignPictureSize));
    return rects;
}

std::array<QRectF, 12> RingTextRects(Ring ring, const QFontMetricsF& metrics) {
    double widest = 0.0;
    for (const QString& label : OneBodyLabels())
        widest = std::max(widest, metrics.horizontalAdvance(label.trimmed()));
    const auto& at = ring == Ring::Inner ? kInnerText : kOuterText;
    std::array<QRectF, 12> rects;
    for (int h = 0; h < 12; ++h) {
        const QPointF topLeft = TwipsPoint(at[h].left, at[h].top);
        rects[h] =
            QRectF(topLeft.x(), topLeft.y() + metrics.lineSpacing(), widest, metrics.height());
    }
    return rects;
}

namespace {

struct RingSpans {
    std::array<RadialSpan, 12> inner, outer;
};

RingSpans TextSpans(const QPointF& centre, const QFontMetricsF& metrics) {
    RingSpans spans;
    const auto inner = RingTextRects(Ring::Inner, metrics);
    const auto outer = RingTextRects(Ring::Outer, metrics);
    for (int h = 0; h < 12; ++h) {
        spans.inner[h] = SpanAbout(inner[h], centre);
        spans.outer[h] = SpanAbout(outer[h], centre);
    }
    return spans;
}

int TextsAcross(const RingSpans& spans, double radius) {
    int across = 0;
    for (const RadialSpan& s : spans.inner) across += s.farthest > radius;
    for (const RadialSpan& s : spans.outer) across += s.nearest < radius;
    return across;
}

}  // namespace

RingSplit ChooseRingSplit(const QPointF& centre, double lineWidth, const QFontMetricsF& metrics) {
    // The circle's half width stays clear of the farthest natal sign and the nearest draconic one.
    const double clearance = lineWidth / 2;
    double low = 0.0;
    double high = std::numeric_limits<double>::max();
    for (const QRectF& rect : RingSignRects(Ring::Inner))
        low = std::max(low, SpanAbout(rect, centre).farthest + clearance);
    for (const QRectF& rect : RingSignRects(Ring::Outer))
        high = std::min(high, SpanAbout(rect, centre).nearest - clearance);

    const RingSpans spans = TextSpans(centre, metrics);
    if (low >= high) {
        const double middle = (low + high) / 2;
        return {middle, TextsAcross(spans, middle)};
    }

    // The count of texts across changes only where a text's edge lies, so one trial inside each
    // stretch between edges finds the fewest; the widest such stretch keeps most room, and the
    // circle goes in its middle.
    std::vector<double> edges = {low, high};
    for (const auto* ring : {&spans.inner, &spans.outer}) {
        for (const RadialSpan& s : *ring) {
            for (double edge : {s.nearest, s.farthest})
                if (edge > low && edge < high) edges.push_back(edge);
        }
    }
    std::sort(edges.begin(), edges.end());
    RingSplit best{0.0, std::numeric_limits<int>::max()};
    double bestWidth = -1.0;
    for (std::size_t i = 0; i + 1 < edges.size(); ++i) {
        const double width = edges[i + 1] - edges[i];
        if (width <= 0.0) continue;
        const double middle = (edges[i] + edges[i + 1]) / 2;
        const int across = TextsAcross(spans, middle);
        if (across < best.textsAcross || (across == best.textsAcross && width > bestWidth)) {
            best = {middle, across};
            bestWidth = width;
        }
    }
    return best;
}

}  // namespace velloran
