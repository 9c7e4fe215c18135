#pragma once

#include <QList>
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

// A catalog file cannot hold a clip whose file name or folder has a double
// quote. The warning when such bookmarks are made (rows given) or imported;
// empty when none of them has one.
QString unstorableClipWarning(const CatalogDocument& catalog, const QList<int>& rows);
// Why the catalog cannot be saved: the first bookmark with such a clip,
// named by its "#" number; empty when every clip can be stored.
QString unstorableClipMessage(const CatalogDocument& catalog);

} // namespace BookmarkChecks
