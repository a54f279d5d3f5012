// BmpToJpeg on libjpeg-turbo's TurboJPEG API: tjLoadImage reads the bitmap, tjCompress2 encodes
// it, and the bytes go to a temporary file that is renamed onto the target once complete.

#include "bmp2jpeg/Bmp2Jpeg.h"

#include <fcntl.h>
#include <turbojpeg.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
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

// Creates a fresh file beside path (never an existing one); -1 when none can be made.
int CreateTemporaryBeside(const std::string& path, std::string& temporaryPath) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporaryPath = path + ".part" + std::to_string(getpid()) + "-" + std::to_string(attempt);
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

// Writes the JPEG bytes to a temporary file and renames it onto path; removes it on failure.
bool WriteFileWhole(const std::string& path, const unsigned char* data, unsigned long size) {
    std::string temporaryPath;
    int fd = CreateTemporaryBeside(path, temporaryPath);
    if (fd < 0) return false;
    bool ok = WriteAll(fd, data, size) && fsync(fd) == 0;
    ok = (close(fd) == 0) && ok;
    ok = ok && std::rename(temporaryPath.c_str(), path.c_str()) == 0;
    if (!ok) unlink(temporaryPath.c_str());
    return ok;
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

    if (!WriteFileWhole(jpegPath, jpeg.get(), jpegSize)) return BMP2JPEG_CANNOT_WRITE_JPEG;
    return BMP2JPEG_OK;
}
