#pragma once

#include <QObject>
#include <QString>

// The seam between the player control and whatever decodes and shows clips:
// libmpv in the program (MpvEngine), a scripted fake with a manual clock in
// tests. The engine knows nothing about play ranges, stopped states or
// notifications to windows; MediaPlayerControl builds those on top. It knows
// nothing about widgets either: an engine that draws a picture also
// implements VideoSurfaceSource, on the GUI side.
//
// All calls are made on the GUI thread. Signals are emitted on the GUI
// thread, never from inside a call into the engine's own library.
class PlaybackEngine : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~PlaybackEngine() override = default;

    // Creates and initialises the underlying player. False when the player
    // library is missing or refuses to start; the program then ends.
    virtual bool initialize() = 0;

    // Starts loading an absolute path of an existing regular file. Loading
    // ends with fileLoaded() or loadFailed(). The engine starts paused.
    virtual void load(const QString& absolutePath) = 0;
    // Gives up the load under way for good (a late success of the player
    // does not revive it); loadFailed() follows. False when no load was under
    // way any more: its fileLoaded() or loadFailed() has come or is coming.
    virtual bool abandonLoad() = 0;
    virtual bool isOpen() const = 0;

    virtual void setPaused(bool paused) = 0;
    virtual bool isPaused() const = 0;
    // True while the engine rests on the clip's last frame after playing out.
    virtual bool isAtEnd() const = 0;

    // Seconds from the clip's start. After seek() the position reads as the
    // target at once, before the engine has decoded the frame.
    virtual double position() const = 0;
    // Exact absolute seek (decodes from the previous keyframe).
    virtual void seek(double seconds) = 0;
    // Whether the last seek or step has not landed yet.
    virtual bool seekPending() const { return false; }

    // Frames as the clip has them: clips filmed on phones have a variable
    // frame rate, so frames need not lie 1/fps apart. The time of the frame
    // `count` frames after the one shown at `seconds` (before it when count
    // is negative; past the last frame, the last frame); -1 when there is no
    // such frame before the first. Engines that do not know the clip's frame
    // times take its nominal rate (30 frames a second when it has none).
    virtual double frameTimeFrom(double seconds, int count) const;
    // Moves to the frame `count` frames from the one shown at `from`; the
    // position reads as that frame's time at once. Nothing happens when
    // there is no such frame.
    virtual void stepFrames(double from, int count);

    // Playing pauses by itself on the frame shown at `seconds` (the first
    // frame at or after it), exactly, however fast it plays; -1: nowhere.
    // The position is reported there as on any frame; the clip's end is not
    // reached there. Kept when another clip opens.
    virtual void setPausePoint(double /*seconds*/) {}

    // While held, the picture goes on showing the frame it shows now,
    // whatever the engine decodes meanwhile (a seek made ahead of time).
    // Engines that draw no picture ignore it.
    virtual void holdPicture(bool /*hold*/) {}

    // The loop under way, from start to end (seconds): an engine that draws
    // a picture keeps the frames it draws inside it within a budget of
    // memory, and a step to a kept frame shows it at once. An end not after
    // the start keeps none; another clip keeps none either.
    virtual void keepLoopFrames(double /*start*/, double /*end*/) {}
    virtual void setFrameStoreBudget(int /*megabytes*/) {}

    // Decoding on the graphics hardware where the machine offers it (frames
    // copied back, so exact seeks and every view of the picture work as with
    // software decoding); on by default. Applies from the next clip opened.
    virtual void setHardwareDecoding(bool /*on*/) {}
    // The hardware decoder that decodes the open clip; empty when the clip
    // is decoded in software.
    virtual QString hardwareDecoder() const { return {}; }

    // Facts about the open file; 0 / empty when unknown or without video.
    // The picture's size is its size as shown: a clip stored sideways with
    // a rotation flag (as phones record portrait video) is shown upright.
    virtual double duration() const = 0;
    virtual double framesPerSecond() const = 0;
    virtual qint64 frameCount() const = 0;
    virtual int videoWidth() const = 0;
    virtual int videoHeight() const = 0;
    virtual QString videoDecoderName() const = 0;

    virtual void setSpeed(double factor) = 0;
    virtual double speed() const = 0;
    virtual void setMuted(bool muted) = 0;
    virtual bool isMuted() const = 0;
    virtual void setVolume(int percent) = 0;
    virtual int volume() const = 0;

signals:
    void fileLoaded();
    void loadFailed(const QString& reason);
    // Emitted once per displayed frame while playing, and after a seek lands.
    void positionChanged(double seconds);
    void pausedChanged(bool paused);
    // The clip played out to its last frame.
    void endReached();
};
