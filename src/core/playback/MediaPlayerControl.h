#pragma once

#include "core/playback/PlayStates.h"

#include <QObject>
#include <QString>
#include <QTimer>
#include <Qt>
#include <optional>

class PlaybackEngine;

// The player control's logic: what the windows see of playback. It sits on a
// PlaybackEngine and adds what the windows rely on: a real stopped state at
// position 0, a play range (SelectionStart / SelectionEnd), a rate that
// survives every state change, and notifications that are recorded at once
// and handed to the windows on a 50 ms tick, only the latest of each kind.
//
// Position events are raised on the tick and, so that loop ends are caught
// on the frame that reaches them, also on every frame the engine reports.
class MediaPlayerControl : public QObject {
    Q_OBJECT
public:
    static constexpr int TickIntervalMs = 50;
    // Longest time a load may take before the player gives up on the file.
    static constexpr int OpenDeadlineMs = 8000;

    // Takes ownership of the engine.
    explicit MediaPlayerControl(PlaybackEngine* engine, QObject* parent = nullptr);
    ~MediaPlayerControl() override;

    PlaybackEngine* engine() const { return m_engine; }

    // Tests drive the tick by hand, and may shorten the open deadline.
    void setTimerEnabled(bool enabled);
    void tick();
    void setOpenDeadline(int milliseconds) { m_loadDeadline.setInterval(milliseconds); }
    // Ticks run so far: a test that must see that nothing follows waits for
    // a tick or two, each of which would have delivered it.
    quint64 tickCount() const { return m_tickCount; }

    QString FileName() const { return m_fileName; }
    void setFileName(const QString& fileName) { m_fileName = fileName; }

    double CurrentPosition() const;
    void setCurrentPosition(double seconds);

    // Frames as the clip has them (its frame rate may vary): the time of the
    // frame `count` frames from the one shown at `seconds`, -1 when there is
    // none before the first (see PlaybackEngine::frameTimeFrom).
    double frameTimeFrom(double seconds, int count) const;
    // Moves `count` frames from the current position (earlier when negative).
    void stepFrames(int count);

    // The loop under way, whose frames the engine keeps to step over them
    // at once (see PlaybackEngine::keepLoopFrames); an end not after the
    // start: none.
    void keepLoopFrames(double start, double end);

    // A seek made ahead of time, while the clip rests paused: the engine
    // goes to `seconds` while the picture keeps showing the frame it shows
    // and CurrentPosition() keeps reading the position it reads now. Play()
    // then starts from the cued place at once; moving the position or
    // stopping calls the cue off, as does dropCue(). A continuous loop cues
    // its start while it waits at its end.
    void cue(double seconds);
    // Calls a cue off: the engine goes back to the position held, and the
    // picture stays as it is until it is there.
    void dropCue();
    bool isCued() const { return m_cue.has_value(); }

    double Duration() const { return m_duration; }
    quint32 FrameCount() const { return m_frameCount; }
    int ImageSourceWidth() const;
    int ImageSourceHeight() const;
    PlayStateValue PlayState() const { return m_playState; }
    OpenStateValue OpenState() const { return m_openState; }

    double Rate() const { return m_rate; }
    void setRate(double rate);
    bool Mute() const;
    void setMute(bool mute);

    double SelectionStart() const { return m_selectionStart; }
    void setSelectionStart(double seconds);
    double SelectionEnd() const { return m_selectionEnd; }
    void setSelectionEnd(double seconds);

    void setAutoStart(bool on) { m_autoStart = on; }
    void setLoop(bool on) { m_loop = on; }
    DisplaySizeValue DisplaySize() const { return m_displaySize; }
    void setDisplaySize(DisplaySizeValue size);
    bool FullScreenMode() const { return m_fullScreen; }
    void setFullScreenMode(bool on);
    bool FGrabber_Enabled() const { return m_grabberEnabled; }
    void setFGrabber_Enabled(bool on);
    QString CodecName() const { return m_codecName; }

