// What the chart window draws stays where it belongs: each comparison sign picture in its own
// ring of the wheel, house texts on their ring's side of the dividing circle wherever the layout
// allows it, and every caption of the position table whole inside its cell or frame, measured
// with the fonts this machine resolves.

#include <gtest/gtest.h>

#include <QFontInfo>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <iostream>
#include <random>
#include <utility>
#include <vector>

#include "GuiTestSupport.h"
#include "chart/ChartWindow.h"
#include "chart/gui/ChartPictures.h"
#include "chart/gui/ChartWheels.h"
#include "chart/gui/ComparisonRings.h"
#include "chart/gui/FrmDisplay.h"
#include "chart/gui/WheelArt.h"
#include "domain/ZoneTable.h"
#include "ephemeris/SwissEphemeris.h"
#include "reading/Reading.h"
#include "ui/UiFonts.h"

namespace velloran::test {
namespace {

// Span of a pixel rectangle (whole pixels, as QRect counts them) about the wheel centre.
RadialSpan PixelSpan(const QRect& r) {
    const WheelGeometry g = MakeWheelGeometry();
    return SpanAbout(QRectF(r.x(), r.y(), r.width(), r.height()), QPointF(g.cx, g.cy));
}

class ComparisonRings : public ::testing::Test {
protected:
    void SetUp() override {
        InstallFontSubstitutions();
        window = std::make_unique<FrmDisplay>();
        model.pictureInFront = ChartPicture::Comparison;
        for (WheelHouses* wheel : {&model.singleWheel, &model.outerRing, &model.innerRing}) {
            for (int h = 0; h < 12; ++h) wheel->signPictures[h] = h + 1;
        }
        window->render(model);
    }
    SignPicture* sign(int index) const {
        return window->findChild<SignPicture*>(QStringLiteral("imgSign%1").arg(index));
    }
    QLabel* houseText(int index) const {
        return window->findChild<QLabel*>(QStringLiteral("lblPlanets_Position%1").arg(index));
    }

