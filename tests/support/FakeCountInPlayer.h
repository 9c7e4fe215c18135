#pragma once

// A count-in player for core tests: it records what it was asked to sound
// and reports the count's "1" on the test's clock, as late as the test says
// (a count whose loading takes time). Header-only.
#include "ManualClock.h"
#include "core/playback/CountInPlayer.h"

#include <QList>

class FakeCountInPlayer : public CountInPlayer {
public:
    explicit FakeCountInPlayer(ManualClock& clock) : m_clock(clock) {}

    struct Start {
        qint64 at = 0; // the clock's time
        countin::CountInPlan plan;
        countin::CountInSound sound = countin::CountInSound::Off;
        int volume = 0;
    };
    QList<Start> starts;
    QList<countin::CountInPlan> prepared;
    int stops = 0;
    // Whether a sound device is there: without one nothing starts.
    bool heard = true;
    // How long after the count-in's length its "1" is reported (-1: never).
    int lateMs = 0;

    void prepare(const countin::CountInPlan& plan, countin::CountInSound, int) override { prepared << plan; }
    bool start(const countin::CountInPlan& plan, countin::CountInSound sound, int volume,
               std::function<void()> atOne) override
    {
        starts << Start{m_clock.now(), plan, sound, volume};
        if (!heard)
            return false;
        const quint64 number = ++m_started;
        if (lateMs >= 0)
            m_clock.schedule(plan.lengthMs() + lateMs, [this, number, atOne = std::move(atOne)] {
                if (number == m_started && !m_stopped)
                    atOne();
            });
        m_stopped = false;
        return true;
    }
    void stop() override
    {
        ++stops;
        m_stopped = true;
    }

private:
    ManualClock& m_clock;
    quint64 m_started = 0;
    bool m_stopped = false;
};
