#include "chart/gui/ContactsWindow.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <set>

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
constexpr int kChartGap = 8;  // pixels between the chart and the window beside it

// A screen reader hears the contacts window as a window with its title, as it hears the others
// (a plain QWidget would be a nameless container).
class ContactsWindowAccessible : public QAccessibleWidget {
public:
    explicit ContactsWindowAccessible(QWidget* window)
        : QAccessibleWidget(window, QAccessible::Window) {}
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) return widget()->windowTitle();
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface* ContactsWindowAccessibleFactory(const QString& className, QObject* object) {
    if (className == QLatin1String(ContactsWindow::staticMetaObject.className()) &&
        qobject_cast<ContactsWindow*>(object))
        return new ContactsWindowAccessible(static_cast<QWidget*>(object));
    return nullptr;
}

// The offset that brings [low, low + size) inside [first, last]; `first` when it cannot fit.
int Clamped(int low, int size, int first, int last) {
    return std::max(first, std::min(low, last + 1 - size));
}

}  // namespace

QPoint ContactsWindowPosition(const QRect& screen, const QRect& chart, const QRect& positionColumns,
                              const QSize& frame) {
    const int top = Clamped(chart.top(), frame.height(), screen.top(), screen.bottom());
    const int right = chart.right() + 1 + kChartGap;
    if (right + frame.width() <= screen.right() + 1) return {right, top};
    const int left = chart.left() - kChartGap - frame.width();
    if (left >= screen.left()) return {left, top};
    const int below = chart.bottom() + 1 + kChartGap;
    if (below + frame.height() <= screen.bottom() + 1)
        return {Clamped(chart.right() + 1 - frame.width(), frame.width(), screen.left(),
                        screen.right()),
                below};
    // No room beside it: cover the far side of the chart, leaving the wheel in view.
    return {Clamped(positionColumns.left(), frame.width(), screen.left(), screen.right()),
            Clamped(positionColumns.top(), frame.height(), screen.top(), screen.bottom())};
}

ContactsWindow::ContactsWindow(Platform& platform, QWidget* parent)
    : QWidget(parent, Qt::Window), m_platform(platform) {
    static const bool accessible =
        (QAccessible::installFactory(ContactsWindowAccessibleFactory), true);
    Q_UNUSED(accessible);
    setObjectName(QStringLiteral("frmContacts"));
    setWindowTitle(tr("Natal–Draconic Contacts"));

    m_table = new QTableWidget(0, kContactColumnCount, this);
    m_table->setObjectName(QStringLiteral("tblContacts"));
    m_table->setAccessibleName(tr("Contacts"));
    // The position titles take two lines, so the columns stay as narrow as their contents.
    QStringList titles;
    for (const char* title : kContactColumns)
        titles << tr(title).replace(QStringLiteral(" position"), QStringLiteral("\nposition"));
    m_table->setHorizontalHeaderLabels(titles);
    m_table->verticalHeader()->setVisible(false);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
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
    m_other = other;
    m_against = AgainstChoice::OtherReading;
    m_cboAgainst->setCurrentIndex(static_cast<int>(m_against));
    refresh();
    emit againstChanged();
}

void ContactsWindow::cancelOtherReading() {
    m_cboAgainst->setCurrentIndex(static_cast<int>(m_against));
}

void ContactsWindow::setPositionsSource(const PositionsSource& source) {
    m_source = source;
    if (m_against == AgainstChoice::Sky) refresh();
}

std::optional<SkyMoment> ContactsWindow::skyMoment() const {
    const QDateTime utc = m_dteSky->dateTime().toUTC();
    if (!utc.isValid()) return std::nullopt;
    return SkyMoment{utc.date().year(), utc.date().month(), utc.date().day(), utc.time().hour(),
                     utc.time().minute()};
}

