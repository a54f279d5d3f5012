#pragma once
// The degree wheel's drawing painted with QPainter: on screen, into a PNG, into a PDF and on a
// printer, item by item and glyph outline by glyph outline as the SVG has them.

#include <QByteArray>
#include <QRectF>
#include <QString>

#include "glyphs/Outline.h"
#include "wheel/WheelDrawing.h"

class QPainter;

namespace velloran {

// How the caption's lines are painted: as the glyph outlines every other text is painted with
// (the screen, the PNG: the same pixels as the SVG), or as text a reader can select and copy (the
// PDF, the print), in the same boxes.
enum class CaptionAs { Outlines, Text };

// Paints the drawing scaled to fit target (a square in its middle), background included.
void PaintWheel(QPainter& painter, const WheelDrawing& drawing, const GlyphOutlines& outlines,
                const QRectF& target, CaptionAs caption = CaptionAs::Outlines);

// A PNG of the drawing, px wide and high, on an opaque background; empty on failure.
QByteArray WheelPng(const WheelDrawing& drawing, const GlyphOutlines& outlines, int px);

// A one-page vector A4 PDF: the title, then the wheel under it with the drawing's caption in its
// top corners as text; empty on failure.
QByteArray WheelPdf(const WheelDrawing& drawing, const GlyphOutlines& outlines,
                    const QString& title);

// The same page on a printer or any other paint device already begun by painter: the title
// first, the wheel below, fitted to page.
void PaintWheelPage(QPainter& painter, const QRectF& page, const WheelDrawing& drawing,
                    const GlyphOutlines& outlines, const QString& title);

}  // namespace velloran
