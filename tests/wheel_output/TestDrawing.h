#pragma once
// Small hand-made wheel drawings for the output tests: a few items of every kind, and one as busy
// as a bi-wheel of 28 bodies.

#include <cmath>
#include <numbers>
#include <string>

#include "wheel/WheelDrawing.h"
#include "wheel/WheelSymbols.h"

namespace velloran::test {

inline constexpr WheelColour kWhite{255, 255, 255};
inline constexpr WheelColour kInk{20, 30, 120};
inline constexpr WheelColour kRed{200, 20, 20};

inline DrawItem TextItem(std::u32string text, WheelBox box, WheelColour fill, std::string id = {},
                         std::string longitude = {}) {
    DrawItem item;
    item.kind = DrawItem::Kind::Text;
    item.text = std::move(text);
    item.box = box;
    item.fill = fill;
    item.id = std::move(id);
    item.dataLongitude = std::move(longitude);
    return item;
}

// 200 px: a ring, two spokes, the Sun with its label and leader, a sign and a house number.
inline WheelDrawing SmallDrawing() {
    WheelDrawing drawing;
    drawing.size = 200;
    drawing.background = kWhite;

    DrawItem ring;
    ring.kind = DrawItem::Kind::Circle;
    ring.centre = {100, 100};
    ring.radius = 90;
    ring.stroke = kInk;
    ring.strokeWidth = 2;
    drawing.items.push_back(ring);

    DrawItem spokes;
    spokes.kind = DrawItem::Kind::Segments;
    spokes.stroke = kRed;
    spokes.strokeWidth = 1.5;
    spokes.segments = {{{10, 100}, {190, 100}}, {{100, 10}, {100, 190}}};
    drawing.items.push_back(spokes);

    drawing.items.push_back(TextItem(U"\u2609", {120, 30, 144, 54}, kInk, "natal-sun", "123.4567"));
    drawing.items.push_back(TextItem(U"15\u264C07", {116, 56, 172, 68}, kInk, "natal-sun-label"));
    DrawItem leader;
    leader.kind = DrawItem::Kind::Segments;
    leader.id = "natal-sun-leader";
    leader.stroke = kInk;
    leader.segments = {{{132, 54}, {140, 20}}};
    drawing.items.push_back(leader);
    drawing.items.push_back(TextItem(U"AC", {30, 130, 60, 145}, kRed));
    return drawing;
}

// About what a bi-wheel of 2 x 14 bodies holds: circles, 360 ticks, cusps, sign symbols, house
// numbers, for each body a symbol, a four-part label (degree, sign, minute, ℞) and a leader, and
// aspect lines; 1000 px.
inline WheelDrawing BusyDrawing() {
    WheelDrawing drawing;
    drawing.size = 1000;
    drawing.background = kWhite;
    const double c = 500;
    auto at = [c](double degrees, double radius) {
        const double a = degrees * std::numbers::pi / 180;
        return WheelPoint{c - radius * std::cos(a), c + radius * std::sin(a)};
    };
    for (const double r : {480.0, 430.0, 400.0, 300.0, 200.0, 180.0}) {
        DrawItem circle;
        circle.kind = DrawItem::Kind::Circle;
        circle.centre = {c, c};
        circle.radius = r;
        circle.stroke = kInk;
        drawing.items.push_back(circle);
    }
    DrawItem ticks;
    ticks.kind = DrawItem::Kind::Segments;
    ticks.stroke = kInk;
    ticks.strokeWidth = 0.75;
    for (int d = 0; d < 360; ++d) {
        ticks.segments.push_back({at(d, 430), at(d, d % 10 == 0 ? 415 : d % 5 == 0 ? 420 : 425)});
    }
    drawing.items.push_back(ticks);
    DrawItem cusps = ticks;
    cusps.segments.clear();
    for (int h = 0; h < 12; ++h)
        cusps.segments.push_back({at(h * 30 + 7, 180), at(h * 30 + 7, 480)});
    drawing.items.push_back(cusps);
    for (int s = 0; s < 12; ++s) {
        const WheelPoint p = at(s * 30 + 15, 455);
        drawing.items.push_back(TextItem(std::u32string(kSignSymbols[s]),
                                         {p.x - 15, p.y - 15, p.x + 15, p.y + 15}, kRed));
        const WheelPoint h = at(s * 30 + 22, 190);
        drawing.items.push_back(TextItem(std::u32string(U"1") + char32_t(U'0' + s % 10),
                                         {h.x - 8, h.y - 6, h.x + 8, h.y + 6}, kInk));
    }
    for (int ring = 0; ring < 2; ++ring) {
        const std::string chart(WheelChartId(ring == 0 ? WheelChart::Natal : WheelChart::Draconic));
        for (int b = 0; b < kPreciseBodyCount; ++b) {
            const double longitude = b * 25.7 + ring * 11.3 + 0.1234;
            const double radius = ring == 0 ? 240 : 350;
            const std::string id = chart + "-" + std::string(kWheelBodyIds[b]);
            const WheelPoint s = at(longitude, radius);
            drawing.items.push_back(TextItem(std::u32string(kBodySymbols[b]),
                                             {s.x - 12, s.y - 12, s.x + 12, s.y + 12}, kInk, id,
                                             std::to_string(longitude).substr(0, 8)));
            std::u32string parts[] = {U"12", std::u32string(kSignSymbols[b % 12]), U"07",
                                      std::u32string(kRetrogradeSymbol)};
            for (int k = 0; k < 4; ++k) {
                const WheelPoint l = at(longitude, radius - 20 - 12 * k);
                drawing.items.push_back(TextItem(parts[k], {l.x - 7, l.y - 5, l.x + 7, l.y + 5},
                                                 kInk, k == 0 ? id + "-label" : std::string()));
            }
            DrawItem leader;
            leader.kind = DrawItem::Kind::Segments;
            leader.id = id + "-leader";
            leader.stroke = kInk;
            leader.segments = {{at(longitude, radius + 12), at(longitude + 1, 400)}};
            drawing.items.push_back(leader);
        }
    }
    for (int a = 0; a < 40; ++a) {
        DrawItem line;
        line.kind = DrawItem::Kind::Segments;
        line.stroke = kRed;
        line.segments = {{at(a * 37.1, 180), at(a * 37.1 + 120, 180)}};
        drawing.items.push_back(line);
    }
    return drawing;
}

}  // namespace velloran::test
