#pragma once

#include "core/beats/BeatGrid.h"

#include <QtGlobal>
#include <optional>

// Moving a loop's start or end a little: the nudge keys. Times are whole
// milliseconds from the clip's start.
//
//  - a nudge moves to the next frame earlier or later (the frames of the
//    clip's frame rate, k / fps, to the nearest millisecond); with Shift it
//    moves by a tenth of a second;
//  - with snap to beat on and beats known, a nudge moves to the previous or
//    next beat instead, and with Shift by a whole count (8 beats, or the
//    count the beat loop uses);
//  - the start stays at or after the clip's start and at least a frame
//    before the end; the end stays at least a frame after the start and at
//    or before the clip's end. A loop without an end time ends at the
//    clip's end, and its end moves from there. A nudge that cannot move
//    (already at the limit, no beat further on, an end typed before its
//    start) leaves the time as it is.
namespace beats {

enum class LoopPoint { Start, End };

struct NudgeContext {
    qint64 startMs = 0;
    std::optional<qint64> endMs; // none: to the clip's end
    qint64 durationMs = 0;
    double framesPerSecond = 0;         // unknown (0) counts as 30
    const BeatGrid* snapGrid = nullptr; // snap to these beats when not empty
    int countLength = DefaultBeatLoopCount;
};

inline constexpr int CoarseNudgeMs = 100;

enum class NudgeWay { Earlier, Later };
// A frame (on the beats: one beat), or a tenth of a second (on the beats: a
// count).
enum class NudgeStep { Fine, Coarse };

// The time the loop point moves to, or none when it stays where it is.
std::optional<qint64> nudgedLoopPoint(const NudgeContext& loop, LoopPoint point, NudgeWay way, NudgeStep step);

// One frame at the given rate, in ms rounded up (30 fps when unknown).
qint64 frameMs(double framesPerSecond);

} // namespace beats
