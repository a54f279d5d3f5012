#include "app/App.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLocale>
#include <QScreen>
#include <QTimer>
#include <QUrl>
#include <QWidget>
#include <algorithm>
#include <utility>

#include "app/AboutBox.h"
#include "app/InstanceChannel.h"
#include "app/InstanceLock.h"
#include "app/MainWindow.h"
#include "app/UpdateReminder.h"
#include "chart/ContactTable.h"
#include "chart/gui/ContactsWindow.h"
#include "chart/gui/FrmDisplay.h"
#include "ephemeris/SwissEphemeris.h"
#include "input/Validation.h"
#include "input/gui/FormAtlas.h"
#include "input/gui/FrmMain.h"
#include "output/gui/OutputCommands.h"
#include "reading/Reading.h"
#include "reading/ReadingOpen.h"
#include "tz/SystemLegalTime.h"
#include "ui/Platform.h"
#include "ui/PositionsMenu.h"
#include "ui/QtText.h"
#include "ui/UiFonts.h"

namespace velloran {

namespace {

// How often a handed-over file looks again whether the dialog it waits for has closed.
constexpr int kPendingFileRetryMs = 250;

// The birth-data window as the form a reading opens into: the checks see what its boxes hold.
class FormWindow final : public ReadingForm {
public:
    FormWindow(FrmMain& form, QElapsedTimer& commandClock)
        : m_form(form), m_commandClock(commandClock) {}
    FormInput values() const override { return m_form.input(); }
    // From here the command runs as a click on the calculate button does.
    void show(const FormInput& values) override {
        m_form.setInput(values);
        m_commandClock.start();
    }

private:
    FrmMain& m_form;
    QElapsedTimer& m_commandClock;
};

}  // namespace

App::App(Platform& platform)
    : m_platform(platform), m_months(LocaleMonthNames()), m_recent(platform) {}

App::~App() {
    if (m_main) delete m_main.data();
    if (m_spareMain) delete m_spareMain.data();
}

MainWindow* App::mainWindow() const { return m_main.data(); }

MonthNames App::LocaleMonthNames() {
    MonthNames names;
    const QLocale locale = QLocale::system();
    for (int m = 1; m <= 12; ++m)
        names[m - 1] = locale.monthName(m, QLocale::LongFormat).toStdString();
    return names;
}

QString App::FileArgument(const QStringList& arguments) {
    bool options = true;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (options && argument == QLatin1String("--")) {
            options = false;
        } else if (options && argument.startsWith(QLatin1Char('-'))) {
            continue;
        } else if (argument.startsWith(QLatin1String("file:"))) {
            return QUrl(argument).toLocalFile();
        } else {
            return argument;
        }
    }
    return {};
}

bool App::start(InstanceLock& lock, const QString& file) {
    // Made absolute here: the running instance has a working folder of its own.
    const QString path = file.isEmpty() ? file : QFileInfo(file).absoluteFilePath();
    const QString socketPath = InstanceChannel::PathBeside(lock.path());
    if (!lock.tryAcquire()) {
        if (!path.isEmpty() && InstanceChannel::HandOver(socketPath, path)) {
            unloadAllAndEnd();
            return false;
        }
        m_platform.showMessage(nullptr, QStringLiteral("Application is already running"),
                               MessageIcon::Information);
        unloadAllAndEnd();
        return false;
    }
    // Without the socket the program runs on; a second start then shows only its notice.
    m_channel = std::make_unique<InstanceChannel>(socketPath);
    connect(m_channel.get(), &InstanceChannel::fileReceived, this, &App::openHandedOver);
    m_channel->listen();
    RunUpdateReminder(m_platform, kUpdatePage);

    InstallFontSubstitutions();
    m_form = std::make_unique<FrmMain>(m_platform);
    FrmMain* f = m_form.get();
    connect(f, &FrmMain::calculateRequested, this, &App::calculate);
    connect(f, &FrmMain::openRequested, this, &App::openReading);
    connect(f, &FrmMain::findLatLongRequested, this, &App::findLatitudeLongitude);
    connect(f, &FrmMain::pageRequested, this, &App::openPage);
    connect(f, &FrmMain::aboutRequested, this, &App::showAbout);
    connect(f, &FrmMain::closeRequested, this, &App::unloadAllAndEnd);
    connect(f, &FrmMain::recentReadingChosen, this, &App::openRecent);
    connect(f, &FrmMain::positionsChanged, this, &App::changePositions, Qt::QueuedConnection);
    // After the drop has finished: opening may show a message box.
    connect(f, &FrmMain::readingDropped, this, &App::openFile, Qt::QueuedConnection);
    new FormAtlas(*f, m_platform, MakeSystemLegalTime());  // a child of the form
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect area = screen->availableGeometry();
        f->move(area.center() - QPoint(f->width() / 2, f->height() / 2));
    }
    f->show();
    if (!path.isEmpty()) openFile(path);
    prepareChartWindow();
    return true;
}

