#pragma once
// What the command line's text and JSON reports of a reading share: the position text each
// chart's report shows, the bodies of a house and the retrograde planets.

#include <string>
#include <vector>

#include "chart/ChartModel.h"
#include "reading/Reading.h"

namespace velloran::report {

// The natal chart's compact position, the draconic chart's long one.
std::string ReportPosition(const BodyPlace& place, ChartKind kind);
// The wheel names of the bodies in house 1..12, in chart order, with their retrograde marks as
// the wheel shows them.
std::vector<std::string> HouseBodies(const WheelHouses& wheel, int house);
// The titles of the natal chart's retrograde bodies, in chart order.
std::vector<std::string> RetrogradePlanets(const Reading& reading);

}  // namespace velloran::report
