#pragma once

#include <QtGlobal>
#include <functional>
#include <map>

// Single-shot timers on a clock that moves only when a test says so. Each
// timer fires when the clock passes its due time, with the clock reading
// exactly that time.
class ManualClock {
public:
    qint64 now() const { return m_now; }

    void schedule(int ms, std::function<void()> done) { m_timers.emplace(m_now + ms, std::move(done)); }
    int pending() const { return int(m_timers.size()); }

    void advance(int ms)
    {
        const qint64 target = m_now + ms;
        while (!m_timers.empty() && m_timers.begin()->first <= target) {
            auto first = m_timers.begin();
            m_now = first->first;
            std::function<void()> done = std::move(first->second);
            m_timers.erase(first);
            done();
        }
        m_now = target;
    }

private:
    qint64 m_now = 0;
    std::multimap<qint64, std::function<void()>> m_timers;
};
