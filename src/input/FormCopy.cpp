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
    b.Name = TrimBlanks(form.txtName);
    b.Month = static_cast<int16_t>(form.cboMonth + 1);
    CopyWholeNumber(DayListText(form.cboDate), b.Day);
    CopyWholeNumber(YearListText(form.cboYear), b.Year);
    CopyWholeNumber(HourListText(form.cboHour), b.Hour);
    CopyWholeNumber(MinuteListText(form.cboMinute), b.Minute);
    CopyZone(form.cboTimeZone, state);
    CopyWholeNumber(form.txtLonD, b.LonDeg);
    CopyWholeNumber(form.txtLonM, b.LonMin);
    CopyWholeNumber(form.txtLatD, b.LatDeg);
    CopyWholeNumber(form.txtLatM, b.LatMin);
    b.LongEast = form.optLongEast == 0;
    b.LatSouth = form.optLatSouth == 1;
    b.DaylightSaving = form.chkDST != 0;
    b.City = TrimBlanks(form.txtCity);
    b.State = TrimBlanks(form.txtState);
    b.Country = TrimBlanks(form.txtCountry);
}

}  // namespace velloran
