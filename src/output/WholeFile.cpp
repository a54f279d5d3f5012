#include "output/WholeFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstring>
#include <optional>

namespace velloran {

namespace {

// Hops through symbolic links before a path counts as a loop, as the kernel's limit.
constexpr int kMaxLinkHops = 40;
// Short temporary names tried in the target's folder before giving up.
constexpr int kTemporaryNameAttempts = 100;

std::string Reason(const char* what, int error) {
    return std::string(what) + ": " + std::strerror(error);
}

// The folder part of path: "." when it has none, "/" for a file in the root.
std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The ending of a path's last name in lower case ("svg" of "Ann.SVG"); empty without one.
std::string Ending(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    const std::size_t dot = path.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
    std::string ending = path.substr(dot + 1);
    for (char& c : ending) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ending;
}

// The kernel's protected-symlinks rule: a link in a sticky folder anyone may write to (such as
// /tmp) is followed only when it is this user's or the folder owner's, so another user cannot
// plant one that turns a save into a write to a file of their choosing.
bool MayFollow(const std::string& link, const struct stat& linkStat) {
    struct stat folder {};
    if (stat(FolderOf(link).c_str(), &folder) != 0) return false;
    const bool shared = (folder.st_mode & S_ISVTX) != 0 && (folder.st_mode & S_IWOTH) != 0;
    return !shared || linkStat.st_uid == geteuid() || linkStat.st_uid == folder.st_uid;
}

// The path a save replaces: symbolic links at path followed to the file they name (which need
// not exist yet), so the link stays and its file gets the new bytes.
std::optional<std::string> FollowLinks(std::string path, std::string& reason) {
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        struct stat st {};
        if (lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
        if (!MayFollow(path, st)) {
            reason = "is a link of another user's in a shared folder";
            return std::nullopt;
        }
        std::string target(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 4096) + 1, '\0');
        const ssize_t size = readlink(path.c_str(), target.data(), target.size());
        if (size < 0 || static_cast<std::size_t>(size) >= target.size()) {
            reason = Reason("cannot be followed", size < 0 ? errno : ENAMETOOLONG);
            return std::nullopt;
        }
        target.resize(static_cast<std::size_t>(size));
        path = target.front() == '/' ? target : FolderOf(path) + "/" + target;
    }
    reason = Reason("cannot be followed", ELOOP);
    return std::nullopt;
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) {
            if (written == 0) errno = ENOSPC;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// Closes a descriptor when it goes, so one stays open neither on a failure nor when the filler
// throws.
class Descriptor {
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() {
        if (m_fd >= 0) close(m_fd);
    }
    int get() const { return m_fd; }
    // Closes it now; false when closing reports an error (a write that failed late).
    bool Close() {
        const int fd = m_fd;
        m_fd = -1;
        return close(fd) == 0;
    }

private:
    int m_fd;
};

// Writes what fill makes to fd and syncs it; the reason when any of it fails: the write's
// error, or fill's own reason when it gave up.
bool FillAndSync(int fd, const FileFiller& fill, std::string& reason) {
    int writeError = 0;
    const PieceSink put = [&](std::string_view piece) {
        if (writeError != 0) return false;
        if (WriteAll(fd, piece)) return true;
        writeError = errno;
        return false;
    };
    std::string fillReason;
    const bool filled = fill(put, fillReason);
    if (writeError != 0) {
        reason = Reason("cannot be written", writeError);
        return false;
    }
    if (!filled) {
        reason = fillReason;
        return false;
    }
    if (fsync(fd) != 0) {
        reason = Reason("cannot be written", errno);
        return false;
    }
    return true;
}

// The bytes of the file open at `from` (from its start) written to `to`.
bool CopyFile(int from, int to) {
    char buffer[1 << 16];
    for (off_t at = 0;;) {
        const ssize_t got = pread(from, buffer, sizeof buffer, at);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return false;
        if (got == 0) return true;
        if (!WriteAll(to, std::string_view(buffer, static_cast<std::size_t>(got)))) return false;
        at += got;
    }
}

std::string TemporaryName(const std::string& folder, int attempt) {
    return folder + "/.velloran-" + std::to_string(getpid()) + "-" + std::to_string(attempt);
}

// Errors by which a file system says it has no unnamed files or cannot link one.
bool MeansUnsupported(int error) {
    return error == EOPNOTSUPP || error == EISDIR || error == EINVAL || error == ENOSYS;
}

// Gives the unnamed file fd a short temporary name in folder; empty when it cannot.
std::string LinkUnnamed(int fd, const std::string& folder) {
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        const std::string name = TemporaryName(folder, attempt);
        if (linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0)
            return name;
        // Without /proc, AT_EMPTY_PATH does the same for a privileged process.
        if (errno == ENOENT && linkat(fd, "", AT_FDCWD, name.c_str(), AT_EMPTY_PATH) == 0)
            return name;
        if (errno != EEXIST) return {};
    }
    return {};
}

// What a replaced file keeps: its permissions, owner and group (replaces false for a new file).
struct Kept {
    bool replaces = false;
    mode_t mode = 0;
    uid_t uid = 0;
    gid_t gid = 0;
};

// Gives the new file fd the replaced file's owner, group and permissions (the owner first: a
// change of owner clears the set-user-ID bits). An owner that cannot be kept (root may give a
// file to another user, nobody else may) is a refusal: another user's file would silently
// become this user's. A group this user is not in is kept where it can be.
bool KeepOwnerAndMode(int fd, const Kept& kept, std::string& reason) {
    if (!kept.replaces) return true;
    if (kept.uid != geteuid() && fchown(fd, kept.uid, kept.gid) != 0) {
        reason = "is another user's file, which a new file could not keep as theirs (" +
                 std::string(std::strerror(errno)) + "); not replaced";
        return false;
    }
    if (kept.gid != getegid() && fchown(fd, static_cast<uid_t>(-1), kept.gid) != 0) {
        // A group this user is not in: the new file has the folder's usual group.
    }
    fchmod(fd, kept.mode);
    return true;
}

// A new file with a short temporary name in folder, open for writing; -1 with the reason when it
// cannot be made.
int CreateNamed(const std::string& folder, const Kept& kept, std::string& name,
                std::string& reason) {
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        name = TemporaryName(folder, attempt);
        const int fd = open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno == EEXIST) continue;
        if (fd < 0) {
            reason = Reason("cannot be created", errno);
            return -1;
        }
        if (!KeepOwnerAndMode(fd, kept, reason)) {
            close(fd);
            unlink(name.c_str());
            return -1;
        }
        return fd;
    }
    reason = Reason("cannot be created", EEXIST);
    return -1;
}

