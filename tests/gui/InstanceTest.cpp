// The single-instance check with real processes: a second start ends with its notice while the
// first runs on, and a crashed instance does not block the next start.

#include <gtest/gtest.h>

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

namespace {

struct Instance {
    QProcess process;
    QString output;

    void start(const QString& lockPath) {
        process.setProgram(QStringLiteral(VELLORAN_INSTANCE_HELPER));
        process.setArguments({lockPath});
        process.start();
        ASSERT_TRUE(process.waitForStarted(10000));
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

}  // namespace
