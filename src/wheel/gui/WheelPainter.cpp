#include "wheel/gui/WheelPainter.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QHashSeed>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QVarLengthArray>
#include <algorithm>
#include <unordered_map>

#include "glyphs/SystemGlyphs.h"

namespace velloran {

namespace {

QPainterPath ToPainterPath(const PathData& data) {
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    for (const PathOp& op : data) {
        switch (op.kind) {
            case PathOp::Kind::MoveTo:
                path.moveTo(op.p1.x, op.p1.y);
                break;
            case PathOp::Kind::LineTo:
                path.lineTo(op.p1.x, op.p1.y);
                break;
            case PathOp::Kind::QuadTo:
                path.quadTo(op.p1.x, op.p1.y, op.p2.x, op.p2.y);
                break;
            case PathOp::Kind::CubicTo:
                path.cubicTo(op.p1.x, op.p1.y, op.p2.x, op.p2.y, op.p3.x, op.p3.y);
                break;
            case PathOp::Kind::Close:
                path.closeSubpath();
                break;
        }
    }
    return path;
}

// The glyphs as QPainterPaths in em units, each built once: for the program's own outlines
// (which live as long as the process) once per process, for any other outlines once per paint.
class GlyphPaths {
public:
    explicit GlyphPaths(const GlyphOutlines& outlines) : m_outlines(outlines) {}

    // The path of c; nullptr when c has no outline or no ink.
    const QPainterPath* find(char32_t c) {
        auto it = m_paths.find(c);
        if (it == m_paths.end()) {
            const GlyphOutline* glyph = m_outlines.find(c);
            it = m_paths.emplace(c, glyph ? ToPainterPath(glyph->path) : QPainterPath()).first;
        }
        return it->second.isEmpty() ? nullptr : &it->second;
    }

private:
    const GlyphOutlines& m_outlines;
    std::unordered_map<char32_t, QPainterPath> m_paths;
};

// The program's outlines as paths, built on first use; read-only after that, so any thread may
// share them.
const std::unordered_map<char32_t, QPainterPath>& SystemGlyphPaths() {
    static const std::unordered_map<char32_t, QPainterPath> paths = [] {
        std::unordered_map<char32_t, QPainterPath> built;
        const GlyphOutlines& outlines = SystemGlyphOutlines();
        GlyphPaths source(outlines);
        for (const std::u32string_view set : {kAstrologicalSymbols, kTextCharacters}) {
            for (const char32_t c : set) {
                if (const QPainterPath* path = source.find(c)) built.emplace(c, *path);
            }
        }
        return built;
    }();
    return paths;
}

class PathLookup {
public:
    explicit PathLookup(const GlyphOutlines& outlines)
        : m_system(&outlines == &SystemGlyphOutlines() ? &SystemGlyphPaths() : nullptr),
          m_local(outlines) {}

