// MpvEngine against the real libmpv, without a display or sound: tiny clips
// from tests/data/clips, every wait bounded by a deadline.
#include "core/playback/LoopRules.h"
#include "core/playback/MediaPlayerControl.h"
#include "gui/playback/MpvEngine.h"

#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <memory>

namespace {

constexpr int LoadDeadlineMs = 5000;
constexpr double FrameSeconds = 1.0 / 30.0;

QString clip(const char* name)
{
    return QDir::cleanPath(QStringLiteral(TEMPOLOOP_TEST_DATA "/clips/") + QLatin1String(name));
}

// A sound output that cannot start: the file it would write cannot be made.
MpvEngineOptions brokenSoundOutput()
{
    MpvEngineOptions options{QStringLiteral("null"), QStringLiteral("pcm")};
    options.extraOptions = {{"ao-pcm-file", "/nonexistent-folder/sound.wav"}};
    return options;
}

// The main window's loop handling, reduced to what the player control must
// support: pause when a position reaches the loop's end (resting there, as
// "loop once" does), return to the loop's start when playing starts again,
// and play-then-pause whenever playback stops.
struct LoopDriver {
    MediaPlayerControl& player;
    bool looping = false;
    bool waiting = false;
    int ends = 0;
    int stops = 0;
    double lowestAfterRestart = 1e9;

    explicit LoopDriver(MediaPlayerControl& p) : player(p)
    {
        QObject::connect(&player, &MediaPlayerControl::OnPositionChange, [this](double, double now, quint32, quint32) {
            if (!waiting && looping)
                lowestAfterRestart = std::min(lowestAfterRestart, now);
            if (waiting || !looping || !loopEndReached(now, player.SelectionEnd(), player.Duration()))
                return;
            player.Pause();
            waiting = true;
            ++ends;
        });
        QObject::connect(&player, &MediaPlayerControl::OnPlayStateChange, [this](int, int now) {
            if (now == mpStopped) {
                ++stops;
                player.Play();
                player.Pause();
            }
            if (waiting && now == mpPlaying) {
                player.setCurrentPosition(player.SelectionStart());
                waiting = false;
                lowestAfterRestart = 1e9;
            }
        });
    }

    void playLoop(double start)
    {
        player.setSelectionStart(-1);
        player.setSelectionEnd(-1);
        player.setSelectionStart(start);
        player.setCurrentPosition(start);
        player.Play();
        looping = true;
    }
};

} // namespace

class TestMpvEngine : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<MpvEngine> makeEngine()
    {
        auto engine = std::make_unique<MpvEngine>(MpvEngineOptions{QStringLiteral("null"), QStringLiteral("null")});
        if (!engine->initialize())
            return nullptr;
        return engine;
    }

    // The player control on a real engine, with the clip open.
    std::unique_ptr<MediaPlayerControl>
    openInPlayer(const char* name, const MpvEngineOptions& options = {QStringLiteral("null"), QStringLiteral("null")})
    {
        auto* engine = new MpvEngine(options);
        if (!engine->initialize()) {
            delete engine;
            return nullptr;
        }
        auto player = std::make_unique<MediaPlayerControl>(engine);
        player->setFileName(clip(name));
        player->Open();
        QElapsedTimer clock;
        clock.start();
        while (player->OpenState() == osLoading && clock.elapsed() < LoadDeadlineMs)
            QTest::qWait(10);
        return player;
    }

    std::unique_ptr<MpvEngine> openTinyClip()
    {
        auto engine = makeEngine();
        if (engine) {
            engine->load(clip("tiny_counted.mp4"));
            if (!engine->waitForLoad(LoadDeadlineMs))
                return nullptr;
        }
        return engine;
    }

