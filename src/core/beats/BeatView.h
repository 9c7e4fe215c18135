#pragma once

#include "core/beats/BeatGrid.h"

#include <QList>
#include <QString>

// Where beats are found and shown. BeatLoopControls asks a BeatSource for
// the beats of a clip (the aubio finder on a worker thread in the program, a
// script in tests) and shows them through a BeatView (ticks on the progress
// line, the count over the picture).
class BeatSource {
public:
    virtual ~BeatSource() = default;
    // Starts finding the beats of a clip; the answer comes back later,
    // through BeatLoopControls::beatsFound(). Calls off an earlier search.
    virtual void find(const QString& clipPath) = 0;
    virtual void cancel() = 0;
    // Keeps, with the beats found in the clip, how they are counted now:
    // the level and the position of the first beat counted "1".
    virtual void keepCount(const QString& clipPath, beats::BeatCount count) = 0;
};

class BeatView {
public:
    virtual ~BeatView() = default;
    // Small ticks on the progress line at the beats (none: no ticks), a
    // longer one on each "1" of the count, the first at position `one`.
    virtual void showBeatTicks(const QList<double>& beats, int one) = 0;
    // The count over the picture, 1 to 8; 0 hides it.
    virtual void showBeatCount(int count) = 0;
};
