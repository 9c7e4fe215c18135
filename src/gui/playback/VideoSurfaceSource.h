#pragma once

class QWidget;

// An engine that draws its picture into a widget of its own offers it
// through this interface, next to PlaybackEngine, so that the engine seam
// itself stays free of widget types. The player control asks the engine it
// is given whether it is also a VideoSurfaceSource.
class VideoSurfaceSource {
public:
    virtual ~VideoSurfaceSource() = default;

    // The widget that shows the picture, owned by parent; nullptr when the
    // engine draws nothing (audio-only use, a video output without a window).
    virtual QWidget* createVideoSurface(QWidget* parent) = 0;
};
