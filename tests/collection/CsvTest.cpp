#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "collection/Csv.h"

namespace velloran {
namespace {

using Rows = std::vector<std::vector<std::string>>;

Rows FieldsOf(const CsvTable& table) {
    Rows rows;
    for (const CsvRow& row : table.rows) rows.push_back(row.fields);
    return rows;
}

struct ReadCase {
    const char* what;
    std::string text;
    Rows rows;
};

TEST(CsvTest, ReadsRowsAsTheStandardHasThem) {
    const std::vector<ReadCase> cases = {
        {"plain fields, LF", "a,b,c\n1,2,3\n", {{"a", "b", "c"}, {"1", "2", "3"}}},
        {"CRLF", "a,b\r\n1,2\r\n", {{"a", "b"}, {"1", "2"}}},
        {"no break at the end", "a,b\r\n1,2", {{"a", "b"}, {"1", "2"}}},
        {"comma inside quotes", "\"Smith, Ann\",x\n", {{"Smith, Ann", "x"}}},
        {"doubled quotes", "\"say \"\"hi\"\"\",\"\"\"\"\n", {{"say \"hi\"", "\""}}},
        {"line breaks inside quotes", "\"one\r\ntwo\nthree\",z\n", {{"one\r\ntwo\nthree", "z"}}},
        {"empty fields", ",,\n\"\",x,\n", {{"", "", ""}, {"", "x", ""}}},
        {"byte-order mark", "\xEF\xBB\xBFname,date\n", {{"name", "date"}}},
        {"mark only at the start",
         "a\n\xEF\xBB\xBF"
         "b\n",
         {{"a"},
          {"\xEF\xBB\xBF"
           "b"}}},
        {"blanks kept", " a , b \n", {{" a ", " b "}}},
        {"blank line", "a\n\nb\n", {{"a"}, {""}, {"b"}}},
        {"UTF-8 text", "Zürich,Genève\n", {{"Zürich", "Genève"}}},
    };
    for (const ReadCase& c : cases) {
        const CsvTable table = ReadCsv(c.text);
        EXPECT_EQ(table.error, "") << c.what;
        EXPECT_EQ(FieldsOf(table), c.rows) << c.what;
    }
}

TEST(CsvTest, RowsKnowTheLineTheyStartOn) {
    const CsvTable table = ReadCsv("h1,h2\r\n\"two\nlines\",x\r\nlast,row\r\n");
    ASSERT_EQ(table.rows.size(), 3u);
    EXPECT_EQ(table.rows[0].line, 1);
    EXPECT_EQ(table.rows[1].line, 2);
    EXPECT_EQ(table.rows[2].line, 4);
}

struct BadCase {
    const char* what;
    std::string text;
    int line;
    const char* error;
};

TEST(CsvTest, ReportsWhatCannotBeReadWithItsLine) {
    const std::vector<BadCase> cases = {
        {"unterminated quote", "a,b\n1,\"open\nstill open\n", 2, "a quoted field is not closed"},
        {"unterminated at the very end", "\"", 1, "a quoted field is not closed"},
        {"text after a closing quote", "a\n\"x\"y,z\n", 2, "a character follows a closing quote"},
        {"quote inside a plain field", "a\nb\nab\"c\n", 3,
         "a quote inside a field that is not quoted"},
    };
    for (const BadCase& c : cases) {
        const CsvTable table = ReadCsv(c.text);
        EXPECT_EQ(table.error, c.error) << c.what;
        EXPECT_EQ(table.errorLine, c.line) << c.what;
    }
}

TEST(CsvTest, WrittenRowsReadBackAsTheyWere) {
    const Rows rows = {{"plain", "with, comma", "with \"quotes\"", ""},
                       {"two\nlines", "cr\rlf\r\n", "\"", "end"}};
    std::string text;
    for (const auto& row : rows) text += WriteCsvRow(row);
    EXPECT_EQ(WriteCsvRow(rows[0]), "plain,\"with, comma\",\"with \"\"quotes\"\"\",\r\n");
    const CsvTable table = ReadCsv(text);
    EXPECT_EQ(table.error, "");
    EXPECT_EQ(FieldsOf(table), rows);
}

TEST(CsvTest, ACellIsTextASpreadsheetDoesNotRun) {
    struct CellCase {
        const char* what;
        std::string text;
        std::string cell;
    };
    const std::vector<CellCase> cases = {
        {"plain", "Ann Example", "Ann Example"},
        {"formula", "=HYPERLINK(\"http://evil.example/\")",
         "\"'=HYPERLINK(\"\"http://evil.example/\"\")\""},
        {"plus", "+cmd|' /C calc'!A0", "'+cmd|' /C calc'!A0"},
        {"minus", "-2+3", "'-2+3"},
        {"at", "@SUM(1)", "'@SUM(1)"},
        {"tab", "\tx", "'\tx"},
        {"carriage return", "\rx", "\"'\rx\""},
        {"formula with a comma", "=A1,B1", "\"'=A1,B1\""},
        {"sign inside", "a=b-c", "a=b-c"},
        {"empty", "", ""},
        {"NUL", std::string("a\0b", 3), "a\uFFFDb"},
        {"lone byte",
         "a\xFF"
         "b",
         "a\uFFFDb"},
        {"encoded surrogate", "\xED\xA0\x80", "\uFFFD\uFFFD\uFFFD"},
        {"overlong slash", "\xC0\xAF", "\uFFFD\uFFFD"},
        {"cut short at the end", "Z\xC3", "Z\uFFFD"},
        {"UTF-8 kept", "Zürich 𝄞", "Zürich 𝄞"},
    };
    for (const CellCase& c : cases) {
        EXPECT_EQ(CsvCell(c.text), c.cell) << c.what;
        EXPECT_EQ(IsCleanText(c.text), CsvCell(c.text).find("\uFFFD") == std::string::npos)
            << c.what;
    }
}

// A source that gives its text `step` bytes at a time.
TextSource Pieces(std::string text, std::size_t step) {
    return [text = std::move(text), step, at = std::size_t{0}](
               char* into, std::size_t size) mutable -> std::optional<std::size_t> {
        const std::size_t n = std::min({size, step, text.size() - at});
        text.copy(into, n, at);
        at += n;
        return n;
    };
}

TEST(CsvTest, ReadInPiecesAsReadWhole) {
    // Every piece boundary: inside quotes, between CR and LF, inside the byte-order mark.
    std::string text = "\xEF\xBB\xBFh1,h2\r\n\"two\r\nlines, \"\"q\"\"\",x\r\n\nlast,row\r";
    for (int i = 0; i < 3000; ++i)
        text += "r" + std::to_string(i) + ",\"v, " + std::to_string(i) + "\"\n";
    const CsvTable whole = ReadCsv(text);
    ASSERT_EQ(whole.error, "");
    for (const std::size_t step : {std::size_t{1}, std::size_t{2}, std::size_t{7}, text.size()}) {
        CsvReader reader(Pieces(text, step), 1000);
        CsvTable read;
        for (CsvRow row; reader.Next(row);) read.rows.push_back(row);
        EXPECT_EQ(reader.error(), "") << step;
        EXPECT_EQ(FieldsOf(read), FieldsOf(whole)) << step;
        ASSERT_EQ(read.rows.size(), whole.rows.size());
        EXPECT_EQ(read.rows.back().line, whole.rows.back().line) << step;
    }
    // A problem is found at its line, a row past the limit is one, and so is a failed read.
    CsvReader open(Pieces("a\nb,\"c\n", 3), 1000);
    CsvRow row;
    EXPECT_TRUE(open.Next(row));
    EXPECT_FALSE(open.Next(row));
    EXPECT_EQ(open.error(), "a quoted field is not closed");
    EXPECT_EQ(open.errorLine(), 2);
    CsvReader longRow(Pieces("a\n" + std::string(50, 'x') + "\n", 4), 40);
    EXPECT_TRUE(longRow.Next(row));
    EXPECT_FALSE(longRow.Next(row));
    EXPECT_EQ(longRow.error(), "a row is longer than 40 bytes");
    CsvReader failing([](char*, std::size_t) { return std::optional<std::size_t>(); }, 40);
    EXPECT_FALSE(failing.Next(row));
    EXPECT_EQ(failing.error(), "the file cannot be read");
}

}  // namespace
}  // namespace velloran
