// The program's file commands: open a reading (the form's button, Open Recent, a drop, a file
// handed over), save it, export it, save the chart as JPEG, print it, and open another reading
// for the contacts window.

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPainter>

#include "app/App.h"
#include "app/ContactsCoordinator.h"
#include "app/MainWindow.h"
#include "chart/gui/ContactsWindow.h"
#include "chart/gui/DegreeWheelView.h"
#include "chart/gui/FrmDisplay.h"
#include "collection/gui/ReadingsLibrary.h"
#include "glyphs/Outline.h"
#include "input/gui/FrmMain.h"
#include "output/gui/OutputCommands.h"
#include "ui/Platform.h"
#include "ui/QtText.h"
#include "wheel/gui/WheelPainter.h"

namespace velloran {

namespace {

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

void App::openReading() {
    if (!m_form) return;
    const QString path = ChooseReadingToOpen(m_platform, activeWindow());
    if (!path.isEmpty()) openFile(path);
}

void App::showLibrary() {
    if (m_ending) return;
    if (!m_library) {
        m_library = new ReadingsLibrary(
            m_platform, [this](const PositionsChoice& choice) { return sourceFor(choice); });
        m_library->setAttribute(Qt::WA_DeleteOnClose);
        connect(m_library, &ReadingsLibrary::openRequested, this, &App::openFile);
    }
    m_library->show();
    m_library->raise();
    m_library->activateWindow();
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

void App::saveAsText() {
    if (!m_main || !m_form || !m_session.reading()) return;
    const QString saved = SaveReading(m_platform, m_main, *m_session.reading(),
                                      m_form->input().zoneIndex, m_session.fileName());
    if (saved.isEmpty()) return;
    m_recent.add(saved);
    refreshRecentMenus();
}

void App::saveAsJpeg() {
    if (!m_main) return;
    SaveChartJpeg(m_platform, m_main->display(), m_lastJpegName);
}

void App::exportText() {
    if (!m_main || !m_session.reading()) return;
    ExportChartText(m_platform, m_main, *m_session.reading(), m_months, m_session.fileName());
}

namespace {

QStringList QList(const std::vector<std::string>& lines) {
    QStringList list;
    for (const std::string& line : lines) list << Q(line);
    return list;
}

}  // namespace

void App::exportWheel() {
    if (!m_main || !m_session.reading()) return;
    const std::optional<InnerRing> inner = m_contacts->innerRing();
    const auto wheel = m_session.degreeWheel(wheelOptions(), inner ? &*inner : nullptr);
    if (!wheel) return;
    const Reading& reading = *m_session.reading();
    ExportWheel(m_platform, m_main, *wheel, ScreenPalette(wheelTheme()),
                Q(WheelTitle(reading, m_session.view())), QList(WheelFacts(reading, m_months)),
                m_lastWheelName);
}

void App::print() {
    if (!m_main) return;
    DegreeWheelView* wheel = m_main->display()->degreeWheel();
    if (!wheel || !m_session.reading()) {
        PrintChart(m_platform, m_main->display());
        return;
    }
    // The degree wheel prints as a page of its own: the title first, the wheel under it drawn as
    // vectors, with the key facts as its caption in its top corners.
    const Reading& reading = *m_session.reading();
    const QString title = Q(WheelTitle(reading, m_session.view()));
    WheelInput input = wheel->wheel();
    input.caption = WheelFacts(reading, m_months);
    // A dark page would spend the ink: the dark theme prints black on white.
    const WheelTheme theme =
        wheel->theme() == WheelTheme::Dark ? WheelTheme::Print : wheel->theme();
    PrintChart(m_platform, m_main->display(),
               [input, theme, title](QPainter& painter, const QRectF& page) mutable {
                   input.size = 800.0;
                   const WheelDrawing drawing = DrawWheel(LayOutWheel(input), ScreenPalette(theme));
                   PaintWheelPage(painter, page, drawing, SystemGlyphOutlines(), title);
               });
}

void App::chooseOtherReading() {
    ContactsWindow* contacts = m_contacts->window();
    if (!contacts) return;
    const QString path = ChooseReadingToOpen(m_platform, contacts);
    std::optional<OpenOutcome> opened;
    if (!path.isEmpty()) {
        // A form of its own: the birth-data form and the current reading stay as they are.
        PlainForm form;
        opened = OpenReadingFile(m_platform, contacts, path, form, converterPresent(),
                                 sourceFor(m_session.positions()));
        if (opened && opened->failure) {
            ShowRefusal(m_platform, contacts, *opened->failure);
            opened.reset();
        } else if (opened && opened->status == OpenStatus::Failed) {
            m_platform.showMessage(contacts, Q(opened->error), MessageIcon::Error);
            opened.reset();
        }
    }
    if (!opened) {
        contacts->cancelOtherReading();
        return;
    }
    m_recent.add(path);
    refreshRecentMenus();
    contacts->setOtherReading(*opened->reading);
}

}  // namespace velloran
