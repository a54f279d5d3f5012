#include "input/gui/FrmMain.h"

#include <QAccessibleWidget>
#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDropEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QInputMethodEvent>
#include <QKeyEvent>
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
#include "ui/LinkLabel.h"
#include "ui/Platform.h"
#include "ui/PositionsMenu.h"
#include "ui/QtText.h"
#include "ui/ReadingDrop.h"
#include "ui/RecentReadings.h"
#include "ui/UiFonts.h"

namespace velloran {

namespace {

constexpr int kCoordinateMaxLength = 3;

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

// Marks a frame whose options a screen reader announces under the frame's name.
constexpr char kOptionGroup[] = "velloranOptionGroup";

// Such frames are named groups on the accessibility bus (a "panel"); a screen reader speaks the
// name of the group before the option that takes the focus. Plain frames stay as Qt makes them.
QAccessibleInterface* OptionGroupInterface(const QString& className, QObject* object) {
    if (className != QLatin1String("QFrame") || !object->property(kOptionGroup).toBool())
        return nullptr;
    return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Grouping);
}

// A frame around a pair of options, marked before its accessible interface can exist.
QFrame* NewOptionGroup() {
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(OptionGroupInterface);
        return true;
    }();
    (void)factoryInstalled;
    auto* frame = new QFrame;
    frame->setProperty(kOptionGroup, true);
    return frame;
}

// A label a screen reader announces with a control and that is never shown. A list's own
// accessible name is its current entry, so only a label tied to it says what the list is for.
void TieSpokenLabel(QWidget* control, const QString& text) {
    auto* label = new QLabel(text, control->parentWidget());
    label->setObjectName(control->objectName() + QStringLiteral("Spoken"));
    label->setTextFormat(Qt::PlainText);
    label->setBuddy(control);
    label->hide();
}

}  // namespace

FrmMain::FrmMain(Platform& platform, QWidget* parent) : QMainWindow(parent), m_platform(platform) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral(VELLORAN_TITLE));
    setFont(VerdanaFont(8.25));
    setAcceptDrops(true);
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

    QMenu* help = menuBar()->addMenu(tr("&Help"));
    help->setObjectName(QStringLiteral("mnuHelp"));
    QAction* online = help->addAction(tr("&Online Help"));
    online->setObjectName(QStringLiteral("mnuOnline"));
    connect(online, &QAction::triggered, this, [this] { emit pageRequested(Page::Help); });
    QAction* visit = help->addAction(tr("&Visit Us Online"));
    visit->setObjectName(QStringLiteral("mnuVisit"));
    connect(visit, &QAction::triggered, this, [this] { emit pageRequested(Page::ForumHome); });
    help->addSeparator();
    QAction* update = help->addAction(tr("Check for Software &Update"));
    update->setObjectName(QStringLiteral("mnuUpdate"));
    connect(update, &QAction::triggered, this, [this] { emit pageRequested(Page::Update); });
    help->addSeparator();
    QAction* about = help->addAction(tr("&About Software"));
    about->setObjectName(QStringLiteral("mnuAbout"));
    connect(about, &QAction::triggered, this, &FrmMain::aboutRequested);
}

