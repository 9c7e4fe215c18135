// The loop of the main window against the fake engine: playing, ending,
// restarting, refusing, and leaving a loop.
#include "AppFixture.h"
#include "core/playback/LoopControls.h"
#include "core/playback/TransportControls.h"
#include "gui/widgets/Colours.h"
#include "gui/widgets/TColourButton.h"
#include "gui/widgets/TimeBox.h"

#include <QTest>

class TestLoops : public QObject {
    Q_OBJECT

    std::unique_ptr<AppFixture> app;

    LoopControls* loops() { return app->main()->loops; }
    TimeBox* startBox() { return app->control<TimeBox>("setStartTimeValue"); }
    TimeBox* endBox() { return app->control<TimeBox>("setEndTimeValue"); }
    TColourButton* button(const char* name) { return app->control<TColourButton>(name); }
    void setBoxes(const QString& start, const QString& end)
    {
        startBox()->setDigitText(start);
        endBox()->setDigitText(end);
    }
    // A continuous loop from 65 s to 89 s, stepped until it waits at its end.
    bool runContinuousLoopToItsEnd()
    {
        loops()->loopOnceClick();
        setBoxes("000105", "000129");
        loops()->playLoopButtonClick();
        return app->stepUntil([&] { return loops()->restartPending(); });
    }

private slots:
    void init()
    {
        app = std::make_unique<AppFixture>();
        QVERIFY(app->startWithClip(120.0));
    }
    void cleanup() { app.reset(); }

    void loopPlaysFromStartAndPausesAtEnd()
    {
        setBoxes("000105", "000129");
        loops()->playLoopButtonClick();
        QCOMPARE(app->player()->CurrentPosition(), 65.0);
        QCOMPARE(app->player()->PlayState(), int(mpPlaying));
        QCOMPARE(loops()->indicator(), QStringLiteral("loop"));
        QVERIFY(app->stepUntil([&] { return app->player()->PlayState() != mpPlaying; }));
        // Paused on the first frame at or after the end time, not rewound.
        QCOMPARE(app->player()->PlayState(), int(mpPaused));
        QVERIFY(app->player()->CurrentPosition() >= 89.0);
        QVERIFY(app->player()->CurrentPosition() < 89.0 + 1.5 / 30);
        QVERIFY(loops()->WaitingForLoopRestart);
        QVERIFY(!loops()->restartPending());
    }

    void loopOncePlaysAgainFromItsStartOnPlay()
    {
        setBoxes("000105", "000129");
        loops()->playLoopButtonClick();
        QVERIFY(app->stepUntil([&] { return loops()->WaitingForLoopRestart; }));
        app->step();
        app->main()->transport->playButtonClick();
        app->step();
        QVERIFY(!loops()->WaitingForLoopRestart);
        QVERIFY(app->player()->CurrentPosition() < 66.0);
        QCOMPARE(app->player()->PlayState(), int(mpPlaying));
    }

    void loopContinuouslyRestartsAfterTheWait()
    {
        qint64 pausedAt = -1;
        qint64 playedAt = -1;
        QObject watching;
        connect(app->engine, &PlaybackEngine::pausedChanged, &watching,
                [&](bool paused) { (paused ? pausedAt : playedAt) = app->clock.now(); });
        QVERIFY(runContinuousLoopToItsEnd());
        QVERIFY(pausedAt >= 0);
        QCOMPARE(app->player()->PlayState(), int(mpPaused));
        // The wait does not hold the window: ticks go on, the player rests.
        app->step(300);
        QCOMPARE(app->player()->PlayState(), int(mpPaused));
        QVERIFY(app->player()->CurrentPosition() >= 89.0);
        QVERIFY(app->stepUntil([&] { return app->player()->PlayState() == mpPlaying; }));
        QCOMPARE(playedAt - pausedAt, qint64(LoopControls::RestartPauseMs));
        app->step();
        QVERIFY(app->player()->CurrentPosition() < 66.0);
        // And it keeps looping.
        QVERIFY(app->stepUntil([&] { return loops()->restartPending(); }));
    }

