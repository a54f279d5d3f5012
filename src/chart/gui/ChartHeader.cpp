#include "chart/gui/ChartHeader.h"

#include <QLabel>
#include <algorithm>

#include "chart/gui/DisplayLabels.h"
#include "ui/QtText.h"
#include "ui/Twips.h"
#include "ui/UiFonts.h"

namespace velloran {

using namespace display;

namespace {

const QColor kHeadingColour(0, 64, 64);
const QColor kLegendBack(154, 54, 171);
const QColor kNoteRed(160, 0, 0);
constexpr const char* kInnerLegend = "Inner Wheel - Natal Chart";

const char* const kLineNames[kHeaderLineCount] = {"lblName",    "lblCity",     "lblState",
                                                  "lblCountry", "lblDOB",      "lblTOB",
                                                  "lblZone",    "lblLatitude", "lblLongitude"};

}  // namespace

ChartHeader::ChartHeader(QWidget* window) {
    m_type = MakeDisplayLabel(window, QStringLiteral("lblType"), ArialFont(14.25, true, true),
                              kHeadingColour);
    m_type->move(TwipsPoint(kHeaderLeft, kTypeTop));
    for (int i = 0; i < kHeaderLineCount; ++i) {
        m_lines[i] = MakeDisplayLabel(window, QString::fromLatin1(kLineNames[i]),
                                      VerdanaFont(8.25, true), Qt::black);
        m_lines[i]->move(TwipsPoint(kHeaderLeft, kHeaderTops[i]));
    }
    const char* const legends[2] = {kInnerLegend, "Outer Wheel - Draconic Chart"};
    for (int i = 0; i < 2; ++i) {
        QLabel* legend = MakeDisplayLabel(window, QStringLiteral("lblLegend%1").arg(i),
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
    m_positionsLine = MakeDisplayLabel(window, QStringLiteral("lblPositions"),
                                       VerdanaFont(8.25, true), kHeadingColour);
    m_positionsLine->move(TwipsPoint(kHeaderLeft, kPositionsLineTop));
    // A long line (the houses' fallback note) wraps within the header's width.
    m_positionsLine->setWordWrap(true);
    m_positionsLine->setFixedWidth(TwipsToPx(kNoteWidth));
    m_note =
        MakeDisplayLabel(window, QStringLiteral("lblPositionsNote"), VerdanaFont(8.25), kNoteRed);
    m_note->setWordWrap(true);
    m_note->setFixedWidth(TwipsToPx(kNoteWidth));
}

void ChartHeader::show(const ChartWindowModel& m) {
    SetFittedText(m_type, HouseDisplayText(m.lblType));
    const std::string* lines[kHeaderLineCount] = {&m.lblName,    &m.lblCity,     &m.lblState,
                                                  &m.lblCountry, &m.lblDOB,      &m.lblTOB,
                                                  &m.lblZone,    &m.lblLatitude, &m.lblLongitude};
    for (int i = 0; i < kHeaderLineCount; ++i)
        SetFittedText(m_lines[i], HouseDisplayText(*lines[i]));
    for (QLabel* legend : m_legend) legend->setVisible(m.legendsVisible);
    // Another chart on the inner ring names itself in the legend.
    const QString innerLegend =
        m.innerLegend.empty() ? QString::fromLatin1(kInnerLegend) : Q(m.innerLegend);
    if (m_legend[0]->text() != innerLegend) {
        m_legend[0]->setText(innerLegend);
        const int needed = m_legend[0]->fontMetrics().horizontalAdvance(innerLegend) + 4;
        m_legend[0]->setFixedWidth(
            std::clamp(needed, TwipsToPx(kLegendWidth), TwipsToPx(kClientWidth - kHeaderLeft)));
    }
    m_positionsLine->setVisible(!m.positionsLine.empty());
    SetWrappedText(m_positionsLine, HouseDisplayText(m.positionsLine));
    const bool note = !m.positionsNote.empty();
    m_note->setVisible(note);
    if (note) SetWrappedText(m_note, HouseDisplayText(m.positionsNote));
}

int ChartHeader::positionsLines() const {
    if (m_positionsLine->isHidden()) return 0;
    const int line = TwipsToPx(kPositionsLineHeight);
    return std::max(1, (m_positionsLine->height() + line - 1) / line);
}

std::optional<int> ChartHeader::noteHeight() const {
    if (m_note->isHidden()) return std::nullopt;
    return m_note->height();
}

void ChartHeader::place(const DisplayArrangement& a) {
    const QPoint right(a.left, 0);
    m_type->move(TwipsPoint(kHeaderLeft, kTypeTop) + right);
    m_positionsLine->move(TwipsPoint(kHeaderLeft, kPositionsLineTop) + right);
    for (int i = 0; i < kHeaderLineCount; ++i)
        m_lines[i]->move(TwipsPoint(kHeaderLeft, kHeaderTops[i] + a.shift) + right);
    for (int i = 0; i < 2; ++i)
        m_legend[i]->move(TwipsPoint(kHeaderLeft, kLegendTops[i] + a.shift) + right);
    if (!m_note->isHidden()) m_note->move(TwipsToPx(kHeaderLeft) + a.left, a.noteTop);
}

}  // namespace velloran
