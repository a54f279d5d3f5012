#include "chart/gui/WheelArt.h"

#include <QColor>
#include <QFontMetricsF>
#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QRectF>
#include <QtMath>
#include <array>
#include <cmath>
#include <functional>
#include <string_view>

#include "domain/Bodies.h"

#include "chart/gui/ComparisonRings.h"
#include "ui/UiFonts.h"

namespace velloran {

WheelGeometry MakeWheelGeometry() {
    WheelGeometry g;
    InstallFontSubstitutions();
    g.ringSplit =
        ChooseRingSplit({g.cx, g.cy}, g.ringLine, QFontMetricsF(ComparisonTextFont())).radius;
    return g;
}

namespace {

const QColor kFieldAmber(252, 201, 88);
const QColor kSpokeColour(74, 48, 12);
const QColor kScaleBand(255, 248, 226);
const QColor kTickColour(96, 72, 40);
const QColor kDiscColour(255, 253, 244);
const QColor kSignBackground(255, 255, 240);

// Point at radius r and angle degrees counter-clockwise from 3 o'clock (screen y grows down).
QPointF Polar(const WheelGeometry& g, double r, double degrees) {
    double a = qDegreesToRadians(degrees);
    return {g.cx + r * std::cos(a), g.cy - r * std::sin(a)};
}

QRectF Circle(const WheelGeometry& g, double r) { return {g.cx - r, g.cy - r, 2 * r, 2 * r}; }

// A ring segment between two radii and two angles (degrees, counter-clockwise).
QPainterPath RingSegment(const WheelGeometry& g, double inner, double outer, double from,
                         double span) {
    QPainterPath path;
    path.arcMoveTo(Circle(g, outer), from);
    path.arcTo(Circle(g, outer), from, span);
    path.arcTo(Circle(g, inner), from + span, -span);
    path.closeSubpath();
    return path;
}

// Twelve rim segments running through the spectrum, one per house; house 1 lies just below
// 9 o'clock, so its segment spans 180..210 degrees.
void DrawRim(QPainter& p, const WheelGeometry& g) {
    for (int house = 0; house < 12; ++house) {
        QColor colour = QColor::fromHsv(house * 30 % 360, 190, 235);
        p.setBrush(colour);
        p.setPen(Qt::NoPen);
        p.drawPath(RingSegment(g, g.scale, g.rim, 180.0 + house * 30.0, 30.0));
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kSpokeColour, 1.0));
    p.drawEllipse(Circle(g, g.rim));
    for (int k = 0; k < 12; ++k) p.drawLine(Polar(g, g.scale, k * 30.0), Polar(g, g.rim, k * 30.0));
}

// Degree scale: a tick each degree, longer each 5 and 10 degrees, inward from the band's edge.
void DrawScale(QPainter& p, const WheelGeometry& g) {
    p.setPen(Qt::NoPen);
    p.setBrush(kScaleBand);
    p.drawPath(RingSegment(g, g.field, g.scale, 0.0, 360.0));
    for (int deg = 0; deg < 360; ++deg) {
        double length = deg % 10 == 0 ? 7.0 : deg % 5 == 0 ? 5.0 : 2.5;
        p.setPen(QPen(kTickColour, deg % 5 == 0 ? 0.9 : 0.6));
        p.drawLine(Polar(g, g.scale, deg), Polar(g, g.scale - length, deg));
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kSpokeColour, 1.0));
    p.drawEllipse(Circle(g, g.scale));
    p.drawEllipse(Circle(g, g.field));
}

void DrawField(QPainter& p, const WheelGeometry& g, bool comparison) {
    p.setPen(Qt::NoPen);
    p.setBrush(kFieldAmber);
    p.drawEllipse(Circle(g, g.field));
    p.setPen(QPen(kSpokeColour, 1.0));
    for (int k = 0; k < 12; ++k)
        p.drawLine(Polar(g, g.disc, k * 30.0), Polar(g, g.field, k * 30.0));
    if (comparison) {
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(kSpokeColour, g.ringLine));
        p.drawEllipse(Circle(g, g.ringSplit));
    }
}

void DrawDisc(QPainter& p, const WheelGeometry& g) {
    p.setBrush(kDiscColour);
    p.setPen(QPen(kSpokeColour, 1.4));
    p.drawEllipse(Circle(g, g.disc));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(230, 200, 140), 1.0));
    p.drawEllipse(Circle(g, g.disc - 4));
}

// Outward arrow on the rim at the given angle (the ascendant at 9 o'clock, the midheaven at 12).
void DrawRimArrow(QPainter& p, const WheelGeometry& g, double degrees) {
    double tipR = g.rim + 1.5;
    double baseR = g.scale - 1.0;
    QPainterPath head;
    head.moveTo(Polar(g, tipR, degrees));
    head.lineTo(Polar(g, baseR, degrees + 2.2));
    head.lineTo(Polar(g, baseR + 3.0, degrees));
    head.lineTo(Polar(g, baseR, degrees - 2.2));
    head.closeSubpath();
    p.setPen(QPen(Qt::black, 0.8));
    p.setBrush(QColor(30, 30, 30));
    p.drawPath(head);
}

}  // namespace