    // Starts loading FileName and returns at once; loadFinished() follows.
    // A failure of the engine later on (the sound output, a file that breaks
    // off) also ends in osClosed and mpStopped.
    void Open();
    void Play();
    bool Pause();
    void Stop();

    // A key released while the picture is full screen (from the widget).
    void fullScreenKeyReleased(int key, Qt::KeyboardModifiers modifiers);
    // Whether a play-state change is waiting for the next tick.
    bool playStateChangePending() const { return m_pendingPlayChange.has_value(); }

signals:
    void OnPlayStateChange(PlayStateValue OldState, PlayStateValue NewState);
    void OnPositionChange(double OldTimePosition, double NewTimePosition, quint32 OldFramePosition,
                          quint32 NewFramePosition);
    void OnOpenStateChange(OpenStateValue OldState, OpenStateValue NewState);
    void OnEndOfStream();
    void OnFullScreenKeyPress(int Key, Qt::KeyboardModifiers Shift);
    // For the widget: show the picture full screen (true) or at DisplaySize.
    void pictureFullScreenChanged(bool fullScreen);
    // For the widget: the picture at the clip's own size (mpDefaultSize) or
    // filling the player (mpFitToSize).
    void displaySizeChanged(DisplaySizeValue displaySize);
    // The load that Open() started has ended: the file opened (and plays when
    // AutoStart is on) or it could not be played.
    void loadFinished(bool opened);
    // The position was moved, not played to: a seek, a frame step, playing
    // from a cue (a continuous loop starting again). `seconds` is where the
    // position reads now.
    void seeked(double seconds);
    // A tick has handed on its notifications: whoever watches the player's
    // state as a whole looks again.
    void ticked();

private:
    void engineLoaded();
    void engineFailed();
    void openTookTooLong();
    void engineEnded();
    void reportRangeEnd();
    void enginePositionChanged();
    void changePlayState(PlayStateValue newState);
    void changeOpenState(OpenStateValue newState);
    void checkPosition();
    quint32 framePosition(double seconds) const;
    void showPictureFullScreen(bool on);
    void seekEngine(double seconds);
    void moveEngine(double seconds);
    void updatePausePoint();
    void releasePicture();
    void letGoOfPicture();

    PlaybackEngine* m_engine;
    QTimer m_timer;
    QTimer m_loadDeadline;
    bool m_inTick = false;
    quint64 m_tickCount = 0;
    bool m_inPositionCheck = false;

    QString m_fileName;
    double m_duration = 0.0;
    quint32 m_frameCount = 0;
    QString m_codecName;
    PlayStateValue m_playState = mpStopped;
    OpenStateValue m_openState = osClosed;
    double m_rate = 1.0;
    double m_selectionStart = -1.0;
    double m_selectionEnd = -1.0;
    bool m_autoStart = true;
    bool m_loop = false;
    DisplaySizeValue m_displaySize = mpFitToSize;
    bool m_fullScreen = false;
    bool m_pictureFullScreen = false;
    bool m_grabberEnabled = false;
    double m_lastPosition = -1.0;

    double m_pausePoint = -1.0;
    // A cue (see cue()): where the engine goes, and the position that reads
    // meanwhile.
    struct Cue {
        double target = 0.0;
        double heldPosition = 0.0;
    };
    std::optional<Cue> m_cue;
    // Play() has started from a cue at this place: a jump to it that the
    // play-state handlers make is no seek any more.
    std::optional<double> m_playedFromCueAt;
    // The picture is held until the engine's last seek has landed.
    enum class Picture { Live, Held };
    Picture m_picture = Picture::Live;

    // Notifications waiting for the tick; only the latest of each kind.
    template <class State> struct Change {
        State from;
        State to;
    };
    struct Key {
        int key = 0;
        Qt::KeyboardModifiers modifiers;
    };
    std::optional<Change<PlayStateValue>> m_pendingPlayChange;
    std::optional<Change<OpenStateValue>> m_pendingOpenChange;
    std::optional<Key> m_pendingKey;
    bool m_endOfStreamPending = false;
    // The picture goes full screen again once playing has started.
    bool m_fullScreenPending = false;
};
