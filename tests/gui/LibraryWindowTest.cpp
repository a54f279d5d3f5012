// The readings library window: opened from both File menus, its rows and signs, the search, the
// sort, opening through the program's open flow, the trash, a damaged file, and the folder
// followed while the window is open.

#include <gtest/gtest.h>

#include <QAccessible>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTableView>
#include <QTemporaryDir>

#include <atomic>
#include <chrono>
#include <future>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "GuiTestSupport.h"
#include "collection/ReadingsFolder.h"
#include "collection/gui/LibraryModel.h"
#include "collection/gui/ReadingsLibrary.h"
#include "domain/Bodies.h"
#include "ui/LibraryFolder.h"
#include "ui/QtPlatform.h"
#include "ui/RecentReadings.h"

namespace velloran::test {
namespace {

constexpr int kWaitMs = 10000;

FormInput Named(FormInput form, const char* name) {
    form.name = name;
    return form;
}

class LibraryWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(library.isValid());
        ASSERT_TRUE(trash.isValid());
        ASSERT_TRUE(QDir(library.path()).mkpath("sub"));
        write("zed.vlr", Named(KnownBirthForm(), "Zed Quist"));
        write("ann.vlr", PuneBirthForm());
        write("older.vlr", Aquarius1962Form());
        write("sub/bea.vlr", Named(DelhiBirthForm(), "Bea"));
        writeBytes("broken.vlr", "not a reading");
        StoreLibraryFolder(s.platform, library.path());
    }

