#pragma once

#include <vector>

// Which beat of the bar is its first: after Davies & Plumbley (2006), "A
// spectral difference approach to downbeat extraction in musical audio",
// EUSIPCO. The spectrum of the low bands is averaged over each beat; the
// bass and the harmony change most where a bar begins, so the beat of the
// bar with the largest mean spectral difference (the rise of each band
// from the beat before, in dB, summed) over all bars is the first.
namespace beats {

// `low`: `bandCount` band values in dB a frame, frame after frame;
// `beatFrames`: the beats, as frames, ascending. The position (0 to
// beatsPerBar - 1) within `beatFrames` of the first bar's first beat; 0
// when there are too few beats to tell.
int firstDownbeat(const std::vector<float>& low, int bandCount, const std::vector<long>& beatFrames, int beatsPerBar);

} // namespace beats