void App::calculate() {
    if (!m_form) return;
    m_commandClock.start();
    showOpened(CheckAndCalculate(m_form->input(), converterPresent(), positionsSource()),
               QString());
}

PositionsSource App::positionsSource() { return sourceFor(StoredPositionsChoice(m_platform)); }

PositionsSource App::sourceFor(const PositionsChoice& choice) {
    PositionsSource source{choice, nullptr};
    if (choice.precise()) {
        if (!m_ephemeris) m_ephemeris = std::make_unique<ephemeris::SwissEphemeris>();
        source.ephemeris = m_ephemeris.get();
    }
    return source;
}

void App::changePositions() {
    if (!m_chart || !m_form || m_ending) return;  // the next calculation takes the new choice
    const ChartView view = m_view;
    calculate();
    if (m_chart && view != m_view) showView(view);
}

bool App::converterPresent() const {
    return QFileInfo(QDir(m_platform.programFolder()).filePath(kConverterLibrary)).isFile();
}

void App::showCheckFailure(const ValidationFailure& failure) {
    ShowRefusal(m_platform, m_form.get(), failure);
    m_form->selectDefault(failure.select);
    if (QWidget* focus = m_form->control(failure.focus)) focus->setFocus();
}

void App::showCalculationFailure(const std::string& error) {
    m_platform.showMessage(m_form.get(), Q(error), MessageIcon::Error);
}

void App::showCalculatedReading(Reading reading) {
    // A new calculation loads a new chart window.
    closeChartWindow();
    m_reading = std::move(reading);
    m_view = ChartView::Draconic;
    m_chart = std::make_unique<ChartWindowModel>();
    followReading();
    openChartWindow();
    m_form->hide();
}

void App::prepareChartWindow() {
    // Once the event loop is idle, so the form is painted and answers first.
    QTimer::singleShot(0, this, [this] {
        if (m_spareMain || m_main || m_ending) return;
        auto* main = new MainWindow(new FrmDisplay, m_platform);
        main->setAttribute(Qt::WA_DeleteOnClose);
        // Its native window, and a first drawing off screen: the fonts, glyphs and pictures the
        // chart needs are ready before the click.
        main->winId();
        main->display()->grab();
        m_spareMain = main;
    });
}

void App::openChartWindow() {
    // The window built while the form waited, or a new one.
    MainWindow* main = m_spareMain.data();
    m_spareMain = nullptr;
    if (main) {
        for (auto* menu : main->findChildren<RecentReadingsMenu*>()) menu->refresh();
    } else {
        main = new MainWindow(new FrmDisplay, m_platform);
        main->setAttribute(Qt::WA_DeleteOnClose);
    }
    FrmDisplay* display = main->display();
    display->render(*m_chart);
    m_main = main;
    connect(
        display, &FrmDisplay::painted, this,
        [this] {
            if (!m_awaitingPaint) return;
            m_awaitingPaint = false;
            emit chartPainted(m_commandClock.elapsed());
        },
        Qt::QueuedConnection);
    connect(main, &MainWindow::natalRequested, this, &App::showNatal);
    connect(main, &MainWindow::draconicRequested, this, &App::showDraconic);
    connect(main, &MainWindow::comparisonRequested, this, &App::showComparison);
    connect(main, &MainWindow::contactsRequested, this, &App::showContacts);
    connect(main, &MainWindow::backRequested, this, &App::back);
    connect(main, &MainWindow::newRequested, this, &App::newReading);
    connect(main, &MainWindow::exitRequested, this, &App::unloadAllAndEnd);
    connect(main, &MainWindow::saveAsTextRequested, this, &App::saveAsText);
    connect(main, &MainWindow::saveAsJpegRequested, this, &App::saveAsJpeg);
    connect(main, &MainWindow::exportRequested, this, &App::exportText);
    connect(main, &MainWindow::printRequested, this, &App::print);
    connect(main, &MainWindow::pageRequested, this, &App::openPage);
    connect(main, &MainWindow::aboutRequested, this, &App::showAbout);
    connect(main, &MainWindow::recentReadingChosen, this, &App::openRecent);
    // Queued: the calculation replaces the window whose menu asked for it.
    connect(main, &MainWindow::positionsChanged, this, &App::changePositions, Qt::QueuedConnection);
    connect(display, &FrmDisplay::readingDropped, this, &App::openFile, Qt::QueuedConnection);

    // The main window fills the screen's working area.
    if (QScreen* screen = QGuiApplication::primaryScreen())
        main->setGeometry(screen->availableGeometry());
    m_awaitingPaint = true;
    main->showMaximized();
}

