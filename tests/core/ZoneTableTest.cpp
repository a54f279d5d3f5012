#include <gtest/gtest.h>

#include <string>

#include "RowName.h"
#include "domain/ZoneTable.h"
#include "support/ZoneList.h"

namespace velloran {
namespace {

using test::PrintTo;

struct ZoneRowCase {
    const char* rowName;
    int index;
    const char* label;
    const char* hours;
    const char* minutes;
};

class ZoneRowTest : public ::testing::TestWithParam<ZoneRowCase> {};

TEST_P(ZoneRowTest, RowHoldsLabelAndSignedTexts) {
    const ZoneRowCase& c = GetParam();
    const ZoneTables& zones = TimeZones();
    EXPECT_EQ(zones.ZoneLabels[c.index], c.label);
    EXPECT_EQ(zones.ZoneHoursTable[c.index], c.hours);
    EXPECT_EQ(zones.ZoneMinutesTable[c.index], c.minutes);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ZoneRowTest,
    ::testing::Values(
        ZoneRowCase{"first_alaska", 0, "Alaska/Hawaii Daylight Time,AHDT,-9.0", "9", "0"},
        ZoneRowCase{"acdt_half_hour_east", 5, "Australian Central Daylight Time,ACDT,+10.5", "-10",
                    "-30"},
        ZoneRowCase{"azores_blanks_after_commas", 11, "Azores Time, AT, -2.0", "2", "0"},
        ZoneRowCase{"greenwich", 29, "Greenwich Mean Time,GMT,0.0", "0", "0"},
        ZoneRowCase{"hawaiian_half_hour_west", 31, "Hawaiian Daylight Time,HDT,-9.5", "9", "30"},
        ZoneRowCase{"indian", 34, "Indian Time, IST, +5.3", "-5", "-30"},
        ZoneRowCase{"intl_apostrophe", 35, "Int'l Date Line East,IDLE,+12.0", "-12", "0"},
        ZoneRowCase{"nz_summer_plus_13", 46, "New Zealand Std Summer Time,NZST,+13.0", "-13", "0"},
        ZoneRowCase{"newfoundland", 50, "Newfoundland Standard Time,NST,-3.5", "3", "30"},
        ZoneRowCase{"south_australia_sad", 56, "South Australia Daylight Time,SAD,+10.5", "-10",
                    "-30"},
        ZoneRowCase{"south_australia_sdt", 57, "South Australia Daylight Time,SDT,+10.5", "-10",
                    "-30"},
        ZoneRowCase{"south_australia_sast", 58, "South Australia Standard Time,SAST,+9.5", "-9",
                    "-30"},
        ZoneRowCase{"south_australia_sat", 59, "South Australia Standard Time,SAT,+9.5", "-9",
                    "-30"},
        ZoneRowCase{"universal", 61, "Universal Time, UT, 0.0", "0", "0"},
        ZoneRowCase{"ussr_zone_10_sorted_as_text", 62, "USSR Zone 10,UZ10,+11.0", "-11", "0"},
        ZoneRowCase{"last_yukon", 70, "Yukon War Time,YWT,-8.0", "8", "0"},
        ZoneRowCase{"slot_71_empty", 71, "", "", ""}),
    [](const auto& info) { return std::string(info.param.rowName); });

// The shared tables and a load over used ones, row by row against the list written out by hand:
// the label and the two texts that carry its offset to the calculation (hours and minutes to add
// to local time to reach UT, the minutes with the hours' sign). The load clears the spare slot.
TEST(ZoneTable, EveryRowHoldsTheListedLabelAndOffsetAndTheSpareSlotIsCleared) {
    ZoneTables fresh;
    fresh.ZoneLabels[71] = fresh.ZoneHoursTable[71] = fresh.ZoneMinutesTable[71] = "stale";
    LoadTimeZones(fresh);
    const ZoneTables* const loaded[] = {&fresh, &TimeZones()};
    for (const ZoneTables* tables : loaded) {
        for (int i = 0; i < kZoneCount; ++i) {
            SCOPED_TRACE(i);
            const test::ListedZone& listed = test::kZoneList[static_cast<std::size_t>(i)];
            EXPECT_EQ(tables->ZoneLabels[i], listed.label);
            // Minutes to add to reach UT: the offset east, negated; split with the same sign.
            const int toUT = -listed.minutesEast;
            EXPECT_EQ(tables->ZoneHoursTable[i], std::to_string(toUT / 60));
            EXPECT_EQ(tables->ZoneMinutesTable[i], std::to_string(toUT % 60));
        }
        EXPECT_EQ(tables->ZoneLabels[71], "");
        EXPECT_EQ(tables->ZoneHoursTable[71], "");
        EXPECT_EQ(tables->ZoneMinutesTable[71], "");
    }
}

}  // namespace
}  // namespace velloran
