// The atlas on the birth-data form: completions in the City box, and the place, coordinates,
// zone and daylight-saving box filled in for the form's date and time.

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QAccessible>
#include <QCheckBox>
#include <QCompleter>
#include <QLabel>

#include "GuiTestSupport.h"
#include "core/RowName.h"
#include "input/gui/FormAtlas.h"

namespace velloran::test {
namespace {

constexpr int kBuildWaitMs = 20000;  // the index builds once, on a worker thread

class FormAtlasTest : public ::testing::Test {
protected:
    void SetUp() override {
        form = s.form();
        ASSERT_NE(form, nullptr);
        atlas = form->findChild<FormAtlas*>(QStringLiteral("formAtlas"));
        ASSERT_NE(atlas, nullptr);
        city = Find<QLineEdit>(form, "txtCity");
    }

    void setMoment(int year, int month, int day, int hour, int minute) {
        Find<QComboBox>(form, "cboYear")->setCurrentIndex(year - kFirstYear);
        Find<QComboBox>(form, "cboMonth")->setCurrentIndex(month - 1);
        Find<QComboBox>(form, "cboDate")->setCurrentIndex(day - 1);
        Find<QComboBox>(form, "cboHour")->setCurrentIndex(hour);
        Find<QComboBox>(form, "cboMinute")->setCurrentIndex(minute);
    }

    // Types into the City box and waits for the completions; the popup.
    QAbstractItemView* type(const char* letters) {
        city->setFocus();
        QTest::keyClicks(city, QString::fromLatin1(letters));
        QAbstractItemView* popup = atlas->completer()->popup();
        EXPECT_TRUE(QTest::qWaitFor([&] { return popup->isVisible(); }, kBuildWaitMs));
        return popup;
    }

    // Types the letters into an empty City box and chooses the first completion by keyboard.
    void choose(const char* letters) {
        city->clear();
        QAbstractItemView* popup = type(letters);
        QTest::keyClick(popup, Qt::Key_Down);
        QTest::keyClick(popup, Qt::Key_Return);
    }

    QString row(QAbstractItemView* popup, int r) {
        return popup->model()->index(r, 0).data().toString();
    }
    QString text(const char* name) { return Find<QLineEdit>(form, name)->text(); }
    int zone() { return Find<QComboBox>(form, "cboTimeZone")->currentIndex(); }
    bool dst() { return Find<QCheckBox>(form, "chkDST")->isChecked(); }
    QString note() { return Find<QLabel>(form, "lblAtlasNote")->text(); }

