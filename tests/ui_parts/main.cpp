// Test runner for the window parts: a headless QApplication, so fonts, models and events work
// as in the program; no user file or setting is touched.

#include <gtest/gtest.h>

#include <QApplication>
#include <QStandardPaths>

#include "support/PrivateRuntime.h"

int main(int argc, char** argv) {
    const velloran::test::PrivateRuntime runtime;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
