#include "wheel/gui/WheelFiles.h"

#include <QGuiApplication>

#include "wheel/gui/WheelPainter.h"

namespace velloran {

namespace {

// Painting (fonts, the PDF writer) needs a QGuiApplication. A process without one (the
// command-line tool) gets one on the offscreen platform for the call, closed after it so that its
// font database is released; the platform setting is undone at once, so nothing else the process
// starts inherits it. A process whose application is not a QGuiApplication gets nothing.
template <typename Paint>
std::string WithGuiApplication(Paint paint) {
    if (QCoreApplication* app = QCoreApplication::instance())
        return qobject_cast<QGuiApplication*>(app) != nullptr ? paint() : std::string();
    int argc = 1;
    char name[] = "velloran";
    char* argv[] = {name, nullptr};
    const bool hadPlatform = qEnvironmentVariableIsSet("QT_QPA_PLATFORM");
    const QByteArray oldPlatform = qgetenv("QT_QPA_PLATFORM");
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (hadPlatform) {
        qputenv("QT_QPA_PLATFORM", oldPlatform);
    } else {
        qunsetenv("QT_QPA_PLATFORM");
    }
    return paint();
}

}  // namespace

std::string WheelPngFile(const WheelDrawing& drawing, const GlyphOutlines& outlines, int px) {
    return WithGuiApplication([&] { return WheelPng(drawing, outlines, px).toStdString(); });
}

std::string WheelPdfFile(const WheelDrawing& drawing, const GlyphOutlines& outlines,
                         const std::string& title, const std::vector<std::string>& facts) {
    return WithGuiApplication([&] {
        QStringList factLines;
        for (const std::string& fact : facts) factLines << QString::fromStdString(fact);
        return WheelPdf(drawing, outlines, QString::fromStdString(title), factLines).toStdString();
    });
}

}  // namespace velloran
