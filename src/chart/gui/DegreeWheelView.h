#pragma once
// The degree wheel on screen: the wheel's drawing fitted to the widget (it scales with the
// window), in the chosen theme, named and described for screen readers.

#include <QWidget>
#include <optional>

#include "wheel/WheelDrawing.h"

class QLabel;

namespace velloran {

// The colours of a theme on screen: the light theme from the desktop palette.
WheelPalette ScreenPalette(WheelTheme theme);

class DegreeWheelView : public QWidget {
    Q_OBJECT
public:
    explicit DegreeWheelView(QWidget* parent);

    void setWheel(const WheelInput& input, WheelTheme theme);
    const WheelInput& wheel() const { return m_input; }
    WheelTheme theme() const { return m_theme; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // The drawing at side px, laid out again only when the side or the wheel changed.
    const WheelDrawing& drawing(double side);
    void placeNote();

    WheelInput m_input;
    WheelTheme m_theme = WheelTheme::Light;
    // The drawing of the last paint and the side it was laid out for.
    std::optional<WheelDrawing> m_drawing;
    QLabel* m_note = nullptr;  // the missing symbols' note
};

}  // namespace velloran
