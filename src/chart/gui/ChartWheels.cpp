#include "chart/gui/ChartWheels.h"

#include <QLabel>
#include <QStringList>
#include <algorithm>
#include <vector>

#include "chart/ChartWindow.h"
#include "chart/gui/ChartPictures.h"
#include "chart/gui/ComparisonRings.h"
#include "chart/gui/DisplayLabels.h"
#include "chart/gui/DisplayLayout.h"
#include "ui/QtText.h"
#include "ui/Twips.h"
#include "ui/UiFonts.h"

namespace velloran {

using namespace display;

namespace {

const QColor kDraconicBlue(0, 0, 255);

QColor ToQColor(const Rgb& c) { return QColor(c.r, c.g, c.b); }

// Where a house text is drawn: a wrapped ring text within its fixed width, a single-wheel text
// fills its fitted label.
QRect TextBox(const QLabel* label) {
    if (!label->wordWrap()) return label->geometry();
    return label->fontMetrics()
        .boundingRect(QRect(0, 0, label->width(), 10000),
                      int(label->alignment()) | Qt::TextWordWrap, label->text())
        .translated(label->pos());
}

// The house texts among `labels` that the one at `index` runs into. An empty single-wheel label
// still holds its house's spot; an empty ring text holds none.
int Collisions(const std::vector<QLabel*>& labels, std::size_t index) {
    const auto holdsRoom = [](const QLabel* label) {
        return !label->wordWrap() || !label->text().trimmed().isEmpty();
    };
    if (labels[index]->text().trimmed().isEmpty()) return 0;
    const QRect box = TextBox(labels[index]);
    int count = 0;
    for (std::size_t j = 0; j < labels.size(); ++j) {
        if (j != index && holdsRoom(labels[j]) && box.intersects(TextBox(labels[j]))) ++count;
    }
    return count;
}

// A precise chart's houses can hold more names than their designed spots have room for: a house
// text that runs into another is laid out again, its names on fewer or more lines, or starting on
// its first line, whichever runs into the fewest texts (the designed layout when none is
// better).
void SpreadCrowdedHouses(const std::vector<QLabel*>& labels,
                         const std::vector<const WheelHouses*>& wheels, int maxLines,
                         const QString& separator, void (*setText)(QLabel*, const QString&)) {
    for (int pass = 0; pass < 2; ++pass) {
        for (std::size_t i = 0; i < labels.size(); ++i) {
            int best = Collisions(labels, i);
            if (best == 0) continue;
            const WheelHouses& wheel = *wheels[i];
            const int house = static_cast<int>(i % kSignCount) + 1;
            QString bestText = labels[i]->text();
            const int names = wheel.bodies[house - 1].size();
            for (int lines = 1; lines <= std::max(names, maxLines) && best > 0; ++lines) {
                for (const bool fromTop : {false, true}) {
                    QString text = PairedHouseText(wheel, house, lines, separator);
                    if (fromTop) text.remove(0, 1);  // the leading line break
                    setText(labels[i], text);
                    const int count = Collisions(labels, i);
                    if (count < best) {
                        best = count;
                        bestText = text;
                    }
                }
            }
            setText(labels[i], bestText);
        }
    }
}

}  // namespace

QString PairedHouseText(const WheelHouses& wheel, int house, int maxLines,
                        const QString& separator) {
    QStringList names;
    for (const ChartBody body : wheel.bodies[house - 1]) names << Q(WheelBodyName(wheel, body));
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

ChartWheels::ChartWheels(QWidget* window, const WheelGeometry& geometry) {
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
    const int singleLines = modern ? kMaxSingleHouseLines : 0;
    const int ringLines = modern ? kMaxRingHouseLines : 0;
    const QColor houseColour = ToQColor(m.singleWheelColor);
    for (int h = 0; h < kSignCount; ++h) {
        SetTextColour(m_lblNatal[h], houseColour);
        SetFittedText(m_lblNatal[h],
                      PairedHouseText(m.singleWheel, h + 1, singleLines, QStringLiteral(", ")));
        SetWrappedText(m_lblPlanetsPosition[h],
                       PairedHouseText(m.outerRing, h + 1, ringLines, QStringLiteral(" ")));
        SetWrappedText(m_lblPlanetsPosition[kSignCount + h],
                       PairedHouseText(m.innerRing, h + 1, ringLines, QStringLiteral(" ")));
        m_imgSign[h]->setPicture(m.singleWheel.signPictures[h]);
        m_imgSign[kSignCount + h]->setPicture(m.outerRing.signPictures[h]);
        m_imgSign[2 * kSignCount + h]->setPicture(m.innerRing.signPictures[h]);
    }
    if (modern) {
        const std::vector<QLabel*> single(m_lblNatal.begin(), m_lblNatal.end());
        SpreadCrowdedHouses(single, std::vector<const WheelHouses*>(kSignCount, &m.singleWheel),
                            singleLines, QStringLiteral(", "), &SetFittedText);
        const std::vector<QLabel*> rings(m_lblPlanetsPosition.begin(), m_lblPlanetsPosition.end());
        std::vector<const WheelHouses*> ringWheels(kSignCount, &m.outerRing);
        ringWheels.resize(2 * kSignCount, &m.innerRing);
        SpreadCrowdedHouses(rings, ringWheels, ringLines, QStringLiteral(" "), &SetWrappedText);
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
