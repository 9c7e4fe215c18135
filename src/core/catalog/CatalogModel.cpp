#include "core/catalog/CatalogModel.h"

using namespace BookmarkColumn;

bool CatalogModel::isEditableColumn(int column)
{
    switch (column) {
    case Category:
    case Name:
    case Learn:
    case Rating:
    case StartTime:
    case EndTime:
    case Filename:
    case Folder:
        return true;
    default:
        return false;
    }
}

CatalogModel::CatalogModel(QObject* parent) : QAbstractTableModel(parent)
{
    m_rows.append(Row{});
}

QString CatalogModel::Cells(int column, int row) const
{
    if (column < 0 || column >= ColumnCount || row < 0 || row > m_rows.size())
        return {};
    return row == 0 ? m_headers[column] : m_rows[row - 1][column];
}

void CatalogModel::setCells(int column, int row, const QString& text)
{
    if (column < 0 || column >= ColumnCount || row < 0 || row > m_rows.size())
        return;
    if (row == 0) {
        if (m_headers[column] == text)
            return;
        m_headers[column] = text;
        emit headerDataChanged(Qt::Horizontal, column, column);
        return;
    }
    QString& cell = rowAt(row)[column];
    if (cell == text)
        return;
    cell = text;
    const QModelIndex i = cellIndex(column, row);
    emit dataChanged(i, i, {Qt::DisplayRole, Qt::EditRole});
}

void CatalogModel::reset(const QStringList& headers)
{
    beginResetModel();
    for (int c = 0; c < ColumnCount; ++c)
        m_headers[c] = headers.value(c);
    m_rows.clear();
    m_rows.append(Row{});
    endResetModel();
}

int CatalogModel::appendRow()
{
    const int modelRow = int(m_rows.size());
    beginInsertRows({}, modelRow, modelRow);
    m_rows.append(Row{});
    endInsertRows();
    return modelRow + 1;
}

void CatalogModel::load(const CatalogData& catalog)
{
    beginResetModel();
    m_headers[Category] = catalog.categoryHeader;
    m_headers[Name] = catalog.nameHeader;
    m_headers[Learn] = catalog.learnHeader;
    m_headers[Rating] = catalog.ratingHeader;
    m_rows.clear();
    m_rows.reserve(qMax<qsizetype>(1, catalog.bookmarks.size()));
    int number = 0;
    for (const Bookmark& b : catalog.bookmarks) {
        Row row;
        row[Number] = QString::number(++number);
        row[Category] = b.category;
        row[Name] = b.name;
        row[Learn] = b.learn;
        row[Rating] = b.rating;
        row[StartTime] = b.startTime;
        row[EndTime] = b.endTime;
        row[Filename] = b.fileName;
        row[Folder] = b.folder;
        row[Description] = b.description;
        m_rows.append(std::move(row));
    }
    if (m_rows.isEmpty())
        m_rows.append(Row{});
    endResetModel();
    emit headerDataChanged(Qt::Horizontal, 0, ColumnCount - 1);
}

CatalogData CatalogModel::headers() const
{
    CatalogData catalog;
    catalog.categoryHeader = m_headers[Category];
    catalog.nameHeader = m_headers[Name];
    catalog.learnHeader = m_headers[Learn];
    catalog.ratingHeader = m_headers[Rating];
    return catalog;
}

CatalogData CatalogModel::toCatalogData() const
{
    CatalogData catalog = headers();
    catalog.bookmarks.reserve(m_rows.size());
    for (const Row& row : m_rows) {
        Bookmark b;
        b.category = row[Category];
        b.name = row[Name];
        b.learn = row[Learn];
        b.rating = row[Rating];
        b.startTime = row[StartTime];
        b.endTime = row[EndTime];
        b.fileName = row[Filename];
        b.folder = row[Folder];
        b.description = row[Description];
        catalog.bookmarks.append(std::move(b));
    }
    return catalog;
}

void CatalogModel::moveRow(int from, int to)
{
    const int last = bookmarkCount();
    if (from < 1 || from > last || to < 1 || to > last || from == to)
        return;
    // The item model counts the destination before the row leaves.
    const int destination = to > from ? to : to - 1;
    beginMoveRows({}, from - 1, from - 1, {}, destination);
    m_rows.move(from - 1, to - 1);
    endMoveRows();
}

void CatalogModel::removeRow(int row)
{
    if (row < 1 || row > bookmarkCount())
        return;
    beginRemoveRows({}, row - 1, row - 1);
    m_rows.removeAt(row - 1);
    endRemoveRows();
}

void CatalogModel::setRowOrder(const QList<int>& order)
{
    if (order.size() != m_rows.size())
        return;
    beginResetModel();
    QList<Row> sorted;
    sorted.reserve(m_rows.size());
    for (int row : order)
        sorted.append(std::move(m_rows[row - 1]));
    m_rows = std::move(sorted);
    endResetModel();
}

int CatalogModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int CatalogModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant CatalogModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    return m_rows[index.row()][index.column()];
}

bool CatalogModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || role != Qt::EditRole || !isEditableColumn(index.column()))
        return false;
    const int row = gridRow(index);
    const QString text = value.toString();
    if (Cells(index.column(), row) == text)
        return true;
    setCells(index.column(), row, text);
    emit cellEdited(index.column(), row);
    return true;
}

QVariant CatalogModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return m_headers[section];
    return {};
}

bool CatalogModel::setHeaderData(int section, Qt::Orientation orientation, const QVariant& value, int role)
{
    if (orientation != Qt::Horizontal || role != Qt::EditRole || section < 0 || section >= ColumnCount)
        return false;
    setCells(section, 0, value.toString());
    return true;
}

Qt::ItemFlags CatalogModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (isEditableColumn(index.column()))
        f |= Qt::ItemIsEditable;
    return f;
}
