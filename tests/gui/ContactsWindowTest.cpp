// The natal-draconic contacts window and the comparison view's marks, driven through the
// program's windows for the known birth.

#include <gtest/gtest.h>

#include <QAccessible>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>
#include <vector>

#include "GuiTestSupport.h"
#include "chart/ContactTable.h"
#include "chart/gui/ChartPictures.h"
#include "chart/gui/ContactsWindow.h"
#include "core/RowName.h"
#include "output/TextExport.h"
#include "output/gui/OutputCommands.h"
#include "reading/Reading.h"

namespace velloran::test {
namespace {

using Cells = std::array<QString, kContactColumnCount>;
using RowTexts = std::array<const char*, kContactColumnCount>;

// The known birth's contacts, worked out by hand from the reference reading of the birth. Natal
// longitudes: Sun 294.9271, Moon 265.1771, Mercury 291.2973, Venus 329.6738, Mars 165.6297,
// Jupiter 159.8725, Saturn 177.2632, North Node 150.2009, South Node 330.2009, Asc 4.7771; a
// draconic longitude is the natal one less the node (the draconic nodes 0° Ari and 0° Lib).
//   Draconic Moon 114.9761 and natal Sun 294.9271 are 179.9510 apart: opposition, orb 0.0490°,
//   0° 2.94' shown as 0° 3'.
//   Draconic Venus 179.4728 and natal Saturn 177.2632 are 2.2096 apart: conjunction, orb
//   2° 12.57' shown as 2° 13'.
constexpr RowTexts kMoonOppositeSun = {"Draconic Moon", "☍ opposition", "Natal Sun",
                                       "0° 3'",         "24 Can 58",    "24 Cap 55"};
constexpr RowTexts kVenusConjunctSaturn = {"Draconic Venus", "☌ conjunction", "Natal Saturn",
                                           "2° 13'",         "29 Vir 28",     "27 Vir 15"};

// All five aspects within 5° from the same longitudes, smallest orb first. The nodes stand
// exactly opposite in both charts, so some pairs have equal orbs and may come in either order.
const std::vector<RowTexts> kEveryAspectWithin5 = {
    {"Draconic Moon", "☍ opposition", "Natal Sun", "0° 3'", "24 Can 58", "24 Cap 55"},
    {"Draconic Sun", "△ trine", "Natal Moon", "0° 27'", "24 Leo 43", "25 Sag 10"},
    {"Draconic Saturn", "△ trine", "Natal Moon", "1° 53'", "27 Ari 03", "25 Sag 10"},
    {"Draconic Saturn", "□ square", "Natal Sun", "2° 8'", "27 Ari 03", "24 Cap 55"},
    {"Draconic Venus", "☌ conjunction", "Natal Saturn", "2° 13'", "29 Vir 28", "27 Vir 15"},
    {"Draconic Moon", "⚹ sextile", "Natal Saturn", "2° 17'", "24 Can 58", "27 Vir 15"},
    {"Draconic Saturn", "⚹ sextile", "Natal Venus", "2° 37'", "27 Ari 03", "29 Aqu 40"},
    {"Draconic North Node", "☍ opposition", "Natal Saturn", "2° 44'", "00 Ari 00", "27 Vir 15"},
    {"Draconic South Node", "☌ conjunction", "Natal Saturn", "2° 44'", "00 Lib 00", "27 Vir 15"},
    {"Draconic Saturn", "⚹ sextile", "Natal South Node", "3° 8'", "27 Ari 03", "00 Pis 12"},
    {"Draconic Saturn", "△ trine", "Natal North Node", "3° 8'", "27 Ari 03", "00 Vir 12"},
    {"Draconic Moon", "☍ opposition", "Natal Mercury", "3° 41'", "24 Can 58", "21 Cap 17"},
    {"Draconic Mercury", "△ trine", "Natal Moon", "4° 5'", "21 Leo 05", "25 Sag 10"},
    {"Draconic Venus", "□ square", "Natal Moon", "4° 18'", "29 Vir 28", "25 Sag 10"},
    {"Draconic Asc", "⚹ sextile", "Natal North Node", "4° 23'", "04 Sco 34", "00 Vir 12"},
    {"Draconic Asc", "△ trine", "Natal South Node", "4° 23'", "04 Sco 34", "00 Pis 12"},
    {"Draconic Venus", "△ trine", "Natal Sun", "4° 33'", "29 Vir 28", "24 Cap 55"},
    {"Draconic South Node", "☍ opposition", "Natal Asc", "4° 47'", "00 Lib 00", "04 Ari 46"},
    {"Draconic North Node", "☌ conjunction", "Natal Asc", "4° 47'", "00 Ari 00", "04 Ari 46"},
    {"Draconic North Node", "□ square", "Natal Moon", "4° 49'", "00 Ari 00", "25 Sag 10"},
    {"Draconic South Node", "□ square", "Natal Moon", "4° 49'", "00 Lib 00", "25 Sag 10"},
    {"Draconic Jupiter", "☌ conjunction", "Natal Asc", "4° 54'", "09 Ari 40", "04 Ari 46"},
    {"Draconic Asc", "△ trine", "Natal Venus", "4° 54'", "04 Sco 34", "29 Aqu 40"},
    {"Draconic Sun", "☍ opposition", "Natal Venus", "4° 57'", "24 Leo 43", "29 Aqu 40"},
};

// Another birth from the reference readings: 1 March 1980, 5:15 Indian Time, 18° 31' North,
// 73° 52' East. Natal Sun 340.8364, Venus 23.6889, node 147.7998; draconic Mercury 202.7662
// (natal 350.5660) is 179.0773 from natal Venus, draconic Asc 162.7074 (natal 310.5073) is
// 178.1288 from natal Sun.
FormInput ReferenceIndianTimeBirth() {
    FormInput f = KnownBirthForm();
    f.monthIndex = 2, f.dayIndex = 0, f.yearIndex = 1980 - kFirstYear;
    f.hourIndex = 5, f.minuteIndex = 15;
    f.zoneIndex = ZoneIndexOf("Indian Time, IST, +5.3");
    f.daylightSaving = 0;
    f.latitudeDegrees = "18", f.latitudeMinutes = "31", f.latitudeHemisphere = 0;
    f.longitudeDegrees = "73", f.longitudeMinutes = "52", f.longitudeHemisphere = 0;
    return f;
}
const std::vector<RowTexts> kIndianTimeRows = {
    {"Draconic Mercury", "☍ opposition", "Natal Venus", "0° 55'", "22 Lib 45", "23 Ari 41"},
    {"Draconic Asc", "☍ opposition", "Natal Sun", "1° 52'", "12 Vir 42", "10 Pis 50"},
};

ContactSettings WithOrb(double orb) {
    ContactSettings settings;
    settings.orb = orb;
    return settings;
}

std::vector<Cells> TableRows(ContactsWindow* w) {
    auto* table = Find<QTableView>(w, "tblContacts");
    std::vector<Cells> rows;
    if (!table) return rows;
    const QAbstractItemModel* model = table->model();
    for (int r = 0; r < model->rowCount(); ++r) {
        Cells row;
        for (int c = 0; c < kContactColumnCount; ++c) row[c] = model->index(r, c).data().toString();
        rows.push_back(row);
    }
    return rows;
}

std::vector<Cells> Expected(const std::vector<RowTexts>& rows) {
    std::vector<Cells> out;
    for (const RowTexts& row : rows) {
        Cells cells;
        for (int c = 0; c < kContactColumnCount; ++c) cells[c] = QString::fromUtf8(row[c]);
        out.push_back(cells);
    }
    return out;
}

// An orb cell "2° 13'" in minutes.
int OrbMinutes(const QString& orb) {
    const QStringList parts = orb.split(QStringLiteral("° "));
    return parts.size() == 2 ? parts[0].toInt() * 60 + parts[1].chopped(1).toInt() : -1;
}

PositionCell* Cell(FrmDisplay* d, int i) {
    return Find<PositionCell>(d, QStringLiteral("Planet%1").arg(i));
}

// Indices of the position cells that carry a mark.
std::vector<int> MarkedCells(FrmDisplay* d) {
    std::vector<int> marked;
    for (int i = 0; i < 20; ++i) {
        PositionCell* cell = Cell(d, i);
        EXPECT_NE(cell, nullptr) << i;
        if (!cell) continue;
        // The mark is the underline and the tooltip together; neither comes alone.
        EXPECT_EQ(cell->font().underline(), !cell->toolTip().isEmpty()) << i;
        if (cell->isMarked()) marked.push_back(i);
    }
    return marked;
}

void ChooseOrb(ContactsWindow* w, double orb) {
    auto* combo = Find<QComboBox>(w, "cboOrb");
    ASSERT_NE(combo, nullptr);
    const int index = combo->findData(orb);
    ASSERT_GE(index, 0) << orb;
    combo->setCurrentIndex(index);
}

class ContactsFlow : public ::testing::Test {
protected:
    void SetUp() override {
        s.calculate(KnownBirthForm());
        ASSERT_NE(s.main(), nullptr);
    }
    ContactsWindow* open() {
        s.trigger(s.main(), "mnuContacts");
        return s.app->contactsWindow();
    }
    StartedApp s;
};

TEST_F(ContactsFlow, ViewMenuOpensANonModalWindowBesideTheChartWithTheDefaultList) {
    QStringList view;
    for (QAction* a : Find<QMenu>(s.main(), "mnuView")->actions()) view << a->text();
    EXPECT_EQ(view, (QStringList{"&Toolbar", "Natal–Draconic &Contacts"}));

    ContactsWindow* w = open();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->isVisible());
    EXPECT_FALSE(w->isModal());
    EXPECT_TRUE(w->isWindow());
    EXPECT_EQ(w->windowTitle(), "Natal–Draconic Contacts");
    // Hand-checked in the core tests: the draconic Moon opposite the natal Sun, 3' or so.
    const auto rows = TableRows(w);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0][0], "Draconic Moon");
    EXPECT_EQ(rows[0][1], "☍ opposition");
    EXPECT_EQ(rows[0][2], "Natal Sun");
    EXPECT_EQ(rows, Expected({kMoonOppositeSun}));
    EXPECT_EQ(Label(w, "lblStatus"), "1 contact within 2°.");
    EXPECT_TRUE(s.main()->isVisible());

    // Where it covers the least of the chart, on the screen.
    const QRect chart(s.display()->mapToGlobal(QPoint(0, 0)), s.display()->size());
    QWidget* tableFrame = Find(s.display(), "Frame1");
    ASSERT_NE(tableFrame, nullptr);
    const QRect table(tableFrame->mapToGlobal(QPoint(0, 0)), tableFrame->size());
    const QRect screen = s.main()->screen()->availableGeometry();
    const QRect frame = w->frameGeometry();
    const QSize decoration = frame.size() - w->size();
    EXPECT_EQ(frame, ContactsWindowGeometry(screen, chart, table,
                                            QSize(w->sizeHint().width(), w->height()) + decoration,
                                            w->minimumSizeHint().width() + decoration.width()));
    if (frame.width() <= screen.width() && frame.height() <= screen.height()) {
        EXPECT_TRUE(screen.contains(frame));
    }

    // A screen reader hears a window with its title.
    QAccessibleInterface* spoken = QAccessible::queryAccessibleInterface(w);
    ASSERT_NE(spoken, nullptr);
    EXPECT_EQ(spoken->role(), QAccessible::Window);
    EXPECT_EQ(spoken->text(QAccessible::Name), "Natal–Draconic Contacts");

    // Keyboard order follows the rows of the window.
    QStringList order;
    QWidget* next = Find<QComboBox>(w, "cboAgainst");
    for (int step = 0; step < 100 && next && order.size() < 15; ++step) {
        // A spin box's own line edit is part of it.
        if ((next->focusPolicy() & Qt::TabFocus) && !next->objectName().isEmpty() &&
            !next->objectName().startsWith(QLatin1String("qt_")))
            order << next->objectName();
        next = next->nextInFocusChain();
    }
    EXPECT_EQ(order.join(' ').toStdString(),
              "cboAgainst dteSky cmdNow cboOrb chkNodePairs chkRing chk_conj chk_opp chk_sq "
              "chk_tri chk_sex tblContacts cmdCopy cmdSaveCsv cmdClose");

    // Asking again brings the same window forward.
    EXPECT_EQ(open(), w);
}

