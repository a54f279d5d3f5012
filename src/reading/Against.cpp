#include "reading/Against.h"

#include <span>

#include "chart/ChartFill.h"

namespace velloran {

namespace {

constexpr ContactColumns kSkyColumns = {
    "Transiting", "Aspect", "Draconic", "Orb", "Transiting position", "Draconic position"};
constexpr int kAscendant = static_cast<int>(ChartBody::Ascendant);

std::span<const double> Longitudes(const Chart& chart, std::array<double, kMaxBodyCount>& out) {
    for (int k = 0; k < chart.bodyCount; ++k) out[k] = chart.bodies[k].longitude;
    return {out.data(), static_cast<std::size_t>(chart.bodyCount)};
}

std::string Possessive(const std::string& name) {
    if (name.empty()) return "The unnamed reading's";
    return name + (name.back() == 's' ? "'" : "'s");
}

void AppendNote(std::string& cellNote, const std::string& note) {
    if (!cellNote.empty()) cellNote += "\n";
    cellNote += note;
}

}  // namespace

std::vector<Contact> ContactsWith(const Chart& draconic, const Chart& other,
                                  const ContactSettings& settings) {
    std::array<double, kMaxBodyCount> d{}, o{};
    return FindContacts(Longitudes(other, o), Longitudes(draconic, d), settings.aspects,
                        settings.orb, true);
}

ContactGroup OwnContactGroup(const ReadingState& reading, const ContactSettings& settings) {
    ContactGroup group;
    group.contacts = ReadingContacts(reading, settings);
    group.rows = ContactRows(group.contacts, reading);
    return group;
}

std::vector<ContactGroup> SynastryGroups(const ReadingState& reading, const ReadingState& other,
                                         const ContactSettings& settings) {
    std::vector<ContactGroup> groups(2);
    const ReadingState* draconicOf[2] = {&reading, &other};
    const ReadingState* natalOf[2] = {&other, &reading};
    for (int g = 0; g < 2; ++g) {
        ContactGroup& group = groups[g];
        group.title = Possessive(draconicOf[g]->Birth.Name) + " draconic chart on " +
                      Possessive(natalOf[g]->Birth.Name) + " natal chart";
        group.contacts =
            ContactsWith(draconicOf[g]->DraconicChart, natalOf[g]->NatalChart, settings);
        group.rows = ContactRowsBetween(group.contacts, draconicOf[g]->DraconicPositions,
                                        natalOf[g]->NatalPositions, "Natal ");
    }
    return groups;
}

ContactGroup SkyGroup(const ReadingState& reading, const SkyChart& sky,
                      const ContactSettings& settings) {
    ContactGroup group;
    group.title = SkyName(sky.moment) + " on " + Possessive(reading.Birth.Name) + " draconic chart";
    group.columns = kSkyColumns;
    group.contacts = ContactsWith(reading.DraconicChart, sky.chart, settings);
    group.rows = ContactRowsBetween(group.contacts, reading.DraconicPositions, sky.compactPositions,
                                    "Transiting ", true);
    return group;
}

std::string SkyName(const SkyMoment& moment) {
    std::string text = SkyMomentText(moment);
    text[10] = ' ';
    return "Sky on " + text + " UT";
}

std::string GroupsPlainText(const std::vector<ContactGroup>& groups) {
    if (groups.size() == 1) return ContactsPlainText(groups[0].rows, groups[0].columns);
    std::string out;
    for (std::size_t g = 0; g < groups.size(); ++g) {
        if (g) out += "\n";
        out += groups[g].title + "\n" + ContactsPlainText(groups[g].rows, groups[g].columns);
    }
    return out;
}

std::string GroupsCsv(const std::vector<ContactGroup>& groups) {
    if (groups.size() == 1) return ContactsCsv(groups[0].rows, groups[0].columns);
    // One table: the groups share their columns, and a first column names each row's group.
    std::string out;
    for (std::size_t g = 0; g < groups.size(); ++g) {
        const std::string csv = ContactsCsv(groups[g].rows, groups[g].columns);
        std::size_t line = 0;
        for (std::size_t at = 0; at < csv.size(); ++line) {
            const std::size_t end = csv.find("\r\n", at) + 2;
            if (line == 0) {
                if (g == 0) out += "Charts," + csv.substr(at, end - at);
            } else {
                out += CsvField(groups[g].title) + "," + csv.substr(at, end - at);
            }
            at = end;
        }
    }
    return out;
}

void ShowComparisonWith(ReadingState& state, const Chart& inner, const BodyTextList& innerLabels,
                        const BodyTextList& innerPositions, const std::string& innerLegend,
                        const std::string& columnCaption, ChartWindowModel& window) {
    ShowComparisonView(state, window);
    const std::string_view ascendantLabel = innerLabels[kAscendant];
    for (int h = 1; h <= kSignCount; ++h) {
        window.innerRing.texts[h - 1] = HouseText(inner, innerLabels, ascendantLabel, h);
        window.innerRing.signPictures[h - 1] = inner.houseSigns[h - 1] + 1;
    }
    for (int k = 0; k < kMaxBodyCount; ++k) {
        window.natalColumn.cells[k] = k < inner.bodyCount ? innerPositions[k] : std::string();
    }
    window.innerLegend = innerLegend;
    window.natalColumnCaption = columnCaption;
}

void ShowGroupMarks(const ContactGroup& group, ChartWindowModel& window) {
    window.natalColumn.contacts = {};
    window.draconicColumn.contacts = {};
    if (window.pictureInFront != ChartPicture::Comparison) return;
    for (std::size_t i = 0; i < group.contacts.size(); ++i) {
        const std::string note = ContactNote(group.rows[i]);
        AppendNote(window.natalColumn.contacts[static_cast<int>(group.contacts[i].natal)], note);
        AppendNote(window.draconicColumn.contacts[static_cast<int>(group.contacts[i].draconic)],
                   note);
    }
}

}  // namespace velloran
