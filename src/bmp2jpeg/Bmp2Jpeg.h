#pragma once
/* The JPEG converter library, libbmp2jpeg.so: turns a Windows bitmap file into a JPEG file. The
 * program loads it at run time from its own folder and resolves BmpToJpeg by name. */

/* The library's file name: the JPEG saving loads it from the program's folder, and the form's last
 * check refuses to calculate without it there. */
#define BMP2JPEG_LIBRARY_FILE "libbmp2jpeg.so"

#ifdef __cplusplus
extern "C" {
#endif

/* Results of BmpToJpeg; every failure has its own value. */
enum Bmp2JpegStatus {
    BMP2JPEG_OK = 0,
    BMP2JPEG_CANNOT_READ_BITMAP = 1, /* missing, unreadable or not a BMP / PPM file */
    BMP2JPEG_BAD_QUALITY = 2,        /* quality outside 0..100 */
    BMP2JPEG_COMPRESS_FAILED = 3,    /* the encoder refused the pixels */
    BMP2JPEG_CANNOT_WRITE_JPEG = 4,  /* the JPEG file could not be created, written or renamed */
    BMP2JPEG_JPEG_PATH_TAKEN = 5     /* something already exists at jpegPath; it is left alone */
};

/* Converts the bitmap at bitmapPath into a baseline JPEG at jpegPath. quality is on the usual
 * 0..100 scale (0 reads as 1, the encoder's lowest); 100 also keeps full colour resolution (4:4:4).
 * The JPEG is written to a temporary file beside jpegPath and moved into place only where nothing
 * exists, so a failure never leaves a partial JPEG and nothing already at jpegPath is replaced,
 * even when it appears while the picture is encoded.
 * Paths are in the file system's own encoding. Returns a Bmp2JpegStatus. */
__attribute__((visibility("default"))) int BmpToJpeg(const char* bitmapPath, const char* jpegPath,
                                                     int quality);

typedef int (*BmpToJpegFunction)(const char* bitmapPath, const char* jpegPath, int quality);

#ifdef __cplusplus
}
#endif
