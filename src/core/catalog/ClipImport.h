#pragma once

#include <QList>
#include <QStringList>
#include <QUrl>

class CatalogDocument;

// Turning clip files into bookmarks of the whole clip, from "00:00:00" to no
// end time, each named after its file.
namespace ClipImport {

// The paths in the order they are imported: ascending, ignoring letter case.
QStringList importOrder(QStringList paths);
// A bookmark's name for a file: its name without the last four characters
// (a dot and a three-letter extension).
QString bookmarkName(const QString& path);
// Appends one bookmark per path, in import order (the blank first row of a
// new catalog takes the first), and marks the catalog modified. Returns the
// names added, in order.
QStringList appendBookmarks(CatalogDocument& document, const QStringList& paths);

// Clips dropped on the catalog window are taken while a catalog is shown,
// and not while all its bookmarks play.
bool takesDrops(const CatalogDocument& document);
// The local files among dropped addresses.
QStringList droppedFiles(const QList<QUrl>& urls);

} // namespace ClipImport
