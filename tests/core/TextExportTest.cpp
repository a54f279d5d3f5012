// The text export of a reading: 33 lines, the natal positions compact, the draconic ones long.

#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "output/TextExport.h"
#include "reading/Reading.h"
#include "support/SampleBirths.h"

namespace velloran {
namespace {

// Natal body k at 0k° 1k' Aries, draconic body k at k° 1' 2" Taurus; Mercury retrograde.
Reading ExportReading() {
    Reading r;
    r.input.birth = test::DelhiBirth();
    r.input.birth.State = "";  // an empty field still has its line
    for (int k = 0; k < kBodyCount; ++k) {
        r.natal.bodies[k] = {k + (10 + k + 0.5) / 60.0, 0, 0, false};
        r.draconic.bodies[k] = {30 + k + 1 / 60.0 + 2.5 / 3600.0, 1, 0, false};
    }
    // The export never shows the mark.
    r.natal.bodies[2].retrograde = r.draconic.bodies[2].retrograde = true;
    LayWholeSignHouses(r.natal);
    LayWholeSignHouses(r.draconic);
    return r;
}

TEST(ExportText, ThirtyThreeLinesExactly) {
    std::string expected =
        "Name: Ann\r\n"
        "Date of Birth: March 5, 1980\r\n"
        "Time of Birth: 7 Hour 5 Minute\r\n"
        "Latitude: 28 Degree 0 Minute \r\n"
        "Longitude: 77 Degree 12 Minute \r\n"
        "City: Delhi\r\n"
        "State: \r\n"
        "Country: India\r\n"
        "\r\r\n"
        "Planetary Position (Natal)\r\n"
        "Sun 00 Ari 10\r\n"
        "Moon 01 Ari 11\r\n"
        "Mercury 02 Ari 12\r\n"
        "Venus 03 Ari 13\r\n"
        "Mars 04 Ari 14\r\n"
        "Jupiter 05 Ari 15\r\n"
        "Saturn 06 Ari 16\r\n"
        "North Node 07 Ari 17\r\n"
        "South Node 08 Ari 18\r\n"
        "Asc 09 Ari 19\r\n"
        "\r\r\n"
        "Planetary Position (Draconian)\r\n"
        "Sun 0° 1' 2\" Tau\r\n"
        "Moon 1° 1' 2\" Tau\r\n"
        "Mercury 2° 1' 2\" Tau\r\n"
        "Venus 3° 1' 2\" Tau\r\n"
        "Mars 4° 1' 2\" Tau\r\n"
        "Jupiter 5° 1' 2\" Tau\r\n"
        "Saturn 6° 1' 2\" Tau\r\n"
        "North Node 7° 1' 2\" Tau\r\n"
        "South Node 8° 1' 2\" Tau\r\n"
        "Asc 9° 1' 2\" Tau\r\n"
        "\r\r\n";
    std::string text = ExportText(ExportReading(), EnglishMonthNames());
    EXPECT_EQ(text, expected);
    int lineEnds = 0;
    for (char c : text) lineEnds += c == '\n';
    EXPECT_EQ(lineEnds, 33);
}

// The precise positions add the modern bodies, name the positions and give the note; a body the
// ephemeris could not compute (Chiron without its file) has an empty position.
TEST(ExportText, PrecisePositionsAddTheModernBodiesAndTheirNote) {
    Reading r = ExportReading();
    r.positions = {PositionsKind::Precise, NodeKind::Mean};
    r.note = "The Swiss Ephemeris files were not found.";
    r.natal.bodyCount = r.draconic.bodyCount = kPreciseBodyCount;
    for (int k = kBodyCount; k < kPreciseBodyCount - 1; ++k) {
        r.natal.bodies[k] = {60 + k + (20 + 0.5) / 60.0, 2, 0, false};
        r.draconic.bodies[k] = {90 + k + 3 / 60.0 + 4.5 / 3600.0, 3, 0, false};
    }
    const double nan = std::numeric_limits<double>::quiet_NaN();
    r.natal.bodies[kPreciseBodyCount - 1] = {nan, -1, 0, false};
    r.draconic.bodies[kPreciseBodyCount - 1] = {nan, -1, 0, false};
    const std::string text = ExportText(r, EnglishMonthNames());
    const std::string classicPart = ExportText(ExportReading(), EnglishMonthNames());
    ASSERT_TRUE(text.starts_with(classicPart));
    EXPECT_EQ(text.substr(classicPart.size()),
              "Planetary Position (Natal, modern bodies)\r\n"
              "MC 10 Gem 20\r\n"
              "Uranus 11 Gem 20\r\n"
              "Neptune 12 Gem 20\r\n"
              "Pluto 13 Gem 20\r\n"
              "Chiron \r\n"
              "\r\r\n"
              "Planetary Position (Draconian, modern bodies)\r\n"
              "MC 10° 3' 4\" Can\r\n"
              "Uranus 11° 3' 4\" Can\r\n"
              "Neptune 12° 3' 4\" Can\r\n"
              "Pluto 13° 3' 4\" Can\r\n"
              "Chiron \r\n"
              "\r\r\n"
              "House cusps (Whole Sign)\r\n"
              "Natal 1 00 Ari 00\r\n"
              "Natal 2 00 Tau 00\r\n"
              "Natal 3 00 Gem 00\r\n"
              "Natal 4 00 Can 00\r\n"
              "Natal 5 00 Leo 00\r\n"
              "Natal 6 00 Vir 00\r\n"
              "Natal 7 00 Lib 00\r\n"
              "Natal 8 00 Sco 00\r\n"
              "Natal 9 00 Sag 00\r\n"
              "Natal 10 00 Cap 00\r\n"
              "Natal 11 00 Aqu 00\r\n"
              "Natal 12 00 Pis 00\r\n"
              "Draconian 1 0° 0' 0\" Tau\r\n"
              "Draconian 2 0° 0' 0\" Gem\r\n"
              "Draconian 3 0° 0' 0\" Can\r\n"
              "Draconian 4 0° 0' 0\" Leo\r\n"
              "Draconian 5 0° 0' 0\" Vir\r\n"
              "Draconian 6 0° 0' 0\" Lib\r\n"
              "Draconian 7 0° 0' 0\" Sco\r\n"
              "Draconian 8 0° 0' 0\" Sag\r\n"
              "Draconian 9 0° 0' 0\" Cap\r\n"
              "Draconian 10 0° 0' 0\" Aqu\r\n"
              "Draconian 11 0° 0' 0\" Pis\r\n"
              "Draconian 12 0° 0' 0\" Ari\r\n"
              "\r\r\n"
              "Positions: Precise positions (Swiss Ephemeris), mean node\r\n"
              "Note: The Swiss Ephemeris files were not found.\r\n");
}

TEST(ExportText, MonthNamesComeFromTheCaller) {
    MonthNames german = {"Januar", "Februar", "März",      "April",   "Mai",      "Juni",
                         "Juli",   "August",  "September", "Oktober", "November", "Dezember"};
    std::string text = ExportText(ExportReading(), german);
    EXPECT_NE(text.find("\r\nDate of Birth: März 5, 1980\r\n"), std::string::npos);
}

}  // namespace
}  // namespace velloran
