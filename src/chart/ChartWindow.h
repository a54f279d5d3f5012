#pragma once
// The chart window's model made from a reading, and the texts of a chart that the window, the
// export and the command-line report share: the birth lines, position texts and house texts.

#include <string>

#include "chart/ChartModel.h"
#include "domain/BirthData.h"
#include "domain/Chart.h"
#include "reading/Reading.h"

namespace velloran {

// The lines that describe a birth, as the chart window's header shows them: "Name: Ann",
// "Date of Birth: March 5, 1980", "Time of Birth: 7 Hour 5 Minute", "Latitude: 40 Degree 43
// Minute", "Longitude: 74 Degree 0 Minute", "City: ...", "State: ...", "Country: ...".
struct BirthLines {
    std::string name, dateOfBirth, timeOfBirth, latitude, longitude, city, state, country;
};
BirthLines MakeBirthLines(const BirthData& birth, const MonthNames& months);

// A body's position texts: the long form "5° 7' 12\" Ari" and the compact form "05 Ari 07";
// empty for a body without a finite longitude.
std::string LongPosition(const BodyPlace& place);
std::string CompactPosition(const BodyPlace& place);

// The houses of a chart as a wheel shows them, with the sign picture of each house when the chart
// has a rising sign.
WheelHouses MakeWheelHouses(const Chart& chart, BodyNaming naming);

// The name of a body as a wheel shows it (with its retrograde mark), and the text of house
// 1..12: a line break and a name for each body in it. Empty for a house without bodies.
std::string WheelBodyName(const WheelHouses& wheel, ChartBody body);
std::string HouseText(const WheelHouses& wheel, int house);

// Another chart standing in for the reading's natal chart on the comparison wheel's inner ring:
// its name in the inner ring's legend and the natal column's caption.
struct InnerChart {
    Chart chart;
    std::string legend;
    std::string columnCaption;
};

// The chart window's model of a reading in one view: the header from the birth, both position
// columns, the single wheel of the view's chart (natal or draconic; the draconic one for the
// comparison), the comparison wheel's rings (the draconic chart outside, inside the natal chart
// or inner when given) and the arrangement the view shows. No contact marks.
ChartWindowModel MakeChartWindow(const Reading& reading, ChartView view, const MonthNames& months,
                                 const InnerChart* inner = nullptr);

}  // namespace velloran
