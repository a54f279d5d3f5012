#include "collection/Csv.h"

namespace velloran {

CsvTable ReadCsv(std::string_view text) {
    CsvTable table;
    constexpr std::string_view kBom = "\xEF\xBB\xBF";
    if (text.substr(0, kBom.size()) == kBom) text.remove_prefix(kBom.size());
    std::size_t i = 0;
    int line = 1;
    const auto fail = [&table](std::string why, int at) {
        table.error = std::move(why);
        table.errorLine = at;
        return std::move(table);
    };
    // A line break at i: CR LF, LF or a lone CR; its length, 0 when there is none.
    const auto lineBreak = [&text](std::size_t at) -> std::size_t {
        if (at >= text.size()) return 0;
        if (text[at] == '\n') return 1;
        if (text[at] == '\r') return at + 1 < text.size() && text[at + 1] == '\n' ? 2 : 1;
        return 0;
    };
    while (i < text.size()) {
        CsvRow row;
        row.line = line;
        while (true) {
            std::string field;
            if (i < text.size() && text[i] == '"') {
                const int opened = line;
                ++i;
                while (true) {
                    if (i >= text.size()) return fail("a quoted field is not closed", opened);
                    if (text[i] == '"') {
                        if (i + 1 < text.size() && text[i + 1] == '"') {
                            field += '"';
                            i += 2;
                            continue;
                        }
                        ++i;
                        break;
                    }
                    if (const std::size_t n = lineBreak(i)) {
                        field.append(text.substr(i, n));
                        i += n;
                        ++line;
                        continue;
                    }
                    field += text[i++];
                }
                if (i < text.size() && text[i] != ',' && lineBreak(i) == 0)
                    return fail("a character follows a closing quote", line);
            } else {
                while (i < text.size() && text[i] != ',' && lineBreak(i) == 0) {
                    if (text[i] == '"')
                        return fail("a quote inside a field that is not quoted", line);
                    field += text[i++];
                }
            }
            row.fields.push_back(std::move(field));
            if (i < text.size() && text[i] == ',') {
                ++i;
                continue;
            }
            i += lineBreak(i);
            ++line;
            break;
        }
        table.rows.push_back(std::move(row));
    }
    return table;
}

void AppendCsvField(std::string& row, std::string_view field) {
    if (field.find_first_of(",\"\r\n") == std::string_view::npos) {
        row.append(field);
        return;
    }
    row += '"';
    for (char c : field) {
        if (c == '"') row += '"';
        row += c;
    }
    row += '"';
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
