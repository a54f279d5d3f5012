#include "input/gui/FormAtlas.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QCoreApplication>
#include <QEvent>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QStringListModel>
#include <QtConcurrent/QtConcurrentRun>
#include <algorithm>

#include "atlas/Atlas.h"
#include "atlas/SystemAtlas.h"
#include "domain/ZoneTable.h"
#include "input/FormInput.h"
#include "input/gui/FrmMain.h"
#include "ui/Platform.h"
#include "ui/QtText.h"

namespace velloran {

namespace {

constexpr int kCompletions = 10;
constexpr int kPopupPadding = 12;  // pixels beside the longest place name

template <typename T>
T* Child(QObject& root, const char* name) {
    return root.findChild<T*>(QString::fromLatin1(name));
}

// Why the zone was left, short enough for the note line.
std::string LeftZoneReason(const ZoneChoice& choice) {
    switch (choice.fit) {
        case ZoneFit::Row:
            return {};
        case ZoneFit::NoRow:
            return FormatUtcOffset(choice.legal.utcOffsetSeconds) + " matches no zone";
        case ZoneFit::Skipped:
            return "the clocks skipped that time";
        case ZoneFit::Ambiguous:
            return "that time happened twice";
        case ZoneFit::UnknownZone:
            return "the place's time zone is not known";
    }
    return {};
}

}  // namespace

FormAtlas::FormAtlas(FrmMain& form, Platform& platform, std::unique_ptr<LegalTimeSource> legal)
    : QObject(&form), m_form(form), m_platform(platform), m_legal(std::move(legal)) {
    setObjectName(QStringLiteral("formAtlas"));
    m_city = Child<QLineEdit>(form, "txtCity");
    m_state = Child<QLineEdit>(form, "txtState");
    m_country = Child<QLineEdit>(form, "txtCountry");
    m_zone = Child<QComboBox>(form, "cboTimeZone");
    m_dst = Child<QCheckBox>(form, "chkDST");
    m_note = Child<QLabel>(form, "lblAtlasNote");

    m_model = new QStringListModel(this);
    m_completer = new QCompleter(m_model, this);
    // The atlas has matched already (accents folded, "city, state"): show its rows as they are.
    m_completer->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    m_completer->setMaxVisibleItems(kCompletions);
    m_completer->setWidget(m_city);
    m_completer->popup()->setObjectName(QStringLiteral("atlasPopup"));
    m_completer->popup()->setAccessibleName(tr("Places from the atlas"));
    m_completer->popup()->setAccessibleDescription(
        tr("Choosing a place fills the city, state, country, latitude, longitude and time zone"));
    connect(m_completer, qOverload<const QModelIndex&>(&QCompleter::activated), this,
            [this](const QModelIndex& index) { chooseCompletion(index.row()); });
    connect(m_city, &QLineEdit::textEdited, this, [this] {
        // Typing starts over: the zone is no longer the atlas's to change.
        m_chosen.reset();
        m_atlasOwnsZone = false;
        offerCompletions();
    });
    // The list opens with its first row current but not selected, so the first Down only
    // selects it, and Qt, which tells a screen reader of a row when it becomes current, says
    // nothing. Tell it of a row selected without becoming current (the selection changes first,
    // the current row after it: a row that became current has its own announcement coming).
    QItemSelectionModel* rows = m_completer->popup()->selectionModel();
    connect(rows, &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { m_currentRow = current.row(); });
    connect(
        rows, &QItemSelectionModel::selectionChanged, this, [this](const QItemSelection& selected) {
            const QModelIndex current = m_completer->popup()->currentIndex();
            if (!current.isValid() || !selected.contains(current) || current.row() != m_currentRow)
                return;
            QAccessibleEvent focus(m_completer->popup(), QAccessible::Focus);
            focus.setChild(current.row());
            QAccessible::updateAccessibility(&focus);
        });
    m_city->installEventFilter(this);
    m_completer->popup()->installEventFilter(this);  // after the completer's own: runs first

    for (const char* name : {"cboMonth", "cboDate", "cboYear", "cboHour", "cboMinute"}) {
        connect(Child<QComboBox>(form, name), &QComboBox::currentIndexChanged, this,
                &FormAtlas::followBirthMoment);
    }
    // A form filled from a reading holds the reading's place and zone, not the atlas's: the date
    // lists it sets are not followed, and the note goes.
    connect(&form, &FrmMain::inputReplacing, this, [this] {
        m_chosen.reset();
        m_atlasOwnsZone = false;
        m_note->clear();
    });
    connect(m_zone, &QComboBox::currentIndexChanged, this, &FormAtlas::zoneChangedByHand);
    connect(m_dst, &QCheckBox::stateChanged, this, &FormAtlas::zoneChangedByHand);
}

FormAtlas::~FormAtlas() {
    if (m_building) m_building->waitForFinished();
}

bool FormAtlas::eventFilter(QObject* watched, QEvent* event) {
    // Reaching the City box is the first use: build the index before the first letter.
    if (watched == m_city && event->type() == QEvent::FocusIn) startBuilding();
    // While the list shows, the completer hands typed keys straight to the box, past the form's
    // letters-only check: send them through it instead. Navigation stays with the completer.
    if (watched == m_completer->popup() && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const QString typed = key->text();
        const bool printable = !typed.isEmpty() && std::all_of(typed.begin(), typed.end(),
                                                               [](QChar c) { return c.isPrint(); });
        if (printable && !(key->modifiers() & (Qt::ControlModifier | Qt::MetaModifier))) {
            QCoreApplication::sendEvent(m_city, event);
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

void FormAtlas::startBuilding() {
    if (m_atlas || m_building) return;
    m_building = new QFutureWatcher<const Atlas*>(this);
    connect(m_building, &QFutureWatcherBase::finished, this, [this] {
        m_atlas = m_building->result();
        // Letters typed while it was building get their completions now.
        if (!m_city->text().trimmed().isEmpty() && !m_chosen) offerCompletions();
    });
    m_building->setFuture(QtConcurrent::run([] { return &SystemAtlas(); }));
}

void FormAtlas::offerCompletions() {
    if (!m_atlas) {
        startBuilding();
        return;
    }
    m_offered = m_atlas->FindPlaces(m_city->text().toStdString(), kCompletions);
    QStringList labels;
    for (const Place& place : m_offered) labels << Q(PlaceLabel(place));
    m_model->setStringList(labels);
    if (labels.isEmpty()) {
        m_completer->popup()->hide();
        return;
    }
    // As wide as the longest place, so that state and country show in full.
    QAbstractItemView* popup = m_completer->popup();
    int widest = m_city->width();
    for (const QString& label : labels) {
        widest = std::max(widest, popup->fontMetrics().horizontalAdvance(label) +
                                      popup->verticalScrollBar()->sizeHint().width() +
                                      2 * popup->frameWidth() + kPopupPadding);
    }
    m_completer->complete(QRect(0, 0, widest, m_city->height()));
}

void FormAtlas::chooseCompletion(int row) {
    if (row < 0 || row >= static_cast<int>(m_offered.size())) return;
    // A copy: choosing may offer completions again, replacing the list.
    const Place place = m_offered[static_cast<std::size_t>(row)];
    choosePlace(place);
}

void FormAtlas::choosePlace(const Place& place) {
    m_chosen = place;
    m_city->setText(Q(place.name));
    m_state->setText(Q(place.state));
    m_country->setText(Q(place.country));
    const auto fill = [this](double degrees, const char* degBox, const char* minBox,
                             const char* positive, const char* negative) {
        const DegreesMinutes split = SplitDegrees(degrees);
        Child<QLineEdit>(m_form, degBox)->setText(QString::number(split.degrees));
        Child<QLineEdit>(m_form, minBox)->setText(QString::number(split.minutes));
        Child<QRadioButton>(m_form, split.negative ? negative : positive)->setChecked(true);
    };
    fill(place.latitude, "txtLatD", "txtLatM", "optLatSouth0", "optLatSouth1");
    fill(place.longitude, "txtLonD", "txtLonM", "optLongEast0", "optLongEast1");
    m_atlasOwnsZone = true;
    applyZone(true);
}

std::optional<LocalMoment> FormAtlas::birthMoment() const {
    const FormInput in = m_form.input();
    if (in.yearIndex < 0 || in.monthIndex < 0 || in.dayIndex < 0 || in.hourIndex < 0 ||
        in.minuteIndex < 0)
        return std::nullopt;
    return LocalMoment{kFirstYear + in.yearIndex, in.monthIndex + 1, in.dayIndex + 1, in.hourIndex,
                       in.minuteIndex};
}

void FormAtlas::applyZone(bool tellUser) {
    const std::optional<LocalMoment> moment = birthMoment();
    if (!moment) {
        m_note->setText(tr("Place set by the atlas; choose the birth date and time for the zone"));
        return;
    }
    const ZoneChoice choice = ZoneForBirth(*m_chosen, *moment, *m_legal);
    const std::string when = FormatLocalMoment(*moment);
    if (choice.fit != ZoneFit::Row) {
        m_note->setText(Q("Zone and daylight saving left as they were for " + when + ": " +
                          LeftZoneReason(choice)));
        if (tellUser) {
            m_platform.showMessage(&m_form, Q(ZoneChoiceNote(choice, *m_chosen, *moment)),
                                   MessageIcon::Information);
        }
        return;
    }
    m_settingZone = true;
    m_zone->setCurrentIndex(choice.zoneIndex);
    m_form.confirmZone();
    m_dst->setTristate(false);
    m_dst->setChecked(choice.daylightSaving);
    m_settingZone = false;
    // The list's rows are named for the regions they were made for: a row picked for its
    // offset may carry another region's name ("British Summer Time" for Lagos). The note then
    // names the place's own zone too.
    const std::string_view rowAbbreviation = ZoneRowAt(choice.zoneIndex).abbreviation;
    const auto& own = choice.legal.standardAbbreviations;
    const bool ownName = choice.legal.abbreviation == rowAbbreviation ||
                         std::find(own.begin(), own.end(), rowAbbreviation) != own.end();
    const std::string placeZone = ownName || choice.legal.abbreviation.empty()
                                      ? std::string()
                                      : " (the place's own zone: " + choice.legal.abbreviation +
                                            ", " + FormatUtcOffset(choice.legal.utcOffsetSeconds) +
                                            ")";
    m_note->setText(
        Q("Zone and daylight saving set by the atlas for " + when + ": " +
          ZoneRowName(choice.zoneIndex) + ", " + FormatUtcOffset(choice.legal.utcOffsetSeconds) +
          ", " + (choice.daylightSaving ? "daylight saving" : "no daylight saving") + placeZone));
}

void FormAtlas::followBirthMoment() {
    if (!m_chosen || !m_atlasOwnsZone) return;
    // A message when the new moment has no row, but only on the way out of a row: moving
    // through the lists should not raise one message after another.
    const bool hadRow = m_note->text().startsWith(QStringLiteral("Zone and daylight saving set"));
    applyZone(hadRow);
}

void FormAtlas::zoneChangedByHand() {
    if (m_settingZone) return;
    // The note said what the atlas set; the boxes no longer hold it.
    if (m_atlasOwnsZone) m_note->clear();
    m_atlasOwnsZone = false;
}

}  // namespace velloran
