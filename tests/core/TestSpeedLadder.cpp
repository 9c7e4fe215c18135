// The speed ladder and the repeat gap: the ladder's text, and a ladder loop
// run on the fake engine and a manual clock through the real loop controls.
#include "FakeEngine.h"
#include "FakeViews.h"
#include "ManualClock.h"
#include "ScriptedPrompt.h"
#include "core/playback/LoopControls.h"
#include "core/playback/LoopView.h"
#include "core/playback/MediaPlayerControl.h"
#include "core/playback/SpeedLadder.h"

#include <QTest>
#include <memory>

class TestSpeedLadder : public QObject {
    Q_OBJECT

    ScriptedPrompt prompt;
    ManualClock clock;
    FakeEngine* engine = nullptr;
    std::unique_ptr<MediaPlayerControl> player;
    FakeLoopView view;
    std::unique_ptr<LoopControls> loops;

    void step(int ms = MediaPlayerControl::TickIntervalMs)
    {
        engine->advance(ms);
        clock.advance(ms);
        player->tick();
    }
    template <class Condition> bool stepUntil(Condition condition, int maxMs = 120000)
    {
        for (int t = 0; t < maxMs && !condition(); t += MediaPlayerControl::TickIntervalMs)
            step();
        return condition();
    }
    // A loop from 2 s to 4 s of a 20 s clip.
    void playLoop()
    {
        view.start = QStringLiteral("000002");
        view.end = QStringLiteral("000004");
        loops->playLoop();
        QCOMPARE(prompt.messages().join("/"), QString());
        QCOMPARE(player->PlayState(), mpPlaying);
    }

private slots:
    void init()
    {
        clock = ManualClock();
        engine = new FakeEngine;
        engine->addClip(QStringLiteral("/clips/lesson.mp4"), FakeEngine::Clip{});
        player = std::make_unique<MediaPlayerControl>(engine);
        player->setTimerEnabled(false);
        loops = std::make_unique<LoopControls>(*player, view);
        loops->setRestartTimer([this](int ms, std::function<void()> done) { clock.schedule(ms, std::move(done)); });
        connect(player.get(), &MediaPlayerControl::OnPositionChange, loops.get(),
                [this](double from, double to, quint32, quint32) { loops->positionChanged(from, to); });
        connect(player.get(), &MediaPlayerControl::OnPlayStateChange, loops.get(), &LoopControls::playStateChanged);
        player->setFileName(QStringLiteral("/clips/lesson.mp4"));
        player->Open();
        engine->finishLoad();
        step();
        prompt.clear();
    }
    void cleanup()
    {
        loops.reset();
        player.reset();
    }

