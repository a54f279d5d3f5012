// What a screen reader is told about each input of the birth-data form, read through Qt's
// accessibility interfaces of the real widgets: the label tied to the input, its own name, and
// for an option the named group it sits in.

#include <gtest/gtest.h>

#include <QAccessible>
#include <QCheckBox>
#include <QLabel>
#include <ostream>

#include "GuiTestSupport.h"

namespace velloran::test {
namespace {

QAccessibleInterface* Iface(QWidget* w) { return QAccessible::queryAccessibleInterface(w); }

// Names of the labels tied to a control, joined by " / ".
QString TiedLabels(QWidget* control) {
    QStringList names;
    for (const auto& [label, relation] : Iface(control)->relations(QAccessible::Label))
        names << label->text(QAccessible::Name);
    return names.join(QStringLiteral(" / "));
}

// Name of the nearest enclosing group, empty when there is none.
QString GroupName(QWidget* control) {
    for (QAccessibleInterface* a = Iface(control)->parent(); a; a = a->parent()) {
        if (a->role() == QAccessible::Grouping) return a->text(QAccessible::Name);
        if (a->role() == QAccessible::Window) break;
    }
    return {};
}

struct SpokenRow {
    const char* control;
    const char* label;  // tied label, "" for none
    const char* name;   // own accessible name, "" where it is the list's current entry
    const char* group;  // enclosing group, "" for none
};
void PrintTo(const SpokenRow& row, std::ostream* os) { *os << row.control; }

constexpr SpokenRow kSpokenRows[] = {
    {"txtName", "Name:", "", ""},
    {"cboMonth", "Birthday:", "", ""},
    {"cboDate", "Birth day", "", ""},
    {"cboYear", "Birth year", "", ""},
    {"cboHour", "Time Of Birth:", "", ""},
    {"cboMinute", "Minute of birth", "", ""},
    {"chkDST", "", "Daylight Saving Time", ""},
    {"txtCity", "City:", "", ""},
    {"cboTimeZone", "Time Zone:", "", ""},
    {"txtState", "State:", "", ""},
    {"txtLatD", "Latitude:", "Latitude degrees", ""},
    {"optLatSouth0", "", "North", "Latitude direction"},
    {"optLatSouth1", "", "South", "Latitude direction"},
    {"txtLatM", "", "Latitude minutes", ""},
    {"txtCountry", "Country:", "", ""},
    {"txtLonD", "Longitude:", "Longitude degrees", ""},
    {"optLongEast0", "", "East", "Longitude direction"},
    {"optLongEast1", "", "West", "Longitude direction"},
    {"txtLonM", "", "Longitude minutes", ""},
};

class SpokenNames : public ::testing::TestWithParam<SpokenRow> {};

TEST_P(SpokenNames, EachInputIsAnnouncedWithWhatItIsFor) {
    const SpokenRow& row = GetParam();
    StartedApp s;
    QWidget* control = Find<QWidget>(s.form(), QString::fromLatin1(row.control));
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(TiedLabels(control).toStdString(), row.label);
    if (*row.name) {
        EXPECT_EQ(Iface(control)->text(QAccessible::Name).toStdString(), row.name);
    }
    EXPECT_EQ(GroupName(control).toStdString(), row.group);
}

INSTANTIATE_TEST_SUITE_P(Form, SpokenNames, ::testing::ValuesIn(kSpokenRows),
                         [](const auto& info) { return std::string(info.param.control); });

// A list's accessible name on the desktop is its current entry, so a list is only announced with
// its purpose through a tied label; every other input needs a label or a name of its own. The
// table above covers every input the form shows.
TEST(SpokenNamesEverywhere, NoInputIsAnnouncedByItsValueAlone) {
    StartedApp s;
    FrmMain* form = s.form();
    int inputs = 0;
    for (QWidget* w : form->findChildren<QWidget*>()) {
        const bool list = qobject_cast<QComboBox*>(w) != nullptr;
        const bool input = list || qobject_cast<QLineEdit*>(w) || qobject_cast<QRadioButton*>(w) ||
                           qobject_cast<QCheckBox*>(w);
        if (!input || !w->isVisible()) continue;
        ++inputs;
        const QString tied = TiedLabels(w);
        if (list) {
            EXPECT_FALSE(tied.isEmpty()) << w->objectName().toStdString();
        } else {
            EXPECT_FALSE(tied.isEmpty() && Iface(w)->text(QAccessible::Name).isEmpty())
                << w->objectName().toStdString();
        }
    }
    EXPECT_EQ(inputs, static_cast<int>(std::size(kSpokenRows)));
}

}  // namespace
}  // namespace velloran::test
