#include "chart/gui/FrmDisplay.h"

#include <QDropEvent>
#include <QLabel>
#include <QPainter>
#include <algorithm>

#include "Version.h"
#include "chart/ChartWindow.h"
#include "chart/gui/ChartPictures.h"
#include "chart/gui/ComparisonRings.h"
#include "chart/gui/DisplayLayout.h"
#include "ui/QtText.h"
#include "ui/ReadingDrop.h"
#include "ui/Twips.h"
#include "ui/UiFonts.h"

namespace velloran {

using namespace display;

namespace {

const QColor kHeadingColour(0, 64, 64);
const QColor kLegendBack(154, 54, 171);
const QColor kPlanetGreen(0, 128, 0);
const QColor kDraconicBlue(0, 0, 255);
const QColor kNoteRed(160, 0, 0);
constexpr const char* kInnerLegend = "Inner Wheel - Natal Chart";

const char* const kRowCaptions[kMaxBodyCount] = {
    "Sun (Su)",    "Moon (M)",     "Mercury (Me)",   "Venus (V)",      "Mars (Ma)",
    "Jupiter (J)", "Saturn (Sa)",  "North Node (N)", "South Node (S)", "Asc (A)",
    "Uranus (U)",  "Neptune (Ne)", "Pluto (P)",      "Chiron (Ch)"};
const char* const kHeaderNames[8] = {"lblName", "lblCity", "lblState",    "lblCountry",
                                     "lblDOB",  "lblTOB",  "lblLatitude", "lblLongitude"};

QColor ToQColor(const Rgb& c) { return QColor(c.r, c.g, c.b); }

void SetTextColour(QWidget* w, const QColor& colour) {
    QPalette pal = w->palette();
    if (pal.color(QPalette::WindowText) == colour) return;
    pal.setColor(QPalette::WindowText, colour);
    w->setPalette(pal);
}

// Width a label has for its text, px.
int TextWidth(const QLabel* label) {
    return label->contentsRect().width() - 2 * label->margin() - std::max(label->indent(), 0);
}

}  // namespace

QString HouseDisplayText(const std::string& text) {
    QString display = Q(text);
    display.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    display.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return display;
}

FrmDisplay::FrmDisplay(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("frmDisplay"));
    setWindowTitle(QStringLiteral(VELLORAN_TITLE));
    setFixedSize(TwipsToPx(kClientWidth), TwipsToPx(kClientHeight));
    setAcceptDrops(true);
    setFont(VerdanaFont(8.25));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    pal.setColor(QPalette::WindowText, Qt::black);
    setPalette(pal);
    setAccessibleName(tr("Chart display"));

    const WheelGeometry wheel = MakeWheelGeometry();
    buildSingleWheel(wheel);
    buildComparisonWheel(wheel);
    buildHeader();
    buildPositionTable();
    render(ChartWindowModel{});
}

QString PairedHouseText(const QString& display, int maxLines, const QString& separator) {
    // The text starts with a line break before its first name.
    const QStringList names = display.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    if (maxLines < 1 || names.size() <= maxLines) return display;
    const qsizetype perLine = (names.size() + maxLines - 1) / maxLines;
    QString joined;
    for (qsizetype i = 0; i < names.size(); ++i) {
        joined += (i % perLine == 0 ? QStringLiteral("\n") : separator) + names[i].trimmed();
    }
    return joined;
}

QLabel* FrmDisplay::makeLabel(QWidget* parent, const QString& name, const QFont& font,
                              const QColor& colour) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setFont(font);
    label->setMargin(0);
    label->setIndent(0);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    SetTextColour(label, colour);
    return label;
}

void FrmDisplay::buildHeader() {
    m_lblType =
        makeLabel(this, QStringLiteral("lblType"), ArialFont(14.25, true, true), kHeadingColour);
    m_lblType->move(TwipsPoint(kHeaderLeft, kTypeTop));
    for (int i = 0; i < 8; ++i) {
        m_header[i] = makeLabel(this, QString::fromLatin1(kHeaderNames[i]), VerdanaFont(8.25, true),
                                Qt::black);
        m_header[i]->move(TwipsPoint(kHeaderLeft, kHeaderTops[i]));
    }
    const char* const legends[2] = {kInnerLegend, "Outer Wheel - Draconic Chart"};
    for (int i = 0; i < 2; ++i) {
        QLabel* legend = makeLabel(this, QStringLiteral("lblLegend%1").arg(i),
                                   VerdanaFont(8.25, true), Qt::white);
        legend->setWordWrap(true);
        legend->setAutoFillBackground(true);
        QPalette pal = legend->palette();
        pal.setColor(QPalette::Window, kLegendBack);
        legend->setPalette(pal);
        legend->setGeometry(TwipsRect(kHeaderLeft, kLegendTops[i], kLegendWidth, kLegendHeight));
        legend->setText(QString::fromLatin1(legends[i]));
        m_legend[i] = legend;
    }
    m_positionsLine =
        makeLabel(this, QStringLiteral("lblPositions"), VerdanaFont(8.25, true), kHeadingColour);
    m_positionsLine->move(TwipsPoint(kHeaderLeft, kPositionsLineTop));
    m_positionsNote =
        makeLabel(this, QStringLiteral("lblPositionsNote"), VerdanaFont(8.25), kNoteRed);
    m_positionsNote->setWordWrap(true);
    m_positionsNote->setFixedWidth(TwipsToPx(kNoteWidth));
}

