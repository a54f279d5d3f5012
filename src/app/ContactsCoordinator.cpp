#include "app/ContactsCoordinator.h"

#include <QGuiApplication>
#include <QScreen>

#include "chart/gui/ContactsWindow.h"
#include "chart/gui/FrmDisplay.h"

namespace velloran {

ContactsCoordinator::ContactsCoordinator(Platform& platform, QObject* parent)
    : QObject(parent), m_platform(platform) {}

ContactsCoordinator::~ContactsCoordinator() = default;

void ContactsCoordinator::show(FrmDisplay* chart, const Reading* reading,
                               const PositionsSource& source) {
    if (!m_window) {
        m_window = std::make_unique<ContactsWindow>(m_platform);
        m_window->setAttribute(Qt::WA_QuitOnClose, false);
        connect(m_window.get(), &ContactsWindow::settingsChanged, this,
                &ContactsCoordinator::settingsChanged);
        // Queued: the open dialog and its messages come after the list has closed.
        connect(m_window.get(), &ContactsWindow::otherReadingRequested, this,
                &ContactsCoordinator::otherReadingRequested, Qt::QueuedConnection);
        connect(m_window.get(), &ContactsWindow::againstChanged, this,
                &ContactsCoordinator::againstChanged);
        connect(m_window.get(), &ContactsWindow::grown, this, [this] { place(m_chart); });
        follow(reading, source);
        m_window->show();
        place(chart);  // once shown, when its frame is known
    }
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

void ContactsCoordinator::follow(const Reading* reading, const PositionsSource& source) {
    if (!m_window) return;
    // The sky is computed with the positions of the reading on screen.
    m_window->setPositionsSource(source);
    m_window->setReading(reading);
}

std::optional<InnerRing> ContactsCoordinator::innerRing() const {
    return m_window ? m_window->innerRing() : std::nullopt;
}

void ContactsCoordinator::close() {
    if (m_window) m_window->close();
}

void ContactsCoordinator::place(FrmDisplay* chart) {
    m_chart = chart;
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen || !chart) return;
    const QRect chartRect(chart->mapToGlobal(QPoint(0, 0)), chart->size());
    // The position table's captions (Frame1): the wheel lies left of them.
    QRect table = chartRect;
    if (auto* frame = chart->findChild<QWidget*>(QStringLiteral("Frame1")))
        table = QRect(frame->mapToGlobal(QPoint(0, 0)), frame->size());
    // The frame's size at the width that shows every column; narrowed, the table scrolls.
    const QSize decoration = m_window->frameGeometry().size() - m_window->size();
    const QSize wanted(m_window->sizeHint().width(), m_window->height());
    const QRect placed =
        ContactsWindowGeometry(screen->availableGeometry(), chartRect, table, wanted + decoration,
                               m_window->minimumSizeHint().width() + decoration.width());
    m_window->resize(placed.size() - decoration);
    m_window->move(placed.topLeft());
}

}  // namespace velloran
