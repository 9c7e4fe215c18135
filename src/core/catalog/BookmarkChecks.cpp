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
        if (!validatePreciseTimeCode(text))
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
    if (!validatePreciseTimeCode(start))
        return QStringLiteral("The \"Start Time\" is not in a valid format.\nIt must be in the format "
                              "\"hh:mm:ss\".\nPlease fix, and try again.");
    if (!validatePreciseTimeCode(end))
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

} // namespace BookmarkChecks
