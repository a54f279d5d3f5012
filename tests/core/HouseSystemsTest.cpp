// House systems in the calculation: which house a longitude is in for a set of cusps, the
// draconic houses of each system, the polar fallback, the asteroids and Lilith, and the classic
// charts that no choice of houses or bodies changes.

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <string>

#include "Calculated.h"
#include "domain/Bodies.h"
#include "domain/PositionsChoice.h"
#include "ephemeris/SwissEphemeris.h"
#include "output/TextExport.h"
#include "reading/Contacts.h"
#include "reading/Reading.h"
#include "support/SampleBirths.h"

namespace velloran {
namespace {

using Cusps = std::array<double, kSignCount>;

// Unequal cusps with house 12 across 0° Aries.
constexpr Cusps kAcross = {15, 40, 70, 100, 140, 170, 195, 220, 250, 280, 320, 350};
// Cusps running backward through the zodiac, as Regiomontanus and Campanus have them inside the
// polar circles.
constexpr Cusps kBackward = {309.5, 292.6, 287.2, 283.2, 277.6, 256.9,
                             129.5, 112.6, 107.2, 103.2, 97.6,  76.9};

TEST(HouseOfLongitude, TheHouseWhoseCuspWasPassedLast) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        const Cusps* cusps;
        double longitude;
        int house;
    };
    const Case cases[] = {
        {&kAcross, 15.0, 1},         // exactly on cusp 1
        {&kAcross, 39.999, 2 - 1},   // just short of cusp 2
        {&kAcross, 40.0, 2},         // on cusp 2
        {&kAcross, 355.0, 12},       // house 12 before 0° Aries
        {&kAcross, 0.0, 12},         // 0° Aries inside house 12
        {&kAcross, 14.9, 12},        // house 12 after 0° Aries
        {&kAcross, 15.0 - 1e-9, 1},  // a rounding error short of a cusp is on it
        {&kAcross, 349.99, 11},      // the end of house 11
        {&kBackward, 300.0, 1},      // between cusps 1 and 2, going back
        {&kBackward, 309.5, 1},      // on cusp 1
        {&kBackward, 290.0, 2},      // going back from cusp 2
        {&kBackward, 100.0, 10},     // cusp 10 at 103.2, cusp 11 at 97.6
        {&kBackward, 0.0, 12},       // house 12 runs back from 76.9 to 309.5 through 0° Aries
        {&kBackward, 310.0, 12},     // just past cusp 1 going forward is the end of house 12
        {&kAcross, nan, 0},          // no longitude, no house
    };
    for (const Case& c : cases) {
        EXPECT_EQ(HouseOfLongitude(*c.cusps, c.longitude), c.house) << c.longitude;
    }
}

// Every house system: each body's house agrees with its chart's cusps, the cusps' signs are the
// house signs, the ascendant is in house 1 and the midheaven in house 10 for the quadrant
// systems, and the draconic houses are the natal ones (for Whole Sign, the draconic rising sign's).
TEST(HouseSystems, EveryBodyInTheHouseOfItsCuspsAndTheDraconicKeepsTheNatalHouses) {
    ephemeris::SwissEphemeris swiss;
    for (HouseSystem system : kHouseSystems) {
        SCOPED_TRACE(std::string(HouseSystemName(system)));
        PositionsChoice choice{PositionsKind::Precise, NodeKind::Mean};
        choice.houses = system;
        choice.asteroids = true;
        const Reading r = test::ReadingOf(test::KnownBirthForm(), {choice, &swiss});
        EXPECT_EQ(r.natal.houses, system);
        EXPECT_TRUE(r.housesNote.empty());
        for (const Chart* chart : {&r.natal, &r.draconic}) {
            for (int h = 0; h < kSignCount; ++h)
                EXPECT_EQ(chart->houseSigns[h], static_cast<int>(chart->cusps[h] / 30.0)) << h;
            for (int k = 0; k < chart->bodyCount; ++k) {
                const BodyPlace& p = chart->bodies[k];
                ASSERT_TRUE(std::isfinite(p.longitude)) << kBodyTitles[k];
                EXPECT_EQ(p.house, HouseOfLongitude(chart->cusps, p.longitude)) << kBodyTitles[k];
            }
        }
        if (system == HouseSystem::WholeSign) {
            EXPECT_EQ(r.natal.risingSign(), r.natal[ChartBody::Ascendant].sign);
            EXPECT_EQ(r.draconic.risingSign(), r.draconic[ChartBody::Ascendant].sign);
            EXPECT_EQ(r.natal.cusps[0], 30.0 * r.natal.risingSign());
            continue;
        }
        EXPECT_NEAR(r.natal.cusps[0], r.natal[ChartBody::Ascendant].longitude, 1e-6);
        EXPECT_EQ(r.natal[ChartBody::Ascendant].house, 1);
        if (system != HouseSystem::Equal) {
            EXPECT_EQ(r.natal[ChartBody::Midheaven].house, 10);
        }
        const double node = r.natal[ChartBody::NorthNode].longitude;
        for (int h = 0; h < kSignCount; ++h) {
            EXPECT_NEAR(std::remainder(r.draconic.cusps[h] - (r.natal.cusps[h] - node), 360.0), 0.0,
                        1e-9);
        }
        for (int k = 0; k < r.natal.bodyCount; ++k)
            EXPECT_EQ(r.draconic.bodies[k].house, r.natal.bodies[k].house) << kBodyTitles[k];
    }
}

