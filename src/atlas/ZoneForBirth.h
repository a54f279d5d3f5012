#pragma once
// The form's zone row and daylight-saving box for a birth at a place: whatever is picked gives
// the legal UTC offset of that moment (the row's offset, plus one hour with the box ticked).

#include <optional>
#include <string>

#include "atlas/LegalTime.h"
#include "atlas/Place.h"

namespace velloran {

// A local clock reading at the place (proleptic Gregorian calendar).
struct LocalMoment {
    int year = 0;
    int month = 1;  // 1..12
    int day = 1;
    int hour = 0;
    int minute = 0;
};

enum class ZoneFit {
    Row,          // zoneIndex and daylightSaving hold the choice
    NoRow,        // no row gives the legal offset (Kathmandu, Amsterdam before 1940)
    Skipped,      // the local time never happened: the clocks jumped over it
    Ambiguous,    // the local time happened twice: the clocks went back over it
    UnknownZone,  // the place's zone id is not known to the legal-time source
};

struct ZoneRowChoice {
    int zoneIndex = -1;  // 0..70 in the zone table
    bool daylightSaving = false;
};

struct ZoneChoice {
    ZoneFit fit = ZoneFit::UnknownZone;
    int zoneIndex = -1;  // with ZoneFit::Row only
    bool daylightSaving = false;
    // The legal time then; for Ambiguous the earlier of the two readings, for Skipped the time
    // before the jump.
    LegalTime legal;
    // Ambiguous: the later reading; Skipped: the time after the jump.
    std::optional<LegalTime> other;
};

// The row and box for a legal time: the standard offset's row (box ticked for one hour of
// daylight saving), else the whole offset's row; nothing when no row has the offset.
std::optional<ZoneRowChoice> RowForLegalTime(const LegalTime& legal);

ZoneChoice ZoneForBirth(const Place& place, const LocalMoment& moment,
                        const LegalTimeSource& source);

// "UTC+0", "UTC−5" (with a minus sign), "UTC+5:45", "UTC+1:19:32".
std::string FormatUtcOffset(int seconds);

// "15 January 1980 10:30".
std::string FormatLocalMoment(const LocalMoment& moment);

// Why the choice sets no row, naming the offsets and the rows to choose from; empty for a row.
std::string ZoneChoiceNote(const ZoneChoice& choice, const Place& place, const LocalMoment& moment);

// The zone table's name of a row ("Eastern Standard Time") and its abbreviation ("EST").
std::string ZoneRowName(int zoneIndex);
std::string ZoneRowAbbreviation(int zoneIndex);
// The row's offset from UTC in seconds, east positive.
int ZoneRowOffsetSeconds(int zoneIndex);

}  // namespace velloran
