// Printing the chart window: the print dialog, then the window painted onto the page.

#include <algorithm>
#include <cmath>

#include <QAbstractPrintDialog>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QWidget>

#include "app/Platform.h"
#include "output/gui/OutputCommands.h"

namespace velloran {

namespace {

// Resolution of the printed picture: sharp 8-point text on paper, a PDF of a few hundred KiB.
constexpr double kPrintDpi = 300.0;
// Cap of the picture's pixels per window pixel (tiny pages), keeping it below ~60 MB in memory.
constexpr int kMaxPrintPixelRatio = 6;

}  // namespace

void PrintChart(Platform& platform, QWidget* chartWindow) {
    if (chartWindow == nullptr || chartWindow->size().isEmpty()) return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(kAppTitle);
    // One page with no page numbers to choose; printing to a PDF file serves users without a
    // printer.
    const QAbstractPrintDialog::PrintDialogOptions options(
        QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize |
        QAbstractPrintDialog::PrintCollateCopies);
    if (!platform.runPrintDialog(chartWindow, printer, options.toInt())) return;

    QPainter painter;
    if (!painter.begin(&printer)) {
        platform.showMessage(
            chartWindow, QStringLiteral("Could not print the chart: the printer did not start."),
            MessageIcon::Error, kAppTitle);
        return;
    }
    // Scaled to fit the page with its aspect kept, centred. Qt paints widgets through a bitmap
    // even onto a printer; at the printer's own resolution that bitmap would be hundreds of
    // megabytes, at the window's size the text would blur. Paint it at about kPrintDpi instead.
    const QRect page = painter.viewport();
    const QSizeF window = chartWindow->size();
    const double scale = std::min(page.width() / window.width(), page.height() / window.height());
    const QSizeF printed = window * scale;
    const QRectF target(page.x() + (page.width() - printed.width()) / 2.0,
                        page.y() + (page.height() - printed.height()) / 2.0, printed.width(),
                        printed.height());
    const double windowPixelsPerInch = printer.resolution() / scale;
    const int ratio = std::clamp(static_cast<int>(std::ceil(kPrintDpi / windowPixelsPerInch)), 1,
                                 kMaxPrintPixelRatio);
    QImage picture(chartWindow->size() * ratio, QImage::Format_RGB32);
    picture.setDevicePixelRatio(ratio);
    picture.fill(Qt::white);
    chartWindow->render(&picture, QPoint(), QRegion(),
                        QWidget::DrawWindowBackground | QWidget::DrawChildren);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, picture);
    painter.end();
}

}  // namespace velloran
