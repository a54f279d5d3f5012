// A whole reading through the windows: the calculation opens the main window in the draconic
// view, the three view buttons rearrange it, Back and New return to the form with its values,
// and the menu and toolbar commands reach their file commands.

#include <gtest/gtest.h>

#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QToolBar>

#include "GuiTestSupport.h"
#include "Version.h"
#include "chart/ChartWindow.h"
#include "chart/gui/ChartPictures.h"
#include "chart/gui/DisplayLabels.h"
#include "chart/gui/DisplayLayout.h"
#include "reading/Reading.h"
#include "ui/Twips.h"

namespace velloran::test {
namespace {

// The core's own results for the known birth, computed without any window: the reading and the
// chart window's model of it in each view.
struct CoreReading {
    Reading reading = ReadingOf(KnownBirthForm());
    ChartWindowModel in(ChartView view) const {
        return MakeChartWindow(reading, view, App::LocaleMonthNames());
    }
};

QString Cell(FrmDisplay* d, int i) { return Label(d, QStringLiteral("Planet%1").arg(i)); }

// The topmost widget of the chart window at a point of its client area.
QString FrontAt(FrmDisplay* d, QPoint p) {
    QWidget* w = d->childAt(p);
    while (w && w->parentWidget() != d) w = w->parentWidget();
    return w ? w->objectName() : QString();
}

const QPoint kPositionCellPoint{display::kDraconicFrameLeft / kTwipsPerPixel + 20,
                                (display::kFrameTop + 360) / kTwipsPerPixel + 8};
const QPoint kWheelPoint{60, 60};

// The model's parts behind the window's indexed controls: position cell i (natal 0..9,
// draconic 10..19), imgSign(i) (single wheel 0..11, outer ring 12..23, inner ring 24..35) and
// lblPlanets_Position(i) (outer ring 0..11, inner ring 12..23).
std::string CellOf(const ChartWindowModel& m, int i) {
    return (i < kBodyCount ? m.natalColumn : m.draconicColumn).cells[i % kBodyCount];
}
int PictureOf(const ChartWindowModel& m, int i) {
    const WheelHouses* wheels[] = {&m.singleWheel, &m.outerRing, &m.innerRing};
    return wheels[i / 12]->signPictures[i % 12];
}
std::string RingTextOf(const ChartWindowModel& m, int i) {
    return HouseText(i < 12 ? m.outerRing : m.innerRing, i % 12 + 1);
}

// The names of a house text in order, however its lines are laid out.
QStringList Names(const QString& text) {
    return text.split(QRegularExpression(QStringLiteral("[\\s,]+")), Qt::SkipEmptyParts);
}

void ExpectSingleWheelShows(FrmDisplay* d, const ChartWindowModel& m) {
    for (int h = 0; h < 12; ++h) {
        // A text that would run into a sign picture or another text is laid out again.
        EXPECT_EQ(Names(Label(d, QStringLiteral("lblNatal%1").arg(h))),
                  Names(HouseDisplayText(HouseText(m.singleWheel, h + 1))))
            << "house " << h + 1;
        EXPECT_EQ(Find<SignPicture>(d, QStringLiteral("imgSign%1").arg(h))->picture(),
                  m.singleWheel.signPictures[h]);
    }
}

class ChartFlow : public ::testing::Test {
protected:
    void SetUp() override {
        s.calculate(KnownBirthForm());
        ASSERT_NE(s.main(), nullptr);
        d = s.display();
        ASSERT_NE(d, nullptr);
    }
    StartedApp s;
    CoreReading core;
    FrmDisplay* d = nullptr;
};

TEST_F(ChartFlow, CalculationShowsTheDraconicChartAndHidesTheForm) {
    EXPECT_TRUE(s.main()->isVisible());
    EXPECT_FALSE(s.form()->isVisible());
    EXPECT_EQ(s.main()->windowTitle(), VELLORAN_TITLE);
    EXPECT_EQ(Label(d, "lblType"), "Draconian");
    EXPECT_EQ(Label(d, "lblName"), "Name: Ann Example");
    EXPECT_EQ(Label(d, "lblDOB"), "Date of Birth: January 15, 1980");
    EXPECT_EQ(Label(d, "lblTOB"), "Time of Birth: 10 Hour 30 Minute");
    EXPECT_EQ(Label(d, "lblZone"), "Time Zone: Eastern Standard Time");
    EXPECT_EQ(Label(d, "lblLatitude"), "Latitude: 40 Degree 43 Minute North");
    EXPECT_EQ(Label(d, "lblLongitude"), "Longitude: 74 Degree 0 Minute West");
    EXPECT_EQ(Label(d, "lblCity"), "City: New York");

    // Every cell and house text is the core's result for the same birth.
    const ChartWindowModel draconic = core.in(ChartView::Draconic);
    for (int i = 0; i < 20; ++i) EXPECT_EQ(Cell(d, i).toStdString(), CellOf(draconic, i)) << i;
    ExpectSingleWheelShows(d, draconic);
    EXPECT_EQ(Find<QLabel>(d, "lblNatal0")->palette().color(QPalette::WindowText),
              QColor(0, 0, 255));
    // Cells checked against an independent ephemeris (Moon 25°11' Sag, ascendant 4°46' Ari).
    EXPECT_EQ(Cell(d, 1), "25 Sag 10");
    EXPECT_EQ(Cell(d, 9), "04 Ari 46");
    // The draconic chart is the natal one less the North Node (150° 12'): Sun 24 Leo 43, Moon
    // 24 Can 58, ascendant in Scorpio, whose symbol house 1 shows; the planets of natal Virgo
    // stand in Aries, house 6.
    EXPECT_EQ(Cell(d, 10), "24 Leo 43");
    EXPECT_EQ(Cell(d, 11), "24 Can 58");
    EXPECT_EQ(Find<SignPicture>(d, "imgSign0")->picture(), 8);
    EXPECT_EQ(Label(d, "lblNatal0"), "\nAsc");
    EXPECT_EQ(Label(d, "lblNatal5"), "\nMars\nJupiter (R) \nSaturn (R) \nRahu");
    EXPECT_EQ(Label(d, "lblNatal9"), "\nSun\nMercury");

    // Draconic column in front at Left 9007, single wheel in front, legends hidden.
    EXPECT_EQ(FrontAt(d, kPositionCellPoint), "fraPlanet_Position0");
    EXPECT_EQ(Find<QWidget>(d, "fraPlanet_Position1")->x(), TwipsToPx(9007));
    EXPECT_EQ(FrontAt(d, kWheelPoint), "picNatal");
    EXPECT_FALSE(Find<QLabel>(d, "lblLegend0")->isVisible());
    EXPECT_FALSE(Find<QLabel>(d, "lblLegend1")->isVisible());
}

TEST_F(ChartFlow, NatalViewShowsTheNatalChartWithRetrogradeMarks) {
    s.click(s.main(), "cmdNatal");
    EXPECT_EQ(Label(d, "lblType"), "Natal");
    ExpectSingleWheelShows(d, core.in(ChartView::Natal));
    EXPECT_EQ(FrontAt(d, kPositionCellPoint), "fraPlanet_Position1");
    EXPECT_EQ(FrontAt(d, kWheelPoint), "picNatal");
    EXPECT_EQ(Find<QLabel>(d, "lblNatal0")->palette().color(QPalette::WindowText), QColor(0, 0, 0));
    // Ascendant in Aries: house 1 shows the Aries symbol; Mars, retrograde Jupiter and Saturn and
    // the North Node share Virgo, house 6.
    EXPECT_EQ(Find<SignPicture>(d, "imgSign0")->picture(), 1);
    EXPECT_EQ(Label(d, "lblNatal5"), "\nMars\nJupiter (R) \nSaturn (R) \nRahu");
    EXPECT_EQ(Label(d, "lblNatal0"), "\nAsc");
}

TEST_F(ChartFlow, ComparisonShowsBothRingsBothColumnsAndTheLegends) {
    s.click(s.main(), "cmdComparison");
    const ChartWindowModel comparison = core.in(ChartView::Comparison);
    EXPECT_EQ(Label(d, "lblType"), "Comparison");
    EXPECT_EQ(FrontAt(d, kWheelPoint), "picNatalDraconic");
    EXPECT_EQ(Find<QWidget>(d, "fraPlanet_Position1")->x(), TwipsToPx(10560));
    EXPECT_TRUE(Find<QLabel>(d, "lblLegend0")->isVisible());
    EXPECT_EQ(Label(d, "lblLegend0"), "Inner Wheel - Natal Chart");
    EXPECT_EQ(Label(d, "lblLegend1"), "Outer Wheel - Draconic Chart");
    // Each ring text names its house's bodies in order; a text that would run into a sign
    // picture or another text shares lines.
    const auto names = Names;
    for (int i = 0; i < 24; ++i) {
        EXPECT_EQ(names(Label(d, QStringLiteral("lblPlanets_Position%1").arg(i))),
                  names(HouseDisplayText(RingTextOf(comparison, i))))
            << i;
    }
    for (int i = 12; i < 36; ++i)
        EXPECT_EQ(Find<SignPicture>(d, QStringLiteral("imgSign%1").arg(i))->picture(),
                  PictureOf(comparison, i));
    // Inner ring house 6 of the natal chart in short labels, marks kept: four names on four
    // lines would run over the ring's sign picture, so they share two.
    EXPECT_EQ(Label(d, "lblPlanets_Position17"), "\nMa J (R)\nSa (R) N");
    EXPECT_EQ(Find<QLabel>(d, "lblPlanets_Position0")->palette().color(QPalette::WindowText),
              QColor(0, 0, 255));

    // A second press changes nothing.
    const QString before = Label(d, "lblPlanets_Position17");
    s.click(s.main(), "cmdComparison");
    EXPECT_EQ(Label(d, "lblPlanets_Position17"), before);
}

TEST_F(ChartFlow, ComparisonThenNatalShowsOnlyTheNatalColumn) {
    s.click(s.main(), "cmdComparison");
    s.click(s.main(), "cmdNatal");
    EXPECT_EQ(Label(d, "lblType"), "Natal");
    EXPECT_EQ(Find<QWidget>(d, "fraPlanet_Position1")->x(), TwipsToPx(9007));
    EXPECT_EQ(FrontAt(d, kPositionCellPoint), "fraPlanet_Position1");
    EXPECT_EQ(FrontAt(d, kWheelPoint), "picNatal");
    EXPECT_FALSE(Find<QLabel>(d, "lblLegend0")->isVisible());
}

TEST_F(ChartFlow, ComparisonThenDraconicPutsTheNatalColumnUnderneath) {
    s.click(s.main(), "cmdComparison");
    s.click(s.main(), "cmdDraconian");
    const ChartWindowModel draconic = core.in(ChartView::Draconic);
    EXPECT_EQ(Label(d, "lblType"), "Draconian");
    EXPECT_EQ(Find<QWidget>(d, "fraPlanet_Position1")->x(), TwipsToPx(9007));
    EXPECT_EQ(FrontAt(d, kPositionCellPoint), "fraPlanet_Position0");
    EXPECT_EQ(FrontAt(d, kWheelPoint), "picNatal");
    for (int i = 0; i < 20; ++i) EXPECT_EQ(Cell(d, i).toStdString(), CellOf(draconic, i)) << i;
    ExpectSingleWheelShows(d, draconic);
}

TEST_F(ChartFlow, BackAndNewKeepTheFormValuesAndRecalculateTheSame) {
    const FormInput entered = s.form()->input();
    QStringList cells;
    for (int i = 0; i < 20; ++i) cells << Cell(d, i);

    s.click(s.main(), "cmdBack");
    StartedApp::settle();
    EXPECT_EQ(s.main(), nullptr);
    EXPECT_TRUE(s.form()->isVisible());
    EXPECT_EQ(s.form()->input(), entered);
    EXPECT_FALSE(s.programEnded);

    s.clickCalculate();
    ASSERT_NE(s.main(), nullptr);
    for (int i = 0; i < 20; ++i) EXPECT_EQ(Cell(s.display(), i), cells[i]) << i;

    s.trigger(s.main(), "mnuNew");
    StartedApp::settle();
    EXPECT_EQ(s.main(), nullptr);
    EXPECT_TRUE(s.form()->isVisible());
    EXPECT_EQ(s.form()->input(), entered);

    s.clickCalculate();
    ASSERT_NE(s.main(), nullptr);
    s.trigger(s.main(), "mnuBack");
    StartedApp::settle();
    EXPECT_EQ(s.main(), nullptr);
    EXPECT_TRUE(s.form()->isVisible());
    EXPECT_FALSE(s.programEnded);
}

TEST_F(ChartFlow, HiddenToolbarComesBackWithTheNextMainWindow) {
    auto* mark = Find<QAction>(s.main(), "mnuToolBar");
    auto* bar = Find<QToolBar>(s.main(), "TB");
    EXPECT_TRUE(mark->isChecked());
    EXPECT_TRUE(bar->isVisible());
    mark->trigger();
    EXPECT_FALSE(mark->isChecked());
    EXPECT_FALSE(bar->isVisible());

    s.click(s.main(), "cmdBack");
    StartedApp::settle();
    s.clickCalculate();
    ASSERT_NE(s.main(), nullptr);
    EXPECT_TRUE(Find<QAction>(s.main(), "mnuToolBar")->isChecked());
    EXPECT_TRUE(Find<QToolBar>(s.main(), "TB")->isVisible());
}

TEST_F(ChartFlow, MenusAndToolbarAsDesigned) {
    QStringList menus;
    for (QAction* a : s.main()->menuBar()->actions()) menus << a->text();
    EXPECT_EQ(menus, (QStringList{"&File", "&View", "&Options", "&Help"}));
    QStringList file;
    for (QAction* a : Find<QMenu>(s.main(), "mnuFile")->actions())
        file << (a->isSeparator() ? "-" : a->text());
    EXPECT_EQ(file, (QStringList{"&New", "&Open...", "Readings &Library...", "Open &Recent", "-",
                                 "Save &As Text", "Save As &JPEG", "-", "&Export Chart As Text",
                                 "Export &Wheel...", "-", "&Print", "-", "&Back", "-", "E&xit"}));
    // The four keyed buttons, then the contacts window's button after a separator.
    QStringList keys;
    const QList<QAction*> tools = Find<QToolBar>(s.main(), "TB")->actions();
    for (QAction* a : tools) {
        if (a->isSeparator()) continue;
        keys << a->data().toString();
        EXPECT_FALSE(a->icon().isNull());
    }
    EXPECT_EQ(keys, (QStringList{"New", "Save", "Print", "Help", ""}));
    ASSERT_EQ(tools.size(), 6);
    EXPECT_TRUE(tools[4]->isSeparator());
    EXPECT_EQ(tools[5]->objectName(), "mnuContacts");
    EXPECT_EQ(Find<QPushButton>(s.main(), "cmdSaveAsJPEG")->text(), "Save As &JPEG");
    EXPECT_EQ(Find<QPushButton>(s.main(), "cmdExit")->text(), "E&xit");
    EXPECT_EQ(Label(s.main(), "lblHeading"), "Velloran");
}

TEST_F(ChartFlow, ToolbarSaveWritesTheSameReadingAsSaveAsText) {
    const QString viaMenu = QDir(s.dir.path()).filePath("menu.vlr");
    const QString viaToolbar = QDir(s.dir.path()).filePath("toolbar.vlr");
    s.platform.saveAnswers = {viaMenu, viaToolbar};
    s.trigger(s.main(), "mnuSaveAsText");
    s.main()->dispatchToolKey("Save");
    ASSERT_EQ(s.platform.saveDialogs.size(), 2u);
    QFile a(viaMenu), b(viaToolbar);
    ASSERT_TRUE(a.open(QIODevice::ReadOnly));
    ASSERT_TRUE(b.open(QIODevice::ReadOnly));
    const QByteArray bytes = a.readAll();
    EXPECT_EQ(bytes.count('\n'), 17);
    EXPECT_EQ(bytes, b.readAll());
}

TEST_F(ChartFlow, FileCommandsReachTheirDialogs) {
    s.trigger(s.main(), "mnuExport");
    ASSERT_EQ(s.platform.saveDialogs.size(), 1u);
    EXPECT_EQ(s.platform.saveDialogs[0].title, "Select the destination text file ");
    s.click(s.main(), "cmdSaveAsJPEG");
    s.trigger(s.main(), "mnuSaveAsJpeg");
    EXPECT_EQ(s.platform.saveDialogs.size(), 3u);
    s.trigger(s.main(), "mnuPrint");
    s.main()->dispatchToolKey("Print");
    EXPECT_EQ(s.platform.printDialogs, 2);
    // Keys are compared exactly; anything else does nothing.
    s.main()->dispatchToolKey("print");
    s.main()->dispatchToolKey("");
    EXPECT_EQ(s.platform.printDialogs, 2);
    EXPECT_EQ(s.platform.saveDialogs.size(), 3u);
    EXPECT_TRUE(s.platform.openedUrls.empty());
    EXPECT_TRUE(s.main()->isVisible());
}

TEST_F(ChartFlow, ToolbarNewReturnsToTheForm) {
    s.main()->dispatchToolKey("New");
    StartedApp::settle();
    EXPECT_EQ(s.main(), nullptr);
    EXPECT_TRUE(s.form()->isVisible());
}

TEST_F(ChartFlow, ExitEndsTheProgram) {
    s.click(s.main(), "cmdExit");
    EXPECT_TRUE(s.programEnded);
    EXPECT_FALSE(s.form()->isVisible());
}

TEST_F(ChartFlow, ClosingTheMainWindowEndsTheProgram) {
    s.main()->close();
    EXPECT_TRUE(s.programEnded);
    EXPECT_FALSE(s.form()->isVisible());
}

TEST(FormClose, ClosingTheFormEndsTheProgram) {
    StartedApp s;
    s.form()->close();
    EXPECT_TRUE(s.programEnded);
    StartedApp t;
    t.trigger(t.form(), "mnuExit");
    EXPECT_TRUE(t.programEnded);
}

}  // namespace
}  // namespace velloran::test
