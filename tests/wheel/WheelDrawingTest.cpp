// The wheel's drawing: every text readable in every theme (contrast at least 4.5:1 against what
// it stands on), a desktop palette that would not be readable replaced, each body's symbol,
// label and leader named for the SVG with the longitude the chart holds, and the letters in
// place of the symbols when no font has them.

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>
#include <string>

#include "wheel/WheelCharts.h"
#include "wheel/WheelDrawing.h"

namespace velloran {
namespace {

// A natal chart with a body in every third sign, two retrograde.
Chart SampleChart() {
    Chart chart;
    chart.bodyCount = kBodyCount;
    for (int i = 0; i < kBodyCount; ++i) {
        BodyPlace& place = chart.bodies[i];
        place.longitude = std::fmod(17.25 + 37.5 * i, 360.0);
        place.sign = static_cast<int>(place.longitude / 30.0);
        place.retrograde = i == 4 || i == 6;
    }
    const int rising = chart.bodies[static_cast<int>(ChartBody::Ascendant)].sign;
    for (int h = 0; h < kSignCount; ++h) chart.houseSigns[h] = (rising + h) % kSignCount;
    return chart;
}

WheelDrawing Drawn(WheelTheme theme, bool symbols = true) {
    WheelOptions options;
    options.symbols = symbols;
    const Chart chart = SampleChart();
    Chart draconic = chart;
    for (BodyPlace& place : draconic.bodies)
        place.longitude = std::fmod(place.longitude + 200, 360);
    const WheelInput input = BiWheelInput(chart, WheelChart::Natal, draconic, WheelChart::Draconic,
                                          {}, ContactSettings{}, options);
    return DrawWheel(LayOutWheel(input), ThemePalette(theme));
}

TEST(WheelDrawing, EveryTextIsReadableInEveryTheme) {
    for (const WheelTheme theme : {WheelTheme::Light, WheelTheme::Dark, WheelTheme::Print}) {
        SCOPED_TRACE(static_cast<int>(theme));
        const WheelPalette palette = ThemePalette(theme);
        // The sign symbols stand on the zodiac band, everything else on the ground.
        EXPECT_GE(ContrastRatio(palette.ink, palette.zodiacBand), 4.5);
        const WheelDrawing drawing = Drawn(theme);
        int texts = 0;
        for (const DrawItem& item : drawing.items) {
            if (item.kind != DrawItem::Kind::Text) continue;
            ++texts;
            ASSERT_TRUE(item.fill.has_value());
            EXPECT_GE(ContrastRatio(*item.fill, drawing.background), 4.5)
                << std::string(item.id) << " " << int(item.fill->r) << "," << int(item.fill->g)
                << "," << int(item.fill->b);
        }
        EXPECT_GT(texts, 2 * kBodyCount);
        for (const WheelColour chart : palette.charts) {
            EXPECT_GE(ContrastRatio(chart, palette.background), 4.5);
        }
    }
}

// Leaders stand out from the ground (3:1) in every theme and in the desktop palette.
TEST(WheelDrawing, LeadersAreDarkEnoughToSee) {
    for (const WheelTheme theme : {WheelTheme::Light, WheelTheme::Dark, WheelTheme::Print}) {
        const WheelDrawing drawing = Drawn(theme);
        int leaders = 0;
        for (const DrawItem& item : drawing.items) {
            if (!item.id.ends_with("-leader")) continue;
            ++leaders;
            ASSERT_TRUE(item.stroke.has_value());
            EXPECT_GE(ContrastRatio(*item.stroke, drawing.background), 3.0)
                << static_cast<int>(theme) << " " << item.id;
        }
        EXPECT_EQ(leaders, 2 * kBodyCount);
    }
    EXPECT_GE(ContrastRatio(LightPalette({240, 240, 240}, {20, 20, 20}).leader, {240, 240, 240}),
              3.0);
}

// On paper every aspect line has a dash pattern of its own, in the legend too; on screen they
// are solid and told apart by colour.
TEST(WheelDrawing, PrintedAspectsAreToldApartByTheirDashes) {
    WheelOptions options;
    Chart chart = SampleChart();
    // Every aspect at least once: bodies at 0, 0, 180, 90, 120, 60 degrees.
    const double at[] = {10.0, 11.0, 190.0, 100.0, 130.0, 70.0};
    for (int i = 0; i < 6; ++i) chart.bodies[i].longitude = at[i];
    WheelInput input = SingleWheelInput(chart, WheelChart::Natal, options);
    const WheelLayout layout = LayOutWheel(input);
    std::set<Aspect> drawn;
    for (const WheelAspectLine& line : layout.aspectLines) drawn.insert(line.pair.aspect);
    ASSERT_EQ(drawn.size(), static_cast<size_t>(kAspectCount));
    for (const WheelTheme theme : {WheelTheme::Print, WheelTheme::Light}) {
        const WheelDrawing drawing = DrawWheel(layout, ThemePalette(theme));
        std::set<std::vector<double>> patterns;
        for (const DrawItem& item : drawing.items) {
            if (item.kind != DrawItem::Kind::Segments || item.segments.size() != 1) continue;
            if (item.id.empty() && item.strokeWidth > 1.0) patterns.insert(item.dash);
        }
        if (theme == WheelTheme::Print) {
            // Five patterns, one for each aspect, lines and legend alike.
            EXPECT_EQ(patterns.size(), static_cast<size_t>(kAspectCount));
        } else {
            EXPECT_EQ(patterns, (std::set<std::vector<double>>{{}}));
        }
    }
    std::set<std::vector<double>> all;
    for (int a = 0; a < kAspectCount; ++a) all.insert(AspectDash(static_cast<Aspect>(a)));
    EXPECT_EQ(all.size(), static_cast<size_t>(kAspectCount));
}

TEST(WheelDrawing, TheDesktopPaletteIsUsedOnlyWhenItReads) {
    struct Case {
        WheelColour window, text;
        WheelColour background;
    };
    const WheelColour white{255, 255, 255}, black{0, 0, 0};
    for (const Case& c : {Case{{250, 248, 240}, {20, 20, 30}, {250, 248, 240}},
                          Case{{200, 200, 200}, {150, 150, 150}, white},  // too little contrast
                          Case{{20, 20, 20}, {240, 240, 240}, white}}) {  // a dark desktop
        const WheelPalette palette = LightPalette(c.window, c.text);
        EXPECT_EQ(palette.background, c.background);
        EXPECT_GE(ContrastRatio(palette.ink, palette.background), 7.0);
        for (const WheelColour chart : palette.charts)
            EXPECT_GE(ContrastRatio(chart, palette.background), 4.5);
    }
    EXPECT_DOUBLE_EQ(ContrastRatio(white, black), 21.0);
    EXPECT_DOUBLE_EQ(ContrastRatio(black, black), 1.0);
}

TEST(WheelDrawing, BodiesAreNamedWithTheirLongitudeAndLabelsFollowTheirSymbols) {
    const WheelDrawing drawing = Drawn(WheelTheme::Light);
    const Chart chart = SampleChart();
    std::map<std::string, std::string> longitudes;
    std::set<std::string> ids;
    for (const DrawItem& item : drawing.items) {
        if (item.id.empty()) continue;
        ids.insert(item.id);
        if (!item.dataLongitude.empty()) longitudes[item.id] = item.dataLongitude;
    }
    char expected[32];
    std::snprintf(expected, sizeof expected, "%.4f", chart[ChartBody::Mars].longitude);
    EXPECT_EQ(longitudes["natal-mars"], expected);
    EXPECT_EQ(longitudes.size(), 2u * kBodyCount);
    for (const auto& [id, longitude] : longitudes) {
        EXPECT_EQ(ids.count(id + "-label"), 1u) << id;
        EXPECT_EQ(ids.count(id + "-leader"), 1u) << id;
    }
    // A retrograde body's label carries ℞.
    bool retrograde = false;
    for (const DrawItem& item : drawing.items)
        retrograde = retrograde || (item.id == "natal-mars-label" && item.text == U"\u211E");
    EXPECT_TRUE(retrograde);
}

TEST(WheelDrawing, LettersStandInForTheSymbolsWithoutAFont) {
    for (const DrawItem& item : Drawn(WheelTheme::Light, false).items) {
        for (const char32_t c : item.text) EXPECT_LT(c, 0x2000u) << item.id;
    }
    bool sun = false;
    for (const DrawItem& item : Drawn(WheelTheme::Light, false).items)
        sun = sun || (item.id == "natal-sun" && item.text == U"Su");
    EXPECT_TRUE(sun);
}

}  // namespace
}  // namespace velloran
