// File, Open Recent: the list kept in the settings (order, limit, repeats), the submenu built from
// it, and the program opening, recording and forgetting readings through it.

#include <gtest/gtest.h>

#include <QAccessible>

#include <QDir>
#include <QKeySequence>
#include <QMenu>
#include <QSignalSpy>
#include <ostream>

#include "GuiTestSupport.h"
#include "reading/Reading.h"
#include "support/SampleBirths.h"
#include "ui/RecentReadings.h"

namespace velloran::test {
namespace {

QStringList Files(std::initializer_list<const char*> names) {
    QStringList paths;
    for (const char* name : names) paths << QStringLiteral("/readings/%1.vlr").arg(name);
    return paths;
}

struct RecentRow {
    const char* name;
    QStringList before;
    QString added;
    QStringList after;
};
void PrintTo(const RecentRow& row, std::ostream* os) { *os << row.name; }

class RecentList : public ::testing::TestWithParam<RecentRow> {};

TEST_P(RecentList, NewestFirstWithoutRepeatsAtMostTen) {
    EXPECT_EQ(WithRecentReading(GetParam().before, GetParam().added), GetParam().after);
}

const RecentRow kRecentRows[] = {
    {"added_goes_first", Files({"a"}), "/readings/b.vlr", Files({"b", "a"})},
    {"repeat_moves_to_the_front", Files({"a", "b", "c"}), "/readings/b.vlr",
     Files({"b", "a", "c"})},
    {"other_spelling_of_the_same_file", Files({"a", "b"}), "/readings/x/../b.vlr",
     Files({"b", "a"})},
    {"eleventh_drops_the_oldest", Files({"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}),
     "/readings/11.vlr", Files({"11", "1", "2", "3", "4", "5", "6", "7", "8", "9"})},
    {"stored_blanks_and_repeats_are_skipped",
     QStringList{"", "/readings/a.vlr", "/readings/a.vlr", "", "/readings/b.vlr"}, "",
     Files({"a", "b"})},
};
INSTANTIATE_TEST_SUITE_P(Rows, RecentList, ::testing::ValuesIn(kRecentRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(RecentReadingsStore, KeepsTheListInTheSettingsAcrossStarts) {
    FakePlatform platform;
    RecentReadings recent(platform);
    for (int i = 1; i <= 12; ++i) recent.add(QStringLiteral("/readings/%1.vlr").arg(i));
    const QStringList newestTen = Files({"12", "11", "10", "9", "8", "7", "6", "5", "4", "3"});
    EXPECT_EQ(recent.list(), newestTen);
    EXPECT_EQ(platform.readSetting("RecentReadings", "File1"), "/readings/12.vlr");
    EXPECT_EQ(platform.readSetting("RecentReadings", "File10"), "/readings/3.vlr");
    EXPECT_EQ(RecentReadings(platform).list(), newestTen);  // as the next start reads it

    recent.remove("/readings/7.vlr");
    EXPECT_EQ(recent.list(), Files({"12", "11", "10", "9", "8", "6", "5", "4", "3"}));
    EXPECT_EQ(platform.readSetting("RecentReadings", "File10"), "");
    recent.clear();
    EXPECT_TRUE(recent.list().isEmpty());
}

QStringList Captions(QMenu& menu) {
    QStringList captions;
    for (QAction* a : menu.actions()) captions << (a->isSeparator() ? "-" : a->text());
    return captions;
}

TEST(RecentReadingsMenu, NumberedEntriesWithTheirFolderThenClearList) {
    FakePlatform platform;
    RecentReadings recent(platform);
    for (int i = 1; i <= 9; ++i) recent.add(QStringLiteral("/readings/%1.vlr").arg(i));
    recent.add("/other place/Tom & Ann.vlr");
    RecentReadingsMenu menu(platform, nullptr);
    EXPECT_EQ(menu.title(), "Open &Recent");
    EXPECT_EQ(Captions(menu), (QStringList{"&1 Tom && Ann.vlr", "&2 9.vlr", "&3 8.vlr", "&4 7.vlr",
                                           "&5 6.vlr", "&6 5.vlr", "&7 4.vlr", "&8 3.vlr",
                                           "&9 2.vlr", "1&0 1.vlr", "-", "&Clear List"}));
    EXPECT_EQ(menu.actions()[0]->toolTip(), "/other place/Tom & Ann.vlr");
    EXPECT_TRUE(menu.toolTipsVisible());

    // A screen reader hears each entry's name and its full path (two readings of one name are
    // told apart), and can press it.
    QAccessibleInterface* spoken = QAccessible::queryAccessibleInterface(&menu);
    ASSERT_NE(spoken, nullptr);
    ASSERT_GE(spoken->childCount(), 2);
    QAccessibleInterface* first = spoken->child(0);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->role(), QAccessible::MenuItem);
    EXPECT_EQ(first->text(QAccessible::Name), "1 Tom & Ann.vlr");
    EXPECT_EQ(first->text(QAccessible::Description), "/other place/Tom & Ann.vlr");
    EXPECT_EQ(spoken->child(1)->text(QAccessible::Description), "/readings/9.vlr");
    EXPECT_EQ(spoken->indexOfChild(first), 0);
    ASSERT_NE(first->actionInterface(), nullptr);
    EXPECT_EQ(
        first->actionInterface()->keyBindingsForAction(QAccessibleActionInterface::pressAction()),
        QStringList{"Alt+1"});

    QSignalSpy chosen(&menu, &RecentReadingsMenu::readingChosen);
    menu.findChild<QAction*>("mnuRecent3")->trigger();
    ASSERT_EQ(chosen.size(), 1);
    EXPECT_EQ(chosen[0][0].toString(), "/readings/8.vlr");

    QAction* clear = menu.findChild<QAction*>("mnuRecentClear");
    ASSERT_TRUE(clear->isEnabled());
    clear->trigger();
    QCoreApplication::processEvents();
    EXPECT_TRUE(recent.list().isEmpty());
    EXPECT_EQ(Captions(menu), QStringList{"&Clear List"});
    EXPECT_FALSE(menu.findChild<QAction*>("mnuRecentClear")->isEnabled());
}

// A form's reading, as a save after its calculation writes it.
QString WriteReading(const QString& path, const FormInput& form) {
    const std::string bytes = ReadingFileOf(form);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return {};
    file.write(bytes.data(), qint64(bytes.size()));
    return path;
}

// The known birth's reading.
QString WriteAnnReading(const QString& path) { return WriteReading(path, KnownBirthForm()); }

RecentReadingsMenu* RecentMenu(QWidget* window) {
    auto* menu = Find<RecentReadingsMenu>(window, "mnuRecent");
    if (menu) menu->refresh();  // as opening the menu does
    return menu;
}

TEST(OpenRecent, BothFileMenusHoldIt) {
    StartedApp s;
    QStringList file;
    for (QAction* a : Find<QMenu>(s.form(), "mnuFile")->actions())
        file << (a->isSeparator() ? "-" : a->text());
    EXPECT_EQ(file, (QStringList{"Get My Natal &Chart", "&Open...", "Readings &Library...",
                                 "Open &Recent", "-", "&Exit"}));
    s.calculate(KnownBirthForm());
    ASSERT_NE(s.main(), nullptr);
    EXPECT_NE(RecentMenu(s.main()), nullptr);
}

TEST(OpenRecent, ReadingsOpenedAndSavedAreListedNewestFirst) {
    StartedApp s;
    const QString opened = WriteAnnReading(QDir(s.dir.path()).filePath("opened.vlr"));
    const QString saved = QDir(s.dir.path()).filePath("saved.vlr");
    s.platform.openAnswers.push_back(opened);
    s.click(s.form(), "cmdOpen");
    ASSERT_NE(s.main(), nullptr);
    s.platform.saveAnswers.push_back(saved);
    s.trigger(s.main(), "mnuSaveAsText");
    EXPECT_EQ(RecentReadings(s.platform).list(), (QStringList{saved, opened}));
    EXPECT_EQ(RecentMenu(s.main())->findChild<QAction*>("mnuRecent1")->text(), "&1 saved.vlr");
    // A cancelled save and a damaged file add nothing.
    s.trigger(s.main(), "mnuSaveAsText");
    s.main()->dispatchToolKey("New");
    QFile damaged(QDir(s.dir.path()).filePath("damaged.vlr"));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write("not a reading");
    damaged.close();
    s.platform.openAnswers.push_back(damaged.fileName());
    s.click(s.form(), "cmdOpen");
    EXPECT_EQ(RecentReadings(s.platform).list(), (QStringList{saved, opened}));
}

// From the form and from the chart window (over another birth), the entry opens the reading as
// File, Open does, without the dialog.
TEST(OpenRecent, ChoosingAnEntryOpensTheReading) {
    for (bool fromChart : {false, true}) {
        StartedApp s;
        const QString path = WriteAnnReading(QDir(s.dir.path()).filePath("ann.vlr"));
        RecentReadings(s.platform).add(path);
        QWidget* window = s.form();
        if (fromChart) {
            FormInput other = KnownBirthForm();
            other.name = "Someone Else";
            s.calculate(other);
            window = s.main();
        }
        RecentMenu(window)->findChild<QAction*>("mnuRecent1")->trigger();
        StartedApp::settle();
        EXPECT_TRUE(s.platform.messages.empty()) << fromChart;
        EXPECT_TRUE(s.platform.openDialogs.empty()) << fromChart;
        ASSERT_NE(s.main(), nullptr) << fromChart;
        ASSERT_NE(s.app->reading(), nullptr) << fromChart;
        EXPECT_EQ(s.app->reading()->birth().Name, "Ann Example") << fromChart;
        EXPECT_EQ(s.form()->input(), KnownBirthForm()) << fromChart;
        EXPECT_FALSE(s.form()->isVisible()) << fromChart;
    }
}

TEST(OpenRecent, AReadingThatHasGoneIsRemovedWithAMessage) {
    StartedApp s;
    const QString kept = WriteAnnReading(QDir(s.dir.path()).filePath("kept.vlr"));
    const QString gone = QDir(s.dir.path()).filePath("gone.vlr");
    RecentReadings(s.platform).add(kept);
    RecentReadings(s.platform).add(gone);
    RecentMenu(s.form())->findChild<QAction*>("mnuRecent1")->trigger();
    ASSERT_EQ(s.platform.messages.size(), 1u);
    EXPECT_EQ(s.platform.messages[0].text,
              QDir::toNativeSeparators(gone) +
                  " no longer exists. It has been removed from the list of recent readings.");
    EXPECT_EQ(s.platform.messages[0].icon, MessageIcon::Information);
    EXPECT_EQ(RecentReadings(s.platform).list(), QStringList{kept});
    EXPECT_EQ(s.main(), nullptr);
    EXPECT_EQ(s.form()->input(), FormInput{});
    // The menu follows at once, not only when it next opens (a screen reader reads it closed).
    StartedApp::settle();
    EXPECT_EQ(Captions(*Find<RecentReadingsMenu>(s.form(), "mnuRecent")),
              (QStringList{"&1 kept.vlr", "-", "&Clear List"}));
}

}  // namespace
// The chart window is built while the form waits; a list changed in between is the one its menu
// shows once it opens, before the menu is ever opened.
TEST(OpenRecent, TheChartWindowShowsTheListAsItIsWhenItOpens) {
    StartedApp s;
    const QString kept = WriteAnnReading(QDir(s.dir.path()).filePath("kept.vlr"));
    const QString gone = QDir(s.dir.path()).filePath("gone.vlr");
    RecentReadings(s.platform).add(kept);
    RecentReadings(s.platform).add(gone);
    StartedApp::settle();
    RecentMenu(s.form())->findChild<QAction*>("mnuRecent1")->trigger();
    StartedApp::settle();
    s.calculate(KnownBirthForm());
    ASSERT_NE(s.main(), nullptr);
    EXPECT_EQ(Captions(*Find<RecentReadingsMenu>(s.main(), "mnuRecent")),
              (QStringList{"&1 kept.vlr", "-", "&Clear List"}));
}

// File, Open... and Ctrl+O in both windows go through the open dialog to the usual open flow.
TEST(FileOpen, BothWindowsOpenAReadingThroughTheDialog) {
    for (bool fromChart : {false, true}) {
        SCOPED_TRACE(fromChart ? "chart window" : "form");
        StartedApp s;
        const QString path = WriteAnnReading(QDir(s.dir.path()).filePath("ann.vlr"));
        QWidget* window = s.form();
        if (fromChart) {
            FormInput other = KnownBirthForm();
            other.name = "Someone Else";
            s.calculate(other);
            window = s.main();
        }
        QAction* open = window->findChild<QAction*>("mnuOpen");
        ASSERT_NE(open, nullptr);
        EXPECT_EQ(open->shortcut(), QKeySequence(QKeySequence::Open));
        s.platform.openAnswers.push_back(path);
        open->trigger();
        StartedApp::settle();
        EXPECT_EQ(s.platform.openDialogs.size(), 1u);
        ASSERT_NE(s.app->reading(), nullptr);
        EXPECT_EQ(s.app->reading()->birth().Name, "Ann Example");
        ASSERT_NE(s.main(), nullptr);
        EXPECT_EQ(RecentReadings(s.platform).list(), QStringList{path});
    }
}

// A path without a file name is no empty entry.
TEST(RecentReadingsMenu, NoEntryIsEmpty) {
    FakePlatform platform;
    RecentReadings(platform).add("/readings/b/ann.vlr");
    RecentReadings(platform).add("/readings/a/ann.vlr");
    RecentReadings(platform).add("/");
    RecentReadingsMenu menu(platform, nullptr);
    menu.refresh();
    EXPECT_EQ(Captions(menu),
              (QStringList{"&1 /", "&2 ann.vlr", "&3 ann.vlr", "-", "&Clear List"}));
}

}  // namespace velloran::test

namespace velloran::test {
namespace {

// The command-line tool writes texts the form's boxes would not take typed (an apostrophe, a
// digit, a full stop); the program opens such a reading as written and saves it back unchanged.
TEST(FileOpen, AReadingWithCharactersTheBoxesRefuseOpensAsWritten) {
    StartedApp s;
    FormInput written = KnownBirthForm();
    written.name = "Ann O'Brien 2";
    written.city = "St. Louis";
    const QString path = WriteReading(QDir(s.dir.path()).filePath("obrien.vlr"), written);
    ASSERT_FALSE(path.isEmpty());
    s.platform.openAnswers.push_back(path);
    s.form()->findChild<QAction*>("mnuOpen")->trigger();
    StartedApp::settle();
    ASSERT_NE(s.app->reading(), nullptr);
    EXPECT_EQ(s.app->reading()->birth().Name, "Ann O'Brien 2");
    EXPECT_EQ(s.app->reading()->birth().City, "St. Louis");
    ASSERT_NE(s.main(), nullptr);
    EXPECT_TRUE(s.platform.messages.empty());

    const QString again = QDir(s.dir.path()).filePath("again.vlr");
    s.platform.saveAnswers.push_back(again);
    s.trigger(s.main(), "mnuSaveAsText");
    QFile saved(again);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll().toStdString(), ReadingFileOf(written));
}

}  // namespace
}  // namespace velloran::test
