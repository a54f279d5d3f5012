// The degree wheel's input from charts: the chart's own aspect lines at their orb edges, the
// single and bi-wheel inputs, and the words a screen reader says.

#include <gtest/gtest.h>

#include <limits>
#include <optional>

#include "reading/Contacts.h"
#include "wheel/WheelCharts.h"
#include "wheel/WheelSymbols.h"

namespace velloran {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// A chart whose bodies have no degree until given one.
Chart EmptyChart(int bodyCount = kBodyCount) {
    Chart chart;
    chart.bodyCount = bodyCount;
    for (BodyPlace& p : chart.bodies) p.longitude = kNaN;
    return chart;
}

// Whole-sign houses from the rising sign: the sign on each cusp and its start.
void WholeSignFrom(Chart& chart, int rising) {
    for (int h = 0; h < 12; ++h) {
        chart.houseSigns[h] = (rising + h) % 12;
        chart.cusps[h] = 30.0 * chart.houseSigns[h];
    }
}

void Put(Chart& chart, ChartBody body, double longitude, bool retrograde = false) {
    chart.bodies[static_cast<int>(body)].longitude = longitude;
    chart.bodies[static_cast<int>(body)].retrograde = retrograde;
}

TEST(ChartOwnAspects, OrbEdges) {
    const struct Case {
        double sun, moon;
        std::optional<Aspect> expected;
    } cases[] = {
        {10.0, 18.0, Aspect::Conjunction}, {10.0, 18.01, std::nullopt},
        {355.0, 3.0, Aspect::Conjunction}, {10.0, 182.0, Aspect::Opposition},
        {10.0, 198.01, std::nullopt},      {10.0, 107.0, Aspect::Square},
        {10.0, 107.01, std::nullopt},      {10.0, 243.0, Aspect::Trine},
        {10.0, 123.0, Aspect::Trine},      {10.0, 137.01, std::nullopt},
        {10.0, 315.0, Aspect::Sextile},    {10.0, 75.01, std::nullopt},
        {10.0, kNaN, std::nullopt},
    };
    for (const Case& c : cases) {
        Chart chart = EmptyChart();
        Put(chart, ChartBody::Sun, c.sun);
        Put(chart, ChartBody::Moon, c.moon);
        const auto found = ChartOwnAspects(chart, WheelChart::Draconic);
        ASSERT_EQ(found.size(), c.expected ? 1u : 0u) << c.sun << " " << c.moon;
        if (!c.expected) continue;
        EXPECT_EQ(found[0].aspect, *c.expected) << c.sun << " " << c.moon;
        EXPECT_EQ(found[0].bodyA, ChartBody::Sun);
        EXPECT_EQ(found[0].bodyB, ChartBody::Moon);
        EXPECT_EQ(found[0].chartA, WheelChart::Draconic);
        EXPECT_EQ(found[0].chartB, WheelChart::Draconic);
    }
}

TEST(ChartOwnAspects, NodePairLeftOutOtherPairsOnce) {
    Chart chart = EmptyChart();
    Put(chart, ChartBody::NorthNode, 10.0);
    Put(chart, ChartBody::SouthNode, 190.0);
    Put(chart, ChartBody::Sun, 12.0);
    const auto found = ChartOwnAspects(chart, WheelChart::Natal);
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0].bodyA, ChartBody::Sun);
    EXPECT_EQ(found[0].bodyB, ChartBody::NorthNode);
    EXPECT_EQ(found[0].aspect, Aspect::Conjunction);
    EXPECT_EQ(found[1].bodyB, ChartBody::SouthNode);
    EXPECT_EQ(found[1].aspect, Aspect::Opposition);
}

TEST(ChartOwnAspects, OnlyTheBodiesTheChartHolds) {
    Chart chart = EmptyChart(kBodyCount);
    Put(chart, ChartBody::Sun, 10.0);
    Put(chart, ChartBody::Pluto, 10.0);  // beyond a classic chart's bodies
    EXPECT_TRUE(ChartOwnAspects(chart, WheelChart::Natal).empty());
    chart.bodyCount = kPreciseBodyCount;
    EXPECT_EQ(ChartOwnAspects(chart, WheelChart::Natal).size(), 1u);
}

