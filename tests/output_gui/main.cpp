// Test runner for the file commands: a headless QApplication for the widgets they capture and
// print, and Qt's test mode so no user file or setting is touched.

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
