#include "ui/WindowPlacement.h"

#include <algorithm>

namespace velloran {

namespace {

// The offset that brings [low, low + size) inside [first, last]; `first` when it cannot fit.
int Clamped(int low, int size, int first, int last) {
    return std::max(first, std::min(low, last + 1 - size));
}

}  // namespace

QPoint PlaceBeside(const QRect& screen, const QRect& anchor, const QRect& cover, const QSize& frame,
                   int gap) {
    const int top = Clamped(anchor.top(), frame.height(), screen.top(), screen.bottom());
    const int right = anchor.right() + 1 + gap;
    if (right + frame.width() <= screen.right() + 1) return {right, top};
    const int left = anchor.left() - gap - frame.width();
    if (left >= screen.left()) return {left, top};
    const int below = anchor.bottom() + 1 + gap;
    if (below + frame.height() <= screen.bottom() + 1)
        return {Clamped(anchor.right() + 1 - frame.width(), frame.width(), screen.left(),
                        screen.right()),
                below};
    return {Clamped(cover.left(), frame.width(), screen.left(), screen.right()),
            Clamped(cover.top(), frame.height(), screen.top(), screen.bottom())};
}

}  // namespace velloran
