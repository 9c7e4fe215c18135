#pragma once

#include <QString>
#include <atomic>
#include <functional>

// Reads the sound of a local clip through libav, mixed to one channel and
// resampled, block by block, for the beat finder.
//
// Only the file itself is read: libav is allowed no protocol but "file"
// (a clip that is a playlist or names an address cannot make it fetch
// anything), and the clip must be an absolute path of an existing regular
// file. Every read, the opening and the probing included, asks `cancel`
// through libav's interrupt callback, so a search called off ends within a
// read of the file, however long the file takes to open.
namespace beats {

enum class SoundReading {
    Read,      // the whole sound was read (maybe none of it was sound)
    NoSound,   // not a clip, or a clip without a sound track
    Cancelled, // called off
};

// Hands each block of samples (mono, `sampleRate` a second) to `take`.
SoundReading readSound(const QString& clipPath, int sampleRate, const std::atomic<bool>& cancel,
                       const std::function<void(const float* samples, int count)>& take);

} // namespace beats
