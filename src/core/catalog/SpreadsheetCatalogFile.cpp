// The spreadsheet ".csv" catalog file: a header line of nine titles, then
// one line per bookmark of nine fields:
//
//   "category","name",learn,rating, start, end,"""file""","""folder""","description"
//
// The leading spaces keep some spreadsheets from turning the times into time
// values; the reader takes back what the others write for a time value
// ("12:01:05 AM", "0:01:05.000", see CatalogTime.h). The tripled quotes make
// a spreadsheet keep file name and folder as quoted text. A description of
// several lines spans as many physical lines. Every line ends with CR LF.
//
// The separator is "," or, where numbers have a decimal comma, ";" (the one a
// spreadsheet there expects). The reader takes it from the header line, so a
// file reads the same on every machine.

#include "core/catalog/SpreadsheetCatalogFile.h"

#include "core/catalog/CatalogFiles.h"
#include "core/catalog/CatalogFilesCommon.h"
#include "core/catalog/CatalogTime.h"
#include "core/catalog/SplitOnCharacters.h"
#include "core/catalog/SplitSpreadsheetLine.h"

#include <iterator>

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

// A time field: the program writes a blank before the time, a spreadsheet
// may write it as it shows times ("0:01:05", "12:01:05 AM", ...). A field
// that holds no time keeps its text, less that blank.
CatalogTime readTime(QString field)
{
    if (field.startsWith(u' '))
        field.remove(0, 1);
    return readCatalogTime(field);
}

// Fills the bookmark from a line of 8 or 9 fields; false when a time could
// not be read.
bool readFields(const QStringList& fields, Bookmark& b)
{
    const CatalogTime start = readTime(fields[4]);
    const CatalogTime end = readTime(fields[5]);
    b.category = fields[0];
    b.name = fields[1];
    b.learn = fields[2];
    b.rating = fields[3];
    b.startTime = start.text;
    b.endTime = end.text;
    b.fileName = fields[6];
    b.folder = fields[7];
    if (fields.size() == 9)
        b.description = fields[8];
    squeeze(b);
    return start.readable && end.readable;
}

// A title a spreadsheet put in double quotes loses them.
QString title(const QString& piece)
{
    if (piece.size() < 2 || !piece.startsWith(u'"') || !piece.endsWith(u'"'))
        return piece;
    return piece.mid(1, piece.size() - 2).replace(QLatin1String("\"\""), QLatin1String("\""));
}

const char* const kFixedTitles[] = {"Start Time", "End Time", "Filename", "Folder", "Description"};

} // namespace

QChar spreadsheetSeparatorFor(const QLocale& locale)
{
    return locale.decimalPoint() == QLatin1String(",") ? u';' : u',';
}

QChar spreadsheetSeparatorOfHeader(QStringView header, QChar fallback)
{
    // From the last pair backwards, and each pair's last occurrence: a
    // column title of the user's own may hold the same words.
    for (int pair = int(std::size(kFixedTitles)) - 2; pair >= 0; --pair) {
        const QLatin1String left(kFixedTitles[pair]);
        const QLatin1String right(kFixedTitles[pair + 1]);
        for (qsizetype at = header.lastIndexOf(right); at > 0; at = header.lastIndexOf(right, at - 1)) {
            qsizetype i = at - 1;
            if (header[i] == u'"' && i > 0)
                --i;
            const QChar separator = header[i];
            qsizetype end = i;
            if (end > 0 && header[end - 1] == u'"')
                --end;
            if (separator == u'"' || separator == u' ' || separator == u'\r' || separator == u'\n' ||
                separator.isLetterOrNumber() || !header.first(end).endsWith(left))
                continue;
            return separator;
        }
    }
    return fallback;
}

CatalogReadResult CSV_ReadCatalogFile(const QString& path, const CatalogData& headers, QChar fallback)
{
    return readFile(path, headers,
                    [&](const QByteArray& bytes) { return CSV_ReadCatalogText(bytes, headers, fallback); });
}

CatalogReadResult CSV_ReadCatalogText(const QByteArray& bytes, const CatalogData& headers, QChar fallback)
{
    CatalogReadResult result = emptyResult(headers);
    const QStringList lines = textLines(bytes);
    if (lines.size() == 1)
        return result;

    const QChar separator = lines.isEmpty() ? fallback : spreadsheetSeparatorOfHeader(lines[0], fallback);
    QStringList titles = lines.isEmpty() ? QStringList() : SplitOnCharacters(lines[0], QStringView(&separator, 1));
    if (titles.size() < 4)
        return stopped(std::move(result), corruptedMessage());
    for (QString& t : titles)
        t = title(t);
    CatalogData& catalog = result.catalog;
    setTitles(catalog, titles, 0);

    for (qsizetype i = 1; i < lines.size(); ++i) {
        if (lines[i].isEmpty())
            continue;
        const int lineNumber = int(i + 1);
        catalog.bookmarks.append(Bookmark{});
        Bookmark& b = catalog.bookmarks.back();
        SpreadsheetLine line = SplitSpreadsheetLine(lines[i], separator);
        const bool fieldsFit = line.fields.size() == 8 || line.fields.size() == 9;
        bool open = line.endsInsideQuotes;
        while (open) {
            if (++i >= lines.size()) {
                // The file ends inside a description: what was read stays,
                // but the file is not whole.
                if (fieldsFit && !readFields(line.fields, b))
                    result.unreadLines.append(lineNumber);
                return stopped(std::move(result), corruptedMessage());
            }
            const SpreadsheetContinuation more = ReadSpreadsheetContinuation(lines[i]);
            line.fields.back() += kLineEnd + more.text;
            open = !more.endsField;
        }
        // A line of other fields (a column a spreadsheet added, say) keeps
        // only its number.
        if (!fieldsFit || !readFields(line.fields, b))
            result.unreadLines.append(lineNumber);
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
