#include "input/gui/FrmMain.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <QValidator>

#include "Version.h"
#include "domain/Bodies.h"
#include "domain/ZoneTable.h"
#include "input/gui/CoordinateEntry.h"
#include "ui/Accessibility.h"
#include "ui/HelpMenu.h"
#include "ui/LinkLabel.h"
#include "ui/Platform.h"
#include "ui/PositionsMenu.h"
#include "ui/QtText.h"
#include "ui/ReadingDrop.h"
#include "ui/RecentReadings.h"
#include "ui/UiFonts.h"

namespace velloran {

namespace {

// A pasted text may carry line ends, tabs or other control characters, which no stored text may
// hold: the saved reading would be refused on opening and the export would break into extra
// lines. Each run of them becomes one blank as it arrives; typed keys never produce them.
class ControlCharactersToBlank : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override {
        QString kept;
        kept.reserve(input.size());
        int newPos = pos;
        bool inRun = false;
        for (qsizetype i = 0; i < input.size(); ++i) {
            const char16_t c = input[i].unicode();
            const bool control = c < 0x20 || c == 0x7F;
            if (control && inRun) {
                if (i < pos) --newPos;
                continue;
            }
            inRun = control;
            kept.append(control ? QChar(u' ') : input[i]);
        }
        input = kept;
        pos = newPos;
        return Acceptable;
    }
};

QComboBox* MakeList(const QString& name) {
    auto* box = new QComboBox;
    box->setObjectName(name);
    box->setEditable(false);
    box->setMaxVisibleItems(20);
    return box;
}

}  // namespace

FrmMain::FrmMain(Platform& platform, QWidget* parent) : QMainWindow(parent), m_platform(platform) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral(VELLORAN_TITLE));
    setFont(VerdanaFont(8.25));
    // A reading dropped anywhere on the form, its text boxes included, is opened.
    m_drop = new ReadingDropFilter(this);
    m_drop->watch(this);
    connect(m_drop, &ReadingDropFilter::readingDropped, this, &FrmMain::readingDropped);
    createMenus();
    createControls();
    fillLists();
    setTabOrder();
    nameForScreenReaders();
    m_txtName->setFocus();
    // A fixed dialog-like window: its rows keep their arrangement.
    setFixedSize(sizeHint());
}

void FrmMain::createMenus() {
    QMenu* file = menuBar()->addMenu(tr("&File"));
    file->setObjectName(QStringLiteral("mnuFile"));
    QAction* calculate = file->addAction(tr("Get My Natal &Chart"));
    calculate->setObjectName(QStringLiteral("mnuCalculate"));
    connect(calculate, &QAction::triggered, this, &FrmMain::calculateRequested);
    QAction* open = file->addAction(tr("&Open..."));
    open->setObjectName(QStringLiteral("mnuOpen"));
    open->setShortcut(QKeySequence::Open);
    connect(open, &QAction::triggered, this, &FrmMain::openRequested);
    QAction* library = file->addAction(tr("Readings &Library..."));
    library->setObjectName(QStringLiteral("mnuLibrary"));
    library->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    connect(library, &QAction::triggered, this, &FrmMain::libraryRequested);
    auto* recent = new RecentReadingsMenu(m_platform, file);
    file->addMenu(recent);
    connect(recent, &RecentReadingsMenu::readingChosen, this, &FrmMain::recentReadingChosen);
    file->addSeparator();
    QAction* exit = file->addAction(tr("&Exit"));
    exit->setObjectName(QStringLiteral("mnuExit"));
    connect(exit, &QAction::triggered, this, &QWidget::close);

    auto* options = new PositionsMenu(m_platform, this);
    menuBar()->addMenu(options);
    connect(options, &PositionsMenu::choiceChanged, this, &FrmMain::positionsChanged);

    auto* help = new HelpMenu(menuBar());
    menuBar()->addMenu(help);
    connect(help, &HelpMenu::pageRequested, this, &FrmMain::pageRequested);
    connect(help, &HelpMenu::aboutRequested, this, &FrmMain::aboutRequested);
}

