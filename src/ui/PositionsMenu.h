#pragma once
// The positions choice (classic or precise, mean or true node, house system, asteroids) as the
// user makes it: kept in the per-user settings store, and offered by the "&Options" menu of the
// form and the main window.
// Each menu reads the store when it opens, so both always show the same choice.

#include <QMenu>
#include <array>

#include "domain/PositionsChoice.h"

class QAction;

namespace velloran {

class Platform;

// How the chart window draws its wheels: the house lists as written (the default) or the degree
// wheel, its aspect lines and its theme; kept in the settings store beside the positions.
enum class WheelStyle { HouseLists, DegreeWheel };
enum class WheelThemeChoice { Light, Dark, Print };  // in the degree wheel's theme order
struct WheelChoice {
    WheelStyle style = WheelStyle::HouseLists;
    bool aspectLines = true;
    WheelThemeChoice theme = WheelThemeChoice::Light;
    bool operator==(const WheelChoice&) const = default;
};
WheelChoice StoredWheelChoice(Platform& platform);
void StoreWheelChoice(Platform& platform, const WheelChoice& choice);

// The stored choice; anything the store does not hold as a known word reads as the default
// (classic positions, mean node, whole-sign houses, no asteroids).
PositionsChoice StoredPositionsChoice(Platform& platform);
void StorePositionsChoice(Platform& platform, const PositionsChoice& choice);

// "&Classic positions" / "&Precise positions", a separator, "&Mean node" / "&True node", the
// "House &System" submenu and "Aste&roids and Lilith" (these only with the precise positions,
// their choice kept while the classic ones are shown). A choice the user makes is stored, then
// choiceChanged is emitted. Below them the wheel's choice: "House &Lists (as written)" / "&Degree
// Wheel",
// "&Aspect Lines" and the "Wheel T&heme" submenu; a change is stored, then wheelChanged is
// emitted.
class PositionsMenu : public QMenu {
    Q_OBJECT
public:
    PositionsMenu(Platform& platform, QWidget* parent);

    // Shows the stored choice (done each time the menu is about to show).
    void refresh();

signals:
    void choiceChanged();
    void wheelChanged();

private:
    void choose(const PositionsChoice& choice);

    Platform& m_platform;
    QAction* m_classic = nullptr;
    QAction* m_precise = nullptr;
    QAction* m_meanNode = nullptr;
    QAction* m_trueNode = nullptr;
    QMenu* m_houseMenu = nullptr;
    std::array<QAction*, kHouseSystems.size()> m_houses{};  // kHouseSystems order
    QAction* m_asteroids = nullptr;
    QAction* m_houseLists = nullptr;
    QAction* m_degreeWheel = nullptr;
    QAction* m_aspectLines = nullptr;
    QAction* m_themes[3] = {};
};

}  // namespace velloran
