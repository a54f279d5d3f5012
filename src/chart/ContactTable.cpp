// The contacts of a reading as rows, text, CSV and cell marks.

#include "chart/ContactTable.h"

#include <charconv>

#include "astro/TimeScales.h"

namespace velloran {

namespace {

std::string CsvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

std::string FourDecimals(double value) {
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 4);
    return result.ec == std::errc() ? std::string(buffer, result.ptr) : std::string();
}

void AppendNote(std::string& cellNote, const std::string& note) {
    if (!cellNote.empty()) cellNote += "\n";
    cellNote += note;
}

}  // namespace

std::vector<ContactRow> ContactRows(const std::vector<Contact>& contacts,
                                    const ReadingState& state) {
    std::vector<ContactRow> rows;
    rows.reserve(contacts.size());
    for (const Contact& c : contacts) {
        const int d = static_cast<int>(c.draconic), n = static_cast<int>(c.natal);
        ContactRow row;
        row.draconic = "Draconic " + state.WesternBodyNames[d];
        row.aspect = std::string(AspectGlyph(c.aspect)) + " " + std::string(AspectName(c.aspect));
        row.natal = "Natal " + state.WesternBodyNames[n];
        row.orb = OrbText(c.orbMinutes);
        row.orbDegrees = c.orbMinutes / 60.0;
        row.draconicPosition = CompactSignPosition(state.DraconicPositions[d]);
        row.natalPosition = state.NatalPositions[n];
        rows.push_back(std::move(row));
    }
    return rows;
}

std::array<std::string, kContactColumnCount> RowCells(const ContactRow& row) {
    return {row.draconic, row.aspect, row.natal, row.orb, row.draconicPosition, row.natalPosition};
}

std::string ContactsPlainText(const std::vector<ContactRow>& rows) {
    std::string out;
    for (int i = 0; i < kContactColumnCount; ++i)
        out += std::string(i ? "\t" : "") + kContactColumns[i];
    out += "\n";
    for (const ContactRow& row : rows) {
        const auto cells = RowCells(row);
        for (int i = 0; i < kContactColumnCount; ++i) out += (i ? "\t" : "") + cells[i];
        out += "\n";
    }
    return out;
}

std::string ContactsCsv(const std::vector<ContactRow>& rows) {
    std::string out =
        "Draconic,Aspect,Natal,Orb,Orb (degrees),Draconic position,Natal position\r\n";
    for (const ContactRow& row : rows) {
        out += CsvField(row.draconic) + "," + CsvField(row.aspect) + "," + CsvField(row.natal) +
               "," + CsvField(row.orb) + "," + FourDecimals(row.orbDegrees) + "," +
               CsvField(row.draconicPosition) + "," + CsvField(row.natalPosition) + "\r\n";
    }
    return out;
}

std::string ContactNote(const ContactRow& row) {
    return row.draconic + " " + row.aspect + " " + row.natal + ", orb " + row.orb;
}

void ShowContactMarks(const ReadingState& state, const ContactSettings& settings,
                      ChartWindowModel& window) {
    window.natalColumn.contacts = {};
    window.draconicColumn.contacts = {};
    if (window.pictureInFront != ChartPicture::Comparison) return;
    const std::vector<Contact> contacts = ReadingContacts(state, settings);
    const std::vector<ContactRow> rows = ContactRows(contacts, state);
    for (std::size_t i = 0; i < contacts.size(); ++i) {
        const std::string note = ContactNote(rows[i]);
        AppendNote(window.natalColumn.contacts[static_cast<int>(contacts[i].natal)], note);
        AppendNote(window.draconicColumn.contacts[static_cast<int>(contacts[i].draconic)], note);
    }
}

}  // namespace velloran