    QString path(const QString& name) const { return QDir(library.path()).filePath(name); }
    void write(const QString& name, const FormInput& form) {
        writeBytes(name, QByteArray::fromStdString(ReadingFileOf(form)));
    }
    void writeBytes(const QString& name, const QByteArray& bytes) {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    // Opens the window from a File menu and waits for the folder and its signs.
    ReadingsLibrary* open(QWidget* window) {
        s.trigger(window, "mnuLibrary");
        ReadingsLibrary* shown = s.app->libraryWindow();
        EXPECT_NE(shown, nullptr);
        if (!shown) return nullptr;
        EXPECT_TRUE(shown->isVisible());
        EXPECT_TRUE(QTest::qWaitFor([&] { return !shown->busy(); }, kWaitMs));
        return shown;
    }
    QTableView* table() const { return s.app->libraryWindow()->table(); }
    QAbstractItemModel* rows() const { return table()->model(); }
    QString cell(int row, int column) const { return rows()->index(row, column).data().toString(); }
    // The texts of one column, top to bottom.
    QStringList column(int c) const {
        QStringList texts;
        for (int r = 0; r < rows()->rowCount(); ++r) texts << cell(r, c);
        return texts;
    }
    int rowNamed(const QString& name) const { return column(LibraryModel::Name).indexOf(name); }
    void select(const QString& name) {
        const int row = rowNamed(name);
        ASSERT_GE(row, 0) << name.toStdString();
        table()->setCurrentIndex(rows()->index(row, 0));
        table()->setFocus();
    }
    QString status() const { return Label(s.app->libraryWindow(), "lblStatus"); }
    bool waitForRows(int count) {
        return QTest::qWaitFor(
            [&] { return rows()->rowCount() == count && !s.app->libraryWindow()->busy(); },
            kWaitMs);
    }

    StartedApp s;
    QTemporaryDir library;
    QTemporaryDir trash;
};

QString Sign(int sign) { return QString::fromLatin1(kSignNames[sign].data()); }

TEST_F(LibraryWindowTest, ListsTheFolderAndItsSubfoldersWithTheSignsOfEachReading) {
    auto* action = Find<QAction>(s.form(), "mnuLibrary");
    ASSERT_NE(action, nullptr);
    EXPECT_EQ(action->shortcut(), QKeySequence(QStringLiteral("Ctrl+L")));
    ASSERT_NE(open(s.form()), nullptr);
    EXPECT_EQ(s.app->libraryWindow()->folder(), library.path());
    ASSERT_EQ(rows()->rowCount(), 5);
    // The damaged file has its row but is no reading: it is counted apart.
    EXPECT_EQ(status(), "4 readings, 1 file that cannot be opened");

    const int older = rowNamed("Aquarius 1962");
    ASSERT_GE(older, 0);
    EXPECT_EQ(cell(older, LibraryModel::Born), "5 Feb 1962, 00:00");
    EXPECT_EQ(cell(older, LibraryModel::Place), "London, England, UK");
    EXPECT_EQ(cell(older, LibraryModel::NatalSun), "Aquarius");
    EXPECT_EQ(cell(older, LibraryModel::NatalMoon), "Aquarius");
    // Every sign as a calculation of the same birth gives it, natal and draconic.
    const struct {
        const char* name;
        FormInput form;
    } births[] = {{"Aquarius 1962", Aquarius1962Form()},
                  {"Bea", Named(DelhiBirthForm(), "Bea")},
                  {"Zed Quist", Named(KnownBirthForm(), "Zed Quist")}};
    for (const auto& birth : births) {
        SCOPED_TRACE(birth.name);
        const Reading reading = ReadingOf(birth.form);
        const int row = rowNamed(birth.name);
        ASSERT_GE(row, 0);
        EXPECT_EQ(cell(row, LibraryModel::NatalSun), Sign(reading.natal[ChartBody::Sun].sign));
        EXPECT_EQ(cell(row, LibraryModel::NatalRising), Sign(reading.natal.risingSign()));
        EXPECT_EQ(cell(row, LibraryModel::DraconicSun),
                  Sign(reading.draconic[ChartBody::Sun].sign));
        EXPECT_EQ(cell(row, LibraryModel::DraconicMoon),
                  Sign(reading.draconic[ChartBody::Moon].sign));
        EXPECT_EQ(cell(row, LibraryModel::DraconicRising), Sign(reading.draconic.risingSign()));
    }
    EXPECT_EQ(cell(rowNamed("Bea"), LibraryModel::Place), "Delhi, Delhi, India");

    // The damaged file is listed greyed, with the reason, and no signs.
    const int broken = rowNamed("broken.vlr: damaged reading file");
    ASSERT_GE(broken, 0);
    EXPECT_EQ(rows()->index(broken, 0).data(Qt::ForegroundRole).value<QBrush>().color(),
              QPalette().color(QPalette::Disabled, QPalette::Text));
    EXPECT_FALSE(rows()->index(older, 0).data(Qt::ForegroundRole).isValid());
    EXPECT_TRUE(
        rows()->index(broken, 0).data(Qt::ToolTipRole).toString().contains("damaged reading file"));
    EXPECT_EQ(cell(broken, LibraryModel::NatalSun), "");

    // A screen reader hears the search box and the table by name, and each cell's text.
    EXPECT_FALSE(Find<QLineEdit>(s.app->libraryWindow(), "txtSearch")->accessibleName().isEmpty());
    EXPECT_EQ(table()->accessibleName(), "Readings");
    // A screen reader hears the library as a window with its title, not a nameless filler.
    QAccessibleInterface* window = QAccessible::queryAccessibleInterface(s.app->libraryWindow());
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->role(), QAccessible::Window);
    EXPECT_EQ(window->text(QAccessible::Name), "Readings Library");
    QAccessibleInterface* spoken = QAccessible::queryAccessibleInterface(table());
    ASSERT_NE(spoken, nullptr);
    ASSERT_NE(spoken->tableInterface(), nullptr);
    QAccessibleInterface* first = spoken->tableInterface()->cellAt(older, LibraryModel::Place);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->text(QAccessible::Name), "London, England, UK");

    // The chart window's File menu opens it too.
    s.app->libraryWindow()->close();
    s.settle();
    EXPECT_EQ(s.app->libraryWindow(), nullptr);
    s.calculate(KnownBirthForm());
    ASSERT_NE(s.main(), nullptr);
    ASSERT_NE(open(s.main()), nullptr);
    EXPECT_EQ(rows()->rowCount(), 5);
}

