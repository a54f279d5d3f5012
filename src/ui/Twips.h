#pragma once
// Layout units of the windows: positions and sizes are designed in twips (1/1440 inch), 15 twips
// to a pixel at 96 dpi; fonts are designed in points at 96 dpi.

#include <QPoint>
#include <QRect>

namespace velloran {

inline constexpr int kTwipsPerPixel = 15;

// Nearest whole pixel of a twip value (halves away from zero).
constexpr int TwipsToPx(double twips) {
    double px = twips / kTwipsPerPixel;
    return px >= 0 ? static_cast<int>(px + 0.5) : -static_cast<int>(-px + 0.5);
}

constexpr double PxToTwips(int px) { return double(px) * kTwipsPerPixel; }

inline QPoint TwipsPoint(int left, int top) { return {TwipsToPx(left), TwipsToPx(top)}; }
inline QRect TwipsRect(int left, int top, int width, int height) {
    return {TwipsToPx(left), TwipsToPx(top), TwipsToPx(width), TwipsToPx(height)};
}

// Pixel size of a font designed in points at 96 dpi (8.25 pt -> 11 px).
constexpr int PointsToPx(double points) { return static_cast<int>(points * 96.0 / 72.0 + 0.5); }

}  // namespace velloran
