#include "reading/Against.h"

#include <array>
#include <span>

namespace velloran {

namespace {

std::string Possessive(const std::string& name) {
    if (name.empty()) return "The unnamed reading's";
    return name + (name.back() == 's' ? "'" : "'s");
}

}  // namespace

std::vector<Contact> ContactsWith(const Chart& draconic, const Chart& other,
                                  const ContactSettings& settings) {
    const std::array<double, kMaxBodyCount> d = ChartLongitudes(draconic);
    const std::array<double, kMaxBodyCount> o = ChartLongitudes(other);
    return FindContacts(
        std::span<const double>(o.data(), static_cast<std::size_t>(other.bodyCount)),
        std::span<const double>(d.data(), static_cast<std::size_t>(draconic.bodyCount)),
        settings.aspects, settings.orb, true);
}

ContactGroup OwnContactGroup(const Reading& reading, const ContactSettings& settings) {
    ContactGroup group;
    group.contacts = ReadingContacts(reading, settings);
    group.draconic = reading.draconic;
    group.other = reading.natal;
    return group;
}

std::vector<ContactGroup> SynastryGroups(const Reading& reading, const Reading& other,
                                         const ContactSettings& settings) {
    std::vector<ContactGroup> groups(2);
    const Reading* draconicOf[2] = {&reading, &other};
    const Reading* natalOf[2] = {&other, &reading};
    for (int g = 0; g < 2; ++g) {
        ContactGroup& group = groups[g];
        group.title = Possessive(draconicOf[g]->birth().Name) + " draconic chart on " +
                      Possessive(natalOf[g]->birth().Name) + " natal chart";
        group.draconic = draconicOf[g]->draconic;
        group.other = natalOf[g]->natal;
        group.contacts = ContactsWith(group.draconic, group.other, settings);
    }
    return groups;
}

ContactGroup SkyGroup(const Reading& reading, const SkyChart& sky,
                      const ContactSettings& settings) {
    ContactGroup group;
    group.title =
        SkyName(sky.moment) + " on " + Possessive(reading.birth().Name) + " draconic chart";
    group.kind = OtherChart::Sky;
    group.draconic = reading.draconic;
    group.other = sky.chart;
    group.contacts = ContactsWith(group.draconic, group.other, settings);
    return group;
}

std::string SkyName(const SkyMoment& moment) {
    std::string text = SkyMomentText(moment);
    text[10] = ' ';
    return "Sky on " + text + " UT";
}

}  // namespace velloran
