// Velloran: start-up and the event loop.

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <cstdio>
#include <cstring>

#include "Version.h"
#include "app/App.h"
#include "app/InstanceLock.h"
#include "app/ToolIcons.h"
#include "input/gui/FrmMain.h"
#include "ui/QtPlatform.h"

namespace {

// Runs a callback once, after the first complete paint of a widget (for start-up timing).
class FirstPaint : public QObject {
public:
    FirstPaint(QWidget* widget, std::function<void()> then) : m_then(std::move(then)) {
        widget->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && m_then) {
            watched->removeEventFilter(this);
            // The children paint and the window flushes within this pass; run after it.
            QTimer::singleShot(0, this, [f = std::move(m_then)] { f(); });
        }
        return false;
    }

private:
    std::function<void()> m_then;
};

}  // namespace

int main(int argc, char** argv) {
    // Answered before the application object connects to a display, so it works without one.
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("velloran %s\n%s\n", VELLORAN_VERSION, VELLORAN_LICENCE);
        return 0;
    }
    QElapsedTimer clock;
    clock.start();
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setWindowIcon(velloran::MakeToolIcon(velloran::ToolIcon::Program));
    const QString name = QCoreApplication::applicationName();  // the executable's name

    velloran::QtPlatform platform(name);
    velloran::InstanceLock lock(velloran::InstanceLock::DefaultPath(name));
    velloran::App controller(platform);
    QObject::connect(&controller, &velloran::App::programEnded, &app, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    if (!controller.start(lock, velloran::App::FileArgument(QCoreApplication::arguments())))
        return 0;

    // Timing aids: VELLORAN_EXIT_AFTER_PAINT=form|chart ends the program after that window's
    // first paint; VELLORAN_TIMING=1 reports the times on standard error.
    const QByteArray exitAfter = qgetenv("VELLORAN_EXIT_AFTER_PAINT");
    const bool report = qEnvironmentVariableIsSet("VELLORAN_TIMING");
    std::unique_ptr<FirstPaint> probe;
    if (report || exitAfter == "form") {
        probe = std::make_unique<FirstPaint>(controller.form(), [&] {
            if (report)
                std::fprintf(stderr, "velloran: form painted %lld ms after start\n",
                             static_cast<long long>(clock.elapsed()));
            if (exitAfter == "form") controller.unloadAllAndEnd();
        });
    }
    QObject::connect(&controller, &velloran::App::chartPainted, &app, [&](qint64 ms) {
        if (report)
            std::fprintf(stderr, "velloran: chart painted %lld ms after the command\n",
                         static_cast<long long>(ms));
        if (exitAfter == "chart") controller.unloadAllAndEnd();
    });
    return app.exec();
}
