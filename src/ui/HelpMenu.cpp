#include "ui/HelpMenu.h"

#include <QAction>

namespace velloran {

HelpMenu::HelpMenu(QWidget* parent) : QMenu(tr("&Help"), parent) {
    setObjectName(QStringLiteral("mnuHelp"));
    auto make = [this](const QString& caption, const QString& name) {
        QAction* action = addAction(caption);
        action->setObjectName(name);
        return action;
    };
    auto page = [this](QAction* action, Page which) {
        connect(action, &QAction::triggered, this, [this, which] { emit pageRequested(which); });
    };
    page(make(tr("&Online Help"), QStringLiteral("mnuOnline")), Page::Help);
    page(make(tr("&Visit Us Online"), QStringLiteral("mnuVisit")), Page::ForumHome);
    addSeparator()->setObjectName(QStringLiteral("mnuHelpSep1"));
    page(make(tr("Check for Software &Update"), QStringLiteral("mnuUpdate")), Page::Update);
    addSeparator()->setObjectName(QStringLiteral("mnuHelpSep2"));
    connect(make(tr("&About Software"), QStringLiteral("mnuAbout")), &QAction::triggered, this,
            &HelpMenu::aboutRequested);
}

}  // namespace velloran
