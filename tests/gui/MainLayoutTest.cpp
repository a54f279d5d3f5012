// The main window's resize rules: the pure computation in twips, and the real window.

#include <gtest/gtest.h>

#include <ostream>

#include <QLabel>
#include <QScreen>

#include "GuiTestSupport.h"
#include "app/MainLayout.h"
#include "ui/Twips.h"

namespace velloran::test {
namespace {

struct LayoutRow {
    const char* name;
    float window, screen, heading, url;
    MainBarLefts expected;
};
void PrintTo(const LayoutRow& row, std::ostream* os) { *os << row.name; }

class ResizeRules : public ::testing::TestWithParam<LayoutRow> {};

TEST_P(ResizeRules, FollowTheRightEdgeCentreOnWindowAndScreen) {
    const LayoutRow& row = GetParam();
    MainBarWidths widths;
    widths.heading = row.heading;
    widths.url = row.url;
    const MainBarLefts l = ComputeMainBarLayout(row.window, row.screen, widths);
    EXPECT_FLOAT_EQ(l.exit, row.expected.exit);
    EXPECT_FLOAT_EQ(l.back, row.expected.back);
    EXPECT_FLOAT_EQ(l.saveAsJpeg, row.expected.saveAsJpeg);
    EXPECT_FLOAT_EQ(l.heading, row.expected.heading);
    EXPECT_FLOAT_EQ(l.url, row.expected.url);
    EXPECT_FLOAT_EQ(l.draconic, row.expected.draconic);
    EXPECT_FLOAT_EQ(l.natal, row.expected.natal);
    EXPECT_FLOAT_EQ(l.comparison, row.expected.comparison);
}

// Exit 300 from the right edge; Back and Save As JPEG 100 apart; the chart buttons 50 apart
// around the screen's centre whatever the window's width.
const LayoutRow kLayoutRows[] = {
    {"maximised_on_1280",
     19200,
     19200,
     1800,
     6000,
     {17805, 16610, 14935, 8700, 6600, 8800, 7150, 10450}},
    {"narrow_window_on_1280",
     12000,
     19200,
     1800,
     6000,
     {10605, 9410, 7735, 5100, 3000, 8800, 7150, 10450}},
    {"odd_width_halves",
     15015,
     30000,
     1001,
     0,
     {13620, 12425, 10750, 7007, 7507.5f, 14200, 12550, 15850}},
    {"window_narrower_than_the_buttons",
     2000,
     12000,
     3000,
     4000,
     {605, -590, -2265, -500, -1000, 5200, 3550, 6850}},
};

INSTANTIATE_TEST_SUITE_P(Rows, ResizeRules, ::testing::ValuesIn(kLayoutRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ResizeRules, ChartWindowIsCentredOnTheScreen) {
    EXPECT_FLOAT_EQ(ChartWindowLeft(19200, 12030), 3585);
    EXPECT_FLOAT_EQ(ChartWindowLeft(12000, 12030), -15);
}

TEST(MainWindowResize, NarrowerWindowKeepsExitAtTheRightEdge) {
    StartedApp s;
    s.calculate(KnownBirthForm());
    ASSERT_NE(s.main(), nullptr);
    MainWindow* w = s.main();
    for (int width : {1000, 700}) {
        w->showNormal();
        w->resize(width, 600);
        QCoreApplication::processEvents();
        const int outer = w->frameGeometry().width();
        auto* exit = Find<QWidget>(w, "cmdExit");
        auto* back = Find<QWidget>(w, "cmdBack");
        auto* jpeg = Find<QWidget>(w, "cmdSaveAsJPEG");
        // 300 twips = 20 px from the outer right edge; gaps of 100 twips (6.7 px).
        EXPECT_EQ(exit->x(), TwipsToPx(outer * 15.0 - 1095 - 300)) << width;
        EXPECT_EQ(back->x(), TwipsToPx(outer * 15.0 - 1095 - 300 - 1095 - 100)) << width;
        EXPECT_EQ(jpeg->x(), TwipsToPx(outer * 15.0 - 1095 - 300 - 1095 - 100 - 1575 - 100));
        EXPECT_EQ(exit->size(), QSize(73, 27));
        EXPECT_EQ(jpeg->width(), 105);

        auto* heading = Find<QLabel>(w, "lblHeading");
        EXPECT_NEAR(heading->x() + heading->width() / 2.0, outer / 2.0, 1.0) << width;
        auto* url = Find<QLabel>(w, "lblURL");
        EXPECT_NEAR(url->x() + url->width() / 2.0, outer / 2.0, 1.0) << width;

        // The chart buttons stay centred on the screen.
        const int screen = w->screen()->geometry().width();
        auto* draconic = Find<QWidget>(w, "cmdDraconian");
        EXPECT_EQ(draconic->x(), TwipsToPx((screen * 15.0 - 1600) / 2)) << width;
        EXPECT_EQ(Find<QWidget>(w, "cmdNatal")->x(), TwipsToPx((screen * 15.0 - 1600) / 2 - 1650));
        EXPECT_EQ(Find<QWidget>(w, "cmdComparison")->x(),
                  TwipsToPx((screen * 15.0 - 1600) / 2 + 1650));
        EXPECT_EQ(draconic->size(), QSize(107, 27));
        EXPECT_EQ(draconic->y(), 2);  // 30 twips from the bar's top
        EXPECT_EQ(exit->y(), 5);      // 77 twips from the bar's top
    }
}

TEST(MainWindowResize, ChartWindowSitsCentredAtTheTopOfTheFrame) {
    StartedApp s;
    s.calculate(KnownBirthForm());
    ASSERT_NE(s.main(), nullptr);
    FrmDisplay* d = s.display();
    QWidget* child = d->parentWidget();  // the frameless subwindow
    const int screen = s.main()->screen()->geometry().width();
    EXPECT_EQ(d->size(), QSize(802, 448));
    EXPECT_EQ(child->size(), QSize(802, 448));
    EXPECT_EQ(child->pos(), QPoint(TwipsToPx((screen * 15.0 - 12030) / 2), 0));
    EXPECT_TRUE(child->windowFlags() & Qt::FramelessWindowHint);
}

}  // namespace
}  // namespace velloran::test