void App::closeChartWindow() {
    if (m_main) m_main->closeForNavigation();
    m_main = nullptr;
    m_chart.reset();
    followReading();
}

void App::followReading() {
    // Without a chart window there is no reading on screen: the contacts window empties.
    if (m_contacts) {
        // The sky is computed with the positions of the reading on screen.
        m_contacts->setPositionsSource(
            sourceFor(m_reading ? m_reading->positions : PositionsChoice{}));
        m_contacts->setReading(m_chart && m_reading ? &*m_reading : nullptr);
    }
    if (!m_chart || !m_reading) return;
    // The comparison view shows the chart the contacts window lays the draconic chart against,
    // when it asks for that, and marks the cells of those contacts.
    const bool comparison = m_view == ChartView::Comparison;
    const std::optional<InnerRing> inner =
        comparison && m_contacts ? m_contacts->innerRing() : std::nullopt;
    *m_chart = MakeChartWindow(*m_reading, m_view, m_months, inner ? &inner->chart : nullptr);
    if (comparison)
        MarkContacts(inner ? inner->group : OwnContactGroup(*m_reading, m_contactSettings),
                     *m_chart);
}

void App::chooseOtherReading() {
    if (!m_contacts) return;
    const QString path = ChooseReadingToOpen(m_platform, m_contacts.get());
    std::optional<OpenOutcome> opened;
    if (!path.isEmpty()) {
        // A form of its own: the birth-data form and the current reading stay as they are.
        PlainForm form;
        opened = OpenReadingFile(m_platform, m_contacts.get(), path, form, converterPresent(),
                                 sourceFor(m_reading ? m_reading->positions : PositionsChoice{}));
        if (opened && opened->failure) {
            ShowRefusal(m_platform, m_contacts.get(), *opened->failure);
            opened.reset();
        } else if (opened && opened->status == OpenStatus::Failed) {
            m_platform.showMessage(m_contacts.get(), Q(opened->error), MessageIcon::Error);
            opened.reset();
        }
    }
    if (!opened) {
        m_contacts->cancelOtherReading();
        return;
    }
    m_recent.add(path);
    refreshRecentMenus();
    m_contacts->setOtherReading(*opened->reading);
}

void App::showContacts() {
    if (!m_contacts) {
        m_contacts = std::make_unique<ContactsWindow>(m_platform);
        m_contacts->setAttribute(Qt::WA_QuitOnClose, false);
        connect(m_contacts.get(), &ContactsWindow::settingsChanged, this,
                [this](const ContactSettings& settings) {
                    m_contactSettings = settings;
                    followReading();
                    repaintChart();
                });
        // Queued: the open dialog and its messages come after the list has closed.
        connect(m_contacts.get(), &ContactsWindow::otherReadingRequested, this,
                &App::chooseOtherReading, Qt::QueuedConnection);
        connect(m_contacts.get(), &ContactsWindow::againstChanged, this, [this] {
            followReading();
            repaintChart();
        });
        followReading();
        m_contacts->show();
        placeContactsWindow();  // once shown, when its frame is known
    }
    m_contacts->show();
    m_contacts->raise();
    m_contacts->activateWindow();
}

void App::placeContactsWindow() {
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen || !m_main) return;
    FrmDisplay* chart = m_main->display();
    const QRect chartRect(chart->mapToGlobal(QPoint(0, 0)), chart->size());
    QRect columns = chartRect;
    if (auto* frame = chart->findChild<QWidget*>(QStringLiteral("fraPlanet_Position0")))
        columns = QRect(frame->mapToGlobal(QPoint(0, 0)), frame->size());
    m_contacts->move(ContactsWindowPosition(screen->availableGeometry(), chartRect, columns,
                                            m_contacts->frameGeometry().size()));
}

void App::repaintChart() {
    if (!m_main || !m_chart) return;
    m_awaitingPaint = true;
    m_main->display()->render(*m_chart);
}

void App::showNatal() { showView(ChartView::Natal); }

void App::showDraconic() { showView(ChartView::Draconic); }

void App::showComparison() { showView(ChartView::Comparison); }

void App::showView(ChartView view) {
    if (!m_chart) return;
    m_commandClock.start();
    m_view = view;
    followReading();
    repaintChart();
}

void App::back() {
    closeChartWindow();
    if (m_form) m_form->show();
    prepareChartWindow();
}

void App::newReading() {
    if (m_form) m_form->show();
    closeChartWindow();
    prepareChartWindow();
}

void App::openReading() {
    if (!m_form) return;
    const QString path = ChooseReadingToOpen(m_platform, m_form.get());
    if (!path.isEmpty()) openFile(path);
}

