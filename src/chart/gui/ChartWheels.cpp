#include "chart/gui/ChartWheels.h"

#include <QFontInfo>
#include <QLabel>
#include <QStringList>
#include <QTextLayout>
#include <algorithm>
#include <cmath>
#include <vector>

#include "chart/ChartWindow.h"
#include "chart/gui/ChartPictures.h"
#include "chart/gui/ComparisonRings.h"
#include "chart/gui/DisplayLabels.h"
#include "chart/gui/DisplayLayout.h"
#include "chart/gui/WheelArt.h"
#include "ui/QtText.h"
#include "ui/Twips.h"
#include "ui/UiFonts.h"

namespace velloran {

using namespace display;

namespace {

const QColor kDraconicBlue(0, 0, 255);

QColor ToQColor(const Rgb& c) { return QColor(c.r, c.g, c.b); }

// Where a house text's ink lies, in its picture's pixels: each line as the label lays it out (a
// ring text wrapped within its width), measured by the ink of its glyphs; a blank line holds
// none.
QRect TextBox(const QLabel* label) {
    const QFontMetrics metrics(label->font());
    // A plain label sets its lines a fractional spacing apart, a wrapped one (laid out as a text
    // document) a whole number of pixels: counted otherwise, a tall text would drift off its
    // drawing.
    const double fractional = QFontMetricsF(label->font()).lineSpacing();
    const double spacing = label->wordWrap() ? std::ceil(fractional) : fractional;
    QTextOption option(label->alignment());
    option.setWrapMode(QTextOption::WordWrap);
    QRect ink;
    double y = 0.0;
    const auto addLine = [&](const QString& part, int x) {
        if (!part.trimmed().isEmpty())
            ink |= metrics.tightBoundingRect(part.trimmed())
                       .translated(x, static_cast<int>(std::floor(y)) + metrics.ascent());
        y += spacing;
    };
    for (const QString& paragraph : label->text().split(QLatin1Char('\n'))) {
        if (!label->wordWrap() || paragraph.isEmpty()) {
            addLine(paragraph, 0);
            continue;
        }
        QTextLayout layout(paragraph, label->font());
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(label->width());
            addLine(paragraph.mid(line.textStart(), line.textLength()), qRound(line.x()));
        }
        layout.endLayout();
    }
    // A pixel all round for the antialiased edge.
    return ink.isEmpty() ? ink : ink.adjusted(-1, -1, 1, 1).translated(label->pos());
}

// How much more a px² outside a house text's room weighs than one over another text or a sign.
constexpr double kPastRoomWeight = 4.0;
// How deep a house text may run into something at its antialiased edge, px.
constexpr double kMostTouch = 1.0;
// How far a house text's ink may reach over the central disc's edge, px.
constexpr double kDiscEdge = 2.0;

// What a house text runs into: the other house texts of its picture, the sign pictures shown
// on it, and the edges of its room (the central disc inside, the coloured rim outside).
struct HouseTexts {
    std::vector<QLabel*> labels;
    std::vector<const WheelHouses*> wheels;
    std::vector<const SignPicture*> signs;
    QPointF centre;
    double inner = 0.0, outer = 0.0;  // px from the centre

    // How far the text at index runs into things, as an area in px²: what it covers of other
    // texts and of sign pictures, and a line's height for each px it reaches past its room.
    // Zero when it is clear.
    // How deep the text at index runs into things, px: the thinner side of what it covers of
    // another text or a sign picture, or its reach past its room.
    double Depth(std::size_t index) const {
        const QRect box = TextBox(labels[index]);
        if (box.isEmpty()) return 0.0;
        double depth = 0.0;
        const auto into = [&](const QRect& other) {
            const QRect both = box & other;
            if (!both.isEmpty())
                depth = std::max(depth, double(std::min(both.width(), both.height())));
        };
        for (std::size_t j = 0; j < labels.size(); ++j) {
            if (j != index) into(TextBox(labels[j]));
        }
        for (const SignPicture* sign : signs) {
            if (sign->picture() != 0) into(sign->geometry());
        }
        const RadialSpan span =
            SpanAbout(QRectF(box.x(), box.y(), box.width(), box.height()), centre);
        return std::max({depth, inner - span.nearest, span.farthest - outer});
    }

