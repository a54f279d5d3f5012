// Saving the chart window as a JPEG through the real command: naming of the target, the picture
// written, the temporary bitmap, and the converter's failures.

#include <gtest/gtest.h>

#include <string>

#include <QDir>
#include <QImage>
#include <QImageReader>
#include <QTemporaryDir>

#include "OutputTestSupport.h"
#include "output/gui/OutputCommands.h"
#include "support/FakePlatform.h"

namespace velloran::test {
namespace {

// Quality 100 with full colour resolution: a few levels per channel on average, at edges more.
constexpr double kJpegMeanTolerance = 2.0;

QImage DecodeJpeg(const QString& path) {
    QImageReader reader(path, "jpeg");
    reader.setDecideFormatFromContent(false);
    return reader.read();
}

class JpegSaveTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        platform.folder = ConverterFolder();
        window.show();
    }
    QString path(const QString& name) const { return dir.filePath(name); }
    void touch(const QString& name) { ASSERT_TRUE(WriteBytes(path(name), "taken")); }
    void save(const QString& chosen) {
        platform.saveAnswers.push_back(chosen.isEmpty() ? chosen : path(chosen));
        SaveChartJpeg(platform, &window, lastJpegName);
    }

    QTemporaryDir dir;
    FakePlatform platform;
    ChartLikeWidget window;
    QString lastJpegName;
};

TEST_F(JpegSaveTest, PictureMatchesTheWindowAndNoBitmapIsLeft) {
    const QImage shown = window.grab().toImage();
    ASSERT_TRUE(QDir().mkpath(path("charts")));

    save("charts/chart.jpg");

    ASSERT_EQ(FilesBelow(dir.path()), QStringList({"charts/chart.jpg"}));
    const QImage saved = DecodeJpeg(path("charts/chart.jpg"));
    ASSERT_EQ(saved.size(), QSize(802, 448));
    EXPECT_LT(MeanAbsoluteDifference(saved, shown), kJpegMeanTolerance);
    EXPECT_TRUE(platform.messages.empty());

    const FileDialogRequest& asked = platform.saveDialogs.at(0);
    EXPECT_EQ(asked.title, "");  // the platform's own
    EXPECT_EQ(asked.filter, "JPEG Image (*.jpg)");
    EXPECT_EQ(asked.defaultSuffix, "jpg");
    EXPECT_EQ(asked.initialName, "");
    EXPECT_FALSE(asked.confirmOverwrite);
}

// The window changes while the dialog is open; the saved picture is the one from before.
class RepaintingPlatform : public FakePlatform {
public:
    ChartLikeWidget* window = nullptr;
    QString getSaveFileName(QWidget* parent, const FileDialogRequest& request) override {
        window->setWheelColor(Qt::darkBlue);
        window->nameLabel()->setText(QStringLiteral("Name: Changed While Choosing"));
        return FakePlatform::getSaveFileName(parent, request);
    }
};

// The bitmap the converter reads has no name in the user's folder while it exists, so a program
// killed during the conversion leaves none behind; it reads back as the picture.
TEST_F(JpegSaveTest, TheTemporaryBitmapIsUnnamed) {
    const QImage picture = CaptureChartWindow(&window);
    QString reason;
    TemporaryBitmap bitmap = WriteTemporaryBitmap(picture, path("chart.jpg"), reason);
    ASSERT_FALSE(bitmap.path.isEmpty()) << reason.toStdString();
    EXPECT_TRUE(bitmap.path.startsWith("/proc/self/fd/")) << bitmap.path.toStdString();
    EXPECT_GE(bitmap.descriptor, 0);
    EXPECT_TRUE(
        QDir(dir.path())
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)
            .isEmpty());
    QImageReader reader(bitmap.path, "BMP");
    const QImage read = reader.read();
    EXPECT_EQ(read.size(), picture.size());
    EXPECT_EQ(read.convertToFormat(QImage::Format_RGB32), picture);
    bitmap.remove();
    EXPECT_EQ(bitmap.descriptor, -1);
    EXPECT_TRUE(bitmap.path.isEmpty());
}

