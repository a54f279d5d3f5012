// Printing the chart window: the print dialog, then the window painted onto the page.

#include <QAbstractPrintDialog>
#include <QPainter>
#include <QPrinter>
#include <QWidget>

#include "app/Platform.h"
#include "output/gui/OutputCommands.h"

namespace velloran {

void PrintChart(Platform& platform, QWidget* chartWindow) {
    if (chartWindow == nullptr) return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(kAppTitle);
    // One page with no page numbers to choose; printing to a PDF file serves users without a
    // printer.
    const QAbstractPrintDialog::PrintDialogOptions options(
        QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize |
        QAbstractPrintDialog::PrintCollateCopies);
    if (!platform.runPrintDialogWithOptions(chartWindow, printer, options.toInt())) return;

    QPainter painter;
    if (!painter.begin(&printer)) {
        platform.showMessage(chartWindow,
                             QStringLiteral("Could not print the chart: the printer did not start."),
                             MessageIcon::Error, kAppTitle);
        return;
    }
    // The window painted in vector form, scaled to fit the page with its aspect kept and centred,
    // so the header text stays sharp at the printer's resolution.
    const QRect page = painter.viewport();
    const QSize window = chartWindow->size();
    const double scale = std::min(static_cast<double>(page.width()) / window.width(),
                                  static_cast<double>(page.height()) / window.height());
    painter.translate(page.x() + (page.width() - window.width() * scale) / 2.0,
                      page.y() + (page.height() - window.height() * scale) / 2.0);
    painter.scale(scale, scale);
    chartWindow->render(&painter, QPoint(), QRegion(),
                        QWidget::DrawWindowBackground | QWidget::DrawChildren);
    painter.end();
}

}  // namespace velloran
