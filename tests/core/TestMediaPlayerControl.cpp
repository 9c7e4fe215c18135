#include "FakeEngine.h"
#include "core/playback/MediaPlayerControl.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

class TestMediaPlayerControl : public QObject {
    Q_OBJECT

    FakeEngine* engine = nullptr;
    MediaPlayerControl* player = nullptr;

    // One tick's worth of time: the engine's clock moves, then the tick runs.
    void step(int ms = MediaPlayerControl::TickIntervalMs)
    {
        engine->advance(ms);
        player->tick();
    }
    void openClip(const QString& path = QStringLiteral("/clips/lesson.mp4"))
    {
        player->setFileName(path);
        player->Open();
        // Open returns at once; the engine reports the load later.
        QCOMPARE(player->OpenState(), osLoading);
        engine->finishLoad();
    }

private slots:
    void openReturnsBeforeTheLoadAndReportsItsEnd()
    {
        QList<bool> finished;
        connect(player, &MediaPlayerControl::loadFinished, this, [&](bool opened) { finished << opened; });
        player->setFileName("/clips/lesson.mp4");
        player->Open();
        QVERIFY(engine->loadPending());
        QVERIFY(finished.isEmpty());
        engine->finishLoad();
        QCOMPARE(finished, QList<bool>{true});
        QCOMPARE(player->OpenState(), osOpen);
        player->setFileName("/clips/broken.avi");
        player->Open();
        engine->finishLoad();
        QCOMPARE(finished, (QList<bool>{true, false}));
        QCOMPARE(player->OpenState(), osClosed);
        QCOMPARE(player->PlayState(), mpStopped);
        disconnect(player, &MediaPlayerControl::loadFinished, this, nullptr);
    }

    void init()
    {
        engine = new FakeEngine;
        engine->addClip("/clips/lesson.mp4", FakeEngine::Clip{});
        FakeEngine::Clip song;
        song.duration = 95.5;
        song.width = 0;
        song.height = 0;
        engine->addClip("/clips/song.mp3", song);
        FakeEngine::Clip broken;
        broken.broken = true;
        engine->addClip("/clips/broken.avi", broken);
        player = new MediaPlayerControl(engine);
        player->setTimerEnabled(false);
    }
    void cleanup()
    {
        delete player;
        player = nullptr;
        engine = nullptr;
    }

    void openTakesClipFactsAndPlays()
    {
        openClip();
        QCOMPARE(player->OpenState(), osOpen);
        QCOMPARE(player->Duration(), 20.0);
        QCOMPARE(player->FrameCount(), 600u);
        QCOMPARE(player->ImageSourceWidth(), 640);
        QCOMPARE(player->ImageSourceHeight(), 360);
        QCOMPARE(player->PlayState(), mpPlaying);
        QVERIFY(!engine->isPaused());
    }

    void openThatNeverEndsIsGivenUpAtTheDeadline()
    {
        FakeEngine::Clip stalled;
        stalled.hangs = true;
        engine->addClip("/clips/stalled.mp4", stalled);
        openClip();
        QSignalSpy openStates(player, &MediaPlayerControl::OnOpenStateChange);
        player->setOpenDeadline(50);
        openClip("/clips/stalled.mp4");
        QCOMPARE(player->OpenState(), osLoading);
        QTRY_COMPARE(player->OpenState(), osClosed);
        QCOMPARE(player->PlayState(), mpStopped);
        QCOMPARE(player->Duration(), 20.0);
        step();
        QCOMPARE(openStates.last().at(1).value<OpenStateValue>(), osClosed);
    }

