#include "app/HandOverQueue.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <utility>

namespace velloran {

namespace {

// How often a handed-over file looks again whether the dialog it waits for has closed.
constexpr int kPendingFileRetryMs = 250;

}  // namespace

HandOverQueue::HandOverQueue(std::function<bool()> ready, QObject* parent)
    : QObject(parent), m_ready(std::move(ready)) {}

void HandOverQueue::handOver(const QString& path) {
    m_pending = path;
    tryOpen();
}

void HandOverQueue::clear() {
    m_pending.clear();
    if (m_retry) m_retry->stop();
}

void HandOverQueue::tryOpen() {
    if (m_pending.isEmpty()) return;
    // Not under a dialog of this program (a message, a file dialog, the start-up question): the
    // dialog comes to the front and the file waits until it has closed.
    if (QWidget* modal = QApplication::activeModalWidget(); modal || !m_ready()) {
        if (modal) {
            modal->raise();
            modal->activateWindow();
        }
        if (!m_retry) {
            m_retry = new QTimer(this);
            m_retry->setSingleShot(true);
            m_retry->setInterval(kPendingFileRetryMs);
            connect(m_retry, &QTimer::timeout, this, &HandOverQueue::tryOpen);
        }
        m_retry->start();
        return;
    }
    emit openNow(std::exchange(m_pending, QString()));
}

}  // namespace velloran
