#pragma once

#include <vector>

// The harmony of one frame of sound: its spectrum folded onto the twelve
// pitch classes, a chroma vector (Bartsch & Wakefield 2001, "To catch a
// chorus: using chroma-based representations for audio thumbnailing",
// IEEE WASPAA). Each bin adds its magnitude to the pitch class nearest its
// frequency (equal temperament, A at 440 Hz). The bins folded are those
// from 110 Hz to 3520 Hz (A2 to A7), the range Harte, Sandler & Gasser
// (2006) take for their harmonic change measure (core/beats/Downbeats.h).
namespace beats {

inline constexpr int PitchClasses = 12;
inline constexpr double ChromaLowestHz = 110.0;
inline constexpr double ChromaHighestHz = 3520.0;

class ChromaFold {
public:
    // A spectrum of `bins` bins, bin k at k * `binHz`.
    ChromaFold(int bins, double binHz);

    // `magnitudes`: the spectrum's `bins` values; `chroma`: PitchClasses
    // values written, A first.
    void fold(const float* magnitudes, float* chroma) const;

private:
    std::vector<int> m_pitchClass; // a bin's class; -1 outside the range
};

} // namespace beats
