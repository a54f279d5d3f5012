#pragma once
// Tells whether another instance of the program is running for this user: a lock file in the
// per-user runtime folder, held for the life of the process. A lock left by a process that has
// died is taken over.

#include <QLockFile>
#include <QString>
#include <memory>

namespace velloran {

class InstanceLock {
public:
    // Lock file for the named program in the user's runtime folder.
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
