// The frame store's bookkeeping: which frames of a loop are kept, in which
// buffer, what a full store gives up, and which kept frame a step finds.
#include "core/playback/LoopFrameStore.h"

#include <QTest>

namespace {
const QSize FullHd(1920, 1080);
constexpr qint64 MB = 1024 * 1024;

// A 30 fps loop from 2 s to 4 s (61 frames) with room for `frames` frames
// of 1080p.
LoopFrameStore storeFor(int frames)
{
    LoopFrameStore store;
    store.setBudget(frames * LoopFrameStore::frameBytes(FullHd) + 1);
    store.setLoop(2.0, 4.0, 30.0, FullHd);
    return store;
}

double frame(int n)
{
    return 2.0 + n / 30.0;
}
} // namespace

class TestLoopFrameStore : public QObject {
    Q_OBJECT

private slots:
    void slotsFromBudgetAndLoop_data()
    {
        QTest::addColumn<qint64>("budget");
        QTest::addColumn<double>("start");
        QTest::addColumn<double>("end");
        QTest::addColumn<double>("fps");
        QTest::addColumn<QSize>("drawn");
        QTest::addColumn<int>("count");
        QTest::newRow("768 MB of 1080p") << 768 * MB << 0.0 << 60.0 << 30.0 << FullHd << 97;
        QTest::newRow("768 MB of 2160p") << 768 * MB << 0.0 << 60.0 << 30.0 << QSize(3840, 2160) << 24;
        QTest::newRow("a short loop takes only its frames") << 768 * MB << 1.0 << 2.0 << 30.0 << FullHd << 31;
        QTest::newRow("60 fps has twice the frames") << 768 * MB << 1.0 << 1.5 << 60.0 << FullHd << 31;
        QTest::newRow("no rate: 30 a second") << 768 * MB << 1.0 << 2.0 << 0.0 << FullHd << 31;
        QTest::newRow("the window's size, not the clip's") << 768 * MB << 0.0 << 60.0 << 30.0 << QSize(960, 540) << 388;
        QTest::newRow("no budget") << 0LL << 0.0 << 60.0 << 30.0 << FullHd << 0;
        QTest::newRow("nothing drawn yet") << 768 * MB << 0.0 << 60.0 << 30.0 << QSize() << 0;
        QTest::newRow("an end before the start") << 768 * MB << 3.0 << 2.0 << 30.0 << FullHd << 0;
    }
    void slotsFromBudgetAndLoop()
    {
        QFETCH(qint64, budget);
        QFETCH(double, start);
        QFETCH(double, end);
        QFETCH(double, fps);
        QFETCH(QSize, drawn);
        QFETCH(int, count);
        LoopFrameStore store;
        store.setBudget(budget);
        store.setLoop(start, end, fps, drawn);
        QCOMPARE(store.slotCount(), count);
        QCOMPARE(store.isActive(), count > 0);
        for (int n = 0; n < 2 * count; ++n)
            store.store(start + n / (fps > 0 ? fps : 30.0));
        QVERIFY(store.bytesHeld() <= budget);
        QCOMPARE(store.heldCount(), count);
    }

    // Frames stored one after another (by their number), then a frame
    // looked up: the slot it is kept in, or none.
    void storing_data()
    {
        QTest::addColumn<int>("room");
        QTest::addColumn<QList<int>>("drawn");
        QTest::addColumn<int>("lookedUp");
        QTest::addColumn<int>("slot");
        QTest::addColumn<int>("held");
        QTest::newRow("each frame a slot of its own") << 4 << QList<int>{0, 1, 2} << 2 << 2 << 3;
        QTest::newRow("drawn again: the same slot") << 4 << QList<int>{0, 1, 0, 2} << 2 << 2 << 3;
        QTest::newRow("full: the oldest gives way") << 3 << QList<int>{0, 1, 2, 3} << 3 << 0 << 3;
        QTest::newRow("full: the oldest is gone") << 3 << QList<int>{0, 1, 2, 3} << 0 << -1 << 3;
        QTest::newRow("drawn again counts as new") << 3 << QList<int>{0, 1, 2, 0, 3} << 1 << -1 << 3;
        QTest::newRow("drawn again is kept") << 3 << QList<int>{0, 1, 2, 0, 3} << 0 << 0 << 3;
        QTest::newRow("outside the loop: nothing") << 4 << QList<int>{-1, 61, 0} << 0 << 0 << 1;
        QTest::newRow("the loop's last frame") << 4 << QList<int>{60} << 60 << 0 << 1;
        QTest::newRow("never drawn") << 4 << QList<int>{0, 2} << 1 << -1 << 2;
    }
    void storing()
    {
        QFETCH(int, room);
        QFETCH(QList<int>, drawn);
        QFETCH(int, lookedUp);
        QFETCH(int, slot);
        QFETCH(int, held);
        LoopFrameStore store = storeFor(room);
        QCOMPARE(store.slotCount(), room);
        for (int n : drawn)
            QCOMPARE(store.store(frame(n)) >= 0, n >= 0 && n <= 60);
        QCOMPARE(store.slotOf(frame(lookedUp)), slot);
        // A time read a hair off is the same frame.
        QCOMPARE(store.slotOf(frame(lookedUp) + 0.0002), slot);
        QCOMPARE(store.heldCount(), held);
    }

