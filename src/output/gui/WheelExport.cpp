// File, "Export Wheel...": the degree wheel as an SVG, a PDF or a PNG.

#include <QFileInfo>
#include <QWidget>

#include "glyphs/Outline.h"
#include "output/gui/OutputCommands.h"
#include "ui/Platform.h"
#include "ui/QtText.h"
#include "ui/SafeSave.h"
#include "wheel/WheelSvg.h"
#include "wheel/gui/WheelPainter.h"

namespace velloran {

namespace {

// The side of the pictures: the SVG and the PDF are vector (the side sets the line widths and
// symbol sizes they are drawn with); the PNG is sharp at a print's size.
constexpr double kVectorSide = 800.0;
constexpr int kPngSide = 1600;

// Every picture carries the facts as its caption, in its top corners.
WheelDrawing Drawn(const WheelInput& wheel, const WheelPalette& palette, double side,
                   const QStringList& caption) {
    WheelInput input = wheel;
    input.size = side;
    for (const QString& line : caption) input.caption.push_back(line.toStdString());
    input.symbols = input.symbols && SystemGlyphOutlines().hasSymbols();
    return DrawWheel(LayOutWheel(input), palette);
}

}  // namespace

QByteArray WheelFileBytes(const QString& path, const WheelInput& wheel, const WheelPalette& palette,
                          const QString& title, const QStringList& facts) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    const GlyphOutlines& outlines = SystemGlyphOutlines();
    if (suffix == QLatin1String("svg")) {
        const std::string svg = WheelSvg(Drawn(wheel, palette, kVectorSide, facts), outlines);
        return QByteArray(svg.data(), static_cast<qsizetype>(svg.size()));
    }
    if (suffix == QLatin1String("pdf"))
        return WheelPdf(Drawn(wheel, palette, kVectorSide, facts), outlines, title);
    if (suffix == QLatin1String("png"))
        return WheelPng(Drawn(wheel, palette, kPngSide, facts), outlines, kPngSide);
    return {};
}

void ExportWheel(Platform& platform, QWidget* parent, const WheelInput& wheel,
                 const WheelPalette& palette, const QString& title, const QStringList& facts,
                 QString& lastName) {
    FileDialogRequest request;
    request.title = QStringLiteral("Export Wheel");
    request.filter =
        QStringLiteral("SVG picture (*.svg);;PDF document (*.pdf);;PNG picture (*.png)");
    request.defaultSuffix = QStringLiteral("svg");
    request.suffixFromFilter = true;
    request.initialName = lastName;
    request.confirmOverwrite = true;
    const QString path = platform.getSaveFileName(parent, request);
    if (path.isEmpty()) return;
    lastName = path;
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix != QLatin1String("svg") && suffix != QLatin1String("pdf") &&
        suffix != QLatin1String("png")) {
        platform.showMessage(
            parent, SaveFailedText(path, QStringLiteral("the name must end in .svg, .pdf or .png")),
            MessageIcon::Error);
        return;
    }
    const QByteArray bytes = WheelFileBytes(path, wheel, palette, title, facts);
    QString reason;
    if (bytes.isEmpty()) {
        reason = QStringLiteral("the picture could not be made");
    } else if (WriteFileWhole(path, bytes, reason)) {
        return;
    }
    platform.showMessage(parent, SaveFailedText(path, reason), MessageIcon::Error);
}

}  // namespace velloran
