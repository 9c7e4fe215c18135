// MpvEngine against the real libmpv, without a display or sound: tiny clips
// from tests/data/clips, every wait bounded by a deadline and ended by a
// positive marker (a signal, an answer from mpv, a tick of the player).
// The window's controls on the real engine: TestControlsOnMpv.
#include "EngineLoads.h"
#include "core/playback/MediaPlayerControl.h"
#include "gui/playback/ClipFrameScan.h"
#include "gui/playback/MpvEngine.h"

#include <QDir>
#include <QEventLoop>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <algorithm>
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
        if (!QTest::qWaitFor([&] { return player->OpenState() != osLoading; }, LoadDeadlineMs))
            return nullptr;
        return player;
    }

    std::unique_ptr<MpvEngine> openTinyClip(const char* name = "tiny_counted.mp4")
    {
        auto engine = makeEngine();
        if (engine) {
            engine->load(clip(name));
            if (!loadEnds(*engine, LoadDeadlineMs))
                return nullptr;
        }
        return engine;
    }

    // Waits until mpv has answered a question asked now, so whatever it had
    // to report before has been handled.
    static bool sync(MpvEngine& engine)
    {
        const quint64 serial = engine.requestSync();
        return QTest::qWaitFor([&] { return engine.syncsReached() >= serial; }, LoadDeadlineMs);
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
        QVERIFY(loadEnds(*engine, LoadDeadlineMs));
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
        QVERIFY(loadEnds(*engine, LoadDeadlineMs));
        QVERIFY(qAbs(engine->duration() - 2.0) < 0.15);
        QCOMPARE(engine->videoWidth(), 0);
        QCOMPARE(engine->videoHeight(), 0);
        QCOMPARE(engine->videoDecoderName(), QString());
        QCOMPARE(engine->frameCount(), 0);
    }

    // A phone's portrait clip, stored sideways with a rotation flag, is
    // shown upright: its size is the size as shown.
    void rotatedClipHasItsSizeAsShown()
    {
        auto engine = openTinyClip("tiny_rotated.mp4");
        QVERIFY(engine);
        QCOMPARE(engine->videoWidth(), 90);
        QCOMPARE(engine->videoHeight(), 160);
    }

    void frameTimesAreReadFromTheClip_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("frames");
        QTest::addColumn<bool>("openGroups");
        QTest::newRow("variable frame rate") << "tiny_vfr.mp4" << 52 << false;
        QTest::newRow("constant frame rate") << "tiny_counted.mp4" << 90 << false;
        QTest::newRow("HEVC, open groups") << "tiny_open_gop.mp4" << 60 << true;
        QTest::newRow("sound only") << "tiny_beat.mp3" << 0 << false;
        QTest::newRow("noise") << "random_bytes.mp4" << 0 << false;
        QTest::newRow("cut before its index") << "truncated.mp4" << 0 << false;
        QTest::newRow("missing") << "no_such_clip.mp4" << 0 << false;
    }
    void frameTimesAreReadFromTheClip()
    {
        QFETCH(QString, name);
        QFETCH(int, frames);
        QFETCH(bool, openGroups);
        const ClipFrameScan::Frames read = ClipFrameScan::readFrames(clip(qPrintable(name)));
        QCOMPARE(read.openGroups, openGroups);
        std::vector<double> times = read.times;
        QCOMPARE(int(times.size()), frames);
        std::sort(times.begin(), times.end());
        for (double time : times) {
            const int number = qRound(time * 30);
            QVERIFY2(qAbs(time - number / 30.0) < 1e-3, qPrintable(QString::number(time)));
            if (name == QLatin1String("tiny_vfr.mp4"))
                QVERIFY2(number % 7 != 6, qPrintable(QString::number(number)));
        }
    }

    // The frame times read from the file are the times mpv shows the
    // frames at: a seek to each lands on it exactly.
    void frameTimesAreWhereMpvShowsTheFrames()
    {
        auto engine = openTinyClip("tiny_vfr.mp4");
        QVERIFY(engine);
        QTRY_VERIFY_WITH_TIMEOUT(engine->knowsFrameTimes(), LoadDeadlineMs);
        QSignalSpy moved(engine.get(), &PlaybackEngine::positionChanged);
        for (int index : {0, 5, 6, 12, 30, 51}) {
            const double time = engine->frameTimeFrom(0.0, index);
            QVERIFY(time >= 0.0);
            moved.clear();
            engine->seek(time);
            QTRY_VERIFY_WITH_TIMEOUT(moved.count() > 0 && !engine->seekPending(), 3000);
            QVERIFY2(
                qAbs(engine->position() - time) < 1e-3,
                qPrintable(QStringLiteral("frame %1 at %2, mpv at %3").arg(index).arg(time).arg(engine->position())));
        }
        // Before the first frame there is none; past the last, the last.
        QCOMPARE(engine->frameTimeFrom(0.0, -1), -1.0);
        QCOMPARE(engine->frameTimeFrom(engine->duration(), 5), engine->frameTimeFrom(0.0, 51));
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

        // A load that never ends is given up at the deadline.
        engine->load(path);
        QVERIFY(!loadEnds(*engine, LoadDeadlineMs));
        QTRY_COMPARE_WITH_TIMEOUT(failed.count(), 1, 2000);
        QVERIFY(!failed.first().first().toString().isEmpty());
        QCOMPARE(loaded.count(), 0);
        QVERIFY(!engine->isOpen());
        QCOMPARE(engine->duration(), 0.0);
        QCOMPARE(engine->videoWidth(), 0);

        // The engine is still usable afterwards.
        engine->load(clip("tiny_counted.mp4"));
        QVERIFY(loadEnds(*engine, LoadDeadlineMs));
        QCOMPARE(failed.count(), 1);
    }

    void loadPastItsDeadlineFailsForGood()
    {
        auto engine = makeEngine();
        QVERIFY(engine);
        QSignalSpy loaded(engine.get(), &PlaybackEngine::fileLoaded);
        QSignalSpy failed(engine.get(), &PlaybackEngine::loadFailed);
        engine->load(clip("tiny_counted.mp4"));
        QVERIFY(engine->abandonLoad());
        QVERIFY(!engine->isOpen());
        QTRY_COMPARE(failed.count(), 1);
        // mpv may finish opening anyway; that must not revive the load.
        // Whatever it says of that file, it has said once it answers.
        QVERIFY(sync(*engine));
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
        QVERIFY(sync(*engine));
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
        // The pause is signalled once mpv has taken it.
        QTRY_VERIFY_WITH_TIMEOUT(paused.last().first().toBool(), 2000);
        QVERIFY(engine->isPaused());
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
        // Once mpv has taken the pause, the frames it showed before are
        // reported, and no frame follows.
        QVERIFY(sync(*engine));
        const double held = engine->position();
        moved.clear();
        QVERIFY(sync(*engine));
        QVERIFY(sync(*engine));
        QCOMPARE(engine->position(), held);
        for (const auto& args : moved)
            QCOMPARE(args.first().toDouble(), held);
    }

    // Without a sound output clips still play, silently.
    void playsSilentlyWithoutASoundOutput()
    {
        auto player = openInPlayer("tiny_beat.mp3", brokenSoundOutput());
        QVERIFY(player);
        QCOMPARE(player->OpenState(), osOpen);
        QTRY_VERIFY_WITH_TIMEOUT(player->CurrentPosition() > 0.5, 3000);
        QCOMPARE(player->PlayState(), mpPlaying);
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
        QTRY_VERIFY_WITH_TIMEOUT(!openStates.isEmpty() && openStates.last().at(1).value<OpenStateValue>() == osClosed,
                                 1000);
        QCOMPARE(player.OpenState(), osClosed);
        QCOMPARE(player.PlayState(), mpStopped);
        if (loaded.count() > 0) {
            // It had opened and started playing: the windows hear it stop.
            QVERIFY(!states.isEmpty());
            QCOMPARE(states.last().at(1).value<PlayStateValue>(), mpStopped);
        }
        player.Play();
        // Two ticks, either of which would hand on a change of play state.
        const quint64 ticks = player.tickCount();
        QTRY_VERIFY_WITH_TIMEOUT(player.tickCount() >= ticks + 2, 1000);
        QCOMPARE(player.PlayState(), mpStopped);
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
        // mpv's echoes of the earlier values arrive before its answer.
        QVERIFY(sync(*engine));
        QCOMPARE(engine->speed(), 2.0);
        QVERIFY(engine->isMuted());
        QCOMPARE(engine->volume(), 40);
        engine->setSpeed(0.0); // refused: not a speed
        QCOMPARE(engine->speed(), 2.0);
    }
};

QTEST_MAIN(TestMpvEngine)
#include "TestMpvEngine.moc"
