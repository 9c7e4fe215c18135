// From the beats a tracker reports (with skips, jitter, a slow start and a
// lost beat after a tempo change) to the steady grid a dancer counts.
#include "core/beats/BeatFit.h"

#include <QtTest>

#include <cmath>

using beats::TrackedBeat;
using beats::TrackerOutput;

namespace {

// The beats of a steady tempo from `first`, every `period` seconds, up to
// (not including) `until`.
QList<double> beatTimes(double first, double period, double until)
{
    QList<double> times;
    for (double t = first; t < until - 1e-9; t += period)
        times.append(t);
    return times;
}

// What the tracker reports of the true beats: every `keep`-th beat after
// `from` seconds, jittered by up to `jitter`, with its period and
// confidence.
QList<TrackedBeat> reported(const QList<double>& truth, double from, int keep, double jitter, double period,
                            double confidence)
{
    QList<TrackedBeat> beats;
    int n = 0;
    for (double t : truth) {
        if (t < from)
            continue;
        if (n++ % keep != 0)
            continue;
        const double wobble = jitter * std::sin(n * 2.3);
        beats.append({t + wobble, period * 1.015, confidence});
    }
    return beats;
}

// Largest distance from a found beat to the nearest true one, and how many
// true beats have a found beat within `tolerance`.
struct Match {
    double worst = 0;
    int found = 0;
};

Match compare(const QList<double>& found, const QList<double>& truth, double tolerance)
{
    Match m;
    for (double f : found) {
        double best = 1e9;
        for (double t : truth)
            best = std::min(best, std::abs(f - t));
        m.worst = std::max(m.worst, best);
    }
    for (double t : truth) {
        for (double f : found) {
            if (std::abs(f - t) <= tolerance) {
                ++m.found;
                break;
            }
        }
    }
    return m;
}

} // namespace

class TestBeatFit : public QObject {
    Q_OBJECT

private slots:
    void steadyTrackerWithSkipsFillsTheGrid();
    void slowStartIsCarriedBackOnOnsets();
    void lostBeatAfterATempoChangeIsDropped();
    void beatsMaskedForAMomentAreBridged();
    void noSteadyBeat_data();
    void noSteadyBeat();
    void gridStaysInsideTheClip();
};

// Every third beat reported, 12 ms of jitter: all beats are there, placed
// within a few milliseconds.
void TestBeatFit::steadyTrackerWithSkipsFillsTheGrid()
{
    const QList<double> truth = beatTimes(0.0, 0.5, 30.0);
    TrackerOutput heard;
    heard.beats = reported(truth, 0.0, 3, 0.012, 0.5, 2.0);
    heard.onsets = truth;
    heard.duration = 30.0;
    const QList<double> grid = beats::fitBeatGrid(heard);
    const Match m = compare(grid, truth, 0.01);
    QCOMPARE(grid.size(), truth.size());
    QCOMPARE(m.found, int(truth.size()));
    QVERIFY2(m.worst < 0.01, qPrintable(QString::number(m.worst)));
}

// The tracker reports nothing in its first 1.6 s; the onsets there carry
// the grid back to the clip's first beat.
void TestBeatFit::slowStartIsCarriedBackOnOnsets()
{
    const QList<double> truth = beatTimes(0.0, 0.5, 20.0);
    TrackerOutput heard;
    heard.beats = reported(truth, 1.6, 1, 0.008, 0.5, 2.0);
    heard.onsets = truth;
    heard.duration = 20.0;
    const QList<double> grid = beats::fitBeatGrid(heard);
    QVERIFY(!grid.isEmpty());
    QVERIFY2(grid.front() < 0.005, qPrintable(QString::number(grid.front())));
    QCOMPARE(compare(grid, truth, 0.01).found, int(truth.size()));
}

