#include "WheelProperties.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <utility>

#include "WheelShape.h"
#include "reading/Contacts.h"

namespace velloran::test {
namespace {

constexpr double kPi = 3.14159265358979323846;
// Angles computed from the same numbers in another order differ by far less.
constexpr double kAngleTol = 1e-7;

double Distance(WheelPoint a, WheelPoint b) { return std::hypot(a.x - b.x, a.y - b.y); }

std::vector<const WheelText*> MarkTexts(const WheelBodyMark& mark) {
    std::vector<const WheelText*> texts{&mark.symbol};
    for (const WheelText& t : mark.label) texts.push_back(&t);
    return texts;
}

std::string Name(const WheelBodyMark& m) {
    return std::string(WheelChartId(m.chart)) + "-" + std::string(WheelBodyId(m.body));
}

}  // namespace

double ForwardDegrees(double a, double b) {
    double d = std::fmod(b - a, 360.0);
    if (d < 0.0) d += 360.0;
    return d >= 360.0 ? 0.0 : d;
}

std::vector<WheelRow> WheelRows(const WheelLayout& layout) {
    std::map<std::pair<int, int>, WheelRow> rows;
    for (const WheelBodyMark& m : layout.bodies) rows[{m.ring, m.row}].marks.push_back(&m);
    std::vector<WheelRow> out;
    for (auto& [key, row] : rows) {
        std::sort(row.marks.begin(), row.marks.end(), [](const auto* a, const auto* b) {
            if (a->longitude != b->longitude) return a->longitude < b->longitude;
            return a->body < b->body;
        });
        double diagonal = 0.0, innermost = 1e300;
        for (const WheelBodyMark* m : row.marks) {
            for (const WheelText* t : MarkTexts(*m)) {
                diagonal = std::max(diagonal, std::hypot(t->box.width(), t->box.height()));
                innermost = std::min(innermost, Distance(t->box.centre(), layout.centre));
            }
        }
        row.separation = 2.0 * std::asin(std::min(1.0, diagonal / (2.0 * innermost))) * 180 / kPi;
        out.push_back(std::move(row));
    }
    return out;
}

testing::AssertionResult CheckWheelLayout(const WheelInput& input, const WheelLayout& layout) {
    // Every body with a degree is drawn once.
    size_t expected = 0;
    for (const WheelRingInput& ring : input.rings)
        for (const WheelBody& b : ring.bodies) expected += std::isfinite(b.longitude) ? 1 : 0;
    if (layout.bodies.size() != expected)
        return testing::AssertionFailure()
               << layout.bodies.size() << " bodies drawn of " << expected;

    // No two boxes meet: bodies' symbols and labels, house numbers, sign symbols, the legend.
    std::vector<std::pair<const WheelBox*, std::string>> boxes;
    for (const WheelBodyMark& m : layout.bodies) {
        boxes.push_back({&m.symbol.box, Name(m) + " symbol"});
        for (size_t i = 0; i < m.label.size(); ++i)
            boxes.push_back({&m.label[i].box, Name(m) + " label " + std::to_string(i)});
    }
    for (int i = 0; i < 12; ++i) {
        boxes.push_back({&layout.houseNumbers[i].box, "house " + std::to_string(i + 1)});
        boxes.push_back({&layout.signSymbols[i].box, "sign " + std::to_string(i)});
    }
    for (size_t i = 0; i < layout.caption.size(); ++i)
        boxes.push_back({&layout.caption[i].box, "caption line " + std::to_string(i)});
    for (const WheelText& mark : layout.angleMarks)
        boxes.push_back(
            {&mark.box, "angle mark " + std::string(mark.text.begin(), mark.text.end())});
    for (size_t i = 0; i < layout.angleDegrees.size(); ++i)
        boxes.push_back({&layout.angleDegrees[i].box, "angle degree part " + std::to_string(i)});
    for (const WheelLegendRow& row : layout.legend) {
        boxes.push_back({&row.symbol.box, "legend symbol"});
        boxes.push_back({&row.orb.box, "legend orb"});
    }
    for (size_t i = 0; i < boxes.size(); ++i)
        for (size_t j = i + 1; j < boxes.size(); ++j)
            if (boxes[i].first->intersects(*boxes[j].first))
                return testing::AssertionFailure()
                       << boxes[i].second << " meets " << boxes[j].second;
    // The legend stands outside the wheel's circle, inside the square.
    for (const WheelLegendRow& row : layout.legend) {
        for (const WheelBox* box : {&row.symbol.box, &row.orb.box}) {
            const double nearX = std::clamp(layout.centre.x, box->left, box->right);
            const double nearY = std::clamp(layout.centre.y, box->top, box->bottom);
            if (Distance({nearX, nearY}, layout.centre) < layout.zodiacOuter || box->left < 0 ||
                box->top < 0 || box->right > layout.size || box->bottom > layout.size)
                return testing::AssertionFailure() << "legend box outside its corner";
        }
    }

    for (const WheelBodyMark& m : layout.bodies) {
        // The leader runs from the symbol at its shown degree to the tick at the true one.
        const double tip = AngleDistance(LongitudeAt(layout, m.leader.to), m.longitude);
        const double tick = AngleDistance(LongitudeAt(layout, m.tick.from), m.longitude);
        const double from = AngleDistance(LongitudeAt(layout, m.leader.from), m.shownLongitude);
        if (!(tip <= 0.01 && tick <= 0.01 && from <= 0.01))
            return testing::AssertionFailure()
                   << Name(m) << "'s leader or tick is " << std::max({tip, tick, from}) << "° off";
    }
    // Each ring shown in zodiac order, once round the circle; a body with no other within 45°
    // stays on its degree.
    std::map<int, std::vector<const WheelBodyMark*>> rings;
    for (const WheelBodyMark& m : layout.bodies) rings[m.ring].push_back(&m);
    for (auto& [ring, marks] : rings) {
        std::sort(marks.begin(), marks.end(), [](const auto* a, const auto* b) {
            if (a->longitude != b->longitude) return a->longitude < b->longitude;
            return a->body < b->body;
        });
        const size_t n = marks.size();
        double total = 0.0;
        for (size_t i = 0; i < n && n > 1; ++i)
            total += ForwardDegrees(marks[i]->shownLongitude, marks[(i + 1) % n]->shownLongitude);
        if (n > 1 && std::fabs(total - 360.0) > 1e-6)
            return testing::AssertionFailure() << "ring " << ring << " out of zodiac order";
        for (const WheelBodyMark* m : marks) {
            bool alone = true;
            for (const WheelBodyMark* other : marks)
                if (other != m && AngleDistance(other->longitude, m->longitude) < 45.0)
                    alone = false;
            const double moved = AngleDistance(m->shownLongitude, m->longitude);
            if (alone && moved > kAngleTol)
                return testing::AssertionFailure() << Name(*m) << " has room but moved " << moved;
        }
    }
    return testing::AssertionSuccess();
}

}  // namespace velloran::test

