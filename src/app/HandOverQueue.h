#pragma once
// Files handed over by a second start of the program wait here until the program can open them:
// no dialog of its own open and the form made. A later hand-over replaces one still waiting.

#include <QObject>
#include <QString>
#include <functional>

class QTimer;

namespace velloran {

class HandOverQueue : public QObject {
    Q_OBJECT
public:
    // ready: whether the program can open a file now (no modal dialog, the form exists).
    explicit HandOverQueue(std::function<bool()> ready, QObject* parent = nullptr);

    // Takes path; opens it at once when the program is ready, else once it is.
    void handOver(const QString& path);
    // Forgets a waiting file (the program is ending).
    void clear();

signals:
    // The file to open now.
    void openNow(const QString& path);

private:
    void tryOpen();

    std::function<bool()> m_ready;
    QString m_pending;
    QTimer* m_retry = nullptr;
};

}  // namespace velloran
