// Saving and opening readings and exporting the text: dialogs, file bytes, refusals, and failed
// saves that must report and keep the earlier file.

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <csignal>
#include <random>

#include "OutputTestSupport.h"
#include "chart/ChartWindow.h"
#include "input/FormCopy.h"
#include "output/gui/OutputCommands.h"
#include "reading/Reading.h"
#include "support/FakePlatform.h"
#include "support/SampleBirths.h"
#include "ui/LibraryFolder.h"
#include "ui/SafeSave.h"

namespace velloran::test {
namespace {

const QString kCheckTheFile = QStringLiteral("Please Check The File.");

// The Pune birth under a three-letter name: the reading the byte-level tests are written for.
BirthData AnnBirth() {
    BirthData b = PuneBirth();
    b.Name = "Ann";
    return b;
}
const int kAnnZone = PuneBirthForm().zoneIndex;

// Ann's reading file, each line's bytes raised by 85 ("Ann" -> 150 195 195, "True" -> 169 199 202
// 186), every line ending in CR LF.
const QByteArray kAnnReadingBytes = QByteArray(
    "\x96\xC3\xC3\r\n"                                  // Ann
    "\x88\r\n"                                          // 3
    "\x8A\r\n"                                          // 5
    "\x86\x8E\x8D\x85\r\n"                              // 1980
    "\x8C\r\n"                                          // 7
    "\x8A\r\n"                                          // 5
    "\x86\x87\r\n"                                      // 12
    "\x8C\x88\r\n"                                      // 73
    "\x8A\x86\r\n"                                      // 51
    "\x86\x8D\r\n"                                      // 18
    "\x88\x86\r\n"                                      // 31
    "\xA9\xC7\xCA\xBA\r\n"                              // True
    "\x9B\xB6\xC1\xC8\xBA\r\n"                          // False
    "\x9B\xB6\xC1\xC8\xBA\r\n"                          // False
    "\xA5\xCA\xC3\xBA\r\n"                              // Pune
    "\xA2\xB6\xBD\xB6\xC7\xB6\xC8\xBD\xC9\xC7\xB6\r\n"  // Maharashtra
    "\x9E\xC3\xB9\xBE\xB6\r\n");                        // India

// The form as Ann's reading fills it (the controls' positions, not their texts).
FormInput AnnForm() {
    FormInput f = PuneBirthForm();
    f.name = "Ann";
    return f;
}

// Ann's birth as a reading, without positions (the reading commands only save its birth).
Reading AnnReading() {
    Reading r;
    r.input.birth = AnnBirth();
    r.input.zoneIndex = kAnnZone;
    return r;
}

// Ann's reading with hand-written longitudes for the export: natal body i at 10 + i degrees
// 5i minutes Pisces, draconic body i at i degrees i + 1 minutes i + 2 seconds Taurus (each half a
// unit past the whole, the texts truncating).
Reading AnnExportReading() {
    Reading r = AnnReading();
    for (int i = 0; i < kBodyCount; ++i) {
        r.natal.bodies[i].longitude = 330.0 + (10 + i) + (i * 5 + 0.5) / 60.0;
        r.natal.bodies[i].sign = 11;
        r.draconic.bodies[i].longitude = 30.0 + i + (i + 1) / 60.0 + (i + 2.5) / 3600.0;
        r.draconic.bodies[i].sign = 1;
    }
    return r;
}

const QByteArray kAnnExportBytes = QByteArray(
    "Name: Ann\r\n"
    "Date of Birth: March 5, 1980\r\n"
    "Time of Birth: 7 Hour 5 Minute\r\n"
    "Latitude: 18 Degree 31 Minute \r\n"
    "Longitude: 73 Degree 51 Minute \r\n"
    "City: Pune\r\n"
    "State: Maharashtra\r\n"
    "Country: India\r\n"
    "\r\r\n"
    "Planetary Position (Natal)\r\n"
    "Sun 10 Pis 00\r\n"
    "Moon 11 Pis 05\r\n"
    "Mercury 12 Pis 10\r\n"
    "Venus 13 Pis 15\r\n"
    "Mars 14 Pis 20\r\n"
    "Jupiter 15 Pis 25\r\n"
    "Saturn 16 Pis 30\r\n"
    "North Node 17 Pis 35\r\n"
    "South Node 18 Pis 40\r\n"
    "Asc 19 Pis 45\r\n"
    "\r\r\n"
    "Planetary Position (Draconian)\r\n"
    "Sun 0\xC2\xB0 1' 2\" Tau\r\n"
    "Moon 1\xC2\xB0 2' 3\" Tau\r\n"
    "Mercury 2\xC2\xB0 3' 4\" Tau\r\n"
    "Venus 3\xC2\xB0 4' 5\" Tau\r\n"
    "Mars 4\xC2\xB0 5' 6\" Tau\r\n"
    "Jupiter 5\xC2\xB0 6' 7\" Tau\r\n"
    "Saturn 6\xC2\xB0 7' 8\" Tau\r\n"
    "North Node 7\xC2\xB0 8' 9\" Tau\r\n"
    "South Node 8\xC2\xB0 9' 10\" Tau\r\n"
    "Asc 9\xC2\xB0 10' 11\" Tau\r\n"
    "\r\r\n");

class ReadingCommandsTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QString path(const QString& name) const { return dir.filePath(name); }

