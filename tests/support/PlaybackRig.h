#pragma once

// The main window's playback controllers without a window: the player
// control on the fake engine, the loop, the transport and the clip loader,
// each seeing a recording view, wired to each other as the main window
// wires them. For core tests of the playback rules (Qt Core only).
// Header-only.

#include "FakeEngine.h"
#include "ManualClock.h"
#include "ScriptedPrompt.h"
#include "core/playback/ClipLoader.h"
#include "core/playback/ClipView.h"
#include "core/playback/LoopControls.h"
#include "core/playback/LoopView.h"
#include "core/playback/MediaPlayerControl.h"
#include "core/playback/TransportControls.h"
#include "core/playback/TransportView.h"
#include "core/settings/Settings.h"

#include <QDir>
#include <QFile>
#include <QSize>
#include <QTemporaryDir>

// The loop's boxes and marks as plain values.
class FakeLoopView : public LoopView {
public:
    QString start, end; // the two time boxes, six digits or empty
    bool loopMarked = false;
    bool continuously = false;
    QString ladder;       // the loop-mode button in the ladder's mode
    bool playing = false; // the play button reads "pause"
    int playingBookmarkCleared = 0;
    int focusGiven = 0;

    QString startTimeDigits() const override { return start; }
    QString endTimeDigits() const override { return end; }
    void setStartTimeDigits(const QString& digits) override { start = digits; }
    void setEndTimeDigits(const QString& digits) override { end = digits; }
    void showLoopIndicator(bool loop) override { loopMarked = loop; }
    void showLoopMode(bool c) override
    {
        continuously = c;
        ladder.clear();
    }
    void showLadder(const QString& caption) override { ladder = caption; }
    void showPlaying(bool p) override { playing = p; }
    void clearPlayingBookmark() override { ++playingBookmarkCleared; }
    void giveFocusToSink() override { ++focusGiven; }
};

// The jump and rate lists as chosen values, at first the default settings'
// (3 s, 1 min, 5 frames, slow 0.5, fast 2.0).
class FakeTransportView : public TransportView {
public:
    int values[6]; // by JumpList
    int slowEntry = Settings().slowMotionRate;
    int fastEntry = Settings().fastMotionRate;
    bool muted = false;
    SpeedMode marked = SpeedMode::Regular;
    int focusGiven = 0;

    FakeTransportView()
    {
        const Settings d;
        values[int(JumpList::backSeconds)] = Settings::secondsChoices().at(d.backSecondsValue).toInt();
        values[int(JumpList::forwardSeconds)] = Settings::secondsChoices().at(d.forwardSecondsValue).toInt();
        values[int(JumpList::backMinutes)] = Settings::minutesChoices().at(d.backMinutesValue).toInt();
        values[int(JumpList::forwardMinutes)] = Settings::minutesChoices().at(d.forwardMinutesValue).toInt();
        values[int(JumpList::backFrames)] = Settings::framesChoices().at(d.backFramesValue).toInt();
        values[int(JumpList::forwardFrames)] = Settings::framesChoices().at(d.forwardFramesValue).toInt();
    }
    int& value(JumpList list) { return values[static_cast<int>(list)]; }

    int jumpValue(JumpList list) const override { return values[static_cast<int>(list)]; }
    int slowRateEntry() const override { return slowEntry; }
    int fastRateEntry() const override { return fastEntry; }
    void showMuted(bool m) override { muted = m; }
    void showSpeedMode(SpeedMode mode) override { marked = mode; }
    void giveFocusToSink() override { ++focusGiven; }
};

// The title and the information fields of the clip.
class FakeClipView : public ClipView {
public:
    QString folder; // the options' default clip folder
    QSize size{640, 360};
    QString title;
    QString fileName, clipFolder, videoSizeText, totalTime, framesPerSecond, screenSize;
    int focusGiven = 0;

    QString defaultVideoDirectory() const override { return folder; }
    QSize videoSize() const override { return size; }
    void setTitle(const QString& t) override { title = t; }
    void showClipFacts(const QString& name, const QString& dir, const QString& videoSize, const QString& total) override
    {
        fileName = name;
        clipFolder = dir;
        videoSizeText = videoSize;
        totalTime = total;
        framesPerSecond.clear();
    }
    QString framesPerSecondText() const override { return framesPerSecond; }
    void setFramesPerSecondText(const QString& text) override { framesPerSecond = text; }
    void setScreenSizeText(const QString& text) override { screenSize = text; }
    void giveFocusToSink() override { ++focusGiven; }
};

class PlaybackRig {
public:
    QTemporaryDir dir;
    ScriptedPrompt prompt;
    ManualClock clock; // the engine's time and the loop's restart wait
    FakeEngine* engine;
    MediaPlayerControl player;
    FakeLoopView loopView;
    FakeTransportView transportView;
    FakeClipView clipView;
    LoopControls loops;
    TransportControls transport;
    ClipLoader clips;

    explicit PlaybackRig(double clipSeconds = 120.0)
        : engine(new FakeEngine), player(engine), loops(player, loopView), transport(player, transportView, loops),
          clips(player, clipView, loops, transport)
    {
        FakeEngine::Clip clip;
        clip.duration = clipSeconds;
        engine->setDefaultClip(clip);
        engine->initialize();
        player.setTimerEnabled(false);
        loops.setRestartTimer([this](int ms, std::function<void()> done) { clock.schedule(ms, std::move(done)); });
        // The player's events reach the loop as the main window hands them on.
        QObject::connect(&player, &MediaPlayerControl::OnPositionChange, &loops,
                         [this](double oldPosition, double newPosition, quint32, quint32) {
                             loops.ActiveMovie1PositionChange(oldPosition, newPosition);
                         });
        QObject::connect(&player, &MediaPlayerControl::OnPlayStateChange, &loops,
                         &LoopControls::ActiveMovie1PlayStateChange);
        clipView.folder = clipFolder();
        QDir().mkpath(clipFolder());
        clips.ResetInitialVideoDirectory();
    }

    QString clipFolder() const { return dir.path() + QStringLiteral("/VideoClips/"); }

    // Makes a clip file (the fake engine plays any existing file).
    QString makeClip(const QString& name, const QString& folder = {}) const
    {
        const QString in = folder.isEmpty() ? clipFolder() : folder;
        QDir().mkpath(in);
        QFile f(in + name);
        if (f.open(QIODevice::WriteOnly))
            f.write("clip");
        return in + name;
    }

    // Opens a clip and lets the engine finish loading it.
    void openClip(const QString& path)
    {
        clips.StartVideoClip(nullptr, path);
        engine->finishLoad();
    }
    // Opens "lesson.mp4" (playing from its start) and forgets what was shown.
    void openLesson()
    {
        openClip(makeClip(QStringLiteral("lesson.mp4")));
        prompt.clear();
    }

    void setBoxes(const QString& start, const QString& end)
    {
        loopView.start = start;
        loopView.end = end;
    }

    // One tick of the player: the clock moves, then the tick hands on events.
    void step(int ms = MediaPlayerControl::TickIntervalMs)
    {
        engine->advance(ms);
        clock.advance(ms);
        player.tick();
    }
    // Runs ticks until the condition holds or the clip time runs out.
    template <class Condition> bool stepUntil(Condition condition, int maxMs = 200000)
    {
        for (int t = 0; t < maxMs; t += MediaPlayerControl::TickIntervalMs) {
            if (condition())
                return true;
            step();
        }
        return condition();
    }
    void pauseAt(double seconds)
    {
        player.setCurrentPosition(seconds);
        player.Pause();
        step();
    }
};
