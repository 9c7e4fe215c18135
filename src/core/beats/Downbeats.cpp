#include "core/beats/Downbeats.h"

#include <algorithm>

namespace beats {

int firstDownbeat(const std::vector<float>& low, int bandCount, const std::vector<long>& beatFrames, int beatsPerBar)
{
    if (bandCount <= 0 || beatsPerBar < 2 || beatFrames.size() < std::size_t(2 * beatsPerBar + 1))
        return 0;
    const long frames = long(low.size() / std::size_t(bandCount));
    // Each beat's mean spectrum, from its frame to the next beat's.
    std::vector<std::vector<double>> spectra;
    for (std::size_t i = 0; i + 1 < beatFrames.size(); ++i) {
        const long from = std::clamp(beatFrames[i], 0L, frames);
        const long to = std::clamp(beatFrames[i + 1], from, frames);
        std::vector<double> mean(std::size_t(bandCount), 0.0);
        for (long f = from; f < to; ++f)
            for (int b = 0; b < bandCount; ++b)
                mean[std::size_t(b)] += low[std::size_t(f) * std::size_t(bandCount) + std::size_t(b)];
        for (double& v : mean)
            v /= double(std::max(1L, to - from));
        spectra.push_back(std::move(mean));
    }
    std::vector<double> sum(std::size_t(beatsPerBar), 0.0);
    std::vector<int> count(std::size_t(beatsPerBar), 0);
    for (std::size_t i = 1; i < spectra.size(); ++i) {
        double difference = 0;
        for (int b = 0; b < bandCount; ++b)
            difference += std::max(0.0, spectra[i][std::size_t(b)] - spectra[i - 1][std::size_t(b)]);
        sum[i % std::size_t(beatsPerBar)] += difference;
        ++count[i % std::size_t(beatsPerBar)];
    }
    int best = 0;
    for (int p = 1; p < beatsPerBar; ++p)
        if (sum[std::size_t(p)] / std::max(1, count[std::size_t(p)]) >
            sum[std::size_t(best)] / std::max(1, count[std::size_t(best)]))
            best = p;
    return best;
}

} // namespace beats
