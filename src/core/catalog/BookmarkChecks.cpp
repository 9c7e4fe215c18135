#include "core/catalog/BookmarkChecks.h"

#include "core/base/FileProbe.h"
#include "core/base/TimeCode.h"
#include "core/catalog/CatalogDocument.h"
#include "core/catalog/NativeCatalogFile.h"

using namespace BookmarkColumn;

namespace BookmarkChecks {

namespace {

// A folder or clip that does not answer in time reads as missing.
bool folderExists(const QString& folder)
{
    return FileProbe::isFolder(folder);
}

bool hasDoubleQuote(const CatalogDocument& catalog, int row)
{
    return catalog.Cells(Filename, row).contains(u'"') || catalog.Cells(Folder, row).contains(u'"');
}

bool hasLineBreak(const QString& text)
{
    return text.contains(u'\r') || text.contains(u'\n');
}

QString unstorableNameMessage(const QString& what)
{
    return QStringLiteral("The %1 has a double quote or a line break, which a catalog file cannot hold.\n"
                          "Please rename the clip or its folder, and try again.")
        .arg(what);
}

bool fileExists(const QString& path)
{
    const FileProbe::Kind kind = FileProbe::facts(path).kind;
    return kind == FileProbe::Kind::File || kind == FileProbe::Kind::Other;
}

} // namespace

QString oneLineTextMessage(const QString& text, const QString& what)
{
    if (!hasLineBreak(text))
        return {};
    return QStringLiteral("The %1 has a line break, which a catalog file cannot hold: it keeps a %1 on one line.\n"
                          "Please type it on one line, and try again.")
        .arg(what);
}

QString typedDescriptionMessage(const QString& before, const QString& after)
{
    if (!nativeDescriptionBreaksBlock(after) || nativeDescriptionBreaksBlock(before))
        return {};
    return QStringLiteral("A description line cannot be \"--------------------@B@\":\n"
                          "a catalog file ends each bookmark with that line, so the rest of the description "
                          "would be lost.\n"
                          "Please write the line another way.");
}

QString cellValueMessage(const CatalogDocument& catalog, int column, int row, const QString& text)
{
    switch (column) {
    case Category:
        return oneLineTextMessage(text, QStringLiteral("category"));
    case Name:
        return oneLineTextMessage(text, QStringLiteral("name"));
    case Learn:
    case Rating:
        if (text.contains(u',') || hasLineBreak(text))
            return QStringLiteral("A level or rating cannot hold a comma or a line break:\n"
                                  "a catalog file keeps both on one line, with a comma between them.\n"
                                  "Please try again.");
        return {};
    case StartTime:
    case EndTime:
        if (!validatePreciseTimeCode(text))
            return QStringLiteral("Invalid time code.\nPlease try again.");
        return {};
    case Folder:
        if (text.contains(u'"') || hasLineBreak(text))
            return unstorableNameMessage(QStringLiteral("folder"));
        if (!text.endsWith(u'/'))
            return QStringLiteral("The folder does not end with a \"/\" as it should.\nPlease try again.");
        if (!folderExists(text))
            return QStringLiteral("The folder does not exist.\nPlease try again.");
        return {};
    case Filename:
        if (text.contains(u'"') || hasLineBreak(text))
            return unstorableNameMessage(QStringLiteral("file name"));
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
