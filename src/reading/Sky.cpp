#include "reading/Sky.h"

#include <cmath>
#include <limits>
#include <memory>

#include "astro/Engine.h"
#include "astro/TimeScales.h"
#include "domain/BirthData.h"
#include "domain/Calendar.h"
#include "domain/SignPosition.h"
#include "domain/Text.h"
#include "ephemeris/SwissEphemeris.h"
#include "reading/Precise.h"
#include "retro/Retrogrades.h"

namespace velloran {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Signs and houses from Aries (a sky has no ascendant and no midheaven).
template <std::size_t N>
void FinishSky(SkyChart& sky, const std::array<double, N>& lon,
               const std::array<bool, N>& retrograde, int count) {
    sky.chart = Chart{};
    sky.chart.bodyCount = count;
    for (int k = 0; k < count; ++k) {
        const double x = IsAngle(static_cast<ChartBody>(k)) ? kNaN : lon[k];
        BodyPlace& place = sky.chart.bodies[k];
        place.longitude = x;
        place.sign = std::isfinite(x) ? SignOfLongitude(x) : -1;
        place.house = place.sign >= 0 ? place.sign + 1 : 0;
        place.retrograde = retrograde[k];
    }
}

SkyResult ClassicSky(const SkyMoment& m) {
    if (m.year < kFirstYear || m.year > kLastYear) {
        return {std::nullopt, "the classic positions cover the years " +
                                  std::to_string(kFirstYear) + " to " + std::to_string(kLastYear) +
                                  "; choose a moment within them or the precise positions"};
    }
    // The engine computes a birth: the moment as a birth at universal time, at 0° 0'.
    BirthData b;
    b.Year = static_cast<int16_t>(m.year);
    b.Month = static_cast<int16_t>(m.month);
    b.Day = static_cast<int16_t>(m.day);
    b.Hour = static_cast<int16_t>(m.hour);
    b.Minute = static_cast<int16_t>(m.minute);
    const std::optional<ClassicPositions> positions = ComputeClassicPositions(b, 0);
    if (!positions)
        return {std::nullopt, "the classic positions could not be computed for this moment"};
    SkyChart sky;
    sky.moment = m;
    sky.positions = PositionsChoice{};
    FinishSky(sky, positions->longitudes, RetrogradeBodies(b.Year, b.Month, b.Day), kBodyCount);
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
        sky.note = MissingFilesNote(found);
    }
    const PreciseBodies bodies = PreciseChartBodies(found);
    FinishSky(sky, bodies.longitudes, bodies.retrograde, kPreciseBodyCount);
    return {std::move(sky), {}};
}

}  // namespace

std::optional<SkyMoment> ParseSkyMoment(std::string_view text) {
    // YYYY-MM-DDTHH:MM
    if (text.size() != 16 || text[4] != '-' || text[7] != '-' || text[10] != 'T' || text[13] != ':')
        return std::nullopt;
    const auto y = DecimalDigits(text.substr(0, 4)), mo = DecimalDigits(text.substr(5, 2)),
               d = DecimalDigits(text.substr(8, 2)), h = DecimalDigits(text.substr(11, 2)),
               mi = DecimalDigits(text.substr(14, 2));
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
