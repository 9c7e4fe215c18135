// The count-in as heard: a loop of a click-track clip played on libmpv with
// the count-in on, the sound output recorded from a PulseAudio server of the
// test's own (tests/sound/with-pulse.sh), and in the recording the four
// counts and the loop's first beat one beat apart, within 15 ms, before the
// first pass and in the repeat gap, at 1x and at 0.75x; and without a sound
// device, the wait all the same.
#include "CountInRecording.h"

#include <QElapsedTimer>
#include <QTest>

using countin::CountInSound;

Q_DECLARE_METATYPE(CountInSound)

class TestCountInSound : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QString clip;

private slots:
    void initTestCase()
    {
        QVERIFY2(qEnvironmentVariableIsSet("TEMPOLOOP_TEST_SINK"), "run through tests/sound/with-pulse.sh");
        clip = dir.filePath(QStringLiteral("click_track.mp4"));
        QVERIFY(countinrecording::makeClickClip(clip));
    }

    void countsFallOnTheBeat_data()
    {
        QTest::addColumn<double>("rate");
        QTest::newRow("1x") << 1.0;
        QTest::newRow("0.75x") << 0.75;
    }
    void countsFallOnTheBeat()
    {
        QFETCH(double, rate);
        const QString recording = dir.filePath(QStringLiteral("heard-%1.raw").arg(rate));
        const QList<countinrecording::CountInHeard> heard =
            countinrecording::playCountedLoop(clip, recording, rate, CountInSound::Clicks, 2);
        // Before the first pass, and in the gap before the second.
        QCOMPARE(heard.size(), 2);
        const double beat = countinrecording::ClipBeat / rate;
        for (const countinrecording::CountInHeard& count : heard) {
            qInfo() << "intervals heard (s):" << count.times[1] - count.times[0] << count.times[2] - count.times[1]
                    << count.times[3] - count.times[2] << count.times[4] - count.times[3] << "beat" << beat;
            QVERIFY2(count.worstErrorSeconds(beat) <= 0.015,
                     qPrintable(QStringLiteral("off by %1 ms").arg(count.worstErrorSeconds(beat) * 1000)));
        }
    }

    // An output that cannot start (no sound device): nothing is heard,
    // nothing fails, and the first pass still waits the count-in's length,
    // not the longer wait kept for a count that never reports its "1".
    void withoutASoundDeviceTheLoopWaitsTheCountIn()
    {
        ControlsOnMpv c({QStringLiteral("null"), QStringLiteral("null")});
        QVERIFY(c.started);
        MpvCountInPlayer count(QStringLiteral("no-such-output"));
        QSignalSpy finished(c.player.get(), &MediaPlayerControl::loadFinished);
        c.player->setFileName(clip);
        c.player->Open();
        QVERIFY(finished.wait(ControlsOnMpv::DeadlineMs));
        c.loops->clipOpened();
        c.loops->setCountInPlayer(&count);
        c.loops->setBeatGrid(beats::BeatGrid(countinrecording::clipBeats()));
        c.loops->setCountIn(CountInSound::Voice, 100);
        c.loopView.start = QStringLiteral("000002");
        c.loopView.end = QStringLiteral("000004");
        QElapsedTimer waited;
        waited.start();
        QVERIFY(c.loops->playLoop());
        QVERIFY(c.loops->restartPending());
        QTRY_VERIFY_WITH_TIMEOUT(c.player->PlayState() == mpPlaying, ControlsOnMpv::DeadlineMs);
        const qint64 length = 4 * qRound(countinrecording::ClipBeat * 1000);
        qInfo() << "waited" << waited.elapsed();
        QVERIFY2(waited.elapsed() >= length - 50 && waited.elapsed() < length + LoopControls::CountInGraceMs / 2,
                 qPrintable(QStringLiteral("waited %1 ms").arg(waited.elapsed())));
    }
};

QTEST_MAIN(TestCountInSound)
#include "TestCountInSound.moc"
