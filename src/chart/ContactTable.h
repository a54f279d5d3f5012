#pragma once
// The contacts of a reading as the program shows them: table rows, the copied text, the CSV file
// and the marks of the comparison view's position cells.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "chart/ChartModel.h"
#include "reading/Against.h"
#include "reading/Contacts.h"

namespace velloran {

struct ContactRow {
    std::string draconic;          // "Draconic Sun"
    std::string aspect;            // "☍ opposition"
    std::string natal;             // "Natal Moon"
    std::string orb;               // "0° 42'"
    double orbDegrees = 0.0;       // unrounded
    std::string draconicPosition;  // compact form, "24 Can 58"
    std::string natalPosition;     // compact form, "24 Cap 55"
    // The other chart's body comes first in the cells (transits: "Transiting Saturn", aspect,
    // "Draconic Moon"); natal and natalPosition then hold the transiting body.
    bool otherFirst = false;
};

inline constexpr int kContactColumnCount = 6;
using ContactColumns = std::array<const char*, kContactColumnCount>;
inline constexpr ContactColumns kContactColumns = {
    "Draconic", "Aspect", "Natal", "Orb", "Draconic position", "Natal position"};

// The rows of a group's contacts, in the same order: "Draconic Sun", the aspect, "Natal Moon"
// (a natal chart) or "Transiting Saturn" (the sky, whose body then comes first in the cells), the
// orb, and both bodies' compact positions.
std::vector<ContactRow> GroupRows(const ContactGroup& group);
// The group's column titles: kContactColumns, or for the sky "Transiting", "Aspect", "Draconic"...
const ContactColumns& GroupColumns(const ContactGroup& group);

// The six texts of a row in column order.
std::array<std::string, kContactColumnCount> RowCells(const ContactRow& row);

// Plain text for the clipboard: the column titles, then one line per row, fields separated by
// tabs, each line ending in a line feed.
std::string ContactsPlainText(const std::vector<ContactRow>& rows,
                              const ContactColumns& columns = kContactColumns);

// CSV file (RFC 4180, UTF-8, CR LF): the column titles with "Orb (degrees)" after "Orb", then
// one record per row; the orb in degrees with four decimals and a '.' separator. Each text cell
// as CsvCell writes it (never read as a formula).
std::string ContactsCsv(const std::vector<ContactRow>& rows,
                        const ContactColumns& columns = kContactColumns);
// "Draconic Moon ☍ opposition Natal Sun, orb 0° 3'".
std::string ContactNote(const ContactRow& row);

// Text for the clipboard and the CSV file of one or more groups: a single group as its table; more
// than one, each under its title (text) or with a first column naming it (CSV).
std::string GroupsPlainText(const std::vector<ContactGroup>& groups);
std::string GroupsCsv(const std::vector<ContactGroup>& groups);

// Marks the position cells of the bodies that take part in the group's contacts (the draconic
// column and the natal column, which shows the group's other chart) with the contacts named, in
// the comparison view only; every other view has no marks.
void MarkContacts(const ContactGroup& group, ChartWindowModel& window);

}  // namespace velloran