    // At a loop's end: the pause, then at once the one seek back to the
    // loop's start, made while the picture holds the end frame and the
    // position reads as the end; the play button reads "pause" all through
    // the wait, and playing starts again without another seek.
    void restartSeeksBackDuringTheWait()
    {
        loops()->loopOnceClick();
        setBoxes("000105", "000129");
        loops()->playLoopButtonClick();
        const int seeksWhilePlaying = app->engine->seekCount();
        QVERIFY(app->stepUntil([&] { return loops()->restartPending(); }));
        const double end = app->player()->CurrentPosition();
        QCOMPARE(app->engine->seekCount(), seeksWhilePlaying + 1);
        QCOMPARE(app->engine->lastSeekTarget(), 65.0);
        QVERIFY(app->engine->pictureHeld());
        QStringList captions;
        while (loops()->restartPending()) {
            app->step(25);
            captions << button("playButton")->text();
            if (loops()->restartPending()) {
                QCOMPARE(app->player()->CurrentPosition(), end);
                QVERIFY(app->engine->pictureHeld());
            }
        }
        captions.removeDuplicates();
        QCOMPARE(captions, QStringList{"pause (space)"});
        app->step();
        QCOMPARE(app->player()->PlayState(), int(mpPlaying));
        QVERIFY(!app->engine->pictureHeld());
        QCOMPARE(app->engine->seekCount(), seeksWhilePlaying + 1);
        QVERIFY(app->player()->CurrentPosition() < 66.0);
    }

    // Keys pressed while a continuous loop waits act at once.
    void keysDuringTheWaitActAtOnce()
    {
        QVERIFY(app->activateMain());
        QVERIFY(runContinuousLoopToItsEnd());
        QTest::keyClick(app->main()->windowHandle(), 'g');
        QCOMPARE(startBox()->digitText(), QStringLiteral("000129"));
        QVERIFY(loops()->restartPending());
    }

