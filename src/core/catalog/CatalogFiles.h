#pragma once

#include "core/catalog/CatalogData.h"

#include <QChar>
#include <QString>

// Readers and writers of the two catalog file formats: the native ".tvc"
// format and the spreadsheet ".csv" format. They touch no widget and show
// no message: a reader returns the message to show, a writer returns false
// and sets `errorMessage`. Writers replace the file atomically, so a failed
// or interrupted save leaves the previous file whole.
//
// `headers` gives the four column titles the grid is reset to (those of the
// options window); a file's own titles replace them once read.

CatalogReadResult TVC_ReadCatalogFile(const QString& path, const CatalogData& headers);
bool TVC_WriteCatalogFile(const QString& path, const CatalogData& catalog, QString* errorMessage);

// The spreadsheet reader takes the separator from the file's header line;
// `fallback` stands in for a header that does not show one.
CatalogReadResult CSV_ReadCatalogFile(const QString& path, const CatalogData& headers, QChar fallback = u',');
bool CSV_WriteCatalogFile(const QString& path, const CatalogData& catalog, QString* errorMessage,
                          QChar separator = u',');
