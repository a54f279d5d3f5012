#include "wheel/WheelDrawing.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace velloran {

namespace {

double Channel(uint8_t value) {
    const double c = value / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double Luminance(WheelColour c) {
    return 0.2126 * Channel(c.r) + 0.7152 * Channel(c.g) + 0.0722 * Channel(c.b);
}

constexpr WheelColour kWhite{255, 255, 255};
constexpr WheelColour kBlack{0, 0, 0};

// A colour between a and b: t = 0 gives a, 1 gives b.
WheelColour Mix(WheelColour a, WheelColour b, double t) {
    auto mix = [t](uint8_t x, uint8_t y) {
        return static_cast<uint8_t>(std::lround(x + (y - x) * t));
    };
    return {mix(a.r, b.r), mix(a.g, b.g), mix(a.b, b.b)};
}

bool IsDark(WheelColour c) { return Luminance(c) < 0.2; }

std::string FourDecimals(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.4f", value);
    return text;
}

std::string BodyId(const WheelBodyMark& mark) {
    std::string id(WheelChartId(mark.chart));
    id += '-';
    id += WheelBodyId(mark.body);
    return id;
}

DrawItem Circle(WheelPoint centre, double radius, std::optional<WheelColour> stroke, double width,
                std::optional<WheelColour> fill) {
    DrawItem item;
    item.kind = DrawItem::Kind::Circle;
    item.centre = centre;
    item.radius = radius;
    item.stroke = stroke;
    item.strokeWidth = width;
    item.fill = fill;
    return item;
}

DrawItem Segments(std::vector<WheelSegment> segments, WheelColour colour, double width,
                  std::string id = {}) {
    DrawItem item;
    item.kind = DrawItem::Kind::Segments;
    item.segments = std::move(segments);
    item.stroke = colour;
    item.strokeWidth = width;
    item.id = std::move(id);
    return item;
}

DrawItem Text(const WheelText& text, WheelColour colour, std::string id = {}) {
    DrawItem item;
    item.kind = DrawItem::Kind::Text;
    item.text = text.text;
    item.box = text.box;
    item.fill = colour;
    item.id = std::move(id);
    return item;
}

}  // namespace

double ContrastRatio(WheelColour a, WheelColour b) {
    double la = Luminance(a), lb = Luminance(b);
    if (la < lb) std::swap(la, lb);
    return (la + 0.05) / (lb + 0.05);
}

std::vector<double> AspectDash(Aspect aspect) {
    switch (aspect) {
        case Aspect::Conjunction:
            return {};
        case Aspect::Opposition:
            return {9.0, 3.0};
        case Aspect::Square:
            return {3.5, 3.0};
        case Aspect::Trine:
            return {9.0, 2.5, 1.5, 2.5};
        case Aspect::Sextile:
            return {1.5, 2.5};
    }
    return {};
}

WheelPalette ThemePalette(WheelTheme theme) {
    switch (theme) {
        case WheelTheme::Light:
            return LightPalette(kWhite, kBlack);
        case WheelTheme::Dark:
            return {
                .background = {30, 30, 34},
                .ink = {236, 236, 236},
                .faint = {120, 120, 128},
                .zodiacBand = {44, 44, 52},
                .charts = {{{236, 236, 236}, {138, 180, 255}, {214, 168, 255}, {130, 214, 146}}},
                .aspects = {{{230, 200, 90},
                             {255, 110, 100},
                             {255, 140, 90},
                             {110, 200, 130},
                             {110, 170, 255}}},
                .dashedAspects = false,
                .leader = {150, 150, 158}};
        case WheelTheme::Print:
            break;
    }
    // Black on white; the aspects told apart by their dashes.
    return {.background = kWhite,
            .ink = kBlack,
            .faint = {110, 110, 110},
            .zodiacBand = kWhite,
            .charts = {{kBlack, kBlack, kBlack, kBlack}},
            .aspects = {{kBlack, kBlack, kBlack, kBlack, kBlack}},
            .dashedAspects = true,
            .leader = {90, 90, 90}};
}

WheelPalette LightPalette(WheelColour window, WheelColour windowText) {
    // A desktop palette whose text does not stand out from its ground is not used.
    if (ContrastRatio(window, windowText) < 7.0 || IsDark(window)) {
        window = kWhite;
        windowText = kBlack;
    }
    WheelPalette p;
    p.background = window;
    p.ink = windowText;
    p.faint = Mix(window, windowText, 0.45);
    p.zodiacBand = Mix(window, WheelColour{200, 205, 230}, 0.5);
    p.charts = {windowText, WheelColour{20, 70, 170}, WheelColour{110, 40, 140},
                WheelColour{20, 100, 40}};
    p.aspects = {WheelColour{150, 120, 0}, WheelColour{200, 40, 40}, WheelColour{220, 90, 20},
                 WheelColour{30, 140, 60}, WheelColour{30, 100, 210}};
    p.leader = Mix(window, windowText, 0.6);
    return p;
}

WheelDrawing DrawWheel(const WheelLayout& layout, const WheelPalette& palette) {
    WheelDrawing d;
    d.size = layout.size;
    d.background = palette.background;
    auto& items = d.items;
    const double unit = layout.size / 800.0;  // line widths scale with the wheel

    // The zodiac band, then the inner circles on top of it.
    items.push_back(
        Circle(layout.centre, layout.zodiacOuter, palette.ink, 1.5 * unit, palette.zodiacBand));
    items.push_back(
        Circle(layout.centre, layout.zodiacInner, palette.ink, 1.0 * unit, palette.background));
    for (const double radius : layout.circles) {
        if (radius == layout.zodiacOuter || radius == layout.zodiacInner) continue;
        items.push_back(Circle(layout.centre, radius, palette.faint, 0.8 * unit, std::nullopt));
    }
    items.push_back(Segments({layout.signBoundaries.begin(), layout.signBoundaries.end()},
                             palette.ink, 1.0 * unit));
    items.push_back(Segments(layout.ticks1, palette.faint, 0.6 * unit));
    items.push_back(Segments(layout.ticks5, palette.ink, 0.7 * unit));
    items.push_back(Segments(layout.ticks10, palette.ink, 0.9 * unit));
    for (const WheelText& sign : layout.signSymbols) items.push_back(Text(sign, palette.ink));

    items.push_back(
        Segments({layout.cuspLines.begin(), layout.cuspLines.end()}, palette.faint, 0.8 * unit));
    for (const WheelText& number : layout.houseNumbers) items.push_back(Text(number, palette.ink));
    // The horizon and the meridian are drawn across the house ring on both sides, not through
    // the rings of bodies, where they would run through their labels.
    double houseInner = 0.0;
    for (const double radius : layout.circles)
        if (radius < layout.zodiacInner - 1e-9) houseInner = std::max(houseInner, radius);
    const auto along = [&](const WheelPoint& end, double radius) {
        const double dx = end.x - layout.centre.x, dy = end.y - layout.centre.y;
        const double length = std::hypot(dx, dy);
        if (length == 0.0) return layout.centre;
        return WheelPoint{layout.centre.x + dx * radius / length,
                          layout.centre.y + dy * radius / length};
    };
    const auto axis = [&](const WheelSegment& line) {
        items.push_back(
            Segments({{along(line.from, layout.zodiacInner), along(line.from, houseInner)},
                      {along(line.to, layout.zodiacInner), along(line.to, houseInner)}},
                     palette.ink, 2.0 * unit));
    };
    axis(layout.horizon);
    if (layout.meridian) axis(*layout.meridian);
    for (const WheelText& mark : layout.angleMarks) items.push_back(Text(mark, palette.ink));
    for (const WheelText& part : layout.angleDegrees) items.push_back(Text(part, palette.ink));
    // The cusps carried through the rings of bodies, so that a house's bodies are seen in it.
    std::vector<WheelSegment> runs;
    for (const std::vector<WheelSegment>& cusp : layout.cuspRuns)
        runs.insert(runs.end(), cusp.begin(), cusp.end());
    if (!runs.empty()) items.push_back(Segments(std::move(runs), palette.faint, 0.6 * unit));

    const auto dashed = [&](DrawItem item, Aspect aspect) {
        if (palette.dashedAspects)
            for (const double length : AspectDash(aspect)) item.dash.push_back(length * unit);
        return item;
    };
    for (const WheelAspectLine& line : layout.aspectLines)
        items.push_back(dashed(
            Segments({line.line}, palette.aspects[static_cast<int>(line.pair.aspect)], 1.1 * unit),
            line.pair.aspect));

    for (const WheelBodyMark& mark : layout.bodies) {
        const std::string id = BodyId(mark);
        const WheelColour colour = palette.charts[static_cast<int>(mark.chart)];
        std::vector<WheelSegment> leader{mark.tick};
        if (mark.leader.from != mark.leader.to) leader.insert(leader.begin(), mark.leader);
        items.push_back(Segments(std::move(leader), palette.leader, 0.8 * unit, id + "-leader"));
        DrawItem symbol = Text(mark.symbol, colour, id);
        symbol.dataLongitude = FourDecimals(mark.longitude);
        items.push_back(std::move(symbol));
        for (const WheelText& part : mark.label) items.push_back(Text(part, colour, id + "-label"));
    }

    for (const WheelText& line : layout.caption) {
        items.push_back(Text(line, palette.ink));
        items.back().caption = true;
    }
    for (const WheelLegendRow& row : layout.legend) {
        items.push_back(Text(row.symbol, palette.ink));
        items.push_back(dashed(
            Segments({row.sample}, palette.aspects[static_cast<int>(row.aspect)], 1.6 * unit),
            row.aspect));
        items.push_back(Text(row.orb, palette.ink));
    }
    return d;
}

}  // namespace velloran
