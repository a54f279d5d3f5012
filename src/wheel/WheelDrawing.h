#pragma once
// The degree wheel as a list of things to draw, in the colours of a theme: what every output
// (the screen, SVG, PDF, PNG, JPEG, print) draws, item by item, so they all show the same
// picture.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "glyphs/Outline.h"
#include "wheel/WheelLayout.h"

namespace velloran {

struct WheelColour {
    uint8_t r = 0, g = 0, b = 0;
    bool operator==(const WheelColour&) const = default;
};

enum class WheelTheme { Light, Dark, Print };

// The colours of a theme. Light takes its ground and ink from the desktop palette when given.
// Every colour a text is drawn in (ink and the charts' colours) keeps a contrast of at least
// 4.5:1 to the background and to the zodiac band.
struct WheelPalette {
    WheelColour background, ink, faint, zodiacBand;
    // The symbols and labels of each chart, per WheelChart value.
    std::array<WheelColour, 4> charts;
    // The aspect lines, per Aspect value.
    std::array<WheelColour, kAspectCount> aspects;
    // Each aspect line its own dash pattern (the print theme's, told apart in black and white).
    bool dashedAspects = false;
    // The leaders from the symbols to their ticks: a contrast of at least 3:1 to the background.
    WheelColour leader;
};

// The dash pattern of an aspect's line when the palette dashes them, in px at 800 px: dash, gap,
// ... (empty: solid). Conjunction solid, opposition long dashes, square short dashes, trine dash
// and dot, sextile dots.
std::vector<double> AspectDash(Aspect aspect);
WheelPalette ThemePalette(WheelTheme theme);
WheelPalette LightPalette(WheelColour window, WheelColour windowText);

// WCAG contrast ratio of two colours, 1..21.
double ContrastRatio(WheelColour a, WheelColour b);

// One thing to draw. Every item has a stroke or a fill (or both).
struct DrawItem {
    enum class Kind : uint8_t {
        Circle,    // centre, radius
        Segments,  // segments, one path
        Text,      // text set in box (PlaceText), filled with fill
    };
    Kind kind = Kind::Circle;
    // The SVG group's id ("natal-sun", "natal-sun-label", "natal-sun-leader") and, for a body's
    // symbol, its longitude with four decimals ("123.4567"); empty for the rest.
    std::string id;
    std::string dataLongitude;
    std::optional<WheelColour> stroke;
    double strokeWidth = 1.0;
    std::vector<double> dash;  // px: dash, gap, ...; empty for a solid stroke
    std::optional<WheelColour> fill;
    WheelPoint centre;
    double radius = 0.0;
    std::vector<WheelSegment> segments;
    std::u32string text;
    WheelBox box;
    // A line of the caption: the PDF and the print set it as text a reader can select and copy.
    bool caption = false;
};

struct WheelDrawing {
    double size = 0.0;  // px, the side of the square
    WheelColour background;
    std::vector<DrawItem> items;  // in drawing order
};

// The wheel's drawing from its layout.
WheelDrawing DrawWheel(const WheelLayout& layout, const WheelPalette& palette);

}  // namespace velloran
