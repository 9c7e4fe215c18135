#pragma once

// Waiting in the benchmarks without a nested busy loop: the event loop runs
// while they wait, as it would in the program. And the process's CPU time.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QObject>
#include <QTimer>
#include <algorithm>
#include <sys/resource.h>
#include <vector>

namespace BenchEvents {

// Runs the event loop until done() or the timeout; false on timeout. A
// 1 ms timer wakes the loop, so waiting costs no CPU worth counting.
template <typename F> bool spinUntil(F done, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    QTimer wake;
    wake.start(1);
    while (!done()) {
        if (clock.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

inline void waitMs(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// User and system time of every thread of the process, in seconds.
inline double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// A 1 ms timer armed again each time it fires, on the interface thread: how
// late it fires is how long any request to that thread (a key, a paint, a
// screen reader's question) waits.
class LatencyProbe : public QObject {
public:
    std::vector<double> lateMs;
    double longestGapMs = 0;

    void start()
    {
        lateMs.clear();
        longestGapMs = 0;
        m_running = true;
        m_sinceFire.start();
        arm();
    }
    void stop() { m_running = false; }

private:
    void arm()
    {
        m_armed.start();
        QTimer::singleShot(1, Qt::PreciseTimer, this, [this] {
            if (!m_running)
                return;
            lateMs.push_back(m_armed.nsecsElapsed() / 1e6 - 1.0);
            longestGapMs = std::max(longestGapMs, m_sinceFire.nsecsElapsed() / 1e6);
            m_sinceFire.start();
            arm();
        });
    }

    bool m_running = false;
    QElapsedTimer m_armed;
    QElapsedTimer m_sinceFire;
};

} // namespace BenchEvents
