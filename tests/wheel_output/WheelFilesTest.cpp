// The Qt-free wrappers for the command-line tool: they run in a process that has no Qt
// application, make one off screen for the call (a platform the machine cannot open is not
// used), close it after it and leave the process's platform setting as it was.

#include <gtest/gtest.h>

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QStringList>
#include <cstdlib>
#include <string>

#include <unistd.h>

#include "glyphs/Outline.h"
#include "wheel/gui/WheelFiles.h"
#include "wheel_output/TestDrawing.h"

namespace velloran {
namespace {

TEST(WheelFiles, MakeTheirOwnOffscreenApplicationAndWriteFiles) {
    ASSERT_EQ(QCoreApplication::instance(), nullptr);
    // A platform this machine cannot open: the wrappers must not use it, nor leave theirs.
    setenv("QT_QPA_PLATFORM", "xcb:display-that-is-not-there", 1);

    const std::string png = WheelPngFile(test::SmallDrawing(), SystemGlyphOutlines(), 120);
    EXPECT_EQ(QCoreApplication::instance(), nullptr);
    EXPECT_STREQ(std::getenv("QT_QPA_PLATFORM"), "xcb:display-that-is-not-there");
    QImage image;
    ASSERT_TRUE(image.loadFromData(QByteArray::fromStdString(png), "PNG"));
    EXPECT_EQ(image.size(), QSize(120, 120));

    const std::string pdf = WheelPdfFile(test::SmallDrawing(), SystemGlyphOutlines(), "A wheel");
    EXPECT_EQ(pdf.rfind("%PDF", 0), 0u);
    EXPECT_NE(pdf.find("%%EOF"), std::string::npos);
    EXPECT_EQ(QCoreApplication::instance(), nullptr);

    EXPECT_TRUE(WheelPngFile(test::SmallDrawing(), SystemGlyphOutlines(), 0).empty());
}

// Without a session runtime folder (cron, ssh) the application gets a private one for the call
// and removes it: nothing is left in the temporary folder, and the variable stays unset.
TEST(WheelFiles, LeaveNoRuntimeFolderBehind) {
    ASSERT_EQ(QCoreApplication::instance(), nullptr);
    const std::string runtime =
        std::getenv("XDG_RUNTIME_DIR") ? std::getenv("XDG_RUNTIME_DIR") : "";
    const std::string oldTmp = std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "";
    char folder[] = "/tmp/velloran-wheelfiles-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    setenv("TMPDIR", folder, 1);
    unsetenv("XDG_RUNTIME_DIR");

    const std::string png = WheelPngFile(test::SmallDrawing(), SystemGlyphOutlines(), 100);
    EXPECT_FALSE(png.empty());
    EXPECT_EQ(std::getenv("XDG_RUNTIME_DIR"), nullptr);
    const QStringList left = QDir(QString::fromLatin1(folder))
                                 .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    EXPECT_TRUE(left.isEmpty()) << left.join(", ").toStdString();

    rmdir(folder);
    if (oldTmp.empty())
        unsetenv("TMPDIR");
    else
        setenv("TMPDIR", oldTmp.c_str(), 1);
    if (!runtime.empty()) setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
}

}  // namespace
}  // namespace velloran
