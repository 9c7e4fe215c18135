// When the screen is kept awake: from the first frame a clip plays until
// within a second of the end of playing, through a loop's repeat gap, play
// all's hand-overs and a change of speed; let go at once at the program's
// end. On the fake engine and the rig's manual clock.
#include "DesktopRig.h"

#include <QTest>

namespace {

enum class Ending { UserPause, LoopOnceEnd, ClipEnd, ClipBreaksOff, MediaStop, PlayAllEnd };
enum class Keeping { SpeedChange, PauseAndPlayAgain, RepeatGap, PlayAllHandOver, NextClip };

} // namespace

class TestScreenAwake : public QObject {
    Q_OBJECT

    std::unique_ptr<DesktopRig> rig;

    // Plays on for `ms`, tick by tick.
    void playOn(int ms)
    {
        for (int t = 0; t < ms; t += MediaPlayerControl::TickIntervalMs)
            rig->step();
    }
    // Steps until the player no longer plays; the time it stopped.
    qint64 stepUntilNotPlaying()
    {
        if (!rig->stepUntil([this] { return !rig->playing(); }, 60000))
            return -1;
        return rig->clock.now();
    }

private slots:
    void init()
    {
        rig = std::make_unique<DesktopRig>(120.0);
        rig->makeClip(QStringLiteral("other.mp4"));
        rig->openLesson();
        rig->step();
    }
    void cleanup() { rig.reset(); }

    void heldFromTheFirstTick()
    {
        QVERIFY(rig->playing());
        QCOMPARE(rig->inhibitor.calls.size(), 1);
        QVERIFY(rig->inhibitor.held());
        QVERIFY(!rig->inhibitor.reason.isEmpty());
    }

    void letGoWithinASecond_data()
    {
        QTest::addColumn<Ending>("ending");
        QTest::newRow("a pause by the user") << Ending::UserPause;
        QTest::newRow("the end of a loop played once") << Ending::LoopOnceEnd;
        QTest::newRow("the end of the clip") << Ending::ClipEnd;
        QTest::newRow("a clip that breaks off") << Ending::ClipBreaksOff;
        QTest::newRow("the stop key") << Ending::MediaStop;
        QTest::newRow("the end of play all") << Ending::PlayAllEnd;
    }
    void letGoWithinASecond()
    {
        QFETCH(Ending, ending);
        qint64 stopped = -1;
        switch (ending) {
        case Ending::UserPause:
            rig->transport.togglePlay();
            stopped = rig->clock.now();
            break;
        case Ending::LoopOnceEnd:
            rig->setBoxes(QStringLiteral("000105"), QStringLiteral("000107"));
            rig->loops.playLoop();
            stopped = stepUntilNotPlaying();
            QVERIFY(rig->loops.WaitingForLoopRestart());
            break;
        case Ending::ClipEnd:
            rig->player.setCurrentPosition(118.0);
            stopped = stepUntilNotPlaying();
            break;
        case Ending::ClipBreaksOff:
            rig->engine->breakDown(QStringLiteral("audio output failed"));
            stopped = rig->clock.now();
            break;
        case Ending::MediaStop:
            QVERIFY(rig->media.run(MediaCommand::Stop, MediaRoute::Window));
            stopped = rig->clock.now();
            break;
        case Ending::PlayAllEnd:
            rig->sequence.clips = {rig->clipFolder() + QStringLiteral("other.mp4"),
                                   rig->clipFolder() + QStringLiteral("lesson.mp4")};
            rig->sequence.start();
            QVERIFY(rig->stepUntil([this] { return !rig->document.PlayingAll(); }, 20000));
            stopped = rig->clock.now();
            break;
        }
        QVERIFY(stopped >= 0);
        QVERIFY(rig->stepUntil([this] { return !rig->inhibitor.held(); }, 2000));
        QCOMPARE(rig->inhibitor.calls.size(), 2);
        const qint64 after = rig->inhibitor.calls.last().at - stopped;
        QVERIFY2(after <= 1000, qPrintable(QString::number(after)));
        // And it stays released while nothing plays.
        for (int i = 0; i < 40; ++i)
            rig->step();
        QCOMPARE(rig->inhibitor.calls.size(), 2);
    }

    void keptThrough_data()
    {
        QTest::addColumn<Keeping>("keeping");
        QTest::newRow("slow and fast motion") << Keeping::SpeedChange;
        QTest::newRow("a pause and a play in a row") << Keeping::PauseAndPlayAgain;
        QTest::newRow("a continuous loop's gap of five seconds") << Keeping::RepeatGap;
        QTest::newRow("play all moving to a bookmark of another clip") << Keeping::PlayAllHandOver;
        QTest::newRow("the next clip of the folder") << Keeping::NextClip;
    }
    void keptThrough()
    {
        QFETCH(Keeping, keeping);
        switch (keeping) {
        case Keeping::SpeedChange:
            rig->transport.playSlow();
            playOn(2000);
            rig->transport.playFast();
            playOn(2000);
            break;
        case Keeping::PauseAndPlayAgain:
            rig->transport.togglePlay();
            playOn(300);
            rig->transport.togglePlay();
            playOn(2000);
            break;
        case Keeping::RepeatGap:
            rig->loops.setRestartPauseMs(LoopControls::MaxRestartPauseMs);
            rig->loops.setLoopMode(LoopControls::LoopMode::Continuously);
            rig->setBoxes(QStringLiteral("000105"), QStringLiteral("000107"));
            rig->loops.playLoop();
            QVERIFY(rig->stepUntil([this] { return rig->loops.restartPending(); }, 10000));
            QVERIFY(rig->stepUntil([this] { return rig->playing(); }, LoopControls::MaxRestartPauseMs + 100));
            break;
        case Keeping::PlayAllHandOver:
            rig->sequence.clips = {rig->clipFolder() + QStringLiteral("lesson.mp4"),
                                   rig->clipFolder() + QStringLiteral("other.mp4")};
            rig->sequence.start();
            QVERIFY(
                rig->stepUntil([this] { return rig->player.FileName().endsWith(QLatin1String("other.mp4")); }, 10000));
            QVERIFY(rig->stepUntil([this] { return rig->playing(); }, 1000));
            break;
        case Keeping::NextClip:
            rig->clips.playNextClip();
            rig->step();
            QVERIFY(rig->player.FileName().endsWith(QLatin1String("other.mp4")));
            playOn(2000);
            break;
        }
        QVERIFY(rig->playing());
        QCOMPARE(rig->inhibitor.calls.size(), 1);
        QVERIFY(rig->inhibitor.held());
    }

    // Leaving the program lets the screen go at once, and nothing takes it
    // again.
    void theEndLetsGoAtOnce()
    {
        rig->awake.end();
        QCOMPARE(rig->inhibitor.calls.size(), 2);
        QVERIFY(!rig->inhibitor.held());
        rig->transport.togglePlay();
        rig->step();
        rig->transport.togglePlay();
        playOn(2000);
        QCOMPARE(rig->inhibitor.calls.size(), 2);
    }
};

QTEST_GUILESS_MAIN(TestScreenAwake)
#include "TestScreenAwake.moc"
