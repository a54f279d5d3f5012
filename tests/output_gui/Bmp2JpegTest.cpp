// The converter library on its own: bitmaps written here come back from the JPEG within JPEG
// tolerance, every failure has its status and leaves no JPEG behind, and nothing found at the
// JPEG path is ever replaced.

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <turbojpeg.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <cerrno>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <vector>

#include "bmp2jpeg/Bmp2Jpeg.h"

// File systems without unnamed files that can be linked, without renameat2's RENAME_NOREPLACE,
// or without hard links as well, played by this program: its linkat, renameat2 and link take the
// place of the C library's for the converter too.
namespace {
bool g_unnamedUnsupported = false;
bool g_noReplaceUnsupported = false;
bool g_hardLinksUnsupported = false;
}  // namespace

extern "C" int linkat(int oldFolder, const char* oldPath, int newFolder, const char* newPath,
                      int flags) noexcept {
    if (g_unnamedUnsupported) {
        errno = EOPNOTSUPP;
        return -1;
    }
    return static_cast<int>(syscall(SYS_linkat, oldFolder, oldPath, newFolder, newPath, flags));
}

extern "C" int renameat2(int oldFolder, const char* oldPath, int newFolder, const char* newPath,
                         unsigned int flags) noexcept {
    if (g_noReplaceUnsupported && (flags & RENAME_NOREPLACE) != 0) {
        errno = EINVAL;
        return -1;
    }
    return static_cast<int>(syscall(SYS_renameat2, oldFolder, oldPath, newFolder, newPath, flags));
}

extern "C" int link(const char* from, const char* to) noexcept {
    if (g_hardLinksUnsupported) {
        errno = EPERM;
        return -1;
    }
    return static_cast<int>(syscall(SYS_link, from, to));
}

namespace {

// Quality 100 at 4:4:4: per channel the mean error stays near one level.
constexpr double kMeanTolerance = 1.5;
constexpr int kMaxTolerance = 40;  // single pixels at sharp colour edges

QImage TestPicture(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.setPixel(x, y,
                           qRgb(x * 255 / std::max(1, width - 1), y * 255 / std::max(1, height - 1),
                                (x * 7 + y * 3) % 256));
        }
    }
    return image;
}

// RGB pixels of a JPEG decoded by TurboJPEG; empty when it is not a JPEG.
std::vector<unsigned char> DecodeJpeg(const QByteArray& jpeg, int& width, int& height) {
    tjhandle handle = tjInitDecompress();
    std::vector<unsigned char> rgb;
    int subsampling = 0, colorspace = 0;
    auto* bytes = reinterpret_cast<const unsigned char*>(jpeg.constData());
    if (tjDecompressHeader3(handle, bytes, static_cast<unsigned long>(jpeg.size()), &width, &height,
                            &subsampling, &colorspace) == 0) {
        rgb.resize(static_cast<size_t>(width) * height * 3);
        if (tjDecompress2(handle, bytes, static_cast<unsigned long>(jpeg.size()), rgb.data(), width,
                          0, height, TJPF_RGB, TJFLAG_ACCURATEDCT) != 0) {
            rgb.clear();
        }
    }
    tjDestroy(handle);
    return rgb;
}

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class Bmp2JpegTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QString path(const char* name) const { return dir.filePath(QString::fromUtf8(name)); }
    QByteArray local(const QString& p) const { return QFile::encodeName(p); }
    int convert(const QString& bmp, const QString& jpg, int quality = 100) {
        return BmpToJpeg(local(bmp).constData(), local(jpg).constData(), quality);
    }
    QStringList entries() const {
        return QDir(dir.path())
            .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
    }
    QTemporaryDir dir;
};

struct SizeCase {
    const char* name;
    int width, height;
};

class RoundTripTest : public Bmp2JpegTest, public ::testing::WithParamInterface<SizeCase> {};

