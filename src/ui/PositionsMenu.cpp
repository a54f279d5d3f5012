#include "ui/PositionsMenu.h"

#include <QAction>
#include <QActionGroup>

#include "ui/Platform.h"
#include "ui/QtText.h"

namespace velloran {

namespace {

const QString kSection = QStringLiteral("Positions");
const QString kPositionsKey = QStringLiteral("Positions");
const QString kNodeKey = QStringLiteral("Node");
const QString kHousesKey = QStringLiteral("Houses");
const QString kAsteroidsKey = QStringLiteral("Asteroids");
const QString kWheelSection = QStringLiteral("Wheel");
const QString kStyleKey = QStringLiteral("Style");
const QString kAspectLinesKey = QStringLiteral("AspectLines");
const QString kThemeKey = QStringLiteral("Theme");
const char* const kThemeWords[3] = {"light", "dark", "print"};
// Where each house system's name takes its mnemonic mark (Porphyry and Placidus share a first
// letter).
constexpr std::array<int, kHouseSystems.size()> kHouseMnemonic = {0, 0, 0, 1, 0, 0, 0, 0};

}  // namespace

PositionsChoice StoredPositionsChoice(Platform& platform) {
    PositionsChoice choice;
    const std::string positions = S(platform.readSetting(kSection, kPositionsKey));
    const std::string node = S(platform.readSetting(kSection, kNodeKey));
    if (auto kind = ParsePositionsKey(positions)) choice.positions = *kind;
    if (auto kind = ParseNodeKey(node)) choice.node = *kind;
    if (auto system = ParseHouseSystem(S(platform.readSetting(kSection, kHousesKey))))
        choice.houses = *system;
    choice.asteroids = platform.readSetting(kSection, kAsteroidsKey) == QLatin1String("yes");
    return choice;
}

void StorePositionsChoice(Platform& platform, const PositionsChoice& choice) {
    platform.writeSetting(kSection, kPositionsKey, Q(std::string(PositionsKey(choice.positions))));
    platform.writeSetting(kSection, kNodeKey, Q(std::string(NodeKey(choice.node))));
    platform.writeSetting(kSection, kHousesKey, Q(std::string(HouseSystemKey(choice.houses))));
    platform.writeSetting(kSection, kAsteroidsKey,
                          choice.asteroids ? QStringLiteral("yes") : QStringLiteral("no"));
}

WheelChoice StoredWheelChoice(Platform& platform) {
    WheelChoice choice;
    if (platform.readSetting(kWheelSection, kStyleKey) == QLatin1String("degree"))
        choice.style = WheelStyle::DegreeWheel;
    choice.aspectLines =
        platform.readSetting(kWheelSection, kAspectLinesKey) != QLatin1String("no");
    const QString theme = platform.readSetting(kWheelSection, kThemeKey);
    for (int i = 0; i < 3; ++i) {
        if (theme == QLatin1String(kThemeWords[i])) choice.theme = static_cast<WheelThemeChoice>(i);
    }
    return choice;
}

void StoreWheelChoice(Platform& platform, const WheelChoice& choice) {
    platform.writeSetting(kWheelSection, kStyleKey,
                          choice.style == WheelStyle::DegreeWheel ? QStringLiteral("degree")
                                                                  : QStringLiteral("lists"));
    platform.writeSetting(kWheelSection, kAspectLinesKey,
                          choice.aspectLines ? QStringLiteral("yes") : QStringLiteral("no"));
    platform.writeSetting(kWheelSection, kThemeKey,
                          QLatin1String(kThemeWords[static_cast<int>(choice.theme)]));
}

PositionsMenu::PositionsMenu(Platform& platform, QWidget* parent)
    : QMenu(tr("&Options"), parent), m_platform(platform) {
    setObjectName(QStringLiteral("mnuOptions"));
    auto make = [this](const QString& caption, const QString& name, QActionGroup* group) {
        QAction* action = addAction(caption);
        action->setObjectName(name);
        action->setCheckable(true);
        group->addAction(action);
        return action;
    };
    auto* positions = new QActionGroup(this);
    m_classic = make(tr("&Classic positions"), QStringLiteral("mnuClassicPositions"), positions);
    m_classic->setToolTip(
        tr("The program's own formulas, as stored readings and exports show them"));
    m_precise = make(tr("&Precise positions"), QStringLiteral("mnuPrecisePositions"), positions);
    m_precise->setToolTip(
        tr("The Swiss Ephemeris's positions of date, with Uranus, Neptune, Pluto and Chiron"));
    addSeparator();
    auto* nodes = new QActionGroup(this);
    m_meanNode = make(tr("&Mean node"), QStringLiteral("mnuMeanNode"), nodes);
    m_trueNode = make(tr("&True node"), QStringLiteral("mnuTrueNode"), nodes);
    QMenu* houses = addMenu(tr("House &System"));
    houses->setObjectName(QStringLiteral("mnuHouseSystem"));
    houses->setToolTipsVisible(true);
    m_houseMenu = houses;
    auto* houseGroup = new QActionGroup(this);
    for (std::size_t k = 0; k < kHouseSystems.size(); ++k) {
        const QString name = Q(std::string(kHouseSystemNames[k]));
        QString caption = name;
        caption.insert(kHouseMnemonic[k], QLatin1Char('&'));
        QAction* action = houses->addAction(caption);
        action->setObjectName(QStringLiteral("mnuHouses_") + Q(std::string(kHouseSystemKeys[k])));
        action->setCheckable(true);
        action->setToolTip(kHouseSystems[k] == HouseSystem::WholeSign
                               ? tr("Each house one sign, from the rising sign")
                               : tr("%1 cusps; with the precise positions").arg(name));
        houseGroup->addAction(action);
        m_houses[k] = action;
    }
    m_asteroids = addAction(tr("Aste&roids and Lilith"));
    m_asteroids->setObjectName(QStringLiteral("mnuAsteroids"));
    m_asteroids->setCheckable(true);
    m_asteroids->setToolTip(
        tr("Ceres, Pallas, Juno, Vesta and Lilith after Chiron; with the precise positions"));
    addSeparator();
    auto* styles = new QActionGroup(this);
    m_houseLists = make(tr("House &Lists (as written)"), QStringLiteral("mnuHouseLists"), styles);
    m_houseLists->setToolTip(tr("Each house lists its bodies, as the wheels always did"));
    m_degreeWheel = make(tr("&Degree Wheel"), QStringLiteral("mnuDegreeWheel"), styles);
    m_degreeWheel->setToolTip(
        tr("Each body at its degree on the zodiac, with aspect lines; the comparison as a "
           "bi-wheel"));
    m_aspectLines = addAction(tr("&Aspect Lines"));
    m_aspectLines->setObjectName(QStringLiteral("mnuAspectLines"));
    m_aspectLines->setCheckable(true);
    QMenu* themes = addMenu(tr("Wheel T&heme"));
    themes->setObjectName(QStringLiteral("mnuWheelTheme"));
    auto* themeGroup = new QActionGroup(this);
    const QString themeCaptions[3] = {tr("&Light"), tr("&Dark"), tr("&Print (black on white)")};
    const char* const themeNames[3] = {"mnuThemeLight", "mnuThemeDark", "mnuThemePrint"};
    for (int i = 0; i < 3; ++i) {
        m_themes[i] = themes->addAction(themeCaptions[i]);
        m_themes[i]->setObjectName(QLatin1String(themeNames[i]));
        m_themes[i]->setCheckable(true);
        themeGroup->addAction(m_themes[i]);
    }
    setToolTipsVisible(true);

    connect(this, &QMenu::aboutToShow, this, &PositionsMenu::refresh);
    auto wheelChosen = [this] {
        WheelChoice choice;
        choice.style =
            m_degreeWheel->isChecked() ? WheelStyle::DegreeWheel : WheelStyle::HouseLists;
        choice.aspectLines = m_aspectLines->isChecked();
        for (int i = 0; i < 3; ++i) {
            if (m_themes[i]->isChecked()) choice.theme = static_cast<WheelThemeChoice>(i);
        }
        const WheelChoice before = StoredWheelChoice(m_platform);
        StoreWheelChoice(m_platform, choice);
        refresh();
        if (choice != before) emit wheelChanged();
    };
    for (QAction* action :
         {m_houseLists, m_degreeWheel, m_aspectLines, m_themes[0], m_themes[1], m_themes[2]})
        connect(action, &QAction::triggered, this, wheelChosen);
    auto chosen = [this] {
        PositionsChoice choice;
        choice.positions = m_precise->isChecked() ? PositionsKind::Precise : PositionsKind::Classic;
        choice.node = m_trueNode->isChecked() ? NodeKind::True : NodeKind::Mean;
        for (std::size_t k = 0; k < kHouseSystems.size(); ++k) {
            if (m_houses[k]->isChecked()) choice.houses = kHouseSystems[k];
        }
        choice.asteroids = m_asteroids->isChecked();
        choose(choice);
    };
    for (QAction* action : {m_classic, m_precise, m_meanNode, m_trueNode, m_asteroids})
        connect(action, &QAction::triggered, this, chosen);
    for (QAction* action : m_houses) connect(action, &QAction::triggered, this, chosen);
    refresh();
}

void PositionsMenu::refresh() {
    const PositionsChoice choice = StoredPositionsChoice(m_platform);
    m_classic->setChecked(!choice.precise());
    m_precise->setChecked(choice.precise());
    m_meanNode->setChecked(choice.node == NodeKind::Mean);
    m_trueNode->setChecked(choice.node == NodeKind::True);
    // The classic positions have their own node; the choice is the precise positions'.
    m_meanNode->setEnabled(choice.precise());
    m_trueNode->setEnabled(choice.precise());
    // So are the houses and the asteroids: kept while the classic positions are shown.
    for (std::size_t k = 0; k < kHouseSystems.size(); ++k) {
        m_houses[k]->setChecked(choice.houses == kHouseSystems[k]);
        m_houses[k]->setEnabled(choice.precise());
    }
    m_houseMenu->setEnabled(choice.precise());
    m_asteroids->setChecked(choice.asteroids);
    m_asteroids->setEnabled(choice.precise());
    const WheelChoice wheel = StoredWheelChoice(m_platform);
    const bool degree = wheel.style == WheelStyle::DegreeWheel;
    m_houseLists->setChecked(!degree);
    m_degreeWheel->setChecked(degree);
    // The aspect lines and the theme serve the exported wheel too: offered with either style.
    m_aspectLines->setChecked(wheel.aspectLines);
    for (int i = 0; i < 3; ++i) m_themes[i]->setChecked(static_cast<int>(wheel.theme) == i);
}

void PositionsMenu::choose(const PositionsChoice& choice) {
    const PositionsChoice before = StoredPositionsChoice(m_platform);
    StorePositionsChoice(m_platform, choice);
    refresh();
    if (choice != before) emit choiceChanged();
}

}  // namespace velloran