QLineEdit* FrmMain::makeTextBox(const QString& name, KeyFilter filter) {
    auto* box = new QLineEdit;
    box->setObjectName(name);
    box->installEventFilter(this);
    box->setValidator(new ControlCharactersToBlank(box));
    m_filters[box] = filter;
    // The letter boxes take what a saved reading holds; the coordinate boxes three digits.
    box->setMaxLength(filter == KeyFilter::Numbers ? kCoordinateMaxLength : kMaxTextLength);
    if (filter == KeyFilter::Numbers) {
        box->setFixedWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 14);
    }
    return box;
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
    m_txtName = makeTextBox(QStringLiteral("txtName"), KeyFilter::Letters);
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
    m_txtCity = makeTextBox(QStringLiteral("txtCity"), KeyFilter::Letters);
    grid->addWidget(makeCaption(tr("City:"), m_txtCity), 3, 2);
    grid->addWidget(m_txtCity, 3, 3);
    m_findPlaceButton = new QPushButton(tr("Click here to find Latitude && Longitude"));
    m_findPlaceButton->setObjectName(QStringLiteral("Command1"));
    connect(m_findPlaceButton, &QPushButton::clicked, this, &FrmMain::findLatLongRequested);
    grid->addWidget(m_findPlaceButton, 3, 4);

    // Row 7: the zone list across the left side, state on the right.
    grid->addWidget(m_cboTimeZone, 4, 0, 1, 2);
    m_txtState = makeTextBox(QStringLiteral("txtState"), KeyFilter::Letters);
    grid->addWidget(makeCaption(tr("State:"), m_txtState), 4, 2);
    grid->addWidget(m_txtState, 4, 3);

    // Rows 8 and 9: degrees, direction pair, minutes.
    auto coordinateRow = [&](QLineEdit* deg, const QString& frameName, QRadioButton* first,
                             QRadioButton* second, QLineEdit* min) {
        auto* frame = NewOptionGroup();
        frame->setObjectName(frameName);
        frame->setFrameShape(QFrame::StyledPanel);
        auto* pair = new QVBoxLayout(frame);
        pair->setContentsMargins(6, 2, 6, 2);
        pair->setSpacing(0);
        pair->addWidget(first);
        pair->addWidget(second);
        auto* row = new QHBoxLayout;
        row->addWidget(deg);
        row->addWidget(frame);
        row->addWidget(min);
        row->addWidget(new QLabel(QStringLiteral("DEG/MIN")));
        row->addStretch();
        return row;
    };
    auto makeOption = [](const QString& caption, const QString& name) {
        auto* option = new QRadioButton(caption);
        option->setObjectName(name);
        return option;
    };

    m_txtLatD = makeTextBox(QStringLiteral("txtLatD"), KeyFilter::Numbers);
    m_txtLatM = makeTextBox(QStringLiteral("txtLatM"), KeyFilter::Numbers);
    m_optNorth = makeOption(tr("North"), QStringLiteral("optLatSouth0"));
    m_optSouth = makeOption(tr("South"), QStringLiteral("optLatSouth1"));
    m_latGroup = new QButtonGroup(this);
    m_latGroup->addButton(m_optNorth, 0);
    m_latGroup->addButton(m_optSouth, 1);
    m_txtLatD->setAccessibleName(tr("Latitude degrees"));
    m_txtLatM->setAccessibleName(tr("Latitude minutes"));
    grid->addWidget(makeCaption(tr("Latitude:"), m_txtLatD), 5, 0);
    grid->addLayout(
        coordinateRow(m_txtLatD, QStringLiteral("Frame3"), m_optNorth, m_optSouth, m_txtLatM), 5,
        1);
    m_txtCountry = makeTextBox(QStringLiteral("txtCountry"), KeyFilter::Letters);
    grid->addWidget(makeCaption(tr("Country:"), m_txtCountry), 5, 2);
    grid->addWidget(m_txtCountry, 5, 3);

    m_txtLonD = makeTextBox(QStringLiteral("txtLonD"), KeyFilter::Numbers);
    m_txtLonM = makeTextBox(QStringLiteral("txtLonM"), KeyFilter::Numbers);
    m_optEast = makeOption(tr("East"), QStringLiteral("optLongEast0"));
    m_optWest = makeOption(tr("West"), QStringLiteral("optLongEast1"));
    m_lonGroup = new QButtonGroup(this);
    m_lonGroup->addButton(m_optEast, 0);
    m_lonGroup->addButton(m_optWest, 1);
    m_txtLonD->setAccessibleName(tr("Longitude degrees"));
    m_txtLonM->setAccessibleName(tr("Longitude minutes"));
    grid->addWidget(makeCaption(tr("Longitude:"), m_txtLonD), 6, 0);
    grid->addLayout(
        coordinateRow(m_txtLonD, QStringLiteral("Frame4"), m_optEast, m_optWest, m_txtLonM), 6, 1);
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
    m_optNorth->setChecked(true);
    m_optEast->setChecked(true);
}

void FrmMain::setTabOrder() {
    const QList<QWidget*> order = {
        m_forumLink, m_txtName,   m_cmdOpen,  m_cboMonth, m_cboDate,         m_cboYear,
        m_cboHour,   m_cboMinute, m_chkDST,   m_txtCity,  m_findPlaceButton, m_cboTimeZone,
        m_txtState,  m_txtLatD,   m_optNorth, m_optSouth, m_txtLatM,         m_txtCountry,
        m_txtLonD,   m_optEast,   m_optWest,  m_txtLonM,  m_cmdCalculate};
    for (int i = 1; i < order.size(); ++i) QWidget::setTabOrder(order[i - 1], order[i]);
}

