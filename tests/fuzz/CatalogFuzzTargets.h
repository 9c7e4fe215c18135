#pragma once

// The fuzz targets of the two catalog readers. Each reads arbitrary bytes as
// a catalog file and checks what must hold for any input; a broken rule
// aborts. libFuzzer drives them through FuzzNativeCatalog.cpp and
// FuzzSpreadsheetCatalog.cpp; the core tests replay a corpus of seeds and
// variants through them (TestCatalogFuzzReplay).
//
// Rules:
//  - a read that reached its end has at least one row, and no message but
//    those that name the lines that could not be read whole and the lines
//    read as Windows-1252;
//  - a message is one of the readers' texts, followed by those;
//  - whatever was read is written in both formats and read back, in the
//    other format too: .tvc -> .csv -> .tvc and .csv -> .tvc -> .csv. It
//    comes back as it was read, except for what a format itself does with
//    a value: both keep the first character of a learn mark, the native
//    format reads a mark of "x" or one that begins with a space as unset,
//    and a catalog without rows is written as one empty row;
//  - a writer refuses only a catalog holding a value its format cannot
//    hold (a double quote or line break in a file name or folder; in the
//    native format also in a time, a comma as level or in a rating, a
//    description line equal to the block separator), and always does.

#include "core/catalog/CatalogFilesCommon.h"
#include "core/catalog/NativeCatalogFile.h"
#include "core/catalog/SpreadsheetCatalogFile.h"

#include <QByteArray>

#include <cstdio>
#include <cstdlib>

