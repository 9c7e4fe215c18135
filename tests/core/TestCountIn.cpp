// The count-in of a loop against the fake engine and the test's clock: the
// four beats it lasts at the loop's rate, the loop playing again when the
// count's sound reaches "1" (or after the count-in's length when nothing is
// heard), and the keys that call it off.
#include "FakeBeats.h"
#include "FakeCountInPlayer.h"
#include "PlaybackRig.h"
#include "core/beats/BeatGrid.h"
#include "core/playback/CountIn.h"

#include <QTest>

using countin::CountInPlan;
using countin::CountInSound;

Q_DECLARE_METATYPE(CountInSound)

class TestCountIn : public QObject {
    Q_OBJECT

    std::unique_ptr<PlaybackRig> rig;
    std::unique_ptr<FakeCountInPlayer> sound;
    qint64 pausedAt = -1;
    qint64 playedAt = -1;

    LoopControls& loops() { return rig->loops; }
    MediaPlayerControl& player() { return rig->player; }
    // The lesson's beats: 120 a minute from 0.25 s.
    void giveBeats() { loops().setBeatGrid(beats::BeatGrid(steadyBeats(player().Duration()))); }
    // A continuous loop from 65 s to 69 s, counted in with clicks.
    void playCountedLoop(double rate = 1.0)
    {
        giveBeats();
        loops().setCountIn(CountInSound::Clicks, 70);
        player().setRate(rate);
        loops().toggleContinuously();
        rig->setBoxes("000105", "000109");
        QVERIFY(loops().playLoop());
    }
    bool playing() const { return rig->player.PlayState() == mpPlaying; }

private slots:
    void init()
    {
        rig = std::make_unique<PlaybackRig>(120.0);
        sound = std::make_unique<FakeCountInPlayer>(rig->clock);
        loops().setCountInPlayer(sound.get());
        rig->openLesson();
        pausedAt = playedAt = -1;
        connect(rig->engine, &PlaybackEngine::pausedChanged, &loops(),
                [this](bool paused) { (paused ? pausedAt : playedAt) = rig->clock.now(); });
    }
    void cleanup()
    {
        rig.reset();
        sound.reset();
    }

    void planIsFourBeatsAtTheLoopsRate_data()
    {
        QTest::addColumn<QList<double>>("grid");
        QTest::addColumn<CountInSound>("heard");
        QTest::addColumn<double>("rate");
        QTest::addColumn<double>("beat"); // 0: no count-in

        const QList<double> steady = steadyBeats(20.0);
        QTest::newRow("1x") << steady << CountInSound::Clicks << 1.0 << 0.5;
        QTest::newRow("0.75x voice") << steady << CountInSound::Voice << 0.75 << 0.5 / 0.75;
        QTest::newRow("2x") << steady << CountInSound::Voice << 2.0 << 0.25;
        // The beat where the loop starts, not elsewhere in the clip.
        QTest::newRow("tempo change") << QList<double>{1, 2, 3, 4, 10.0, 10.4, 10.8} << CountInSound::Clicks << 1.0
                                      << 0.4;
        QTest::newRow("off") << steady << CountInSound::Off << 1.0 << 0.0;
        QTest::newRow("no beats") << QList<double>{} << CountInSound::Clicks << 1.0 << 0.0;
        QTest::newRow("one beat") << QList<double>{10.0} << CountInSound::Clicks << 1.0 << 0.0;
        QTest::newRow("beat too slow") << steady << CountInSound::Clicks << 0.1 << 0.0;
    }
    void planIsFourBeatsAtTheLoopsRate()
    {
        QFETCH(QList<double>, grid);
        QFETCH(CountInSound, heard);
        QFETCH(double, rate);
        QFETCH(double, beat);
        const auto plan = countin::planCountIn(heard, beats::BeatGrid(grid), 10.0, rate);
        QCOMPARE(plan.has_value(), beat > 0);
        if (!plan)
            return;
        QCOMPARE(plan->beatSeconds, beat);
        QCOMPARE(plan->lengthSeconds(), 4 * beat);
        // "5" at the count-in's start, "8" one beat before the loop's "1".
        for (int i = 0; i < countin::Counts; ++i)
            QCOMPARE(plan->countAt(i) + 1, i * beat + 1);
    }

