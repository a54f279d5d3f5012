#pragma once
// The natal-draconic contacts window: a table of the current reading's contacts, smallest orb
// first, with controls for the orb and the aspects. Non-modal; it shows whatever reading it is
// given and is emptied when there is none. Copies as text and saves as CSV.

#include <QWidget>
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "chart/ChartWindow.h"
#include "chart/ContactTable.h"
#include "chart/ReadingSession.h"
#include "reading/Against.h"
#include "reading/Contacts.h"
#include "reading/Reading.h"
#include "reading/Sky.h"
#include "ui/WindowPlacement.h"

class QCheckBox;
class QComboBox;
class QDateTimeEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace velloran {

class ContactTableModel;
class Platform;

// What the reading's draconic chart is laid against: its own natal chart, another reading's natal
// chart (both ways round) or the sky of a moment.
enum class AgainstChoice { NatalChart = 0, OtherReading = 1, Sky = 2 };

class ContactsWindow : public QWidget {
    Q_OBJECT
public:
    explicit ContactsWindow(Platform& platform, QWidget* parent = nullptr);

    // The calculated reading to show (kept by the caller while shown), or nullptr to empty the
    // window. Call again after the reading changes.
    void setReading(const Reading* reading);
    // The positions every chart laid against the reading is computed with (the reading's choice
    // and the program's ephemeris): the sky, and another reading, calculated again when the
    // choice changes, so that both charts of a comparison have the same positions.
    void setPositionsSource(const PositionsSource& source);
    // The reading chosen to lay the draconic chart against (after otherReadingRequested): the
    // choice becomes "another reading" and shows its name. It follows the positions choice.
    void setOtherReading(const Reading& other);
    // The other reading as laid against the reading now (nullptr: none, or it could not be
    // calculated with the current positions).
    const Reading* otherReading() const { return m_other ? &*m_other : nullptr; }
    // The choice goes back to what it was before "another reading..." was chosen (the open was
    // cancelled or refused).
    void cancelOtherReading();

    AgainstChoice against() const { return m_against; }
    // The chart on the comparison wheel's inner ring when the other chart replaces the natal one
    // (its legend "Inner Wheel - Tom Older", its column's caption), with the reading's draconic
    // chart's contacts with it. Only while the window is open: closed, it leaves the inner ring
    // to the reading's own natal chart (and gives it back when opened again).
    std::optional<InnerRing> innerRing() const;

    const ContactSettings& settings() const { return m_settings; }
    // Every row of every group, in order.
    const std::vector<ContactRow>& rows() const;
    const std::vector<ContactGroup>& groups() const;

    // Wide enough to show every column of the table (a narrower window scrolls it).
    QSize sizeHint() const override;

    // Ctrl+C and the Copy button: the selected rows (all rows when none is selected) as
    // tab-separated text with the column titles.
    void copyToClipboard();
    // The Save As CSV button: asks for a file name and writes every row.
    void saveCsv();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

signals:
    // The window grew to show wider contents (another kind of chart against it): it may need
    // a new place.
    void grown();
    // The user changed the orb, the aspects or the node pairs.
    void settingsChanged(const velloran::ContactSettings& settings);
    // "another reading..." was chosen: the program asks for the file and answers with
    // setOtherReading or cancelOtherReading.
    void otherReadingRequested();
    // The chart laid against, the sky's moment or the ring choice changed, or the window was
    // closed or opened again.
    void againstChanged();

private:
    QWidget* createControls();
    QWidget* createAgainst();
    void chooseAgainst(int index);
    std::optional<SkyMoment> skyMoment() const;
    // The other reading calculated again when the positions choice is no longer its own.
    void followPositions();
    // The groups of the current choice; an error text instead when the sky cannot be computed.
    std::vector<ContactGroup> currentGroups(std::string* error) const;
    QWidget* createButtons();
    void readControls();
    void refresh();
    void fitColumns();
    QString statusText() const;

    Platform& m_platform;
    bool m_open = false;  // shown and not closed since
    const Reading* m_reading = nullptr;
    ContactSettings m_settings;
    AgainstChoice m_against = AgainstChoice::NatalChart;
    // The other reading's birth, and the reading calculated from it with m_source's positions
    // (or why it could not be).
    std::optional<BirthInput> m_otherInput;
    std::optional<Reading> m_other;
    std::string m_otherError;
    std::optional<SkyChart> m_sky;
    std::string m_skyError;
    PositionsSource m_source;

    QComboBox* m_cboAgainst = nullptr;
    QLabel* m_lblOther = nullptr;
    QDateTimeEdit* m_dteSky = nullptr;
    QLineEdit* m_skyText = nullptr;  // the date box's text
    QPushButton* m_cmdNow = nullptr;
    QCheckBox* m_chkRing = nullptr;

    QComboBox* m_cboOrb = nullptr;
    std::array<QCheckBox*, kAspectCount> m_chkAspect{};
    QCheckBox* m_chkNodePairs = nullptr;
    ContactTableModel* m_model = nullptr;
    QTableView* m_table = nullptr;
    int m_tableWidth = 0;  // px that show every column
    QLabel* m_lblStatus = nullptr;
};

// Pixels between the chart window and the contacts window beside it.
inline constexpr int kContactsWindowGap = 8;

// Where the contacts window goes, as its frame's geometry in screen pixels: beside the chart at
// its full size (PlaceBeside: right, left, below); else over the chart's right-hand side, level
// with the position table's top (its captions' frame; the wheel lies left of it): at the screen's
// right edge, or narrowed to the room right of the wheel down to minimumWidth, so that the wheel
// stays in view; with no such room, at the screen's right edge, where it covers the least of the
// wheel.
QRect ContactsWindowGeometry(const QRect& screen, const QRect& chart, const QRect& positionTable,
                             const QSize& frame, int minimumWidth);

}  // namespace velloran
