// The main window's loop and transport controls on the real libmpv engine
// (no display, no sound), with the tiny clips of tests/data/clips: what
// the fake engine cannot show, libmpv's timing, its seeks and its steps, on
// clips as phones record them (sideways with a rotation flag, with a
// variable frame rate).
#include "ControlsOnMpv.h"

#include <QTest>
#include <limits>

namespace {

constexpr double Fps = 30.0;

// The frames of tiny_vfr.mp4, by their number in its 30 fps count: every
// seventh (6, 13, 20, ...) is missing.
bool vfrFrameExists(int number)
{
    return number % 7 != 6;
}

} // namespace

class TestControlsOnMpv : public QObject {
    Q_OBJECT

    std::unique_ptr<ControlsOnMpv> c;

    // Pauses where the clip is and waits until mpv rests there.
    bool pauseHere()
    {
        c->player->Pause();
        return c->landed();
    }
    bool goTo(int frame)
    {
        c->player->setCurrentPosition(frame / Fps);
        return c->landed();
    }
    // Presses one frame back `presses` times, each waiting until it landed.
    bool pressBack(int presses)
    {
        for (int press = 0; press < presses; ++press) {
            c->transport->stepBack();
            if (!c->landed())
                return false;
        }
        return true;
    }
    // Steps one frame at a time from the frame the clip rests on to `to`,
    // checking the frame each press lands on.
    void stepThrough(int to)
    {
        const bool forward = to > c->frame();
        for (int frame = c->frame(); frame != to;) {
            frame += forward ? 1 : -1;
            if (forward)
                c->transport->stepForward();
            else
                c->transport->stepBack();
            QVERIFY(c->landed());
            QCOMPARE(c->frame(), frame);
            QCOMPARE(qRound(c->engine->position() * Fps), frame);
        }
    }

private slots:
    void init()
    {
        c = std::make_unique<ControlsOnMpv>();
        QVERIFY(c->started);
    }
    void cleanup() { c.reset(); }

    // A phone's portrait video is stored sideways with a rotation flag; the
    // picture is shown upright, and its size is its size as shown.
    void rotatedClipHasItsSizeAsShown()
    {
        QVERIFY(c->open("tiny_rotated.mp4"));
        QCOMPARE(c->player->ImageSourceWidth(), 90);
        QCOMPARE(c->player->ImageSourceHeight(), 160);
        QVERIFY(c->open("tiny_counted.mp4"));
        QCOMPARE(c->player->ImageSourceWidth(), 160);
        QCOMPARE(c->player->ImageSourceHeight(), 90);
    }

    // One frame back, again and again, on a clip with a missing frame every
    // seventh: every press lands on the previous real frame, across the
    // gaps, and forward steps on the next one.
    void framesStepsLandOnRealFramesAcrossGaps()
    {
        QVERIFY(c->open("tiny_vfr.mp4"));
        QVERIFY(pauseHere());
        QTRY_VERIFY_WITH_TIMEOUT(c->engine->knowsFrameTimes(), ControlsOnMpv::DeadlineMs);
        QVERIFY(goTo(16));
        QCOMPARE(c->frame(), 16);
        int expected = 16;
        for (int press = 0; press < 12; ++press) {
            do
                --expected;
            while (!vfrFrameExists(expected));
            c->transport->stepBack();
            QVERIFY(c->landed());
            QCOMPARE(c->frame(), expected);
            QCOMPARE(qRound(c->engine->position() * Fps), expected);
            QCOMPARE(c->player->PlayState(), mpPaused);
        }
        QCOMPARE(expected, 2);
        for (int press = 0; press < 12; ++press) {
            do
                ++expected;
            while (!vfrFrameExists(expected));
            c->transport->stepForward();
            QVERIFY(c->landed());
            QCOMPARE(c->frame(), expected);
            QCOMPARE(qRound(c->engine->position() * Fps), expected);
        }
        QCOMPARE(expected, 16);
    }

