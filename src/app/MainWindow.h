#pragma once
// The main window MDI: heading bar, chart buttons, the chart window inside a multiple-document
// area, the bottom bar with the file buttons and the forum link, menus and toolbar.

#include <QMainWindow>

#include "app/MainLayout.h"
#include "chart/ChartModel.h"
#include "ui/Links.h"

class QAction;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QPushButton;
class QToolBar;

namespace velloran {

class FrmDisplay;
class LinkLabel;
class Platform;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // Takes ownership of the chart window and shows it as a frameless child. platform holds the
    // settings File, Open Recent lists.
    MainWindow(FrmDisplay* display, Platform& platform, QWidget* parent = nullptr);

    FrmDisplay* display() const { return m_display; }
    QToolBar* toolBar() const { return m_tb; }

    // Closes the window without ending the program (Back and New).
    void closeForNavigation();
    // Runs the command of a toolbar button key; unknown keys do nothing.
    void dispatchToolKey(const QString& key);
    // Applies the resize rules for the current window and screen widths.
    void applyLayout();

signals:
    void newRequested();
    void openRequested();     // File, Open... (Ctrl+O)
    void libraryRequested();  // File, "Readings Library..." (Ctrl+L)
    void saveAsTextRequested();
    void saveAsJpegRequested();
    void exportRequested();
    void exportWheelRequested();  // File, "Export Wheel..."
    void printRequested();
    void backRequested();
    void exitRequested();  // Exit and the close box: the program ends
    // The Natal Chart, Draconic Chart or Comparison button.
    void viewRequested(velloran::ChartView view);
    void contactsRequested();  // View, "Natal–Draconic Contacts" and its toolbar button
    void pageRequested(velloran::Page page);
    void aboutRequested();
    void recentReadingChosen(const QString& path);  // File, Open Recent
    void positionsChanged();                        // Options: another positions choice
    void wheelChanged();                            // Options: another wheel style or theme

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void createActions();
    void createMenus();
    void createToolBar();
    QWidget* createHeadingBar();
    QWidget* createChartButtonBar();
    QWidget* createBottomBar();
    void placeChartWindow();
    // The chart window takes its display's size; a degree wheel is offered the area's room.
    void fitChartWindow();
    int screenWidthPx() const;

    Platform& m_platform;
    FrmDisplay* m_display = nullptr;
    QMdiArea* m_mdi = nullptr;
    QMdiSubWindow* m_child = nullptr;
    QToolBar* m_tb = nullptr;
    QLabel* m_lblHeading = nullptr;
    LinkLabel* m_lblURL = nullptr;
    LinkLabel* m_forumLink = nullptr;
    QPushButton *m_cmdNatal = nullptr, *m_cmdDraconian = nullptr, *m_cmdComparison = nullptr;
    QPushButton *m_cmdSaveAsJPEG = nullptr, *m_cmdBack = nullptr, *m_cmdExit = nullptr;
    QAction* m_mnuOpen = nullptr;
    QAction* m_mnuLibrary = nullptr;
    QAction *m_mnuNew = nullptr, *m_mnuSaveAsText = nullptr, *m_mnuSaveAsJpeg = nullptr,
            *m_mnuExport = nullptr, *m_mnuPrint = nullptr, *m_mnuBack = nullptr,
            *m_mnuExit = nullptr, *m_mnuToolBar = nullptr, *m_mnuContacts = nullptr,
            *m_mnuExportWheel = nullptr;
    bool m_navigating = false;
};

}  // namespace velloran