TEST_F(JpegSaveTest, CaptureIsTakenBeforeTheDialogOpens) {
    const QImage before = window.grab().toImage();
    RepaintingPlatform repainting;
    repainting.folder = ConverterFolder();
    repainting.window = &window;
    repainting.saveAnswers.push_back(path("chart.jpg"));

    SaveChartJpeg(repainting, &window, lastJpegName);

    const QImage saved = DecodeJpeg(path("chart.jpg"));
    const QImage after = window.grab().toImage();
    EXPECT_LT(MeanAbsoluteDifference(saved, before), kJpegMeanTolerance);
    EXPECT_GT(MeanAbsoluteDifference(saved, after), 10 * kJpegMeanTolerance);
}

TEST_F(JpegSaveTest, SameNameThreeTimesGivesNumberedCopiesAndRemembersTheName) {
    save("chart.jpg");
    save("chart.jpg");
    save("chart.jpg");

    EXPECT_EQ(FilesBelow(dir.path()), QStringList({"chart.jpg", "chart_001.jpg", "chart_002.jpg"}));
    ASSERT_EQ(platform.saveDialogs.size(), 3u);
    EXPECT_EQ(platform.saveDialogs[1].initialName, path("chart.jpg"));
    EXPECT_EQ(lastJpegName, path("chart.jpg"));
    for (const char* name : {"chart.jpg", "chart_001.jpg", "chart_002.jpg"}) {
        EXPECT_EQ(DecodeJpeg(path(name)).size(), QSize(802, 448)) << name;
    }
    EXPECT_TRUE(platform.messages.empty());
}

struct NamingCase {
    const char* name;
    QStringList existing;  // files there before, relative to the test folder
    const char* chosen;
    const char* written;
};

void PrintTo(const NamingCase& c, std::ostream* os) { *os << c.name; }

QStringList ChartCopies(int first, int last) {
    QStringList names;
    for (int n = first; n <= last; ++n) {
        names << QStringLiteral("charts/chart_%1.jpg").arg(n, 3, 10, QChar('0'));
    }
    return names;
}

// Chosen names whose file name has the given bytes, ".jpg" included, up to the file system's 255.
const std::string kName246 = "charts/" + std::string(242, 'z') + ".jpg";
const std::string kName255 = "charts/" + std::string(251, 'z') + ".jpg";

class JpegNamingTest : public JpegSaveTest, public ::testing::WithParamInterface<NamingCase> {};

TEST_P(JpegNamingTest, WritesTheExpectedFileOnly) {
    const NamingCase& c = GetParam();
    for (const QString& f : c.existing) touch(f);
    ASSERT_TRUE(QDir().mkpath(path("charts")));
    ASSERT_TRUE(QDir().mkpath(path("first.last")));

    save(c.chosen);

    QStringList expected = c.existing;
    expected << c.written;
    expected.sort();
    EXPECT_EQ(FilesBelow(dir.path()), expected);
    EXPECT_EQ(DecodeJpeg(path(c.written)).size(), QSize(802, 448));
    for (const QString& f : c.existing) EXPECT_EQ(ReadBytes(path(f)), "taken");
    EXPECT_TRUE(platform.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Names, JpegNamingTest,
    ::testing::Values(
        NamingCase{"fresh_name", {}, "charts/chart.jpg", "charts/chart.jpg"},
        NamingCase{"name_taken", {"charts/chart.jpg"}, "charts/chart.jpg", "charts/chart_001.jpg"},
        NamingCase{"name_and_first_copy_taken",
                   {"charts/chart.jpg", "charts/chart_001.jpg"},
                   "charts/chart.jpg",
                   "charts/chart_002.jpg"},
        NamingCase{"gap_in_copies_is_filled",
                   {"charts/chart.jpg", "charts/chart_001.jpg", "charts/chart_003.jpg"},
                   "charts/chart.jpg",
                   "charts/chart_002.jpg"},
        NamingCase{"base_name_ends_at_first_dot", {}, "charts/my.chart.jpg", "charts/my.jpg"},
        NamingCase{"folder_with_a_dot", {}, "first.last/chart.jpg", "first.last/chart.jpg"},
        NamingCase{"no_extension", {}, "charts/chart", "charts/chart.jpg"},
        NamingCase{"other_extension", {}, "charts/chart.png", "charts/chart.jpg"},
        NamingCase{"last_free_copy_999", QStringList{"charts/chart.jpg"} + ChartCopies(1, 998),
                   "charts/chart.jpg", "charts/chart_999.jpg"},
        // Too long for the converter's temporary name beside them before.
        NamingCase{"name_of_246_bytes", {}, kName246.c_str(), kName246.c_str()},
        NamingCase{"name_of_255_bytes", {}, kName255.c_str(), kName255.c_str()}),
    [](const ::testing::TestParamInfo<NamingCase>& info) { return std::string(info.param.name); });

TEST_F(JpegSaveTest, AllCopiesTakenShowsTheMessageAndWritesNothing) {
    touch("charts/chart.jpg");
    for (const QString& f : ChartCopies(1, 999)) touch(f);
    const QStringList before = FilesBelow(dir.path());

    save("charts/chart.jpg");

    EXPECT_EQ(FilesBelow(dir.path()), before);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, "There are too many Copies of this file  chart.jpg");
    EXPECT_EQ(platform.messages[0].title,
              " UNABLE  TO  CREATE  NEW  FILE"
              "chart.jpg");
    EXPECT_EQ(platform.messages[0].icon, MessageIcon::Error);
}

