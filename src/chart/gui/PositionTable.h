#pragma once
// The chart window's position table: the framed column of body names and the draconic and natal
// position columns, stacked for the single wheels or side by side for the comparison. Its frames
// stand on the window itself.

#include <QCoreApplication>
#include <QFont>
#include <array>

#include "chart/ChartModel.h"
#include "chart/gui/DisplayLayout.h"

class QLabel;
class QWidget;

namespace velloran {

class CaptionFrame;
class PositionCell;

class PositionTable {
    Q_DECLARE_TR_FUNCTIONS(PositionTable)
public:
    explicit PositionTable(QWidget* window);

    // The model's cells and contact marks and the natal column's caption, in the rows and frames
    // the arrangement gives; the model's frame in front.
    void show(const ChartWindowModel& model, const display::DisplayArrangement& arrangement);

private:
    CaptionFrame* m_planetFrame = nullptr;
    std::array<CaptionFrame*, 2> m_positionFrame{};  // 0 draconic, 1 natal
    // Position cells, ChartBody order: natal (Planet0..9, then Planet20..29 for the precise
    // positions' further bodies) and draconic (Planet10..19, then Planet30..39).
    std::array<PositionCell*, kMaxBodyCount> m_natalCells{};
    std::array<PositionCell*, kMaxBodyCount> m_draconicCells{};
    // The house number beside each position cell, named after it (House0 beside Planet0).
    std::array<QLabel*, kMaxBodyCount> m_natalHouses{};
    std::array<QLabel*, kMaxBodyCount> m_draconicHouses{};
    QFont m_cellFont;    // the position cells' font without the house column
    QFont m_housedFont;  // and fitted to the narrower cells beside it
    std::array<QLabel*, kMaxBodyCount> m_rowCaptions{};
};

}  // namespace velloran