TEST_F(LibraryWindowTest, SearchKeepsTheNamesAndPlacesHoldingTheTextWhateverTheCase) {
    ASSERT_NE(open(s.form()), nullptr);
    auto* search = Find<QLineEdit>(s.app->libraryWindow(), "txtSearch");
    ASSERT_NE(search, nullptr);
    const struct {
        const char* typed;
        QStringList names;
    } cases[] = {
        {"ANN", {"Ann Example"}},           // the name, in another case
        {"india", {"Ann Example", "Bea"}},  // the place
        {"lon", {"Aquarius 1962"}},         // a part of the place
        {"e",
         {"Ann Example", "Aquarius 1962", "Bea", "broken.vlr: damaged reading file", "Zed Quist"}},
        {"nobody", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        search->clear();
        QTest::keyClicks(search, c.typed);
        QStringList names = column(LibraryModel::Name);
        names.sort(Qt::CaseInsensitive);
        EXPECT_EQ(names, c.names);
    }
    search->clear();
    QTest::keyClicks(search, "india");
    EXPECT_EQ(status(), "2 of 4 readings, 1 file that cannot be opened");
    search->clear();
    EXPECT_EQ(rows()->rowCount(), 5);
    EXPECT_EQ(status(), "4 readings, 1 file that cannot be opened");
}

TEST_F(LibraryWindowTest, SortsByAnyColumnWithDatesAsDates) {
    ASSERT_NE(open(s.form()), nullptr);
    // Names whatever their case.
    EXPECT_EQ(column(LibraryModel::Name),
              (QStringList{"Ann Example", "Aquarius 1962", "Bea",
                           "broken.vlr: damaged reading file", "Zed Quist"}));
    // Dates in time order, not in the order of their text; a file without a birth first, two
    // births of the same minute in the folder's order.
    QTest::mouseClick(
        table()->horizontalHeader()->viewport(), Qt::LeftButton, {},
        QPoint(table()->horizontalHeader()->sectionViewportPosition(LibraryModel::Born) + 5, 5));
    EXPECT_EQ(table()->horizontalHeader()->sortIndicatorSection(), LibraryModel::Born);
    EXPECT_EQ(column(LibraryModel::Name),
              (QStringList{"broken.vlr: damaged reading file", "Aquarius 1962", "Zed Quist",
                           "Ann Example", "Bea"}));
    table()->sortByColumn(LibraryModel::Born, Qt::DescendingOrder);
    EXPECT_EQ(column(LibraryModel::Name).first(), "Bea");
    EXPECT_EQ(column(LibraryModel::Name).last(), "broken.vlr: damaged reading file");

    table()->sortByColumn(LibraryModel::Place, Qt::AscendingOrder);
    EXPECT_EQ(column(LibraryModel::Place),
              (QStringList{"", "Delhi, Delhi, India", "London, England, UK", "New York, NY, USA",
                           "Pune, Maharashtra, India"}));
    // Signs in the zodiac's order.
    table()->sortByColumn(LibraryModel::NatalSun, Qt::AscendingOrder);
    QStringList suns = column(LibraryModel::NatalSun);
    suns.removeAll("");
    EXPECT_EQ(suns, (QStringList{"Capricorn", "Aquarius", "Pisces", "Pisces"}));
}

TEST_F(LibraryWindowTest, EnterAndDoubleClickOpenTheReadingAsFileOpenDoes) {
    ASSERT_NE(open(s.form()), nullptr);
    select("Ann Example");
    QTest::keyClick(table(), Qt::Key_Return);
    ASSERT_TRUE(QTest::qWaitFor([&] { return s.main() != nullptr; }, kWaitMs));
    ASSERT_NE(s.app->reading(), nullptr);
    EXPECT_EQ(s.app->reading()->birth().Name, "Ann Example");
    EXPECT_EQ(s.app->reading()->birth().City, "Pune");
    EXPECT_EQ(RecentReadings(s.platform).list().value(0), path("ann.vlr"));

    const int row = rowNamed("Bea");
    const QRect cellRect = table()->visualRect(rows()->index(row, LibraryModel::Place));
    // A double click as the user makes it: a click, then the second press.
    QTest::mouseClick(table()->viewport(), Qt::LeftButton, {}, cellRect.center());
    QTest::mouseDClick(table()->viewport(), Qt::LeftButton, {}, cellRect.center());
    ASSERT_TRUE(QTest::qWaitFor([&] { return s.app->reading()->birth().Name == "Bea"; }, kWaitMs));
    EXPECT_EQ(RecentReadings(s.platform).list().value(0), path("sub/bea.vlr"));
    EXPECT_TRUE(s.platform.messages.empty());
}

TEST_F(LibraryWindowTest, ADamagedFileIsNeverOpenedAndEnterSaysWhy) {
    ASSERT_NE(open(s.form()), nullptr);
    select("broken.vlr: damaged reading file");
    QTest::keyClick(table(), Qt::Key_Return);
    s.settle();
    ASSERT_EQ(s.platform.messages.size(), 1u);
    EXPECT_EQ(s.platform.messages[0].text, "'broken.vlr' cannot be opened: damaged reading file.");
    EXPECT_EQ(s.platform.messages[0].icon, MessageIcon::Error);
    EXPECT_EQ(s.app->reading(), nullptr);
    EXPECT_EQ(s.main(), nullptr);
    EXPECT_TRUE(RecentReadings(s.platform).list().isEmpty());
}

TEST_F(LibraryWindowTest, DeleteAsksThenMovesTheFileToTheTrash) {
    ASSERT_NE(open(s.form()), nullptr);
    s.platform.trashFolder = trash.path();

    // No: the file stays.
    select("Zed Quist");
    QTest::keyClick(table(), Qt::Key_Delete);
    ASSERT_EQ(s.platform.messages.size(), 1u);
    EXPECT_EQ(s.platform.messages[0].text, "Move 'Zed Quist' to the trash?");
    EXPECT_TRUE(QFile::exists(path("zed.vlr")));
    EXPECT_TRUE(s.platform.trashed.empty());

    // Yes: into the trash, and off the list.
    s.platform.yesNoAnswers = {true};
    QTest::keyClick(table(), Qt::Key_Delete);
    EXPECT_FALSE(QFile::exists(path("zed.vlr")));
    EXPECT_TRUE(QFile::exists(QDir(trash.path()).filePath("zed.vlr")));
    ASSERT_TRUE(waitForRows(4));
    EXPECT_EQ(rowNamed("Zed Quist"), -1);

    // The trash refuses: the question says why and offers to delete the file for good; No keeps
    // it, Yes deletes it.
    s.platform.trashFolder.clear();
    s.platform.messages.clear();
    s.platform.yesNoAnswers = {true};
    select("Bea");
    QTest::keyClick(table(), Qt::Key_Delete);
    ASSERT_EQ(s.platform.messages.size(), 2u);
    EXPECT_EQ(s.platform.messages[1].text,
              "'Bea' could not be moved to the trash: no trash here.\n\nDelete it for good "
              "instead? It cannot be brought back.");
    EXPECT_EQ(s.platform.messages[1].icon, MessageIcon::Question);
    EXPECT_TRUE(QFile::exists(path("sub/bea.vlr")));
    s.platform.yesNoAnswers = {true, true};
    QTest::keyClick(table(), Qt::Key_Delete);
    EXPECT_FALSE(QFile::exists(path("sub/bea.vlr")));
    ASSERT_TRUE(waitForRows(3));
    EXPECT_EQ(rowNamed("Bea"), -1);
}

// The Open and Delete buttons do what Enter and the Delete key do, for the chosen row.
TEST_F(LibraryWindowTest, OpenAndDeleteAreButtonsToo) {
    ASSERT_NE(open(s.form()), nullptr);
    auto* openButton = Find<QPushButton>(s.app->libraryWindow(), "cmdOpen");
    auto* deleteButton = Find<QPushButton>(s.app->libraryWindow(), "cmdDelete");
    ASSERT_NE(openButton, nullptr);
    ASSERT_NE(deleteButton, nullptr);
    EXPECT_TRUE(openButton->isVisibleTo(s.app->libraryWindow()));
    EXPECT_TRUE(deleteButton->isVisibleTo(s.app->libraryWindow()));
    EXPECT_NE(openButton->toolTip().indexOf("Enter"), -1);
    EXPECT_NE(deleteButton->toolTip().indexOf("Delete key"), -1);
    select("Bea");
    EXPECT_TRUE(openButton->isEnabled());
    s.platform.trashFolder = trash.path();
    s.platform.yesNoAnswers = {true};
    s.click(s.app->libraryWindow(), "cmdDelete");
    EXPECT_TRUE(QFile::exists(QDir(trash.path()).filePath("bea.vlr")));
    ASSERT_TRUE(waitForRows(4));
    select("Zed Quist");
    s.click(s.app->libraryWindow(), "cmdOpen");
    s.settle();
    ASSERT_NE(s.app->reading(), nullptr);
    EXPECT_EQ(s.app->reading()->birth().Name, "Zed Quist");
}

// A pipe named as a reading (or a link to one) is a row with its reason at once: the window
// never stays at "Reading the folder…".
TEST_F(LibraryWindowTest, APipeIsARowAndNeverHoldsTheListUp) {
    const QString pipe = path("pipe.vlr");
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(pipe, path("k.vlr")));
    s.trigger(s.form(), "mnuLibrary");
    ReadingsLibrary* shown = s.app->libraryWindow();
    ASSERT_NE(shown, nullptr);
    const bool listed = QTest::qWaitFor([&] { return !shown->busy(); }, kWaitMs);
    if (!listed) {  // let the scan go before failing
        const int fd = ::open(QFile::encodeName(pipe).constData(), O_RDWR | O_NONBLOCK);
        if (fd >= 0) ::close(fd);
    }
    ASSERT_TRUE(listed) << "the list waited for a writer of the pipe: " << status().toStdString();
    ASSERT_EQ(rows()->rowCount(), 7);
    EXPECT_GE(rowNamed("pipe.vlr: not a regular file"), 0)
        << column(LibraryModel::Name).join("|").toStdString();
    EXPECT_GE(rowNamed("k.vlr: not a regular file"), 0);
    EXPECT_EQ(status(), "4 readings, 3 files that cannot be opened");
}

