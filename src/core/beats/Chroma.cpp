#include "core/beats/Chroma.h"

#include <algorithm>
#include <cmath>

namespace beats {

ChromaFold::ChromaFold(int bins, double binHz) : m_pitchClass(std::size_t(std::max(0, bins)), -1)
{
    for (int k = 1; k < bins; ++k) {
        const double hz = k * binHz;
        if (hz < ChromaLowestHz || hz > ChromaHighestHz)
            continue;
        const long semitones = std::lround(PitchClasses * std::log2(hz / 440.0));
        m_pitchClass[std::size_t(k)] = int((semitones % PitchClasses + PitchClasses) % PitchClasses);
    }
}

void ChromaFold::fold(const float* magnitudes, float* chroma) const
{
    std::fill(chroma, chroma + PitchClasses, 0.0f);
    for (std::size_t k = 0; k < m_pitchClass.size(); ++k)
        if (m_pitchClass[k] >= 0)
            chroma[m_pitchClass[k]] += magnitudes[k];
}

} // namespace beats
