#pragma once
// The draconic chart laid against another chart: the reading's own natal chart, a partner's
// natal chart (draconic synastry, both ways round) or the sky of a moment (transits to the
// draconic chart). Same aspects, orbs and ordering everywhere.

#include <string>
#include <vector>

#include "domain/Chart.h"
#include "reading/Contacts.h"
#include "reading/Reading.h"
#include "reading/Sky.h"

namespace velloran {

// What the other chart of a group is: a natal chart, or the sky (its bodies transit).
enum class OtherChart { Natal, Sky };

// One list of contacts with its title ("Ann Example's draconic chart on Tom Older's natal
// chart"; empty for a reading's own contacts) and the two charts its contacts join.
struct ContactGroup {
    std::string title;
    OtherChart kind = OtherChart::Natal;
    std::vector<Contact> contacts;  // Contact::natal names the other chart's body
    Chart draconic;
    Chart other;
};

// Contacts of one chart's draconic bodies with another chart's bodies (its natal chart, or the
// sky). Between two charts every pair tells something, the nodes' too: settings.nodePairs is not
// consulted.
std::vector<Contact> ContactsWith(const Chart& draconic, const Chart& other,
                                  const ContactSettings& settings);

// The reading's own contacts, as one untitled group.
ContactGroup OwnContactGroup(const Reading& reading, const ContactSettings& settings);
// Synastry: the reading's draconic chart on the other reading's natal chart, then the other
// reading's draconic chart on this reading's natal chart.
std::vector<ContactGroup> SynastryGroups(const Reading& reading, const Reading& other,
                                         const ContactSettings& settings);
// Transits: the sky's bodies against the reading's draconic bodies.
ContactGroup SkyGroup(const Reading& reading, const SkyChart& sky, const ContactSettings& settings);

// "Sky on 2000-01-01 12:00 UT".
std::string SkyName(const SkyMoment& moment);

}  // namespace velloran
