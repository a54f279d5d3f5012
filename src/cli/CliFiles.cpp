#include "cli/Cli.h"
#include "input/FileBytes.h"
#include "output/WholeFile.h"

namespace velloran {

std::optional<std::string> DiskFiles::Read(const std::string& path, std::size_t limit,
                                           std::string& reason) {
    return ReadRegularFile(path, limit, reason);
}

bool DiskFiles::Write(const std::string& path, std::string_view bytes, std::string& reason) {
    return WriteWholeFile(path, bytes, reason);
}

bool DiskFiles::SameFile(const std::string& a, const std::string& b) { return IsSameFile(a, b); }

}  // namespace velloran
