// The loop against the fake engine, without a window: playing, ending,
// restarting, refusing, and leaving a loop.
#include "PlaybackRig.h"
#include "core/playback/LoopRules.h"

#include <QSignalSpy>
#include <QTest>

class TestLoopControls : public QObject {
    Q_OBJECT

    std::unique_ptr<PlaybackRig> rig;

    LoopControls& loops() { return rig->loops; }
    MediaPlayerControl& player() { return rig->player; }
    // A continuous loop from 65 s to 89 s, stepped until it waits at its end.
    bool runContinuousLoopToItsEnd()
    {
        loops().toggleContinuously();
        rig->setBoxes("000105", "000129");
        loops().playLoop();
        return rig->stepUntil([&] { return loops().restartPending(); });
    }

private slots:
    void init()
    {
        rig = std::make_unique<PlaybackRig>(120.0);
        rig->openLesson();
    }
    void cleanup() { rig.reset(); }

    void loopPlaysFromStartAndPausesAtEnd()
    {
        rig->setBoxes("000105", "000129");
        loops().playLoop();
        QCOMPARE(player().CurrentPosition(), 65.0);
        QCOMPARE(player().PlayState(), mpPlaying);
        QCOMPARE(loops().indicator(), LoopControls::Indicator::Loop);
        QVERIFY(rig->loopView.loopMarked);
        QVERIFY(rig->stepUntil([&] { return player().PlayState() != mpPlaying; }));
        // Paused on the first frame at or after the end time, not rewound.
        QCOMPARE(player().PlayState(), mpPaused);
        QVERIFY(player().CurrentPosition() >= 89.0);
        QVERIFY(player().CurrentPosition() < 89.0 + 1.5 / 30);
        QVERIFY(loops().WaitingForLoopRestart());
        QVERIFY(!loops().restartPending());
    }

    void loopOncePlaysAgainFromItsStartOnPlay()
    {
        rig->setBoxes("000105", "000129");
        loops().playLoop();
        QVERIFY(rig->stepUntil([&] { return loops().WaitingForLoopRestart(); }));
        rig->step();
        rig->transport.togglePlay();
        rig->step();
        QVERIFY(!loops().WaitingForLoopRestart());
        QVERIFY(player().CurrentPosition() < 66.0);
        QCOMPARE(player().PlayState(), mpPlaying);
    }

    // What the practice log hears: a loop started (stored or by hand), each
    // pass at its rate and length, a loop left or refused.
    void passesAreTold()
    {
        QSignalSpy started(&loops(), &LoopControls::loopStarted);
        QSignalSpy refused(&loops(), &LoopControls::loopRefused);
        QSignalSpy passes(&loops(), &LoopControls::passEnded);
        QSignalSpy left(&loops(), &LoopControls::loopLeft);
        player().setRate(0.5);
        loops().toggleContinuously();
        loops().playStoredLoop(QStringLiteral("000105"), QStringLiteral("000129"));
        QVERIFY(rig->stepUntil([&] { return passes.count() == 2; }));
        // A pass that starts again is no new loop.
        QCOMPARE(started.count(), 1);
        QCOMPARE(started[0][0].value<LoopSource>(), LoopSource::Stored);
        for (const QList<QVariant>& pass : std::as_const(passes)) {
            QCOMPARE(pass[0].toDouble(), 0.5);
            // 24 s of the clip at half speed, to the frame the end lands on.
            QVERIFY(pass[1].toDouble() >= 48.0 && pass[1].toDouble() < 48.2);
        }
        loops().playFullVideo();
        QCOMPARE(left.count(), 1);
        rig->setBoxes("000105", "000129");
        loops().playLoop();
        QCOMPARE(started.count(), 2);
        QCOMPARE(started[1][0].value<LoopSource>(), LoopSource::ByHand);
        rig->setBoxes("000129", "000105");
        loops().playLoop();
        QCOMPARE(refused.count(), 1);
        QCOMPARE(started.count(), 2);
        rig->openLesson();
        QCOMPARE(left.count(), 2);
    }