    // A failure of the engine ends the clip in whatever state it was: the
    // windows hear that nothing is open or playing, and nothing moves.
    void engineFailureEndsInEveryState_data()
    {
        QTest::addColumn<QString>("state");
        QTest::newRow("opening") << "opening";
        QTest::newRow("playing") << "playing";
        QTest::newRow("paused") << "paused";
        QTest::newRow("stopped") << "stopped";
        QTest::newRow("played out") << "played out";
        QTest::newRow("playing a range") << "range";
    }
    void engineFailureEndsInEveryState()
    {
        QFETCH(QString, state);
        if (state == "opening") {
            player->setFileName(QStringLiteral("/clips/lesson.mp4"));
            player->Open();
        } else {
            openClip();
            step(500);
        }
        if (state == "paused")
            player->Pause();
        if (state == "stopped")
            player->Stop();
        if (state == "played out") {
            player->setCurrentPosition(19.9);
            step(300);
        }
        if (state == "range") {
            player->setSelectionStart(1.0);
            player->setSelectionEnd(5.2);
        }
        step();
        const PlayStateValue before = player->PlayState();
        QSignalSpy states(player, &MediaPlayerControl::OnPlayStateChange);
        QSignalSpy openStates(player, &MediaPlayerControl::OnOpenStateChange);
        QSignalSpy positions(player, &MediaPlayerControl::OnPositionChange);

        engine->breakDown(QStringLiteral("audio output failed"));
        step();
        QCOMPARE(player->OpenState(), osClosed);
        QCOMPARE(player->PlayState(), mpStopped);
        QCOMPARE(openStates.count(), 1);
        QCOMPARE(openStates.first().at(1).value<OpenStateValue>(), osClosed);
        QCOMPARE(states.count(), before == mpStopped ? 0 : 1);
        if (before != mpStopped)
            QCOMPARE(states.first().at(1).value<PlayStateValue>(), mpStopped);

        // What the main window does on a stop leaves it stopped, and quiet.
        player->Play();
        QVERIFY(!player->Pause());
        for (int i = 0; i < 10; ++i)
            step();
        QCOMPARE(player->PlayState(), mpStopped);
        QCOMPARE(positions.count(), 0);
        QCOMPARE(player->CurrentPosition(), 0.0);
        QCOMPARE(player->FileName(), QStringLiteral("/clips/lesson.mp4"));
        // A good clip opens again afterwards.
        openClip();
        QCOMPARE(player->OpenState(), osOpen);
        QCOMPARE(player->PlayState(), mpPlaying);
    }

    void clipWithoutVideoHasNoSize()
    {
        openClip("/clips/song.mp3");
        QCOMPARE(player->ImageSourceWidth(), 0);
        QCOMPARE(player->ImageSourceHeight(), 0);
        QCOMPARE(player->Duration(), 95.5);
    }

    void failedOpenKeepsPreviousFacts()
    {
        openClip();
        openClip("/clips/broken.avi");
        QCOMPARE(player->Duration(), 20.0);
        QCOMPARE(player->FrameCount(), 600u);
        QVERIFY(player->OpenState() != osOpen);
        QCOMPARE(player->PlayState(), mpStopped);
        // Nothing plays and nothing is reported as moving.
        QSignalSpy positions(player, &MediaPlayerControl::OnPositionChange);
        step();
        QCOMPARE(positions.count(), 0);
        player->Play();
        QCOMPARE(player->PlayState(), mpStopped);
    }

    void codecNameOnlyWithGrabber()
    {
        openClip();
        QVERIFY(player->CodecName().isEmpty());
        player->setFGrabber_Enabled(true);
        openClip();
        QVERIFY(player->CodecName().startsWith("h264"));
        player->setFGrabber_Enabled(true); // assigning it again empties the name
        QVERIFY(player->CodecName().isEmpty());
    }

    void firstPositionEventStartsFromZero()
    {
        openClip();
        QSignalSpy positions(player, &MediaPlayerControl::OnPositionChange);
        step(100);
        QVERIFY(positions.count() >= 1);
        QCOMPARE(positions.first().at(0).toDouble(), 0.0);
        QVERIFY(positions.last().at(1).toDouble() > 0.09);
    }

