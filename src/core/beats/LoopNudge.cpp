#include "core/beats/LoopNudge.h"

#include <algorithm>
#include <cmath>

namespace beats {

namespace {

double rateOrDefault(double framesPerSecond)
{
    return framesPerSecond > 0 && std::isfinite(framesPerSecond) ? framesPerSecond : 30.0;
}

// The frame next to `ms` in the direction: a time within half a millisecond
// of a frame's time counts as on that frame.
qint64 nextFrame(qint64 ms, int direction, double fps)
{
    const double frame = ms / 1000.0 * fps;
    const double nearest = std::round(frame);
    double target = 0;
    if (std::abs(frame - nearest) * 1000.0 / fps <= 0.5 + 1e-9)
        target = nearest + direction;
    else
        target = direction > 0 ? std::ceil(frame) : std::floor(frame);
    return qint64(std::llround(target * 1000.0 / fps));
}

} // namespace

qint64 frameMs(double framesPerSecond)
{
    return qint64(std::ceil(1000.0 / rateOrDefault(framesPerSecond)));
}

std::optional<qint64> nudgedLoopPoint(const NudgeContext& loop, LoopPoint point, NudgeWay way, NudgeStep step)
{
    if (loop.durationMs <= 0)
        return std::nullopt;
    const int direction = way == NudgeWay::Later ? 1 : -1;
    const bool coarse = step == NudgeStep::Coarse;
    const double fps = rateOrDefault(loop.framesPerSecond);
    const qint64 gap = frameMs(fps);
    const qint64 end = loop.endMs.value_or(loop.durationMs);
    const qint64 from = point == LoopPoint::Start ? loop.startMs : end;
    const qint64 lowest = point == LoopPoint::Start ? 0 : loop.startMs + gap;
    const qint64 highest = point == LoopPoint::Start ? end - gap : loop.durationMs;
    // An end before its start (as typed) is left for the user to mend.
    if (lowest > highest || from < lowest || from > highest)
        return std::nullopt;

    const bool snap = loop.snapGrid && !loop.snapGrid->isEmpty();
    qint64 to = from;
    if (snap) {
        const int steps = direction * (coarse ? std::max(1, loop.countLength) : 1);
        const auto beat = loop.snapGrid->stepFrom(from / 1000.0, steps, 0.0005);
        if (!beat)
            return std::nullopt;
        to = qint64(std::llround(*beat * 1000.0));
        // A beat beyond the limits is no place to land on.
        if (to < lowest || to > highest)
            return std::nullopt;
    } else {
        to = coarse ? from + direction * CoarseNudgeMs : nextFrame(from, direction, fps);
        to = std::clamp(to, lowest, highest);
    }
    if ((to - from) * direction <= 0)
        return std::nullopt;
    return to;
}

} // namespace beats
