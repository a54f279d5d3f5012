#pragma once
// Comma-separated values as RFC 4180 has them: fields parted by commas, rows by line breaks (CR LF
// or LF), a field in double quotes may hold commas, line breaks and quotes (doubled).

#include <string>
#include <string_view>
#include <vector>

namespace velloran {

struct CsvRow {
    std::vector<std::string> fields;
    int line = 0;  // the line the row starts on, from 1
};

// The rows of a text, or the first problem: a quote left open to the end, a character after a
// closing quote, a quote inside a field that does not start with one. A UTF-8 byte-order mark at
// the start is skipped; a line break at the end makes no empty row.
struct CsvTable {
    std::vector<CsvRow> rows;
    std::string error;  // empty when the whole text was read
    int errorLine = 0;  // where the problem starts, from 1
};
CsvTable ReadCsv(std::string_view text);

// One row ending in CR LF; a field with a comma, quote, CR or LF is quoted, its quotes doubled.
std::string WriteCsvRow(const std::vector<std::string>& fields);
void AppendCsvField(std::string& row, std::string_view field);

}  // namespace velloran