    double Overlap(std::size_t index) const {
        const QRect box = TextBox(labels[index]);
        if (box.isEmpty()) return 0.0;
        const auto area = [](const QRect& r) {
            return r.isEmpty() ? 0.0 : double(r.width()) * r.height();
        };
        double covered = 0.0;
        for (std::size_t j = 0; j < labels.size(); ++j) {
            if (j != index) covered += area(box & TextBox(labels[j]));
        }
        for (const SignPicture* sign : signs) {
            if (sign->picture() != 0) covered += area(box & sign->geometry());
        }
        const RadialSpan span =
            SpanAbout(QRectF(box.x(), box.y(), box.width(), box.height()), centre);
        const double past =
            std::max(0.0, inner - span.nearest) + std::max(0.0, span.farthest - outer);
        // Leaving the room is the worst fault: the reach past it weighs as a strip of the
        // text's whole width.
        return covered + past * std::max(box.width(), box.height()) * kPastRoomWeight;
    }
};

// Sets a house text and its font, and sizes the label as its kind wants.
void SetHouseText(QLabel* label, const QString& text, const QFont& font) {
    label->setFont(font);
    label->setText(text);
    if (label->wordWrap()) {
        label->setFixedHeight(label->heightForWidth(label->width()));
    } else {
        label->adjustSize();
    }
}

// The names of a house's bodies, as its text shows them (WheelBodyName).
QStringList HouseNames(const WheelHouses& wheel, int house) {
    QStringList names;
    for (const ChartBody body : wheel.bodies[house - 1]) names << Q(WheelBodyName(wheel, body));
    return names;
}

// Names laid out as a house text: one a line, or sharing lines to stay within maxLines.
QString LaidOutNames(const QStringList& names, int maxLines, const QString& separator) {
    const bool paired = maxLines > 0 && names.size() > maxLines;
    const qsizetype perLine = paired ? (names.size() + maxLines - 1) / maxLines : 1;
    QString text;
    for (qsizetype i = 0; i < names.size(); ++i) {
        // Sharing a line, a retrograde mark's trailing blank would stand before the separator.
        const QString name = paired ? names[i].trimmed() : names[i];
        text += (i % perLine == 0 ? QStringLiteral("\n") : separator) + name;
    }
    return text;
}

// The pixel size a font is drawn at.
int DrawnPixels(const QFont& font) { return QFontInfo(font).pixelSize(); }

// A house text that runs into another, into a sign picture or out of its room is laid out again:
// its names sharing lines (as few sharing as will do), or starting on its first line, and only
// when no such layout is clear, in a smaller type, never below kSmallestHouseTextPx; whichever
// runs into the least (the designed layout when none is better). A text that still runs into
// something at the smallest type ends with an ellipsis after as many names as stand clear, and
// its tooltip and accessible name carry all of them. Texts that run into nothing keep their
// designed layout.
void FitHouseTexts(const HouseTexts& texts, int maxLines, const QString& separator) {
    constexpr double kSmallestType = 0.7;  // of the designed size
    for (int pass = 0; pass < 3; ++pass) {
        for (std::size_t i = 0; i < texts.labels.size(); ++i) {
            QLabel* label = texts.labels[i];
            double best = texts.Overlap(i);
            if (best == 0.0) continue;
            const WheelHouses& wheel = *texts.wheels[i];
            const int house = static_cast<int>(i % kSignCount) + 1;
            const QFont designed = label->font();
            QString bestText = label->text();
            QFont bestFont = designed;
            const int names = static_cast<int>(wheel.bodies[house - 1].size());
            // Line counts from the designed one down to a single line, then up to a line a name.
            const int designedLines = maxLines > 0 ? std::min(names, maxLines) : names;
            std::vector<int> lineCounts;
            for (int lines = std::max(designedLines, 1); lines >= 1; --lines)
                lineCounts.push_back(lines);
            for (int lines = designedLines + 1; lines <= names; ++lines)
                lineCounts.push_back(lines);
            const bool points = designed.pointSizeF() > 0;
            const double size = points ? designed.pointSizeF() : designed.pixelSize();
            for (double scale = 1.0; scale >= kSmallestType - 1e-9 && best > 0.0; scale -= 0.1) {
                QFont font = designed;
                if (points) {
                    font.setPointSizeF(size * scale);
                } else {
                    font.setPixelSize(std::max(1, static_cast<int>(std::lround(size * scale))));
                }
                if (DrawnPixels(font) < kSmallestHouseTextPx) break;
                for (const int lines : lineCounts) {
                    if (best == 0.0) break;
                    for (const bool fromTop : {false, true}) {
                        QString text = PairedHouseText(wheel, house, lines, separator);
                        if (fromTop) text.remove(0, 1);  // the leading line break
                        SetHouseText(label, text, font);
                        const double count = texts.Overlap(i);
                        if (count < best) {
                            best = count;
                            bestText = text;
                            bestFont = font;
                        }
                    }
                }
            }
            const QStringList all = HouseNames(wheel, house);
            SetHouseText(label, bestText, bestFont);
            // Still running into something past an antialiased edge at the smallest type: as
            // many names as stand clear and an ellipsis.
            if (texts.Depth(i) > kMostTouch) {
                for (qsizetype shown = all.size() - 1; shown >= 0; --shown) {
                    // The ellipsis after the last name shown, or on a line of its own.
                    for (const bool ownLine : {false, true}) {
                        QStringList names = all.mid(0, shown);
                        if (ownLine || names.isEmpty()) {
                            names << QStringLiteral("\u2026");
                        } else {
                            names.last() = names.last().trimmed() + QStringLiteral("\u2026");
                        }
                        const int lines = std::max(1, std::min(designedLines, int(names.size())));
                        QString text = LaidOutNames(names, lines, separator);
                        for (const bool fromTop : {false, true}) {
                            if (fromTop) text.remove(0, 1);
                            SetHouseText(label, text, bestFont);
                            if (texts.Overlap(i) < best && texts.Depth(i) <= kMostTouch) {
                                bestText = text;
                                shown = -1;  // the most names that stand clear
                                break;
                            }
                        }
                        if (shown < 0) break;
                    }
                }
                SetHouseText(label, bestText, bestFont);
            }
            // An elided text gives every name in its tooltip and accessible name.
            QStringList whole;
            if (bestText.contains(QChar(0x2026))) {
                for (const QString& name : all) whole << name.trimmed();
            }
            label->setToolTip(whole.join(QStringLiteral(", ")));
            label->setAccessibleName(label->toolTip());
        }
    }
}

}  // namespace

