// Saving the chart window as a JPEG: capture, numbered target name, temporary bitmap, conversion
// by libbmp2jpeg.so loaded from the program's folder, clean-up.

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QLibrary>
#include <QPixmap>
#include <QWidget>

#include <fcntl.h>
#include <unistd.h>

#include "bmp2jpeg/Bmp2Jpeg.h"
#include "output/CopyNaming.h"
#include "output/gui/OutputCommands.h"
#include "ui/Platform.h"
#include "ui/SafeSave.h"

namespace velloran {

namespace {

constexpr int kJpegQuality = 100;
// Other temporary bitmap names tried when "<base>.bmp" is taken by a file of the user's.
constexpr int kTemporaryNameAttempts = 1000;
// Longest file name (without its folder) the usual file systems take, in bytes.
constexpr qsizetype kMaxFileNameBytes = 255;

bool PathIsTaken(const QString& path) {
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

bool RegularFileExists(const std::string& path) {
    return QFileInfo(QString::fromStdString(path)).isFile();
}

QString ConverterStatusText(int status) {
    switch (status) {
        case BMP2JPEG_CANNOT_READ_BITMAP:
            return QStringLiteral("the converter could not read the temporary bitmap");
        case BMP2JPEG_BAD_QUALITY:
            return QStringLiteral("the converter refused the quality setting");
        case BMP2JPEG_COMPRESS_FAILED:
            return QStringLiteral("the converter could not compress the picture");
        case BMP2JPEG_CANNOT_WRITE_JPEG:
            return QStringLiteral("the converter could not write the JPEG file");
        case BMP2JPEG_JPEG_PATH_TAKEN:
            return QStringLiteral(
                "another file or folder already has that name; it was left as it is");
        default:
            return QStringLiteral("the converter failed with status %1").arg(status);
    }
}

// The temporary bitmap's name at attempt: "<base>.bmp", then "<base>~N.bmp", or "velloran~N.bmp"
// in the same folder when that would pass the file system's 255 bytes for a name.
QString TemporaryBitmapName(const QString& stem, int attempt) {
    if (attempt == 0) return stem + QStringLiteral(".bmp");
    const QString numbered = stem + QStringLiteral("~%1.bmp").arg(attempt);
    if (QFile::encodeName(QFileInfo(numbered).fileName()).size() <= kMaxFileNameBytes)
        return numbered;
    return QFileInfo(stem).path() + QStringLiteral("/velloran~%1.bmp").arg(attempt);
}

// Creates the temporary bitmap file beside the target (TemporaryBitmapName), never opening an
// existing file. Empty path when none can be created.
QString CreateTemporaryBitmap(const QString& targetPath, QFile& file, QString& reason) {
    QString stem = targetPath;
    if (stem.endsWith(QStringLiteral(".jpg"))) stem.chop(4);
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        const QString candidate = TemporaryBitmapName(stem, attempt);
        file.setFileName(candidate);
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) return candidate;
        if (!PathIsTaken(candidate)) {
            reason = file.errorString();
            return {};
        }
    }
    reason = QStringLiteral("no free name for the temporary bitmap");
    return {};
}

// Writes bytes into an unnamed file in the target's folder (O_TMPFILE) that the converter opens
// as /proc/self/fd/N: the bitmap never has a name in the user's folder, so a program killed
// during the conversion leaves nothing there. False when the folder's file system has no
// unnamed files or /proc is not mounted; the caller then writes a named bitmap.
bool WriteUnnamedBitmap(const QByteArray& bytes, const QString& targetPath,
                        TemporaryBitmap& bitmap) {
    const QByteArray folder = QFile::encodeName(QFileInfo(targetPath).absolutePath());
    const int fd = ::open(folder.constData(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    qsizetype written = 0;
    while (written < bytes.size()) {
        const ssize_t n =
            ::write(fd, bytes.constData() + written, static_cast<size_t>(bytes.size() - written));
        if (n <= 0) break;
        written += n;
    }
    const QString path = QStringLiteral("/proc/self/fd/%1").arg(fd);
    if (written != bytes.size() || !QFileInfo::exists(path)) {
        ::close(fd);
        return false;
    }
    bitmap.path = path;
    bitmap.descriptor = fd;
    return true;
}

}  // namespace

void TemporaryBitmap::remove() {
    if (descriptor >= 0) {
        ::close(descriptor);
    } else if (!path.isEmpty()) {
        QFile::remove(path);
    }
    descriptor = -1;
    path.clear();
}

TemporaryBitmap WriteTemporaryBitmap(const QImage& picture, const QString& targetPath,
                                     QString& reason) {
    TemporaryBitmap bitmap;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    // Without an alpha channel Qt writes plain 24-bit rows, which every BMP reader accepts.
    if (!picture.convertToFormat(QImage::Format_RGB32).save(&buffer, "BMP")) {
        reason = QStringLiteral("the picture could not be encoded as a bitmap");
        return {};
    }
    if (WriteUnnamedBitmap(bytes, targetPath, bitmap)) return bitmap;
    QFile file;
    const QString path = CreateTemporaryBitmap(targetPath, file, reason);
    if (path.isEmpty()) return {};
    const bool written = file.write(bytes) == bytes.size() && file.flush();
    if (!written) reason = file.errorString();
    file.close();
    if (!written) {
        QFile::remove(path);
        return {};
    }
    bitmap.path = path;
    return bitmap;
}

namespace {

// What RunConverter found: BmpToJpeg's status, or kNotRun with the reason it could not be called.
struct ConverterResult {
    static constexpr int kNotRun = -1;
    int status = kNotRun;
    QString reason;  // empty on success
};

// Runs BmpToJpeg of the converter library.
ConverterResult RunConverter(const QString& libraryPath, const QString& bitmapPath,
                             const QString& jpegPath) {
    QLibrary library(libraryPath);
    if (!library.load()) {
        return {ConverterResult::kNotRun,
                QStringLiteral("the converter library could not be loaded (%1)")
                    .arg(library.errorString())};
    }
    auto convert = reinterpret_cast<BmpToJpegFunction>(library.resolve("BmpToJpeg"));
    if (convert == nullptr) {
        return {ConverterResult::kNotRun,
                QStringLiteral("the converter library %1 has no BmpToJpeg").arg(libraryPath)};
    }
    const int status = convert(QFile::encodeName(bitmapPath).constData(),
                               QFile::encodeName(jpegPath).constData(), kJpegQuality);
    return {status, status == BMP2JPEG_OK ? QString() : ConverterStatusText(status)};
}

}  // namespace

QImage CaptureChartWindow(QWidget* chartWindow) {
    if (chartWindow == nullptr) return {};
    QImage picture = chartWindow->grab().toImage();
    if (picture.size() != chartWindow->size()) {
        // A scaled screen gives a larger pixmap; paint the window once more at one pixel per pixel.
        picture = QImage(chartWindow->size(), QImage::Format_RGB32);
        picture.fill(Qt::white);
        chartWindow->render(&picture);
    }
    picture.setDevicePixelRatio(1.0);
    return picture.convertToFormat(QImage::Format_RGB32);
}

bool WriteJpegThroughConverter(Platform& platform, QWidget* parent, const QImage& picture,
                               const QString& targetPath) {
    QString reason;
    TemporaryBitmap bitmap = WriteTemporaryBitmap(picture, targetPath, reason);
    const QString& bitmapPath = bitmap.path;
    if (!bitmapPath.isEmpty()) {
        const bool targetWasFree = !PathIsTaken(targetPath);
        const QString converter =
            platform.programFolder() + QLatin1Char('/') + QStringLiteral(BMP2JPEG_LIBRARY_FILE);
        const ConverterResult result = RunConverter(converter, bitmapPath, targetPath);
        reason = result.reason;
        // Our converter never leaves part of a JPEG; another build of it might. When the name
        // was taken meanwhile, what is there belongs to someone else.
        if (!reason.isEmpty() && result.status != BMP2JPEG_JPEG_PATH_TAKEN && targetWasFree &&
            PathIsTaken(targetPath)) {
            QFile::remove(targetPath);
        }
        bitmap.remove();
    }
    if (reason.isEmpty()) return true;
    platform.showMessage(parent, SaveFailedText(targetPath, reason), MessageIcon::Error, kAppTitle);
    return false;
}

void SaveChartJpeg(Platform& platform, QWidget* chartWindow, QString& lastJpegName) {
    const QImage picture = CaptureChartWindow(chartWindow);

    FileDialogRequest request;
    request.filter = QStringLiteral("JPEG Image (*.jpg)");
    request.defaultSuffix = QStringLiteral("jpg");
    request.initialName = lastJpegName;
    const QString chosen = platform.getSaveFileName(chartWindow, request);
    if (chosen.isEmpty()) return;
    lastJpegName = chosen;

    const JpegTarget target = JpegTargetFor(chosen.toStdString());
    const std::optional<std::string> path =
        NumberedCopyPath(target.folder, target.fileName, RegularFileExists);
    if (!path) {
        platform.showMessage(
            chartWindow, QString::fromStdString(TooManyCopiesText(target.fileName)),
            MessageIcon::Error, QString::fromStdString(TooManyCopiesTitle(target.fileName)));
        return;
    }
    WriteJpegThroughConverter(platform, chartWindow, picture, QString::fromStdString(*path));
}

}  // namespace velloran
