#include "core/playback/PlaybackEngine.h"

#include "core/playback/FrameTimes.h"

double PlaybackEngine::frameTimeFrom(double seconds, int count) const
{
    if (!isOpen())
        return -1.0;
    return FrameTimes::nominal(framesPerSecond(), duration()).timeFrom(seconds, count);
}

void PlaybackEngine::stepFrames(double from, int count)
{
    const double time = frameTimeFrom(from, count);
    if (time >= 0.0)
        seek(time);
}
