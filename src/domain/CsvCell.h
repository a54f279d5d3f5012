#pragma once
// The cells of every CSV file the program writes (batch output, contacts): quoted as RFC 4180
// has them, always valid UTF-8, and never read as a formula by a spreadsheet.

#include <string>
#include <string_view>

namespace velloran {

// Appends one cell of text to a CSV row. Bytes that are not UTF-8 (a lone or overlong byte, an
// encoded surrogate) and NUL become U+FFFD; a text that starts with '=', '+', '-', '@', a tab or
// a carriage return, which spreadsheets take for a formula, gets a single quote in front; a cell
// with a comma, quote, CR or LF is quoted, its quotes doubled. Numbers the program formats go in
// as they are, not through here.
void AppendCsvField(std::string& row, std::string_view field);
// The same cell on its own.
std::string CsvCell(std::string_view field);

// True when text is valid UTF-8 without NUL: the cell of it holds the same characters.
bool IsCleanText(std::string_view text);

}  // namespace velloran
