#pragma once

#include "core/beats/OnsetStrength.h"

#include <QString>
#include <atomic>

// Listens to a clip's sound with aubio: the sound, read by our own libav
// reader (gui/beats/SoundReader.h: local files only, cancellable while it
// opens), goes through aubio's phase vocoder and its mel filter bank; the
// bands become the onset strength and the spectrum the chroma
// (core/beats/OnsetStrength.h), from which analyseBeats()
// (core/beats/BeatTracker.h) finds the beats. Runs on whatever thread calls
// it (the beat finder's worker), touches nothing shared, and stops within a
// block of sound, or a read of the file, after `cancel` turns true.
namespace beats {

struct Hearing {
    enum class Outcome {
        Heard,     // the whole sound was analysed (it may have no beat)
        NoSound,   // the clip has no sound that can be read
        Cancelled, // stopped on request
    };
    Outcome outcome = Outcome::NoSound;
    SoundFeatures features;
};

// The clip must be an absolute path of an existing regular file.
Hearing listenForBeats(const QString& clipPath, const std::atomic<bool>& cancel);

} // namespace beats