    void theFrameOnScreenIsNotTaken()
    {
        LoopFrameStore store = storeFor(2);
        QCOMPARE(store.store(frame(0)), 0);
        QCOMPARE(store.store(frame(1)), 1);
        // Slot 0 holds the oldest frame, but it is on screen.
        QCOMPARE(store.store(frame(2), 0), 1);
        QCOMPARE(store.slotOf(frame(0)), 0);
        QCOMPARE(store.slotOf(frame(1)), -1);
        LoopFrameStore single = storeFor(1);
        single.store(frame(0));
        QCOMPARE(single.store(frame(1), 0), -1);
        QCOMPARE(single.slotOf(frame(0)), 0);
    }

    void onlySlotsWithBuffersAreHandedOut()
    {
        LoopFrameStore store = storeFor(4);
        store.setReadySlots(0);
        QCOMPARE(store.store(frame(0)), -1);
        store.setReadySlots(2);
        QCOMPARE(store.store(frame(0)), 0);
        QCOMPARE(store.store(frame(1)), 1);
        QCOMPARE(store.store(frame(2)), 0);
        QCOMPARE(store.heldCount(), 2);
    }

    // Kept frames 0, 1, 2, 5 and 6: the kept frame nearest a time, the next
    // and the previous one (-1: none).
    void neighbours_data()
    {
        QTest::addColumn<double>("time");
        QTest::addColumn<int>("nearest");
        QTest::addColumn<int>("next");
        QTest::addColumn<int>("previous");
        QTest::newRow("on a kept frame") << frame(1) << 1 << 2 << 0;
        QTest::newRow("a hair off a kept frame") << frame(1) - 0.0003 << 1 << 2 << 0;
        QTest::newRow("in the gap, nearer the start") << frame(3) << 2 << 5 << 2;
        QTest::newRow("in the gap, nearer the end") << frame(4) + 0.01 << 5 << 5 << 2;
        QTest::newRow("the first kept frame") << frame(0) << 0 << 1 << -1;
        QTest::newRow("the last kept frame") << frame(6) << 6 << -1 << 5;
        QTest::newRow("before the loop") << 1.0 << 0 << 0 << -1;
        QTest::newRow("after the loop") << 5.0 << 6 << -1 << 6;
    }
    void neighbours()
    {
        QFETCH(double, time);
        QFETCH(int, nearest);
        QFETCH(int, next);
        QFETCH(int, previous);
        LoopFrameStore store = storeFor(10);
        for (int n : {5, 0, 6, 2, 1})
            store.store(frame(n));
        const auto asFrame = [](std::optional<double> t) { return t ? int(std::lround((*t - 2.0) * 30)) : -1; };
        QCOMPARE(asFrame(store.nearest(time)), nearest);
        QCOMPARE(asFrame(store.next(time)), next);
        QCOMPARE(asFrame(store.previous(time)), previous);
    }

    // What empties the store and what does not.
    void emptiedWhen_data()
    {
        QTest::addColumn<double>("start");
        QTest::addColumn<double>("end");
        QTest::addColumn<double>("fps");
        QTest::addColumn<QSize>("drawn");
        QTest::addColumn<bool>("emptied");
        QTest::newRow("the same loop again") << 2.0 << 4.0 << 30.0 << FullHd << false;
        QTest::newRow("another start") << 2.5 << 4.0 << 30.0 << FullHd << true;
        QTest::newRow("another end") << 2.0 << 3.0 << 30.0 << FullHd << true;
        QTest::newRow("another clip's rate") << 2.0 << 4.0 << 25.0 << FullHd << true;
        QTest::newRow("another drawn size") << 2.0 << 4.0 << 30.0 << QSize(1280, 720) << true;
    }
    void emptiedWhen()
    {
        QFETCH(double, start);
        QFETCH(double, end);
        QFETCH(double, fps);
        QFETCH(QSize, drawn);
        QFETCH(bool, emptied);
        LoopFrameStore store = storeFor(10);
        store.store(frame(3));
        QCOMPARE(store.setLoop(start, end, fps, drawn), emptied);
        QCOMPARE(store.heldCount(), emptied ? 0 : 1);
        QCOMPARE(store.slotOf(frame(3)) >= 0, !emptied);
    }

    void budgetChanges()
    {
        LoopFrameStore store = storeFor(10);
        store.store(frame(0));
        // More slots: the store starts again.
        store.setBudget(100 * LoopFrameStore::frameBytes(FullHd));
        QCOMPARE(store.slotCount(), 61);
        QCOMPARE(store.heldCount(), 0);
        store.store(frame(0));
        // Room for more than the loop's 61 frames: still 61 slots, kept.
        store.setBudget(200 * LoopFrameStore::frameBytes(FullHd));
        QCOMPARE(store.heldCount(), 1);
        store.setBudget(5 * LoopFrameStore::frameBytes(FullHd));
        QCOMPARE(store.slotCount(), 5);
        QCOMPARE(store.heldCount(), 0);
        QCOMPARE(store.loopEnd(), 4.0);
        store.clear();
        QVERIFY(!store.isActive());
        QCOMPARE(store.store(frame(0)), -1);
    }

    void bytesOfALoop()
    {
        QCOMPARE(LoopFrameStore::frameBytes(FullHd), 8294400LL);
        QCOMPARE(LoopFrameStore::bytesFor(2.0, 4.0, 30.0, FullHd), 61 * 8294400LL);
        QCOMPARE(LoopFrameStore::bytesFor(4.0, 2.0, 30.0, FullHd), 0LL);
    }
};

QTEST_GUILESS_MAIN(TestLoopFrameStore)
#include "TestLoopFrameStore.moc"