TEST(SingleWheelInput, RingHousesAspectsAndLegend) {
    Chart chart = EmptyChart();
    Put(chart, ChartBody::Sun, 135.5);
    Put(chart, ChartBody::Mercury, 140.0, true);
    Put(chart, ChartBody::Ascendant, 95.0);
    WholeSignFrom(chart, 3);
    WheelOptions options;
    options.size = 600.0;
    options.symbols = false;
    const WheelInput input = SingleWheelInput(chart, WheelChart::Natal, options);
    ASSERT_EQ(input.rings.size(), 1u);
    ASSERT_EQ(input.rings[0].bodies.size(), 3u);  // bodies without a degree left out
    EXPECT_EQ(input.rings[0].bodies[1].body, ChartBody::Mercury);
    EXPECT_TRUE(input.rings[0].bodies[1].retrograde);
    EXPECT_EQ(input.ascendant, 95.0);
    EXPECT_EQ(input.cusps[0], 90.0);
    EXPECT_EQ(input.cusps[11], 60.0);
    EXPECT_EQ(input.size, 600.0);
    EXPECT_FALSE(input.symbols);
    ASSERT_EQ(input.aspects.size(), 1u);  // Sun–Mercury; the ascendant is 40° away
    ASSERT_EQ(input.legend.size(), 5u);
    for (int a = 0; a < kAspectCount; ++a) {
        EXPECT_EQ(input.legend[a].aspect, static_cast<Aspect>(a));
        EXPECT_EQ(input.legend[a].orb, kWheelAspectOrbs[a]);
    }
    options.aspectLines = false;
    const WheelInput plain = SingleWheelInput(chart, WheelChart::Natal, options);
    EXPECT_TRUE(plain.aspects.empty());
    EXPECT_TRUE(plain.legend.empty());

    // Without an ascendant: Aries at nine o'clock and houses from Aries.
    Put(chart, ChartBody::Ascendant, kNaN);
    const WheelInput noAscendant = SingleWheelInput(chart, WheelChart::Sky, options);
    EXPECT_EQ(noAscendant.ascendant, 0.0);
    for (int h = 0; h < 12; ++h) EXPECT_EQ(noAscendant.cusps[h], 30.0 * h);
}

TEST(BiWheelInput, RingsHousesAndContacts) {
    Chart sky = EmptyChart();  // the sky has no ascendant
    Put(sky, ChartBody::Sun, 20.0);
    Put(sky, ChartBody::Moon, 200.0);
    Chart draconic = EmptyChart();
    Put(draconic, ChartBody::Venus, 21.0);
    Put(draconic, ChartBody::Ascendant, 250.0);
    WholeSignFrom(draconic, 8);
    const std::vector<Contact> contacts = {
        {ChartBody::Venus, ChartBody::Sun, Aspect::Conjunction, 60.0},
        {ChartBody::Venus, ChartBody::Moon, Aspect::Opposition, 60.0}};
    ContactSettings settings;
    settings.aspects = AspectBit(Aspect::Conjunction) | AspectBit(Aspect::Trine);
    settings.orb = 1.5;
    const WheelInput input = BiWheelInput(sky, WheelChart::Sky, draconic, WheelChart::Draconic,
                                          contacts, settings, WheelOptions{});
    ASSERT_EQ(input.rings.size(), 2u);
    EXPECT_EQ(input.rings[0].chart, WheelChart::Sky);
    EXPECT_EQ(input.rings[1].chart, WheelChart::Draconic);
    EXPECT_EQ(input.ascendant, 250.0);
    EXPECT_EQ(input.cusps[0], 240.0);
    ASSERT_EQ(input.aspects.size(), 2u);
    EXPECT_EQ(input.aspects[1].chartA, WheelChart::Sky);
    EXPECT_EQ(input.aspects[1].bodyA, ChartBody::Moon);
    EXPECT_EQ(input.aspects[1].chartB, WheelChart::Draconic);
    EXPECT_EQ(input.aspects[1].bodyB, ChartBody::Venus);
    EXPECT_EQ(input.aspects[1].aspect, Aspect::Opposition);
    ASSERT_EQ(input.legend.size(), 2u);
    EXPECT_EQ(input.legend[1].aspect, Aspect::Trine);
    EXPECT_EQ(input.legend[1].orb, 1.5);

    // With an ascendant the inner chart's houses are drawn.
    Put(sky, ChartBody::Ascendant, 5.0);
    const WheelInput own = BiWheelInput(sky, WheelChart::Natal, draconic, WheelChart::Draconic,
                                        contacts, settings, WheelOptions{});
    EXPECT_EQ(own.ascendant, 5.0);
    EXPECT_EQ(own.cusps[0], 0.0);
}

