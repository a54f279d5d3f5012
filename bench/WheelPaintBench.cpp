// Cost of the degree wheel's outputs for a bi-wheel of 28 bodies (about 400 items, 210 of them
// texts set from glyph outlines): painting it at 1200 px into an image with QPainter, and writing
// its SVG.

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cmath>
#include <numbers>
#include <string>

#include "wheel/WheelSvg.h"
#include "wheel/WheelSymbols.h"
#include "wheel/gui/WheelPainter.h"

namespace velloran::bench {
namespace {

constexpr WheelColour kGround{250, 250, 245}, kInk{30, 30, 60}, kSignInk{160, 40, 40};

DrawItem Text(std::u32string text, WheelPoint centre, double half, WheelColour colour) {
    DrawItem item;
    item.kind = DrawItem::Kind::Text;
    item.text = std::move(text);
    item.box = {centre.x - half, centre.y - half * 0.8, centre.x + half, centre.y + half * 0.8};
    item.fill = colour;
    return item;
}

DrawItem Lines(std::vector<WheelSegment> segments, WheelColour colour, double width) {
    DrawItem item;
    item.kind = DrawItem::Kind::Segments;
    item.segments = std::move(segments);
    item.stroke = colour;
    item.strokeWidth = width;
    return item;
}

WheelDrawing BiWheel(double size) {
    WheelDrawing drawing;
    drawing.size = size;
    drawing.background = kGround;
    const double c = size / 2, u = size / 1000;  // u: a thousandth of the side
    auto at = [c, u](double degrees, double radius) {
        const double a = degrees * std::numbers::pi / 180;
        return WheelPoint{c - radius * u * std::cos(a), c + radius * u * std::sin(a)};
    };
    for (const double r : {480.0, 430.0, 400.0, 300.0, 200.0, 180.0}) {
        DrawItem circle;
        circle.kind = DrawItem::Kind::Circle;
        circle.centre = {c, c};
        circle.radius = r * u;
        circle.stroke = kInk;
        circle.strokeWidth = 1.2 * u;
        drawing.items.push_back(circle);
    }
    std::vector<WheelSegment> ticks[3];
    for (int d = 0; d < 360; ++d) {
        const int kind = d % 10 == 0 ? 2 : d % 5 == 0 ? 1 : 0;
        ticks[kind].push_back({at(d, 430), at(d, 425 - 5 * kind)});
    }
    for (auto& t : ticks) drawing.items.push_back(Lines(std::move(t), kInk, 0.8 * u));
    std::vector<WheelSegment> cusps;
    for (int h = 0; h < 12; ++h) cusps.push_back({at(h * 30 + 7, 180), at(h * 30 + 7, 480)});
    drawing.items.push_back(Lines(std::move(cusps), kInk, u));
    for (int s = 0; s < 12; ++s) {
        drawing.items.push_back(
            Text(std::u32string(kSignSymbols[s]), at(s * 30 + 15, 455), 16 * u, kSignInk));
        drawing.items.push_back(Text(std::u32string(U"1") + char32_t(U'0' + s % 10),
                                     at(s * 30 + 22, 190), 8 * u, kInk));
    }
    for (int d = 0; d < 360; d += 10) {
        const std::u32string label = d == 0 ? U"0\u00B0" : U"10\u00B0";
        drawing.items.push_back(Text(label, at(d + 2, 410), 9 * u, kInk));
    }
    for (int ring = 0; ring < 2; ++ring) {
        for (int b = 0; b < kMaxBodyCount; ++b) {
            const double longitude = b * 25.7 + ring * 11.3 + 0.1234;
            const double radius = ring == 0 ? 240 : 350;
            drawing.items.push_back(
                Text(std::u32string(kBodySymbols[b]), at(longitude, radius), 13 * u, kInk));
            const std::u32string parts[] = {U"12", std::u32string(kSignSymbols[b % 12]), U"07",
                                            std::u32string(kRetrogradeSymbol)};
            for (int k = 0; k < 4; ++k) {
                drawing.items.push_back(
                    Text(parts[k], at(longitude, radius - 22 - 12 * k), 7 * u, kInk));
            }
            drawing.items.push_back(
                Lines({{at(longitude, radius + 14), at(longitude + 1, 398)}}, kInk, 0.8 * u));
            drawing.items.push_back(
                Lines({{at(longitude + 1, 398), at(longitude + 1, 400)}}, kInk, 1.5 * u));
        }
    }
    for (int a = 0; a < 120; ++a) {
        drawing.items.push_back(Lines({{at(a * 37.1, 180), at(a * 37.1 + 120, 180)}},
                                      WheelColour{200, 40, 40}, 0.9 * u));
    }
    for (int a = 0; a < kAspectCount; ++a) {
        const WheelPoint row{60 * u, 900 * u + a * 18 * u};
        drawing.items.push_back(Text(std::u32string(kAspectSymbols[a]), row, 8 * u, kInk));
        drawing.items.push_back(Lines({{{row.x + 12 * u, row.y}, {row.x + 40 * u, row.y}}},
                                      WheelColour{200, 40, 40}, u));
        drawing.items.push_back(Text(U"8\u00B0", {row.x + 55 * u, row.y}, 8 * u, kInk));
    }
    return drawing;
}

void EnsureApplication() {
    if (QGuiApplication::instance()) return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "velloran_bench";
    static char* argv[] = {name, nullptr};
    static QGuiApplication* app = new QGuiApplication(argc, argv);
    (void)app;
}

void BM_WheelPaint1200(benchmark::State& state) {
    EnsureApplication();
    const GlyphOutlines& outlines = SystemGlyphOutlines();
    const WheelDrawing drawing = BiWheel(800);
    int texts = 0;
    for (const DrawItem& item : drawing.items) texts += item.kind == DrawItem::Kind::Text;
    QImage image(1200, 1200, QImage::Format_RGB32);
    {
        QPainter painter(&image);  // the first paint builds the glyph paths
        PaintWheel(painter, drawing, outlines, QRectF(0, 0, 1200, 1200));
    }
    for (auto _ : state) {
        QPainter painter(&image);
        PaintWheel(painter, drawing, outlines, QRectF(0, 0, 1200, 1200));
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["items"] = static_cast<double>(drawing.items.size());
    state.counters["texts"] = texts;
}
BENCHMARK(BM_WheelPaint1200)->Unit(benchmark::kMillisecond);

void BM_WheelSvg(benchmark::State& state) {
    const GlyphOutlines& outlines = SystemGlyphOutlines();
    const WheelDrawing drawing = BiWheel(800);
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::string svg = WheelSvg(drawing, outlines);
        bytes = svg.size();
        benchmark::DoNotOptimize(svg.data());
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_WheelSvg)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace velloran::bench
