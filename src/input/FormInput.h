#pragma once
// What the birth-data form holds, as plain values, so the core can validate and copy it without
// any widget. Fields speak of the birth; the controls that hold them keep their own names
// (txtName, cboMonth, ...) as object names and focus targets (FormControl).

#include <string>

#include "domain/BirthData.h"

namespace velloran {

// Most characters the name, city, state and country boxes take: at the longest stored form of a
// character (eight bytes) the four still fit the 64 KiB a saved reading may have.
inline constexpr int kMaxTextLength = 2000;

struct FormInput {
    std::string name;
    int monthIndex = 0;      // selected position, 0 = January; -1 = none
    int dayIndex = 0;        // selected position, day = position + 1; -1 = none
    int yearIndex = 0;       // selected position, year = 1905 + position; -1 = none
    int hourIndex = 0;       // selected position = hour; -1 = none
    int minuteIndex = 0;     // selected position = minute; -1 = none
    int zoneIndex = 0;       // selected zone index 0..70; -1 = none
    int daylightSaving = 0;  // 0 cleared, 1 ticked, 2 grey
    std::string city, state, country;
    std::string latitudeDegrees, latitudeMinutes, longitudeDegrees, longitudeMinutes;
    int latitudeHemisphere = 0;   // 0 "North" selected, 1 "South" selected, -1 neither
    int longitudeHemisphere = 0;  // 0 "East" selected, 1 "West" selected, -1 neither

    bool operator==(const FormInput&) const = default;
};

// Texts of the day, year, hour and minute lists at a position ("" for no selection).
std::string DayListText(int position);
std::string YearListText(int position);
std::string HourListText(int position);
std::string MinuteListText(int position);

}  // namespace velloran
