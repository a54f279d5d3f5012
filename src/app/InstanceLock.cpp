#include "app/InstanceLock.h"

#include <QDir>
#include <QFile>

#include <sys/stat.h>
#include <unistd.h>

namespace velloran {

bool IsPrivateFolder(const QString& path) {
    struct stat st {};
    if (path.isEmpty() || ::lstat(QFile::encodeName(path).constData(), &st) != 0) return false;
    return S_ISDIR(st.st_mode) && st.st_uid == ::getuid() && (st.st_mode & 077) == 0;
}

QString PrivateRuntimeFolder() {
    // Qt's own runtime location falls back to a shared folder in some sessions (su, ssh, cron):
    // only the desktop's folder, and only when it is this user's alone, is taken as it is.
    const QString desktop = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!desktop.isEmpty() && QDir::isAbsolutePath(desktop) && IsPrivateFolder(desktop))
        return desktop;
    const QString own =
        QDir(QDir::tempPath()).filePath(QStringLiteral("velloran-%1").arg(::getuid()));
    // mkdir makes it 0700 or fails when something is there already; either way it is checked.
    ::mkdir(QFile::encodeName(own).constData(), 0700);
    return IsPrivateFolder(own) ? own : QString();
}

QString InstanceLock::DefaultPath(const QString& programName) {
    const QString folder = PrivateRuntimeFolder();
    if (folder.isEmpty()) return {};
    return QDir(folder).filePath(programName + QStringLiteral(".lock"));
}

InstanceLock::InstanceLock(const QString& path) : m_lock(std::make_unique<QLockFile>(path)) {
    // Never treat a live owner's lock as stale because of its age; a dead owner's lock is
    // recognised by its process id and taken over.
    m_lock->setStaleLockTime(0);
}

bool InstanceLock::tryAcquire() {
    // No private folder: no lock that another user could plant or hold.
    if (m_lock->fileName().isEmpty()) return true;
    if (m_lock->isLocked()) return true;
    if (m_lock->tryLock(0)) return true;
    if (m_lock->error() == QLockFile::LockFailedError) return false;
    // The folder cannot hold a lock file (read-only, missing): run rather than refuse to start.
    return true;
}

}  // namespace velloran
