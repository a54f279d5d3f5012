// The file commands on the program's own chart window, filled by a real calculation: the JPEG
// is the window's 802 x 448 picture, and the print is one page showing it.

#include <gtest/gtest.h>

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "OutputTestSupport.h"
#include "chart/ChartWindow.h"
#include "chart/gui/FrmDisplay.h"
#include "input/FormCopy.h"
#include "output/gui/OutputCommands.h"
#include "reading/Reading.h"
#include "support/FakePlatform.h"
#include "support/SampleBirths.h"

namespace velloran::test {
namespace {

constexpr double kJpegMeanTolerance = 2.0;

class ChartWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        platform.folder = ConverterFolder();
        const Calculation calculated = Calculate(BirthFromForm(PuneBirthForm()));
        ASSERT_TRUE(calculated.reading.has_value()) << calculated.error;
        // The window as a calculation shows it: the draconic view.
        window.render(
            MakeChartWindow(*calculated.reading, ChartView::Draconic, EnglishMonthNames()));
        window.show();
    }
    QTemporaryDir dir;
    FakePlatform platform;
    FrmDisplay window;
};

TEST_F(ChartWindowTest, JpegIsTheWindowsPicture) {
    const QImage shown = window.grab().toImage();
    ASSERT_EQ(shown.size(), QSize(802, 448));
    QString lastJpegName;
    platform.saveAnswers.push_back(dir.filePath("chart.jpg"));

    SaveChartJpeg(platform, &window, lastJpegName);

    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(FilesBelow(dir.path()), QStringList({"chart.jpg"}));
    const QImage saved(dir.filePath("chart.jpg"), "JPG");
    ASSERT_EQ(saved.size(), QSize(802, 448));
    EXPECT_LT(MeanAbsoluteDifference(saved, shown), kJpegMeanTolerance);
}

TEST_F(ChartWindowTest, PrintToPdfIsOnePageWithTheChart) {
    platform.confirmPrint = true;
    platform.printToPdf = dir.filePath("chart.pdf");

    PrintChart(platform, &window);

    const QByteArray pdf = ReadBytes(platform.printToPdf);
    ASSERT_TRUE(pdf.startsWith("%PDF"));
    EXPECT_EQ(CountPdfPages(pdf), 1);
    EXPECT_TRUE(platform.messages.empty());

    const QString gs = QStandardPaths::findExecutable(QStringLiteral("gs"));
    if (gs.isEmpty()) GTEST_SKIP() << "Ghostscript not installed: page not rendered";
    const QString png = dir.filePath("page.png");
    QProcess render;
    render.start(gs, {"-q", "-dSAFER", "-dBATCH", "-dNOPAUSE", "-sDEVICE=png16m", "-r100",
                      "-sOutputFile=" + png, platform.printToPdf});
    ASSERT_TRUE(render.waitForFinished(60000));
    ASSERT_EQ(render.exitCode(), 0);
    const QImage page(png);
    ASSERT_FALSE(page.isNull());
    // The window spans the page's printable width; a blank or shrunken print does not.
    const QRect inked = NonWhiteBounds(page);
    EXPECT_GT(inked.width(), page.width() * 7 / 10);
    EXPECT_GT(inked.height(), page.width() * 7 / 10 * 448 / 802 * 9 / 10);
}

}  // namespace
}  // namespace velloran::test
