#pragma once
// Designed geometry of the chart window, in twips from the top-left corner of each container, and
// the arrangement of its right-hand side for the rows and lines a model shows.

#include <algorithm>
#include <array>
#include <optional>

#include "domain/Bodies.h"
#include "ui/Twips.h"

namespace velloran::display {

struct TwipPoint {
    int left, top;
};

inline constexpr int kClientWidth = 12030;
inline constexpr int kClientHeight = 6720;

inline constexpr int kHeaderLeft = 7080;
inline constexpr int kTypeTop = 0;
// Tops of lblName, lblCity, lblState, lblCountry, lblDOB, lblTOB, lblZone, lblLatitude,
// lblLongitude: nine lines in the room the legends leave above them.
inline constexpr int kHeaderLineCount = 9;
inline constexpr std::array<int, kHeaderLineCount> kHeaderTops = {360,  570,  780,  990, 1200,
                                                                  1410, 1620, 1830, 2040};
inline constexpr std::array<int, 2> kLegendTops = {2320, 2600};
inline constexpr int kLegendWidth = 2895;
inline constexpr int kLegendHeight = 195;

inline constexpr int kFrameTop = 2880;
inline constexpr int kFrameHeight = 3650;
inline constexpr int kPlanetFrameLeft = 7080;
inline constexpr int kPlanetFrameWidth = 1800;
inline constexpr int kDraconicFrameLeft = 9007;
// The natal position frame's left: stacked on the draconic frame (single wheels) or beside it
// (comparison).
inline constexpr int kNatalFrameLeftStacked = 9007;
inline constexpr int kNatalFrameLeftBeside = 10560;
inline constexpr int kPositionFrameWidth = 1425;
inline constexpr int kCellLeft = 30;
inline constexpr int kRowCaptionWidth = 1695;
inline constexpr int kCellWidth = 1305;
inline constexpr int kCellHeight = 285;
// With the precise positions each position cell gives the right of its room to the body's house
// number: the narrower position cell, then the house cell up to the frame's inner edge.
inline constexpr int kHouseCellWidth = 255;
inline constexpr int kHouseCellLeft = kPositionFrameWidth - kCellLeft - kHouseCellWidth;
inline constexpr int kHousedCellWidth = kHouseCellLeft - kCellLeft;
inline constexpr std::array<int, kMaxBodyCount> kRowTops = {
    360,  690,  1020, 1335, 1665, 1995, 2325, 2655, 2970, 3315,
    3645, 3975, 4305, 4635, 4965, 5295, 5625, 5955, 6285, 6615};
// The height of the frames with rows position rows: the classic ten keep the designed height,
// each further row (the precise positions' midheaven, modern bodies, asteroids) adds its own.
constexpr int FrameHeightForRows(int rows) {
    return kFrameHeight +
           (kRowTops[std::clamp(rows, kBodyCount, kMaxBodyCount) - 1] - kRowTops[kBodyCount - 1]);
}

// The precise positions' line under the heading; everything below the heading on the right
// moves down by its height. The ephemeris's note, when there is one, goes under the frames.
inline constexpr int kPositionsLineTop = 360;
inline constexpr int kPositionsLineHeight = 240;
inline constexpr int kNoteGap = 90;
inline constexpr int kNoteWidth = kClientWidth - kHeaderLeft - 120;
inline constexpr int kBottomMargin = 120;
// Lines a house text takes at most before its names share lines (the precise positions' crowded
// houses): the single wheel's houses, and the comparison wheel's rings.
inline constexpr int kMaxSingleHouseLines = 4;
inline constexpr int kMaxRingHouseLines = 4;

inline constexpr int kPictureLeft = 120;
inline constexpr int kPictureTop = 120;
inline constexpr int kPictureWidth = 6750;
inline constexpr int kPictureHeight = 6465;
inline constexpr int kSignSize = 300;
inline constexpr int kComparisonTextWidth = 2310;

// Single wheel, houses 1..12: house text lblNatal(h-1), sign picture imgSign(h-1), and the house
// number label with its text.
inline constexpr std::array<TwipPoint, 12> kNatalText = {{{960, 3240},
                                                          {1680, 4080},
                                                          {2535, 4440},
                                                          {3480, 4560},
                                                          {4440, 3960},
                                                          {5055, 3240},
                                                          {5160, 2160},
                                                          {4695, 1080},
                                                          {3480, 480},
                                                          {2400, 600},
                                                          {1440, 1200},
                                                          {840, 2160}}};
inline constexpr std::array<TwipPoint, 12> kNatalSign = {{{285, 3720},
                                                          {885, 4920},
                                                          {2160, 5805},
                                                          {3840, 5975},
                                                          {5100, 5400},
                                                          {6060, 4080},
                                                          {6200, 2400},
                                                          {5640, 1200},
                                                          {4320, 240},
                                                          {2520, 120},
                                                          {1320, 720},
                                                          {375, 2040}}};
inline constexpr std::array<TwipPoint, 12> kHouseNumber = {{{345, 3720},
                                                            {960, 4920},
                                                            {2160, 5760},
                                                            {3960, 6000},
                                                            {5160, 5400},
                                                            {6120, 4080},
                                                            {6240, 2400},
                                                            {5640, 1200},
                                                            {4320, 240},
                                                            {2520, 120},
                                                            {1320, 720},
                                                            {360, 2040}}};

// Comparison wheel, houses 1..12: outer ring (draconic) lblPlanets_Position(h-1) and
// imgSign(11+h); inner ring (natal) lblPlanets_Position(11+h) and imgSign(23+h).
inline constexpr std::array<TwipPoint, 12> kOuterText = {{{840, 3840},
                                                          {1320, 4800},
                                                          {2280, 5445},
                                                          {3720, 5565},
                                                          {5010, 4800},
                                                          {5730, 3800},
                                                          {5850, 2600},
                                                          {5310, 1440},
                                                          {4395, 780},
                                                          {2760, 480},
                                                          {1215, 1440},
                                                          {840, 2400}}};
inline constexpr std::array<TwipPoint, 12> kInnerText = {{{1800, 3480},
                                                          {2160, 4125},
                                                          {2685, 4560},
                                                          {3915, 4440},
                                                          {4530, 3960},
                                                          {4650, 3600},
                                                          {4770, 2760},
                                                          {4470, 1920},
                                                          {3720, 1500},
                                                          {2640, 1320},
                                                          {1950, 2040},
                                                          {1680, 2760}}};
inline constexpr std::array<TwipPoint, 12> kOuterSign = {{{240, 3720},
                                                          {840, 4920},
                                                          {2115, 5805},
                                                          {3795, 5970},
                                                          {5055, 5400},
                                                          {6015, 4080},
                                                          {6150, 2280},
                                                          {5595, 1200},
                                                          {4275, 240},
                                                          {2640, 120},
                                                          {1155, 840},
                                                          {330, 2040}}};
inline constexpr std::array<TwipPoint, 12> kInnerSign = {{{1320, 3480},
                                                          {1800, 4320},
                                                          {2640, 4920},
                                                          {3840, 4920},
                                                          {4815, 4200},
                                                          {5160, 3360},
                                                          {5160, 2520},
                                                          {4800, 1680},
                                                          {3960, 960},
                                                          {2520, 1000},
                                                          {1620, 1750},
                                                          {1320, 2640}}};

// Where the right-hand side goes for the rows and lines a model shows. The classic window (ten
// rows, neither line) keeps its designed places and size.
struct DisplayArrangement {
    int rows = kBodyCount;           // position rows shown
    int shift = 0;                   // twips everything below the heading moves down
    int frameTop = kFrameTop;        // twips, the three position frames
    int frameHeight = kFrameHeight;  // twips
    int noteTop = 0;                 // px, the note's top when there is one (its left: kHeaderLeft)
    int windowHeight = 0;            // px, the window's height to hold it all
    int left = 0;                    // px the right-hand side moves right (a larger wheel's room)
};

// The arrangement for bodyRows position rows (kBodyCount to kMaxBodyCount; anything else is
// brought into that range), the positions line under the heading in positionsLines lines (0: no
// line; true reads as one), and a note of noteHeight px under the frames (std::nullopt: no note).
constexpr DisplayArrangement ArrangeDisplay(int bodyRows, int positionsLines,
                                            std::optional<int> noteHeight) {
    DisplayArrangement a;
    a.rows = std::clamp(bodyRows, kBodyCount, kMaxBodyCount);
    a.shift = std::max(positionsLines, 0) * kPositionsLineHeight;
    a.frameTop = kFrameTop + a.shift;
    a.frameHeight = FrameHeightForRows(a.rows);
    int bottom = TwipsToPx(a.frameTop + a.frameHeight);  // px
    if (noteHeight) {
        a.noteTop = bottom + TwipsToPx(kNoteGap);
        bottom = a.noteTop + *noteHeight;
    }
    a.windowHeight = std::max(TwipsToPx(kClientHeight), bottom + TwipsToPx(kBottomMargin));
    return a;
}

}  // namespace velloran::display
