// The drawn pictures: twelve distinct sign symbols, wheels rendered at the device pixel ratio,
// and the geometry the house texts rely on.

#include <gtest/gtest.h>

#include <QImage>
#include <set>

#include "chart/gui/WheelArt.h"

namespace velloran::test {
namespace {

TEST(SignPictures, TwelveDistinctSymbolsWithTheirKeys) {
    std::set<QByteArray> seen;
    for (int pos = 1; pos <= 12; ++pos) {
        QImage image = SignPixmap(pos, 1.0).toImage();
        ASSERT_EQ(image.size(), QSize(20, 20)) << pos;
        // Light background at the corner, ink of the symbol somewhere inside.
        EXPECT_GT(qGray(image.pixel(0, 0)), 230) << pos;
        int ink = 0;
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 20; ++x) ink += qGray(image.pixel(x, y)) < 160;
        EXPECT_GT(ink, 15) << pos;
        seen.insert(
            QByteArray(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes()));
    }
    EXPECT_EQ(seen.size(), 12u);
    EXPECT_EQ(SignKey(1), "Aries");
    EXPECT_EQ(SignKey(12), "Pisces");
    EXPECT_EQ(SignKey(0), "");
    EXPECT_TRUE(SignPixmap(0, 1.0).isNull());
}

TEST(WheelPictures, RenderedAtTheDevicePixelRatio) {
    for (qreal dpr : {1.0, 2.0}) {
        QPixmap single = WheelPixmap(false, dpr, MakeWheelGeometry());
        EXPECT_EQ(single.size(), kWheelPictureSize * dpr);
        EXPECT_EQ(single.deviceIndependentSize().toSize(), kWheelPictureSize);
        EXPECT_EQ(SignPixmap(5, dpr).size(), kSignPictureSize * dpr);
    }
}

TEST(WheelPictures, ComparisonWheelAddsTheRingCircle) {
    const WheelGeometry g = MakeWheelGeometry();
    QImage single = WheelPixmap(false, 1.0, MakeWheelGeometry()).toImage();
    QImage comparison = WheelPixmap(true, 1.0, MakeWheelGeometry()).toImage();
    // On the ring circle, half-way between two spokes: amber on the single wheel, a dark line on
    // the comparison wheel.
    const QPoint onCircle(int(g.cx + g.ringSplit * std::cos(M_PI / 12)),
                          int(g.cy - g.ringSplit * std::sin(M_PI / 12)));
    const QColor amber = single.pixelColor(onCircle);
    EXPECT_GT(amber.red(), 200);
    EXPECT_GT(amber.green(), 150);
    EXPECT_LT(amber.blue(), 150);
    EXPECT_LT(qGray(comparison.pixel(onCircle)), qGray(single.pixel(onCircle)) - 40);
    // The central disc is light, the spoke at 9 o'clock dark.
    EXPECT_GT(qGray(single.pixel(int(g.cx), int(g.cy))), 240);
    EXPECT_LT(qGray(single.pixel(int(g.cx - (g.disc + g.field) / 2), int(g.cy))), 120);
}

}  // namespace
}  // namespace velloran::test
