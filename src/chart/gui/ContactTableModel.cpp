#include "chart/gui/ContactTableModel.h"

#include <QFont>

#include "ui/QtText.h"

namespace velloran {

void ContactTableModel::setGroups(std::vector<ContactGroup> groups) {
    beginResetModel();
    m_groups = std::move(groups);
    m_rows.clear();
    m_lines.clear();
    const bool titled = m_groups.size() > 1;
    for (int g = 0; g < int(m_groups.size()); ++g) {
        if (titled) m_lines.push_back({g, -1, -1});
        const std::vector<ContactRow> rows = GroupRows(m_groups[g]);
        for (int c = 0; c < int(rows.size()); ++c) {
            m_lines.push_back({g, c, int(m_rows.size())});
            m_rows.push_back(rows[c]);
        }
    }
    endResetModel();
}

bool ContactTableModel::isTitle(int row) const {
    return row >= 0 && row < int(m_lines.size()) && m_lines[row].contact < 0;
}

std::vector<ContactGroup> ContactTableModel::groupsOnRows(const std::set<int>& tableRows) const {
    std::vector<ContactGroup> kept = m_groups;
    if (tableRows.empty()) return kept;
    for (ContactGroup& group : kept) group.contacts.clear();
    for (int row : tableRows) {
        if (row < 0 || row >= int(m_lines.size()) || m_lines[row].contact < 0) continue;
        const Line& line = m_lines[row];
        kept[line.group].contacts.push_back(m_groups[line.group].contacts[line.contact]);
    }
    return kept;
}

int ContactTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_lines.size());
}

int ContactTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kContactColumnCount;
}

QVariant ContactTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= int(m_lines.size())) return {};
    const Line& line = m_lines[index.row()];
    if (role == Qt::DisplayRole || role == Qt::EditRole) {
        if (line.contact < 0)
            return index.column() == 0 ? QVariant(Q(m_groups[line.group].title)) : QVariant();
        return Q(RowCells(m_rows[line.row])[index.column()]);
    }
    if (role == Qt::FontRole && line.contact < 0 && index.column() == 0) {
        // Only the weight: the rest is the table's own font.
        QFont bold;
        bold.setBold(true);
        return bold;
    }
    return {};
}

QVariant ContactTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= kContactColumnCount)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role != Qt::DisplayRole && role != Qt::EditRole) return {};
    const ContactColumns& columns =
        m_groups.empty() ? kContactColumns : GroupColumns(m_groups.front());
    // The position titles take two lines, so the columns stay as narrow as their contents.
    return tr(columns[section]).replace(QStringLiteral(" position"), QStringLiteral("\nposition"));
}

Qt::ItemFlags ContactTableModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    if (isTitle(index.row())) return Qt::ItemIsEnabled;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

}  // namespace velloran