TEST_F(ContactsFlow, ToolbarButtonWithTooltipOpensTheWindow) {
    auto* bar = Find<QToolBar>(s.main(), "TB");
    QAction* button = nullptr;
    for (QAction* a : bar->actions()) {
        if (a->objectName() == "mnuContacts") button = a;
    }
    ASSERT_NE(button, nullptr);
    EXPECT_FALSE(button->icon().isNull());
    EXPECT_FALSE(button->toolTip().isEmpty());
    EXPECT_NE(button->toolTip(), button->text()) << "a tooltip of its own";
    auto* widget = qobject_cast<QToolButton*>(bar->widgetForAction(button));
    ASSERT_NE(widget, nullptr);
    QTest::mouseClick(widget, Qt::LeftButton);
    ASSERT_NE(s.app->contactsWindow(), nullptr);
    EXPECT_TRUE(s.app->contactsWindow()->isVisible());
}

TEST_F(ContactsFlow, OrbAndAspectControlsChangeTheRows) {
    ContactsWindow* w = open();
    ASSERT_NE(w, nullptr);
    ASSERT_EQ(TableRows(w).size(), 1u);

    ChooseOrb(w, 2.5);
    auto rows = TableRows(w);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1][0], "Draconic Venus");
    EXPECT_EQ(rows[1][1], "☌ conjunction");
    EXPECT_EQ(rows[1][2], "Natal Saturn");
    EXPECT_EQ(rows, Expected({kMoonOppositeSun, kVenusConjunctSaturn}));
    EXPECT_EQ(Label(w, "lblStatus"), "2 contacts within 2.5°.");

    ChooseOrb(w, 5);
    ContactSettings every = WithOrb(5);
    for (const char* key : {"chk_sq", "chk_tri", "chk_sex"}) {
        auto* check = Find<QCheckBox>(w, key);
        ASSERT_NE(check, nullptr) << key;
        check->click();
    }
    every.aspects = kAllAspects;
    EXPECT_EQ(w->settings(), every);
    // Smallest orb first; the same rows as worked out, whatever the order of equal orbs.
    auto shown = TableRows(w);
    for (std::size_t i = 1; i < shown.size(); ++i)
        EXPECT_LE(OrbMinutes(shown[i - 1][3]), OrbMinutes(shown[i][3])) << i;
    EXPECT_EQ(shown[0], Expected({kMoonOppositeSun})[0]);
    auto expected = Expected(kEveryAspectWithin5);
    std::sort(shown.begin(), shown.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(shown, expected);

    for (const char* key : {"chk_conj", "chk_opp", "chk_sq", "chk_tri", "chk_sex"})
        Find<QCheckBox>(w, key)->click();
    EXPECT_TRUE(TableRows(w).empty());
    EXPECT_EQ(Label(w, "lblStatus"), "Choose at least one aspect.");
}

