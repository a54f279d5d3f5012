#include "chart/gui/FrmDisplay.h"

#include <algorithm>

#include "Version.h"
#include "chart/gui/ChartHeader.h"
#include "chart/gui/ChartPictures.h"
#include "chart/gui/ChartWheels.h"
#include "chart/gui/DegreeWheelView.h"
#include "chart/gui/DisplayLayout.h"
#include "chart/gui/PositionTable.h"
#include "chart/gui/WheelArt.h"
#include "ui/ReadingDrop.h"
#include "ui/Twips.h"
#include "ui/UiFonts.h"

namespace velloran {

using namespace display;

namespace {

// The degree wheel's side: the largest square the room holds beside the right-hand side, never
// smaller than the house-list wheels' picture.
int WheelSide(const QSize& room) {
    const int margin = TwipsToPx(kPictureLeft);
    const int rightSide = TwipsToPx(kClientWidth - kHeaderLeft);
    const int smallest = TwipsToPx(kPictureHeight);
    if (!room.isValid()) return smallest;
    const int side = std::min(room.height() - 2 * margin, room.width() - rightSide - 2 * margin);
    return std::clamp(side, smallest, 2400);
}

}  // namespace

FrmDisplay::FrmDisplay(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("frmDisplay"));
    setWindowTitle(QStringLiteral(VELLORAN_TITLE));
    setFixedSize(TwipsToPx(kClientWidth), TwipsToPx(kClientHeight));
    // Only a reading is taken; anything else is refused while it is dragged, without a message.
    auto* drop = new ReadingDropFilter(this);
    drop->watch(this);
    connect(drop, &ReadingDropFilter::readingDropped, this, &FrmDisplay::readingDropped);
    setFont(VerdanaFont(8.25));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    pal.setColor(QPalette::WindowText, Qt::black);
    setPalette(pal);
    setAccessibleName(tr("Chart display"));

    // Made in this order, the later ones above the earlier: the wheels, the header, the table.
    m_wheels = std::make_unique<ChartWheels>(this, MakeWheelGeometry());
    m_header = std::make_unique<ChartHeader>(this);
    m_table = std::make_unique<PositionTable>(this);
    render(ChartWindowModel{});
}

FrmDisplay::~FrmDisplay() = default;

void FrmDisplay::render(const ChartWindowModel& m) {
    m_header->show(m);
    DisplayArrangement arrangement =
        ArrangeDisplay(m.bodyRows, m_header->positionsLines(), m_header->noteHeight());
    if (m.degreeWheel) {
        // The wheel stands where the house-list pictures do, as large as the room allows; the
        // right-hand side moves over to make room for it.
        const int margin = TwipsToPx(kPictureLeft);
        const int side = WheelSide(m_wheelRoom);
        arrangement.left = std::max(0, side + 2 * margin - TwipsToPx(kHeaderLeft));
        arrangement.windowHeight = std::max(arrangement.windowHeight, side + 2 * margin);
        if (!m_degreeWheel) m_degreeWheel = new DegreeWheelView(this);
        m_degreeWheel->setGeometry(margin, margin, side, side);
        m_degreeWheel->setWheel(*m.degreeWheel, m_wheelTheme);
        m_degreeWheel->show();
        m_degreeWheel->raise();
    } else if (m_degreeWheel) {
        m_degreeWheel->hide();
    }
    m_header->place(arrangement);
    m_table->show(m, arrangement);
    const QSize size(TwipsToPx(kClientWidth) + arrangement.left, arrangement.windowHeight);
    if (size != this->size()) {
        setFixedSize(size);
        emit sizeChanged();
    }
    m_wheels->show(m);
    m_wheels->setVisible(!m.degreeWheel);
    m_shown = m;
    update();
}

void FrmDisplay::setWheelRoom(const QSize& room) {
    if (room == m_wheelRoom) return;
    m_wheelRoom = room;
    if (m_shown && m_shown->degreeWheel) render(*m_shown);
}

DegreeWheelView* FrmDisplay::degreeWheel() const {
    return m_degreeWheel && !m_degreeWheel->isHidden() ? m_degreeWheel : nullptr;
}

WheelPicture* FrmDisplay::frontPicture() const { return m_wheels->frontPicture(); }

void FrmDisplay::paintEvent(QPaintEvent*) { emit painted(); }

}  // namespace velloran