// A complete file of what fill makes with a short temporary name in folder; empty with the reason
// when that fails. fill is called once. The file is written unnamed where the file system allows,
// so nothing is left behind when the process is killed while writing; where it can be made but
// not named, its bytes are copied into a named file.
std::string WriteTemporary(const std::string& folder, const FileFiller& fill, const Kept& kept,
                           std::string& reason) {
    Descriptor unnamed(open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0666));
    if (unnamed.get() < 0 && !MeansUnsupported(errno)) {
        reason = Reason("cannot be created", errno);
        return {};
    }
    std::string name;
    if (unnamed.get() >= 0) {
        if (!KeepOwnerAndMode(unnamed.get(), kept, reason)) return {};
        if (!FillAndSync(unnamed.get(), fill, reason)) return {};
        name = LinkUnnamed(unnamed.get(), folder);
        if (!name.empty()) return name;
        // Not linkable here (no /proc and no privilege): a named copy instead.
    }
    Descriptor named(CreateNamed(folder, kept, name, reason));
    if (named.get() < 0) return {};
    bool ok = false;
    try {
        if (unnamed.get() >= 0) {
            ok = CopyFile(unnamed.get(), named.get()) && fsync(named.get()) == 0;
            if (!ok) reason = Reason("cannot be written", errno);
        } else {
            ok = FillAndSync(named.get(), fill, reason);
        }
    } catch (...) {
        unlink(name.c_str());
        throw;
    }
    if (!named.Close() && ok) {
        reason = Reason("cannot be written", errno);
        ok = false;
    }
    if (ok) return name;
    unlink(name.c_str());
    return {};
}

// Makes a rename in folder lasting; a file system that cannot sync a folder is no failure.
void SyncFolder(const std::string& folder) {
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    fsync(fd);
    close(fd);
}

