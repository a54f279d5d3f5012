#include "chart/gui/ChartPictures.h"

#include <algorithm>

#include <QPainter>

#include "chart/gui/WheelArt.h"
#include "ui/UiFonts.h"

namespace velloran {

WheelPicture::WheelPicture(bool comparison, const WheelGeometry& geometry, QWidget* parent)
    : QWidget(parent), m_comparison(comparison), m_geometry(geometry) {
    setObjectName(comparison ? QStringLiteral("picNatalDraconic") : QStringLiteral("picNatal"));
    setFixedSize(kWheelPictureSize);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAccessibleName(comparison ? tr("Comparison chart wheel") : tr("Chart wheel"));
    setAccessibleDescription(
        comparison ? tr("Two-ring wheel: natal chart inside, draconic chart outside. Houses 1 to "
                        "12 run counter-clockwise from the left horizontal.")
                   : tr("Wheel of twelve houses running counter-clockwise from the left "
                        "horizontal."));
}

void WheelPicture::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawPixmap(0, 0, WheelPixmap(m_comparison, devicePixelRatioF(), m_geometry));
}

SignPicture::SignPicture(QWidget* parent) : QWidget(parent) {
    setFixedSize(kSignPictureSize);
    setAccessibleName(tr("Sign picture"));
}

void SignPicture::setPicture(int imgPosition) {
    if (imgPosition == m_position) return;
    m_position = imgPosition;
    QString key = SignKey(imgPosition);
    setAccessibleName(key.isEmpty() ? tr("Sign picture") : tr("%1 sign").arg(key));
    update();
}

void SignPicture::paintEvent(QPaintEvent*) {
    if (m_position < 1) return;
    QPainter painter(this);
    painter.drawPixmap(0, 0, SignPixmap(m_position, devicePixelRatioF()));
}

PositionCell::PositionCell(QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setContentsMargins(1, 1, 1, 1);
    setIndent(1);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
}

void PositionCell::setContactNote(const QString& note) {
    if (note == m_contactNote) return;
    m_contactNote = note;
    const bool marked = !note.isEmpty();
    QFont f = font();
    f.setUnderline(marked);
    setFont(f);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, marked ? markColour() : QColor(Qt::white));
    setPalette(pal);
    setToolTip(note);
    setAccessibleDescription(note);
}

void PositionCell::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    QPainter p(this);
    p.setPen(Qt::black);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

CaptionFrame::CaptionFrame(const QString& caption, const QColor& colour, QWidget* parent)
    : QWidget(parent), m_caption(caption), m_colour(colour) {
    setFont(VerdanaFont(11.25, true));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    setAccessibleName(caption);
}

namespace {
constexpr int kCaptionLeft = 7;     // px from the frame's left edge
constexpr int kCaptionPadding = 2;  // px of white ground each side of the text
constexpr int kBorderInset = 3;     // px from the frame's right edge to its border line
}  // namespace

QString CaptionFrame::shownCaption() const {
    return QFontMetrics(font()).elidedText(m_caption, Qt::ElideRight, std::max(0, captionRoom()));
}

QRect CaptionFrame::captionRect() const {
    QFontMetrics fm(font());
    return {kCaptionLeft, 0, fm.horizontalAdvance(shownCaption()) + 2 * kCaptionPadding,
            fm.height()};
}

int CaptionFrame::captionRoom() const {
    return width() - kBorderInset - kCaptionLeft - 2 * kCaptionPadding;
}

void CaptionFrame::paintEvent(QPaintEvent*) {
    QPainter p(this);
    QFontMetrics fm(font());
    const int lineY = fm.height() / 2;
    const QRect text = captionRect();
    // Etched border: a grey line with a white line inside, broken where the caption sits.
    QRect box = rect().adjusted(0, lineY, -2, -2);
    p.setPen(QColor(160, 160, 160));
    p.drawRect(box);
    p.setPen(Qt::white);
    p.drawRect(box.translated(1, 1));
    p.fillRect(text, Qt::white);
    p.setPen(m_colour);
    p.drawText(text.adjusted(kCaptionPadding, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
               shownCaption());
}

}  // namespace velloran
