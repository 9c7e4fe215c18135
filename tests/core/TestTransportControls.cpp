// Play and pause, jumps, frame steps, speeds and mute against the fake
// engine, without a window.
#include "PlaybackRig.h"

#include <QTest>

using JumpList = TransportView::JumpList;

class TestTransportControls : public QObject {
    Q_OBJECT

    std::unique_ptr<PlaybackRig> rig;
    TransportControls& t() { return rig->transport; }
    MediaPlayerControl& p() { return rig->player; }

private slots:
    void init()
    {
        rig = std::make_unique<PlaybackRig>(1200.0);
        rig->openLesson();
        rig->step();
    }
    void cleanup() { rig.reset(); }

    void backJumpBeforeTheStartWhilePlayingRestarts()
    {
        p().setCurrentPosition(2.0);
        t().jumpBackSeconds();
        QCOMPARE(p().PlayState(), mpPlaying);
        QCOMPARE(p().CurrentPosition(), 0.0);
    }

    void backJumpBeforeTheStartWhilePausedRestsAtZero()
    {
        rig->pauseAt(2.0);
        t().jumpBackSeconds();
        rig->step(); // the play-state handler plays and pauses
        rig->step();
        QCOMPARE(p().PlayState(), mpPaused);
        QCOMPARE(p().CurrentPosition(), 0.0);
    }

    void backJumpBeforeTheStartGoesToTheLoopStart()
    {
        rig->setBoxes("000105", "000129");
        rig->loops.playLoop();
        rig->step(1000);
        rig->pauseAt(2.0);
        t().jumpBackSeconds();
        rig->step();
        rig->step();
        QCOMPARE(p().PlayState(), mpPaused);
        QCOMPARE(p().CurrentPosition(), 65.0);
    }

    void jumps_data()
    {
        QTest::addColumn<QString>("jump");
        QTest::addColumn<int>("value"); // the list's chosen value
        QTest::addColumn<double>("from");
        QTest::addColumn<double>("to");
        QTest::newRow("back 3 sec") << "backseconds" << 3 << 10.0 << 7.0;
        QTest::newRow("back 20 sec") << "backseconds" << 20 << 30.0 << 10.0;
        QTest::newRow("forward 3 sec") << "forwardseconds" << 3 << 10.0 << 13.0;
        QTest::newRow("back 1 min") << "backminutes" << 1 << 100.0 << 40.0;
        QTest::newRow("forward 10 min") << "forwardminutes" << 10 << 10.0 << 610.0;
        // A list with no choice reads 0: the shortest jump stands in.
        QTest::newRow("back, nothing chosen") << "backseconds" << 0 << 10.0 << 9.0;
        QTest::newRow("forward minutes, nothing chosen") << "forwardminutes" << 0 << 10.0 << 70.0;
    }
    void jumps()
    {
        QFETCH(QString, jump);
        QFETCH(int, value);
        QFETCH(double, from);
        QFETCH(double, to);
        for (JumpList list :
             {JumpList::backSeconds, JumpList::forwardSeconds, JumpList::backMinutes, JumpList::forwardMinutes})
            rig->transportView.value(list) = value;
        p().setCurrentPosition(from);
        const PlayStateValue state = p().PlayState();
        if (jump == "backseconds")
            t().jumpBackSeconds();
        if (jump == "forwardseconds")
            t().jumpForwardSeconds();
        if (jump == "backminutes")
            t().jumpBackMinutes();
        if (jump == "forwardminutes")
            t().jumpForwardMinutes();
        QCOMPARE(p().CurrentPosition(), to);
        QCOMPARE(p().PlayState(), state);
    }

    void frameSteps_data()
    {
        QTest::addColumn<QString>("step");
        QTest::addColumn<double>("from");
        QTest::addColumn<double>("to");
        QTest::newRow("forward 1 frame") << "forward1" << 10.0 << 10.0 + 1.0 / 30;
        QTest::newRow("back 1 frame") << "back1" << 10.0 << 10.0 - 1.0 / 30;
        QTest::newRow("back 5 frames") << "backN" << 10.0 << 10.0 - 5.0 / 30;
        QTest::newRow("forward 5 frames") << "forwardN" << 10.0 << 10.0 + 5.0 / 30;
    }
    void frameSteps()
    {
        QFETCH(QString, step);
        QFETCH(double, from);
        QFETCH(double, to);
        p().setCurrentPosition(from);
        QCOMPARE(p().PlayState(), mpPlaying);
        if (step == "forward1")
            t().stepForward();
        if (step == "back1")
            t().stepBack();
        if (step == "backN")
            t().stepBackSeveral();
        if (step == "forwardN")
            t().stepForwardSeveral();
        QVERIFY(qAbs(p().CurrentPosition() - to) < 1e-9);
        QCOMPARE(p().PlayState(), mpPaused);
        // Stepping while paused stays paused.
        t().stepForward();
        QCOMPARE(p().PlayState(), mpPaused);
    }