TEST_F(ContactsFlow, ComparisonViewMarksTheCellsOfTheContacts) {
    const std::vector<std::string> texts = [&] {
        std::vector<std::string> t;
        for (int i = 0; i < 20; ++i)
            t.push_back(Label(s.display(), QStringLiteral("Planet%1").arg(i)).toStdString());
        return t;
    }();
    EXPECT_TRUE(MarkedCells(s.display()).empty()) << "no marks in the draconic view";

    // Without the window the marks follow the default settings.
    s.click(s.main(), "cmdComparison");
    EXPECT_EQ(MarkedCells(s.display()), (std::vector<int>{0, 11}));  // natal Sun, draconic Moon
    const QString note = QStringLiteral("Draconic Moon ☍ opposition Natal Sun, orb 0° 3'");
    EXPECT_EQ(Cell(s.display(), 0)->toolTip(), note);
    EXPECT_EQ(Cell(s.display(), 11)->toolTip(), note);
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(Label(s.display(), QStringLiteral("Planet%1").arg(i)).toStdString(), texts[i]);

    // A wider orb in the window marks natal Saturn and draconic Venus as well.
    ContactsWindow* w = open();
    ASSERT_NE(w, nullptr);
    ChooseOrb(w, 2.5);
    EXPECT_EQ(MarkedCells(s.display()), (std::vector<int>{0, 6, 11, 13}));

    s.click(s.main(), "cmdNatal");
    EXPECT_TRUE(MarkedCells(s.display()).empty()) << "no marks in the natal view";
    s.click(s.main(), "cmdComparison");
    EXPECT_EQ(MarkedCells(s.display()), (std::vector<int>{0, 6, 11, 13}));
    s.click(s.main(), "cmdDraconian");
    EXPECT_TRUE(MarkedCells(s.display()).empty()) << "no marks in the draconic view";
}

