#pragma once

// The main window's playback controllers without a window: the player
// control on the fake engine, the loop, the transport and the clip loader,
// each seeing a recording view, wired to each other as the main window
// wires them. For core tests of the playback rules (Qt Core only).
// Header-only.

#include "FakeEngine.h"
#include "FakeViews.h"
#include "ManualClock.h"
#include "ScriptedPrompt.h"
#include "core/playback/ClipLoader.h"
#include "core/playback/LoopControls.h"
#include "core/playback/MediaPlayerControl.h"
#include "core/playback/TransportControls.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

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
                             loops.positionChanged(oldPosition, newPosition);
                         });
        QObject::connect(&player, &MediaPlayerControl::OnPlayStateChange, &loops, &LoopControls::playStateChanged);
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
        clips.StartVideoClip(path);
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