    // Frame steps count the clip's own frames: a 60 fps clip steps by 1/60 s,
    // and a phone clip with missing frames steps over the gaps.
    void frameStepsCountTheClipsFrames_data()
    {
        QTest::addColumn<bool>("variable");
        QTest::addColumn<QString>("step");
        QTest::addColumn<double>("from");
        QTest::addColumn<double>("to");
        QTest::newRow("60 fps back 1") << false << "back1" << 2.0 << 2.0 - 1.0 / 60;
        QTest::newRow("60 fps forward 5") << false << "forwardN" << 2.0 << 2.0 + 5.0 / 60;
        QTest::newRow("gap back 1") << true << "back1" << 0.3 << 0.1;
        QTest::newRow("gap forward 1") << true << "forward1" << 0.1 << 0.3;
        QTest::newRow("gaps back 5") << true << "backN" << 0.6 << 0.04;
        QTest::newRow("before the first frame: stop") << true << "backN" << 0.3 << 0.0;
    }
    void frameStepsCountTheClipsFrames()
    {
        QFETCH(bool, variable);
        QFETCH(QString, step);
        QFETCH(double, from);
        QFETCH(double, to);
        FakeEngine::Clip clip;
        clip.fps = 60;
        if (variable)
            clip.frameTimes = {0.0, 0.04, 0.1, 0.3, 0.31, 0.5, 0.6};
        const QString path = rig->makeClip(QStringLiteral("phone.mp4"));
        rig->engine->addClip(path, clip);
        rig->openClip(path);
        rig->pauseAt(from);
        if (step == "back1")
            t().stepBack();
        if (step == "forward1")
            t().stepForward();
        if (step == "backN")
            t().stepBackSeveral();
        if (step == "forwardN")
            t().stepForwardSeveral();
        rig->step();
        rig->step();
        QVERIFY2(qAbs(p().CurrentPosition() - to) < 1e-9, qPrintable(QString::number(p().CurrentPosition())));
        QCOMPARE(p().PlayState(), mpPaused);
    }

    void frameBackAtTheStartStopsAndRestsAtZero()
    {
        rig->pauseAt(0.02);
        t().stepBack();
        rig->step();
        rig->step();
        QCOMPARE(p().CurrentPosition(), 0.0);
        QCOMPARE(p().PlayState(), mpPaused);
    }

    void restartPlaysTheLoopFromItsStart()
    {
        rig->setBoxes("000105", "000129");
        rig->loops.playLoop();
        rig->step(3000);
        t().restart();
        QCOMPARE(p().CurrentPosition(), 65.0);
        QCOMPARE(p().PlayState(), mpPlaying);
    }

    void restartWithoutALoopPlaysFromZero()
    {
        rig->step(3000);
        t().restart();
        QCOMPARE(p().CurrentPosition(), 0.0);
        QCOMPARE(p().PlayState(), mpPlaying);
    }

    void speeds()
    {
        t().playSlow();
        QCOMPARE(p().Rate(), 0.5);
        QCOMPARE(rig->transportView.marked, TransportView::SpeedMode::Slow);
        // A new rate picked in slow mode applies at once and plays.
        p().Pause();
        rig->transportView.slowEntry = 2;
        t().slowRateChosen();
        QCOMPARE(p().Rate(), 0.3);
        QCOMPARE(p().PlayState(), mpPlaying);
        // In regular mode a new rate waits for the slow button.
        t().playRegular();
        QCOMPARE(p().Rate(), 1.0);
        QCOMPARE(rig->transportView.marked, TransportView::SpeedMode::Regular);
        rig->transportView.slowEntry = 0;
        t().slowRateChosen();
        QCOMPARE(p().Rate(), 1.0);
        rig->transportView.fastEntry = 1;
        t().playFast();
        QCOMPARE(p().Rate(), 1.5);
        QCOMPARE(t().speedMode(), TransportControls::SpeedMode::Fast);
        QCOMPARE(rig->transportView.marked, TransportView::SpeedMode::Fast);
        // An entry the list does not hold keeps the rate.
        rig->transportView.fastEntry = -1;
        t().playFast();
        QCOMPARE(p().Rate(), 1.5);
    }

    void rateSurvivesANewClipButTheModeTurnsRegular()
    {
        t().playSlow();
        rig->openClip(rig->makeClip("second.mp4"));
        rig->step();
        QCOMPARE(rig->engine->speed(), 0.5);
        QCOMPARE(t().speedMode(), TransportControls::SpeedMode::Regular);
        // The slow button stays marked: only the mode changed.
        QCOMPARE(rig->transportView.marked, TransportView::SpeedMode::Slow);
    }

    void muteTwiceReturnsTheCaption()
    {
        t().toggleMute();
        QVERIFY(p().Mute());
        QVERIFY(rig->transportView.muted);
        t().toggleMute();
        QVERIFY(!p().Mute());
        QVERIFY(!rig->transportView.muted);
    }

    void playWithoutAClipWarnsOnlyWhenClicked()
    {
        PlaybackRig empty;
        empty.transport.togglePlay();
        QVERIFY(empty.prompt.messages().isEmpty());
        empty.transport.togglePlay(TransportControls::WithoutClip::Explain);
        QCOMPARE(empty.prompt.messages(),
                 QStringList{"In order to play video, you must first choose a clip using the \"view clip\" button."});
    }
};

QTEST_GUILESS_MAIN(TestTransportControls)
#include "TestTransportControls.moc"