namespace CatalogFuzz {

inline void check(bool condition, const char* rule)
{
    if (!condition) {
        std::fprintf(stderr, "catalog fuzz rule broken: %s\n", rule);
        std::abort();
    }
}

inline void checkResult(const CatalogReadResult& r)
{
    const auto joined = [&r](const QString& first) {
        QString text = first;
        for (const QString& more :
             {CatalogFilesCommon::unreadLinesMessage(r.unreadLines),
              CatalogFilesCommon::windows1252LinesMessage(r.windows1252Lines, r.windows1252Texts)})
            if (!more.isEmpty())
                text = text.isEmpty() ? more : text + QStringLiteral("\n\n") + more;
        return text;
    };
    const QString lines = joined({});
    check(!r.complete || (r.message == lines && !r.catalog.bookmarks.isEmpty()), "a whole read has rows, no message");
    check(r.message == lines ||
              r.message == joined(QStringLiteral("Catalog file is corrupted. Please manually fix.")) ||
              r.message == joined(QStringLiteral("Catalog file is corrupted (HEADER INFO). Please manually fix.")),
          "the message is a reader's");
    for (qsizetype i = 1; i < r.unreadLines.size(); ++i)
        check(r.unreadLines[i - 1] < r.unreadLines[i], "unread lines are named once, in order");
    for (qsizetype i = 1; i < r.windows1252Lines.size(); ++i)
        check(r.windows1252Lines[i - 1] < r.windows1252Lines[i], "Windows-1252 lines are named once, in order");
}

inline bool hasAny(const QString& text, QStringView characters)
{
    for (const QChar c : characters)
        if (text.contains(c))
            return true;
    return false;
}

// What neither format can hold: the bookmark would name another clip.
inline bool locationUnstorable(const CatalogData& c)
{
    for (const Bookmark& b : c.bookmarks)
        if (hasAny(b.fileName + b.folder, u"\"\r\n"))
            return true;
    return false;
}

inline QString learnMark(const QString& cell)
{
    return cell.isEmpty() || cell.front() == u' ' ? QStringLiteral("x") : CatalogFilesCommon::firstCharacter(cell);
}

inline QString ratingMark(const QString& cell)
{
    return cell.isEmpty() || cell.front() == u' ' ? QStringLiteral("x") : cell;
}

// What the native format cannot hold besides.
inline bool nativeUnstorable(const CatalogData& c)
{
    if (locationUnstorable(c))
        return true;
    for (const Bookmark& b : c.bookmarks) {
        if (hasAny(b.startTime + b.endTime, u"\"\r\n") || learnMark(b.learn).contains(u',') ||
            ratingMark(b.rating).contains(u','))
            return true;
        for (const QString& line : b.description.split(QStringLiteral("\r\n")))
            if (line == u"--------------------@B@")
                return true;
    }
    return false;
}

// A catalog as the native format gives it back.
inline CatalogData nativeStored(CatalogData c)
{
    if (c.bookmarks.isEmpty())
        c.bookmarks.append(Bookmark{});
    const auto unset = [](const QString& mark) { return mark == u"x" ? QString() : mark; };
    for (Bookmark& b : c.bookmarks) {
        b.learn = unset(learnMark(b.learn));
        b.rating = unset(ratingMark(b.rating));
    }
    return c;
}

// A catalog as the spreadsheet format gives it back.
inline CatalogData spreadsheetStored(CatalogData c)
{
    if (c.bookmarks.isEmpty())
        c.bookmarks.append(Bookmark{});
    for (Bookmark& b : c.bookmarks)
        b.learn = CatalogFilesCommon::firstCharacter(b.learn);
    return c;
}

// Writes the catalog natively and reads it back; false when the writer
// refused it, which it does exactly for what the format cannot hold.
inline bool throughNative(const CatalogData& catalog, CatalogData* back)
{
    const bool refused = !TVC_UnstorableMessage(catalog).isEmpty();
    check(refused == nativeUnstorable(catalog), "the native writer refuses exactly what it cannot hold");
    if (refused)
        return false;
    const CatalogReadResult read = TVC_ReadCatalogText(TVC_CatalogText(catalog).toUtf8(), CatalogData{});
    checkResult(read);
    check(read.complete, "a written native catalog reads whole");
    *back = read.catalog;
    return true;
}

inline bool throughSpreadsheet(const CatalogData& catalog, QChar separator, CatalogData* back)
{
    const bool refused = !CatalogFilesCommon::unstorableLocationMessage(catalog, QStringLiteral(".csv")).isEmpty();
    check(refused == locationUnstorable(catalog), "the spreadsheet writer refuses exactly what it cannot hold");
    if (refused)
        return false;
    const CatalogReadResult read =
        CSV_ReadCatalogText(CSV_CatalogText(catalog, separator).toUtf8(), CatalogData{}, separator);
    checkResult(read);
    check(read.complete, "a written spreadsheet catalog reads whole");
    *back = read.catalog;
    return true;
}

// Both formats, and each into the other and back.
inline void roundTrips(const CatalogData& first, QChar separator)
{
    CatalogData native;
    if (throughNative(first, &native)) {
        check(native == nativeStored(first), "a native catalog reads back the same");
        CatalogData across;
        if (throughSpreadsheet(native, separator, &across))
            check(across == spreadsheetStored(nativeStored(first)), "native, then spreadsheet: the same");
    }
    CatalogData spreadsheet;
    if (throughSpreadsheet(first, separator, &spreadsheet)) {
        check(spreadsheet == spreadsheetStored(first), "a spreadsheet catalog reads back the same");
        CatalogData across;
        if (throughNative(spreadsheet, &across))
            check(across == nativeStored(first), "spreadsheet, then native: the same");
    }
}

inline void nativeReader(const QByteArray& bytes, QChar separator = u',')
{
    const CatalogReadResult first = TVC_ReadCatalogText(bytes, CatalogData{});
    checkResult(first);
    roundTrips(first.catalog, separator);
}

inline void spreadsheetReader(const QByteArray& bytes, QChar separator = u',')
{
    const CatalogReadResult first = CSV_ReadCatalogText(bytes, CatalogData{}, separator);
    checkResult(first);
    roundTrips(first.catalog, separator);
}

} // namespace CatalogFuzz