// Pixels of a cell's area in a capture of the chart window that have the mark's ground colour.
int MarkPixels(const QImage& capture, FrmDisplay* d, int cell) {
    const QRect area(Cell(d, cell)->mapTo(d, QPoint(0, 0)), Cell(d, cell)->size());
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x)
            count += capture.pixelColor(x, y) == PositionCell::markColour();
    }
    return count;
}

TEST_F(ContactsFlow, MarksShowInTheCaptureThatJpegAndPrintUse) {
    s.click(s.main(), "cmdComparison");
    const QImage capture = CaptureChartWindow(s.display());
    ASSERT_FALSE(capture.isNull());
    const int cellPixels = Cell(s.display(), 0)->width() * Cell(s.display(), 0)->height();
    // The ground shows around the text: well over a third of the cell.
    EXPECT_GT(MarkPixels(capture, s.display(), 0), cellPixels / 3);   // natal Sun
    EXPECT_GT(MarkPixels(capture, s.display(), 11), cellPixels / 3);  // draconic Moon
    EXPECT_EQ(MarkPixels(capture, s.display(), 1), 0);                // natal Moon
    EXPECT_EQ(MarkPixels(capture, s.display(), 10), 0);               // draconic Sun
}

TEST_F(ContactsFlow, WindowFollowsTheReading) {
    ContactsWindow* w = open();
    ASSERT_NE(w, nullptr);
    const QString saved = QDir(s.dir.path()).filePath("known.vlr");
    s.platform.saveAnswers = {saved};
    s.trigger(s.main(), "mnuSaveAsText");

    s.click(s.main(), "cmdBack");
    StartedApp::settle();
    EXPECT_TRUE(w->isVisible());
    EXPECT_TRUE(TableRows(w).empty());
    EXPECT_EQ(Label(w, "lblStatus"), "No reading: calculate a chart to see its contacts.");

    // Another birth.
    s.calculate(ReferenceIndianTimeBirth());
    ASSERT_NE(s.main(), nullptr);
    EXPECT_EQ(TableRows(w), Expected(kIndianTimeRows));

    // Opening the saved reading from the form brings the known birth's list back.
    s.trigger(s.main(), "mnuNew");
    StartedApp::settle();
    s.platform.openAnswers.push_back(saved);
    s.click(s.form(), "cmdOpen");
    ASSERT_NE(s.main(), nullptr);
    EXPECT_EQ(TableRows(w), Expected({kMoonOppositeSun}));
}