    ChartWindowModel model;
    std::unique_ptr<FrmDisplay> window;
};

TEST_F(ComparisonRings, EverySignPictureLiesInItsOwnRing) {
    const WheelGeometry g = MakeWheelGeometry();
    const double halfLine = g.ringLine / 2;
    std::cout << "dividing circle at " << g.ringSplit << " px\n";
    for (int h = 0; h < 12; ++h) {
        SignPicture* outer = sign(12 + h);
        SignPicture* inner = sign(24 + h);
        ASSERT_TRUE(outer && inner);
        ASSERT_EQ(inner->parentWidget()->objectName(), "picNatalDraconic");
        const RadialSpan o = PixelSpan(outer->geometry());
        const RadialSpan i = PixelSpan(inner->geometry());
        EXPECT_GT(o.nearest, g.ringSplit + halfLine) << "draconic sign of house " << h + 1;
        EXPECT_LT(i.farthest, g.ringSplit - halfLine) << "natal sign of house " << h + 1;
        EXPECT_GT(i.nearest, g.disc) << "natal sign of house " << h + 1;
    }
}

// The same judged on the drawn pictures: the pixels where the comparison wheel differs from the
// single wheel are the dividing circle, and none of them lies under a sign picture.
TEST_F(ComparisonRings, DrawnCircleMissesEverySignPicture) {
    const QImage single = WheelPixmap(false, 1.0, MakeWheelGeometry()).toImage();
    const QImage comparison = WheelPixmap(true, 1.0, MakeWheelGeometry()).toImage();
    int circlePixels = 0;
    for (int y = 0; y < single.height(); ++y)
        for (int x = 0; x < single.width(); ++x)
            circlePixels += single.pixel(x, y) != comparison.pixel(x, y);
    ASSERT_GT(circlePixels, 500);  // a circle of radius 140..180 px is over 880 px round

    for (int index = 12; index < 36; ++index) {
        const QRect slot = sign(index)->geometry();
        int crossed = 0;
        for (int y = slot.top(); y <= slot.bottom(); ++y)
            for (int x = slot.left(); x <= slot.right(); ++x)
                crossed += single.pixel(x, y) != comparison.pixel(x, y);
        EXPECT_EQ(crossed, 0) << "imgSign" << index;
    }
}

// Every one-body house text, in every house of both rings: the dividing circle runs through as
// few of them as any radius between the two rings' sign pictures allows.
TEST_F(ComparisonRings, CircleCrossesTheFewestHouseTexts) {
    const WheelGeometry g = MakeWheelGeometry();
    std::array<RadialSpan, 24> reach;
    for (RadialSpan& r : reach) r = {1e9, 0.0};
    // Each body alone in every house of both rings, by its label, and each planet that can be
    // retrograde once more with the mark.
    std::vector<std::pair<ChartBody, bool>> alone;
    for (int k = 0; k < kBodyCount; ++k) {
        const ChartBody body = static_cast<ChartBody>(k);
        alone.push_back({body, false});
        if (CanBeRetrograde(body)) alone.push_back({body, true});
    }
    QStringList labels;  // what the houses show, the texts the ring layout is measured with
    for (const auto& [body, retrograde] : alone) {
        for (WheelHouses* ring : {&model.outerRing, &model.innerRing}) {
            ring->naming = BodyNaming::Labels;
            ring->retrograde = {};
            ring->retrograde[static_cast<int>(body)] = retrograde;
            for (auto& bodies : ring->bodies) bodies = {body};
        }
        const std::string label = WheelBodyName(model.outerRing, body);
        labels << QString::fromStdString(label);
        window->render(model);
        for (int i = 0; i < 24; ++i) {
            // The designed spot: a text that runs into something is laid out again by the
            // window, so it is put back here to be measured where it was designed to stand.
            houseText(i)->setText(QString::fromStdString("\n" + label));
            houseText(i)->setFixedHeight(houseText(i)->heightForWidth(houseText(i)->width()));
            const QRect ink = InkRect(houseText(i));
            ASSERT_FALSE(ink.isEmpty()) << label << " in text " << i;
            const RadialSpan s = PixelSpan(ink);
            reach[i].nearest = std::min(reach[i].nearest, s.nearest);
            reach[i].farthest = std::max(reach[i].farthest, s.farthest);
        }
    }
    EXPECT_EQ(labels, OneBodyLabels());
    // Outer texts 0..11 belong outside the circle, inner texts 12..23 inside.
    auto across = [&](double radius) {
        int n = 0;
        for (int i = 0; i < 24; ++i)
            n += i < 12 ? reach[i].nearest < radius : reach[i].farthest > radius;
        return n;
    };

    double low = 0.0, high = 1e9;
    for (int h = 0; h < 12; ++h) {
        low = std::max(low, PixelSpan(sign(24 + h)->geometry()).farthest);
        high = std::min(high, PixelSpan(sign(12 + h)->geometry()).nearest);
    }
    low += g.ringLine / 2;  // the circle's own half width stays off the pictures
    high -= g.ringLine / 2;
    ASSERT_LT(low, high) << "no circle separates the two rings' sign pictures";
    int fewest = 24;
    for (double r = low; r <= high; r += 0.05) fewest = std::min(fewest, across(r));

    std::cout << "sign pictures leave " << low << " .. " << high << " px; circle at " << g.ringSplit
              << " px crosses " << across(g.ringSplit) << " of 24 house texts\n";
    for (int i = 0; i < 24; ++i) {
        std::cout << (i < 12 ? "  outer" : "  inner") << " house " << i % 12 + 1 << ": "
                  << reach[i].nearest << " .. " << reach[i].farthest << " px\n";
    }
    EXPECT_EQ(across(g.ringSplit), fewest);
}

// Columns holding green ink in an image (the position table's caption colour); antialiased
// edges count once they lean clearly green.
int GreenColumns(const QImage& image) {
    int left = image.width(), right = -1;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.green() - c.red() > 40 && c.green() - c.blue() > 40) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
        }
    }
    return right < left ? 0 : right - left + 1;
}

