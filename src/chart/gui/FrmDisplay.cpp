#include "chart/gui/FrmDisplay.h"

#include "Version.h"
#include "chart/gui/ChartHeader.h"
#include "chart/gui/ChartPictures.h"
#include "chart/gui/ChartWheels.h"
#include "chart/gui/DisplayLayout.h"
#include "chart/gui/PositionTable.h"
#include "chart/gui/WheelArt.h"
#include "ui/ReadingDrop.h"
#include "ui/Twips.h"
#include "ui/UiFonts.h"

namespace velloran {

using namespace display;

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
    const DisplayArrangement arrangement =
        ArrangeDisplay(m.bodyRows, !m.positionsLine.empty(), m_header->noteHeight());
    m_header->place(arrangement);
    m_table->show(m, arrangement);
    if (arrangement.windowHeight != height())
        setFixedSize(TwipsToPx(kClientWidth), arrangement.windowHeight);
    m_wheels->show(m);
    update();
}

WheelPicture* FrmDisplay::frontPicture() const { return m_wheels->frontPicture(); }

void FrmDisplay::paintEvent(QPaintEvent*) { emit painted(); }

}  // namespace velloran
