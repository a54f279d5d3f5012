// The birth-data form's values as the birth a calculation takes (kept apart from the engine so
// the file commands can use it too).

#include "input/FormCopy.h"

#include "domain/Text.h"
#include "domain/ZoneTable.h"
#include "input/TextRules.h"

namespace velloran {

namespace {

// The number a list shows at position (first, first + 1, ... up to last); 0 for no selection.
int16_t ListNumber(int position, int first, int last) {
    if (position < 0 || position > last - first) return 0;
    return static_cast<int16_t>(first + position);
}

int16_t TypedNumber(const std::string& text) { return WholeNumberOf(text).value_or(0); }

}  // namespace

BirthInput BirthFromForm(const FormInput& form) {
    BirthInput input;
    BirthData& b = input.birth;
    b.Name = TrimBlanks(form.name);
    b.Month = static_cast<int16_t>(form.monthIndex + 1);
    b.Day = ListNumber(form.dayIndex, 1, 31);
    b.Year = ListNumber(form.yearIndex, kFirstYear, kLastYear);
    b.Hour = ListNumber(form.hourIndex, 0, 23);
    b.Minute = ListNumber(form.minuteIndex, 0, 59);
    if (form.zoneIndex >= 0 && form.zoneIndex < kZoneCount) {
        const int minutesToUT = ZoneRowAt(form.zoneIndex).minutesToUT;
        input.zoneIndex = form.zoneIndex;
        input.zoneMinutesToUT = minutesToUT;
        b.ZoneHours = static_cast<int16_t>((minutesToUT < 0 ? -minutesToUT : minutesToUT) / 60);
        b.ZoneMinutes = static_cast<int16_t>((minutesToUT < 0 ? -minutesToUT : minutesToUT) % 60);
    }
    b.LonDeg = TypedNumber(form.longitudeDegrees);
    b.LonMin = TypedNumber(form.longitudeMinutes);
    b.LatDeg = TypedNumber(form.latitudeDegrees);
    b.LatMin = TypedNumber(form.latitudeMinutes);
    b.LongEast = form.longitudeHemisphere == 0;
    b.LatSouth = form.latitudeHemisphere == 1;
    b.DaylightSaving = form.daylightSaving != 0;
    b.City = TrimBlanks(form.city);
    b.State = TrimBlanks(form.state);
    b.Country = TrimBlanks(form.country);
    return input;
}

}  // namespace velloran
