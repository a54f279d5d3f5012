#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <memory>

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
    const int fd = OpenRegularFile(path, limit, reason);
    if (fd < 0) return std::nullopt;
    // The descriptor lives as long as the reader; a read that would wait (the file is regular,
    // so only an odd file system) is an error, not a wait.
    auto file = std::shared_ptr<int>(new int(fd), [](int* p) {
        ::close(*p);
        delete p;
    });
    return [file](char* into, std::size_t size) -> std::optional<std::size_t> {
        for (;;) {
            const ssize_t got = ::read(*file, into, size);
            if (got < 0 && errno == EINTR) continue;
            if (got < 0) return std::nullopt;
            return static_cast<std::size_t>(got);
        }
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
    return ReplacedFile(path, reason) && WriteWholeFileFrom(path, fill, reason);
}

bool DiskFiles::SameFile(const std::string& a, const std::string& b) { return IsSameFile(a, b); }

}  // namespace velloran
