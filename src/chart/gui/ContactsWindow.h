#pragma once
// The natal-draconic contacts window: a table of the current reading's contacts, smallest orb
// first, with controls for the orb and the aspects. Non-modal; it shows whatever reading it is
// given and is emptied when there is none. Copies as text and saves as CSV.

#include <QWidget>
#include <array>
#include <string>
#include <vector>

#include "chart/ContactTable.h"
#include "chart/Contacts.h"
#include "input/ReadingState.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QTableWidget;

namespace velloran {

class Platform;

class ContactsWindow : public QWidget {
    Q_OBJECT
public:
    explicit ContactsWindow(Platform& platform, QWidget* parent = nullptr);

    // The calculated reading to show (kept by the caller while shown), or nullptr to empty the
    // window. Call again after the reading changes.
    void setReading(const ReadingState* state);

    const ContactSettings& settings() const { return m_settings; }
    const std::vector<ContactRow>& rows() const { return m_rows; }

    // Ctrl+C and the Copy button: the selected rows (all rows when none is selected) as
    // tab-separated text with the column titles.
    void copyToClipboard();
    // The Save As CSV button: asks for a file name and writes every row.
    void saveCsv();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

signals:
    // The user changed the orb, the aspects or the node pairs.
    void settingsChanged(const velloran::ContactSettings& settings);

private:
    QWidget* createControls();
    QWidget* createButtons();
    void readControls();
    void refresh();
    void fitColumns();
    QString statusText() const;

    Platform& m_platform;
    const ReadingState* m_state = nullptr;
    ContactSettings m_settings;
    std::vector<ContactRow> m_rows;

    QComboBox* m_cboOrb = nullptr;
    std::array<QCheckBox*, kAspectCount> m_chkAspect{};
    QCheckBox* m_chkNodePairs = nullptr;
    QTableWidget* m_table = nullptr;
    QLabel* m_lblStatus = nullptr;
};

// Where the contacts window goes, as its frame's top-left in screen pixels: beside the chart
// (right, else left, else below) when `screen` has room there; else over the chart's position
// columns (the chart's far side from the wheel), level with their top. Always inside `screen`
// (at its top-left when the frame is larger).
QPoint ContactsWindowPosition(const QRect& screen, const QRect& chart, const QRect& positionColumns,
                              const QSize& frame);

}  // namespace velloran