// Closing the window does not wait for a listing that never ends (a folder on a share that no
// longer answers), so neither does the program's end.
TEST(LibraryWindowScan, ClosingDoesNotWaitForAListingThatNeverEnds) {
    FakePlatform platform;
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    std::atomic<bool> scanning = false;
    auto* window = new ReadingsLibrary(
        platform,
        [](const PositionsChoice& choice) {
            return PositionsSource{choice, nullptr};
        },
        nullptr,
        [released, &scanning](const std::string&) {
            scanning = true;
            released.wait();
            FolderScan none;
            none.error = "no such folder";  // nothing more for the late scan to look at
            return none;
        });
    ASSERT_TRUE(QTest::qWaitFor([&] { return scanning.load(); }, kWaitMs));
    EXPECT_TRUE(window->busy());
    EXPECT_EQ(Label(window, "lblStatus"), "Reading the folder…");
    // Were the window to wait, the scan is let go after five seconds and the test fails.
    std::thread watchdog([&] {
        if (released.wait_for(std::chrono::seconds(5)) == std::future_status::timeout)
            release.set_value();
    });
    const auto start = std::chrono::steady_clock::now();
    delete window;
    const auto took = std::chrono::steady_clock::now() - start;
    if (released.wait_for(std::chrono::seconds(0)) == std::future_status::timeout)
        release.set_value();
    watchdog.join();
    EXPECT_LT(took, std::chrono::seconds(2)) << "closing waited for the listing";
    QCoreApplication::processEvents();  // the scan's late answer finds no window
}

