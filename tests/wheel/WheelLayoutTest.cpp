// The degree wheel's layout: its orientation and texts on hand-made charts, and the properties of
// the spreading over random charts, bi-wheels and crowded stress cases.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "WheelProperties.h"
#include "WheelShape.h"
#include "reading/Contacts.h"
#include "wheel/WheelLayout.h"

namespace velloran {
namespace {

using test::CheckWheelLayout;
using test::CheckWheelLimits;
using test::ForwardDegrees;
using test::kBiWheelLimit;
using test::kSingleWheelLimit;
using test::WheelRows;

constexpr double kTol = 1e-9;

// Whole-sign cusps from the ascendant's sign.
std::array<double, 12> WholeSignCusps(double ascendant) {
    std::array<double, 12> cusps{};
    const int rising = static_cast<int>(std::floor(ascendant / 30.0)) % 12;
    for (int h = 0; h < 12; ++h) cusps[h] = ((rising + h) % 12) * 30.0;
    return cusps;
}

WheelRingInput Ring(WheelChart chart, const std::vector<double>& longitudes,
                    bool retrograde = false) {
    WheelRingInput ring;
    ring.chart = chart;
    for (size_t i = 0; i < longitudes.size(); ++i) {
        const auto body = static_cast<ChartBody>(i);
        ring.bodies.push_back({body, longitudes[i], retrograde && CanBePreciseRetrograde(body)});
    }
    return ring;
}

WheelInput Wheel(std::vector<WheelRingInput> rings, double ascendant, double size) {
    WheelInput input;
    input.rings = std::move(rings);
    input.ascendant = ascendant;
    input.cusps = WholeSignCusps(ascendant);
    input.size = size;
    for (int a = 0; a < kAspectCount; ++a) input.legend.push_back({static_cast<Aspect>(a), 8.0});
    return input;
}

// n longitudes from `from`, `step` apart.
std::vector<double> Spaced(int n, double from, double step) {
    std::vector<double> out;
    for (int i = 0; i < n; ++i) out.push_back(std::fmod(from + i * step + 360.0, 360.0));
    return out;
}

const WheelBodyMark* Find(const WheelLayout& layout, int ring, ChartBody body) {
    for (const WheelBodyMark& m : layout.bodies)
        if (m.ring == ring && m.body == body) return &m;
    return nullptr;
}

TEST(WheelLayout, AscendantAtNineOClockAndZodiacCounterClockwise) {
    const WheelLayout layout = LayOutWheel(Wheel({}, 100.0, 800.0));
    EXPECT_EQ(layout.centre, (WheelPoint{400.0, 400.0}));
    struct Case {
        double longitude;
        double dx, dy;  // expected direction from the centre
    } cases[] = {{100.0, -1, 0}, {190.0, 0, 1}, {280.0, 1, 0}, {10.0, 0, -1}};
    for (const Case& c : cases) {
        const WheelPoint p = PointAt(layout, c.longitude, 200.0);
        EXPECT_NEAR(p.x, 400.0 + 200.0 * c.dx, 1e-9) << c.longitude;
        EXPECT_NEAR(p.y, 400.0 + 200.0 * c.dy, 1e-9) << c.longitude;
        EXPECT_NEAR(LongitudeAt(layout, p), c.longitude, 1e-9);
    }
    // The horizon runs from nine to three o'clock.
    EXPECT_LT(layout.horizon.from.x, layout.horizon.to.x);
    EXPECT_NEAR(layout.horizon.from.y, 400.0, 1e-9);
    EXPECT_NEAR(layout.horizon.to.y, 400.0, 1e-9);
}

TEST(WheelLayout, ZodiacBandAndHouseRing) {
    const WheelLayout layout = LayOutWheel(Wheel({}, 100.0, 800.0));
    EXPECT_EQ(layout.ticks1.size(), 288u);
    EXPECT_EQ(layout.ticks5.size(), 36u);
    EXPECT_EQ(layout.ticks10.size(), 36u);
    const auto length = [](const WheelSegment& s) {
        return std::hypot(s.to.x - s.from.x, s.to.y - s.from.y);
    };
    EXPECT_LT(length(layout.ticks1[0]), length(layout.ticks5[0]));
    EXPECT_LT(length(layout.ticks5[0]), length(layout.ticks10[0]));
    for (const WheelSegment& t : layout.ticks10)
        EXPECT_NEAR(std::fmod(LongitudeAt(layout, t.from) + 1e-6, 10.0), 1e-6, 1e-6);
    EXPECT_GT(layout.zodiacOuter, layout.zodiacInner);
    EXPECT_LE(layout.zodiacOuter, 400.0);
    for (int s = 0; s < 12; ++s) {
        EXPECT_EQ(layout.signSymbols[s].text, SignSymbol(s, true));
        EXPECT_NEAR(LongitudeAt(layout, layout.signSymbols[s].box.centre()), 30.0 * s + 15.0, 1e-6);
        EXPECT_NEAR(LongitudeAt(layout, layout.signBoundaries[s].from), 30.0 * s, 1e-6);
    }
    // Houses from Cancer (the ascendant at 100°): house 1 in the middle of Cancer.
    const std::u32string numbers[] = {U"1", U"2", U"3", U"4",  U"5",  U"6",
                                      U"7", U"8", U"9", U"10", U"11", U"12"};
    for (int h = 0; h < 12; ++h) {
        EXPECT_EQ(layout.houseNumbers[h].text, numbers[h]);
        EXPECT_NEAR(LongitudeAt(layout, layout.houseNumbers[h].box.centre()),
                    std::fmod(90.0 + 30.0 * h + 15.0, 360.0), 1e-6);
        EXPECT_NEAR(LongitudeAt(layout, layout.cuspLines[h].from),
                    std::fmod(90.0 + 30.0 * h, 360.0), 1e-6);
    }
}

// Unequal cusps: each line at its cusp and each number halfway through its house, whichever way
// the cusps run (inside the polar circles Regiomontanus and Campanus run them backward).
TEST(WheelLayout, HouseNumbersBetweenUnequalCusps) {
    const std::array<double, 12> forward = {95.0,  117.0, 143.0, 172.0, 206.0, 238.0,
                                            275.0, 297.0, 323.0, 352.0, 26.0,  58.0};
    std::array<double, 12> backward{};
    for (int h = 0; h < 12; ++h) backward[h] = std::fmod(400.0 - forward[h], 360.0);
    for (const auto& [cusps, sense] : {std::pair(forward, 1.0), std::pair(backward, -1.0)}) {
        WheelInput input = Wheel({}, cusps[0], 800.0);
        input.cusps = cusps;
        const WheelLayout layout = LayOutWheel(input);
        for (int h = 0; h < 12; ++h) {
            const double next = cusps[(h + 1) % 12];
            const double width =
                sense > 0 ? ForwardDegrees(cusps[h], next) : ForwardDegrees(next, cusps[h]);
            EXPECT_LT(width, 60.0) << h;  // the house between two neighbouring cusps
            EXPECT_NEAR(LongitudeAt(layout, layout.cuspLines[h].from), cusps[h], 1e-6) << h;
            EXPECT_NEAR(LongitudeAt(layout, layout.houseNumbers[h].box.centre()),
                        std::fmod(cusps[h] + sense * width / 2 + 360.0, 360.0), 1e-6)
                << sense << " " << h;
        }
    }
}

TEST(WheelLayout, BodyTextsAndBoxes) {
    WheelRingInput ring;
    ring.bodies = {{ChartBody::Mercury, 135.1234, true},  // 15° Leo 7'
                   {ChartBody::Ascendant, 3.999, false}};
    for (bool symbols : {true, false}) {
        WheelInput input = Wheel({ring}, 3.999, 800.0);
        input.symbols = symbols;
        const WheelLayout layout = LayOutWheel(input);
        const WheelBodyMark* mercury = Find(layout, 0, ChartBody::Mercury);
        const WheelBodyMark* asc = Find(layout, 0, ChartBody::Ascendant);
        ASSERT_NE(mercury, nullptr);
        ASSERT_NE(asc, nullptr);
        EXPECT_EQ(mercury->symbol.text, BodySymbol(ChartBody::Mercury, symbols));
        ASSERT_EQ(mercury->label.size(), 4u);
        EXPECT_EQ(mercury->label[0].text, U"15\u00B0");
        EXPECT_EQ(mercury->label[1].text, SignSymbol(4, symbols));
        EXPECT_EQ(mercury->label[2].text, U"07'");
        EXPECT_EQ(mercury->label[3].text, RetrogradeSymbol(symbols));
        ASSERT_EQ(asc->label.size(), 3u);
        EXPECT_EQ(asc->label[0].text, U"03\u00B0");
        EXPECT_EQ(asc->label[2].text, U"59'");
        // ℞ beside the symbol, on the same line.
        const WheelBox& r = mercury->label[3].box;
        EXPECT_NEAR(r.left, mercury->symbol.box.right, kTol);
        EXPECT_NEAR(r.centre().y, mercury->symbol.box.centre().y, kTol);
        // Square symbol boxes of at least 14 px at 800 px, labels of at least 11 px.
        for (const WheelBodyMark* m : {mercury, asc}) {
            EXPECT_NEAR(m->symbol.box.width(), m->symbol.box.height(), kTol);
            EXPECT_GE(m->symbol.box.height(), 14.0);
            for (const WheelText& t : m->label) EXPECT_GE(t.box.height(), 11.0);
        }
    }
}

// All round the wheel the label reads degree, sign, minute (left to right, or top to bottom where
// the column stands upright), inward of the symbol along the symbol's degree.
TEST(WheelLayout, LabelsReadDegreeFirstAllRound) {
    for (int step = 0; step < 36; ++step) {
        WheelRingInput ring;
        ring.bodies = {{ChartBody::Sun, 10.0 * step + 3.0, false}};
        const WheelLayout layout = LayOutWheel(Wheel({ring}, 0.0, 800.0));
        const WheelBodyMark& m = layout.bodies.at(0);
        ASSERT_EQ(m.label.size(), 3u);
        const WheelBox &degree = m.label[0].box, &sign = m.label[1].box, &minute = m.label[2].box;
        const double dx = layout.centre.x - m.symbol.box.centre().x;
        const double dy = layout.centre.y - m.symbol.box.centre().y;
        const bool across = std::fabs(dx) >= std::fabs(dy);
        const auto reads = [&](const WheelBox& box) {
            return across ? box.centre().x : box.centre().y;
        };
        EXPECT_LT(reads(degree), reads(sign)) << m.longitude;
        EXPECT_LT(reads(sign), reads(minute)) << m.longitude;
        const auto radius = [&](const WheelBox& box) {
            return std::hypot(box.centre().x - 400.0, box.centre().y - 400.0);
        };
        for (const WheelBox* box : {&degree, &sign, &minute}) {
            EXPECT_NEAR(LongitudeAt(layout, box->centre()), m.shownLongitude, 1e-6);
            EXPECT_LT(radius(*box), radius(m.symbol.box));
        }
    }
}

TEST(WheelLayout, SmallWheelsKeepReadableSymbols) {
    for (double size : {430.0, 600.0, 800.0, 1200.0}) {
        WheelInput input = Wheel({Ring(WheelChart::Natal, Spaced(14, 10.0, 25.0)),
                                  Ring(WheelChart::Draconic, Spaced(14, 20.0, 25.0))},
                                 0.0, size);
        const WheelLayout layout = LayOutWheel(input);
        for (const WheelBodyMark& m : layout.bodies)
            EXPECT_GE(m.symbol.box.height(), std::max(9.0, 14.0 * size / 800.0)) << size;
        EXPECT_GT(layout.aspectRadius, 0.05 * size);
        EXPECT_TRUE(CheckWheelLayout(input, layout)) << size;
    }
}

TEST(WheelLayout, BodiesWithRoomStayOnTheirDegree) {
    const WheelInput input = Wheel({Ring(WheelChart::Natal, Spaced(10, 5.0, 36.0))}, 0.0, 800.0);
    const WheelLayout layout = LayOutWheel(input);
    ASSERT_EQ(layout.bodies.size(), 10u);
    for (const WheelBodyMark& m : layout.bodies) {
        EXPECT_NEAR(m.shownLongitude, m.longitude, kTol);
        EXPECT_EQ(m.row, 0);
    }
}

// Two bodies a degree apart astride 0° Aries spread about their middle, in zodiac order.
TEST(WheelLayout, PairAcrossAriesSpreadsAboutItsMiddle) {
    for (double middle : {0.0, 0.2, 359.8}) {
        const WheelInput input = Wheel({Ring(WheelChart::Natal, {std::fmod(middle + 359.5, 360.0),
                                                                 std::fmod(middle + 0.5, 360.0)})},
                                       200.0, 800.0);
        const WheelLayout layout = LayOutWheel(input);
        const WheelBodyMark* first = Find(layout, 0, ChartBody::Sun);
        const WheelBodyMark* second = Find(layout, 0, ChartBody::Moon);
        const double apart = ForwardDegrees(first->shownLongitude, second->shownLongitude);
        EXPECT_GT(apart, 1.5) << middle;
        EXPECT_LT(apart, 8.0) << middle;
        EXPECT_NEAR(ForwardDegrees(first->shownLongitude, middle), apart / 2, 1e-9) << middle;
        EXPECT_TRUE(CheckWheelLayout(input, layout));
    }
}

// A cluster of three spreads about its mean in zodiac order; a body far from it stays put.
TEST(WheelLayout, ClusterSpreadsAboutItsMean) {
    const WheelInput input =
        Wheel({Ring(WheelChart::Natal, {99.0, 100.0, 101.0, 250.0})}, 0.0, 800.0);
    const WheelLayout layout = LayOutWheel(input);
    const double sun = Find(layout, 0, ChartBody::Sun)->shownLongitude;
    const double moon = Find(layout, 0, ChartBody::Moon)->shownLongitude;
    const double mercury = Find(layout, 0, ChartBody::Mercury)->shownLongitude;
    EXPECT_LT(sun, 99.0);
    EXPECT_GT(mercury, 101.0);
    EXPECT_LT(sun, moon);
    EXPECT_LT(moon, mercury);
    EXPECT_NEAR(sun + moon + mercury, 300.0, 1e-9);
    EXPECT_NEAR(Find(layout, 0, ChartBody::Venus)->shownLongitude, 250.0, 1e-9);
    EXPECT_TRUE(CheckWheelLayout(input, layout));
}

// A cluster at a sign's end spreads back into its sign rather than across the edge: the bodies
// more than 3° inside stay in it.
TEST(WheelLayout, ClusterStaysInItsSign) {
    const WheelInput input =
        Wheel({Ring(WheelChart::Natal, {25.5, 26.0, 26.5, 26.8, 29.9})}, 0.0, 800.0);
    const WheelLayout layout = LayOutWheel(input);
    for (const WheelBodyMark& m : layout.bodies)
        if (m.longitude < 27.0) {
            EXPECT_LE(m.shownLongitude, 30.0) << m.longitude;
        }
    EXPECT_TRUE(CheckWheelLayout(input, layout));
    EXPECT_TRUE(CheckWheelLimits(layout, kSingleWheelLimit));
}

// A ring with more bodies than fit once round the circle takes further rows inward of the first,
// the bodies dealt to them in turn. (The bodies repeat: only their number matters here.)
TEST(WheelLayout, CrowdedRingTakesFurtherRows) {
    WheelRingInput ring;
    ring.chart = WheelChart::Natal;
    constexpr int kCount = 90;
    for (int i = 0; i < kCount; ++i)
        ring.bodies.push_back(
            {static_cast<ChartBody>(i % kPreciseBodyCount), i * 360.0 / kCount, false});
    const WheelInput input = Wheel({ring}, 0.0, 800.0);
    const WheelLayout layout = LayOutWheel(input);
    double innermost[3] = {1e300, 1e300, 1e300}, outermost[3] = {0.0, 0.0, 0.0};
    int count[3] = {0, 0, 0};
    for (const WheelBodyMark& m : layout.bodies) {
        ASSERT_LT(m.row, 3);
        const double r =
            std::hypot(m.symbol.box.centre().x - 400.0, m.symbol.box.centre().y - 400.0);
        innermost[m.row] = std::min(innermost[m.row], r);
        outermost[m.row] = std::max(outermost[m.row], r);
        ++count[m.row];
    }
    const int rows = count[2] > 0 ? 3 : 2;
    ASSERT_GT(count[1], 0);
    for (int w = 0; w < rows; ++w) EXPECT_EQ(count[w], kCount / rows) << w;
    for (int w = 1; w < rows; ++w) EXPECT_LT(outermost[w], innermost[w - 1]) << w;
    EXPECT_TRUE(CheckWheelLayout(input, layout));
}

// The ascendant's and the midheaven's degree, sign and minute stand in the house ring just
// behind their axis, clear of every other box, and read degree first whichever way the ring
// runs there (single wheel and bi-wheel, the angles in every quarter of the screen).
TEST(WheelLayout, AnglesGiveTheirDegreeOnTheHouseRing) {
    struct Case {
        double ascendant, midheaven;
        std::u32string ac[3], mc[3];
    };
    const double none = std::numeric_limits<double>::quiet_NaN();
    const Case cases[] = {
        {95.0, 3.0, {U"05\u00B0", U"\u264B", U"00'"}, {U"03\u00B0", U"\u2648", U"00'"}},
        {271.5, 185.25, {U"01\u00B0", U"\u2651", U"30'"}, {U"05\u00B0", U"\u264E", U"15'"}},
        {0.0, 280.0, {U"00\u00B0", U"\u2648", U"00'"}, {U"10\u00B0", U"\u2651", U"00'"}},
        {149.99, none, {U"29\u00B0", U"\u264C", U"59'"}, {}},
    };
    for (const Case& c : cases) {
        for (const int rings : {1, 2}) {
            std::vector<WheelRingInput> in = {Ring(WheelChart::Natal, Spaced(12, 10.0, 29.0))};
            if (rings == 2) in.push_back(Ring(WheelChart::Draconic, Spaced(12, 20.0, 31.0)));
            WheelInput input = Wheel(in, c.ascendant, 800.0);
            input.midheaven = c.midheaven;
            const WheelLayout layout = LayOutWheel(input);
            const bool mc = std::isfinite(c.midheaven);
            ASSERT_EQ(layout.angleDegrees.size(), mc ? 6u : 3u) << c.ascendant;
            for (int a = 0; a < (mc ? 2 : 1); ++a) {
                const WheelText* parts = &layout.angleDegrees[3 * a];
                const double angle = a == 0 ? c.ascendant : c.midheaven;
                // Degree, sign, minute in reading order: left to right, or top to bottom where
                // the parts run more steeply than across.
                const double across = std::fabs(parts[2].box.centre().x - parts[0].box.centre().x);
                const double down = std::fabs(parts[2].box.centre().y - parts[0].box.centre().y);
                std::vector<const WheelText*> order = {&parts[0], &parts[1], &parts[2]};
                std::sort(order.begin(), order.end(), [&](const auto* p, const auto* q) {
                    return across >= down ? p->box.centre().x < q->box.centre().x
                                          : p->box.centre().y < q->box.centre().y;
                });
                for (int i = 0; i < 3; ++i) {
                    EXPECT_EQ(order[i]->text, (a == 0 ? c.ac : c.mc)[i])
                        << "angle " << a << " at " << angle << ", rings " << rings << ", part "
                        << i;
                    // In the house ring, within a few degrees behind the axis.
                    const double r = std::hypot(order[i]->box.centre().x - layout.centre.x,
                                                order[i]->box.centre().y - layout.centre.y);
                    EXPECT_GT(r, layout.circles[2]);
                    EXPECT_LT(r, layout.zodiacInner);
                    const double behind =
                        ForwardDegrees(LongitudeAt(layout, order[i]->box.centre()), angle);
                    EXPECT_GT(behind, 0.0);
                    EXPECT_LT(behind, 15.0) << "angle " << a << " at " << angle;
                }
            }
            EXPECT_TRUE(CheckWheelLayout(input, layout)) << c.ascendant << " rings " << rings;
        }
    }
}

// The cusps run on through the ring of bodies to the aspect circle, broken around every text they
// would cross; the meridian and the marks of the four angles come with a midheaven.
TEST(WheelLayout, HousesCarriedThroughTheBodies) {
    // Bodies on the cusps: the lines must break around them.
    WheelInput input =
        Wheel({Ring(WheelChart::Natal, {90.5, 120.2, 150.0, 181.0, 300.0})}, 95.0, 800.0);
    for (const bool withMidheaven : {false, true}) {
        input.midheaven = withMidheaven ? 3.0 : std::numeric_limits<double>::quiet_NaN();
        const WheelLayout layout = LayOutWheel(input);
        EXPECT_EQ(layout.meridian.has_value(), withMidheaven);
        ASSERT_EQ(layout.angleMarks.size(), withMidheaven ? 4u : 2u);
        EXPECT_EQ(layout.angleMarks[0].text, U"AC");
        EXPECT_NEAR(LongitudeAt(layout, layout.angleMarks[0].box.centre()), 95.0, 4.0);
        if (withMidheaven) {
            EXPECT_NEAR(LongitudeAt(layout, layout.meridian->from), 3.0, 1e-9);
            EXPECT_EQ(layout.angleMarks[3].text, U"IC");
        }
        int broken = 0;
        for (int h = 0; h < 12; ++h) {
            const std::vector<WheelSegment>& runs = layout.cuspRuns[h];
            ASSERT_FALSE(runs.empty()) << h;
            broken += runs.size() > 1 ? 1 : 0;
            double length = 0.0;
            for (const WheelSegment& run : runs) {
                length += std::hypot(run.to.x - run.from.x, run.to.y - run.from.y);
                for (const WheelPoint& p : {run.from, run.to})
                    EXPECT_NEAR(LongitudeAt(layout, p), input.cusps[h], 1e-6) << h;
                for (const WheelBodyMark& m : layout.bodies) {
                    EXPECT_FALSE(test::SegmentMeetsBox(run, m.symbol.box)) << h;
                    for (const WheelText& t : m.label)
                        EXPECT_FALSE(test::SegmentMeetsBox(run, t.box));
                }
            }
            const double whole = layout.circles[2] - layout.aspectRadius;
            EXPECT_LE(length, whole + 1e-6) << h;
            // A cusp no body stands near runs whole.
            bool near = false;
            for (const WheelBodyMark& m : layout.bodies)
                near = near || AngleDistance(m.shownLongitude, input.cusps[h]) < 15.0;
            if (!near) {
                EXPECT_EQ(runs.size(), 1u) << h;
                EXPECT_NEAR(length, whole, 1e-6) << h;
            }
        }
        EXPECT_GE(broken, 3);
        EXPECT_TRUE(CheckWheelLayout(input, layout));
    }
}

// The caption's lines stand in the two top corners, clear of the wheel's circle, in the order
// given (a long line wrapped): the first half top left, the rest top right. A wheel too small
// for it has none.
TEST(WheelLayout, CaptionInTheTopCorners) {
    for (const double size : {300.0, 600.0, 800.0, 1600.0}) {
        WheelInput input = Wheel({Ring(WheelChart::Natal, Spaced(10, 5.0, 36.0))}, 0.0, size);
        input.caption = {"Name: Ann Example",
                         "Date of Birth: January 15, 1980",
                         "Time of Birth: 10:30 AM",
                         "Time Zone: Eastern Standard Time,EST,-5.0",
                         "Place: New York, NY, USA",
                         "Latitude: 40\u00B0 43' N",
                         "Positions: precise, Porphyry houses (Placidus has none there)",
                         "North Node: 19\u00B0 Virgo 10'"};
        const WheelLayout layout = LayOutWheel(input);
        EXPECT_TRUE(CheckWheelLayout(input, layout)) << size;
        if (size < 400.0) {
            EXPECT_TRUE(layout.caption.empty());
            continue;
        }
        std::u32string left, right;
        for (const WheelText& line : layout.caption) {
            const WheelBox& box = line.box;
            EXPECT_GE(box.height(), 7.0 - 1e-9);
            EXPECT_LT(box.bottom, size / 2);
            (box.right < size / 2 ? left : right) += line.text + U"|";
            EXPECT_TRUE(box.right < size / 2 || box.left > size / 2);
        }
        EXPECT_EQ(left.find(U"Name: Ann Example|"), 0u) << size;
        EXPECT_NE(left.find(U"Standard"), std::u32string::npos) << size;
        EXPECT_EQ(right.find(U"Place: New York, NY, USA|Latitude: 40\u00B0 43' N|"), 0u) << size;
        EXPECT_NE(right.find(U"(Placidus"), std::u32string::npos) << size;
    }
}

TEST(WheelLayout, AspectLinesJoinTrueDegreesOnTheAspectCircle) {
    WheelInput input = Wheel({Ring(WheelChart::Natal, {10.0, 11.0, 12.0, 190.0}),
                              Ring(WheelChart::Draconic, {100.0, 101.0})},
                             0.0, 800.0);
    input.aspects = {
        {WheelChart::Natal, ChartBody::Sun, WheelChart::Natal, ChartBody::Venus,
         Aspect::Opposition},
        {WheelChart::Natal, ChartBody::Moon, WheelChart::Draconic, ChartBody::Sun, Aspect::Square},
        // Draconic Mars is not in the wheel: no line.
        {WheelChart::Natal, ChartBody::Sun, WheelChart::Draconic, ChartBody::Mars, Aspect::Square},
    };
    const WheelLayout layout = LayOutWheel(input);
    ASSERT_EQ(layout.aspectLines.size(), 2u);
    const double expected[][2] = {{10.0, 190.0}, {11.0, 100.0}};
    for (int i = 0; i < 2; ++i) {
        const WheelSegment& line = layout.aspectLines[i].line;
        EXPECT_EQ(layout.aspectLines[i].pair.aspect, input.aspects[i].aspect);
        EXPECT_NEAR(LongitudeAt(layout, line.from), expected[i][0], 1e-9);
        EXPECT_NEAR(LongitudeAt(layout, line.to), expected[i][1], 1e-9);
        for (const WheelPoint& p : {line.from, line.to})
            EXPECT_NEAR(std::hypot(p.x - 400.0, p.y - 400.0), layout.aspectRadius, 1e-9);
    }
    // The aspect circle is the innermost circle, inside every body's boxes.
    for (double r : layout.circles) EXPECT_GE(r, layout.aspectRadius);
    for (const WheelBodyMark& m : layout.bodies)
        for (const WheelText& t : m.label)
            EXPECT_GT(std::hypot(t.box.centre().x - 400.0, t.box.centre().y - 400.0),
                      layout.aspectRadius);
}

TEST(WheelLayout, LegendRows) {
    WheelInput input = Wheel({Ring(WheelChart::Natal, {10.0, 200.0})}, 0.0, 800.0);
    input.legend = {{Aspect::Square, 7.0}, {Aspect::Trine, 2.5}};
    const WheelLayout layout = LayOutWheel(input);
    ASSERT_EQ(layout.legend.size(), 2u);
    EXPECT_EQ(layout.legend[0].aspect, Aspect::Square);
    EXPECT_EQ(layout.legend[0].symbol.text, AspectSymbol(Aspect::Square, true));
    EXPECT_EQ(layout.legend[0].orb.text, U"7\u00B0");
    EXPECT_EQ(layout.legend[1].orb.text, U"2.5\u00B0");
    // Rows top to bottom in the given order, the sample between symbol and orb.
    EXPECT_LT(layout.legend[0].symbol.box.bottom, layout.legend[1].symbol.box.bottom);
    for (const WheelLegendRow& row : layout.legend) {
        EXPECT_GT(row.sample.from.x, row.symbol.box.right);
        EXPECT_LT(row.sample.to.x, row.orb.box.left);
    }
    EXPECT_TRUE(CheckWheelLayout(input, layout));
    input.legend.clear();
    EXPECT_TRUE(LayOutWheel(input).legend.empty());
}

// ---- Properties over random and crowded wheels -------------------------------------------------

// Random wheels of the classic ten bodies, the precise fifteen or all twenty (with the asteroids
// and Lilith). Bi-wheels with more bodies than two of the modern charts (fourteen a ring, the
// midheaven aside) need room: from kCrowdedBiWheelSize up.
constexpr double kCrowdedBiWheelSize = 560.0;

WheelInput RandomWheel(std::mt19937& rng) {
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    double size = 430.0 + std::floor(unit(rng) * 771.0);
    const int ringCount = unit(rng) < 0.5 ? 1 : 2;
    std::vector<WheelRingInput> rings;
    for (int r = 0; r < ringCount; ++r) {
        const double pick = unit(rng);
        const int count = pick < 0.4 ? kBodyCount : pick < 0.7 ? kPreciseBodyCount : kMaxBodyCount;
        if (ringCount == 2 && count > kPreciseBodyCount - 1)
            size = std::max(size, kCrowdedBiWheelSize);
        // Spread evenly, or gathered about one to three points.
        const int centres = static_cast<int>(unit(rng) * 4.0);
        std::vector<double> points;
        for (int c = 0; c < centres; ++c) points.push_back(unit(rng) * 360.0);
        const double width = 1.0 + unit(rng) * 20.0;
        WheelRingInput ring;
        ring.chart = ringCount == 1 ? static_cast<WheelChart>(unit(rng) * 4.0)
                                    : (r == 0 ? WheelChart::Natal : WheelChart::Draconic);
        for (int b = 0; b < count; ++b) {
            double lon = unit(rng) * 360.0;
            if (centres > 0)
                lon = std::fmod(points[b % centres] + (unit(rng) - 0.5) * width + 360.0, 360.0);
            const auto body = static_cast<ChartBody>(b);
            ring.bodies.push_back({body, lon, CanBePreciseRetrograde(body) && unit(rng) < 0.3});
        }
        rings.push_back(std::move(ring));
    }
    WheelInput input = Wheel(std::move(rings), unit(rng) * 360.0, size);
    input.symbols = unit(rng) < 0.8;
    input.legend.resize(static_cast<size_t>(unit(rng) * 6.0));
    for (size_t i = 0; i < input.legend.size(); ++i)
        input.legend[i] = {static_cast<Aspect>(i), std::floor(unit(rng) * 16.0) / 2.0 + 0.5};
    return input;
}

// Under the address sanitizer (an unoptimised build) the layout runs tens of times slower: there
// every tenth of the same charts is laid out, the other builds lay out all 10,000.
#ifdef __SANITIZE_ADDRESS__
constexpr int kRandomChartStep = 10;
#else
constexpr int kRandomChartStep = 1;
#endif

TEST(WheelLayoutProperties, RandomChartsAndBiWheels) {
    std::mt19937 rng(20240611u);
    for (int i = 0; i < 10000; ++i) {
        const WheelInput input = RandomWheel(rng);
        if (i % kRandomChartStep != 0) continue;
        const WheelLayout layout = LayOutWheel(input);
        ASSERT_TRUE(CheckWheelLayout(input, layout))
            << "wheel " << i << ", size " << input.size << ", rings " << input.rings.size();
    }
}

// Charts as births give them (every body anywhere, the ten classic bodies, the precise fifteen or
// all twenty) at 800 px: every symbol in its sign and within the limit of its degree, leaders
// apart.
TEST(WheelLayoutProperties, RandomBirthsKeepTheirShape) {
    std::mt19937 rng(19620204u);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const int counts[] = {kBodyCount, kPreciseBodyCount, kMaxBodyCount};
    int outside[2] = {0, 0};
    for (int i = 0; i < 3000; ++i) {
        const int ringCount = 1 + i % 2;
        const int count = counts[(i / 2) % 3];
        std::vector<WheelRingInput> rings;
        for (int r = 0; r < ringCount; ++r) {
            WheelRingInput ring;
            ring.chart = r == 0 ? WheelChart::Natal : WheelChart::Draconic;
            for (int b = 0; b < count; ++b) {
                const auto body = static_cast<ChartBody>(b);
                ring.bodies.push_back(
                    {body, unit(rng) * 360.0, CanBePreciseRetrograde(body) && unit(rng) < 0.3});
            }
            rings.push_back(std::move(ring));
        }
        WheelInput input = Wheel(std::move(rings), unit(rng) * 360.0, 800.0);
        const WheelLayout layout = LayOutWheel(input);
        EXPECT_TRUE(CheckWheelLayout(input, layout)) << "wheel " << i;
        if (!CheckWheelLimits(layout, ringCount > 1 ? kBiWheelLimit : kSingleWheelLimit))
            ++outside[ringCount - 1];
    }
    // The wheels whose crowding leaves no room within the limits, for the record.
    std::printf("outside the limits: %d of 1500 single wheels, %d of 1500 bi-wheels\n", outside[0],
                outside[1]);
}

// The sample births at 800 px: the crowded birth's natal wheel and the known birth's two wheels
// keep every symbol in its sign, within the limit, leaders apart.
TEST(WheelLayoutProperties, SampleBirthsKeepTheirShape) {
    for (const test::SampleWheel& sample : test::SampleWheels()) {
        const WheelLayout layout = LayOutWheel(sample.input);
        EXPECT_TRUE(CheckWheelLayout(sample.input, layout)) << sample.name;
        if (sample.name == "crowded 1962, bi-wheel") continue;  // see the figures program
        EXPECT_TRUE(CheckWheelLimits(
            layout, sample.input.rings.size() > 1 ? kBiWheelLimit : kSingleWheelLimit))
            << sample.name;
    }
}

TEST(WheelLayoutProperties, CrowdedWheels) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    std::vector<double> withGap = Spaced(14, 40.0, 0.3);
    withGap[3] = nan;  // a body without a degree is left out
    const struct Case {
        const char* name;
        std::vector<std::vector<double>> rings;
        bool retrograde;
    } cases[] = {
        {"ten bodies within 5 degrees", {Spaced(10, 200.0, 0.5)}, false},
        {"ten within 5 degrees inside a bi-wheel",
         {Spaced(10, 200.0, 0.5), Spaced(10, 20.0, 36.0)},
         true},
        {"cluster across 0 Aries", {Spaced(14, 356.0, 0.6)}, true},
        {"both rings across 0 Aries", {Spaced(14, 357.0, 0.4), Spaced(14, 355.0, 0.7)}, false},
        {"all bodies in one sign", {Spaced(14, 121.0, 2.0)}, true},
        {"all at one degree", {Spaced(14, 77.0, 0.0), Spaced(14, 77.0, 0.0)}, true},
        {"both rings crowded", {Spaced(14, 10.0, 0.3), Spaced(14, 190.0, 0.3)}, true},
        {"14+14 evenly", {Spaced(14, 0.0, 360.0 / 14), Spaced(14, 12.0, 360.0 / 14)}, true},
        {"14+14 in two clusters each",
         {[] {
              auto a = Spaced(7, 30.0, 0.5), b = Spaced(7, 150.0, 0.5);
              a.insert(a.end(), b.begin(), b.end());
              return a;
          }(),
          [] {
              auto a = Spaced(7, 80.0, 0.5), b = Spaced(7, 300.0, 0.5);
              a.insert(a.end(), b.begin(), b.end());
              return a;
          }()},
         true},
        {"a body without a degree", {withGap}, false},
    };
    for (const Case& c : cases) {
        for (double size : {430.0, 800.0, 1200.0}) {
            for (bool symbols : {true, false}) {
                std::vector<WheelRingInput> rings;
                for (size_t r = 0; r < c.rings.size(); ++r)
                    rings.push_back(Ring(r == 0 ? WheelChart::Natal : WheelChart::Draconic,
                                         c.rings[r], c.retrograde));
                WheelInput input = Wheel(std::move(rings), 123.0, size);
                input.symbols = symbols;
                EXPECT_TRUE(CheckWheelLayout(input, LayOutWheel(input)))
                    << c.name << ", size " << size << (symbols ? "" : ", letters");
            }
        }
    }
}

}  // namespace
}  // namespace velloran
