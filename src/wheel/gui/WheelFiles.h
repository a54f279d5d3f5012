#pragma once
// The degree wheel's raster and PDF files for callers without Qt (the command-line tool): the
// bytes of a PNG or a PDF. A process without a Qt application gets one off screen for the call.

#include <string>
#include <vector>

#include "glyphs/Outline.h"
#include "wheel/WheelDrawing.h"

namespace velloran {

// Empty on failure.
std::string WheelPngFile(const WheelDrawing& drawing, const GlyphOutlines& outlines, int px);
// The PDF page: the title above the wheel, the drawing's caption in its corners as text.
std::string WheelPdfFile(const WheelDrawing& drawing, const GlyphOutlines& outlines,
                         const std::string& title);

}  // namespace velloran
