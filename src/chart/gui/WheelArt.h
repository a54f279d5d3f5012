#pragma once
// Artwork of the chart pictures, drawn in code: the single wheel, the two-ring comparison wheel
// and the twelve sign symbols. Pictures are rendered once per device pixel ratio and cached.

#include <QPixmap>
#include <QSize>
#include <QString>

class QPainter;
class QRectF;

namespace velloran {

inline constexpr QSize kWheelPictureSize{450, 431};  // px, picNatal and picNatalDraconic
inline constexpr QSize kSignPictureSize{20, 20};     // px, every imgSign slot
inline constexpr int kSignArtSize = 21;              // px, the image list's own picture size

// Wheel geometry in picture pixels (centre and radii of the rings, outwards).
struct WheelGeometry {
    double cx = 225.5, cy = 215.5;  // on a pixel centre, so the spokes on the axes are crisp
    double disc = 90.0;             // central disc
    double ringSplit = 0.0;         // comparison wheel: natal inside, draconic outside; placed
                                    // from the layout by ChooseRingSplit (ComparisonRings.h)
    double ringLine = 1.4;          // width of the dividing circle
    double field = 186.0;           // outer edge of the amber field
    double scale = 204.0;           // outer edge of the degree-scale band
    double rim = 213.0;             // outer edge of the coloured rim
};
// The wheel's measures, with the comparison wheel's dividing circle placed from the house text
// font (so it needs the application object). The chart window computes it once and hands it to
// its pictures.
WheelGeometry MakeWheelGeometry();

void DrawWheel(QPainter& painter, bool comparison, const WheelGeometry& geometry);
// Sign symbol of SignIndex 0..11 (Aries..Pisces) filling target.
void DrawSignSymbol(QPainter& painter, int signIndex, const QRectF& target);

// Cached pictures at the given device pixel ratio. imgPosition is the image list position
// 1..12 (SignIndex + 1).
QPixmap WheelPixmap(bool comparison, qreal devicePixelRatio, const WheelGeometry& geometry);
QPixmap SignPixmap(int imgPosition, qreal devicePixelRatio);

// The image list key of a position 1..12 ("Aries" .. "Pisces"), empty otherwise.
QString SignKey(int imgPosition);

}  // namespace velloran
