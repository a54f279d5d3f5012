// A reading given to the program without the Open dialog: named on the command line, or dropped on
// the form or the chart window. Each opens as File, Open does, with its checks and messages.

#include <gtest/gtest.h>

#include <QDialog>
#include <QDir>
#include <QDropEvent>
#include <QMimeData>
#include <ostream>

#include "GuiTestSupport.h"
#include "input/FormCopy.h"
#include "input/ReadingFile.h"
#include "reading/Reading.h"
#include "support/SampleBirths.h"
#include "ui/RecentReadings.h"

namespace velloran::test {
namespace {

// month 0: a reading the date check refuses.
QByteArray AnnReading(int16_t month = 1) {
    BirthData birth = BirthFromForm(KnownBirthForm()).birth;
    birth.Month = month;
    const std::string bytes = WriteReadingFile(birth, KnownBirthForm().zoneIndex);
    return QByteArray(bytes.data(), qsizetype(bytes.size()));
}

bool WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

struct ArgumentRow {
    const char* name;
    QStringList arguments;
    QString file;
};
void PrintTo(const ArgumentRow& row, std::ostream* os) { *os << row.name; }

class FileArgument : public ::testing::TestWithParam<ArgumentRow> {};

TEST_P(FileArgument, IsTheFirstArgumentThatIsNoOption) {
    EXPECT_EQ(App::FileArgument(GetParam().arguments), GetParam().file);
}

const ArgumentRow kArgumentRows[] = {
    {"none", {"velloran"}, ""},
    {"a_file", {"velloran", "ann.vlr"}, "ann.vlr"},
    {"after_an_option", {"velloran", "--verbose", "/home/ann/ann.vlr"}, "/home/ann/ann.vlr"},
    {"only_options", {"velloran", "--verbose", "-x"}, ""},
    {"dash_name_after_double_dash", {"velloran", "--", "-ann.vlr"}, "-ann.vlr"},
    {"file_url", {"velloran", "file:///home/ann/My%20Chart.vlr"}, "/home/ann/My Chart.vlr"},
    {"first_of_two", {"velloran", "a.vlr", "b.vlr"}, "a.vlr"},
};
INSTANTIATE_TEST_SUITE_P(Rows, FileArgument, ::testing::ValuesIn(kArgumentRows),
                         [](const auto& info) { return std::string(info.param.name); });

// velloran FILE: the program starts, shows the form and opens the file as File, Open does.
struct CommandLineRow {
    const char* name;
    bool write;  // false: the file does not exist
    QByteArray (*bytes)();
    const char* message;  // the start of the error shown; empty when the reading calculates
};
void PrintTo(const CommandLineRow& row, std::ostream* os) { *os << row.name; }

class CommandLine : public ::testing::TestWithParam<CommandLineRow> {};

TEST_P(CommandLine, OpensTheFileAsFileOpenDoes) {
    const CommandLineRow& row = GetParam();
    FakePlatform platform;
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    platform.folder = dir.path();
    ASSERT_TRUE(WriteFile(QDir(dir.path()).filePath(kConverterLibrary), {}));
    const QString path = QDir(dir.path()).filePath("reading.vlr");
    if (row.write) {
        ASSERT_TRUE(WriteFile(path, row.bytes()));
    }
    InstanceLock lock(QDir(dir.path()).filePath("app.lock"));
    App app(platform);

    ASSERT_TRUE(app.start(lock, path));

    QString message = QString::fromUtf8(row.message);
    if (message.contains("%1")) message = message.arg(path);
    if (message.isEmpty()) {
        EXPECT_TRUE(platform.messages.empty());
        ASSERT_NE(app.mainWindow(), nullptr);
        ASSERT_NE(app.reading(), nullptr);
        EXPECT_EQ(app.reading()->birth().Name, "Ann Example");
        EXPECT_FALSE(app.form()->isVisible());
        EXPECT_EQ(RecentReadings(platform).list(), QStringList{path});
    } else {
        ASSERT_EQ(platform.messages.size(), 1u);
        EXPECT_TRUE(platform.messages[0].text.startsWith(message))
            << platform.messages[0].text.toStdString();
        EXPECT_EQ(platform.messages[0].icon, MessageIcon::Error);
        EXPECT_EQ(app.mainWindow(), nullptr);
        EXPECT_TRUE(app.form()->isVisible());
        EXPECT_EQ(app.form()->input(), FormInput{});
        EXPECT_TRUE(RecentReadings(platform).list().isEmpty());
    }
    app.unloadAllAndEnd();
}

INSTANTIATE_TEST_SUITE_P(
    Files, CommandLine,
    ::testing::Values(CommandLineRow{"good_reading", true, [] { return AnnReading(); }, ""},
                      CommandLineRow{"damaged_reading", true,
                                     [] { return QByteArray("not a reading\r\n"); },
                                     "Please Check The File."},
                      CommandLineRow{"missing_file", false, nullptr, "Could not open %1: "}),
    [](const auto& info) { return std::string(info.param.name); });

// A file handed over by a second start waits while a dialog of the program is open (opening it
// would replace the windows under the dialog), then opens once the dialog has closed.
TEST(HandedOverFile, WaitsForAnOpenDialogThenOpens) {
    StartedApp s;
    const QString path = QDir(s.dir.path()).filePath("ann.vlr");
    ASSERT_TRUE(WriteFile(path, AnnReading()));
    QDialog dialog(s.form());
    dialog.setModal(true);
    dialog.show();
    ASSERT_EQ(QApplication::activeModalWidget(), &dialog);

    s.app->openHandedOver(path);
    QTest::qWait(400);
    EXPECT_EQ(s.main(), nullptr);
    EXPECT_EQ(s.form()->input(), FormInput{});

    dialog.close();
    EXPECT_TRUE(QTest::qWaitFor([&] { return s.main() != nullptr; }, 5000));
    ASSERT_NE(s.app->reading(), nullptr);
    EXPECT_EQ(s.app->reading()->birth().Name, "Ann Example");
    EXPECT_TRUE(s.platform.messages.empty());
}

// Sends a drag over target and, when it was taken, the drop; true when the drop was taken.
// Queued work (the open after a drop) runs before it returns.
bool DragAndDrop(QWidget* target, const QList<QUrl>& urls) {
    QMimeData data;
    data.setUrls(urls);
    const QPoint middle = target->rect().center();
    QDragEnterEvent enter(middle, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    if (!enter.isAccepted()) return false;
    QDropEvent drop(QPointF(middle), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    StartedApp::settle();
    return drop.isAccepted();
}

// On the form itself and on one of its text boxes (which would otherwise take the path as text).
TEST(Drop, AReadingDroppedOnTheFormOpens) {
    for (const char* target : {"frmMain", "txtCity"}) {
        StartedApp s;
        const QString path = QDir(s.dir.path()).filePath("ann.vlr");
        ASSERT_TRUE(WriteFile(path, AnnReading()));
        QWidget* widget = s.form()->objectName() == target ? s.form() : Find(s.form(), target);
        ASSERT_NE(widget, nullptr) << target;
        EXPECT_TRUE(DragAndDrop(widget, {QUrl::fromLocalFile(path)})) << target;
        EXPECT_TRUE(s.platform.messages.empty()) << target;
        ASSERT_NE(s.main(), nullptr) << target;
        EXPECT_EQ(s.form()->input(), KnownBirthForm()) << target;
        EXPECT_EQ(RecentReadings(s.platform).list(), QStringList{path}) << target;
    }
}

TEST(Drop, AReadingDroppedOnTheChartWindowReplacesTheChart) {
    StartedApp s;
    FormInput other = KnownBirthForm();
    other.name = "Someone Else";
    s.calculate(other);
    ASSERT_NE(s.display(), nullptr);
    const QString path = QDir(s.dir.path()).filePath("ann.vlr");
    ASSERT_TRUE(WriteFile(path, AnnReading()));
    EXPECT_TRUE(DragAndDrop(s.display(), {QUrl::fromLocalFile(path)}));
    EXPECT_TRUE(s.platform.messages.empty());
    ASSERT_NE(s.main(), nullptr);
    ASSERT_NE(s.app->reading(), nullptr);
    EXPECT_EQ(s.app->reading()->birth().Name, "Ann Example");
}

// A damaged reading dropped gets File, Open's message; the chart on screen stays.
TEST(Drop, ADamagedReadingDroppedOnTheChartWindowIsRefused) {
    StartedApp s;
    s.calculate(KnownBirthForm());
    MainWindow* before = s.main();
    const QString path = QDir(s.dir.path()).filePath("damaged.vlr");
    ASSERT_TRUE(WriteFile(path, "not a reading"));
    EXPECT_TRUE(DragAndDrop(s.display(), {QUrl::fromLocalFile(path)}));
    ASSERT_EQ(s.platform.messages.size(), 1u);
    EXPECT_EQ(s.platform.messages[0].text, "Please Check The File.");
    EXPECT_EQ(s.main(), before);
}

// The reading is in the form, so the form comes back with the check's message.
TEST(Drop, AReadingThatFailsACheckOnTheChartWindowGoesBackToTheForm) {
    StartedApp s;
    s.calculate(KnownBirthForm());
    const QString path = QDir(s.dir.path()).filePath("no-month.vlr");
    ASSERT_TRUE(WriteFile(path, AnnReading(0)));
    EXPECT_TRUE(DragAndDrop(s.display(), {QUrl::fromLocalFile(path)}));
    ASSERT_EQ(s.platform.messages.size(), 1u);
    EXPECT_EQ(s.platform.messages[0].text, "Please Enter Correct Date Or Month!");
    EXPECT_EQ(s.main(), nullptr);
    EXPECT_TRUE(s.form()->isVisible());
    EXPECT_EQ(s.form()->input().monthIndex, -1);
}

TEST(Drop, AnythingElseIsIgnoredWithoutAMessage) {
    StartedApp s;
    const QString text = QDir(s.dir.path()).filePath("notes.txt");
    ASSERT_TRUE(WriteFile(text, "notes"));
    const QList<QList<QUrl>> others = {
        {QUrl::fromLocalFile(text)}, {QUrl("https://forum.velloran.example/ann.vlr")}, {}};
    for (const QList<QUrl>& urls : others) {
        for (const char* target : {"frmMain", "txtCity"}) {
            QWidget* widget = s.form()->objectName() == target ? s.form() : Find(s.form(), target);
            EXPECT_FALSE(DragAndDrop(widget, urls)) << target;
        }
    }
    s.calculate(KnownBirthForm());
    for (const QList<QUrl>& urls : others) EXPECT_FALSE(DragAndDrop(s.display(), urls));
    EXPECT_TRUE(s.platform.messages.empty());
    EXPECT_EQ(s.form()->input(), KnownBirthForm());
    EXPECT_TRUE(RecentReadings(s.platform).list().isEmpty());
}

}  // namespace
}  // namespace velloran::test