QString PairedHouseText(const WheelHouses& wheel, int house, int maxLines,
                        const QString& separator) {
    return LaidOutNames(HouseNames(wheel, house), maxLines, separator);
}

ChartWheels::ChartWheels(QWidget* window, const WheelGeometry& geometry)
    : m_centre(geometry.cx, geometry.cy),
      m_disc(geometry.disc),
      m_scale(geometry.scale),
      m_singleFont(window->font()),
      m_ringFont(ComparisonTextFont()) {
    buildSingleWheel(window, geometry);
    buildComparisonWheel(window, geometry);
}

void ChartWheels::buildSingleWheel(QWidget* window, const WheelGeometry& geometry) {
    m_picNatal = new WheelPicture(false, geometry, window);
    m_picNatal->move(TwipsPoint(kPictureLeft, kPictureTop));
    // Stacking, bottom to top: house numbers, the sign pictures that share their spots, and the
    // house texts, which stay readable where a long text runs over a sign.
    for (int h = 0; h < 12; ++h) {
        QLabel* number =
            MakeDisplayLabel(m_picNatal, QStringLiteral("lblNatalPosition%1").arg((h + 1) % 12),
                             VerdanaFont(12), Qt::black);
        number->setText(QString::number(h + 1));
        number->adjustSize();
        number->move(TwipsPoint(kHouseNumber[h].left, kHouseNumber[h].top));
    }
    for (int h = 0; h < 12; ++h) {
        m_imgSign[h] = new SignPicture(m_picNatal);
        m_imgSign[h]->setObjectName(QStringLiteral("imgSign%1").arg(h));
        m_imgSign[h]->move(TwipsPoint(kNatalSign[h].left, kNatalSign[h].top));
    }
    for (int h = 0; h < 12; ++h) {
        m_lblNatal[h] = MakeDisplayLabel(m_picNatal, QStringLiteral("lblNatal%1").arg(h),
                                         window->font(), Qt::black);
        m_lblNatal[h]->move(TwipsPoint(kNatalText[h].left, kNatalText[h].top));
    }
}