namespace velloran::test {

testing::AssertionResult CheckWheelLimits(const WheelLayout& layout, double limit) {
    for (const WheelBodyMark& m : layout.bodies) {
        // A symbol stays in its body's sign unless the body is within 3° of the sign's edge.
        if (ShownInOtherSign(m.longitude, m.shownLongitude))
            return testing::AssertionFailure() << Name(m) << " at " << m.longitude
                                               << " shown in another sign, at " << m.shownLongitude;
        const double moved = AngleDistance(m.shownLongitude, m.longitude);
        if (moved > limit + 1e-9)
            return testing::AssertionFailure()
                   << Name(m) << " shown " << moved << "° from its degree, more than " << limit;
    }
    // Leaders cross no other leader and run over no other symbol.
    for (const WheelBodyMark& a : layout.bodies) {
        for (const WheelBodyMark& b : layout.bodies) {
            if (&a == &b) continue;
            if (SegmentsCross(a.leader, b.leader))
                return testing::AssertionFailure()
                       << Name(a) << "'s leader crosses " << Name(b) << "'s";
            if (SegmentMeetsBox(a.leader, b.symbol.box))
                return testing::AssertionFailure()
                       << Name(a) << "'s leader runs over " << Name(b) << "'s symbol";
        }
    }

    return testing::AssertionSuccess();
}

}  // namespace velloran::test
