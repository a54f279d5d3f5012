#include "ui/SafeSave.h"

#include <QFile>
#include <string>
#include <string_view>

#include "output/WholeFile.h"
#include "ui/Platform.h"

namespace velloran {

QString SaveFailedText(const QString& path, const QString& reason) {
    return QStringLiteral("Could not save %1: %2").arg(path, reason);
}

bool WriteFileWhole(const QString& path, const QByteArray& bytes, QString& reason) {
    std::string why;
    const bool written = WriteWholeFile(
        QFile::encodeName(path).toStdString(),
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), why);
    if (!written) reason = QString::fromLocal8Bit(why);
    return written;
}

bool SaveFileReportingErrors(Platform& platform, QWidget* parent, const QString& path,
                             const QByteArray& bytes) {
    QString reason;
    if (WriteFileWhole(path, bytes, reason)) return true;
    platform.showMessage(parent, SaveFailedText(path, reason), MessageIcon::Error, kAppTitle);
    return false;
}

}  // namespace velloran
