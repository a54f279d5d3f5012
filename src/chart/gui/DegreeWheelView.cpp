#include "chart/gui/DegreeWheelView.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPalette>
#include <algorithm>

#include "glyphs/Outline.h"
#include "ui/Accessibility.h"
#include "ui/QtText.h"
#include "wheel/WheelCharts.h"
#include "wheel/gui/WheelPainter.h"

namespace velloran {

namespace {

WheelColour Colour(const QColor& c) {
    return {static_cast<uint8_t>(c.red()), static_cast<uint8_t>(c.green()),
            static_cast<uint8_t>(c.blue())};
}

}  // namespace

WheelPalette ScreenPalette(WheelTheme theme) {
    if (theme != WheelTheme::Light) return ThemePalette(theme);
    // The light theme follows the desktop's window colours.
    const QPalette desktop = QGuiApplication::palette();
    return LightPalette(Colour(desktop.color(QPalette::Base)),
                        Colour(desktop.color(QPalette::Text)));
}

DegreeWheelView::DegreeWheelView(QWidget* parent) : QWidget(parent) {
    SpeakAsPicture(this);
    setObjectName(QStringLiteral("picDegreeWheel"));
    setAccessibleName(tr("Chart wheel"));
    setFocusPolicy(Qt::TabFocus);  // screen readers reach the description with the keyboard
    m_note = new QLabel(this);
    m_note->setObjectName(QStringLiteral("lblWheelNote"));
    m_note->setWordWrap(true);
    m_note->hide();
}

void DegreeWheelView::setWheel(const WheelInput& input, WheelTheme theme) {
    m_input = input;
    m_theme = theme;
    const GlyphOutlines& outlines = SystemGlyphOutlines();
    m_input.symbols = m_input.symbols && outlines.hasSymbols();
    m_drawing.reset();
    setAccessibleDescription(Q(DescribeWheel(m_input)));
    m_note->setText(Q(outlines.note()));
    m_note->setVisible(!outlines.hasSymbols() && !outlines.note().empty());
    placeNote();
    update();
}

const WheelDrawing& DegreeWheelView::drawing(double side) {
    if (m_drawing && m_drawing->size == side) return *m_drawing;
    WheelInput input = m_input;
    input.size = side;
    m_drawing = DrawWheel(LayOutWheel(input), ScreenPalette(m_theme));
    return *m_drawing;
}

void DegreeWheelView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const double side = std::min(width(), height());
    if (side <= 0 || m_input.rings.empty()) return;
    const WheelDrawing& wheel = drawing(side);
    painter.fillRect(rect(), QColor(wheel.background.r, wheel.background.g, wheel.background.b));
    PaintWheel(painter, wheel, SystemGlyphOutlines(), QRectF(0, 0, width(), height()));
}

void DegreeWheelView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    placeNote();
}

void DegreeWheelView::placeNote() {
    if (m_note->isHidden()) return;
    m_note->setFixedWidth(width() - 8);
    m_note->adjustSize();
    m_note->move(4, height() - m_note->height() - 4);
}

}  // namespace velloran
