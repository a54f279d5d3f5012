// Printing the chart window: the dialog's options, cancelling, and a real print to a PDF file
// whose single page shows the window.

#include <gtest/gtest.h>

#include <QAbstractPrintDialog>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "output/gui/OutputCommands.h"
#include "support/FakePlatform.h"
#include "OutputTestSupport.h"

namespace velloran::test {
namespace {

class PrintChartTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        window.show();
    }
    QTemporaryDir dir;
    FakePlatform platform;
    ChartLikeWidget window{QStringLiteral("Name: Printed Person")};
};

TEST_F(PrintChartTest, DialogHasNoPageRangeAndAllowsPrintingToFile) {
    PrintChart(platform, &window);

    EXPECT_EQ(platform.printDialogs, 1);
    const auto options = QAbstractPrintDialog::PrintDialogOptions::fromInt(platform.printDialogOptions);
    EXPECT_FALSE(options.testFlag(QAbstractPrintDialog::PrintPageRange));
    EXPECT_FALSE(options.testFlag(QAbstractPrintDialog::PrintCurrentPage));
    EXPECT_FALSE(options.testFlag(QAbstractPrintDialog::PrintSelection));
    EXPECT_TRUE(options.testFlag(QAbstractPrintDialog::PrintToFile));
}

TEST_F(PrintChartTest, CancellingPrintsNothing) {
    platform.confirmPrint = false;
    platform.printToPdf = dir.filePath("chart.pdf");

    PrintChart(platform, &window);

    EXPECT_EQ(platform.printDialogs, 1);
    EXPECT_TRUE(FilesBelow(dir.path()).isEmpty());
    EXPECT_TRUE(platform.messages.empty());
}

// The smallest rectangle holding every pixel darker than near-white.
QRect NonWhiteBounds(const QImage& image) {
    int left = image.width(), right = -1, top = image.height(), bottom = -1;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(image.pixel(x, y)) >= 240) continue;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

// Counts the page objects of a PDF written by Qt ("/Type /Page" not followed by "s").
int CountPdfPages(const QByteArray& pdf) {
    int pages = 0;
    for (qsizetype at = pdf.indexOf("/Type /Page"); at >= 0; at = pdf.indexOf("/Type /Page", at + 1)) {
        if (pdf.mid(at + 11, 1) != "s") ++pages;
    }
    return pages;
}

TEST_F(PrintChartTest, PrintToPdfGivesOnePageShowingTheWindow) {
    platform.confirmPrint = true;
    platform.printToPdf = dir.filePath("chart.pdf");

    PrintChart(platform, &window);

    const QByteArray pdf = ReadBytes(platform.printToPdf);
    ASSERT_TRUE(pdf.startsWith("%PDF")) << "no PDF written";
    EXPECT_EQ(CountPdfPages(pdf), 1);
    EXPECT_TRUE(platform.messages.empty());

    const QString gs = QStandardPaths::findExecutable(QStringLiteral("gs"));
    if (gs.isEmpty()) GTEST_SKIP() << "Ghostscript not installed: page not rendered";
    const QString png = dir.filePath("page.png");
    QProcess render;
    render.start(gs, {"-q", "-dSAFER", "-dBATCH", "-dNOPAUSE", "-sDEVICE=png16m", "-r150",
                      "-dTextAlphaBits=4", "-dGraphicsAlphaBits=4", "-sOutputFile=" + png,
                      platform.printToPdf});
    ASSERT_TRUE(render.waitForFinished(60000));
    ASSERT_EQ(render.exitCode(), 0) << render.readAllStandardError().toStdString();
    const QImage page(png);
    ASSERT_FALSE(page.isNull());

    // The test window has a dark frame along its edges: the printed window is the bounding box
    // of everything not white. It fills the page's width (the page is portrait) with its aspect
    // kept; cut it out and compare it with the window at screen resolution.
    const QRect printedArea = NonWhiteBounds(page);
    const QImage shown = window.grab().toImage();
    EXPECT_GT(printedArea.width(), page.width() * 8 / 10);
    EXPECT_NEAR(static_cast<double>(printedArea.width()) / printedArea.height(),
                static_cast<double>(shown.width()) / shown.height(), 0.02);
    const QImage printed = page.copy(printedArea).scaled(shown.size(), Qt::IgnoreAspectRatio,
                                                         Qt::SmoothTransformation);
    // Anti-aliasing and font hinting differ between screen and page; a blank, cropped or
    // distorted print differs by far more.
    EXPECT_LT(MeanAbsoluteDifference(printed, shown), 12.0);
}

}  // namespace
}  // namespace velloran::test
