#pragma once
// The chart window: the header lines and legends, the three framed position columns and the two
// stacked chart pictures, each a part of its own. It paints a ChartWindowModel and holds no chart
// logic.

#include <QSize>
#include <QWidget>
#include <memory>
#include <optional>

#include "chart/ChartModel.h"
#include "wheel/WheelDrawing.h"

namespace velloran {

class ChartHeader;
class DegreeWheelView;
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

    // The degree wheel's theme, used from the next render on.
    void setWheelTheme(WheelTheme theme) { m_wheelTheme = theme; }
    // The room the window may fill (its host's visible area): the degree wheel grows to the
    // largest square that leaves the right-hand side beside it, and the window with it. The
    // house-list wheels keep their size.
    void setWheelRoom(const QSize& room);

    // The degree wheel, or nullptr while the house lists are shown.
    DegreeWheelView* degreeWheel() const;

    // The picture currently in front (for readers of the window, such as tests).
    WheelPicture* frontPicture() const;

signals:
    // Emitted after the window has painted (used to time the way from a click to the chart).
    void painted();
    // The window took another size (a degree wheel fitted to new room, more rows).
    void sizeChanged();
    // A *.vlr file was dropped on the window.
    void readingDropped(const QString& path);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::unique_ptr<ChartWheels> m_wheels;
    std::unique_ptr<ChartHeader> m_header;
    std::unique_ptr<PositionTable> m_table;
    DegreeWheelView* m_degreeWheel = nullptr;
    WheelTheme m_wheelTheme = WheelTheme::Light;
    QSize m_wheelRoom;
    std::optional<ChartWindowModel> m_shown;  // the last model rendered, for a new room
};

}  // namespace velloran