TEST_F(ContactsFlow, CopiesAsTextAndSavesAsCsv) {
    ContactsWindow* w = open();
    ASSERT_NE(w, nullptr);
    ChooseOrb(w, 2.5);
    ASSERT_EQ(TableRows(w).size(), 2u);
    const std::string titles = "Draconic\tAspect\tNatal\tOrb\tDraconic position\tNatal position\n";
    const std::string moonLine =
        "Draconic Moon\t☍ opposition\tNatal Sun\t0° 3'\t24 Can 58\t24 Cap 55\n";
    const std::string venusLine =
        "Draconic Venus\t☌ conjunction\tNatal Saturn\t2° 13'\t29 Vir 28\t27 Vir 15\n";

    QApplication::clipboard()->clear();
    QTest::keyClick(Find<QTableView>(w, "tblContacts"), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text().toStdString(), titles + moonLine + venusLine);

    Find<QTableView>(w, "tblContacts")->selectRow(1);
    s.click(w, "cmdCopy");
    EXPECT_EQ(QApplication::clipboard()->text().toStdString(), titles + venusLine);

    const QString csv = QDir(s.dir.path()).filePath("contacts.csv");
    s.platform.saveAnswers = {csv};
    s.click(w, "cmdSaveCsv");
    ASSERT_EQ(s.platform.saveDialogs.size(), 1u);
    EXPECT_EQ(s.platform.saveDialogs[0].defaultSuffix, "csv");
    EXPECT_TRUE(s.platform.saveDialogs[0].confirmOverwrite);
    QFile file(csv);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    // The orb once more in degrees, four decimals: 0.0490 and 2.2096 as worked out above.
    EXPECT_EQ(file.readAll().toStdString(),
              "Draconic,Aspect,Natal,Orb,Orb (degrees),Draconic position,Natal position\r\n"
              "Draconic Moon,☍ opposition,Natal Sun,0° 3',0.0490,24 Can 58,24 Cap 55\r\n"
              "Draconic Venus,☌ conjunction,Natal Saturn,2° 13',2.2096,29 Vir 28,27 Vir 15\r\n");
    EXPECT_TRUE(s.platform.messages.empty());
}

TEST_F(ContactsFlow, TextExportKeepsItsThirtyThreeLines) {
    ContactsWindow* w = open();
    ASSERT_NE(w, nullptr);
    ChooseOrb(w, 5);
    s.click(s.main(), "cmdComparison");
    const QString path = QDir(s.dir.path()).filePath("export.txt");
    s.platform.saveAnswers = {path};
    s.trigger(s.main(), "mnuExport");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_EQ(bytes.count("\r\n"), 33);
    ASSERT_NE(s.app->reading(), nullptr);
    EXPECT_EQ(bytes.toStdString(), ExportText(*s.app->reading(), App::LocaleMonthNames()));
    EXPECT_FALSE(bytes.contains("Draconic Moon"));
}

