// BmpToJpeg on libjpeg-turbo's TurboJPEG API: tjLoadImage reads the bitmap, tjCompress2 encodes
// it, and the bytes go to a file without a name (or with a short temporary one where the file
// system has no unnamed files) that takes the target's name once complete, never replacing
// anything found there.

#include "bmp2jpeg/Bmp2Jpeg.h"

#include <fcntl.h>
#include <turbojpeg.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>  // renameat2, RENAME_NOREPLACE
#include <memory>
#include <string>

namespace {

struct TjFree {
    void operator()(unsigned char* buffer) const { tjFree(buffer); }
};
using TjBuffer = std::unique_ptr<unsigned char, TjFree>;

struct TjDestroy {
    void operator()(void* handle) const { tjDestroy(handle); }
};
using TjHandle = std::unique_ptr<void, TjDestroy>;

// The folder part of path: "." when it has none, "/" for a file in the root.
std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Creates a fresh file with a short name in path's folder (never an existing one), so that a
// target name up to the file system's limit still leaves room; -1 when none can be made.
int CreateTemporaryBeside(const std::string& path, std::string& temporaryPath) {
    const std::string stem = FolderOf(path) + "/.bmp2jpeg-" + std::to_string(getpid()) + "-";
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporaryPath = stem + std::to_string(attempt);
        int fd = open(temporaryPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

bool WriteAll(int fd, const unsigned char* data, unsigned long size) {
    while (size > 0) {
        ssize_t written = write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data += written;
        size -= static_cast<unsigned long>(written);
    }
    return true;
}

enum class Placed { Done, PathTaken, Unsupported, Failed };

// Errors by which a file system says it lacks an operation (vfat has no hard links: EPERM).
bool MeansUnsupported(int error) {
    return error == EINVAL || error == ENOSYS || error == EOPNOTSUPP || error == EPERM;
}

// Gives the temporary file the name path unless something exists there: renameat2 with
// RENAME_NOREPLACE, or a hard link and unlink on file systems without that flag. Unlike rename,
// neither replaces a file (or symbolic link) that appeared at path after the caller chose it.
Placed MoveWithoutReplacing(const std::string& temporaryPath, const std::string& path) {
    if (renameat2(AT_FDCWD, temporaryPath.c_str(), AT_FDCWD, path.c_str(), RENAME_NOREPLACE) == 0) {
        return Placed::Done;
    }
    if (errno == EEXIST) return Placed::PathTaken;
    if (!MeansUnsupported(errno)) return Placed::Failed;
    if (link(temporaryPath.c_str(), path.c_str()) != 0) {
        if (errno == EEXIST) return Placed::PathTaken;
        return MeansUnsupported(errno) ? Placed::Unsupported : Placed::Failed;
    }
    unlink(temporaryPath.c_str());
    return Placed::Done;
}

// Last resort on file systems with neither: creates path itself (never an existing one) and
// writes it, removing it again when the writing fails.
Placed WriteNewFile(const std::string& path, const unsigned char* data, unsigned long size) {
    int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) return errno == EEXIST ? Placed::PathTaken : Placed::Failed;
    bool ok = WriteAll(fd, data, size) && fsync(fd) == 0;
    ok = (close(fd) == 0) && ok;
    if (ok) return Placed::Done;
    unlink(path.c_str());
    return Placed::Failed;
}

// Writes the JPEG bytes into an unnamed file in path's folder (O_TMPFILE) and links it at path
// when nothing is there: a converter killed half-way leaves nothing behind. Unsupported when the
// file system has no unnamed files or the process cannot link one.
Placed WriteUnnamed(const std::string& path, const unsigned char* data, unsigned long size) {
    int fd = open(FolderOf(path).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (fd < 0) {
        const bool unsupported = MeansUnsupported(errno) || errno == EISDIR;
        return unsupported ? Placed::Unsupported : Placed::Failed;
    }
    Placed placed = Placed::Failed;
    if (WriteAll(fd, data, size) && fsync(fd) == 0) {
        // linkat, unlike rename, never replaces what is at path.
        const std::string self = "/proc/self/fd/" + std::to_string(fd);
        int rc = linkat(AT_FDCWD, self.c_str(), AT_FDCWD, path.c_str(), AT_SYMLINK_FOLLOW);
        // Without /proc, AT_EMPTY_PATH does the same for a privileged process.
        if (rc != 0 && errno == ENOENT) rc = linkat(fd, "", AT_FDCWD, path.c_str(), AT_EMPTY_PATH);
        if (rc == 0) {
            placed = Placed::Done;
        } else if (errno == EEXIST) {
            placed = Placed::PathTaken;
        } else if (MeansUnsupported(errno) || errno == ENOENT) {
            placed = Placed::Unsupported;
        }
    }
    close(fd);
    return placed;
}

// Writes the JPEG bytes to path when nothing is there; a Bmp2JpegStatus. No temporary or partial
// file remains.
int WriteFileWhole(const std::string& path, const unsigned char* data, unsigned long size) {
    Placed placed = WriteUnnamed(path, data, size);
    if (placed == Placed::Unsupported) {
        std::string temporaryPath;
        int fd = CreateTemporaryBeside(path, temporaryPath);
        if (fd < 0) return BMP2JPEG_CANNOT_WRITE_JPEG;
        bool ok = WriteAll(fd, data, size) && fsync(fd) == 0;
        ok = (close(fd) == 0) && ok;
        placed = ok ? MoveWithoutReplacing(temporaryPath, path) : Placed::Failed;
        if (placed != Placed::Done) unlink(temporaryPath.c_str());
        if (placed == Placed::Unsupported) placed = WriteNewFile(path, data, size);
    }
    switch (placed) {
        case Placed::Done:
            return BMP2JPEG_OK;
        case Placed::PathTaken:
            return BMP2JPEG_JPEG_PATH_TAKEN;
        default:
            return BMP2JPEG_CANNOT_WRITE_JPEG;
    }
}

}  // namespace

extern "C" int BmpToJpeg(const char* bitmapPath, const char* jpegPath, int quality) {
    if (quality < 0 || quality > 100) return BMP2JPEG_BAD_QUALITY;
    if (bitmapPath == nullptr) return BMP2JPEG_CANNOT_READ_BITMAP;
    if (jpegPath == nullptr || *jpegPath == '\0') return BMP2JPEG_CANNOT_WRITE_JPEG;

    int width = 0, height = 0, pixelFormat = TJPF_UNKNOWN;
    TjBuffer pixels(tjLoadImage(bitmapPath, &width, 1, &height, &pixelFormat, 0));
    if (!pixels || width <= 0 || height <= 0) return BMP2JPEG_CANNOT_READ_BITMAP;

    TjHandle compressor(tjInitCompress());
    if (!compressor) return BMP2JPEG_COMPRESS_FAILED;
    unsigned char* jpegBytes = nullptr;
    unsigned long jpegSize = 0;
    const int subsampling = pixelFormat == TJPF_GRAY ? TJSAMP_GRAY : TJSAMP_444;
    const int encoderQuality = quality == 0 ? 1 : quality;
    int rc = tjCompress2(compressor.get(), pixels.get(), width, 0, height, pixelFormat, &jpegBytes,
                         &jpegSize, subsampling, encoderQuality, TJFLAG_ACCURATEDCT);
    TjBuffer jpeg(jpegBytes);
    if (rc != 0 || !jpeg || jpegSize == 0) return BMP2JPEG_COMPRESS_FAILED;

    return WriteFileWhole(jpegPath, jpeg.get(), jpegSize);
}
