#pragma once
// The atlas on the birth-data form: completions for the City box while the user types, and on a
// choice the place, coordinates, zone and daylight-saving box filled in, with a note line saying
// what was set. The index is built on a worker thread on first use.

#include <QFutureWatcher>
#include <QObject>
#include <memory>
#include <optional>

#include "atlas/LegalTime.h"
#include "atlas/Place.h"
#include "atlas/ZoneForBirth.h"

class QCheckBox;
class QComboBox;
class QCompleter;
class QLabel;
class QLineEdit;
class QStringListModel;

namespace velloran {

class Atlas;
class FrmMain;
class Platform;

class FormAtlas : public QObject {
    Q_OBJECT
public:
    // Lives as a child of the form; `legal` answers the legal time of a place.
    FormAtlas(FrmMain& form, Platform& platform, std::unique_ptr<LegalTimeSource> legal);
    ~FormAtlas() override;

    // The completer on the City box (for tests and screen readers).
    QCompleter* completer() const { return m_completer; }
    // True once the index is built.
    bool ready() const { return m_atlas != nullptr; }

    // Fills the form from a place as if the user had chosen it from the completions.
    void choosePlace(const Place& place);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void startBuilding();
    void offerCompletions();
    void chooseCompletion(int row);
    void followBirthMoment();
    void zoneChangedByHand();
    // The form's birth date and time; nothing while a list has no selection.
    std::optional<LocalMoment> birthMoment() const;
    // Sets the zone and box for the chosen place at the form's moment; the note line says what.
    // Tells the user when no row fits (only when `tellUser`), and then leaves the zone.
    void applyZone(bool tellUser);

    FrmMain& m_form;
    Platform& m_platform;
    std::unique_ptr<LegalTimeSource> m_legal;
    QLineEdit *m_city = nullptr, *m_state = nullptr, *m_country = nullptr;
    QComboBox* m_zone = nullptr;
    QCheckBox* m_dst = nullptr;
    QLabel* m_note = nullptr;
    QCompleter* m_completer = nullptr;
    QStringListModel* m_model = nullptr;
    QFutureWatcher<const Atlas*>* m_building = nullptr;
    const Atlas* m_atlas = nullptr;
    std::vector<Place> m_offered;  // the places behind the completer's rows
    std::optional<Place> m_chosen;
    bool m_atlasOwnsZone = false;  // the zone and box still hold what the atlas set
    bool m_settingZone = false;
    int m_currentRow = -1;  // the list's current row, as the last change left it
};

}  // namespace velloran
