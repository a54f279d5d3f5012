#include "chart/gui/ContactsWindow.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <set>

#include "chart/gui/ContactTableModel.h"
#include "ui/Accessibility.h"
#include "ui/Platform.h"
#include "ui/QtText.h"
#include "ui/SafeSave.h"

namespace velloran {

namespace {

QString OrbCaption(double degrees) { return QLocale().toString(degrees) + QStringLiteral("°"); }

// Captions of the aspect check boxes, with their access keys, in Aspect order.
const char* const kAspectCaptions[kAspectCount] = {"&Conjunction", "&Opposition", "&Square",
                                                   "&Trine", "Se&xtile"};

constexpr int kTableMinimumWidth = 420;  // pixels
constexpr int kTableMinimumHeight = 220;

}  // namespace

ContactsWindow::ContactsWindow(Platform& platform, QWidget* parent)
    : QWidget(parent, Qt::Window), m_platform(platform) {
    SpeakAsWindow(this);
    setObjectName(QStringLiteral("frmContacts"));
    setWindowTitle(tr("Natal–Draconic Contacts"));

    m_model = new ContactTableModel(this);
    m_table = new QTableView(this);
    m_table->setObjectName(QStringLiteral("tblContacts"));
    m_table->setAccessibleName(tr("Contacts"));
    m_table->setModel(m_model);
    m_table->verticalHeader()->setVisible(false);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    // Narrowed to the room beside the chart's wheel on a small screen, the table scrolls.
    m_table->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_table->setMinimumSize(kTableMinimumWidth, kTableMinimumHeight);

    m_lblStatus = new QLabel(this);
    m_lblStatus->setObjectName(QStringLiteral("lblStatus"));

    // Ctrl+C anywhere in the window copies the rows; the table would copy one cell.
    auto* copy = new QAction(tr("Copy"), this);
    copy->setObjectName(QStringLiteral("actCopy"));
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WindowShortcut);
    connect(copy, &QAction::triggered, this, &ContactsWindow::copyToClipboard);
    addAction(copy);
    m_table->installEventFilter(this);

    auto* column = new QVBoxLayout(this);
    column->addWidget(createAgainst());
    column->addWidget(createControls());
    column->addWidget(m_table, 1);
    column->addWidget(m_lblStatus);
    column->addWidget(createButtons());
    // Keyboard order follows the rows: against, orb, node pairs, aspects, table, buttons.
    setTabOrder(m_cmdNow, m_cboOrb);
    setTabOrder(m_chkNodePairs, m_chkRing);
    setTabOrder(m_chkRing, m_chkAspect.front());
    setTabOrder(m_chkAspect.back(), m_table);
    setTabOrder(m_table, findChild<QPushButton*>(QStringLiteral("cmdCopy")));
    refresh();
}

QWidget* ContactsWindow::createAgainst() {
    auto* box = new QWidget(this);
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    auto* label = new QLabel(tr("&Against:"), box);
    m_cboAgainst = new QComboBox(box);
    m_cboAgainst->setObjectName(QStringLiteral("cboAgainst"));
    m_cboAgainst->addItems({tr("this natal chart"), tr("another reading..."), tr("the sky on")});
    label->setBuddy(m_cboAgainst);
    m_lblOther = new QLabel(box);
    m_lblOther->setObjectName(QStringLiteral("lblOther"));
    m_dteSky = new QDateTimeEdit(m_platform.now(), box);
    m_dteSky->setObjectName(QStringLiteral("dteSky"));
    m_dteSky->setDisplayFormat(QStringLiteral("yyyy-MM-dd HH:mm"));
    m_dteSky->setCalendarPopup(true);
    m_dteSky->setAccessibleName(tr("Date and time of the sky, local time"));
    m_dteSky->setToolTip(
        tr("Local time of this computer; the sky is computed for the same "
           "moment in universal time"));
    // A click puts the cursor into a full section, where typed digits would be refused: it
    // selects the section instead, so that a typed year (or day, hour...) replaces it.
    m_skyText = m_dteSky->findChild<QLineEdit*>();
    if (m_skyText) m_skyText->installEventFilter(this);
    m_cmdNow = new QPushButton(tr("No&w"), box);
    m_cmdNow->setObjectName(QStringLiteral("cmdNow"));
    m_cmdNow->setAutoDefault(false);
    m_chkRing = new QCheckBox(tr("On the comparison w&heel"), box);
    m_chkRing->setObjectName(QStringLiteral("chkRing"));
    m_chkRing->setChecked(true);
    m_chkRing->setToolTip(
        tr("In the comparison view, the other chart takes the natal chart's place on the inner "
           "ring"));
    row->addWidget(label);
    row->addWidget(m_cboAgainst);
    row->addWidget(m_lblOther);
    row->addWidget(m_dteSky);
    row->addWidget(m_cmdNow);
    row->addStretch(1);

    connect(m_cboAgainst, &QComboBox::activated, this, &ContactsWindow::chooseAgainst);
    connect(m_dteSky, &QDateTimeEdit::dateTimeChanged, this, [this] {
        if (m_against != AgainstChoice::Sky) return;
        refresh();
        emit againstChanged();
    });
    connect(m_cmdNow, &QPushButton::clicked, this,
            [this] { m_dteSky->setDateTime(m_platform.now()); });
    connect(m_chkRing, &QCheckBox::toggled, this, [this] { emit againstChanged(); });
    return box;
}

