#include "core/catalog/BookmarkChecks.h"

#include "core/base/TimeCode.h"
#include "core/catalog/CatalogDocument.h"

#include <QFileInfo>

using namespace BookmarkColumn;

namespace BookmarkChecks {

namespace {

bool folderExists(const QString& folder)
{
    return QFileInfo(folder).isDir();
}

bool hasDoubleQuote(const CatalogDocument& catalog, int row)
{
    return catalog.Cells(Filename, row).contains(u'"') || catalog.Cells(Folder, row).contains(u'"');
}

bool fileExists(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() && !info.isDir();
}

} // namespace

QString cellValueMessage(const CatalogDocument& catalog, int column, int row, const QString& text)
{
    switch (column) {
    case StartTime:
    case EndTime:
        if (!validateTimeCode(text))
            return QStringLiteral("Invalid time code.\nPlease try again.");
        return {};
    case Folder:
        if (!text.endsWith(u'/'))
            return QStringLiteral("The folder does not end with a \"/\" as it should.\nPlease try again.");
        if (!folderExists(text))
            return QStringLiteral("The folder does not exist.\nPlease try again.");
        return {};
    case Filename:
        if (text.isEmpty() || !fileExists(catalog.Cells(Folder, row) + text))
            return QStringLiteral("The filename does not exist.\nPlease try again.");
        return {};
    default:
        return {};
    }
}

QString playMessage(const CatalogDocument& catalog, int row)
{
    const QString start = catalog.Cells(StartTime, row);
    const QString end = catalog.Cells(EndTime, row);
    const QString folder = catalog.Cells(Folder, row);
    const QString file = catalog.Cells(Filename, row);
    if (!validateTimeCode(start))
        return QStringLiteral("The \"Start Time\" is not in a valid format.\nIt must be in the format "
                              "\"hh:mm:ss\".\nPlease fix, and try again.");
    if (!validateTimeCode(end))
        return QStringLiteral("The \"End Time\" is not in a valid format.\nIt must be in the format \"hh:mm:ss\" "
                              "or be exactly \"--:--:--\".\nPlease fix, and try again.");
    if (folder.isEmpty())
        return QStringLiteral("The \"Folder\" cell is empty.\nPlease fix, and try again.");
    if (!folder.endsWith(u'/'))
        return QStringLiteral("The \"Folder\" must end with a \"/\".\nPlease fix, and try again.");
    if (!folderExists(folder))
        return QStringLiteral("The \"Folder\" does not exist.\nPlease fix, and try again.");
    if (file.isEmpty())
        return QStringLiteral("The \"Filename\" cell is empty.\nPlease fix, and try again.");
    if (!fileExists(folder + file))
        return QStringLiteral("The \"Filename\" does not exist.\nPlease fix, and try again.");
    return {};
}

QString clipPath(const CatalogDocument& catalog, int row)
{
    const QString file = catalog.Cells(Filename, row);
    return catalog.Cells(Folder, row) + file.mid(file.lastIndexOf(u'/') + 1);
}

QString unstorableClipWarning(const CatalogDocument& catalog, const QList<int>& rows)
{
    QStringList numbers;
    for (int row : rows)
        if (row >= 1 && row < catalog.RowCount() && hasDoubleQuote(catalog, row))
            numbers.append(catalog.Cells(Number, row));
    if (numbers.isEmpty())
        return {};
    const bool one = numbers.size() == 1;
    return (one ? QStringLiteral("The clip of bookmark %1 has a double quote in its file name or folder,\n"
                                 "which a catalog file cannot hold.\n"
                                 "The bookmark plays, but the catalog cannot be saved until the clip or its folder "
                                 "is renamed and the bookmark relinked.")
                : QStringLiteral("The clips of bookmarks %1 have a double quote in their file name or folder,\n"
                                 "which a catalog file cannot hold.\n"
                                 "The bookmarks play, but the catalog cannot be saved until the clips or their "
                                 "folders are renamed and the bookmarks relinked."))
        .arg(numbers.join(QStringLiteral(", ")));
}

QString unstorableClipMessage(const CatalogDocument& catalog)
{
    for (int row = 1; row < catalog.RowCount(); ++row)
        if (hasDoubleQuote(catalog, row))
            return QStringLiteral("The catalog could not be saved.\n"
                                  "The clip of bookmark %1 (\"%2\") has a double quote in its file name or folder,\n"
                                  "which a catalog file cannot hold.\n"
                                  "Please rename the clip or its folder, relink the bookmark, and try again.")
                .arg(catalog.Cells(Number, row), catalog.Cells(Name, row));
    return {};
}

} // namespace BookmarkChecks
