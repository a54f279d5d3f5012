#pragma once
// The reading on screen and what the program remembers about it: the reading, the view it is
// shown in, the contact settings and the file name the save and export dialogs offer. Plain
// values: the window it is shown in is made from it, and nothing here knows about widgets.

#include <optional>
#include <string>

#include "chart/ChartModel.h"
#include "chart/ChartWindow.h"
#include "domain/Bodies.h"
#include "reading/Against.h"
#include "reading/Contacts.h"
#include "reading/Reading.h"

namespace velloran {

// Another chart on the comparison wheel's inner ring and the contacts marked with it.
struct InnerRing {
    InnerChart chart;
    ContactGroup group;
};

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
    std::optional<ChartWindowModel> chartModel(const MonthNames& months,
                                               const InnerRing* inner = nullptr) const;

private:
    std::optional<Reading> m_reading;
    ChartView m_view = ChartView::Draconic;
    ContactSettings m_contactSettings;
    std::string m_fileName;
};

}  // namespace velloran
