#pragma once

#include "core/beats/OnsetStrength.h"

#include <QList>
#include <atomic>

// From what the finder heard (core/beats/OnsetStrength.h) to the beats a
// dancer counts and the count's "1".
//  1. the tempo moment by moment: the tempogram's path (core/beats/
//     Tempogram.h), which picks the beat's level (not half, double or two
//     thirds of it) with Ellis' tempo preference and metre test;
//  2. the beats: dynamic programming over the onset strength (Ellis 2007,
//     "Beat Tracking by Dynamic Programming", J. New Music Research 36(1)):
//     the best sequence of beats that lie on strong onsets and keep to the
//     local period, each gap costing its squared log ratio to the period
//     times the tightness α. The beat's phase (on the beat, not between)
//     is the one that best fits the onsets over the whole stretch, and the
//     beats go on through a quiet bar or a break, where the tempo carries
//     them;
//  3. steadiness: where the music does not repeat at its beat (speech,
//     free tempo, silence) the tempogram's clarity is low and no beat is
//     kept there. A steady stretch needs the clarity over its span (the
//     path's steadiness, core/beats/Tempogram.h) to reach MinClarity, and
//     lasts while each window's own clarity stays at KeepClarity or more:
//     two limits, as in Canny's (1986) hysteresis, so that a stretch is
//     entered only on clear evidence and a teacher's phrase over the music
//     does not cut it short. A stretch shorter than MinSteadyBeats is
//     dropped; between two stretches the count goes on in step with the
//     time that passed;
//  4. the "1": the bar's first beat, see core/beats/Downbeats.h.
namespace beats {

struct BeatAnalysis {
    QList<double> beats; // seconds, ascending; none: no steady beat
    int one = 0;         // the index of the first beat counted "1"
    int beatsPerBar = 4;
    double tempo = 0; // beats a minute, the median over the beats
};

// A steady stretch must run this many beats to count.
inline constexpr int MinSteadyBeats = 8;
// The tempogram's clarity (core/beats/Tempogram.h) a steady stretch must
// reach, and the clarity it lasts down to (our choice: half of it).
inline constexpr double MinClarity = 0.2;
inline constexpr double KeepClarity = MinClarity / 2;

// The beats of the sound; none when `cancel` turns true.
BeatAnalysis analyseBeats(const SoundFeatures& heard, const std::atomic<bool>& cancel);

} // namespace beats
