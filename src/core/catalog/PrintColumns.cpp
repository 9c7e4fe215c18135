#include "core/catalog/PrintColumns.h"

#include "core/catalog/BookmarksGridColumns.h"

namespace CatalogPrinting {

QList<Column> printedColumns(const std::function<int(int column)>& widthOnScreen, bool withDescription)
{
    using namespace BookmarkColumn;
    QList<Column> columns;
    for (int c = Number; c <= Folder; ++c)
        if (const int width = widthOnScreen(c); width > 0)
            columns.append({c, width});
    if (withDescription)
        columns.append({Description, 200});
    return columns;
}

QString printTitle(const QString& lastOpenedPath)
{
    return lastOpenedPath.isEmpty() ? QStringLiteral("Tempoloop Video Catalog File") : lastOpenedPath;
}

} // namespace CatalogPrinting
