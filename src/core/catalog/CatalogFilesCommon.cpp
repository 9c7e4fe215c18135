#include "core/catalog/CatalogFilesCommon.h"

#include "core/base/TextCodec.h"
#include "core/base/TextFile.h"

#include <QFile>
#include <QFileInfo>

namespace CatalogFilesCommon {

QString corruptedMessage()
{
    return QStringLiteral("Catalog file is corrupted. Please manually fix.");
}

QString corruptedHeaderMessage()
{
    return QStringLiteral("Catalog file is corrupted (HEADER INFO). Please manually fix.");
}

Load loadFile(const QString& path, QByteArray* bytes)
{
    if (!QFileInfo::exists(path))
        return Load::Missing;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Load::Unreadable;
    *bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return Load::Unreadable;
    return Load::Loaded;
}

QStringList textLines(const QByteArray& bytes)
{
    return splitLines(decodeText(bytes));
}

CatalogReadResult emptyResult(const CatalogData& headers)
{
    CatalogReadResult result;
    result.catalog.categoryHeader = headers.categoryHeader;
    result.catalog.nameHeader = headers.nameHeader;
    result.catalog.learnHeader = headers.learnHeader;
    result.catalog.ratingHeader = headers.ratingHeader;
    return result;
}

void setTitles(CatalogData& catalog, const QStringList& titles, qsizetype first)
{
    catalog.categoryHeader = titles[first];
    catalog.nameHeader = titles[first + 1];
    catalog.learnHeader = titles[first + 2];
    catalog.ratingHeader = titles[first + 3];
}

QString unreadLinesMessage(const QList<int>& lines)
{
    if (lines.isEmpty())
        return {};
    // A file that a spreadsheet gave an extra column has a bad line per
    // bookmark: the first few numbers say enough.
    constexpr qsizetype kShown = 10;
    QStringList numbers;
    for (qsizetype i = 0; i < lines.size() && i < kShown; ++i)
        numbers.append(QString::number(lines.at(i)));
    QString which;
    if (lines.size() == 1)
        which = QStringLiteral("Line ") + numbers.first();
    else if (lines.size() <= kShown)
        which = QStringLiteral("Lines ") + numbers.mid(0, numbers.size() - 1).join(QStringLiteral(", ")) +
                QStringLiteral(" and ") + numbers.last();
    else
        which = QStringLiteral("Lines ") + numbers.join(QStringLiteral(", ")) +
                QStringLiteral(" and %1 more").arg(lines.size() - kShown);
    return which + QStringLiteral(" of this catalog file could not be read whole.\n"
                                  "Their bookmarks show only what could be read (times, clip, level or rating may be "
                                  "missing), and saving the catalog keeps them that way.\n"
                                  "To keep what those lines hold, close the catalog without saving, fix the lines "
                                  "in the file and open it again.");
}

namespace {

void nameUnreadLines(CatalogReadResult& result)
{
    const QString unread = unreadLinesMessage(result.unreadLines);
    if (unread.isEmpty())
        return;
    result.message = result.message.isEmpty() ? unread : result.message + QStringLiteral("\n\n") + unread;
}

} // namespace

CatalogReadResult stopped(CatalogReadResult&& result, const QString& message)
{
    result.message = message;
    nameUnreadLines(result);
    return std::move(result);
}

void squeeze(Bookmark& b)
{
    for (QString* s :
         {&b.category, &b.name, &b.learn, &b.rating, &b.startTime, &b.endTime, &b.fileName, &b.folder, &b.description})
        s->squeeze();
}

void finish(CatalogReadResult& result)
{
    if (result.catalog.bookmarks.isEmpty())
        result.catalog.bookmarks.append(Bookmark{});
    result.complete = true;
    nameUnreadLines(result);
}

QString oneLine(QString text)
{
    if (!text.contains(u'\r') && !text.contains(u'\n'))
        return text;
    text.replace(QLatin1String("\r\n"), QLatin1String(" "));
    text.replace(u'\r', u' ');
    text.replace(u'\n', u' ');
    return text;
}

bool saveText(const QString& path, const QString& text, const QString& message, QString* errorMessage)
{
    if (saveFileAtomically(path, encodeText(text)))
        return true;
    if (errorMessage)
        *errorMessage = message;
    return false;
}

QString unstorableLocationMessage(const CatalogData& catalog, const QString& format)
{
    for (qsizetype i = 0; i < catalog.bookmarks.size(); ++i) {
        const Bookmark& b = catalog.bookmarks.at(i);
        if (b.fileName.contains(u'"') || b.folder.contains(u'"'))
            return QStringLiteral("The %1 version of this file could not be saved.\n"
                                  "The clip of bookmark %2 (\"%3\") has a double quote in its file name or folder,\n"
                                  "which a catalog file cannot hold.\n"
                                  "Please rename the clip or its folder, relink the bookmark, and try again.")
                .arg(format)
                .arg(i + 1)
                .arg(b.name);
    }
    return {};
}

} // namespace CatalogFilesCommon
