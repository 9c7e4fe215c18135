#pragma once

#include "core/catalog/CatalogData.h"
#include "core/catalog/CatalogFiles.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// What the two catalog file formats share: loading a file's lines, the
// reader's start and finish, the messages, and atomic saving.
namespace CatalogFilesCommon {

QString corruptedMessage();       // "Catalog file is corrupted. Please manually fix."
QString corruptedHeaderMessage(); // the same, naming the header

// Names the lines that could not be read whole ("Lines 9, 11 and 13 of
// this catalog file ..."); empty for none.
QString unreadLinesMessage(const QList<int>& lines);
// Names the lines read as Windows-1252, quoting the first few (`texts`);
// empty for none.
QString windows1252LinesMessage(const QList<int>& lines, const QStringList& texts);

// A result holding no rows and the reset grid's column titles.
CatalogReadResult emptyResult(const CatalogData& headers);

// Ends a read early with a message; the rows read so far stay. Lines that
// could not be read whole, and lines read as Windows-1252, are named after
// it.
CatalogReadResult stopped(CatalogReadResult&& result, const QString& message);

// The file's text split into lines (CR LF, LF or CR), each line decoded as
// UTF-8 when it is valid UTF-8 and as Windows-1252 when not. In a file that
// holds UTF-8 text too, the latter go to `windows1252Lines`.
QStringList textLines(const QByteArray& bytes, QList<int>* windows1252Lines);
// The result names those lines, quoting the first few.
void setWindows1252Lines(CatalogReadResult& result, QList<int> numbers, const QStringList& lines);

// Loads the file at `path` as loadCatalogFile() does, taking it to be in
// `format` whatever its name.
CatalogFile loadFile(const QString& path, CatalogFormat format);

// Reads the file at `path` with `readText`, or gives the result for a file
// that is missing (an empty, reset grid) or refused.
template <typename ReadText>
CatalogReadResult readFile(const QString& path, CatalogFormat format, const CatalogData& headers, ReadText readText)
{
    const CatalogFile file = loadFile(path, format);
    return file.access == CatalogFileAccess::Read ? readText(file.bytes) : readCatalogFile(file, headers);
}

// Sets the four column titles from titles[first] to titles[first + 3].
void setTitles(CatalogData& catalog, const QStringList& titles, qsizetype first);

// Gives back the spare room of the bookmark's texts (they grew while read):
// a catalog stays in memory while it is open.
void squeeze(Bookmark& b);

// The reader reached its normal end. A grid whose placeholder row was never
// filled keeps it as one empty bookmark. Lines that could not be read whole
// are named in the message.
void finish(CatalogReadResult& result);

// Line breaks inside a one-line field would tear the file's structure apart;
// in a column title, category, name, time, level or rating they are written
// as spaces (they cannot be typed there, nor read from a file).
QString oneLine(QString text);

// The message that refuses a save: the bookmark (numbered from 1, with its
// name) holds `what`, which a `formatName` (".tvc" or ".csv") file cannot
// hold.
QString unstorableValueMessage(const QString& formatName, qsizetype index, const Bookmark& b, const QString& what);

// Neither format holds a double quote or a line break in a file name or
// folder: the bookmark would name another clip. The message that refuses
// the save for the first such bookmark; empty when there is none.
QString unstorableLocationMessage(const CatalogData& catalog, const QString& formatName);

// The first character of a learn mark: the first code point (both halves
// of a surrogate pair).
QString firstCharacter(const QString& text);

// Encodes the text as UTF-8 and replaces the file atomically. On failure the
// previous file stays whole and *errorMessage (if given) is set to `message`.
bool saveText(const QString& path, const QString& text, const QString& message, QString* errorMessage);

} // namespace CatalogFilesCommon