TEST_P(RoundTripTest, JpegDecodesToTheBitmapsPixels) {
    const SizeCase& c = GetParam();
    const QImage picture = TestPicture(c.width, c.height);
    ASSERT_TRUE(picture.save(path("in.bmp"), "BMP"));

    ASSERT_EQ(convert(path("in.bmp"), path("out.jpg")), BMP2JPEG_OK);

    int width = 0, height = 0;
    const std::vector<unsigned char> rgb = DecodeJpeg(ReadAll(path("out.jpg")), width, height);
    ASSERT_FALSE(rgb.empty());
    ASSERT_EQ(width, c.width);
    ASSERT_EQ(height, c.height);
    double sum = 0;
    int worst = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const QRgb expected = picture.pixel(x, y);
            const unsigned char* got = &rgb[(static_cast<size_t>(y) * width + x) * 3];
            for (int d : {std::abs(got[0] - qRed(expected)), std::abs(got[1] - qGreen(expected)),
                          std::abs(got[2] - qBlue(expected))}) {
                sum += d;
                worst = std::max(worst, d);
            }
        }
    }
    const double mean = sum / (3.0 * width * height);
    EXPECT_LT(mean, kMeanTolerance);
    EXPECT_LE(worst, kMaxTolerance);
    EXPECT_EQ(entries(), QStringList({"in.bmp", "out.jpg"}));  // no temporary left
}

INSTANTIATE_TEST_SUITE_P(Sizes, RoundTripTest,
                         ::testing::Values(SizeCase{"chart_window_802x448", 802, 448},
                                           SizeCase{"odd_rows_33x17", 33, 17},
                                           SizeCase{"single_pixel", 1, 1}),
                         [](const auto& info) { return std::string(info.param.name); });

// What is at the JPEG path before the call; the converter must leave it exactly so.
enum class InPlace { RegularFile, LinkToFile, DanglingLink, Folder };

struct TakenCase {
    const char* name;
    InPlace inPlace;
};

void PrintTo(const TakenCase& c, std::ostream* os) { *os << c.name; }

class TakenPathTest : public Bmp2JpegTest, public ::testing::WithParamInterface<TakenCase> {};

TEST_P(TakenPathTest, NothingAtTheJpegPathIsReplaced) {
    ASSERT_TRUE(TestPicture(40, 30).save(path("in.bmp"), "BMP"));
    QFile theirs(path("theirs.txt"));
    ASSERT_TRUE(theirs.open(QIODevice::WriteOnly));
    theirs.write("someone else's");
    theirs.close();
    switch (GetParam().inPlace) {
        case InPlace::RegularFile:
            ASSERT_TRUE(QFile::copy(path("theirs.txt"), path("out.jpg")));
            break;
        case InPlace::LinkToFile:
            ASSERT_TRUE(QFile::link(path("theirs.txt"), path("out.jpg")));
            break;
        case InPlace::DanglingLink:
            ASSERT_TRUE(QFile::link(path("nowhere.jpg"), path("out.jpg")));
            break;
        case InPlace::Folder:
            ASSERT_TRUE(QDir().mkpath(path("out.jpg")));
            break;
    }
    const QStringList before = entries();
    const QFileInfo was(path("out.jpg"));

    EXPECT_EQ(convert(path("in.bmp"), path("out.jpg")), BMP2JPEG_JPEG_PATH_TAKEN);

    EXPECT_EQ(entries(), before);  // no temporary left either
    const QFileInfo is(path("out.jpg"));
    EXPECT_EQ(is.isSymLink(), was.isSymLink());
    EXPECT_EQ(is.isDir(), was.isDir());
    EXPECT_EQ(is.symLinkTarget().toStdString(), was.symLinkTarget().toStdString());
    EXPECT_EQ(ReadAll(path("theirs.txt")), "someone else's");
    if (is.isFile()) {
        EXPECT_EQ(ReadAll(path("out.jpg")), "someone else's");
    }
}

INSTANTIATE_TEST_SUITE_P(InPlace, TakenPathTest,
                         ::testing::Values(TakenCase{"regular_file", InPlace::RegularFile},
                                           TakenCase{"link_to_a_file", InPlace::LinkToFile},
                                           TakenCase{"dangling_link", InPlace::DanglingLink},
                                           TakenCase{"folder", InPlace::Folder}),
                         [](const auto& info) { return std::string(info.param.name); });

struct FallbackCase {
    const char* name;
    bool hardLinks;  // else neither renameat2's no-replace nor hard links: the file is created
    bool taken;      // someone else's file is at the JPEG path
};

