#include "core/playback/LoopFrameStore.h"

#include <algorithm>
#include <cmath>

namespace {
// A loop's frames at `fps` from start to end, both ends' frames counted.
qint64 framesIn(double start, double end, double fps)
{
    const double rate = fps > 0.0 ? fps : 30.0;
    return qint64(std::ceil((end - start) * rate - 1e-6)) + 1;
}
} // namespace

qint64 LoopFrameStore::frameBytes(QSize drawn)
{
    return drawn.isEmpty() ? 0 : qint64(drawn.width()) * drawn.height() * 4;
}

qint64 LoopFrameStore::bytesFor(double start, double end, double fps, QSize drawn)
{
    if (!(end > start))
        return 0;
    return framesIn(start, end, fps) * frameBytes(drawn);
}

void LoopFrameStore::setBudget(qint64 bytes)
{
    bytes = std::max<qint64>(0, bytes);
    if (bytes == m_budget)
        return;
    m_budget = bytes;
    const double start = m_start, end = m_end, fps = m_fps;
    const QSize drawn = m_drawn;
    const qint64 perFrame = frameBytes(drawn);
    const qint64 wanted = perFrame > 0 && end > start ? std::min(framesIn(start, end, fps), m_budget / perFrame) : 0;
    if (wanted != slotCount()) {
        clear();
        setLoop(start, end, fps, drawn);
    }
}

bool LoopFrameStore::setLoop(double start, double end, double fps, QSize drawn)
{
    if (start == m_start && end == m_end && fps == m_fps && drawn == m_drawn)
        return false;
    clear();
    m_start = start;
    m_end = end;
    m_fps = fps;
    m_drawn = drawn;
    const qint64 perFrame = frameBytes(drawn);
    if (perFrame > 0 && end > start)
        m_slots.resize(std::size_t(std::min(framesIn(start, end, fps), m_budget / perFrame)));
    return true;
}

void LoopFrameStore::clear()
{
    m_start = 0.0;
    m_end = -1.0;
    m_fps = 0.0;
    m_drawn = QSize();
    m_slots.clear();
    m_byTime.clear();
    m_stores = 0;
}

bool LoopFrameStore::covers(double time) const
{
    return isActive() && time >= m_start - SameFrame && time <= m_end + SameFrame;
}

std::map<double, int>::const_iterator LoopFrameStore::find(double time) const
{
    auto at = m_byTime.lower_bound(time - SameFrame);
    return at != m_byTime.end() && at->first <= time + SameFrame ? at : m_byTime.end();
}

int LoopFrameStore::store(double time, int spared)
{
    if (!covers(time))
        return -1;
    int slot = -1;
    if (const auto kept = find(time); kept != m_byTime.end()) {
        slot = kept->second;
    } else {
        const int usable = m_ready < 0 ? slotCount() : std::min(m_ready, slotCount());
        for (int i = 0; i < usable; ++i) {
            if (i == spared)
                continue;
            if (!m_slots[i].time) {
                slot = i;
                break;
            }
            if (slot < 0 || m_slots[i].storedAt < m_slots[slot].storedAt)
                slot = i;
        }
        if (slot < 0)
            return -1;
        if (const auto& old = m_slots[slot].time)
            m_byTime.erase(*old);
        m_slots[slot].time = time;
        m_byTime.emplace(time, slot);
    }
    m_slots[slot].storedAt = ++m_stores;
    return slot;
}

int LoopFrameStore::slotOf(double time) const
{
    const auto kept = find(time);
    return kept == m_byTime.end() ? -1 : kept->second;
}

std::optional<double> LoopFrameStore::nearest(double time) const
{
    if (m_byTime.empty())
        return std::nullopt;
    auto after = m_byTime.lower_bound(time);
    if (after == m_byTime.end())
        return std::prev(after)->first;
    if (after == m_byTime.begin())
        return after->first;
    const auto before = std::prev(after);
    return time - before->first <= after->first - time ? before->first : after->first;
}

std::optional<double> LoopFrameStore::next(double time) const
{
    const auto after = m_byTime.upper_bound(time + SameFrame);
    return after == m_byTime.end() ? std::nullopt : std::optional<double>(after->first);
}

std::optional<double> LoopFrameStore::previous(double time) const
{
    auto before = m_byTime.lower_bound(time - SameFrame);
    if (before == m_byTime.begin())
        return std::nullopt;
    return std::prev(before)->first;
}
