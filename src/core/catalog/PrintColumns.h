#pragma once

#include <QList>
#include <QString>
#include <functional>

// What a print of the catalog shows: its columns and its title.
namespace CatalogPrinting {

struct Column {
    int column; // grid column
    int width;  // screen pixels
};

// Every grid column from "#" to the folder that is shown (wider than 0 on
// screen), at its width on screen; with the description, the description
// too, 200 pixels wide (it is widened for the print only).
QList<Column> printedColumns(const std::function<int(int column)>& widthOnScreen, bool withDescription);

// The catalog file last opened, or the program's words for a catalog that
// has no file.
QString printTitle(const QString& lastOpenedPath);

} // namespace CatalogPrinting
