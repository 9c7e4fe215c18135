#pragma once

#include "core/catalog/BookmarksGridColumns.h"

class CatalogDocument;

// The open catalog as making bookmarks sees it: its document, a new catalog
// when none is open, the grid that shows the new bookmark, the main
// window's bookmark list and the options window's columns.
class BookmarkCatalogView {
public:
    virtual ~BookmarkCatalogView() = default;

    virtual CatalogDocument& catalogDocument() = 0;
    // Starts a new catalog: the window shows, its grid still hidden.
    virtual void startNewCatalog() = 0;
    virtual void showGrid() = 0;
    // The cursor goes to (column, row) and the grid takes the focus.
    virtual void showCell(int column, int row) = 0;
    // The main window's bookmark list follows the rows.
    virtual void rebuildBookmarkList() = 0;
    // The options window's column titles and shown columns.
    virtual BookmarksGridColumns optionColumns() const = 0;
};
