// The precise positions in the windows: the Options menu's choice, kept in the settings and
// applied to the reading on screen; the chart window's fourteen rows, positions line and note;
// crowded houses that stay in their room.

#include <gtest/gtest.h>

#include <QLabel>
#include <QMenu>
#include <QMenuBar>

#include "GuiTestSupport.h"
#include "chart/ChartWindow.h"
#include "chart/gui/ChartPictures.h"
#include "reading/Reading.h"
#include "ui/PositionsMenu.h"

namespace velloran::test {
namespace {

constexpr PositionsChoice kPreciseMean{PositionsKind::Precise, NodeKind::Mean};

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
    EXPECT_EQ(Label(d, "Planet20"), "24 Sco 40");  // natal Uranus
    EXPECT_EQ(Label(d, "PlanetName13"), "Chiron (Ch)");
    // The contacts take the modern bodies in: draconic Uranus (23 Gem 33) stands opposite natal
    // Moon (25 Sag 11), 1° 38' wide, and its cell is marked.
    EXPECT_TRUE(Find<PositionCell>(d, "Planet24")->isMarked());
    EXPECT_FALSE(Find<PositionCell>(d, "Planet27")->isMarked());  // Chiron 08 Sag 00: none

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

TEST_F(PreciseWindow, FourteenRowsAndTheLineAllInsideTheWindow) {
    const QSize classic = window.size();
    Render(KnownBirthForm());
    EXPECT_GT(window.height(), classic.height());
    EXPECT_EQ(window.width(), classic.width());
    const QRect inside = window.rect();
    for (int i : {0, 9, 10, 19, 20, 23, 24, 27}) {
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
              InWindow(&window, Find<QWidget>(&window, "Planet27")).bottom());
}

TEST_F(PreciseWindow, CrowdedHousesStayInTheirRoom) {
    Render(Aquarius1962Form(), ChartView::Natal);
    // The fourth house holds eight names: they share lines, all of them there.
    const QString crowded = Label(&window, "lblNatal3");
    for (const char* name :
         {"Sun", "Moon", "Mercury (R)", "Venus", "Mars", "Jupiter", "Saturn", "Ketu"}) {
        EXPECT_TRUE(crowded.contains(QLatin1String(name))) << name;
    }
    EXPECT_LE(crowded.count(QLatin1Char('\n')), 4);
    for (int a = 0; a < 12; ++a) {
        for (int b = a + 1; b < 12; ++b) {
            EXPECT_FALSE(
                Find<QLabel>(&window, QStringLiteral("lblNatal%1").arg(a))
                    ->geometry()
                    .intersects(
                        Find<QLabel>(&window, QStringLiteral("lblNatal%1").arg(b))->geometry()))
                << a << " " << b;
        }
    }
    // The comparison wheel: no house text of either ring runs into another.
    model = MakeChartWindow(reading, ChartView::Comparison, App::LocaleMonthNames());
    window.render(model);
    for (int a = 0; a < 24; ++a) {
        auto* first = Find<QLabel>(&window, QStringLiteral("lblPlanets_Position%1").arg(a));
        if (first->text().isEmpty()) continue;
        for (int b = a + 1; b < 24; ++b) {
            auto* second = Find<QLabel>(&window, QStringLiteral("lblPlanets_Position%1").arg(b));
            if (second->text().isEmpty()) continue;
            EXPECT_FALSE(TextRect(first).intersects(TextRect(second)))
                << a << " " << b << " " << first->text().toStdString() << " / "
                << second->text().toStdString();
        }
    }
}

}  // namespace
}  // namespace velloran::test