void FrmDisplay::buildPositionTable() {
    auto makeCell = [&](QWidget* frame, const QString& name, int row, int width, const QFont& font,
                        const QColor& colour) {
        auto* cell = new PositionCell(frame);
        cell->setObjectName(name);
        cell->setFont(font);
        SetTextColour(cell, colour);
        cell->setGeometry(TwipsRect(kCellLeft, kRowTops[row], width, kCellHeight));
        return cell;
    };

    m_planetFrame = new CaptionFrame(tr("Planet"), kPlanetGreen, this);
    m_planetFrame->setObjectName(QStringLiteral("Frame1"));
    m_planetFrame->setGeometry(
        TwipsRect(kPlanetFrameLeft, kFrameTop, kPlanetFrameWidth, kFrameHeight));
    QStringList texts;
    for (int row = 0; row < kMaxBodyCount; ++row) {
        m_rowCaptions[row] = makeCell(m_planetFrame, QStringLiteral("PlanetName%1").arg(row), row,
                                      kRowCaptionWidth, VerdanaFont(9.75, true), kPlanetGreen);
        m_rowCaptions[row]->setText(QString::fromLatin1(kRowCaptions[row]));
        // The classic captions choose the font; the modern bodies' are no wider.
        if (row < kBodyCount) texts << m_rowCaptions[row]->text();
    }
    // One font for the column, small enough that its widest caption fits the cell.
    const QFont fitted = FittedFont(m_rowCaptions[0]->font(), texts, TextWidth(m_rowCaptions[0]));
    for (QLabel* caption : m_rowCaptions) caption->setFont(fitted);

    // fraPlanet_Position(0) holds the draconic cells Planet(10..19), (1) the natal Planet(0..9);
    // the modern bodies' rows follow as Planet(24..27) and Planet(20..23).
    m_positionFrame[0] = new CaptionFrame(tr("Draconian"), kDraconicBlue, this);
    m_positionFrame[1] = new CaptionFrame(tr("Natal"), Qt::black, this);
    for (int f = 0; f < 2; ++f) {
        CaptionFrame* frame = m_positionFrame[f];
        frame->setObjectName(QStringLiteral("fraPlanet_Position%1").arg(f));
        frame->setGeometry(
            TwipsRect(kDraconicFrameLeft, kFrameTop, kPositionFrameWidth, kFrameHeight));
        const bool draconic = f == 0;
        const QColor colour = draconic ? kDraconicBlue : QColor(Qt::black);
        auto& cells = draconic ? m_draconicCells : m_natalCells;
        for (int row = 0; row < kMaxBodyCount; ++row) {
            const int index = row < kBodyCount ? (draconic ? 10 : 0) + row
                                               : (draconic ? 24 : 20) + row - kBodyCount;
            cells[row] = makeCell(frame, QStringLiteral("Planet%1").arg(index), row, kCellWidth,
                                  VerdanaFont(9.75), colour);
        }
    }

    // The three frame captions share one font, small enough for each to fit inside its border.
    const std::array<CaptionFrame*, 3> frames = {m_planetFrame, m_positionFrame[0],
                                                 m_positionFrame[1]};
    QStringList frameCaptions;
    int room = frames[0]->captionRoom();
    for (CaptionFrame* frame : frames) {
        frameCaptions << frame->caption();
        room = std::min(room, frame->captionRoom());
    }
    const QFont frameFont = FittedFont(frames[0]->font(), frameCaptions, room);
    for (CaptionFrame* frame : frames) frame->setFont(frameFont);
}

