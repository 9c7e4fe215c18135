// The native ".tvc" catalog file: lines a person can read and repair.
//
//   ----- HEADER INFO -----
//   <category column title>
//   <name column title>
//   <learn column title>
//   <rating column title>
//   ----- END OF HEADER INFO -----
// then per bookmark:
//   <category>
//   <name>
//   <start>   <end>   "<file name>"   "<folder>"
//   <learn or x>,<rating or x>
//   <description: one line or more>
//   --------------------@B@
//
// Every line ends with CR LF.

#include "core/catalog/NativeCatalogFile.h"

#include "core/base/SplitArguments.h"
#include "core/base/TextFile.h"
#include "core/catalog/CatalogFiles.h"
#include "core/catalog/CatalogFilesCommon.h"
#include "core/catalog/CatalogTime.h"
#include "core/catalog/SplitOnCharacters.h"

using namespace CatalogFilesCommon;

namespace {

const QString kHeaderStart = QStringLiteral("----- HEADER INFO -----");
const QString kHeaderEnd = QStringLiteral("----- END OF HEADER INFO -----");
const QString kSeparator = QStringLiteral("--------------------@B@");
const QString kLineEnd = QStringLiteral("\r\n");
const QString kGap = QStringLiteral("   ");

QString saveFailedMessage()
{
    return QStringLiteral("The \".tvc\" version of this file could not be saved.\nSomething is wrong.\n"
                          "Please fix, and try again");
}

// "x" stands for an unset learn or rating mark.
QString mark(const QString& cell, bool firstCharacterOnly)
{
    if (cell.isEmpty() || cell.front() == u' ')
        return QStringLiteral("x");
    return oneLine(firstCharacterOnly ? firstCharacter(cell) : cell);
}

bool hasLineBreak(const QString& text)
{
    return text.contains(u'\r') || text.contains(u'\n');
}

// What of the bookmark this format cannot hold, as the refusal names it;
// empty when it can hold all of it.
QString unstorablePart(const Bookmark& b)
{
    for (const QString* time : {&b.startTime, &b.endTime})
        if (time->contains(u'"') || hasLineBreak(*time))
            return QStringLiteral("a double quote or a line break in its %1 time")
                .arg(time == &b.startTime ? QStringLiteral("start") : QStringLiteral("end"));
    if (mark(b.learn, true).contains(u','))
        return QStringLiteral("a comma as its level");
    if (mark(b.rating, false).contains(u','))
        return QStringLiteral("a comma in its rating");
    if (nativeDescriptionBreaksBlock(b.description))
        return QStringLiteral("a description line that is the block separator \"%1\"").arg(kSeparator);
    return {};
}

// The times stand bare, as in a bookmark command line. A time that is empty
// or holds a blank (never one the grid accepts) is quoted, so that the line
// still splits into four arguments.
void appendTime(QString& out, const QString& time)
{
    const QString t = oneLine(time);
    const bool quote = t.isEmpty() || t.contains(u' ') || t.contains(u'\t');
    if (quote)
        out += u'"';
    out += t;
    if (quote)
        out += u'"';
}

void appendLocationLine(QString& out, const Bookmark& b)
{
    appendTime(out, b.startTime);
    out += kGap;
    appendTime(out, b.endTime);
    out += kGap;
    out += u'"';
    out += oneLine(b.fileName);
    out += u'"';
    out += kGap;
    out += u'"';
    out += oneLine(b.folder);
    out += u'"';
    out += kLineEnd;
}

class BlockReader {
public:
    BlockReader(const QStringList& lines, qsizetype first) : m_lines(lines), m_next(first) {}

    bool atEnd() const { return m_next >= m_lines.size(); }

