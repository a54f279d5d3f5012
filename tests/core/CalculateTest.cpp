// The calculation of a birth into one reading: the draconic chart made from the natal one, the
// moment and the place as numbers, and the refusal when the engine's arithmetic fails.

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "RowName.h"
#include "chart/ChartWindow.h"
#include "reading/Reading.h"

namespace velloran {
namespace {

using test::PrintTo;

constexpr int kNorthNode = static_cast<int>(ChartBody::NorthNode);
constexpr int kSouthNode = static_cast<int>(ChartBody::SouthNode);
constexpr int kLibra = 6;
// The tolerance the reference readings state for their longitudes.
constexpr double kReferenceTolDeg = 1e-9;
// Day numbers are near 1e4: far below a second, far above their rounding.
constexpr double kDayNumberTol = 1e-8;

struct Place {
    int lonDeg, lonMin;
    bool east;
    int latDeg, latMin;
    bool south;
};

BirthInput Birth(const char* name, int year, int month, int day, int hour, int minute,
                 const Place& place, int zoneIndex, int minutesToUT, bool daylightSaving = false) {
    BirthInput input;
    BirthData& b = input.birth;
    b.Name = name;
    b.Year = static_cast<int16_t>(year), b.Month = static_cast<int16_t>(month);
    b.Day = static_cast<int16_t>(day), b.Hour = static_cast<int16_t>(hour);
    b.Minute = static_cast<int16_t>(minute);
    b.ZoneHours = static_cast<int16_t>(std::abs(minutesToUT) / 60);
    b.ZoneMinutes = static_cast<int16_t>(std::abs(minutesToUT) % 60);
    b.LonDeg = static_cast<int16_t>(place.lonDeg), b.LonMin = static_cast<int16_t>(place.lonMin);
    b.LatDeg = static_cast<int16_t>(place.latDeg), b.LatMin = static_cast<int16_t>(place.latMin);
    b.LongEast = place.east, b.LatSouth = place.south, b.DaylightSaving = daylightSaving;
    b.City = "Some City", b.State = "Some State", b.Country = "Some Country";
    input.zoneIndex = zoneIndex;
    input.zoneMinutesToUT = minutesToUT;
    return input;
}

// A value to 15 significant digits, worked out through its decimal text.
double FifteenDigits(double value) {
    char text[40];
    std::snprintf(text, sizeof text, "%.15g", value);
    return std::strtod(text, nullptr);
}

// Births of the reference readings (tests/reference), with the values they give there: the natal
// longitudes, the draconic position texts and the draconic chart's houses.
struct ReferenceCase {
    const char* rowName;
    BirthInput input;
    double universalTimeHours;  // local clock time plus the zone's minutes, from 0h local date
    double dayNumber;
    std::array<double, kBodyCount> natal;
    std::array<const char*, kBodyCount> draconicTexts;
    std::array<const char*, kBodyCount> draconicCells;
    std::array<const char*, kSignCount> draconicHouses;
};

const ReferenceCase kReferenceCases[] = {
    // The South Node shifted like the bodies lands a rounding error short of 180 and would read
    // 29° 59' 59" Vir, with Ketu in the Virgo house.
    {"south_node_sum_short_of_180",
     Birth("Reference 2", 2050, 12, 31, 23, 59, {170, 0, false, 13, 30, false}, 36, 720),
     23 + 59 / 60.0 + 12,
     18627.999305555557,
     {280.29705946817785, 150.8802926383214, 257.94333640874254, 233.52819042935602,
      5.072004999579526, 154.99047849254137, 306.9923518253263, 217.69878434818565,
      37.698784348185654, 200.48064854973336},
     {"2° 35' 53\" Gem", "23° 10' 53\" Cap", "10° 14' 40\" Tau", "15° 49' 45\" Ari",
      "27° 22' 23\" Leo", "27° 17' 30\" Cap", "29° 17' 36\" Gem", "0° 0' 0\" Ari", "0° 0' 0\" Lib",
      "12° 46' 54\" Pis"},
     {"02 Gem 35", "23 Cap 10", "10 Tau 14", "15 Ari 49", "27 Leo 22", "27 Cap 17", "29 Gem 17",
      "00 Ari 00", "00 Lib 00", "12 Pis 46"},
     {"\r\nAsc", "\r\nVenus\r\nRahu", "\r\nMercury", "\r\nSun\r\nSaturn", "", "\r\nMars", "",
      "\r\nKetu", "", "", "\r\nMoon\r\nJupiter (R) ", ""}},
    // The sum lands a rounding error past 180; a zone with half an hour.
    {"south_node_sum_past_180_newfoundland",
     Birth("Reference 5", 1975, 7, 4, 21, 45, {52, 43, false, 47, 34, false}, 50, 210),
     21.75 + 3.5,
     -8946.447916666666,
     {102.76719999671208, 50.47308479968342, 81.39165502665847, 146.96615084612782,
      33.11924891310512, 22.38250982569077, 111.5630839313844, 237.87072936142826,
      57.87072936142829, 318.705959611575},
     {"14° 53' 47\" Sco", "22° 36' 8\" Vir", "23° 31' 15\" Lib", "29° 5' 43\" Sag",
      "5° 14' 54\" Vir", "24° 30' 42\" Leo", "23° 41' 32\" Sco", "0° 0' 0\" Ari", "0° 0' 0\" Lib",
      "20° 50' 6\" Gem"},
     {"14 Sco 53", "22 Vir 36", "23 Lib 31", "29 Sag 05", "05 Vir 14", "24 Leo 30", "23 Sco 41",
      "00 Ari 00", "00 Lib 00", "20 Gem 50"},
     {"\r\nAsc", "", "\r\nJupiter", "\r\nMoon\r\nMars", "\r\nMercury\r\nKetu", "\r\nSun\r\nSaturn",
      "\r\nVenus", "", "", "", "\r\nRahu", ""}},
    // The mean node less a degree was below 0° Aries: the natal node stands in late Pisces.
    {"node_in_late_pisces",
     Birth("Reference 72", 2006, 6, 9, 13, 50, {147, 16, true, 19, 42, false}, 9, -540),
     13 + 50 / 60.0 - 9,
     2350.7013888888887,
     {78.14989653799773, 226.86920357855342, 99.51380819930286, 42.40995382016405,
      123.18888300958866, 220.05469520296745, 127.63238870118533, 359.644207775796,
      179.64420777579608, 205.48805380720805},
     {"18° 30' 20\" Gem", "17° 13' 29\" Sco", "9° 52' 10\" Can", "12° 45' 56\" Tau",
      "3° 32' 40\" Leo", "10° 24' 37\" Sco", "7° 59' 17\" Leo", "0° 0' 0\" Ari", "0° 0' 0\" Lib",
      "25° 50' 37\" Lib"},
     {"18 Gem 30", "17 Sco 13", "09 Can 52", "12 Tau 45", "03 Leo 32", "10 Sco 24", "07 Leo 59",
      "00 Ari 00", "00 Lib 00", "25 Lib 50"},
     {"\r\nKetu\r\nAsc", "\r\nMoon\r\nJupiter (R) ", "", "", "", "", "\r\nRahu", "\r\nVenus",
      "\r\nSun", "\r\nMercury", "\r\nMars\r\nSaturn", ""}},
    // The known birth: New York, 15 January 1980, 10:30 EST; the sum is exactly 180.
    {"known_birth_new_york",
     Birth("Reference 11", 1980, 1, 15, 10, 30, {74, 0, false, 40, 43, false}, 27, 300),
     15.5,
     -7290.854166666667,
     {294.92709826482417, 265.1770840773097, 291.29726064954616, 329.6737566982267,
      165.6296568572942, 159.87246044935387, 177.2632408051816, 150.20094031135298,
      330.20094031135295, 4.7771286193848015},
     {"24° 43' 34\" Leo", "24° 58' 34\" Can", "21° 5' 46\" Leo", "29° 28' 22\" Vir",
      "15° 25' 43\" Ari", "9° 40' 17\" Ari", "27° 3' 44\" Ari", "0° 0' 0\" Ari", "0° 0' 0\" Lib",
      "4° 34' 34\" Sco"},
     {"24 Leo 43", "24 Can 58", "21 Leo 05", "29 Vir 28", "15 Ari 25", "09 Ari 40", "27 Ari 03",
      "00 Ari 00", "00 Lib 00", "04 Sco 34"},
     {"\r\nAsc", "", "", "", "", "\r\nMars\r\nJupiter (R) \r\nSaturn (R) \r\nRahu", "", "",
      "\r\nMoon", "\r\nSun\r\nMercury", "\r\nVenus", "\r\nKetu"}},
};

class ReferenceBirthTest : public ::testing::TestWithParam<ReferenceCase> {
protected:
    void SetUp() override {
        Calculation done = Calculate(GetParam().input);
        ASSERT_TRUE(done.reading) << done.error;
        EXPECT_EQ(done.error, "");
        reading = std::move(*done.reading);
    }
    Reading reading;
};

TEST_P(ReferenceBirthTest, NatalLongitudesAndTheMoment) {
    const ReferenceCase& c = GetParam();
    EXPECT_EQ(reading.input, c.input);
    EXPECT_EQ(reading.natal.bodyCount, kBodyCount);
    for (int k = 0; k < kBodyCount; ++k)
        EXPECT_NEAR(reading.natal.bodies[k].longitude, c.natal[k], kReferenceTolDeg) << k;
    EXPECT_NEAR(reading.universalTimeHours, c.universalTimeHours, 1e-12);
    EXPECT_NEAR(reading.dayNumber, c.dayNumber, kDayNumberTol);
}

// Each draconic longitude is the natal one to 15 significant digits, less the node to 15 digits,
// taken into [0, 360); the node itself is 0° Aries and the South Node 0° Libra exactly.
TEST_P(ReferenceBirthTest, DraconicIsTheNatalChartToFifteenDigitsMeasuredFromTheNode) {
    const Chart& natal = reading.natal;
    const Chart& draconic = reading.draconic;
    const double shift = 360 - FifteenDigits(natal.bodies[kNorthNode].longitude);
    for (int k = 0; k < kBodyCount; ++k) {
        if (k == kNorthNode || k == kSouthNode) continue;
        double expected = shift + FifteenDigits(natal.bodies[k].longitude);
        while (expected >= 360) expected -= 360;
        EXPECT_EQ(draconic.bodies[k].longitude, expected) << k;
    }
    EXPECT_EQ(draconic.bodies[kNorthNode].longitude, 0.0);
    EXPECT_EQ(draconic.bodies[kSouthNode].longitude, 180.0);
    EXPECT_EQ(draconic.bodies[kSouthNode].sign, kLibra);
    // Both charts carry the same retrograde marks.
    for (int k = 0; k < kBodyCount; ++k)
        EXPECT_EQ(draconic.bodies[k].retrograde, natal.bodies[k].retrograde) << k;
}

TEST_P(ReferenceBirthTest, DraconicTextsAndHousesAreTheReferences) {
    const ReferenceCase& c = GetParam();
    for (int k = 0; k < kBodyCount; ++k) {
        EXPECT_EQ(LongPosition(reading.draconic.bodies[k]), c.draconicTexts[k]) << k;
        EXPECT_EQ(CompactPosition(reading.draconic.bodies[k]), c.draconicCells[k]) << k;
    }
    const WheelHouses wheel = MakeWheelHouses(reading.draconic, BodyNaming::WheelNames);
    for (int h = 1; h <= kSignCount; ++h)
        EXPECT_EQ(HouseText(wheel, h), c.draconicHouses[h - 1]) << "house " << h;
}

INSTANTIATE_TEST_SUITE_P(Births, ReferenceBirthTest, ::testing::ValuesIn(kReferenceCases),
                         [](const auto& info) { return std::string(info.param.rowName); });

TEST(Calculate, ThePlaceIsInSignedDegreesNorthAndEastPositive) {
    struct Case {
        bool east, south;
        double latitude, longitude;
    };
    for (const Case& c : {Case{false, false, 40 + 43 / 60.0, -(74 + 12 / 60.0)},
                          Case{true, false, 40 + 43 / 60.0, 74 + 12 / 60.0},
                          Case{false, true, -(40 + 43 / 60.0), -(74 + 12 / 60.0)},
                          Case{true, true, -(40 + 43 / 60.0), 74 + 12 / 60.0}}) {
        SCOPED_TRACE(std::string(c.east ? "east" : "west") + (c.south ? " south" : " north"));
        const Calculation done = Calculate(
            Birth("Ann", 1980, 1, 15, 10, 30, {74, 12, c.east, 40, 43, c.south}, 27, 300));
        ASSERT_TRUE(done.reading) << done.error;
        EXPECT_DOUBLE_EQ(done.reading->latitude, c.latitude);
        EXPECT_DOUBLE_EQ(done.reading->longitude, c.longitude);
        EXPECT_EQ(done.reading->positions, PositionsChoice{});
        EXPECT_EQ(done.reading->note, "");
    }
}

// Daylight saving: the clock ran an hour ahead, so universal time is an hour earlier.
TEST(Calculate, DaylightSavingTakesAnHourOff) {
    const Place newYork{74, 0, false, 40, 43, false};
    const Calculation standard = Calculate(Birth("Ann", 1969, 7, 20, 22, 56, newYork, 27, 300));
    const Calculation daylight =
        Calculate(Birth("Ann", 1969, 7, 20, 23, 56, newYork, 27, 300, true));
    ASSERT_TRUE(standard.reading && daylight.reading);
    EXPECT_NEAR(standard.reading->universalTimeHours, 22 + 56 / 60.0 + 5, 1e-12);
    EXPECT_NEAR(daylight.reading->universalTimeHours, standard.reading->universalTimeHours, 1e-12);
    EXPECT_EQ(daylight.reading->dayNumber, standard.reading->dayNumber);
    for (int k = 0; k < kBodyCount; ++k) {
        EXPECT_NEAR(daylight.reading->natal.bodies[k].longitude,
                    standard.reading->natal.bodies[k].longitude, 1e-9)
            << k;
    }
}

// No birth the form offers reaches it, but from the year 15717 on the engine's mean elements
// give orbits no formula holds (Venus's eccentricity, later Saturn's, below zero): the
// calculation says so instead of showing a chart.
struct RefusedCase {
    const char* rowName;
    int year, month, day;
};

class RefusedBirthTest : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(RefusedBirthTest, NoReadingButAMessage) {
    const RefusedCase& c = GetParam();
    const Calculation done =
        Calculate(Birth("Ann", c.year, c.month, c.day, 12, 0, {0, 0, false, 51, 30, false}, 29, 0));
    EXPECT_FALSE(done.reading);
    EXPECT_EQ(done.error, "The chart could not be calculated for this birth.");
}

INSTANTIATE_TEST_SUITE_P(Births, RefusedBirthTest,
                         ::testing::Values(RefusedCase{"year_15717", 15717, 1, 1},
                                           RefusedCase{"year_20000", 20000, 6, 1},
                                           RefusedCase{"largest_year", 32767, 12, 31}),
                         [](const auto& info) { return std::string(info.param.rowName); });

}  // namespace
}  // namespace velloran
