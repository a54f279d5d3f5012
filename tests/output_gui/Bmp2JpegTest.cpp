// The converter library on its own: bitmaps written here come back from the JPEG within JPEG
// tolerance, and every failure has its status and leaves no JPEG behind.

#include <gtest/gtest.h>
#include <turbojpeg.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <cmath>
#include <vector>

#include "bmp2jpeg/Bmp2Jpeg.h"

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

TEST_F(Bmp2JpegTest, ReplacesAFileAtTheJpegPathWithACompleteJpeg) {
    ASSERT_TRUE(TestPicture(40, 30).save(path("in.bmp"), "BMP"));
    QFile old(path("out.jpg"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old contents");
    old.close();

    ASSERT_EQ(convert(path("in.bmp"), path("out.jpg"), 0), BMP2JPEG_OK);  // 0 reads as 1

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
    ASSERT_TRUE(QDir().mkpath(path("a folder.jpg")));
    const QStringList before = entries();

    EXPECT_EQ(convert(path("in.bmp"), path(c.jpegName), c.quality), c.status);

    EXPECT_EQ(entries(), before);  // no JPEG, no partial or temporary file
    EXPECT_TRUE(QFileInfo(path("a folder.jpg")).isDir());
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
                    BMP2JPEG_CANNOT_WRITE_JPEG},
        FailureCase{"jpeg_path_is_a_folder", "<valid>", "a folder.jpg", 100,
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
