#pragma once
// The chart window: header lines, legends, the three framed position columns and the two
// stacked chart pictures. It paints a ChartWindowModel and holds no chart logic.

#include <QWidget>
#include <array>

#include "chart/ChartModel.h"

class QLabel;

namespace velloran {

class CaptionFrame;
class PositionCell;
class SignPicture;
class WheelPicture;
struct WheelGeometry;

class FrmDisplay : public QWidget {
    Q_OBJECT
public:
    explicit FrmDisplay(QWidget* parent = nullptr);

    // Shows the model: texts, colours, sign pictures, frame order and position, legends and the
    // picture in front.
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
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    QLabel* makeLabel(QWidget* parent, const QString& name, const QFont& font,
                      const QColor& colour);
    void buildHeader();
    void buildPositionTable();
    void buildSingleWheel(const WheelGeometry& wheel);
    void buildComparisonWheel(const WheelGeometry& wheel);
    void setFitted(QLabel* label, const std::string& text);
    void setWrapped(QLabel* label, const std::string& text);
    void markContacts(const ChartWindowModel& model);

    QLabel* m_lblType = nullptr;
    std::array<QLabel*, 8> m_header{};
    std::array<QLabel*, 2> m_legend{};
    CaptionFrame* m_planetFrame = nullptr;
    std::array<CaptionFrame*, 2> m_positionFrame{};  // 0 draconic, 1 natal
    std::array<PositionCell*, 20> m_cells{};
    WheelPicture* m_picNatal = nullptr;
    WheelPicture* m_picNatalDraconic = nullptr;
    std::array<QLabel*, 12> m_lblNatal{};
    std::array<QLabel*, 24> m_lblPlanetsPosition{};
    std::array<SignPicture*, 36> m_imgSign{};
};

// Display form of a house text: CR LF line ends become plain line breaks.
QString HouseDisplayText(const std::string& text);

}  // namespace velloran
