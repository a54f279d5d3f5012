// The zone list: each row's label, name, abbreviation and its signed minutes to universal time.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <string_view>

#include "RowName.h"
#include "domain/ZoneTable.h"

namespace velloran {
namespace {

using test::PrintTo;

struct ZoneRowCase {
    const char* rowName;
    int index;
    const char* label;
    const char* name;
    const char* abbreviation;
    int minutesToUT;  // to add to local clock time
};

class ZoneRowTest : public ::testing::TestWithParam<ZoneRowCase> {};

TEST_P(ZoneRowTest, RowHoldsLabelNamesAndSignedMinutes) {
    const ZoneRowCase& c = GetParam();
    const ZoneRowValues row = ZoneRowAt(c.index);
    EXPECT_EQ(row.label, c.label);
    EXPECT_EQ(ZoneLabel(c.index), c.label);
    EXPECT_EQ(row.name, c.name);
    EXPECT_EQ(row.abbreviation, c.abbreviation);
    EXPECT_EQ(row.minutesToUT, c.minutesToUT);
    // East of Greenwich is ahead of universal time: a positive offset, minutes to subtract.
    EXPECT_EQ(row.offsetSeconds, -60 * c.minutesToUT);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ZoneRowTest,
    ::testing::Values(
        ZoneRowCase{"first_alaska", 0, "Alaska/Hawaii Daylight Time,AHDT,-9.0",
                    "Alaska/Hawaii Daylight Time", "AHDT", 540},
        ZoneRowCase{"acdt_half_hour_east", 5, "Australian Central Daylight Time,ACDT,+10.5",
                    "Australian Central Daylight Time", "ACDT", -630},
        ZoneRowCase{"azores_blanks_after_commas", 11, "Azores Time, AT, -2.0", "Azores Time", "AT",
                    120},
        ZoneRowCase{"eastern_standard", 27, "Eastern Standard Time,EST,-5.0",
                    "Eastern Standard Time", "EST", 300},
        ZoneRowCase{"greenwich", 29, "Greenwich Mean Time,GMT,0.0", "Greenwich Mean Time", "GMT",
                    0},
        ZoneRowCase{"hawaiian_half_hour_west", 31, "Hawaiian Daylight Time,HDT,-9.5",
                    "Hawaiian Daylight Time", "HDT", 570},
        ZoneRowCase{"indian", 34, "Indian Time, IST, +5.3", "Indian Time", "IST", -330},
        ZoneRowCase{"intl_apostrophe", 35, "Int'l Date Line East,IDLE,+12.0",
                    "Int'l Date Line East", "IDLE", -720},
        ZoneRowCase{"nz_summer_plus_13", 46, "New Zealand Std Summer Time,NZST,+13.0",
                    "New Zealand Std Summer Time", "NZST", -780},
        ZoneRowCase{"newfoundland", 50, "Newfoundland Standard Time,NST,-3.5",
                    "Newfoundland Standard Time", "NST", 210},
        ZoneRowCase{"south_australia_sad", 56, "South Australia Daylight Time,SAD,+10.5",
                    "South Australia Daylight Time", "SAD", -630},
        ZoneRowCase{"south_australia_sdt", 57, "South Australia Daylight Time,SDT,+10.5",
                    "South Australia Daylight Time", "SDT", -630},
        ZoneRowCase{"south_australia_sast", 58, "South Australia Standard Time,SAST,+9.5",
                    "South Australia Standard Time", "SAST", -570},
        ZoneRowCase{"south_australia_sat", 59, "South Australia Standard Time,SAT,+9.5",
                    "South Australia Standard Time", "SAT", -570},
        ZoneRowCase{"universal", 61, "Universal Time, UT, 0.0", "Universal Time", "UT", 0},
        ZoneRowCase{"ussr_zone_10_sorted_as_text", 62, "USSR Zone 10,UZ10,+11.0", "USSR Zone 10",
                    "UZ10", -660},
        ZoneRowCase{"last_yukon", 70, "Yukon War Time,YWT,-8.0", "Yukon War Time", "YWT", 480}),
    [](const auto& info) { return std::string(info.param.rowName); });

// The offset a label shows as its last field ("-9.5", "+5.3"), in minutes east of Greenwich.
// A fraction other than 0 is half an hour: the list writes 5:30 as "+5.3" for Indian Time.
int LabelOffsetMinutes(std::string_view label) {
    std::string_view field = label.substr(label.rfind(',') + 1);
    while (!field.empty() && field.front() == ' ') field.remove_prefix(1);
    const int sign = field.front() == '-' ? -1 : 1;
    if (field.front() == '-' || field.front() == '+') field.remove_prefix(1);
    const std::size_t dot = field.find('.');
    EXPECT_NE(dot, std::string_view::npos) << label;
    EXPECT_EQ(dot + 2, field.size()) << label;
    const int hours = std::atoi(std::string(field.substr(0, dot)).c_str());
    const char fraction = field[dot + 1];
    EXPECT_TRUE(fraction == '0' || fraction == '5' || fraction == '3') << label;
    return sign * (hours * 60 + (fraction == '0' ? 0 : 30));
}

TEST(ZoneTable, EveryRowsMinutesAgreeWithWhatItsLabelShows) {
    for (int i = 0; i < kZoneCount; ++i) {
        SCOPED_TRACE(i);
        const ZoneRowValues row = ZoneRowAt(i);
        ASSERT_FALSE(row.label.empty());
        EXPECT_EQ(ZoneLabel(i), row.label);
        EXPECT_EQ(row.minutesToUT, -LabelOffsetMinutes(row.label));
        EXPECT_EQ(row.offsetSeconds, -60 * row.minutesToUT);
        // The label starts with the name and shows the abbreviation as its second field.
        EXPECT_FALSE(row.name.empty());
        EXPECT_FALSE(row.abbreviation.empty());
        EXPECT_TRUE(row.label.starts_with(row.name));
        EXPECT_NE(row.label.find(row.abbreviation, row.name.size()), std::string_view::npos);
        EXPECT_LE(std::abs(row.minutesToUT), 13 * 60);
    }
}

TEST(ZoneTable, NoLabelOutsideTheList) {
    for (int index : {-1, kZoneCount, kZoneCount + 1, 1000}) EXPECT_EQ(ZoneLabel(index), "");
}

}  // namespace
}  // namespace velloran
