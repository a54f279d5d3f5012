#pragma once
// The chart window's two wheels, stacked at the same place with one in front: the single wheel
// (house numbers, sign pictures and house texts of one chart) and the comparison wheel (the
// draconic chart on the outer ring, the natal or another chart on the inner ring). Their pictures
// stand on the window itself.

#include <QFont>
#include <QPointF>
#include <QString>
#include <array>

#include "chart/ChartModel.h"

class QLabel;
class QWidget;

namespace velloran {

class SignPicture;
class WheelPicture;
struct WheelGeometry;

class ChartWheels {
public:
    ChartWheels(QWidget* window, const WheelGeometry& geometry);

    // The model's house texts, their colour and the sign pictures of both wheels; the model's
    // wheel in front.
    void show(const ChartWindowModel& model);
    WheelPicture* frontPicture() const;
    // Shows or hides both wheels (the degree wheel stands in their place).
    void setVisible(bool visible);

private:
    void buildSingleWheel(QWidget* window, const WheelGeometry& geometry);
    void buildComparisonWheel(QWidget* window, const WheelGeometry& geometry);

    // The wheel's centre, the central disc's radius and the degree scale's outer edge, picture
    // px: house texts stay between them, off the disc and the coloured rim.
    QPointF m_centre;
    double m_disc = 0.0;
    double m_scale = 0.0;
    // The house texts' designed type: the single wheel's and the comparison rings'.
    QFont m_singleFont;
    QFont m_ringFont;
    WheelPicture* m_picNatal = nullptr;
    WheelPicture* m_picNatalDraconic = nullptr;
    // lblNatal(h) and imgSign(h) on the single wheel; lblPlanets_Position(h) and imgSign(12 + h)
    // on the outer ring, lblPlanets_Position(12 + h) and imgSign(24 + h) on the inner ring.
    std::array<QLabel*, 12> m_lblNatal{};
    std::array<QLabel*, 24> m_lblPlanetsPosition{};
    std::array<SignPicture*, 36> m_imgSign{};
};

// The smallest type a house text is set in when it is laid out again to fit, px.
inline constexpr int kSmallestHouseTextPx = 7;

// The text of house 1..12 as a wheel shows it: a line break before the name of each body in it
// (WheelBodyName). When it names more than maxLines bodies (maxLines > 0), each line holds as
// many names, joined by separator, as keep the text within maxLines lines, so it stays inside its
// house.
QString PairedHouseText(const WheelHouses& wheel, int house, int maxLines,
                        const QString& separator);

}  // namespace velloran
