#include <filesystem>
#include <fstream>
#include <system_error>

#include "cli/Cli.h"
#include "output/WholeFile.h"

namespace velloran {

namespace fs = std::filesystem;

namespace {

// Only regular files are opened, so a pipe or device never blocks or floods the tool.
bool IsOpenable(const std::string& path, bool mustExist, std::string& reason) {
    std::error_code ec;
    fs::file_status status = fs::status(path, ec);
    if (!fs::exists(status)) {
        if (mustExist) reason = "no such file";
        return !mustExist;
    }
    if (fs::is_directory(status)) {
        reason = "is a folder";
        return false;
    }
    if (!fs::is_regular_file(status)) {
        reason = "not a regular file";
        return false;
    }
    return true;
}

}  // namespace

std::optional<std::string> DiskFiles::Read(const std::string& path, std::size_t limit,
                                           std::string& reason) {
    if (path.empty()) {
        reason = "empty file name";
        return std::nullopt;
    }
    if (!IsOpenable(path, true, reason)) return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        reason = "cannot be opened";
        return std::nullopt;
    }
    std::string bytes(limit + 1, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (in.bad()) {
        reason = "cannot be read";
        return std::nullopt;
    }
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    if (bytes.size() > limit) {
        reason = "larger than " + std::to_string(limit) + " bytes";
        return std::nullopt;
    }
    return bytes;
}

bool DiskFiles::Write(const std::string& path, std::string_view bytes, std::string& reason) {
    return WriteWholeFile(path, bytes, reason);
}

bool DiskFiles::SameFile(const std::string& a, const std::string& b) { return IsSameFile(a, b); }

}  // namespace velloran
