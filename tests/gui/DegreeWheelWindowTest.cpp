// The degree wheel in the chart window: chosen in Options and kept in the settings, drawn in
// place of the house lists (which stay as they were) with the right-hand side beside it, grown
// to the room the window has, described for screen readers, exported as SVG, PDF or PNG and
// printed as a page of its own.

#include <gtest/gtest.h>

#include <QAccessible>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <cmath>
#include <map>

#include "GuiTestSupport.h"
#include "chart/gui/ChartPictures.h"
#include "chart/gui/DegreeWheelView.h"
#include "ui/PositionsMenu.h"

namespace velloran::test {
namespace {

QByteArray FileStart(const QString& path, int bytes) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.read(bytes);
}

// The page's width and the first place of each word poppler reads off a PDF, in pt from the
// page's top left; empty when the tool fails (with a minute's deadline).
struct PdfPage {
    double width = 0.0;
    std::map<QString, QRectF> words;
};
PdfPage ReadPdfPage(const QString& pdftotext, const QString& pdf) {
    QProcess process;
    process.start(pdftotext, {"-bbox", pdf, "-"});
    if (!process.waitForFinished(60000) || process.exitCode() != 0) return {};
    const QString html = QString::fromUtf8(process.readAllStandardOutput());
    PdfPage page;
    const QRegularExpressionMatch width =
        QRegularExpression(R"re(<page width="([\d.]+)")re").match(html);
    if (width.hasMatch()) page.width = width.captured(1).toDouble();
    const QRegularExpression word(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re");
    for (auto it = word.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        page.words.emplace(m.captured(5),
                           QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                                  QPointF(m.captured(3).toDouble(), m.captured(4).toDouble())));
    }
    return page;
}

TEST(WheelChoice, StoredWordsReadBackAndAnythingElseIsTheDefault) {
    FakePlatform platform;
    EXPECT_EQ(StoredWheelChoice(platform), WheelChoice{});
    const WheelChoice chosen{WheelStyle::DegreeWheel, false, WheelThemeChoice::Print};
    StoreWheelChoice(platform, chosen);
    EXPECT_EQ(StoredWheelChoice(platform), chosen);
    platform.settings[{"Wheel", "Style"}] = "Degree";
    platform.settings[{"Wheel", "AspectLines"}] = "maybe";
    platform.settings[{"Wheel", "Theme"}] = "neon";
    EXPECT_EQ(StoredWheelChoice(platform), WheelChoice{});
}

class DegreeWheelWindow : public ::testing::Test {
protected:
    void SetUp() override {
        s = std::make_unique<StartedApp>();
        s->calculate(KnownBirthForm());
        ASSERT_NE(s->main(), nullptr);
    }
    std::unique_ptr<StartedApp> s;
};

TEST_F(DegreeWheelWindow, ChosenInOptionsItReplacesTheHouseListsUntilTheyAreChosenAgain) {
    FrmDisplay* display = s->display();
    const QSize written = display->size();
    EXPECT_EQ(display->degreeWheel(), nullptr);
    EXPECT_TRUE(display->frontPicture()->isVisible());

    s->trigger(s->main(), "mnuDegreeWheel");
    QApplication::processEvents();
    EXPECT_EQ(s->platform.readSetting("Wheel", "Style"), "degree");
    DegreeWheelView* wheel = display->degreeWheel();
    ASSERT_NE(wheel, nullptr);
    EXPECT_TRUE(wheel->isVisible());
    EXPECT_FALSE(display->frontPicture()->isVisible());
    EXPECT_EQ(wheel->width(), wheel->height());
    // The right-hand side stands beside the wheel, none of it under it.
    for (const char* name : {"lblType", "lblName", "lblLongitude"}) {
        QLabel* label = Find<QLabel>(display, name);
        ASSERT_NE(label, nullptr) << name;
        EXPECT_GE(label->x(), wheel->geometry().right()) << name;
    }
    EXPECT_LE(wheel->geometry().bottom(), display->height());

    // Each view: a ring per chart, and a screen reader hears every body's position, as the
    // positions table gives it in degrees and minutes of its sign.
    const Reading reading = ReadingOf(KnownBirthForm());
    auto heard = [](const char* chart, const Chart& c, ChartBody body) {
        const double inSign = std::fmod(c[body].longitude, 30.0);
        const int degrees = static_cast<int>(inSign);
        const int minutes = static_cast<int>((inSign - degrees) * 60.0);
        return QStringLiteral("%1 chart: %2 %3° %4 %5'")
            .arg(QLatin1String(chart), QLatin1String(kBodyTitles[static_cast<int>(body)].data()))
            .arg(degrees)
            .arg(QLatin1String(kSignNames[c[body].sign].data()))
            .arg(minutes);
    };
    struct Case {
        const char* button;
        size_t rings;
        QString heard;
    };
    for (const Case& c :
         {Case{"cmdNatal", 1, heard("Natal", reading.natal, ChartBody::Sun)},
          Case{"cmdDraconian", 1, heard("Draconic", reading.draconic, ChartBody::Sun)},
          Case{"cmdComparison", 2, heard("Natal", reading.natal, ChartBody::Sun)}}) {
        s->click(s->main(), c.button);
        wheel = display->degreeWheel();
        ASSERT_NE(wheel, nullptr) << c.button;
        EXPECT_EQ(wheel->wheel().rings.size(), c.rings) << c.button;
        EXPECT_EQ(wheel->accessibleName(), "Chart wheel");
        QAccessibleInterface* spoken = QAccessible::queryAccessibleInterface(wheel);
        ASSERT_NE(spoken, nullptr);
        EXPECT_EQ(spoken->role(), QAccessible::Graphic);
        EXPECT_EQ(spoken->text(QAccessible::Description), wheel->accessibleDescription());
        EXPECT_TRUE(wheel->accessibleDescription().contains(c.heard))
            << c.button << ": " << wheel->accessibleDescription().toStdString();
    }

    // The theme chosen reaches the wheel.
    s->trigger(s->main(), "mnuThemeDark");
    QApplication::processEvents();
    EXPECT_EQ(display->degreeWheel()->theme(), WheelTheme::Dark);

    s->trigger(s->main(), "mnuHouseLists");
    QApplication::processEvents();
    EXPECT_EQ(display->degreeWheel(), nullptr);
    EXPECT_TRUE(display->frontPicture()->isVisible());
    EXPECT_EQ(display->size(), written);
}

TEST_F(DegreeWheelWindow, TheWheelGrowsToTheRoomAndTheWindowWithIt) {
    s->trigger(s->main(), "mnuDegreeWheel");
    FrmDisplay* display = s->display();
    display->setWheelRoom(QSize(1600, 900));
    DegreeWheelView* wheel = display->degreeWheel();
    ASSERT_NE(wheel, nullptr);
    const int side = wheel->width();
    EXPECT_GT(side, 800);
    EXPECT_LE(side, 900);
    EXPECT_LE(display->height(), 900);
    EXPECT_GE(Find<QLabel>(display, "lblName")->x(), wheel->geometry().right());

    // Less room: a smaller wheel, never smaller than the house lists' picture.
    display->setWheelRoom(QSize(700, 300));
    EXPECT_LT(display->degreeWheel()->width(), side);
    EXPECT_GE(display->degreeWheel()->width(), 431);
}

TEST_F(DegreeWheelWindow, ExportWheelWritesThePictureTheNameAsksFor) {
    struct Case {
        const char* name;
        QByteArray start;
    };
    for (const Case& c :
         {Case{"w.svg", "<svg"}, Case{"w.pdf", "%PDF-"}, Case{"w.png", "\x89PNG"}}) {
        const QString path = s->dir.filePath(QString::fromLatin1(c.name));
        s->platform.saveAnswers = {path};
        s->trigger(s->main(), "mnuExportWheel");
        EXPECT_TRUE(FileStart(path, 200).contains(c.start)) << c.name;
    }
    ASSERT_FALSE(s->platform.saveDialogs.empty());
    EXPECT_TRUE(s->platform.saveDialogs.back().filter.contains("*.svg"));
    EXPECT_TRUE(s->platform.saveDialogs.back().suffixFromFilter);
    EXPECT_TRUE(s->platform.messages.empty());

    // Any other ending is refused with a message and writes nothing.
    const QString gif = s->dir.filePath("w.gif");
    s->platform.saveAnswers = {gif};
    s->trigger(s->main(), "mnuExportWheel");
    EXPECT_FALSE(QFile::exists(gif));
    ASSERT_EQ(s->platform.messages.size(), 1u);
    EXPECT_TRUE(s->platform.messages[0].text.contains("must end in .svg, .pdf or .png"));
}

TEST_F(DegreeWheelWindow, PrintedAsAPageOfItsOwnWhenShown) {
    s->trigger(s->main(), "mnuDegreeWheel");
    const QString pdf = s->dir.filePath("printed.pdf");
    s->platform.confirmPrint = true;
    s->platform.printToPdf = pdf;
    s->trigger(s->main(), "mnuPrint");
    EXPECT_TRUE(FileStart(pdf, 8).startsWith("%PDF-"));
    EXPECT_TRUE(s->platform.messages.empty());
}

// The exported PDF and the printed page carry the facts as the wheel's caption, as the SVG and
// PNG do: the first half of the lines in the top left corner, the rest in the top right one,
// both starting on one height under the title; not a block of lines above the wheel.
TEST_F(DegreeWheelWindow, ExportedAndPrintedPdfsCarryTheFactsInTheWheelsTopCorners) {
    const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
    if (pdftotext.isEmpty()) GTEST_SKIP() << "poppler-utils missing";
    s->trigger(s->main(), "mnuDegreeWheel");
    const QString exported = s->dir.filePath("exported.pdf");
    s->platform.saveAnswers = {exported};
    s->trigger(s->main(), "mnuExportWheel");
    const QString printed = s->dir.filePath("printed.pdf");
    s->platform.confirmPrint = true;
    s->platform.printToPdf = printed;
    s->trigger(s->main(), "mnuPrint");
    ASSERT_TRUE(s->platform.messages.empty());
    for (const QString& pdf : {exported, printed}) {
        SCOPED_TRACE(pdf.toStdString());
        const PdfPage page = ReadPdfPage(pdftotext, pdf);
        ASSERT_GT(page.width, 0.0);
        for (const char* word : {"Name:", "Place:", "Positions:", "Node:"})
            ASSERT_EQ(page.words.count(word), 1u) << word;
        const QRectF name = page.words.at("Name:"), place = page.words.at("Place:");
        EXPECT_LT(name.right(), page.width / 2);
        EXPECT_GT(place.left(), page.width / 2);
        EXPECT_NEAR(place.top(), name.top(), 1.0);
        EXPECT_GT(page.words.at("Positions:").left(), page.width / 2);
        EXPECT_GT(page.words.at("Node:").left(), page.width / 2);
        // The title above them.
        bool above = false;
        for (const auto& [text, box] : page.words) above = above || box.bottom() <= name.top();
        EXPECT_TRUE(above);
    }
}

}  // namespace
}  // namespace velloran::test
