// Steps by the clip's own frames: frames at irregular times (phone clips
// with a variable frame rate), and at a nominal rate when their times are
// not known.
#include "core/playback/FrameTimes.h"

#include <QTest>

class TestFrameTimes : public QObject {
    Q_OBJECT

private slots:
    // Frames every 1/30 s with every seventh missing, as a phone drops them.
    void irregularFrames_data()
    {
        QTest::addColumn<double>("from");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("frame"); // in the 30 fps count; -1 none
        QTest::newRow("back over a gap") << 7 / 30.0 << -1 << 5;
        QTest::newRow("forward over a gap") << 5 / 30.0 << 1 << 7;
        QTest::newRow("back 5 over a gap") << 16 / 30.0 << -5 << 10;
        QTest::newRow("between frames: the later one is shown") << 6.5 / 30 << -1 << 5;
        QTest::newRow("in a gap: the frame after it is shown") << 6 / 30.0 << -1 << 5;
        QTest::newRow("a hair before a frame counts as on it") << 9 / 30.0 - 1e-4 << -1 << 8;
        QTest::newRow("first frame, back") << 0.0 << -1 << -1;
        QTest::newRow("second frame, back 2") << 1 / 30.0 << -2 << -1;
        QTest::newRow("second frame, back 1") << 1 / 30.0 << -1 << 0;
        QTest::newRow("past the last frame") << 5.0 << 3 << 40;
        QTest::newRow("forward past the last frame") << 38 / 30.0 << 10 << 40;
        QTest::newRow("no move") << 12 / 30.0 << 0 << 12;
    }
    void irregularFrames()
    {
        QFETCH(double, from);
        QFETCH(int, count);
        QFETCH(int, frame);
        std::vector<double> times;
        for (int n = 40; n >= 0; --n) // out of order on purpose
            if (n % 7 != 6)
                times.push_back(n / 30.0);
        times.push_back(12 / 30.0 + 1e-6); // a duplicate, a hair off
        const FrameTimes frames = FrameTimes::fromTimes(times);
        QCOMPARE(frames.count(), 36LL);
        const double time = frames.timeFrom(from, count);
        if (frame < 0)
            QCOMPARE(time, -1.0);
        else
            QVERIFY2(qAbs(time - frame / 30.0) < 1e-5, qPrintable(QString::number(time * 30)));
    }

    void nominalFrames_data()
    {
        QTest::addColumn<double>("fps");
        QTest::addColumn<double>("duration");
        QTest::addColumn<double>("from");
        QTest::addColumn<int>("count");
        QTest::addColumn<double>("time");
        QTest::newRow("30 fps back 5 at 10 s") << 30.0 << 20.0 << 10.0 << -5 << 295 / 30.0;
        QTest::newRow("60 fps one back is 1/60") << 60.0 << 20.0 << 2.0 << -1 << 119 / 60.0;
        QTest::newRow("no rate: 30 a second") << 0.0 << 20.0 << 1.0 << 1 << 31 / 30.0;
        QTest::newRow("0.02 s back one") << 30.0 << 20.0 << 0.02 << -1 << 0.0;
        QTest::newRow("at the start back one") << 30.0 << 20.0 << 0.0 << -1 << -1.0;
        QTest::newRow("last frame of 3 s") << 30.0 << 3.0 << 2.9 << 10 << 89 / 30.0;
    }
    void nominalFrames()
    {
        QFETCH(double, fps);
        QFETCH(double, duration);
        QFETCH(double, from);
        QFETCH(int, count);
        QFETCH(double, time);
        const double found = FrameTimes::nominal(fps, duration).timeFrom(from, count);
        QVERIFY2(qAbs(found - time) < 1e-9, qPrintable(QString::number(found, 'f', 6)));
    }

    // A seek target lands on its frame even when the times read from the
    // file are a little off those the player shows the frames at: it lies
    // a quarter of the way back towards the frame before.
    void seekTargetsStayWithinTheirFrame()
    {
        const FrameTimes frames = FrameTimes::fromTimes({0.0, 0.1, 0.3, 0.31});
        QCOMPARE(frames.seekTargetFor(0.0), 0.0);
        QVERIFY(qAbs(frames.seekTargetFor(0.1) - 0.075) < 1e-9);
        QVERIFY(qAbs(frames.seekTargetFor(0.3) - 0.25) < 1e-9);
        QVERIFY(qAbs(frames.seekTargetFor(0.31) - 0.3075) < 1e-9);
    }
};

QTEST_MAIN(TestFrameTimes)
#include "TestFrameTimes.moc"
