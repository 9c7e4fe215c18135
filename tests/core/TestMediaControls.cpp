// The media keys' and the desktop's media controls' commands, run through
// the program's own controllers on the fake engine: what each does, that
// one press coming both ways acts once, and what the desktop is shown.
#include "DesktopRig.h"

#include <QSignalSpy>
#include <QTest>

class TestMediaControls : public QObject {
    Q_OBJECT

    std::unique_ptr<DesktopRig> rig;

    MediaControls& media() { return rig->media; }
    double position() { return rig->player.CurrentPosition(); }

private slots:
    void init()
    {
        rig = std::make_unique<DesktopRig>(120.0);
        rig->openLesson();
        rig->step();
    }
    void cleanup() { rig.reset(); }

    void playAndPause()
    {
        QVERIFY(rig->playing());
        QVERIFY(!media().run(MediaCommand::Play, MediaRoute::Desktop)); // plays already
        QVERIFY(rig->playing());
        rig->clock.advance(1000);
        QVERIFY(media().run(MediaCommand::Pause, MediaRoute::Desktop));
        rig->step();
        QVERIFY(!rig->playing());
        QCOMPARE(media().facts().status, MediaStatus::Paused);
        rig->clock.advance(1000);
        QVERIFY(!media().run(MediaCommand::Pause, MediaRoute::Desktop)); // paused already
        QVERIFY(media().run(MediaCommand::PlayPause, MediaRoute::Window));
        rig->step();
        QVERIFY(rig->playing());
        QCOMPARE(media().facts().status, MediaStatus::Playing);
    }

    // A continuous loop waiting out its gap plays, as the play key sees it:
    // pause calls the restart off and the loop rests at its end.
    void pauseInALoopsGap()
    {
        rig->loops.setLoopMode(LoopControls::LoopMode::Continuously);
        rig->setBoxes(QStringLiteral("000105"), QStringLiteral("000107"));
        rig->loops.playLoop();
        QVERIFY(rig->stepUntil([this] { return rig->loops.restartPending(); }, 5000));
        QCOMPARE(media().facts().status, MediaStatus::Playing);
        QVERIFY(media().run(MediaCommand::Pause, MediaRoute::Desktop));
        QVERIFY(!rig->loops.restartPending());
        rig->step(1000);
        QVERIFY(!rig->playing());
        QVERIFY(position() >= 67.0);
        QCOMPARE(media().facts().status, MediaStatus::Paused);
    }

    // Stop rests at the loop's start, paused; the loop is kept.
    void stopRestsAtTheLoopsStart()
    {
        rig->setBoxes(QStringLiteral("000105"), QStringLiteral("000110"));
        rig->loops.playLoop();
        rig->step(2000);
        QVERIFY(media().run(MediaCommand::Stop, MediaRoute::Window));
        rig->step();
        rig->step();
        QVERIFY(!rig->playing());
        QCOMPARE(position(), 65.0);
        QVERIFY(rig->loops.LoopIsPlaying());
        QCOMPARE(rig->loopView.start, QStringLiteral("000105"));
    }

    // Forward and rewind are the jump keys; the desktop's seek jumps by
    // its own offset, back past the start to the start; a position past
    // the clip's end is no position.
    void jumps()
    {
        rig->pauseAt(50.0);
        const int jump = rig->transportView.jumpValue(TransportView::JumpList::forwardSeconds);
        QVERIFY(media().run(MediaCommand::Forward, MediaRoute::Window));
        QCOMPARE(position(), 50.0 + jump);
        rig->clock.advance(1000);
        QVERIFY(media().run(MediaCommand::Rewind, MediaRoute::Window));
        QCOMPARE(position(), 50.0);
        rig->clock.advance(1000);
        QVERIFY(media().jumpBy(12.5, MediaRoute::Desktop));
        QCOMPARE(position(), 62.5);
        rig->clock.advance(1000);
        QVERIFY(media().jumpBy(-100.0, MediaRoute::Desktop));
        rig->step();
        rig->step();
        QCOMPARE(position(), 0.0);
        media().jumpTo(30.0);
        QCOMPARE(position(), 30.0);
        media().jumpTo(500.0);
        QCOMPARE(position(), 30.0);
    }

    // Each jump, step and loop restart tells the desktop where the clip is.
    void seeksAreTold()
    {
        QSignalSpy seeked(&media(), &MediaControls::seeked);
        rig->pauseAt(50.0);
        QCOMPARE(seeked.last().first().toDouble(), 50.0);
        rig->transport.stepForward();
        QCOMPARE(seeked.last().first().toDouble(), position());
        rig->loops.setLoopMode(LoopControls::LoopMode::Continuously);
        rig->setBoxes(QStringLiteral("000105"), QStringLiteral("000107"));
        rig->loops.playLoop();
        QVERIFY(rig->stepUntil([this] { return rig->loops.restartPending(); }, 5000));
        seeked.clear();
        QVERIFY(rig->stepUntil([this] { return rig->playing(); }, 1000));
        QVERIFY(!seeked.isEmpty());
        QCOMPARE(seeked.last().first().toDouble(), 65.0);
    }

