// Placing a window beside another: each side in turn, then over the part that may be covered,
// always on the screen.

#include <gtest/gtest.h>

#include "ui/WindowPlacement.h"

namespace velloran {
namespace {

struct PlacementCase {
    const char* name;
    QRect screen;
    QRect anchor;
    QSize frame;
    QPoint expected;
};

// The cover rectangle: the right third of the anchor, a little below its top.
QRect CoverOf(const QRect& anchor) {
    return QRect(anchor.left() + 2 * anchor.width() / 3, anchor.top() + 40, anchor.width() / 3,
                 anchor.height() - 40);
}

TEST(PlaceBeside, TakesTheFirstSideWithRoomElseCoversTheGivenPart) {
    const QRect wide(0, 0, 1920, 1000);
    const QRect chart(200, 150, 800, 450);  // right edge at x 999, bottom at y 599
    const QSize frame(500, 380);
    const PlacementCase cases[] = {
        {"right, level with the top", wide, chart, frame, {1008, 150}},
        {"right edge exactly on the screen's",
         QRect(0, 0, 1908, 1000),
         QRect(600, 150, 800, 450),
         frame,
         {1408, 150}},
        {"one pixel short on the right: left",
         QRect(0, 0, 1907, 1000),
         QRect(600, 150, 800, 450),
         frame,
         {600 - 8 - 500, 150}},
        {"no room on either side: below, level with the right edge",
         QRect(0, 0, 1300, 1000),
         QRect(100, 50, 1100, 450),
         frame,
         {1200 - 500, 508}},
        {"below, the right edge brought onto the screen",
         QRect(0, 0, 1300, 1000),
         QRect(-200, 50, 1450, 450),
         QSize(1290, 380),
         {0, 508}},
        {"nowhere beside it: over the cover, level with its top",
         QRect(0, 0, 1280, 800),
         QRect(100, 100, 1100, 600),
         QSize(400, 380),
         {100 + 2 * 1100 / 3, 140}},
        {"the cover's left pulled back so the frame stays on the screen",
         QRect(0, 0, 1280, 800),
         QRect(100, 100, 1100, 600),
         QSize(700, 380),
         {1280 - 700, 140}},
        {"a top above the screen comes down to it",
         QRect(0, 30, 1920, 1000),
         QRect(200, 0, 800, 450),
         frame,
         {1008, 30}},
        {"a frame taller than the screen stands at its top",
         QRect(0, 0, 1920, 300),
         chart,
         frame,
         {1008, 0}},
        {"a screen not at the origin",
         QRect(1920, 0, 1920, 1080),
         QRect(2000, 100, 800, 450),
         frame,
         {2808, 100}},
    };
    for (const PlacementCase& c : cases) {
        SCOPED_TRACE(c.name);
        const QPoint at = PlaceBeside(c.screen, c.anchor, CoverOf(c.anchor), c.frame, 8);
        EXPECT_EQ(at, c.expected);
        // Wherever it goes, the frame starts on the screen.
        EXPECT_TRUE(c.screen.contains(at));
    }
}

TEST(PlaceBeside, NeverOverlapsTheAnchorWhenASideHasRoom) {
    const QRect screen(0, 0, 1920, 1080);
    const QSize frame(480, 360);
    for (int left = 0; left + 700 <= 1920; left += 97) {
        for (int top = 0; top + 400 <= 1080; top += 113) {
            const QRect anchor(left, top, 700, 400);
            const QPoint at = PlaceBeside(screen, anchor, anchor, frame, 8);
            const QRect placed(at, frame);
            SCOPED_TRACE(testing::Message() << "anchor at " << left << "," << top);
            EXPECT_TRUE(screen.contains(placed));
            const bool room = left - 8 - frame.width() >= 0 ||
                              left + 700 + 8 + frame.width() <= 1920 ||
                              top + 400 + 8 + frame.height() <= 1080;
            if (room) {
                EXPECT_FALSE(placed.intersects(anchor));
            }
        }
    }
}

}  // namespace
}  // namespace velloran
