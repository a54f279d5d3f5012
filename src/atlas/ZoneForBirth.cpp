#include "atlas/ZoneForBirth.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "domain/Bodies.h"
#include "domain/Text.h"
#include "domain/ZoneTable.h"

namespace velloran {

namespace {

constexpr int kHourSeconds = 3600;
constexpr std::int64_t kDaySeconds = 86400;

// Days from 1970-01-01 to the civil date (Howard Hinnant's days_from_civil).
std::int64_t DaysFromCivil(int year, int month, int day) {
    const std::int64_t y = year - (month <= 2 ? 1 : 0);
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yoe = y - era * 400;
    const std::int64_t doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

// The row with the offset whose abbreviation is the first of `abbreviations` that names one,
// else the first row with the offset.
std::optional<int> RowWithOffset(int offsetSeconds, const std::vector<std::string>& abbreviations) {
    for (const std::string& abbreviation : abbreviations) {
        for (int z = 0; z < kZoneCount; ++z) {
            if (ZoneRowOffsetSeconds(z) == offsetSeconds && ZoneRowAbbreviation(z) == abbreviation)
                return z;
        }
    }
    for (int z = 0; z < kZoneCount; ++z) {
        if (ZoneRowOffsetSeconds(z) == offsetSeconds) return z;
    }
    return std::nullopt;
}

std::string RowDescription(const ZoneRowChoice& row) {
    std::string text = "\"";
    text += ZoneRowName(row.zoneIndex);
    text += row.daylightSaving ? "\" with daylight saving" : "\" without daylight saving";
    return text;
}

// "UTC−4 (EDT), zone "Eastern Standard Time" with daylight saving".
std::string Reading(const LegalTime& legal) {
    std::string text = FormatUtcOffset(legal.utcOffsetSeconds);
    if (!legal.abbreviation.empty()) text += " (" + legal.abbreviation + ")";
    if (auto row = RowForLegalTime(legal)) text.append(", zone ").append(RowDescription(*row));
    return text;
}

}  // namespace

std::string ZoneRowName(int zoneIndex) { return std::string(ZoneRowAt(zoneIndex).name); }
std::string ZoneRowAbbreviation(int zoneIndex) {
    return std::string(ZoneRowAt(zoneIndex).abbreviation);
}

int ZoneRowOffsetSeconds(int zoneIndex) { return ZoneRowAt(zoneIndex).offsetSeconds; }

std::optional<ZoneRowChoice> RowForLegalTime(const LegalTime& legal) {
    const int daylight = legal.utcOffsetSeconds - legal.standardOffsetSeconds;
    const bool oneHourOrNone = legal.daylightSaving ? daylight == kHourSeconds : daylight == 0;
    if (oneHourOrNone) {
        if (auto z = RowWithOffset(legal.standardOffsetSeconds, legal.standardAbbreviations)) {
            return ZoneRowChoice{*z, legal.daylightSaving};
        }
    }
    if (auto z = RowWithOffset(legal.utcOffsetSeconds, {legal.abbreviation})) {
        return ZoneRowChoice{*z, false};
    }
    return std::nullopt;
}

ZoneChoice ZoneForBirth(const Place& place, const LocalMoment& moment,
                        const LegalTimeSource& source) {
    ZoneChoice choice;
    // The clock reading as if it were UTC; each offset in force near it is a candidate reading.
    const std::int64_t local = DaysFromCivil(moment.year, moment.month, moment.day) * kDaySeconds +
                               moment.hour * kHourSeconds + moment.minute * 60;
    const auto before = source.At(place.timezone, local - kDaySeconds);
    const auto after = source.At(place.timezone, local + kDaySeconds);
    const auto near = source.At(place.timezone, local);
    if (!before || !after || !near) return choice;

    std::vector<LegalTime> readings;  // earliest instant first
    std::vector<int> tried;
    for (const LegalTime* candidate : {&before.value(), &near.value(), &after.value()}) {
        const int offset = candidate->utcOffsetSeconds;
        if (std::find(tried.begin(), tried.end(), offset) != tried.end()) continue;
        tried.push_back(offset);
        auto legal = source.At(place.timezone, local - offset);
        if (legal && legal->utcOffsetSeconds == offset) readings.push_back(*legal);
    }
    std::sort(readings.begin(), readings.end(), [](const LegalTime& a, const LegalTime& b) {
        return a.utcOffsetSeconds > b.utcOffsetSeconds;
    });

    if (readings.empty()) {
        choice.fit = ZoneFit::Skipped;
        choice.legal = *before;
        choice.other = *after;
        return choice;
    }
    choice.legal = readings.front();
    if (readings.size() > 1) {
        choice.fit = ZoneFit::Ambiguous;
        choice.other = readings.back();
        return choice;
    }
    if (auto row = RowForLegalTime(choice.legal)) {
        choice.fit = ZoneFit::Row;
        choice.zoneIndex = row->zoneIndex;
        choice.daylightSaving = row->daylightSaving;
    } else {
        choice.fit = ZoneFit::NoRow;
    }
    return choice;
}

std::string FormatUtcOffset(int seconds) {
    std::string text = seconds < 0 ? "UTC\u2212" : "UTC+";
    const int magnitude = std::abs(seconds);
    text += std::to_string(magnitude / kHourSeconds);
    const int minutes = magnitude % kHourSeconds / 60;
    const int secs = magnitude % 60;
    if (minutes != 0 || secs != 0) text.append(":").append(TwoDigits(minutes));
    if (secs != 0) text.append(":").append(TwoDigits(secs));
    return text;
}

std::string FormatLocalMoment(const LocalMoment& m) {
    const std::string_view month =
        m.month >= 1 && m.month <= 12 ? kEnglishMonthNames[m.month - 1] : "?";
    return std::to_string(m.day) + " " + std::string(month) + " " + std::to_string(m.year) + " " +
           TwoDigits(m.hour) + ":" + TwoDigits(m.minute);
}

std::string ZoneChoiceNote(const ZoneChoice& choice, const Place& place,
                           const LocalMoment& moment) {
    const std::string when = FormatLocalMoment(moment);
    const std::string where = place.name + " (" + place.timezone + ")";
    switch (choice.fit) {
        case ZoneFit::Row:
            return {};
        case ZoneFit::UnknownZone:
            return "The time zone " + place.timezone + " of " + place.name + " is not known.";
        case ZoneFit::NoRow:
            return "No zone in the list has the legal time of " + where + " on " + when + ": " +
                   FormatUtcOffset(choice.legal.utcOffsetSeconds) +
                   (choice.legal.abbreviation.empty() ? ""
                                                      : " (" + choice.legal.abbreviation + ")") +
                   ". Choose a zone by hand, or give the time in universal time with "
                   "\"Universal Time\".";
        case ZoneFit::Skipped:
            return when + " did not happen in " + where + ": the clocks went from " +
                   Reading(choice.legal) + " to " + Reading(*choice.other) +
                   ". Check the birth time, then choose one of them.";
        case ZoneFit::Ambiguous:
            return when + " happened twice in " + where + ": first at " + Reading(choice.legal) +
                   ", then at " + Reading(*choice.other) + ". Choose the one that applies.";
    }
    return {};
}

}  // namespace velloran
