// A converter that finds the JPEG's name taken at the last moment: someone else's file appears at
// the JPEG path during the call, and the converter reports the name taken, as the real one does.

#include <fcntl.h>
#include <unistd.h>

extern "C" __attribute__((visibility("default"))) int BmpToJpeg(const char*, const char* jpegPath,
                                                                int) {
    const int fd = open(jpegPath, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd >= 0) {
        const char theirs[] = "someone else's";
        const ssize_t written = write(fd, theirs, sizeof theirs - 1);
        close(fd);
        if (written != static_cast<ssize_t>(sizeof theirs - 1)) return 4;  // cannot write
    }
    return 5;  // the JPEG path is taken
}
