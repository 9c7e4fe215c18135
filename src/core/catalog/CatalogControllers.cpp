#include "core/catalog/CatalogControllers.h"

CatalogControllers::CatalogControllers(CatalogDocument& document, CatalogGridView& gridView, CatalogWindowView& window,
                                       const QString& stateFolder)
    : recoveries(stateFolder), lock(stateFolder), edits(document, gridView, window),
      recovery(document, gridView, window, recoveries), grid(document, gridView, window, edits), practice(document),
      playing(document, grid, gridView, window, edits),
      lifecycle(document, grid, gridView, window, edits, playing, {recoveries, recovery, lock, watch}), views(document)
{
    grid.setPlaying(&playing);
    playing.setBookmarkViews(&views);
    lifecycle.addCompanion(&views);
    playing.setPracticeTracker(&practice);
}

void CatalogControllers::setCatalogView(CatalogView* view)
{
    edits.setCatalogView(view);
    grid.setCatalogView(view);
    playing.setCatalogView(view);
    lifecycle.setCatalogView(view);
}

void CatalogControllers::setBookmarkPlayView(BookmarkPlayView* view)
{
    playing.setBookmarkPlayView(view);
}

void CatalogControllers::setStoredLoopView(StoredLoopView* view)
{
    playing.setStoredLoopView(view);
}
