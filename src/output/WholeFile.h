#pragma once
// Writing a whole file for a command: the bytes go to a new file in the target's folder that takes
// the target's name only once it is complete and on disk, so a failed or interrupted save never
// leaves the earlier file damaged or a partial one beside it. Every save of the program and of
// velloran-cli goes through WriteWholeFile.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace velloran {

// Writes bytes to path whole; false with a short reason ("cannot be written: No space left on
// device") when it fails, leaving any earlier file at path as it was. A folder, pipe, device or
// socket at path is refused, and so is a file this user may not write ("cannot be written:
// Permission denied") and a file with other names (hard links), which a new file would part
// from this one; a symbolic link is followed and the file it names replaced, unless it is
// another user's link in a sticky folder anyone may write to. A replaced file's permissions,
// owner and group are kept (another user's file whose owner cannot be kept is refused); a
// new file gets 0666 less the umask. The new file has no name while it is written where the file
// system allows (O_TMPFILE), a short one otherwise.
bool WriteWholeFile(const std::string& path, std::string_view bytes, std::string& reason);

// The file a save to path replaces: symbolic links at path followed as WriteWholeFile follows
// them (the file need not exist). Nothing, with the reason, when a link cannot be followed or
// leads to a file whose name ends otherwise than path's (out.svg to a reading, out.csv to a file
// that is not CSV): a check of path's ending would not hold for the file replaced.
std::optional<std::string> ReplacedFile(const std::string& path, std::string& reason);

// What makes a file's bytes in pieces: it hands each piece to put, which returns false once a
// piece could not be written (the filler then stops), and returns false itself, with a reason,
// to give the file up.
using PieceSink = std::function<bool(std::string_view piece)>;
using FileFiller = std::function<bool(const PieceSink& put, std::string& reason)>;

// As WriteWholeFile, the bytes made by fill (called once) while they are written, so they never
// need to be in memory at once. The target is replaced only when fill returns true and every
// piece was written; otherwise, or when fill throws, the earlier file stays as it was and
// nothing is left beside it.
bool WriteWholeFileFrom(const std::string& path, const FileFiller& fill, std::string& reason);

// True when both paths name one existing file (the same device and inode), also through hard or
// symbolic links.
bool IsSameFile(const std::string& a, const std::string& b);

}  // namespace velloran
