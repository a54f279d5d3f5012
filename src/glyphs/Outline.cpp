#include "glyphs/Outline.h"

#include <algorithm>
#include <limits>

namespace velloran {

const GlyphOutline* GlyphOutlines::find(char32_t c) const {
    const auto it = m_glyphs.find(c);
    return it == m_glyphs.end() ? nullptr : &it->second;
}

std::vector<GlyphPlacement> PlaceText(const GlyphOutlines& outlines, std::u32string_view text,
                                      double left, double top, double right, double bottom,
                                      double em) {
    std::vector<GlyphPlacement> placed;
    const double boxWidth = right - left;
    if (!(boxWidth > 0.0) || !(em > 0.0)) return placed;

    // Lay the run out at one unit per em, gathering the ink extent of all its glyphs.
    constexpr double kInf = std::numeric_limits<double>::infinity();
    double inkLeft = kInf, inkRight = -kInf, inkTop = kInf, inkBottom = -kInf;
    double pen = 0.0;
    for (const char32_t c : text) {
        const GlyphOutline* glyph = outlines.find(c);
        if (!glyph) continue;
        placed.push_back({c, pen, 0.0, 1.0});
        if (glyph->inkRight > glyph->inkLeft || glyph->inkBottom > glyph->inkTop) {
            inkLeft = std::min(inkLeft, pen + glyph->inkLeft);
            inkRight = std::max(inkRight, pen + glyph->inkRight);
            inkTop = std::min(inkTop, glyph->inkTop);
            inkBottom = std::max(inkBottom, glyph->inkBottom);
        }
        pen += glyph->advance;
    }
    if (placed.empty()) return placed;
    if (inkLeft > inkRight) {
        // Nothing with ink (spaces only): centre the advances on the baseline.
        inkLeft = 0.0;
        inkRight = pen;
        inkTop = inkBottom = 0.0;
    }

    double scale = em;
    const double inkWidth = (inkRight - inkLeft) * scale;
    if (inkWidth > boxWidth) scale *= boxWidth / inkWidth;

    const double originX = (left + right) / 2 - (inkLeft + inkRight) / 2 * scale;
    const double originY = (top + bottom) / 2 - (inkTop + inkBottom) / 2 * scale;
    for (GlyphPlacement& p : placed) {
        p.x = originX + p.x * scale;
        p.y = originY;
        p.scale = scale;
    }
    return placed;
}

}  // namespace velloran
