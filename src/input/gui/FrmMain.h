#pragma once
// The birth-data form: nine rows of fields, the key filters of its text boxes and its menus. It
// reads and writes a FormInput; what the buttons do is decided by the program's controller.

#include <QMainWindow>
#include <map>

#include "input/FormInput.h"
#include "input/Validation.h"
#include "ui/Links.h"

class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;

namespace velloran {

class CoordinateEntry;
class LinkLabel;
class Platform;
class ReadingDropFilter;

class FrmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit FrmMain(Platform& platform, QWidget* parent = nullptr);

    FormInput input() const;
    // Puts a birth on the form; its zone counts as chosen.
    void setInput(const FormInput& input);
    // False while the zone list still shows the entry it starts with and nobody chose one (by
    // hand, through the atlas or from a reading): a birth typed by hand would be calculated in
    // the list's first zone without a word.
    bool zoneChosen() const { return m_zoneChosen; }
    // The zone shown counts as chosen (the atlas set it, or the user accepted it).
    void confirmZone() { m_zoneChosen = true; }
    // Sends the focus to the zone list, to choose one.
    void focusZone();
    // The widget of a control a message sends the focus to (nullptr for None).
    QWidget* control(FormControl which) const;
    // Selects North or East when a check found no direction chosen.
    void selectDefault(DefaultOption option);

signals:
    void calculateRequested();    // cmdCalculate and File, "Get My Natal Chart"
    void openRequested();         // cmdOpen
    void libraryRequested();      // File, "Readings Library..." (Ctrl+L)
    void findLatLongRequested();  // Command1
    void pageRequested(velloran::Page page);
    void aboutRequested();
    void closeRequested();                          // close box and File, Exit: the program ends
    void recentReadingChosen(const QString& path);  // File, Open Recent
    void readingDropped(const QString& path);       // a *.vlr file dropped on the form
    void positionsChanged();                        // Options: another positions choice
    // setInput is about to replace what the form holds (an opened reading): nothing on the form
    // belongs to an earlier choice any more.
    void inputReplacing();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void createMenus();
    void createControls();
    void fillLists();
    void setTabOrder();
    void nameForScreenReaders();
    QLineEdit* makeTextBox(const QString& name);
    // The box's typed keys go through the filter, its pasted control characters become blanks,
    // and a dropped reading is opened rather than taken as text.
    void watchTextBox(QLineEdit* box, KeyFilter filter);
    QLabel* makeCaption(const QString& text, QWidget* buddy);
    bool refuseTyped(QLineEdit* box, KeyFilter filter, const QString& text);

    Platform& m_platform;
    std::map<QObject*, KeyFilter> m_filters;
    bool m_zoneChosen = false;
    ReadingDropFilter* m_drop = nullptr;

    LinkLabel* m_forumLink = nullptr;
    QLabel* m_introText = nullptr;
    QLabel* m_lblAtlasNote = nullptr;
    QLabel* m_lblZoneNote = nullptr;
    QLineEdit *m_txtName = nullptr, *m_txtCity = nullptr, *m_txtState = nullptr,
              *m_txtCountry = nullptr;
    CoordinateEntry *m_latitude = nullptr, *m_longitude = nullptr;
    QComboBox *m_cboMonth = nullptr, *m_cboDate = nullptr, *m_cboYear = nullptr,
              *m_cboHour = nullptr, *m_cboMinute = nullptr, *m_cboTimeZone = nullptr;
    QCheckBox* m_chkDST = nullptr;
    QPushButton *m_cmdOpen = nullptr, *m_findPlaceButton = nullptr, *m_cmdCalculate = nullptr;
};

}  // namespace velloran