TEST_F(JpegSaveTest, CancelWritesNothingAndKeepsTheRememberedName) {
    lastJpegName = path("earlier.jpg");

    save("");

    EXPECT_TRUE(FilesBelow(dir.path()).isEmpty());
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(lastJpegName, path("earlier.jpg"));
    EXPECT_EQ(platform.saveDialogs.at(0).initialName, path("earlier.jpg"));
}

// With a name of 255 bytes and the user's file at its bitmap name, the next temporary name
// "<base>~1.bmp" would be too long: a short one in the same folder is taken instead.
TEST_F(JpegSaveTest, LongNameWithItsBitmapNameTakenIsSaved) {
    const QString base(251, QLatin1Char('z'));
    ASSERT_TRUE(WriteBytes(path(base + ".bmp"), "the user's own bitmap"));

    save(base + ".jpg");

    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(ReadBytes(path(base + ".bmp")), "the user's own bitmap");
    EXPECT_EQ(FilesBelow(dir.path()), QStringList({base + ".bmp", base + ".jpg"}));
    EXPECT_EQ(DecodeJpeg(path(base + ".jpg")).size(), QSize(802, 448));
}

TEST_F(JpegSaveTest, FileAtTheTemporaryBitmapPathIsUntouched) {
    ASSERT_TRUE(WriteBytes(path("chart.bmp"), "the user's own bitmap"));
    ASSERT_TRUE(WriteBytes(path("chart~1.bmp"), "another of the user's files"));

    save("chart.jpg");

    EXPECT_EQ(ReadBytes(path("chart.bmp")), "the user's own bitmap");
    EXPECT_EQ(ReadBytes(path("chart~1.bmp")), "another of the user's files");
    EXPECT_EQ(FilesBelow(dir.path()), QStringList({"chart.bmp", "chart.jpg", "chart~1.bmp"}));
    EXPECT_EQ(DecodeJpeg(path("chart.jpg")).size(), QSize(802, 448));
    EXPECT_TRUE(platform.messages.empty());
}

struct ConverterFailure {
    const char* name;
    const char* programFolder;  // where the command looks for libbmp2jpeg.so
    const char* chosen;         // relative to the test folder
    const char* reasonPart;     // a piece of the reason the message gives
};

void PrintTo(const ConverterFailure& c, std::ostream* os) { *os << c.name; }

class ConverterFailureTest : public JpegSaveTest,
                             public ::testing::WithParamInterface<ConverterFailure> {};

TEST_P(ConverterFailureTest, ReportsAndLeavesNoJpegAndNoBitmap) {
    const ConverterFailure& c = GetParam();
    platform.folder = QString::fromUtf8(c.programFolder);
    if (platform.folder == "<test folder>") platform.folder = dir.path();
    ASSERT_TRUE(WriteBytes(path("other.txt"), "kept"));

    save(c.chosen);

    EXPECT_EQ(FilesBelow(dir.path()), QStringList({"other.txt"}));
    ASSERT_EQ(platform.messages.size(), 1u);
    const FakePlatform::Message& m = platform.messages[0];
    EXPECT_EQ(m.icon, MessageIcon::Error);
    EXPECT_EQ(m.title, "Velloran");
    EXPECT_TRUE(m.text.startsWith("Could not save " + path(c.chosen) + ": "))
        << m.text.toStdString();
    EXPECT_TRUE(m.text.contains(c.reasonPart)) << m.text.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Failures, ConverterFailureTest,
    ::testing::Values(
        ConverterFailure{"library_missing", "<test folder>", "chart.jpg", "could not be loaded"},
        ConverterFailure{"symbol_missing", VELLORAN_NOSYMBOL_CONVERTER_DIR, "chart.jpg",
                         "has no BmpToJpeg"},
        ConverterFailure{"converter_fails_half_way", VELLORAN_FAILING_CONVERTER_DIR, "chart.jpg",
                         "could not write the JPEG"},
        ConverterFailure{"folder_missing", VELLORAN_CONVERTER_DIR, "no such folder/chart.jpg", ""}),
    [](const ::testing::TestParamInfo<ConverterFailure>& info) {
        return std::string(info.param.name);
    });

