#include "chart/gui/PositionTable.h"

#include <QStringList>
#include <algorithm>
#include <tuple>

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
    // the precise positions' further rows follow as Planet(30..39) and Planet(20..29).
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
        auto& houses = draconic ? m_draconicHouses : m_natalHouses;
        for (int row = 0; row < kMaxBodyCount; ++row) {
            const int index = row < kBodyCount ? (draconic ? 10 : 0) + row
                                               : (draconic ? 30 : 20) + row - kBodyCount;
            cells[row] = makeCell(frame, QStringLiteral("Planet%1").arg(index), row, kCellWidth,
                                  VerdanaFont(9.75), colour);
            houses[row] = new QLabel(frame);
            houses[row]->setObjectName(QStringLiteral("House%1").arg(index));
            houses[row]->setFont(VerdanaFont(8.25));
            houses[row]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            SetTextColour(houses[row], colour);
            houses[row]->setGeometry(
                TwipsRect(kHouseCellLeft, kRowTops[row], kHouseCellWidth, kCellHeight));
            houses[row]->hide();
        }
    }
    // Beside the house numbers the positions take a font that fits the narrower cells: the
    // widest position text of each sign.
    m_cellFont = m_natalCells[0]->font();
    QStringList positions;
    for (const std::string_view sign : kSignAbbreviations)
        positions << QStringLiteral("28 %1 58").arg(QLatin1String(sign.data(), sign.size()));
    // (The cell's text room: its width less the contents margins and the indent.)
    m_housedFont = FittedFont(m_cellFont, positions, TwipsToPx(kHousedCellWidth) - 3);

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
    // The classic window keeps its full-width cells; the precise one shows each body's house.
    const int cellWidth = m.houseNumbers ? kHousedCellWidth : kCellWidth;
    const QFont& cellFont = m.houseNumbers ? m_housedFont : m_cellFont;
    for (int k = 0; k < kMaxBodyCount; ++k) {
        const bool shown = k < a.rows;
        m_rowCaptions[k]->setVisible(shown);
        for (const auto& [cell, house, column] :
             {std::tuple(m_natalCells[k], m_natalHouses[k], &m.natalColumn),
              std::tuple(m_draconicCells[k], m_draconicHouses[k], &m.draconicColumn)}) {
            cell->setText(Q(column->cells[k]));
            cell->setContactNote(Q(column->contacts[k]));
            cell->setGeometry(TwipsRect(kCellLeft, kRowTops[k], cellWidth, kCellHeight));
            QFont font = cellFont;
            font.setUnderline(cell->isMarked());
            cell->setFont(font);
            cell->setVisible(shown);
            const int number = column->houses[k];
            house->setText(number > 0 ? QString::number(number) : QString());
            house->setToolTip(number > 0 ? tr("House %1").arg(number) : QString());
            house->setAccessibleName(house->toolTip());
            house->setVisible(shown && m.houseNumbers);
        }
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
