#include "ui/SafeSave.h"

#include <QFileInfo>
#include <QSaveFile>

#include "ui/Platform.h"

namespace velloran {

QString SaveFailedText(const QString& path, const QString& reason) {
    return QStringLiteral("Could not save %1: %2").arg(path, reason);
}

bool WriteFileWhole(const QString& path, const QByteArray& bytes, QString& reason) {
    // A save replaces the file by renaming a new one onto it; a pipe, device or socket in its
    // place must not be replaced by a plain file.
    const QFileInfo existing(path);
    if (existing.exists() && !existing.isFile() && !existing.isDir()) {
        reason = QStringLiteral("it is not a regular file");
        return false;
    }
    QSaveFile file(path);
    // Writing in place would truncate the old file before the new one is complete.
    file.setDirectWriteFallback(false);
    // Unbuffered, so a short write shows at once; Qt's buffered flush at commit does not report
    // one and would rename a truncated file into place.
    bool ok = file.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    for (qsizetype done = 0; ok && done < bytes.size();) {
        const qint64 written = file.write(bytes.constData() + done, bytes.size() - done);
        ok = written > 0;
        if (ok) done += written;
    }
    reason = file.errorString();
    if (ok) {
        ok = file.commit();
        reason = file.errorString();
    } else if (file.isOpen()) {
        file.cancelWriting();
    }
    if (ok) return true;
    if (reason.isEmpty()) reason = QStringLiteral("unknown error");
    return false;
}

bool SaveFileReportingErrors(Platform& platform, QWidget* parent, const QString& path,
                             const QByteArray& bytes) {
    QString reason;
    if (WriteFileWhole(path, bytes, reason)) return true;
    platform.showMessage(parent, SaveFailedText(path, reason), MessageIcon::Error, kAppTitle);
    return false;
}

}  // namespace velloran
