#include "app/InstanceLock.h"

#include <QDir>
#include <QStandardPaths>

namespace velloran {

QString InstanceLock::DefaultPath(const QString& programName) {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) folder = QDir::tempPath();
    return QDir(folder).filePath(programName + QStringLiteral(".lock"));
}

InstanceLock::InstanceLock(const QString& path) : m_lock(std::make_unique<QLockFile>(path)) {
    // Never treat a live owner's lock as stale because of its age; a dead owner's lock is
    // recognised by its process id and taken over.
    m_lock->setStaleLockTime(0);
}

bool InstanceLock::tryAcquire() {
    if (m_lock->isLocked()) return true;
    if (m_lock->tryLock(0)) return true;
    if (m_lock->error() == QLockFile::LockFailedError) return false;
    // The folder cannot hold a lock file (read-only, missing): run rather than refuse to start.
    return true;
}

}  // namespace velloran
