#pragma once
// The birth-data form: nine rows of fields, the key filters of its text boxes and its menus. It
// reads and writes a FormInput; what the buttons do is decided by the program's controller.

#include <QMainWindow>
#include <map>

#include "input/FormInput.h"
#include "input/Validation.h"
#include "ui/Links.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace velloran {

class LinkLabel;
class Platform;

class FrmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit FrmMain(Platform& platform, QWidget* parent = nullptr);

    FormInput input() const;
    void setInput(const FormInput& input);
    // The widget of a control a message sends the focus to (nullptr for None).
    QWidget* control(FormControl which) const;
    // Selects North or East when a check found no direction chosen.
    void selectDefault(DefaultOption option);

signals:
    void calculateRequested();    // cmdCalculate and File, "Get My Natal Chart"
    void openRequested();         // cmdOpen
    void findLatLongRequested();  // Command1
    void pageRequested(velloran::Page page);
    void aboutRequested();
    void closeRequested();                          // close box and File, Exit: the program ends
    void recentReadingChosen(const QString& path);  // File, Open Recent
    void readingDropped(const QString& path);       // a *.vlr file dropped on the form
    void positionsChanged();                        // Options: another positions choice

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void createMenus();
    void createControls();
    void fillLists();
    void setTabOrder();
    void nameForScreenReaders();
    QLineEdit* makeTextBox(const QString& name, KeyFilter filter);
    QLabel* makeCaption(const QString& text, QWidget* buddy);
    bool refuseTyped(QLineEdit* box, KeyFilter filter, const QString& text);
    // A drag or drop of a reading anywhere on the form, text boxes included; false for anything
    // else, which the widget under the pointer handles as usual.
    bool takeReadingDrop(QEvent* event);

    Platform& m_platform;
    std::map<QObject*, KeyFilter> m_filters;

    LinkLabel* m_forumLink = nullptr;
    QLabel* m_introText = nullptr;
    QLabel* m_lblAtlasNote = nullptr;
    QLineEdit *m_txtName = nullptr, *m_txtCity = nullptr, *m_txtState = nullptr,
              *m_txtCountry = nullptr;
    QLineEdit *m_txtLatD = nullptr, *m_txtLatM = nullptr, *m_txtLonD = nullptr,
              *m_txtLonM = nullptr;
    QComboBox *m_cboMonth = nullptr, *m_cboDate = nullptr, *m_cboYear = nullptr,
              *m_cboHour = nullptr, *m_cboMinute = nullptr, *m_cboTimeZone = nullptr;
    QCheckBox* m_chkDST = nullptr;
    QRadioButton *m_optNorth = nullptr, *m_optSouth = nullptr, *m_optEast = nullptr,
                 *m_optWest = nullptr;
    QButtonGroup *m_latGroup = nullptr, *m_lonGroup = nullptr;
    QPushButton *m_cmdOpen = nullptr, *m_findPlaceButton = nullptr, *m_cmdCalculate = nullptr;
};

}  // namespace velloran
