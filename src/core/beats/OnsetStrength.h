#pragma once

#include <cstddef>
#include <vector>

// What the beat finder hears of a clip's sound, frame by frame: how strongly
// new notes start (the onset strength), and the low part of the spectrum
// (where the bass and the harmony change at a bar's start). The sound
// itself is read and cut into frames by the finder's reader (aubio's phase
// vocoder and mel filter bank, in gui/beats/); the rules that turn the
// bands into these figures are here, so that they can be tested without
// sound.
namespace beats {

struct SoundFeatures {
    double frameRate = 0;      // frames a second
    double firstFrameTime = 0; // the time frame 0 stands for, in seconds
    // Onset strength a frame: the log-magnitude spectral flux summed over
    // the bands, high-passed (Ellis 2007's onset envelope).
    std::vector<float> onset;
    // The lowest `lowBandCount` bands a frame, in dB, frame after frame.
    std::vector<float> low;
    int lowBandCount = 0;
    double duration = 0; // of the sound heard, in seconds

    std::size_t frames() const { return onset.size(); }
    double timeOf(double frame) const { return firstFrameTime + frame / frameRate; }
};

// Builds the features from the band energies of successive frames.
//
// The onset strength follows Ellis (2007), "Beat Tracking by Dynamic
// Programming", J. New Music Research 36(1): each band's magnitude in dB,
// floored 80 dB below the loudest band so far, its rise from the frame
// before (falls
// count as nothing), summed over the bands, and high-passed at 0.4 Hz so
// that a loud and a quiet passage weigh alike.
class OnsetStrength {
public:
    // `bands` mel bands a frame, the lowest `lowBands` of them kept for the
    // bar's first beat, `frameRate` frames a second.
    OnsetStrength(int bands, int lowBands, double frameRate, double firstFrameTime);

    // One frame's band magnitudes (linear), `bands` of them.
    void addFrame(const float* magnitudes);
    std::size_t frames() const { return m_features.onset.size(); }
    // The features so far; `duration` the seconds of sound heard.
    SoundFeatures take(double duration);

private:
    int m_bands;
    SoundFeatures m_features;
    std::vector<float> m_previous; // the last frame's bands, in dB
    double m_loudest = -1e9;       // the loudest band so far, in dB
};

} // namespace beats
