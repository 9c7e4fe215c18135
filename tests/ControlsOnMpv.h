#pragma once

// The player control, the loop controls and the transport controls of the
// main window on the real libmpv engine, without a display or sound, with
// the window's side of them reduced to what they ask for: the two time
// boxes, the jump lists, the play button's caption. Every wait has a
// deadline and ends on a positive marker (an event, a tick, an answer from
// mpv), never on a fixed sleep.
#include "FakeViews.h"
#include "ScriptedPrompt.h"
#include "core/playback/LoopControls.h"
#include "core/playback/MediaPlayerControl.h"
#include "core/playback/TransportControls.h"
#include "gui/playback/MpvEngine.h"

#include <QDir>
#include <QSignalSpy>
#include <QTest>
#include <memory>

namespace ControlsOnMpvClips {

inline QString clip(const char* name)
{
    return QDir::cleanPath(QStringLiteral(TEMPOLOOP_TEST_DATA "/clips/") + QLatin1String(name));
}

} // namespace ControlsOnMpvClips

class ControlsOnMpv {
public:
    static constexpr int DeadlineMs = 5000;

    explicit ControlsOnMpv(const MpvEngineOptions& options = {QStringLiteral("null"), QStringLiteral("null")})
    {
        engine = new MpvEngine(options);
        started = engine->initialize();
        player = std::make_unique<MediaPlayerControl>(engine);
        loops = std::make_unique<LoopControls>(*player, loopView);
        transport = std::make_unique<TransportControls>(*player, transportView, *loops);
        // Jumps and several frames go one at a time unless a test says more.
        for (int& value : transportView.values)
            value = 1;
        QObject::connect(player.get(), &MediaPlayerControl::OnPositionChange, loops.get(),
                         [this](double from, double to, quint32, quint32) { loops->positionChanged(from, to); });
        QObject::connect(player.get(), &MediaPlayerControl::OnPlayStateChange, loops.get(),
                         [this](PlayStateValue from, PlayStateValue to) {
                             if (to == mpStopped)
                                 ++stops;
                             loops->playStateChanged(from, to);
                         });
    }
    ~ControlsOnMpv()
    {
        transport.reset();
        loops.reset();
        player.reset();
    }

    // Opens the clip as the main window does (it plays at once) and waits
    // until it has loaded; false when it did not.
    bool open(const char* name)
    {
        QSignalSpy finished(player.get(), &MediaPlayerControl::loadFinished);
        player->setFileName(ControlsOnMpvClips::clip(name));
        player->Open();
        if (!finished.wait(DeadlineMs) || !finished.first().first().toBool())
            return false;
        loops->clipOpened();
        return true;
    }

    // Waits until mpv has answered a question asked now: whatever it had to
    // report before has been handled by then.
    bool sync()
    {
        const quint64 serial = engine->requestSync();
        return QTest::qWaitFor([&] { return engine->syncsReached() >= serial; }, DeadlineMs);
    }
    // Waits until the last seek or step has landed and been reported.
    bool landed()
    {
        return QTest::qWaitFor([&] { return !engine->seekPending(); }, DeadlineMs) && sync();
    }
    // Waits for `count` more ticks of the player control, each of which
    // would deliver a pending play-state change.
    bool ticks(int count = 2)
    {
        const quint64 until = player->tickCount() + count;
        return QTest::qWaitFor([&] { return player->tickCount() >= until; }, DeadlineMs);
    }

    // The player's position in frames of the given rate.
    int frame(double fps = 30.0) const { return qRound(player->CurrentPosition() * fps); }

    ScriptedPrompt prompt;
    FakeLoopView loopView;
    FakeTransportView transportView;
    MpvEngine* engine = nullptr; // owned by the player
    bool started = false;
    std::unique_ptr<MediaPlayerControl> player;
    std::unique_ptr<LoopControls> loops;
    std::unique_ptr<TransportControls> transport;
    int stops = 0;
};
