#pragma once

#include <QString>

// The two catalog file formats, told apart by the name's extension: ".tvc"
// the native format, ".csv" the spreadsheet format. Letter case does not
// count: catalogs made where it does not ("SALSA.TVC") open and save like
// any other. The one rule for the start-up argument, the open and save
// dialogs, the readers and the writers.
enum class CatalogFormat { None, Native, Spreadsheet };

CatalogFormat catalogFormatOf(const QString& path);

// The extension of the format in small letters, with its dot; empty for
// None.
QString catalogExtension(CatalogFormat format);