    void rates()
    {
        media().setRate(0.5);
        QCOMPARE(rig->player.Rate(), 0.5);
        QCOMPARE(rig->transportView.marked, TransportView::SpeedMode::Slow);
        media().setRate(1.7);
        QCOMPARE(rig->transportView.marked, TransportView::SpeedMode::Fast);
        media().setRate(4.0);
        media().setRate(0.05);
        QCOMPARE(rig->player.Rate(), 1.7);
        QCOMPARE(media().facts().rate, 1.7);
        media().setRate(0.0); // as a pause
        rig->step();
        QVERIFY(!rig->playing());
        QCOMPARE(MediaControls::minimumRate(), 0.1);
        QCOMPARE(MediaControls::maximumRate(), 2.0);
    }

    // One press that comes both ways within the echo's time acts once;
    // presses that come the same way, or long apart, each act.
    void echoes_data()
    {
        QTest::addColumn<QList<int>>("routes"); // 0 window, 1 desktop
        QTest::addColumn<QList<int>>("gaps");   // ms before each press
        QTest::addColumn<int>("acted");
        QTest::newRow("window, then its echo") << QList<int>{0, 1} << QList<int>{0, 30} << 1;
        QTest::newRow("desktop, then its echo") << QList<int>{1, 0} << QList<int>{0, 200} << 1;
        QTest::newRow("two window presses") << QList<int>{0, 0} << QList<int>{0, 150} << 2;
        QTest::newRow("two desktop presses") << QList<int>{1, 1} << QList<int>{0, 100} << 2;
        QTest::newRow("the other way, long after") << QList<int>{0, 1} << QList<int>{0, 450} << 2;
        QTest::newRow("a double press seen both ways") << QList<int>{0, 1, 0, 1} << QList<int>{0, 20, 230, 20} << 2;
    }
    void echoes()
    {
        QFETCH(QList<int>, routes);
        QFETCH(QList<int>, gaps);
        QFETCH(int, acted);
        int ran = 0;
        for (int i = 0; i < routes.size(); ++i) {
            rig->clock.advance(gaps[i]);
            ran += media().run(MediaCommand::PlayPause, routes[i] ? MediaRoute::Desktop : MediaRoute::Window);
        }
        QCOMPARE(ran, acted);
        rig->step();
        QCOMPARE(rig->playing(), acted % 2 == 0);
    }

    // Next and previous step through the clips of the folder, with a clip
    // open; with none there is nothing to step through.
    void nextAndPreviousClip()
    {
        rig->makeClip(QStringLiteral("z cool-down.mp4"));
        rig->openLesson();
        // The folder is listed on a worker while the clip opens.
        QTRY_VERIFY(media().facts().canGoNext);
        QVERIFY(media().run(MediaCommand::Next, MediaRoute::Desktop));
        rig->step();
        QVERIFY(rig->player.FileName().endsWith(QLatin1String("z cool-down.mp4")));
        rig->clock.advance(1000);
        QVERIFY(media().run(MediaCommand::Previous, MediaRoute::Window));
        rig->step();
        QVERIFY(rig->player.FileName().endsWith(QLatin1String("lesson.mp4")));
    }

    // What the desktop is shown of the clip: a new track with each clip
    // opened, its file name and length.
    void theTrack()
    {
        const MediaTrack first = media().facts().track;
        QCOMPARE(first.title, QStringLiteral("lesson.mp4"));
        QCOMPARE(first.path, rig->clipFolder() + QStringLiteral("lesson.mp4"));
        QCOMPARE(first.length, 120.0);
        QVERIFY(first.number > 0);
        int changes = 0;
        connect(&media(), &MediaControls::factsChanged, this, [&changes] { ++changes; });
        rig->openClip(rig->makeClip(QStringLiteral("other.mp4")));
        rig->step();
        QVERIFY(changes > 0);
        QCOMPARE(media().facts().track.title, QStringLiteral("other.mp4"));
        QVERIFY(media().facts().track.number > first.number);
    }

    // Before any clip: stopped, no track, nothing to step through (and no
    // message about it).
    void withoutAClip()
    {
        rig.reset();
        rig = std::make_unique<DesktopRig>();
        QCOMPARE(media().facts().status, MediaStatus::Stopped);
        QCOMPARE(media().facts().track, MediaTrack{});
        QVERIFY(!media().facts().canGoNext);
        QVERIFY(!media().run(MediaCommand::Next, MediaRoute::Desktop));
        QVERIFY(!media().run(MediaCommand::Previous, MediaRoute::Window));
        QVERIFY(rig->prompt.shown().isEmpty());
    }

    void openingAClip()
    {
        const QString other = rig->makeClip(QStringLiteral("other.mp4"));
        const QString text = rig->makeClip(QStringLiteral("notes.txt"));
        QCOMPARE(media().canOpenClip(other), MediaControls::ClipCheck::Fine);
        QCOMPARE(media().canOpenClip(text), MediaControls::ClipCheck::NotAClip);
        QCOMPARE(media().canOpenClip(rig->clipFolder() + QStringLiteral("gone.mp4")), MediaControls::ClipCheck::NoFile);
        rig->document.setPlayingAll(true);
        QCOMPARE(media().canOpenClip(other), MediaControls::ClipCheck::PlayingAll);
        rig->document.setPlayingAll(false);
        rig->setBoxes(QStringLiteral("000105"), QStringLiteral("000110"));
        media().openClip(other);
        rig->step();
        QCOMPARE(rig->player.FileName(), other);
        QCOMPARE(rig->loopView.start, QString());
        QVERIFY(rig->playing());
    }
};

QTEST_GUILESS_MAIN(TestMediaControls)
#include "TestMediaControls.moc"
