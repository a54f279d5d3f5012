// Printing the chart window: the dialog's options, cancelling, a real print to a PDF file whose
// single page shows the window, and prints to a file that cannot be completed.

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>

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

// Lowers the largest file size this process may write (RLIMIT_FSIZE), so a write fails half-way
// even for root; writes past it fail with EFBIG instead of raising SIGXFSZ. Restored on leaving.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit lowered = m_old;
        lowered.rlim_cur = std::min(bytes, m_old.rlim_max);
        m_active = setrlimit(RLIMIT_FSIZE, &lowered) == 0;
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    bool active() const { return m_active; }

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = SIG_DFL;
    bool m_active = false;
};

struct PrintFailure {
    const char* name;
    const char* pdfName;     // the file printed to, relative to the test folder
    const char* earlierPdf;  // contents of a file already at pdfName; nullptr: none
    rlim_t fileSizeLimit;    // 0: none
};

void PrintTo(const PrintFailure& c, std::ostream* os) { *os << c.name; }

class PrintFailureTest : public PrintChartTest,
                         public ::testing::WithParamInterface<PrintFailure> {};

TEST_P(PrintFailureTest, ReportsAndLeavesNoPartialPdf) {
    const PrintFailure& c = GetParam();
    ASSERT_TRUE(WriteBytes(dir.filePath("notes.txt"), "a file, not a folder"));
    ASSERT_TRUE(QDir().mkpath(dir.filePath("folder.pdf")));
    if (c.earlierPdf != nullptr) {
        ASSERT_TRUE(WriteBytes(dir.filePath(c.pdfName), c.earlierPdf));
    }
    const QStringList before = FilesBelow(dir.path());
    platform.confirmPrint = true;
    platform.printToPdf = dir.filePath(c.pdfName);

    if (c.fileSizeLimit > 0) {
        FileSizeLimit limit(c.fileSizeLimit);
        ASSERT_TRUE(limit.active());
        PrintChart(platform, &window);
    } else {
        PrintChart(platform, &window);
    }

    EXPECT_EQ(FilesBelow(dir.path()), before);
    if (c.earlierPdf != nullptr) {
        EXPECT_EQ(ReadBytes(dir.filePath(c.pdfName)), c.earlierPdf);
    }
    EXPECT_TRUE(QFileInfo(dir.filePath("folder.pdf")).isDir());
    ASSERT_EQ(platform.messages.size(), 1u);
    const FakePlatform::Message& m = platform.messages[0];
    EXPECT_EQ(m.icon, MessageIcon::Error);
    EXPECT_EQ(m.title, "Velloran");
    // The reason is the system's own wording, which depends on the language.
    const QString prefix = QStringLiteral("Could not print: ");
    EXPECT_TRUE(m.text.startsWith(prefix)) << m.text.toStdString();
    EXPECT_GT(m.text.trimmed().size(), prefix.trimmed().size()) << "no reason given";
}

INSTANTIATE_TEST_SUITE_P(
    Failures, PrintFailureTest,
    ::testing::Values(PrintFailure{"folder_is_a_file", "notes.txt/chart.pdf", nullptr, 0},
                      PrintFailure{"name_is_a_folder", "folder.pdf", nullptr, 0},
                      PrintFailure{"write_fails_half_way", "chart.pdf", nullptr, 16 * 1024},
                      PrintFailure{"earlier_pdf_kept", "chart.pdf", "%PDF earlier print",
                                   16 * 1024}),
    [](const ::testing::TestParamInfo<PrintFailure>& info) {
        return std::string(info.param.name);
    });

}  // namespace
}  // namespace velloran::test
