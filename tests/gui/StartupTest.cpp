// Start-up services: the update reminder and its scrambled setting, the settings store, every
// link of the program, and the about box.

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QSettings>
#include <QTimer>
#include <QToolBar>

#include "GuiTestSupport.h"
#include "Version.h"
#include "app/AboutBox.h"
#include "app/UpdateReminder.h"
#include "ui/Links.h"
#include "ui/QtPlatform.h"

namespace velloran::test {
namespace {

const QLocale kLocale = QLocale::c();
const QString kName = ScrambledSetting(QStringLiteral("Duration"));

TEST(UpdateReminderSetting, NameAndValueAreStoredScrambled) {
    // "Duration" with every byte raised by 85.
    const QString expected = QString::fromLatin1("\x99\xCA\xC7\xB6\xC9\xBE\xC4\xC3");
    EXPECT_EQ(kName, expected);
    EXPECT_EQ(UnscrambledSetting(kName), "Duration");
    EXPECT_EQ(UnscrambledSetting(QStringLiteral("\u0100abc")), "");  // not a byte string

    const QDateTime t(QDate(2026, 3, 4), QTime(9, 5));
    const QString text = ReminderTimeText(t, kLocale);
    EXPECT_TRUE(text.contains("2026")) << text.toStdString();
    EXPECT_EQ(ParseReminderTime(text, kLocale), t);
    EXPECT_EQ(ParseReminderTime(QStringLiteral("not a date"), kLocale), std::nullopt);
}

TEST(UpdateReminderSetting, FirstRunWritesTheTimeAndAsksNothing) {
    FakePlatform p;
    RunUpdateReminder(p, kUpdatePage, kLocale);
    EXPECT_TRUE(p.messages.empty());
    const QString stored = p.readSetting("Settings", kName);
    ASSERT_FALSE(stored.isEmpty());
    EXPECT_NE(stored, ReminderTimeText(p.clock, kLocale));  // scrambled, not plain
    EXPECT_EQ(ParseReminderTime(UnscrambledSetting(stored), kLocale), p.clock);
}

TEST(UpdateReminderSetting, UnreadableValueIsRewrittenWithoutAQuestion) {
    FakePlatform p;
    p.writeSetting("Settings", kName, ScrambledSetting("yesterday-ish"));
    RunUpdateReminder(p, kUpdatePage, kLocale);
    EXPECT_TRUE(p.messages.empty());
    EXPECT_EQ(ParseReminderTime(UnscrambledSetting(p.readSetting("Settings", kName)), kLocale),
              p.clock);
}

struct ReminderRow {
    const char* name;
    int storedDaysFromToday;  // negative: in the past
    bool answerYes;
    bool asks;
};
void PrintTo(const ReminderRow& row, std::ostream* os) { *os << row.name; }

class UpdateReminderDays : public ::testing::TestWithParam<ReminderRow> {};

TEST_P(UpdateReminderDays, AsksOnlyBeyondFourteenDays) {
    const ReminderRow& row = GetParam();
    FakePlatform p;
    const QDateTime stored = p.clock.addDays(row.storedDaysFromToday).addSecs(-3600);
    p.writeSetting("Settings", kName, ScrambledSetting(ReminderTimeText(stored, kLocale)));
    p.yesNoAnswers.push_back(row.answerYes);
    p.clock = p.clock.addSecs(7 * 3600);  // later the same day: only calendar days count

    RunUpdateReminder(p, kUpdatePage, kLocale);

    const QDateTime written =
        ParseReminderTime(UnscrambledSetting(p.readSetting("Settings", kName)), kLocale).value();
    if (!row.asks) {
        EXPECT_TRUE(p.messages.empty());
        EXPECT_EQ(written, stored);
        EXPECT_TRUE(p.openedUrls.empty());
        return;
    }
    ASSERT_EQ(p.messages.size(), 1u);
    EXPECT_EQ(p.messages[0].text,
              "There maybe an update to this software available\rDo you want to check for an "
              "update?");
    EXPECT_EQ(p.messages[0].icon, MessageIcon::Information);
    EXPECT_EQ(p.messages[0].title, "Velloran");
    EXPECT_EQ(written, p.clock);  // rewritten whatever the answer
    if (row.answerYes) {
        ASSERT_EQ(p.openedUrls.size(), 1u);
        EXPECT_EQ(p.openedUrls[0], QUrl(kUpdatePage));
    } else {
        EXPECT_TRUE(p.openedUrls.empty());
    }
}

const ReminderRow kReminderRows[] = {
    {"same_day", 0, true, false},         {"14_days_ago", -14, true, false},
    {"14_days_ahead", 14, true, false},   {"15_days_ago_no", -15, false, true},
    {"15_days_ago_yes", -15, true, true}, {"clock_set_15_days_back", 15, false, true},
    {"a_year_ago_yes", -365, true, true},
};

INSTANTIATE_TEST_SUITE_P(Rows, UpdateReminderDays, ::testing::ValuesIn(kReminderRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(UpdateReminderSetting, StartUpRunsTheReminderBeforeShowingTheForm) {
    FakePlatform p;
    QTemporaryDir dir;
    p.folder = dir.path();
    InstanceLock lock(QDir(dir.path()).filePath("a.lock"));
    const QDateTime old = p.clock.addDays(-30);
    p.writeSetting("Settings", kName, ScrambledSetting(ReminderTimeText(old, QLocale::system())));
    App app(p);
    ASSERT_TRUE(app.start(lock));
    ASSERT_EQ(p.messages.size(), 1u);
    EXPECT_EQ(p.messages[0].icon, MessageIcon::Information);
    EXPECT_TRUE(app.form()->isVisible());
}

// Qt's warnings while the program starts (the form, the chart window prepared off screen) and
// shows its first chart in each view. The offscreen platform's notes of what it cannot do
// ("This plugin does not support raise()") are not the program's.
std::vector<std::string>* g_warnings = nullptr;
void CollectWarning(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type != QtWarningMsg && type != QtCriticalMsg) return;
    if (message.startsWith(QStringLiteral("This plugin does not support"))) return;
    g_warnings->push_back(message.toStdString());
}

TEST(StartUp, PrintsNoQtWarning) {
    std::vector<std::string> warnings;
    g_warnings = &warnings;
    const QtMessageHandler previous = qInstallMessageHandler(CollectWarning);
    {
        StartedApp s;
        QApplication::processEvents();  // the chart window is prepared once the form waits
        s.calculate(KnownBirthForm());
        for (const char* view : {"cmdNatal", "cmdComparison", "cmdDraconian"}) {
            if (s.main()) s.click(s.main(), view);
        }
        QApplication::processEvents();
    }
    qInstallMessageHandler(previous);
    g_warnings = nullptr;
    EXPECT_TRUE(warnings.empty()) << warnings.size() << " warnings, the first: "
                                  << (warnings.empty() ? std::string() : warnings.front());
}

TEST(QtPlatformSettings, RoundTripScrambledNameAndValueInTheUserStore) {
    QTemporaryDir dir;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
    QtPlatform platform(QStringLiteral("velloran"));
    const QString value = ScrambledSetting(QStringLiteral("1/2/2026 10:30 AM"));
    platform.writeSetting("Settings", kName, value);
    EXPECT_EQ(platform.readSetting("Settings", kName), value);
    EXPECT_EQ(platform.readSetting("Settings", "absent"), "");
    EXPECT_TRUE(QFileInfo(QDir(dir.path()).filePath("velloran/velloran.conf")).isFile());
}

// A FIFO as the settings file would hang the program at its first read: it runs with the
// defaults and keeps nothing instead.
TEST(QtPlatformSettings, AFifoAsTheSettingsFileIsLeftAlone) {
    QTemporaryDir dir;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("velloran")));
    const QString file = QDir(dir.path()).filePath(QStringLiteral("velloran/velloran.conf"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(file).constData(), 0600), 0);
    QtPlatform platform(QStringLiteral("velloran"));
    EXPECT_EQ(platform.readSetting("Settings", kName), "");
    platform.writeSetting("Settings", kName, "value");
    EXPECT_FALSE(QFileInfo(file).isFile());
    EXPECT_FALSE(
        QFileInfo::exists(QDir(dir.path()).filePath(QStringLiteral("velloran-no-such-store"))));
}

// Every link opens its page and leaves windows and state alone.
struct LinkRow {
    const char* name;
    bool inMainWindow;
    std::function<void(StartedApp&)> activate;
    Page page;
};
void PrintTo(const LinkRow& row, std::ostream* os) { *os << row.name; }

class Links : public ::testing::TestWithParam<LinkRow> {};

void ClickLink(QWidget* window, const char* name) {
    auto* label = Find<QLabel>(window, QString::fromLatin1(name));
    ASSERT_NE(label, nullptr) << name;
    QTest::mouseClick(label, Qt::LeftButton, {}, QPoint(5, label->height() / 2));
}

TEST_P(Links, OpenTheirPageAndNothingElse) {
    const LinkRow& row = GetParam();
    StartedApp s;
    if (row.inMainWindow) {
        s.calculate(KnownBirthForm());
        ASSERT_NE(s.main(), nullptr);
    }
    const std::optional<BirthData> before =
        s.app->reading() ? std::optional(s.app->reading()->birth()) : std::nullopt;
    row.activate(s);

    ASSERT_EQ(s.platform.openedUrls.size(), 1u);
    const QUrl expected = PageUrl(row.page, s.platform.folder);
    EXPECT_EQ(s.platform.openedUrls[0], expected);
    EXPECT_TRUE(s.platform.messages.empty());
    EXPECT_EQ(s.form()->isVisible(), !row.inMainWindow);
    EXPECT_EQ(s.main() != nullptr, row.inMainWindow);
    EXPECT_EQ(s.app->reading() ? std::optional(s.app->reading()->birth()) : std::nullopt, before);
    EXPECT_FALSE(s.programEnded);
}

auto Action(bool main, const char* name) {
    return [main, name](StartedApp& s) { s.trigger(main ? (QWidget*)s.main() : s.form(), name); };
}
auto Link(bool main, const char* name) {
    return [main, name](StartedApp& s) { ClickLink(main ? (QWidget*)s.main() : s.form(), name); };
}

const LinkRow kLinkRows[] = {
    {"form_online_help", false, Action(false, "mnuOnline"), Page::Help},
    {"form_visit_us", false, Action(false, "mnuVisit"), Page::ForumHome},
    {"form_forum_label", false, Link(false, "Label8"), Page::ForumHome},
    {"form_update", false, Action(false, "mnuUpdate"), Page::Update},
    {"main_online_help", true, Action(true, "mnuOnline"), Page::Help},
    {"main_visit_us", true, Action(true, "mnuVisit"), Page::ForumHome},
    {"main_update", true, Action(true, "mnuUpdate"), Page::Update},
    {"main_toolbar_help", true,
     [](StartedApp& s) {
         auto* help = Find<QAction>(s.main(), "TB_Help");
         ASSERT_NE(help, nullptr);
         QTest::mouseClick(Find<QToolBar>(s.main(), "TB")->widgetForAction(help), Qt::LeftButton);
     },
     Page::Help},
    {"main_heading_link", true, Link(true, "lblURL"), Page::ForumHome},
    {"main_bottom_link", true, Link(true, "Label1"), Page::ForumHome},
};

INSTANTIATE_TEST_SUITE_P(Rows, Links, ::testing::ValuesIn(kLinkRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(LinkPages, HelpIsALocalPageAndTheOthersLiveOnTheProgramsDomain) {
    const QUrl help = HelpPageUrl(QStringLiteral("/nonexistent/folder"));
    ASSERT_TRUE(help.isLocalFile());
    EXPECT_TRUE(QFileInfo(help.toLocalFile()).isFile()) << help.toString().toStdString();
    EXPECT_TRUE(help.toLocalFile().endsWith("help/index.html"));
    EXPECT_EQ(QUrl(kForumHomePage).scheme(), "https");
    EXPECT_EQ(QUrl(kForumHomePage).host(), "forum.velloran.example");
    EXPECT_EQ(QUrl(kUpdatePage).host(), "www.velloran.example");
    EXPECT_TRUE(AboutForumLinkText().startsWith("Click here to visit "));
    EXPECT_TRUE(AboutForumLinkText().endsWith(kForumHomePage));
}

TEST(LinkPages, HelpOpensFromTheInstallationBesideTheProgram) {
    QTemporaryDir prefix;
    QDir root(prefix.path());
    ASSERT_TRUE(root.mkpath("lib/velloran"));
    ASSERT_TRUE(root.mkpath("share/velloran/help"));
    QFile page(root.filePath("share/velloran/help/index.html"));
    ASSERT_TRUE(page.open(QIODevice::WriteOnly));
    page.close();
    EXPECT_EQ(
        HelpPageUrl(root.filePath("lib/velloran")),
        QUrl::fromLocalFile(QDir::cleanPath(root.filePath("share/velloran/help/index.html"))));
}

TEST(AboutBoxTest, ModalWithItsTextsTheForumLinkAndOk) {
    StartedApp s;
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<AboutBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        seen = true;
        EXPECT_TRUE(box->isModal());
        EXPECT_EQ(box->windowTitle(), VELLORAN_TITLE);
        EXPECT_EQ(Label(box, "Label2"), VELLORAN_TITLE);
        EXPECT_TRUE(Label(box, "Label1")
                        .startsWith("Velloran displays the natal chart with the planets in their "
                                    "Draconian position."));
        EXPECT_TRUE(Label(box, "Label1").endsWith("can predict how this purpose will manifest."));
        EXPECT_EQ(Label(box, "lblLicence"),
                  "Licence: GNU General Public License version 3 or later (GPL-3.0-or-later)");
        EXPECT_EQ(Label(box, "lblHomePage"), "Click here to visit " + kForumHomePage);
        EXPECT_FALSE(Find<QLabel>(box, "picIcon")->pixmap().isNull());
        ClickLink(box, "lblHomePage");
        EXPECT_TRUE(box->isVisible());
        QTest::mouseClick(Find<QPushButton>(box, "cmdOK"), Qt::LeftButton);
    });
    s.trigger(s.form(), "mnuAbout");
    EXPECT_TRUE(seen);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    ASSERT_EQ(s.platform.openedUrls.size(), 1u);
    EXPECT_EQ(s.platform.openedUrls[0], QUrl(kForumHomePage));
    EXPECT_TRUE(s.form()->isVisible());
}

}  // namespace
}  // namespace velloran::test
