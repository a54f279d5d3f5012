#pragma once
// The degree wheel as an SVG document for web pages and editors: a square viewBox, no text
// elements and no fonts (every glyph is a path defined once and placed with <use>), the bodies'
// symbols, labels and leaders in groups with ids ("natal-sun", "natal-sun-label",
// "natal-sun-leader") and the symbols' longitudes in data-longitude. The same drawing gives the
// same bytes.

#include <string>

#include "glyphs/Outline.h"
#include "wheel/WheelDrawing.h"

namespace velloran {

std::string WheelSvg(const WheelDrawing& drawing, const GlyphOutlines& outlines);

}  // namespace velloran
