#pragma once

#include "core/playback/CountIn.h"

#include <functional>

// Sounds a loop's count-in beside the clip, without touching the clip's
// player (the program's: a libmpv handle of its own; tests: a recorder).
class CountInPlayer {
public:
    virtual ~CountInPlayer() = default;
    // Makes the count-in ready to start at once (loaded, paused), so that
    // start() with the same plan wastes no time loading.
    virtual void prepare(const countin::CountInPlan& plan, countin::CountInSound sound, int volume) = 0;
    // Starts sounding the count-in; `atOne` is called once, when the count's
    // own playback clock reaches the loop's "1" (the plan's length after the
    // first count). False when nothing can be heard (no sound device): then
    // `atOne` is never called.
    virtual bool start(const countin::CountInPlan& plan, countin::CountInSound sound, int volume,
                       std::function<void()> atOne) = 0;
    // Silences a count-in that sounds; `atOne` is not called then.
    virtual void stop() = 0;
};
