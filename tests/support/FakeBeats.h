#pragma once

// Where the beat loop controls find and show beats, as plain values, and a
// steady beat to give them. Header-only.
#include "core/beats/BeatView.h"

#include <QList>
#include <QStringList>

// Records the clips asked for; the test hands the beats over itself.
class FakeBeatSource : public BeatSource {
public:
    QStringList asked;
    int cancelled = 0;
    void find(const QString& clip) override { asked << clip; }
    void cancel() override { ++cancelled; }
    QList<int> kept;                // every "1" kept, in order
    QList<beats::BeatLevel> levels; // and the level kept with it
    void keepCount(const QString&, beats::BeatCount count) override
    {
        kept << count.one;
        levels << count.level;
    }
};

class FakeBeatView : public BeatView {
public:
    QList<double> ticks;
    int one = 0;
    int count = 0;
    QList<int> counts; // every count shown, in order
    void showBeatTicks(const QList<double>& beats, int first) override
    {
        ticks = beats;
        one = first;
    }
    void showBeatCount(int c) override
    {
        count = c;
        counts << c;
    }
};

// 120 beats a minute from 0.25 s to `duration`.
inline QList<double> steadyBeats(double duration)
{
    QList<double> beats;
    for (double t = 0.25; t < duration; t += 0.5)
        beats << t;
    return beats;
}