// A letter box: it takes what a saved reading holds.
QLineEdit* FrmMain::makeTextBox(const QString& name) {
    auto* box = new QLineEdit;
    box->setObjectName(name);
    watchTextBox(box, KeyFilter::Letters);
    box->setMaxLength(kMaxTextLength);
    return box;
}

void FrmMain::watchTextBox(QLineEdit* box, KeyFilter filter) {
    box->installEventFilter(this);
    box->setValidator(new ControlCharactersToBlank(box));
    m_filters[box] = filter;
    m_drop->watch(box);
}

QLabel* FrmMain::makeCaption(const QString& text, QWidget* buddy) {
    auto* label = new QLabel(text);
    label->setTextFormat(Qt::PlainText);
    label->setBuddy(buddy);
    return label;
}

void FrmMain::createControls() {
    auto* central = new QWidget;
    auto* outer = new QVBoxLayout(central);
    outer->setContentsMargins(14, 10, 14, 14);
    outer->setSpacing(8);

    m_forumLink = new LinkLabel(FormForumLinkText(), central);
    m_forumLink->setObjectName(QStringLiteral("Label8"));
    m_forumLink->setAlignment(Qt::AlignCenter);
    connect(m_forumLink, &LinkLabel::clicked, this,
            [this] { emit pageRequested(Page::ForumHome); });
    outer->addWidget(m_forumLink);

    m_introText = new QLabel(QStringLiteral(
        "Know the Draconian planetary positions in your natal chart and the role they play in "
        "realizing your soul's purpose in life. Enter your personal details to get your "
        "Draconian Natal Chart. "));
    m_introText->setObjectName(QStringLiteral("Label1"));
    m_introText->setTextFormat(Qt::PlainText);
    m_introText->setWordWrap(true);
    QFont intro = VerdanaFont(8.25, true);
    m_introText->setFont(intro);
    outer->addWidget(m_introText);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(7);
    outer->addLayout(grid);

    // Row 3: name, and the open button two rows high on the right.
    m_txtName = makeTextBox(QStringLiteral("txtName"));
    grid->addWidget(makeCaption(tr("Name:"), m_txtName), 0, 0);
    grid->addWidget(m_txtName, 0, 1);
    m_cmdOpen = new QPushButton(tr("&Open Previously Saved Reading"));
    m_cmdOpen->setObjectName(QStringLiteral("cmdOpen"));
    m_cmdOpen->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
    connect(m_cmdOpen, &QPushButton::clicked, this, &FrmMain::openRequested);
    grid->addWidget(m_cmdOpen, 0, 3, 2, 2);

    // Row 4: birthday.
    m_cboMonth = MakeList(QStringLiteral("cboMonth"));
    m_cboDate = MakeList(QStringLiteral("cboDate"));
    m_cboYear = MakeList(QStringLiteral("cboYear"));
    auto* birthday = new QHBoxLayout;
    birthday->addWidget(m_cboMonth);
    birthday->addWidget(m_cboDate);
    birthday->addWidget(m_cboYear);
    birthday->addStretch();
    grid->addWidget(makeCaption(tr("Birthday:"), m_cboMonth), 1, 0);
    grid->addLayout(birthday, 1, 1);

    // Row 5: time of birth.
    m_cboHour = MakeList(QStringLiteral("cboHour"));
    m_cboMinute = MakeList(QStringLiteral("cboMinute"));
    auto* time = new QHBoxLayout;
    time->addWidget(m_cboHour);
    time->addWidget(m_cboMinute);
    auto* hint = new QLabel(QStringLiteral("HH/MM/SS"));
    hint->setObjectName(QStringLiteral("lblTimeHint"));
    time->addWidget(hint);
    time->addStretch();
    grid->addWidget(makeCaption(tr("Time Of Birth:"), m_cboHour), 2, 0);
    grid->addLayout(time, 2, 1);

    // Row 6: daylight saving, city, and the place look-up button.
    m_chkDST = new QCheckBox(tr("Daylight Saving Time"));
    m_chkDST->setObjectName(QStringLiteral("chkDST"));
    m_cboTimeZone = MakeList(QStringLiteral("cboTimeZone"));
    grid->addWidget(makeCaption(tr("Time Zone:"), m_cboTimeZone), 3, 0);
    grid->addWidget(m_chkDST, 3, 1);
    m_txtCity = makeTextBox(QStringLiteral("txtCity"));
    grid->addWidget(makeCaption(tr("City:"), m_txtCity), 3, 2);
    grid->addWidget(m_txtCity, 3, 3);
    m_findPlaceButton = new QPushButton(tr("Click here to find Latitude && Longitude"));
    m_findPlaceButton->setObjectName(QStringLiteral("Command1"));
    connect(m_findPlaceButton, &QPushButton::clicked, this, &FrmMain::findLatLongRequested);
    grid->addWidget(m_findPlaceButton, 3, 4);

    // Row 7: the zone list across the left side, state on the right.
    grid->addWidget(m_cboTimeZone, 4, 0, 1, 2);
    m_txtState = makeTextBox(QStringLiteral("txtState"));
    grid->addWidget(makeCaption(tr("State:"), m_txtState), 4, 2);
    grid->addWidget(m_txtState, 4, 3);

    // Rows 8 and 9: degrees, direction pair, minutes.
    m_latitude = new CoordinateEntry(
        {QStringLiteral("txtLatD"), QStringLiteral("txtLatM"), QStringLiteral("Frame3"),
         QStringLiteral("optLatSouth0"), QStringLiteral("optLatSouth1"), tr("North"), tr("South"),
         tr("Latitude degrees"), tr("Latitude minutes"), tr("Latitude direction")},
        this);
    m_longitude = new CoordinateEntry(
        {QStringLiteral("txtLonD"), QStringLiteral("txtLonM"), QStringLiteral("Frame4"),
         QStringLiteral("optLongEast0"), QStringLiteral("optLongEast1"), tr("East"), tr("West"),
         tr("Longitude degrees"), tr("Longitude minutes"), tr("Longitude direction")},
        this);
    for (CoordinateEntry* coordinate : {m_latitude, m_longitude}) {
        watchTextBox(coordinate->degreesBox(), KeyFilter::Numbers);
        watchTextBox(coordinate->minutesBox(), KeyFilter::Numbers);
    }
    grid->addWidget(makeCaption(tr("Latitude:"), m_latitude->degreesBox()), 5, 0);
    grid->addLayout(m_latitude->row(), 5, 1);
    m_txtCountry = makeTextBox(QStringLiteral("txtCountry"));
    grid->addWidget(makeCaption(tr("Country:"), m_txtCountry), 5, 2);
    grid->addWidget(m_txtCountry, 5, 3);

    grid->addWidget(makeCaption(tr("Longitude:"), m_longitude->degreesBox()), 6, 0);
    grid->addLayout(m_longitude->row(), 6, 1);
    m_cmdCalculate = new QPushButton(tr("Get My Draconic Astrology &Chart"));
    m_cmdCalculate->setObjectName(QStringLiteral("cmdCalculate"));
    m_cmdCalculate->setDefault(false);
    m_cmdCalculate->setAutoDefault(false);
    connect(m_cmdCalculate, &QPushButton::clicked, this, &FrmMain::calculateRequested);
    grid->addWidget(m_cmdCalculate, 6, 3, 1, 2);

    // Under the rows: what the atlas set when a place was chosen from the City box's list.
    m_lblAtlasNote = new QLabel;
    m_lblAtlasNote->setObjectName(QStringLiteral("lblAtlasNote"));
    m_lblAtlasNote->setTextFormat(Qt::PlainText);
    // No accessible name of its own: a screen reader reads the note's text.
    m_lblAtlasNote->setMinimumHeight(m_lblAtlasNote->fontMetrics().height());
    outer->addWidget(m_lblAtlasNote);
    // A daylight-time zone with the daylight-saving box ticked counts the hour twice; the
    // arithmetic is kept (stored readings rely on it), and the form says so.
    m_lblZoneNote = new QLabel;
    m_lblZoneNote->setObjectName(QStringLiteral("lblZoneNote"));
    m_lblZoneNote->setTextFormat(Qt::PlainText);
    m_lblZoneNote->setWordWrap(true);
    m_lblZoneNote->hide();
    outer->addWidget(m_lblZoneNote);
    auto noteDoubleDaylight = [this] {
        const int zone = m_cboTimeZone->currentIndex();
        const bool twice = m_chkDST->checkState() == Qt::Checked && ZoneRowIsDaylightTime(zone);
        m_lblZoneNote->setText(
            twice ? Q(std::string(ZoneRowAt(zone).name) +
                      " already includes daylight saving; the box takes off another hour.")
                  : QString());
        m_lblZoneNote->setVisible(twice);
    };
    connect(m_cboTimeZone, &QComboBox::currentIndexChanged, this, noteDoubleDaylight);
    // Any change of the zone, and a row picked from the list even when it is the first.
    connect(m_cboTimeZone, &QComboBox::currentIndexChanged, this, &FrmMain::confirmZone);
    connect(m_cboTimeZone, &QComboBox::activated, this, &FrmMain::confirmZone);
    connect(m_chkDST, &QCheckBox::stateChanged, this, noteDoubleDaylight);

    grid->setColumnMinimumWidth(1, 300);
    grid->setColumnMinimumWidth(3, 150);
    m_introText->setMinimumWidth(560);
    setCentralWidget(central);
}