    StartedApp s;
    FrmMain* form = nullptr;
    FormAtlas* atlas = nullptr;
    QLineEdit* city = nullptr;
};

TEST_F(FormAtlasTest, ZurThenZurichByKeyboardFillsEveryField) {
    setMoment(1980, 1, 15, 10, 30);
    EXPECT_FALSE(form->zoneChosen());
    QAbstractItemView* popup = type("Zur");
    ASSERT_TRUE(popup->isVisible());
    EXPECT_EQ(row(popup, 0), "Zurich, Canton of Zurich, Switzerland");
    EXPECT_EQ(popup->accessibleName(), "Places from the atlas");

    QTest::keyClick(popup, Qt::Key_Down);
    QTest::keyClick(popup, Qt::Key_Return);
    EXPECT_FALSE(popup->isVisible());
    EXPECT_EQ(text("txtCity"), "Zurich");
    EXPECT_EQ(text("txtState"), "Canton of Zurich");
    EXPECT_EQ(text("txtCountry"), "Switzerland");
    EXPECT_EQ(text("txtLatD"), "47");
    EXPECT_EQ(text("txtLatM"), "22");
    EXPECT_TRUE(Find<QRadioButton>(form, "optLatSouth0")->isChecked());
    EXPECT_EQ(text("txtLonD"), "8");
    EXPECT_EQ(text("txtLonM"), "33");
    EXPECT_TRUE(Find<QRadioButton>(form, "optLongEast0")->isChecked());
    EXPECT_EQ(Find<QComboBox>(form, "cboTimeZone")->currentText(),
              "Central European Time,CET,+1.0");
    EXPECT_FALSE(dst());
    EXPECT_TRUE(form->zoneChosen());  // the atlas chose it
    EXPECT_EQ(note(),
              "Zone and daylight saving set by the atlas for 15 January 1980 10:30: Central "
              "European Time, UTC+1, no daylight saving");
    EXPECT_TRUE(s.platform.messages.empty());
}

TEST_F(FormAtlasTest, DateAndTimeFollowUntilTheZoneIsChangedByHand) {
    setMoment(1990, 1, 15, 10, 30);
    QAbstractItemView* popup = type("new y");
    ASSERT_EQ(row(popup, 0), "New York, United States of America");
    QTest::keyClick(popup, Qt::Key_Down);
    QTest::keyClick(popup, Qt::Key_Return);
    EXPECT_EQ(Find<QComboBox>(form, "cboTimeZone")->currentText(),
              "Eastern Standard Time,EST,-5.0");
    EXPECT_FALSE(dst());
    EXPECT_TRUE(Find<QRadioButton>(form, "optLongEast1")->isChecked());  // West

    Find<QComboBox>(form, "cboMonth")->setCurrentIndex(6);  // July: daylight saving
    EXPECT_EQ(zone(), 27);
    EXPECT_TRUE(dst());
    EXPECT_EQ(note(),
              "Zone and daylight saving set by the atlas for 15 July 1990 10:30: Eastern "
              "Standard Time, UTC\u22124, daylight saving");

    Find<QCheckBox>(form, "chkDST")->setChecked(false);  // by hand
    Find<QComboBox>(form, "cboMonth")->setCurrentIndex(7);
    EXPECT_FALSE(dst());
    Find<QComboBox>(form, "cboMonth")->setCurrentIndex(0);
    EXPECT_EQ(zone(), 27);
    EXPECT_FALSE(dst());
    EXPECT_TRUE(s.platform.messages.empty());
}

// The note says what the boxes hold: it goes when they are changed by hand or filled from a
// reading, and a reading's zone is not replaced by the atlas's when its date lists change.
TEST_F(FormAtlasTest, TheNoteGoesWhenTheBoxesNoLongerHoldWhatTheAtlasSet) {
    setMoment(1980, 1, 15, 10, 30);
    choose("Zur");
    ASSERT_FALSE(note().isEmpty());
    const int cet = zone();

    const FormInput known = KnownBirthForm();
    form->setInput(known);
    EXPECT_EQ(note(), "");
    EXPECT_EQ(zone(), known.zoneIndex);
    Find<QComboBox>(form, "cboMonth")->setCurrentIndex(6);
    EXPECT_EQ(zone(), known.zoneIndex);
    EXPECT_EQ(note(), "");

    // Chosen again, then the box changed by hand.
    choose("Zur");
    ASSERT_EQ(zone(), cet);
    ASSERT_FALSE(note().isEmpty());
    Find<QCheckBox>(form, "chkDST")->setChecked(!dst());
    EXPECT_EQ(note(), "");
    EXPECT_TRUE(s.platform.messages.empty());
}

// A row picked for its offset whose name is another region's: the note names the place's own
// zone as well; a row of the place's own name does not.
TEST_F(FormAtlasTest, TheNoteNamesThePlacesOwnZoneWhenTheRowIsAnotherRegions) {
    setMoment(1980, 1, 15, 10, 30);
    QAbstractItemView* popup = type("Lagos");
    ASSERT_EQ(row(popup, 0), "Lagos, Nigeria");
    QTest::keyClick(popup, Qt::Key_Down);
    QTest::keyClick(popup, Qt::Key_Return);
    EXPECT_EQ(Find<QComboBox>(form, "cboTimeZone")->currentText(), "British Summer Time,BST,+1.0");
    EXPECT_EQ(note(),
              "Zone and daylight saving set by the atlas for 15 January 1980 10:30: British "
              "Summer Time, UTC+1, no daylight saving (the place's own zone: WAT, UTC+1)");

    choose("Zur");
    EXPECT_FALSE(note().contains("own zone")) << note().toStdString();
}

TEST_F(FormAtlasTest, NoRowByMouseTellsTheOffsetAndLeavesTheZone) {
    setMoment(1990, 6, 1, 12, 0);
    Find<QComboBox>(form, "cboTimeZone")->setCurrentIndex(34);
    QAbstractItemView* popup = type("kathm");
    ASSERT_EQ(row(popup, 0), "Kathmandu, Bagmati Province, Nepal");
    const QModelIndex first = popup->model()->index(0, 0);
    QTest::mouseClick(popup->viewport(), Qt::LeftButton, {}, popup->visualRect(first).center());
    EXPECT_EQ(text("txtCity"), "Kathmandu");
    EXPECT_EQ(text("txtLatD"), "27");
    EXPECT_EQ(zone(), 34);
    ASSERT_EQ(s.platform.messages.size(), 1u);
    EXPECT_EQ(s.platform.messages[0].icon, MessageIcon::Information);
    EXPECT_TRUE(s.platform.messages[0].text.contains("UTC+5:45"))
        << s.platform.messages[0].text.toStdString();
    EXPECT_EQ(note(),
              "Zone and daylight saving left as they were for 1 June 1990 12:00: UTC+5:45 "
              "matches no zone");
}

TEST_F(FormAtlasTest, EscapeKeepsWhatWasTyped) {
    Find<QLineEdit>(form, "txtState")->setText("Typed state");
    QAbstractItemView* popup = type("Zur");
    QTest::keyClick(popup, Qt::Key_Escape);
    EXPECT_FALSE(popup->isVisible());
    EXPECT_EQ(text("txtCity"), "Zur");
    EXPECT_EQ(text("txtState"), "Typed state");
    EXPECT_EQ(zone(), 0);
    EXPECT_FALSE(form->zoneChosen());  // the calculation will ask
    EXPECT_EQ(note(), "");
}

// A screen reader is told the note line's text, not a fixed name.
TEST_F(FormAtlasTest, NoteLineIsReadAsItsText) {
    setMoment(1980, 1, 15, 10, 30);
    QAbstractItemView* popup = type("Zur");
    QTest::keyClick(popup, Qt::Key_Down);
    QTest::keyClick(popup, Qt::Key_Return);
    ASSERT_FALSE(note().isEmpty());
    QAccessibleInterface* spoken =
        QAccessible::queryAccessibleInterface(Find<QLabel>(form, "lblAtlasNote"));
    ASSERT_NE(spoken, nullptr);
    EXPECT_EQ(spoken->text(QAccessible::Name), note());
}

// Keys the City box refuses, typed while the completions show.
struct RefusedKeyRow {
    const char* rowName;
    char key;
};
class CityKeysWithTheListOpen : public FormAtlasTest,
                                public ::testing::WithParamInterface<RefusedKeyRow> {};

TEST_P(CityKeysWithTheListOpen, AreRefusedWithTheLettersMessage) {
    QAbstractItemView* popup = type("Zur");
    ASSERT_TRUE(popup->isVisible());
    QTest::keyClick(popup, GetParam().key);
    EXPECT_EQ(city->text(), "Zur");
    ASSERT_EQ(s.platform.messages.size(), 1u);
    EXPECT_EQ(s.platform.messages[0].text, "Please enter only letters");
    EXPECT_EQ(s.platform.messages[0].icon, MessageIcon::Error);
    // Letters still go in and narrow the list.
    QTest::keyClick(popup, 'i');
    EXPECT_EQ(city->text(), "Zuri");
    EXPECT_EQ(s.platform.messages.size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Rows, CityKeysWithTheListOpen,
                         ::testing::Values(RefusedKeyRow{"digit", '5'}, RefusedKeyRow{"comma", ','},
                                           RefusedKeyRow{"full_stop", '.'},
                                           RefusedKeyRow{"hyphen", '-'},
                                           RefusedKeyRow{"at_sign", '@'}),
                         [](const auto& info) { return std::string(info.param.rowName); });

}  // namespace
}  // namespace velloran::test
