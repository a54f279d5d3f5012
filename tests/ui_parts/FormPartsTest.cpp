// The form's parts: the coordinate entry, what screen readers hear of its frames and lists, and
// the Help menu both windows have.

#include <gtest/gtest.h>

#include <QAccessible>
#include <QAction>
#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>

#include "input/gui/CoordinateEntry.h"
#include "ui/Accessibility.h"
#include "ui/HelpMenu.h"

namespace velloran {
namespace {

CoordinateNames LatitudeNames() {
    return {"txtLatD", "txtLatM", "Frame3",           "optLatSouth0",     "optLatSouth1",
            "North",   "South",   "Latitude degrees", "Latitude minutes", "Latitude direction"};
}

TEST(CoordinateEntry, ReadsAndWritesTheFormsValues) {
    QWidget host;
    CoordinateEntry entry(LatitudeNames(), nullptr);
    host.setLayout(entry.row());
    EXPECT_EQ(entry.degreesBox()->maxLength(), 3);
    EXPECT_EQ(entry.minutesBox()->maxLength(), 3);

    entry.setText({"40", "43", 1});
    CoordinateText text = entry.text();
    EXPECT_EQ(text.degrees, "40");
    EXPECT_EQ(text.minutes, "43");
    EXPECT_EQ(text.hemisphere, 1);
    EXPECT_TRUE(entry.secondOption()->isChecked());

    // Neither option, as a reading without a direction has it; then the pair is exclusive again.
    entry.setText({"", "", -1});
    EXPECT_EQ(entry.text().hemisphere, -1);
    EXPECT_FALSE(entry.firstOption()->isChecked() || entry.secondOption()->isChecked());
    entry.setHemisphere(0);
    entry.secondOption()->setChecked(true);
    EXPECT_FALSE(entry.firstOption()->isChecked());
    EXPECT_EQ(entry.text().hemisphere, 1);
}

TEST(CoordinateEntry, ItsControlsKeepTheirNamesForScreenReaders) {
    QWidget host;
    CoordinateEntry entry(LatitudeNames(), nullptr);
    host.setLayout(entry.row());
    EXPECT_EQ(host.findChild<QLineEdit*>("txtLatD"), entry.degreesBox());
    EXPECT_EQ(host.findChild<QLineEdit*>("txtLatM"), entry.minutesBox());
    EXPECT_EQ(host.findChild<QRadioButton*>("optLatSouth0")->text(), "North");
    EXPECT_EQ(host.findChild<QRadioButton*>("optLatSouth1")->text(), "South");
    auto text = [](QObject* object) {
        return QAccessible::queryAccessibleInterface(object)->text(QAccessible::Name);
    };
    EXPECT_EQ(text(entry.degreesBox()), "Latitude degrees");
    EXPECT_EQ(text(entry.minutesBox()), "Latitude minutes");
    // The options' frame is a group a screen reader names before the option.
    QFrame* frame = host.findChild<QFrame*>("Frame3");
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(entry.firstOption()->parentWidget(), frame);
    QAccessibleInterface* group = QAccessible::queryAccessibleInterface(frame);
    EXPECT_EQ(group->role(), QAccessible::Grouping);
    EXPECT_EQ(group->text(QAccessible::Name), "Latitude direction");
    // Degrees, the pair, minutes and the hint, in reading order.
    const QList<QWidget*> order = {entry.degreesBox(), frame, entry.minutesBox()};
    for (int i = 0; i < order.size(); ++i) EXPECT_EQ(entry.row()->itemAt(i)->widget(), order[i]);
    EXPECT_EQ(qobject_cast<QLabel*>(entry.row()->itemAt(3)->widget())->text(), "DEG/MIN");
}

TEST(Accessibility, MarkedWidgetsTakeTheirRolesAndPlainOnesStayAsTheyAre) {
    QFrame plain;
    EXPECT_NE(QAccessible::queryAccessibleInterface(&plain)->role(), QAccessible::Grouping);

    QWidget window(nullptr, Qt::Window);
    SpeakAsWindow(&window);
    window.setWindowTitle("Natal–Draconic Contacts");
    QAccessibleInterface* heard = QAccessible::queryAccessibleInterface(&window);
    EXPECT_EQ(heard->role(), QAccessible::Window);
    EXPECT_EQ(heard->text(QAccessible::Name), "Natal–Draconic Contacts");
    window.setWindowTitle("Another title");
    EXPECT_EQ(heard->text(QAccessible::Name), "Another title");
}

TEST(Accessibility, ASpokenLabelNamesAListWithoutBeingShown) {
    QWidget form;
    auto* list = new QComboBox(&form);
    list->setObjectName("cboDate");
    list->addItems({"1", "2"});
    TieSpokenLabel(list, "Birth day");
    auto* label = form.findChild<QLabel*>("cboDateSpoken");
    ASSERT_NE(label, nullptr);
    EXPECT_TRUE(label->isHidden());
    const auto labels = QAccessible::queryAccessibleInterface(list)->relations(QAccessible::Label);
    ASSERT_EQ(labels.size(), 1);
    EXPECT_EQ(labels.front().first->text(QAccessible::Name), "Birth day");
}

TEST(HelpMenu, EveryEntryAsksForItsPage) {
    QWidget window;
    HelpMenu menu(&window);
    EXPECT_EQ(menu.title(), "&Help");
    EXPECT_EQ(menu.objectName(), "mnuHelp");
    std::vector<Page> pages;
    int about = 0;
    QObject::connect(&menu, &HelpMenu::pageRequested, [&](Page page) { pages.push_back(page); });
    QObject::connect(&menu, &HelpMenu::aboutRequested, [&] { ++about; });
    QStringList entries;
    for (QAction* action : menu.actions()) {
        entries << (action->isSeparator() ? "-" : action->objectName() + " " + action->text());
        action->trigger();
    }
    EXPECT_EQ(entries, (QStringList{"mnuOnline &Online Help", "mnuVisit &Visit Us Online", "-",
                                    "mnuUpdate Check for Software &Update", "-",
                                    "mnuAbout &About Software"}));
    EXPECT_EQ(pages, (std::vector<Page>{Page::Help, Page::ForumHome, Page::Update}));
    EXPECT_EQ(about, 1);
}

}  // namespace
}  // namespace velloran
