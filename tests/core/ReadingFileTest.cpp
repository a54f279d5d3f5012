#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "RowName.h"
#include "input/FormCopy.h"
#include "input/ReadingFile.h"
#include "input/Scramble.h"

#include "support/SampleBirths.h"

namespace velloran {
namespace {

using test::PrintTo;

// The file's bytes made from plain line texts.
std::string FileOf(std::initializer_list<const char*> lines) {
    std::string out;
    for (const char* line : lines) out += ScrambleText(line) + "\r\n";
    return out;
}

// A text of count copies of a text.
std::string Repeated(const char* character, int count) {
    std::string text;
    for (int i = 0; i < count; ++i) text += character;
    return text;
}

TEST(WriteReadingFile, SeventeenScrambledLinesInFieldOrder) {
    std::string bytes = WriteReadingFile(test::DelhiBirth(), 34);
    EXPECT_EQ(bytes, FileOf({"Ann", "3", "5", "1980", "7", "5", "34", "77", "12", "28", "0", "True",
                             "False", "False", "Delhi", "Delhi", "India"}));
    // The classic bytes: "Ann" then CR LF, and the truth value "True".
    EXPECT_EQ(bytes.substr(0, 5), "\x96\xc3\xc3\r\n");
    EXPECT_NE(bytes.find("\xa9\xc7\xca\xba\r\n"), std::string::npos);
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
}

TEST(WriteReadingFile, FieldsAreTrimmedAndNegativeNumbersKeepTheirSign) {
    BirthData b = test::DelhiBirth();
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
    const BirthInput saved = BirthFromForm(typed);

    auto lines = ReadReadingFile(WriteReadingFile(saved.birth, saved.zoneIndex));
    ASSERT_TRUE(lines);
    FormInput opened;  // the form as it starts
    ASSERT_TRUE(ApplyReadingToForm(*lines, opened));
    EXPECT_EQ(opened, typed);
    EXPECT_EQ(BirthFromForm(opened), saved);
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

// Lines a list shows: day 5, 1980, 7:05; every other line empty.
std::array<std::string, kReadingLines> ListLines() {
    std::array<std::string, kReadingLines> lines{};
    lines[2] = "5", lines[3] = "1980", lines[4] = "7", lines[5] = "5";
    return lines;
}

TEST(ApplyReadingToForm, EmptyMonthAndZoneLinesGiveNoMonthAndTheFirstZone) {
    std::array<std::string, kReadingLines> lines = ListLines();
    FormInput form;
    form.monthIndex = 4;
    form.zoneIndex = 12;
    ASSERT_TRUE(ApplyReadingToForm(lines, form));
    EXPECT_EQ(form.monthIndex, -1);  // no selection, which the form's checks refuse
    EXPECT_EQ(form.zoneIndex, 0);    // the first entry
}

TEST(ReadReadingFile, LinesBeyondSeventeenAreIgnoredUpToForty) {
    std::string bytes = WriteReadingFile(test::DelhiBirth(), 34);
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
    std::string all = WriteReadingFile(test::DelhiBirth(), 34);
    std::size_t pos = 0;
    for (int i = 0; i < kReadingLines; ++i) {
        std::size_t end = all.find("\r\n", pos);
        out += (i == index ? stored : all.substr(pos, end - pos)) + "\r\n";
        pos = end + 2;
    }
    return out;
}

// A file of 17 lines whose first line is padded so the whole file has exactly size bytes.
// The padding is the stored byte 0x50, which decodes to nothing, so the name stays empty and
// only the size is judged.
std::string SeventeenLinesOfSize(std::size_t size) {
    std::string rest = WithLine(0, "");
    return std::string(size - rest.size(), '\x50') + rest;
}

// The first 16 lines of Ann's reading, each ending in CR LF.
std::string SixteenLines() {
    std::string all = WriteReadingFile(test::DelhiBirth(), 34);
    std::size_t end = all.rfind("\r\n", all.size() - 3);
    return all.substr(0, end + 2);
}

INSTANTIATE_TEST_SUITE_P(
    Files, DamagedReadingTest,
    ::testing::Values(
        DamagedCase{"empty_file", ""}, DamagedCase{"one_line_end_only", "\r\n"},
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
        DamagedCase{"control_byte_1", WriteReadingFile(test::DelhiBirth(), 34) + "\x01"},
        DamagedCase{"escape_byte_27", "\x1b[0m"},
        DamagedCase{"forty_one_lines", std::string(41, '\n')},
        DamagedCase{"month_13", WithLine(1, "13")},
        DamagedCase{"month_negative", WithLine(1, "-1")},
        DamagedCase{"month_text", WithLine(1, "March")},
        DamagedCase{"month_fraction", WithLine(1, "2.5")},
        DamagedCase{"zone_text", WithLine(6, "EST")},
        DamagedCase{"zone_fraction", WithLine(6, "3.5")},
        DamagedCase{"name_2001_characters", WithLine(0, std::string(2001, 'A').c_str())},
        DamagedCase{"country_2001_replacement_characters",
                    // "G?" is the stored form of the byte 0xFF, which is no UTF-8
                    WithStoredLine(16, Repeated("G?", 2001))}),
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
    EXPECT_TRUE(ReadReadingFile(WithLine(0, std::string(2000, 'A').c_str())));  // the box's most
}

TEST(ApplyReadingToForm, TruthTextsOtherThanTrueAndFalseLeaveTheOptions) {
    FormInput form;
    form.dayIndex = 4, form.yearIndex = 75, form.hourIndex = 7, form.minuteIndex = 5;
    form.zoneIndex = 34, form.monthIndex = 2;
    form.longitudeHemisphere = 1, form.latitudeHemisphere = 1, form.daylightSaving = 1;
    std::array<std::string, kReadingLines> lines = ListLines();
    lines[6] = "34";
    lines[11] = "true";  // compared exactly
    lines[12] = "";
    lines[13] = "Yes";
    lines[1] = "3";
    ASSERT_TRUE(ApplyReadingToForm(lines, form));
    EXPECT_EQ(form.longitudeHemisphere, 1);
    EXPECT_EQ(form.latitudeHemisphere, 1);
    EXPECT_EQ(form.daylightSaving, 1);
    EXPECT_EQ(form.monthIndex, 2);
}

// A day, year, hour, minute or zone line that is no entry of its list: the reading is refused
// and the form keeps every value it had (the old code kept the list's selection and put the
// other lines in).
struct ListLineCase {
    const char* rowName;
    int line;
    const char* text;
};

class ListLineRefusedTest : public ::testing::TestWithParam<ListLineCase> {};

TEST_P(ListLineRefusedTest, RefusesTheReadingAndLeavesTheForm) {
    FormInput form;
    form.name = "Maria";
    form.dayIndex = 4, form.yearIndex = 75, form.hourIndex = 7, form.minuteIndex = 5;
    form.zoneIndex = 34, form.monthIndex = 2;
    const FormInput before = form;
    std::array<std::string, kReadingLines> lines = ListLines();
    lines[0] = "Ann";
    lines[6] = "12";
    lines[GetParam().line] = GetParam().text;

    EXPECT_FALSE(ApplyReadingToForm(lines, form));
    EXPECT_EQ(form, before);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ListLineRefusedTest,
    ::testing::Values(ListLineCase{"day_0", 2, "0"}, ListLineCase{"day_32", 2, "32"},
                      ListLineCase{"day_empty", 2, ""}, ListLineCase{"year_1904", 3, "1904"},
                      ListLineCase{"year_2051", 3, "2051"}, ListLineCase{"year_80", 3, "80"},
                      ListLineCase{"year_empty", 3, ""}, ListLineCase{"hour_24", 4, "24"},
                      ListLineCase{"hour_07", 4, "07"}, ListLineCase{"hour_minus_1", 4, "-1"},
                      ListLineCase{"minute_60", 5, "60"}, ListLineCase{"minute_text", 5, "five"},
                      ListLineCase{"zone_71", 6, "71"}, ListLineCase{"zone_minus_1", 6, "-1"},
                      ListLineCase{"zone_500", 6, "500"},
                      ListLineCase{"zone_20_digits", 6, "12345678901234567890"}),
    [](const auto& info) { return std::string(info.param.rowName); });

// The first and last entry of each list are taken.
TEST(ApplyReadingToForm, TakesEachListsEnds) {
    FormInput form;
    std::array<std::string, kReadingLines> lines = ListLines();
    lines[2] = "31", lines[3] = "2050", lines[4] = "23", lines[5] = "59", lines[6] = "70";
    ASSERT_TRUE(ApplyReadingToForm(lines, form));
    EXPECT_EQ(form.dayIndex, 30);
    EXPECT_EQ(form.yearIndex, kLastYear - kFirstYear);
    EXPECT_EQ(form.hourIndex, 23);
    EXPECT_EQ(form.minuteIndex, 59);
    EXPECT_EQ(form.zoneIndex, 70);
    lines[2] = "1", lines[3] = "1905", lines[4] = "0", lines[5] = "0", lines[6] = "0";
    ASSERT_TRUE(ApplyReadingToForm(lines, form));
    EXPECT_EQ(form.dayIndex, 0);
    EXPECT_EQ(form.yearIndex, 0);
    EXPECT_EQ(form.hourIndex, 0);
    EXPECT_EQ(form.minuteIndex, 0);
    EXPECT_EQ(form.zoneIndex, 0);
}

// Birth data that a saved reading could not carry back: saving refuses them with the reason, so
// no reading is written that opening refuses.
struct SaveProblemCase {
    const char* rowName;
    void (*change)(BirthData& birth, int& zone);
    const char* problem;  // nullptr: the reading is saved and reads back
};

class ReadingSaveProblemTest : public ::testing::TestWithParam<SaveProblemCase> {};

TEST_P(ReadingSaveProblemTest, NamesWhatWouldNotReadBack) {
    BirthData birth = test::DelhiBirth();
    int zone = 34;
    GetParam().change(birth, zone);
    const std::optional<std::string> problem = ReadingSaveProblem(birth, zone);
    if (GetParam().problem == nullptr) {
        EXPECT_FALSE(problem) << *problem;
        const std::string bytes = WriteReadingFile(birth, zone);
        EXPECT_LE(bytes.size(), kMaxReadingBytes);
        auto lines = ReadReadingFile(bytes);
        ASSERT_TRUE(lines);
        FormInput form;
        EXPECT_TRUE(ApplyReadingToForm(*lines, form));
    } else {
        ASSERT_TRUE(problem);
        EXPECT_EQ(*problem, std::string(GetParam().problem) +
                                ", so the saved reading could not be opened again");
        // What the check stands in front of: the bytes written without it do not open.
        auto lines = ReadReadingFile(WriteReadingFile(birth, zone));
        FormInput form;
        EXPECT_FALSE(lines && ApplyReadingToForm(*lines, form));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Births, ReadingSaveProblemTest,
    ::testing::Values(
        SaveProblemCase{"name_11000_cjk_characters",
                        [](BirthData& b, int&) { b.Name = Repeated("\u6771", 11000); },
                        "the name is longer than 2000 characters"},
        SaveProblemCase{"country_2001_letters",
                        [](BirthData& b, int&) { b.Country = std::string(2001, 'A'); },
                        "the country is longer than 2000 characters"},
        SaveProblemCase{"tab_in_city", [](BirthData& b, int&) { b.City = "Del\thi"; },
                        "the city holds a control character"},
        SaveProblemCase{"year_1904", [](BirthData& b, int&) { b.Year = 1904; },
                        "the year 1904 is not in the form's list"},
        SaveProblemCase{"hour_24", [](BirthData& b, int&) { b.Hour = 24; },
                        "the hour 24 is not in the form's list"},
        SaveProblemCase{"minute_60", [](BirthData& b, int&) { b.Minute = 60; },
                        "the minute 60 is not in the form's list"},
        SaveProblemCase{"day_0", [](BirthData& b, int&) { b.Day = 0; },
                        "the day 0 is not in the form's list"},
        SaveProblemCase{"month_13", [](BirthData& b, int&) { b.Month = 13; },
                        "the month 13 is not in the form's list"},
        SaveProblemCase{"zone_71", [](BirthData&, int& z) { z = 71; },
                        "the time zone position 71 is not in the form's list"},
        SaveProblemCase{"zone_none", [](BirthData&, int& z) { z = -1; },
                        "the time zone position -1 is not in the form's list"},
        SaveProblemCase{"ann", [](BirthData&, int&) {}, nullptr},
        // Every text at the most characters, each at the longest stored form (eight bytes): the
        // largest reading the form can make still opens.
        SaveProblemCase{"four_texts_of_2000_four_byte_characters",
                        [](BirthData& b, int&) {
                            b.Name = b.City = b.State = b.Country = Repeated("\U0001F600", 2000);
                        },
                        nullptr},
        SaveProblemCase{"name_2000_replacement_characters",
                        [](BirthData& b, int&) { b.Name = Repeated("\uFFFD", 2000); }, nullptr},
        SaveProblemCase{"blanks_around_2000_letters_are_trimmed",
                        [](BirthData& b, int&) { b.Name = "  " + std::string(2000, 'A') + "  "; },
                        nullptr}),
    [](const auto& info) { return std::string(info.param.rowName); });

TEST(ApplyReadingToForm, TruthValuesSetTheOptionsAndTheCheckBox) {
    FormInput form;
    std::array<std::string, kReadingLines> lines = ListLines();
    lines[11] = "False", lines[12] = "True", lines[13] = "True";
    ASSERT_TRUE(ApplyReadingToForm(lines, form));
    EXPECT_EQ(form.longitudeHemisphere, 1);  // West
    EXPECT_EQ(form.latitudeHemisphere, 1);   // South
    EXPECT_EQ(form.daylightSaving, 1);
    lines[11] = "True", lines[12] = "False", lines[13] = "False";
    ASSERT_TRUE(ApplyReadingToForm(lines, form));
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