void FrmMain::fillLists() {
    for (int d = 1; d <= 31; ++d) m_cboDate->addItem(QString::number(d));
    for (std::string_view month : kEnglishMonthNames)
        m_cboMonth->addItem(QString::fromLatin1(month.data(), qsizetype(month.size())));
    for (int y = kFirstYear; y <= kLastYear; ++y) m_cboYear->addItem(QString::number(y));
    for (int h = 0; h <= 23; ++h) m_cboHour->addItem(QString::number(h));
    for (int m = 0; m <= 59; ++m) m_cboMinute->addItem(QString::number(m));
    for (int z = 0; z < kZoneCount; ++z) {
        const std::string_view label = ZoneLabel(z);
        m_cboTimeZone->addItem(QString::fromUtf8(label.data(), qsizetype(label.size())));
    }
    for (QComboBox* list :
         {m_cboDate, m_cboMonth, m_cboYear, m_cboHour, m_cboMinute, m_cboTimeZone})
        list->setCurrentIndex(0);
    m_latitude->setHemisphere(0);   // North
    m_longitude->setHemisphere(0);  // East
    m_zoneChosen = false;           // the list's first entry is where it starts, not a choice
}

void FrmMain::setTabOrder() {
    const CoordinateEntry& lat = *m_latitude;
    const CoordinateEntry& lon = *m_longitude;
    const QList<QWidget*> order = {
        m_forumLink,        m_txtName,        m_cmdOpen,     m_cboMonth,       m_cboDate,
        m_cboYear,          m_cboHour,        m_cboMinute,   m_chkDST,         m_txtCity,
        m_findPlaceButton,  m_cboTimeZone,    m_txtState,    lat.degreesBox(), lat.firstOption(),
        lat.secondOption(), lat.minutesBox(), m_txtCountry,  lon.degreesBox(), lon.firstOption(),
        lon.secondOption(), lon.minutesBox(), m_cmdCalculate};
    for (int i = 1; i < order.size(); ++i) QWidget::setTabOrder(order[i - 1], order[i]);
}

