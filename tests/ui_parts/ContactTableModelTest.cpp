// The contacts window's table model: the groups' rows under the first group's titles, each
// group's title on a bold row of its own that cannot be selected, and the groups kept for a
// selection of rows.

#include <gtest/gtest.h>

#include <QFont>
#include <QItemSelectionModel>

#include "chart/gui/ContactTableModel.h"
#include "input/FormCopy.h"
#include "reading/Reading.h"
#include "support/SampleBirths.h"

namespace velloran {
namespace {

class ContactTableModelTest : public testing::Test {
protected:
    ContactTableModelTest()
        : ann(*Calculate(BirthFromForm(test::KnownBirthForm())).reading),
          ravi(*Calculate(BirthFromForm(test::RaviBirthForm())).reading) {}

    QString Cell(int row, int column) const { return model.index(row, column).data().toString(); }
    bool Selectable(int row, int column) const {
        return model.flags(model.index(row, column)) & Qt::ItemIsSelectable;
    }

    const Reading ann;
    const Reading ravi;
    const ContactSettings wide{kAllAspects, 5.0, false};
    ContactTableModel model;
};

TEST_F(ContactTableModelTest, OneGroupIsItsRowsUnderTheColumnTitles) {
    const ContactGroup own = OwnContactGroup(ann, wide);
    const std::vector<ContactRow> rows = GroupRows(own);
    ASSERT_GE(rows.size(), 3u);
    model.setGroups({own});
    ASSERT_EQ(model.rowCount(), int(rows.size()));
    ASSERT_EQ(model.columnCount(), kContactColumnCount);
    for (int r = 0; r < model.rowCount(); ++r) {
        EXPECT_FALSE(model.isTitle(r));
        const auto cells = RowCells(rows[r]);
        for (int c = 0; c < kContactColumnCount; ++c) {
            EXPECT_EQ(Cell(r, c).toStdString(), cells[c]) << r << "," << c;
            EXPECT_TRUE(Selectable(r, c));
        }
    }
    EXPECT_EQ(model.rows().size(), rows.size());
    // The position titles take two lines; the rows are numbered for a screen reader.
    const QStringList titles = {"Draconic",           "Aspect",         "Natal", "Orb",
                                "Draconic\nposition", "Natal\nposition"};
    for (int c = 0; c < kContactColumnCount; ++c)
        EXPECT_EQ(model.headerData(c, Qt::Horizontal).toString(), titles[c]);
    EXPECT_EQ(model.headerData(0, Qt::Vertical).toInt(), 1);
}

TEST_F(ContactTableModelTest, MoreGroupsStandUnderBoldTitlesThatCannotBeSelected) {
    const std::vector<ContactGroup> groups = SynastryGroups(ann, ravi, wide);
    ASSERT_EQ(groups.size(), 2u);
    model.setGroups(groups);
    const int first = int(groups[0].contacts.size());
    const int second = int(groups[1].contacts.size());
    ASSERT_GT(first, 0);
    ASSERT_GT(second, 0);
    ASSERT_EQ(model.rowCount(), 2 + first + second);
    for (int title : {0, 1 + first}) {
        SCOPED_TRACE(title);
        EXPECT_TRUE(model.isTitle(title));
        const ContactGroup& group = groups[title == 0 ? 0 : 1];
        EXPECT_EQ(Cell(title, 0).toStdString(), group.title);
        EXPECT_TRUE(qvariant_cast<QFont>(model.index(title, 0).data(Qt::FontRole)).bold());
        for (int c = 0; c < kContactColumnCount; ++c) EXPECT_FALSE(Selectable(title, c));
        for (int c = 1; c < kContactColumnCount; ++c) EXPECT_TRUE(Cell(title, c).isEmpty());
    }
    EXPECT_EQ(Cell(1, 0).toStdString(), GroupRows(groups[0]).front().draconic);
    EXPECT_EQ(Cell(2 + first, 0).toStdString(), GroupRows(groups[1]).front().draconic);
    EXPECT_FALSE(model.index(1, 0).data(Qt::FontRole).isValid());
    EXPECT_EQ(model.rows().size(), std::size_t(first + second));

    // Selecting a title's row selects nothing; a contact's row is selected whole.
    QItemSelectionModel selection(&model);
    selection.select(model.index(0, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    EXPECT_TRUE(selection.selectedRows().isEmpty());
    selection.select(model.index(1, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    ASSERT_EQ(selection.selectedRows().size(), 1);
    EXPECT_EQ(selection.selectedRows().front().row(), 1);
}

TEST_F(ContactTableModelTest, TheRowsChosenKeepTheirGroupsAndTitles) {
    const std::vector<ContactGroup> groups = SynastryGroups(ann, ravi, wide);
    model.setGroups(groups);
    const int first = int(groups[0].contacts.size());
    ASSERT_GE(first, 2);

    // No row chosen: every contact.
    const std::vector<ContactGroup> all = model.groupsOnRows({});
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[0].contacts.size(), groups[0].contacts.size());
    EXPECT_EQ(all[1].contacts.size(), groups[1].contacts.size());

    // The second contact of the first group and the first of the second; a title adds nothing.
    const std::vector<ContactGroup> kept = model.groupsOnRows({0, 2, 2 + first});
    ASSERT_EQ(kept.size(), 2u);
    EXPECT_EQ(kept[0].title, groups[0].title);
    ASSERT_EQ(kept[0].contacts.size(), 1u);
    ASSERT_EQ(kept[1].contacts.size(), 1u);
    EXPECT_EQ(RowCells(GroupRows(kept[0]).front()), RowCells(GroupRows(groups[0])[1]));
    EXPECT_EQ(kept[1].title, groups[1].title);
    EXPECT_EQ(RowCells(GroupRows(kept[1]).front()), RowCells(GroupRows(groups[1])[0]));

    // Only a title: the groups stand with no contacts.
    for (const ContactGroup& group : model.groupsOnRows({0})) EXPECT_TRUE(group.contacts.empty());
}

TEST_F(ContactTableModelTest, TheSkysColumnsAndAnEmptyTable) {
    ContactGroup sky;
    sky.kind = OtherChart::Sky;
    model.setGroups({sky});
    EXPECT_EQ(model.rowCount(), 0);
    EXPECT_EQ(model.headerData(0, Qt::Horizontal).toString(), QStringLiteral("Transiting"));
    model.setGroups({});
    EXPECT_EQ(model.rowCount(), 0);
    EXPECT_EQ(model.headerData(0, Qt::Horizontal).toString(), QStringLiteral("Draconic"));
    EXPECT_TRUE(model.groupsOnRows({}).empty());
}

}  // namespace
}  // namespace velloran
