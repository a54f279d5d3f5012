#include "collection/Csv.h"

namespace velloran {

namespace {

// Text a reader of pieces keeps before it drops what its rows have used.
constexpr std::size_t kKeptText = std::size_t{1} << 20;
// Bytes asked of a source at a time.
constexpr std::size_t kPiece = std::size_t{1} << 16;

}  // namespace

CsvReader::CsvReader(std::string_view text) : m_text(text) {}

CsvReader::CsvReader(TextSource source, std::size_t rowLimit)
    : m_source(std::move(source)), m_rowLimit(rowLimit) {}

bool CsvReader::Have(std::size_t at) {
    while (at >= m_text.size() && m_source) {
        const std::size_t had = m_buffer.size();
        m_buffer.resize(had + kPiece);
        const std::optional<std::size_t> got = m_source(m_buffer.data() + had, kPiece);
        m_buffer.resize(had + got.value_or(0));
        m_text = m_buffer;
        if (!got) m_unreadable = true;
        if (got.value_or(0) == 0) m_source = nullptr;
    }
    return at < m_text.size();
}

bool CsvReader::Fail(std::string why, int at) {
    m_error = std::move(why);
    m_errorLine = at;
    m_failed = true;
    return false;
}

std::size_t CsvReader::LineBreak(std::size_t at) {
    if (!Have(at)) return 0;
    if (m_text[at] == '\n') return 1;
    if (m_text[at] == '\r') return Have(at + 1) && m_text[at + 1] == '\n' ? 2 : 1;
    return 0;
}

bool CsvReader::Next(CsvRow& row) {
    row.fields.clear();
    row.line = m_line;
    if (m_failed) return false;
    if (m_at == 0 && m_line == 1) {
        constexpr std::string_view kBom = "\xEF\xBB\xBF";
        Have(kBom.size() - 1);
        if (m_text.substr(0, kBom.size()) == kBom) m_at = kBom.size();
    }
    // What the rows read so far used is dropped now and then, so the text kept stays short.
    if (!m_buffer.empty() && m_at >= kKeptText) {
        m_buffer.erase(0, m_at);
        m_text = m_buffer;
        m_at = 0;
    }
    if (!Have(m_at)) return m_unreadable ? Fail("the file cannot be read", m_line) : false;
    const std::size_t rowStart = m_at;
    std::size_t& i = m_at;
    while (true) {
        if (i - rowStart > m_rowLimit)
            return Fail("a row is longer than " + std::to_string(m_rowLimit) + " bytes", row.line);
        std::string field;
        if (Have(i) && m_text[i] == '"') {
            const int opened = m_line;
            ++i;
            while (true) {
                if (!Have(i)) return Fail("a quoted field is not closed", opened);
                if (i - rowStart > m_rowLimit)
                    return Fail("a row is longer than " + std::to_string(m_rowLimit) + " bytes",
                                row.line);
                if (m_text[i] == '"') {
                    if (Have(i + 1) && m_text[i + 1] == '"') {
                        field += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                if (const std::size_t n = LineBreak(i)) {
                    field.append(m_text.substr(i, n));
                    i += n;
                    ++m_line;
                    continue;
                }
                field += m_text[i++];
            }
            if (Have(i) && m_text[i] != ',' && LineBreak(i) == 0)
                return Fail("a character follows a closing quote", m_line);
        } else {
            const std::size_t start = i;
            while (Have(i) && m_text[i] != ',' && m_text[i] != '\n' && m_text[i] != '\r') {
                if (m_text[i] == '"')
                    return Fail("a quote inside a field that is not quoted", m_line);
                if (i - rowStart > m_rowLimit)
                    return Fail("a row is longer than " + std::to_string(m_rowLimit) + " bytes",
                                row.line);
                ++i;
            }
            field.assign(m_text.substr(start, i - start));
        }
        if (m_unreadable) return Fail("the file cannot be read", m_line);
        row.fields.push_back(std::move(field));
        if (Have(i) && m_text[i] == ',') {
            ++i;
            continue;
        }
        i += LineBreak(i);
        ++m_line;
        return true;
    }
}

CsvTable ReadCsv(std::string_view text) {
    CsvTable table;
    CsvReader reader(text);
    for (CsvRow row; reader.Next(row);) table.rows.push_back(std::move(row));
    if (!reader.error().empty()) {
        table.error = reader.error();
        table.errorLine = reader.errorLine();
    }
    return table;
}

std::string WriteCsvRow(const std::vector<std::string>& fields) {
    std::string row;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i) row += ',';
        AppendCsvField(row, fields[i]);
    }
    return row + "\r\n";
}

}  // namespace velloran