void DrawWheel(QPainter& p, bool comparison, const WheelGeometry& g) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.fillRect(QRectF(QPointF(0, 0), QSizeF(kWheelPictureSize)), Qt::white);
    DrawRim(p, g);
    DrawScale(p, g);
    DrawField(p, g, comparison);
    DrawDisc(p, g);
    DrawRimArrow(p, g, 180.0);
    DrawRimArrow(p, g, 90.0);
    p.restore();
}

namespace {

// Sign glyphs in the image list's 21 x 21 design space.
QPainterPath SignPath(int sign) {
    QPainterPath s;
    switch (sign) {
        case 0:  // Aries: two horns on one stem
            s.moveTo(10.5, 18.5);
            s.lineTo(10.5, 8.0);
            s.cubicTo(10.5, 2.5, 3.5, 1.5, 3.0, 6.0);
            s.cubicTo(2.8, 8.0, 4.2, 9.6, 6.0, 9.2);
            s.moveTo(10.5, 8.0);
            s.cubicTo(10.5, 2.5, 17.5, 1.5, 18.0, 6.0);
            s.cubicTo(18.2, 8.0, 16.8, 9.6, 15.0, 9.2);
            break;
        case 1:  // Taurus: circle under a crescent
            s.addEllipse(QPointF(10.5, 13.5), 4.6, 4.6);
            s.moveTo(3.0, 3.0);
            s.cubicTo(4.5, 9.2, 16.5, 9.2, 18.0, 3.0);
            break;
        case 2:  // Gemini: two pillars between curved bars
            s.moveTo(3.5, 3.5);
            s.quadTo(10.5, 6.8, 17.5, 3.5);
            s.moveTo(3.5, 17.5);
            s.quadTo(10.5, 14.2, 17.5, 17.5);
            s.moveTo(7.5, 5.4);
            s.lineTo(7.5, 15.6);
            s.moveTo(13.5, 5.4);
            s.lineTo(13.5, 15.6);
            break;
        case 3:  // Cancer: two curled arcs
            s.addEllipse(QPointF(6.0, 7.8), 2.5, 2.5);
            s.moveTo(6.0, 5.3);
            s.cubicTo(10.0, 3.2, 15.5, 3.8, 18.5, 7.2);
            s.addEllipse(QPointF(15.0, 13.2), 2.5, 2.5);
            s.moveTo(15.0, 15.7);
            s.cubicTo(11.0, 17.8, 5.5, 17.2, 2.5, 13.8);
            break;
        case 4:  // Leo: loop and mane
            s.addEllipse(QPointF(6.3, 13.8), 3.0, 3.0);
            s.moveTo(8.8, 12.2);
            s.cubicTo(6.0, 7.5, 8.0, 2.6, 12.0, 2.8);
            s.cubicTo(16.2, 3.0, 16.4, 7.8, 13.8, 11.8);
            s.cubicTo(11.6, 15.4, 13.0, 18.6, 16.0, 18.2);
            s.cubicTo(17.4, 18.0, 18.2, 17.0, 18.4, 15.8);
            break;
        case 5:  // Virgo: m with a crossed loop
        case 7:  // Scorpio: m with an arrow tail
            s.moveTo(2.5, 5.0);
            s.lineTo(2.5, 17.5);
            s.moveTo(2.5, 8.0);
            s.cubicTo(2.5, 4.2, 7.0, 4.2, 7.0, 8.0);
            s.lineTo(7.0, 17.5);
            s.moveTo(7.0, 8.0);
            s.cubicTo(7.0, 4.2, 11.5, 4.2, 11.5, 8.0);
            if (sign == 5) {
                s.lineTo(11.5, 14.0);
                s.cubicTo(11.5, 17.0, 13.0, 18.8, 14.5, 19.0);
                s.moveTo(11.5, 11.0);
                s.cubicTo(14.5, 7.5, 19.0, 9.5, 16.5, 13.5);
                s.cubicTo(15.0, 16.0, 12.0, 17.5, 9.5, 18.5);
            } else {
                s.lineTo(11.5, 15.0);
                s.quadTo(11.5, 17.5, 14.5, 17.5);
                s.lineTo(18.5, 17.5);
                s.moveTo(16.2, 15.2);
                s.lineTo(18.7, 17.5);
                s.lineTo(16.2, 19.8);
            }
            break;
        case 6:  // Libra: setting sun over a line
            s.moveTo(2.5, 17.0);
            s.lineTo(18.5, 17.0);
            s.moveTo(2.5, 13.0);
            s.lineTo(7.0, 13.0);
            s.cubicTo(4.5, 11.0, 5.5, 5.0, 10.5, 5.0);
            s.cubicTo(15.5, 5.0, 16.5, 11.0, 14.0, 13.0);
            s.lineTo(18.5, 13.0);
            break;
        case 8:  // Sagittarius: arrow with a crossbar
            s.moveTo(3.0, 18.0);
            s.lineTo(18.0, 3.0);
            s.moveTo(10.5, 3.0);
            s.lineTo(18.0, 3.0);
            s.lineTo(18.0, 10.5);
            s.moveTo(5.5, 9.0);
            s.lineTo(12.0, 15.5);
            break;
        case 9:  // Capricorn: v with a curled tail
            s.moveTo(2.0, 4.5);
            s.lineTo(5.5, 15.0);
            s.lineTo(9.0, 4.5);
            s.cubicTo(9.5, 11.0, 10.5, 16.5, 13.5, 16.8);
            s.cubicTo(17.5, 17.2, 18.8, 11.8, 15.6, 11.2);
            s.cubicTo(12.8, 10.8, 11.4, 14.8, 12.2, 17.4);
            s.cubicTo(12.8, 19.2, 10.8, 20.0, 9.0, 19.4);
            break;
        case 10:  // Aquarius: two waves
            for (double y : {8.5, 15.5}) {
                s.moveTo(2.5, y);
                s.lineTo(5.7, y - 3.2);
                s.lineTo(8.9, y);
                s.lineTo(12.1, y - 3.2);
                s.lineTo(15.3, y);
                s.lineTo(18.5, y - 3.2);
            }
            break;
        case 11:  // Pisces: two arcs joined by a bar
            s.moveTo(4.0, 3.0);
            s.cubicTo(8.8, 7.0, 8.8, 14.0, 4.0, 18.0);
            s.moveTo(17.0, 3.0);
            s.cubicTo(12.2, 7.0, 12.2, 14.0, 17.0, 18.0);
            s.moveTo(5.5, 10.5);
            s.lineTo(15.5, 10.5);
            break;
        default:
            break;
    }
    return s;
}

const std::array<QColor, 12>& SignColours() {
    static const std::array<QColor, 12> colours = {
        QColor(204, 0, 0),   QColor(0, 128, 0),   QColor(224, 112, 0), QColor(0, 96, 168),
        QColor(184, 120, 0), QColor(104, 112, 0), QColor(0, 128, 128), QColor(144, 0, 64),
        QColor(120, 0, 176), QColor(112, 72, 32), QColor(0, 72, 224),  QColor(0, 136, 96)};
    return colours;
}

}  // namespace

