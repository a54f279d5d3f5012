// Copying the birth-data form into the reading state (kept apart from the passes so the file
// commands can use it without the engine).

#include <cmath>
#include <cstdlib>

#include "astro/TimeScales.h"
#include "domain/ZoneTable.h"
#include "input/FormCopy.h"
#include "input/TextRules.h"

namespace velloran {

namespace {

// A field whose text does not convert keeps its previous value.
void CopyWholeNumber(const std::string& text, int16_t& field) {
    if (auto value = WholeNumberOf(text)) field = *value;
}

// The zone texts are read as the engine reads them (the table holds whole numbers only).
void CopyZone(int position, ReadingState& state) {
    if (position < 0 || position >= kZoneSlots) return;
    const ZoneTables& zones = TimeZones();
    int hours = 0, minutes = 0;
    if (!ParseZoneInteger(zones.ZoneHoursTable[position], &hours) ||
        !ParseZoneInteger(zones.ZoneMinutesTable[position], &minutes)) {
        return;  // the empty slot 71
    }
    state.Birth.ZoneHours = static_cast<int16_t>(std::abs(hours));
    state.Birth.ZoneMinutes = static_cast<int16_t>(std::abs(minutes));
    state.ZoneHoursToUT = zones.ZoneHoursTable[position];
    state.ZoneMinutesToUT = zones.ZoneMinutesTable[position];
}

}  // namespace

void CopyFormToState(const FormInput& form, ReadingState& state) {
    BirthData& b = state.Birth;
    b.Name = TrimBlanks(form.name);
    b.Month = static_cast<int16_t>(form.monthIndex + 1);
    CopyWholeNumber(DayListText(form.dayIndex), b.Day);
    CopyWholeNumber(YearListText(form.yearIndex), b.Year);
    CopyWholeNumber(HourListText(form.hourIndex), b.Hour);
    CopyWholeNumber(MinuteListText(form.minuteIndex), b.Minute);
    CopyZone(form.zoneIndex, state);
    CopyWholeNumber(form.longitudeDegrees, b.LonDeg);
    CopyWholeNumber(form.longitudeMinutes, b.LonMin);
    CopyWholeNumber(form.latitudeDegrees, b.LatDeg);
    CopyWholeNumber(form.latitudeMinutes, b.LatMin);
    b.LongEast = form.longitudeHemisphere == 0;
    b.LatSouth = form.latitudeHemisphere == 1;
    b.DaylightSaving = form.daylightSaving != 0;
    b.City = TrimBlanks(form.city);
    b.State = TrimBlanks(form.state);
    b.Country = TrimBlanks(form.country);
}

}  // namespace velloran