private slots:
    void opensClipAndReportsItsFacts()
    {
        auto engine = makeEngine();
        QVERIFY(engine);
        QSignalSpy loaded(engine.get(), &PlaybackEngine::fileLoaded);
        QSignalSpy failed(engine.get(), &PlaybackEngine::loadFailed);
        QVERIFY(!engine->isOpen());

        engine->load(clip("tiny_counted.mp4"));
        QVERIFY(engine->waitForLoad(LoadDeadlineMs));
        QCOMPARE(loaded.count(), 1);
        QCOMPARE(failed.count(), 0);
        QVERIFY(engine->isOpen());
        QVERIFY(engine->isPaused());
        QVERIFY(!engine->isAtEnd());
        QCOMPARE(engine->position(), 0.0);
        QVERIFY(qAbs(engine->duration() - 3.0) < 0.05);
        QCOMPARE(engine->framesPerSecond(), 30.0);
        QCOMPARE(engine->frameCount(), 90);
        QCOMPARE(engine->videoWidth(), 160);
        QCOMPARE(engine->videoHeight(), 90);
        QVERIFY2(engine->videoDecoderName().contains(QLatin1String("h264"), Qt::CaseInsensitive),
                 qPrintable(engine->videoDecoderName()));
        // The drawing-free engine has no picture to give.
        QCOMPARE(engine->createVideoSurface(nullptr), nullptr);
    }

    void audioOnlyClipHasNoPicture()
    {
        auto engine = makeEngine();
        QVERIFY(engine);
        engine->load(clip("tiny_beat.mp3"));
        QVERIFY(engine->waitForLoad(LoadDeadlineMs));
        QVERIFY(qAbs(engine->duration() - 2.0) < 0.15);
        QCOMPARE(engine->videoWidth(), 0);
        QCOMPARE(engine->videoHeight(), 0);
        QCOMPARE(engine->videoDecoderName(), QString());
        QCOMPARE(engine->frameCount(), 0);
    }

    void unplayableInputFailsWithinDeadline_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("noise named .mp4") << clip("random_bytes.mp4");
        QTest::newRow("mp4 cut before its index") << clip("truncated.mp4");
        QTest::newRow("empty file") << clip("empty.mp4");
        QTest::newRow("missing file") << clip("no_such_clip.mp4");
        QTest::newRow("folder") << clip("");
        QTest::newRow("relative path") << QStringLiteral("tests/data/clips/tiny_counted.mp4");
        QTest::newRow("URL") << QStringLiteral("http://127.0.0.1:9/clip.mp4");
        QTest::newRow("empty path") << QString();
    }

    void unplayableInputFailsWithinDeadline()
    {
        QFETCH(QString, path);
        // A good clip first: a failed load must not leave it looking open.
        auto engine = openTinyClip();
        QVERIFY(engine);
        QSignalSpy loaded(engine.get(), &PlaybackEngine::fileLoaded);
        QSignalSpy failed(engine.get(), &PlaybackEngine::loadFailed);

        QElapsedTimer clock;
        clock.start();
        engine->load(path);
        QVERIFY(!engine->waitForLoad(LoadDeadlineMs));
        QVERIFY(clock.elapsed() < LoadDeadlineMs + 1000);
        QTRY_COMPARE_WITH_TIMEOUT(failed.count(), 1, 2000);
        QVERIFY(!failed.first().first().toString().isEmpty());
        QCOMPARE(loaded.count(), 0);
        QVERIFY(!engine->isOpen());
        QCOMPARE(engine->duration(), 0.0);
        QCOMPARE(engine->videoWidth(), 0);

        // The engine is still usable afterwards.
        engine->load(clip("tiny_counted.mp4"));
        QVERIFY(engine->waitForLoad(LoadDeadlineMs));
        QCOMPARE(failed.count(), 1);
    }

    void loadPastItsDeadlineFailsForGood()
    {
        auto engine = makeEngine();
        QVERIFY(engine);
        QSignalSpy loaded(engine.get(), &PlaybackEngine::fileLoaded);
        QSignalSpy failed(engine.get(), &PlaybackEngine::loadFailed);
        engine->load(clip("tiny_counted.mp4"));
        QVERIFY(!engine->waitForLoad(0));
        QCOMPARE(failed.count(), 1);
        // mpv may finish opening anyway; that must not revive the load.
        QTest::qWait(500);
        QCOMPARE(loaded.count(), 0);
        QVERIFY(!engine->isOpen());
    }

    void exactSeekLandsOnTheAskedFrame_data()
    {
        QTest::addColumn<double>("target");
        QTest::addColumn<int>("frame");
        QTest::newRow("keyframe") << 1.0 << 30;
        QTest::newRow("frame before a keyframe") << 29 * FrameSeconds << 29;
        QTest::newRow("mid GOP") << 45 * FrameSeconds << 45;
        QTest::newRow("last frame") << 89 * FrameSeconds << 89;
        QTest::newRow("past the end") << 5.0 << 89;
        QTest::newRow("back to start") << 0.0 << 0;
    }

    void exactSeekLandsOnTheAskedFrame()
    {
        QFETCH(double, target);
        QFETCH(int, frame);
        auto engine = openTinyClip();
        QVERIFY(engine);
        // Start away from the target so a seek that does nothing shows.
        engine->seek(target < 1.5 ? 2.5 : 0.5);
        QSignalSpy moved(engine.get(), &PlaybackEngine::positionChanged);
        QTRY_VERIFY_WITH_TIMEOUT(moved.count() > 0, 3000);

        moved.clear();
        engine->seek(target);
        QCOMPARE(engine->position(), target);
        QTRY_VERIFY_WITH_TIMEOUT(moved.count() > 0, 3000);
        const double landed = moved.last().first().toDouble();
        QVERIFY2(qAbs(landed - frame * FrameSeconds) <= FrameSeconds / 2,
                 qPrintable(QStringLiteral("asked %1, landed %2").arg(target).arg(landed)));
        QCOMPARE(engine->position(), landed);
        QVERIFY(engine->isPaused());
    }

    // Between two frames the later one is shown; mpv reports either its time
    // or the target itself, never an earlier time.
    void seekBetweenFramesShowsTheLaterOne()
    {
        auto engine = openTinyClip();
        QVERIFY(engine);
        QSignalSpy moved(engine.get(), &PlaybackEngine::positionChanged);
        const double target = 61.4 * FrameSeconds;
        engine->seek(target);
        QTRY_VERIFY_WITH_TIMEOUT(moved.count() > 0, 3000);
        QTest::qWait(100);
        const double landed = engine->position();
        QVERIFY2(landed >= target - 1e-6 && landed <= 62 * FrameSeconds + 1e-6, qPrintable(QString::number(landed)));
    }

    void stepsOneFrameAtATime()
    {
        auto engine = openTinyClip();
        QVERIFY(engine);
        QSignalSpy moved(engine.get(), &PlaybackEngine::positionChanged);
        // Forward across a keyframe and back across it again.
        const int frames[] = {28, 29, 30, 31, 30, 29, 28};
        for (int frame : frames) {
            moved.clear();
            engine->seek(frame * FrameSeconds);
            QTRY_VERIFY_WITH_TIMEOUT(moved.count() > 0, 3000);
            QCOMPARE(qRound(engine->position() / FrameSeconds), frame);
        }
    }

    void playsToTheEndAndStaysThere()
    {
        auto engine = openTinyClip();
        QVERIFY(engine);
        engine->seek(2.5);
        QSignalSpy moved(engine.get(), &PlaybackEngine::positionChanged);
        QSignalSpy paused(engine.get(), &PlaybackEngine::pausedChanged);
        QSignalSpy ended(engine.get(), &PlaybackEngine::endReached);
        QTRY_VERIFY_WITH_TIMEOUT(moved.count() > 0, 3000);
        moved.clear();

        engine->setPaused(false);
        QVERIFY(!engine->isPaused());
        QCOMPARE(paused.count(), 1);
        QCOMPARE(paused.first().first().toBool(), false);

        QTRY_COMPARE_WITH_TIMEOUT(ended.count(), 1, 5000);
        QVERIFY(engine->isAtEnd());
        QTRY_VERIFY_WITH_TIMEOUT(engine->isPaused(), 2000);
        QCOMPARE(paused.last().first().toBool(), true);
        // Several frames were reported on the way, in order.
        QVERIFY2(moved.count() >= 5, qPrintable(QString::number(moved.count())));
        for (int i = 1; i < moved.count(); ++i)
            QVERIFY(moved.at(i).first().toDouble() >= moved.at(i - 1).first().toDouble());
        QVERIFY(engine->position() > 2.9);

        // Seeking back leaves the end.
        engine->seek(1.0);
        QVERIFY(!engine->isAtEnd());
        QTRY_VERIFY_WITH_TIMEOUT(qAbs(engine->position() - 1.0) < 1e-3 && moved.count() > 0, 3000);
    }

    void pauseStopsThePosition()
    {
        auto engine = openTinyClip();
        QVERIFY(engine);
        QSignalSpy moved(engine.get(), &PlaybackEngine::positionChanged);
        engine->setPaused(false);
        QTRY_VERIFY_WITH_TIMEOUT(engine->position() > 0.3, 3000);
        engine->setPaused(true);
        QTest::qWait(150);
        const double held = engine->position();
        moved.clear();
        QTest::qWait(300);
        QCOMPARE(engine->position(), held);
        for (const auto& args : moved)
            QCOMPARE(args.first().toDouble(), held);
    }

    // Sound-only clips and clips whose sound outlasts the picture stop
    // reporting positions short of their end; a loop to the end must still
    // end there, rest paused ("loop once") and play again from its start.
    void loopToTheClipsEndRestsThereAndPlaysAgain_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("mp3") << "tiny_beat.mp3";
        QTest::newRow("sound outlasts picture") << "tiny_long_audio.mp4";
        QTest::newRow("picture and sound") << "tiny_counted.mp4";
    }
    void loopToTheClipsEndRestsThereAndPlaysAgain()
    {
        QFETCH(QString, name);
        auto player = openInPlayer(qPrintable(name));
        QVERIFY(player);
        QCOMPARE(player->OpenState(), int(osOpen));
        LoopDriver loop(*player);
        const double start = player->Duration() - 1.0;
        loop.playLoop(start);

        QTRY_COMPARE_WITH_TIMEOUT(loop.ends, 1, 5000);
        QTest::qWait(300);
        QCOMPARE(player->PlayState(), int(mpPaused));
        QCOMPARE(loop.stops, 0);
        QVERIFY2(player->CurrentPosition() > start + 0.5, qPrintable(QString::number(player->CurrentPosition())));

        // Played again ("loop continuously" after its wait, or the play
        // button after "loop once"): back to the start, and to the end again.
        player->Play();
        QTRY_COMPARE_WITH_TIMEOUT(loop.ends, 2, 5000);
        QVERIFY2(loop.lowestAfterRestart < start + 0.3, qPrintable(QString::number(loop.lowestAfterRestart)));
        QTest::qWait(200);
        QCOMPARE(player->PlayState(), int(mpPaused));
        QCOMPARE(loop.stops, 0);
    }

    // Without a sound output clips still play, silently.
    void playsSilentlyWithoutASoundOutput()
    {
        auto player = openInPlayer("tiny_beat.mp3", brokenSoundOutput());
        QVERIFY(player);
        QCOMPARE(player->OpenState(), int(osOpen));
        QTRY_VERIFY_WITH_TIMEOUT(player->CurrentPosition() > 0.5, 3000);
        QCOMPARE(player->PlayState(), int(mpPlaying));
    }

    // A clip that fails after it has opened (here the sound output, with the
    // silent fallback turned off) leaves the player stopped, not "playing"
    // at a position that never moves.
    void failureAfterOpeningLeavesThePlayerStopped()
    {
        MpvEngineOptions options = brokenSoundOutput();
        options.extraOptions.append(qMakePair(QByteArray("audio-fallback-to-null"), QByteArray("no")));
        auto* engine = new MpvEngine(options);
        QVERIFY(engine->initialize());
        MediaPlayerControl player(engine);
        QSignalSpy loaded(engine, &PlaybackEngine::fileLoaded);
        QSignalSpy failed(engine, &PlaybackEngine::loadFailed);
        QSignalSpy states(&player, &MediaPlayerControl::OnPlayStateChange);
        QSignalSpy openStates(&player, &MediaPlayerControl::OnOpenStateChange);
        player.setFileName(clip("tiny_beat.mp3"));
        player.Open();

        QTRY_COMPARE_WITH_TIMEOUT(failed.count(), 1, LoadDeadlineMs);
        QTRY_VERIFY_WITH_TIMEOUT(!openStates.isEmpty() && openStates.last().at(1).toInt() == osClosed, 1000);
        QCOMPARE(player.OpenState(), int(osClosed));
        QCOMPARE(player.PlayState(), int(mpStopped));
        if (loaded.count() > 0) {
            // It had opened and started playing: the windows hear it stop.
            QVERIFY(!states.isEmpty());
            QCOMPARE(states.last().at(1).toInt(), int(mpStopped));
        }
        player.Play();
        QTest::qWait(200);
        QCOMPARE(player.PlayState(), int(mpStopped));
    }

    // Window handlers run outside the engine's drain of mpv's events: one
    // that opens another clip and then runs an event loop of its own, as a
    // modal box does, neither runs inside the drain nor makes it run again
    // inside itself.
    void handlersRunOutsideTheEventDrain()
    {
        auto engine = openTinyClip();
        QVERIFY(engine);
        int calls = 0;
        int insideDrain = 0;
        auto note = [&] {
            ++calls;
            insideDrain += engine->isDraining();
        };
        connect(engine.get(), &PlaybackEngine::positionChanged, this, note);
        connect(engine.get(), &PlaybackEngine::pausedChanged, this, note);
        connect(engine.get(), &PlaybackEngine::fileLoaded, this, note);
        QSignalSpy loaded(engine.get(), &PlaybackEngine::fileLoaded);
        bool modalShown = false;
        connect(engine.get(), &PlaybackEngine::positionChanged, this, [&](double seconds) {
            if (modalShown || seconds < 0.2)
                return;
            modalShown = true;
            engine->load(clip("tiny_beat.mp3"));
            QEventLoop modal;
            connect(engine.get(), &PlaybackEngine::fileLoaded, &modal, &QEventLoop::quit);
            QTimer::singleShot(LoadDeadlineMs, &modal, &QEventLoop::quit);
            modal.exec();
        });
        engine->setPaused(false);

        QTRY_VERIFY_WITH_TIMEOUT(modalShown, 3000);
        QCOMPARE(loaded.count(), 1);
        QVERIFY(engine->isOpen());
        QVERIFY(qAbs(engine->duration() - 2.0) < 0.15);
        QVERIFY(calls > 3);
        QCOMPARE(insideDrain, 0);
    }

    void settingsSurviveMpvsEchoes()
    {
        auto engine = openTinyClip();
        QVERIFY(engine);
        engine->setSpeed(0.5);
        engine->setMuted(true);
        engine->setVolume(40);
        engine->setSpeed(2.0);
        QTest::qWait(300);
        QCOMPARE(engine->speed(), 2.0);
        QVERIFY(engine->isMuted());
        QCOMPARE(engine->volume(), 40);
        engine->setSpeed(0.0); // refused: not a speed
        QCOMPARE(engine->speed(), 2.0);
    }
};

QTEST_MAIN(TestMpvEngine)
#include "TestMpvEngine.moc"