// Green ink width of a cell as shown, and of its text drawn alike on an open canvas.
int CellInkWidth(QLabel* cell) {
    QImage image(cell->size(), QImage::Format_ARGB32);
    image.fill(Qt::white);
    cell->render(&image);
    return GreenColumns(image);
}
int FreeInkWidth(QLabel* cell) {
    QImage image(400, cell->height(), QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setFont(cell->font());
    p.setPen(cell->palette().color(QPalette::WindowText));
    p.drawText(QRect(10, 0, 380, cell->height()), Qt::AlignLeft | Qt::AlignVCenter, cell->text());
    p.end();
    return GreenColumns(image);
}

// Every house text of random births, in every view, classic and precise (some with Placidus
// houses and the asteroids): its drawn ink runs into no sign picture's ink and no other house
// text's, and stays off the central disc and the coloured rim, but for an antialiased edge.
constexpr double kMostTouch = 1.0;

TEST(HouseTexts, NoneRunsOverASignPictureAnotherTextOrOutOfItsRoom) {
    InstallFontSubstitutions();
    FrmDisplay window;
    const WheelGeometry g = MakeWheelGeometry();
    ephemeris::SwissEphemeris swiss;
    std::mt19937 rng(20261211u);
    const auto pick = [&](int from, int to) {
        return std::uniform_int_distribution<int>(from, to)(rng);
    };
    int touching = 0, texts = 0;
    double worst = 0.0, singleWorst = 0.0;
    for (int n = 0; n < 200; ++n) {
        FormInput form = KnownBirthForm();
        form.yearIndex = pick(0, kLastYear - kFirstYear);
        form.monthIndex = pick(0, 11), form.dayIndex = pick(0, 27);
        form.hourIndex = pick(0, 23), form.minuteIndex = pick(0, 59);
        form.latitudeDegrees = QString::number(pick(0, 65)).toStdString();
        form.latitudeMinutes = QString::number(pick(0, 59)).toStdString();
        form.longitudeDegrees = QString::number(pick(0, 179)).toStdString();
        form.latitudeHemisphere = pick(0, 1), form.longitudeHemisphere = pick(0, 1);
        PositionsChoice choice;
        if (n % 2 == 1) {
            choice.positions = PositionsKind::Precise;
            choice.asteroids = n % 4 == 3;
            choice.houses = n % 4 == 3 ? HouseSystem::Placidus : HouseSystem::WholeSign;
        }
        const Reading reading = ReadingOf(form, {choice, &swiss});
        for (ChartView view : {ChartView::Natal, ChartView::Draconic, ChartView::Comparison}) {
            window.render(MakeChartWindow(reading, view, EnglishMonthNames()));
            const bool comparison = view == ChartView::Comparison;
            std::vector<QRect> inks, signs;
            std::vector<QLabel*> labels;
            for (int i = 0; i < (comparison ? 24 : 12); ++i) {
                auto* label =
                    window.findChild<QLabel*>((comparison ? QStringLiteral("lblPlanets_Position%1")
                                                          : QStringLiteral("lblNatal%1"))
                                                  .arg(i));
                ASSERT_NE(label, nullptr);
                inks.push_back(label->text().trimmed().isEmpty() ? QRect() : InkRect(label));
                labels.push_back(label);
            }
            for (int i = comparison ? 12 : 0; i < (comparison ? 36 : 12); ++i) {
                auto* sign = window.findChild<SignPicture*>(QStringLiteral("imgSign%1").arg(i));
                ASSERT_NE(sign, nullptr);
                if (sign->picture() != 0) signs.push_back(InkRect(sign));
            }
            for (std::size_t a = 0; a < inks.size(); ++a) {
                if (inks[a].isEmpty()) continue;
                ++texts;
                // How deep the text runs into each thing, px: the thinner side of what it
                // covers of a sign picture or another text, the reach past the disc or the rim.
                double depth = 0.0;
                std::string why;
                const auto into = [&](const QRect& other, const std::string& what) {
                    const QRect both = inks[a] & other;
                    if (both.isEmpty()) return;
                    depth = std::max(depth, double(std::min(both.width(), both.height())));
                    why += " " + what + ";";
                };
                for (const QRect& sign : signs) into(sign, "over a sign picture");
                for (std::size_t b = a + 1; b < inks.size(); ++b)
                    into(inks[b], "into text " + std::to_string(b) + " \"" +
                                      labels[b]->text().toStdString() + "\"");
                const RadialSpan span = PixelSpan(inks[a]);
                if (span.nearest < g.disc) {
                    depth = std::max(depth, g.disc - span.nearest);
                    why += " onto the central disc;";
                }
                if (span.farthest > g.scale) {
                    depth = std::max(depth, span.farthest - g.scale);
                    why += " onto the rim;";
                }
                if (depth > 0.0) ++touching;
                double& deepest = comparison ? worst : singleWorst;
                deepest = std::max(deepest, depth);
                EXPECT_LE(depth, kMostTouch)
                    << "birth " << n << " (" << PositionsKey(choice.positions) << "), view "
                    << static_cast<int>(view) << ", text " << a << ":" << why << " \""
                    << labels[a]->text().toStdString() << "\" at " << labels[a]->font().pixelSize()
                    << " px";
            }
        }
    }
    std::cout << texts << " house texts drawn, " << touching << " touching something; at most "
              << worst << " px deep on the comparison wheel, " << singleWorst
              << " px on the single wheel\n";
}

// A house holding every body of a modern chart, on the single wheel and on both rings: no house
// text is set below the smallest type, and one that cannot stand clear ends with an ellipsis
// while its tooltip and accessible name give every name; a text shown whole has neither.
TEST(HouseTexts, ACrowdedHouseKeepsItsTypeAndNamesEveryBodyInItsTooltip) {
    InstallFontSubstitutions();
    FrmDisplay window;
    ChartWindowModel model;
    model.bodyRows = kMaxBodyCount;
    for (WheelHouses* wheel : {&model.singleWheel, &model.outerRing, &model.innerRing}) {
        for (int k = 0; k < kMaxBodyCount; ++k) {
            wheel->bodies[k < 12 ? 0 : 6].push_back(static_cast<ChartBody>(k));
        }
        for (int h = 0; h < 12; ++h) wheel->signPictures[h] = h + 1;
    }
    int elidedTexts = 0;
    for (const ChartPicture front : {ChartPicture::Single, ChartPicture::Comparison}) {
        model.pictureInFront = front;
        window.render(model);
        const bool rings = front == ChartPicture::Comparison;
        int elided = 0;
        for (int i = 0; i < (rings ? 24 : 12); ++i) {
            auto* label = window.findChild<QLabel*>(
                (rings ? QStringLiteral("lblPlanets_Position%1") : QStringLiteral("lblNatal%1"))
                    .arg(i));
            ASSERT_NE(label, nullptr);
            if (label->text().trimmed().isEmpty()) continue;
            EXPECT_GE(QFontInfo(label->font()).pixelSize(), kSmallestHouseTextPx)
                << "text " << i << ": \"" << label->text().toStdString() << "\"";
            if (!label->text().contains(QChar(0x2026))) {
                EXPECT_TRUE(label->toolTip().isEmpty()) << "text " << i;
                continue;
            }
            ++elided;
            const WheelHouses& wheel =
                rings ? (i < 12 ? model.outerRing : model.innerRing) : model.singleWheel;
            for (const ChartBody body : wheel.bodies[i % 12]) {
                const QString name = QString::fromStdString(WheelBodyName(wheel, body)).trimmed();
                EXPECT_TRUE(label->toolTip().contains(name))
                    << "text " << i << " tooltip \"" << label->toolTip().toStdString()
                    << "\" lacks " << name.toStdString();
            }
            EXPECT_EQ(label->accessibleName(), label->toolTip()) << "text " << i;
        }
        elidedTexts += elided;
    }
    EXPECT_GT(elidedTexts, 0) << "no crowded text needed an ellipsis";
}

TEST(PositionTable, EveryRowCaptionFitsItsCell) {
    InstallFontSubstitutions();
    FrmDisplay window;
    for (int row = 0; row < kMaxBodyCount; ++row) {
        auto* cell = window.findChild<QLabel*>(QStringLiteral("PlanetName%1").arg(row));
        ASSERT_NE(cell, nullptr) << row;
        const QString text = cell->text();
        const QFontMetrics metrics(cell->font());
        const int room = cell->contentsRect().width() - 2 * cell->margin() - cell->indent();
        std::cout << text.toStdString() << ": " << metrics.horizontalAdvance(text) << " of " << room
                  << " px in " << QFontInfo(cell->font()).family().toStdString() << " "
                  << cell->font().pixelSize() << " px\n";
        EXPECT_LE(metrics.horizontalAdvance(text), room) << text.toStdString();
        // Drawn whole: the cell shows as many ink columns as the text has on an open canvas.
        EXPECT_EQ(CellInkWidth(cell), FreeInkWidth(cell)) << text.toStdString();
    }
}

// With the precise positions each position cell makes room for its body's house number: the
// narrower cell still shows its whole text, and the number stands beside it inside the frame.
TEST(PositionTable, PositionsAndHouseNumbersFitSideBySide) {
    InstallFontSubstitutions();
    const PositionsChoice choice{PositionsKind::Precise, NodeKind::Mean, HouseSystem::Placidus,
                                 true};
    const Reading reading = ReadingOf(KnownBirthForm(), {choice, nullptr});
    ASSERT_EQ(reading.natal.bodyCount, kMaxBodyCount);
    FrmDisplay window;
    window.render(MakeChartWindow(reading, ChartView::Comparison, App::LocaleMonthNames()));
    for (int i = 0; i < 40; ++i) {
        auto* cell = window.findChild<PositionCell*>(QStringLiteral("Planet%1").arg(i));
        auto* house = window.findChild<QLabel*>(QStringLiteral("House%1").arg(i));
        ASSERT_NE(cell, nullptr) << i;
        ASSERT_NE(house, nullptr) << i;
        ASSERT_FALSE(cell->text().isEmpty()) << i;
        ASSERT_FALSE(house->text().isEmpty()) << i;
        const int room = cell->contentsRect().width() - 2 * cell->margin() - cell->indent();
        EXPECT_LE(QFontMetrics(cell->font()).horizontalAdvance(cell->text()), room)
            << cell->text().toStdString();
        EXPECT_LE(QFontMetrics(house->font()).horizontalAdvance(house->text()),
                  house->contentsRect().width())
            << i;
        EXPECT_FALSE(cell->geometry().intersects(house->geometry())) << i;
        EXPECT_TRUE(cell->parentWidget()->rect().contains(house->geometry())) << i;
        EXPECT_EQ(house->geometry().top(), cell->geometry().top()) << i;
    }
}

// The header's nine lines, the longest zone name with daylight saving among them, stay inside
// the window, one under the other, above the comparison's legends.
TEST(ChartHeaderLines, TheLongestLinesFitAboveTheLegends) {
    InstallFontSubstitutions();
    std::string zone;
    for (int z = 0; z < kZoneCount; ++z) {
        const std::string name(ZoneRowAt(z).name);
        if (name.size() > zone.size()) zone = name;
    }
    ChartWindowModel model;
    model.lblType = "Comparison";
    model.legendsVisible = true;
    model.lblName = "Name: Ann Example";
    model.lblCity = "City: New York";
    model.lblState = "State: NY";
    model.lblCountry = "Country: USA";
    model.lblDOB = "Date of Birth: September 30, 2050";
    model.lblTOB = "Time of Birth: 23 Hour 59 Minute";
    model.lblZone = "Time Zone: " + zone + " + DST";
    model.lblLatitude = "Latitude: 89 Degree 59 Minute South";
    model.lblLongitude = "Longitude: 179 Degree 59 Minute West";
    FrmDisplay window;
    window.render(model);
    const char* const lines[] = {"lblName", "lblCity", "lblState",    "lblCountry",  "lblDOB",
                                 "lblTOB",  "lblZone", "lblLatitude", "lblLongitude"};
    QRect above;
    for (const char* name : lines) {
        auto* line = window.findChild<QLabel*>(QString::fromLatin1(name));
        ASSERT_NE(line, nullptr) << name;
        const QRect ink(line->pos(),
                        QSize(line->fontMetrics().horizontalAdvance(line->text()), line->height()));
        EXPECT_LE(ink.right(), window.width() - 1) << name << ": " << line->text().toStdString();
        if (!above.isNull()) {
            EXPECT_GE(ink.top(), above.top() + line->fontMetrics().height()) << name;
        }
        above = ink;
    }
    auto* legend = window.findChild<QLabel*>(QStringLiteral("lblLegend0"));
    ASSERT_NE(legend, nullptr);
    EXPECT_LE(above.top() + above.height(), legend->y() + 1);
}

TEST(PositionTable, FrameCaptionsFitInsideTheirBorders) {
    InstallFontSubstitutions();
    FrmDisplay window;
    for (const char* name : {"Frame1", "fraPlanet_Position0", "fraPlanet_Position1"}) {
        auto* frame = window.findChild<CaptionFrame*>(QString::fromLatin1(name));
        ASSERT_NE(frame, nullptr) << name;
        const int advance = QFontMetrics(frame->font()).horizontalAdvance(frame->caption());
        std::cout << frame->caption().toStdString() << ": " << advance << " px, caption ends at "
                  << frame->captionRect().right() << " of " << frame->width() << " px\n";
        // The etched border's right line is 3 px inside the frame's edge.
        EXPECT_LT(frame->captionRect().right(), frame->width() - 3) << name;
    }
}

}  // namespace
}  // namespace velloran::test
