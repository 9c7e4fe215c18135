#include "core/playback/FrameTimes.h"

#include <algorithm>
#include <cmath>

namespace {
// Times closer than this are the same instant (time stamps converted from
// different time bases differ in their last digits).
constexpr double SameInstant = 0.0005;
} // namespace

FrameTimes FrameTimes::nominal(double fps, double duration)
{
    FrameTimes frames;
    frames.m_fps = fps > 0.0 ? fps : 30.0;
    frames.m_nominalCount = duration > 0.0 ? std::max(1LL, std::llround(std::ceil(duration * frames.m_fps - 1e-6))) : 1;
    return frames;
}

FrameTimes FrameTimes::fromTimes(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    times.erase(std::unique(times.begin(), times.end(), [](double a, double b) { return b - a < SameInstant; }),
                times.end());
    FrameTimes frames;
    frames.m_times = std::move(times);
    return frames;
}

long long FrameTimes::count() const
{
    return m_times.empty() ? m_nominalCount : static_cast<long long>(m_times.size());
}

double FrameTimes::timeOf(long long index) const
{
    return m_times.empty() ? index / m_fps : m_times[static_cast<std::size_t>(index)];
}

long long FrameTimes::indexAt(double seconds) const
{
    const long long last = count() - 1;
    long long index;
    if (m_times.empty())
        index = static_cast<long long>(std::ceil((seconds - SameInstant) * m_fps));
    else
        index = std::lower_bound(m_times.begin(), m_times.end(), seconds - SameInstant) - m_times.begin();
    return std::clamp(index, 0LL, std::max(last, 0LL));
}

double FrameTimes::timeFrom(double seconds, int count) const
{
    if (isEmpty())
        return -1.0;
    const long long target = indexAt(seconds) + count;
    if (target < 0)
        return -1.0;
    return timeOf(std::min(target, this->count() - 1));
}

double FrameTimes::seekTargetFor(double frameTime) const
{
    const long long index = indexAt(frameTime);
    if (index <= 0)
        return std::max(0.0, std::min(frameTime, timeOf(0)));
    const double before = timeOf(index - 1);
    return frameTime - (frameTime - before) / 4;
}