// Quadrant houses: the wheel draws the chart's own cusps, not the starts of the signs on them,
// the inner chart's in a bi-wheel. A cusp given past 360° is brought round.
TEST(WheelInputs, CuspsOfTheChartsHouseSystem) {
    const std::array<double, 12> placidus = {95.2,  117.9, 143.0, 172.4, 205.6, 238.1,
                                             275.2, 297.9, 323.0, 352.4, 25.6,  58.1};
    Chart natal = EmptyChart(kPreciseBodyCount);
    Put(natal, ChartBody::Sun, 135.5);
    Put(natal, ChartBody::Ascendant, 95.2);
    Put(natal, ChartBody::Midheaven, 352.4);
    natal.houses = HouseSystem::Placidus;
    natal.cusps = placidus;
    for (int h = 0; h < 12; ++h) natal.houseSigns[h] = static_cast<int>(placidus[h] / 30.0);
    const WheelInput single = SingleWheelInput(natal, WheelChart::Natal, WheelOptions{});
    for (int h = 0; h < 12; ++h) EXPECT_DOUBLE_EQ(single.cusps[h], placidus[h]) << h;

    Chart outer = EmptyChart(kPreciseBodyCount);
    Put(outer, ChartBody::Ascendant, 250.0);
    WholeSignFrom(outer, 8);
    const WheelInput bi = BiWheelInput(natal, WheelChart::Natal, outer, WheelChart::Draconic, {},
                                       ContactSettings{}, WheelOptions{});
    for (int h = 0; h < 12; ++h) EXPECT_DOUBLE_EQ(bi.cusps[h], placidus[h]) << h;
    EXPECT_DOUBLE_EQ(bi.ascendant, 95.2);

    natal.cusps[10] = 385.6;
    EXPECT_NEAR(SingleWheelInput(natal, WheelChart::Natal, WheelOptions{}).cusps[10], 25.6, 1e-9);
}

TEST(DescribeWheel, NamesEachChartAndBody) {
    Chart natal = EmptyChart();
    Put(natal, ChartBody::Sun, 135.0 + 23.5 / 60.0);
    Put(natal, ChartBody::Mercury, 124.0 + 1.0 / 60.0 + 1e-9, true);
    Put(natal, ChartBody::Ascendant, 359.99);
    Chart draconic = EmptyChart();
    Put(draconic, ChartBody::Moon, 152.0 + 10.0 / 60.0 + 1e-9);
    const WheelInput input = BiWheelInput(natal, WheelChart::Natal, draconic, WheelChart::Draconic,
                                          {}, {}, WheelOptions{});
    EXPECT_EQ(DescribeWheel(input),
              "Natal chart: Sun 15° Leo 23', Mercury 4° Leo 1' retrograde, Ascendant 29° Pisces "
              "59'; Draconic chart: Moon 2° Virgo 10'.");
}

}  // namespace
}  // namespace velloran

namespace velloran {
namespace {

// Each body is told apart on the wheel: by its symbol, and by its two letters when the symbol
// font is missing.
TEST(WheelSymbols, EveryBodyHasItsOwnSymbolAndFallbackLabel) {
    for (int a = 0; a < kMaxBodyCount; ++a) {
        EXPECT_FALSE(kBodySymbols[a].empty()) << kBodyTitles[a];
        EXPECT_FALSE(kBodyFallbackLabels[a].empty()) << kBodyTitles[a];
        EXPECT_FALSE(kWheelBodyIds[a].empty()) << kBodyTitles[a];
        for (int b = a + 1; b < kMaxBodyCount; ++b) {
            EXPECT_NE(kBodySymbols[a], kBodySymbols[b]) << kBodyTitles[a] << " " << kBodyTitles[b];
            EXPECT_NE(kBodyFallbackLabels[a], kBodyFallbackLabels[b])
                << kBodyTitles[a] << " " << kBodyTitles[b];
            EXPECT_NE(kWheelBodyIds[a], kWheelBodyIds[b]);
        }
    }
}

}  // namespace
}  // namespace velloran
