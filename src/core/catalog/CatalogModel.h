#pragma once

#include "core/catalog/BookmarksGridColumns.h"
#include "core/catalog/CatalogData.h"

#include <QAbstractTableModel>
#include <QList>
#include <QStringList>
#include <array>

// The open catalog as a grid of text cells: one row per bookmark, fifteen
// columns (see BookmarkColumn). The catalog's algorithms address cells as the
// grid does, by (column, row) with row 0 the header row and bookmarks from
// row 1; the item-model side (for the view) has one model row per bookmark,
// so bookmark row r is model row r - 1 and the header row is the horizontal
// header.
class CatalogModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int ColumnCount = BookmarkColumn::Count;

    explicit CatalogModel(QObject* parent = nullptr);

    // Cell text in grid coordinates; row 0 is the header row.
    QString Cells(int column, int row) const;
    void setCells(int column, int row, const QString& text);
    // Rows of the grid, the header row included (at least 2 after a reset).
    int RowCount() const { return int(m_rows.size()) + 1; }
    // Number of bookmark rows.
    int bookmarkCount() const { return int(m_rows.size()); }

    // One empty bookmark row under the given header texts (15 of them).
    void reset(const QStringList& headers);
    // Appends an empty row and returns its grid row.
    int appendRow();
    // Replaces every bookmark row with the catalog's bookmarks, numbered 1 to
    // n in order, and takes its four column titles. An empty catalog leaves
    // the one empty placeholder row.
    void load(const CatalogData& catalog);
    // The stored part of the catalog: titles and the bookmark rows in order.
    CatalogData toCatalogData() const;
    // Just the four column titles.
    CatalogData headers() const;

    // Moves bookmark row `from` to position `to` (grid rows).
    void moveRow(int from, int to);
    void removeRow(int row);
    // Puts the rows in the given order: order[i] is the grid row that
    // becomes row i + 1. The texts travel with their rows unchanged.
    void setRowOrder(const QList<int>& order);

    // Columns 2 to 5 and 7 to 10 take edits; the others are read-only.
    static bool isEditableColumn(int column);

    QModelIndex cellIndex(int column, int row) const { return index(row - 1, column); }
    static int gridRow(const QModelIndex& index) { return index.row() + 1; }

    // Item model.
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    bool setHeaderData(int section, Qt::Orientation orientation, const QVariant& value,
                       int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

signals:
    // An editor committed a value to a cell (not emitted for changes the
    // program makes itself).
    void cellEdited(int column, int row);

private:
    using Row = std::array<QString, ColumnCount>;
    Row& rowAt(int row) { return m_rows[row - 1]; }

    std::array<QString, ColumnCount> m_headers;
    QList<Row> m_rows;
};
