#include "chart/gui/PositionTable.h"

#include <QStringList>
#include <algorithm>

#include "chart/gui/ChartPictures.h"
#include "chart/gui/DisplayLabels.h"
#include "ui/QtText.h"
#include "ui/Twips.h"
#include "ui/UiFonts.h"

namespace velloran {

using namespace display;

namespace {

const QColor kPlanetGreen(0, 128, 0);
const QColor kDraconicBlue(0, 0, 255);

const char* const kRowCaptions[kMaxBodyCount] = {
    "Sun (Su)",       "Moon (M)",    "Mercury (Me)",   "Venus (V)",      "Mars (Ma)",
    "Jupiter (J)",    "Saturn (Sa)", "North Node (N)", "South Node (S)", "Asc (A)",
    "Midheaven (MC)", "Uranus (U)",  "Neptune (Ne)",   "Pluto (P)",      "Chiron (Ch)",
    "Ceres (Ce)",     "Pallas (Pa)", "Juno (Jn)",      "Vesta (Ve)",     "Lilith (Li)"};

// Width a label has for its text, px.
int TextWidth(const QLabel* label) {
    return label->contentsRect().width() - 2 * label->margin() - std::max(label->indent(), 0);
}

}  // namespace

PositionTable::PositionTable(QWidget* window) {
    auto makeCell = [&](QWidget* frame, const QString& name, int row, int width, const QFont& font,
                        const QColor& colour) {
        auto* cell = new PositionCell(frame);
        cell->setObjectName(name);
        cell->setFont(font);
        SetTextColour(cell, colour);
        cell->setGeometry(TwipsRect(kCellLeft, kRowTops[row], width, kCellHeight));
        return cell;
    };

    m_planetFrame = new CaptionFrame(tr("Planet"), kPlanetGreen, window);
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
    m_positionFrame[0] = new CaptionFrame(tr("Draconian"), kDraconicBlue, window);
    m_positionFrame[1] = new CaptionFrame(tr("Natal"), Qt::black, window);
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

void PositionTable::show(const ChartWindowModel& m, const DisplayArrangement& a) {
    // Another chart on the inner ring names itself in the natal column's caption.
    m_positionFrame[1]->setCaption(m.natalColumnCaption.empty() ? tr("Natal")
                                                                : Q(m.natalColumnCaption));
    for (int k = 0; k < kMaxBodyCount; ++k) {
        m_natalCells[k]->setText(Q(m.natalColumn.cells[k]));
        m_draconicCells[k]->setText(Q(m.draconicColumn.cells[k]));
        m_natalCells[k]->setContactNote(Q(m.natalColumn.contacts[k]));
        m_draconicCells[k]->setContactNote(Q(m.draconicColumn.contacts[k]));
        const bool shown = k < a.rows;
        m_rowCaptions[k]->setVisible(shown);
        m_natalCells[k]->setVisible(shown);
        m_draconicCells[k]->setVisible(shown);
    }
    m_planetFrame->setGeometry(
        TwipsRect(kPlanetFrameLeft, a.frameTop, kPlanetFrameWidth, a.frameHeight)
            .translated(a.left, 0));
    m_positionFrame[0]->setGeometry(
        TwipsRect(kDraconicFrameLeft, a.frameTop, kPositionFrameWidth, a.frameHeight)
            .translated(a.left, 0));
    const int natalLeft = m.framesBeside ? kNatalFrameLeftBeside : kNatalFrameLeftStacked;
    m_positionFrame[1]->setGeometry(
        TwipsRect(natalLeft, a.frameTop, kPositionFrameWidth, a.frameHeight).translated(a.left, 0));
    m_positionFrame[m.frameInFront == PositionFrame::Draconic ? 0 : 1]->raise();
}

}  // namespace velloran
