#include "wheel/WheelLayout.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numeric>
#include <optional>
#include <string>

#include "domain/Angles.h"

namespace velloran {
namespace {

constexpr double kDegree = 3.14159265358979323846 / 180.0;

WheelPoint At(WheelPoint centre, double ascendant, double longitude, double radius) {
    const double theta = (180.0 + longitude - ascendant) * kDegree;
    return {centre.x + radius * std::cos(theta), centre.y - radius * std::sin(theta)};
}

// Width of a text from nominal advances: digits, letters and the degree sign about 0.62 em, the
// astrological symbols (all from U+2000 on) a full em.
double TextWidth(std::u32string_view text, double em) {
    double width = 0.0;
    for (char32_t c : text) width += (c < 0x2000 ? 0.62 : 1.0) * em;
    return width;
}

WheelBox BoxAround(WheelPoint centre, double width, double height) {
    return {centre.x - width / 2, centre.y - height / 2, centre.x + width / 2,
            centre.y + height / 2};
}

std::u32string Ascii(const char* text) {
    std::u32string out;
    for (const char* p = text; *p != '\0'; ++p) out.push_back(static_cast<char32_t>(*p));
    return out;
}

// "07" for 0..99.
std::u32string TwoDigits(int value) {
    return {static_cast<char32_t>(U'0' + value / 10 % 10),
            static_cast<char32_t>(U'0' + value % 10)};
}

// "8°", "2.5°".
std::u32string OrbLabel(double orb) {
    char buffer[32];
    if (orb == std::floor(orb) && std::fabs(orb) < 1e6)
        std::snprintf(buffer, sizeof buffer, "%d", static_cast<int>(orb));
    else
        std::snprintf(buffer, sizeof buffer, "%.1f", orb);
    std::u32string text = Ascii(buffer);
    text.push_back(U'\u00B0');
    return text;
}

// Distance from a box's centre to its edge along the screen direction of the angle theta.
double EdgeDistance(double halfWidth, double halfHeight, double theta) {
    const double c = std::fabs(std::cos(theta)), s = std::fabs(std::sin(theta));
    const double alongX = c > 1e-12 ? halfWidth / c : 1e300;
    const double alongY = s > 1e-12 ? halfHeight / s : 1e300;
    return std::min(alongX, alongY);
}

// ---- Spreading ----------------------------------------------------------------------------
//
// Bodies closer than the separation S are moved apart along their ring. With the circle cut at
// one gap and the bodies numbered from it, positions x_i with x_{i+1} - x_i >= S that lie
// closest (least squares) to the true p_i are x_i = y_i + i*S, y being the isotonic regression of
// q_i = p_i - i*S (pool adjacent violators). Each pool of k bodies ends up S apart around its
// mean, so a lone body stays put and no body of a pool moves more than (k-1)/2*S.
//
// The cut relaxes one constraint of the circle; a placement that still leaves S across the cut
// (the wrap check) is therefore the least-squares placement on the whole circle. The largest gap
// is tried first, then the others.

// Isotonic (non-decreasing) least-squares fit of q, in place.
void PoolAdjacentViolators(std::vector<double>& q) {
    struct Pool {
        double sum;
        int count;
    };
    std::vector<Pool> pools;
    pools.reserve(q.size());
    for (double v : q) {
        pools.push_back({v, 1});
        while (pools.size() > 1) {
            const Pool& last = pools.back();
            const Pool& prev = pools[pools.size() - 2];
            if (prev.sum * last.count <= last.sum * prev.count) break;
            const Pool merged{prev.sum + last.sum, prev.count + last.count};
            pools.pop_back();
            pools.back() = merged;
        }
    }
    size_t i = 0;
    for (const Pool& pool : pools) {
        const double mean = pool.sum / pool.count;
        for (int k = 0; k < pool.count; ++k) q[i++] = mean;
    }
}

// Index of the body after the largest gap of sorted longitudes.
size_t LargestGapStart(const std::vector<double>& sorted) {
    const size_t n = sorted.size();
    size_t start = 0;
    double widest = -1.0;
    for (size_t i = 0; i < n; ++i) {
        const double gap = i + 1 < n ? sorted[i + 1] - sorted[i] : sorted[0] + 360.0 - sorted[i];
        if (gap > widest) {
            widest = gap;
            start = (i + 1) % n;
        }
    }
    return start;
}

// The least-squares spread of sorted longitudes with gaps of at least S, in the same order, or
// nothing when the row cannot hold them.
std::optional<std::vector<double>> Spread(const std::vector<double>& sorted, double separation) {
    const size_t n = sorted.size();
    if (n <= 1) return sorted;
    if (static_cast<double>(n) * separation > 360.0 + 1e-9) return std::nullopt;
    // Cuts by decreasing gap: the first that passes the wrap check is the answer.
    std::vector<std::pair<double, size_t>> cuts;
    cuts.reserve(n);
    for (size_t i = 0; i < n; ++i) {
        const double gap = i + 1 < n ? sorted[i + 1] - sorted[i] : sorted[0] + 360.0 - sorted[i];
        cuts.push_back({gap, (i + 1) % n});
    }
    std::stable_sort(cuts.begin(), cuts.end(),
                     [](const auto& a, const auto& b) { return a.first > b.first; });
    std::vector<double> q(n);
    for (const auto& cut : cuts) {
        const size_t start = cut.second;
        for (size_t j = 0; j < n; ++j) {
            const size_t i = (start + j) % n;
            const double unwrapped = sorted[i] + (i < start ? 360.0 : 0.0);
            q[j] = unwrapped - static_cast<double>(j) * separation;
        }
        PoolAdjacentViolators(q);
        const double span = (q[n - 1] + static_cast<double>(n - 1) * separation) - q[0];
        if (span > 360.0 - separation + 1e-9) continue;  // the wrap check
        std::vector<double> shown(n);
        for (size_t j = 0; j < n; ++j)
            shown[(start + j) % n] = Degrees360(q[j] + static_cast<double>(j) * separation);
        return shown;
    }
    return std::nullopt;
}

// Last resort for a row nothing else fits: the bodies evenly round the circle, in zodiac order,
// as close to their degrees as even steps allow.
std::vector<double> EvenlySpread(const std::vector<double>& sorted) {
    const size_t n = sorted.size();
    if (n <= 1) return sorted;
    const size_t start = LargestGapStart(sorted);
    const double step = 360.0 / static_cast<double>(n);
    double offset = 0.0;
    for (size_t j = 0; j < n; ++j) {
        const size_t i = (start + j) % n;
        offset += sorted[i] + (i < start ? 360.0 : 0.0) - static_cast<double>(j) * step;
    }
    offset /= static_cast<double>(n);
    std::vector<double> shown(n);
    for (size_t j = 0; j < n; ++j)
        shown[(start + j) % n] = Degrees360(offset + static_cast<double>(j) * step);
    return shown;
}

// ---- Sizes ------------------------------------------------------------------------------------

// Stack slots of a body, from the outside in: symbol, degree, sign, minute, retrograde mark.
constexpr int kSlots = 5;
constexpr int kSymbolSlot = 0, kMinuteSlot = 3;

struct Metrics {
    double margin, zodiacBand, signEm, houseBand, houseEm;
    double symbolEm, labelEm, tick, leaderGap, itemGap, rowGap, ringGap;
    double minAspect;
};

Metrics MetricsFor(double size, size_t ringCount, double scale) {
    const double k = size / 800.0;
    Metrics m{};
    m.margin = 0.015 * size;
    m.zodiacBand = 0.062 * size;
    m.signEm = 0.42 * m.zodiacBand;
    m.houseBand = 0.042 * size;
    m.houseEm = 0.42 * m.houseBand;
    const double symbolBase = (ringCount > 1 ? 17.0 : 21.0) * k;
    // At least 14 px at 800 px, and never below 9 px however small the wheel.
    m.symbolEm = std::max({symbolBase * scale, 14.0 * k, 9.0});
    m.labelEm = std::max(0.7 * symbolBase * scale, 6.5);
    m.tick = 0.012 * size;
    m.leaderGap = 0.35 * m.symbolEm;
    m.itemGap = 0.08 * m.labelEm;
    m.rowGap = 0.3 * m.symbolEm;
    m.ringGap = 0.25 * m.symbolEm;
    m.minAspect = 0.075 * size;
    return m;
}

// A body of a ring with the sizes of its texts.
struct Entry {
    WheelBody body;
    std::u32string texts[kSlots];
    double width[kSlots] = {}, height[kSlots] = {};
    int slots = 4;  // 5 with the retrograde mark
    int row = 0;
    double shown = 0.0;
};

double HalfDiagonal(const Entry& e, int slot) {
    return 0.5 * std::hypot(e.width[slot], e.height[slot]);
}

// Rows a ring may take: a full precise chart with the asteroids on a small bi-wheel needs three.
constexpr int kMaxRows = 3;

// A ring's plan: its edges, the centre radius of each slot in each row, its bodies.
struct RingPlan {
    double outer = 0.0, inner = 0.0;
    int rows = 1;
    double slotRadius[kMaxRows][kSlots] = {};
    std::vector<Entry> entries;
};

struct Plan {
    Metrics metrics{};
    double zodiacOuter = 0.0, zodiacInner = 0.0, houseInner = 0.0, aspectRadius = 0.0;
    std::vector<RingPlan> rings;  // WheelInput::rings order
    bool fits = true;
};

std::vector<Entry> RingEntries(const WheelRingInput& ring, const Metrics& m, bool symbols) {
    std::vector<Entry> entries;
    for (const WheelBody& b : ring.bodies) {
        if (!std::isfinite(b.longitude)) continue;
        Entry e;
        e.body = b;
        e.body.longitude = Degrees360(b.longitude);
        const double lon = e.body.longitude;
        const int sign = std::min(11, static_cast<int>(lon / 30.0));
        const double within = lon - 30.0 * sign;
        const int degree = std::min(29, static_cast<int>(std::floor(within)));
        const int minute = std::min(59, static_cast<int>(std::floor((within - degree) * 60.0)));
        e.texts[0] = std::u32string(BodySymbol(b.body, symbols));
        e.texts[1] = TwoDigits(degree);
        e.texts[2] = std::u32string(SignSymbol(sign, symbols));
        e.texts[3] = TwoDigits(minute);
        e.slots = 4;
        if (b.retrograde) {
            e.texts[4] = std::u32string(RetrogradeSymbol(symbols));
            e.slots = 5;
        }
        // The symbol's box is square and holds the text; labels are an em high.
        const double side = std::max(m.symbolEm, TextWidth(e.texts[0], m.symbolEm));
        e.width[0] = e.height[0] = side;
        for (int s = 1; s < e.slots; ++s) {
            e.width[s] = TextWidth(e.texts[s], m.labelEm);
            e.height[s] = m.labelEm;
        }
        entries.push_back(std::move(e));
    }
    return entries;
}

// The separation S of a row: two of its boxes cannot meet once their bodies stand S apart, since
// every box lies within half the largest diagonal D of its centre and every centre at least
// r_in (the innermost slot's radius) from the wheel's centre: 2 r_in sin(S/2) >= D.
double Separation(const std::vector<const Entry*>& row, const double* slotRadius) {
    double diagonal = 0.0;
    int innermost = kMinuteSlot;
    for (const Entry* e : row) {
        for (int s = 0; s < e->slots; ++s)
            diagonal = std::max(diagonal, std::hypot(e->width[s], e->height[s]));
        innermost = std::max(innermost, e->slots - 1);
    }
    const double radius = slotRadius[innermost];
    if (radius <= 0.0 || diagonal >= 2.0 * radius) return 360.0;
    return 2.0 * std::asin(diagonal / (2.0 * radius)) / kDegree;
}

// Spreads one row; false when it does not fit (or, with `force`, spreads it evenly).
bool SpreadRow(std::vector<Entry*>& row, const double* slotRadius, bool force) {
    std::sort(row.begin(), row.end(), [](const Entry* a, const Entry* b) {
        if (a->body.longitude != b->body.longitude) return a->body.longitude < b->body.longitude;
        return a->body.body < b->body.body;
    });
    std::vector<const Entry*> view(row.begin(), row.end());
    const double separation = Separation(view, slotRadius);
    std::vector<double> sorted;
    sorted.reserve(row.size());
    for (const Entry* e : row) sorted.push_back(e->body.longitude);
    std::optional<std::vector<double>> shown = Spread(sorted, separation);
    const bool fits = shown.has_value();
    if (!fits) {
        if (!force) return false;
        shown = EvenlySpread(sorted);
    }
    for (size_t i = 0; i < row.size(); ++i) row[i]->shown = (*shown)[i];
    return fits;
}

// Slot centre radii of a row whose outermost box stays inside `top`; returns the row's bottom.
double StackSlots(const std::vector<Entry>& entries, double top, double itemGap,
                  double* slotRadius) {
    double half[kSlots] = {};
    int slots = 4;
    for (const Entry& e : entries) {
        for (int s = 0; s < e.slots; ++s) half[s] = std::max(half[s], HalfDiagonal(e, s));
        slots = std::max(slots, e.slots);
    }
    slotRadius[0] = top - half[0];
    for (int s = 1; s < kSlots; ++s)
        slotRadius[s] = slotRadius[s - 1] - half[s - 1] - itemGap - half[s];
    return slotRadius[slots - 1] - half[slots - 1];
}

// Lays out the rings for one scale of the texts. With `force` a row that fits nowhere is spread
// evenly instead of failing.
Plan MakePlan(const WheelInput& input, double scale, int maxRows, bool force) {
    Plan plan;
    const Metrics m = MetricsFor(input.size, input.rings.size(), scale);
    plan.metrics = m;
    plan.zodiacOuter = input.size / 2 - m.margin;
    plan.zodiacInner = plan.zodiacOuter - m.zodiacBand;
    plan.houseInner = plan.zodiacInner - m.houseBand;
    plan.rings.resize(input.rings.size());
    double edge = plan.houseInner;
    // The last ring is the outermost.
    for (size_t r = input.rings.size(); r-- > 0;) {
        RingPlan& ring = plan.rings[r];
        ring.entries = RingEntries(input.rings[r], m, input.symbols);
        ring.outer = edge;
        const double top = edge - m.tick - m.leaderGap;
        double bottom = StackSlots(ring.entries, top, m.itemGap, ring.slotRadius[0]);
        std::vector<Entry*> all;
        for (Entry& e : ring.entries) all.push_back(&e);
        if (!SpreadRow(all, ring.slotRadius[0], false)) {
            // Too full for one row (more bodies than 360°/S, so no cut passes the wrap check):
            // the bodies in zodiac order, counted from the largest gap, are dealt in turn to two
            // rows (three when two cannot hold them), each inward of the last and spread on its
            // own.
            std::vector<double> sorted;
            for (const Entry* e : all) sorted.push_back(e->body.longitude);
            const size_t start = LargestGapStart(sorted);
            const double firstBottom = bottom;
            for (int rows = 2; rows <= maxRows; ++rows) {
                ring.rows = rows;
                bottom = firstBottom;
                for (int w = 1; w < rows; ++w)
                    bottom =
                        StackSlots(ring.entries, bottom - m.rowGap, m.itemGap, ring.slotRadius[w]);
                std::vector<Entry*> dealt[kMaxRows];
                for (size_t j = 0; j < all.size(); ++j) {
                    Entry* e = all[(start + j) % all.size()];
                    e->row = static_cast<int>(j % static_cast<size_t>(rows));
                    dealt[e->row].push_back(e);
                }
                bool fitted = true;
                const bool last = rows == maxRows;
                for (int w = 0; w < rows; ++w)
                    if (!SpreadRow(dealt[w], ring.slotRadius[w], force && last)) fitted = false;
                if (fitted) break;
                if (last) plan.fits = false;
            }
        }
        ring.inner = bottom - m.ringGap;
        edge = ring.inner;
    }
    plan.aspectRadius = edge;
    if (edge < m.minAspect) plan.fits = false;
    return plan;
}

WheelText TextAt(std::u32string text, WheelPoint centre, double width, double height) {
    return {std::move(text), BoxAround(centre, width, height)};
}

void LayOutLegend(const WheelInput& input, const Plan& plan, WheelLayout& out) {
    if (input.legend.empty()) return;
    const double size = input.size;
    const double c = size / 2;
    const double margin = plan.metrics.margin;
    const size_t count = input.legend.size();
    double em = std::max(0.022 * size, 9.0);
    // Bottom left, beyond the wheel's circle: shrink until the legend's corner nearest the
    // centre clears it.
    for (int attempt = 0; attempt < 12; ++attempt) {
        double rowWidth = 0.0;
        for (const WheelLegendInput& row : input.legend) {
            const std::u32string_view symbol = AspectSymbol(row.aspect, input.symbols);
            rowWidth = std::max(rowWidth, std::max(em, TextWidth(symbol, em)) + 2.4 * em +
                                              TextWidth(OrbLabel(row.orb), em));
        }
        const double right = margin + rowWidth;
        const double top = size - margin - 1.4 * em * static_cast<double>(count);
        const double clear = plan.zodiacOuter + 0.5 * em;
        if (right < c && top > c && std::hypot(c - right, top - c) > clear) break;
        em *= 0.85;
    }
    const double rowHeight = 1.4 * em;
    for (size_t i = 0; i < count; ++i) {
        const WheelLegendInput& in = input.legend[i];
        const double bottom = size - margin - rowHeight * static_cast<double>(count - 1 - i);
        const double mid = bottom - em / 2;
        WheelLegendRow row;
        row.aspect = in.aspect;
        const std::u32string symbol(AspectSymbol(in.aspect, input.symbols));
        const double symbolWidth = std::max(em, TextWidth(symbol, em));
        row.symbol = {symbol, {margin, bottom - em, margin + symbolWidth, bottom}};
        const double sampleLeft = margin + symbolWidth + 0.4 * em;
        row.sample = {{sampleLeft, mid}, {sampleLeft + 1.6 * em, mid}};
        const std::u32string orb = OrbLabel(in.orb);
        const double orbLeft = sampleLeft + 2.0 * em;
        row.orb = {orb, {orbLeft, bottom - em, orbLeft + TextWidth(orb, em), bottom}};
        out.legend.push_back(std::move(row));
    }
}

const WheelBodyMark* FindMark(const WheelLayout& layout, WheelChart chart, ChartBody body,
                              bool fromOutside) {
    const WheelBodyMark* found = nullptr;
    for (const WheelBodyMark& mark : layout.bodies) {
        if (mark.chart != chart || mark.body != body) continue;
        if (found == nullptr || (fromOutside ? mark.ring > found->ring : mark.ring < found->ring))
            found = &mark;
    }
    return found;
}

}  // namespace

WheelPoint PointAt(const WheelLayout& layout, double longitude, double radius) {
    return At(layout.centre, layout.ascendant, longitude, radius);
}

double LongitudeAt(const WheelLayout& layout, const WheelPoint& point) {
    const double theta = std::atan2(-(point.y - layout.centre.y), point.x - layout.centre.x);
    return Degrees360(theta / kDegree - 180.0 + layout.ascendant);
}

WheelLayout LayOutWheel(const WheelInput& input) {
    WheelLayout out;
    out.size = input.size;
    out.centre = {input.size / 2, input.size / 2};
    out.ascendant = std::isfinite(input.ascendant) ? Degrees360(input.ascendant) : 0.0;

    // Full-size texts when every ring fits and the aspect circle keeps 7.5% of the size,
    // else smaller ones; at the smallest, the aspect circle is what remains (small bi-wheels)
    // and a row that fits nowhere is spread evenly.
    // Two rows at every scale come before a third.
    constexpr double kScales[] = {1.0, 0.9, 0.8, 0.7, 0.6};
    Plan plan;
    plan.fits = false;
    for (int rows = 2; rows <= kMaxRows && !plan.fits; ++rows) {
        for (double scale : kScales) {
            plan = MakePlan(input, scale, rows, false);
            if (plan.fits) break;
        }
    }
    if (!plan.fits) plan = MakePlan(input, kScales[std::size(kScales) - 1], kMaxRows, true);
    const Metrics& m = plan.metrics;
    const double aspectRadius = std::max(plan.aspectRadius, 0.02 * input.size);

    out.zodiacOuter = plan.zodiacOuter;
    out.zodiacInner = plan.zodiacInner;
    out.aspectRadius = aspectRadius;
    out.circles = {plan.zodiacOuter, plan.zodiacInner, plan.houseInner};
    for (size_t r = plan.rings.size(); r-- > 0;) out.circles.push_back(plan.rings[r].inner);
    if (plan.rings.empty()) out.circles.push_back(aspectRadius);
    out.circles.back() = aspectRadius;

    // The zodiac band: sign boundaries, symbols in the middle of each sign, degree ticks.
    const double band = m.zodiacBand;
    for (int s = 0; s < kSignCount; ++s) {
        const double lon = 30.0 * s;
        out.signBoundaries[s] = {PointAt(out, lon, plan.zodiacInner),
                                 PointAt(out, lon, plan.zodiacOuter)};
        const std::u32string text(SignSymbol(s, input.symbols));
        const double width = std::max(m.signEm, TextWidth(text, m.signEm));
        out.signSymbols[s] =
            TextAt(text, PointAt(out, lon + 15.0, plan.zodiacInner + 0.6 * band), width, m.signEm);
    }
    out.ticks1.reserve(288);
    out.ticks5.reserve(36);
    out.ticks10.reserve(36);
    for (int d = 0; d < 360; ++d) {
        const double length = d % 10 == 0 ? 0.25 * band : d % 5 == 0 ? 0.17 * band : 0.1 * band;
        const WheelSegment tick{PointAt(out, d, plan.zodiacInner),
                                PointAt(out, d, plan.zodiacInner + length)};
        (d % 10 == 0 ? out.ticks10 : d % 5 == 0 ? out.ticks5 : out.ticks1).push_back(tick);
    }

    // The house ring: cusps, numbers in the middle of each house, the horizon. Cusps that run
    // backward all round (a polar chart's) have each house behind its cusp.
    double forwardRound = 0.0;
    for (int h = 0; h < 12; ++h)
        forwardRound += DegreesAhead(input.cusps[h], input.cusps[(h + 1) % 12]);
    const double direction = forwardRound > 720.0 ? -1.0 : 1.0;
    for (int h = 0; h < 12; ++h) {
        const double cusp = input.cusps[h];
        out.cuspLines[h] = {PointAt(out, cusp, plan.houseInner),
                            PointAt(out, cusp, plan.zodiacInner)};
        const double next = input.cusps[(h + 1) % 12];
        double width = direction > 0 ? DegreesAhead(cusp, next) : DegreesAhead(next, cusp);
        if (width == 0.0) width = 30.0;
        const std::u32string number = Ascii(std::to_string(h + 1).c_str());
        const WheelPoint centre =
            PointAt(out, cusp + direction * width / 2, plan.houseInner + m.houseBand / 2);
        out.houseNumbers[h] = TextAt(number, centre, TextWidth(number, m.houseEm), m.houseEm);
    }
    out.horizon = {PointAt(out, out.ascendant, plan.zodiacInner),
                   PointAt(out, out.ascendant + 180.0, plan.zodiacInner)};

    // The bodies: symbol and label stacked inward at the shown degree, a tick at the true one on
    // the ring's outer edge, and a leader between them.
    for (size_t r = 0; r < plan.rings.size(); ++r) {
        const RingPlan& ring = plan.rings[r];
        for (const Entry& e : ring.entries) {
            WheelBodyMark mark;
            mark.chart = input.rings[r].chart;
            mark.body = e.body.body;
            mark.longitude = e.body.longitude;
            mark.retrograde = e.body.retrograde;
            mark.ring = static_cast<int>(r);
            mark.row = e.row;
            mark.shownLongitude = e.shown;
            const double* radius = ring.slotRadius[e.row];
            for (int s = 0; s < e.slots; ++s) {
                WheelText text =
                    TextAt(e.texts[s], PointAt(out, e.shown, radius[s]), e.width[s], e.height[s]);
                if (s == kSymbolSlot)
                    mark.symbol = std::move(text);
                else
                    mark.label.push_back(std::move(text));
            }
            const double theta = (180.0 + e.shown - out.ascendant) * kDegree;
            const double side = EdgeDistance(e.width[0] / 2, e.height[0] / 2, theta);
            const WheelPoint tickEnd = PointAt(out, e.body.longitude, ring.outer - m.tick);
            mark.tick = {PointAt(out, e.body.longitude, ring.outer), tickEnd};
            mark.leader = {PointAt(out, e.shown, radius[kSymbolSlot] + side), tickEnd};
            out.bodies.push_back(std::move(mark));
        }
    }

    // Aspect lines between true degrees on the aspect circle. The first body of a pair is looked
    // for from the innermost ring, the second from the outermost (a bi-wheel of two charts of
    // the same kind joins inner to outer).
    for (const WheelAspectInput& pair : input.aspects) {
        const WheelBodyMark* a = FindMark(out, pair.chartA, pair.bodyA, false);
        const WheelBodyMark* b = FindMark(out, pair.chartB, pair.bodyB, true);
        if (a == nullptr || b == nullptr || a == b) continue;
        out.aspectLines.push_back(
            {pair,
             {PointAt(out, a->longitude, aspectRadius), PointAt(out, b->longitude, aspectRadius)}});
    }

    LayOutLegend(input, plan, out);
    return out;
}

}  // namespace velloran