    void positionEventsArriveOnEveryFrameBetweenTicks()
    {
        openClip();
        QSignalSpy positions(player, &MediaPlayerControl::OnPositionChange);
        engine->advance(100); // three frames at 30 fps, no tick
        QCOMPARE(positions.count(), 3);
        const double newest = positions.last().at(1).toDouble();
        QVERIFY(qAbs(newest - 0.1) < 1e-6);
        QCOMPARE(positions.last().at(3).toUInt(), 3u); // frame position
    }

    void noPositionEventsWhilePausedOrStopped()
    {
        openClip();
        step(200);
        QVERIFY(player->Pause());
        step();
        QSignalSpy positions(player, &MediaPlayerControl::OnPositionChange);
        step(500);
        QCOMPARE(positions.count(), 0);
        player->Stop();
        step(); // the stop's seek to 0 is one move
        positions.clear();
        step(500);
        QCOMPARE(positions.count(), 0);
    }

    void stopIsARealStateAtZero()
    {
        openClip();
        step(1000);
        player->Stop();
        QCOMPARE(player->PlayState(), mpStopped);
        QCOMPARE(player->CurrentPosition(), 0.0);
        QVERIFY(engine->isPaused());
    }

    void pauseOnlyWhilePlaying()
    {
        QVERIFY(!player->Pause()); // nothing open
        openClip();
        QVERIFY(player->Pause());
        QVERIFY(!player->Pause());
        QCOMPARE(player->PlayState(), mpPaused);
    }

    void rangeEndStopsAtZero()
    {
        openClip();
        player->setSelectionEnd(10.2);
        QSignalSpy states(player, &MediaPlayerControl::OnPlayStateChange);
        for (int i = 0; i < 220 && player->PlayState() == mpPlaying; ++i)
            step();
        QCOMPARE(player->PlayState(), mpStopped);
        QCOMPARE(player->CurrentPosition(), 0.0);
        step();
        QVERIFY(!states.isEmpty());
        QCOMPARE(states.last().at(1).value<PlayStateValue>(), mpStopped);
    }

    void playFromStopJumpsToRangeStartButResumesFromPause()
    {
        openClip();
        player->Stop();
        player->setSelectionStart(3.0);
        player->Play();
        QCOMPARE(player->CurrentPosition(), 3.0);
        step(1000);
        player->Pause();
        const double paused = player->CurrentPosition();
        QVERIFY(paused > 3.5);
        player->Play();
        QCOMPARE(player->CurrentPosition(), paused);
    }

    // A cue: the engine goes ahead while the position reads as before and
    // the picture is held; playing starts from the cue without another seek.
    void cuePlaysFromWhereItWentAhead()
    {
        openClip();
        step(1000);
        QVERIFY(player->Pause());
        step();
        const double end = player->CurrentPosition();
        QSignalSpy moves(player, &MediaPlayerControl::OnPositionChange);
        player->cue(0.5);
        QVERIFY(player->isCued());
        QVERIFY(engine->pictureHeld());
        QCOMPARE(engine->lastSeekTarget(), 0.5);
        QCOMPARE(player->CurrentPosition(), end);
        step();
        step();
        QCOMPARE(player->CurrentPosition(), end);
        QVERIFY(moves.isEmpty());
        QVERIFY(engine->pictureHeld());

        const int seeks = engine->seekCount();
        player->Play();
        QVERIFY(!player->isCued());
        QVERIFY(!engine->pictureHeld());
        QCOMPARE(player->CurrentPosition(), 0.5);
        // The play-state handlers' jump to the same place is no seek.
        connect(player, &MediaPlayerControl::OnPlayStateChange, this, [&] { player->setCurrentPosition(0.5); });
        step();
        disconnect(player, &MediaPlayerControl::OnPlayStateChange, this, nullptr);
        QCOMPARE(engine->seekCount(), seeks);
        QVERIFY(player->CurrentPosition() > 0.5);
        // Afterwards a jump there is a seek again.
        player->setCurrentPosition(0.5);
        QCOMPARE(engine->seekCount(), seeks + 1);
    }

