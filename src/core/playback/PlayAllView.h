#pragma once

// The catalog's play-all sequence, as the loop logic sees it: whether it
// runs, how to end it, and how to move on to the next bookmark when a loop
// has reached its end.
class PlayAllView {
public:
    // Which bookmark a step goes to, from the grid's cursor.
    enum class Step { Previous = 0, Current = 1, Next = 2 };
    // Who asked for it: the grid itself (a double click or Enter on a row's
    // play cell, which keeps the grid's focus), or a button, a key or the
    // end of a loop elsewhere.
    enum class Asker { Grid, Elsewhere };

    virtual ~PlayAllView() = default;
    virtual bool PlayingAll() const = 0;
    virtual void TurnOffPlayAllBookmarks() = 0;
    virtual void PlayNextLoop(Step step, Asker asker) = 0;
};