    void loopContinuouslyRestartsAfterTheWait()
    {
        qint64 pausedAt = -1;
        qint64 playedAt = -1;
        QObject watching;
        connect(rig->engine, &PlaybackEngine::pausedChanged, &watching,
                [&](bool paused) { (paused ? pausedAt : playedAt) = rig->clock.now(); });
        QVERIFY(runContinuousLoopToItsEnd());
        QVERIFY(pausedAt >= 0);
        QCOMPARE(player().PlayState(), mpPaused);
        // The wait does not hold the window: ticks go on, the player rests.
        rig->step(300);
        QCOMPARE(player().PlayState(), mpPaused);
        QVERIFY(player().CurrentPosition() >= 89.0);
        QVERIFY(rig->stepUntil([&] { return player().PlayState() == mpPlaying; }));
        QCOMPARE(playedAt - pausedAt, qint64(LoopControls::RestartPauseMs));
        rig->step();
        QVERIFY(player().CurrentPosition() < 66.0);
        // And it keeps looping.
        QVERIFY(rig->stepUntil([&] { return loops().restartPending(); }));
    }

    // At a loop's end: the pause, then at once the one seek back to the
    // loop's start, made while the picture holds the end frame and the
    // position reads as the end; the play button reads "pause" all through
    // the wait, and playing starts again without another seek.
    void restartSeeksBackDuringTheWait()
    {
        loops().toggleContinuously();
        rig->setBoxes("000105", "000129");
        loops().playLoop();
        const int seeksWhilePlaying = rig->engine->seekCount();
        QVERIFY(rig->stepUntil([&] { return loops().restartPending(); }));
        const double end = player().CurrentPosition();
        QCOMPARE(rig->engine->seekCount(), seeksWhilePlaying + 1);
        QCOMPARE(rig->engine->lastSeekTarget(), 65.0);
        QVERIFY(rig->engine->pictureHeld());
        QList<bool> playing;
        while (loops().restartPending()) {
            rig->step(25);
            if (playing.isEmpty() || playing.last() != rig->loopView.playing)
                playing << rig->loopView.playing;
            if (loops().restartPending()) {
                QCOMPARE(player().CurrentPosition(), end);
                QVERIFY(rig->engine->pictureHeld());
            }
        }
        QCOMPARE(playing, QList<bool>{true});
        rig->step();
        QCOMPARE(player().PlayState(), mpPlaying);
        QVERIFY(!rig->engine->pictureHeld());
        QCOMPARE(rig->engine->seekCount(), seeksWhilePlaying + 1);
        QVERIFY(player().CurrentPosition() < 66.0);
    }

    // The play key during the wait pauses: no restart comes, and the loop
    // rests at its end until played again, as a "loop once" does.
    void pauseDuringTheWaitCallsOffTheRestart()
    {
        QVERIFY(runContinuousLoopToItsEnd());
        rig->step();
        QVERIFY(rig->loopView.playing);
        rig->transport.togglePlay();
        QVERIFY(!loops().restartPending());
        QVERIFY(!rig->loopView.playing);
        rig->step(2000);
        QCOMPARE(player().PlayState(), mpPaused);
        QVERIFY(player().CurrentPosition() >= 89.0);
        rig->transport.togglePlay();
        rig->step();
        QCOMPARE(player().PlayState(), mpPlaying);
        QVERIFY(player().CurrentPosition() < 66.0);
    }

