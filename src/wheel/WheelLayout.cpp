#include "wheel/WheelLayout.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numeric>
#include <optional>
#include <string>

#include "domain/Angles.h"
#include "reading/Contacts.h"

namespace velloran {
namespace {

constexpr double kDegree = 3.14159265358979323846 / 180.0;

// How far a symbol may stand from its degree when the room allows it.
constexpr double kSingleWheelLimit = 8.0;
constexpr double kBiWheelLimit = 12.0;

WheelPoint At(WheelPoint centre, double ascendant, double longitude, double radius) {
    const double theta = (180.0 + longitude - ascendant) * kDegree;
    return {centre.x + radius * std::cos(theta), centre.y - radius * std::sin(theta)};
}

// Width of a text from nominal advances: digits and letters about 0.62 em, the degree and minute
// marks 0.4 em, the astrological symbols (all from U+2000 on) a full em.
double TextWidth(std::u32string_view text, double em) {
    double width = 0.0;
    for (char32_t c : text)
        width += (c == U'\u00B0' || c == U'\'' ? 0.4 : c < 0x2000 ? 0.62 : 1.0) * em;
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
// The symbols of a ring keep zodiac order and stand at least s apart, each within bounds around
// its true degree p: at most D from it, and inside the body's sign unless the body lies within
// 3° of the sign's edge. With the circle cut at one gap and the bodies numbered from it, the
// positions closest (least squares) to the p_i are x_i = y_i + i*s, y being the isotonic
// regression of q_i = p_i - i*s within the bounds shifted alike (pool adjacent violators, a
// pool's value its mean held inside the tightest bounds of its members). A lone body stays put;
// a cluster spreads about its mean, only as far as s needs.
//
// The cut relaxes one constraint of the circle; a placement that still leaves s across the cut
// (the wrap check) is therefore the placement on the whole circle. The largest gap is tried
// first, then the others.

// A body's room as offsets from its degree: how far back and forward it may be shown.
struct Room {
    double back = 360.0, ahead = 360.0;
};

// The room the sign rule leaves: a body more than 3° inside its sign stays in it.
constexpr double kSignEdgeFreedom = 3.0;
Room SignRoom(double longitude) {
    constexpr double kInside = 1e-6;  // a hair inside the edge, whatever the rounding
    const double within = longitude - 30.0 * std::floor(longitude / 30.0);
    Room room;
    if (within > kSignEdgeFreedom) room.back = within - kInside;
    if (within < 30.0 - kSignEdgeFreedom) room.ahead = 30.0 - within - kInside;
    return room;
}

// Isotonic (non-decreasing) least-squares fit of q within [lo, hi], in place; false when the
// bounds admit none.
bool BoundedIsotonic(std::vector<double>& q, const std::vector<double>& lo,
                     const std::vector<double>& hi) {
    struct Pool {
        double sum;
        int count;
        double lo, hi;
        double value() const { return std::clamp(sum / count, lo, hi); }
    };
    std::vector<Pool> pools;
    pools.reserve(q.size());
    for (size_t i = 0; i < q.size(); ++i) {
        if (lo[i] > hi[i]) return false;
        pools.push_back({q[i], 1, lo[i], hi[i]});
        while (pools.size() > 1 && pools[pools.size() - 2].value() > pools.back().value()) {
            const Pool last = pools.back();
            pools.pop_back();
            Pool& prev = pools.back();
            prev.sum += last.sum;
            prev.count += last.count;
            prev.lo = std::max(prev.lo, last.lo);
            prev.hi = std::min(prev.hi, last.hi);
            if (prev.lo > prev.hi) return false;
        }
    }
    size_t i = 0;
    for (const Pool& pool : pools) {
        const double value = pool.value();
        for (int k = 0; k < pool.count; ++k) q[i++] = value;
    }
    return true;
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

// What two neighbouring columns of a row need between them (see Separation below): the sizes of
// each sorted body's boxes by slot, the slots' radii, and the rows the ring is dealt to.
constexpr int kSlots = 4;
struct ColumnSize {
    std::array<double, kSlots> width{}, height{};
};
struct RowNeeds {
    std::vector<ColumnSize> sizes;  // in sorted order
    ColumnSize largest;             // the largest box of every slot
    std::array<double, kSlots> radius{};
    int rows = 1;
};

// The separation of two columns of one row whose bisector has the screen angle t. Columns cannot
// meet across slots: a column's slots are stacked their reaches apart (each slot's boxes lie
// within its reach of the slot's centre). Two boxes of one slot at radius r stand on a chord
// c = 2 r sin(S/2) that runs across the radius; they do not meet once its horizontal part
// c |sin t| reaches half the sum of their widths or its vertical part c |cos t| half the sum of
// their heights.
double PairNeed(const RowNeeds& needs, const ColumnSize& a, const ColumnSize& b, double t) {
    const double sn = std::fabs(std::sin(t)), cs = std::fabs(std::cos(t));
    double need = 0.0;
    for (int s = 0; s < kSlots; ++s) {
        const double w = (a.width[s] + b.width[s]) / 2, h = (a.height[s] + b.height[s]) / 2;
        const double chord = std::min(sn > 1e-9 ? w / sn : 1e300, cs > 1e-9 ? h / cs : 1e300);
        const double radius = needs.radius[s];
        if (radius <= 0.0 || chord >= 2.0 * radius) return 360.0;
        need = std::max(need, 2.0 * std::asin(chord / (2.0 * radius)) / kDegree);
    }
    return need;
}

// The gap after each sorted body: the most its pair needs anywhere the two may be shown, that is
// from as far before the one as its room and `limit` let it go to as far after the next, sampled by
// whole degrees (each with the degrees either side, and a hair more). With further rows a body's
// neighbour in its row is the rows-th after it, so every gap takes the largest boxes' need divided
// by the rows.
std::vector<double> Gaps(const std::vector<double>& sorted, const std::vector<Room>& rooms,
                         const RowNeeds& needs, double ascendant, double limit) {
    const size_t n = sorted.size();
    std::vector<double> gaps(n, 0.0);
    for (size_t i = 0; i < n; ++i) {
        const size_t next = (i + 1) % n;
        const double back = std::min(limit, rooms[i].back);
        const double from = sorted[i] - back;
        const double to = from + std::min(360.0, back + DegreesAhead(sorted[i], sorted[next]) +
                                                     std::min(limit, rooms[next].ahead));
        const int first = static_cast<int>(std::floor(from + 180.0 - ascendant)) - 1;
        const int last = static_cast<int>(std::ceil(to + 180.0 - ascendant)) + 1;
        const bool own = needs.rows == 1;
        const ColumnSize& a = own ? needs.sizes[i] : needs.largest;
        const ColumnSize& b = own ? needs.sizes[(i + 1) % n] : needs.largest;
        double need = 0.0;
        for (int d = first; d <= last; ++d)
            need = std::max(need, PairNeed(needs, a, b, d * kDegree));
        gaps[i] = need * 1.02 / needs.rows;
    }
    return gaps;
}

// The spread of sorted longitudes with gaps[i] at least after the i-th, each within its room and
// at most `limit` from its degree, in the same order; nothing when there is no such placement.
std::optional<std::vector<double>> Spread(const std::vector<double>& sorted,
                                          const std::vector<Room>& rooms,
                                          const std::vector<double>& gaps, double limit) {
    const size_t n = sorted.size();
    if (n == 0) return sorted;
    double total = 0.0;
    for (double g : gaps) total += g;
    if (total > 360.0 + 1e-9) return std::nullopt;
    std::vector<std::pair<double, size_t>> cuts;
    cuts.reserve(n);
    for (size_t i = 0; i < n; ++i) {
        const double gap = i + 1 < n ? sorted[i + 1] - sorted[i] : sorted[0] + 360.0 - sorted[i];
        cuts.push_back({gap, (i + 1) % n});
    }
    std::stable_sort(cuts.begin(), cuts.end(),
                     [](const auto& a, const auto& b) { return a.first > b.first; });
    std::vector<double> q(n), lo(n), hi(n), shift(n);
    for (const auto& cut : cuts) {
        const size_t start = cut.second;
        double sum = 0.0;
        for (size_t j = 0; j < n; ++j) {
            const size_t i = (start + j) % n;
            shift[j] = sum;
            sum += gaps[i];
            const double unwrapped = sorted[i] + (i < start ? 360.0 : 0.0);
            q[j] = unwrapped - shift[j];
            lo[j] = unwrapped - std::min(rooms[i].back, limit) - shift[j];
            hi[j] = unwrapped + std::min(rooms[i].ahead, limit) - shift[j];
        }
        if (!BoundedIsotonic(q, lo, hi)) continue;
        const double wrapGap = gaps[(start + n - 1) % n];
        const double span = (q[n - 1] + shift[n - 1]) - q[0];
        if (n > 1 && span > 360.0 - wrapGap + 1e-9) continue;  // the wrap check
        std::vector<double> shown(n);
        for (size_t j = 0; j < n; ++j) shown[(start + j) % n] = Degrees360(q[j] + shift[j]);
        return shown;
    }
    return std::nullopt;
}

// The spread that keeps the largest distance from a degree smallest: within `limit` when it
// can, else the least distance that has room (found by halving). Rooms that leave no placement
// at all are widened to the whole circle (the sign rule given up only then).
struct Spreading {
    std::vector<double> shown;
    std::vector<double> gaps;
    bool withinLimit = false;
    bool signsKept = true;
};
std::optional<Spreading> SpreadNear(const std::vector<double>& sorted, std::vector<Room> rooms,
                                    const RowNeeds& needs, double ascendant, double limit) {
    const auto attempt = [&](double within) {
        std::vector<double> gaps = Gaps(sorted, rooms, needs, ascendant, within);
        std::optional<std::vector<double>> shown = Spread(sorted, rooms, gaps, within);
        return shown ? std::optional<Spreading>(
                           Spreading{std::move(*shown), std::move(gaps), false, true})
                     : std::nullopt;
    };
    if (auto done = attempt(limit)) {
        done->withinLimit = true;
        return done;
    }
    bool signsKept = true;
    if (!attempt(180.0)) {
        rooms.assign(rooms.size(), Room{});
        signsKept = false;
        if (!attempt(180.0)) return std::nullopt;
    }
    double low = limit, high = 180.0;
    for (int i = 0; i < 24 && high - low > 0.01; ++i) {
        const double mid = (low + high) / 2;
        (attempt(mid) ? high : low) = mid;
    }
    std::optional<Spreading> done = attempt(high);
    done->signsKept = signsKept;
    return done;
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

// Stack slots of a body, from the outside in: the symbol (with ℞ beside it), then the degree,
// the sign and the minute, the last two swapped where the column reads from the inside out.
constexpr int kSymbolSlot = 0;

struct Metrics {
    double margin, zodiacBand, signEm, houseBand, houseEm;
    double symbolEm, labelEm, retroEm, tick, leaderGap, itemGap, rowGap, ringGap;
    double minAspect;
};

Metrics MetricsFor(double size, size_t ringCount, double scale) {
    const double k = size / 800.0;
    Metrics m{};
    m.margin = (ringCount > 1 ? 0.01 : 0.015) * size;
    // A bi-wheel's bands are narrower: its inner ring needs the radius.
    const bool bi = ringCount > 1;
    m.zodiacBand = (bi ? 0.047 : 0.052) * size;
    m.signEm = 0.026 * size;
    m.houseBand = (bi ? 0.028 : 0.036) * size;
    m.houseEm = (bi ? 0.014 : 0.0176) * size;
    const double symbolBase = (ringCount > 1 ? 15.0 : 19.0) * k;
    // At least 14 px at 800 px, and never below 9 px however small the wheel; labels at least
    // 11 px at 800 px.
    m.symbolEm = std::max({symbolBase * scale, 14.0 * k, 9.0});
    m.labelEm = std::max({0.74 * symbolBase * scale, 11.0 * k, 6.5});
    m.retroEm = m.labelEm;
    m.tick = (bi ? 0.008 : 0.01) * size;
    m.leaderGap = 0.25 * m.symbolEm;
    m.itemGap = 0.06 * m.labelEm;
    m.rowGap = 0.25 * m.symbolEm;
    m.ringGap = 0.2 * m.symbolEm;
    m.minAspect = 0.075 * size;
    return m;
}

// A body of a ring with the sizes of its texts.
struct Entry {
    WheelBody body;
    std::u32string texts[kSlots];
    double width[kSlots] = {}, height[kSlots] = {};
    std::u32string retro;  // ℞ beside the symbol, or empty
    double retroSide = 0.0;
    int row = 0;
    double shown = 0.0;
};

// The radius of the circle about a slot's centre that holds what the slot draws (the symbol and
// ℞ side by side, centred together).
double SlotReach(const Entry& e, int slot) {
    if (slot == kSymbolSlot && !e.retro.empty())
        return std::hypot((e.width[0] + e.retroSide) / 2, e.height[0] / 2);
    return 0.5 * std::hypot(e.width[slot], e.height[slot]);
}

// Rows a ring may take when one row cannot hold it.
constexpr int kMaxRows = 3;

// A ring's plan: its edges, the centre radius of each slot in each row, its bodies.
struct RingPlan {
    double outer = 0.0, inner = 0.0;
    int rows = 1;
    double slotRadius[kMaxRows][kSlots] = {};
    std::vector<Entry> entries;
    double largest = 0.0;  // degrees, the largest distance of a symbol from its degree
    bool withinLimit = true, signsKept = true;
};

struct Plan {
    Metrics metrics{};
    double zodiacOuter = 0.0, zodiacInner = 0.0, houseInner = 0.0, aspectRadius = 0.0;
    std::vector<RingPlan> rings;  // WheelInput::rings order
    bool placed = true;           // every ring placed (none spread evenly as a last resort)
    bool withinLimit = true;      // every symbol within the limit of its degree, signs kept
    bool signsKept = true;
    double largest = 0.0;
    bool roomy = true;  // the aspect circle keeps its room
};

// "07" for 0..99.
std::u32string TwoDigits(int value) {
    return {static_cast<char32_t>(U'0' + value / 10 % 10),
            static_cast<char32_t>(U'0' + value % 10)};
}

// A longitude as its label reads: degree ("15°"), sign symbol, minute ("07'").
std::array<std::u32string, 3> DegreeSignMinute(double longitude, bool symbols) {
    const double lon = Degrees360(longitude);
    const int sign = std::min(11, static_cast<int>(lon / 30.0));
    const double within = lon - 30.0 * sign;
    const int degree = std::min(29, static_cast<int>(std::floor(within)));
    const int minute = std::min(59, static_cast<int>(std::floor((within - degree) * 60.0)));
    return {TwoDigits(degree) + U"\u00B0", std::u32string(SignSymbol(sign, symbols)),
            TwoDigits(minute) + U"'"};
}

std::vector<Entry> RingEntries(const WheelRingInput& ring, const Metrics& m, bool symbols) {
    std::vector<Entry> entries;
    for (const WheelBody& b : ring.bodies) {
        if (!std::isfinite(b.longitude)) continue;
        Entry e;
        e.body = b;
        e.body.longitude = Degrees360(b.longitude);
        const std::array<std::u32string, 3> reading = DegreeSignMinute(e.body.longitude, symbols);
        e.texts[0] = std::u32string(BodySymbol(b.body, symbols));
        e.texts[1] = reading[0];
        e.texts[2] = reading[1];
        e.texts[3] = reading[2];
        if (b.retrograde) {
            e.retro = std::u32string(RetrogradeSymbol(symbols));
            e.retroSide = std::max(m.retroEm, TextWidth(e.retro, m.retroEm));
        }
        // The symbol's box is square and holds the text; labels are an em high.
        const double side = std::max(m.symbolEm, TextWidth(e.texts[0], m.symbolEm));
        e.width[0] = e.height[0] = side;
        for (int s = 1; s < kSlots; ++s) {
            e.width[s] = TextWidth(e.texts[s], m.labelEm);
            e.height[s] = m.labelEm;
        }
        // The degree and the minute trade slots on half the wheel: both take the wider width.
        e.width[1] = e.width[3] = std::max(e.width[1], e.width[3]);
        entries.push_back(std::move(e));
    }
    return entries;
}

// Slot centre radii of a row whose outermost box stays inside `top`; returns the row's bottom.
double StackSlots(const std::vector<Entry>& entries, double top, double itemGap,
                  double* slotRadius) {
    double reach[kSlots] = {};
    for (const Entry& e : entries)
        for (int s = 0; s < kSlots; ++s) reach[s] = std::max(reach[s], SlotReach(e, s));
    slotRadius[0] = top - reach[0];
    for (int s = 1; s < kSlots; ++s)
        slotRadius[s] = slotRadius[s - 1] - reach[s - 1] - itemGap - reach[s];
    return slotRadius[kSlots - 1] - reach[kSlots - 1];
}

// Places one ring's bodies in `rows` rows under `top`: the symbols spread along the ring at S
// divided by the rows, each run of bodies closer than S dealt to the rows in turn, so that two of
// one row stand S apart. Returns the bottom of the innermost row, and nothing when the ring has
// no placement at all.
std::optional<double> PlaceRing(RingPlan& ring, const Metrics& m, double ascendant, double top,
                                int rows, double limit, bool force) {
    ring.rows = rows;
    double bottom = StackSlots(ring.entries, top, m.itemGap, ring.slotRadius[0]);
    for (int w = 1; w < rows; ++w)
        bottom = StackSlots(ring.entries, bottom - m.rowGap, m.itemGap, ring.slotRadius[w]);
    if (bottom <= 0.0) return std::nullopt;
    std::vector<Entry*> order;
    for (Entry& e : ring.entries) order.push_back(&e);
    std::sort(order.begin(), order.end(), [](const Entry* a, const Entry* b) {
        if (a->body.longitude != b->body.longitude) return a->body.longitude < b->body.longitude;
        return a->body.body < b->body.body;
    });
    std::vector<double> sorted;
    std::vector<Room> rooms;
    RowNeeds needs;
    needs.rows = rows;
    for (int s = 0; s < kSlots; ++s) needs.radius[s] = ring.slotRadius[rows - 1][s];
    for (const Entry* e : order) {
        sorted.push_back(e->body.longitude);
        rooms.push_back(SignRoom(e->body.longitude));
        ColumnSize size;
        for (int s = 0; s < kSlots; ++s) {
            size.width[s] = e->width[s] + (s == kSymbolSlot ? e->retroSide : 0.0);
            size.height[s] = e->height[s];
            needs.largest.width[s] = std::max(needs.largest.width[s], size.width[s]);
            needs.largest.height[s] = std::max(needs.largest.height[s], size.height[s]);
        }
        needs.sizes.push_back(size);
    }
    std::optional<Spreading> spread = SpreadNear(sorted, rooms, needs, ascendant, limit);
    if (!spread && rows > 1) return std::nullopt;
    std::vector<double> shown, gaps;
    if (spread) {
        shown = std::move(spread->shown);
        gaps = std::move(spread->gaps);
        ring.largest = 0.0;
        for (size_t i = 0; i < sorted.size(); ++i)
            ring.largest = std::max(ring.largest, AngleDistance(sorted[i], shown[i]));
        ring.withinLimit = spread->withinLimit;
        ring.signsKept = spread->signsKept;
    } else {
        if (!force) return std::nullopt;
        shown = EvenlySpread(sorted);
        gaps.assign(shown.size(), 360.0);
        ring.largest = 180.0;
        ring.withinLimit = ring.signsKept = false;
    }
    // Rows: a run starts after a gap a whole row's separation wide; its bodies are dealt to the
    // rows in turn.
    const size_t n = order.size();
    const auto breaks = [&](size_t i) {
        return rows == 1 || Degrees360(shown[(i + 1) % n] - shown[i]) >= gaps[i] * rows - 1e-9;
    };
    size_t start = n;
    for (size_t i = 0; i < n && start == n; ++i)
        if (breaks(i)) start = (i + 1) % n;
    // One run all round: dealt in turn, the last and the first body share a row unless the rows
    // divide the bodies.
    if (start == n) {
        if (n % static_cast<size_t>(rows) != 0) return std::nullopt;
        start = 0;
    }
    int inRun = 0;
    for (size_t j = 0; j < n; ++j) {
        const size_t i = (start + j) % n;
        if (j > 0 && breaks((i + n - 1) % n)) inRun = 0;
        order[i]->shown = shown[i];
        order[i]->row = inRun % rows;
        ++inRun;
    }
    return bottom;
}

// Lays out the rings for one scale of the texts; each ring takes the fewest rows that keep its
// symbols within `limit` of their degrees, else the rows that keep them nearest.
Plan MakePlan(const WheelInput& input, double scale, double limit, bool force) {
    const double ascendant = std::isfinite(input.ascendant) ? Degrees360(input.ascendant) : 0.0;
    Plan plan;
    const Metrics m = MetricsFor(input.size, input.rings.size(), scale);
    plan.metrics = m;
    plan.zodiacOuter = input.size / 2 - m.margin;
    plan.zodiacInner = plan.zodiacOuter - m.zodiacBand;
    plan.houseInner = plan.zodiacInner - m.houseBand;
    plan.rings.resize(input.rings.size());
    double edge = plan.houseInner;
    // What one row of each ring takes, edge to edge: a ring takes further rows only while the
    // rings inward of it keep one row each and the aspect circle its room.
    std::vector<std::vector<Entry>> ringEntries;
    std::vector<double> oneRow;
    for (const WheelRingInput& ring : input.rings) {
        ringEntries.push_back(RingEntries(ring, m, input.symbols));
        double radius[kSlots];
        oneRow.push_back(m.tick + m.leaderGap -
                         StackSlots(ringEntries.back(), 0.0, m.itemGap, radius) + m.ringGap);
    }
    // The last ring is the outermost.
    for (size_t r = input.rings.size(); r-- > 0;) {
        const std::vector<Entry>& entries = ringEntries[r];
        const double top = edge - m.tick - m.leaderGap;
        double reserve = m.minAspect + m.ringGap;
        for (size_t inner = 0; inner < r; ++inner) reserve += oneRow[inner];
        std::optional<RingPlan> best;
        double bestBottom = 0.0;
        for (int rows = 1; rows <= kMaxRows; ++rows) {
            RingPlan ring;
            ring.entries = entries;
            ring.outer = edge;
            const std::optional<double> bottom =
                PlaceRing(ring, m, ascendant, top, rows, limit, force && rows == 1);
            if (!bottom || (rows > 1 && *bottom < reserve)) continue;
            const bool better =
                !best || (ring.signsKept && !best->signsKept) ||
                (ring.signsKept == best->signsKept &&
                 ((ring.withinLimit && !best->withinLimit) ||
                  (ring.withinLimit == best->withinLimit && ring.largest < best->largest - 0.5)));
            if (better) {
                best = std::move(ring);
                bestBottom = *bottom;
            }
            // Further rows only for a ring one row cannot hold: their leaders would cross.
            if (best) break;
        }
        if (!best) {
            plan.placed = false;
            return plan;
        }
        plan.rings[r] = std::move(*best);
        RingPlan& ring = plan.rings[r];
        plan.withinLimit = plan.withinLimit && ring.withinLimit && ring.signsKept;
        plan.signsKept = plan.signsKept && ring.signsKept;
        plan.largest = std::max(plan.largest, ring.largest);
        ring.inner = bestBottom - m.ringGap;
        edge = ring.inner;
    }
    plan.aspectRadius = edge;
    plan.roomy = edge >= m.minAspect;
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

// Where a segment runs through a box (grown by `pad`), as the part [t0, t1] of it; nothing when
// it misses.
std::optional<std::pair<double, double>> Through(const WheelSegment& s, const WheelBox& box,
                                                 double pad) {
    const double dx = s.to.x - s.from.x, dy = s.to.y - s.from.y;
    double t0 = 0.0, t1 = 1.0;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {s.from.x - (box.left - pad), box.right + pad - s.from.x,
                         s.from.y - (box.top - pad), box.bottom + pad - s.from.y};
    for (int i = 0; i < 4; ++i) {
        if (std::fabs(p[i]) < 1e-12) {
            if (q[i] < 0.0) return std::nullopt;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0.0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 >= t1) return std::nullopt;
    }
    return std::pair{t0, t1};
}

// The cusps through the rings of bodies, broken around their texts.
void LayOutHouseLines(const WheelInput& input, const Plan& plan, const Metrics& m,
                      WheelLayout& out) {
    const double pad = 0.15 * m.labelEm;
    for (int h = 0; h < 12; ++h) {
        const WheelSegment whole{PointAt(out, input.cusps[h], plan.houseInner),
                                 PointAt(out, input.cusps[h], out.aspectRadius)};
        std::vector<std::pair<double, double>> cuts;
        for (const WheelBodyMark& mark : out.bodies) {
            if (auto cut = Through(whole, mark.symbol.box, pad)) cuts.push_back(*cut);
            for (const WheelText& t : mark.label)
                if (auto cut = Through(whole, t.box, pad)) cuts.push_back(*cut);
        }
        std::sort(cuts.begin(), cuts.end());
        double from = 0.0;
        const auto run = [&](double a, double b) {
            if (b - a < 1e-6) return;
            const auto at = [&](double t) {
                return WheelPoint{whole.from.x + (whole.to.x - whole.from.x) * t,
                                  whole.from.y + (whole.to.y - whole.from.y) * t};
            };
            out.cuspRuns[h].push_back({at(a), at(b)});
        };
        for (const auto& [a, b] : cuts) {
            run(from, a);
            from = std::max(from, b);
        }
        run(from, 1.0);
    }
}

// The marks of the angles beside the axes' ends in the house ring.
void LayOutAngleMarks(const WheelInput& input, const Plan& plan, const Metrics& m,
                      WheelLayout& out) {
    // The marks stand in the house ring just after each axis's end, in zodiac order.
    const double em = 0.8 * m.houseEm;
    const double radius = plan.houseInner + m.houseBand / 2;
    const auto mark = [&](const char* text, double longitude) {
        const std::u32string letters = Ascii(text);
        const double width = TextWidth(letters, em);
        // Half the text's diagonal plus a little clear of the axis, as an angle at this radius.
        const double offset = (0.5 * std::hypot(width, em) + 0.15 * em) / radius / kDegree;
        out.angleMarks.push_back(
            TextAt(letters, PointAt(out, longitude + offset, radius), width, em));
    };
    mark("AC", out.ascendant);
    mark("DC", out.ascendant + 180.0);
    if (std::isfinite(input.midheaven)) {
        mark("MC", input.midheaven);
        mark("IC", input.midheaven + 180.0);
    }
    // The degree, sign and minute of the ascendant and the midheaven on the axis's other side,
    // each part clear of the one before, ordered so that they read degree first.
    const auto degrees = [&](double longitude) {
        std::array<std::u32string, 3> parts = DegreeSignMinute(longitude, input.symbols);
        // Away from the axis the parts run backward through the zodiac: read left to right, or
        // downward where the run is steeper.
        const WheelPoint at = PointAt(out, longitude, radius);
        const WheelPoint next = PointAt(out, longitude - 1.0, radius);
        const double dx = next.x - at.x, dy = next.y - at.y;
        if (std::fabs(dx) >= std::fabs(dy) ? dx < 0.0 : dy < 0.0) std::swap(parts[0], parts[2]);
        const double gap = 0.15 * em;
        std::optional<WheelBox> before;
        double offset = 0.0;
        for (const std::u32string& part : parts) {
            const double width = TextWidth(part, em);
            if (!before) offset = (0.5 * std::hypot(width, em) + 0.15 * em) / radius / kDegree;
            WheelText text;
            for (;; offset += 0.2) {
                text = TextAt(part, PointAt(out, longitude - offset, radius), width, em);
                const WheelBox wide{text.box.left - gap, text.box.top - gap, text.box.right + gap,
                                    text.box.bottom + gap};
                if (!before || !wide.intersects(*before)) break;
            }
            before = text.box;
            out.angleDegrees.push_back(std::move(text));
        }
    };
    degrees(out.ascendant);
    if (std::isfinite(input.midheaven)) degrees(input.midheaven);
}

// UTF-8 to code points; a broken sequence gives U+FFFD.
std::u32string FromUtf8(std::string_view text) {
    std::u32string out;
    for (size_t i = 0; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        const int length = byte < 0x80       ? 1
                           : byte >> 5 == 6  ? 2
                           : byte >> 4 == 14 ? 3
                           : byte >> 3 == 30 ? 4
                                             : 0;
        if (length == 0 || i + length > text.size()) {
            out.push_back(U'\uFFFD');
            ++i;
            continue;
        }
        char32_t c = length == 1 ? byte : byte & (0x7F >> length);
        for (int k = 1; k < length; ++k)
            c = (c << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        out.push_back(c);
        i += length;
    }
    return out;
}

// A line broken at its spaces into lines no wider than `width` (a word wider stays whole).
std::vector<std::u32string> Wrapped(const std::u32string& line, double em, double width) {
    std::vector<std::u32string> out;
    std::u32string current;
    size_t i = 0;
    while (i < line.size()) {
        size_t end = line.find(U' ', i);
        if (end == std::u32string::npos) end = line.size();
        const std::u32string word = line.substr(i, end - i);
        const std::u32string joined = current.empty() ? word : current + U' ' + word;
        if (!current.empty() && TextWidth(joined, em) > width) {
            out.push_back(current);
            current = word;
        } else {
            current = joined;
        }
        i = end + 1;
    }
    if (!current.empty() || out.empty()) out.push_back(current);
    return out;
}

// The caption in the two top corners beyond the wheel's circle, the first half of its lines top
// left and the rest top right: smaller and wrapped narrower until every line clears the circle
// and its half of the picture (at the least 7 px, the narrowest a fifth of the side); none when
// even that does not fit.
void LayOutCaption(const WheelInput& input, const Plan& plan, WheelLayout& out) {
    if (input.caption.empty()) return;
    std::vector<std::u32string> lines;
    for (const std::string& line : input.caption) lines.push_back(FromUtf8(line));
    const double size = input.size, c = size / 2, margin = plan.metrics.margin;
    const size_t leftCount = (lines.size() + 1) / 2;
    const auto place = [&](double em, double width) {
        std::vector<WheelText> texts;
        double rows[2] = {0.0, 0.0};
        for (size_t i = 0; i < lines.size(); ++i) {
            const bool left = i < leftCount;
            for (const std::u32string& part : Wrapped(lines[i], em, width)) {
                const double top = margin + rows[left ? 0 : 1]++ * 1.3 * em;
                const double w = TextWidth(part, em);
                const double x = left ? margin : size - margin - w;
                texts.push_back({part, {x, top, x + w, top + em}});
            }
        }
        return texts;
    };
    const auto clear = [&](const std::vector<WheelText>& texts, double em) {
        for (const WheelText& t : texts) {
            const double nearX = std::clamp(c, t.box.left, t.box.right);
            const double nearY = std::clamp(c, t.box.top, t.box.bottom);
            const bool left = t.box.left < c;
            if (std::hypot(nearX - c, nearY - c) <= plan.zodiacOuter + 0.3 * em ||
                !(left ? t.box.right < c : t.box.left > c))
                return false;
        }
        return true;
    };
    for (double width = 0.34 * size; width >= 0.2 * size - 1e-9; width -= 0.02 * size) {
        for (double em = std::max(0.016 * size, 7.0);; em = std::max(7.0, em * 0.9)) {
            std::vector<WheelText> texts = place(em, width);
            if (clear(texts, em)) {
                out.caption = std::move(texts);
                return;
            }
            if (em <= 7.0) break;
        }
    }
    // No room even so (a small wheel): no caption rather than one over the wheel.
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

    // The largest texts that keep every symbol within the limit of its degree (8° on a single
    // wheel, 12° on a bi-wheel) and in its sign, with the aspect circle keeping 7.5% of the size.
    // When no scale does, the plan that keeps the symbols nearest their degrees; at the last,
    // the smallest texts, with a row that fits nowhere spread evenly.
    constexpr double kScales[] = {1.0, 0.9, 0.8, 0.7, 0.6};
    const double limit = input.rings.size() > 1 ? kBiWheelLimit : kSingleWheelLimit;
    std::optional<Plan> chosen, nearest;
    for (double scale : kScales) {
        Plan plan = MakePlan(input, scale, limit, false);
        if (!plan.placed || !plan.roomy) continue;
        if (plan.withinLimit) {
            chosen = std::move(plan);
            break;
        }
        const bool nearer =
            !nearest || (plan.signsKept && !nearest->signsKept) ||
            (plan.signsKept == nearest->signsKept && plan.largest < nearest->largest - 0.5);
        if (nearer) nearest = std::move(plan);
    }
    if (!chosen) chosen = std::move(nearest);
    if (!chosen) chosen = MakePlan(input, kScales[std::size(kScales) - 1], limit, true);
    const Plan& plan = *chosen;
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

    LayOutAngleMarks(input, plan, m, out);
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
        // Halfway through the house, or where the marks of the angles leave it room.
        for (const double part : {0.5, 0.75, 0.25, 0.85, 0.15}) {
            const WheelPoint centre =
                PointAt(out, cusp + direction * width * part, plan.houseInner + m.houseBand / 2);
            out.houseNumbers[h] = TextAt(number, centre, TextWidth(number, m.houseEm), m.houseEm);
            bool clear = true;
            for (const WheelText& mark : out.angleMarks)
                clear = clear && !mark.box.intersects(out.houseNumbers[h].box);
            for (const WheelText& part : out.angleDegrees)
                clear = clear && !part.box.intersects(out.houseNumbers[h].box);
            if (clear) break;
        }
    }
    out.horizon = {PointAt(out, out.ascendant, plan.zodiacInner),
                   PointAt(out, out.ascendant + 180.0, plan.zodiacInner)};
    if (std::isfinite(input.midheaven)) {
        const double mc = Degrees360(input.midheaven);
        out.meridian = WheelSegment{PointAt(out, mc, plan.zodiacInner),
                                    PointAt(out, mc + 180.0, plan.zodiacInner)};
    }

    // The bodies: symbol and label stacked inward at the shown degree, a tick at the true one on
    // the ring's outer edge, and a leader between them where the symbol stands off its degree.
    // The label reads degree first: where the column runs leftward or upward from the outside
    // in, the minute takes the degree's slot and the degree the minute's.
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
            // With ℞ the symbol stands left of the slot's centre, the mark right of it.
            const double pairShift = e.retro.empty() ? 0.0 : e.retroSide / 2;
            const double theta = (180.0 + e.shown - out.ascendant) * kDegree;
            // The inward direction on screen.
            const double inX = -std::cos(theta), inY = std::sin(theta);
            const bool reversed = std::fabs(inX) >= std::fabs(inY) ? inX < 0.0 : inY < 0.0;
            for (int s = 0; s < kSlots; ++s) {
                const int from = reversed && (s == 1 || s == 3) ? 4 - s : s;
                WheelText text = TextAt(e.texts[from], PointAt(out, e.shown, radius[s]), e.width[s],
                                        e.height[s]);
                if (s == kSymbolSlot)
                    mark.symbol = std::move(text);
                else
                    mark.label.push_back(std::move(text));
            }
            // Degree, sign, minute in label order whichever way the column runs.
            if (reversed) std::swap(mark.label[0], mark.label[2]);
            if (!e.retro.empty()) {
                WheelBox& box = mark.symbol.box;
                box.left -= pairShift;
                box.right -= pairShift;
                const double middle = (box.top + box.bottom) / 2;
                mark.label.push_back({e.retro,
                                      {box.right, middle - e.retroSide / 2, box.right + e.retroSide,
                                       middle + e.retroSide / 2}});
            }
            const double side = EdgeDistance(e.width[0] / 2, e.height[0] / 2, theta);
            const WheelPoint tickEnd = PointAt(out, e.body.longitude, ring.outer - m.tick);
            mark.tick = {PointAt(out, e.body.longitude, ring.outer), tickEnd};
            mark.leader =
                e.shown == e.body.longitude
                    ? WheelSegment{tickEnd, tickEnd}
                    : WheelSegment{PointAt(out, e.shown, radius[kSymbolSlot] + side), tickEnd};
            out.bodies.push_back(std::move(mark));
        }
    }

    LayOutHouseLines(input, plan, m, out);

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
    LayOutCaption(input, plan, out);
    return out;
}

}  // namespace velloran
