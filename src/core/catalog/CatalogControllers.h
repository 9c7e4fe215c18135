#pragma once

#include "core/catalog/CatalogGridController.h"
#include "core/catalog/CatalogLifecycle.h"
#include "core/catalog/PendingEdits.h"
#include "core/catalog/PlayAllSession.h"

class BookmarkPlayView;
class CatalogDocument;
class CatalogGridView;
class CatalogView;
class CatalogWindowView;
class StoredLoopView;

// The rules behind the catalog window, made together over its views by the
// composition root: what the user typed, the grid, playing bookmarks and
// the catalog as a document.
class CatalogControllers {
public:
    CatalogControllers(CatalogDocument& document, CatalogGridView& grid, CatalogWindowView& window);

    // The main window, as each controller needs it.
    void setCatalogView(CatalogView* view);
    void setBookmarkPlayView(BookmarkPlayView* view);
    void setStoredLoopView(StoredLoopView* view);

    PendingEdits edits;
    CatalogGridController grid;
    PlayAllSession playing;
    CatalogLifecycle lifecycle;
};
