// The birth-data form through its real widgets: lists and start values, validation messages with
// their icon and focus, the key filters, and the open and place look-up buttons.

#include <gtest/gtest.h>

#include <ostream>

#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <functional>

#include "GuiTestSupport.h"
#include "Version.h"
#include "domain/ZoneTable.h"
#include "input/FormCopy.h"
#include "input/ReadingFile.h"
#include "input/Scramble.h"
#include "reading/Reading.h"

namespace velloran::test {
namespace {

QStringList Items(QComboBox* box) {
    QStringList items;
    for (int i = 0; i < box->count(); ++i) items << box->itemText(i);
    return items;
}

TEST(FormStart, ListsHoldTheirEntriesAndStartAtTheFirst) {
    StartedApp s;
    FrmMain* f = s.form();
    ASSERT_NE(f, nullptr);
    EXPECT_TRUE(f->isVisible());
    EXPECT_EQ(f->windowTitle(), QStringLiteral(VELLORAN_TITLE));

    auto* month = Find<QComboBox>(f, "cboMonth");
    EXPECT_EQ(Items(month),
              (QStringList{"January", "February", "March", "April", "May", "June", "July", "August",
                           "September", "October", "November", "December"}));
    auto* day = Find<QComboBox>(f, "cboDate");
    ASSERT_EQ(day->count(), 31);
    EXPECT_EQ(day->itemText(6), "7");
    auto* year = Find<QComboBox>(f, "cboYear");
    ASSERT_EQ(year->count(), 146);
    EXPECT_EQ(year->itemText(0), "1905");
    EXPECT_EQ(year->itemText(145), "2050");
    EXPECT_EQ(Find<QComboBox>(f, "cboHour")->count(), 24);
    EXPECT_EQ(Find<QComboBox>(f, "cboMinute")->itemText(59), "59");
    auto* zone = Find<QComboBox>(f, "cboTimeZone");
    ASSERT_EQ(zone->count(), 71);
    for (int z = 0; z < 71; ++z) EXPECT_EQ(zone->itemText(z).toStdString(), ZoneLabel(z)) << z;

    // 1 January 1905, 0:00, the first zone, North, East, no daylight saving, empty boxes.
    EXPECT_EQ(f->input(), FormInput{});
    EXPECT_EQ(zone->currentText(), "Alaska/Hawaii Daylight Time,AHDT,-9.0");
    EXPECT_TRUE(Find<QRadioButton>(f, "optLatSouth0")->isChecked());
    EXPECT_EQ(Find<QRadioButton>(f, "optLatSouth0")->text(), "North");
    EXPECT_EQ(Find<QRadioButton>(f, "optLongEast1")->text(), "West");
    EXPECT_EQ(Find<QCheckBox>(f, "chkDST")->text(), "Daylight Saving Time");
    for (const char* box : {"txtLatD", "txtLatM", "txtLonD", "txtLonM"})
        EXPECT_EQ(Find<QLineEdit>(f, box)->maxLength(), 3) << box;
}

// The letter boxes take no more than a saved reading holds (Qt's default was 32767), typed or
// pasted.
TEST(FormStart, LetterBoxesTakeWhatAReadingHolds) {
    StartedApp s;
    for (const char* box : {"txtName", "txtCity", "txtState", "txtCountry"}) {
        auto* edit = Find<QLineEdit>(s.form(), box);
        EXPECT_EQ(edit->maxLength(), kMaxTextLength) << box;
        edit->setFocus();
        QApplication::clipboard()->setText(QString(2500, QLatin1Char('A')));
        QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(edit->text().size(), kMaxTextLength) << box;
    }
    EXPECT_TRUE(s.platform.messages.empty());
}

TEST(FormStart, MenusButtonsAndCaptionsAsDesigned) {
    StartedApp s;
    FrmMain* f = s.form();
    QStringList menus;
    for (QAction* a : f->menuBar()->actions()) menus << a->text();
    EXPECT_EQ(menus, (QStringList{"&File", "&Options", "&Help"}));
    QStringList file, help;
    for (QAction* a : Find<QMenu>(f, "mnuFile")->actions())
        file << (a->isSeparator() ? "-" : a->text());
    for (QAction* a : Find<QMenu>(f, "mnuHelp")->actions())
        help << (a->isSeparator() ? "-" : a->text());
    EXPECT_EQ(file, (QStringList{"Get My Natal &Chart", "&Open...", "Readings &Library...",
                                 "Open &Recent", "-", "&Exit"}));
    EXPECT_EQ(help, (QStringList{"&Online Help", "&Visit Us Online", "-",
                                 "Check for Software &Update", "-", "&About Software"}));
    EXPECT_EQ(Find<QPushButton>(f, "cmdCalculate")->text(), "Get My Draconic Astrology &Chart");
    EXPECT_EQ(Find<QPushButton>(f, "cmdOpen")->text(), "&Open Previously Saved Reading");
    EXPECT_EQ(Find<QPushButton>(f, "Command1")->text(), "Click here to find Latitude && Longitude");
    EXPECT_EQ(Label(f, "Label1"),
              "Know the Draconian planetary positions in your natal chart and the role they play "
              "in realizing your soul's purpose in life. Enter your personal details to get your "
              "Draconian Natal Chart. ");
}

TEST(FormStart, CaptionsAreBuddiesAndTabOrderFollowsTheRows) {
    StartedApp s;
    FrmMain* f = s.form();
    const std::pair<const char*, const char*> buddies[] = {
        {"Name:", "txtName"},          {"Birthday:", "cboMonth"}, {"Time Of Birth:", "cboHour"},
        {"Time Zone:", "cboTimeZone"}, {"City:", "txtCity"},      {"State:", "txtState"},
        {"Country:", "txtCountry"},    {"Latitude:", "txtLatD"},  {"Longitude:", "txtLonD"}};
    for (const auto& [caption, control] : buddies) {
        QLabel* found = nullptr;
        for (QLabel* l : f->findChildren<QLabel*>())
            if (l->text() == QLatin1String(caption)) found = l;
        ASSERT_NE(found, nullptr) << caption;
        ASSERT_NE(found->buddy(), nullptr) << caption;
        EXPECT_EQ(found->buddy()->objectName(), QLatin1String(control)) << caption;
    }

    const QStringList expected = {
        "Label8",   "txtName",      "cmdOpen",      "cboMonth",     "cboDate",     "cboYear",
        "cboHour",  "cboMinute",    "chkDST",       "txtCity",      "Command1",    "cboTimeZone",
        "txtState", "txtLatD",      "optLatSouth0", "optLatSouth1", "txtLatM",     "txtCountry",
        "txtLonD",  "optLongEast0", "optLongEast1", "txtLonM",      "cmdCalculate"};
    QStringList chain;
    QWidget* w = Find<QWidget>(f, "Label8");
    for (int guard = 0; w && guard < 200 && chain.size() < expected.size(); ++guard) {
        if (expected.contains(w->objectName()) && !chain.contains(w->objectName()))
            chain << w->objectName();
        w = w->nextInFocusChain();
    }
    EXPECT_EQ(chain, expected);
}

// Validation through the widgets: one row per check, starting from a form that passes.
struct ValidationRow {
    const char* name;
    std::function<void(FormInput&)> edit;
    const char* message;  // "" when the form passes
    MessageIcon icon;
    const char* focus;  // control the focus moves to, "" for none
};
void PrintTo(const ValidationRow& row, std::ostream* os) { *os << row.name; }

class Validation : public ::testing::TestWithParam<ValidationRow> {};

TEST_P(Validation, ShowsTheFirstProblemOrCalculates) {
    const ValidationRow& row = GetParam();
    StartedApp s;
    FormInput in = KnownBirthForm();
    row.edit(in);
    s.form()->setInput(in);
    QWidget* button = Find<QWidget>(s.form(), "cmdCalculate");
    button->setFocus();
    s.clickCalculate();

    if (std::string(row.message).empty()) {
        EXPECT_TRUE(s.platform.messages.empty());
        ASSERT_NE(s.main(), nullptr);
        EXPECT_TRUE(s.main()->isVisible());
        EXPECT_FALSE(s.form()->isVisible());
        return;
    }
    ASSERT_EQ(s.platform.messages.size(), 1u);
    EXPECT_EQ(s.platform.messages[0].text, QString::fromLatin1(row.message));
    EXPECT_EQ(s.platform.messages[0].icon, row.icon);
    EXPECT_EQ(s.platform.messages[0].title, "Velloran");
    EXPECT_EQ(s.main(), nullptr);
    EXPECT_TRUE(s.form()->isVisible());
    if (std::string(row.focus).empty()) {
        EXPECT_TRUE(button->hasFocus());
    } else {
        EXPECT_TRUE(Find<QWidget>(s.form(), row.focus)->hasFocus()) << row.focus;
    }
}

const ValidationRow kValidationRows[] = {
    {"empty_name", [](FormInput& f) { f.name = ""; }, "Please Enter Your Name", MessageIcon::Error,
     "txtName"},
    {"empty_latitude_degrees", [](FormInput& f) { f.latitudeDegrees = ""; },
     "Please Enter Degree of Latitude", MessageIcon::Error, "txtLatD"},
    {"empty_latitude_minutes", [](FormInput& f) { f.latitudeMinutes = ""; },
     "Please Enter Minutes of Latitude", MessageIcon::Error, "txtLatM"},
    {"empty_longitude_degrees", [](FormInput& f) { f.longitudeDegrees = ""; },
     "Please Enter Degree of Longitude", MessageIcon::Error, "txtLonD"},
    {"empty_longitude_minutes", [](FormInput& f) { f.longitudeMinutes = ""; },
     "Please Enter Minute of Longitude", MessageIcon::Error, "txtLonM"},
    {"empty_city", [](FormInput& f) { f.city = ""; }, "Please Enter Your City name",
     MessageIcon::Error, "txtCity"},
    {"empty_state", [](FormInput& f) { f.state = ""; }, "Please Enter Your State name",
     MessageIcon::Error, "txtState"},
    {"empty_country", [](FormInput& f) { f.country = ""; }, "Please Enter Your Country name",
     MessageIcon::Error, "txtCountry"},
    {"name_checked_before_city",
     [](FormInput& f) {
         f.name = "";
         f.city = "";
     },
     "Please Enter Your Name", MessageIcon::Error, "txtName"},
    {"feb_29_1905",
     [](FormInput& f) {
         f.monthIndex = 1;
         f.dayIndex = 28;
         f.yearIndex = 0;
     },
     "Please Enter Correct Date Or Month!", MessageIcon::Information, ""},
    {"feb_30_2000",
     [](FormInput& f) {
         f.monthIndex = 1;
         f.dayIndex = 29;
         f.yearIndex = 95;
     },
     "Please Enter Correct Date Or Month!", MessageIcon::Information, ""},
    {"apr_31",
     [](FormInput& f) {
         f.monthIndex = 3;
         f.dayIndex = 30;
     },
     "Please Enter Correct Date Or Month !", MessageIcon::Information, ""},
    {"nov_31",
     [](FormInput& f) {
         f.monthIndex = 10;
         f.dayIndex = 30;
     },
     "Please Enter Correct Date Or Month !", MessageIcon::Information, ""},
    {"feb_29_2000_passes",
     [](FormInput& f) {
         f.monthIndex = 1;
         f.dayIndex = 28;
         f.yearIndex = 95;
     },
     "", MessageIcon::Error, ""},
    {"feb_29_1908_passes",
     [](FormInput& f) {
         f.monthIndex = 1;
         f.dayIndex = 28;
         f.yearIndex = 3;
     },
     "", MessageIcon::Error, ""},
    {"may_31_passes",
     [](FormInput& f) {
         f.monthIndex = 4;
         f.dayIndex = 30;
     },
     "", MessageIcon::Error, ""},
    {"apr_30_passes",
     [](FormInput& f) {
         f.monthIndex = 3;
         f.dayIndex = 29;
     },
     "", MessageIcon::Error, ""},
    {"blank_name_passes", [](FormInput& f) { f.name = "   "; }, "", MessageIcon::Error, ""},
    {"latitude_degrees_999", [](FormInput& f) { f.latitudeDegrees = "999"; },
     "Please Enter Degree of Latitude From 0 To 90", MessageIcon::Error, "txtLatD"},
    {"latitude_degrees_pasted_text", [](FormInput& f) { f.latitudeDegrees = "4x"; },
     "Please Enter Degree of Latitude From 0 To 90", MessageIcon::Error, "txtLatD"},
    {"latitude_minutes_60", [](FormInput& f) { f.latitudeMinutes = "60"; },
     "Please Enter Minutes of Latitude From 0 To 59", MessageIcon::Error, "txtLatM"},
    {"longitude_degrees_pasted_minus", [](FormInput& f) { f.longitudeDegrees = "-5"; },
     "Please Enter Degree of Longitude From 0 To 180", MessageIcon::Error, "txtLonD"},
    {"longitude_180_with_minutes",
     [](FormInput& f) {
         f.longitudeDegrees = "180";
         f.longitudeMinutes = "1";
     },
     "Please Enter Minute of Longitude From 0 To 59", MessageIcon::Error, "txtLonM"},
    {"no_month", [](FormInput& f) { f.monthIndex = -1; }, "Please Enter Correct Date Or Month!",
     MessageIcon::Information, "cboMonth"},
    {"north_pole_has_no_ascendant",
     [](FormInput& f) {
         f.latitudeDegrees = "90";
         f.latitudeMinutes = "0";
     },
     "There is no ascendant at the poles: please enter a latitude below 90 degrees.",
     MessageIcon::Error, ""},
    {"near_the_pole_and_date_line_pass",
     [](FormInput& f) {
         f.latitudeDegrees = "89";
         f.latitudeMinutes = "59";
         f.longitudeDegrees = "180";
         f.longitudeMinutes = "0";
     },
     "", MessageIcon::Error, ""},
};

INSTANTIATE_TEST_SUITE_P(Rows, Validation, ::testing::ValuesIn(kValidationRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ValidationDefaults, NoDirectionSelectsNorthThenEast) {
    StartedApp s;
    FormInput in = KnownBirthForm();
    in.latitudeHemisphere = -1;
    in.longitudeHemisphere = -1;
    s.form()->setInput(in);
    EXPECT_FALSE(Find<QRadioButton>(s.form(), "optLatSouth0")->isChecked());
    EXPECT_FALSE(Find<QRadioButton>(s.form(), "optLatSouth1")->isChecked());

    s.clickCalculate();
    ASSERT_EQ(s.platform.messages.size(), 1u);
    EXPECT_EQ(s.platform.messages[0].text, "Please Select Direction For The Latitude");
    EXPECT_EQ(s.platform.messages[0].icon, MessageIcon::Error);
    EXPECT_TRUE(Find<QRadioButton>(s.form(), "optLatSouth0")->isChecked());
    EXPECT_EQ(s.form()->input().longitudeHemisphere, -1);

    s.clickCalculate();
    ASSERT_EQ(s.platform.messages.size(), 2u);
    EXPECT_EQ(s.platform.messages[1].text, "Please Select Direction For The Longitude");
    EXPECT_TRUE(Find<QRadioButton>(s.form(), "optLongEast0")->isChecked());
    EXPECT_EQ(s.main(), nullptr);
}

TEST(ValidationDefaults, MissingConverterLibraryStopsEveryCalculation) {
    StartedApp s;
    s.removeConverter();
    s.calculate(KnownBirthForm());
    ASSERT_EQ(s.platform.messages.size(), 1u);
    EXPECT_EQ(s.platform.messages[0].text,
              "Required File Is Missing. Please Reinstall The Software.");
    EXPECT_EQ(s.platform.messages[0].icon, MessageIcon::Error);
    EXPECT_EQ(s.main(), nullptr);
    // The other checks come first.
    FormInput empty = KnownBirthForm();
    empty.country = "";
    s.calculate(empty);
    EXPECT_EQ(s.platform.messages.back().text, "Please Enter Your Country name");
}

// Key filters: typed characters go through the box's filter; a refused one shows its message.
struct KeyRow {
    const char* name;
    const char* box;
    std::function<void(QLineEdit*)> type;
    const char* expectedText;
    const char* message;  // "" when every key is accepted
};
void PrintTo(const KeyRow& row, std::ostream* os) { *os << row.name; }

class KeyFilters : public ::testing::TestWithParam<KeyRow> {};

TEST_P(KeyFilters, RefuseWhatTheBoxDoesNotTake) {
    const KeyRow& row = GetParam();
    StartedApp s;
    auto* box = Find<QLineEdit>(s.form(), row.box);
    auto* elsewhere = Find<QWidget>(s.form(), "cmdOpen");
    QApplication::setActiveWindow(s.form());
    elsewhere->setFocus();
    row.type(box);

    EXPECT_EQ(box->text(), QString::fromUtf8(row.expectedText));
    const bool refused = !std::string(row.message).empty();
    ASSERT_EQ(s.platform.messages.size(), refused ? 1u : 0u);
    if (!refused) return;
    EXPECT_EQ(s.platform.messages[0].text, QString::fromLatin1(row.message));
    EXPECT_EQ(s.platform.messages[0].icon, MessageIcon::Error);
    EXPECT_EQ(s.platform.messages[0].title, "Velloran");
    // The letters filter puts the focus back on its box; the numbers filter leaves it.
    const bool letters = std::string(row.message) == "Please enter only letters";
    EXPECT_EQ(box->hasFocus(), letters);
    EXPECT_EQ(elsewhere->hasFocus(), !letters);
}

auto Type(const char* text) {
    return [text](QLineEdit* box) { QTest::keyClicks(box, QString::fromUtf8(text)); };
}
auto Press(Qt::Key key) {
    return [key](QLineEdit* box) { QTest::keyClick(box, key); };
}

const KeyRow kKeyRows[] = {
    {"name_letters_and_blank", "txtName", Type("Ann Example"), "Ann Example", ""},
    {"name_apostrophe", "txtName", Type("O'Brien"), "OBrien", "Please enter only letters"},
    {"name_hyphen", "txtName", Type("Jean-Luc"), "JeanLuc", "Please enter only letters"},
    {"name_digit", "txtName", Type("Ann2"), "Ann", "Please enter only letters"},
    {"city_accented_letter", "txtCity",
     [](QLineEdit* b) {
         QTest::sendKeyEvent(QTest::Click, b, Qt::Key_Eacute, QStringLiteral("\u00E9"), {});
     },
     "", "Please enter only letters"},
    {"state_enter", "txtState", Press(Qt::Key_Return), "", "Please enter only letters"},
    {"country_enter", "txtCountry", Press(Qt::Key_Return), "", "Please enter only letters"},
    {"city_enter", "txtCity", Press(Qt::Key_Enter), "", "Please enter only letters"},
    {"name_enter", "txtName", Press(Qt::Key_Return), "", "Please enter only letters"},
    {"name_backspace", "txtName",
     [](QLineEdit* b) {
         QTest::keyClicks(b, "Anne");
         QTest::keyClick(b, Qt::Key_Backspace);
     },
     "Ann", ""},
    {"latitude_digits", "txtLatD", Type("180"), "180", ""},
    {"latitude_three_digits_at_most", "txtLatD", Type("1800"), "180", ""},
    {"latitude_minus", "txtLatD", Type("-5"), "5", "Please enter only numbers"},
    {"latitude_minutes_full_stop", "txtLatM", Type("4.5"), "45", "Please enter only numbers"},
    {"longitude_letter", "txtLonD", Type("7a"), "7", "Please enter only numbers"},
    {"latitude_degrees_enter", "txtLatD", Press(Qt::Key_Return), "", "Please enter only numbers"},
    {"latitude_minutes_enter", "txtLatM", Press(Qt::Key_Return), "", "Please enter only numbers"},
    {"longitude_degrees_enter", "txtLonD", Press(Qt::Key_Return), "", "Please enter only numbers"},
    {"longitude_minutes_enter", "txtLonM", Press(Qt::Key_Return), "", "Please enter only numbers"},
};

INSTANTIATE_TEST_SUITE_P(Rows, KeyFilters, ::testing::ValuesIn(kKeyRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(KeyFiltersPaste, PastedTextIsNotFiltered) {
    StartedApp s;
    auto* name = Find<QLineEdit>(s.form(), "txtName");
    auto* degrees = Find<QLineEdit>(s.form(), "txtLonD");
    QApplication::clipboard()->setText("O'Brien-2");
    QTest::keyClick(name, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(name->text(), "O'Brien-2");
    QApplication::clipboard()->setText("-1.5");
    QTest::keyClick(degrees, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(degrees->text(), "-1.");  // the three-character limit holds for pasted text too
    EXPECT_TRUE(s.platform.messages.empty());
}

// A line end or other control character would break the export into extra lines and make the
// saved reading one the program refuses to open; pasted runs of them become one blank.
TEST(KeyFiltersPaste, PastedControlCharactersBecomeBlanks) {
    StartedApp s;
    auto* name = Find<QLineEdit>(s.form(), "txtName");
    auto* city = Find<QLineEdit>(s.form(), "txtCity");
    QApplication::clipboard()->setText(QStringLiteral("Ann\r\nExample\tSmith\x01\x7f"));
    QTest::keyClick(name, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(name->text(), "Ann Example Smith ");
    QTest::keyClicks(name, "Jr");  // the cursor stands after the pasted text
    EXPECT_EQ(name->text(), "Ann Example Smith Jr");
    QApplication::clipboard()->setText(QStringLiteral("New\nYork"));
    QTest::keyClick(city, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(city->text(), "New York");
    EXPECT_TRUE(s.platform.messages.empty());
}

TEST(FormButtons, OpenPutsTheSavedReadingIntoTheFormAndCalculates) {
    StartedApp s;
    // A reading saved by a calculation of the known birth.
    {
        StartedApp saver;
        saver.calculate(KnownBirthForm());
        ASSERT_NE(saver.main(), nullptr);
        ASSERT_NE(saver.app->reading(), nullptr);
        const std::string bytes =
            WriteReadingFile(saver.app->reading()->birth(), KnownBirthForm().zoneIndex);
        QFile file(QDir(s.dir.path()).filePath("ann.vlr"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes.data(), qint64(bytes.size()));
    }
    s.platform.openAnswers.push_back(QDir(s.dir.path()).filePath("ann.vlr"));
    s.click(s.form(), "cmdOpen");

    ASSERT_EQ(s.platform.openDialogs.size(), 1u);
    EXPECT_EQ(s.form()->input(), KnownBirthForm());
    ASSERT_NE(s.main(), nullptr);
    EXPECT_FALSE(s.form()->isVisible());
    ASSERT_NE(s.app->reading(), nullptr);
    EXPECT_EQ(s.app->reading()->birth().Name, "Ann Example");
}

// The reading file of the known birth, as a save after its calculation writes it.
QByteArray KnownBirthReading(int16_t month = 1) {
    BirthData birth = BirthFromForm(KnownBirthForm()).birth;
    birth.Month = month;
    const std::string bytes = WriteReadingFile(birth, KnownBirthForm().zoneIndex);
    return QByteArray(bytes.data(), qsizetype(bytes.size()));
}

QString WriteReading(const StartedApp& s, const QByteArray& bytes) {
    const QString path = QDir(s.dir.path()).filePath("opened.vlr");
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) return {};
    return path;
}

// The reading with line index (counted from 0) holding text.
QByteArray WithLine(const QByteArray& reading, int index, const std::string& text) {
    QList<QByteArray> lines = reading.split('\n');
    const std::string scrambled = ScrambleText(text);
    lines[index] = QByteArray(scrambled.data(), qsizetype(scrambled.size())) + '\r';
    return lines.join('\n');
}

// A file that is no whole reading is refused before it touches the form the user filled in.
struct DamagedFileRow {
    const char* name;
    QByteArray (*damage)(const QByteArray& reading);
};
void PrintTo(const DamagedFileRow& row, std::ostream* os) { *os << row.name; }

class DamagedReading : public ::testing::TestWithParam<DamagedFileRow> {};

TEST_P(DamagedReading, IsRefusedAndTheFilledFormKeepsEveryValue) {
    StartedApp s;
    FormInput filled = KnownBirthForm();
    filled.name = "Maria Lopez";
    filled.monthIndex = 6;
    filled.daylightSaving = 1;
    filled.latitudeHemisphere = 1;
    s.form()->setInput(filled);
    const QString path = WriteReading(s, GetParam().damage(KnownBirthReading()));
    ASSERT_FALSE(path.isEmpty());
    s.platform.openAnswers.push_back(path);

    s.click(s.form(), "cmdOpen");

    ASSERT_EQ(s.platform.messages.size(), 1u);
    EXPECT_EQ(s.platform.messages[0].text, "Please Check The File.");
    EXPECT_EQ(s.platform.messages[0].icon, MessageIcon::Error);
    EXPECT_EQ(s.platform.messages[0].title, "Velloran");
    EXPECT_EQ(s.form()->input(), filled);
    EXPECT_EQ(s.main(), nullptr);
    EXPECT_TRUE(s.form()->isVisible());
}

INSTANTIATE_TEST_SUITE_P(
    Files, DamagedReading,
    ::testing::Values(
        DamagedFileRow{"empty_file", [](const QByteArray&) { return QByteArray(); }},
        DamagedFileRow{"first_five_lines",
                       [](const QByteArray& r) {
                           qsizetype end = 0;
                           for (int i = 0; i < 5; ++i) end = r.indexOf("\r\n", end) + 2;
                           return r.left(end);
                       }},
        DamagedFileRow{
            "sixteen_lines",
            [](const QByteArray& r) { return r.left(r.chopped(2).lastIndexOf("\r\n") + 2); }},
        DamagedFileRow{"line_feed_in_name",
                       [](const QByteArray& r) { return QByteArray("\x5f") + r; }},
        // Values no list shows: the lists kept their selection before.
        DamagedFileRow{"year_1904", [](const QByteArray& r) { return WithLine(r, 3, "1904"); }},
        DamagedFileRow{"hour_24", [](const QByteArray& r) { return WithLine(r, 4, "24"); }},
        DamagedFileRow{"minute_60", [](const QByteArray& r) { return WithLine(r, 5, "60"); }},
        DamagedFileRow{"zone_71", [](const QByteArray& r) { return WithLine(r, 6, "71"); }},
        DamagedFileRow{"zone_minus_1", [](const QByteArray& r) { return WithLine(r, 6, "-1"); }},
        DamagedFileRow{"zone_20_digits",
                       [](const QByteArray& r) { return WithLine(r, 6, "12345678901234567890"); }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FormButtons, OpenedReadingWithoutMonthIsRefusedByTheChecks) {
    StartedApp s;
    const QString path = WriteReading(s, KnownBirthReading(0));
    ASSERT_FALSE(path.isEmpty());
    s.platform.openAnswers.push_back(path);

    s.click(s.form(), "cmdOpen");

    ASSERT_EQ(s.platform.messages.size(), 1u);
    EXPECT_EQ(s.platform.messages[0].text, "Please Enter Correct Date Or Month!");
    EXPECT_EQ(s.platform.messages[0].icon, MessageIcon::Information);
    EXPECT_EQ(s.form()->input().name, "Ann Example");
    EXPECT_EQ(s.form()->input().monthIndex, -1);
    EXPECT_TRUE(Find<QWidget>(s.form(), "cboMonth")->hasFocus());
    EXPECT_EQ(s.main(), nullptr);
}

TEST(FormButtons, OpenCancelledChangesNothing) {
    StartedApp s;
    s.click(s.form(), "cmdOpen");
    EXPECT_EQ(s.platform.openDialogs.size(), 1u);
    EXPECT_EQ(s.form()->input(), FormInput{});
    EXPECT_EQ(s.main(), nullptr);
    EXPECT_TRUE(s.form()->isVisible());
}

TEST(FormButtons, PlaceLookUpStopsAtTheFirstEmptyBoxAndFocusesIt) {
    StartedApp s;
    FormInput in;
    in.city = "Pune";
    in.country = "India";
    s.form()->setInput(in);
    s.click(s.form(), "Command1");
    ASSERT_EQ(s.platform.messages.size(), 1u);
    EXPECT_EQ(s.platform.messages[0].text, "Please Enter State");
    EXPECT_EQ(s.platform.messages[0].icon, MessageIcon::Error);
    EXPECT_TRUE(Find<QWidget>(s.form(), "txtState")->hasFocus());
    EXPECT_TRUE(s.platform.openedUrls.empty());

    in.state = "Maharashtra";
    s.form()->setInput(in);
    s.click(s.form(), "Command1");
    EXPECT_EQ(s.platform.messages.size(), 1u);
    ASSERT_EQ(s.platform.openedUrls.size(), 1u);
    EXPECT_TRUE(s.platform.openedUrls[0].toString().contains("Pune"));
}

}  // namespace
}  // namespace velloran::test

namespace velloran::test {
namespace {

// A daylight-time zone with the daylight-saving box ticked counts the hour twice: the form says
// so under its rows (the arithmetic stays as it is), and says nothing otherwise.
TEST(FormZoneNote, ADaylightZoneWithTheBoxTickedIsNoted) {
    StartedApp s;
    FrmMain* form = s.form();
    auto* zone = Find<QComboBox>(form, "cboTimeZone");
    auto* box = Find<QCheckBox>(form, "chkDST");
    auto* note = Find<QLabel>(form, "lblZoneNote");
    ASSERT_TRUE(zone && box && note);
    struct Case {
        const char* label;
        bool ticked;
        const char* said;
    };
    for (const Case& c : {Case{"Eastern Daylight Time,EDT,-4.0", true,
                               "Eastern Daylight Time already includes daylight saving; the box "
                               "takes off another hour."},
                          Case{"British Summer Time,BST,+1.0", true,
                               "British Summer Time already includes daylight saving; the box "
                               "takes off another hour."},
                          Case{"Eastern Daylight Time,EDT,-4.0", false, ""},
                          Case{"Eastern Standard Time,EST,-5.0", true, ""}}) {
        zone->setCurrentIndex(ZoneIndexOf(c.label));
        box->setChecked(c.ticked);
        EXPECT_EQ(note->text(), QString::fromUtf8(c.said)) << c.label;
        EXPECT_EQ(note->isHidden(), QString::fromUtf8(c.said).isEmpty()) << c.label;
    }
}

}  // namespace
}  // namespace velloran::test

namespace velloran::test {
namespace {

// A birth typed into the boxes by hand, the zone list left where it starts (its first entry).
void TypeBirthLeavingTheZone(FrmMain* form) {
    const FormInput birth = KnownBirthForm();
    const std::pair<const char*, std::string> boxes[] = {{"txtName", birth.name},
                                                         {"txtCity", birth.city},
                                                         {"txtState", birth.state},
                                                         {"txtCountry", birth.country},
                                                         {"txtLatD", birth.latitudeDegrees},
                                                         {"txtLatM", birth.latitudeMinutes},
                                                         {"txtLonD", birth.longitudeDegrees},
                                                         {"txtLonM", birth.longitudeMinutes}};
    for (const auto& [name, text] : boxes) {
        auto* box = Find<QLineEdit>(form, QString::fromLatin1(name));
        ASSERT_NE(box, nullptr) << name;
        box->setText(QString::fromStdString(text));
    }
    Find<QComboBox>(form, "cboYear")->setCurrentIndex(birth.yearIndex);
    EXPECT_EQ(Find<QComboBox>(form, "cboTimeZone")->currentIndex(), 0);
}

// A zone nobody chose is asked about before it is calculated with: No leaves the form with the
// focus on the zone list, Yes calculates and the chart window names the zone.
TEST(FormZone, TheFirstZoneNeverChosenIsAskedAbout) {
    StartedApp s;
    TypeBirthLeavingTheZone(s.form());
    s.clickCalculate();
    ASSERT_EQ(s.platform.messages.size(), 1u);
    EXPECT_EQ(s.platform.messages[0].text,
              "The time zone is still the first of the list, Alaska/Hawaii Daylight Time. "
              "Calculate with this zone?");
    EXPECT_EQ(s.platform.messages[0].icon, MessageIcon::Question);
    EXPECT_EQ(s.main(), nullptr);
    EXPECT_TRUE(Find<QWidget>(s.form(), "cboTimeZone")->hasFocus());

    s.platform.yesNoAnswers.push_back(true);
    s.clickCalculate();
    EXPECT_EQ(s.platform.messages.size(), 2u);
    ASSERT_NE(s.main(), nullptr);
    EXPECT_EQ(Label(s.display(), "lblZone"), "Time Zone: Alaska/Hawaii Daylight Time");
    // Accepted once, it is not asked about again (another positions choice calculates again).
    s.trigger(s.main(), "mnuPrecisePositions");
    QApplication::processEvents();
    EXPECT_EQ(s.platform.messages.size(), 2u);
}

// A zone picked from the list (even its first entry), set by a reading or by the atlas counts
// as chosen; a form whose checks fail shows their message, not the question.
TEST(FormZone, AChosenZoneOrAFailingCheckAsksNothing) {
    {
        StartedApp s;
        TypeBirthLeavingTheZone(s.form());
        auto* zone = Find<QComboBox>(s.form(), "cboTimeZone");
        emit zone->activated(0);  // the first entry, picked from the list
        s.clickCalculate();
        EXPECT_TRUE(s.platform.messages.empty());
        EXPECT_NE(s.main(), nullptr);
    }
    {
        StartedApp s;
        TypeBirthLeavingTheZone(s.form());
        Find<QLineEdit>(s.form(), "txtName")->clear();
        s.clickCalculate();
        ASSERT_EQ(s.platform.messages.size(), 1u);
        EXPECT_EQ(s.platform.messages[0].text, "Please Enter Your Name");
    }
    {
        StartedApp s;
        FormInput first = KnownBirthForm();
        first.zoneIndex = 0;  // a reading saved with the first zone
        s.calculate(first);
        EXPECT_TRUE(s.platform.messages.empty());
        EXPECT_NE(s.main(), nullptr);
    }
}

}  // namespace
}  // namespace velloran::test