    // The play key during the wait pauses: no restart comes, and the loop
    // rests at its end until played again, as a "loop once" does.
    void pauseDuringTheWaitCallsOffTheRestart()
    {
        QVERIFY(app->activateMain());
        QVERIFY(runContinuousLoopToItsEnd());
        app->step();
        QCOMPARE(button("playButton")->text(), QStringLiteral("pause (space)"));
        QTest::keyClick(app->main()->windowHandle(), Qt::Key_Space);
        QVERIFY(!loops()->restartPending());
        QCOMPARE(button("playButton")->text(), QStringLiteral("play (space)"));
        app->step(2000);
        QCOMPARE(app->player()->PlayState(), int(mpPaused));
        QVERIFY(app->player()->CurrentPosition() >= 89.0);
        QTest::keyClick(app->main()->windowHandle(), Qt::Key_Space);
        app->step();
        QCOMPARE(app->player()->PlayState(), int(mpPlaying));
        QVERIFY(app->player()->CurrentPosition() < 66.0);
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
            loops()->playFullVideoButtonClick();
        } else if (how == "loop") {
            setBoxes("000010", "000020");
            loops()->playLoopButtonClick();
        } else {
            app->openClip(app->makeClip("second.mp4"));
            app->player()->Pause();
        }
        QVERIFY(!loops()->restartPending());
        app->step();
        const int seeks = app->engine->seekCount();
        const int playState = app->player()->PlayState();
        // The called-off timer fires into nothing: no play, no seek.
        app->step(400);
        QCOMPARE(app->clock.pending(), 0);
        QCOMPARE(app->engine->seekCount(), seeks);
        QCOMPARE(app->player()->PlayState(), playState);
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
        setBoxes("000105", end);
        loops()->playLoopButtonClick();
        QVERIFY(app->stepUntil([&] { return loops()->WaitingForLoopRestart; }));
        QVERIFY(app->player()->CurrentPosition() >= 119.9);
        QVERIFY(app->player()->CurrentPosition() < 120.0);
        QCOMPARE(app->player()->PlayState(), int(mpPaused));
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
        setBoxes(start, end);
        loops()->playLoopButtonClick();
        QCOMPARE(app->prompt.messages(), QStringList{message});
        QCOMPARE(loops()->indicator(), QStringLiteral("full"));
        QVERIFY(!loops()->LoopIsPlaying);
        QCOMPARE(app->player()->SelectionStart(), -1.0);
        // The refusal paused the player and left the boxes alone.
        QCOMPARE(app->player()->PlayState(), int(mpPaused));
        QCOMPARE(startBox()->digitText(), start);
    }

    void noClipMessages()
    {
        AppFixture empty;
        QVERIFY(empty.start());
        LoopControls* l = empty.main()->loops;
        l->playLoopButtonClick();
        l->setStartTimeButtonClick();
        l->setEndTimeButtonClick();
        l->playFullVideoButtonClick();
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
        app->player()->setCurrentPosition(position);
        loops()->setStartTimeButtonClick();
        loops()->setEndTimeButtonClick();
        QCOMPARE(startBox()->digitText(), digits);
        QCOMPARE(endBox()->digitText(), digits);
    }

    void playFullVideoLeavesTheLoopWhereItIs()
    {
        setBoxes("000105", "000129");
        loops()->playLoopButtonClick();
        app->step(1000);
        const double here = app->player()->CurrentPosition();
        loops()->playFullVideoButtonClick();
        QCOMPARE(app->player()->CurrentPosition(), here);
        QCOMPARE(loops()->indicator(), QStringLiteral("full"));
        QVERIFY(!loops()->LoopIsPlaying);
        QCOMPARE(app->player()->SelectionEnd(), -1.0);
        // Playback runs on through the old end time.
        app->step(30000);
        QVERIFY(app->player()->CurrentPosition() > 95.0);
    }

    void playFullVideoAfterALoopOnceEndedGoesOnFromThere()
    {
        setBoxes("000105", "000129");
        loops()->playLoopButtonClick();
        QVERIFY(app->stepUntil([&] { return loops()->WaitingForLoopRestart; }));
        app->step();
        loops()->playFullVideoButtonClick();
        app->step();
        app->step();
        QVERIFY(app->player()->CurrentPosition() > 89.0);
        QCOMPARE(app->player()->PlayState(), int(mpPlaying));
    }

    void resetLoopEmptiesTheBoxesAndTheRange()
    {
        setBoxes("000105", "000129");
        loops()->playLoopButtonClick();
        loops()->resetLoopButtonClick();
        QVERIFY(startBox()->digitText().isEmpty());
        QVERIFY(endBox()->digitText().isEmpty());
        QCOMPARE(app->player()->SelectionStart(), -1.0);
        QCOMPARE(app->player()->SelectionEnd(), -1.0);
        QCOMPARE(loops()->indicator(), QStringLiteral("full"));
    }

    void resetEndTimeLetsTheLoopRunOn()
    {
        setBoxes("000105", "000129");
        loops()->playLoopButtonClick();
        loops()->resetEndTimeButtonClick();
        QCOMPARE(startBox()->digitText(), QStringLiteral("000105"));
        QVERIFY(endBox()->digitText().isEmpty());
        QCOMPARE(loops()->indicator(), QStringLiteral("loop"));
        for (int i = 0; i < 600; ++i)
            app->step();
        QVERIFY(app->player()->CurrentPosition() > 94.0);
        QCOMPARE(app->player()->PlayState(), int(mpPlaying));
    }

    void boxesChangedDuringALoopCountWhenResumed()
    {
        setBoxes("000105", "000129");
        loops()->playLoopButtonClick();
        app->step(2000);
        setBoxes("000010", "000020");
        QCOMPARE(app->player()->SelectionStart(), 65.0);
        app->main()->transport->playButtonClick(); // pause
        app->main()->transport->playButtonClick(); // resume with the new boxes
        QCOMPARE(app->player()->SelectionStart(), 10.0);
        QCOMPARE(app->player()->SelectionEnd(), 20.2);
    }

    void loopModeButtonShowsTheMode()
    {
        TColourButton* b = button("loopOnce");
        QCOMPARE(b->text(), QStringLiteral("loop once"));
        loops()->loopOnceClick();
        QCOMPARE(b->text(), QStringLiteral("loop continuously"));
        QCOMPARE(b->color(), QColor(241, 92, 137));
        QCOMPARE(b->hotColor(), QColor(237, 50, 106));
        loops()->loopOnceClick();
        QCOMPARE(b->text(), QStringLiteral("loop once"));
        QCOMPARE(b->color(), QColor(136, 201, 232));
        QCOMPARE(b->hotColor(), QColor(104, 186, 225));
    }

    void indicatorMarksTheActiveButton()
    {
        setBoxes("000105", "000129");
        loops()->playLoopButtonClick();
        QCOMPARE(button("playLoopButton")->color(), QColor(4, 179, 108));
        QCOMPARE(button("playLoopButton")->hotColor(), QColor(4, 179, 108));
        QCOMPARE(button("playFullVideoButton")->color(), Colours::buttonFace());
    }

    void playButtonCaptionFollowsThePlayer()
    {
        app->step();
        QCOMPARE(button("playButton")->text(), QStringLiteral("pause (space)"));
        app->main()->transport->playButtonClick();
        app->step();
        QCOMPARE(button("playButton")->text(), QStringLiteral("play (space)"));
        QCOMPARE(button("playButton")->hotColor(), QColor(184, 248, 187));
    }
};

QTEST_MAIN(TestLoops)
#include "TestLoops.moc"
