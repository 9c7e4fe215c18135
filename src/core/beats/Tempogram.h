#pragma once

#include <atomic>
#include <vector>

// The tempo of a piece of music moment by moment, from its onset strength
// (core/beats/OnsetStrength.h).
//
// The onset strength is cut into windows of WindowSeconds, one every
// HopSeconds; in each, its autocorrelation shows how strongly the music
// repeats after each lag: an autocorrelation tempogram (Grosche, Müller &
// Kurth 2010, "Cyclic tempogram - a mid-level tempo representation for
// music signals", ICASSP). Which lag is the beat follows Ellis (2007),
// "Beat Tracking by Dynamic Programming", J. New Music Research 36(1),
// section 3.2:
//  - the autocorrelation is weighted by a log-Gaussian tempo preference
//    centred on 120 beats a minute, 1.4 octaves wide (the paper's values),
//    and its peak is the beat (the paper's tempo period strength, TPS);
//  - duple and triple metres are told apart by adding to the beat's lag
//    the weighted autocorrelation at twice (TPS2) and three times (TPS3)
//    the lag: the larger of the two gives the metre.
// The beat's lag window by window is then the best path through the
// windows (Viterbi), each step paying for a change of tempo in proportion
// to its size in octaves, as in the tempo tracking of Klapuri, Eronen &
// Astola (2006), "Analysis of the meter of acoustic musical signals", IEEE
// TASLP 14(1): a tempo change is followed, a moment's doubt is not.
//
// How steady the music is there (the path's steadiness) is the
// autocorrelation at the path's period over its value at lag 0 (its
// clarity), averaged over the windows of the SteadySpanSeconds around,
// each window taken at the same period. Music repeats at its beat for the
// whole span, also under a teacher's voice, which lowers each window's
// figure but not its place; a voice alone repeats now at one lag, now at
// another, and its average at any one lag stays low.
namespace beats {

enum class Metre { Duple, Triple };

struct TempoPath {
    double frameRate = 0;
    // The beat's period in frames at each frame of the onset strength.
    std::vector<double> period;
    // How clearly the music repeats at that period, 0 to 1, per frame: the
    // window's autocorrelation at the period over its value at lag 0.
    std::vector<double> clarity;
    // The same averaged over the windows of the SteadySpanSeconds around,
    // each at this period.
    std::vector<double> steadiness;
    Metre metre = Metre::Duple;
};

inline constexpr double WindowSeconds = 6.0; // Grosche & Müller's tempogram window
inline constexpr double HopSeconds = 1.0;
// The span a beat must hold for to count as steady: our choice, four
// windows' length, which halves the spread of a window's autocorrelation
// over sound that does not repeat.
inline constexpr double SteadySpanSeconds = 24.0;
// The beats a minute a beat may have.
inline constexpr double SlowestBeat = 60.0;
inline constexpr double FastestBeat = 240.0;

// The tempo path of an onset strength sampled `frameRate` times a second;
// empty when it is shorter than a window or `cancel` turned true.
TempoPath tempoPath(const std::vector<float>& onset, double frameRate, const std::atomic<bool>& cancel);

} // namespace beats
