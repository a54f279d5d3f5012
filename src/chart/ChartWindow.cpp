// The chart window's load handler: header lines and the initial arrangement.

#include <string>

#include "chart/ChartFill.h"
#include "domain/Bodies.h"

namespace velloran {

const MonthNames& EnglishMonthNames() {
    static const MonthNames names = [] {
        MonthNames english;
        for (int m = 0; m < kMonthCount; ++m) english[m] = kEnglishMonthNames[m];
        return english;
    }();
    return names;
}

std::string DateOfBirthLine(const BirthData& birth, const MonthNames& months) {
    std::string month = birth.Month >= 1 && birth.Month <= 12 ? months[birth.Month - 1] : "";
    return "Date of Birth: " + month + " " + std::to_string(birth.Day) + ", " +
           std::to_string(birth.Year);
}

std::string TimeOfBirthLine(const BirthData& birth) {
    return "Time of Birth: " + std::to_string(birth.Hour) + " Hour " +
           std::to_string(birth.Minute) + " Minute";
}

void LoadChartWindow(const BirthData& birth, const MonthNames& months, ChartWindowModel& window) {
    window.lblName = "Name: " + birth.Name;
    window.lblDOB = DateOfBirthLine(birth, months);
    window.lblTOB = TimeOfBirthLine(birth);
    window.lblLatitude = "Latitude: " + std::to_string(birth.LatDeg) + " Degree " +
                         std::to_string(birth.LatMin) + " Minute";
    window.lblLongitude = "Longitude: " + std::to_string(birth.LonDeg) + " Degree " +
                          std::to_string(birth.LonMin) + " Minute";
    window.lblCity = "City: " + birth.City;
    window.lblState = "State: " + birth.State;
    window.lblCountry = "Country: " + birth.Country;
    window.legendsVisible = false;
    window.natalFrameLeft = kFrameLeftSingle;
    window.frameInFront = PositionFrame::Draconic;
}

}  // namespace velloran
