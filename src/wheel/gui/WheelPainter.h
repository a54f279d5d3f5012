#pragma once
// The degree wheel's drawing painted with QPainter: on screen, into a PNG, into a PDF and on a
// printer, item by item and glyph outline by glyph outline as the SVG has them.

#include <QByteArray>
#include <QRectF>
#include <QStringList>

#include "glyphs/Outline.h"
#include "wheel/WheelDrawing.h"

class QPainter;

namespace velloran {

// Paints the drawing scaled to fit target (a square in its middle), background included.
void PaintWheel(QPainter& painter, const WheelDrawing& drawing, const GlyphOutlines& outlines,
                const QRectF& target);

// A PNG of the drawing, px wide and high, on an opaque background; empty on failure.
QByteArray WheelPng(const WheelDrawing& drawing, const GlyphOutlines& outlines, int px);

// A one-page vector PDF: the title and the fact lines (name, date, time, zone, place, positions,
// node) first, then the wheel under them; empty on failure.
QByteArray WheelPdf(const WheelDrawing& drawing, const GlyphOutlines& outlines,
                    const QString& title, const QStringList& facts);

// The same page on a printer or any other paint device already begun by painter: facts first,
// the wheel below, fitted to page.
void PaintWheelPage(QPainter& painter, const QRectF& page, const WheelDrawing& drawing,
                    const GlyphOutlines& outlines, const QString& title, const QStringList& facts);

}  // namespace velloran
