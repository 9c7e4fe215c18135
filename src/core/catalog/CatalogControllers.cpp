#include "core/catalog/CatalogControllers.h"

CatalogControllers::CatalogControllers(CatalogDocument& document, CatalogGridView& gridView, CatalogWindowView& window)
    : edits(document, gridView, window), grid(document, gridView, window, edits),
      playing(document, grid, gridView, window, edits), lifecycle(document, grid, gridView, window, edits, playing)
{
    grid.setPlaying(&playing);
}

void CatalogControllers::setCatalogView(CatalogHost* view)
{
    edits.setCatalogView(view);
    grid.setCatalogView(view);
    playing.setCatalogView(view);
    lifecycle.setCatalogView(view);
}

void CatalogControllers::setBookmarkPlayView(BookmarkPlayHost* view)
{
    playing.setBookmarkPlayView(view);
}

void CatalogControllers::setStoredLoopView(LoopPlayer* view)
{
    playing.setStoredLoopView(view);
}
