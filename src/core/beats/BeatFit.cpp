#include "core/beats/BeatFit.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace beats {

namespace {

// A gap counts as k beats when it is within this share of k periods.
constexpr double GapTolerance = 0.08;
// Gaps longer than this many beats end a run: too long to bridge safely.
constexpr int MaxSkippedBeats = 4;
// A run counts only when the tracker was this confident somewhere in it.
constexpr double MinConfidence = 1.2;
// ... and this share of its beats fall on an onset.
constexpr double MinOnsetShare = 0.6;
// Two runs within this share of each other's period have one tempo.
constexpr double SameTempo = 0.03;
// The reported beats a grid beat is placed by.
constexpr int FitNeighbours = 8;
// A reported beat is heard when an onset lies this close to it (the
// tracker's own jitter is about 15 ms).
constexpr double HeardTolerance = 0.03;

struct Run {
    std::vector<int> index; // beat numbers, a skipped beat counted
    std::vector<double> time;
    std::vector<bool> heard; // an onset lies on the reported beat
    std::vector<double> confidence;

    double maxConfidence() const { return *std::max_element(confidence.begin(), confidence.end()); }
    void add(int beatIndex, double t, bool onOnset, double beatConfidence)
    {
        index.push_back(beatIndex);
        time.push_back(t);
        heard.push_back(onOnset);
        confidence.push_back(beatConfidence);
    }
    void dropLast()
    {
        index.pop_back();
        time.pop_back();
        heard.pop_back();
        confidence.pop_back();
    }

    int span() const { return index.back() - index.front() + 1; }
    // Seconds a beat, from the run's ends once it is long enough, else the
    // tracker's own period.
    double period(double trackerPeriod) const
    {
        if (index.size() >= 3 && span() >= 4)
            return (time.back() - time.front()) / (index.back() - index.front());
        return trackerPeriod;
    }
};

// The onset nearest to `time` within `tolerance`, or NaN.
double onsetNear(const QList<double>& onsets, double time, double tolerance)
{
    const auto at = std::lower_bound(onsets.begin(), onsets.end(), time);
    double best = std::nan("");
    double bestDistance = tolerance;
    for (auto it : {at, at == onsets.begin() ? at : at - 1}) {
        if (it == onsets.end())
            continue;
        const double distance = std::abs(*it - time);
        if (distance <= bestDistance) {
            bestDistance = distance;
            best = *it;
        }
    }
    return best;
}

double periodOf(const std::vector<double>& grid)
{
    return (grid.back() - grid.front()) / double(grid.size() - 1);
}

double onsetTolerance(double period)
{
    return std::max(0.03, 0.08 * period);
}

// Consecutive reported beats whose gaps are whole numbers of beats.
std::vector<Run> chainBeats(const QList<TrackedBeat>& beats, const QList<double>& onsets)
{
    std::vector<Run> runs;
    for (const TrackedBeat& beat : beats) {
        const bool heard = !std::isnan(onsetNear(onsets, beat.time, HeardTolerance));
        if (!runs.empty()) {
            Run& run = runs.back();
            const double period = run.period(beat.period);
            const double gap = beat.time - run.time.back();
            const int k = period > 0 ? int(std::lround(gap / period)) : 0;
            if (k >= 1 && k <= MaxSkippedBeats && std::abs(gap / k - period) <= GapTolerance * period) {
                run.add(run.index.back() + k, beat.time, heard, beat.confidence);
                continue;
            }
        }
        Run run;
        run.add(0, beat.time, heard, beat.confidence);
        runs.push_back(run);
    }
    return runs;
}

// A tracker that lost the beat (after a tempo change, say) goes on
// reporting beats for a while where no sound starts: a run is cut where two
// reported beats in a row fall on no onset, and begins and ends on beats
// that fall on one.
std::vector<Run> keepHeardStretches(const std::vector<Run>& runs)
{
    std::vector<Run> kept;
    for (const Run& run : runs) {
        std::size_t i = 0;
        while (i < run.time.size()) {
            while (i < run.time.size() && !run.heard[i])
                ++i;
            Run piece;
            for (; i < run.time.size(); ++i) {
                if (!run.heard[i] && i + 1 < run.time.size() && !run.heard[i + 1])
                    break;
                if (!run.heard[i] && i + 1 == run.time.size())
                    break;
                piece.add(run.index[i], run.time[i], run.heard[i], run.confidence[i]);
            }
            while (!piece.heard.empty() && !piece.heard.back())
                piece.dropLast();
            if (!piece.time.empty())
                kept.push_back(piece);
        }
    }
    return kept;
}

// Beat m of the run, on the straight line through the reported beats
// nearest to it (least squares of time over beat number).
double placeBeat(const Run& run, int m)
{
    std::vector<std::pair<int, std::size_t>> nearest; // distance, position
    for (std::size_t i = 0; i < run.index.size(); ++i)
        nearest.push_back({std::abs(run.index[i] - m), i});
    const std::size_t take = std::min<std::size_t>(FitNeighbours, nearest.size());
    std::partial_sort(nearest.begin(), nearest.begin() + take, nearest.end());
    double sn = 0, st = 0, snn = 0, snt = 0;
    for (std::size_t k = 0; k < take; ++k) {
        const double n = run.index[nearest[k].second] - m;
        const double t = run.time[nearest[k].second];
        sn += n;
        st += t;
        snn += n * n;
        snt += n * t;
    }
    const double denominator = take * snn - sn * sn;
    if (take < 2 || denominator == 0)
        return run.time[nearest[0].second];
    const double slope = (take * snt - sn * st) / denominator;
    return (st - slope * sn) / take; // the line at n = m (n counted from m)
}

} // namespace

