#pragma once

#include "core/catalog/PrintColumns.h"

#include <QList>
#include <QString>

class CatalogDocument;
class QPrinter;

// Prints catalog rows as a table: the header row on every page, the time at
// the top left, the date (yyyy/mm/dd) at the top right, the title at the
// bottom left and "page/pages" at the bottom right.
namespace CatalogPrinting {

// Returns the number of pages printed.
int print(QPrinter& printer, const CatalogDocument& catalog, const QList<Column>& columns, const QString& title);

} // namespace CatalogPrinting
