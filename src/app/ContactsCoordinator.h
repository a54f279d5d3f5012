#pragma once
// The contacts window beside the chart window: made on first use, placed beside the chart, told
// which reading is on screen, and asked which chart, if any, takes the comparison wheel's inner
// ring. Its changes reach the program as signals.

#include <QObject>
#include <QPointer>
#include <memory>
#include <optional>

#include "chart/ReadingSession.h"
#include "reading/Reading.h"

namespace velloran {

class ContactsWindow;
class FrmDisplay;
class Platform;

class ContactsCoordinator : public QObject {
    Q_OBJECT
public:
    explicit ContactsCoordinator(Platform& platform, QObject* parent = nullptr);
    ~ContactsCoordinator() override;

    // The window, once opened (it lives until the program ends).
    ContactsWindow* window() const { return m_window.get(); }

    // Opens the window beside chart (the first time) and brings it forward.
    void show(FrmDisplay* chart, const Reading* reading, const PositionsSource& source);
    // The reading on screen (nullptr: none, the window empties) and the positions the sky is
    // computed with.
    void follow(const Reading* reading, const PositionsSource& source);
    // The chart the window lays the draconic chart against, when it asks for the inner ring.
    std::optional<InnerRing> innerRing() const;
    void close();

signals:
    void settingsChanged(const velloran::ContactSettings& settings);
    // The chart laid against, the sky's moment or the ring choice changed.
    void againstChanged();
    // "another reading..." was chosen: the program asks for the file.
    void otherReadingRequested();

private:
    void place(FrmDisplay* chart);

    Platform& m_platform;
    std::unique_ptr<ContactsWindow> m_window;
    QPointer<FrmDisplay> m_chart;  // the chart window it was last placed beside
};

}  // namespace velloran