    void leavingTheLoopDuringTheWaitCallsOffTheRestart_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("play full video") << "full";
        QTest::newRow("new loop") << "loop";
        QTest::newRow("new clip") << "clip";
    }
    void leavingTheLoopDuringTheWaitCallsOffTheRestart()
    {
        QFETCH(QString, how);
        QVERIFY(runContinuousLoopToItsEnd());
        if (how == "full") {
            loops().playFullVideo();
        } else if (how == "loop") {
            rig->setBoxes("000010", "000020");
            loops().playLoop();
        } else {
            rig->openClip(rig->makeClip("second.mp4"));
            player().Pause();
        }
        QVERIFY(!loops().restartPending());
        rig->step();
        const int seeks = rig->engine->seekCount();
        const PlayStateValue playState = player().PlayState();
        // The called-off timer fires into nothing: no play, no seek.
        rig->step(400);
        QCOMPARE(rig->clock.pending(), 0);
        QCOMPARE(rig->engine->seekCount(), seeks);
        QCOMPARE(player().PlayState(), playState);
    }

    // The engine keeps the frames of the loop as it plays now (to the end
    // the player's range has for the end time), and none once it is left.
    void theLoopsFramesAreKept_data()
    {
        QTest::addColumn<QString>("then");
        QTest::addColumn<double>("start");
        QTest::addColumn<double>("end");
        QTest::newRow("the loop plays") << "" << 65.0 << selectionEndForEndTime(89.0);
        QTest::newRow("another loop") << "loop" << 10.0 << selectionEndForEndTime(20.0);
        QTest::newRow("to the clip's end") << "open end" << 65.0 << 120.0;
        QTest::newRow("full video") << "full" << 0.0 << -1.0;
        QTest::newRow("the loop cleared") << "clear" << 0.0 << -1.0;
        QTest::newRow("a new clip") << "clip" << 0.0 << -1.0;
    }
    void theLoopsFramesAreKept()
    {
        QFETCH(QString, then);
        QFETCH(double, start);
        QFETCH(double, end);
        rig->setBoxes("000105", "000129");
        loops().playLoop();
        rig->step(100);
        QCOMPARE(rig->engine->keptLoop(), std::pair(65.0, selectionEndForEndTime(89.0)));
        if (then == "loop") {
            rig->setBoxes("000010", "000020");
            loops().playLoop();
        } else if (then == "open end") {
            rig->setBoxes("000105", "");
            loops().playLoop();
        } else if (then == "full") {
            loops().playFullVideo();
        } else if (then == "clear") {
            loops().clearLoop();
        } else if (then == "clip") {
            rig->openClip(rig->makeClip("second.mp4"));
        }
        rig->step(100);
        QCOMPARE(rig->engine->keptLoop(), std::pair(start, end));
    }

    void loopEndWithoutEndTime_data()
    {
        QTest::addColumn<QString>("end");
        QTest::newRow("no end time") << QString();
        QTest::newRow("end beyond the clip") << QStringLiteral("000500");
    }
    void loopEndWithoutEndTime()
    {
        QFETCH(QString, end);
        rig->setBoxes("000105", end);
        loops().playLoop();
        QVERIFY(rig->stepUntil([&] { return loops().WaitingForLoopRestart(); }));
        QVERIFY(player().CurrentPosition() >= 119.9);
        QVERIFY(player().CurrentPosition() < 120.0);
        QCOMPARE(player().PlayState(), mpPaused);
    }

    void refusedLoops_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("end");
        QTest::addColumn<QString>("message");
        QTest::newRow("no start") << QString() << QStringLiteral("000010")
                                  << QStringLiteral("You must enter a \"Start Time\" first before playing a loop.");
        QTest::newRow("start at the end") << QStringLiteral("000200") << QString()
                                          << QStringLiteral("The start time is set past the end of the video.\n"
                                                            "Please fix and try again.");
        QTest::newRow("end equal to start")
            << QStringLiteral("000105") << QStringLiteral("000105")
            << QStringLiteral("The \"End Time\" must be greater than the \"Start Time\"");
        QTest::newRow("end before start") << QStringLiteral("000105") << QStringLiteral("000059")
                                          << QStringLiteral("The \"End Time\" must be greater than the \"Start Time\"");
    }
    void refusedLoops()
    {
        QFETCH(QString, start);
        QFETCH(QString, end);
        QFETCH(QString, message);
        rig->setBoxes(start, end);
        loops().playLoop();
        QCOMPARE(rig->prompt.messages(), QStringList{message});
        QCOMPARE(loops().indicator(), LoopControls::Indicator::FullVideo);
        QVERIFY(!rig->loopView.loopMarked);
        QVERIFY(!loops().LoopIsPlaying());
        QCOMPARE(player().SelectionStart(), -1.0);
        // The refusal paused the player and left the boxes alone.
        QCOMPARE(player().PlayState(), mpPaused);
        QCOMPARE(rig->loopView.start, start);
    }

    void noClipMessages()
    {
        PlaybackRig empty;
        empty.loops.playLoop();
        empty.loops.setLoopStart();
        empty.loops.setLoopEnd();
        empty.loops.playFullVideo();
        QCOMPARE(empty.prompt.messages(),
                 (QStringList{"You must choose a clip first before attempting to play a loop.",
                              "You must choose a clip first before defining a start time.",
                              "You must choose a clip first before defining an end time.",
                              "You must choose a clip first before attempting to play the full video."}));
    }

    void setTimesRoundHalvesToEven_data()
    {
        QTest::addColumn<double>("position");
        QTest::addColumn<QString>("digits");
        QTest::newRow("12.5") << 12.5 << "000012";
        QTest::newRow("13.5") << 13.5 << "000014";
        QTest::newRow("13.4") << 13.4 << "000013";
        QTest::newRow("65.6") << 65.6 << "000106";
    }
    void setTimesRoundHalvesToEven()
    {
        QFETCH(double, position);
        QFETCH(QString, digits);
        player().setCurrentPosition(position);
        loops().setLoopStart();
        loops().setLoopEnd();
        QCOMPARE(rig->loopView.start, digits);
        QCOMPARE(rig->loopView.end, digits);
    }

    void playFullVideoLeavesTheLoopWhereItIs()
    {
        rig->setBoxes("000105", "000129");
        loops().playLoop();
        rig->step(1000);
        const double here = player().CurrentPosition();
        loops().playFullVideo();
        QCOMPARE(player().CurrentPosition(), here);
        QCOMPARE(loops().indicator(), LoopControls::Indicator::FullVideo);
        QVERIFY(!loops().LoopIsPlaying());
        QCOMPARE(player().SelectionEnd(), -1.0);
        // Playback runs on through the old end time.
        rig->step(30000);
        QVERIFY(player().CurrentPosition() > 95.0);
    }

    void playFullVideoAfterALoopOnceEndedGoesOnFromThere()
    {
        rig->setBoxes("000105", "000129");
        loops().playLoop();
        QVERIFY(rig->stepUntil([&] { return loops().WaitingForLoopRestart(); }));
        rig->step();
        loops().playFullVideo();
        rig->step();
        rig->step();
        QVERIFY(player().CurrentPosition() > 89.0);
        QCOMPARE(player().PlayState(), mpPlaying);
    }

    void resetLoopEmptiesTheBoxesAndTheRange()
    {
        rig->setBoxes("000105", "000129");
        loops().playLoop();
        loops().clearLoop();
        QVERIFY(rig->loopView.start.isEmpty());
        QVERIFY(rig->loopView.end.isEmpty());
        QCOMPARE(player().SelectionStart(), -1.0);
        QCOMPARE(player().SelectionEnd(), -1.0);
        QCOMPARE(loops().indicator(), LoopControls::Indicator::FullVideo);
        QVERIFY(rig->loopView.playingBookmarkCleared > 0);
    }

    void resetEndTimeLetsTheLoopRunOn()
    {
        rig->setBoxes("000105", "000129");
        loops().playLoop();
        loops().clearLoopEnd();
        QCOMPARE(rig->loopView.start, QStringLiteral("000105"));
        QVERIFY(rig->loopView.end.isEmpty());
        QCOMPARE(loops().indicator(), LoopControls::Indicator::Loop);
        for (int i = 0; i < 600; ++i)
            rig->step();
        QVERIFY(player().CurrentPosition() > 94.0);
        QCOMPARE(player().PlayState(), mpPlaying);
    }

    void boxesChangedDuringALoopCountWhenResumed()
    {
        rig->setBoxes("000105", "000129");
        loops().playLoop();
        rig->step(2000);
        rig->setBoxes("000010", "000020");
        QCOMPARE(player().SelectionStart(), 65.0);
        rig->transport.togglePlay(); // pause
        rig->transport.togglePlay(); // resume with the new boxes
        QCOMPARE(player().SelectionStart(), 10.0);
        QCOMPARE(player().SelectionEnd(), 20.2);
    }

    void loopModeButtonShowsTheMode()
    {
        QVERIFY(!rig->loopView.continuously);
        loops().toggleContinuously();
        QVERIFY(rig->loopView.continuously);
        QCOMPARE(loops().loopMode(), LoopControls::LoopMode::Continuously);
        loops().toggleContinuously();
        QVERIFY(!rig->loopView.continuously);
        QCOMPARE(loops().loopMode(), LoopControls::LoopMode::Once);
    }

    void playButtonMarkFollowsThePlayer()
    {
        rig->step();
        QVERIFY(rig->loopView.playing);
        rig->transport.togglePlay();
        rig->step();
        QVERIFY(!rig->loopView.playing);
    }
};

QTEST_GUILESS_MAIN(TestLoopControls)
#include "TestLoopControls.moc"
