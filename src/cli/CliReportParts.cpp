#include "cli/CliReportParts.h"

#include "chart/ChartWindow.h"
#include "domain/Bodies.h"

namespace velloran::report {

std::string ReportPosition(const BodyPlace& place, ChartKind kind) {
    return kind == ChartKind::Natal ? CompactPosition(place) : LongPosition(place);
}

std::vector<std::string> HouseBodies(const WheelHouses& wheel, int house) {
    std::vector<std::string> names;
    for (const ChartBody body : wheel.bodies[house - 1])
        names.emplace_back(WheelBodyName(wheel, body));
    return names;
}

std::vector<std::string> RetrogradePlanets(const Reading& reading) {
    std::vector<std::string> names;
    for (int k = 0; k < reading.natal.bodyCount; ++k) {
        if (reading.natal.bodies[k].retrograde) names.emplace_back(kBodyTitles[k]);
    }
    return names;
}

}  // namespace velloran::report
