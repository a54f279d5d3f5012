// The contacts of a reading as rows, text, CSV and cell marks.

#include "chart/ContactTable.h"

#include <charconv>

#include "astro/TimeScales.h"

namespace velloran {

std::string CsvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

namespace {

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

std::vector<ContactRow> ContactRowsBetween(const std::vector<Contact>& contacts,
                                           const BodyTextList& draconicPositions,
                                           const BodyTextList& otherPositions,
                                           std::string_view otherPrefix, bool otherFirst) {
    std::vector<ContactRow> rows;
    rows.reserve(contacts.size());
    for (const Contact& c : contacts) {
        const int d = static_cast<int>(c.draconic), n = static_cast<int>(c.natal);
        ContactRow row;
        row.draconic = "Draconic " + std::string(kWesternBodyNames[d]);
        row.aspect = std::string(AspectGlyph(c.aspect)) + " " + std::string(AspectName(c.aspect));
        row.natal = std::string(otherPrefix) + std::string(kWesternBodyNames[n]);
        row.orb = OrbText(c.orbMinutes);
        row.orbDegrees = c.orbMinutes / 60.0;
        row.draconicPosition = CompactSignPosition(draconicPositions[d]);
        row.natalPosition = otherPositions[n];
        row.otherFirst = otherFirst;
        rows.push_back(std::move(row));
    }
    return rows;
}

std::vector<ContactRow> ContactRows(const std::vector<Contact>& contacts,
                                    const ReadingState& state) {
    return ContactRowsBetween(contacts, state.DraconicPositions, state.NatalPositions, "Natal ");
}

std::array<std::string, kContactColumnCount> RowCells(const ContactRow& row) {
    if (row.otherFirst)
        return {row.natal, row.aspect,        row.draconic,
                row.orb,   row.natalPosition, row.draconicPosition};
    return {row.draconic, row.aspect, row.natal, row.orb, row.draconicPosition, row.natalPosition};
}

std::string ContactsPlainText(const std::vector<ContactRow>& rows, const ContactColumns& columns) {
    std::string out;
    for (int i = 0; i < kContactColumnCount; ++i) out += std::string(i ? "\t" : "") + columns[i];
    out += "\n";
    for (const ContactRow& row : rows) {
        const auto cells = RowCells(row);
        for (int i = 0; i < kContactColumnCount; ++i) out += (i ? "\t" : "") + cells[i];
        out += "\n";
    }
    return out;
}

std::string ContactsCsv(const std::vector<ContactRow>& rows, const ContactColumns& columns) {
    std::string out;
    for (int i = 0; i < kContactColumnCount; ++i) {
        out += std::string(i ? "," : "") + CsvField(columns[i]);
        if (i == 3) out += ",Orb (degrees)";
    }
    out += "\r\n";
    for (const ContactRow& row : rows) {
        const auto cells = RowCells(row);
        for (int i = 0; i < kContactColumnCount; ++i) {
            out += std::string(i ? "," : "") + CsvField(cells[i]);
            if (i == 3) out += "," + FourDecimals(row.orbDegrees);
        }
        out += "\r\n";
    }
    return out;
}

std::string ContactNote(const ContactRow& row) {
    const auto cells = RowCells(row);
    return cells[0] + " " + cells[1] + " " + cells[2] + ", orb " + cells[3];
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
