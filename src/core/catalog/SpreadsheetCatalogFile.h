#pragma once

#include "core/catalog/CatalogData.h"

#include <QByteArray>
#include <QChar>
#include <QLocale>
#include <QString>
#include <QStringView>

// The spreadsheet ".csv" format without the file: CSV_ReadCatalogFile and
// CSV_WriteCatalogFile (CatalogFiles.h) go through these. A separator cannot
// be a double quote, a blank or a line break.

// The separator a spreadsheet program expects in this locale: ";" where
// numbers are written with a decimal comma (a comma there is part of a
// number), else ",".
QChar spreadsheetSeparatorFor(const QLocale& locale);

// The separator of a file, as its header line shows it: the character that
// joins the fixed titles "Start Time", "End Time", "Filename", "Folder" and
// "Description" (each perhaps in double quotes). `fallback` when the header
// does not hold two of them side by side.
QChar spreadsheetSeparatorOfHeader(QStringView header, QChar fallback);

// Reads a file's bytes as CSV_ReadCatalogFile reads an existing file. The
// separator is the header's; `fallback` stands in for a header that does
// not show one.
CatalogReadResult CSV_ReadCatalogText(const QByteArray& bytes, const CatalogData& headers, QChar fallback = u',');

// The whole file's text, as CSV_WriteCatalogFile writes it (as UTF-8).
QString CSV_CatalogText(const CatalogData& catalog, QChar separator = u',');