    // "Several frames" counts real frames too.
    void severalFramesCountRealFrames_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<bool>("back");
        QTest::addColumn<int>("frames");
        QTest::addColumn<int>("to");
        QTest::newRow("back 5 over a gap") << 16 << true << 5 << 10;
        QTest::newRow("back 10 over two gaps") << 22 << true << 10 << 10;
        QTest::newRow("forward 5 over a gap") << 10 << false << 5 << 16;
        QTest::newRow("forward 3 from before a gap") << 4 << false << 3 << 8;
    }
    void severalFramesCountRealFrames()
    {
        QFETCH(int, from);
        QFETCH(bool, back);
        QFETCH(int, frames);
        QFETCH(int, to);
        QVERIFY(c->open("tiny_vfr.mp4"));
        QVERIFY(pauseHere());
        QTRY_VERIFY_WITH_TIMEOUT(c->engine->knowsFrameTimes(), ControlsOnMpv::DeadlineMs);
        QVERIFY(goTo(from));
        c->transportView.value(back ? TransportView::JumpList::backFrames : TransportView::JumpList::forwardFrames) =
            frames;
        if (back)
            c->transport->stepBackSeveral();
        else
            c->transport->stepForwardSeveral();
        QVERIFY(c->landed());
        QCOMPARE(c->frame(), to);
    }

    // One frame forward decodes the next frame instead of seeking: the clip
    // rests on that frame, paused, and plays on normally afterwards.
    void stepForwardRestsThenPlaysOn()
    {
        QVERIFY(c->open("tiny_counted.mp4"));
        QVERIFY(pauseHere());
        QVERIFY(goTo(28));
        stepThrough(32);
        if (QTest::currentTestFailed())
            return;
        QVERIFY(c->ticks());
        QVERIFY(c->sync());
        QCOMPARE(c->frame(), 32);
        QVERIFY(c->engine->isPaused());
        QCOMPARE(c->player->PlayState(), mpPaused);

        c->transport->togglePlay();
        QCOMPARE(c->player->PlayState(), mpPlaying);
        QTRY_VERIFY_WITH_TIMEOUT(c->frame() >= 40, ControlsOnMpv::DeadlineMs);
        QVERIFY(!c->engine->isPaused());
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
        QVERIFY(c->open(qPrintable(name)));
        const int start = int(c->player->Duration()) - 1;
        double lowest = std::numeric_limits<double>::max();
        QObject watching;
        QObject::connect(c->player.get(), &MediaPlayerControl::OnPositionChange, &watching,
                         [&](double, double now, quint32, quint32) {
                             if (!c->loops->WaitingForLoopRestart())
                                 lowest = std::min(lowest, now);
                         });
        c->loopView.start = QStringLiteral("00000%1").arg(start);
        c->loopView.end.clear();
        c->loops->playLoop();
        QCOMPARE(c->player->PlayState(), mpPlaying);

        QTRY_VERIFY_WITH_TIMEOUT(c->loops->WaitingForLoopRestart(), ControlsOnMpv::DeadlineMs);
        QVERIFY(c->ticks());
        QVERIFY(c->sync());
        QCOMPARE(c->player->PlayState(), mpPaused);
        QCOMPARE(c->stops, 0);
        QVERIFY2(c->player->CurrentPosition() > start + 0.5, qPrintable(QString::number(c->player->CurrentPosition())));

        // The play button after "loop once": back to the start, and to the
        // end again.
        lowest = std::numeric_limits<double>::max();
        c->transport->togglePlay();
        QTRY_VERIFY_WITH_TIMEOUT(!c->loops->WaitingForLoopRestart(), ControlsOnMpv::DeadlineMs);
        QTRY_VERIFY_WITH_TIMEOUT(c->loops->WaitingForLoopRestart(), ControlsOnMpv::DeadlineMs);
        QVERIFY2(lowest < start + 0.3, qPrintable(QString::number(lowest)));
        QVERIFY(c->ticks());
        QVERIFY(c->sync());
        QCOMPARE(c->player->PlayState(), mpPaused);
        QCOMPARE(c->stops, 0);
    }

    // A continuous loop goes back to its start while it waits: the position
    // reads as the loop's end all the while (and "set start time" takes
    // it), and when the wait is over playing starts from the start at once,
    // with no seek left to make.
    void continuousLoopSeeksBackWhileItWaits()
    {
        QVERIFY(c->open("tiny_counted.mp4"));
        c->loops->setLoopMode(LoopControls::LoopMode::Continuously);
        c->loops->setRestartPauseMs(LoopControls::MaxRestartPauseMs);
        c->loopView.start = QStringLiteral("000001");
        c->loopView.end = QStringLiteral("000002");
        c->loops->playLoop();
        QTRY_VERIFY_WITH_TIMEOUT(c->loops->restartPending(), ControlsOnMpv::DeadlineMs);
        const double end = c->player->CurrentPosition();
        QVERIFY2(end >= 2.0 && end < 2.0 + 2 / Fps, qPrintable(QString::number(end)));
        QVERIFY(c->player->isCued());

        // The engine is at the start long before the wait is over.
        QVERIFY(c->landed());
        QVERIFY(c->loops->restartPending());
        QCOMPARE(qRound(c->engine->position() * Fps), 30);
        QCOMPARE(c->player->CurrentPosition(), end);
        QVERIFY(c->ticks());
        QCOMPARE(c->player->CurrentPosition(), end);
        c->loops->setLoopStart();
        QCOMPARE(c->loopView.start, QStringLiteral("000002"));
        QCOMPARE(c->player->PlayState(), mpPaused);
        QVERIFY(c->loopView.playing);

        QTRY_VERIFY_WITH_TIMEOUT(c->player->PlayState() == mpPlaying, LoopControls::MaxRestartPauseMs + 1000);
        QVERIFY(!c->engine->seekPending());
        QVERIFY(c->player->CurrentPosition() < 1.0 + 2 / Fps);
        QVERIFY(c->ticks());
        QVERIFY(!c->loops->WaitingForLoopRestart());
        QVERIFY(c->player->CurrentPosition() < 1.5);
    }

    // A loop played once rests on its end frame, where mpv has stopped as at
    // a clip's end: one frame forward from there lands on the next frame at
    // once, not after a step that mpv never makes and the step's deadline.
    void stepForwardFromALoopsEndIsNotHeldUp()
    {
        QVERIFY(c->open("tiny_counted.mp4"));
        c->loops->setLoopMode(LoopControls::LoopMode::Once);
        c->loopView.start = QStringLiteral("000001");
        c->loopView.end = QStringLiteral("000002");
        c->loops->playLoop();
        QTRY_VERIFY_WITH_TIMEOUT(c->loops->WaitingForLoopRestart(), ControlsOnMpv::DeadlineMs);
        QVERIFY(c->landed());
        QVERIFY(c->ticks());
        const int end = c->frame();
        QCOMPARE(end, 60);
        c->transport->stepForward();
        QVERIFY(c->landed());
        QCOMPARE(c->frame(), end + 1);
        QCOMPARE(qRound(c->engine->position() * Fps), end + 1);
        QCOMPARE(c->engine->stepsRedone(), 0);
        QCOMPARE(c->player->PlayState(), mpPaused);
    }

    // The play key during the wait calls the restart off: the loop rests at
    // its end (mpv goes back there), and the next play starts it again.
    void pauseDuringTheWaitRestsAtTheEnd()
    {
        QVERIFY(c->open("tiny_counted.mp4"));
        c->loops->setLoopMode(LoopControls::LoopMode::Continuously);
        c->loops->setRestartPauseMs(LoopControls::MaxRestartPauseMs);
        c->loopView.start = QStringLiteral("000001");
        c->loopView.end = QStringLiteral("000002");
        c->loops->playLoop();
        QTRY_VERIFY_WITH_TIMEOUT(c->loops->restartPending(), ControlsOnMpv::DeadlineMs);
        const int end = c->frame();
        QVERIFY(c->landed());

        c->transport->togglePlay();
        QVERIFY(!c->loops->restartPending());
        QVERIFY(!c->player->isCued());
        QVERIFY(c->landed());
        QCOMPARE(c->frame(), end);
        QCOMPARE(qRound(c->engine->position() * Fps), end);
        QVERIFY(c->ticks());
        QCOMPARE(c->player->PlayState(), mpPaused);

        c->transport->togglePlay();
        QVERIFY(c->landed());
        QCOMPARE(c->player->PlayState(), mpPlaying);
        QVERIFY2(c->frame() < 40, qPrintable(QString::number(c->frame())));
    }

    // One frame back during the wait starts from the loop's end, where the
    // position reads, not from where mpv went ahead of time.
    void stepDuringTheWaitStartsFromTheEnd()
    {
        QVERIFY(c->open("tiny_counted.mp4"));
        c->loops->setLoopMode(LoopControls::LoopMode::Continuously);
        c->loops->setRestartPauseMs(LoopControls::MaxRestartPauseMs);
        c->loopView.start = QStringLiteral("000001");
        c->loopView.end = QStringLiteral("000002");
        c->loops->playLoop();
        QTRY_VERIFY_WITH_TIMEOUT(c->loops->restartPending(), ControlsOnMpv::DeadlineMs);
        const int end = c->frame();
        QVERIFY(c->landed());
        c->transport->stepBack();
        QVERIFY(c->landed());
        QCOMPARE(c->frame(), end - 1);
        QCOMPARE(qRound(c->engine->position() * Fps), end - 1);
    }

    // Steps back after the first are decoded in reverse by mpv instead of
    // each seeking from the keyframe: a run of presses across a keyframe
    // makes one seek, and every press lands on the previous frame, paused.
    void stepsBackAfterTheFirstNeedNoSeek()
    {
        QVERIFY(c->open("tiny_counted.mp4"));
        QVERIFY(pauseHere());
        QVERIFY(goTo(40));
        const int seeks = c->engine->seeksMade();
        stepThrough(25);
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(c->engine->seeksMade() - seeks, 1);
        QVERIFY(c->ticks());
        QVERIFY(c->engine->isPaused());
        QCOMPARE(c->player->PlayState(), mpPaused);
    }

    // A held key repeats faster than frames come: every press counts, and
    // the clip rests on the last one's frame.
    void pressesFasterThanFramesAllCount()
    {
        QVERIFY(c->open("tiny_counted.mp4"));
        QVERIFY(pauseHere());
        QVERIFY(goTo(45));
        c->transport->stepBack();
        QVERIFY(c->landed());
        for (int press = 0; press < 6; ++press)
            c->transport->stepBack();
        QVERIFY(c->landed());
        QCOMPARE(c->frame(), 38);
        for (int press = 0; press < 4; ++press)
            c->transport->stepBack();
        QVERIFY(c->landed());
        QCOMPARE(c->frame(), 34);
        QCOMPARE(qRound(c->engine->position() * Fps), 34);
    }

    // Whatever follows steps back goes forward again from where they rest.
    void afterStepsBackTheClipGoesForward_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("lands"); // -1: plays on
        QTest::newRow("play") << "play" << -1;
        QTest::newRow("one frame forward") << "forward" << 35;
        QTest::newRow("five frames forward") << "forward 5" << 39;
        QTest::newRow("five frames back") << "back 5" << 29;
        QTest::newRow("a jump elsewhere") << "jump" << 10;
    }
    void afterStepsBackTheClipGoesForward()
    {
        QFETCH(QString, action);
        QFETCH(int, lands);
        QVERIFY(c->open("tiny_counted.mp4"));
        QVERIFY(pauseHere());
        QVERIFY(goTo(40));
        QVERIFY(pressBack(6));
        QCOMPARE(c->frame(), 34);
        c->transportView.value(TransportView::JumpList::forwardFrames) = 5;
        c->transportView.value(TransportView::JumpList::backFrames) = 5;
        if (action == QLatin1String("play")) {
            c->transport->togglePlay();
            QTRY_VERIFY_WITH_TIMEOUT(c->frame() >= 45, ControlsOnMpv::DeadlineMs);
            QVERIFY(pauseHere());
            lands = c->frame();
        } else if (action == QLatin1String("forward")) {
            c->transport->stepForward();
        } else if (action == QLatin1String("forward 5")) {
            c->transport->stepForwardSeveral();
        } else if (action == QLatin1String("back 5")) {
            c->transport->stepBackSeveral();
        } else {
            QVERIFY(goTo(10));
        }
        QVERIFY(c->landed());
        QCOMPARE(c->frame(), lands);
        // And mpv plays forward: the next step goes to the next frame.
        c->transport->stepForward();
        QVERIFY(c->landed());
        QCOMPARE(c->frame(), lands + 1);
        QCOMPARE(qRound(c->engine->position() * Fps), lands + 1);
    }

    // HEVC as x265 writes it by default has open groups of pictures: the
    // frames just before a keyframe are decoded after it, and an exact seek
    // to one of them showed the keyframe. Steps back over such a keyframe
    // land on each of those frames in turn, and forward steps too.
    void stepsOverAnOpenGroupsKeyframe()
    {
        QVERIFY(c->open("tiny_open_gop.mp4"));
        QVERIFY(pauseHere());
        QTRY_VERIFY_WITH_TIMEOUT(c->engine->knowsFrameTimes(), ControlsOnMpv::DeadlineMs);
        QVERIFY(goTo(32));
        stepThrough(22);
        if (QTest::currentTestFailed())
            return;
        stepThrough(33);
    }

    // A loop's end set while mpv plays backwards for steps back holds once
    // the clip plays forward again: it plays to that end and rests there.
    void pausePointSetWhileSteppingBackHolds()
    {
        QVERIFY(c->open("tiny_counted.mp4"));
        QVERIFY(pauseHere());
        QVERIFY(goTo(40));
        QVERIFY(pressBack(3));
        c->engine->setPausePoint(50 / Fps);
        QVERIFY(pressBack(2));
        QCOMPARE(c->frame(), 35);
        c->engine->setPaused(false);
        QTRY_VERIFY_WITH_TIMEOUT(c->engine->isPaused(), ControlsOnMpv::DeadlineMs);
        QVERIFY(c->sync());
        QCOMPARE(qRound(c->engine->position() * Fps), 50);
    }

    // The next clip plays forward from its start.
    void nextClipPlaysForwardAfterStepsBack()
    {
        QVERIFY(c->open("tiny_counted.mp4"));
        QVERIFY(pauseHere());
        QVERIFY(goTo(40));
        QVERIFY(pressBack(3));
        QVERIFY(c->open("tiny_vfr.mp4"));
        QTRY_VERIFY_WITH_TIMEOUT(c->player->CurrentPosition() >= 0.5, ControlsOnMpv::DeadlineMs);
        QVERIFY(!c->engine->isPaused());
    }
};

QTEST_MAIN(TestControlsOnMpv)
#include "TestControlsOnMpv.moc"
