#include "core/beats/Downbeats.h"

#include "core/beats/Chroma.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace beats {

namespace {

using Centroid = std::array<double, 6>;

// Harte, Sandler & Gasser's tonal centroid of a chroma vector (A first):
// pitch class l at angle l * 7pi/6 on the circle of fifths (radius 1),
// l * 3pi/2 on the minor thirds' (radius 1) and l * 2pi/3 on the major
// thirds' (radius 0.5), weighted by the chroma over its sum.
Centroid tonalCentroid(const std::array<double, PitchClasses>& chroma)
{
    constexpr double pi = std::numbers::pi;
    constexpr double radius[3] = {1.0, 1.0, 0.5};
    constexpr double angle[3] = {7 * pi / 6, 3 * pi / 2, 2 * pi / 3};
    Centroid centroid{};
    double sum = 0;
    for (int l = 0; l < PitchClasses; ++l) {
        sum += chroma[std::size_t(l)];
        for (int d = 0; d < 3; ++d) {
            centroid[std::size_t(2 * d)] += radius[d] * std::sin(l * angle[d]) * chroma[std::size_t(l)];
            centroid[std::size_t(2 * d + 1)] += radius[d] * std::cos(l * angle[d]) * chroma[std::size_t(l)];
        }
    }
    if (sum > 0)
        for (double& v : centroid)
            v /= sum;
    return centroid;
}

} // namespace

int firstDownbeat(const std::vector<float>& chroma, const std::vector<long>& beatFrames, int beatsPerBar)
{
    if (beatsPerBar < 2 || beatFrames.size() < std::size_t(2 * beatsPerBar + 1))
        return 0;
    const long frames = long(chroma.size() / PitchClasses);
    // Each beat's tonal centroid, from its frame to the next beat's.
    std::vector<Centroid> centroids;
    for (std::size_t i = 0; i + 1 < beatFrames.size(); ++i) {
        std::array<double, PitchClasses> sum{};
        const long from = std::clamp(beatFrames[i], 0L, frames);
        const long to = std::clamp(beatFrames[i + 1], from, frames);
        for (long f = from; f < to; ++f)
            for (int c = 0; c < PitchClasses; ++c)
                sum[std::size_t(c)] += chroma[std::size_t(f) * PitchClasses + std::size_t(c)];
        centroids.push_back(tonalCentroid(sum));
    }
    std::vector<double> change(std::size_t(beatsPerBar), 0.0);
    std::vector<int> count(std::size_t(beatsPerBar), 0);
    for (std::size_t i = 1; i < centroids.size(); ++i) {
        double square = 0;
        for (std::size_t d = 0; d < centroids[i].size(); ++d)
            square += (centroids[i][d] - centroids[i - 1][d]) * (centroids[i][d] - centroids[i - 1][d]);
        change[i % std::size_t(beatsPerBar)] += std::sqrt(square);
        ++count[i % std::size_t(beatsPerBar)];
    }
    int best = 0;
    for (int p = 1; p < beatsPerBar; ++p)
        if (change[std::size_t(p)] / std::max(1, count[std::size_t(p)]) >
            change[std::size_t(best)] / std::max(1, count[std::size_t(best)]))
            best = p;
    return best;
}

} // namespace beats
