// The spreadsheet ".csv" catalog file: a header line of nine titles, then
// one line per bookmark of nine fields:
//
//   "category","name",learn,rating, start, end,"""file""","""folder""","description"
//
// The leading spaces keep a spreadsheet from turning the times into time
// values, the tripled quotes make it keep file name and folder as quoted
// text. A description of several lines spans as many physical lines. Every
// line ends with CR LF.

#include "core/catalog/SpreadsheetCatalogFile.h"

#include "core/catalog/CatalogFiles.h"
#include "core/catalog/CatalogFilesCommon.h"
#include "core/catalog/SplitOnCharacters.h"
#include "core/catalog/SplitSpreadsheetLine.h"

using namespace CatalogFilesCommon;

namespace {

const QString kLineEnd = QStringLiteral("\r\n");

QString saveFailedMessage()
{
    return QStringLiteral("The .csv version of this file could not be saved.\n"
                          "It may be open in another program, or its folder may be read-only.\n"
                          "Please fix, and try again");
}

// A double quote, the text with every double quote doubled, a double quote.
void appendQuoted(QString& out, const QString& text)
{
    out += u'"';
    if (!text.contains(u'"')) {
        out += text;
    } else {
        for (const QChar c : text) {
            if (c == u'"')
                out += u'"';
            out += c;
        }
    }
    out += u'"';
}

void appendTripleQuoted(QString& out, const QString& text)
{
    out += QLatin1String("\"\"\"");
    out += text;
    out += QLatin1String("\"\"\"");
}

// A spreadsheet writes 0:01:05 for " 00:01:05"; both read as 00:01:05.
QString repairTime(QString time)
{
    if (time.startsWith(u' '))
        time.remove(0, 1);
    const auto digit = [&time](int i) { return time[i] >= u'0' && time[i] <= u'9'; };
    if (time.size() == 7 && digit(0) && time[1] == u':' && digit(2) && digit(3) && time[4] == u':' && digit(5) &&
        digit(6))
        time.prepend(u'0');
    return time;
}

Bookmark bookmarkFromFields(const QStringList& fields)
{
    Bookmark b;
    b.category = fields[0];
    b.name = fields[1];
    b.learn = fields[2];
    b.rating = fields[3];
    b.startTime = repairTime(fields[4]);
    b.endTime = repairTime(fields[5]);
    b.fileName = fields[6];
    b.folder = fields[7];
    if (fields.size() == 9)
        b.description = fields[8];
    squeeze(b);
    return b;
}

} // namespace

CatalogReadResult CSV_ReadCatalogFile(const QString& path, const CatalogData& headers, QChar separator)
{
    return readFile(path, headers,
                    [&](const QByteArray& bytes) { return CSV_ReadCatalogText(bytes, headers, separator); });
}

CatalogReadResult CSV_ReadCatalogText(const QByteArray& bytes, const CatalogData& headers, QChar separator)
{
    CatalogReadResult result = emptyResult(headers);
    const QStringList lines = textLines(bytes);
    if (lines.size() == 1)
        return result;

    const QStringList titles =
        lines.isEmpty() ? QStringList() : SplitOnCharacters(lines[0], QStringView(&separator, 1));
    if (titles.size() < 4)
        return stopped(std::move(result), corruptedMessage());
    CatalogData& catalog = result.catalog;
    setTitles(catalog, titles, 0);

    for (qsizetype i = 1; i < lines.size(); ++i) {
        if (lines[i].isEmpty())
            continue;
        catalog.bookmarks.append(Bookmark{});
        SpreadsheetLine line = SplitSpreadsheetLine(lines[i], separator);
        bool open = line.endsInsideQuotes;
        while (open) {
            if (++i >= lines.size()) {
                // The file ends inside a description: what was read stays,
                // but the file is not whole.
                if (line.fields.size() == 8 || line.fields.size() == 9)
                    catalog.bookmarks.back() = bookmarkFromFields(line.fields);
                return stopped(std::move(result), corruptedMessage());
            }
            const SpreadsheetContinuation more = ReadSpreadsheetContinuation(lines[i]);
            line.fields.back() += kLineEnd + more.text;
            open = !more.endsField;
        }
        if (line.fields.size() == 8 || line.fields.size() == 9)
            catalog.bookmarks.back() = bookmarkFromFields(line.fields);
    }
    finish(result);
    return result;
}

QString CSV_CatalogText(const CatalogData& catalog, QChar separator)
{
    QString text;
    text.reserve(128 + catalog.bookmarks.size() * 160);
    text += QStringList{oneLine(catalog.categoryHeader), oneLine(catalog.nameHeader),  oneLine(catalog.learnHeader),
                        oneLine(catalog.ratingHeader),   QStringLiteral("Start Time"), QStringLiteral("End Time"),
                        QStringLiteral("Filename"),      QStringLiteral("Folder"),     QStringLiteral("Description")}
                .join(separator);
    text += kLineEnd;
    // A file of the header line alone reads as a reset grid, which would lose
    // the column titles; a catalog without bookmarks is written as the grid
    // shows it, with one empty row.
    static const QList<Bookmark> oneEmptyRow{Bookmark{}};
    for (const Bookmark& b : catalog.bookmarks.isEmpty() ? oneEmptyRow : catalog.bookmarks) {
        appendQuoted(text, oneLine(b.category));
        text += separator;
        appendQuoted(text, oneLine(b.name));
        text += separator;
        text += oneLine(b.learn.left(1));
        text += separator;
        text += oneLine(b.rating);
        text += separator;
        text += u' ';
        text += oneLine(b.startTime);
        text += separator;
        text += u' ';
        text += oneLine(b.endTime);
        text += separator;
        appendTripleQuoted(text, oneLine(b.fileName));
        text += separator;
        appendTripleQuoted(text, oneLine(b.folder));
        text += separator;
        appendQuoted(text, b.description);
        text += kLineEnd;
    }
    return text;
}

bool CSV_WriteCatalogFile(const QString& path, const CatalogData& catalog, QString* errorMessage, QChar separator)
{
    if (const QString refused = unstorableLocationMessage(catalog, QStringLiteral(".csv")); !refused.isEmpty()) {
        if (errorMessage)
            *errorMessage = refused;
        return false;
    }
    return saveText(path, CSV_CatalogText(catalog, separator), saveFailedMessage(), errorMessage);
}
