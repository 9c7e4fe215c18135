#pragma once

#include <QList>

// From what a beat tracker heard to the beats a dancer counts.
//
// The tracker (aubio's tempo tracker, run by the beat finder in gui/beats/)
// reports a beat now and then, not every one: it starts a second or two into
// the music, skips beats where its prediction wavers, and jitters by a few
// milliseconds around the true beat. An onset detector run over the same
// sound reports where notes and clicks start. fitBeatGrid() turns the two
// into a steady grid:
//  1. runs: consecutive reported beats whose gaps are whole numbers of the
//     tracker's period form a run, each beat numbered by the beats between
//     (a skipped beat counts); a gap that fits no whole number (a tempo
//     change, a stumble) ends the run;
//  2. steadiness: a run counts when it spans at least MinRunBeats beats,
//     the tracker was confident over it, and most of its beats fall on an
//     onset; noise, speech and silence give none;
//  3. the grid: every beat of a run, skipped ones included, is placed by a
//     straight line fitted through the reported beats around it, which
//     evens out the jitter and follows a slowly drifting tempo;
//  4. gaps: two runs at one tempo whose gap is a whole number of beats
//     become one (the tracker lost the beat for a moment);
//  5. edges: a run is carried beyond its first and last reported beat, one
//     period at a time, for as long as an onset confirms each beat (the
//     tracker's first second, the stretch it needs after a tempo change),
//     never into the next run.
namespace beats {

// One beat as the tracker reported it.
struct TrackedBeat {
    double time = 0;       // seconds from the clip's start
    double period = 0;     // the tracker's beat period then, in seconds
    double confidence = 0; // the tracker's confidence then (0 when unsure)
};

struct TrackerOutput {
    QList<TrackedBeat> beats; // in time order
    QList<double> onsets;     // onset times, in order
    double duration = 0;      // of the sound analysed, in seconds
};

// A run must span this many beats to count as a steady beat.
inline constexpr int MinRunBeats = 8;

// The steady beats, in order, in seconds; empty when the sound has none.
QList<double> fitBeatGrid(const TrackerOutput& heard);

} // namespace beats
