#pragma once

#include <QString>

// What the loop needs from the window that holds its controls: the texts of
// the start and end time boxes (six digits, empty for no time), the marks of
// the loop indicator, the loop-mode button and the play button, and the marks
// of a playing bookmark.
class LoopView {
public:
    virtual ~LoopView() = default;

    virtual QString startTimeDigits() const = 0;
    virtual QString endTimeDigits() const = 0;
    virtual void setStartTimeDigits(const QString& digits) = 0;
    virtual void setEndTimeDigits(const QString& digits) = 0;

    // The loop indicator: "play loop" marked (true) or "play full video".
    virtual void showLoopIndicator(bool loop) = 0;
    // The loop-mode button: "loop continuously" (true) or "loop once".
    virtual void showLoopMode(bool continuously) = 0;
    // The loop-mode button in the speed ladder's mode: "speed ladder" at
    // rest, the step while it runs ("ladder 2/3 at 0.75").
    virtual void showLadder(const QString& caption) = 0;
    // The play button: "pause (space)" while playing, "play (space)" else.
    virtual void showPlaying(bool playing) = 0;
    // Removes the marks of the bookmark that plays: the bookmark list's
    // selection, the running description and the catalog's playing row.
    virtual void clearPlayingBookmark() = 0;
};
