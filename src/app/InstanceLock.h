#pragma once
// Tells whether another instance of the program is running for this user: a lock file in the
// per-user runtime folder, held for the life of the process. A lock left by a process that has
// died is taken over.

#include <QLockFile>
#include <QString>
#include <memory>

namespace velloran {

// A folder only this user can use, for the lock and the hand-over socket: the desktop's runtime
// folder (XDG_RUNTIME_DIR) when it is this user's alone, else "velloran-<uid>" in the temporary
// folder, made with mode 0700. Either must be a real folder (not a link), owned by this user, that
// no one else may enter; empty when neither is, and the program then runs without the lock.
QString PrivateRuntimeFolder();
// True when path is a folder (not a link) owned by this user with no access for anyone else.
bool IsPrivateFolder(const QString& path);

class InstanceLock {
public:
    // Lock file for the named program in this user's private runtime folder; empty when there is
    // none.
    static QString DefaultPath(const QString& programName);

    explicit InstanceLock(const QString& path);
    // True when this process now holds the lock; false when a live instance holds it.
    bool tryAcquire();
    // The lock file's path (the running instance's socket lies beside it).
    QString path() const { return m_lock->fileName(); }

private:
    std::unique_ptr<QLockFile> m_lock;
};

}  // namespace velloran
