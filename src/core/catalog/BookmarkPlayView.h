#pragma once

// What playing bookmarks sees of the main window besides the catalog
// view: its play-all controls and locks, the player's full screen, the
// option that decides what a play click in the grid does, and the pause
// that ends a play-all sequence. The main window implements it.
class BookmarkPlayView {
public:
    virtual ~BookmarkPlayView() = default;

    // Shows the main window's play-all controls and locks what may not be
    // used while all bookmarks play (on), or hides and unlocks them again.
    // "update bookmark" returns only while a catalog is open.
    virtual void showPlayingAll(bool on, bool catalogOpen) = 0;
    // The loop no longer waits to play the next bookmark; the player pauses
    // if it plays.
    virtual void stopPlayAllPlayback() = 0;

    virtual bool playerFullScreen() const = 0;
    virtual void leavePlayerFullScreen() = 0;
    // After a play from the grid: nothing, the video window to the front, or
    // full screen, as the options window says. fromDoubleClick tells a
    // double-click from the Enter key.
    virtual void applyPlayClickBehavior(bool fromDoubleClick) = 0;
};