void PrintTo(const FallbackCase& c, std::ostream* os) { *os << c.name; }

class FallbackTest : public Bmp2JpegTest, public ::testing::WithParamInterface<FallbackCase> {
protected:
    void TearDown() override {
        g_unnamedUnsupported = g_noReplaceUnsupported = g_hardLinksUnsupported = false;
    }
};

TEST_P(FallbackTest, WritesAFreeNameAndKeepsATakenOne) {
    const FallbackCase& c = GetParam();
    ASSERT_TRUE(TestPicture(40, 30).save(path("in.bmp"), "BMP"));
    if (c.taken) {
        QFile theirs(path("out.jpg"));
        ASSERT_TRUE(theirs.open(QIODevice::WriteOnly));
        theirs.write("someone else's");
    }
    g_unnamedUnsupported = true;
    g_noReplaceUnsupported = true;
    g_hardLinksUnsupported = !c.hardLinks;

    const int status = convert(path("in.bmp"), path("out.jpg"));

    g_unnamedUnsupported = g_noReplaceUnsupported = g_hardLinksUnsupported = false;
    EXPECT_EQ(entries(), QStringList({"in.bmp", "out.jpg"}));  // no temporary left
    if (c.taken) {
        EXPECT_EQ(status, BMP2JPEG_JPEG_PATH_TAKEN);
        EXPECT_EQ(ReadAll(path("out.jpg")), "someone else's");
    } else {
        EXPECT_EQ(status, BMP2JPEG_OK);
        int width = 0, height = 0;
        EXPECT_FALSE(DecodeJpeg(ReadAll(path("out.jpg")), width, height).empty());
        EXPECT_EQ(width, 40);
    }
}

INSTANTIATE_TEST_SUITE_P(FileSystems, FallbackTest,
                         ::testing::Values(FallbackCase{"hard_link_free_name", true, false},
                                           FallbackCase{"hard_link_taken_name", true, true},
                                           FallbackCase{"created_file_free_name", false, false},
                                           FallbackCase{"created_file_taken_name", false, true}),
                         [](const auto& info) { return std::string(info.param.name); });

// JPEG names up to the file system's 255 bytes are written, with nothing left beside them, whether
// the file is written unnamed or under a short temporary name. The old converter's temporary
// name (the JPEG's name and ".part<pid>-0") was too long for these names.
struct LongNameCase {
    const char* name;
    int bytes;  // of the JPEG's file name, ".jpg" included
    bool unnamedFiles;
};

void PrintTo(const LongNameCase& c, std::ostream* os) { *os << c.name; }

class LongNameTest : public Bmp2JpegTest, public ::testing::WithParamInterface<LongNameCase> {
protected:
    void TearDown() override { g_unnamedUnsupported = false; }
};

TEST_P(LongNameTest, IsWritten) {
    const LongNameCase& c = GetParam();
    ASSERT_TRUE(TestPicture(40, 30).save(path("in.bmp"), "BMP"));
    const QString name = QString(c.bytes - 4, QLatin1Char('z')) + ".jpg";
    g_unnamedUnsupported = !c.unnamedFiles;

    EXPECT_EQ(convert(path("in.bmp"), dir.filePath(name)), BMP2JPEG_OK);

    g_unnamedUnsupported = false;
    EXPECT_EQ(entries(), QStringList({"in.bmp", name}));
    int width = 0, height = 0;
    EXPECT_FALSE(DecodeJpeg(ReadAll(dir.filePath(name)), width, height).empty());
}

INSTANTIATE_TEST_SUITE_P(Names, LongNameTest,
                         ::testing::Values(LongNameCase{"bytes_246_unnamed", 246, true},
                                           LongNameCase{"bytes_255_unnamed", 255, true},
                                           LongNameCase{"bytes_255_short_name", 255, false}),
                         [](const auto& info) { return std::string(info.param.name); });