    // The open command onto a form holding current, with the converter in place: its outcome;
    // openedForm receives what the form then holds.
    std::optional<OpenOutcome> open(const FormInput& current) {
        PlainForm form(current);
        std::optional<OpenOutcome> outcome = OpenReading(platform, nullptr, form, true);
        openedForm = form.values();
        return outcome;
    }

    QTemporaryDir dir;
    FakePlatform platform;
    FormInput openedForm;
    std::string lastFileName;  // the program's remembered name, empty after start
};

TEST_F(ReadingCommandsTest, SaveWritesTheKnownBytesThroughTheReadingDialog) {
    platform.saveAnswers.push_back(path("ann.vlr"));

    EXPECT_EQ(SaveReading(platform, nullptr, AnnReading(), kAnnZone, lastFileName),
              path("ann.vlr"));

    ASSERT_EQ(platform.saveDialogs.size(), 1u);
    const FileDialogRequest& asked = platform.saveDialogs[0];
    EXPECT_EQ(asked.title, "Velloran");
    EXPECT_EQ(asked.filter, "Velloran (*.vlr)");
    EXPECT_EQ(asked.defaultSuffix, "vlr");
    EXPECT_EQ(asked.initialName, "");  // first save after start
    EXPECT_TRUE(asked.confirmOverwrite);
    EXPECT_EQ(ReadBytes(path("ann.vlr")), kAnnReadingBytes);
    EXPECT_EQ(lastFileName, path("ann.vlr").toStdString());
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(ReadingCommandsTest, DialogsStartInTheReadingsFolderKeptOnlyOnceAReadingIsSavedInIt) {
    platform.documents = path("Documents");
    const QString library = path("Documents/Velloran");
    // Before the first save the folder is not there, and the open dialog is not sent to it.
    EXPECT_EQ(ChooseReadingToOpen(platform, nullptr), "");
    ASSERT_EQ(platform.openDialogs.size(), 1u);
    EXPECT_EQ(platform.openDialogs[0].folder, "");

    // A save dialog cancelled, or a reading saved elsewhere, leaves no folder behind (nor the
    // documents folder made for it).
    EXPECT_EQ(SaveReading(platform, nullptr, AnnReading(), kAnnZone, lastFileName), "");
    ASSERT_EQ(platform.saveDialogs.size(), 1u);
    EXPECT_EQ(platform.saveDialogs[0].folder, library);
    EXPECT_FALSE(QFileInfo::exists(path("Documents")));
    platform.saveAnswers.push_back(path("elsewhere.vlr"));
    EXPECT_EQ(SaveReading(platform, nullptr, AnnReading(), kAnnZone, lastFileName),
              path("elsewhere.vlr"));
    EXPECT_FALSE(QFileInfo::exists(path("Documents")));

    platform.saveAnswers.push_back(QDir(library).filePath("ann.vlr"));
    EXPECT_EQ(SaveReading(platform, nullptr, AnnReading(), kAnnZone, lastFileName),
              QDir(library).filePath("ann.vlr"));
    ASSERT_EQ(platform.saveDialogs.size(), 3u);
    EXPECT_EQ(platform.saveDialogs[2].folder, library);
    EXPECT_EQ(ReadBytes(QDir(library).filePath("ann.vlr")), kAnnReadingBytes);

    EXPECT_EQ(ChooseReadingToOpen(platform, nullptr), "");
    EXPECT_EQ(platform.openDialogs.at(1).folder, library);

    // A folder chosen in the library window takes over, for both dialogs.
    ASSERT_TRUE(QDir().mkpath(path("chosen")));
    StoreLibraryFolder(platform, path("chosen"));
    EXPECT_EQ(ChooseReadingToOpen(platform, nullptr), "");
    EXPECT_EQ(platform.openDialogs.at(2).folder, path("chosen"));
    EXPECT_EQ(SaveReading(platform, nullptr, AnnReading(), kAnnZone, lastFileName), "");
    EXPECT_EQ(platform.saveDialogs.at(3).folder, path("chosen"));
}

TEST_F(ReadingCommandsTest, OpenFillsTheFormFromTheKnownBytes) {
    ASSERT_TRUE(WriteBytes(path("ann.vlr"), kAnnReadingBytes));
    platform.openAnswers.push_back(path("ann.vlr"));
    FormInput current;
    current.name = "Someone Else";
    current.zoneIndex = 40;

    const std::optional<OpenOutcome> opened = open(current);

    ASSERT_EQ(platform.openDialogs.size(), 1u);
    const FileDialogRequest& asked = platform.openDialogs[0];
    EXPECT_EQ(asked.title, "Select the source file");
    EXPECT_EQ(asked.filter, "Velloran (*.vlr)");
    EXPECT_EQ(asked.defaultSuffix, "vlr");
    EXPECT_EQ(asked.initialName, "");
    ASSERT_TRUE(opened.has_value());
    EXPECT_EQ(openedForm, AnnForm());
    EXPECT_EQ(opened->status, OpenStatus::Calculated);
    BirthData calculated = AnnBirth();
    calculated.ZoneHours = 3;  // zone 12, Baghdad Time
    ASSERT_TRUE(opened->reading.has_value());
    EXPECT_EQ(opened->reading->birth(), calculated);
    EXPECT_EQ(opened->reading->input.zoneIndex, kAnnZone);
    EXPECT_EQ(opened->reading->input.zoneMinutesToUT, -180);
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(ReadingCommandsTest, SavedAndReopenedReadingGivesTheSameFormAndCharts) {
    FormInput form = AnnForm();
    form.name = "Maria Lopez";
    form.daylightSaving = 1;
    form.latitudeHemisphere = 1;
    form.longitudeHemisphere = 1;
    form.zoneIndex = 30;
    const Calculation calculated = Calculate(BirthFromForm(form));
    ASSERT_TRUE(calculated.reading.has_value()) << calculated.error;
    const Reading& reading = *calculated.reading;
    platform.saveAnswers.push_back(path("maria.vlr"));
    SaveReading(platform, nullptr, reading, form.zoneIndex, lastFileName);

    platform.openAnswers.push_back(path("maria.vlr"));
    const std::optional<OpenOutcome> opened = open(FormInput{});
    ASSERT_TRUE(opened.has_value());
    EXPECT_EQ(opened->status, OpenStatus::Calculated);
    EXPECT_EQ(openedForm, form);
    ASSERT_TRUE(opened->reading.has_value());

    const Reading& reopened = *opened->reading;
    EXPECT_EQ(reopened.input, reading.input);
    EXPECT_EQ(reopened.natal, reading.natal);
    EXPECT_EQ(reopened.draconic, reading.draconic);
    // What the chart window shows of both, in every view.
    for (ChartView view : {ChartView::Natal, ChartView::Draconic, ChartView::Comparison}) {
        const ChartWindowModel before = MakeChartWindow(reading, view, EnglishMonthNames());
        const ChartWindowModel after = MakeChartWindow(reopened, view, EnglishMonthNames());
        EXPECT_EQ(after.lblName, "Name: Maria Lopez");
        EXPECT_EQ(after.natalColumn.cells, before.natalColumn.cells);
        EXPECT_EQ(after.draconicColumn.cells, before.draconicColumn.cells);
        for (int h = 1; h <= kSignCount; ++h) {
            EXPECT_EQ(HouseText(after.singleWheel, h), HouseText(before.singleWheel, h)) << h;
            EXPECT_EQ(HouseText(after.outerRing, h), HouseText(before.outerRing, h)) << h;
            EXPECT_EQ(HouseText(after.innerRing, h), HouseText(before.innerRing, h)) << h;
        }
    }
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(ReadingCommandsTest, CancelledDialogsChangeNothing) {
    const Reading reading = AnnExportReading();
    lastFileName = "/somewhere/earlier.vlr";

    // No answer queued: each dialog is cancelled.
    EXPECT_EQ(SaveReading(platform, nullptr, reading, kAnnZone, lastFileName), QString());
    ExportChartText(platform, nullptr, reading, EnglishMonthNames(), lastFileName);
    const std::optional<OpenOutcome> opened = open(AnnForm());

    EXPECT_EQ(platform.saveDialogs.size(), 2u);
    EXPECT_EQ(platform.saveDialogs[1].initialName, "/somewhere/earlier.vlr");
    EXPECT_EQ(lastFileName, "/somewhere/earlier.vlr");
    EXPECT_FALSE(opened.has_value());
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_TRUE(FilesBelow(dir.path()).isEmpty());
}

TEST_F(ReadingCommandsTest, LastFileNameIsSharedBothWaysBetweenSaveAndExport) {
    const Reading reading = AnnExportReading();
    platform.saveAnswers = {path("first.vlr"), path("second.txt"), path("third.vlr")};

    SaveReading(platform, nullptr, reading, kAnnZone, lastFileName);
    ExportChartText(platform, nullptr, reading, EnglishMonthNames(), lastFileName);
    SaveReading(platform, nullptr, reading, kAnnZone, lastFileName);

    ASSERT_EQ(platform.saveDialogs.size(), 3u);
    EXPECT_EQ(platform.saveDialogs[0].initialName, "");
    EXPECT_EQ(platform.saveDialogs[1].initialName, path("first.vlr"));   // export after a save
    EXPECT_EQ(platform.saveDialogs[2].initialName, path("second.txt"));  // save after an export
    EXPECT_EQ(lastFileName, path("third.vlr").toStdString());
    EXPECT_EQ(FilesBelow(dir.path()), QStringList({"first.vlr", "second.txt", "third.vlr"}));
}

TEST_F(ReadingCommandsTest, ExportWritesTheKnownBytesThroughTheExportDialog) {
    lastFileName = path("ann.vlr").toStdString();
    platform.saveAnswers.push_back(path("ann.txt"));

    ExportChartText(platform, nullptr, AnnExportReading(), EnglishMonthNames(), lastFileName);

    ASSERT_EQ(platform.saveDialogs.size(), 1u);
    const FileDialogRequest& asked = platform.saveDialogs[0];
    EXPECT_EQ(asked.title, "Select the destination text file ");
    EXPECT_EQ(asked.filter, "Export Chart As Text (*.txt)");
    EXPECT_EQ(asked.defaultSuffix, "txt");
    EXPECT_EQ(asked.initialName, path("ann.vlr"));
    EXPECT_TRUE(asked.confirmOverwrite);
    EXPECT_EQ(ReadBytes(path("ann.txt")), kAnnExportBytes);
    EXPECT_EQ(lastFileName, path("ann.txt").toStdString());
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(ReadingCommandsTest, SavingOverAnExistingFileReplacesItWhole) {
    ASSERT_TRUE(WriteBytes(path("ann.vlr"), QByteArray(5000, 'x')));
    platform.saveAnswers.push_back(path("ann.vlr"));

    SaveReading(platform, nullptr, AnnReading(), kAnnZone, lastFileName);

    EXPECT_EQ(ReadBytes(path("ann.vlr")), kAnnReadingBytes);
    EXPECT_EQ(FilesBelow(dir.path()), QStringList({"ann.vlr"}));  // no temporary file left
}

// A reading that would not open again is not written: the message says what would not read back.
TEST_F(ReadingCommandsTest, SaveRefusesAReadingThatWouldNotOpenAgain) {
    ASSERT_TRUE(WriteBytes(path("ann.vlr"), kAnnReadingBytes));
    Reading reading = AnnReading();
    reading.input.birth.Name = std::string(2001, 'A');
    platform.saveAnswers.push_back(path("ann.vlr"));

    EXPECT_EQ(SaveReading(platform, nullptr, reading, kAnnZone, lastFileName), QString());

    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text,
              "Could not save " + path("ann.vlr") +
                  ": the name is longer than 2000 characters, so the saved reading could not be "
                  "opened again");
    EXPECT_EQ(platform.messages[0].icon, MessageIcon::Error);
    EXPECT_EQ(platform.messages[0].title, "Velloran");
    EXPECT_EQ(ReadBytes(path("ann.vlr")), kAnnReadingBytes);
    EXPECT_EQ(FilesBelow(dir.path()), QStringList({"ann.vlr"}));
}

// ---- Files the open command refuses or reads ----

enum class Verdict { Refused, Read, Either };

struct OpenCase {
    const char* name;
    const char* fileName;
    QByteArray bytes;
    Verdict verdict;
};

void PrintTo(const OpenCase& c, std::ostream* os) { *os << c.name; }

// Ann's file with one line's decoded text replaced.
QByteArray AnnWithLine(int line, const QByteArray& text) {
    QList<QByteArray> lines = kAnnReadingBytes.split('\n');
    QByteArray scrambled;
    for (char c : text) scrambled.append(static_cast<char>(static_cast<unsigned char>(c) + 85));
    lines[line] = scrambled + '\r';
    return lines.join('\n');
}

class OpenReadingCaseTest : public ReadingCommandsTest,
                            public ::testing::WithParamInterface<OpenCase> {};

TEST_P(OpenReadingCaseTest, RefusesWithTheMessageOrReadsWithout) {
    const OpenCase& c = GetParam();
    ASSERT_TRUE(WriteBytes(path(c.fileName), c.bytes));
    platform.openAnswers.push_back(path(c.fileName));
    const FormInput current = AnnForm();

    const std::optional<OpenOutcome> opened = open(current);

    if (opened) {
        EXPECT_NE(c.verdict, Verdict::Refused);
        EXPECT_TRUE(platform.messages.empty());
    } else {
        EXPECT_NE(c.verdict, Verdict::Read);
        ASSERT_EQ(platform.messages.size(), 1u);
        EXPECT_EQ(platform.messages[0].text, kCheckTheFile);
        EXPECT_EQ(platform.messages[0].icon, MessageIcon::Error);
        EXPECT_EQ(platform.messages[0].title, "Velloran");
        EXPECT_EQ(openedForm, current);  // a refused file leaves the form as it was
    }
    EXPECT_EQ(ReadBytes(path(c.fileName)), c.bytes);  // opening never changes the file
}

INSTANTIATE_TEST_SUITE_P(
    Files, OpenReadingCaseTest,
    ::testing::Values(
        OpenCase{"capital_extension", "ann.VLR", kAnnReadingBytes, Verdict::Refused},
        OpenCase{"other_extension", "ann.txt", kAnnReadingBytes, Verdict::Refused},
        OpenCase{"vlr_before_another_extension", "ann.vlr.bak", kAnnReadingBytes, Verdict::Refused},
        OpenCase{"name_ending_in_vlr_without_dot", "annvlr", kAnnReadingBytes, Verdict::Read},
        OpenCase{"over_64_kib", "big.vlr", QByteArray(64 * 1024 + 1, '\xA0'), Verdict::Refused},
        OpenCase{"binary_bytes", "nul.vlr", QByteArray("\x96\x00\x01\x02\r\n", 6),
                 Verdict::Refused},
        OpenCase{"too_many_lines", "long.vlr", kAnnReadingBytes.repeated(5), Verdict::Refused},
        OpenCase{"month_not_a_number", "month.vlr", AnnWithLine(1, "March"), Verdict::Refused},
        OpenCase{"month_13", "month13.vlr", AnnWithLine(1, "13"), Verdict::Refused},
        OpenCase{"zone_not_a_number", "zone.vlr", AnnWithLine(6, "EST"), Verdict::Refused},
        // Values no list of the form shows (read before, the list keeping its selection).
        OpenCase{"zone_beyond_the_list", "zone500.vlr", AnnWithLine(6, "500"), Verdict::Refused},
        OpenCase{"zone_71", "zone71.vlr", AnnWithLine(6, "71"), Verdict::Refused},
        OpenCase{"zone_minus_1", "zonem1.vlr", AnnWithLine(6, "-1"), Verdict::Refused},
        OpenCase{"zone_20_digits", "zone20.vlr", AnnWithLine(6, "12345678901234567890"),
                 Verdict::Refused},
        OpenCase{"year_1904", "y1904.vlr", AnnWithLine(3, "1904"), Verdict::Refused},
        OpenCase{"hour_24", "h24.vlr", AnnWithLine(4, "24"), Verdict::Refused},
        OpenCase{"minute_60", "m60.vlr", AnnWithLine(5, "60"), Verdict::Refused},
        OpenCase{"name_longer_than_the_box", "longname.vlr", AnnWithLine(0, QByteArray(2001, 'A')),
                 Verdict::Refused},
        OpenCase{"truth_neither_true_nor_false", "truth.vlr", AnnWithLine(11, "Yes"),
                 Verdict::Either},
        OpenCase{"empty_file", "empty.vlr", QByteArray(), Verdict::Refused},
        OpenCase{"five_lines_only", "short.vlr", kAnnReadingBytes.left(22), Verdict::Refused},
        OpenCase{"sixteen_lines", "sixteen.vlr", kAnnReadingBytes.left(kAnnReadingBytes.size() - 7),
                 Verdict::Refused},
        OpenCase{"last_line_end_missing", "noend.vlr", kAnnReadingBytes.chopped(2), Verdict::Read},
        OpenCase{"line_feed_in_name", "lf_name.vlr", AnnWithLine(0, "Ann\nLee"), Verdict::Refused},
        OpenCase{"unit_separator_in_city", "us.vlr", AnnWithLine(14, "Pu\x1fne"), Verdict::Refused},
        OpenCase{"delete_in_country", "del.vlr", AnnWithLine(16, "India\x7f"), Verdict::Refused},
        OpenCase{"unscrambled_text", "plain.vlr",
                 QByteArray("Ann\r\n3\r\n5\r\n1980\r\n7\r\n5\r\n12\r\n"), Verdict::Refused},
        OpenCase{"line_feeds_only", "lf.vlr", QByteArray(kAnnReadingBytes).replace("\r\n", "\n"),
                 Verdict::Read},
        OpenCase{"upper_half_bytes", "high.vlr", QByteArray(300, '\xFF'), Verdict::Refused}),
    [](const ::testing::TestParamInfo<OpenCase>& info) { return std::string(info.param.name); });

TEST_F(ReadingCommandsTest, MissingChoiceIsReportedWithItsPath) {
    platform.openAnswers.push_back(path("missing.vlr"));

    EXPECT_FALSE(open(AnnForm()).has_value());

    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_TRUE(
        platform.messages[0].text.startsWith("Could not open " + path("missing.vlr") + ": "))
        << platform.messages[0].text.toStdString();
    EXPECT_EQ(platform.messages[0].icon, MessageIcon::Error);
    EXPECT_EQ(platform.messages[0].title, "Velloran");
}

// A folder or a pipe named like a reading is refused at once; reading a pipe would wait forever.
TEST_F(ReadingCommandsTest, FolderOrPipeNamedLikeAReadingIsRefused) {
    ASSERT_TRUE(QDir().mkpath(path("folder.vlr")));
    ASSERT_EQ(mkfifo(QFile::encodeName(path("pipe.vlr")).constData(), 0600), 0);
    platform.openAnswers = {path("folder.vlr"), path("pipe.vlr")};

    EXPECT_FALSE(open(AnnForm()).has_value());
    EXPECT_FALSE(open(AnnForm()).has_value());

    ASSERT_EQ(platform.messages.size(), 2u);
    EXPECT_EQ(platform.messages[0].text, kCheckTheFile);
    EXPECT_EQ(platform.messages[1].text, kCheckTheFile);
}

// Random and mutated files: each is either refused with the file message or read into a form,
// never a crash or a hang. Seeded, so a failure repeats.
TEST_F(ReadingCommandsTest, RandomBytesAreRefusedOrReadWithoutACrash) {
    std::mt19937 random(20240601u);
    std::uniform_int_distribution<int> byte(0, 255);
    int refused = 0, read = 0;
    for (int round = 0; round < 400; ++round) {
        QByteArray bytes;
        if (round % 2 == 0) {
            bytes.resize(std::uniform_int_distribution<int>(0, 700)(random));
            for (char& b : bytes) b = static_cast<char>(byte(random));
        } else {
            bytes = kAnnReadingBytes;
            const int flips = std::uniform_int_distribution<int>(1, 6)(random);
            for (int i = 0; i < flips; ++i) {
                const int at = std::uniform_int_distribution<int>(
                    0, static_cast<int>(bytes.size()) - 1)(random);
                bytes[at] = static_cast<char>(byte(random));
            }
        }
        const QString file = path(QStringLiteral("random%1.vlr").arg(round));
        ASSERT_TRUE(WriteBytes(file, bytes));
        platform.openAnswers.push_back(file);
        platform.messages.clear();

        const std::optional<OpenOutcome> opened = open(AnnForm());

        if (opened) {
            ++read;
            EXPECT_TRUE(platform.messages.empty()) << "round " << round;
        } else {
            ++refused;
            ASSERT_EQ(platform.messages.size(), 1u) << "round " << round;
            EXPECT_EQ(platform.messages[0].text, kCheckTheFile) << "round " << round;
        }
    }
    // Both outcomes occur, so the loop exercised the reader and the refusal.
    EXPECT_GT(refused, 0);
    EXPECT_GT(read, 0);
}

// ---- Failed saves: reported, and the earlier file kept ----

enum class Command { Reading, Export };
enum class Writer {
    MissingFolder,
    FolderIsAFile,
    TargetIsAFolder,
    TargetIsAPipe,
    FileSizeLimit,
    ReadOnlyFolder
};

struct FailingSave {
    Command command;
    Writer writer;
};

std::string FailingSaveLabel(const FailingSave& c) {
    static const char* commands[] = {"reading", "export"};
    static const char* writers[] = {"missing_folder",   "folder_is_a_file", "target_is_a_folder",
                                    "target_is_a_pipe", "file_size_limit",  "read_only_folder"};
    return std::string(commands[static_cast<int>(c.command)]) + "_" +
           writers[static_cast<int>(c.writer)];
}
std::string FailingSaveName(const ::testing::TestParamInfo<FailingSave>& info) {
    return FailingSaveLabel(info.param);
}
void PrintTo(const FailingSave& c, std::ostream* os) { *os << FailingSaveLabel(c); }

// Limits the size of files this process may write, as a full disk would; restores it on exit.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &m_saved);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);  // the write fails with EFBIG instead
        rlimit limit = m_saved;
        limit.rlim_cur = bytes;
        m_active = setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    bool active() const { return m_active; }

private:
    rlimit m_saved{};
    void (*m_oldHandler)(int) = nullptr;
    bool m_active = false;
};

class FailingSaveTest : public ReadingCommandsTest,
                        public ::testing::WithParamInterface<FailingSave> {
protected:
    void TearDown() override {
        if (!readOnlyFolder.isEmpty())
            QFile::setPermissions(readOnlyFolder,
                                  QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    void run(const QString& target) {
        const Reading reading = AnnExportReading();
        platform.saveAnswers.push_back(target);
        if (GetParam().command == Command::Reading) {
            EXPECT_EQ(SaveReading(platform, nullptr, reading, kAnnZone, lastFileName), QString());
        } else {
            ExportChartText(platform, nullptr, reading, EnglishMonthNames(), lastFileName);
        }
    }
    QString readOnlyFolder;
};

TEST_P(FailingSaveTest, ReportsThePathAndReasonAndKeepsTheEarlierFile) {
    const QByteArray earlier(4096, 'e');
    QString target;
    switch (GetParam().writer) {
        case Writer::MissingFolder:
            target = path("no such folder/out.file");
            run(target);
            EXPECT_FALSE(QFile::exists(target));
            break;
        case Writer::FolderIsAFile:
            ASSERT_TRUE(WriteBytes(path("plain"), earlier));
            target = path("plain/out.file");
            run(target);
            EXPECT_EQ(ReadBytes(path("plain")), earlier);
            break;
        case Writer::TargetIsAFolder:
            target = path("out.file");
            ASSERT_TRUE(QDir().mkpath(target));
            run(target);
            EXPECT_TRUE(QFileInfo(target).isDir());
            break;
        case Writer::TargetIsAPipe:
            target = path("out.file");
            ASSERT_EQ(mkfifo(QFile::encodeName(target).constData(), 0600), 0);
            run(target);
            EXPECT_FALSE(QFileInfo(target).isFile());  // still the pipe
            EXPECT_TRUE(QFileInfo(target).exists());
            break;
        case Writer::FileSizeLimit: {
            target = path("out.file");
            ASSERT_TRUE(WriteBytes(target, earlier));
            {
                FileSizeLimit limit(16);
                ASSERT_TRUE(limit.active());
                run(target);
            }
            EXPECT_EQ(ReadBytes(target), earlier);
            break;
        }
        case Writer::ReadOnlyFolder: {
            readOnlyFolder = path("locked");
            target = readOnlyFolder + "/out.file";
            ASSERT_TRUE(WriteBytes(target, earlier));
            ASSERT_TRUE(QFile::setPermissions(readOnlyFolder, QFile::ReadOwner | QFile::ExeOwner));
            QFile probe(readOnlyFolder + "/probe");
            if (probe.open(QIODevice::WriteOnly)) {
                probe.remove();
                GTEST_SKIP() << "this user can write into a read-only folder (root)";
            }
            run(target);
            EXPECT_EQ(ReadBytes(target), earlier);
            break;
        }
    }
    ASSERT_EQ(platform.messages.size(), 1u);
    const FakePlatform::Message& m = platform.messages[0];
    EXPECT_EQ(m.icon, MessageIcon::Error);
    EXPECT_EQ(m.title, "Velloran");
    const QString prefix = "Could not save " + target + ": ";
    EXPECT_TRUE(m.text.startsWith(prefix)) << m.text.toStdString();
    EXPECT_GT(m.text.size(), prefix.size()) << "the reason is missing";
    EXPECT_FALSE(m.text.endsWith("unknown error")) << m.text.toStdString();
    // Nothing half-written is left beside the target.
    const QString targetName = QDir(dir.path()).relativeFilePath(target);
    for (const QString& f : FilesBelow(dir.path())) {
        EXPECT_TRUE(f == targetName || !f.contains("out.file")) << f.toStdString();
    }
}

std::vector<FailingSave> AllFailingSaves() {
    std::vector<FailingSave> cases;
    for (Command command : {Command::Reading, Command::Export}) {
        for (Writer writer :
             {Writer::MissingFolder, Writer::FolderIsAFile, Writer::TargetIsAFolder,
              Writer::TargetIsAPipe, Writer::FileSizeLimit, Writer::ReadOnlyFolder}) {
            cases.push_back({command, writer});
        }
    }
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Writers, FailingSaveTest, ::testing::ValuesIn(AllFailingSaves()),
                         FailingSaveName);

}  // namespace
}  // namespace velloran::test
