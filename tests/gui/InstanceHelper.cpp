// A program process for the single-instance test: starts the real controller with the lock file
// given as its argument, prints what the user would have seen, and keeps running until its
// standard input closes (or it is killed).

#include <unistd.h>
#include <QApplication>
#include <QSocketNotifier>
#include <cstdio>

#include "app/App.h"
#include "app/InstanceLock.h"
#include "support/FakePlatform.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 2) return 2;
    velloran::test::FakePlatform platform;
    velloran::InstanceLock lock(QString::fromLocal8Bit(argv[1]));
    velloran::App controller(platform);
    const bool started = controller.start(lock);
    for (const auto& m : platform.messages) {
        std::printf("message: %s|%d\n", m.text.toUtf8().constData(), static_cast<int>(m.icon));
    }
    std::printf("%s\n", started ? "started" : "ended");
    std::fflush(stdout);
    if (!started) return 0;
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, &app, [&] {
        char buffer[64];
        if (::read(STDIN_FILENO, buffer, sizeof buffer) <= 0) app.quit();
    });
    return app.exec();
}
