#pragma once

// The fuzz targets of the two catalog readers. Each reads arbitrary bytes as
// a catalog file and checks what must hold for any input; a broken rule
// aborts. libFuzzer drives them through FuzzNativeCatalog.cpp and
// FuzzSpreadsheetCatalog.cpp; the core tests replay a corpus of seeds and
// variants through them (TestCatalogFuzzReplay).
//
// Rules:
//  - a read that reached its end has at least one row, and no message but
//    the one that names the lines that could not be read whole;
//  - a message is one of the readers' two texts, then that one if there
//    were such lines;
//  - what was read, written and read again is what was read, except for
//    what the format itself changes: the native format keeps the first
//    character of a learn mark and reads a mark of "x" or one that begins
//    with a space as unset, the spreadsheet format keeps the first character
//    of a learn mark, and a catalog without rows is written as one empty
//    row. Catalogs with fields that a format cannot store (a double quote in
//    a file name, say) are left out of this rule.

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
    const QString unread = CatalogFilesCommon::unreadLinesMessage(r.unreadLines);
    const auto after = [&unread](const char* message) {
        const QString text = QString::fromLatin1(message);
        return unread.isEmpty() ? text : text + QStringLiteral("\n\n") + unread;
    };
    check(!r.complete || (r.message == unread && !r.catalog.bookmarks.isEmpty()), "a whole read has rows, no message");
    check(r.message == unread || r.message == after("Catalog file is corrupted. Please manually fix.") ||
              r.message == after("Catalog file is corrupted (HEADER INFO). Please manually fix."),
          "the message is a reader's");
    for (qsizetype i = 1; i < r.unreadLines.size(); ++i)
        check(r.unreadLines[i - 1] < r.unreadLines[i], "unread lines are named once, in order");
}

inline bool hasAny(const QString& text, QStringView characters)
{
    for (const QChar c : characters)
        if (text.contains(c))
            return true;
    return false;
}

// The native location line cannot hold a double quote, nor the learn and
// rating line a comma. The first character of a learn mark is written, so
// it cannot be half a surrogate pair.
inline bool nativeCanStore(const CatalogData& c)
{
    for (const Bookmark& b : c.bookmarks)
        if (hasAny(b.startTime + b.endTime + b.fileName + b.folder, u"\"") || b.learn.contains(u',') ||
            b.rating.contains(u',') || (!b.learn.isEmpty() && b.learn.front().isSurrogate()))
            return false;
    return true;
}

// Unquoted fields cannot hold the separator or a double quote (a first
// title that begins with a byte order mark loses it); file name
// and folder cannot hold a double quote, the folder no line break (the last
// field of a line of eight fields can run on to the next lines).
inline bool spreadsheetCanStore(const CatalogData& c, QChar separator)
{
    const QString special = QStringLiteral("\"") + separator;
    if (hasAny(c.categoryHeader + c.nameHeader + c.learnHeader + c.ratingHeader, special) ||
        c.categoryHeader.isEmpty() || c.nameHeader.isEmpty() || c.learnHeader.isEmpty() || c.ratingHeader.isEmpty() ||
        c.categoryHeader.front() == QChar::ByteOrderMark)
        return false;
    for (const Bookmark& b : c.bookmarks)
        if (hasAny(b.learn + b.rating + b.startTime + b.endTime, special) || hasAny(b.fileName + b.folder, u"\"") ||
            hasAny(b.folder, u"\r\n") || (!b.learn.isEmpty() && b.learn.front().isSurrogate()))
            return false;
    return true;
}

// A catalog as the native format gives it back.
inline CatalogData nativeStored(CatalogData c)
{
    if (c.bookmarks.isEmpty())
        c.bookmarks.append(Bookmark{});
    const auto mark = [](const QString& cell, bool firstCharacterOnly) {
        const QString written = cell.isEmpty() || cell.front() == u' ' ? QStringLiteral("x")
                                : firstCharacterOnly                   ? cell.left(1)
                                                                       : cell;
        return written == u"x" ? QString() : written;
    };
    for (Bookmark& b : c.bookmarks) {
        b.learn = mark(b.learn, true);
        b.rating = mark(b.rating, false);
    }
    return c;
}

// A catalog as the spreadsheet format gives it back.
inline CatalogData spreadsheetStored(CatalogData c)
{
    if (c.bookmarks.isEmpty())
        c.bookmarks.append(Bookmark{});
    for (Bookmark& b : c.bookmarks)
        b.learn = b.learn.left(1);
    return c;
}

inline void nativeReader(const QByteArray& bytes)
{
    const CatalogData headers;
    const CatalogReadResult first = TVC_ReadCatalogText(bytes, headers);
    checkResult(first);
    if (!nativeCanStore(first.catalog))
        return;
    const CatalogReadResult second = TVC_ReadCatalogText(TVC_CatalogText(first.catalog).toUtf8(), headers);
    checkResult(second);
    check(second.complete, "a written catalog reads whole");
    check(second.catalog == nativeStored(first.catalog), "a written catalog reads back the same");
}

inline void spreadsheetReader(const QByteArray& bytes, QChar separator = u',')
{
    const CatalogData headers;
    const CatalogReadResult first = CSV_ReadCatalogText(bytes, headers, separator);
    checkResult(first);
    if (!spreadsheetCanStore(first.catalog, separator))
        return;
    const QByteArray written = CSV_CatalogText(first.catalog, separator).toUtf8();
    const CatalogReadResult second = CSV_ReadCatalogText(written, headers, separator);
    checkResult(second);
    check(second.complete, "a written catalog reads whole");
    check(second.catalog == spreadsheetStored(first.catalog), "a written catalog reads back the same");
}

} // namespace CatalogFuzz
