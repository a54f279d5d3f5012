#pragma once
// What the birth-data form's controls hold, as plain values, so the core can validate and copy
// it without any widget.

#include <string>

namespace velloran {

inline constexpr int kFirstYear = 1905;
inline constexpr int kLastYear = 2050;
// Most characters the name, city, state and country boxes take: at the longest stored form of a
// character (eight bytes) the four still fit the 64 KiB a saved reading may have.
inline constexpr int kMaxTextLength = 2000;

struct FormInput {
    std::string txtName;
    int cboMonth = 0;     // selected position, 0 = January; -1 = none
    int cboDate = 0;      // selected position, day = position + 1; -1 = none
    int cboYear = 0;      // selected position, year = 1905 + position; -1 = none
    int cboHour = 0;      // selected position = hour; -1 = none
    int cboMinute = 0;    // selected position = minute; -1 = none
    int cboTimeZone = 0;  // selected zone index 0..70; -1 = none
    int chkDST = 0;       // 0 cleared, 1 ticked, 2 grey
    std::string txtCity, txtState, txtCountry;
    std::string txtLatD, txtLatM, txtLonD, txtLonM;
    int optLatSouth = 0;  // 0 "North" selected, 1 "South" selected, -1 neither
    int optLongEast = 0;  // 0 "East" selected, 1 "West" selected, -1 neither

    bool operator==(const FormInput&) const = default;
};

// Texts of the day, year, hour and minute lists at a position ("" for no selection).
std::string DayListText(int position);
std::string YearListText(int position);
std::string HourListText(int position);
std::string MinuteListText(int position);

}  // namespace velloran