    // A cue called off, or overtaken by a seek or a stop: the engine goes
    // where the position reads, and the picture stays held until it is
    // there.
    void cueCalledOffGoesBackBeforeThePictureMoves_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<double>("landing");
        QTest::newRow("dropped") << "drop" << -1.0;
        QTest::newRow("seek elsewhere") << "seek" << 7.0;
        QTest::newRow("stop") << "stop" << 0.0;
        QTest::newRow("step back") << "step" << -2.0;
    }
    void cueCalledOffGoesBackBeforeThePictureMoves()
    {
        QFETCH(QString, how);
        QFETCH(double, landing);
        openClip();
        step(1000);
        QVERIFY(player->Pause());
        step();
        const double end = player->CurrentPosition();
        player->cue(0.5);
        step();
        if (how == "drop")
            player->dropCue();
        else if (how == "seek")
            player->setCurrentPosition(7.0);
        else if (how == "stop")
            player->Stop();
        else
            player->stepFrames(-1);
        const double expected = landing == -1.0 ? end : landing == -2.0 ? end - 1.0 / 30 : landing;
        QVERIFY(!player->isCued());
        QVERIFY(qAbs(engine->lastSeekTarget() - expected) < 1e-9);
        QVERIFY(qAbs(player->CurrentPosition() - expected) < 1e-9);
        QVERIFY(engine->pictureHeld());
        step();
        QVERIFY(!engine->pictureHeld());
    }

    // Opening another clip lets a held picture go.
    void openLetsTheHeldPictureGo()
    {
        openClip();
        QVERIFY(player->Pause());
        player->cue(2.0);
        QVERIFY(engine->pictureHeld());
        openClip();
        QVERIFY(!player->isCued());
        QVERIFY(!engine->pictureHeld());
    }

    void cueOnlyWhileNotPlaying()
    {
        openClip();
        step();
        player->cue(2.0);
        QVERIFY(!player->isCued());
        QVERIFY(!engine->pictureHeld());
    }

    // Frame steps go by the clip's own frames, wherever they lie.
    void stepsCountTheClipsFrames()
    {
        FakeEngine::Clip vfr;
        vfr.frameTimes = {0.0, 0.04, 0.1, 0.3, 0.31, 0.5};
        engine->addClip("/clips/phone.mp4", vfr);
        openClip("/clips/phone.mp4");
        QVERIFY(player->Pause());
        player->setCurrentPosition(0.3);
        player->stepFrames(-1);
        QCOMPARE(player->CurrentPosition(), 0.1);
        player->stepFrames(2);
        QCOMPARE(player->CurrentPosition(), 0.31);
        QCOMPARE(player->frameTimeFrom(0.31, -4), 0.0);
        QCOMPARE(player->frameTimeFrom(0.31, -5), -1.0);
        QCOMPARE(player->frameTimeFrom(0.31, 9), 0.5);
    }

    void onlyTheLatestPlayStateChangeReachesTheWindows()
    {
        openClip();
        step();
        QSignalSpy states(player, &MediaPlayerControl::OnPlayStateChange);
        player->Stop();
        player->Play();
        step();
        QCOMPARE(states.count(), 1);
        QCOMPARE(states.first().at(0).value<PlayStateValue>(), mpStopped);
        QCOMPARE(states.first().at(1).value<PlayStateValue>(), mpPlaying);
    }

    void rateSurvivesANewClip()
    {
        openClip();
        player->setRate(0.5);
        engine->setSpeed(1.0); // as a player resets its speed on a new file
        openClip();
        QCOMPARE(engine->speed(), 0.5);
        QCOMPARE(player->Rate(), 0.5);
    }

    void rangeAssignments_data()
    {
        QTest::addColumn<double>("start");
        QTest::addColumn<double>("end");
        QTest::addColumn<double>("newStart");
        QTest::addColumn<double>("newEnd");
        QTest::addColumn<double>("expectStart");
        QTest::addColumn<double>("expectEnd");
        QTest::newRow("end before start ignored") << 8.0 << -1.0 << -2.0 << 5.0 << 8.0 << -1.0;
        QTest::newRow("end equal to start taken") << 8.0 << -1.0 << -2.0 << 8.0 << 8.0 << 8.0;
        QTest::newRow("negative start ignored") << 8.0 << 20.0 << -3.0 << -2.0 << 8.0 << 20.0;
        QTest::newRow("start past end ignored") << 8.0 << 20.0 << 25.0 << -2.0 << 8.0 << 20.0;
        QTest::newRow("minus one always taken") << 8.0 << 20.0 << -1.0 << -1.0 << -1.0 << -1.0;
        QTest::newRow("start within range taken") << 8.0 << 20.0 << 12.0 << -2.0 << 12.0 << 20.0;
    }
    void rangeAssignments()
    {
        QFETCH(double, start);
        QFETCH(double, end);
        QFETCH(double, newStart);
        QFETCH(double, newEnd);
        QFETCH(double, expectStart);
        QFETCH(double, expectEnd);
        player->setSelectionStart(start);
        player->setSelectionEnd(end);
        if (newStart != -2.0)
            player->setSelectionStart(newStart);
        if (newEnd != -2.0)
            player->setSelectionEnd(newEnd);
        QCOMPARE(player->SelectionStart(), expectStart);
        QCOMPARE(player->SelectionEnd(), expectEnd);
    }

    void endOfClipThenPlayAndPauseRestsPaused()
    {
        openClip();
        player->setCurrentPosition(19.9);
        QSignalSpy states(player, &MediaPlayerControl::OnPlayStateChange);
        QSignalSpy ends(player, &MediaPlayerControl::OnEndOfStream);
        step(200);
        QCOMPARE(ends.count(), 1);
        QCOMPARE(states.last().at(1).value<PlayStateValue>(), mpStopped);
        // What the main window does whenever playback stops.
        player->Play();
        player->Pause();
        states.clear();
        for (int i = 0; i < 20; ++i)
            step();
        QCOMPARE(player->PlayState(), mpPaused);
        QCOMPARE(states.count(), 1);
        QCOMPARE(states.first().at(1).value<PlayStateValue>(), mpPaused);
        QCOMPARE(ends.count(), 1);
    }

    void escapeLeavesFullScreenQuietly()
    {
        openClip();
        QSignalSpy picture(player, &MediaPlayerControl::pictureFullScreenChanged);
        QSignalSpy keys(player, &MediaPlayerControl::OnFullScreenKeyPress);
        player->setFullScreenMode(true);
        QCOMPARE(picture.count(), 1);
        player->fullScreenKeyReleased(Qt::Key_A, Qt::ShiftModifier);
        player->fullScreenKeyReleased(Qt::Key_B, Qt::NoModifier); // one pending at a time
        step();
        QCOMPARE(keys.count(), 1);
        QCOMPARE(keys.first().at(0).toInt(), int(Qt::Key_A));
        player->fullScreenKeyReleased(Qt::Key_Escape, Qt::NoModifier);
        step();
        QCOMPARE(keys.count(), 1);
        QVERIFY(!player->FullScreenMode());
        QCOMPARE(picture.last().at(0).toBool(), false);
    }

    void loopFlagPlaysAgainAfterTheEnd()
    {
        openClip();
        player->setLoop(true);
        player->setCurrentPosition(19.95);
        step(100);
        QCOMPARE(player->PlayState(), mpPlaying);
        QVERIFY(player->CurrentPosition() < 1.0);
    }

    void openOfMissingFileNeverHangsAndKeepsFacts()
    {
        QTemporaryDir dir;
        openClip();
        openClip(dir.filePath("nothing-here.mp4"));
        QCOMPARE(player->Duration(), 20.0);
        QCOMPARE(player->PlayState(), mpStopped);
    }
};

QTEST_GUILESS_MAIN(TestMediaPlayerControl)
#include "TestMediaPlayerControl.moc"
