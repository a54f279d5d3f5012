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

QString LibraryFolderForSaving(Platform& platform) {
    const QString folder = LibraryFolder(platform);
    if (folder.isEmpty()) return {};
    if (QFileInfo(folder).isDir() || QDir().mkpath(folder)) return folder;
    return {};
}

}  // namespace velloran
