#pragma once

#include "core/playback/PlayAllView.h"

class BookmarkPlayView;
class BookmarkViews;
class CatalogDocument;
class CatalogGridController;
class CatalogGridView;
class CatalogView;
class CatalogWindowView;
class StoredLoopView;
class PendingEdits;
class PracticeTracker;
class QObject;

// Playing the catalog's bookmarks: one chosen in the grid or in the main
// window's bookmark list, the previous, current or next one, and all of
// them in sequence. A bookmark plays by handing its times and clip to the
// main window's loop, after the checks of its cells.
//
// Play all is a small state machine: off -> on by togglePlayAll (the grid's
// cursor is remembered, the windows lock what may not be used meanwhile);
// on, each loop's end asks PlayNextLoop for the next row; on -> off by
// togglePlayAll again, the main window's stop button, open or close of a
// catalog, the end of the last row, or a loop the main window refuses. The
// cursor then goes back where play all found it.
class PlayAllSession : public PlayAllView {
public:
    PlayAllSession(CatalogDocument& document, CatalogGridController& gridRules, CatalogGridView& grid,
                   CatalogWindowView& window, PendingEdits& edits);

    // The main window: bookmark list, running description, the open clip.
    void setCatalogView(CatalogView* view) { m_main = view; }
    // The main window's play-all controls, full screen and play option.
    void setBookmarkPlayView(BookmarkPlayView* view) { m_playView = view; }
    // Opens clips and plays loops.
    void setStoredLoopView(StoredLoopView* view) { m_player = view; }
    // What is kept with the bookmarks beside the catalog (the zoom each
    // plays with); none: the picture stays as it is.
    void setBookmarkViews(const BookmarkViews* views) { m_views = views; }
    // Counts the passes of the bookmarks that play.
    void setPracticeTracker(PracticeTracker* practice) { m_practice = practice; }

    bool PlayingAll() const override;
    // Stops a running sequence and undoes its locks; the cursor goes back
    // where play all found it.
    void TurnOffPlayAllBookmarks() override;
    // Steps to the previous, current or next bookmark and plays it.
    void PlayNextLoop(Step step, Asker asker) override;
    // Play all: on, or off when it runs.
    void togglePlayAll();
    // The previous, current and next buttons and keys.
    void playPreviousBookmark();
    void playCurrentBookmark();
    void playNextBookmark();

    // How the play cell was chosen: a double click or Enter on it (a step
    // lands on it as a double click would).
    enum class Gesture { DoubleClick, Enter };
    // The "Play" cell of the selected row was chosen.
    void playFromGrid(Asker asker, Gesture gesture);
    // Checks the bookmark of `row` and plays it.
    void playSelectedBookmarkButtonClick(int row);
    // The main window's bookmark list chose item `item` (row item + 1).
    void playLoopListItem(int item);

private:
    void showPlayingAll(bool on);

    CatalogDocument& m_document;
    CatalogGridController& m_gridRules;
    CatalogGridView& m_grid;
    CatalogWindowView& m_window;
    PendingEdits& m_edits;
    CatalogView* m_main = nullptr;
    BookmarkPlayView* m_playView = nullptr;
    StoredLoopView* m_player = nullptr;
    const BookmarkViews* m_views = nullptr;
    PracticeTracker* m_practice = nullptr;
};
