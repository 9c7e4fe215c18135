#pragma once

#include "core/playback/PictureZoom.h"

#include <QString>
#include <optional>

// What playing a stored loop (a Bookmark Command Line in the command line
// entry window, a bookmark in the catalog) sees of the main window: open
// the clip, then play the loop exactly as one set by hand. The main window
// implements it.
class StoredLoopView {
public:
    virtual ~StoredLoopView() = default;

    // Opens the clip by its full path and starts loading it. False when the
    // clip cannot be opened; the user has then been told why, and nothing
    // else runs.
    virtual bool StartVideoClip(const QString& path) = 0;

    // Puts the two six-digit times (end empty: to the clip's end) into the
    // start and end time boxes and plays the loop as the play-loop key does,
    // that is without a sender, once the clip being opened has loaded (at
    // once when none loads). The loop's own checks and messages are the
    // main window's. A zoom the loop was kept with is shown as the loop
    // starts; with none, the picture stays as the clip shows it.
    virtual void playStoredLoop(const QString& startDigits, const QString& endDigits,
                                const std::optional<ZoomView>& zoom) = 0;
};
