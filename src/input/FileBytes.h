#pragma once
// The one way a reading (or any file the programs take in whole) is read from disk: only a
// regular file, opened without waiting and never read past a limit, so a pipe, a device, a file
// swapped for a pipe after a look at it, or an endless file cannot hold the caller.

#include <cstddef>
#include <optional>
#include <string>

namespace velloran {

// The bytes of the file at path, or nothing with the reason as the command-line tool words it:
// "no such file", "is a folder", "not a regular file", "cannot be opened: <why>", "cannot be
// read: <why>" or "larger than <limit> bytes". The file is opened without waiting
// (O_NONBLOCK) and checked on the opened descriptor, so a pipe with no writer or a device
// answers at once; at most limit + 1 bytes are read.
std::optional<std::string> ReadRegularFile(const std::string& path, std::size_t limit,
                                           std::string& reason);

// The same checks without the read: an open descriptor (O_RDONLY | O_NONBLOCK) of a regular file
// no larger than limit, which the caller closes, or -1 with the reason. For files read in pieces.
int OpenRegularFile(const std::string& path, std::size_t limit, std::string& reason);

}  // namespace velloran
