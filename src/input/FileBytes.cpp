#include "input/FileBytes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace velloran {

namespace {

std::string LowerFirst(std::string text) {
    if (!text.empty() && text[0] >= 'A' && text[0] <= 'Z') text[0] = char(text[0] - 'A' + 'a');
    return text;
}

std::string OpenReason(int error) {
    switch (error) {
        case ENOENT:
            return "no such file";
        case EISDIR:
            return "is a folder";
        case ELOOP:
            return "cannot be opened: the links go round in a loop";
        default:
            return "cannot be opened: " + LowerFirst(std::strerror(error));
    }
}

// Closes the descriptor however the read ends.
class Descriptor {
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor() {
        if (m_fd >= 0) ::close(m_fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return m_fd; }
    int release() {
        const int fd = m_fd;
        m_fd = -1;
        return fd;
    }

private:
    int m_fd;
};

}  // namespace

int OpenRegularFile(const std::string& path, std::size_t limit, std::string& reason) {
    if (path.empty()) {
        reason = "empty file name";
        return -1;
    }
    // O_NONBLOCK: opening a pipe with no writer returns at once instead of waiting for one, and a
    // device that has nothing to give says so instead of waiting.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        reason = OpenReason(errno);
        return -1;
    }
    Descriptor file(fd);
    // What was opened, not what the name showed a moment before.
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        reason = "cannot be read: " + LowerFirst(std::strerror(errno));
        return -1;
    }
    if (S_ISDIR(st.st_mode)) {
        reason = "is a folder";
        return -1;
    }
    if (!S_ISREG(st.st_mode)) {
        reason = "not a regular file";
        return -1;
    }
    if (static_cast<unsigned long long>(st.st_size) > limit) {
        reason = "larger than " + std::to_string(limit) + " bytes";
        return -1;
    }
    return file.release();
}

std::optional<std::string> ReadRegularFile(const std::string& path, std::size_t limit,
                                           std::string& reason) {
    const Descriptor file(OpenRegularFile(path, limit, reason));
    if (file.get() < 0) return std::nullopt;
    struct stat st {};
    ::fstat(file.get(), &st);
    // In pieces up to one byte past the limit: a large limit costs nothing for a small file.
    std::string bytes;
    if (st.st_size > 0) bytes.reserve(std::min(static_cast<std::size_t>(st.st_size), limit) + 1);
    constexpr std::size_t kPiece = std::size_t{1} << 20;
    while (bytes.size() <= limit) {
        const std::size_t had = bytes.size();
        bytes.resize(had + std::min(kPiece, limit + 1 - had));
        const ssize_t got = ::read(file.get(), bytes.data() + had, bytes.size() - had);
        if (got < 0 && errno == EINTR) {
            bytes.resize(had);
            continue;
        }
        if (got < 0) {
            // EAGAIN too: a file that looks regular but has nothing yet (a kernel log) is not
            // waited for.
            reason = "cannot be read: " + LowerFirst(std::strerror(errno));
            return std::nullopt;
        }
        bytes.resize(had + static_cast<std::size_t>(got));
        if (got == 0) break;
    }
    if (bytes.size() > limit) {
        reason = "larger than " + std::to_string(limit) + " bytes";
        return std::nullopt;
    }
    return bytes;
}

}  // namespace velloran
