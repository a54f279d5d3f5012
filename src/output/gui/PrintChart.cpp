// Printing the chart window: the print dialog, then the window painted onto the page.

#include <algorithm>
#include <cmath>

#include <QAbstractPrintDialog>
#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QWidget>

#include "output/gui/OutputCommands.h"
#include "ui/Platform.h"
#include "ui/SafeSave.h"

namespace velloran {

namespace {

// Resolution of the printed picture: sharp 8-point text on paper, a PDF of a few hundred KiB.
constexpr double kPrintDpi = 300.0;
// Cap of the picture's pixels per window pixel (tiny pages), keeping it below ~60 MB in memory.
constexpr int kMaxPrintPixelRatio = 6;

// Paints the chart window onto the page of painter, whose device has deviceDpi dots per inch:
// scaled to fit the page with its aspect kept, centred.
void PaintWindowOnPage(QPainter& painter, QWidget* chartWindow, int deviceDpi, bool grayscale) {
    // Qt paints widgets through a bitmap even onto a printer; at the printer's own resolution
    // that bitmap would be hundreds of megabytes, at the window's size the text would blur.
    // Paint it at about kPrintDpi instead.
    const QRect page = painter.viewport();
    const QSizeF window = chartWindow->size();
    const double scale = std::min(page.width() / window.width(), page.height() / window.height());
    const QSizeF printed = window * scale;
    const QRectF target(page.x() + (page.width() - printed.width()) / 2.0,
                        page.y() + (page.height() - printed.height()) / 2.0, printed.width(),
                        printed.height());
    const double windowPixelsPerInch = deviceDpi / scale;
    const int ratio = std::clamp(static_cast<int>(std::ceil(kPrintDpi / windowPixelsPerInch)), 1,
                                 kMaxPrintPixelRatio);
    QImage picture(chartWindow->size() * ratio, QImage::Format_RGB32);
    picture.setDevicePixelRatio(ratio);
    picture.fill(Qt::white);
    chartWindow->render(&picture, QPoint(), QRegion(),
                        QWidget::DrawWindowBackground | QWidget::DrawChildren);
    if (grayscale) picture = picture.convertToFormat(QImage::Format_Grayscale8);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, picture);
}

// Printing to a file. Qt's printer writes its file without reporting a failed write, so the PDF
// is made in memory with the printer's page setup and written whole: a failure leaves no partial
// PDF and keeps an earlier file of that name. Empty on success, else the reason.
QString PrintToFile(const QPrinter& printer, QWidget* chartWindow, const PagePainter& page) {
    QByteArray pdf;
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setPdfVersion(printer.pdfVersion());
    writer.setResolution(printer.resolution());
    writer.setPageLayout(printer.pageLayout());
    writer.setTitle(printer.docName());
    if (!printer.creator().isEmpty()) writer.setCreator(printer.creator());

    QPainter painter;
    if (!painter.begin(&writer)) return QStringLiteral("the PDF could not be started");
    if (page) {
        page(painter, painter.viewport());
    } else {
        PaintWindowOnPage(painter, chartWindow, writer.resolution(),
                          printer.colorMode() == QPrinter::GrayScale);
    }
    if (!painter.end()) return QStringLiteral("the PDF could not be completed");
    QString reason;
    return WriteFileWhole(printer.outputFileName(), pdf, reason) ? QString() : reason;
}

// Printing on a printer; empty on success, else the reason.
QString PrintOnPrinter(QPrinter& printer, QWidget* chartWindow, const PagePainter& page) {
    QPainter painter;
    if (!painter.begin(&printer)) return QStringLiteral("the printer did not start");
    if (page) {
        page(painter, painter.viewport());
    } else {
        PaintWindowOnPage(painter, chartWindow, printer.resolution(), false);
    }
    const bool ended = painter.end();
    if (!ended || printer.printerState() == QPrinter::Error) {
        return QStringLiteral("the printer did not complete the page");
    }
    return {};
}

}  // namespace

QString PrintFailedText(const QString& reason) {
    return QStringLiteral("Could not print: %1").arg(reason);
}

void PrintChart(Platform& platform, QWidget* chartWindow, const PagePainter& page) {
    if (chartWindow == nullptr || chartWindow->size().isEmpty()) return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(kAppTitle);
    // One page with no page numbers to choose; printing to a PDF file serves users without a
    // printer.
    const QAbstractPrintDialog::PrintDialogOptions options(
        QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize |
        QAbstractPrintDialog::PrintCollateCopies);
    if (!platform.runPrintDialog(chartWindow, printer, options.toInt())) return;

    // A print to a file gives a PDF here, whatever output format the printer reports.
    const QString reason = printer.outputFileName().isEmpty()
                               ? PrintOnPrinter(printer, chartWindow, page)
                               : PrintToFile(printer, chartWindow, page);
    if (reason.isEmpty()) return;
    platform.showMessage(chartWindow, PrintFailedText(reason), MessageIcon::Error, kAppTitle);
}

}  // namespace velloran