// A converter killed while it writes the JPEG (here by SIGXFSZ past a file size limit) leaves
// neither a JPEG nor a temporary file; the old converter left its ".part" file.
TEST_F(Bmp2JpegTest, KilledHalfWayLeavesNothing) {
    ASSERT_TRUE(TestPicture(802, 448).save(path("in.bmp"), "BMP"));
    const QByteArray bitmap = local(path("in.bmp"));
    const QByteArray jpeg = local(path("out.jpg"));
    const pid_t pid = fork();
    if (pid == 0) {
        const rlimit noCore{0, 0}, small{4096, 4096};
        setrlimit(RLIMIT_CORE, &noCore);
        signal(SIGXFSZ, SIG_DFL);
        setrlimit(RLIMIT_FSIZE, &small);
        BmpToJpeg(bitmap.constData(), jpeg.constData(), 100);
        _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the JPEG fitted under the limit";
    EXPECT_EQ(WTERMSIG(status), SIGXFSZ);
    EXPECT_EQ(entries(), QStringList({"in.bmp"}));
}

TEST_F(Bmp2JpegTest, QualityZeroReadsAsTheLowest) {
    ASSERT_TRUE(TestPicture(40, 30).save(path("in.bmp"), "BMP"));

    ASSERT_EQ(convert(path("in.bmp"), path("out.jpg"), 0), BMP2JPEG_OK);

    int width = 0, height = 0;
    EXPECT_FALSE(DecodeJpeg(ReadAll(path("out.jpg")), width, height).empty());
    EXPECT_EQ(width, 40);
}

struct FailureCase {
    const char* name;
    const char* bitmapBytes;  // nullptr: no bitmap file at all
    const char* jpegName;
    int quality;
    int status;
};

class FailureTest : public Bmp2JpegTest, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(FailureTest, ReturnsItsStatusAndWritesNoJpeg) {
    const FailureCase& c = GetParam();
    if (c.bitmapBytes != nullptr) {
        QFile f(path("in.bmp"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        if (std::string(c.bitmapBytes) == "<valid>") {
            ASSERT_TRUE(TestPicture(16, 16).save(&f, "BMP"));
        } else {
            f.write(c.bitmapBytes);
        }
    }
    const QStringList before = entries();

    EXPECT_EQ(convert(path("in.bmp"), path(c.jpegName), c.quality), c.status);

    EXPECT_EQ(entries(), before);  // no JPEG, no partial or temporary file
}

INSTANTIATE_TEST_SUITE_P(
    Statuses, FailureTest,
    ::testing::Values(
        FailureCase{"missing_bitmap", nullptr, "out.jpg", 100, BMP2JPEG_CANNOT_READ_BITMAP},
        FailureCase{"empty_bitmap", "", "out.jpg", 100, BMP2JPEG_CANNOT_READ_BITMAP},
        FailureCase{"text_not_bitmap", "hello, not a picture", "out.jpg", 100,
                    BMP2JPEG_CANNOT_READ_BITMAP},
        FailureCase{"truncated_bitmap_header", "BM\x36\x03\x00\x00", "out.jpg", 100,
                    BMP2JPEG_CANNOT_READ_BITMAP},
        FailureCase{"quality_above_100", "<valid>", "out.jpg", 101, BMP2JPEG_BAD_QUALITY},
        FailureCase{"quality_negative", "<valid>", "out.jpg", -1, BMP2JPEG_BAD_QUALITY},
        FailureCase{"jpeg_folder_missing", "<valid>", "no such folder/out.jpg", 100,
                    BMP2JPEG_CANNOT_WRITE_JPEG}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Bmp2JpegTest, NullPathsAreRefused) {
    ASSERT_TRUE(TestPicture(8, 8).save(path("in.bmp"), "BMP"));
    EXPECT_EQ(BmpToJpeg(nullptr, local(path("out.jpg")).constData(), 100),
              BMP2JPEG_CANNOT_READ_BITMAP);
    EXPECT_EQ(BmpToJpeg(local(path("in.bmp")).constData(), nullptr, 100),
              BMP2JPEG_CANNOT_WRITE_JPEG);
    EXPECT_EQ(BmpToJpeg(local(path("in.bmp")).constData(), "", 100), BMP2JPEG_CANNOT_WRITE_JPEG);
    EXPECT_EQ(entries(), QStringList({"in.bmp"}));
}

}  // namespace
