#pragma once
// The chart window: the header lines and legends, the three framed position columns and the two
// stacked chart pictures, each a part of its own. It paints a ChartWindowModel and holds no chart
// logic.

#include <QWidget>
#include <memory>

#include "chart/ChartModel.h"

namespace velloran {

class ChartHeader;
class ChartWheels;
class PositionTable;
class WheelPicture;

class FrmDisplay : public QWidget {
    Q_OBJECT
public:
    explicit FrmDisplay(QWidget* parent = nullptr);
    ~FrmDisplay() override;

    // Shows the model: texts, colours, sign pictures, frame order and position, legends and the
    // picture in front; the right-hand side is arranged for its rows and lines (ArrangeDisplay)
    // and the window grows to hold them.
    void render(const ChartWindowModel& model);

    // The picture currently in front (for readers of the window, such as tests).
    WheelPicture* frontPicture() const;

signals:
    // Emitted after the window has painted (used to time the way from a click to the chart).
    void painted();
    // A *.vlr file was dropped on the window.
    void readingDropped(const QString& path);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::unique_ptr<ChartWheels> m_wheels;
    std::unique_ptr<ChartHeader> m_header;
    std::unique_ptr<PositionTable> m_table;
};

}  // namespace velloran
