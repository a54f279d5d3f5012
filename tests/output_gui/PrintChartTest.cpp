// Printing the chart window: the dialog's options, cancelling, and a real print to a PDF file
// whose single page shows the window.

#include <gtest/gtest.h>

#include <QAbstractPrintDialog>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "OutputTestSupport.h"
#include "output/gui/OutputCommands.h"
#include "support/FakePlatform.h"

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
    const auto options =
        QAbstractPrintDialog::PrintDialogOptions::fromInt(platform.printDialogOptions);
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

TEST_F(PrintChartTest, PrintToPdfGivesOnePageShowingTheWindow) {
    platform.confirmPrint = true;
    platform.printToPdf = dir.filePath("chart.pdf");

    PrintChart(platform, &window);

    const QByteArray pdf = ReadBytes(platform.printToPdf);
    ASSERT_TRUE(pdf.startsWith("%PDF")) << "no PDF written";
    EXPECT_EQ(CountPdfPages(pdf), 1);
    // The window's picture is embedded near 300 dpi, not at the printer's 1200 dpi (~3 MB).
    EXPECT_LT(pdf.size(), 2 * 1024 * 1024);
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
    const QImage printed =
        page.copy(printedArea)
            .scaled(shown.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    // Anti-aliasing and font hinting differ between screen and page; a blank, cropped or
    // distorted print differs by far more.
    EXPECT_LT(MeanAbsoluteDifference(printed, shown), 12.0);
}

}  // namespace
}  // namespace velloran::test
