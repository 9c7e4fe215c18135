#pragma once

#include <cstddef>
#include <vector>

// What the beat finder hears of a clip's sound, frame by frame: how strongly
// new notes start (the onset strength), and the harmony (a chroma vector,
// core/beats/Chroma.h: where the chords change, a bar begins). The sound
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
    // PitchClasses values a frame (core/beats/Chroma.h), frame after frame.
    std::vector<float> chroma;
    double duration = 0; // of the sound heard, in seconds

    std::size_t frames() const { return onset.size(); }
    double timeOf(double frame) const { return firstFrameTime + frame / frameRate; }
};

// Builds the features from the band energies of successive frames.
//
// The onset strength follows Ellis (2007), "Beat Tracking by Dynamic
// Programming", J. New Music Research 36(1): each band's magnitude in dB,
// floored 80 dB below the loudest band so far, its rise from the frame
// before (falls count as nothing), summed over the bands, and high-passed
// at 0.4 Hz so that a loud and a quiet passage weigh alike.
class OnsetStrength {
public:
    // `bands` mel bands a frame, `frameRate` frames a second.
    OnsetStrength(int bands, double frameRate, double firstFrameTime);

    // One frame: its band magnitudes (linear), `bands` of them, and its
    // chroma, PitchClasses values.
    void addFrame(const float* magnitudes, const float* chroma);
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
