#pragma once

#include "core/catalog/CatalogData.h"

#include <QByteArray>
#include <QChar>
#include <QString>

// The spreadsheet ".csv" format without the file: CSV_ReadCatalogFile and
// CSV_WriteCatalogFile (CatalogFiles.h) go through these. The separator is
// the same for writing and reading; it cannot be a double quote, a blank or
// a line break.

// Reads a file's bytes as CSV_ReadCatalogFile reads an existing file.
CatalogReadResult CSV_ReadCatalogText(const QByteArray& bytes, const CatalogData& headers, QChar separator = u',');

// The whole file's text, as CSV_WriteCatalogFile writes it (as UTF-8).
QString CSV_CatalogText(const CatalogData& catalog, QChar separator = u',');
