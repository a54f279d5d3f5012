#pragma once
// The "&Help" menu of the form and the main window: the help page, the forum, the update page and
// the about box.

#include <QMenu>

#include "ui/Links.h"

namespace velloran {

// "&Online Help", "&Visit Us Online", a separator, "Check for Software &Update", a separator,
// "&About Software". The entries ask for a page or the about box; the window passes that on.
class HelpMenu : public QMenu {
    Q_OBJECT
public:
    explicit HelpMenu(QWidget* parent);

signals:
    void pageRequested(velloran::Page page);
    void aboutRequested();
};

}  // namespace velloran
