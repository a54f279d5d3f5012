#include <gtest/gtest.h>

#include <string>

#include "RowName.h"
#include "output/ReadingFile.h"
#include "output/Scramble.h"
#include "reading/Driver.h"

namespace velloran {
namespace {

using test::PrintTo;

BirthData AnnInDelhi() {
    BirthData b;
    b.Name = "Ann";
    b.Month = 3, b.Day = 5, b.Year = 1980, b.Hour = 7, b.Minute = 5;
    b.LonDeg = 77, b.LonMin = 12, b.LatDeg = 28, b.LatMin = 0;
    b.LongEast = true, b.LatSouth = false, b.DaylightSaving = false;
    b.City = "Delhi", b.State = "Delhi", b.Country = "India";
    return b;
}

// The file's bytes made from plain line texts.
std::string FileOf(std::initializer_list<const char*> lines) {
    std::string out;
    for (const char* line : lines) out += ScrambleText(line) + "\r\n";
    return out;
}

TEST(WriteReadingFile, SeventeenScrambledLinesInFieldOrder) {
    std::string bytes = WriteReadingFile(AnnInDelhi(), 34);
    EXPECT_EQ(bytes, FileOf({"Ann", "3", "5", "1980", "7", "5", "34", "77", "12", "28", "0", "True",
                             "False", "False", "Delhi", "Delhi", "India"}));
    // The classic bytes: "Ann" then CR LF, and the truth value "True".
    EXPECT_EQ(bytes.substr(0, 5), "\x96\xc3\xc3\r\n");
    EXPECT_NE(bytes.find("\xa9\xc7\xca\xba\r\n"), std::string::npos);
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
}

TEST(WriteReadingFile, FieldsAreTrimmedAndNegativeNumbersKeepTheirSign) {
    BirthData b = AnnInDelhi();
    b.Name = "  Ann  ";
    b.City = " ";
    b.LonDeg = -5;
    auto lines = ReadReadingFile(WriteReadingFile(b, -1));
    ASSERT_TRUE(lines);
    EXPECT_EQ((*lines)[0], "Ann");
    EXPECT_EQ((*lines)[6], "-1");
    EXPECT_EQ((*lines)[7], "-5");
    EXPECT_EQ((*lines)[14], "");
}

TEST(ReadingFile, SaveAndOpenGiveTheSameFormAndBirthData) {
    FormInput typed;
    typed.name = "Zoë Łódź";
    typed.monthIndex = 10, typed.dayIndex = 29, typed.yearIndex = 2000 - kFirstYear;
    typed.hourIndex = 23, typed.minuteIndex = 59, typed.zoneIndex = 50, typed.daylightSaving = 1;
    typed.latitudeDegrees = "47", typed.latitudeMinutes = "34", typed.longitudeDegrees = "52",
    typed.longitudeMinutes = "43";
    typed.latitudeHemisphere = 1, typed.longitudeHemisphere = 1;
    typed.city = "St. John's", typed.state = "NL", typed.country = "Canada";
    ReadingState saved;
    CopyFormToState(typed, saved);

    auto lines = ReadReadingFile(WriteReadingFile(saved.Birth, typed.zoneIndex));
    ASSERT_TRUE(lines);
    FormInput opened;  // the form as it starts
    ApplyReadingToForm(*lines, opened);
    EXPECT_EQ(opened, typed);
    ReadingState reopened;
    CopyFormToState(opened, reopened);
    EXPECT_EQ(reopened.Birth, saved.Birth);
}

TEST(ReadReadingFile, LinesSplitAtLineFeedsWithOrWithoutCarriageReturns) {
    std::string bytes = ScrambleText("Ann") + "\n" + ScrambleText("3") + "\r\n";
    for (int i = 2; i < kReadingLines - 1; ++i) bytes += ScrambleText("7") + "\n";
    bytes += ScrambleText("India");  // no line end after the last line
    auto lines = ReadReadingFile(bytes);
    ASSERT_TRUE(lines);
    EXPECT_EQ((*lines)[0], "Ann");
    EXPECT_EQ((*lines)[1], "3");
    EXPECT_EQ((*lines)[2], "7");
    EXPECT_EQ((*lines)[kReadingLines - 1], "India");
}

TEST(ApplyReadingToForm, EmptyMonthAndZoneLinesGiveNoMonthAndTheFirstZone) {
    std::array<std::string, kReadingLines> lines{};
    FormInput form;
    form.monthIndex = 4;
    form.zoneIndex = 12;
    ApplyReadingToForm(lines, form);
    EXPECT_EQ(form.monthIndex, -1);  // no selection, which the form's checks refuse
    EXPECT_EQ(form.zoneIndex, 0);    // the first entry
}

TEST(ReadReadingFile, LinesBeyondSeventeenAreIgnoredUpToForty) {
    std::string bytes = WriteReadingFile(AnnInDelhi(), 34);
    for (int i = 17; i < 40; ++i) bytes += ScrambleText("extra") + "\r\n";
    EXPECT_TRUE(ReadReadingFile(bytes));
    EXPECT_FALSE(ReadReadingFile(bytes + "\r\n"));  // line 41
}

struct DamagedCase {
    const char* rowName;
    std::string bytes;
};

class DamagedReadingTest : public ::testing::TestWithParam<DamagedCase> {};

TEST_P(DamagedReadingTest, IsRefused) { EXPECT_FALSE(ReadReadingFile(GetParam().bytes)); }

std::string WithLine(int index, const char* text) {
    std::string out;
    for (int i = 0; i < kReadingLines; ++i) out += ScrambleText(i == index ? text : "1") + "\r\n";
    return out;
}

// Ann's file with one line replaced by raw stored bytes.
std::string WithStoredLine(int index, const std::string& stored) {
    std::string out;
    std::string all = WriteReadingFile(AnnInDelhi(), 34);
    std::size_t pos = 0;
    for (int i = 0; i < kReadingLines; ++i) {
        std::size_t end = all.find("\r\n", pos);
        out += (i == index ? stored : all.substr(pos, end - pos)) + "\r\n";
        pos = end + 2;
    }
    return out;
}

// A file of 17 lines whose first line is padded so the whole file has exactly size bytes.
std::string SeventeenLinesOfSize(std::size_t size) {
    std::string rest = WithLine(0, "");
    return std::string(size - rest.size(), '\x96') + rest;
}

// The first 16 lines of Ann's reading, each ending in CR LF.
std::string SixteenLines() {
    std::string all = WriteReadingFile(AnnInDelhi(), 34);
    std::size_t end = all.rfind("\r\n", all.size() - 3);
    return all.substr(0, end + 2);
}

INSTANTIATE_TEST_SUITE_P(
    Files, DamagedReadingTest,
    ::testing::Values(DamagedCase{"empty_file", ""}, DamagedCase{"one_line_end_only", "\r\n"},
                      DamagedCase{"sixteen_lines", SixteenLines()},
                      DamagedCase{"three_lines", FileOf({"Ann", "3", "5"})},
                      DamagedCase{"line_feed_in_name", WithStoredLine(0, "\x96\x5f\xc3")},
                      DamagedCase{"nul_in_city", WithStoredLine(14, "\x99\x55")},
                      DamagedCase{"unit_separator_in_state", WithStoredLine(15, "\x74")},
                      DamagedCase{"tab_in_country", WithStoredLine(16, "\x9e\x5e")},
                      DamagedCase{"carriage_return_in_day", WithStoredLine(2, "\x8a\x62")},
                      DamagedCase{"delete_in_name", WithStoredLine(0, "\x96\xd4")},
                      DamagedCase{"larger_than_64_kib", SeventeenLinesOfSize(64 * 1024 + 1)},
                      DamagedCase{"nul_byte", std::string("\x96\0\xc3", 3)},
                      DamagedCase{"control_byte_1", WriteReadingFile(AnnInDelhi(), 34) + "\x01"},
                      DamagedCase{"escape_byte_27", "\x1b[0m"},
                      DamagedCase{"forty_one_lines", std::string(41, '\n')},
                      DamagedCase{"month_13", WithLine(1, "13")},
                      DamagedCase{"month_negative", WithLine(1, "-1")},
                      DamagedCase{"month_text", WithLine(1, "March")},
                      DamagedCase{"month_fraction", WithLine(1, "2.5")},
                      DamagedCase{"zone_text", WithLine(6, "EST")},
                      DamagedCase{"zone_fraction", WithLine(6, "3.5")}),
    [](const auto& info) { return std::string(info.param.rowName); });

TEST(ReadReadingFile, AcceptsWhatTheReaderCannotJudge) {
    EXPECT_TRUE(ReadReadingFile(SeventeenLinesOfSize(64 * 1024)));  // exactly 64 KiB
    EXPECT_TRUE(ReadReadingFile(WithLine(6, "500")));               // zone beyond the list
    EXPECT_TRUE(ReadReadingFile(WithLine(1, "0")));       // month 0: the form's checks refuse it
    EXPECT_TRUE(ReadReadingFile(WithLine(11, "maybe")));  // neither True nor False
    EXPECT_TRUE(ReadReadingFile(WithLine(9, "999")));     // the form's checks judge coordinates
    EXPECT_TRUE(
        ReadReadingFile("\t" + WithLine(0, "Ann")));         // a stored tab byte decodes to nothing
    EXPECT_TRUE(ReadReadingFile(WithLine(0, "Ann ~ Zoë")));  // U+007E and U+00EB are no controls
    EXPECT_TRUE(ReadReadingFile(WithLine(16, "")));          // empty last line
}

TEST(ApplyReadingToForm, ValuesAListCannotShowLeaveItsSelection) {
    FormInput form;
    form.dayIndex = 4, form.yearIndex = 75, form.hourIndex = 7, form.minuteIndex = 5;
    form.zoneIndex = 34, form.monthIndex = 2;
    form.longitudeHemisphere = 1, form.latitudeHemisphere = 1, form.daylightSaving = 1;
    std::array<std::string, kReadingLines> lines{};
    lines[2] = "32";    // no such day
    lines[3] = "1904";  // before the year list
    lines[4] = "07";    // the hour list shows "7", not "07"
    lines[5] = "60";
    lines[6] = "71";     // the empty table slot is not in the list
    lines[11] = "true";  // compared exactly
    lines[12] = "";
    lines[13] = "Yes";
    lines[1] = "3";
    ApplyReadingToForm(lines, form);
    EXPECT_EQ(form.dayIndex, 4);
    EXPECT_EQ(form.yearIndex, 75);
    EXPECT_EQ(form.hourIndex, 7);
    EXPECT_EQ(form.minuteIndex, 5);
    EXPECT_EQ(form.zoneIndex, 34);
    EXPECT_EQ(form.longitudeHemisphere, 1);
    EXPECT_EQ(form.latitudeHemisphere, 1);
    EXPECT_EQ(form.daylightSaving, 1);
    EXPECT_EQ(form.monthIndex, 2);
}

TEST(ApplyReadingToForm, TruthValuesSetTheOptionsAndTheCheckBox) {
    FormInput form;
    std::array<std::string, kReadingLines> lines{};
    lines[11] = "False", lines[12] = "True", lines[13] = "True";
    ApplyReadingToForm(lines, form);
    EXPECT_EQ(form.longitudeHemisphere, 1);  // West
    EXPECT_EQ(form.latitudeHemisphere, 1);   // South
    EXPECT_EQ(form.daylightSaving, 1);
    lines[11] = "True", lines[12] = "False", lines[13] = "False";
    ApplyReadingToForm(lines, form);
    EXPECT_EQ(form.longitudeHemisphere, 0);
    EXPECT_EQ(form.latitudeHemisphere, 0);
    EXPECT_EQ(form.daylightSaving, 0);
}

struct ExtensionCase {
    const char* rowName;
    const char* fileName;
    bool accepted;
};

class ReadingExtensionTest : public ::testing::TestWithParam<ExtensionCase> {};

TEST_P(ReadingExtensionTest, LastThreeCharactersAreExactlyVlr) {
    EXPECT_EQ(HasReadingExtension(GetParam().fileName), GetParam().accepted);
}

INSTANTIATE_TEST_SUITE_P(
    Names, ReadingExtensionTest,
    ::testing::Values(ExtensionCase{"vlr", "/home/ann/reading.vlr", true},
                      ExtensionCase{"capitals_refused", "/home/ann/reading.VLR", false},
                      ExtensionCase{"txt_refused", "/home/ann/reading.txt", false},
                      ExtensionCase{"no_dot_needed", "/home/ann/readingvlr", true},
                      ExtensionCase{"just_vlr", "vlr", true},
                      ExtensionCase{"too_short", "lr", false}, ExtensionCase{"empty", "", false}),
    [](const auto& info) { return std::string(info.param.rowName); });

}  // namespace
}  // namespace velloran
