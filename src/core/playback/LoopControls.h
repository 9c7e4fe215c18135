#pragma once

#include "core/beats/BeatGrid.h"
#include "core/playback/CountIn.h"
#include "core/playback/LoopSource.h"
#include "core/playback/PlayStates.h"
#include "core/playback/SpeedLadder.h"

#include <QObject>
#include <QString>
#include <functional>
#include <optional>

class CountInPlayer;
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
// With the count-in on and the clip's beats known, the wait is the count-in
// instead: the four beats before the loop's start, at the loop's rate,
// counted aloud or clicked, before every pass and before the first one (not
// in the play-all sequence, which has no wait either). The loop plays again
// when the count's own sound reaches "1"; with nothing to hear it, after the
// count-in's length. Keys act during it as during the wait, and leaving the
// wait silences the count.
//
// The speed ladder is a continuous loop that plays a number of passes at
// each rate of a SpeedLadder. The rate is set while the loop rests paused at
// its end, before it starts again from its start; leaving the loop, playing
// the full video or changing the mode gives back the rate the user had.
//
// What was practised is told by signals: a loop started, each pass that
// reached the loop's end, a loop left or refused.
class LoopControls : public QObject {
    Q_OBJECT
public:
    // The default wait, and the longest one allowed.
    static constexpr int RestartPauseMs = 400;
    static constexpr int MaxRestartPauseMs = 5000;
    enum class LoopMode { Once, Continuously, Ladder };
    // What the loop indicator shows: the full video plays, or a loop.
    enum class Indicator { FullVideo, Loop };
    // Calls done once, ms milliseconds from now.
    using Timer = std::function<void(int ms, std::function<void()> done)>;
    // The digits "set start/end time" put into a time box for a playback
    // position; by default the whole second nearest to it.
    using LoopPointRule = std::function<QString(double position)>;

    LoopControls(MediaPlayerControl& player, LoopView& view, QObject* parent = nullptr);

    // The catalog's play-all sequence; none until a catalog player exists.
    void setPlayAllView(PlayAllView* sequence) { m_playAll = sequence; }
    // The timer of the wait before a continuous loop starts again (a
    // single-shot QTimer unless tests drive their own clock).
    void setRestartTimer(Timer timer) { m_timer = std::move(timer); }
    // How "set start/end time" read the playback position (precise loop
    // points, snap to the beat); none: whole seconds.
    void setLoopPointRule(LoopPointRule rule) { m_pointRule = std::move(rule); }
    // How long past its length a sounding count-in may take to report its
    // "1" before the loop plays again without it.
    static constexpr int CountInGraceMs = 1000;
    // The wait before a continuous loop starts again, 0 to MaxRestartPauseMs.
    void setRestartPauseMs(int ms);
    int restartPauseMs() const { return m_restartPauseMs; }
    // The count-in: what is heard (off: the loops wait their repeat gap),
    // its volume (percent), and what sounds it (none: nothing is heard, and
    // the loop still waits the count-in's length).
    void setCountIn(countin::CountInSound sound, int volume);
    countin::CountInSound countInSound() const { return m_countInSound; }
    int countInVolume() const { return m_countInVolume; }
    void setCountInPlayer(CountInPlayer* player) { m_countInPlayer = player; }
    // The beats of the open clip, which time the count-in.
    void setBeatGrid(const beats::BeatGrid& grid) { m_grid = grid; }
    // The count-in of the loop under way at its current rate; none when the
    // loop waits its repeat gap.
    std::optional<countin::CountInPlan> countInPlan() const;

    LoopMode loopMode() const;
    // Sets the mode; leaving the ladder gives back the user's rate.
    void setLoopMode(LoopMode mode);
    // The loop mode key: loop once -> continuously -> ladder -> once.
    void cycleLoopMode();
    // The rates and passes of the ladder; a ladder under way starts again at
    // its first rate the next time a loop starts.
    void setSpeedLadder(const SpeedLadder& ladder);
    const SpeedLadder& speedLadder() const { return m_ladder; }
    // Whether the ladder runs: it sets the rate of the loop under way.
    bool ladderRunning() const { return m_rateBeforeLadder.has_value(); }

