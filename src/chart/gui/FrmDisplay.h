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
    // maxLines > 0: a text naming more bodies goes two names to a line (PairedHouseText).
    void setFitted(QLabel* label, const std::string& text, int maxLines = 0);
    void setWrapped(QLabel* label, const std::string& text, int maxLines = 0);
    void markContacts(const ChartWindowModel& model);
    // The right-hand side for the rows shown and the positions line and note (the classic
    // window: ten rows, neither line), and the window's height to hold it.
    void layOut(const ChartWindowModel& model);

    QLabel* m_lblType = nullptr;
    std::array<QLabel*, 8> m_header{};
    std::array<QLabel*, 2> m_legend{};
    CaptionFrame* m_planetFrame = nullptr;
    std::array<CaptionFrame*, 2> m_positionFrame{};  // 0 draconic, 1 natal
    // Position cells, ChartBody order: natal (Planet0..9, then Planet20..23 for the modern
    // bodies) and draconic (Planet10..19, then Planet24..27).
    std::array<PositionCell*, kMaxBodyCount> m_natalCells{};
    std::array<PositionCell*, kMaxBodyCount> m_draconicCells{};
    std::array<QLabel*, kMaxBodyCount> m_rowCaptions{};
    QLabel* m_positionsLine = nullptr;
    QLabel* m_positionsNote = nullptr;
    WheelPicture* m_picNatal = nullptr;
    WheelPicture* m_picNatalDraconic = nullptr;
    std::array<QLabel*, 12> m_lblNatal{};
    std::array<QLabel*, 24> m_lblPlanetsPosition{};
    std::array<SignPicture*, 36> m_imgSign{};
};

// Display form of a house text: CR LF line ends become plain line breaks.
QString HouseDisplayText(const std::string& text);

// A crowded house's text in columns: when it names more than maxLines bodies, each line holds
// as many names, joined by separator, as keep the text within maxLines lines, so it stays
// inside its house.
QString PairedHouseText(const QString& display, int maxLines, const QString& separator);

}  // namespace velloran
