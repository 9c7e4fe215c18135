// Nudging a loop's start or end: by a frame, by a tenth of a second, onto
// the neighbouring beats, and what the clip's ends and the other end allow.
#include "core/beats/LoopNudge.h"

#include <QtTest>

using beats::LoopPoint;
using beats::NudgeContext;
using beats::NudgeStep;
using beats::NudgeWay;

Q_DECLARE_METATYPE(LoopPoint)
Q_DECLARE_METATYPE(NudgeWay)
Q_DECLARE_METATYPE(NudgeStep)

namespace {
constexpr auto Earlier = NudgeWay::Earlier;
constexpr auto Later = NudgeWay::Later;
constexpr auto Fine = NudgeStep::Fine;
constexpr auto Coarse = NudgeStep::Coarse;
} // namespace

class TestLoopNudge : public QObject {
    Q_OBJECT

private slots:
    void nudge_data();
    void nudge();
    void framesAddUpWithoutDrift();
    void snapped_data();
    void snapped();
};

void TestLoopNudge::nudge_data()
{
    QTest::addColumn<qint64>("start");
    QTest::addColumn<qint64>("end"); // -1: no end time
    QTest::addColumn<double>("fps");
    QTest::addColumn<LoopPoint>("point");
    QTest::addColumn<NudgeWay>("way");
    QTest::addColumn<NudgeStep>("step");
    QTest::addColumn<qint64>("moved"); // -1: stays
    const auto S = LoopPoint::Start;
    const auto E = LoopPoint::End;
    // Clip of 20 s.
    QTest::newRow("start a frame later, 30 fps")
        << qint64(2000) << qint64(6000) << 30.0 << S << Later << Fine << qint64(2033);
    QTest::newRow("start a frame earlier")
        << qint64(2000) << qint64(6000) << 30.0 << S << Earlier << Fine << qint64(1967);
    QTest::newRow("off a frame, later: the next frame")
        << qint64(2010) << qint64(6000) << 30.0 << S << Later << Fine << qint64(2033);
    QTest::newRow("off a frame, earlier: the frame before")
        << qint64(2010) << qint64(6000) << 30.0 << S << Earlier << Fine << qint64(2000);
    QTest::newRow("25 fps") << qint64(2000) << qint64(6000) << 25.0 << E << Later << Fine << qint64(6040);
    QTest::newRow("60 fps") << qint64(2000) << qint64(6000) << 60.0 << E << Earlier << Fine << qint64(5983);
    QTest::newRow("29.97 fps") << qint64(0) << qint64(6000) << 29.97 << S << Later << Fine << qint64(33);
    QTest::newRow("unknown rate counts as 30")
        << qint64(2000) << qint64(6000) << 0.0 << S << Later << Fine << qint64(2033);
    QTest::newRow("Shift: a tenth later")
        << qint64(2010) << qint64(6000) << 30.0 << S << Later << Coarse << qint64(2110);
    QTest::newRow("Shift: a tenth earlier")
        << qint64(2000) << qint64(6000) << 30.0 << E << Earlier << Coarse << qint64(5900);
    // The clip's ends.
    QTest::newRow("start at the clip's start stays")
        << qint64(0) << qint64(6000) << 30.0 << S << Earlier << Fine << qint64(-1);
    QTest::newRow("Shift near the start stops at 0")
        << qint64(50) << qint64(6000) << 30.0 << S << Earlier << Coarse << qint64(0);
    QTest::newRow("end at the clip's end stays")
        << qint64(2000) << qint64(20000) << 30.0 << E << Later << Fine << qint64(-1);
    QTest::newRow("Shift near the end stops at it")
        << qint64(2000) << qint64(19950) << 30.0 << E << Later << Coarse << qint64(20000);
    QTest::newRow("no end time: the end moves from the clip's end")
        << qint64(2000) << qint64(-1) << 30.0 << E << Earlier << Fine << qint64(19967);
    QTest::newRow("no end time: later stays") << qint64(2000) << qint64(-1) << 30.0 << E << Later << Fine << qint64(-1);
    // The other end.
    QTest::newRow("start stops a frame before the end")
        << qint64(5900) << qint64(6000) << 30.0 << S << Later << Coarse << qint64(5966);
    QTest::newRow("start a frame before the end stays")
        << qint64(5966) << qint64(6000) << 30.0 << S << Later << Fine << qint64(-1);
    QTest::newRow("end stops a frame after the start")
        << qint64(2000) << qint64(2050) << 30.0 << E << Earlier << Coarse << qint64(2034);
    QTest::newRow("end before the start is not pulled")
        << qint64(3000) << qint64(2000) << 30.0 << E << Later << Fine << qint64(-1);
}

