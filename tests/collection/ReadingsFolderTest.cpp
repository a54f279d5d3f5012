#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "collection/ReadingsFolder.h"
#include "input/FileBytes.h"
#include "input/FormCopy.h"
#include "input/ReadingFile.h"
#include "reading/ManyReadings.h"
#include "support/Deadline.h"
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

// Whoever waits on the pipe at path is let go: a writer comes and leaves at once.
void ReleasePipe(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDWR | O_NONBLOCK);
    if (fd >= 0) ::close(fd);
}

// A pipe with no writer, reached by name or through a link, and a device: read at once with the
// reason, never waited for.
TEST(FileBytesTest, OnlyARegularFileIsReadAndNothingIsWaitedFor) {
    test::TempFolder folder("velloran-filebytes");
    const std::string pipe = folder.Path("pipe.vlr"), link = folder.Path("link.vlr");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    fs::create_symlink(pipe, link);
    test::WriteFileBytes(folder.Path("plain.vlr"), "abc");
    test::WriteFileBytes(folder.Path("big.vlr"), std::string(kMaxReadingBytes + 1, 'x'));
    fs::create_symlink("loop.vlr", folder.Path("loop.vlr"));
    struct Case {
        std::string path;
        const char* reason;  // empty: read
    };
    for (const Case& c : std::vector<Case>{
             {pipe, "not a regular file"},
             {link, "not a regular file"},
             {"/dev/zero", "not a regular file"},
             {folder.dir().string(), "is a folder"},
             {folder.Path("missing.vlr"), "no such file"},
             {folder.Path("loop.vlr"), "cannot be opened: the links go round in a loop"},
             {folder.Path("big.vlr"), "larger than 65536 bytes"},
             {folder.Path("plain.vlr"), ""}}) {
        SCOPED_TRACE(c.path);
        std::optional<std::string> bytes;
        std::string reason;
        ASSERT_TRUE(test::FinishesWithin(
            std::chrono::seconds(5),
            [&] { bytes = ReadRegularFile(c.path, kMaxReadingBytes, reason); },
            [&] { ReleasePipe(pipe); }))
            << "reading waited for a writer";
        EXPECT_EQ(reason, c.reason);
        EXPECT_EQ(bytes.has_value(), *c.reason == '\0');
    }
    std::string reason;
    EXPECT_EQ(ReadRegularFile(folder.Path("plain.vlr"), 3, reason), "abc");
    EXPECT_EQ(ReadRegularFile(folder.Path("plain.vlr"), 2, reason), std::nullopt);
    EXPECT_EQ(reason, "larger than 2 bytes");
}

// Every name of a reading is a row: a pipe (by name or through a link), a link to nothing or
// round a loop has its reason, and none of them holds the scan up.
TEST(ReadingsFolderTest, EveryReadingNameHasARowWithTheReasonItCannotBeRead) {
    test::TempFolder folder("velloran-collection");
    WriteReading(folder.Path("known.vlr"), test::KnownBirthForm());
    const std::string pipe = folder.Path("pipe.vlr");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    fs::create_symlink(pipe, folder.Path("k.vlr"));
    fs::create_symlink(folder.Path("nothing.vlr"), folder.Path("dangling.vlr"));
    fs::create_symlink("loop.vlr", folder.Path("loop.vlr"));
    fs::create_symlink("/dev/null", folder.Path("device.vlr"));
    test::WriteFileBytes(folder.Path("notes.txt"), "not listed");
    FolderScan scan;
    ASSERT_TRUE(test::FinishesWithin(
        std::chrono::seconds(10), [&] { scan = ScanReadingsFolder(folder.dir().string()); },
        [&] { ReleasePipe(pipe); }))
        << "the scan waited for a writer of the pipe";
    ASSERT_EQ(scan.error, "");
    std::vector<std::pair<std::string, std::string>> rows;
    for (const FolderReading& r : scan.readings)
        rows.emplace_back(fs::path(r.path).filename().string(), r.error);
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"dangling.vlr", "a link to a file that is not there"},
        {"device.vlr", "not a regular file"},
        {"k.vlr", "not a regular file"},
        {"known.vlr", ""},
        {"loop.vlr", "cannot be opened: the links go round in a loop"},
        {"pipe.vlr", "not a regular file"}};
    EXPECT_EQ(rows, expected);
}

// A subfolder that cannot be read is a row of its own; the rest of the folder is still listed.
TEST(ReadingsFolderTest, ASubfolderThatCannotBeReadIsARow) {
    const bool root = ::geteuid() == 0;
    const fs::path reachable = test::TempRootOthersMayEnter();
    if (root && reachable.empty()) GTEST_SKIP() << "no temporary folder another user may enter";
    test::TempFolder folder("velloran-collection", root ? reachable : fs::path());
    fs::create_directories(folder.dir() / "locked");
    WriteReading(folder.Path("known.vlr"), test::KnownBirthForm());
    WriteReading(folder.Path("locked/hidden.vlr"), test::KnownBirthForm());
    ASSERT_EQ(::chmod(folder.Path("locked").c_str(), 0), 0);
    ASSERT_EQ(::chmod(folder.Path("known.vlr").c_str(), 0644), 0);
    FolderScan scan;
    if (root) {
        // Root reads every folder: the scan runs as another user (nobody) instead.
        ASSERT_EQ(::seteuid(65534), 0);
        scan = ScanReadingsFolder(folder.dir().string());
        ASSERT_EQ(::seteuid(0), 0);
    } else {
        scan = ScanReadingsFolder(folder.dir().string());
    }
    ::chmod(folder.Path("locked").c_str(), 0700);
    ASSERT_EQ(scan.error, "");
    ASSERT_EQ(scan.readings.size(), 2u);
    EXPECT_EQ(scan.readings[0].path, folder.Path("known.vlr"));
    EXPECT_EQ(scan.readings[0].error, "");
    EXPECT_EQ(scan.readings[1].path, folder.Path("locked"));
    EXPECT_EQ(scan.readings[1].error, "folder cannot be read: permission denied");
    EXPECT_FALSE(scan.readings[1].form);
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
