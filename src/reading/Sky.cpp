#include "reading/Sky.h"

#include <cmath>
#include <limits>
#include <memory>

#include "astro/TimeScales.h"
#include "domain/BirthData.h"
#include "domain/SignPosition.h"
#include "ephemeris/SwissEphemeris.h"
#include "reading/Precise.h"

namespace velloran {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr int kAscendant = static_cast<int>(ChartBody::Ascendant);

bool IsLeapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysInMonth(int y, int m) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && IsLeapYear(y) ? 29 : kDays[m - 1];
}

// Exactly `digits` decimal digits.
std::optional<int> Digits(std::string_view text, std::size_t digits) {
    if (text.size() != digits) return std::nullopt;
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

std::string TwoDigits(int n) { return (n < 10 ? "0" : "") + std::to_string(n); }

// Signs, houses from Aries (a sky has no ascendant) and labels with the retrograde marks.
void FinishSky(SkyChart& sky, const std::array<double, kMaxBodyCount>& lon,
               const std::array<bool, kMaxBodyCount>& retrograde, int count) {
    sky.chart = Chart{};
    sky.chart.bodyCount = count;
    sky.compactPositions = {};
    sky.labels = {};
    for (int k = 0; k < count; ++k) {
        const double x = k == kAscendant ? kNaN : lon[k];
        BodyPlace& place = sky.chart.bodies[k];
        place.longitude = x;
        place.sign = std::isfinite(x) ? SignOfLongitude(x) : -1;
        place.house = place.sign >= 0 ? place.sign + 1 : 0;
        place.retrograde = retrograde[k];
        if (std::isfinite(x)) sky.compactPositions[k] = CompactSignPosition(FormatSignPosition(x));
        sky.labels[k] = kBodyLabels[k];
        if (retrograde[k]) sky.labels[k] += kRetrogradeMark;
    }
}

SkyResult ClassicSky(const SkyMoment& m) {
    if (m.year < kFirstYear || m.year > kLastYear) {
        return {std::nullopt, "the classic positions cover the years " +
                                  std::to_string(kFirstYear) + " to " + std::to_string(kLastYear) +
                                  "; choose a moment within them or the precise positions"};
    }
    // The engine computes a birth: the moment as a birth at universal time, at 0° 0'.
    ReadingState state;
    BirthData& b = state.Birth;
    b.Year = static_cast<int16_t>(m.year);
    b.Month = static_cast<int16_t>(m.month);
    b.Day = static_cast<int16_t>(m.day);
    b.Hour = static_cast<int16_t>(m.hour);
    b.Minute = static_cast<int16_t>(m.minute);
    state.ZoneHoursToUT = "0";
    state.ZoneMinutesToUT = "0";
    RunPass(state, ChartKind::Natal);
    SkyChart sky;
    sky.moment = m;
    sky.positions = PositionsChoice{};
    std::array<double, kMaxBodyCount> lon;
    lon.fill(kNaN);
    for (int k = 0; k < kBodyCount; ++k) lon[k] = state.NatalLongitudes[k];
    for (int k = 0; k < kBodyCount; ++k) {
        if (k != kAscendant && !std::isfinite(lon[k]))
            return {std::nullopt, "the classic positions could not be computed for this moment"};
    }
    FinishSky(sky, lon, state.Retrograde, kBodyCount);
    return {std::move(sky), {}};
}

SkyResult PreciseSky(const SkyMoment& m, const PositionsSource& source) {
    if (m.year < kFirstPreciseSkyYear || m.year > kLastPreciseSkyYear) {
        return {std::nullopt, "the precise positions cover the years " +
                                  std::to_string(kFirstPreciseSkyYear) + " to " +
                                  std::to_string(kLastPreciseSkyYear)};
    }
    std::unique_ptr<ephemeris::SwissEphemeris> own;
    ephemeris::SwissEphemeris* swiss = source.ephemeris;
    if (swiss == nullptr) swiss = (own = std::make_unique<ephemeris::SwissEphemeris>()).get();
    const double jd =
        JulianDayNumber(m.month, m.day, m.year) - 0.5 + m.hour / 24.0 + m.minute / 1440.0;
    const ephemeris::Positions found =
        swiss->Compute(jd, 0.0, 0.0,
                       source.choice.node == NodeKind::True ? ephemeris::NodeKind::True
                                                            : ephemeris::NodeKind::Mean);
    if (found.status == ephemeris::Status::Error)
        return {std::nullopt, "the precise positions could not be computed: " + found.message};
    SkyChart sky;
    sky.moment = m;
    sky.positions = source.choice;
    if (found.status == ephemeris::Status::Fallback) {
        sky.note =
            "The Swiss Ephemeris files were not found; these positions come from its less "
            "precise built-in theory.";
    }
    const PreciseBodies bodies = PreciseChartBodies(found);
    FinishSky(sky, bodies.longitudes, bodies.retrograde, kMaxBodyCount);
    return {std::move(sky), {}};
}

}  // namespace

std::optional<SkyMoment> ParseSkyMoment(std::string_view text) {
    // YYYY-MM-DDTHH:MM
    if (text.size() != 16 || text[4] != '-' || text[7] != '-' || text[10] != 'T' || text[13] != ':')
        return std::nullopt;
    const auto y = Digits(text.substr(0, 4), 4), mo = Digits(text.substr(5, 2), 2),
               d = Digits(text.substr(8, 2), 2), h = Digits(text.substr(11, 2), 2),
               mi = Digits(text.substr(14, 2), 2);
    if (!y || !mo || !d || !h || !mi) return std::nullopt;
    if (*mo < 1 || *mo > 12 || *d < 1 || *d > DaysInMonth(*y, *mo) || *h > 23 || *mi > 59)
        return std::nullopt;
    return SkyMoment{*y, *mo, *d, *h, *mi};
}

std::string SkyMomentText(const SkyMoment& m) {
    std::string year = std::to_string(m.year);
    while (year.size() < 4) year.insert(year.begin(), '0');
    return year + "-" + TwoDigits(m.month) + "-" + TwoDigits(m.day) + "T" + TwoDigits(m.hour) +
           ":" + TwoDigits(m.minute);
}

SkyResult ComputeSky(const SkyMoment& moment, const PositionsSource& source) {
    return source.choice.precise() ? PreciseSky(moment, source) : ClassicSky(moment);
}

}  // namespace velloran
