#pragma once
// The reading on screen and what the program remembers about it: the reading, the view it is
// shown in, the contact settings and the file name the save and export dialogs offer. Plain
// values: the window it is shown in is made from it, and nothing here knows about widgets.

#include <optional>
#include <string>
#include <vector>

#include "chart/ChartModel.h"
#include "chart/ChartWindow.h"
#include "domain/Bodies.h"
#include "reading/Against.h"
#include "reading/Contacts.h"
#include "reading/Reading.h"
#include "wheel/WheelCharts.h"

namespace velloran {

// Another chart on the comparison wheel's inner ring and the contacts marked with it.
struct InnerRing {
    InnerChart chart;
    ContactGroup group;
};

// The degree wheel of a reading in a view: the natal or the draconic chart alone with its own
// aspects, or for the comparison the comparison group's other chart inside (the reading's natal
// chart, another reading's, the sky) and the draconic chart outside, with the group's contacts.
WheelInput MakeDegreeWheel(const Reading& reading, ChartView view, const ContactGroup& comparison,
                           const ContactSettings& settings, const WheelOptions& options);

// The title and the key facts a printed or PDF wheel carries first: "Natal Chart of Ann",
// then "Name: Ann", "Date of Birth: ...", "Time of Birth: ...", "Time Zone: ...", "Place: ...",
// the coordinates, the positions and the North Node's position.
std::string WheelTitle(const Reading& reading, ChartView view);
std::vector<std::string> WheelFacts(const Reading& reading, const MonthNames& months);

class ReadingSession {
public:
    // The reading shown, or the last one calculated; nullptr before the first.
    const Reading* reading() const { return m_reading ? &*m_reading : nullptr; }
    // A new reading, shown in the draconic view as a calculation first shows it.
    void show(Reading reading);

    ChartView view() const { return m_view; }
    void setView(ChartView view) { m_view = view; }

    // The positions of the reading shown (the classic ones before the first reading).
    PositionsChoice positions() const;

    const ContactSettings& contactSettings() const { return m_contactSettings; }
    void setContactSettings(const ContactSettings& settings) { m_contactSettings = settings; }

    // The name the save and the export dialogs offer: the last one chosen in either.
    std::string& fileName() { return m_fileName; }

    // The chart window's model of the reading in its view. The comparison view marks the cells
    // of the reading's own contacts, or shows inner on its inner ring with that group's contacts.
    // Nothing before the first reading.
    // With wheel options, the model carries the degree wheel in place of the house lists.
    std::optional<ChartWindowModel> chartModel(
        const MonthNames& months, const InnerRing* inner = nullptr,
        const std::optional<WheelOptions>& wheel = std::nullopt) const;

    // The degree wheel of the reading in its view, with inner's chart inside for the comparison
    // (else the reading's natal chart); nothing before the first reading.
    std::optional<WheelInput> degreeWheel(const WheelOptions& options,
                                          const InnerRing* inner = nullptr) const;

private:
    std::optional<Reading> m_reading;
    ChartView m_view = ChartView::Draconic;
    ContactSettings m_contactSettings;
    std::string m_fileName;
};

}  // namespace velloran
