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
#include <cstdio>
#include <utility>

#include "app/AboutBox.h"
#include "app/ContactsCoordinator.h"
#include "app/HandOverQueue.h"
#include "app/InstanceChannel.h"
#include "app/InstanceLock.h"
#include "app/MainWindow.h"
#include "app/UpdateReminder.h"
#include "chart/ContactTable.h"
#include "chart/gui/ContactsWindow.h"
#include "chart/gui/FrmDisplay.h"
#include "collection/gui/ReadingsLibrary.h"
#include "domain/ZoneTable.h"
#include "ephemeris/SwissEphemeris.h"
#include "glyphs/Outline.h"
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

App::App(Platform& platform)
    : m_platform(platform),
      m_months(LocaleMonthNames()),
      m_contacts(std::make_unique<ContactsCoordinator>(platform)),
      m_recent(platform) {
    m_handOver = new HandOverQueue([this] { return m_form != nullptr && !m_ending; }, this);
    connect(m_handOver, &HandOverQueue::openNow, this, [this](const QString& path) {
        bringToFront();
        openFile(path);
        bringToFront();  // the window that now shows the reading
    });
    connect(m_contacts.get(), &ContactsCoordinator::settingsChanged, this,
            [this](const ContactSettings& settings) {
                m_session.setContactSettings(settings);
                followReading();
                repaintChart();
            });
    connect(m_contacts.get(), &ContactsCoordinator::otherReadingRequested, this,
            &App::chooseOtherReading);
    connect(m_contacts.get(), &ContactsCoordinator::againstChanged, this, [this] {
        if (m_ending) return;
        followReading();
        repaintChart();
    });
}

App::~App() {
    if (m_library) delete m_library.data();
    if (m_main) delete m_main.data();
    if (m_spareMain) delete m_spareMain.data();
}

MainWindow* App::mainWindow() const { return m_main.data(); }

ContactsWindow* App::contactsWindow() const { return m_contacts->window(); }

ReadingsLibrary* App::libraryWindow() const { return m_library.data(); }

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
        QString why;
        if (!path.isEmpty() && InstanceChannel::HandOver(socketPath, path, 3000, &why)) {
            unloadAllAndEnd();
            return false;
        }
        if (path.isEmpty()) {
            m_platform.showMessage(nullptr, QStringLiteral("Application is already running"),
                                   MessageIcon::Information);
        } else {
            m_platform.showMessage(nullptr,
                                   QStringLiteral("Application is already running, but it did not "
                                                  "open %1: %2.")
                                       .arg(QDir::toNativeSeparators(path), why),
                                   MessageIcon::Error);
        }
        unloadAllAndEnd();
        return false;
    }
    // Without the socket the program runs on; a second start then shows only its notice.
    m_channel = std::make_unique<InstanceChannel>(socketPath);
    connect(m_channel.get(), &InstanceChannel::fileReceived, this, &App::openHandedOver);
    if (QString why; !m_channel->listen(&why))
        std::fprintf(stderr,
                     "velloran: files given to a second start cannot be handed to this one: %s\n",
                     why.toLocal8Bit().constData());
    RunUpdateReminder(m_platform, kUpdatePage);

    InstallFontSubstitutions();
    m_form = std::make_unique<FrmMain>(m_platform);
    FrmMain* f = m_form.get();
    connect(f, &FrmMain::calculateRequested, this, &App::calculate);
    connect(f, &FrmMain::openRequested, this, &App::openReading);
    connect(f, &FrmMain::libraryRequested, this, &App::showLibrary);
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
    const FormInput input = m_form->input();
    // A birth the checks accept, in a zone nobody chose: the list's first entry is asked about.
    if (!m_form->zoneChosen() && !ValidateInput(input, converterPresent()) &&
        !confirmFirstZone(input.zoneIndex))
        return;
    m_commandClock.start();
    showOpened(CheckAndCalculate(input, converterPresent(), positionsSource()), QString());
}

