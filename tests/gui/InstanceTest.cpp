// The single-instance check with real processes: a second start ends with its notice while the
// first runs on, a second start given a reading hands it to the first, and a crashed instance
// does not block the next start.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "app/App.h"
#include "gui/GuiTestSupport.h"
#include "reading/Reading.h"
#include "support/SampleBirths.h"

namespace {

struct Instance {
    QProcess process;
    QString output;

    // workingFolder: the folder a relative file argument is taken from.
    void start(const QString& lockPath, const QString& file = QString(),
               const QString& workingFolder = QString()) {
        process.setProgram(QStringLiteral(VELLORAN_INSTANCE_HELPER));
        process.setArguments(file.isEmpty() ? QStringList{lockPath} : QStringList{lockPath, file});
        if (!workingFolder.isEmpty()) process.setWorkingDirectory(workingFolder);
        process.start();
        ASSERT_TRUE(process.waitForStarted(10000));
    }
    // Reads until a line holding text has been printed (10 s at most).
    bool waitFor(const QString& text) {
        for (int i = 0; i < 100 && !output.contains(text); ++i) {
            process.waitForReadyRead(100);
            output += QString::fromUtf8(process.readAllStandardOutput());
        }
        return output.contains(text);
    }
    void end() {
        process.closeWriteChannel();
        EXPECT_TRUE(process.waitForFinished(10000));
    }
    // Reads until the helper has said whether it started.
    QString verdict() {
        for (int i = 0; i < 200 && !output.contains("started") && !output.contains("ended"); ++i) {
            process.waitForReadyRead(100);
            output += QString::fromUtf8(process.readAllStandardOutput());
        }
        return output;
    }
};

TEST(SingleInstance, SecondStartEndsWithItsNoticeAndTheFirstRunsOn) {
    QTemporaryDir dir;
    const QString lock = QDir(dir.path()).filePath("velloran.lock");

    Instance first;
    first.start(lock);
    ASSERT_TRUE(first.verdict().contains("started")) << first.output.toStdString();

    Instance second;
    second.start(lock);
    const QString said = second.verdict();
    ASSERT_TRUE(second.process.waitForFinished(10000));
    EXPECT_EQ(second.process.exitCode(), 0);
    // Information icon, and nothing else shown (no update question, no form).
    EXPECT_EQ(said.trimmed(), "message: Application is already running|1\nended");

    EXPECT_EQ(first.process.state(), QProcess::Running);
    first.process.closeWriteChannel();
    ASSERT_TRUE(first.process.waitForFinished(10000));
    EXPECT_EQ(first.process.exitCode(), 0);

    // After a clean end the next start runs.
    Instance third;
    third.start(lock);
    EXPECT_TRUE(third.verdict().contains("started"));
    third.process.closeWriteChannel();
    EXPECT_TRUE(third.process.waitForFinished(10000));
}

TEST(SingleInstance, CrashedInstanceDoesNotBlockTheNextStart) {
    QTemporaryDir dir;
    const QString lock = QDir(dir.path()).filePath("velloran.lock");
    Instance crashed;
    crashed.start(lock);
    ASSERT_TRUE(crashed.verdict().contains("started"));
    crashed.process.kill();  // SIGKILL: the lock file stays behind
    ASSERT_TRUE(crashed.process.waitForFinished(10000));
    ASSERT_TRUE(QFileInfo::exists(lock));

    Instance next;
    next.start(lock);
    EXPECT_TRUE(next.verdict().contains("started")) << next.output.toStdString();
    next.process.closeWriteChannel();
    EXPECT_TRUE(next.process.waitForFinished(10000));
}

// The reading file of the known birth (Ann Example), as a save after its calculation writes it.
QByteArray KnownBirthReading() {
    const std::string bytes = velloran::test::ReadingFileOf(velloran::test::KnownBirthForm());
    return QByteArray(bytes.data(), qsizetype(bytes.size()));
}

struct HandOverRow {
    const char* name;
    QByteArray (*bytes)();
    const char* firstShows;  // a line the first instance prints once it has opened the file
};
void PrintTo(const HandOverRow& row, std::ostream* os) { *os << row.name; }

class HandOver : public ::testing::TestWithParam<HandOverRow> {};

// The second start names the file relative to its own working folder, which the first instance
// does not share; the second ends without a message and the first opens the file as File, Open
// does, the chart window in front when the reading calculates.
TEST_P(HandOver, SecondStartHandsItsFileToTheRunningInstance) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString lock = QDir(dir.path()).filePath("velloran.lock");
    QFile converter(QDir(dir.path()).filePath(velloran::kConverterLibrary));
    ASSERT_TRUE(converter.open(QIODevice::WriteOnly));
    ASSERT_TRUE(QDir(dir.path()).mkdir("readings"));
    QFile reading(QDir(dir.path()).filePath("readings/handed.vlr"));
    ASSERT_TRUE(reading.open(QIODevice::WriteOnly));
    reading.write(GetParam().bytes());
    reading.close();

    Instance first;
    first.start(lock);
    ASSERT_TRUE(first.waitFor("shown: form")) << first.output.toStdString();

    Instance second;
    second.start(lock, "handed.vlr", QDir(dir.path()).filePath("readings"));
    ASSERT_TRUE(second.process.waitForFinished(10000));
    EXPECT_EQ(second.process.exitCode(), 0);
    EXPECT_EQ(QString::fromUtf8(second.process.readAllStandardOutput()).trimmed(), "ended");

    EXPECT_TRUE(first.waitFor(GetParam().firstShows)) << first.output.toStdString();
    EXPECT_EQ(first.process.state(), QProcess::Running);
    first.end();
}

INSTANTIATE_TEST_SUITE_P(Files, HandOver,
                         ::testing::Values(HandOverRow{"good_reading", KnownBirthReading,
                                                       "shown: chart Ann Example, front: MDI"},
                                           HandOverRow{"damaged_reading",
                                                       [] { return QByteArray("not a reading"); },
                                                       "message: Please Check The File.|0"}),
                         [](const auto& info) { return std::string(info.param.name); });

// Without a running instance to take it, the file opens in the new one.
TEST(SingleInstance, FirstStartOpensItsFile) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString lock = QDir(dir.path()).filePath("velloran.lock");
    QFile converter(QDir(dir.path()).filePath(velloran::kConverterLibrary));
    ASSERT_TRUE(converter.open(QIODevice::WriteOnly));
    QFile reading(QDir(dir.path()).filePath("ann.vlr"));
    ASSERT_TRUE(reading.open(QIODevice::WriteOnly));
    reading.write(KnownBirthReading());
    reading.close();

    Instance only;
    only.start(lock, "ann.vlr", dir.path());
    EXPECT_TRUE(only.waitFor("shown: chart Ann Example")) << only.output.toStdString();
    EXPECT_FALSE(only.output.contains("message:")) << only.output.toStdString();
    only.end();
}

}  // namespace
