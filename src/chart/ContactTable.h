#pragma once
// The contacts of a reading as the program shows them: table rows, the copied text, the CSV file
// and the marks of the comparison view's position cells.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "chart/ChartModel.h"
#include "chart/Contacts.h"
#include "input/ReadingState.h"

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

// Rows of contacts found in state, in the same order; body names from WesternBodyNames, positions
// from the reading's texts (the draconic ones after the draconic fill).
std::vector<ContactRow> ContactRows(const std::vector<Contact>& contacts,
                                    const ReadingState& state);

// Rows of contacts between a draconic chart and another chart (ChartBody order lists): "Draconic
// Sun" and otherPrefix + the other body's name ("Natal Moon", "Transiting Saturn"), the draconic
// position cut to compact form from its long form, the other's as it stands; otherFirst as each
// ContactRow's.
std::vector<ContactRow> ContactRowsBetween(const std::vector<Contact>& contacts,
                                           const BodyTextList& draconicPositions,
                                           const BodyTextList& otherPositions,
                                           std::string_view otherPrefix, bool otherFirst = false);

// The six texts of a row in column order.
std::array<std::string, kContactColumnCount> RowCells(const ContactRow& row);

// Plain text for the clipboard: the column titles, then one line per row, fields separated by
// tabs, each line ending in a line feed.
std::string ContactsPlainText(const std::vector<ContactRow>& rows,
                              const ContactColumns& columns = kContactColumns);

// CSV file (RFC 4180, UTF-8, CR LF): the column titles with "Orb (degrees)" after "Orb", then
// one record per row; the orb in degrees with four decimals and a '.' separator.
std::string ContactsCsv(const std::vector<ContactRow>& rows,
                        const ContactColumns& columns = kContactColumns);
// One CSV field, quoted when it holds a comma, a quote or a line break.
std::string CsvField(const std::string& text);

// "Draconic Moon ☍ opposition Natal Sun, orb 0° 3'".
std::string ContactNote(const ContactRow& row);

// Marks the position cells of the bodies that take part in a contact with the contacts named
// (the position columns' contacts), in the comparison view only; every other view has no marks.
void ShowContactMarks(const ReadingState& state, const ContactSettings& settings,
                      ChartWindowModel& window);

}  // namespace velloran
