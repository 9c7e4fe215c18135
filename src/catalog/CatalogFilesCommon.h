#pragma once

#include "catalog/CatalogData.h"

#include <QString>
#include <QStringList>

// What the two catalog file formats share: loading a file's lines, the
// reader's start and finish, the messages, and atomic saving.
namespace CatalogFilesCommon {

QString corruptedMessage();       // "Catalog file is corrupted. Please manually fix."
QString corruptedHeaderMessage(); // the same, naming the header

enum class Load { Missing, Unreadable, Loaded };

// Reads the whole file and splits it into lines (CR LF, LF or CR). UTF-8,
// with or without a byte order mark; a file that is not valid UTF-8 is read
// as Windows-1252.
Load loadLines(const QString& path, QStringList* lines);

// A result holding no rows and the reset grid's column titles.
CatalogReadResult emptyResult(const CatalogData& headers);

// The reader reached its normal end. A grid whose placeholder row was never
// filled keeps it as one empty bookmark.
void finish(CatalogReadResult& result);

// Line breaks inside a one-line field would tear the file's structure apart;
// they are written as spaces.
QString oneLine(QString text);

// Encodes the text as UTF-8 and replaces the file atomically. On failure the
// previous file stays whole and *errorMessage (if given) is set to `message`.
bool saveText(const QString& path, const QString& text, const QString& message, QString* errorMessage);

} // namespace CatalogFilesCommon
