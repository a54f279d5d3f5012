#pragma once
// Gregorian calendar facts shared by the checks, the sky and the command line.

namespace velloran {

constexpr bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

// Days of month 1..12 of year (Gregorian); 0 for a month outside 1..12.
constexpr int DaysInMonth(int year, int month) {
    constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

}  // namespace velloran