// Change Folder… starts in the readings folder, or at home while it is not made yet: never in
// the program's working folder.
TEST_F(LibraryWindowTest, ChangeFolderStartsInTheReadingsFolderOrAtHome) {
    StoreLibraryFolder(s.platform, path("not-yet"));
    ASSERT_NE(open(s.form()), nullptr);
    s.click(s.app->libraryWindow(), "cmdChangeFolder");
    ASSERT_EQ(s.platform.folderDialogs.size(), 1u);
    EXPECT_EQ(s.platform.folderDialogs[0], QDir::homePath());
}

// A fresh account has no ~/.local/share: deleting from the library makes the trash the desktop
// names ($XDG_DATA_HOME/Trash, this user's alone) and puts the file there, nothing into the
// working folder.
TEST(LibraryTrash, AFreshAccountGetsItsTrashMade) {
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    const QString fresh = QDir(home.path()).filePath("fresh");
    ASSERT_TRUE(QDir().mkpath(fresh));
    const QByteArray oldData = qgetenv("XDG_DATA_HOME"), oldHome = qgetenv("HOME");
    qputenv("XDG_DATA_HOME", QFile::encodeName(fresh + "/.local/share"));
    qputenv("HOME", QFile::encodeName(fresh));  // the tests' own data folder is under it
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    EXPECT_TRUE(data.startsWith(fresh + "/")) << data.toStdString();
    EXPECT_FALSE(QFileInfo::exists(data));
    const QString working = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(home.path()));
    const QString reading = QDir(home.path()).filePath("ann.vlr");
    {
        QFile file(reading);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("x");
    }
    QtPlatform platform(QStringLiteral("velloran-trash-test"));
    QString error;
    const bool trashed = platform.moveToTrash(reading, error);
    QDir::setCurrent(working);
    for (const auto& [name, old] :
         {std::pair{"XDG_DATA_HOME", oldData}, std::pair{"HOME", oldHome}}) {
        if (old.isNull()) {
            qunsetenv(name);
        } else {
            qputenv(name, old);
        }
    }
    EXPECT_TRUE(trashed) << error.toStdString();
    EXPECT_FALSE(QFile::exists(reading));
    EXPECT_TRUE(QFile::exists(data + "/Trash/files/ann.vlr"));
    EXPECT_TRUE(QFile::exists(data + "/Trash/info/ann.vlr.trashinfo"));
    EXPECT_EQ(QFileInfo(data + "/Trash").permissions().toInt() & 0x0077, 0)
        << "others may use the trash";
    EXPECT_FALSE(QFileInfo::exists(QDir(home.path()).filePath("files")));
    EXPECT_FALSE(QFileInfo::exists(QDir(home.path()).filePath("info")));
}

