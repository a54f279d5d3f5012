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

}  // namespace

PositionsChoice StoredPositionsChoice(Platform& platform) {
    PositionsChoice choice;
    const std::string positions = S(platform.readSetting(kSection, kPositionsKey));
    const std::string node = S(platform.readSetting(kSection, kNodeKey));
    if (auto kind = ParsePositionsKey(positions)) choice.positions = *kind;
    if (auto kind = ParseNodeKey(node)) choice.node = *kind;
    return choice;
}

void StorePositionsChoice(Platform& platform, const PositionsChoice& choice) {
    platform.writeSetting(kSection, kPositionsKey, Q(std::string(PositionsKey(choice.positions))));
    platform.writeSetting(kSection, kNodeKey, Q(std::string(NodeKey(choice.node))));
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
    setToolTipsVisible(true);

    connect(this, &QMenu::aboutToShow, this, &PositionsMenu::refresh);
    auto chosen = [this] {
        PositionsChoice choice;
        choice.positions = m_precise->isChecked() ? PositionsKind::Precise : PositionsKind::Classic;
        choice.node = m_trueNode->isChecked() ? NodeKind::True : NodeKind::Mean;
        choose(choice);
    };
    for (QAction* action : {m_classic, m_precise, m_meanNode, m_trueNode})
        connect(action, &QAction::triggered, this, chosen);
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
}

void PositionsMenu::choose(const PositionsChoice& choice) {
    const PositionsChoice before = StoredPositionsChoice(m_platform);
    StorePositionsChoice(m_platform, choice);
    refresh();
    if (choice != before) emit choiceChanged();
}

}  // namespace velloran
