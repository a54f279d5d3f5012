#pragma once
// Where a window goes on the screen beside another one, so that both stay in view.

#include <QPoint>
#include <QRect>
#include <QSize>

namespace velloran {

// The top-left of a frame of size `frame` beside `anchor`, `gap` px away: to its right, else to
// its left (both level with its top), else below it (level with its right edge), whichever
// `screen` has room for first. With no room beside it the frame covers the anchor from `cover`'s
// top-left (the part of the anchor that may be hidden). Always inside `screen`, at its top-left
// edge when the frame is larger.
QPoint PlaceBeside(const QRect& screen, const QRect& anchor, const QRect& cover, const QSize& frame,
                   int gap);

}  // namespace velloran
