// The contacts window's "Against:" choice driven through the program: another reading (and a
// damaged one), the sky of a moment with its Now button, the orb, the rows, the copied text and
// the comparison wheel's inner ring and marks.

#include <gtest/gtest.h>

#include <QSignalSpy>

#include <QAbstractButton>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QLabel>
#include <QTableView>
#include <map>

#include "GuiTestSupport.h"
#include "chart/gui/ChartPictures.h"
#include "chart/gui/ContactsWindow.h"
#include "chart/gui/DegreeWheelView.h"

namespace velloran::test {
namespace {

// A reading file of the form's birth in the test's folder.
QString SaveReading(const QTemporaryDir& dir, const FormInput& form, const char* name) {
    const std::string bytes = ReadingFileOf(form);
    const QString path = dir.filePath(QString::fromLatin1(name));
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes.data(), qint64(bytes.size()));
    return path;
}

class AgainstWindow : public ::testing::Test {
protected:
    void SetUp() override {
        s.calculate(KnownBirthForm());
        ASSERT_NE(s.main(), nullptr);
        s.click(s.main(), "cmdComparison");
        s.trigger(s.main(), "mnuContacts");
        w = s.app->contactsWindow();
        ASSERT_NE(w, nullptr);
        against = Find<QComboBox>(w, "cboAgainst");
        ASSERT_NE(against, nullptr);
    }
    void Choose(AgainstChoice choice) {
        against->setCurrentIndex(static_cast<int>(choice));
        emit against->activated(static_cast<int>(choice));
        QApplication::processEvents();  // the open dialog comes queued
    }
    QString Cell(int row, int column) const {
        return Find<QTableView>(w, "tblContacts")->model()->index(row, column).data().toString();
    }
    StartedApp s;
    ContactsWindow* w = nullptr;
    QComboBox* against = nullptr;
};

TEST_F(AgainstWindow, AnotherReadingListsBothDirectionsAndTakesTheInnerRing) {
    ASSERT_NE(s.app->reading(), nullptr);
    const BirthData before = s.app->reading()->birth();
    const Chart natalBefore = s.app->reading()->natal;
    const FormInput formBefore = s.form()->input();
    s.platform.openAnswers.push_back(SaveReading(s.dir, RaviBirthForm(), "ravi.vlr"));
    Choose(AgainstChoice::OtherReading);

    EXPECT_EQ(w->against(), AgainstChoice::OtherReading);
    EXPECT_EQ(Label(w, "lblOther"), "Ravi Example");
    ASSERT_EQ(w->groups().size(), 2u);
    // Titles on rows of their own, then the rows of each group (worked out in the core test).
    EXPECT_EQ(Cell(0, 0), "Ann Example's draconic chart on Ravi Example's natal chart");
    EXPECT_EQ(Cell(1, 0), "Draconic Asc");
    EXPECT_EQ(Cell(1, 2), "Natal Asc");
    EXPECT_EQ(Cell(3, 0), "Ravi Example's draconic chart on Ann Example's natal chart");
    EXPECT_EQ(Cell(4, 0), "Draconic Mars");
    EXPECT_EQ(w->rows().size(), 4u);
    EXPECT_EQ(Label(w, "lblStatus"), "4 contacts within 2°.");
    // The current reading and the form are as they were.
    ASSERT_NE(s.app->reading(), nullptr);
    EXPECT_EQ(s.app->reading()->birth(), before);
    EXPECT_EQ(s.app->reading()->natal, natalBefore);
    EXPECT_EQ(s.form()->input(), formBefore);

    // The comparison wheel: Ravi's natal chart inside, named in the legend, cells marked.
    const ChartWindowModel* model = s.app->chartModel();
    EXPECT_EQ(model->innerLegend, "Inner Wheel - Ravi Example");
    EXPECT_EQ(Label(s.display(), "lblLegend0"), "Inner Wheel - Ravi Example");
    EXPECT_EQ(Label(s.display(), "Planet0"), "15 Pis 01");                 // Ravi's Sun
    EXPECT_TRUE(Find<PositionCell>(s.display(), "Planet3")->isMarked());   // Ravi's Venus
    EXPECT_TRUE(Find<PositionCell>(s.display(), "Planet16")->isMarked());  // Ann's draconic Saturn
    // The natal column says whose it is: in full to a screen reader and in the tooltip, cut to
    // its border's room on screen.
    auto* column = Find<CaptionFrame>(s.display(), "fraPlanet_Position1");
    ASSERT_NE(column, nullptr);
    EXPECT_EQ(column->caption(), "Natal: Ravi Example");
    EXPECT_EQ(column->accessibleName(), "Natal: Ravi Example");
    EXPECT_TRUE(column->shownCaption().startsWith("Natal")) << column->shownCaption().toStdString();
    EXPECT_LT(column->captionRect().right(), column->width() - 3);
    EXPECT_EQ(column->toolTip(), column->shownCaption() == column->caption()
                                     ? QString()
                                     : QString("Natal: Ravi Example"));

    // Copy: both groups under their titles.
    w->copyToClipboard();
    const QString copied = QApplication::clipboard()->text();
    EXPECT_TRUE(
        copied.startsWith("Ann Example's draconic chart on Ravi Example's natal chart\n"
                          "Draconic\tAspect\tNatal\t"))
        << copied.toStdString();
    EXPECT_TRUE(copied.contains("\nRavi Example's draconic chart on Ann Example's natal chart\n"));

    // Unticking the ring choice gives the inner ring back to the reading's own natal chart.
    Find<QCheckBox>(w, "chkRing")->setChecked(false);
    EXPECT_EQ(s.app->chartModel()->innerLegend, "");
    EXPECT_EQ(Label(s.display(), "lblLegend0"), "Inner Wheel - Natal Chart");
    EXPECT_EQ(Label(s.display(), "Planet0"), "24 Cap 55");  // Ann's Sun
    EXPECT_EQ(column->caption(), "Natal");
    EXPECT_EQ(column->toolTip(), "");
}

TEST_F(AgainstWindow, ADamagedReadingIsRefusedAndNothingChanges) {
    ASSERT_NE(s.app->reading(), nullptr);
    const BirthData before = s.app->reading()->birth();
    const Chart natalBefore = s.app->reading()->natal;
    const FormInput formBefore = s.form()->input();
    const QString damaged = s.dir.filePath("damaged.vlr");
    QFile file(damaged);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a reading\r\n");
    file.close();
    s.platform.openAnswers.push_back(damaged);
    Choose(AgainstChoice::OtherReading);

    ASSERT_FALSE(s.platform.messages.empty());
    EXPECT_EQ(s.platform.messages.back().text, "Please Check The File.");
    EXPECT_EQ(w->against(), AgainstChoice::NatalChart);
    EXPECT_EQ(against->currentIndex(), 0);
    ASSERT_NE(s.app->reading(), nullptr);
    EXPECT_EQ(s.app->reading()->birth(), before);
    EXPECT_EQ(s.app->reading()->natal, natalBefore);
    EXPECT_EQ(s.form()->input(), formBefore);
    EXPECT_EQ(s.app->chartModel()->innerLegend, "");

    // A cancelled dialog changes nothing either.
    const std::size_t messages = s.platform.messages.size();
    Choose(AgainstChoice::OtherReading);
    EXPECT_EQ(w->against(), AgainstChoice::NatalChart);
    EXPECT_EQ(s.platform.messages.size(), messages);
}

// Every chart of a comparison has the reading's positions: another reading opened with the
// classic positions is calculated again when the precise ones are chosen, and the window lists
// what the command line lists for the same choice (contacts --with, precise positions).
TEST_F(AgainstWindow, AnotherReadingFollowsThePositionsChoice) {
    const PositionsChoice precise{PositionsKind::Precise, NodeKind::Mean};
    // Calculated before the program opens its ephemeris: one library state at a time.
    const Reading ann = ReadingOf(KnownBirthForm(), {precise, nullptr});
    const Reading ravi = ReadingOf(RaviBirthForm(), {precise, nullptr});
    const std::vector<ContactGroup> expected = SynastryGroups(ann, ravi, w->settings());

    s.platform.openAnswers.push_back(SaveReading(s.dir, RaviBirthForm(), "ravi.vlr"));
    Choose(AgainstChoice::OtherReading);
    ASSERT_NE(w->otherReading(), nullptr);
    EXPECT_FALSE(w->otherReading()->positions.precise());

    s.trigger(s.main(), "mnuPrecisePositions");
    QApplication::processEvents();  // the recalculation comes queued
    ASSERT_NE(s.app->reading(), nullptr);
    ASSERT_EQ(s.app->reading()->positions, precise);
    ASSERT_NE(w->otherReading(), nullptr);
    EXPECT_EQ(w->otherReading()->positions, precise);
    EXPECT_EQ(w->otherReading()->natal, ravi.natal);
    ASSERT_EQ(w->groups().size(), expected.size());
    for (std::size_t g = 0; g < expected.size(); ++g) {
        EXPECT_EQ(w->groups()[g].title, expected[g].title);
        EXPECT_EQ(w->groups()[g].contacts, expected[g].contacts) << g;
    }
    // The inner ring's column shows Ravi's precise positions: the midheaven and the modern
    // bodies too.
    const ChartWindowModel* model = s.app->chartModel();
    ASSERT_NE(model, nullptr);
    EXPECT_EQ(model->innerLegend, "Inner Wheel - Ravi Example");
    ASSERT_EQ(model->bodyRows, ravi.natal.bodyCount);
    for (int k = 0; k < ravi.natal.bodyCount; ++k) {
        EXPECT_EQ(model->natalColumn.cells[k], CompactPosition(ravi.natal.bodies[k])) << k;
        EXPECT_FALSE(model->natalColumn.cells[k].empty()) << k;
    }

    // Back to the classic positions: the other reading follows again.
    s.trigger(s.main(), "mnuClassicPositions");
    QApplication::processEvents();
    ASSERT_NE(w->otherReading(), nullptr);
    EXPECT_FALSE(w->otherReading()->positions.precise());
    EXPECT_EQ(w->rows().size(), 4u);
}

// Closed, the window leaves the inner ring to the reading's own natal chart; opened again, the
// other reading comes back.
TEST_F(AgainstWindow, ClosingTheWindowGivesTheInnerRingBack) {
    s.platform.openAnswers.push_back(SaveReading(s.dir, RaviBirthForm(), "ravi.vlr"));
    Choose(AgainstChoice::OtherReading);
    EXPECT_EQ(Label(s.display(), "lblLegend0"), "Inner Wheel - Ravi Example");

    s.click(w, "cmdClose");
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(s.app->chartModel()->innerLegend, "");
    EXPECT_EQ(Label(s.display(), "lblLegend0"), "Inner Wheel - Natal Chart");
    EXPECT_EQ(Label(s.display(), "Planet0"), "24 Cap 55");  // Ann's Sun

    s.trigger(s.main(), "mnuContacts");
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(Label(s.display(), "lblLegend0"), "Inner Wheel - Ravi Example");
    EXPECT_EQ(Label(s.display(), "Planet0"), "15 Pis 01");  // Ravi's Sun
}

// With the degree wheel, the chart the contacts window lays the draconic chart against takes the
// bi-wheel's inner ring, with a line for each of its contacts; the sky has no ascendant, so the
// draconic chart's houses are drawn.
TEST_F(AgainstWindow, TheDegreeWheelShowsTheOtherChartInside) {
    s.trigger(s.main(), "mnuDegreeWheel");
    s.platform.openAnswers.push_back(SaveReading(s.dir, RaviBirthForm(), "ravi.vlr"));
    Choose(AgainstChoice::OtherReading);
    DegreeWheelView* wheel = s.display()->degreeWheel();
    ASSERT_NE(wheel, nullptr);
    ASSERT_EQ(wheel->wheel().rings.size(), 2u);
    EXPECT_EQ(wheel->wheel().rings[0].chart, WheelChart::Other);
    EXPECT_EQ(wheel->wheel().rings[1].chart, WheelChart::Draconic);
    EXPECT_EQ(wheel->wheel().aspects.size(), 2u);  // this draconic chart on Ravi's natal chart
    EXPECT_TRUE(wheel->accessibleDescription().startsWith("Other chart: "))
        << wheel->accessibleDescription().toStdString();

    Choose(AgainstChoice::Sky);
    Find<QDateTimeEdit>(w, "dteSky")
        ->setDateTime(QDateTime(QDate(2000, 1, 1), QTime(12, 0), Qt::UTC).toLocalTime());
    wheel = s.display()->degreeWheel();
    ASSERT_NE(wheel, nullptr);
    EXPECT_EQ(wheel->wheel().rings[0].chart, WheelChart::Sky);
    EXPECT_EQ(wheel->wheel().aspects.size(), 1u);  // transiting Jupiter on the draconic Saturn
    EXPECT_EQ(wheel->wheel().ascendant, s.app->reading()->draconic[ChartBody::Ascendant].longitude);
}

// Grown for the sky's wider columns, the window is placed again for its new size.
TEST_F(AgainstWindow, GrownItIsPlacedAgain) {
    const int before = w->width();
    QSignalSpy grown(w, &ContactsWindow::grown);
    Choose(AgainstChoice::Sky);
    auto* when = Find<QDateTimeEdit>(w, "dteSky");
    when->setDateTime(QDateTime(QDate(2006, 7, 1), QTime(0, 0), Qt::UTC).toLocalTime());
    QApplication::processEvents();
    if (w->width() == before) GTEST_SKIP() << "the sky's columns fit the window as it was";
    EXPECT_GE(grown.count(), 1);
    const QRect chart(s.display()->mapToGlobal(QPoint(0, 0)), s.display()->size());
    QWidget* tableFrame = Find(s.display(), "Frame1");
    ASSERT_NE(tableFrame, nullptr);
    const QRect table(tableFrame->mapToGlobal(QPoint(0, 0)), tableFrame->size());
    const QRect screen = s.main()->screen()->availableGeometry();
    const QSize decoration = w->frameGeometry().size() - w->size();
    EXPECT_EQ(w->frameGeometry(),
              ContactsWindowGeometry(screen, chart, table,
                                     QSize(w->sizeHint().width(), w->height()) + decoration,
                                     w->minimumSizeHint().width() + decoration.width()));
}

TEST_F(AgainstWindow, TheSkyOfAMomentItsOrbAndItsNowButton) {
    Choose(AgainstChoice::Sky);
    auto* when = Find<QDateTimeEdit>(w, "dteSky");
    ASSERT_TRUE(when->isVisible());
    // The default is the platform's clock: now, in local time.
    EXPECT_EQ(when->dateTime(), s.platform.clock);

    when->setDateTime(QDateTime(QDate(2000, 1, 1), QTime(12, 0), Qt::UTC).toLocalTime());
    ASSERT_EQ(w->rows().size(), 1u);
    EXPECT_EQ(Cell(0, 0), "Transiting Jupiter");
    EXPECT_EQ(Cell(0, 1), "☌ conjunction");
    EXPECT_EQ(Cell(0, 2), "Draconic Saturn");
    EXPECT_EQ(Cell(0, 3), "1° 42'");
    const auto* table = Find<QTableView>(w, "tblContacts");
    EXPECT_EQ(table->model()->headerData(0, Qt::Horizontal).toString(), "Transiting");
    EXPECT_EQ(s.app->chartModel()->innerLegend, "Inner Wheel - Sky on 2000-01-01 12:00 UT");
    EXPECT_EQ(Label(s.display(), "Planet9"), "");  // the sky has no ascendant
    EXPECT_TRUE(Find<PositionCell>(s.display(), "Planet5")->isMarked());  // transiting Jupiter
    EXPECT_FALSE(Find<PositionCell>(s.display(), "Planet0")->isMarked());

    // A wider orb: more rows, more marks.
    auto* orb = Find<QComboBox>(w, "cboOrb");
    orb->setCurrentIndex(orb->findData(5.0));
    EXPECT_GT(w->rows().size(), 1u);
    int marked = 0;
    for (int i = 0; i < kBodyCount; ++i)
        marked += Find<PositionCell>(s.display(), QStringLiteral("Planet%1").arg(i))->isMarked();
    EXPECT_GT(marked, 1);

    w->copyToClipboard();
    EXPECT_TRUE(QApplication::clipboard()->text().startsWith(
        "Transiting\tAspect\tDraconic\tOrb\tTransiting position\tDraconic position\n"));

    // A moment the classic positions do not cover is said, not guessed.
    when->setDateTime(QDateTime(QDate(1890, 6, 1), QTime(0, 0)));
    EXPECT_TRUE(w->rows().empty());
    EXPECT_EQ(Label(w, "lblStatus").toStdString(),
              "No sky: the classic positions cover the years 1905 to 2050; choose a moment "
              "within them or the precise positions.");

    s.platform.clock = QDateTime(QDate(2031, 5, 6), QTime(7, 8));
    s.click(w, "cmdNow");
    EXPECT_EQ(when->dateTime(), s.platform.clock);
}

// A year typed into the date box where it was clicked takes effect: the click selects the
// section it falls in, so the digits replace it.
TEST_F(AgainstWindow, AYearTypedWhereTheBoxWasClickedIsTaken) {
    Choose(AgainstChoice::Sky);
    auto* when = Find<QDateTimeEdit>(w, "dteSky");
    when->setDateTime(QDateTime(QDate(2000, 1, 1), QTime(12, 0), Qt::UTC).toLocalTime());
    w->activateWindow();
    auto* text = when->findChild<QLineEdit*>();
    ASSERT_NE(text, nullptr);
    // Between the year's second and third digits.
    const int x = text->fontMetrics().horizontalAdvance(QStringLiteral("20")) + 2;
    QTest::mouseClick(text, Qt::LeftButton, {}, QPoint(x, text->height() / 2));
    QTest::keyClicks(when, "1999");
    EXPECT_EQ(when->date().year(), 1999) << when->text().toStdString();
    QTest::keyClick(when, Qt::Key_Tab);
    EXPECT_EQ(when->date().year(), 1999) << when->text().toStdString();
    EXPECT_TRUE(s.app->chartModel()->innerLegend.starts_with("Inner Wheel - Sky on 1999-"))
        << s.app->chartModel()->innerLegend;
}

TEST_F(AgainstWindow, EveryAccessKeyOfTheWindowIsItsOwn) {
    std::map<QChar, QString> keys;
    auto take = [&](const QString& text) {
        const qsizetype at = text.indexOf(QLatin1Char('&'));
        if (at < 0 || at + 1 >= text.size()) return;
        const QChar key = text[at + 1].toLower();
        EXPECT_FALSE(keys.count(key)) << text.toStdString() << " and " << keys[key].toStdString();
        keys[key] = text;
    };
    for (auto* label : w->findChildren<QLabel*>())
        if (label->buddy()) take(label->text());
    for (auto* button : w->findChildren<QAbstractButton*>()) take(button->text());
    EXPECT_GE(keys.size(), 12u);
}

}  // namespace
}  // namespace velloran::test
