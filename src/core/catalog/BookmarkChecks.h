#pragma once

#include <QString>

class CatalogDocument;

// The checks on bookmark cells. Each returns the message to show, or an
// empty text when the value passes. Folders end with "/".
namespace BookmarkChecks {

// A value committed in a grid cell: times (columns 7, 8), the file name
// (column 9, against the row's folder) and the folder (column 10). Other
// columns always pass.
QString cellValueMessage(const CatalogDocument& catalog, int column, int row, const QString& text);

// Whether the bookmark of `row` can be played: its times, folder and file,
// checked in that order.
QString playMessage(const CatalogDocument& catalog, int row);

// The clip a bookmark names: the folder followed by the last path element
// of its file name cell.
QString clipPath(const CatalogDocument& catalog, int row);

} // namespace BookmarkChecks