void FrmMain::nameForScreenReaders() {
    TieSpokenLabel(m_cboDate, tr("Birth day"));
    TieSpokenLabel(m_cboYear, tr("Birth year"));
    TieSpokenLabel(m_cboMinute, tr("Minute of birth"));
}

FormInput FrmMain::input() const {
    FormInput in;
    in.name = S(m_txtName->text());
    in.monthIndex = m_cboMonth->currentIndex();
    in.dayIndex = m_cboDate->currentIndex();
    in.yearIndex = m_cboYear->currentIndex();
    in.hourIndex = m_cboHour->currentIndex();
    in.minuteIndex = m_cboMinute->currentIndex();
    in.zoneIndex = m_cboTimeZone->currentIndex();
    in.daylightSaving = m_chkDST->checkState() == Qt::Unchecked          ? 0
                        : m_chkDST->checkState() == Qt::PartiallyChecked ? 2
                                                                         : 1;
    in.city = S(m_txtCity->text());
    in.state = S(m_txtState->text());
    in.country = S(m_txtCountry->text());
    const CoordinateText latitude = m_latitude->text();
    in.latitudeDegrees = latitude.degrees;
    in.latitudeMinutes = latitude.minutes;
    in.latitudeHemisphere = latitude.hemisphere;
    const CoordinateText longitude = m_longitude->text();
    in.longitudeDegrees = longitude.degrees;
    in.longitudeMinutes = longitude.minutes;
    in.longitudeHemisphere = longitude.hemisphere;
    return in;
}

