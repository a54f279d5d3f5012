#pragma once
// The draconic chart laid against another chart: a partner's natal chart (draconic synastry,
// both ways round) or the sky of a moment (transits to the draconic chart). Same aspects, orbs
// and ordering as the reading's own natal-draconic contacts.

#include <string>
#include <vector>

#include "chart/ChartModel.h"
#include "chart/ContactTable.h"
#include "chart/Contacts.h"
#include "input/ReadingState.h"
#include "reading/Sky.h"

namespace velloran {

// One list of contacts with its title ("Ann Example's draconic chart on Tom Older's natal
// chart"; empty for a reading's own contacts) and column titles.
struct ContactGroup {
    std::string title;
    ContactColumns columns = kContactColumns;
    std::vector<Contact> contacts;
    std::vector<ContactRow> rows;
};

// Contacts of one chart's draconic bodies with another chart's bodies (its natal chart, or the
// sky). Between two charts every pair tells something, the nodes' too: settings.nodePairs is not
// consulted.
std::vector<Contact> ContactsWith(const Chart& draconic, const Chart& other,
                                  const ContactSettings& settings);

// The reading's own contacts, as one untitled group.
ContactGroup OwnContactGroup(const ReadingState& reading, const ContactSettings& settings);
// Synastry: the reading's draconic chart on the other reading's natal chart, then the other
// reading's draconic chart on this reading's natal chart.
std::vector<ContactGroup> SynastryGroups(const ReadingState& reading, const ReadingState& other,
                                         const ContactSettings& settings);
// Transits: the sky's bodies against the reading's draconic bodies; rows "Transiting Saturn",
// aspect, "Draconic Moon".
ContactGroup SkyGroup(const ReadingState& reading, const SkyChart& sky,
                      const ContactSettings& settings);

// "Sky on 2000-01-01 12:00 UT".
std::string SkyName(const SkyMoment& moment);

// Text for the clipboard and the CSV file of one or more groups: a single group as its table; more
// than one, each under its title (text) or with a first column naming it (CSV).
std::string GroupsPlainText(const std::vector<ContactGroup>& groups);
std::string GroupsCsv(const std::vector<ContactGroup>& groups);

// The comparison view with another chart on the inner ring in place of the reading's natal
// chart: its house texts and sign pictures, its positions in the natal column (under
// columnCaption), its name in the inner ring's legend.
void ShowComparisonWith(ReadingState& state, const Chart& inner, const BodyTextList& innerLabels,
                        const BodyTextList& innerPositions, const std::string& innerLegend,
                        const std::string& columnCaption, ChartWindowModel& window);
// Marks the cells of the comparison view from the contacts of a group between the reading's
// draconic chart and the inner ring's chart (the draconic column and the natal column).
void ShowGroupMarks(const ContactGroup& group, ChartWindowModel& window);

}  // namespace velloran
