#include "collection/gui/LibraryModel.h"

#include <QBrush>
#include <QFileInfo>
#include <QPalette>

#include <limits>

#include "domain/Bodies.h"
#include "domain/Text.h"

namespace velloran {

namespace {

QString Q(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString PlaceText(const BirthData& b) {
    QStringList parts;
    for (const std::string* part : {&b.City, &b.State, &b.Country}) {
        const std::string_view trimmed = TrimBlanks(*part);
        if (!trimmed.empty()) parts << Q(trimmed);
    }
    return parts.join(QStringLiteral(", "));
}

// "15 Jan 1980, 10:30": the month by name, so the text alone would not sort as a date.
QString BornText(const BirthData& b) {
    const QString month =
        b.Month >= 1 && b.Month <= kMonthCount ? Q(kEnglishMonthNames[b.Month - 1]).left(3) : "?";
    return QStringLiteral("%1 %2 %3, %4:%5")
        .arg(b.Day)
        .arg(month)
        .arg(b.Year)
        .arg(b.Hour, 2, 10, QLatin1Char('0'))
        .arg(b.Minute, 2, 10, QLatin1Char('0'));
}

std::int64_t BornKey(const BirthData& b) {
    return ((((std::int64_t{b.Year} * 100 + b.Month) * 100 + b.Day) * 100 + b.Hour) * 100) +
           b.Minute;
}

}  // namespace

void LibraryModel::setReadings(const std::vector<FolderReading>& readings) {
    beginResetModel();
    m_rows.clear();
    m_rows.reserve(readings.size());
    for (const FolderReading& reading : readings) {
        Row row;
        row.path = QString::fromStdString(reading.path);
        if (reading.form) {
            row.name = Q(TrimBlanks(reading.birth.Name));
            if (row.name.isEmpty()) row.name = QFileInfo(row.path).completeBaseName();
            row.born = BornText(reading.birth);
            row.bornKey = BornKey(reading.birth);
            row.place = PlaceText(reading.birth);
        } else {
            row.name = QFileInfo(row.path).fileName();
            row.fileError = QString::fromStdString(reading.error);
            row.bornKey = std::numeric_limits<std::int64_t>::min();
        }
        row.foldedName = row.name.toCaseFolded();
        row.foldedPlace = row.place.toCaseFolded();
        m_rows.push_back(std::move(row));
    }
    endResetModel();
}

void LibraryModel::setSigns(const std::vector<ReadingSigns>& signs) {
    if (signs.size() != m_rows.size() || m_rows.empty()) return;
    for (std::size_t i = 0; i < signs.size(); ++i) {
        Row& row = m_rows[i];
        for (int s = 0; s < kListedSigns; ++s) {
            row.signs[s] = signs[i].natal[s];
            row.signs[s + kListedSigns] = signs[i].draconic[s];
        }
        row.signError = QString::fromStdString(signs[i].error);
        row.signsKnown = true;
    }
    emit dataChanged(index(0, NatalSun), index(rowCount() - 1, DraconicRising));
}

int LibraryModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int LibraryModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant LibraryModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const Row& row = m_rows[index.row()];
    const int column = index.column();
    switch (role) {
        case Qt::DisplayRole:
            switch (column) {
                case Name:
                    return row.fileError.isEmpty()
                               ? row.name
                               : row.name + QStringLiteral(": ") + row.fileError;
                case Born:
                    return row.born;
                case Place:
                    return row.place;
                default: {
                    if (!row.fileError.isEmpty()) return QString();
                    if (!row.signsKnown) return QStringLiteral("…");
                    const int sign = row.signs[column - NatalSun];
                    return sign < 0 ? QStringLiteral("–") : Q(kSignNames[sign]);
                }
            }
        case Qt::ToolTipRole:
        case Qt::AccessibleDescriptionRole:
            if (!row.fileError.isEmpty())
                return row.path + QStringLiteral("\nCannot be opened: ") + row.fileError;
            if (column >= NatalSun && !row.signError.isEmpty())
                return row.path + QStringLiteral("\n") + row.signError;
            return row.path;
        case Qt::ForegroundRole:
            if (!row.fileError.isEmpty())
                return QPalette().brush(QPalette::Disabled, QPalette::Text);
            return {};
        default:
            return {};
    }
}

QVariant LibraryModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    static const char* const kTitles[ColumnCount] = {
        "Name",   "Born",         "Place",         "Natal Sun",      "Natal Moon",
        "Rising", "Draconic Sun", "Draconic Moon", "Draconic Rising"};
    return section >= 0 && section < ColumnCount ? QString::fromLatin1(kTitles[section])
                                                 : QVariant();
}

int LibraryModel::rowOf(const QString& path) const {
    for (std::size_t i = 0; i < m_rows.size(); ++i)
        if (m_rows[i].path == path) return static_cast<int>(i);
    return -1;
}

bool LibraryModel::matches(int row, const QString& foldedNeedle) const {
    const Row& r = m_rows[row];
    return r.foldedName.contains(foldedNeedle) || r.foldedPlace.contains(foldedNeedle);
}

bool LibraryModel::lessThan(int column, int left, int right) const {
    const Row& a = m_rows[left];
    const Row& b = m_rows[right];
    int order = 0;
    switch (column) {
        case Name:
            order = a.foldedName.compare(b.foldedName);
            break;
        case Born:
            order = a.bornKey < b.bornKey ? -1 : (a.bornKey > b.bornKey ? 1 : 0);
            break;
        case Place:
            order = a.foldedPlace.compare(b.foldedPlace);
            break;
        default:
            if (column > Place && column < ColumnCount) {
                const int s = column - NatalSun;
                order = a.signs[s] - b.signs[s];
            }
            break;
    }
    // Equal keys keep the folder's order (by path).
    return order != 0 ? order < 0 : left < right;
}

LibraryFilter::LibraryFilter(LibraryModel* model, QObject* parent)
    : QSortFilterProxyModel(parent), m_model(model) {
    setSourceModel(model);
}

void LibraryFilter::setSearch(const QString& text) {
    const QString needle = text.trimmed().toCaseFolded();
    if (needle == m_needle) return;
    m_needle = needle;
    invalidateRowsFilter();
}

bool LibraryFilter::filterAcceptsRow(int sourceRow, const QModelIndex&) const {
    return m_needle.isEmpty() || m_model->matches(sourceRow, m_needle);
}

bool LibraryFilter::lessThan(const QModelIndex& left, const QModelIndex& right) const {
    return m_model->lessThan(left.column(), left.row(), right.row());
}

}  // namespace velloran
