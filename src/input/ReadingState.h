#pragma once
// The state of the current reading: birth data, zone texts, pass flag and every engine and chart
// output. One value of this type is the whole reading; core functions take it by reference.

#include <array>
#include <cstdint>
#include <string>

namespace velloran {

// Bodies in fixed chart order; the value is the index into every position and name list.
enum class ChartBody : int {
    Sun = 0,
    Moon,
    Mercury,
    Venus,
    Mars,
    Jupiter,
    Saturn,
    NorthNode,
    SouthNode,
    Ascendant
};
inline constexpr int kBodyCount = 10;

enum class ChartKind : int { Natal = 0, Draconic = 1 };

// Birth record copied from the form. Numbers are 16-bit as the form and the file hold them;
// degrees and minutes carry no sign (the hemisphere is in LongEast / LatSouth).
struct BirthData {
    std::string Name;
    int16_t Month = 0;        // 1 = January .. 12
    int16_t Day = 0;          // 1..31
    int16_t Year = 0;         // 1905..2050 from the form
    int16_t Hour = 0;         // local clock time, 0..23
    int16_t Minute = 0;       // 0..59
    int16_t ZoneHours = 0;    // magnitude of the zone's whole hours, 0..13
    int16_t ZoneMinutes = 0;  // magnitude of the zone's extra minutes, 0 or 30
    int16_t LonDeg = 0;
    int16_t LonMin = 0;
    int16_t LatDeg = 0;
    int16_t LatMin = 0;
    bool LongEast = false;
    bool LatSouth = false;
    bool DaylightSaving = false;
    std::string City;
    std::string State;
    std::string Country;

    bool operator==(const BirthData&) const = default;
};

// Lists keep one unused slot beyond their entries, as the name tables always have.
using BodyTextList = std::array<std::string, 11>;
using SignTextList = std::array<std::string, 13>;

struct ReadingState {
    BirthData Birth;
    std::string ZoneHoursToUT;  // signed whole hours to add to local time to reach UT ("5", "-10")
    std::string ZoneMinutesToUT;  // signed minutes to add as well ("0", "30", "-30")
    bool DraconicPass = false;    // false: natal pass in progress, true: draconic pass

    // Name tables, refilled by every position pass; BodyNames / BodyLabels carry retrograde marks.
    SignTextList SignAbbrevs;
    BodyTextList BodyNames;
    BodyTextList BodyLabels;
    BodyTextList WesternBodyNames;
    // Which bodies the retrograde marking found retrograde (only Mercury..Saturn can be), in
    // ChartBody order: the marks that BodyNames and BodyLabels carry as text.
    std::array<bool, kBodyCount> Retrograde{};

    // Natal pass: compact texts ("05 Ari 07"). Draconic pass: decimal longitudes, which the
    // draconic fill then replaces by long-form texts measured from the North Node.
    BodyTextList NatalPositions;
    BodyTextList DraconicPositions;

    std::string NatalAscendantText;   // long form, natal passes only
    double AscendantLongitude = 0.0;  // degrees [0, 360), draconic passes only
    std::string MoonPositionText;     // long form, every pass
    double MoonLongitude = 0.0;       // degrees [0, 360], draconic passes only

    // Universal time of birth used by the last pass, decimal hours from 0h of the local calendar
    // date (may lie outside 0..24), and the planets' day number from J2000.0.
    double UniversalTimeHours = 0.0;
    double DayNumber = 0.0;
    // Raw longitudes of the last pass of each kind, degrees, ChartBody order (for reports).
    std::array<double, kBodyCount> NatalLongitudes{};
    std::array<double, kBodyCount> DraconicRawLongitudes{};
    // Draconic longitudes measured from the North Node by the draconic fill, degrees [0, 360).
    std::array<double, kBodyCount> DraconicLongitudes{};

    // House texts of both charts: 0..11 draconic houses 1..12, 12..23 natal houses 1..12.
    std::array<std::string, 24> WheelHouseTexts;

    std::string LastFileName;  // shared by the reading save and the text export
};

}  // namespace velloran