void ContactsWindow::chooseAgainst(int index) {
    if (index == static_cast<int>(AgainstChoice::OtherReading)) {
        emit otherReadingRequested();  // answered by setOtherReading or cancelOtherReading
        return;
    }
    m_against = static_cast<AgainstChoice>(index);
    refresh();
    emit againstChanged();
}

void ContactsWindow::setOtherReading(const Reading& other) {
    m_otherInput = other.input;
    m_other = other;
    m_otherError.clear();
    followPositions();
    m_against = AgainstChoice::OtherReading;
    m_cboAgainst->setCurrentIndex(static_cast<int>(m_against));
    refresh();
    emit againstChanged();
}

void ContactsWindow::cancelOtherReading() {
    m_cboAgainst->setCurrentIndex(static_cast<int>(m_against));
}

void ContactsWindow::setPositionsSource(const PositionsSource& source) {
    const bool changed = !(source.choice == m_source.choice);
    m_source = source;
    followPositions();
    if (m_against == AgainstChoice::Sky || (changed && m_against == AgainstChoice::OtherReading))
        refresh();
}

void ContactsWindow::followPositions() {
    if (!m_otherInput || (m_other && m_other->positions == m_source.choice)) return;
    Calculation calculated = Calculate(*m_otherInput, m_source);
    m_other = std::move(calculated.reading);
    m_otherError = m_other ? std::string() : calculated.error;
}

std::optional<SkyMoment> ContactsWindow::skyMoment() const {
    const QDateTime utc = m_dteSky->dateTime().toUTC();
    if (!utc.isValid()) return std::nullopt;
    return SkyMoment{utc.date().year(), utc.date().month(), utc.date().day(), utc.time().hour(),
                     utc.time().minute()};
}

const std::vector<ContactRow>& ContactsWindow::rows() const { return m_model->rows(); }

const std::vector<ContactGroup>& ContactsWindow::groups() const { return m_model->groups(); }

std::optional<InnerRing> ContactsWindow::innerRing() const {
    const std::vector<ContactGroup>& groups = m_model->groups();
    if (!m_open || !m_reading || !m_chkRing->isChecked() || groups.empty()) return std::nullopt;
    if (m_against == AgainstChoice::OtherReading && m_other) {
        return InnerRing{InnerChart{m_other->natal, "Inner Wheel - " + m_other->birth().Name,
                                    "Natal: " + m_other->birth().Name},
                         groups.front()};
    }
    if (m_against == AgainstChoice::Sky && m_sky) {
        return InnerRing{InnerChart{m_sky->chart, "Inner Wheel - " + SkyName(m_sky->moment), "Sky"},
                         groups.front()};
    }
    return std::nullopt;
}

QWidget* ContactsWindow::createControls() {
    // First row: the orb and the node pairs; second row: the aspects.
    auto* box = new QWidget(this);
    auto* rows = new QVBoxLayout(box);
    rows->setContentsMargins(0, 0, 0, 0);
    auto* first = new QHBoxLayout;
    auto* second = new QHBoxLayout;
    rows->addLayout(first);
    rows->addLayout(second);

    auto* orbLabel = new QLabel(tr("O&rb:"), box);
    m_cboOrb = new QComboBox(box);
    m_cboOrb->setObjectName(QStringLiteral("cboOrb"));
    for (double orb = kMinOrb; orb <= kMaxOrb; orb += kOrbStep)
        m_cboOrb->addItem(OrbCaption(orb), orb);
    m_cboOrb->setCurrentIndex(m_cboOrb->findData(kDefaultOrb));
    orbLabel->setBuddy(m_cboOrb);
    first->addWidget(orbLabel);
    first->addWidget(m_cboOrb);
    first->addSpacing(16);
    m_chkNodePairs = new QCheckBox(tr("&Node to node pairs"), box);
    m_chkNodePairs->setObjectName(QStringLiteral("chkNodePairs"));
    m_chkNodePairs->setToolTip(
        tr("Draconic North Node with natal North Node and draconic South Node with natal South "
           "Node. The draconic North Node is 0° Aries by construction."));
    first->addWidget(m_chkNodePairs);
    first->addSpacing(16);
    first->addWidget(m_chkRing);  // made with the against choice it belongs to
    first->addStretch(1);

    for (int a = 0; a < kAspectCount; ++a) {
        const Aspect aspect = static_cast<Aspect>(a);
        auto* check =
            new QCheckBox(Q(AspectGlyph(aspect)) + QLatin1Char(' ') + tr(kAspectCaptions[a]), box);
        check->setObjectName(QStringLiteral("chk_") + Q(AspectKey(aspect)));
        check->setChecked(m_settings.aspects & AspectBit(aspect));
        m_chkAspect[a] = check;
        second->addWidget(check);
    }
    second->addStretch(1);

    connect(m_cboOrb, &QComboBox::currentIndexChanged, this, &ContactsWindow::readControls);
    connect(m_chkNodePairs, &QCheckBox::toggled, this, &ContactsWindow::readControls);
    for (QCheckBox* check : m_chkAspect)
        connect(check, &QCheckBox::toggled, this, &ContactsWindow::readControls);
    return box;
}