    // The loop's first frame comes when the count's own sound reaches "1",
    // however late it started sounding; nothing heard, it comes after the
    // count-in's length; a count that never reports its "1" holds the loop
    // only a little longer.
    void passesStartOnTheCountsOne_data()
    {
        QTest::addColumn<double>("rate");
        QTest::addColumn<bool>("heard");
        QTest::addColumn<int>("lateMs");
        QTest::addColumn<int>("gapMs");

        QTest::newRow("1x") << 1.0 << true << 0 << 2000;
        QTest::newRow("0.75x") << 0.75 << true << 0 << 2667;
        QTest::newRow("count loaded late") << 1.0 << true << 130 << 2130;
        QTest::newRow("nothing heard") << 0.75 << false << 0 << 2667;
        QTest::newRow("no report") << 1.0 << true << -1 << 2000 + LoopControls::CountInGraceMs;
    }
    void passesStartOnTheCountsOne()
    {
        QFETCH(double, rate);
        QFETCH(bool, heard);
        QFETCH(int, lateMs);
        QFETCH(int, gapMs);
        sound->heard = heard;
        sound->lateMs = lateMs;

        // Before the first pass: the player rests at the loop's start.
        playCountedLoop(rate);
        QCOMPARE(sound->starts.size(), 1);
        QCOMPARE(sound->starts[0].sound, CountInSound::Clicks);
        QCOMPARE(sound->starts[0].volume, 70);
        QCOMPARE(sound->starts[0].plan.beatSeconds, 0.5 / rate);
        const qint64 countedAt = rig->clock.now();
        QVERIFY(loops().restartPending());
        QVERIFY(rig->loopView.playing);
        QVERIFY(rig->stepUntil([&] { return playing(); }));
        QCOMPARE(playedAt - countedAt, qint64(gapMs));
        QCOMPARE(player().CurrentPosition(), 65.0);

        // At the loop's end, the same count-in instead of the repeat gap.
        QVERIFY(rig->stepUntil([&] { return loops().restartPending(); }));
        QCOMPARE(sound->starts.size(), 2);
        QCOMPARE(sound->starts[1].at, pausedAt);
        QVERIFY(rig->stepUntil([&] { return playing(); }));
        QCOMPARE(playedAt - pausedAt, qint64(gapMs));
        rig->step();
        QVERIFY(player().CurrentPosition() < 65.5);
        // The next pass's count-in was made ready while the loop played.
        QVERIFY(!sound->prepared.isEmpty());
        QCOMPARE(sound->prepared.last(), sound->starts[1].plan);
    }

    // Without beats or with the count-in off, the loop is what it was: the
    // first pass plays at once and the repeat gap is the set wait.
    void withoutCountInTheLoopIsUnchanged_data()
    {
        QTest::addColumn<bool>("beatsKnown");
        QTest::addColumn<CountInSound>("heard");
        QTest::newRow("off") << true << CountInSound::Off;
        QTest::newRow("no beats") << false << CountInSound::Voice;
    }
    void withoutCountInTheLoopIsUnchanged()
    {
        QFETCH(bool, beatsKnown);
        QFETCH(CountInSound, heard);
        if (beatsKnown)
            giveBeats();
        loops().setCountIn(heard, 70);
        loops().toggleContinuously();
        rig->setBoxes("000105", "000109");
        QVERIFY(loops().playLoop());
        QVERIFY(playing());
        QVERIFY(!loops().restartPending());
        QVERIFY(rig->stepUntil([&] { return loops().restartPending(); }));
        QVERIFY(rig->stepUntil([&] { return playing(); }));
        QCOMPARE(playedAt - pausedAt, qint64(LoopControls::RestartPauseMs));
        QVERIFY(sound->starts.isEmpty());
        QVERIFY(sound->prepared.isEmpty());
    }

    // The play key during the count-in silences it and calls the pass off;
    // a new loop starts its own count-in at once; a new clip silences it.
    void keysCallTheCountInOff_data()
    {
        QTest::addColumn<QString>("key");
        QTest::newRow("play") << QStringLiteral("play");
        QTest::newRow("new loop") << QStringLiteral("new loop");
        QTest::newRow("new clip") << QStringLiteral("new clip");
        QTest::newRow("full video") << QStringLiteral("full video");
    }
    void keysCallTheCountInOff()
    {
        QFETCH(QString, key);
        playCountedLoop();
        QVERIFY(rig->stepUntil([&] { return playing(); }));
        QVERIFY(rig->stepUntil([&] { return loops().restartPending(); }));
        rig->step(1000); // halfway through the count
        if (key == QLatin1String("play")) {
            rig->transport.togglePlay();
        } else if (key == QLatin1String("new loop")) {
            rig->setBoxes("000030", "000034");
            QVERIFY(loops().playLoop());
        } else if (key == QLatin1String("new clip")) {
            rig->openClip(rig->makeClip(QStringLiteral("other.mp4")));
        } else {
            loops().playFullVideo();
        }
        QCOMPARE(sound->stops, 1);
        if (key == QLatin1String("new loop")) {
            // The new loop's count-in, from now, at its own start.
            QCOMPARE(sound->starts.size(), 3);
            QCOMPARE(sound->starts.last().at, rig->clock.now());
            const qint64 countedAt = rig->clock.now();
            QVERIFY(rig->stepUntil([&] { return playing(); }));
            QCOMPARE(playedAt - countedAt, qint64(2000));
            QCOMPARE(player().CurrentPosition(), 30.0);
            return;
        }
        QVERIFY(!loops().restartPending());
        // A new clip plays from its start, as it always does.
        const bool playsOn = key == QLatin1String("full video") || key == QLatin1String("new clip");
        QCOMPARE(playing(), playsOn);
        // The old count's "1" passes, and nothing starts again.
        const double position = player().CurrentPosition();
        rig->step(5000);
        QCOMPARE(sound->starts.size(), 2);
        if (!playsOn) {
            QVERIFY(!playing());
            QCOMPARE(player().CurrentPosition(), position);
        }
    }
};

QTEST_GUILESS_MAIN(TestCountIn)
#include "TestCountIn.moc"
