// A program process for the single-instance tests: starts the real controller with the lock file
// given as its first argument and, when given, a reading as its second; prints what the user
// would have seen as it happens, and keeps running until its standard input closes (or it is
// killed). The converter library's folder is the lock file's folder.

#include <unistd.h>
#include <QApplication>
#include <QFileInfo>
#include <QSocketNotifier>
#include <QTimer>
#include <cstdio>

#include "app/App.h"
#include "app/InstanceLock.h"
#include "app/MainWindow.h"
#include "support/FakePlatform.h"

namespace {

void Say(const QString& line) {
    std::printf("%s\n", line.toUtf8().constData());
    std::fflush(stdout);
}

// Prints each message when it is shown.
class PrintingPlatform : public velloran::test::FakePlatform {
public:
    void showMessage(QWidget* parent, const QString& text, velloran::MessageIcon icon,
                     const QString& title) override {
        FakePlatform::showMessage(parent, text, icon, title);
        Say(QStringLiteral("message: %1|%2").arg(text).arg(static_cast<int>(icon)));
    }
};

// "chart <name>" or "form", and the object name of the window in front.
QString Screen(velloran::App& controller) {
    QString shown = QStringLiteral("form");
    if (controller.mainWindow() && controller.reading())
        shown =
            QStringLiteral("chart ") + QString::fromStdString(controller.reading()->birth().Name);
    QWidget* front = QApplication::activeWindow();
    return QStringLiteral("shown: %1, front: %2")
        .arg(shown, front ? front->objectName() : QStringLiteral("none"));
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    if (argc < 2) return 2;
    PrintingPlatform platform;
    const QString lockPath = QString::fromLocal8Bit(argv[1]);
    platform.folder = QFileInfo(lockPath).absolutePath();
    velloran::InstanceLock lock(lockPath);
    velloran::App controller(platform);
    const bool started =
        controller.start(lock, argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString());
    Say(started ? QStringLiteral("started") : QStringLiteral("ended"));
    if (!started) return 0;

    // What is on screen, each time it changes after the start.
    QString screen = Screen(controller);
    Say(screen);
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, &app, [&] {
        const QString now = Screen(controller);
        if (now != screen) Say(screen = now);
    });
    watch.start(20);
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, &app, [&] {
        char buffer[64];
        if (::read(STDIN_FILENO, buffer, sizeof buffer) <= 0) app.quit();
    });
    return app.exec();
}