    // A loop was started with playLoop() and has not been left.
    bool LoopIsPlaying() const { return m_loopIsPlaying; }
    // The loop's end was reached and playback paused there.
    bool WaitingForLoopRestart() const { return m_waitingForLoopRestart; }
    // While all bookmarks play: play at the next play-state event.
    bool PlayOnNextStateChange() const { return m_playOnNextStateChange; }
    // A loop starts again at its end: continuously, or on the ladder.
    bool LoopContinuously() const { return m_mode != LoopMode::Once; }
    // The next play-state event pauses again (full screen was left while
    // the clip was paused).
    bool rePausePending() const { return m_rePause; }
    Indicator indicator() const { return m_indicator; }

    // No loop plays, none waits to start again or to play the next bookmark.
    void resetLoopState();
    // Full screen was left while the clip was paused: pause again at the
    // next play-state event.
    void askRePause() { m_rePause = true; }
    // The play-all sequence ends: nothing waits to play the next bookmark,
    // and the player pauses if it plays.
    void stopPlayAllPlayback();
    // The texts of the start and end time boxes, six digits or empty.
    QString startTimeDigits() const;
    QString endTimeDigits() const;

    // Whether a continuous loop waits to start again.
    bool restartPending() const { return m_pendingRestart.has_value(); }
    // Calls off the pending restart; the loop rests paused at its end.
    void cancelRestart();
    // A new clip has opened: the boxes and the player's range are empty, the
    // clip rests at its start, no loop plays and none waits.
    void clipOpened();

    // "set start/end time": the playback position goes into the box.
    void setLoopStart();
    void setLoopEnd();
    // Empties the end box (the loop runs to the clip's end), or both.
    void clearLoopEnd();
    void clearLoop();
    // Plays the loop written in the two boxes, in the loop mode; false when
    // it was refused (the user is told why).
    bool playLoop();
    void playFullVideo();
    // The loop mode button: once <-> continuously; from the ladder, once.
    void toggleContinuously();
    void showIndicator(Indicator indicator);

    // The player's position and play-state events run the loop.
    void positionChanged(double oldPosition, double newPosition);
    void playStateChanged(PlayStateValue oldState, PlayStateValue newState);

    // Fills the two boxes from a stored loop and plays it, as a bookmark or
    // a Bookmark Command Line does (end empty: to the clip's end).
    void playStoredLoop(const QString& startDigits, const QString& endDigits);

    // The boxes' times moved while a loop plays or rests (the nudge keys):
    // the loop takes them as it starts its next pass. Start and end in
    // seconds; an end of -1 runs to the clip's end. Nothing happens when no
    // loop plays.
    void moveLoopFromNextPass(double startSeconds, double endSeconds);

signals:
    // A loop started from its start (a pass that starts again is no new
    // loop).
    void loopStarted(LoopSource source);
    // A loop was asked for and refused: nothing plays it.
    void loopRefused(LoopSource source);
    // A pass of the loop reached the loop's end: played at `rate`, it
    // lasted `seconds`.
    void passEnded(double rate, double seconds);
    // The loop under way is over: the full video plays, the loop was
    // cleared, or a new clip opened.
    void loopLeft();

private:
    bool playingAll() const;
    void turnOffPlayAll();
    void refuseLoop(const QString& message);
    void restartAfterPause();
    void waitBeforePlaying();
    void prepareCountIn();
    void showLoopMode();
    void startLadder();
    void endLadder();
    QString loopPointDigits() const;
    void applyNextPass();
    bool startLoop(LoopSource source);
    bool playLoopChecked();

    MediaPlayerControl& m_player;
    LoopView& m_view;
    LoopMode m_mode = LoopMode::Once;
    Indicator m_indicator = Indicator::FullVideo;
    bool m_loopIsPlaying = false;
    bool m_waitingForLoopRestart = false;
    bool m_playOnNextStateChange = false;
    bool m_rePause = false;
    PlayAllView* m_playAll = nullptr;
    Timer m_timer;
    // The restart a continuous loop waits for, by its number: a called-off
    // restart's timer finds another number, or none.
    std::optional<quint64> m_pendingRestart;
    quint64 m_restartsAsked = 0;
    int m_restartPauseMs = RestartPauseMs;
    countin::CountInSound m_countInSound = countin::CountInSound::Off;
    int m_countInVolume = countin::DefaultVolume;
    CountInPlayer* m_countInPlayer = nullptr;
    beats::BeatGrid m_grid;
    // The user's rate, given back when the ladder ends; none while it does
    // not run.
    std::optional<double> m_rateBeforeLadder;
    SpeedLadder m_ladder;
    LoopPointRule m_pointRule;
    // A range waiting for the loop's next pass: start, end (-1: none).
    std::optional<std::pair<double, double>> m_nextPass;
};
