#pragma once
// Named births the tests share, as the birth-data form holds them.

#include <string_view>

#include "domain/BirthData.h"
#include "domain/ZoneTable.h"
#include "input/FormInput.h"

namespace velloran::test {

// The zone list position of a zone label, -1 when the list has no such zone.
inline int ZoneIndexOf(std::string_view label) {
    for (int z = 0; z < kZoneCount; ++z) {
        if (TimeZones().ZoneLabels[z] == label) return z;
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

// The Pune birth under another name, for a second person.
inline FormInput RaviBirthForm() {
    FormInput f = PuneBirthForm();
    f.name = "Ravi Example";
    return f;
}

// The Pune birth as a reading file holds it: the file keeps the zone as its list position
// (PuneBirthForm().zoneIndex), so ZoneHours and ZoneMinutes stay 0.
inline BirthData PuneBirth() {
    BirthData b;
    b.Name = "Ann Example";
    b.Month = 3, b.Day = 5, b.Year = 1980, b.Hour = 7, b.Minute = 5;
    b.LonDeg = 73, b.LonMin = 51, b.LatDeg = 18, b.LatMin = 31;
    b.LongEast = true, b.LatSouth = false, b.DaylightSaving = false;
    b.City = "Pune", b.State = "Maharashtra", b.Country = "India";
    return b;
}

// Ann, 5 March 1980, 07:05, Indian Time, no daylight saving, Delhi, Delhi, India, 28° 0' North,
// 77° 12' East: Mercury, Mars, Jupiter and Saturn were retrograde.
inline FormInput DelhiBirthForm() {
    FormInput f;
    f.name = "Ann";
    f.monthIndex = 2, f.dayIndex = 4, f.yearIndex = 1980 - kFirstYear;
    f.hourIndex = 7, f.minuteIndex = 5;
    f.zoneIndex = ZoneIndexOf("Indian Time, IST, +5.3");
    f.daylightSaving = 0;
    f.city = "Delhi", f.state = "Delhi", f.country = "India";
    f.latitudeDegrees = "28", f.latitudeMinutes = "0";
    f.longitudeDegrees = "77", f.longitudeMinutes = "12";
    f.latitudeHemisphere = 0;   // North
    f.longitudeHemisphere = 0;  // East
    return f;
}

// The Delhi birth as a reading file holds it (zone list position DelhiBirthForm().zoneIndex;
// ZoneHours and ZoneMinutes stay 0).
inline BirthData DelhiBirth() {
    BirthData b;
    b.Name = "Ann";
    b.Month = 3, b.Day = 5, b.Year = 1980, b.Hour = 7, b.Minute = 5;
    b.LonDeg = 77, b.LonMin = 12, b.LatDeg = 28, b.LatMin = 0;
    b.LongEast = true, b.LatSouth = false, b.DaylightSaving = false;
    b.City = "Delhi", b.State = "Delhi", b.Country = "India";
    return b;
}

// 5 February 1962, 00:00 Greenwich Mean Time, London, England, UK, 51° 30' North, 0° 7' West
// (the known birth's hemispheres): eight bodies in Aquarius, the natal fourth house (the Sun,
// Moon, Mercury, Venus, Mars, Jupiter and Saturn, with the South Node).
inline FormInput Aquarius1962Form() {
    FormInput f = KnownBirthForm();
    f.name = "Aquarius 1962";
    f.monthIndex = 1, f.dayIndex = 4, f.yearIndex = 1962 - kFirstYear;
    f.hourIndex = 0, f.minuteIndex = 0;
    f.zoneIndex = ZoneIndexOf("Greenwich Mean Time,GMT,0.0");
    f.city = "London", f.state = "England", f.country = "UK";
    f.latitudeDegrees = "51", f.latitudeMinutes = "30";
    f.longitudeDegrees = "0", f.longitudeMinutes = "7";
    return f;
}

}  // namespace velloran::test
