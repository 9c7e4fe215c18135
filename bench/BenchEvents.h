#pragma once

// Waiting in the benchmarks without a nested busy loop: the event loop runs
// while they wait, as it would in the program. And the process's CPU time.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <sys/resource.h>

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

} // namespace BenchEvents
