#pragma once
// A folder of saved readings as a list: every *.vlr file under it with the birth it holds, then,
// as a second step that may run later (a window lists the files first), the Sun, Moon and rising
// signs of its natal and draconic charts. Pure functions over plain values but for the scan,
// which reads the folder.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "domain/BirthData.h"
#include "input/FormInput.h"
#include "reading/Reading.h"

namespace velloran {

// One reading file found: its path (the folder's path joined with the names below it), and the
// form's values and the birth they give when the file could be read and put into the form;
// otherwise error says why, as opening the file would ("damaged reading file").
struct FolderReading {
    std::string path;
    std::optional<FormInput> form;
    BirthData birth;  // from form; empty without one
    std::string error;
};

// The readings under a folder and its subfolders, sorted by path; error says why the folder
// itself cannot be read (missing, not a folder, no permission), and then there are none. Every
// name ending in .vlr is an entry: one that is not a readable regular file (a pipe, a device, a
// link to nothing or round a loop) has its reason, and so does a subfolder that cannot be read
// (its path, "folder cannot be read: ..."). Links to folders are not followed. No file is waited
// for: each is opened without blocking and read only up to the size a reading may have.
struct FolderScan {
    std::vector<FolderReading> readings;
    std::string error;
};
FolderScan ScanReadingsFolder(const std::string& folder);

// The desktop program's readings folder, worked out as the program works it out without asking
// Qt: the folder chosen in the library (the settings file's [Library] Folder=, the file
// $XDG_CONFIG_HOME/<program>/<program>.conf, ~/.config by default), else "Velloran" in the
// documents folder (XDG_DOCUMENTS_DIR of $XDG_CONFIG_HOME/user-dirs.dirs, else ~/Documents).
// Empty when there is no home folder to start from.
std::string ProgramReadingsFolder(const std::string& program = "velloran");

// One value of a settings file as the program's settings store writes it ("Folder" in
// "[Library]"), unquoted and unescaped; nothing when the file has no such value.
std::optional<std::string> SettingsValue(std::string_view ini, std::string_view section,
                                         std::string_view key);

// The file's entry from its bytes, as the scan makes it.
FolderReading ReadingFromBytes(std::string path, std::string_view bytes);

// The signs the list shows: Sun, Moon and rising, each a sign index 0..11 or -1 when the chart
// has none there.
enum class ListedSign : int { Sun = 0, Moon, Rising };
inline constexpr int kListedSigns = 3;
struct ReadingSigns {
    std::array<int, kListedSigns> natal{-1, -1, -1};
    std::array<int, kListedSigns> draconic{-1, -1, -1};
    std::string error;  // the entry's own error, or why its birth cannot be calculated
};
// The signs of one entry: the form's checks and the calculation as opening runs them.
ReadingSigns ComputeSigns(const FolderReading& reading, const PositionsSource& source);
// The signs of every entry, in their order, computed on as many threads as the choice allows.
std::vector<ReadingSigns> ComputeAllSigns(const std::vector<FolderReading>& readings,
                                          const PositionsChoice& choice);

}  // namespace velloran
