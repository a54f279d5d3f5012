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
    // The positions the sky is computed with (the reading's choice and the program's ephemeris).
    void setPositionsSource(const PositionsSource& source);
    // The reading chosen to lay the draconic chart against (after otherReadingRequested): the
    // choice becomes "another reading" and shows its name.
    void setOtherReading(const Reading& other);
    // The choice goes back to what it was before "another reading..." was chosen (the open was
    // cancelled or refused).
    void cancelOtherReading();

    AgainstChoice against() const { return m_against; }
    // The chart on the comparison wheel's inner ring when the other chart replaces the natal one
    // (its legend "Inner Wheel - Tom Older", its column's caption), with the reading's draconic
    // chart's contacts with it.
    std::optional<InnerRing> innerRing() const;

    const ContactSettings& settings() const { return m_settings; }
    // Every row of every group, in order.
    const std::vector<ContactRow>& rows() const;
    const std::vector<ContactGroup>& groups() const;

    // Ctrl+C and the Copy button: the selected rows (all rows when none is selected) as
    // tab-separated text with the column titles.
    void copyToClipboard();
    // The Save As CSV button: asks for a file name and writes every row.
    void saveCsv();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

signals:
    // The window grew to show wider contents (another kind of chart against it): it may need
    // a new place.
    void grown();
    // The user changed the orb, the aspects or the node pairs.
    void settingsChanged(const velloran::ContactSettings& settings);
    // "another reading..." was chosen: the program asks for the file and answers with
    // setOtherReading or cancelOtherReading.
    void otherReadingRequested();
    // The chart laid against, the sky's moment or the ring choice changed.
    void againstChanged();

private:
    QWidget* createControls();
    QWidget* createAgainst();
    void chooseAgainst(int index);
    std::optional<SkyMoment> skyMoment() const;
    // The groups of the current choice; an error text instead when the sky cannot be computed.
    std::vector<ContactGroup> currentGroups(std::string* error) const;
    QWidget* createButtons();
    void readControls();
    void refresh();
    void fitColumns();
    QString statusText() const;

    Platform& m_platform;
    const Reading* m_reading = nullptr;
    ContactSettings m_settings;
    AgainstChoice m_against = AgainstChoice::NatalChart;
    std::optional<Reading> m_other;
    std::optional<SkyChart> m_sky;
    std::string m_skyError;
    PositionsSource m_source;

    QComboBox* m_cboAgainst = nullptr;
    QLabel* m_lblOther = nullptr;
    QDateTimeEdit* m_dteSky = nullptr;
    QPushButton* m_cmdNow = nullptr;
    QCheckBox* m_chkRing = nullptr;

    QComboBox* m_cboOrb = nullptr;
    std::array<QCheckBox*, kAspectCount> m_chkAspect{};
    QCheckBox* m_chkNodePairs = nullptr;
    ContactTableModel* m_model = nullptr;
    QTableView* m_table = nullptr;
    QLabel* m_lblStatus = nullptr;
};

// Pixels between the chart window and the contacts window beside it.
inline constexpr int kContactsWindowGap = 8;

// Where the contacts window goes, as its frame's top-left in screen pixels: beside the chart
// (PlaceBeside), else over the chart's wheel, level with the position columns' top and ending
// left of them, so that the cells it marks stay in view (it reaches over them only when the
// screen has no room left of them).
inline QPoint ContactsWindowPosition(const QRect& screen, const QRect& chart,
                                     const QRect& positionColumns, const QSize& frame) {
    const QRect wheelSide(
        QPoint(positionColumns.left() - kContactsWindowGap - frame.width(), positionColumns.top()),
        frame);
    return PlaceBeside(screen, chart, wheelSide, frame, kContactsWindowGap);
}

}  // namespace velloran