// Above the polar circles Placidus and Koch have no cusps: Porphyry's are shown, and the line
// naming the positions and the export say so. The other systems are used as asked.
TEST(HouseSystems, InsideThePolarCirclePlacidusAndKochFallBackToPorphyryAndSaySo) {
    FormInput tromso = test::KnownBirthForm();
    tromso.monthIndex = 5, tromso.dayIndex = 20;
    tromso.latitudeDegrees = "70", tromso.latitudeMinutes = "0";
    tromso.latitudeHemisphere = 0;
    tromso.longitudeDegrees = "15", tromso.longitudeHemisphere = 0;
    ephemeris::SwissEphemeris swiss;
    PositionsChoice choice{PositionsKind::Precise, NodeKind::Mean};
    choice.houses = HouseSystem::Porphyry;
    const Reading porphyry = test::ReadingOf(tromso, {choice, &swiss});
    for (HouseSystem system : {HouseSystem::Placidus, HouseSystem::Koch}) {
        choice.houses = system;
        const Reading r = test::ReadingOf(tromso, {choice, &swiss});
        const std::string note = std::string(HouseSystemName(system)) +
                                 " has no cusps at this latitude; Porphyry houses shown";
        EXPECT_EQ(r.housesNote, note);
        EXPECT_EQ(r.natal.houses, HouseSystem::Porphyry);
        EXPECT_EQ(r.natal.cusps, porphyry.natal.cusps);
        EXPECT_EQ(r.natal.bodies, porphyry.natal.bodies);
        const std::string text = ExportText(r, EnglishMonthNames());
        EXPECT_NE(text.find("House cusps (Porphyry)\r\n"), std::string::npos);
        EXPECT_NE(text.find("Positions: Precise positions (Swiss Ephemeris), mean node, " +
                            std::string(HouseSystemName(system)) + " houses. " + note + "\r\n"),
                  std::string::npos)
            << text;
    }
    choice.houses = HouseSystem::Regiomontanus;
    const Reading regio = test::ReadingOf(tromso, {choice, &swiss});
    EXPECT_TRUE(regio.housesNote.empty());
    EXPECT_EQ(regio.natal.houses, HouseSystem::Regiomontanus);
}

// The asteroids and Lilith follow Chiron in both charts when asked, measured from the node in
// the draconic one, and take part in the contacts; without the asteroid file they stay empty
// with the note, as Chiron does, and Lilith (from the lunar theory) stays.
TEST(HouseSystems, AsteroidsAndLilithWhenAskedInBothChartsAndTheContacts) {
    PositionsChoice choice{PositionsKind::Precise, NodeKind::Mean};
    ephemeris::SwissEphemeris swiss;
    const Reading plain = test::ReadingOf(test::KnownBirthForm(), {choice, &swiss});
    EXPECT_EQ(plain.natal.bodyCount, kPreciseBodyCount);
    choice.asteroids = true;
    const Reading r = test::ReadingOf(test::KnownBirthForm(), {choice, &swiss});
    ASSERT_EQ(r.natal.bodyCount, kMaxBodyCount);
    ASSERT_EQ(r.draconic.bodyCount, kMaxBodyCount);
    const double node = r.natal[ChartBody::NorthNode].longitude;
    for (int k = kPreciseBodyCount; k < kMaxBodyCount; ++k) {
        SCOPED_TRACE(std::string(kBodyTitles[k]));
        ASSERT_TRUE(std::isfinite(r.natal.bodies[k].longitude));
        EXPECT_NEAR(
            std::remainder(r.draconic.bodies[k].longitude - (r.natal.bodies[k].longitude - node),
                           360.0),
            0.0, 1e-9);
    }
    EXPECT_FALSE(r.natal[ChartBody::Lilith].retrograde);
    // The bodies before them do not move.
    for (int k = 0; k < kPreciseBodyCount; ++k)
        EXPECT_EQ(r.natal.bodies[k], plain.natal.bodies[k]) << kBodyTitles[k];
    // A wide orb finds contacts of the new bodies as of any other.
    ContactSettings wide;
    wide.orb = kMaxOrb;
    wide.aspects = kAllAspects;
    bool asteroidContact = false;
    for (const Contact& c : ReadingContacts(r, wide))
        asteroidContact |= c.natal >= ChartBody::Ceres || c.draconic >= ChartBody::Ceres;
    EXPECT_TRUE(asteroidContact);
}

// The classic charts are whole-sign with ten bodies whatever houses or bodies are asked for.
TEST(HouseSystems, ClassicChartsIgnoreTheHousesAndTheAsteroids) {
    const Reading classic = test::ReadingOf(test::KnownBirthForm());
    PositionsChoice choice;
    choice.houses = HouseSystem::Placidus;
    choice.asteroids = true;
    const Reading asked = test::ReadingOf(test::KnownBirthForm(), {choice, nullptr});
    EXPECT_EQ(asked.natal, classic.natal);
    EXPECT_EQ(asked.draconic, classic.draconic);
    EXPECT_EQ(asked.natal.houses, HouseSystem::WholeSign);
    EXPECT_EQ(asked.natal.bodyCount, kBodyCount);
    EXPECT_EQ(ExportText(asked, EnglishMonthNames()), ExportText(classic, EnglishMonthNames()));
    EXPECT_EQ(PositionsLine(asked.positions), "Classic positions");
}

}  // namespace
}  // namespace velloran
