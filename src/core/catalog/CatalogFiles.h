#pragma once

#include "core/base/CatalogFormat.h"
#include "core/base/FileStamp.h"
#include "core/catalog/CatalogData.h"

#include <QByteArray>
#include <QChar>
#include <QString>

// Readers and writers of the two catalog file formats: the native ".tvc"
// format and the spreadsheet ".csv" format. They touch no widget and show
// no message: a reader returns the message to show, a writer returns false
// and sets `errorMessage`. Writers replace the file atomically, so a failed
// or interrupted save leaves the previous file whole. A writer refuses a
// catalog holding a value its reader would not give back the same, saying
// which bookmark holds it.
//
// `headers` gives the four column titles the grid is reset to (those of the
// options window); a file's own titles replace them once read.

// No catalog is this large: a bigger file is refused before it is read.
inline constexpr qint64 kMaxCatalogFileBytes = 64 * 1024 * 1024;

// A catalog file loaded whole, before anything of the open catalog is
// touched.
struct CatalogFile {
    QString path;
    CatalogFormat format = CatalogFormat::None;
    CatalogFileAccess access = CatalogFileAccess::Read;
    QByteArray bytes;
    // The file as it stood before it was read: a change made while it is
    // read counts as one made after.
    FileStamp stamp;
    // Why the file was refused, as the user is told.
    QString refusal;
};

// Loads the file at `path`. Refused, with the reason: a name neither
// reader takes; a folder, a named pipe, a device or anything else that is
// not a plain file (looked at before it is opened, and opened so that a pipe
// put in its place meanwhile cannot hang the program); a file larger than
// kMaxCatalogFileBytes; a file that cannot be opened or read, with the
// system's reason; a file on a folder that does not answer in time
// (FileProbe.h).
CatalogFile loadCatalogFile(const QString& path);

// Reads a loaded file with the reader of its format. A refused file gives
// a result with nothing read and the refusal as its message.
CatalogReadResult readCatalogFile(const CatalogFile& file, const CatalogData& headers, QChar fallback = u',');

CatalogReadResult TVC_ReadCatalogFile(const QString& path, const CatalogData& headers);
bool TVC_WriteCatalogFile(const QString& path, const CatalogData& catalog, QString* errorMessage);

// The spreadsheet reader takes the separator from the file's header line;
// `fallback` stands in for a header that does not show one.
CatalogReadResult CSV_ReadCatalogFile(const QString& path, const CatalogData& headers, QChar fallback = u',');
bool CSV_WriteCatalogFile(const QString& path, const CatalogData& catalog, QString* errorMessage,
                          QChar separator = u',');
