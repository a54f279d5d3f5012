#include <gtest/gtest.h>

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

}  // namespace
}  // namespace velloran
