#pragma once

#include <QList>
#include <QString>

class CatalogDocument;

// The checks on bookmark cells. Each returns the message to show, or an
// empty text when the value passes. Folders end with "/".
namespace BookmarkChecks {

// A value committed in a grid cell: times (columns 7, 8), the file name
// (column 9, against the row's folder) and the folder (column 10) must name
// what exists; and no cell takes what a catalog file could not give back
// the same: a line break in a cell of one line, a comma in the level or
// rating, a double quote in the file name or folder.
QString cellValueMessage(const CatalogDocument& catalog, int column, int row, const QString& text);

// A text typed where a catalog keeps one line (a category, a bookmark's
// name, a column title), with `what` naming it in the message ("name"):
// the message that refuses a line break, or empty.
QString oneLineTextMessage(const QString& text, const QString& what);

// A description typed in the pane, `before` being what the pane held until
// then: the message that refuses a line equal to the native file's block
// separator, which would end the bookmark there when the file is read.
// A description that held one already (read from a spreadsheet file) may
// be edited; only a new one is refused.
QString typedDescriptionMessage(const QString& before, const QString& after);

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
