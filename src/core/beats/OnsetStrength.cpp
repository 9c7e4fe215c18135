#include "core/beats/OnsetStrength.h"

#include "core/beats/Chroma.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace beats {

namespace {

// A band counts as silent 80 dB under the loudest band heard so far (the
// spectrum's range in Ellis 2007); and below -240 dB whatever came before.
constexpr double RangeDb = 80.0;
constexpr double SilenceDb = -240.0;
// The high-pass filter's corner, in Hz (Ellis 2007).
constexpr double HighPassHz = 0.4;

} // namespace

OnsetStrength::OnsetStrength(int bands, double frameRate, double firstFrameTime)
    : m_bands(bands), m_previous(std::size_t(bands), float(SilenceDb))
{
    m_features.frameRate = frameRate;
    m_features.firstFrameTime = firstFrameTime;
}

void OnsetStrength::addFrame(const float* magnitudes, const float* chroma)
{
    double flux = 0;
    for (int b = 0; b < m_bands; ++b)
        m_loudest = std::max(m_loudest, 20.0 * std::log10(std::max(1e-12, double(magnitudes[b]))));
    const double floor = std::max(SilenceDb, m_loudest - RangeDb);
    // Before the first frame there was silence: a clip that starts on a
    // note starts with an onset (kept no stronger than the first second's
    // strongest, see take()).
    if (m_features.onset.empty())
        std::fill(m_previous.begin(), m_previous.end(), float(floor));
    for (int b = 0; b < m_bands; ++b) {
        const double db = std::max(floor, 20.0 * std::log10(std::max(1e-12, double(magnitudes[b]))));
        flux += std::max(0.0, db - m_previous[std::size_t(b)]);
        m_previous[std::size_t(b)] = float(db);
    }
    m_features.onset.push_back(float(flux));
    m_features.chroma.insert(m_features.chroma.end(), chroma, chroma + PitchClasses);
}

SoundFeatures OnsetStrength::take(double duration)
{
    std::vector<float>& onset = m_features.onset;
    // Every band rises from silence at the first frame, even those where
    // nothing plays: that rise counts as much as the strongest onset of
    // the first second, no more.
    if (onset.size() > 1) {
        const auto second = std::min(onset.size(), std::size_t(1 + m_features.frameRate));
        onset[0] = std::min(onset[0], *std::max_element(onset.begin() + 1, onset.begin() + std::ptrdiff_t(second)));
    }
    // One-pole high-pass: y[n] = x[n] - x[n-1] + a y[n-1].
    const double a = 1.0 - 2.0 * std::numbers::pi * HighPassHz / m_features.frameRate;
    double lastIn = 0, lastOut = 0;
    for (float& v : onset) {
        const double out = v - lastIn + a * lastOut;
        lastIn = v;
        lastOut = out;
        v = float(out);
    }
    m_features.duration = duration;
    SoundFeatures taken = std::move(m_features);
    m_features = SoundFeatures{};
    m_features.frameRate = taken.frameRate;
    m_features.firstFrameTime = taken.firstFrameTime;
    return taken;
}

} // namespace beats