void App::openFile(const QString& path) {
    if (!m_form || m_ending) return;
    FormWindow form(*m_form, m_commandClock);
    showOpened(OpenReadingFile(m_platform, activeWindow(), path, form, converterPresent(),
                               positionsSource()),
               path);
}

void App::showOpened(std::optional<OpenOutcome> opened, const QString& path) {
    if (!opened) return;
    if (!path.isEmpty()) {
        m_recent.add(path);
        refreshRecentMenus();
    }
    switch (opened->status) {
        case OpenStatus::Damaged:
            return;
        case OpenStatus::Invalid:
            // The reading is in the form: the form comes back for the check's message and focus.
            if (m_main) back();
            showCheckFailure(*opened->failure);
            return;
        case OpenStatus::Failed:
            if (m_main) back();
            showCalculationFailure(opened->error);
            return;
        case OpenStatus::Calculated:
            showCalculatedReading(std::move(*opened->reading));
            return;
    }
}

void App::openRecent(const QString& path) {
    if (!QFileInfo::exists(path)) {
        m_recent.remove(path);
        refreshRecentMenus();
        m_platform.showMessage(activeWindow(),
                               QStringLiteral("%1 no longer exists. It has been removed from the "
                                              "list of recent readings.")
                                   .arg(QDir::toNativeSeparators(path)),
                               MessageIcon::Information);
        return;
    }
    openFile(path);
}

void App::refreshRecentMenus() {
    QMetaObject::invokeMethod(
        this,
        [this] {
            for (QWidget* window :
                 {static_cast<QWidget*>(m_form.get()), static_cast<QWidget*>(m_main.data())}) {
                if (!window) continue;
                for (auto* menu : window->findChildren<RecentReadingsMenu*>()) menu->refresh();
            }
        },
        Qt::QueuedConnection);
}

void App::openHandedOver(const QString& path) {
    if (m_ending) return;
    m_pendingFile = path;  // a later hand-over replaces one still waiting
    openPendingFile();
}

void App::openPendingFile() {
    if (m_pendingFile.isEmpty() || m_ending) return;
    // Not under a dialog of this program (a message, a file dialog, the start-up question): the
    // dialog comes to the front and the file waits until it has closed.
    if (QWidget* modal = QApplication::activeModalWidget(); modal || !m_form) {
        if (modal) {
            modal->raise();
            modal->activateWindow();
        }
        if (!m_pendingRetry) {
            m_pendingRetry = new QTimer(this);
            m_pendingRetry->setSingleShot(true);
            m_pendingRetry->setInterval(kPendingFileRetryMs);
            connect(m_pendingRetry, &QTimer::timeout, this, &App::openPendingFile);
        }
        m_pendingRetry->start();
        return;
    }
    const QString path = std::exchange(m_pendingFile, QString());
    bringToFront();
    openFile(path);
    bringToFront();  // the window that now shows the reading
}

void App::bringToFront() {
    QWidget* window = activeWindow();
    if (!window) return;
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->show();
    window->raise();
    window->activateWindow();
}

void App::findLatitudeLongitude() {
    if (!m_form) return;
    FormControl focus = FindLatitudeLongitude(m_platform, m_form.get(), m_form->input());
    if (QWidget* widget = m_form->control(focus)) widget->setFocus();
}

void App::saveAsText() {
    if (!m_main || !m_form || !m_reading) return;
    const QString saved =
        SaveReading(m_platform, m_main, *m_reading, m_form->input().zoneIndex, m_lastFileName);
    if (saved.isEmpty()) return;
    m_recent.add(saved);
    refreshRecentMenus();
}

void App::saveAsJpeg() {
    if (!m_main) return;
    SaveChartJpeg(m_platform, m_main->display(), m_lastJpegName);
}

void App::exportText() {
    if (!m_main || !m_reading) return;
    ExportChartText(m_platform, m_main, *m_reading, m_months, m_lastFileName);
}

void App::print() {
    if (!m_main) return;
    PrintChart(m_platform, m_main->display());
}

void App::openPage(Page page) { m_platform.openUrl(PageUrl(page, m_platform.programFolder())); }

QWidget* App::activeWindow() const {
    if (m_main && m_main->isVisible()) return m_main;
    return m_form.get();
}

void App::showAbout() {
    AboutBox box(activeWindow());
    connect(&box, &AboutBox::forumRequested, this, [this] { openPage(Page::ForumHome); });
    box.exec();
}

void App::unloadAllAndEnd() {
    if (m_ending) return;
    m_ending = true;
    if (m_contacts) m_contacts->close();
    if (m_spareMain) delete m_spareMain.data();
    if (m_main) m_main->close();
    if (m_form) m_form->close();
    emit programEnded();
}

}  // namespace velloran