void ChartWheels::buildComparisonWheel(QWidget* window, const WheelGeometry& geometry) {
    m_picNatalDraconic = new WheelPicture(true, geometry, window);
    m_picNatalDraconic->move(TwipsPoint(kPictureLeft, kPictureTop));
    for (int h = 0; h < 12; ++h) {
        for (int ring = 0; ring < 2; ++ring) {
            const int index = ring == 0 ? 12 + h : 24 + h;
            const TwipPoint& at = ring == 0 ? kOuterSign[h] : kInnerSign[h];
            auto* sign = new SignPicture(m_picNatalDraconic);
            sign->setObjectName(QStringLiteral("imgSign%1").arg(index));
            sign->move(TwipsPoint(at.left, at.top));
            m_imgSign[index] = sign;
        }
    }
    const QFont bold = ComparisonTextFont();
    for (int i = 0; i < 24; ++i) {
        const bool outer = i < 12;
        const TwipPoint& at = outer ? kOuterText[i] : kInnerText[i - 12];
        QLabel* label =
            MakeDisplayLabel(m_picNatalDraconic, QStringLiteral("lblPlanets_Position%1").arg(i),
                             bold, outer ? kDraconicBlue : QColor(Qt::black));
        label->setWordWrap(true);
        label->move(TwipsPoint(at.left, at.top));
        label->setFixedWidth(TwipsToPx(kComparisonTextWidth));
        m_lblPlanetsPosition[i] = label;
    }
}

void ChartWheels::show(const ChartWindowModel& m) {
    // With the modern bodies a house can hold many more names than its room: past a few, they
    // share lines. The classic window keeps its texts as they are.
    const bool modern = m.bodyRows > kBodyCount;
    // Classic texts keep one name a line unless they run into something.
    const int singleLines = modern ? kMaxSingleHouseLines : 0;
    const int ringLines = modern ? kMaxRingHouseLines : 0;
    const QColor houseColour = ToQColor(m.singleWheelColor);
    for (int h = 0; h < kSignCount; ++h) {
        SetTextColour(m_lblNatal[h], houseColour);
        for (QLabel* label :
             {m_lblNatal[h], m_lblPlanetsPosition[h], m_lblPlanetsPosition[kSignCount + h]}) {
            label->setToolTip(QString());
            label->setAccessibleName(QString());
        }
        // Each text starts from its designed layout and type.
        SetHouseText(m_lblNatal[h],
                     PairedHouseText(m.singleWheel, h + 1, singleLines, QStringLiteral(", ")),
                     m_singleFont);
        SetHouseText(m_lblPlanetsPosition[h],
                     PairedHouseText(m.outerRing, h + 1, ringLines, QStringLiteral(" ")),
                     m_ringFont);
        SetHouseText(m_lblPlanetsPosition[kSignCount + h],
                     PairedHouseText(m.innerRing, h + 1, ringLines, QStringLiteral(" ")),
                     m_ringFont);
        m_imgSign[h]->setPicture(m.singleWheel.signPictures[h]);
        m_imgSign[kSignCount + h]->setPicture(m.outerRing.signPictures[h]);
        m_imgSign[2 * kSignCount + h]->setPicture(m.innerRing.signPictures[h]);
    }
    const auto inField = [this] {
        HouseTexts texts;
        texts.centre = m_centre;
        // The designed spots lie against the disc's edge; an antialiased pixel may touch it.
        texts.inner = m_disc - kDiscEdge;
        texts.outer = m_scale;
        return texts;
    };
    // The texts of the picture in front are laid out again where they run into something.
    if (m.pictureInFront == ChartPicture::Comparison) {
        HouseTexts rings = inField();
        rings.labels.assign(m_lblPlanetsPosition.begin(), m_lblPlanetsPosition.end());
        rings.wheels.assign(kSignCount, &m.outerRing);
        rings.wheels.resize(2 * kSignCount, &m.innerRing);
        rings.signs.assign(m_imgSign.begin() + kSignCount, m_imgSign.end());
        FitHouseTexts(rings, ringLines, QStringLiteral(" "));
    } else {
        HouseTexts single = inField();
        single.labels.assign(m_lblNatal.begin(), m_lblNatal.end());
        single.wheels.assign(kSignCount, &m.singleWheel);
        single.signs.assign(m_imgSign.begin(), m_imgSign.begin() + kSignCount);
        FitHouseTexts(single, singleLines, QStringLiteral(", "));
    }
    (m.pictureInFront == ChartPicture::Comparison ? m_picNatalDraconic : m_picNatal)->raise();
}

void ChartWheels::setVisible(bool visible) {
    m_picNatal->setVisible(visible);
    m_picNatalDraconic->setVisible(visible);
}

WheelPicture* ChartWheels::frontPicture() const {
    // The picture raised last lies above the other among the window's children.
    const QObjectList& kids = m_picNatal->parentWidget()->children();
    return kids.indexOf(m_picNatalDraconic) > kids.indexOf(m_picNatal) ? m_picNatalDraconic
                                                                       : m_picNatal;
}

}  // namespace velloran
