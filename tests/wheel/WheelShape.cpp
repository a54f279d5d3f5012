#include "WheelShape.h"

#include "WheelProperties.h"

#include <algorithm>
#include <cmath>

#include "chart/ReadingSession.h"
#include "input/FormCopy.h"
#include "reading/Against.h"
#include "reading/Contacts.h"
#include "reading/Reading.h"
#include "support/SampleBirths.h"

namespace velloran::test {
namespace {

double Cross(WheelPoint o, WheelPoint a, WheelPoint b) {
    return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x);
}

bool Degenerate(const WheelSegment& s) {
    return std::hypot(s.to.x - s.from.x, s.to.y - s.from.y) < 1e-9;
}

FormInput NewDelhi1962Form() {
    FormInput f = KnownBirthForm();
    f.name = "New Delhi 1962";
    f.monthIndex = 1, f.dayIndex = 3, f.yearIndex = 1962 - kFirstYear;
    f.hourIndex = 5, f.minuteIndex = 10;
    f.zoneIndex = ZoneIndexOf("Indian Time, IST, +5.3");
    f.daylightSaving = 0;
    f.city = "New Delhi", f.state = "Delhi", f.country = "India";
    f.latitudeDegrees = "28", f.latitudeMinutes = "36";
    f.longitudeDegrees = "77", f.longitudeMinutes = "12";
    f.latitudeHemisphere = 0;   // North
    f.longitudeHemisphere = 0;  // East
    return f;
}

}  // namespace

bool ShownInOtherSign(double longitude, double shown) {
    const double within = longitude - 30.0 * std::floor(longitude / 30.0);
    if (within <= 3.0 || within >= 27.0) return false;
    // A symbol exactly on its sign's edge stands in it.
    const double start = longitude - within;
    return ForwardDegrees(start, shown) > 30.0 + 1e-9;
}

bool SegmentsCross(const WheelSegment& a, const WheelSegment& b) {
    if (Degenerate(a) || Degenerate(b)) return false;
    const double d1 = Cross(a.from, a.to, b.from), d2 = Cross(a.from, a.to, b.to);
    const double d3 = Cross(b.from, b.to, a.from), d4 = Cross(b.from, b.to, a.to);
    return ((d1 > 1e-9 && d2 < -1e-9) || (d1 < -1e-9 && d2 > 1e-9)) &&
           ((d3 > 1e-9 && d4 < -1e-9) || (d3 < -1e-9 && d4 > 1e-9));
}

bool SegmentMeetsBox(const WheelSegment& s, const WheelBox& box) {
    if (Degenerate(s)) return false;
    // Liang–Barsky clipping against the box shrunk by a hair: a leader that only grazes an edge
    // does not run over the symbol.
    const double e = 0.01;
    const double left = box.left + e, right = box.right - e, top = box.top + e,
                 bottom = box.bottom - e;
    const double dx = s.to.x - s.from.x, dy = s.to.y - s.from.y;
    double t0 = 0.0, t1 = 1.0;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {s.from.x - left, right - s.from.x, s.from.y - top, bottom - s.from.y};
    for (int i = 0; i < 4; ++i) {
        if (std::fabs(p[i]) < 1e-12) {
            if (q[i] < 0.0) return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0.0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1) return false;
    }
    return t1 - t0 > 1e-9;
}

WheelShape MeasureWheelShape(const WheelLayout& layout) {
    WheelShape shape;
    shape.smallestLabel = shape.smallestSymbol = 1e300;
    double sum = 0.0;
    for (const WheelBodyMark& m : layout.bodies) {
        const double d = AngleDistance(m.shownLongitude, m.longitude);
        shape.largestDistance = std::max(shape.largestDistance, d);
        sum += d;
        if (ShownInOtherSign(m.longitude, m.shownLongitude)) ++shape.inOtherSign;
        for (const WheelText& t : m.label)
            shape.smallestLabel = std::min(shape.smallestLabel, t.box.height());
        shape.smallestSymbol = std::min(shape.smallestSymbol, m.symbol.box.height());
    }
    if (!layout.bodies.empty()) sum /= static_cast<double>(layout.bodies.size());
    shape.meanDistance = sum;
    for (size_t i = 0; i < layout.bodies.size(); ++i) {
        const WheelBodyMark& a = layout.bodies[i];
        for (size_t j = 0; j < layout.bodies.size(); ++j) {
            if (i == j) continue;
            const WheelBodyMark& b = layout.bodies[j];
            if (j > i && SegmentsCross(a.leader, b.leader)) ++shape.leaderCrossings;
            if (SegmentMeetsBox(a.leader, b.symbol.box)) ++shape.leadersOverSymbols;
        }
    }
    return shape;
}

std::vector<SampleWheel> SampleWheels() {
    PositionsChoice crowded{PositionsKind::Precise, NodeKind::Mean};
    crowded.houses = HouseSystem::Placidus;
    crowded.asteroids = true;
    const struct {
        const char* name;
        FormInput form;
        PositionsChoice choice;
    } births[] = {{"crowded 1962", NewDelhi1962Form(), crowded},
                  {"known birth", KnownBirthForm(), PositionsChoice{}}};
    std::vector<SampleWheel> out;
    for (const auto& birth : births) {
        Calculation done = Calculate(BirthFromForm(birth.form), {birth.choice, nullptr});
        if (!done.reading) continue;
        const Reading& reading = *done.reading;
        const ContactSettings settings;
        WheelOptions options;
        options.size = 800.0;
        out.push_back({std::string(birth.name) + ", natal",
                       MakeDegreeWheel(reading, ChartView::Natal, {}, settings, options)});
        out.push_back({std::string(birth.name) + ", bi-wheel",
                       MakeDegreeWheel(reading, ChartView::Comparison,
                                       OwnContactGroup(reading, settings), settings, options)});
    }
    return out;
}

std::vector<SampleWheel> CrowdedWheels() {
    const auto ring = [](WheelChart chart, int count, double from, double step) {
        WheelRingInput r;
        r.chart = chart;
        for (int i = 0; i < count; ++i)
            r.bodies.push_back(
                {static_cast<ChartBody>(i), std::fmod(from + i * step + 360.0, 360.0), false});
        return r;
    };
    const auto wheel = [](std::vector<WheelRingInput> rings) {
        WheelInput input;
        input.rings = std::move(rings);
        input.ascendant = 123.0;
        for (int h = 0; h < 12; ++h) input.cusps[h] = 120.0 + 30.0 * h;
        input.size = 800.0;
        return input;
    };
    return {
        {"ten within 5 degrees", wheel({ring(WheelChart::Natal, 10, 200.0, 0.5)})},
        {"fourteen in one sign", wheel({ring(WheelChart::Natal, 14, 121.0, 2.0)})},
        {"both rings crowded", wheel({ring(WheelChart::Natal, 14, 10.0, 0.3),
                                      ring(WheelChart::Draconic, 14, 190.0, 0.3)})},
        {"cluster across 0 Aries", wheel({ring(WheelChart::Natal, 14, 356.0, 0.6)})},
    };
}

}  // namespace velloran::test
