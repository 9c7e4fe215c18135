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

// A field the program writes bare (a column title, level, rating or time)
// is quoted when it has to be: when it holds the separator or a double
// quote, or is empty or begins with a byte order mark (a title). Plain
// values stay bare, so files stay as a spreadsheet expects them.
void appendField(QString& out, const QString& text, QChar separator)
{
    if (text.contains(separator) || text.contains(u'"'))
        appendQuotedField(out, text);
    else
        out += text;
}

void appendTitle(QString& out, const QString& title, QChar separator)
{
    if (title.isEmpty() || title.front() == QChar::ByteOrderMark)
        appendQuotedField(out, title);
    else
        appendField(out, title, separator);
}

// A time: a blank before it, inside the quotes when it needs them.
void appendTime(QString& out, const QString& time, QChar separator)
{
    appendField(out, u' ' + time, separator);
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

// The column titles of the header line. Those the program writes are bare
// unless they hold the separator or a double quote, or are empty: those are
// in double quotes, with each double quote doubled, as a spreadsheet writes
// them too. Bare pieces that are empty are dropped.
QStringList splitTitles(QStringView header, QChar separator)
{
    QStringList titles;
    qsizetype i = 0;
    const qsizetype n = header.size();
    while (i <= n) {
        if (i < n && header[i] == u'"') {
            // A quoted title: up to the quote that is not doubled, which must
            // end the piece; anything else is taken as it stands.
            QString text;
            qsizetype j = i + 1;
            for (; j < n; ++j) {
                if (header[j] != u'"') {
                    text += header[j];
                } else if (j + 1 < n && header[j + 1] == u'"') {
                    text += u'"';
                    ++j;
                } else {
                    break;
                }
            }
            if (j < n && (j + 1 == n || header[j + 1] == separator)) {
                titles.append(text);
                i = j + 2;
                continue;
            }
        }
        qsizetype end = header.indexOf(separator, i);
        if (end < 0)
            end = n;
        if (end > i)
            titles.append(header.sliced(i, end - i).toString());
        i = end + 1;
    }
    return titles;
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
    return readFile(path, CatalogFormat::Spreadsheet, headers,
                    [&](const QByteArray& bytes) { return CSV_ReadCatalogText(bytes, headers, fallback); });
}

CatalogReadResult CSV_ReadCatalogText(const QByteArray& bytes, const CatalogData& headers, QChar fallback)
{
    CatalogReadResult result = emptyResult(headers);
    QList<int> windows1252Lines;
    const QStringList lines = textLines(bytes, &windows1252Lines);
    // A file of one line is an empty catalog: nothing was read to tell of.
    if (lines.size() == 1)
        return result;
    setWindows1252Lines(result, std::move(windows1252Lines), lines);

    const QChar separator = lines.isEmpty() ? fallback : spreadsheetSeparatorOfHeader(lines[0], fallback);
    const QStringList titles = lines.isEmpty() ? QStringList() : splitTitles(lines[0], separator);
    if (titles.size() < 4)
        return stopped(std::move(result), corruptedMessage());
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
    for (const QString* title :
         {&catalog.categoryHeader, &catalog.nameHeader, &catalog.learnHeader, &catalog.ratingHeader}) {
        appendTitle(text, oneLine(*title), separator);
        text += separator;
    }
    text += QStringList{QStringLiteral("Start Time"), QStringLiteral("End Time"), QStringLiteral("Filename"),
                        QStringLiteral("Folder"), QStringLiteral("Description")}
                .join(separator);
    text += kLineEnd;
    // A file of the header line alone reads as a reset grid, which would lose
    // the column titles; a catalog without bookmarks is written as the grid
    // shows it, with one empty row.
    static const QList<Bookmark> oneEmptyRow{Bookmark{}};
    for (const Bookmark& b : catalog.bookmarks.isEmpty() ? oneEmptyRow : catalog.bookmarks) {
        appendQuotedField(text, oneLine(b.category));
        text += separator;
        appendQuotedField(text, oneLine(b.name));
        text += separator;
        appendField(text, oneLine(firstCharacter(b.learn)), separator);
        text += separator;
        appendField(text, oneLine(b.rating), separator);
        text += separator;
        appendTime(text, oneLine(b.startTime), separator);
        text += separator;
        appendTime(text, oneLine(b.endTime), separator);
        text += separator;
        appendTripleQuoted(text, oneLine(b.fileName));
        text += separator;
        appendTripleQuoted(text, oneLine(b.folder));
        text += separator;
        appendQuotedField(text, b.description);
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
