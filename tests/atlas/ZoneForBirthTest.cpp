#include <gtest/gtest.h>

#include <map>

#include "../core/RowName.h"
#include "atlas/ZoneForBirth.h"
#include "domain/ZoneTable.h"
#include "tz/SystemLegalTime.h"

namespace velloran {
namespace {

using test::PrintTo;

constexpr auto RowNamed = [](const auto& info) { return std::string(info.param.rowName); };

Place AtZone(const char* name, const char* timezone) {
    Place p;
    p.name = name;
    p.timezone = timezone;
    return p;
}

struct BirthRow {
    const char* rowName;
    const char* timezone;
    LocalMoment moment;
    ZoneFit fit;
    int zoneIndex;         // -1 when no row is set
    const char* rowLabel;  // the row's label, checked against the zone table
    bool daylightSaving;
    int utcOffsetSeconds;  // the legal offset (the earlier reading when ambiguous)
};

class ZoneForBirthFromTzData : public ::testing::TestWithParam<BirthRow> {
protected:
    static inline std::unique_ptr<LegalTimeSource> s_source = MakeSystemLegalTime();
};

TEST_P(ZoneForBirthFromTzData, PicksRowAndBox) {
    const BirthRow& row = GetParam();
    const Place place = AtZone(row.rowName, row.timezone);
    const ZoneChoice choice = ZoneForBirth(place, row.moment, *s_source);
    EXPECT_EQ(choice.fit, row.fit);
    EXPECT_EQ(choice.zoneIndex, row.zoneIndex);
    EXPECT_EQ(choice.daylightSaving, row.daylightSaving);
    EXPECT_EQ(choice.legal.utcOffsetSeconds, row.utcOffsetSeconds);
    if (row.zoneIndex >= 0) {
        EXPECT_EQ(ZoneLabel(row.zoneIndex).rfind(row.rowLabel, 0), 0u);
        // The row's offset, plus an hour with the box, is the legal offset.
        EXPECT_EQ(ZoneRowOffsetSeconds(choice.zoneIndex) + (choice.daylightSaving ? 3600 : 0),
                  choice.legal.utcOffsetSeconds);
        EXPECT_EQ(ZoneChoiceNote(choice, place, row.moment), "");
    } else {
        EXPECT_NE(ZoneChoiceNote(choice, place, row.moment), "");
    }
}

constexpr int kH = 3600;

INSTANTIATE_TEST_SUITE_P(Rows, ZoneForBirthFromTzData,
                         ::testing::Values(BirthRow{"new_york_winter_1980",
                                                    "America/New_York",
                                                    {1980, 1, 15, 10, 30},
                                                    ZoneFit::Row,
                                                    27,
                                                    "Eastern Standard Time",
                                                    false,
                                                    -5 * kH},
                                           BirthRow{"new_york_summer_1980",
                                                    "America/New_York",
                                                    {1980, 7, 4, 12, 0},
                                                    ZoneFit::Row,
                                                    27,
                                                    "Eastern Standard Time",
                                                    true,
                                                    -4 * kH},
                                           BirthRow{"london_british_standard_time_1969",
                                                    "Europe/London",
                                                    {1969, 6, 1, 12, 0},
                                                    ZoneFit::Row,
                                                    16,
                                                    "British Summer Time",
                                                    false,
                                                    1 * kH},
                                           BirthRow{"london_summer_1980",
                                                    "Europe/London",
                                                    {1980, 7, 1, 12, 0},
                                                    ZoneFit::Row,
                                                    29,
                                                    "Greenwich Mean Time",
                                                    true,
                                                    1 * kH},
                                           BirthRow{"pune_1980",
                                                    "Asia/Kolkata",
                                                    {1980, 3, 1, 12, 0},
                                                    ZoneFit::Row,
                                                    34,
                                                    "Indian Time",
                                                    false,
                                                    5 * kH + 1800},
                                           BirthRow{"sydney_summer_1990",
                                                    "Australia/Sydney",
                                                    {1990, 1, 10, 12, 0},
                                                    ZoneFit::Row,
                                                    8,
                                                    "Australian Eastern Standard Time",
                                                    true,
                                                    11 * kH},
                                           BirthRow{"st_johns_summer_1975",
                                                    "America/St_Johns",
                                                    {1975, 7, 4, 21, 45},
                                                    ZoneFit::Row,
                                                    50,
                                                    "Newfoundland Standard Time",
                                                    true,
                                                    -2 * kH - 1800},
                                           BirthRow{"zurich_winter_1980",
                                                    "Europe/Zurich",
                                                    {1980, 1, 15, 10, 30},
                                                    ZoneFit::Row,
                                                    20,
                                                    "Central European Time",
                                                    false,
                                                    1 * kH},
                                           // Switzerland kept standard time all year until 1981.
                                           BirthRow{"zurich_summer_1980_no_daylight_saving",
                                                    "Europe/Zurich",
                                                    {1980, 7, 1, 12, 0},
                                                    ZoneFit::Row,
                                                    20,
                                                    "Central European Time",
                                                    false,
                                                    1 * kH},
                                           BirthRow{"zurich_summer_1990",
                                                    "Europe/Zurich",
                                                    {1990, 7, 1, 12, 0},
                                                    ZoneFit::Row,
                                                    20,
                                                    "Central European Time",
                                                    true,
                                                    2 * kH},
                                           BirthRow{"london_double_summer_time_1944",
                                                    "Europe/London",
                                                    {1944, 6, 1, 12, 0},
                                                    ZoneFit::Row,
                                                    15,
                                                    "British Double Summer Time",
                                                    false,
                                                    2 * kH},
                                           // War-time France: CET before and after, though
                                           // the tz data names autumn 1944 "WEST".
                                           BirthRow{"paris_occupation_summer_1944",
                                                    "Europe/Paris",
                                                    {1944, 6, 1, 12, 0},
                                                    ZoneFit::Row,
                                                    20,
                                                    "Central European Time",
                                                    true,
                                                    2 * kH},
                                           BirthRow{"paris_liberation_1944",
                                                    "Europe/Paris",
                                                    {1944, 9, 1, 12, 0},
                                                    ZoneFit::Row,
                                                    20,
                                                    "Central European Time",
                                                    true,
                                                    2 * kH},
                                           BirthRow{"paris_autumn_1944",
                                                    "Europe/Paris",
                                                    {1944, 11, 1, 12, 0},
                                                    ZoneFit::Row,
                                                    20,
                                                    "Central European Time",
                                                    false,
                                                    1 * kH},
                                           BirthRow{"paris_summer_1945",
                                                    "Europe/Paris",
                                                    {1945, 6, 1, 12, 0},
                                                    ZoneFit::Row,
                                                    20,
                                                    "Central European Time",
                                                    true,
                                                    2 * kH},
                                           BirthRow{"amsterdam_summer_1935",
                                                    "Europe/Amsterdam",
                                                    {1935, 6, 1, 12, 0},
                                                    ZoneFit::NoRow,
                                                    -1,
                                                    "",
                                                    false,
                                                    1 * kH + 19 * 60 + 32},
                                           BirthRow{"kathmandu_1990",
                                                    "Asia/Kathmandu",
                                                    {1990, 6, 1, 12, 0},
                                                    ZoneFit::NoRow,
                                                    -1,
                                                    "",
                                                    false,
                                                    5 * kH + 45 * 60},
                                           BirthRow{"new_york_skipped_2021",
                                                    "America/New_York",
                                                    {2021, 3, 14, 2, 30},
                                                    ZoneFit::Skipped,
                                                    -1,
                                                    "",
                                                    false,
                                                    -5 * kH},
                                           BirthRow{"new_york_ambiguous_2021",
                                                    "America/New_York",
                                                    {2021, 11, 7, 1, 30},
                                                    ZoneFit::Ambiguous,
                                                    -1,
                                                    "",
                                                    false,
                                                    -4 * kH},
                                           BirthRow{"unknown_zone",
                                                    "Nowhere/Atlantis",
                                                    {2000, 1, 1, 0, 0},
                                                    ZoneFit::UnknownZone,
                                                    -1,
                                                    "",
                                                    false,
                                                    0}),
                         RowNamed);

TEST(ZoneForBirthNotes, NameTheOffsetsAndChoices) {
    const auto source = MakeSystemLegalTime();
    const Place kathmandu = AtZone("Kathmandu", "Asia/Kathmandu");
    const LocalMoment m1990{1990, 6, 1, 12, 0};
    EXPECT_NE(
        ZoneChoiceNote(ZoneForBirth(kathmandu, m1990, *source), kathmandu, m1990).find("UTC+5:45"),
        std::string::npos);

    const Place newYork = AtZone("New York", "America/New_York");
    const LocalMoment fallBack{2021, 11, 7, 1, 30};
    const std::string twice =
        ZoneChoiceNote(ZoneForBirth(newYork, fallBack, *source), newYork, fallBack);
    EXPECT_NE(twice.find("7 November 2021 01:30 happened twice"), std::string::npos) << twice;
    EXPECT_NE(twice.find("UTC\u22124 (EDT), zone \"Eastern Standard Time\" with daylight saving"),
              std::string::npos)
        << twice;
    EXPECT_NE(twice.find("UTC\u22125 (EST), zone \"Eastern Standard Time\" without daylight"),
              std::string::npos)
        << twice;
}

struct OffsetRow {
    const char* rowName;
    int seconds;
    const char* text;
};
class UtcOffsetText : public ::testing::TestWithParam<OffsetRow> {};
TEST_P(UtcOffsetText, Formats) { EXPECT_EQ(FormatUtcOffset(GetParam().seconds), GetParam().text); }
INSTANTIATE_TEST_SUITE_P(Rows, UtcOffsetText,
                         ::testing::Values(OffsetRow{"zero", 0, "UTC+0"},
                                           OffsetRow{"west_whole", -5 * kH, "UTC\u22125"},
                                           OffsetRow{"quarter", 5 * kH + 2700, "UTC+5:45"},
                                           OffsetRow{"west_half", -3 * kH - 1800, "UTC\u22123:30"},
                                           OffsetRow{"seconds", 4772, "UTC+1:19:32"}),
                         RowNamed);

}  // namespace
}  // namespace velloran
