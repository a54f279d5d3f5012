#pragma once
// The readings folder: where the Save and Open dialogs start and what the readings library lists.
// The documents folder's "Velloran" unless the user chose another (kept in the settings store);
// made when a save first needs it.

#include <QString>

namespace velloran {

class Platform;

// The folder chosen, or the default; empty when there is neither (no documents folder).
QString LibraryFolder(Platform& platform);
void StoreLibraryFolder(Platform& platform, const QString& folder);
// The folder for a save dialog to start in: LibraryFolder, made first when it is missing; empty
// when there is none or it cannot be made.
QString LibraryFolderForSaving(Platform& platform);

}  // namespace velloran
