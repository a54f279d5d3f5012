#include "ui/LibraryFolder.h"

#include <QDir>
#include <QFileInfo>

#include "ui/Platform.h"

namespace velloran {

namespace {

const QString kSection = QStringLiteral("Library");
const QString kFolder = QStringLiteral("Folder");

}  // namespace

QString LibraryFolder(Platform& platform) {
    const QString chosen = platform.readSetting(kSection, kFolder);
    if (!chosen.isEmpty()) return chosen;
    const QString documents = platform.documentsFolder();
    if (documents.isEmpty()) return {};
    return QDir(documents).filePath(QStringLiteral("Velloran"));
}

void StoreLibraryFolder(Platform& platform, const QString& folder) {
    platform.writeSetting(kSection, kFolder, QDir::cleanPath(folder));
}

QString LibraryFolderForSaving(Platform& platform, QStringList& made) {
    const QString folder = LibraryFolder(platform);
    if (folder.isEmpty()) return {};
    if (QFileInfo(folder).isDir()) return folder;
    // The missing folders from the top down, each made and noted in turn.
    QStringList missing;
    for (QString at = QDir::cleanPath(folder); !QFileInfo::exists(at); at = QFileInfo(at).path()) {
        missing.prepend(at);
        if (QFileInfo(at).path() == at) break;
    }
    for (const QString& dir : missing) {
        if (!QDir().mkdir(dir)) return {};
        made << dir;
    }
    return QFileInfo(folder).isDir() ? folder : QString();
}

void RemoveUnusedFolders(const QStringList& made) {
    for (auto it = made.crbegin(); it != made.crend(); ++it) QDir().rmdir(*it);
}

}  // namespace velloran
