// The chart window's model and the texts of a chart, made from a reading.

#include "chart/ChartWindow.h"

#include <cmath>

#include "astro/TimeScales.h"
#include "domain/PositionsChoice.h"
#include "domain/ZoneTable.h"

namespace velloran {

namespace {

constexpr const char* kCrLf = "\r\n";

void FillColumn(PositionColumn& column, const Chart& chart, bool houses) {
    column = PositionColumn{};
    for (int k = 0; k < chart.bodyCount; ++k) {
        column.cells[k] = CompactPosition(chart.bodies[k]);
        if (houses) column.houses[k] = chart.bodies[k].house;
    }
}

// "Time Zone: Eastern Standard Time", with "+ DST" when the daylight-saving box took an hour off.
std::string ZoneLine(const BirthInput& input) {
    std::string line = "Time Zone: " + std::string(ZoneRowAt(input.zoneIndex).name);
    if (input.birth.DaylightSaving) line += " + DST";
    return line;
}

}  // namespace

BirthLines MakeBirthLines(const BirthData& birth, const MonthNames& months) {
    const std::string month = birth.Month >= 1 && birth.Month <= 12 ? months[birth.Month - 1] : "";
    BirthLines lines;
    lines.name = "Name: " + birth.Name;
    lines.dateOfBirth = "Date of Birth: " + month + " " + std::to_string(birth.Day) + ", " +
                        std::to_string(birth.Year);
    lines.timeOfBirth = "Time of Birth: " + std::to_string(birth.Hour) + " Hour " +
                        std::to_string(birth.Minute) + " Minute";
    lines.latitude = "Latitude: " + std::to_string(birth.LatDeg) + " Degree " +
                     std::to_string(birth.LatMin) + " Minute";
    lines.longitude = "Longitude: " + std::to_string(birth.LonDeg) + " Degree " +
                      std::to_string(birth.LonMin) + " Minute";
    lines.city = "City: " + birth.City;
    lines.state = "State: " + birth.State;
    lines.country = "Country: " + birth.Country;
    return lines;
}

std::string LongPosition(const BodyPlace& place) {
    return std::isfinite(place.longitude) ? FormatSignPosition(place.longitude) : std::string();
}

std::string CompactPosition(const BodyPlace& place) { return CompactPosition(place.longitude); }

WheelHouses MakeWheelHouses(const Chart& chart, BodyNaming naming) {
    WheelHouses wheel;
    wheel.naming = naming;
    for (int k = 0; k < chart.bodyCount; ++k) {
        const BodyPlace& place = chart.bodies[k];
        wheel.retrograde[k] = place.retrograde;
        if (place.house >= 1 && place.house <= kSignCount)
            wheel.bodies[place.house - 1].push_back(static_cast<ChartBody>(k));
    }
    if (chart[ChartBody::Ascendant].sign >= 0) {
        for (int h = 0; h < kSignCount; ++h) wheel.signPictures[h] = chart.houseSigns[h] + 1;
    }
    return wheel;
}

std::string WheelBodyName(const WheelHouses& wheel, ChartBody body) {
    const int k = static_cast<int>(body);
    const std::string_view name =
        wheel.naming == BodyNaming::Labels ? kBodyLabels[k] : kBodyNames[k];
    return MarkedName(name, wheel.retrograde[k]);
}

std::string HouseText(const WheelHouses& wheel, int house) {
    std::string text;
    for (const ChartBody body : wheel.bodies[house - 1]) {
        text += kCrLf;
        text += WheelBodyName(wheel, body);
    }
    return text;
}

ChartWindowModel MakeChartWindow(const Reading& reading, ChartView view, const MonthNames& months,
                                 const InnerChart* inner) {
    ChartWindowModel window;
    const BirthLines lines = MakeBirthLines(reading.birth(), months);
    window.lblName = lines.name;
    window.lblDOB = lines.dateOfBirth;
    window.lblTOB = lines.timeOfBirth;
    window.lblZone = ZoneLine(reading.input);
    window.lblLatitude = lines.latitude + (reading.birth().LatSouth ? " South" : " North");
    window.lblLongitude = lines.longitude + (reading.birth().LongEast ? " East" : " West");
    window.lblCity = lines.city;
    window.lblState = lines.state;
    window.lblCountry = lines.country;
    if (reading.positions.precise()) {
        window.positionsLine = PositionsLine(reading.positions, reading.housesNote);
        window.positionsNote = reading.note;
    }
    window.bodyRows = reading.natal.bodyCount;
    window.houseNumbers = reading.positions.precise();

    FillColumn(window.natalColumn, reading.natal, window.houseNumbers);
    FillColumn(window.draconicColumn, reading.draconic, window.houseNumbers);
    window.outerRing = MakeWheelHouses(reading.draconic, BodyNaming::Labels);
    window.innerRing = MakeWheelHouses(reading.natal, BodyNaming::Labels);

    switch (view) {
        case ChartView::Natal:
            window.lblType = "Natal";
            window.frameInFront = PositionFrame::Natal;
            window.singleWheel = MakeWheelHouses(reading.natal, BodyNaming::WheelNames);
            window.singleWheelColor = kBlack;
            break;
        case ChartView::Draconic:
            window.lblType = "Draconian";
            window.frameInFront = PositionFrame::Draconic;
            window.singleWheel = MakeWheelHouses(reading.draconic, BodyNaming::WheelNames);
            window.singleWheelColor = kBlue;
            break;
        case ChartView::Comparison:
            window.lblType = "Comparison";
            window.frameInFront = PositionFrame::Draconic;
            window.singleWheel = MakeWheelHouses(reading.draconic, BodyNaming::WheelNames);
            window.singleWheelColor = kBlue;
            window.framesBeside = true;
            window.pictureInFront = ChartPicture::Comparison;
            window.legendsVisible = true;
            if (inner != nullptr) {
                window.innerRing = MakeWheelHouses(inner->chart, BodyNaming::Labels);
                // A chart without an ascendant (the sky) has its houses from Aries: show those
                // signs.
                for (int h = 0; h < kSignCount; ++h)
                    window.innerRing.signPictures[h] = inner->chart.houseSigns[h] + 1;
                FillColumn(window.natalColumn, inner->chart, window.houseNumbers);
                window.innerLegend = inner->legend;
                window.natalColumnCaption = inner->columnCaption;
            }
            break;
    }
    return window;
}

}  // namespace velloran
