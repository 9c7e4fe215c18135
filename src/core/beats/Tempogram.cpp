#include "core/beats/Tempogram.h"

#include <algorithm>
#include <cmath>

namespace beats {

namespace {

// Ellis 2007: the tempo preference's centre (seconds a beat) and width.
constexpr double PreferredPeriod = 0.5;
constexpr double PreferenceOctaves = 1.4;
// What a change of tempo between two windows costs, per octave, against
// a window's tempo salience (0 to 1): our choice; 0.32 octave (100 to 125
// a minute) costs one and a half windows of full salience, a change of
// octave five.
constexpr double ChangeCostPerOctave = 5.0;

struct Window {
    std::vector<double> ac;   // autocorrelation by lag, lag 0 first
    std::vector<double> tps;  // the weighted autocorrelation (Ellis' TPS)
    std::vector<double> tps2; // Ellis' TPS2 and TPS3 by lag
    std::vector<double> tps3;
};

// The biased autocorrelation of onset[from, from + length) after its mean
// is taken away, for lags 0 to maxLag.
std::vector<double> autocorrelation(const std::vector<float>& onset, std::size_t from, std::size_t length, int maxLag)
{
    double mean = 0;
    for (std::size_t i = 0; i < length; ++i)
        mean += onset[from + i];
    mean /= double(length);
    std::vector<double> x(length);
    for (std::size_t i = 0; i < length; ++i)
        x[i] = onset[from + i] - mean;
    std::vector<double> ac(std::size_t(maxLag) + 1, 0.0);
    for (int lag = 0; lag <= maxLag && std::size_t(lag) < length; ++lag) {
        double sum = 0;
        for (std::size_t i = std::size_t(lag); i < length; ++i)
            sum += x[i] * x[i - std::size_t(lag)];
        ac[std::size_t(lag)] = sum;
    }
    return ac;
}

double at(const std::vector<double>& v, int i)
{
    return i >= 0 && std::size_t(i) < v.size() ? v[std::size_t(i)] : 0.0;
}

// The salience of each beat lag in one window (Ellis 2007, eqs. 4 to 6).
Window weigh(std::vector<double> ac, double frameRate, int minLag, int maxLag)
{
    Window w;
    std::vector<double> tps(ac.size(), 0.0);
    for (std::size_t lag = 1; lag < ac.size(); ++lag) {
        const double octaves = std::log2(double(lag) / frameRate / PreferredPeriod) / PreferenceOctaves;
        tps[lag] = std::exp(-0.5 * octaves * octaves) * ac[lag];
    }
    w.tps2.assign(std::size_t(maxLag) + 1, 0.0);
    w.tps3.assign(std::size_t(maxLag) + 1, 0.0);
    for (int lag = minLag; lag <= maxLag; ++lag) {
        const double t = at(tps, lag);
        w.tps2[std::size_t(lag)] =
            t + 0.5 * at(tps, 2 * lag) + 0.25 * at(tps, 2 * lag - 1) + 0.25 * at(tps, 2 * lag + 1);
        w.tps3[std::size_t(lag)] =
            t + 0.33 * at(tps, 3 * lag) + 0.33 * at(tps, 3 * lag - 1) + 0.33 * at(tps, 3 * lag + 1);
    }
    w.ac = std::move(ac);
    w.tps = std::move(tps);
    return w;
}

// The vertex of the parabola through (lag-1, lag, lag+1): the period to a
// fraction of a frame.
double refined(const std::vector<double>& v, int lag)
{
    const double a = at(v, lag - 1), b = at(v, lag), c = at(v, lag + 1);
    const double d = a - 2 * b + c;
    if (d >= 0)
        return lag;
    return lag + std::clamp(0.5 * (a - c) / d, -0.5, 0.5);
}

// The mean over windows [first, last] (those there are) of each one's
// autocorrelation at `lag` (the best of it and its neighbours, as the
// period drifts by a fraction of a frame) over its value at lag 0.
double clarityAt(const std::vector<Window>& windows, long first, long last, int lag)
{
    double sum = 0;
    int count = 0;
    for (long v = std::max(0L, first); v <= std::min(long(windows.size()) - 1, last); ++v) {
        const std::vector<double>& ac = windows[std::size_t(v)].ac;
        const double peak = std::max({at(ac, lag - 1), at(ac, lag), at(ac, lag + 1)});
        sum += ac[0] > 0 ? std::clamp(peak / ac[0], 0.0, 1.0) : 0.0;
        ++count;
    }
    return count > 0 ? sum / count : 0.0;
}

} // namespace

TempoPath tempoPath(const std::vector<float>& onset, double frameRate, const std::atomic<bool>& cancel)
{
    TempoPath path;
    path.frameRate = frameRate;
    const auto length = std::size_t(std::lround(WindowSeconds * frameRate));
    const auto hop = std::size_t(std::max(1L, std::lround(HopSeconds * frameRate)));
    const int minLag = int(std::floor(60.0 / FastestBeat * frameRate));
    const int maxLag = int(std::ceil(60.0 / SlowestBeat * frameRate));
    if (frameRate <= 0 || onset.size() < length || minLag < 2)
        return path;

    // The windows, one every hop, the last one flush with the end.
    std::vector<std::size_t> starts;
    for (std::size_t s = 0; s + length <= onset.size(); s += hop)
        starts.push_back(s);
    if (starts.back() + length < onset.size())
        starts.push_back(onset.size() - length);

    const int states = maxLag - minLag + 1;
    std::vector<Window> windows;
    windows.reserve(starts.size());
    std::vector<std::vector<double>> salience; // window, state: 0 to 1
    for (std::size_t start : starts) {
        if (cancel.load(std::memory_order_relaxed))
            return TempoPath{};
        windows.push_back(weigh(autocorrelation(onset, start, length, 3 * maxLag + 1), frameRate, minLag, maxLag));
        const Window& w = windows.back();
        std::vector<double> s(std::size_t(states), 0.0);
        double best = 0;
        for (int k = 0; k < states; ++k) {
            const int lag = minLag + k;
            s[std::size_t(k)] = w.tps[std::size_t(lag)];
            best = std::max(best, s[std::size_t(k)]);
        }
        for (double& v : s)
            v = best > 0 ? std::max(0.0, v / best) : 0.0;
        salience.push_back(std::move(s));
    }

    // Viterbi over the lags, window by window.
    std::vector<double> change(std::size_t(states * states));
    for (int a = 0; a < states; ++a)
        for (int b = 0; b < states; ++b)
            change[std::size_t(a * states + b)] =
                ChangeCostPerOctave * std::abs(std::log2(double(minLag + a) / double(minLag + b)));
    std::vector<double> score = salience.front();
    std::vector<std::vector<int>> back(windows.size(), std::vector<int>(std::size_t(states), 0));
    for (std::size_t w = 1; w < windows.size(); ++w) {
        std::vector<double> next(std::size_t(states), 0.0);
        for (int b = 0; b < states; ++b) {
            double best = -1e300;
            int from = b;
            for (int a = 0; a < states; ++a) {
                const double v = score[std::size_t(a)] - change[std::size_t(a * states + b)];
                if (v > best) {
                    best = v;
                    from = a;
                }
            }
            next[std::size_t(b)] = best + salience[w][std::size_t(b)];
            back[w][std::size_t(b)] = from;
        }
        score = std::move(next);
    }
    std::vector<int> state(windows.size());
    state.back() = int(std::max_element(score.begin(), score.end()) - score.begin());
    for (std::size_t w = windows.size() - 1; w > 0; --w)
        state[w - 1] = back[w][std::size_t(state[w])];

    // Each window's period and clarity, and the metre of the whole.
    std::vector<double> centre, period, clarity, steadiness;
    double duple = 0, triple = 0;
    const long span = std::lround((SteadySpanSeconds - WindowSeconds) / 2.0 / HopSeconds);
    for (std::size_t w = 0; w < windows.size(); ++w) {
        const Window& win = windows[w];
        const int lag = minLag + state[w];
        centre.push_back(double(starts[w]) + double(length) / 2.0);
        period.push_back(refined(win.tps, lag));
        clarity.push_back(clarityAt(windows, long(w), long(w), lag));
        steadiness.push_back(clarityAt(windows, long(w) - span, long(w) + span, lag));
        duple += win.tps2[std::size_t(lag)];
        triple += win.tps3[std::size_t(lag)];
    }
    path.metre = triple > duple ? Metre::Triple : Metre::Duple;

    // Frame by frame, between the windows' centres.
    path.period.resize(onset.size());
    path.clarity.resize(onset.size());
    path.steadiness.resize(onset.size());
    std::size_t w = 0;
    for (std::size_t n = 0; n < onset.size(); ++n) {
        while (w + 1 < centre.size() && centre[w + 1] <= double(n))
            ++w;
        if (double(n) <= centre.front() || w + 1 >= centre.size()) {
            const std::size_t k = double(n) <= centre.front() ? 0 : centre.size() - 1;
            path.period[n] = period[k];
            path.clarity[n] = clarity[k];
            path.steadiness[n] = steadiness[k];
            continue;
        }
        const double f = (double(n) - centre[w]) / (centre[w + 1] - centre[w]);
        path.period[n] = period[w] + f * (period[w + 1] - period[w]);
        path.clarity[n] = clarity[w] + f * (clarity[w + 1] - clarity[w]);
        path.steadiness[n] = steadiness[w] + f * (steadiness[w + 1] - steadiness[w]);
    }
    return path;
}

} // namespace beats
