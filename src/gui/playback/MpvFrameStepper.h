#pragma once

#include <QTimer>
#include <memory>
#include <optional>

// MpvEngine's frame steps: forward by decoding the next frame, back by mpv's
// backward playing once the dancer steps back, and exact seeks where neither
// pays. It keeps the step under way, the direction mpv plays in and its turn
// to playing backwards, and what an exact seek back still has to make good;
// what it needs of the engine and of mpv it asks through Mpv.
class MpvFrameStepper {
public:
    enum class PlayDirection { Forward, Backward };
    // Where mpv's demuxer starts an exact seek: at the keyframe before the
    // target, or at the one before that.
    enum class SeekStart { AtTarget, EarlierKeyframe };
    // How an exact seek's landing stands: shown, or made again (see
    // exactSeekLanded).
    enum class Landing { Stands, SoughtAgain };

    // What the stepper asks of the engine and, through it, of mpv. Every
    // request to mpv is sent without waiting for it.
    class Mpv {
    public:
        virtual ~Mpv() = default;
        // A clip is open and paused, and no seek is on its way.
        virtual bool restsPaused() const = 0;
        // Resting so, mpv may play on by one frame and pause again: the clip
        // has a picture, is not at its end, no pause is on its way to mpv,
        // and mpv has not stopped at the pause point.
        virtual bool canPlayOneFrame() const = 0;
        virtual double position() const = 0;
        virtual double speed() const = 0;
        // The engine's frame times (see PlaybackEngine::frameTimeFrom).
        virtual double frameTimeFrom(double seconds, int count) const = 0;
        // The position reads `frameTime`, the frame a step is going to,
        // until mpv shows where it is.
        virtual void readAs(double frameTime) = 0;
        // The pause point stops mpv only when played to from `from`.
        virtual void armPausePoint(double from) = 0;
        // mpv's end of playing at the pause point means nothing backwards.
        virtual void dropPausePointEnd() = 0;
        // An exact seek to the frame at `frameTime`; the engine tells the
        // stepper first (seekStarts).
        virtual void seekToFrame(double frameTime) = 0;
        // mpv plays one frame in its direction and pauses by itself.
        virtual void sendFrameStep() = 0;
        // mpv answers by mpvPaused() if it has paused.
        virtual void askWhetherPaused() = 0;
        // mpv answers a turn backwards by turnTaken(), then settles with a
        // seek of its own (playbackRestarted()).
        virtual void setPlayDirection(PlayDirection direction) = 0;
        virtual void setSeekStart(SeekStart start) = 0;
    };

    // Which ways of stepping are taken where they pay (MpvEngineOptions).
    struct Ways {
        bool forwardByDecoding = true;
        bool backByReversing = true;
    };

    MpvFrameStepper(std::unique_ptr<Mpv> mpv, Ways ways);
    MpvFrameStepper(const MpvFrameStepper&) = delete;
    MpvFrameStepper& operator=(const MpvFrameStepper&) = delete;

    // PlaybackEngine::stepFrames: `count` frames from the frame at `from`.
    void stepFrames(double from, int count);

    // Whether a step has not shown its frame yet (the position reads it).
    bool stepPending() const { return m_step.has_value(); }
    // Whether mpv's pause is a step's: mpv plays for it and pauses again by
    // itself, which is not the engine's play or pause.
    bool stepHoldsPause() const { return m_mpvPause == PauseOwner::FrameStep; }
    // Whether mpv plays forward (or is about to turn, but has not been told).
    bool playsForward() const { return m_heading == Heading::Forward || m_heading == Heading::TurnWanted; }
    // Whether mpv is turning to play backwards; it seeks to where it rests
    // meanwhile, and nothing moves.
    bool isTurning() const { return m_heading == Heading::TurnAsked || m_heading == Heading::TurnTaken; }
    // Whether mpv's demuxer starts seeks at an earlier keyframe.
    bool seeksStartEarlier() const { return m_seekStart == SeekStart::EarlierKeyframe; }
    // Single-frame steps that showed nothing in time and were made again as
    // exact seeks.
    int stepsRedone() const { return m_stepsRedone; }

    // mpv shows a frame at `seconds`. Returns whether a step under way keeps
    // it to itself (not out yet, or more frames back owed): the position is
    // not reported then.
    bool holdsPosition(double seconds);
    // mpv has paused, while stepHoldsPause().
    void mpvPaused();
    // The engine pauses or plays mpv itself: a step's pause is no longer
    // waited for.
    void takePauseBack();
    // mpv has taken the turn backwards.
    void turnTaken();
    // mpv has settled after a seek.
    void playbackRestarted();
    // The engine seeks exactly: a step under way is given up (the engine
    // pauses mpv if stepPending() or stepHoldsPause()), and mpv plays forward.
    void seekStarts();
    // The engine's last exact seek has landed on `landed`, no step under
    // way. A seek back that did not move is made again, from an earlier
    // keyframe.
    Landing exactSeekLanded(double landed);
    // After a landing has been shown: mpv turns backwards if a step back
    // asked for it.
    void turnIfWanted();
    // Forgets the step under way; mpv is told nothing.
    void endStep();
    // mpv passes over frames backwards in this clip: every step back seeks.
    void seekEveryStepBack() { m_reversing = Reversing::Fails; }
    // A new clip: mpv plays forward and seeks start at their target (the
    // engine has told mpv so), and the clip may play backwards.
    void newClip();

private:
    // The direction mpv plays in, and its turn to playing backwards.
    enum class Heading {
        Forward,
        TurnWanted, // forward; turns once the step back's seek is shown
        TurnAsked,  // told to play backwards, not answered yet
        TurnTaken,  // backwards once the seek of its turn has settled
        Backward,
    };
    enum class PauseOwner { Engine, FrameStep };
    // Whether this clip plays backwards in time for steps back.
    enum class Reversing { Usable, Fails };
    enum class StepDirection { Forward, Backward };
    // A step back with more owed: its frame still to show, or shown and
    // the next one waiting for mpv to pause again.
    enum class StepPhase { Showing, NextAfterPause };
    // A frame step under way: where it started (the frame last shown), and
    // frames back still to go once it is out, as the key repeats faster
    // than frames come.
    struct Step {
        StepDirection direction;
        double from;
        int owed = 0;
        StepPhase phase = StepPhase::Showing;
    };
    // An exact seek back: from where and to which frame.
    struct BackSeek {
        double from;
        double to;
    };
    // A step that has not shown its frame by then is made by a seek
    // instead; a step waiting for mpv to turn backwards waits longer, as
    // the turn decodes the keyframe's whole group.
    static constexpr int StepDeadlineMs = 1000;
    static constexpr int TurnDeadlineMs = 4000;

    bool canStepByDecoding(double from, double to) const;
    bool canStepByReversing(double from, double to) const;
    bool reversedStepPays(double from, double to) const;
    void sendFrameStep();
    bool stepLanded(double seconds);
    bool skippedFrames(double from, double landed) const;
    void turnForwards();
    void stepTookTooLong();

    std::unique_ptr<Mpv> m_mpv;
    Ways m_ways;
    std::optional<Step> m_step;
    PauseOwner m_mpvPause = PauseOwner::Engine;
    Heading m_heading = Heading::Forward;
    Reversing m_reversing = Reversing::Usable;
    // Until its landing: made again if it does not move.
    std::optional<BackSeek> m_backSeek;
    SeekStart m_seekStart = SeekStart::AtTarget;
    QTimer m_deadline;
    int m_stepsRedone = 0;
};