// 120 beats a minute up to 15 s, then 100. The tracker keeps the old tempo
// for three beats where no sound starts, then finds the new one a few beats
// later. The lost beats are not shown; the onsets carry the new tempo back
// to where it began; no two beats come closer than half a beat.
void TestBeatFit::lostBeatAfterATempoChangeIsDropped()
{
    QList<double> truth = beatTimes(0.0, 0.5, 15.0);
    truth += beatTimes(15.0, 0.6, 30.0);
    TrackerOutput heard;
    heard.beats = reported(beatTimes(0.0, 0.5, 15.0), 1.5, 1, 0.006, 0.5, 2.0);
    for (double t : {15.5, 16.0, 16.5})
        heard.beats.append({t - 0.04, 0.5, 1.5}); // off every onset
    heard.beats += reported(beatTimes(15.0, 0.6, 30.0), 18.5, 1, 0.006, 0.6, 2.0);
    heard.onsets = truth;
    heard.duration = 30.0;
    const QList<double> grid = beats::fitBeatGrid(heard);
    const Match m = compare(grid, truth, 0.01);
    QVERIFY2(m.worst < 0.01, qPrintable(QString::number(m.worst)));
    QCOMPARE(m.found, int(truth.size()));
    for (qsizetype i = 1; i < grid.size(); ++i)
        QVERIFY(grid[i] - grid[i - 1] > 0.25);
}

// A voice masks three clicks in the middle (no onset there): the tracker's
// beats there are not heard, the run is cut, and its two halves, at one
// tempo and in step, are joined again with the masked beats in place.
void TestBeatFit::beatsMaskedForAMomentAreBridged()
{
    const QList<double> truth = beatTimes(0.0, 0.6, 24.0);
    TrackerOutput heard;
    heard.beats = reported(truth, 0.0, 1, 0.005, 0.6, 2.0);
    heard.onsets = truth;
    heard.onsets.removeIf([](double t) { return t > 11.9 && t < 13.3; }); // 12.0, 12.6, 13.2
    heard.duration = 24.0;
    const QList<double> grid = beats::fitBeatGrid(heard);
    const Match m = compare(grid, truth, 0.01);
    QCOMPARE(m.found, int(truth.size()));
    QVERIFY2(m.worst < 0.01, qPrintable(QString::number(m.worst)));
}

void TestBeatFit::noSteadyBeat_data()
{
    QTest::addColumn<QList<TrackedBeat>>("beats");
    QTest::addColumn<QList<double>>("onsets");
    const QList<double> truth = beatTimes(0.0, 0.5, 30.0);
    // Noise: the tracker ticks along regularly but without confidence.
    QTest::newRow("unsure tracker") << reported(truth, 0.0, 1, 0.0, 0.5, 0.1) << truth;
    // Regular beats where no sound starts.
    QTest::newRow("no onsets") << reported(truth, 0.0, 1, 0.0, 0.5, 2.0) << QList<double>{};
    QTest::newRow("onsets off the beat") << reported(truth, 0.0, 1, 0.0, 0.5, 2.0) << beatTimes(0.25, 0.5, 30.0);
    // Fewer than eight beats in a row.
    QTest::newRow("too short") << reported(beatTimes(0.0, 0.5, 3.0), 0.0, 1, 0.0, 0.5, 2.0) << beatTimes(0.0, 0.5, 3.0);
    // Gaps that fit no whole number of beats.
    QList<TrackedBeat> ragged;
    double t = 0;
    for (int i = 0; i < 40; ++i) {
        ragged.append({t, 0.5, 2.0});
        t += i % 2 ? 0.37 : 0.81;
    }
    QList<double> raggedOnsets;
    for (const TrackedBeat& b : ragged)
        raggedOnsets.append(b.time);
    QTest::newRow("ragged gaps") << ragged << raggedOnsets;
    QTest::newRow("nothing heard") << QList<TrackedBeat>{} << QList<double>{};
}

void TestBeatFit::noSteadyBeat()
{
    QFETCH(QList<TrackedBeat>, beats);
    QFETCH(QList<double>, onsets);
    TrackerOutput heard;
    heard.beats = beats;
    heard.onsets = onsets;
    heard.duration = 30.0;
    QVERIFY(beats::fitBeatGrid(heard).isEmpty());
}

// Carried forward on onsets, the grid stops at the clip's end.
void TestBeatFit::gridStaysInsideTheClip()
{
    const QList<double> truth = beatTimes(0.0, 0.5, 12.0);
    TrackerOutput heard;
    heard.beats = reported(truth, 0.0, 1, 0.004, 0.5, 2.0).mid(0, 12);
    heard.onsets = truth;
    heard.duration = 10.2;
    const QList<double> grid = beats::fitBeatGrid(heard);
    QVERIFY(!grid.isEmpty());
    QVERIFY(grid.back() <= 10.2);
    QVERIFY2(std::abs(grid.back() - 10.0) < 0.005, qPrintable(QString::number(grid.back())));
}

QTEST_GUILESS_MAIN(TestBeatFit)
#include "TestBeatFit.moc"