QWidget* ContactsWindow::createButtons() {
    auto* box = new QWidget(this);
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    auto make = [&](const QString& caption, const QString& name) {
        auto* button = new QPushButton(caption, box);
        button->setObjectName(name);
        button->setAutoDefault(false);
        return button;
    };
    QPushButton* copy = make(tr("Cop&y"), QStringLiteral("cmdCopy"));
    QPushButton* save = make(tr("Save As CS&V..."), QStringLiteral("cmdSaveCsv"));
    QPushButton* close = make(tr("Close"), QStringLiteral("cmdClose"));
    connect(copy, &QPushButton::clicked, this, &ContactsWindow::copyToClipboard);
    connect(save, &QPushButton::clicked, this, &ContactsWindow::saveCsv);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    row->addWidget(copy);
    row->addWidget(save);
    row->addStretch(1);
    row->addWidget(close);
    return box;
}

bool ContactsWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_skyText && event->type() == QEvent::MouseButtonRelease &&
        !m_skyText->hasSelectedText()) {
        m_dteSky->setSelectedSection(m_dteSky->currentSection());
    }
    if (watched == m_table && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
        copyToClipboard();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void ContactsWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (m_open) return;
    m_open = true;
    emit againstChanged();
}

void ContactsWindow::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    if (!event->isAccepted() || !m_open) return;
    m_open = false;
    emit againstChanged();
}

void ContactsWindow::setReading(const Reading* reading) {
    m_reading = reading;
    refresh();
}

void ContactsWindow::readControls() {
    ContactSettings settings;
    settings.orb = m_cboOrb->currentData().toDouble();
    settings.aspects = 0;
    for (int a = 0; a < kAspectCount; ++a) {
        if (m_chkAspect[a]->isChecked()) settings.aspects |= AspectBit(static_cast<Aspect>(a));
    }
    settings.nodePairs = m_chkNodePairs->isChecked();
    if (settings == m_settings) return;
    m_settings = settings;
    refresh();
    emit settingsChanged(m_settings);
}

void ContactsWindow::refresh() {
    std::vector<ContactGroup> groups;
    m_sky.reset();
    m_skyError.clear();
    if (m_reading) {
        switch (m_against) {
            case AgainstChoice::NatalChart:
                groups.push_back(OwnContactGroup(*m_reading, m_settings));
                break;
            case AgainstChoice::OtherReading:
                if (m_other) groups = SynastryGroups(*m_reading, *m_other, m_settings);
                break;
            case AgainstChoice::Sky:
                if (const auto moment = skyMoment()) {
                    SkyResult sky = ComputeSky(*moment, m_source);
                    m_skyError = sky.error;
                    if (sky.sky) {
                        m_sky = std::move(sky.sky);
                        groups.push_back(SkyGroup(*m_reading, *m_sky, m_settings));
                    }
                }
                break;
        }
    }
    const bool other = m_against == AgainstChoice::OtherReading;
    m_lblOther->setVisible(other && m_otherInput);
    if (m_otherInput) m_lblOther->setText(Q(m_otherInput->birth.Name));
    m_dteSky->setVisible(m_against == AgainstChoice::Sky);
    m_cmdNow->setVisible(m_against == AgainstChoice::Sky);
    m_chkRing->setEnabled(m_against != AgainstChoice::NatalChart);
    // Between two charts every node pair is listed.
    m_chkNodePairs->setEnabled(m_against == AgainstChoice::NatalChart);

    m_model->setGroups(std::move(groups));
    // A group's title stands on a row of its own across the table.
    m_table->clearSpans();
    for (int r = 0; r < m_model->rowCount(); ++r) {
        if (m_model->isTitle(r)) m_table->setSpan(r, 0, 1, kContactColumnCount);
    }
    m_lblStatus->setText(statusText());
    fitColumns();
}

