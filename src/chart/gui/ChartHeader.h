#pragma once
// The chart window's header, on the right above the position frames: the view's name, the eight
// birth lines, the comparison wheel's two legends, the positions line under the heading and the
// ephemeris's note under the frames. Its labels stand on the window itself.

#include <QCoreApplication>
#include <array>
#include <optional>

#include "chart/ChartModel.h"
#include "chart/gui/DisplayLayout.h"

class QLabel;
class QWidget;

namespace velloran {

class ChartHeader {
    Q_DECLARE_TR_FUNCTIONS(ChartHeader)
public:
    explicit ChartHeader(QWidget* window);

    // The model's texts, the legends (shown in the comparison view; another inner chart names
    // itself in the first), the positions line and the note (each hidden when empty).
    void show(const ChartWindowModel& model);
    // Height of the note as shown, px; none while it is hidden.
    std::optional<int> noteHeight() const;
    // Lines of kPositionsLineHeight the positions line takes (0 when it is hidden).
    int positionsLines() const;
    // Moves the birth lines and legends below the positions line, and the note under the frames.
    void place(const display::DisplayArrangement& arrangement);

private:
    QLabel* m_type = nullptr;
    std::array<QLabel*, display::kHeaderLineCount> m_lines{};
    std::array<QLabel*, 2> m_legend{};
    QLabel* m_positionsLine = nullptr;
    QLabel* m_note = nullptr;
};

}  // namespace velloran
