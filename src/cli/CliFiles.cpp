#include "cli/Cli.h"
#include "input/FileBytes.h"
#include "output/WholeFile.h"

namespace velloran {

std::optional<std::string> DiskFiles::Read(const std::string& path, std::size_t limit,
                                           std::string& reason) {
    return ReadRegularFile(path, limit, reason);
}

bool DiskFiles::Write(const std::string& path, std::string_view bytes, std::string& reason) {
    // Each command checks the ending of the name it is given (a picture's .svg, a reading's
    // vlr); through a link the file replaced must be of the same kind.
    return ReplacedFile(path, reason) && WriteWholeFile(path, bytes, reason);
}

bool DiskFiles::SameFile(const std::string& a, const std::string& b) { return IsSameFile(a, b); }

}  // namespace velloran
