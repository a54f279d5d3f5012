// A converter that writes the start of a JPEG and then reports a write failure, as a converter
// dying half-way would.

#include <cstdio>

extern "C" __attribute__((visibility("default"))) int BmpToJpeg(const char*, const char* jpegPath,
                                                                int) {
    if (std::FILE* f = std::fopen(jpegPath, "wb")) {
        std::fputs("\xFF\xD8\xFF\xE0 partial", f);
        std::fclose(f);
    }
    return 4;
}
