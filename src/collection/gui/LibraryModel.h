#pragma once
// The readings library's table: one row per reading file of the folder, with its name, birth,
// place and the Sun, Moon and rising signs of its natal and draconic charts; and the filter that
// keeps the rows whose name or place holds the search text and sorts them by any column.

#include <QAbstractTableModel>
#include <QSortFilterProxyModel>
#include <QString>

#include <array>
#include <cstdint>
#include <vector>

#include "collection/ReadingsFolder.h"

namespace velloran {

class LibraryModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column : int {
        Name,
        Born,
        Place,
        NatalSun,
        NatalMoon,
        NatalRising,
        DraconicSun,
        DraconicMoon,
        DraconicRising,
        ColumnCount
    };

    using QAbstractTableModel::QAbstractTableModel;

    // The files of a scan; their signs are unknown until setSigns.
    void setReadings(const std::vector<FolderReading>& readings);
    // The signs of every row, in the readings' order.
    void setSigns(const std::vector<ReadingSigns>& signs);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    QString path(int row) const { return m_rows[row].path; }
    // The name the window speaks of the row by: the reading's name, or its file's.
    QString name(int row) const { return m_rows[row].name; }
    // Why the file cannot be opened (damaged, unreadable); empty for a reading.
    QString fileError(int row) const { return m_rows[row].fileError; }
    // The row that holds path, or -1.
    int rowOf(const QString& path) const;

    // What the filter and the sort read, without going through QVariant.
    bool matches(int row, const QString& foldedNeedle) const;
    bool lessThan(int column, int left, int right) const;

private:
    struct Row {
        QString path;
        QString name, born, place;
        QString foldedName, foldedPlace;  // for the search and the name and place sorts
        std::int64_t bornKey = 0;         // year, month, day, hour, minute as one number
        QString fileError;
        std::array<int, 6> signs{-1, -1, -1, -1, -1, -1};  // natal then draconic
        QString signError;
        bool signsKnown = false;
    };

    std::vector<Row> m_rows;
};

class LibraryFilter : public QSortFilterProxyModel {
    Q_OBJECT
public:
    explicit LibraryFilter(LibraryModel* model, QObject* parent = nullptr);

    // Keeps the rows whose name or place holds text, whatever the case; empty keeps all.
    void setSearch(const QString& text);

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;

private:
    LibraryModel* m_model;
    QString m_needle;  // case-folded
};

}  // namespace velloran
