#include "wheel/gui/WheelFiles.h"

#include <QGuiApplication>

#include "wheel/gui/WheelPainter.h"

namespace velloran {

namespace {

// Painting (fonts, the PDF writer) needs a QGuiApplication. A process without one (the
// command-line tool) gets one on the offscreen platform, kept for the rest of the process; the
// platform setting is undone afterwards so nothing else the process starts inherits it.
bool EnsureGuiApplication() {
    if (QCoreApplication* app = QCoreApplication::instance()) {
        return qobject_cast<QGuiApplication*>(app) != nullptr;
    }
    static int argc = 1;
    static char name[] = "velloran";
    static char* argv[] = {name, nullptr};
    const bool hadPlatform = qEnvironmentVariableIsSet("QT_QPA_PLATFORM");
    const QByteArray oldPlatform = qgetenv("QT_QPA_PLATFORM");
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication* const app = new QGuiApplication(argc, argv);
    if (hadPlatform) {
        qputenv("QT_QPA_PLATFORM", oldPlatform);
    } else {
        qunsetenv("QT_QPA_PLATFORM");
    }
    return app != nullptr;
}

}  // namespace

std::string WheelPngFile(const WheelDrawing& drawing, const GlyphOutlines& outlines, int px) {
    if (!EnsureGuiApplication()) return {};
    const QByteArray png = WheelPng(drawing, outlines, px);
    return png.toStdString();
}

std::string WheelPdfFile(const WheelDrawing& drawing, const GlyphOutlines& outlines,
                         const std::string& title, const std::vector<std::string>& facts) {
    if (!EnsureGuiApplication()) return {};
    QStringList factLines;
    for (const std::string& fact : facts) factLines << QString::fromStdString(fact);
    const QByteArray pdf = WheelPdf(drawing, outlines, QString::fromStdString(title), factLines);
    return pdf.toStdString();
}

}  // namespace velloran
