#pragma once

#include "core/beats/BeatFit.h"

#include <QString>
#include <atomic>

// Listens to a clip's sound with aubio: its source reads the audio through
// libav (any format mpv plays), mixed to one channel and resampled; its tempo
// tracker reports beats, and its onset detector the starts of notes and
// clicks, which fitBeatGrid() (core/beats/BeatFit.h) turns into the beats a
// dancer counts. Runs on whatever thread calls it (the beat finder's worker),
// touches nothing shared, and stops soon after `cancel` turns true.
namespace beats {

struct Hearing {
    enum class Outcome {
        Heard,     // the whole sound was analysed (it may have no beat)
        NoSound,   // the clip has no sound aubio can read
        Cancelled, // stopped on request
    };
    Outcome outcome = Outcome::NoSound;
    TrackerOutput heard;
};

// The clip must be an absolute path of an existing regular file (libav takes
// other names as addresses to fetch).
Hearing listenForBeats(const QString& clipPath, const std::atomic<bool>& cancel);

} // namespace beats
