#include "wheel/gui/WheelFiles.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <optional>

#include "wheel/gui/WheelPainter.h"

namespace velloran {

namespace {

// An environment variable set for a while, then put back as it was.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const QByteArray& value)
        : m_name(name), m_had(qEnvironmentVariableIsSet(name)), m_old(qgetenv(name)) {
        qputenv(name, value);
    }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;
    ~ScopedVariable() { restore(); }
    void restore() {
        if (m_restored) return;
        m_restored = true;
        if (m_had) {
            qputenv(m_name, m_old);
        } else {
            qunsetenv(m_name);
        }
    }

private:
    const char* m_name;
    bool m_had;
    QByteArray m_old;
    bool m_restored = false;
};

// Painting (fonts, the PDF writer) needs a QGuiApplication. A process without one (the
// command-line tool) gets one on the offscreen platform for the call, closed after it so that its
// font database is released; the platform setting is undone at once, so nothing else the process
// starts inherits it. Without a runtime folder of the session's (cron, ssh), the application gets
// a private one for the call, removed after it, instead of Qt's runtime-<user> in the shared
// temporary folder. A process whose application is not a QGuiApplication gets nothing.
template <typename Paint>
std::string WithGuiApplication(Paint paint) {
    if (QCoreApplication* app = QCoreApplication::instance())
        return qobject_cast<QGuiApplication*>(app) != nullptr ? paint() : std::string();
    int argc = 1;
    char name[] = "velloran";
    char* argv[] = {name, nullptr};
    std::optional<QTemporaryDir> runtime;
    std::optional<ScopedVariable> runtimeVariable;
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        runtime.emplace(QDir::tempPath() + QStringLiteral("/velloran-runtime-XXXXXX"));
        if (runtime->isValid())
            runtimeVariable.emplace("XDG_RUNTIME_DIR", QFile::encodeName(runtime->path()));
    }
    ScopedVariable platform("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    platform.restore();
    return paint();
}

}  // namespace

std::string WheelPngFile(const WheelDrawing& drawing, const GlyphOutlines& outlines, int px) {
    return WithGuiApplication([&] { return WheelPng(drawing, outlines, px).toStdString(); });
}

std::string WheelPdfFile(const WheelDrawing& drawing, const GlyphOutlines& outlines,
                         const std::string& title) {
    return WithGuiApplication(
        [&] { return WheelPdf(drawing, outlines, QString::fromStdString(title)).toStdString(); });
}

}  // namespace velloran
