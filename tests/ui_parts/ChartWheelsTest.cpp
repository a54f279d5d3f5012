// The house texts of the chart window's wheels: the bodies' names one to a line, or sharing lines
// in a crowded house.

#include <gtest/gtest.h>

#include "chart/ChartWindow.h"
#include "chart/gui/ChartWheels.h"
#include "chart/gui/DisplayLabels.h"
#include "input/FormCopy.h"
#include "reading/Reading.h"
#include "support/SampleBirths.h"

namespace velloran {
namespace {

// A wheel with the given bodies in house 1, those in `retrograde` marked.
WheelHouses HouseOf(std::initializer_list<ChartBody> bodies, BodyNaming naming,
                    std::initializer_list<ChartBody> retrograde = {}) {
    WheelHouses wheel;
    wheel.naming = naming;
    wheel.bodies[0] = bodies;
    for (ChartBody body : retrograde) wheel.retrograde[static_cast<int>(body)] = true;
    return wheel;
}

TEST(PairedHouseText, OneNameToALineIsTheModelsHouseText) {
    // The known birth's wheels, classic, every house of each: the text the window shows is the
    // model's house text with plain line breaks, retrograde marks and their blanks included.
    const Reading reading = *Calculate(BirthFromForm(test::KnownBirthForm())).reading;
    const WheelHouses wheels[] = {MakeWheelHouses(reading.natal, BodyNaming::WheelNames),
                                  MakeWheelHouses(reading.draconic, BodyNaming::WheelNames),
                                  MakeWheelHouses(reading.natal, BodyNaming::Labels)};
    int retrogradeNames = 0;
    for (const WheelHouses& wheel : wheels) {
        for (int house = 1; house <= kSignCount; ++house) {
            const QString expected = HouseDisplayText(HouseText(wheel, house));
            EXPECT_EQ(PairedHouseText(wheel, house, 0, QStringLiteral(", ")), expected);
            EXPECT_EQ(PairedHouseText(wheel, house, 4, QStringLiteral(" ")), expected)
                << "house " << house << " holds no more than four bodies";
            retrogradeNames += int(expected.count(QStringLiteral("(R) ")));
        }
    }
    EXPECT_GT(retrogradeNames, 0);  // the known birth has retrograde planets
}

TEST(PairedHouseText, ACrowdedHouseSharesLinesAndTrimsTheMarks) {
    using B = ChartBody;
    struct Case {
        const char* name;
        WheelHouses wheel;
        int maxLines;
        QString separator;
        QString expected;
    };
    const Case cases[] = {
        {"empty house", HouseOf({}, BodyNaming::Labels), 4, " ", ""},
        {"at the limit", HouseOf({B::Sun, B::Moon, B::Mercury}, BodyNaming::Labels), 3, " ",
         "\nSu\nM\nMe"},
        {"one past the limit: two to a line",
         HouseOf({B::Sun, B::Moon, B::Mercury, B::Venus}, BodyNaming::Labels), 3, " ",
         "\nSu M\nMe V"},
        {"marks lose their trailing blank when names share a line",
         HouseOf({B::Sun, B::Mercury, B::Venus, B::Mars, B::Jupiter}, BodyNaming::Labels,
                 {B::Mercury, B::Jupiter}),
         4, " ", "\nSu Me (R)\nV Ma\nJ (R)"},
        {"three to a line",
         HouseOf({B::Sun, B::Moon, B::Mercury, B::Venus, B::Mars, B::Jupiter, B::Saturn,
                  B::SouthNode, B::Uranus},
                 BodyNaming::Labels, {B::Saturn}),
         3, " ", "\nSu M Me\nV Ma J\nSa (R) S U"},
        {"the single wheel's names and separator",
         HouseOf({B::Sun, B::Moon, B::Mercury, B::Venus, B::Mars}, BodyNaming::WheelNames,
                 {B::Mercury}),
         4, ", ", "\nSun, Moon\nMercury (R), Venus\nMars"},
        {"no limit keeps every name on its own line",
         HouseOf({B::Sun, B::Moon, B::Mercury, B::Venus, B::Mars}, BodyNaming::WheelNames,
                 {B::Mercury}),
         0, ", ", "\nSun\nMoon\nMercury (R) \nVenus\nMars"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(PairedHouseText(c.wheel, 1, c.maxLines, c.separator), c.expected);
        EXPECT_EQ(PairedHouseText(c.wheel, 2, c.maxLines, c.separator), "");
    }
}

}  // namespace
}  // namespace velloran
