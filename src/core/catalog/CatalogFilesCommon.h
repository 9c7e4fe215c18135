#pragma once

#include "core/catalog/CatalogData.h"

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

// A result holding no rows and the reset grid's column titles.
CatalogReadResult emptyResult(const CatalogData& headers);

// Ends a read early with a message; the rows read so far stay. Lines that
// could not be read whole are named after it.
CatalogReadResult stopped(CatalogReadResult&& result, const QString& message);

enum class Load { Missing, Unreadable, Loaded };

// Reads the whole file.
Load loadFile(const QString& path, QByteArray* bytes);

// The file's text split into lines (CR LF, LF or CR). UTF-8, with or without
// a byte order mark; text that is not valid UTF-8 is read as Windows-1252.
QStringList textLines(const QByteArray& bytes);

// Reads the file at `path` with `readText`, or gives the result for a file
// that is missing (an empty, reset grid) or cannot be read.
template <typename ReadText>
CatalogReadResult readFile(const QString& path, const CatalogData& headers, ReadText readText)
{
    QByteArray bytes;
    switch (loadFile(path, &bytes)) {
    case Load::Missing:
        return emptyResult(headers);
    case Load::Unreadable:
        return stopped(emptyResult(headers), corruptedMessage());
    case Load::Loaded:
        break;
    }
    return readText(bytes);
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
// they are written as spaces.
QString oneLine(QString text);

// Both formats quote a clip's file name and folder and have no escape for a
// double quote inside them: such a bookmark would be read back as another
// one. Before writing, a writer asks for the message that refuses the save
// (empty when every location can be stored); `format` is ".tvc" or ".csv".
QString unstorableLocationMessage(const CatalogData& catalog, const QString& format);

// Encodes the text as UTF-8 and replaces the file atomically. On failure the
// previous file stays whole and *errorMessage (if given) is set to `message`.
bool saveText(const QString& path, const QString& text, const QString& message, QString* errorMessage);

} // namespace CatalogFilesCommon
