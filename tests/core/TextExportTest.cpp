#include <gtest/gtest.h>

#include <string>

#include "output/TextExport.h"
#include "support/SampleBirths.h"

namespace velloran {
namespace {

ReadingState ExportState() {
    ReadingState s;
    s.Birth = test::DelhiBirth();
    s.Birth.State = "";  // an empty field still has its line
    s.WesternBodyNames = {"Sun",    "Moon",       "Mercury",    "Venus", "Mars", "Jupiter",
                          "Saturn", "North Node", "South Node", "Asc",   ""};
    s.BodyNames[2] = "Mercury (R) ";  // the export never shows the mark
    for (int k = 0; k < kBodyCount; ++k) {
        s.NatalPositions[k] = "0" + std::to_string(k) + " Ari 1" + std::to_string(k);
        s.DraconicPositions[k] = std::to_string(k) + "° 1' 2\" Tau";
    }
    return s;
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
    std::string text = ExportText(ExportState(), EnglishMonthNames());
    EXPECT_EQ(text, expected);
    int lineEnds = 0;
    for (char c : text) lineEnds += c == '\n';
    EXPECT_EQ(lineEnds, 33);
}

TEST(ExportText, MonthNamesComeFromTheCaller) {
    MonthNames german = {"Januar", "Februar", "März",      "April",   "Mai",      "Juni",
                         "Juli",   "August",  "September", "Oktober", "November", "Dezember"};
    std::string text = ExportText(ExportState(), german);
    EXPECT_NE(text.find("\r\nDate of Birth: März 5, 1980\r\n"), std::string::npos);
}

}  // namespace
}  // namespace velloran
