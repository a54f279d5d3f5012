// Times the JPEG save of an 802 x 448 chart-sized window: the whole command (capture, numbered
// name, temporary bitmap, conversion by libbmp2jpeg.so, clean-up) next to a bare grab-and-encode
// (QWidget::grab + QImage::save as JPEG quality 100). Prints the median and spread of many runs
// and the file sizes.
//
//   jpeg_save_timing [runs] [folder] [--chart-window]
//
// Defaults: 200 runs, a temporary folder, a chart-sized test window; --chart-window times the
// program's own chart window filled by a calculation instead.

#include <QApplication>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

#include "chart/ChartWindow.h"
#include "chart/gui/FrmDisplay.h"
#include "input/FormCopy.h"
#include "output/gui/OutputCommands.h"
#include "output_gui/OutputTestSupport.h"
#include "reading/Reading.h"
#include "support/FakePlatform.h"
#include "support/SampleBirths.h"

namespace {

struct Timing {
    double median, p10, p90;  // milliseconds
};

Timing Measure(int runs, const std::function<void()>& body, const std::function<void()>& after) {
    std::vector<double> ms;
    ms.reserve(runs);
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        body();
        const auto end = std::chrono::steady_clock::now();
        ms.push_back(std::chrono::duration<double, std::milli>(end - start).count());
        after();
    }
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], ms[ms.size() / 10], ms[ms.size() * 9 / 10]};
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    const bool chartWindow = args.removeAll(QStringLiteral("--chart-window")) > 0;
    const int runs = !args.isEmpty() ? std::max(1, args[0].toInt()) : 200;
    QTemporaryDir temporary(args.size() > 1 ? args[1] + "/timing-XXXXXX" : QString());
    if (!temporary.isValid()) {
        std::fprintf(stderr, "cannot create a folder for the pictures\n");
        return 1;
    }
    velloran::test::ChartLikeWidget testWindow;
    velloran::FrmDisplay programWindow;
    QWidget* shown = &testWindow;
    if (chartWindow) {
        const velloran::FormInput form = velloran::test::PuneBirthForm();
        const velloran::Calculation calculated = velloran::Calculate(velloran::BirthFromForm(form));
        if (!calculated.reading) {
            std::fprintf(stderr, "the sample birth did not calculate: %s\n",
                         calculated.error.c_str());
            return 1;
        }
        programWindow.render(velloran::MakeChartWindow(
            *calculated.reading, velloran::ChartView::Draconic, velloran::EnglishMonthNames()));
        shown = &programWindow;
    }
    QWidget& window = *shown;
    window.show();
    app.processEvents();

    velloran::test::FakePlatform platform;
    platform.folder = velloran::test::ConverterFolder();
    const QString target = temporary.filePath("chart.jpg");
    QString lastName;
    qint64 commandSize = 0;
    bool failed = false;
    const Timing command = Measure(
        runs,
        [&] {
            platform.saveAnswers.push_back(target);
            velloran::SaveChartJpeg(platform, &window, lastName);
        },
        [&] {
            commandSize = QFileInfo(target).size();
            failed = failed || !platform.messages.empty() || commandSize == 0;
            QFile::remove(target);
        });

    const QString bare = temporary.filePath("bare.jpg");
    qint64 bareSize = 0;
    const Timing grabEncode = Measure(
        runs, [&] { window.grab().toImage().save(bare, "JPG", 100); },
        [&] {
            bareSize = QFileInfo(bare).size();
            QFile::remove(bare);
        });

    const Timing capture = Measure(
        runs, [&] { static_cast<void>(velloran::CaptureChartWindow(&window)); }, [] {});

    std::printf("window: %s, folder: %s, runs: %d\n",
                chartWindow ? "program chart window" : "chart-sized test window",
                qPrintable(temporary.path()), runs);
    std::printf("%-34s median %7.3f ms  (p10 %7.3f, p90 %7.3f)  file %lld bytes\n",
                "SaveChartJpeg (whole command)", command.median, command.p10, command.p90,
                static_cast<long long>(commandSize));
    std::printf("%-34s median %7.3f ms  (p10 %7.3f, p90 %7.3f)  file %lld bytes\n",
                "grab + QImage::save JPEG q100", grabEncode.median, grabEncode.p10, grabEncode.p90,
                static_cast<long long>(bareSize));
    std::printf("%-34s median %7.3f ms  (p10 %7.3f, p90 %7.3f)\n", "capture alone", capture.median,
                capture.p10, capture.p90);
    if (failed) {
        std::fprintf(stderr, "the command reported an error or wrote nothing\n");
        return 1;
    }
    return 0;
}
