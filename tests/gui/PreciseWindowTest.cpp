// The precise positions in the windows: the Options menu's choice (positions, node, house system,
// asteroids), kept in the settings and applied to the reading on screen; the chart window's
// further rows, house numbers, positions line and note; crowded houses that stay in their room.

#include <gtest/gtest.h>

#include <QLabel>
#include <QMenu>
#include <QMenuBar>

#include "GuiTestSupport.h"
#include "chart/ChartWindow.h"
#include "chart/gui/ChartPictures.h"
#include "reading/Reading.h"
#include "ui/PositionsMenu.h"
#include "ui/QtText.h"

namespace velloran::test {
namespace {

constexpr PositionsChoice kPreciseMean{PositionsKind::Precise, NodeKind::Mean};
constexpr PositionsChoice kPlacidusAsteroids{PositionsKind::Precise, NodeKind::Mean,
                                             HouseSystem::Placidus, true};

// The house number beside the position cell of a body in the natal (or draconic) column.
QString HouseCell(QWidget* window, int row, bool draconic) {
    const int index =
        row < kBodyCount ? (draconic ? 10 : 0) + row : (draconic ? 30 : 20) + row - kBodyCount;
    return Label(window, QStringLiteral("House%1").arg(index));
}

QAction* Action(QWidget* window, const char* name) {
    return Find<QAction>(window, QString::fromLatin1(name));
}

// Where a label's text is drawn, in its parent's coordinates (a ring's labels are wider than
// their texts).
QRect TextRect(const QLabel* label) {
    const QRect drawn = label->fontMetrics().boundingRect(
        QRect(0, 0, label->width(), 10000), int(label->alignment()) | Qt::TextWordWrap,
        label->text());
    return drawn.translated(label->pos());
}

// The widget's rectangle in the coordinates of the chart window.
QRect InWindow(const FrmDisplay* d, const QWidget* w) {
    return QRect(w->mapTo(d, QPoint(0, 0)), w->size());
}

TEST(PositionsChoice, StoredWordsReadBackAndAnythingElseIsTheDefault) {
    FakePlatform platform;
    EXPECT_EQ(StoredPositionsChoice(platform), PositionsChoice{});
    StorePositionsChoice(platform, {PositionsKind::Precise, NodeKind::True});
    EXPECT_EQ(StoredPositionsChoice(platform),
              (PositionsChoice{PositionsKind::Precise, NodeKind::True}));
    platform.settings[{"Positions", "Positions"}] = "Precise";
    platform.settings[{"Positions", "Node"}] = "osculating";
    EXPECT_EQ(StoredPositionsChoice(platform), PositionsChoice{});

    // The house system and the asteroids beside them, each system by its own word.
    for (const HouseSystem system : kHouseSystems) {
        const PositionsChoice choice{PositionsKind::Precise, NodeKind::True, system, true};
        StorePositionsChoice(platform, choice);
        EXPECT_EQ(StoredPositionsChoice(platform), choice) << HouseSystemKey(system);
    }
    EXPECT_EQ(platform.settings[std::make_pair(QString("Positions"), QString("Houses"))],
              "alcabitius");
    EXPECT_EQ(platform.settings[std::make_pair(QString("Positions"), QString("Asteroids"))], "yes");
    platform.settings[{"Positions", "Houses"}] = "Placidus";
    platform.settings[{"Positions", "Asteroids"}] = "true";
    EXPECT_EQ(StoredPositionsChoice(platform),
              (PositionsChoice{PositionsKind::Precise, NodeKind::True}));
}

TEST(PositionsChoice, TheMenuShowsTheStoredChoiceAndTheNodeOnlyForPrecise) {
    FakePlatform platform;
    QWidget parent;
    PositionsMenu menu(platform, &parent);
    EXPECT_TRUE(Action(&parent, "mnuClassicPositions")->isChecked());
    EXPECT_FALSE(Action(&parent, "mnuMeanNode")->isEnabled());
    EXPECT_FALSE(Action(&parent, "mnuTrueNode")->isEnabled());

    int changes = 0;
    QObject::connect(&menu, &PositionsMenu::choiceChanged, [&] { ++changes; });
    Action(&parent, "mnuPrecisePositions")->trigger();
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(platform.settings[std::make_pair(QString("Positions"), QString("Positions"))],
              "precise");
    EXPECT_TRUE(Action(&parent, "mnuTrueNode")->isEnabled());
    Action(&parent, "mnuTrueNode")->trigger();
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(StoredPositionsChoice(platform),
              (PositionsChoice{PositionsKind::Precise, NodeKind::True}));
    Action(&parent, "mnuTrueNode")->trigger();  // the same choice again changes nothing
    EXPECT_EQ(changes, 2);
}

TEST(PositionsChoice, HouseSystemAndAsteroidsOnlyWithPreciseAndKeptThroughClassic) {
    FakePlatform platform;
    QWidget parent;
    PositionsMenu menu(platform, &parent);
    auto* houses = Find<QMenu>(&parent, "mnuHouseSystem");
    ASSERT_NE(houses, nullptr);
    ASSERT_EQ(houses->actions().size(), qsizetype(kHouseSystems.size()));
    for (std::size_t k = 0; k < kHouseSystems.size(); ++k) {
        QAction* entry = houses->actions()[qsizetype(k)];
        EXPECT_EQ(entry->objectName().toStdString(),
                  "mnuHouses_" + std::string(kHouseSystemKeys[k]));
        EXPECT_EQ(entry->text().remove(QLatin1Char('&')).toStdString(), kHouseSystemNames[k]);
        EXPECT_TRUE(entry->isCheckable());
        EXPECT_FALSE(entry->toolTip().isEmpty()) << k;
        EXPECT_EQ(entry->isChecked(), kHouseSystems[k] == HouseSystem::WholeSign) << k;
        EXPECT_FALSE(entry->isEnabled()) << k;
    }
    QAction* asteroids = Action(&parent, "mnuAsteroids");
    EXPECT_FALSE(houses->isEnabled());
    EXPECT_FALSE(asteroids->isEnabled());
    EXPECT_FALSE(asteroids->isChecked());
    EXPECT_FALSE(asteroids->toolTip().isEmpty());

    int changes = 0;
    QObject::connect(&menu, &PositionsMenu::choiceChanged, [&] { ++changes; });
    Action(&parent, "mnuPrecisePositions")->trigger();
    EXPECT_TRUE(houses->isEnabled());
    EXPECT_TRUE(asteroids->isEnabled());
    EXPECT_TRUE(Action(&parent, "mnuHouses_placidus")->isEnabled());
    Action(&parent, "mnuHouses_placidus")->trigger();
    asteroids->trigger();
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(StoredPositionsChoice(platform), kPlacidusAsteroids);
    // One system at a time.
    EXPECT_FALSE(Action(&parent, "mnuHouses_whole")->isChecked());
    Action(&parent, "mnuHouses_koch")->trigger();
    EXPECT_FALSE(Action(&parent, "mnuHouses_placidus")->isChecked());
    EXPECT_EQ(StoredPositionsChoice(platform).houses, HouseSystem::Koch);
    Action(&parent, "mnuHouses_placidus")->trigger();

    // Back to classic: both are offered no longer, but the choice stays for the next time.
    Action(&parent, "mnuClassicPositions")->trigger();
    EXPECT_FALSE(houses->isEnabled());
    EXPECT_FALSE(asteroids->isEnabled());
    EXPECT_TRUE(asteroids->isChecked());
    EXPECT_TRUE(Action(&parent, "mnuHouses_placidus")->isChecked());
    const PositionsChoice kept = StoredPositionsChoice(platform);
    EXPECT_FALSE(kept.precise());
    EXPECT_EQ(kept.houseSystem(), HouseSystem::WholeSign);
    EXPECT_FALSE(kept.withAsteroids());
    Action(&parent, "mnuPrecisePositions")->trigger();
    EXPECT_EQ(StoredPositionsChoice(platform), kPlacidusAsteroids);

    // A second menu (the other window's) shows the same stored choice.
    QWidget other;
    PositionsMenu second(platform, &other);
    EXPECT_TRUE(Action(&other, "mnuHouses_placidus")->isChecked());
    EXPECT_TRUE(Action(&other, "mnuAsteroids")->isChecked());
}

TEST(PositionsChoice, ChosenInTheChartWindowItRecalculatesInTheSameViewAndIsKept) {
    auto s = std::make_unique<StartedApp>();
    s->calculate(KnownBirthForm());
    ASSERT_NE(s->main(), nullptr);
    s->click(s->main(), "cmdComparison");
    ASSERT_EQ(s->app->chartModel()->bodyRows, kBodyCount);
    EXPECT_FALSE(Find<QLabel>(s->display(), "lblPositions")->isVisible());
    const QString classicSun = Label(s->display(), "Planet0");

    Action(s->main(), "mnuPrecisePositions")->trigger();
    StartedApp::settle();
    QApplication::processEvents();
    ASSERT_NE(s->app->chartModel(), nullptr);
    EXPECT_EQ(s->app->chartModel()->bodyRows, kPreciseBodyCount);
    EXPECT_EQ(s->app->chartModel()->pictureInFront, ChartPicture::Comparison);
    FrmDisplay* d = s->display();
    EXPECT_EQ(Label(d, "lblType"), "Comparison");
    EXPECT_EQ(Label(d, "lblPositions"), "Precise positions (Swiss Ephemeris), mean node");
    EXPECT_NE(Label(d, "Planet0"), classicSun);
    EXPECT_EQ(Label(d, "Planet21"), "24 Sco 40");  // natal Uranus
    EXPECT_EQ(Label(d, "PlanetName14"), "Chiron (Ch)");
    // The contacts take the modern bodies in: draconic Uranus (23 Gem 33) stands opposite natal
    // Moon (25 Sag 11), 1° 38' wide, and its cell is marked.
    EXPECT_TRUE(Find<PositionCell>(d, "Planet31")->isMarked());
    EXPECT_FALSE(Find<PositionCell>(d, "Planet34")->isMarked());  // Chiron 08 Sag 00: none
    EXPECT_TRUE(Find<QLabel>(d, "House21")->isVisible());

    // Placidus houses: the reading is calculated again, and each house number beside a position
    // is the house the reading puts that body in.
    const Reading* wholeSign = s->app->reading();
    ASSERT_NE(wholeSign, nullptr);
    const Chart wholeSignNatal = wholeSign->natal;
    Action(s->main(), "mnuHouses_placidus")->trigger();
    StartedApp::settle();
    QApplication::processEvents();
    const Reading* placidus = s->app->reading();
    ASSERT_NE(placidus, nullptr);
    EXPECT_EQ(placidus->natal.houses, HouseSystem::Placidus);
    EXPECT_EQ(s->app->chartModel()->pictureInFront, ChartPicture::Comparison);
    d = s->display();
    EXPECT_EQ(Label(d, "lblPositions"),
              "Precise positions (Swiss Ephemeris), mean node, Placidus houses");
    int moved = 0;
    for (int k = 0; k < kPreciseBodyCount; ++k) {
        EXPECT_EQ(HouseCell(d, k, false), QString::number(placidus->natal.bodies[k].house)) << k;
        EXPECT_EQ(HouseCell(d, k, true), QString::number(placidus->draconic.bodies[k].house)) << k;
        moved += placidus->natal.bodies[k].house != wholeSignNatal.bodies[k].house;
    }
    EXPECT_GT(moved, 0);  // the known birth has bodies whose house the system changes
    EXPECT_EQ(HouseCell(d, static_cast<int>(ChartBody::Ascendant), false), "1");
    EXPECT_EQ(HouseCell(d, static_cast<int>(ChartBody::Midheaven), false), "10");

    // The asteroids and Lilith come and go as rows of their own.
    EXPECT_FALSE(Find<QLabel>(d, "Planet29")->isVisible());
    Action(s->main(), "mnuAsteroids")->trigger();
    StartedApp::settle();
    QApplication::processEvents();
    d = s->display();
    EXPECT_EQ(s->app->chartModel()->bodyRows, kMaxBodyCount);
    for (const char* name : {"Planet25", "Planet29", "Planet35", "Planet39", "PlanetName19"}) {
        EXPECT_TRUE(Find<QLabel>(d, name)->isVisible()) << name;
        EXPECT_FALSE(Label(d, name).isEmpty()) << name;
    }
    EXPECT_EQ(HouseCell(d, kMaxBodyCount - 1, false),
              QString::number(s->app->reading()->natal.bodies[kMaxBodyCount - 1].house));
    Action(s->main(), "mnuAsteroids")->trigger();
    StartedApp::settle();
    QApplication::processEvents();
    d = s->display();
    EXPECT_EQ(s->app->chartModel()->bodyRows, kPreciseBodyCount);
    EXPECT_FALSE(Find<QLabel>(d, "Planet29")->isVisible());
    EXPECT_FALSE(Find<QLabel>(d, "House29")->isVisible());
    EXPECT_FALSE(Find<QLabel>(d, "PlanetName19")->isVisible());
    Action(s->main(), "mnuHouses_whole")->trigger();
    StartedApp::settle();
    QApplication::processEvents();

    // The next start reads the choice back: its first calculation is precise.
    const auto settings = s->platform.settings;
    s.reset();
    StartedApp again;
    again.platform.settings = settings;
    again.calculate(KnownBirthForm());
    ASSERT_NE(again.app->chartModel(), nullptr);
    EXPECT_EQ(again.app->chartModel()->bodyRows, kPreciseBodyCount);
    ASSERT_NE(again.app->reading(), nullptr);
    EXPECT_EQ(again.app->reading()->positions, kPreciseMean);
}

class PreciseWindow : public ::testing::Test {
protected:
    void Render(const FormInput& form, ChartView view = ChartView::Draconic) {
        reading = ReadingOf(form, {kPreciseMean, nullptr});
        model = MakeChartWindow(reading, view, App::LocaleMonthNames());
        window.render(model);
        window.show();
    }
    Reading reading;
    ChartWindowModel model;
    FrmDisplay window;
};

TEST_F(PreciseWindow, FifteenRowsAndTheLineAllInsideTheWindow) {
    const QSize classic = window.size();
    Render(KnownBirthForm());
    EXPECT_GT(window.height(), classic.height());
    EXPECT_EQ(window.width(), classic.width());
    const QRect inside = window.rect();
    for (int i : {0, 9, 10, 19, 20, 24, 30, 34}) {
        auto* cell = Find<QLabel>(&window, QStringLiteral("Planet%1").arg(i));
        ASSERT_NE(cell, nullptr) << i;
        EXPECT_TRUE(cell->isVisible()) << i;
        EXPECT_TRUE(inside.contains(InWindow(&window, cell))) << i;
        // Each cell lies inside its frame too.
        const QWidget* frame = cell->parentWidget();
        EXPECT_TRUE(frame->rect().contains(cell->geometry())) << i;
    }
    auto* line = Find<QLabel>(&window, "lblPositions");
    EXPECT_TRUE(line->isVisible());
    EXPECT_TRUE(inside.contains(InWindow(&window, line)));
    // The header moved down below the line.
    EXPECT_LE(InWindow(&window, line).bottom(),
              InWindow(&window, Find<QLabel>(&window, "lblName")).top());
    EXPECT_FALSE(Find<QLabel>(&window, "lblPositionsNote")->isVisible());

    // Back to a classic reading: ten rows, no line, the window as it always was.
    model =
        MakeChartWindow(ReadingOf(KnownBirthForm()), ChartView::Draconic, App::LocaleMonthNames());
    window.render(model);
    EXPECT_EQ(window.size(), classic);
    EXPECT_FALSE(Find<QLabel>(&window, "Planet20")->isVisible());
    EXPECT_FALSE(Find<QLabel>(&window, "PlanetName10")->isVisible());
    EXPECT_FALSE(line->isVisible());
}

TEST_F(PreciseWindow, TwentyRowsWithTheirHousesAllInsideTheWindow) {
    const QSize classic = window.size();
    Render(KnownBirthForm());
    const int fifteenRows = window.height();
    reading = ReadingOf(KnownBirthForm(), {kPlacidusAsteroids, nullptr});
    ASSERT_EQ(reading.natal.bodyCount, kMaxBodyCount);
    for (const ChartView view : {ChartView::Natal, ChartView::Draconic, ChartView::Comparison}) {
        model = MakeChartWindow(reading, view, App::LocaleMonthNames());
        window.render(model);
        EXPECT_GT(window.height(), fifteenRows);
        EXPECT_EQ(window.width(), classic.width());
        const QRect inside = window.rect();
        for (int i = 0; i < 40; ++i) {
            auto* cell = Find<QLabel>(&window, QStringLiteral("Planet%1").arg(i));
            auto* house = Find<QLabel>(&window, QStringLiteral("House%1").arg(i));
            ASSERT_NE(cell, nullptr) << i;
            ASSERT_NE(house, nullptr) << i;
            EXPECT_TRUE(cell->isVisibleTo(&window)) << i;
            EXPECT_TRUE(house->isVisibleTo(&window)) << i;
            EXPECT_TRUE(inside.contains(InWindow(&window, house))) << i;
            EXPECT_TRUE(house->parentWidget()->rect().contains(house->geometry())) << i;
        }
        for (int k = 0; k < kMaxBodyCount; ++k) {
            EXPECT_EQ(HouseCell(&window, k, false), QString::number(reading.natal.bodies[k].house));
            EXPECT_EQ(HouseCell(&window, k, true),
                      QString::number(reading.draconic.bodies[k].house));
        }
    }
}

// The classic window shows no house numbers, and after a precise chart it is drawn exactly as
// before one.
TEST_F(PreciseWindow, TheClassicWindowKeepsItsLookAfterAPreciseOne) {
    const ChartWindowModel classicModel = MakeChartWindow(
        ReadingOf(KnownBirthForm()), ChartView::Comparison, App::LocaleMonthNames());
    window.render(classicModel);
    window.show();
    const QImage before = window.grab().toImage();
    for (int i = 0; i < 40; ++i)
        EXPECT_FALSE(Find<QLabel>(&window, QStringLiteral("House%1").arg(i))->isVisible()) << i;

    reading = ReadingOf(KnownBirthForm(), {kPlacidusAsteroids, nullptr});
    window.render(MakeChartWindow(reading, ChartView::Comparison, App::LocaleMonthNames()));
    EXPECT_NE(window.grab().toImage(), before);
    window.render(classicModel);
    EXPECT_EQ(window.grab().toImage(), before);
    for (int i = 0; i < 40; ++i)
        EXPECT_FALSE(Find<QLabel>(&window, QStringLiteral("House%1").arg(i))->isVisible()) << i;
}

TEST_F(PreciseWindow, TheMissingFilesNoteShowsUnderTheTable) {
    Render(KnownBirthForm());
    const int withoutNote = window.height();
    model.positionsNote =
        "The Swiss Ephemeris files were not found (sepl_18.se1); these "
        "positions come from its less precise built-in theory.";
    window.render(model);
    auto* note = Find<QLabel>(&window, "lblPositionsNote");
    EXPECT_TRUE(note->isVisible());
    EXPECT_EQ(note->text().toStdString(), model.positionsNote);
    EXPECT_TRUE(window.rect().contains(InWindow(&window, note)));
    EXPECT_GE(window.height(), withoutNote);
    EXPECT_GT(InWindow(&window, note).top(),
              InWindow(&window, Find<QWidget>(&window, "Planet34")).bottom());
}

// The fallback sentence of a polar birth makes a long positions line: it wraps inside the window
// above the header, and the header moves down for it.
TEST_F(PreciseWindow, ALongPositionsLineWrapsInsideTheWindow) {
    FormInput form = KnownBirthForm();
    reading = ReadingOf(form, {kPreciseMean, nullptr});
    reading.positions.houses = HouseSystem::Placidus;
    reading.housesNote = HousesFallbackNote(HouseSystem::Placidus, HouseSystem::Porphyry);
    model = MakeChartWindow(reading, ChartView::Comparison, App::LocaleMonthNames());
    window.render(model);
    window.show();
    auto* line = Find<QLabel>(&window, "lblPositions");
    EXPECT_EQ(line->text().toStdString(),
              "Precise positions (Swiss Ephemeris), mean node, Placidus houses. Placidus has no "
              "cusps at this latitude; Porphyry houses shown");
    const QRect drawn = TextRect(line).translated(line->parentWidget()->mapTo(&window, QPoint()));
    EXPECT_TRUE(window.rect().contains(drawn));
    EXPECT_TRUE(InWindow(&window, line).contains(drawn));
    EXPECT_LE(InWindow(&window, line).bottom(),
              InWindow(&window, Find<QLabel>(&window, "lblName")).top());
    EXPECT_LE(InWindow(&window, line).bottom(),
              InWindow(&window, Find<QWidget>(&window, "Frame1")).top());
}

TEST_F(PreciseWindow, CrowdedHousesStayInTheirRoom) {
    for (const PositionsChoice& choice : {kPreciseMean, kPlacidusAsteroids}) {
        SCOPED_TRACE(HouseSystemKey(choice.houses));
        reading = ReadingOf(Aquarius1962Form(), {choice, nullptr});
        model = MakeChartWindow(reading, ChartView::Natal, App::LocaleMonthNames());
        window.render(model);
        window.show();
        if (choice.houses == HouseSystem::WholeSign) {
            // The fourth house holds eight names: they share lines, all of them there.
            const QString crowded = Label(&window, "lblNatal3");
            for (const char* name :
                 {"Sun", "Moon", "Mercury (R)", "Venus", "Mars", "Jupiter", "Saturn", "Ketu"}) {
                EXPECT_TRUE(crowded.contains(QLatin1String(name))) << name;
            }
            EXPECT_LE(crowded.count(QLatin1Char('\n')), 4);
        }
        int sharedSigns = 0;
        // Every house, in any system: each of its bodies named, under the picture of the sign on
        // its cusp (a crowded house may take another line where that keeps it clear of the others).
        for (int h = 0; h < kSignCount; ++h) {
            const QString text = Label(&window, QStringLiteral("lblNatal%1").arg(h));
            for (const ChartBody body : model.singleWheel.bodies[h]) {
                EXPECT_TRUE(text.contains(Q(WheelBodyName(model.singleWheel, body)).trimmed()))
                    << h << " " << kBodyNames[static_cast<int>(body)];
            }
            if (h > 0 && choice.houses == HouseSystem::Placidus)
                sharedSigns += reading.natal.houseSigns[h] == reading.natal.houseSigns[h - 1];
            EXPECT_EQ(Find<SignPicture>(&window, QStringLiteral("imgSign%1").arg(h))->picture(),
                      reading.natal.houseSigns[h] + 1)
                << h;
        }
        for (int a = 0; a < 12; ++a) {
            for (int b = a + 1; b < 12; ++b) {
                EXPECT_FALSE(InkRect(Find<QLabel>(&window, QStringLiteral("lblNatal%1").arg(a)))
                                 .intersects(InkRect(
                                     Find<QLabel>(&window, QStringLiteral("lblNatal%1").arg(b)))))
                    << a << " " << b;
            }
        }
        // London's Placidus houses at this hour: two cusps fall in one sign, and their pictures
        // say so.
        if (choice.houses == HouseSystem::Placidus) {
            EXPECT_GT(sharedSigns, 0);
        }
        // The comparison wheel: no house text of either ring runs into another.
        model = MakeChartWindow(reading, ChartView::Comparison, App::LocaleMonthNames());
        window.render(model);
        for (int i = 0; i < 24; ++i) {
            const WheelHouses& ring = i < kSignCount ? model.outerRing : model.innerRing;
            const QString text = Label(&window, QStringLiteral("lblPlanets_Position%1").arg(i));
            for (const ChartBody body : ring.bodies[i % kSignCount])
                EXPECT_TRUE(text.contains(Q(WheelBodyName(ring, body)).trimmed())) << i;
        }
        for (int a = 0; a < 24; ++a) {
            auto* first = Find<QLabel>(&window, QStringLiteral("lblPlanets_Position%1").arg(a));
            if (first->text().isEmpty()) continue;
            for (int b = a + 1; b < 24; ++b) {
                auto* second =
                    Find<QLabel>(&window, QStringLiteral("lblPlanets_Position%1").arg(b));
                if (second->text().isEmpty()) continue;
                EXPECT_FALSE(InkRect(first).intersects(InkRect(second)))
                    << a << " " << b << " " << first->text().toStdString() << " / "
                    << second->text().toStdString();
            }
        }
    }
}

}  // namespace
}  // namespace velloran::test