std::optional<InnerRing> ContactsWindow::innerRing() const {
    if (!m_state || !m_chkRing->isChecked() || m_groups.empty()) return std::nullopt;
    if (m_against == AgainstChoice::OtherReading && m_other) {
        return InnerRing{
            InnerChart{m_other->natal, "Inner Wheel - " + m_other->birth().Name, "Natal"},
            m_groups.front()};
    }
    if (m_against == AgainstChoice::Sky && m_sky) {
        return InnerRing{InnerChart{m_sky->chart, "Inner Wheel - " + SkyName(m_sky->moment), "Sky"},
                         m_groups.front()};
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
    if (watched == m_table && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
        copyToClipboard();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void ContactsWindow::setReading(const Reading* reading) {
    m_state = reading;
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
    m_groups.clear();
    m_rows.clear();
    m_tableRows.clear();
    m_sky.reset();
    m_skyError.clear();
    if (m_state) {
        switch (m_against) {
            case AgainstChoice::NatalChart:
                m_groups.push_back(OwnContactGroup(*m_state, m_settings));
                break;
            case AgainstChoice::OtherReading:
                if (m_other) m_groups = SynastryGroups(*m_state, *m_other, m_settings);
                break;
            case AgainstChoice::Sky:
                if (const auto moment = skyMoment()) {
                    SkyResult sky = ComputeSky(*moment, m_source);
                    m_skyError = sky.error;
                    if (sky.sky) {
                        m_sky = std::move(sky.sky);
                        m_groups.push_back(SkyGroup(*m_state, *m_sky, m_settings));
                    }
                }
                break;
        }
    }
    const bool other = m_against == AgainstChoice::OtherReading;
    m_lblOther->setVisible(other && m_other);
    if (m_other) m_lblOther->setText(Q(m_other->birth().Name));
    m_dteSky->setVisible(m_against == AgainstChoice::Sky);
    m_cmdNow->setVisible(m_against == AgainstChoice::Sky);
    m_chkRing->setEnabled(m_against != AgainstChoice::NatalChart);
    // Between two charts every node pair is listed.
    m_chkNodePairs->setEnabled(m_against == AgainstChoice::NatalChart);

    const ContactColumns& columns =
        m_groups.empty() ? kContactColumns : GroupColumns(m_groups.front());
    QStringList titles;
    for (const char* title : columns)
        titles << tr(title).replace(QStringLiteral(" position"), QStringLiteral("\nposition"));
    m_table->setHorizontalHeaderLabels(titles);
    m_table->clearSelection();
    m_table->clearSpans();
    const bool titled = m_groups.size() > 1;
    int count = 0;
    for (const ContactGroup& group : m_groups)
        count += int(group.contacts.size()) + (titled ? 1 : 0);
    m_table->setRowCount(count);
    int r = 0;
    for (const ContactGroup& group : m_groups) {
        if (titled) {
            // A group's title stands on a row of its own across the table.
            auto* item = new QTableWidgetItem(Q(group.title));
            QFont bold = item->font();
            bold.setBold(true);
            item->setFont(bold);
            item->setFlags(Qt::ItemIsEnabled);
            m_table->setItem(r, 0, item);
            for (int c = 1; c < kContactColumnCount; ++c) m_table->setItem(r, c, nullptr);
            m_table->setSpan(r, 0, 1, kContactColumnCount);
            ++r;
        }
        for (const ContactRow& row : GroupRows(group)) {
            const auto cells = RowCells(row);
            for (int c = 0; c < kContactColumnCount; ++c)
                m_table->setItem(r, c, new QTableWidgetItem(Q(cells[c])));
            m_rows.push_back(row);
            m_tableRows.push_back(r);
            ++r;
        }
    }
    m_lblStatus->setText(statusText());
    fitColumns();
}

void ContactsWindow::fitColumns() {
    // Every column as wide as its title or widest text; the table grows to show them all.
    m_table->resizeColumnsToContents();
    const int needed = m_table->horizontalHeader()->length() + 2 * m_table->frameWidth() +
                       m_table->verticalScrollBar()->sizeHint().width();
    m_table->setMinimumWidth(std::max(kTableMinimumWidth, needed));
}

QString ContactsWindow::statusText() const {
    if (!m_state) return tr("No reading: calculate a chart to see its contacts.");
    if (m_settings.aspects == 0) return tr("Choose at least one aspect.");
    if (m_against == AgainstChoice::Sky && !m_skyError.empty())
        return tr("No sky: %1.").arg(Q(m_skyError));
    if (m_against == AgainstChoice::OtherReading && !m_other)
        return tr("Choose the reading to compare with.");
    const QString orb = OrbCaption(m_settings.orb);
    if (m_rows.empty()) return tr("No contacts within %1.").arg(orb);
    if (m_rows.size() == 1) return tr("1 contact within %1.").arg(orb);
    return tr("%1 contacts within %2.").arg(m_rows.size()).arg(orb);
}

void ContactsWindow::copyToClipboard() {
    std::set<int> selected;
    for (const QModelIndex& index : m_table->selectionModel()->selectedRows())
        selected.insert(index.row());
    // The selected rows of each group (every row when none is selected), under their titles.
    std::vector<ContactGroup> copied = m_groups;
    std::size_t entry = 0;
    for (ContactGroup& group : copied) {
        std::vector<Contact> kept;
        for (const Contact& contact : group.contacts) {
            if (selected.empty() || selected.count(m_tableRows[entry])) kept.push_back(contact);
            ++entry;
        }
        group.contacts = std::move(kept);
    }
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
    const std::string csv = m_groups.empty() ? ContactsCsv({}) : GroupsCsv(m_groups);
    SaveFileReportingErrors(m_platform, this, path, QByteArray(csv.data(), qsizetype(csv.size())));
}

}  // namespace velloran
