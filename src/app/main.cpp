// Velloran: start-up and the event loop.

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

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

constexpr const char* kUsage =
    "Usage: velloran [FILE.vlr]\n"
    "       velloran --version\n"
    "       velloran --help\n"
    "Opens the birth-data form, or with FILE.vlr that reading calculated. One instance\n"
    "runs at a time: a second start hands its file to the running one. The windows need\n"
    "a display; velloran-cli creates, shows, exports and draws readings without one\n"
    "(velloran-cli --help).\n";

// True when the environment names a screen to open the windows on, or a Qt platform that needs
// none (offscreen, minimal: the tests' and tools' platforms), given by QT_QPA_PLATFORM or
// -platform.
bool HasDisplay(int argc, char** argv) {
    std::string platform;
    if (const char* chosen = std::getenv("QT_QPA_PLATFORM")) platform = chosen;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "-platform") == 0) platform = argv[i + 1];
    }
    platform = platform.substr(0, platform.find_first_of(":;"));
    for (const char* windowless :
         {"offscreen", "minimal", "minimalegl", "vnc", "eglfs", "linuxfb", "vkkhrdisplay"}) {
        if (platform == windowless) return true;
    }
    const auto set = [](const char* name) {
        const char* value = std::getenv(name);
        return value != nullptr && *value != '\0';
    };
    return set("DISPLAY") || set("WAYLAND_DISPLAY");
}

}  // namespace

int main(int argc, char** argv) {
    // Answered before the application object connects to a display, so they work without one.
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("velloran %s\n%s\n", VELLORAN_VERSION, VELLORAN_LICENCE);
        return 0;
    }
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    // Without a display Qt would abort with a page of advice; one line says what is wrong.
    if (!HasDisplay(argc, argv)) {
        std::fputs(
            "velloran: no display to open the windows on (neither DISPLAY nor WAYLAND_DISPLAY "
            "is set); velloran-cli works without one\n",
            stderr);
        return 1;
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
