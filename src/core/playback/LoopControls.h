#pragma once

#include "core/playback/SpeedLadder.h"

#include <QObject>
#include <QString>
#include <functional>

class LoopView;
class MediaPlayerControl;
class PlayAllView;

// The loop of the main window's "Loop Controls": a stretch between the start
// and end time boxes that plays once or continuously, and the handlers of the
// player's position and play-state events that run it.
//
// A continuous loop waits restartPauseMs() at its end before it starts
// again. The wait is a timer, so keys act during it: the play key pauses (the
// restart is called off and the loop rests at its end), a new loop, "play
// full video" or a new clip start at once. The player goes back to the
// loop's start during the wait (a cue: the picture holds the end frame and
// the position reads as the end), so that the loop plays again as soon as
// the wait is over, however long the seek takes on a big clip.
//
// The speed ladder is a continuous loop that plays a number of passes at
// each rate of a SpeedLadder. The rate is set while the loop rests paused at
// its end, before it starts again from its start; leaving the loop, playing
// the full video or changing the mode gives back the rate the user had.
class LoopControls : public QObject {
    Q_OBJECT
public:
    // The default wait, and the longest one allowed.
    static constexpr int RestartPauseMs = 400;
    static constexpr int MaxRestartPauseMs = 5000;
    enum class LoopMode { Once, Continuously, Ladder };
    // Calls done once, ms milliseconds from now.
    using Timer = std::function<void(int ms, std::function<void()> done)>;

    LoopControls(MediaPlayerControl& player, LoopView& view, QObject* parent = nullptr);

    // The catalog's play-all sequence; none until a catalog player exists.
    void setPlayAllView(PlayAllView* sequence) { m_playAll = sequence; }
    // The timer of the wait before a continuous loop starts again (a
    // single-shot QTimer unless tests drive their own clock).
    void setRestartTimer(Timer timer) { m_timer = std::move(timer); }
    // The wait before a continuous loop starts again, 0 to MaxRestartPauseMs.
    void setRestartPauseMs(int ms);
    int restartPauseMs() const { return m_restartPauseMs; }

    LoopMode loopMode() const;
    // Sets the mode; leaving the ladder gives back the user's rate.
    void setLoopMode(LoopMode mode);
    // The loop mode key: loop once -> continuously -> ladder -> once.
    void loopModeKeyPress(QObject* sender = nullptr);
    // The rates and passes of the ladder; a ladder under way starts again at
    // its first rate the next time a loop starts.
    void setSpeedLadder(const SpeedLadder& ladder);
    const SpeedLadder& speedLadder() const { return m_ladder; }
    // Whether the ladder runs: it sets the rate of the loop under way.
    bool ladderRunning() const { return m_ladderRunning; }

    // A loop was started with playLoopButtonClick and has not been left.
    bool LoopIsPlaying() const { return m_loopIsPlaying; }
    // The loop's end was reached and playback paused there.
    bool WaitingForLoopRestart() const { return m_waitingForLoopRestart; }
    // While all bookmarks play: play at the next play-state event.
    bool PlayOnNextStateChange() const { return m_playOnNextStateChange; }
    bool LoopContinuously() const { return m_loopContinuously; }
    // The next play-state event pauses again (full screen was left while
    // the clip was paused).
    bool rePausePending() const { return m_rePause; }
    QString indicator() const { return m_indicator; }

    // No loop plays, none waits to start again or to play the next bookmark.
    void resetLoopState();
    // Full screen was left while the clip was paused: pause again at the
    // next play-state event.
    void askRePause() { m_rePause = true; }
    // The play-all sequence ends: nothing waits to play the next bookmark,
    // and the player pauses if it plays.
    void stopPlayAllPlayback();
    // The stored loop mode, read from the settings file: the loop mode
    // toggle at the end of reading lands on it (and paints the button).
    void setStoredLoopContinuously(bool continuously) { m_loopContinuously = !continuously; }
    // The texts of the start and end time boxes, six digits or empty.
    QString startTimeDigits() const;
    QString endTimeDigits() const;

    // Whether a continuous loop waits to start again.
    bool restartPending() const { return m_restartPending; }
    // Calls off the pending restart; the loop rests paused at its end.
    void cancelRestart();
    // A new clip has opened: the boxes and the player's range are empty, the
    // clip rests at its start, no loop plays and none waits.
    void clipOpened();

    void setStartTimeButtonClick(QObject* sender = nullptr);
    void setEndTimeButtonClick(QObject* sender = nullptr);
    void resetEndTimeButtonClick(QObject* sender = nullptr);
    void resetLoopButtonClick(QObject* sender = nullptr);
    void playLoopButtonClick(QObject* sender = nullptr);
    void playFullVideoButtonClick(QObject* sender = nullptr);
    // The loop mode button: once <-> continuously; from the ladder, once.
    void loopOnceClick(QObject* sender = nullptr);
    void LoopPlayingIndicatorChange(const QString& mode);

    void ActiveMovie1PositionChange(double oldPosition, double newPosition);
    void ActiveMovie1PlayStateChange(int oldState, int newState);

    // Fills the two boxes from a stored loop and plays it, as a bookmark or
    // a Bookmark Command Line does (end empty: to the clip's end).
    void playStoredLoop(const QString& startDigits, const QString& endDigits);

private:
    bool playingAll() const;
    void turnOffPlayAll();
    void refuseLoop(const QString& message);
    void focusIfSender(QObject* sender);
    void restartAfterPause();
    void showLoopMode();
    void startLadder();
    void endLadder();

    MediaPlayerControl& m_player;
    LoopView& m_view;
    bool m_loopIsPlaying = false;
    bool m_waitingForLoopRestart = false;
    bool m_playOnNextStateChange = false;
    bool m_loopContinuously = false;
    bool m_rePause = false;
    PlayAllView* m_playAll = nullptr;
    Timer m_timer;
    bool m_restartPending = false;
    int m_restartNumber = 0; // tells a called-off restart from the pending one
    QString m_indicator = QStringLiteral("full");
    int m_restartPauseMs = RestartPauseMs;
    bool m_ladderMode = false;
    bool m_ladderRunning = false;
    double m_userRate = 1.0; // given back when the ladder ends
    SpeedLadder m_ladder;
};
