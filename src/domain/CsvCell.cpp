#include "domain/CsvCell.h"

#include "domain/Text.h"

namespace velloran {

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

bool StartsFormula(std::string_view text) {
    return !text.empty() &&
           std::string_view("=+-@\t\r").find(text.front()) != std::string_view::npos;
}

// The text as valid UTF-8 without NUL (each bad byte as U+FFFD).
std::string CleanText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = Utf8SequenceLength(text, i);
        if (length == 0 || text[i] == '\0') {
            out += kReplacement;
            ++i;
        } else {
            out.append(text.substr(i, length));
            i += length;
        }
    }
    return out;
}

}  // namespace

bool IsCleanText(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = Utf8SequenceLength(text, i);
        if (length == 0 || text[i] == '\0') return false;
        i += length;
    }
    return true;
}

void AppendCsvField(std::string& row, std::string_view field) {
    std::string cleaned;
    if (!IsCleanText(field)) {
        cleaned = CleanText(field);
        field = cleaned;
    }
    const bool formula = StartsFormula(field);
    if (field.find_first_of(",\"\r\n") == std::string_view::npos) {
        if (formula) row += '\'';
        row.append(field);
        return;
    }
    row += '"';
    if (formula) row += '\'';
    for (char c : field) {
        if (c == '"') row += '"';
        row += c;
    }
    row += '"';
}

std::string CsvCell(std::string_view field) {
    std::string cell;
    AppendCsvField(cell, field);
    return cell;
}

}  // namespace velloran