// The target is free when the command checks it, then someone else's file takes its name before
// the JPEG is in place: the file stays as it is and the save fails like any other.
struct TakenTargetCase {
    const char* name;
    const char* programFolder;
    bool takenBeforeTheCall;  // else the converter stand-in makes the file during the call
};

void PrintTo(const TakenTargetCase& c, std::ostream* os) { *os << c.name; }

class TakenTargetTest : public JpegSaveTest,
                        public ::testing::WithParamInterface<TakenTargetCase> {};

TEST_P(TakenTargetTest, FileAtTheTargetIsKeptAndTheSaveFails) {
    const TakenTargetCase& c = GetParam();
    platform.folder = QString::fromUtf8(c.programFolder);
    if (c.takenBeforeTheCall) {
        ASSERT_TRUE(WriteBytes(path("chart.jpg"), "someone else's"));
    }

    EXPECT_FALSE(WriteJpegThroughConverter(platform, &window, CaptureChartWindow(&window),
                                           path("chart.jpg")));

    EXPECT_EQ(FilesBelow(dir.path()), QStringList({"chart.jpg"}));  // no bitmap left
    EXPECT_EQ(ReadBytes(path("chart.jpg")), "someone else's");
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text.toStdString(),
              ("Could not save " + path("chart.jpg") +
               ": another file or folder already has that name; it was left as it is")
                  .toStdString());
    EXPECT_EQ(platform.messages[0].icon, MessageIcon::Error);
    EXPECT_EQ(platform.messages[0].title, "Velloran");
}

INSTANTIATE_TEST_SUITE_P(Clashes, TakenTargetTest,
                         ::testing::Values(TakenTargetCase{"taken_before_the_conversion",
                                                           VELLORAN_CONVERTER_DIR, true},
                                           TakenTargetCase{"taken_during_the_conversion",
                                                           VELLORAN_CLASHING_CONVERTER_DIR, false}),
                         [](const ::testing::TestParamInfo<TakenTargetCase>& info) {
                             return std::string(info.param.name);
                         });

// Only regular files count as taken names, so a link to nothing leaves the chosen name free; the
// link is still not replaced.
TEST_F(JpegSaveTest, LinkToNothingAtTheChosenNameIsKept) {
    ASSERT_TRUE(QFile::link(path("gone.jpg"), path("chart.jpg")));

    save("chart.jpg");

    const QFileInfo link(path("chart.jpg"));
    EXPECT_TRUE(link.isSymLink());
    EXPECT_EQ(link.symLinkTarget().toStdString(), path("gone.jpg").toStdString());
    EXPECT_FALSE(QFileInfo::exists(path("gone.jpg")));
    EXPECT_EQ(FilesBelow(dir.path()), QStringList({"chart.jpg"}));  // the link, no bitmap
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_TRUE(platform.messages[0].text.startsWith("Could not save " + path("chart.jpg") + ": "))
        << platform.messages[0].text.toStdString();
    EXPECT_EQ(platform.messages[0].icon, MessageIcon::Error);
}

TEST_F(JpegSaveTest, CaptureIsExactlyTheWindowSizeAtOnePixelPerPixel) {
    const QImage picture = CaptureChartWindow(&window);
    EXPECT_EQ(picture.size(), QSize(802, 448));
    EXPECT_EQ(picture.devicePixelRatio(), 1.0);
    EXPECT_EQ(MeanAbsoluteDifference(picture, window.grab().toImage()), 0.0);
}

}  // namespace
}  // namespace velloran::test
