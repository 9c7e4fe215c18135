#pragma once

#include "core/catalog/BookmarkViews.h"
#include "core/catalog/CatalogFileWatch.h"
#include "core/catalog/CatalogGridController.h"
#include "core/catalog/CatalogLifecycle.h"
#include "core/catalog/CatalogLock.h"
#include "core/catalog/PendingEdits.h"
#include "core/catalog/PlayAllSession.h"
#include "core/catalog/RecoveryStore.h"
#include "core/catalog/RecoveryWriter.h"
#include "core/practice/PracticeTracker.h"

class BookmarkPlayView;
class CatalogDocument;
class CatalogGridView;
class CatalogView;
class CatalogWindowView;
class StoredLoopView;

// The rules behind the catalog window, made together over its views by the
// composition root: what the user typed, the grid, playing bookmarks and
// the catalog as a document, with what keeps it from being lost (its
// recovery file, the lock that tells other programs it is open, the watch
// on its file), all kept in `stateFolder`, and what is kept with its
// bookmarks beside its file.
class CatalogControllers {
public:
    CatalogControllers(CatalogDocument& document, CatalogGridView& grid, CatalogWindowView& window,
                       const QString& stateFolder);

    // The main window, as each controller needs it.
    void setCatalogView(CatalogView* view);
    void setBookmarkPlayView(BookmarkPlayView* view);
    void setStoredLoopView(StoredLoopView* view);

    RecoveryStore recoveries;
    CatalogLock lock;
    CatalogFileWatch watch;
    PendingEdits edits;
    RecoveryWriter recovery;
    CatalogGridController grid;
    PracticeTracker practice;
    PlayAllSession playing;
    CatalogLifecycle lifecycle;
    // The zoom each bookmark plays with, beside the catalog file.
    BookmarkViews views;
};