QList<double> fitBeatGrid(const TrackerOutput& heard)
{
    std::vector<std::vector<double>> grids;
    for (const Run& run : keepHeardStretches(chainBeats(heard.beats, heard.onsets))) {
        if (run.span() < MinRunBeats || int(run.index.size()) < MinRunBeats / 2 || run.maxConfidence() < MinConfidence)
            continue;
        std::vector<double> grid;
        for (int m = run.index.front(); m <= run.index.back(); ++m)
            grid.push_back(placeBeat(run, m));
        const double period = periodOf(grid);
        int onBeat = 0;
        for (double t : grid)
            onBeat += std::isnan(onsetNear(heard.onsets, t, onsetTolerance(period))) ? 0 : 1;
        if (onBeat < MinOnsetShare * grid.size())
            continue;
        grids.push_back(grid);
    }

    // Two runs at one tempo whose gap is a whole number of its beats are one
    // run the tracker lost for a moment (the sound of a few beats masked).
    for (std::size_t r = 1; r < grids.size();) {
        std::vector<double>& a = grids[r - 1];
        const std::vector<double>& b = grids[r];
        const double pa = periodOf(a);
        const double pb = periodOf(b);
        const double gap = b.front() - a.back();
        const int k = int(std::lround(gap / pa));
        if (std::abs(pa - pb) <= SameTempo * pa && k >= 1 && std::abs(gap - k * pa) <= GapTolerance * pa) {
            for (int i = 1; i < k; ++i)
                a.push_back(a.back() + gap / k);
            a.insert(a.end(), b.begin(), b.end());
            grids.erase(grids.begin() + std::ptrdiff_t(r));
        } else {
            ++r;
        }
    }

    // Carry each run beyond its ends, one period at a time, while an onset
    // confirms each beat: up to the clip's ends and never closer than half a
    // beat to the next run. The beats stay on the run's period (an onset
    // near the beat may be a voice's, not the beat's).
    for (std::size_t r = 0; r < grids.size(); ++r) {
        std::vector<double>& grid = grids[r];
        const double period = periodOf(grid);
        const double tolerance = HeardTolerance;
        const double floor = r > 0 ? grids[r - 1].back() + period / 2 : -tolerance;
        const double ceiling = r + 1 < grids.size() ? grids[r + 1].front() - period / 2 : heard.duration;
        std::vector<double> before;
        for (double t = grid.front() - period; t >= floor; t -= period) {
            if (std::isnan(onsetNear(heard.onsets, t, tolerance)))
                break;
            before.push_back(std::max(0.0, t));
        }
        for (double t = grid.back() + period; t <= ceiling; t += period) {
            if (std::isnan(onsetNear(heard.onsets, t, tolerance)))
                break;
            grid.push_back(t);
        }
        grid.insert(grid.begin(), before.rbegin(), before.rend());
    }

    QList<double> beats;
    for (const std::vector<double>& grid : grids) {
        for (double t : grid) {
            if (beats.isEmpty() || t > beats.back())
                beats.append(t);
        }
    }
    return beats;
}

} // namespace beats
