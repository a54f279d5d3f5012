// The glyph outlines read from the system's fonts, and PlaceText's setting of a run in a box.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <limits>

#include "glyphs/Outline.h"
#include "glyphs/SystemGlyphs.h"
#include "wheel/WheelSymbols.h"

namespace velloran {
namespace {

std::u32string AllWheelCharacters() {
    std::u32string all;
    for (const auto& set :
         {std::vector<std::u32string_view>(kBodySymbols.begin(), kBodySymbols.end()),
          std::vector<std::u32string_view>(kSignSymbols.begin(), kSignSymbols.end()),
          std::vector<std::u32string_view>(kAspectSymbols.begin(), kAspectSymbols.end()),
          std::vector<std::u32string_view>(kBodyFallbackLabels.begin(), kBodyFallbackLabels.end()),
          std::vector<std::u32string_view>(kSignFallbackLabels.begin(), kSignFallbackLabels.end()),
          std::vector<std::u32string_view>(kAspectFallbackLabels.begin(),
                                           kAspectFallbackLabels.end())}) {
        for (const std::u32string_view text : set) all += text;
    }
    all += kRetrogradeSymbol;
    all += kRetrogradeFallback;
    all += U"0123456789\u00B0'";
    return all;
}

// The bounding box of the points a path passes through (ends of its steps, not controls).
struct Box {
    double left = std::numeric_limits<double>::infinity(), top = left, right = -left,
           bottom = -left;
    void add(const PathPoint& p) {
        left = std::min(left, p.x);
        right = std::max(right, p.x);
        top = std::min(top, p.y);
        bottom = std::max(bottom, p.y);
    }
};
Box OnCurveBox(const PathData& path) {
    Box box;
    for (const PathOp& op : path) {
        switch (op.kind) {
            case PathOp::Kind::MoveTo:
            case PathOp::Kind::LineTo:
                box.add(op.p1);
                break;
            case PathOp::Kind::QuadTo:
                box.add(op.p2);
                break;
            case PathOp::Kind::CubicTo:
                box.add(op.p3);
                break;
            case PathOp::Kind::Close:
                break;
        }
    }
    return box;
}

TEST(SystemGlyphs, EveryCharacterOfTheWheelHasAnOutlineWithASensibleBox) {
    const GlyphOutlines& outlines = SystemGlyphOutlines();
    ASSERT_TRUE(outlines.hasSymbols()) << outlines.note();
    EXPECT_TRUE(outlines.note().empty());
    ASSERT_FALSE(outlines.sources.empty());
    EXPECT_NE(outlines.sources.front().find("Symbola"), std::string::npos);

    for (const char32_t c : AllWheelCharacters()) {
        SCOPED_TRACE(static_cast<unsigned>(c));
        const GlyphOutline* glyph = outlines.find(c);
        ASSERT_NE(glyph, nullptr);
        ASSERT_FALSE(glyph->path.empty());
        EXPECT_EQ(glyph->path.front().kind, PathOp::Kind::MoveTo);
        EXPECT_EQ(glyph->path.back().kind, PathOp::Kind::Close);
        // Em units: an advance of a fraction of an em to a couple of ems, ink about that wide
        // and no taller than the line.
        EXPECT_GT(glyph->advance, 0.2);
        EXPECT_LT(glyph->advance, 2.5);
        EXPECT_LT(glyph->inkLeft, glyph->inkRight);
        EXPECT_LT(glyph->inkTop, glyph->inkBottom);
        EXPECT_LE(glyph->inkRight - glyph->inkLeft, glyph->advance * 1.25);
        EXPECT_GT(glyph->inkTop, -1.2);
        EXPECT_LT(glyph->inkBottom, 0.5);
        // The ink box is the outline's: every point the path passes through lies in it, and
        // it reaches the outermost ones.
        const Box onCurve = OnCurveBox(glyph->path);
        constexpr double kSlack = 1e-9;
        EXPECT_GE(onCurve.left, glyph->inkLeft - kSlack);
        EXPECT_LE(onCurve.right, glyph->inkRight + kSlack);
        EXPECT_GE(onCurve.top, glyph->inkTop - kSlack);
        EXPECT_LE(onCurve.bottom, glyph->inkBottom + kSlack);
        EXPECT_NEAR(onCurve.top, glyph->inkTop, 0.1);
        EXPECT_NEAR(onCurve.bottom, glyph->inkBottom, 0.1);
    }
}

TEST(SystemGlyphs, LettersStandOnTheBaselineWithYDownwards) {
    const GlyphOutlines& outlines = SystemGlyphOutlines();
    const GlyphOutline* capital = outlines.find(U'A');
    const GlyphOutline* descender = outlines.find(U'g');
    const GlyphOutline* space = outlines.find(U' ');
    ASSERT_TRUE(capital && descender && space);
    EXPECT_NEAR(capital->inkBottom, 0.0, 0.02);
    EXPECT_LT(capital->inkTop, -0.6);
    EXPECT_GT(descender->inkBottom, 0.1);
    EXPECT_TRUE(space->path.empty());
    EXPECT_GT(space->advance, 0.1);
    EXPECT_EQ(space->inkRight - space->inkLeft, 0.0);
}

TEST(SystemGlyphs, MissingOrBrokenFontFilesGiveANoteInsteadOfOutlines) {
    const GlyphOutlines& system = SystemGlyphOutlines();
    ASSERT_GE(system.sources.size(), 2u);
    const std::string symbola = system.sources[0];
    const std::string sans = system.sources[1];
    const std::filesystem::path notFont =
        std::filesystem::temp_directory_path() / "velloran-glyphs-not-a-font.ttf";
    std::ofstream(notFont) << "not a font at all";

    struct Case {
        const char* name;
        std::string symbolFont, textFont;
        bool symbols, letters;
    };
    const Case cases[] = {
        {"both missing", "/nonexistent/Symbola.ttf", "/nonexistent/Sans.ttf", false, false},
        {"both empty", "", "", false, false},
        {"not fonts", notFont.string(), notFont.string(), false, false},
        {"no symbol font", "/nonexistent/Symbola.ttf", sans, false, true},
        {"no text font", symbola, "", true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const GlyphOutlines outlines = LoadGlyphOutlines(c.symbolFont, c.textFont);
        EXPECT_EQ(outlines.hasSymbols(), c.symbols);
        for (const char32_t symbol : kAstrologicalSymbols) {
            EXPECT_EQ(outlines.find(symbol) != nullptr, c.symbols);
        }
        EXPECT_EQ(outlines.find(U'A') != nullptr, c.letters);
        if (!c.symbols) {
            EXPECT_NE(outlines.note().find("Symbola font (Debian package fonts-symbola)"),
                      std::string::npos)
                << outlines.note();
        } else {
            EXPECT_TRUE(outlines.note().empty()) << outlines.note();
        }
    }
    std::filesystem::remove(notFont);
}

// A font of two boxes and a space, each an em wide: "a" ink 0.1..0.9 wide and from 0.7 above the
// baseline to it, "b" ink 0.2..0.8 and 0.5 above to 0.2 below.
GlyphOutlines BoxFont() {
    auto box = [](double l, double t, double r, double b) {
        GlyphOutline g;
        g.advance = 1.0;
        g.path = {{PathOp::Kind::MoveTo, {l, t}, {}, {}},
                  {PathOp::Kind::LineTo, {r, t}, {}, {}},
                  {PathOp::Kind::LineTo, {r, b}, {}, {}},
                  {PathOp::Kind::LineTo, {l, b}, {}, {}},
                  {PathOp::Kind::Close, {}, {}, {}}};
        g.inkLeft = l, g.inkTop = t, g.inkRight = r, g.inkBottom = b;
        return g;
    };
    GlyphOutlines font;
    font.add(U'a', box(0.1, -0.7, 0.9, 0.0));
    font.add(U'b', box(0.2, -0.5, 0.8, 0.2));
    GlyphOutline space;
    space.advance = 0.5;
    font.add(U' ', space);
    return font;
}

TEST(PlaceText, ScalesCentresAndShrinksTheRunToItsBox) {
    const GlyphOutlines font = BoxFont();
    struct Case {
        const char* name;
        std::u32string text;
        double left, top, right, bottom, em;
    };
    const Case cases[] = {
        {"one glyph, room to spare", U"a", 10, 20, 50, 40, 20},
        {"two glyphs", U"ab", 0, 0, 100, 30, 30},
        {"with a space between", U"a b", 0, 0, 200, 30, 30},
        {"wider than its box", U"abab", 5, 5, 35, 25, 20},
        {"unknown characters take no room", U"?a?b?", 0, 0, 100, 30, 30},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto placed = PlaceText(font, c.text, c.left, c.top, c.right, c.bottom, c.em);
        ASSERT_FALSE(placed.empty());
        // The ink of the placed run, glyph by glyph.
        double l = 1e9, r = -1e9, t = 1e9, b = -1e9;
        for (size_t i = 0; i < placed.size(); ++i) {
            const GlyphPlacement& p = placed[i];
            const GlyphOutline* g = font.find(p.c);
            ASSERT_NE(g, nullptr);
            EXPECT_DOUBLE_EQ(p.scale, placed[0].scale);
            EXPECT_DOUBLE_EQ(p.y, placed[0].y);
            if (i > 0) {
                const GlyphOutline* previous = font.find(placed[i - 1].c);
                EXPECT_NEAR(p.x - placed[i - 1].x, previous->advance * p.scale, 1e-9);
            }
            if (g->path.empty()) continue;
            l = std::min(l, p.x + g->inkLeft * p.scale);
            r = std::max(r, p.x + g->inkRight * p.scale);
            t = std::min(t, p.y + g->inkTop * p.scale);
            b = std::max(b, p.y + g->inkBottom * p.scale);
        }
        EXPECT_NEAR((l + r) / 2, (c.left + c.right) / 2, 1e-9);
        EXPECT_NEAR((t + b) / 2, (c.top + c.bottom) / 2, 1e-9);
        const double naturalWidth = (r - l) / placed[0].scale * c.em;
        if (naturalWidth <= c.right - c.left) {
            EXPECT_DOUBLE_EQ(placed[0].scale, c.em);
        } else {
            EXPECT_LT(placed[0].scale, c.em);
            EXPECT_NEAR(r - l, c.right - c.left, 1e-9);
        }
    }
}

TEST(PlaceText, NothingToPlace) {
    const GlyphOutlines font = BoxFont();
    EXPECT_TRUE(PlaceText(font, U"", 0, 0, 10, 10, 10).empty());
    EXPECT_TRUE(PlaceText(font, U"??", 0, 0, 10, 10, 10).empty());
    EXPECT_TRUE(PlaceText(font, U"ab", 10, 0, 10, 10, 10).empty());  // no width
    EXPECT_TRUE(PlaceText(font, U"ab", 0, 0, 10, 10, 0).empty());    // no size
}

}  // namespace
}  // namespace velloran
