#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "collection/ReadingsFolder.h"
#include "input/FormCopy.h"
#include "input/ReadingFile.h"
#include "reading/ManyReadings.h"
#include "support/SampleBirths.h"
#include "support/TempFolder.h"

namespace velloran {
namespace {

namespace fs = std::filesystem;

void WriteReading(const std::string& path, const FormInput& form) {
    const BirthInput birth = BirthFromForm(form);
    test::WriteFileBytes(path, WriteReadingFile(birth.birth, form.zoneIndex));
}

std::array<int, kListedSigns> SignsOf(const Chart& chart) {
    return {chart[ChartBody::Sun].sign, chart[ChartBody::Moon].sign, chart.risingSign()};
}

TEST(ReadingsFolderTest, FindsReadingsInSubfoldersWithTheirBirthsAndReasons) {
    test::TempFolder folder("velloran-collection");
    fs::create_directories(folder.dir() / "b" / "deeper");
    WriteReading(folder.Path("known.vlr"), test::KnownBirthForm());
    WriteReading(folder.Path("b/deeper/delhi.vlr"), test::DelhiBirthForm());
    test::WriteFileBytes(folder.Path("b/damaged.vlr"), "not a reading\r\n");
    test::WriteFileBytes(folder.Path("b/notes.txt"), "not listed");
    // A link back up the tree is not followed: the scan ends, each reading listed once.
    fs::create_directory_symlink(folder.dir(), folder.dir() / "b" / "loop");

    const FolderScan scan = ScanReadingsFolder(folder.dir().string());
    ASSERT_EQ(scan.error, "");
    ASSERT_EQ(scan.readings.size(), 3u);
    EXPECT_EQ(scan.readings[0].path, folder.Path("b/damaged.vlr"));
    EXPECT_EQ(scan.readings[0].error, "damaged reading file");
    EXPECT_FALSE(scan.readings[0].form);
    EXPECT_EQ(scan.readings[1].path, folder.Path("b/deeper/delhi.vlr"));
    EXPECT_EQ(scan.readings[1].birth.City, "Delhi");
    EXPECT_EQ(scan.readings[2].path, folder.Path("known.vlr"));
    ASSERT_TRUE(scan.readings[2].form);
    EXPECT_EQ(*scan.readings[2].form, test::KnownBirthForm());
    EXPECT_EQ(scan.readings[2].birth, BirthFromForm(test::KnownBirthForm()).birth);
    EXPECT_EQ(scan.readings[2].error, "");
}

TEST(ReadingsFolderTest, AFolderThatCannotBeReadSaysWhy) {
    test::TempFolder folder("velloran-collection");
    test::WriteFileBytes(folder.Path("file.vlr"), "x");
    EXPECT_EQ(ScanReadingsFolder(folder.Path("missing")).error, "no such folder");
    EXPECT_EQ(ScanReadingsFolder(folder.Path("file.vlr")).error, "not a folder");
    EXPECT_TRUE(ScanReadingsFolder(folder.Path("missing")).readings.empty());
    EXPECT_EQ(ScanReadingsFolder(folder.dir().string()).error, "");
}

TEST(ReadingsFolderTest, SignsAreThoseOfTheCalculationOrTheReasonThereAreNone) {
    FormInput refused = test::KnownBirthForm();
    refused.latitudeDegrees = "91";
    const std::vector<FolderReading> readings = {
        ReadingFromBytes("known.vlr", WriteReadingFile(BirthFromForm(test::KnownBirthForm()).birth,
                                                       test::KnownBirthForm().zoneIndex)),
        ReadingFromBytes("refused.vlr",
                         WriteReadingFile(BirthFromForm(refused).birth, refused.zoneIndex)),
        ReadingFromBytes("damaged.vlr", "garbage")};
    for (const PositionsChoice choice :
         {PositionsChoice{}, PositionsChoice{PositionsKind::Precise, NodeKind::True}}) {
        const std::vector<ReadingSigns> signs = ComputeAllSigns(readings, choice);
        ASSERT_EQ(signs.size(), 3u);
        const Calculation expected =
            Calculate(BirthFromForm(test::KnownBirthForm()), PositionsSource{choice, nullptr});
        ASSERT_TRUE(expected.reading);
        EXPECT_EQ(signs[0].error, "");
        EXPECT_EQ(signs[0].natal, SignsOf(expected.reading->natal));
        EXPECT_EQ(signs[0].draconic, SignsOf(expected.reading->draconic));
        EXPECT_EQ(signs[1].error, "Please Enter Degree of Latitude From 0 To 90");
        EXPECT_EQ(signs[1].natal, (std::array<int, kListedSigns>{-1, -1, -1}));
        EXPECT_EQ(signs[2].error, "damaged reading file");
    }
}

// The longitudes a chart holds.
std::vector<double> Longitudes(const Chart& chart) {
    std::vector<double> all;
    for (int k = 0; k < chart.bodyCount; ++k) all.push_back(chart.bodies[k].longitude);
    return all;
}

// Many precise readings at once give what one at a time gives: the ephemeris's state of one
// thread does not leak into another's.
TEST(ReadingsFolderTest, ReadingsCalculatedTogetherEqualThoseCalculatedAlone) {
    std::vector<BirthInput> births;
    for (int i = 0; i < 600; ++i) {
        FormInput form = test::KnownBirthForm();
        form.yearIndex = (i * 37) % 146;
        form.monthIndex = i % 12;
        form.hourIndex = (i * 7) % 24;
        form.latitudeDegrees = std::to_string((i * 13) % 66);
        births.push_back(BirthFromForm(form));
    }
    for (const PositionsChoice choice :
         {PositionsChoice{}, PositionsChoice{PositionsKind::Precise, NodeKind::Mean}}) {
        std::vector<std::optional<Reading>> together(births.size());
        ForEachReading(births.size(), choice, [&](std::size_t i, const PositionsSource& source) {
            together[i] = Calculate(births[i], source).reading;
        });
        for (std::size_t i = 0; i < births.size(); ++i) {
            const Calculation alone = Calculate(births[i], PositionsSource{choice, nullptr});
            ASSERT_TRUE(alone.reading && together[i]) << i;
            EXPECT_EQ(Longitudes(together[i]->natal), Longitudes(alone.reading->natal)) << i;
            EXPECT_EQ(Longitudes(together[i]->draconic), Longitudes(alone.reading->draconic)) << i;
        }
    }
}

}  // namespace
}  // namespace velloran
