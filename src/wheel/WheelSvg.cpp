#include "wheel/WheelSvg.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <set>

namespace velloran {

namespace {

// A number with at most three decimals and no trailing zeros ("12", "0.5", "-3.125"); in path
// data (compact) without the leading zero (".5", "-.5").
void AppendNumber(std::string& out, double value, bool compact = false) {
    if (!std::isfinite(value)) value = 0.0;
    value = std::clamp(value, -1e12, 1e12);
    long long milli = std::llround(value * 1000.0);
    if (milli < 0) {
        out += '-';
        milli = -milli;
    }
    const long long whole = milli / 1000;
    long long fraction = milli % 1000;
    if (whole != 0 || fraction == 0 || !compact) out += std::to_string(whole);
    if (fraction == 0) return;
    int digits = 3;
    while (fraction % 10 == 0) {
        fraction /= 10;
        --digits;
    }
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, ".%0*lld", digits, fraction);
    out += buffer;
}

// Path data numbers: a minus sign separates by itself, anything else takes a space.
void AppendPathNumber(std::string& out, double value) {
    if (!out.empty()) {
        const char last = out.back();
        const bool afterCommand = (last >= 'A' && last <= 'Z');
        const bool negative = std::llround(value * 1000.0) < 0;
        if (!afterCommand && !negative) out += ' ';
    }
    AppendNumber(out, value, true);
}

void AppendPoint(std::string& out, const PathPoint& p) {
    AppendPathNumber(out, p.x);
    AppendPathNumber(out, p.y);
}

void AppendColour(std::string& out, const WheelColour& c) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "#%02x%02x%02x", c.r, c.g, c.b);
    out += buffer;
}

void AppendEscaped(std::string& out, std::string_view text) {
    for (const char ch : text) {
        switch (ch) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out += ch;
        }
    }
}

std::string GlyphId(char32_t c) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "g-%04X", static_cast<unsigned>(c));
    return buffer;
}

std::string GlyphPathData(const PathData& path) {
    std::string d;
    for (const PathOp& op : path) {
        switch (op.kind) {
            case PathOp::Kind::MoveTo:
                d += 'M';
                AppendPoint(d, op.p1);
                break;
            case PathOp::Kind::LineTo:
                d += 'L';
                AppendPoint(d, op.p1);
                break;
            case PathOp::Kind::QuadTo:
                d += 'Q';
                AppendPoint(d, op.p1);
                AppendPoint(d, op.p2);
                break;
            case PathOp::Kind::CubicTo:
                d += 'C';
                AppendPoint(d, op.p1);
                AppendPoint(d, op.p2);
                AppendPoint(d, op.p3);
                break;
            case PathOp::Kind::Close:
                d += 'Z';
                break;
        }
    }
    return d;
}

// fill="..." stroke="..." stroke-width="..." as the item asks.
void AppendPaint(std::string& out, const DrawItem& item) {
    out += " fill=\"";
    if (item.fill) {
        AppendColour(out, *item.fill);
    } else {
        out += "none";
    }
    out += '"';
    if (item.stroke) {
        out += " stroke=\"";
        AppendColour(out, *item.stroke);
        out += "\" stroke-width=\"";
        AppendNumber(out, item.strokeWidth);
        out += '"';
        if (!item.dash.empty()) {
            out += " stroke-dasharray=\"";
            for (size_t i = 0; i < item.dash.size(); ++i) {
                if (i > 0) out += ' ';
                AppendNumber(out, item.dash[i]);
            }
            out += '"';
        }
    }
}

bool Drawn(const GlyphOutline* glyph) { return glyph && !glyph->path.empty(); }

}  // namespace

std::string WheelSvg(const WheelDrawing& drawing, const GlyphOutlines& outlines) {
    std::string svg;
    svg.reserve(64 * 1024);
    svg += "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 ";
    std::string size;
    AppendNumber(size, drawing.size);
    svg += size + ' ' + size + "\" width=\"" + size + "\" height=\"" + size + "\">\n";
    svg += "<rect width=\"" + size + "\" height=\"" + size + "\" fill=\"";
    AppendColour(svg, drawing.background);
    svg += "\"/>\n";

    // Every glyph drawn, defined once, in code point order.
    std::set<char32_t> used;
    for (const DrawItem& item : drawing.items) {
        if (item.kind != DrawItem::Kind::Text) continue;
        for (const char32_t c : item.text) {
            if (Drawn(outlines.find(c))) used.insert(c);
        }
    }
    if (!used.empty()) {
        svg += "<defs>\n";
        for (const char32_t c : used) {
            svg += "<path id=\"" + GlyphId(c) + "\" d=\"" + GlyphPathData(outlines.find(c)->path) +
                   "\"/>\n";
        }
        svg += "</defs>\n";
    }

    // Consecutive items with one id (a body's label: its degree, sign, minute and ℞) share one
    // group, so each id names one element.
    for (std::size_t i = 0; i < drawing.items.size(); ++i) {
        const DrawItem& item = drawing.items[i];
        const bool grouped = !item.id.empty();
        const bool opens = grouped && (i == 0 || drawing.items[i - 1].id != item.id);
        const bool closes =
            grouped && (i + 1 == drawing.items.size() || drawing.items[i + 1].id != item.id);
        if (opens) {
            svg += "<g id=\"";
            AppendEscaped(svg, item.id);
            svg += '"';
            if (!item.dataLongitude.empty()) {
                svg += " data-longitude=\"";
                AppendEscaped(svg, item.dataLongitude);
                svg += '"';
            }
            svg += ">\n";
        }
        switch (item.kind) {
            case DrawItem::Kind::Circle:
                svg += "<circle cx=\"";
                AppendNumber(svg, item.centre.x);
                svg += "\" cy=\"";
                AppendNumber(svg, item.centre.y);
                svg += "\" r=\"";
                AppendNumber(svg, item.radius);
                svg += '"';
                AppendPaint(svg, item);
                svg += "/>\n";
                break;
            case DrawItem::Kind::Segments: {
                if (item.segments.empty()) break;
                std::string d;
                for (const WheelSegment& s : item.segments) {
                    d += 'M';
                    AppendPoint(d, {s.from.x, s.from.y});
                    d += 'L';
                    AppendPoint(d, {s.to.x, s.to.y});
                }
                svg += "<path d=\"" + d + '"';
                AppendPaint(svg, item);
                svg += "/>\n";
                break;
            }
            case DrawItem::Kind::Text: {
                // Text is filled only: the glyphs' shapes, in the fill colour.
                if (!item.fill) break;
                const std::vector<GlyphPlacement> placed =
                    PlaceText(outlines, item.text, item.box.left, item.box.top, item.box.right,
                              item.box.bottom, item.box.height());
                svg += "<g fill=\"";
                AppendColour(svg, *item.fill);
                svg += "\">";
                // SVG 2's plain href: librsvg (2.54 and later) and browsers read it, so no xlink
                // namespace is needed.
                for (const GlyphPlacement& p : placed) {
                    if (!Drawn(outlines.find(p.c))) continue;
                    svg += "<use href=\"#" + GlyphId(p.c) + "\" transform=\"translate(";
                    AppendNumber(svg, p.x);
                    svg += ' ';
                    AppendNumber(svg, p.y);
                    svg += ") scale(";
                    AppendNumber(svg, p.scale);
                    svg += ")\"/>";
                }
                svg += "</g>\n";
                break;
            }
        }
        if (closes) svg += "</g>\n";
    }
    svg += "</svg>\n";
    return svg;
}

}  // namespace velloran
