#pragma once

#include <QList>
#include <optional>

// The beats of one clip, as a dancer uses them: the beat nearest to a point,
// the beat before or after it, a loop of n beats, and the count ("1" to
// "8") at a moment. Times are seconds from the clip's start. A grid without
// beats answers nothing.
namespace beats {

// The loop lengths the beat loop key offers, in beats.
inline constexpr int BeatLoopCounts[] = {4, 8, 16, 32};
inline constexpr int DefaultBeatLoopCount = 8;
// The count a dancer says: "1" to "8", two bars of four.
inline constexpr int CountCycle = 8;
// A count length that is none of them is taken as the default.
int beatLoopCountOrDefault(int count);

// How the dancer counts the beats the finder found. Music has beats at
// more than one level, and which one a dance counts is the dancer's call
// where the music leaves it open (salsa counted in halves, house with its
// claps on every other beat): as found, twice as fast (a beat halfway
// between each two found), or half as fast (every other one, the count's
// "1" among them).
enum class BeatLevel { AsFound, Twice, Half };
// The level the beat level key goes to next: as found, twice as fast, half
// as fast, and as found again.
BeatLevel nextLevel(BeatLevel level);

// How a clip's beats are counted, kept with them: the level, and the
// position of the first beat counted "1" at that level.
struct BeatCount {
    BeatLevel level = BeatLevel::AsFound;
    int one = 0;
    bool operator==(const BeatCount&) const = default;
};

struct BeatLoop {
    double start = 0; // the first beat
    double end = 0;   // the beat after the last one: the next pass's "1"
};

class BeatGrid {
public:
    BeatGrid() = default;
    // The beats in time order (they are sorted if they are not); `one` is
    // the position of the first beat the count calls "1" (0 to 7, the bar's
    // first beat where the music shows it).
    explicit BeatGrid(QList<double> beats, int one = 0);

    bool isEmpty() const { return m_beats.isEmpty(); }
    int size() const { return int(m_beats.size()); }
    const QList<double>& times() const { return m_beats; }
    // The position of the first beat counted "1"; 0 for an empty grid.
    int one() const { return m_one; }
    // The same beats with the count's "1" `steps` beats later (earlier when
    // negative), within the first eight.
    BeatGrid withOneMoved(int steps) const;
    bool operator==(const BeatGrid&) const = default;

    // The seconds a beat lasts around the given one (the gap to its
    // neighbour); 0 for a grid of fewer than two beats.
    double periodAt(int index) const;

    // Position of the beat nearest to `seconds`; -1 when there is none.
    int nearestIndex(double seconds) const;
    std::optional<double> nearest(double seconds) const;

    // The beat `steps` beats before (negative) or after (positive) the
    // point: the first step goes to the nearest beat strictly on that side,
    // beyond `tolerance` seconds, so a point on a beat moves to its
    // neighbour. None when the grid has no beat that far.
    std::optional<double> stepFrom(double seconds, int steps, double tolerance = 0.002) const;

    // The loop of `count` beats from the beat nearest to `seconds`: it ends
    // on the beat `count` beats later, so every pass restarts on the count's
    // "1". Past the last beat the end is one period on, as long as that is
    // within `duration`. None when the grid is empty or too short.
    std::optional<BeatLoop> countLoop(double seconds, int count, double duration) const;

    // The count shown at `seconds`, 1 to `count`: the beat nearest to
    // `oneAt` is "1", and the number changes on each beat. 0 before the
    // first beat, a period after the last, and for an empty grid.
    int countAt(double seconds, double oneAt, int count) const;

    // The beats as found (in time order) counted at `level`, the "1" on
    // the found beat at position `one`: twice as fast puts a beat halfway
    // between each two that are no more than 1.5 periods apart (not across
    // a stretch left without beats); half as fast keeps every other beat,
    // the "1" among them.
    static BeatGrid atLevel(const QList<double>& found, BeatLevel level, int one = 0);

private:
    QList<double> m_beats;
    int m_one = 0;
};

} // namespace beats