void TestLoopNudge::nudge()
{
    QFETCH(qint64, start);
    QFETCH(qint64, end);
    QFETCH(double, fps);
    QFETCH(LoopPoint, point);
    QFETCH(NudgeWay, way);
    QFETCH(NudgeStep, step);
    QFETCH(qint64, moved);
    NudgeContext loop;
    loop.startMs = start;
    if (end >= 0)
        loop.endMs = end;
    loop.durationMs = 20000;
    loop.framesPerSecond = fps;
    const auto to = beats::nudgedLoopPoint(loop, point, way, step);
    if (moved < 0)
        QVERIFY2(!to, qPrintable(QString::number(to.value_or(-1))));
    else
        QCOMPARE(to.value_or(-1), moved);
}

// Ninety nudges at 29.97 fps land on frame 90, not on 90 rounded steps.
void TestLoopNudge::framesAddUpWithoutDrift()
{
    NudgeContext loop;
    loop.startMs = 0;
    loop.durationMs = 60000;
    loop.framesPerSecond = 30000.0 / 1001.0;
    for (int i = 0; i < 90; ++i)
        loop.startMs = beats::nudgedLoopPoint(loop, LoopPoint::Start, Later, Fine).value();
    QCOMPARE(loop.startMs, qint64(3003));
    for (int i = 0; i < 90; ++i)
        loop.startMs = beats::nudgedLoopPoint(loop, LoopPoint::Start, Earlier, Fine).value();
    QCOMPARE(loop.startMs, qint64(0));
}

void TestLoopNudge::snapped_data()
{
    QTest::addColumn<qint64>("start");
    QTest::addColumn<LoopPoint>("point");
    QTest::addColumn<NudgeWay>("way");
    QTest::addColumn<NudgeStep>("step");
    QTest::addColumn<qint64>("moved"); // -1: stays
    // Beats every 0.5 s from 0.25 to 9.75; loop end at 6.25 s.
    QTest::newRow("on a beat: the next") << qint64(1250) << LoopPoint::Start << Later << Fine << qint64(1750);
    QTest::newRow("on a beat: the previous") << qint64(1250) << LoopPoint::Start << Earlier << Fine << qint64(750);
    QTest::newRow("between: the next") << qint64(1400) << LoopPoint::Start << Later << Fine << qint64(1750);
    QTest::newRow("between: the previous") << qint64(1400) << LoopPoint::Start << Earlier << Fine << qint64(1250);
    QTest::newRow("Shift: a count later") << qint64(250) << LoopPoint::Start << Later << Coarse << qint64(4250);
    QTest::newRow("Shift: past the end stays") << qint64(2250) << LoopPoint::Start << Later << Coarse << qint64(-1);
    QTest::newRow("no beat before the first") << qint64(250) << LoopPoint::Start << Earlier << Fine << qint64(-1);
    QTest::newRow("not onto the end") << qint64(5750) << LoopPoint::Start << Later << Fine << qint64(-1);
    QTest::newRow("end: the next beat") << qint64(1250) << LoopPoint::End << Later << Fine << qint64(6750);
    QTest::newRow("end: a count earlier") << qint64(1250) << LoopPoint::End << Earlier << Coarse << qint64(2250);
}

void TestLoopNudge::snapped()
{
    QFETCH(qint64, start);
    QFETCH(LoopPoint, point);
    QFETCH(NudgeWay, way);
    QFETCH(NudgeStep, step);
    QFETCH(qint64, moved);
    QList<double> times;
    for (int i = 0; i < 20; ++i)
        times.append(0.25 + 0.5 * i);
    const beats::BeatGrid grid(times);
    NudgeContext loop;
    loop.startMs = start;
    loop.endMs = 6250;
    loop.durationMs = 20000;
    loop.framesPerSecond = 30;
    loop.snapGrid = &grid;
    const auto to = beats::nudgedLoopPoint(loop, point, way, step);
    if (moved < 0)
        QVERIFY2(!to, qPrintable(QString::number(to.value_or(-1))));
    else
        QCOMPARE(to.value_or(-1), moved);
}

QTEST_GUILESS_MAIN(TestLoopNudge)
#include "TestLoopNudge.moc"