void FrmMain::nameForScreenReaders() {
    TieSpokenLabel(m_cboDate, tr("Birth day"));
    TieSpokenLabel(m_cboYear, tr("Birth year"));
    TieSpokenLabel(m_cboMinute, tr("Minute of birth"));
    const std::pair<QRadioButton*, QString> groups[] = {{m_optNorth, tr("Latitude direction")},
                                                        {m_optEast, tr("Longitude direction")}};
    for (const auto& [option, name] : groups) option->parentWidget()->setAccessibleName(name);
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
    in.latitudeDegrees = S(m_txtLatD->text());
    in.latitudeMinutes = S(m_txtLatM->text());
    in.longitudeDegrees = S(m_txtLonD->text());
    in.longitudeMinutes = S(m_txtLonM->text());
    in.latitudeHemisphere = m_latGroup->checkedId();
    in.longitudeHemisphere = m_lonGroup->checkedId();
    return in;
}

namespace {
void SelectPair(QButtonGroup* group, int id) {
    if (id == 0 || id == 1) {
        group->button(id)->setChecked(true);
        return;
    }
    // Neither option: an exclusive group cannot clear itself, so lift the rule for a moment.
    group->setExclusive(false);
    for (QAbstractButton* button : group->buttons()) button->setChecked(false);
    group->setExclusive(true);
}
}  // namespace

void FrmMain::setInput(const FormInput& in) {
    m_txtName->setText(Q(in.name));
    m_cboMonth->setCurrentIndex(in.monthIndex);
    m_cboDate->setCurrentIndex(in.dayIndex);
    m_cboYear->setCurrentIndex(in.yearIndex);
    m_cboHour->setCurrentIndex(in.hourIndex);
    m_cboMinute->setCurrentIndex(in.minuteIndex);
    m_cboTimeZone->setCurrentIndex(in.zoneIndex);
    m_chkDST->setTristate(in.daylightSaving == 2);
    m_chkDST->setCheckState(in.daylightSaving == 0   ? Qt::Unchecked
                            : in.daylightSaving == 2 ? Qt::PartiallyChecked
                                                     : Qt::Checked);
    m_txtCity->setText(Q(in.city));
    m_txtState->setText(Q(in.state));
    m_txtCountry->setText(Q(in.country));
    m_txtLatD->setText(Q(in.latitudeDegrees));
    m_txtLatM->setText(Q(in.latitudeMinutes));
    m_txtLonD->setText(Q(in.longitudeDegrees));
    m_txtLonM->setText(Q(in.longitudeMinutes));
    SelectPair(m_latGroup, in.latitudeHemisphere);
    SelectPair(m_lonGroup, in.longitudeHemisphere);
}

QWidget* FrmMain::control(FormControl which) const {
    switch (which) {
        case FormControl::None:
            return nullptr;
        case FormControl::txtName:
            return m_txtName;
        case FormControl::txtLatD:
            return m_txtLatD;
        case FormControl::txtLatM:
            return m_txtLatM;
        case FormControl::txtLonD:
            return m_txtLonD;
        case FormControl::txtLonM:
            return m_txtLonM;
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
    if (option == DefaultOption::North) m_optNorth->setChecked(true);
    if (option == DefaultOption::East) m_optEast->setChecked(true);
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
    // A text box would take a dropped file's path as text; the form opens the reading instead.
    if (takeReadingDrop(event)) return true;
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

bool FrmMain::takeReadingDrop(QEvent* event) {
    switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto* drag = static_cast<QDragMoveEvent*>(event);
            if (DroppedReading(drag->mimeData()).isEmpty()) return false;
            drag->acceptProposedAction();
            return true;
        }
        case QEvent::Drop: {
            auto* drop = static_cast<QDropEvent*>(event);
            const QString path = DroppedReading(drop->mimeData());
            if (path.isEmpty()) return false;
            drop->acceptProposedAction();
            emit readingDropped(path);
            return true;
        }
        default:
            return false;
    }
}

void FrmMain::dragEnterEvent(QDragEnterEvent* event) {
    if (!takeReadingDrop(event)) event->ignore();
}

void FrmMain::dragMoveEvent(QDragMoveEvent* event) {
    if (!takeReadingDrop(event)) event->ignore();
}

void FrmMain::dropEvent(QDropEvent* event) {
    if (!takeReadingDrop(event)) event->ignore();
}

}  // namespace velloran
