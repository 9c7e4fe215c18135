// Sorting the catalog's rows by one or more columns.
#include "core/catalog/CatalogDocument.h"

#include <algorithm>
#include <optional>

using namespace BookmarkColumn;

namespace {

// A cell's sort key: whole numbers ("#", rating) by value, before any text;
// texts without regard to letter case. Empty cells come first.
struct Key {
    std::optional<qlonglong> number;
    QString text;
};

Key keyOf(const QString& text)
{
    bool ok = false;
    const qlonglong n = text.toLongLong(&ok);
    if (ok && !text.isEmpty() && text.at(0).isDigit())
        return {n, text};
    return {std::nullopt, text};
}

int compareKeys(const Key& a, const Key& b)
{
    if (a.text.isEmpty() || b.text.isEmpty())
        return int(!a.text.isEmpty()) - int(!b.text.isEmpty());
    if (a.number && b.number)
        return *a.number < *b.number ? -1 : (*a.number > *b.number ? 1 : 0);
    if (a.number || b.number)
        return a.number ? -1 : 1;
    return a.text.compare(b.text, Qt::CaseInsensitive);
}

} // namespace

bool CatalogDocument::isSortableColumn(int column)
{
    return column == Number || CatalogModel::isEditableColumn(column);
}

bool CatalogDocument::sortRows(const QList<SortKey>& keys)
{
    if (keys.isEmpty())
        return false;
    for (const SortKey& k : keys)
        if (!isSortableColumn(k.column))
            return false;
    const int rows = RowCount() - 1;
    // Keys are worked out once per cell, not once per comparison.
    QList<QList<Key>> cellKeys(rows);
    for (int r = 1; r <= rows; ++r) {
        QList<Key>& rowKeys = cellKeys[r - 1];
        rowKeys.reserve(keys.size());
        for (const SortKey& k : keys)
            rowKeys.append(keyOf(Cells(k.column, r)));
    }
    QList<int> order(rows);
    for (int r = 0; r < rows; ++r)
        order[r] = r + 1;
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        for (int i = 0; i < keys.size(); ++i) {
            const int c = compareKeys(cellKeys[a - 1][i], cellKeys[b - 1][i]);
            if (c != 0)
                return keys[i].descending ? c > 0 : c < 0;
        }
        return false;
    });
    m_model->setRowOrder(order);
    // The playing bookmark follows its row: the loop that plays, the green
    // mark and an update of its times keep naming the same bookmark.
    if (m_playingBookmark != -1)
        setPlayingBookmark(int(order.indexOf(m_playingBookmark)) + 1);
    return true;
}