// The process number in a temporary name ".velloran-<pid>-<n>"; 0 for any other name.
pid_t TemporaryOwner(const char* name) {
    static constexpr char kPrefix[] = ".velloran-";
    if (std::strncmp(name, kPrefix, sizeof kPrefix - 1) != 0) return 0;
    const char* p = name + sizeof kPrefix - 1;
    long pid = 0;
    const char* digits = p;
    while (*p >= '0' && *p <= '9' && pid < 100000000) pid = pid * 10 + (*p++ - '0');
    if (p == digits || *p != '-' || p[1] == '\0') return 0;
    for (++p; *p != '\0'; ++p)
        if (*p < '0' || *p > '9') return 0;
    return static_cast<pid_t>(pid);
}

// Removes the temporaries that saves of processes no longer running left in folder (killed
// between naming their file and renaming it over the target): this user's regular files named
// ".velloran-<pid>-<n>" whose process is gone. A running process's are its own business.
void RemoveOrphanedTemporaries(const std::string& folder) {
    DIR* dir = opendir(folder.c_str());
    if (dir == nullptr) return;
    const int dirFd = dirfd(dir);
    while (const dirent* entry = readdir(dir)) {
        const pid_t pid = TemporaryOwner(entry->d_name);
        if (pid <= 0 || pid == getpid()) continue;
        if (kill(pid, 0) == 0 || errno != ESRCH) continue;
        struct stat st {};
        if (fstatat(dirFd, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(st.st_mode) ||
            st.st_uid != geteuid())
            continue;
        unlinkat(dirFd, entry->d_name, 0);
    }
    closedir(dir);
}

}  // namespace

bool WriteWholeFileFrom(const std::string& path, const FileFiller& fill, std::string& reason) {
    if (path.empty()) {
        reason = "empty file name";
        return false;
    }
    const std::optional<std::string> target = FollowLinks(path, reason);
    if (!target) return false;
    Kept kept;
    struct stat st {};
    if (stat(target->c_str(), &st) == 0) {
        // Renaming onto a pipe, device or socket would put a plain file in its place.
        if (S_ISDIR(st.st_mode)) {
            reason = "is a folder";
            return false;
        }
        if (!S_ISREG(st.st_mode)) {
            reason = "not a regular file";
            return false;
        }
        // A file its owner protected is not replaced behind their back: the rename would
        // succeed where writing it would not.
        if (faccessat(AT_FDCWD, target->c_str(), W_OK, AT_EACCESS) != 0) {
            reason = Reason("cannot be written", errno);
            return false;
        }
        // Renaming over one name of a file with several would part them: the others would
        // keep the old bytes while this one got the new.
        if (st.st_nlink > 1) {
            reason =
                "has other names (hard links), which would keep the old content; not "
                "replaced";
            return false;
        }
        kept.replaces = true;
        kept.mode = st.st_mode & 07777;
        kept.uid = st.st_uid;
        kept.gid = st.st_gid;
    }
    const std::string folder = FolderOf(*target);
    RemoveOrphanedTemporaries(folder);
    const std::string temporary = WriteTemporary(folder, fill, kept, reason);
    if (temporary.empty()) return false;
    if (rename(temporary.c_str(), target->c_str()) != 0) {
        reason = Reason("cannot be put in place", errno);
        unlink(temporary.c_str());
        return false;
    }
    SyncFolder(folder);
    return true;
}

std::optional<std::string> ReplacedFile(const std::string& path, std::string& reason) {
    std::optional<std::string> target = FollowLinks(path, reason);
    if (target && Ending(*target) != Ending(path)) {
        // The target's name is not repeated: it may hold anything a link can.
        reason = "is a link to a file of another kind; not replaced";
        return std::nullopt;
    }
    return target;
}

bool WriteWholeFile(const std::string& path, std::string_view bytes, std::string& reason) {
    return WriteWholeFileFrom(
        path, [bytes](const PieceSink& put, std::string&) { return put(bytes); }, reason);
}

bool IsSameFile(const std::string& a, const std::string& b) {
    struct stat first {
    }, second{};
    if (stat(a.c_str(), &first) != 0 || stat(b.c_str(), &second) != 0) return false;
    return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

}  // namespace velloran
