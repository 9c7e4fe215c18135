#pragma once

#include <QtGlobal>
#include <optional>

namespace beats {
class BeatGrid;
}

// The count-in of a loop: the four beats before the loop's start, counted
// "5, 6, 7, 8" (a voice) or clicked (the first click accented), so that the
// loop's first frame falls on "1". It takes the place of the repeat gap of a
// continuous loop, and it comes before the first pass too, when the clip's
// beats are known and the count-in is on.
namespace countin {

// What is heard; the values are the setting's positions in its list.
enum class CountInSound { Off = 0, Clicks = 1, Voice = 2 };
inline constexpr int DefaultVolume = 80; // percent

// The counts heard: "5" to "8".
inline constexpr int Counts = 4;
inline constexpr int FirstCount = 5;
// A beat longer than this (slower than 20 beats a minute at the loop's rate)
// gets no count-in: the loop waits its repeat gap.
inline constexpr double LongestBeatSeconds = 3.0;

// One count-in. Times are seconds from the count-in's start, in the time a
// listener hears (the loop's rate applied).
struct CountInPlan {
    double beatSeconds = 0; // one beat at the loop's rate

    // The count-in's length: the loop's first frame comes this long after
    // the first count.
    double lengthSeconds() const { return Counts * beatSeconds; }
    int lengthMs() const { return qRound(lengthSeconds() * 1000); }
    // When count `index` (0 for "5" to 3 for "8") is heard.
    double countAt(int index) const { return index * beatSeconds; }
    bool operator==(const CountInPlan&) const = default;
};

// The count-in before a loop starting at `loopStart` (seconds in the clip)
// played at `rate`: the period of the grid's beats at the loop's start,
// divided by the rate. None when the count-in is off, the grid has fewer
// than two beats, or the rate or the beat makes no count.
std::optional<CountInPlan> planCountIn(CountInSound sound, const beats::BeatGrid& grid, double loopStart, double rate);

} // namespace countin