void FrmMain::setInput(const FormInput& in) {
    emit inputReplacing();
    m_txtName->setText(Q(in.name));
    m_cboMonth->setCurrentIndex(in.monthIndex);
    m_cboDate->setCurrentIndex(in.dayIndex);
    m_cboYear->setCurrentIndex(in.yearIndex);
    m_cboHour->setCurrentIndex(in.hourIndex);
    m_cboMinute->setCurrentIndex(in.minuteIndex);
    m_cboTimeZone->setCurrentIndex(in.zoneIndex);
    confirmZone();
    m_chkDST->setTristate(in.daylightSaving == 2);
    m_chkDST->setCheckState(in.daylightSaving == 0   ? Qt::Unchecked
                            : in.daylightSaving == 2 ? Qt::PartiallyChecked
                                                     : Qt::Checked);
    m_txtCity->setText(Q(in.city));
    m_txtState->setText(Q(in.state));
    m_txtCountry->setText(Q(in.country));
    m_latitude->setText({in.latitudeDegrees, in.latitudeMinutes, in.latitudeHemisphere});
    m_longitude->setText({in.longitudeDegrees, in.longitudeMinutes, in.longitudeHemisphere});
}

void FrmMain::focusZone() { m_cboTimeZone->setFocus(); }

QWidget* FrmMain::control(FormControl which) const {
    switch (which) {
        case FormControl::None:
            return nullptr;
        case FormControl::txtName:
            return m_txtName;
        case FormControl::txtLatD:
            return m_latitude->degreesBox();
        case FormControl::txtLatM:
            return m_latitude->minutesBox();
        case FormControl::txtLonD:
            return m_longitude->degreesBox();
        case FormControl::txtLonM:
            return m_longitude->minutesBox();
        case FormControl::txtCity:
            return m_txtCity;
        case FormControl::txtState:
            return m_txtState;
        case FormControl::txtCountry:
            return m_txtCountry;
        case FormControl::cboMonth:
            return m_cboMonth;
    }
    return nullptr;
}

void FrmMain::selectDefault(DefaultOption option) {
    if (option == DefaultOption::North) m_latitude->setHemisphere(0);
    if (option == DefaultOption::East) m_longitude->setHemisphere(0);
}

bool FrmMain::refuseTyped(QLineEdit* box, KeyFilter filter, const QString& text) {
    for (char32_t code : text.toUcs4()) {
        KeyVerdict verdict = FilterKey(filter, static_cast<int>(code));
        if (verdict.accepted) continue;
        m_platform.showMessage(this, Q(verdict.message), MessageIcon::Error);
        if (verdict.focusSameBox) box->setFocus();
        return true;
    }
    return false;
}

bool FrmMain::eventFilter(QObject* watched, QEvent* event) {
    auto filter = m_filters.find(watched);
    if (filter == m_filters.end()) return QMainWindow::eventFilter(watched, event);
    auto* box = static_cast<QLineEdit*>(watched);
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        // Focus movement and Ctrl shortcuts (copy, paste, select all) are not typed characters.
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) return false;
        if (key->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)) return false;
        if (key->text().isEmpty()) return false;
        return refuseTyped(box, filter->second, key->text());
    }
    if (event->type() == QEvent::InputMethod) {
        auto* im = static_cast<QInputMethodEvent*>(event);
        if (!im->commitString().isEmpty() && refuseTyped(box, filter->second, im->commitString()))
            return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void FrmMain::closeEvent(QCloseEvent* event) {
    event->accept();
    emit closeRequested();
}

}  // namespace velloran