    const QPainterPath* find(char32_t c) {
        if (!m_system) return m_local.find(c);
        const auto it = m_system->find(c);
        return it == m_system->end() ? nullptr : &it->second;
    }

private:
    const std::unordered_map<char32_t, QPainterPath>* m_system;
    GlyphPaths m_local;
};

QColor ToQColor(const WheelColour& c) { return QColor(c.r, c.g, c.b); }

// The item's pen as the SVG strokes it: butt ends; no stroke for a zero width.
QPen ItemPen(const DrawItem& item) {
    if (!item.stroke || !(item.strokeWidth > 0.0)) return Qt::NoPen;
    QPen pen(ToQColor(*item.stroke), item.strokeWidth);
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    if (!item.dash.empty()) {
        // QPen counts dashes in pen widths; an odd pattern repeats as SVG repeats it.
        QList<qreal> pattern;
        for (int round = 0; round < (item.dash.size() % 2 == 0 ? 1 : 2); ++round)
            for (const double length : item.dash) pattern.push_back(length / item.strokeWidth);
        pen.setDashPattern(pattern);
    }
    return pen;
}

QBrush ItemBrush(const DrawItem& item) {
    return item.fill ? QBrush(ToQColor(*item.fill)) : QBrush(Qt::NoBrush);
}

// The family of the wheel's digits and letters, named: the same face on every machine that has
// it.
QFont TextFont() { return QFont(QStringLiteral("DejaVu Sans")); }

// A caption line as text, over the ink the outlines of the line would cover (PlaceText): the
// same width and centre, so the page shows what the PNG shows; a line without outlines gets the
// box's height as its em, smaller when it would run wider than the box. Set in device units, so
// that the font's size is not rounded to whole units of the drawing.
void PaintTextLine(QPainter& painter, const DrawItem& item, const GlyphOutlines& outlines) {
    const QString text =
        QString::fromUcs4(item.text.data(), static_cast<qsizetype>(item.text.size()));
    const WheelBox& b = item.box;
    QRectF ink(b.left, b.top, b.width(), b.height());
    bool measured = false;
    for (const GlyphPlacement& p :
         PlaceText(outlines, item.text, b.left, b.top, b.right, b.bottom, b.height())) {
        const GlyphOutline* glyph = outlines.find(p.c);
        if (!glyph || !(glyph->inkRight > glyph->inkLeft)) continue;
        const QRectF glyphInk(
            QPointF(p.x + glyph->inkLeft * p.scale, p.y + glyph->inkTop * p.scale),
            QPointF(p.x + glyph->inkRight * p.scale, p.y + glyph->inkBottom * p.scale));
        ink = measured ? ink.united(glyphInk) : glyphInk;
        measured = true;
    }
    const QRectF box = painter.transform().mapRect(ink);
    QPaintDevice* device = painter.device();
    const double pixelsPerPoint = device->logicalDpiY() / 72.0;
    if (text.isEmpty() || !(box.height() > 0.0) || !(box.width() > 0.0) || !(pixelsPerPoint > 0.0))
        return;
    QFont font = TextFont();
    font.setPointSizeF(painter.transform().mapRect(QRectF(0, 0, 1, b.height())).height() /
                       pixelsPerPoint);
    QRectF tight = QFontMetricsF(font, device).tightBoundingRect(text);
    if ((measured || tight.width() > box.width()) && tight.width() > 0.0) {
        font.setPointSizeF(font.pointSizeF() * box.width() / tight.width());
        tight = QFontMetricsF(font, device).tightBoundingRect(text);
    }
    painter.save();
    painter.resetTransform();
    painter.setFont(font);
    painter.setPen(ToQColor(*item.fill));
    painter.drawText(box.center() - tight.center(), text);
    painter.restore();
}

}  // namespace

void PaintWheel(QPainter& painter, const WheelDrawing& drawing, const GlyphOutlines& outlines,
                const QRectF& target, CaptionAs caption) {
    if (!(drawing.size > 0.0) || target.isEmpty()) return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    const double side = std::min(target.width(), target.height());
    const double scale = side / drawing.size;
    painter.translate(target.center().x() - side / 2, target.center().y() - side / 2);
    painter.scale(scale, scale);
    const QTransform base = painter.transform();

    painter.fillRect(QRectF(0, 0, drawing.size, drawing.size), ToQColor(drawing.background));

    PathLookup paths(outlines);
    QVarLengthArray<QLineF, 512> lines;
    for (const DrawItem& item : drawing.items) {
        switch (item.kind) {
            case DrawItem::Kind::Circle:
                painter.setPen(ItemPen(item));
                painter.setBrush(ItemBrush(item));
                painter.drawEllipse(QPointF(item.centre.x, item.centre.y), item.radius,
                                    item.radius);
                break;
            case DrawItem::Kind::Segments: {
                const QPen pen = ItemPen(item);
                if (pen.style() == Qt::NoPen || item.segments.empty()) break;
                painter.setPen(pen);
                lines.clear();
                for (const WheelSegment& s : item.segments) {
                    lines.append(QLineF(s.from.x, s.from.y, s.to.x, s.to.y));
                }
                painter.drawLines(lines.constData(), static_cast<int>(lines.size()));
                break;
            }
            case DrawItem::Kind::Text: {
                // Text is filled only, glyph by glyph where PlaceText puts it (as in the SVG).
                if (!item.fill) break;
                if (item.caption && caption == CaptionAs::Text) {
                    PaintTextLine(painter, item, outlines);
                    break;
                }
                const QBrush brush = ItemBrush(item);
                painter.setPen(Qt::NoPen);
                painter.setBrush(brush);
                for (const GlyphPlacement& p :
                     PlaceText(outlines, item.text, item.box.left, item.box.top, item.box.right,
                               item.box.bottom, item.box.height())) {
                    const QPainterPath* path = paths.find(p.c);
                    if (!path) continue;
                    painter.setTransform(QTransform(p.scale, 0, 0, p.scale, p.x, p.y) * base);
                    painter.drawPath(*path);
                }
                painter.setTransform(base);
                break;
            }
        }
    }
    painter.restore();
}

QByteArray WheelPng(const WheelDrawing& drawing, const GlyphOutlines& outlines, int px) {
    if (px <= 0 || px > 16384) return {};
    QImage image(px, px, QImage::Format_RGB32);
    if (image.isNull()) return {};
    const WheelColour& ground = drawing.background;
    image.fill(QColor(ground.r, ground.g, ground.b));
    {
        QPainter painter(&image);
        PaintWheel(painter, drawing, outlines, QRectF(0, 0, px, px));
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG")) return {};
    return bytes;
}

void PaintWheelPage(QPainter& painter, const QRectF& page, const WheelDrawing& drawing,
                    const GlyphOutlines& outlines, const QString& title) {
    double y = page.top();
    if (!title.isEmpty()) {
        // The title as text, wrapped to the page's width, half a line above the wheel.
        painter.save();
        QFont font = TextFont();
        font.setPointSizeF(16);
        font.setBold(true);
        painter.setFont(font);
        painter.setPen(Qt::black);
        const QFontMetricsF metrics(font, painter.device());
        const QRectF room(page.left(), y, page.width(), page.height());
        const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
        const QRectF used = painter.boundingRect(room, flags, title);
        painter.drawText(room, flags, title);
        y += std::max(used.height(), metrics.lineSpacing()) + metrics.lineSpacing() / 2;
        painter.restore();
    }

    const QRectF room(page.left(), y, page.width(), std::max(0.0, page.bottom() - y));
    const double side = std::min(room.width(), room.height());
    if (side <= 0) return;
    // The wheel at the top of the room left, centred across the page; its caption in its top
    // corners as text.
    PaintWheel(painter, drawing, outlines,
               QRectF(room.center().x() - side / 2, room.top(), side, side), CaptionAs::Text);
}

namespace {

// The PDF writer stamps the moment of writing as the creation date: a fixed one in its place, of
// the same length so that the cross-reference offsets hold, gives the same bytes for the same
// wheel.
void FixCreationDate(QByteArray& pdf) {
    const QByteArray key = "/CreationDate (D:";
    const qsizetype at = pdf.indexOf(key);
    if (at < 0) return;
    static constexpr char kFixed[] = "20000101000000";
    qsizetype i = at + key.size();
    for (const char* c = kFixed; *c != '\0' && i < pdf.size() && pdf[i] >= '0' && pdf[i] <= '9';
         ++c, ++i)
        pdf[i] = *c;
}

// Qt's hashes take a random seed per process, and the PDF writer lists its fonts in the order of
// one: the writer works under the fixed seed, so the fonts come in the same order every time.
class DeterministicHashes {
public:
    DeterministicHashes() { QHashSeed::setDeterministicGlobalSeed(); }
    DeterministicHashes(const DeterministicHashes&) = delete;
    DeterministicHashes& operator=(const DeterministicHashes&) = delete;
    ~DeterministicHashes() { QHashSeed::resetRandomGlobalSeed(); }
};

}  // namespace

QByteArray WheelPdf(const WheelDrawing& drawing, const GlyphOutlines& outlines,
                    const QString& title) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly)) return {};
    {
        const DeterministicHashes hashes;
        QPdfWriter writer(&buffer);
        writer.setTitle(title);
        writer.setCreator(QStringLiteral("Velloran"));
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter));
        QPainter painter;
        if (!painter.begin(&writer)) return {};
        // The painter's origin is the printable area's corner.
        const QRect area = writer.pageLayout().paintRectPixels(writer.resolution());
        PaintWheelPage(painter, QRectF(0, 0, area.width(), area.height()), drawing, outlines,
                       title);
        if (!painter.end()) return {};
    }
    FixCreationDate(bytes);
    return bytes;
}

}  // namespace velloran