// The command-line tool finds the readings folder in the settings file without Qt: it reads
// what the settings store writes, whatever the folder's name holds.
TEST(LibrarySettings, TheCommandLineReadsTheFolderAsTheProgramStoresIt) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString file = QDir(dir.path()).filePath("velloran.conf");
    for (const QString& folder :
         {QStringLiteral("/home/ann/Velloran"), QStringLiteral("/home/a b/x,y;z=w"),
          QStringLiteral("/home/ünï/Réadings \"q\""), QStringLiteral("@home/at"),
          QStringLiteral("/home/tab\there/#hash")}) {
        SCOPED_TRACE(folder.toStdString());
        QFile::remove(file);
        {
            QSettings settings(file, QSettings::IniFormat);
            settings.beginGroup(QStringLiteral("Library"));
            settings.setValue(QStringLiteral("ColumnWidths"), QStringLiteral("1,2,3"));
            settings.setValue(QStringLiteral("Folder"), folder);
        }
        QFile written(file);
        ASSERT_TRUE(written.open(QIODevice::ReadOnly));
        const QByteArray ini = written.readAll();
        EXPECT_EQ(SettingsValue(ini.toStdString(), "Library", "Folder"), folder.toStdString())
            << ini.toStdString();
    }
}

TEST_F(LibraryWindowTest, FollowsFilesAddedAndRemovedElsewhere) {
    ASSERT_NE(open(s.form()), nullptr);
    write("sub/ravi.vlr", RaviBirthForm());
    ASSERT_TRUE(waitForRows(6));
    const int ravi = rowNamed("Ravi Example");
    ASSERT_GE(ravi, 0);
    EXPECT_EQ(cell(ravi, LibraryModel::Place), "Pune, Maharashtra, India");
    EXPECT_NE(cell(ravi, LibraryModel::NatalSun), "…");  // its signs follow it

    ASSERT_TRUE(QFile::remove(path("ann.vlr")));
    ASSERT_TRUE(waitForRows(5));
    EXPECT_EQ(rowNamed("Ann Example"), -1);

    // A folder made later is followed too.
    ASSERT_TRUE(QDir(library.path()).mkpath("later"));
    ASSERT_TRUE(waitForRows(5));
    write("later/cy.vlr", Named(KnownBirthForm(), "Cy"));
    ASSERT_TRUE(waitForRows(6));
    EXPECT_GE(rowNamed("Cy"), 0);
}

TEST_F(LibraryWindowTest, AnotherFolderAndTheColumnWidthsAreKept) {
    ASSERT_NE(open(s.form()), nullptr);
    QTemporaryDir other;
    ASSERT_TRUE(other.isValid());
    {
        QFile file(QDir(other.path()).filePath("one.vlr"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray::fromStdString(ReadingFileOf(RaviBirthForm())));
    }
    // Cancelled: nothing changes.
    s.click(s.app->libraryWindow(), "cmdChangeFolder");
    ASSERT_EQ(s.platform.folderDialogs.size(), 1u);
    EXPECT_EQ(s.platform.folderDialogs[0], library.path());
    EXPECT_EQ(LibraryFolder(s.platform), library.path());

    s.platform.folderAnswers = {other.path()};
    s.click(s.app->libraryWindow(), "cmdChangeFolder");
    ASSERT_TRUE(waitForRows(1));
    EXPECT_EQ(cell(0, LibraryModel::Name), "Ravi Example");
    EXPECT_EQ(LibraryFolder(s.platform), other.path());
    EXPECT_EQ(Label(s.app->libraryWindow(), "lblFolder"), other.path());

    table()->setColumnWidth(LibraryModel::Place, 321);
    s.app->libraryWindow()->close();
    s.settle();
    ASSERT_NE(open(s.form()), nullptr);
    EXPECT_EQ(table()->columnWidth(LibraryModel::Place), 321);
    EXPECT_EQ(s.app->libraryWindow()->folder(), other.path());
}

}  // namespace
}  // namespace velloran::test
