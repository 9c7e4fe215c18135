#pragma once

// The catalog's play-all sequence, as the loop logic sees it: whether it
// runs, how to end it, and how to move on to the next bookmark when a loop
// has reached its end.
class PlayAllView {
public:
    virtual ~PlayAllView() = default;
    virtual bool PlayingAll() const = 0;
    virtual void TurnOffPlayAllBookmarks() = 0;
    // direction: 0 previous, 1 current, 2 next.
    virtual void PlayNextLoop(int direction, bool fromButton) = 0;
};
