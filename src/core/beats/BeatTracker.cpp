#include "core/beats/BeatTracker.h"

#include "core/beats/Downbeats.h"
#include "core/beats/Tempogram.h"

#include <algorithm>
#include <cmath>

namespace beats {

namespace {

// Ellis' tightness α: how much a gap off the period costs against the
// onset strength (normalised to a standard deviation of one). Our choice:
// 1000, ten times the default of the method's widely used implementation
// (librosa), so that a voice over a click track does not pull single
// beats off the clicks (at 100 and 400 it did, by up to 70 ms).
constexpr double Tightness = 1000.0;

double median(std::vector<double> v)
{
    if (v.empty())
        return 0;
    std::nth_element(v.begin(), v.begin() + std::ptrdiff_t(v.size() / 2), v.end());
    return v[v.size() / 2];
}

// The onset strength over its standard deviation, smoothed by a Gaussian a
// 32nd of the beat wide (Ellis 2007, the local score).
std::vector<double> localScore(const std::vector<float>& onset, double period)
{
    double mean = 0, square = 0;
    for (float v : onset) {
        mean += v;
        square += double(v) * v;
    }
    mean /= double(onset.size());
    const double sd = std::sqrt(std::max(1e-12, square / double(onset.size()) - mean * mean));
    const int half = std::max(1, int(std::lround(period)));
    const double width = std::max(0.5, period / 32.0);
    std::vector<double> kernel(std::size_t(2 * half + 1));
    for (int k = -half; k <= half; ++k)
        kernel[std::size_t(k + half)] = std::exp(-0.5 * (k / width) * (k / width));
    std::vector<double> score(onset.size(), 0.0);
    for (std::size_t n = 0; n < onset.size(); ++n) {
        double sum = 0;
        const int lo = std::max(-half, -int(n));
        const int hi = std::min(half, int(onset.size() - 1 - n));
        for (int k = lo; k <= hi; ++k)
            sum += kernel[std::size_t(k + half)] * onset[n + std::size_t(k)];
        score[n] = sum / sd;
    }
    return score;
}

// Ellis' dynamic programme: the best chain of beats, each at most twice
// and at least half the local period after the one before, as frames.
std::vector<long> bestBeats(const std::vector<double>& score, const std::vector<double>& period,
                            const std::atomic<bool>& cancel)
{
    const std::size_t n = score.size();
    std::vector<double> total(n);
    std::vector<long> back(n, -1);
    // ln of every gap a beat may have, in frames.
    const double longest = 2 * *std::max_element(period.begin(), period.end()) + 2;
    std::vector<double> lnGap(std::size_t(longest) + 1, 0.0);
    for (std::size_t g = 1; g < lnGap.size(); ++g)
        lnGap[g] = std::log(double(g));
    for (std::size_t t = 0; t < n; ++t) {
        if (t % 4096 == 0 && cancel.load(std::memory_order_relaxed))
            return {};
        const double tau = period[t];
        const double lnTau = std::log(tau);
        const long lo = long(t) - long(std::lround(2 * tau));
        const long hi = long(t) - long(std::lround(tau / 2));
        double best = 0;
        long from = -1;
        for (long p = std::max(0L, lo); p <= hi; ++p) {
            const double gap = lnGap[std::size_t(long(t) - p)] - lnTau;
            const double v = total[std::size_t(p)] - Tightness * gap * gap;
            if (from < 0 || v > best) {
                best = v;
                from = p;
            }
        }
        total[t] = score[t] + (from >= 0 ? best : 0.0);
        back[t] = from;
    }
    // The last beat: the last peak of the total score that is at least half
    // the median peak (the chain does not end in the fade-out).
    std::vector<double> peaks;
    for (std::size_t t = 1; t + 1 < n; ++t)
        if (total[t] > total[t - 1] && total[t] >= total[t + 1])
            peaks.push_back(total[t]);
    const double threshold = 0.5 * median(peaks);
    long last = -1;
    for (std::size_t t = n - 1; t >= 1 && t + 1 < n + 1; --t) {
        const bool peak = t + 1 < n ? total[t] > total[t - 1] && total[t] >= total[t + 1] : total[t] > total[t - 1];
        if (peak && total[t] >= threshold) {
            last = long(t);
            break;
        }
    }
    std::vector<long> beats;
    for (long t = last; t >= 0; t = back[std::size_t(t)])
        beats.push_back(t);
    std::reverse(beats.begin(), beats.end());
    return beats;
}

// The beats with the weak ones at either end left out: below half the
// root-mean-square local score at the beats (the chain runs on through
// silence before the music starts and after it ends).
void trimWeakEnds(std::vector<long>& beats, const std::vector<double>& score)
{
    if (beats.empty())
        return;
    double square = 0;
    for (long b : beats)
        square += score[std::size_t(b)] * score[std::size_t(b)];
    const double threshold = 0.5 * std::sqrt(square / double(beats.size()));
    std::size_t first = 0, end = beats.size();
    while (first < end && score[std::size_t(beats[first])] < threshold)
        ++first;
    while (end > first && score[std::size_t(beats[end - 1])] < threshold)
        --end;
    beats = std::vector<long>(beats.begin() + std::ptrdiff_t(first), beats.begin() + std::ptrdiff_t(end));
}

// A beat's frame to a fraction: the vertex of the local score's parabola
// when the beat sits on its peak.
double refinedFrame(const std::vector<double>& score, long frame)
{
    if (frame <= 0 || std::size_t(frame) + 1 >= score.size())
        return double(frame);
    const double a = score[std::size_t(frame - 1)], b = score[std::size_t(frame)], c = score[std::size_t(frame + 1)];
    const double d = a - 2 * b + c;
    if (b < a || b < c || d >= 0)
        return double(frame);
    return frame + std::clamp(0.5 * (a - c) / d, -0.5, 0.5);
}

// The beats of the chain in steady stretches, as frames: a stretch is a
// run of beats whose clarity is KeepClarity or more, with one whose
// steadiness reaches MinClarity, and MinSteadyBeats long. Between two
// stretches the beats that passed are counted by the time between them at
// the local period (the chain may have skipped one under a voice), and a
// beat a period apart is added after the first stretch for each beat over a
// whole number of bars, so that the count goes on in step.
std::vector<long> steadyBeats(const std::vector<long>& chain, const TempoPath& path, int beatsPerBar)
{
    const auto lasts = [&](std::size_t i) { return path.clarity[std::size_t(chain[i])] >= KeepClarity; };
    std::vector<long> kept;
    std::size_t i = 0;
    while (i < chain.size()) {
        while (i < chain.size() && !lasts(i))
            ++i;
        const std::size_t first = i;
        bool steady = false;
        for (; i < chain.size() && lasts(i); ++i)
            steady = steady || path.steadiness[std::size_t(chain[i])] >= MinClarity;
        if (!steady || i - first < std::size_t(MinSteadyBeats))
            continue;
        if (!kept.empty()) {
            const long last = kept.back();
            const double period = path.period[std::size_t((last + chain[first]) / 2)];
            const long passed = std::max(0L, std::lround(double(chain[first] - last) / period) - 1);
            for (long k = 1; k <= passed % beatsPerBar; ++k)
                kept.push_back(last + std::lround(k * period));
        }
        kept.insert(kept.end(), chain.begin() + std::ptrdiff_t(first), chain.begin() + std::ptrdiff_t(i));
    }
    return kept;
}

} // namespace

BeatAnalysis analyseBeats(const SoundFeatures& heard, const std::atomic<bool>& cancel)
{
    BeatAnalysis analysis;
    const TempoPath path = tempoPath(heard.onset, heard.frameRate, cancel);
    if (path.period.empty())
        return analysis;
    analysis.beatsPerBar = path.metre == Metre::Triple ? 3 : 4;
    const std::vector<double> score = localScore(heard.onset, median(path.period));
    std::vector<long> frames = bestBeats(score, path.period, cancel);
    trimWeakEnds(frames, score);
    if (cancel.load())
        return analysis;

    const std::vector<long> kept = steadyBeats(frames, path, analysis.beatsPerBar);
    if (kept.empty())
        return analysis;

    analysis.one = firstDownbeat(heard.chroma, kept, analysis.beatsPerBar);
    std::vector<double> periods;
    for (long frame : kept) {
        analysis.beats.append(std::max(0.0, heard.timeOf(refinedFrame(score, frame))));
        periods.push_back(path.period[std::size_t(frame)]);
    }
    analysis.tempo = 60.0 * heard.frameRate / median(periods);
    return analysis;
}

} // namespace beats
