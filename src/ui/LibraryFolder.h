#pragma once
// The readings folder: where the Save and Open dialogs start and what the readings library lists.
// The documents folder's "Velloran" unless the user chose another (kept in the settings store);
// made when a reading is first saved in it.

#include <QString>
#include <QStringList>

namespace velloran {

class Platform;

// The folder chosen, or the default; empty when there is neither (no documents folder).
QString LibraryFolder(Platform& platform);
void StoreLibraryFolder(Platform& platform, const QString& folder);
// The folder for a save dialog to start in: LibraryFolder, made first when it is missing; empty
// when there is none or it cannot be made. The folders it made are added to made, so that a
// dialog cancelled or saving elsewhere leaves none of them behind (RemoveUnusedFolders).
QString LibraryFolderForSaving(Platform& platform, QStringList& made);
// Removes the folders of made that are still empty, the deepest first.
void RemoveUnusedFolders(const QStringList& made);

}  // namespace velloran
