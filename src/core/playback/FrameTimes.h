#pragma once

#include <vector>

// The times at which a clip's frames are shown, for stepping by real frames.
// Clips filmed on phones have a variable frame rate: frames may lie closer
// or further apart than 1/fps, and some are missing. When the times are not
// known, frames lie 1/fps apart from 0 on.
//
// A frame is shown from its time on, and a position between two frames
// shows the later one (as an exact seek lands), so the frame shown at a
// position is the first one at or after it.
class FrameTimes {
public:
    // Frames every 1/fps seconds (30 a second when fps is not positive) up
    // to the clip's duration.
    static FrameTimes nominal(double fps, double duration);
    // Frames at the given times (in any order; duplicates count once).
    static FrameTimes fromTimes(std::vector<double> times);

    bool isEmpty() const { return count() == 0; }
    long long count() const;
    double timeOf(long long index) const;

    // Index of the frame shown at `seconds` (the last frame past the end).
    long long indexAt(double seconds) const;
    // The time of the frame `count` frames from the one shown at `seconds`
    // (earlier when negative; the last frame at most); -1 when that frame
    // would lie before the first.
    double timeFrom(double seconds, int count) const;
    // A seek target that shows the frame at `frameTime`: a little before
    // it, well after the frame before, so that a time read a hair off (a
    // rounded time stamp) still lands on this frame.
    double seekTargetFor(double frameTime) const;

private:
    std::vector<double> m_times; // empty: nominal
    double m_fps = 30.0;
    long long m_nominalCount = 0;
};
