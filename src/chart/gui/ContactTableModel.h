#pragma once
// The contacts window's table as a model: the rows of one or more contact groups under the first
// group's column titles. With more than one group, each stands under its title: a bold row of
// its own, which the view spans across the table and which cannot be selected.

#include <QAbstractTableModel>
#include <set>
#include <vector>

#include "chart/ContactTable.h"
#include "reading/Against.h"

namespace velloran {

class ContactTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    // Shows these groups in place of the ones before (a reset: the selection goes).
    void setGroups(std::vector<ContactGroup> groups);
    const std::vector<ContactGroup>& groups() const { return m_groups; }
    // Every contact row of every group, in table order without the titles.
    const std::vector<ContactRow>& rows() const { return m_rows; }
    // Whether a table row is a group's title.
    bool isTitle(int row) const;
    // The groups with only the contacts on the given table rows, titles kept; every contact when
    // no row is given.
    std::vector<ContactGroup> groupsOnRows(const std::set<int>& tableRows) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    // A table row: a group's title (contact -1) or one of its contacts, whose texts are
    // m_rows[row].
    struct Line {
        int group = 0;
        int contact = -1;
        int row = -1;
    };

    std::vector<ContactGroup> m_groups;
    std::vector<ContactRow> m_rows;
    std::vector<Line> m_lines;
};

}  // namespace velloran