void ContactsWindow::fitColumns() {
    // Every column as wide as its title or widest text; the window wants the width that shows
    // them all (sizeHint), and takes it when shown.
    m_table->resizeColumnsToContents();
    const int needed = m_table->horizontalHeader()->length() + 2 * m_table->frameWidth() +
                       m_table->verticalScrollBar()->sizeHint().width();
    const int before = m_tableWidth;
    m_tableWidth = std::max(kTableMinimumWidth, needed);
    updateGeometry();
    // Shown, it takes a wider size at once and says so, to be placed again (where it may be
    // narrowed to the room there).
    if (isVisible() && m_tableWidth > before && sizeHint().width() > width()) {
        resize(sizeHint().width(), height());
        emit grown();
    }
}

QSize ContactsWindow::sizeHint() const {
    QSize hint = QWidget::sizeHint();
    const QMargins margins = layout()->contentsMargins();
    hint.setWidth(std::max(hint.width(), m_tableWidth + margins.left() + margins.right()));
    return hint;
}

QString ContactsWindow::statusText() const {
    if (!m_reading) return tr("No reading: calculate a chart to see its contacts.");
    if (m_settings.aspects == 0) return tr("Choose at least one aspect.");
    if (m_against == AgainstChoice::Sky && !m_skyError.empty())
        return tr("No sky: %1.").arg(Q(m_skyError));
    if (m_against == AgainstChoice::OtherReading && !m_otherInput)
        return tr("Choose the reading to compare with.");
    if (m_against == AgainstChoice::OtherReading && !m_other)
        return tr("%1 cannot be calculated with these positions: %2.")
            .arg(Q(m_otherInput->birth.Name), Q(m_otherError));
    const QString orb = OrbCaption(m_settings.orb);
    const std::size_t count = m_model->rows().size();
    if (count == 0) return tr("No contacts within %1.").arg(orb);
    if (count == 1) return tr("1 contact within %1.").arg(orb);
    return tr("%1 contacts within %2.").arg(count).arg(orb);
}

void ContactsWindow::copyToClipboard() {
    std::set<int> selected;
    for (const QModelIndex& index : m_table->selectionModel()->selectedRows())
        selected.insert(index.row());
    // The selected rows of each group (every row when none is selected), under their titles.
    std::vector<ContactGroup> copied = m_model->groupsOnRows(selected);
    if (copied.empty()) copied.push_back(ContactGroup{});
    QApplication::clipboard()->setText(Q(GroupsPlainText(copied)));
}

void ContactsWindow::saveCsv() {
    FileDialogRequest request;
    request.title = tr("Save Contacts As CSV");
    request.filter = tr("CSV (*.csv)");
    request.defaultSuffix = QStringLiteral("csv");
    request.initialName = QStringLiteral("contacts.csv");
    request.confirmOverwrite = true;
    const QString path = m_platform.getSaveFileName(this, request);
    if (path.isEmpty()) return;
    const std::vector<ContactGroup>& groups = m_model->groups();
    const std::string csv = groups.empty() ? ContactsCsv({}) : GroupsCsv(groups);
    SaveFileReportingErrors(m_platform, this, path, QByteArray(csv.data(), qsizetype(csv.size())));
}

QRect ContactsWindowGeometry(const QRect& screen, const QRect& chart, const QRect& positionTable,
                             const QSize& frame, int minimumWidth) {
    // Over the chart itself when no side has room: then the right-hand side is tried.
    const QPoint beside = PlaceBeside(screen, chart, chart, frame, kContactsWindowGap);
    if (!QRect(beside, frame).intersects(chart)) return QRect(beside, frame);
    const int top = std::clamp(positionTable.top(), screen.top(),
                               std::max(screen.top(), screen.bottom() + 1 - frame.height()));
    const int wheelEnd = positionTable.left();  // the wheel lies left of the table
    const int atScreenEdge = screen.right() + 1 - frame.width();
    if (atScreenEdge >= wheelEnd) return QRect(atScreenEdge, top, frame.width(), frame.height());
    const int room = screen.right() + 1 - wheelEnd;
    if (room >= minimumWidth) return QRect(wheelEnd, top, room, frame.height());
    const int width = std::min(frame.width(), screen.width());
    return QRect(screen.right() + 1 - width, top, width, frame.height());
}

}  // namespace velloran
