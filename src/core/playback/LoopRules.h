#pragma once

// When a playing loop has reached its end. The player's range end lies 0.2 s
// past the loop's end time (so that the player's own range stop, which
// rewinds, never acts first); a loop without an end, or with one beyond the
// clip, ends 0.1 s before the clip's end.
inline bool loopEndReached(double position, double selectionEnd, double duration)
{
    if (selectionEnd != -1.0 && selectionEnd <= duration)
        return position >= selectionEnd - 0.2;
    return position >= duration - 0.1;
}

// The player's range end for a loop end time in whole seconds.
inline double selectionEndForEndTime(int endSeconds)
{
    return endSeconds + 0.2;
}

// Where a loop with the given range end ends, -1 when it runs to the clip's
// end (no range end, or one beyond the clip).
inline double loopEndForSelectionEnd(double selectionEnd, double duration)
{
    if (selectionEnd == -1.0 || selectionEnd > duration)
        return -1.0;
    return selectionEnd - 0.2;
}