    // False when the file has ended: the block was cut off.
    bool take(QString* line)
    {
        if (atEnd())
            return false;
        *line = m_lines[m_next++];
        return true;
    }
    void giveBack() { --m_next; }
    // The number (from 1) of the line taken last.
    int lineNumber() const { return int(m_next); }

private:
    const QStringList& m_lines;
    qsizetype m_next;
};

// Reads one block into `b`. False when the file ends inside it. The
// numbers of lines that could not be read whole go to `unread`.
bool readBlock(BlockReader& in, Bookmark& b, QList<int>& unread)
{
    if (!in.take(&b.category) || !in.take(&b.name))
        return false;

    QString line;
    if (!in.take(&line))
        return false;
    const QStringList location = SplitArguments(line);
    if (location.size() != 4) {
        unread.append(in.lineNumber());
        in.giveBack(); // the line starts the next block
        return true;
    }
    const CatalogTime start = readCatalogTime(location[0]);
    const CatalogTime end = readCatalogTime(location[1]);
    if (!start.readable || !end.readable)
        unread.append(in.lineNumber());
    b.startTime = start.text;
    b.endTime = end.text;
    b.fileName = location[2];
    b.folder = location[3];

    if (!in.take(&line))
        return false;
    const QStringList marks = SplitOnCharacters(line, u",");
    if (marks.size() != 2) {
        unread.append(in.lineNumber());
        in.giveBack();
        return true;
    }
    b.learn = marks[0] == u"x" ? QString() : marks[0];
    b.rating = marks[1] == u"x" ? QString() : marks[1];

    bool first = true;
    while (in.take(&line)) {
        if (line == kSeparator)
            return true;
        if (!first)
            b.description += kLineEnd;
        b.description += line;
        first = false;
    }
    return false;
}

} // namespace

CatalogReadResult TVC_ReadCatalogFile(const QString& path, const CatalogData& headers)
{
    return readFile(path, CatalogFormat::Native, headers,
                    [&headers](const QByteArray& bytes) { return TVC_ReadCatalogText(bytes, headers); });
}

CatalogReadResult TVC_ReadCatalogText(const QByteArray& bytes, const CatalogData& headers)
{
    CatalogReadResult result = emptyResult(headers);
    QList<int> windows1252Lines;
    const QStringList lines = textLines(bytes, &windows1252Lines);
    // A file of one line is an empty catalog: nothing was read to tell of.
    if (lines.size() == 1)
        return result;
    setWindows1252Lines(result, std::move(windows1252Lines), lines);
    if (lines.isEmpty())
        return stopped(std::move(result), corruptedMessage());
    if (lines[0] != kHeaderStart)
        return stopped(std::move(result), corruptedHeaderMessage());
    if (lines.size() < 5) // the column titles are cut off
        return stopped(std::move(result), corruptedMessage());
    CatalogData& catalog = result.catalog;
    setTitles(catalog, lines, 1);

    const qsizetype marker = lines.indexOf(kHeaderEnd, 5);
    if (marker < 0)
        return stopped(std::move(result), corruptedHeaderMessage());

    BlockReader in(lines, marker + 1);
    while (!in.atEnd()) {
        catalog.bookmarks.append(Bookmark{});
        const bool whole = readBlock(in, catalog.bookmarks.back(), result.unreadLines);
        squeeze(catalog.bookmarks.back());
        if (!whole)
            return stopped(std::move(result), corruptedMessage());
    }
    finish(result);
    return result;
}

QString TVC_CatalogText(const CatalogData& catalog)
{
    QString text;
    text.reserve(64 + catalog.bookmarks.size() * 160);
    const auto line = [&text](const QString& s) {
        text += s;
        text += kLineEnd;
    };
    line(kHeaderStart);
    line(oneLine(catalog.categoryHeader));
    line(oneLine(catalog.nameHeader));
    line(oneLine(catalog.learnHeader));
    line(oneLine(catalog.ratingHeader));
    line(kHeaderEnd);
    for (const Bookmark& b : catalog.bookmarks) {
        line(oneLine(b.category));
        line(oneLine(b.name));
        appendLocationLine(text, b);
        text += mark(b.learn, true);
        text += u',';
        line(mark(b.rating, false));
        line(b.description);
        line(kSeparator);
    }
    return text;
}

bool nativeDescriptionBreaksBlock(const QString& description)
{
    if (!description.contains(kSeparator))
        return false;
    const QStringList lines = splitLines(description);
    return lines.contains(kSeparator);
}

QString TVC_UnstorableMessage(const CatalogData& catalog)
{
    const QString format = QStringLiteral("\".tvc\"");
    if (QString refused = unstorableLocationMessage(catalog, format); !refused.isEmpty())
        return refused;
    for (qsizetype i = 0; i < catalog.bookmarks.size(); ++i)
        if (const QString part = unstorablePart(catalog.bookmarks.at(i)); !part.isEmpty())
            return unstorableValueMessage(format, i, catalog.bookmarks.at(i), part);
    return {};
}

bool TVC_WriteCatalogFile(const QString& path, const CatalogData& catalog, QString* errorMessage)
{
    if (const QString refused = TVC_UnstorableMessage(catalog); !refused.isEmpty()) {
        if (errorMessage)
            *errorMessage = refused;
        return false;
    }
    return saveText(path, TVC_CatalogText(catalog), saveFailedMessage(), errorMessage);
}
