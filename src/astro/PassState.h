#pragma once
// What a calculation pass reads and writes: the birth, the zone texts, the pass flag, and the
// engine's outputs of the last pass of each kind.

#include <array>
#include <string>

#include "domain/BirthData.h"
#include "domain/Bodies.h"

namespace velloran {

// Lists keep one unused slot beyond their entries, as the name tables always have. A classic
// pass uses the first kBodyCount entries; a precise reading also the modern bodies'.
using BodyTextList = std::array<std::string, kMaxBodyCount + 1>;
using SignTextList = std::array<std::string, 13>;

struct PassState {
    BirthData Birth;
    std::string ZoneHoursToUT;  // signed whole hours to add to local time to reach UT ("5", "-10")
    std::string ZoneMinutesToUT;  // signed minutes to add as well ("0", "30", "-30")
    bool DraconicPass = false;    // false: natal pass in progress, true: draconic pass

    // Name tables, refilled by every position pass; BodyNames / BodyLabels carry retrograde marks.
    SignTextList SignAbbrevs;
    BodyTextList BodyNames;
    BodyTextList BodyLabels;
    BodyTextList WesternBodyNames;
    // Which bodies the retrograde marking found retrograde (classic: only Mercury..Saturn can
    // be), in ChartBody order: the marks that BodyNames and BodyLabels carry as text.
    std::array<bool, kMaxBodyCount> Retrograde{};

    // Natal pass: compact texts ("05 Ari 07"). Draconic pass: decimal longitudes, which the
    // draconic fill then replaces by long-form texts measured from the North Node.
    BodyTextList NatalPositions;
    BodyTextList DraconicPositions;

    // Sign 0..11 each natal position text names, -1 none; written with the text.
    std::array<int, kMaxBodyCount> NatalSigns{-1, -1, -1, -1, -1, -1, -1,
                                              -1, -1, -1, -1, -1, -1, -1};

    std::string NatalAscendantText;   // long form, natal passes only
    int NatalAscendantSign = -1;      // the sign that text names, -1 none
    double AscendantLongitude = 0.0;  // degrees [0, 360), draconic passes only
    std::string MoonPositionText;     // long form, every pass
    int MoonSign = -1;                // the sign that text names, -1 none
    double MoonLongitude = 0.0;       // degrees [0, 360], draconic passes only

    // Universal time of birth used by the last pass, decimal hours from 0h of the local calendar
    // date (may lie outside 0..24), and the planets' day number from J2000.0.
    double UniversalTimeHours = 0.0;
    double DayNumber = 0.0;
    // Raw longitudes of the last pass of each kind, degrees, ChartBody order (for reports).
    std::array<double, kMaxBodyCount> NatalLongitudes{};
    std::array<double, kMaxBodyCount> DraconicRawLongitudes{};
};

}  // namespace velloran
