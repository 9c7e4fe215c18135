#pragma once

#include <vector>

// Which beat of the bar is its first: where the harmony changes. Chords
// change on a bar's first beat far more often than within it (Goto 2001,
// "An audio-based real-time beat tracking system for music with or
// without drum-sounds", J. New Music Research 30(2), which finds the bar
// from the chord changes; Papadopoulos & Peeters 2011, "Joint estimation of
// chords and downbeats from an audio signal", IEEE TASLP 19(1)). The change
// from one beat to the next is Harte, Sandler & Gasser's (2006, "Detecting
// harmonic change in musical audio", ACM Audio and Music Computing
// Multimedia workshop) harmonic change: each beat's chroma (summed from its
// frame to the next beat's) is projected onto their six-dimensional tonal
// centroid (the circles of fifths, minor thirds and major thirds), and the
// change is the distance between successive beats' centroids. The beat of
// the bar with the largest mean change over all bars is the first.
//
// A bass note that anticipates the next chord (a salsa tumbao) moves the
// change a beat early; the "1" key moves the count where the music does
// not show it.
namespace beats {

// `chroma`: PitchClasses values a frame (core/beats/Chroma.h), frame after
// frame; `beatFrames`: the beats, as frames, ascending. The position (0 to
// beatsPerBar - 1) within `beatFrames` of the first bar's first beat; 0
// when there are too few beats to tell.
int firstDownbeat(const std::vector<float>& chroma, const std::vector<long>& beatFrames, int beatsPerBar);

} // namespace beats