void FrmDisplay::buildSingleWheel(const WheelGeometry& wheel) {
    m_picNatal = new WheelPicture(false, wheel, this);
    m_picNatal->move(TwipsPoint(kPictureLeft, kPictureTop));
    // Stacking, bottom to top: house numbers, the sign pictures that share their spots, and the
    // house texts, which stay readable where a long text runs over a sign.
    for (int h = 0; h < 12; ++h) {
        QLabel* number =
            makeLabel(m_picNatal, QStringLiteral("lblNatalPosition%1").arg((h + 1) % 12),
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
        m_lblNatal[h] =
            makeLabel(m_picNatal, QStringLiteral("lblNatal%1").arg(h), font(), Qt::black);
        m_lblNatal[h]->move(TwipsPoint(kNatalText[h].left, kNatalText[h].top));
    }
}

void FrmDisplay::buildComparisonWheel(const WheelGeometry& wheel) {
    m_picNatalDraconic = new WheelPicture(true, wheel, this);
    m_picNatalDraconic->move(TwipsPoint(kPictureLeft, kPictureTop));
    for (int h = 0; h < 12; ++h) {
        for (int ring = 0; ring < 2; ++ring) {
            int index = ring == 0 ? 12 + h : 24 + h;
            const TwipPoint& at = ring == 0 ? kOuterSign[h] : kInnerSign[h];
            auto* sign = new SignPicture(m_picNatalDraconic);
            sign->setObjectName(QStringLiteral("imgSign%1").arg(index));
            sign->move(TwipsPoint(at.left, at.top));
            m_imgSign[index] = sign;
        }
    }
    const QFont bold = ComparisonTextFont();
    for (int i = 0; i < 24; ++i) {
        bool outer = i < 12;
        const TwipPoint& at = outer ? kOuterText[i] : kInnerText[i - 12];
        QLabel* label =
            makeLabel(m_picNatalDraconic, QStringLiteral("lblPlanets_Position%1").arg(i), bold,
                      outer ? kDraconicBlue : QColor(Qt::black));
        label->setWordWrap(true);
        label->move(TwipsPoint(at.left, at.top));
        label->setFixedWidth(TwipsToPx(kComparisonTextWidth));
        m_lblPlanetsPosition[i] = label;
    }
}

void FrmDisplay::setFitted(QLabel* label, const std::string& text, int maxLines) {
    QString display = HouseDisplayText(text);
    if (maxLines > 0) display = PairedHouseText(display, maxLines, QStringLiteral(", "));
    if (label->text() == display && !display.isEmpty()) return;
    label->setText(display);
    label->adjustSize();
}

void FrmDisplay::setWrapped(QLabel* label, const std::string& text, int maxLines) {
    QString display = HouseDisplayText(text);
    if (maxLines > 0) display = PairedHouseText(display, maxLines, QStringLiteral(" "));
    if (label->text() == display && label->height() > 0) return;
    label->setText(display);
    label->setFixedHeight(label->heightForWidth(label->width()));
}

void FrmDisplay::render(const ChartWindowModel& m) {
    setFitted(m_lblType, m.lblType);
    const std::string* header[8] = {&m.lblName, &m.lblCity, &m.lblState,    &m.lblCountry,
                                    &m.lblDOB,  &m.lblTOB,  &m.lblLatitude, &m.lblLongitude};
    for (int i = 0; i < 8; ++i) setFitted(m_header[i], *header[i]);
    for (QLabel* legend : m_legend) legend->setVisible(m.legendsVisible);
    // Another chart on the inner ring names itself in the legend and the column's caption.
    const QString innerLegend =
        m.innerLegend.empty() ? QString::fromLatin1(kInnerLegend) : Q(m.innerLegend);
    if (m_legend[0]->text() != innerLegend) {
        m_legend[0]->setText(innerLegend);
        const int needed = m_legend[0]->fontMetrics().horizontalAdvance(innerLegend) + 4;
        m_legend[0]->setFixedWidth(
            std::clamp(needed, TwipsToPx(kLegendWidth), TwipsToPx(kClientWidth - kHeaderLeft)));
    }
    m_positionFrame[1]->setCaption(m.natalColumnCaption.empty() ? tr("Natal")
                                                                : Q(m.natalColumnCaption));

    for (int k = 0; k < kMaxBodyCount; ++k) {
        m_natalCells[k]->setText(Q(m.natalColumn.cells[k]));
        m_draconicCells[k]->setText(Q(m.draconicColumn.cells[k]));
    }
    markContacts(m);
    layOut(m);
    m_positionFrame[1]->move(
        TwipsToPx(m.framesBeside ? kNatalFrameLeftBeside : kNatalFrameLeftStacked),
        m_positionFrame[1]->y());
    m_positionFrame[m.frameInFront == PositionFrame::Draconic ? 0 : 1]->raise();

    // The controls' indices: lblNatal(h) and imgSign(h) on the single wheel;
    // lblPlanets_Position(h) and imgSign(12 + h) on the outer ring, lblPlanets_Position(12 + h)
    // and imgSign(24 + h) on the inner ring.
    // With the modern bodies a house can hold many more names than its room: past a few, they
    // share lines. The classic window keeps its texts as they are.
    const bool modern = m.bodyRows > kBodyCount;
    const int singleLines = modern ? kMaxSingleHouseLines : 0;
    const int ringLines = modern ? kMaxRingHouseLines : 0;
    const QColor houseColour = ToQColor(m.singleWheelColor);
    for (int h = 0; h < kSignCount; ++h) {
        SetTextColour(m_lblNatal[h], houseColour);
        setFitted(m_lblNatal[h], HouseText(m.singleWheel, h + 1), singleLines);
        setWrapped(m_lblPlanetsPosition[h], HouseText(m.outerRing, h + 1), ringLines);
        setWrapped(m_lblPlanetsPosition[kSignCount + h], HouseText(m.innerRing, h + 1), ringLines);
        m_imgSign[h]->setPicture(m.singleWheel.signPictures[h]);
        m_imgSign[kSignCount + h]->setPicture(m.outerRing.signPictures[h]);
        m_imgSign[2 * kSignCount + h]->setPicture(m.innerRing.signPictures[h]);
    }

    (m.pictureInFront == ChartPicture::Comparison ? m_picNatalDraconic : m_picNatal)->raise();
    update();
}

void FrmDisplay::markContacts(const ChartWindowModel& m) {
    for (int k = 0; k < kMaxBodyCount; ++k) {
        m_natalCells[k]->setContactNote(Q(m.natalColumn.contacts[k]));
        m_draconicCells[k]->setContactNote(Q(m.draconicColumn.contacts[k]));
    }
}

void FrmDisplay::layOut(const ChartWindowModel& m) {
    const int rows = std::clamp(m.bodyRows, kBodyCount, kMaxBodyCount);
    for (int k = 0; k < kMaxBodyCount; ++k) {
        const bool shown = k < rows;
        m_rowCaptions[k]->setVisible(shown);
        m_natalCells[k]->setVisible(shown);
        m_draconicCells[k]->setVisible(shown);
    }
    const bool line = !m.positionsLine.empty();
    m_positionsLine->setVisible(line);
    setFitted(m_positionsLine, m.positionsLine);
    const int shift = line ? kPositionsLineHeight : 0;
    for (int i = 0; i < 8; ++i) m_header[i]->move(TwipsPoint(kHeaderLeft, kHeaderTops[i] + shift));
    for (int i = 0; i < 2; ++i) {
        m_legend[i]->move(TwipsPoint(kHeaderLeft, kLegendTops[i] + shift));
    }
    const int frameHeight = rows > kBodyCount ? kModernFrameHeight : kFrameHeight;
    m_planetFrame->setGeometry(
        TwipsRect(kPlanetFrameLeft, kFrameTop + shift, kPlanetFrameWidth, frameHeight));
    for (CaptionFrame* frame : m_positionFrame) {
        frame->setGeometry(QRect(frame->x(), TwipsToPx(kFrameTop + shift), frame->width(),
                                 TwipsToPx(frameHeight)));
    }
    int bottom = TwipsToPx(kFrameTop + shift + frameHeight);
    const bool note = !m.positionsNote.empty();
    m_positionsNote->setVisible(note);
    if (note) {
        setWrapped(m_positionsNote, m.positionsNote);
        m_positionsNote->move(TwipsToPx(kHeaderLeft), bottom + TwipsToPx(kNoteGap));
        bottom = m_positionsNote->geometry().bottom() + 1;
    }
    const int height = std::max(TwipsToPx(kClientHeight), bottom + TwipsToPx(kBottomMargin));
    if (height != this->height()) setFixedSize(TwipsToPx(kClientWidth), height);
}

WheelPicture* FrmDisplay::frontPicture() const {
    // The picture raised last lies above the other among the window's children.
    const QObjectList& kids = children();
    int single = kids.indexOf(m_picNatal);
    int comparison = kids.indexOf(m_picNatalDraconic);
    return comparison > single ? m_picNatalDraconic : m_picNatal;
}

void FrmDisplay::paintEvent(QPaintEvent*) { emit painted(); }

// Only a reading is taken; anything else is refused while it is dragged, without a message.
void FrmDisplay::dragEnterEvent(QDragEnterEvent* event) {
    if (DroppedReading(event->mimeData()).isEmpty()) return event->ignore();
    event->acceptProposedAction();
}

void FrmDisplay::dragMoveEvent(QDragMoveEvent* event) {
    if (DroppedReading(event->mimeData()).isEmpty()) return event->ignore();
    event->acceptProposedAction();
}

void FrmDisplay::dropEvent(QDropEvent* event) {
    const QString path = DroppedReading(event->mimeData());
    if (path.isEmpty()) return event->ignore();
    event->acceptProposedAction();
    emit readingDropped(path);
}

}  // namespace velloran
