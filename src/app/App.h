#pragma once
// The program's controller: owns the reading session, the birth-data form and, in the chart
// state, the main window with the chart window's model. Every command of the windows lands here;
// the file commands are in AppFileCommands.cpp, the hand-over of files from a second start in
// HandOverQueue, the contacts window's coordination in ContactsCoordinator.

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

#include <string>

#include "bmp2jpeg/Bmp2Jpeg.h"
#include "chart/ChartModel.h"
#include "chart/ReadingSession.h"
#include "domain/Bodies.h"
#include "input/Validation.h"
#include "reading/Contacts.h"
#include "reading/Reading.h"
#include "reading/ReadingOpen.h"
#include "ui/Links.h"
#include "ui/RecentReadings.h"
#include "wheel/WheelDrawing.h"

class QTimer;
class QWidget;

namespace velloran {

class ContactsCoordinator;
class ContactsWindow;
class FrmMain;
class HandOverQueue;
class InstanceChannel;
class InstanceLock;
class MainWindow;
class Platform;
class ReadingsLibrary;

// Name of the JPEG converter library that the form's validation looks for beside the program.
inline const QString kConverterLibrary = QStringLiteral(BMP2JPEG_LIBRARY_FILE);

class App : public QObject {
    Q_OBJECT
public:
    explicit App(Platform& platform);
    ~App() override;

    // Start-up: single-instance check, update reminder, then the form; a reading given as file
    // is then opened as File, Open does. False when the program must end at once: another
    // instance is running (and, when file was given, has taken it over).
    bool start(InstanceLock& lock, const QString& file = QString());

    FrmMain* form() const { return m_form.get(); }
    MainWindow* mainWindow() const;
    // The reading on screen, or the last one calculated; nullptr before the first.
    const Reading* reading() const { return m_session.reading(); }
    const ChartWindowModel* chartModel() const { return m_chart.get(); }
    // The contacts window, once opened (it lives until the program ends).
    ContactsWindow* contactsWindow() const;
    // The readings library window while it is open.
    ReadingsLibrary* libraryWindow() const;
    bool ended() const { return m_ending; }

    // Month names of the system's regional settings, January first.
    static MonthNames LocaleMonthNames();
    // The reading named on the command line (the desktop entry passes the file double-clicked):
    // the first argument after the program's name that is not an option ("--" ends the options),
    // a file URL as its local path; empty when there is none. Qt's own options are gone by then.
    static QString FileArgument(const QStringList& arguments);

public slots:
    void calculate();
    void openReading();
    // Opens the reading at path as File, Open does after its dialog (a dropped file).
    void openFile(const QString& path);
    // File, "Readings Library...": opens the window (or brings it forward).
    void showLibrary();
    // File, Open Recent: a reading that has gone is taken off the list with a message.
    void openRecent(const QString& path);
    // A file handed over by a second start: the program comes to the front and opens it, once
    // no dialog of this program is open.
    void openHandedOver(const QString& path);
    void findLatitudeLongitude();
    // The chart window shows the reading in view: its model is made again from the reading
    // (no calculation), marks and the contacts window follow, and it is painted.
    void showView(velloran::ChartView view);
    // Opens (or brings forward) the natal-draconic contacts window beside the chart.
    void showContacts();
    void back();
    void newReading();
    void saveAsText();
    void saveAsJpeg();
    void exportText();
    // File, "Export Wheel...": the degree wheel of the view shown, whatever the wheel style.
    void exportWheel();
    void print();
    void openPage(velloran::Page page);
    void showAbout();
    // Closes every window, each through its normal closing, then ends the program.
    void unloadAllAndEnd();
    // Options, another positions choice: a reading on screen is calculated again with it, in the
    // view it was shown in.
    void changePositions();
    // Options, another wheel style, aspect lines or theme: the chart window is drawn again.
    void changeWheel();
    // The contacts window's "another reading...": the reading is opened as File, Open does, but
    // into a state of its own; the form and the current reading are not touched.
    void chooseOtherReading();

signals:
    // The program has closed its windows and should end (the event loop quits on it).
    void programEnded();
    // The chart window has painted after a calculation or a view command; milliseconds since the
    // command started.
    void chartPainted(qint64 milliseconds);

private:
    bool converterPresent() const;
    // The degree wheel's options when the chosen style draws it; none for the house lists.
    std::optional<WheelOptions> shownWheelOptions();
    WheelOptions wheelOptions();
    WheelTheme wheelTheme();
    // The stored positions choice and, for the precise positions, the program's one Swiss
    // Ephemeris (opened at the first precise calculation, kept until the program ends).
    PositionsSource positionsSource();
    // Asks whether to calculate in the zone list's first entry, never chosen; No sends the focus
    // to the list. True to calculate.
    bool confirmFirstZone(int zoneIndex);
    PositionsSource sourceFor(const PositionsChoice& choice);
    // The windows' Open Recent menus follow a change of the list (queued: the change may come
    // from one of their entries).
    void refreshRecentMenus();
    void bringToFront();
    // What opening a reading gave: a refused file changes nothing (its message is shown); a
    // reading goes on the recent list and is shown calculated, or in the form with the check
    // or the calculation that refused it.
    void showOpened(std::optional<OpenOutcome> opened, const QString& path);
    // A failed check of the form: its message, the default option it selects, its control.
    void showCheckFailure(const ValidationFailure& failure);
    // A calculation that refused the form's values: its message over the form.
    void showCalculationFailure(const std::string& error);
    // Replaces the chart window with one showing the reading just calculated, in the draconic
    // view.
    void showCalculatedReading(Reading reading);
    // Builds the next chart window, hidden, once the form waits for the user.
    void prepareChartWindow();
    void openChartWindow();
    void closeChartWindow();
    void repaintChart();
    // After a calculation, a view command or new contact settings: the comparison view's cell
    // marks and the contacts window follow the reading.
    void followReading();
    QWidget* activeWindow() const;

    Platform& m_platform;
    std::unique_ptr<ephemeris::SwissEphemeris> m_ephemeris;
    ReadingSession m_session;
    MonthNames m_months;  // the regional settings' month names, read once
    std::unique_ptr<FrmMain> m_form;
    QPointer<MainWindow> m_main;
    QPointer<MainWindow> m_spareMain;  // the next chart window, built while the form waited
    std::unique_ptr<ChartWindowModel> m_chart;
    std::unique_ptr<ContactsCoordinator> m_contacts;
    QString m_lastWheelName;  // the wheel export dialog's remembered name
    QString m_lastJpegName;   // the JPEG dialog's remembered name, for the program's lifetime
    RecentReadings m_recent;
    QPointer<ReadingsLibrary> m_library;
    std::unique_ptr<InstanceChannel> m_channel;  // a second start hands its file over here
    HandOverQueue* m_handOver = nullptr;         // its files, waiting for a dialog to close
    bool m_ending = false;
    QElapsedTimer m_commandClock;  // from a chart command to the chart window's next paint
    bool m_awaitingPaint = false;
};

}  // namespace velloran
