#pragma once
// Comma-separated values as RFC 4180 has them: fields parted by commas, rows by line breaks (CR LF
// or LF), a field in double quotes may hold commas, line breaks and quotes (doubled).

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "domain/CsvCell.h"

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

// Where a reader takes its text in pieces: puts up to `size` bytes at `into` and returns how
// many, 0 at the end; nothing when the text cannot be read.
using TextSource = std::function<std::optional<std::size_t>(char* into, std::size_t size)>;

// The rows of a text one at a time, as ReadCsv reads them, so a long file's rows need not all
// be held at once.
class CsvReader {
public:
    // Over a whole text, which must outlive the reader.
    explicit CsvReader(std::string_view text);
    // Over a text read in pieces as the rows need it: only the row being read and a little more
    // is held. A row longer than rowLimit bytes is a problem.
    CsvReader(TextSource source, std::size_t rowLimit);
    // The next row; false at the end of the text or at its first problem (error() then says).
    bool Next(CsvRow& row);
    const std::string& error() const { return m_error; }
    int errorLine() const { return m_errorLine; }

private:
    // True when the text has a byte at `at`, reading more from the source as needed.
    bool Have(std::size_t at);
    bool Fail(std::string why, int at);
    // The line break at `at` (CR LF, LF or a lone CR): its length, 0 when there is none.
    std::size_t LineBreak(std::size_t at);

    TextSource m_source;
    std::string m_buffer;     // the text read from the source and not yet dropped
    std::string_view m_text;  // the whole text, or m_buffer
    std::size_t m_at = 0;
    std::size_t m_rowLimit = std::string::npos;
    int m_line = 1;
    bool m_failed = false;
    bool m_unreadable = false;  // the source failed
    std::string m_error;
    int m_errorLine = 0;
};

// One row ending in CR LF, each field a cell as AppendCsvField (domain/CsvCell.h) writes it.
std::string WriteCsvRow(const std::vector<std::string>& fields);

}  // namespace velloran