TEST_F(ContactsFlow, ExitClosesTheWindow) {
    ContactsWindow* w = open();
    ASSERT_NE(w, nullptr);
    s.click(s.main(), "cmdExit");
    EXPECT_TRUE(s.programEnded);
    EXPECT_FALSE(w->isVisible());
}

}  // namespace
}  // namespace velloran::test

namespace velloran::test {
namespace {

// The contacts window's place for the chart window's geometry on screens of several sizes (the
// chart 802 x 448 pixels, centred under the toolbar; the contacts window 480 x 346 with its frame,
// 420 pixels at the narrowest).
struct PlacementRow {
    const char* rowName;
    QRect screen;
    QRect chart;
    QRect expected;
    bool wheelInView = true;  // the screen has room for the wheel and the window side by side
};

class ContactsPlacement : public ::testing::TestWithParam<PlacementRow> {};

// The position table's captions start 472 pixels right of the chart's left edge and 192 below its
// top; the wheel is everything left of them.
QRect TableOf(const QRect& chart) { return {chart.left() + 472, chart.top() + 192, 120, 243}; }
QRect WheelOf(const QRect& chart) { return {chart.left(), chart.top(), 472, chart.height()}; }

TEST_P(ContactsPlacement, BesideTheChartElseBesideItsWheel) {
    const PlacementRow& row = GetParam();
    const QSize frame(480, 346);
    const QRect placed =
        ContactsWindowGeometry(row.screen, row.chart, TableOf(row.chart), frame, 420);
    EXPECT_EQ(placed, row.expected);
    EXPECT_EQ(placed.height(), frame.height());
    EXPECT_LE(placed.width(), frame.width());
    if (frame.width() <= row.screen.width() && frame.height() <= row.screen.height()) {
        EXPECT_TRUE(row.screen.contains(placed));
    }
    if (row.wheelInView) {
        EXPECT_FALSE(placed.intersects(WheelOf(row.chart)));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ContactsPlacement,
    ::testing::Values(PlacementRow{"screen_1920x1080_beside", QRect(0, 0, 1920, 1080),
                                   QRect(559, 85, 802, 448), QRect(1369, 85, 480, 346)},
                      PlacementRow{"screen_1280x800_beside_the_wheel", QRect(0, 0, 1280, 800),
                                   QRect(239, 85, 802, 448), QRect(800, 277, 480, 346)},
                      PlacementRow{"screen_1366x768_beside_the_wheel", QRect(0, 0, 1366, 768),
                                   QRect(282, 140, 802, 448), QRect(886, 332, 480, 346)},
                      PlacementRow{"screen_1280x1024_below_the_chart", QRect(0, 0, 1280, 1024),
                                   QRect(239, 140, 802, 448), QRect(561, 596, 480, 346)},
                      PlacementRow{"room_on_the_left_only", QRect(0, 0, 1500, 768),
                                   QRect(600, 140, 802, 448), QRect(112, 140, 480, 346)},
                      PlacementRow{"screen_1024x768_narrowed", QRect(0, 0, 1024, 768),
                                   QRect(111, 140, 802, 448), QRect(583, 332, 441, 346)},
                      PlacementRow{"screen_800x600_over_the_wheel_s_edge", QRect(0, 0, 800, 600),
                                   QRect(0, 85, 802, 448), QRect(320, 254, 480, 346), false},
                      PlacementRow{"second_screen_1366x768", QRect(1920, 0, 1366, 768),
                                   QRect(2202, 140, 802, 448), QRect(2806, 332, 480, 346)}),
    [](const auto& info) { return std::string(info.param.rowName); });

// What held before and must still hold.
INSTANTIATE_TEST_SUITE_P(
    Guards, ContactsPlacement,
    ::testing::Values(PlacementRow{"screen_1920x1080_right_of_the_chart", QRect(0, 0, 1920, 1080),
                                   QRect(559, 140, 802, 448), QRect(1369, 140, 480, 346)},
                      PlacementRow{"screen_smaller_than_the_window", QRect(0, 0, 400, 300),
                                   QRect(0, 20, 802, 448), QRect(0, 0, 400, 346), false}),
    [](const auto& info) { return std::string(info.param.rowName); });

}  // namespace
}  // namespace velloran::test