bool App::confirmFirstZone(int zoneIndex) {
    const QString zone = Q(std::string(ZoneRowAt(zoneIndex).name));
    if (!m_platform.askYesNo(m_form.get(),
                             tr("The time zone is still the first of the list, %1. Calculate "
                                "with this zone?")
                                 .arg(zone),
                             MessageIcon::Question)) {
        m_form->focusZone();
        return false;
    }
    m_form->confirmZone();
    return true;
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
    if (m_library && !m_ending) m_library->recompute();
    if (!m_chart || !m_form || m_ending) return;  // the next calculation takes the new choice
    const ChartView view = m_session.view();
    calculate();
    if (m_chart && view != m_session.view()) showView(view);
}

void App::changeWheel() {
    if (!m_chart || m_ending) return;
    followReading();
    repaintChart();
}

WheelOptions App::wheelOptions() {
    WheelOptions options;
    options.aspectLines = StoredWheelChoice(m_platform).aspectLines;
    options.symbols = SystemGlyphOutlines().hasSymbols();
    return options;
}

std::optional<WheelOptions> App::shownWheelOptions() {
    if (StoredWheelChoice(m_platform).style != WheelStyle::DegreeWheel) return std::nullopt;
    return wheelOptions();
}

WheelTheme App::wheelTheme() {
    return static_cast<WheelTheme>(StoredWheelChoice(m_platform).theme);
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
    m_session.show(std::move(reading));
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
    display->setWheelTheme(wheelTheme());
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
    connect(main, &MainWindow::viewRequested, this, &App::showView);
    connect(main, &MainWindow::contactsRequested, this, &App::showContacts);
    connect(main, &MainWindow::backRequested, this, &App::back);
    connect(main, &MainWindow::newRequested, this, &App::newReading);
    connect(main, &MainWindow::openRequested, this, &App::openReading);
    connect(main, &MainWindow::libraryRequested, this, &App::showLibrary);
    connect(main, &MainWindow::exitRequested, this, &App::unloadAllAndEnd);
    connect(main, &MainWindow::saveAsTextRequested, this, &App::saveAsText);
    connect(main, &MainWindow::saveAsJpegRequested, this, &App::saveAsJpeg);
    connect(main, &MainWindow::exportRequested, this, &App::exportText);
    connect(main, &MainWindow::printRequested, this, &App::print);
    connect(main, &MainWindow::exportWheelRequested, this, &App::exportWheel);
    connect(main, &MainWindow::wheelChanged, this, &App::changeWheel);
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
    m_contacts->follow(m_chart ? m_session.reading() : nullptr, sourceFor(m_session.positions()));
    if (!m_chart) return;
    // The comparison view shows the chart the contacts window lays the draconic chart against,
    // when it asks for that, and marks the cells of those contacts.
    const std::optional<InnerRing> inner = m_contacts->innerRing();
    if (auto model = m_session.chartModel(m_months, inner ? &*inner : nullptr, shownWheelOptions()))
        *m_chart = std::move(*model);
}

void App::showContacts() {
    m_contacts->show(m_main ? m_main->display() : nullptr, m_chart ? m_session.reading() : nullptr,
                     sourceFor(m_session.positions()));
}

void App::repaintChart() {
    if (!m_main || !m_chart) return;
    m_awaitingPaint = true;
    m_main->display()->setWheelTheme(wheelTheme());
    m_main->display()->render(*m_chart);
}

void App::showView(ChartView view) {
    if (!m_chart) return;
    m_commandClock.start();
    m_session.setView(view);
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
    if (!m_ending) m_handOver->handOver(path);
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
    m_handOver->clear();
    m_contacts->close();
    if (m_library) m_library->close();
    if (m_spareMain) delete m_spareMain.data();
    if (m_main) m_main->close();
    if (m_form) m_form->close();
    emit programEnded();
}

}  // namespace velloran
