#pragma once
// Named births the tests share, as the birth-data form holds them.

#include <string_view>

#include "domain/ZoneTable.h"
#include "input/FormInput.h"

namespace velloran::test {

// The zone list position of a zone label, -1 when the list has no such zone.
inline int ZoneIndexOf(std::string_view label) {
    for (int z = 0; z < kZoneCount; ++z) {
        if (ZoneLabel(z) == label) return z;
    }
    return -1;
}

// The known birth of the screenshots and the drive scripts: Ann Example, 15 January 1980, 10:30,
// Eastern Standard Time, no daylight saving, New York, NY, USA, 40° 43' North, 74° 0' West.
inline FormInput KnownBirthForm() {
    FormInput f;
    f.name = "Ann Example";
    f.monthIndex = 0, f.dayIndex = 14, f.yearIndex = 1980 - kFirstYear;
    f.hourIndex = 10, f.minuteIndex = 30;
    f.zoneIndex = ZoneIndexOf("Eastern Standard Time,EST,-5.0");
    f.daylightSaving = 0;
    f.city = "New York", f.state = "NY", f.country = "USA";
    f.latitudeDegrees = "40", f.latitudeMinutes = "43";
    f.longitudeDegrees = "74", f.longitudeMinutes = "0";
    f.latitudeHemisphere = 0;   // North
    f.longitudeHemisphere = 1;  // West
    return f;
}

// Ann Example, 5 March 1980, 07:05, zone list position 12, Pune, Maharashtra, India, 18° 31'
// North, 73° 51' East.
inline FormInput PuneBirthForm() {
    FormInput f;
    f.name = "Ann Example";
    f.monthIndex = 2, f.dayIndex = 4, f.yearIndex = 1980 - kFirstYear;
    f.hourIndex = 7, f.minuteIndex = 5;
    f.zoneIndex = 12;
    f.city = "Pune", f.state = "Maharashtra", f.country = "India";
    f.latitudeDegrees = "18", f.latitudeMinutes = "31";
    f.longitudeDegrees = "73", f.longitudeMinutes = "51";
    return f;
}

}  // namespace velloran::test