void DrawSignSymbol(QPainter& p, int signIndex, const QRectF& target) {
    if (signIndex < 0 || signIndex > 11) return;
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.fillRect(target, kSignBackground);
    p.translate(target.topLeft());
    p.scale(target.width() / kSignArtSize, target.height() / kSignArtSize);
    QPen pen(SignColours()[signIndex], 1.7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawPath(SignPath(signIndex));
    p.restore();
}

namespace {
QPixmap Render(QSize size, qreal dpr, const std::function<void(QPainter&)>& draw) {
    QPixmap pixmap(size * dpr);
    pixmap.setDevicePixelRatio(dpr);
    pixmap.fill(Qt::white);
    QPainter painter(&pixmap);
    draw(painter);
    return pixmap;
}
}  // namespace

QPixmap WheelPixmap(bool comparison, qreal dpr, const WheelGeometry& geometry) {
    // Keyed by the dividing circle too: it is the one measure that is not a constant.
    static QHash<QPair<QPair<bool, qreal>, double>, QPixmap> cache;
    auto key = qMakePair(qMakePair(comparison, dpr), geometry.ringSplit);
    auto it = cache.find(key);
    if (it == cache.end()) {
        it = cache.insert(key, Render(kWheelPictureSize, dpr,
                                      [&](QPainter& p) { DrawWheel(p, comparison, geometry); }));
    }
    return *it;
}

QPixmap SignPixmap(int imgPosition, qreal dpr) {
    if (imgPosition < 1 || imgPosition > 12) return {};
    static QHash<QPair<int, qreal>, QPixmap> cache;
    auto key = qMakePair(imgPosition, dpr);
    auto it = cache.find(key);
    if (it == cache.end()) {
        // Stretched from the 21 x 21 design to the 20 x 20 slot, drawn at the final size.
        it = cache.insert(key, Render(kSignPictureSize, dpr, [&](QPainter& p) {
                              DrawSignSymbol(p, imgPosition - 1,
                                             QRectF(QPointF(0, 0), QSizeF(kSignPictureSize)));
                          }));
    }
    return *it;
}

QString SignKey(int imgPosition) {
    if (imgPosition < 1 || imgPosition > kSignCount) return {};
    const std::string_view key = kSignNames[imgPosition - 1];
    return QString::fromLatin1(key.data(), qsizetype(key.size()));
}

}  // namespace velloran
