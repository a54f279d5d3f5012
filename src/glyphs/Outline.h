#pragma once
// Glyph outlines as plain paths: the shapes of the wheel's symbols, digits and letters, taken from
// a font once and drawn the same way by every output (screen, SVG, PDF, PNG, JPEG, print).

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace velloran {

struct PathPoint {
    double x = 0.0, y = 0.0;
    bool operator==(const PathPoint&) const = default;
};

// One step of a path. MoveTo and LineTo use p1; QuadTo uses p1 (control) and p2; CubicTo uses p1,
// p2 (controls) and p3; Close uses none.
struct PathOp {
    enum class Kind : uint8_t { MoveTo, LineTo, QuadTo, CubicTo, Close };
    Kind kind = Kind::MoveTo;
    PathPoint p1, p2, p3;
    bool operator==(const PathOp&) const = default;
};

// A filled outline (non-zero winding).
using PathData = std::vector<PathOp>;

// A glyph in em units: origin on the baseline at the left, x to the right, y downwards (as on
// screen and in SVG), advance the distance to the next glyph.
struct GlyphOutline {
    PathData path;
    double advance = 0.0;
    // Ink extent in em units (y downwards): empty glyphs such as a space have all zeros.
    double inkLeft = 0.0, inkTop = 0.0, inkRight = 0.0, inkBottom = 0.0;
};

// The outlines of every character the wheel may show, from the fonts found on the system.
class GlyphOutlines {
public:
    // The glyph of a character; nullptr when no font found has it.
    const GlyphOutline* find(char32_t c) const;
    void add(char32_t c, GlyphOutline outline) { m_glyphs[c] = std::move(outline); }

    // True when the astrological symbols (planets, nodes, Chiron, signs, aspects, ℞) were found;
    // without them the wheel names bodies and signs with two-letter labels.
    bool hasSymbols() const { return m_hasSymbols; }
    void setHasSymbols(bool has) { m_hasSymbols = has; }
    // Why the symbols are missing (empty when they are there): a sentence for the user.
    const std::string& note() const { return m_note; }
    void setNote(std::string note) { m_note = std::move(note); }
    // The font files the outlines came from, for the about box and the report.
    std::vector<std::string> sources;

private:
    std::unordered_map<char32_t, GlyphOutline> m_glyphs;
    bool m_hasSymbols = false;
    std::string m_note;
};

// The program's outlines: loaded on first use from the system's fonts (the symbols from Symbola,
// digits and letters from DejaVu Sans or the nearest sans font) and kept for the process. Safe to
// call from any thread.
const GlyphOutlines& SystemGlyphOutlines();

// Where each glyph of a text goes when the text is set centred in a box: the run is scaled to
// em px per em, and scaled down further if wider than the box; centred on the box by the ink
// extent of the whole run. A character without an outline takes no room.
struct GlyphPlacement {
    char32_t c = 0;
    double x = 0.0, y = 0.0;  // where the glyph's origin goes
    double scale = 1.0;       // px per em
};
std::vector<GlyphPlacement> PlaceText(const GlyphOutlines& outlines, std::u32string_view text,
                                      double left, double top, double right, double bottom,
                                      double em);

}  // namespace velloran
