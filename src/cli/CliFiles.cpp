#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
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
    // In pieces up to one byte past the limit: a large limit costs nothing for a small file.
    std::string bytes;
    std::error_code ec;
    const auto size = fs::file_size(path, ec);
    if (!ec) bytes.reserve(static_cast<std::size_t>(std::min<std::uintmax_t>(size, limit)) + 1);
    constexpr std::size_t kPiece = 1 << 20;
    while (bytes.size() <= limit) {
        const std::size_t had = bytes.size();
        bytes.resize(had + std::min(kPiece, limit + 1 - had));
        in.read(bytes.data() + had, static_cast<std::streamsize>(bytes.size() - had));
        bytes.resize(had + static_cast<std::size_t>(in.gcount()));
        if (!in) break;
    }
    if (in.bad()) {
        reason = "cannot be read";
        return std::nullopt;
    }
    if (bytes.size() > limit) {
        reason = "larger than " + std::to_string(limit) + " bytes";
        return std::nullopt;
    }
    return bytes;
}

bool DiskFiles::Write(const std::string& path, std::string_view bytes, std::string& reason) {
    return WriteWholeFile(path, bytes, reason);
}

std::optional<CliFiles::Pieces> CliFiles::ReadPieces(const std::string& path, std::size_t limit,
                                                     std::string& reason) {
    auto bytes = Read(path, limit, reason);
    if (!bytes) return std::nullopt;
    auto whole = std::make_shared<const std::string>(std::move(*bytes));
    return [whole, at = std::size_t{0}](char* into,
                                        std::size_t size) mutable -> std::optional<std::size_t> {
        const std::size_t n = std::min(size, whole->size() - at);
        whole->copy(into, n, at);
        at += n;
        return n;
    };
}

std::optional<CliFiles::Pieces> DiskFiles::ReadPieces(const std::string& path, std::size_t limit,
                                                      std::string& reason) {
    if (path.empty()) {
        reason = "empty file name";
        return std::nullopt;
    }
    if (!IsOpenable(path, true, reason)) return std::nullopt;
    auto in = std::make_shared<std::ifstream>(path, std::ios::binary);
    if (!*in) {
        reason = "cannot be opened";
        return std::nullopt;
    }
    std::error_code ec;
    if (fs::file_size(path, ec) > limit && !ec) {
        reason = "larger than " + std::to_string(limit) + " bytes";
        return std::nullopt;
    }
    return [in](char* into, std::size_t size) -> std::optional<std::size_t> {
        in->read(into, static_cast<std::streamsize>(size));
        if (in->bad()) return std::nullopt;
        return static_cast<std::size_t>(in->gcount());
    };
}

bool CliFiles::WriteFrom(const std::string& path, const FileFiller& fill, std::string& reason) {
    std::string bytes;
    const PieceSink put = [&bytes](std::string_view piece) {
        bytes.append(piece);
        return true;
    };
    return fill(put, reason) && Write(path, bytes, reason);
}

bool DiskFiles::WriteFrom(const std::string& path, const FileFiller& fill, std::string& reason) {
    return WriteWholeFileFrom(path, fill, reason);
}

bool DiskFiles::SameFile(const std::string& a, const std::string& b) { return IsSameFile(a, b); }

}  // namespace velloran