    void ratesAreRead_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<double>>("rates");
        QTest::newRow("default") << "0.5, 0.75, 1.0" << QList<double>{0.5, 0.75, 1.0};
        QTest::newRow("blanks only") << "0.6 0.8  1" << QList<double>{0.6, 0.8, 1.0};
        QTest::newRow("commas only, outer blanks") << " 0.25,.5,2. " << QList<double>{0.25, 0.5, 2.0};
        QTest::newRow("one rate") << "0.7" << QList<double>{0.7};
        QTest::newRow("the limits") << "0.1, 4" << QList<double>{0.1, 4.0};
    }
    void ratesAreRead()
    {
        QFETCH(QString, text);
        QFETCH(QList<double>, rates);
        QString error = QStringLiteral("stale");
        QCOMPARE(SpeedLadder::parseRates(text, &error), std::optional<QList<double>>(rates));
        QVERIFY(error.isEmpty());
    }

    void badRatesAreExplained_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        const QString notARate =
            "\"%1\" is not a rate. Write the rates as decimal numbers separated by commas, such as "
            "\"0.5, 0.75, 1.0\".";
        const QString outOfRange = "The rate %1 is out of range: each rate must lie between 0.1 and 4.0.";
        QTest::newRow("empty") << ""
                               << "The speed ladder needs at least one rate, such as \"0.5, 0.75, 1.0\".";
        QTest::newRow("only separators") << " , ,"
                                         << "The speed ladder needs at least one rate, such as \"0.5, 0.75, 1.0\".";
        QTest::newRow("word") << "0.5, fast" << notARate.arg("fast");
        QTest::newRow("decimal comma in words") << "0.5; 1" << notARate.arg("0.5;");
        QTest::newRow("negative") << "-0.5" << notARate.arg("-0.5");
        QTest::newRow("exponent") << "1e0" << notARate.arg("1e0");
        QTest::newRow("infinity") << "inf" << notARate.arg("inf");
        QTest::newRow("with an x") << "0.5x" << notARate.arg("0.5x");
        QTest::newRow("zero") << "0, 1" << outOfRange.arg("0");
        QTest::newRow("too slow") << "0.05" << outOfRange.arg("0.05");
        QTest::newRow("too fast") << "1, 4.5" << outOfRange.arg("4.5");
        QTest::newRow("too many") << "1 1 1 1 1 1 1 1 1 1 1"
                                  << "The speed ladder holds at most 10 rates.";
    }
    void badRatesAreExplained()
    {
        QFETCH(QString, text);
        QFETCH(QString, message);
        QString error;
        QVERIFY(!SpeedLadder::parseRates(text, &error));
        QCOMPARE(error, message);
    }

    void indicatorTexts()
    {
        SpeedLadder ladder({0.5, 0.75, 1.0}, 1);
        QCOMPARE(ladder.indicator(), QStringLiteral("ladder 1/3 at 0.5"));
        QVERIFY(ladder.passFinished());
        QCOMPARE(ladder.indicator(), QStringLiteral("ladder 2/3 at 0.75"));
        QVERIFY(ladder.passFinished());
        QCOMPARE(ladder.indicator(), QStringLiteral("ladder 3/3 at 1.0"));
        QVERIFY(!ladder.passFinished());
        QCOMPARE(ladder.indicator(), QStringLiteral("ladder 3/3 at 1.0"));
    }

    // Two passes at 0.5, two at 0.75, then 1.0 for good. Each pass starts at
    // the loop's start with its rate already set.
    void passesClimbTheLadder()
    {
        loops->setLoopMode(LoopControls::LoopMode::Ladder);
        QCOMPARE(view.modeCaption(), QStringLiteral("speed ladder"));
        QList<double> ratesAtPlay;
        QList<double> seeksAtPlay;
        connect(engine, &PlaybackEngine::pausedChanged, this, [&](bool paused) {
            if (!paused) {
                ratesAtPlay << engine->speed();
                seeksAtPlay << engine->lastSeekTarget();
            }
        });
        playLoop();
        QStringList captions{view.modeCaption()};
        for (int pass = 1; pass < 7; ++pass) {
            QVERIFY(stepUntil([&] { return loops->restartPending(); }));
            captions << view.modeCaption();
            QVERIFY(stepUntil([&] { return !loops->restartPending(); }));
            step();
            QVERIFY(player->CurrentPosition() < 2.2);
        }
        disconnect(engine, &PlaybackEngine::pausedChanged, this, nullptr);
        QCOMPARE(ratesAtPlay, (QList<double>{0.5, 0.5, 0.75, 0.75, 1.0, 1.0, 1.0}));
        // The first play starts the loop; each restart plays from the end
        // and then seeks to the start once it plays.
        QCOMPARE(seeksAtPlay.first(), 2.0);
        QCOMPARE(engine->lastSeekTarget(), 2.0);
        QCOMPARE(captions,
                 (QStringList{"ladder 1/3 at 0.5", "ladder 1/3 at 0.5", "ladder 2/3 at 0.75", "ladder 2/3 at 0.75",
                              "ladder 3/3 at 1.0", "ladder 3/3 at 1.0", "ladder 3/3 at 1.0"}));
        QVERIFY(loops->ladderRunning());
    }

    void leavingTheLadderGivesBackTheUsersRate_data()
    {
        QTest::addColumn<int>("way");
        QTest::newRow("play full video") << 0;
        QTest::newRow("reset loop") << 1;
        QTest::newRow("reset end time") << 2;
        QTest::newRow("mode key") << 3;
        QTest::newRow("loop mode button") << 4;
        QTest::newRow("new clip") << 5;
    }
    void leavingTheLadderGivesBackTheUsersRate()
    {
        QFETCH(int, way);
        player->setRate(1.5);
        loops->setLoopMode(LoopControls::LoopMode::Ladder);
        playLoop();
        QCOMPARE(engine->speed(), 0.5);
        QVERIFY(stepUntil([&] { return loops->restartPending(); }));
        QVERIFY(stepUntil([&] { return !loops->restartPending(); }));
        QVERIFY(loops->ladderRunning());
        switch (way) {
        case 0:
            loops->playFullVideo();
            break;
        case 1:
            loops->clearLoop();
            break;
        case 2:
            loops->clearLoopEnd();
            break;
        case 3:
            loops->cycleLoopMode();
            QCOMPARE(loops->loopMode(), LoopControls::LoopMode::Once);
            break;
        case 4:
            loops->toggleContinuously();
            QCOMPARE(loops->loopMode(), LoopControls::LoopMode::Once);
            break;
        case 5:
            loops->clipOpened();
            break;
        }
        QVERIFY(!loops->ladderRunning());
        QCOMPARE(engine->speed(), 1.5);
        QCOMPARE(player->Rate(), 1.5);
        if (way < 3)
            QCOMPARE(view.modeCaption(), QStringLiteral("speed ladder"));
    }

    // The key cycles once -> continuously -> ladder -> once; the button
    // toggles once <-> continuously, and leaves the ladder for once.
    void modeKeyAndButton()
    {
        QCOMPARE(loops->loopMode(), LoopControls::LoopMode::Once);
        QStringList captions;
        for (int i = 0; i < 3; ++i) {
            loops->cycleLoopMode();
            captions << view.modeCaption();
        }
        QCOMPARE(captions, (QStringList{"loop continuously", "speed ladder", "loop once"}));
        loops->toggleContinuously();
        QCOMPARE(loops->loopMode(), LoopControls::LoopMode::Continuously);
        QVERIFY(loops->LoopContinuously());
        loops->toggleContinuously();
        QCOMPARE(loops->loopMode(), LoopControls::LoopMode::Once);
        loops->setLoopMode(LoopControls::LoopMode::Ladder);
        QVERIFY(loops->LoopContinuously());
        loops->toggleContinuously();
        QCOMPARE(loops->loopMode(), LoopControls::LoopMode::Once);
        QVERIFY(!loops->LoopContinuously());
    }

    // A continuous loop plays again exactly the gap after it paused at its end.
    void theGapIsHonoured_data()
    {
        QTest::addColumn<int>("gap");
        QTest::newRow("none") << 0;
        QTest::newRow("default") << 400;
        QTest::newRow("1.3 s") << 1300;
        QTest::newRow("longest") << 5000;
    }
    void theGapIsHonoured()
    {
        QFETCH(int, gap);
        loops->setRestartPauseMs(gap);
        loops->setLoopMode(LoopControls::LoopMode::Continuously);
        qint64 pausedAt = -1;
        qint64 playedAt = -1;
        connect(engine, &PlaybackEngine::pausedChanged, this,
                [&](bool paused) { (paused ? pausedAt : playedAt) = clock.now(); });
        playLoop();
        playedAt = -1;
        QVERIFY(stepUntil([&] { return pausedAt >= 0; }));
        QVERIFY(stepUntil([&] { return playedAt >= 0; }));
        disconnect(engine, &PlaybackEngine::pausedChanged, this, nullptr);
        QCOMPARE(playedAt - pausedAt, qint64(gap));
        step();
        QVERIFY(player->CurrentPosition() < 2.2);
    }
};

QTEST_GUILESS_MAIN(TestSpeedLadder)
#include "TestSpeedLadder.moc"
