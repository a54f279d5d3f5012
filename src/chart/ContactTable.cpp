// The contacts of a reading as rows, text, CSV and cell marks.

#include "chart/ContactTable.h"

#include <charconv>

#include "chart/ChartWindow.h"
#include "domain/CsvCell.h"

namespace velloran {

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

std::vector<ContactRow> GroupRows(const ContactGroup& group) {
    const bool sky = group.kind == OtherChart::Sky;
    const std::string_view otherPrefix = sky ? "Transiting " : "Natal ";
    std::vector<ContactRow> rows;
    rows.reserve(group.contacts.size());
    for (const Contact& c : group.contacts) {
        const int d = static_cast<int>(c.draconic), n = static_cast<int>(c.natal);
        ContactRow row;
        row.draconic = "Draconic " + std::string(kWesternBodyNames[d]);
        row.aspect = std::string(AspectGlyph(c.aspect)) + " " + std::string(AspectName(c.aspect));
        row.natal = std::string(otherPrefix) + std::string(kWesternBodyNames[n]);
        row.orb = OrbText(c.orbMinutes);
        row.orbDegrees = c.orbMinutes / 60.0;
        row.draconicPosition = CompactPosition(group.draconic.bodies[d]);
        row.natalPosition = CompactPosition(group.other.bodies[n]);
        row.otherFirst = sky;
        rows.push_back(std::move(row));
    }
    return rows;
}

const ContactColumns& GroupColumns(const ContactGroup& group) {
    static constexpr ContactColumns kSkyColumns = {
        "Transiting", "Aspect", "Draconic", "Orb", "Transiting position", "Draconic position"};
    return group.kind == OtherChart::Sky ? kSkyColumns : kContactColumns;
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
        out += std::string(i ? "," : "") + CsvCell(columns[i]);
        if (i == 3) out += ",Orb (degrees)";
    }
    out += "\r\n";
    for (const ContactRow& row : rows) {
        const auto cells = RowCells(row);
        for (int i = 0; i < kContactColumnCount; ++i) {
            out += std::string(i ? "," : "") + CsvCell(cells[i]);
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

std::string GroupsPlainText(const std::vector<ContactGroup>& groups) {
    if (groups.size() == 1) return ContactsPlainText(GroupRows(groups[0]), GroupColumns(groups[0]));
    std::string out;
    for (std::size_t g = 0; g < groups.size(); ++g) {
        if (g) out += "\n";
        out += groups[g].title + "\n" +
               ContactsPlainText(GroupRows(groups[g]), GroupColumns(groups[g]));
    }
    return out;
}

std::string GroupsCsv(const std::vector<ContactGroup>& groups) {
    if (groups.size() == 1) return ContactsCsv(GroupRows(groups[0]), GroupColumns(groups[0]));
    // One table: the groups share their columns, and a first column names each row's group.
    std::string out;
    for (std::size_t g = 0; g < groups.size(); ++g) {
        const std::string csv = ContactsCsv(GroupRows(groups[g]), GroupColumns(groups[g]));
        std::size_t line = 0;
        for (std::size_t at = 0; at < csv.size(); ++line) {
            const std::size_t end = csv.find("\r\n", at) + 2;
            if (line == 0) {
                if (g == 0) out += "Charts," + csv.substr(at, end - at);
            } else {
                out += CsvCell(groups[g].title) + "," + csv.substr(at, end - at);
            }
            at = end;
        }
    }
    return out;
}

void MarkContacts(const ContactGroup& group, ChartWindowModel& window) {
    window.natalColumn.contacts = {};
    window.draconicColumn.contacts = {};
    if (window.pictureInFront != ChartPicture::Comparison) return;
    const std::vector<ContactRow> rows = GroupRows(group);
    for (std::size_t i = 0; i < group.contacts.size(); ++i) {
        const std::string note = ContactNote(rows[i]);
        AppendNote(window.natalColumn.contacts[static_cast<int>(group.contacts[i].natal)], note);
        AppendNote(window.draconicColumn.contacts[static_cast<int>(group.contacts[i].draconic)],
                   note);
    }
}

}  // namespace velloran
