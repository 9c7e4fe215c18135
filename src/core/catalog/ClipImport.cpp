#include "core/catalog/ClipImport.h"

#include "core/catalog/BookmarksGridColumns.h"
#include "core/catalog/CatalogDocument.h"

#include <algorithm>

using namespace BookmarkColumn;

namespace ClipImport {

bool takesDrops(const CatalogDocument& document)
{
    return document.CatalogMode() != CatalogDocument::Mode::Closed && !document.PlayingAll();
}

QStringList droppedFiles(const QList<QUrl>& urls)
{
    QStringList paths;
    for (const QUrl& url : urls)
        if (url.isLocalFile())
            paths << url.toLocalFile();
    return paths;
}

QStringList importOrder(QStringList paths)
{
    std::stable_sort(paths.begin(), paths.end(), [](const QString& a, const QString& b) {
        return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    });
    return paths;
}

QString bookmarkName(const QString& path)
{
    const QString fileName = path.mid(path.lastIndexOf(u'/') + 1);
    return fileName.left(std::max<qsizetype>(0, fileName.size() - 4));
}

QStringList appendBookmarks(CatalogDocument& d, const QStringList& paths)
{
    QStringList names;
    for (const QString& path : importOrder(paths)) {
        const int slash = int(path.lastIndexOf(u'/'));
        const int row = d.takeRowForNewBookmark();
        const QString name = bookmarkName(path);
        d.setCells(Name, row, name);
        d.setCells(StartTime, row, QStringLiteral("00:00:00"));
        d.setCells(EndTime, row, QStringLiteral("--:--:--"));
        d.setCells(Filename, row, path.mid(slash + 1));
        d.setCells(Folder, row, path.left(slash + 1));
        names.append(name);
    }
    if (!names.isEmpty())
        d.setCatalogModified(true);
    return names;
}

} // namespace ClipImport
