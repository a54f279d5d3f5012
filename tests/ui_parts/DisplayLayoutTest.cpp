// The chart window's right-hand side for the rows and lines a model shows.

#include <gtest/gtest.h>

#include "chart/gui/DisplayLayout.h"

namespace velloran::display {
namespace {

TEST(ArrangeDisplay, TheClassicWindowKeepsItsDesignedPlacesAndSize) {
    const DisplayArrangement a = ArrangeDisplay(kBodyCount, false, std::nullopt);
    EXPECT_EQ(a.rows, kBodyCount);
    EXPECT_EQ(a.shift, 0);
    EXPECT_EQ(a.frameTop, kFrameTop);
    EXPECT_EQ(a.frameHeight, kFrameHeight);
    EXPECT_EQ(a.windowHeight, TwipsToPx(kClientHeight));
}

struct ArrangementCase {
    const char* name;
    int bodyRows;
    int positionsLine;  // lines of the positions line, 0 for none
    std::optional<int> noteHeight;
    int rows;  // rows expected on screen
};

TEST(ArrangeDisplay, EveryRowTheLineAndTheNoteFitInTheWindow) {
    const ArrangementCase cases[] = {
        {"classic", kBodyCount, 0, std::nullopt, kBodyCount},
        {"classic with a line", kBodyCount, 1, std::nullopt, kBodyCount},
        {"modern bodies", kPreciseBodyCount, 1, std::nullopt, kPreciseBodyCount},
        {"modern bodies and a note", kPreciseBodyCount, 1, 42, kPreciseBodyCount},
        {"a note of one line", kPreciseBodyCount, 1, 13, kPreciseBodyCount},
        {"a tall note", kPreciseBodyCount, 1, 400, kPreciseBodyCount},
        {"a note of no height", kPreciseBodyCount, 1, 0, kPreciseBodyCount},
        {"no rows asked for", 0, 0, std::nullopt, kBodyCount},
        {"with the asteroids and Lilith", kMaxBodyCount, 1, 42, kMaxBodyCount},
        {"more rows than bodies", 40, 1, std::nullopt, kMaxBodyCount},
        {"a line wrapped in two", kMaxBodyCount, 2, 42, kMaxBodyCount},
    };
    for (const ArrangementCase& c : cases) {
        SCOPED_TRACE(c.name);
        const DisplayArrangement a = ArrangeDisplay(c.bodyRows, c.positionsLine, c.noteHeight);
        EXPECT_EQ(a.rows, c.rows);
        // The last row's cells lie inside the frames.
        EXPECT_LE(kRowTops[a.rows - 1] + kCellHeight, a.frameHeight);
        // The positions line pushes everything under the heading down by its height, so it ends
        // where the first birth line begins.
        EXPECT_EQ(a.shift, c.positionsLine * kPositionsLineHeight);
        EXPECT_EQ(a.frameTop, kFrameTop + a.shift);
        if (c.positionsLine) {
            EXPECT_LE(kPositionsLineTop + c.positionsLine * kPositionsLineHeight,
                      kHeaderTops[0] + a.shift);
        }
        const int framesBottom = TwipsToPx(a.frameTop + a.frameHeight);
        int bottom = framesBottom;
        if (c.noteHeight) {
            EXPECT_EQ(a.noteTop, framesBottom + TwipsToPx(kNoteGap));
            bottom = a.noteTop + *c.noteHeight;
        }
        // Never smaller than designed; taller only as far as its contents and the margin need.
        EXPECT_GE(a.windowHeight, TwipsToPx(kClientHeight));
        EXPECT_GE(a.windowHeight, bottom + TwipsToPx(kBottomMargin));
        if (a.windowHeight > TwipsToPx(kClientHeight)) {
            EXPECT_EQ(a.windowHeight, bottom + TwipsToPx(kBottomMargin));
        }
    }
}

TEST(ArrangeDisplay, TheModernRowsMakeTheFramesAndTheWindowTaller) {
    const DisplayArrangement classic = ArrangeDisplay(kBodyCount, true, std::nullopt);
    const DisplayArrangement modern = ArrangeDisplay(kPreciseBodyCount, true, std::nullopt);
    EXPECT_EQ(modern.frameHeight - classic.frameHeight, kRowTops[14] - kRowTops[9]);
    const DisplayArrangement asteroids = ArrangeDisplay(kMaxBodyCount, true, std::nullopt);
    EXPECT_EQ(asteroids.frameHeight - classic.frameHeight, kRowTops[19] - kRowTops[9]);
    EXPECT_GT(modern.windowHeight, classic.windowHeight);
    // A note grows the window by its own height.
    const DisplayArrangement noted = ArrangeDisplay(kPreciseBodyCount, true, 30);
    EXPECT_EQ(noted.windowHeight, modern.windowHeight + TwipsToPx(kNoteGap) + 30);
}

}  // namespace
}  // namespace velloran::display
