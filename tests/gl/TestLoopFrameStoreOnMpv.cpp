// The frame store on libmpv: a loop played once keeps its frames as mpv drew
// them, and steps over them show the right frame at once. A frame is known
// by its picture (the clip draws its number on every frame), grabbed from
// mpv itself after an exact seek.
#include "EngineLoads.h"

#include "gui/playback/MpvEngine.h"
#include "gui/playback/MpvVideoWidget.h"
#include "gui/playback/TActiveMovie.h"

#include <QImage>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <map>
#include <memory>

namespace {
const QString counted = QStringLiteral(TEMPOLOOP_TEST_DATA "/clips/tiny_counted.mp4");
const QString redBlue = QStringLiteral(TEMPOLOOP_TEST_DATA "/clips/left_red_right_blue.mp4");
constexpr double LoopStart = 0.5;
constexpr double LoopEnd = 1.5;

double frame(int n)
{
    return n / 30.0;
}
} // namespace

class TestLoopFrameStoreOnMpv : public QObject {
    Q_OBJECT

    std::unique_ptr<QWidget> window;
    MpvEngine* engine = nullptr;
    TActiveMovie* movie = nullptr;
    // mpv's own pictures of frames, by number.
    std::map<int, QImage> live;

    MpvVideoWidget* picture() const { return qobject_cast<MpvVideoWidget*>(movie->picture()); }
    bool landed() const { return !engine->seekPending(); }

    bool load(const QString& clip)
    {
        QSignalSpy drawn(picture(), &MpvVideoWidget::frameRendered);
        engine->load(clip);
        return loadEnds(*engine, 5000) && QTest::qWaitFor([&] { return drawn.count() > 0; }, 5000);
    }

    // mpv's picture of frame n, drawn after an exact seek there.
    QImage liveFrame(int n)
    {
        if (live.count(n))
            return live[n];
        QSignalSpy drawn(picture(), &MpvVideoWidget::frameRendered);
        engine->seek(engine->frameTimeFrom(frame(n), 0) - 0.001);
        if (!QTest::qWaitFor([&] { return landed() && drawn.count() > 0; }, 5000))
            return {};
        QTest::qWait(60);
        return live[n] = picture()->grabFramebuffer();
    }

    // The loop played from its start to its end, where it rests paused.
    bool playLoop()
    {
        engine->keepLoopFrames(LoopStart, LoopEnd);
        MpvVideoWidget* p = picture();
        if (!QTest::qWaitFor(
                [&] { return p->frameStore().isActive() && p->frameBuffersMade() == p->frameStore().slotCount(); },
                5000))
            return false;
        engine->seek(LoopStart);
        if (!QTest::qWaitFor([&] { return landed(); }, 5000))
            return false;
        engine->setPausePoint(LoopEnd);
        engine->setPaused(false);
        return QTest::qWaitFor([&] { return engine->position() >= LoopEnd - 0.05 && engine->isPaused(); }, 5000) &&
               QTest::qWaitFor([&] { return landed(); }, 5000);
    }

    int shownFrame() const { return int(std::lround(engine->position() * 30)); }

private slots:
    void init()
    {
        live.clear();
        window = std::make_unique<QWidget>();
        engine = new MpvEngine(MpvEngineOptions{QStringLiteral("libmpv"), QStringLiteral("null")});
        QVERIFY(engine->initialize());
        movie = new TActiveMovie(engine, window.get());
        auto* layout = new QVBoxLayout(window.get());
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(movie);
        window->resize(320, 180 + TActiveMovie::StripHeight);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QVERIFY(picture());
        QVERIFY(QTest::qWaitFor([this] { return picture()->hasRenderContext(); }, 3000));
        QVERIFY(load(counted));
        QTRY_VERIFY_WITH_TIMEOUT(engine->knowsFrameTimes(), 5000);
    }
    void cleanup() { window.reset(); }

    void aLoopPlayedKeepsItsFramesAsDrawn()
    {
        QVERIFY(playLoop());
        const LoopFrameStore& store = picture()->frameStore();
        // Frames 15 to 45; the very first may have been drawn before the
        // seek to it had landed.
        QVERIFY2(store.heldCount() >= 29, qPrintable(QString::number(store.heldCount())));
        QVERIFY(store.bytesHeld() <= store.budget());
        QCOMPARE(store.drawnSize(), picture()->size() * picture()->devicePixelRatioF());
        for (int n : {20, 33, 44}) {
            const QImage mpvDrew = liveFrame(n);
            QVERIFY(!mpvDrew.isNull());
            QVERIFY(picture()->showStoredFrame(frame(n)));
            QCOMPARE(picture()->grabFramebuffer(), mpvDrew);
            picture()->showLiveFrames();
        }
        // Neighbouring frames differ: the comparison tells frames apart.
        QVERIFY(liveFrame(20) != liveFrame(21));
    }

    // Twelve steps back as fast as they come, then rocking: every press
    // shows its frame at once, and mpv comes to rest on the last one.
    void stepsShowStoredFramesAtOnce()
    {
        QVERIFY(playLoop());
        const int end = shownFrame();
        QVERIFY2(end >= 44 && end <= 45, qPrintable(QString::number(end)));
        for (int n = end - 14; n <= end; ++n)
            QVERIFY(!liveFrame(n).isNull());
        engine->seek(frame(end) - 0.001);
        QTRY_VERIFY_WITH_TIMEOUT(landed(), 5000);
        QTest::qWait(60);
        QList<int> presses;
        for (int i = 0; i < 12; ++i)
            presses << -1;
        presses << 1 << 1 << -1 << 1 << -1 << -1;
        int expected = end;
        for (int step : presses) {
            engine->stepFrames(engine->position(), step);
            expected += step;
            QCOMPARE(shownFrame(), expected);
            QVERIFY(picture()->showsStoredFrame());
            QCOMPARE(picture()->grabFramebuffer(), live[expected]);
        }
        QTRY_VERIFY_WITH_TIMEOUT(landed(), 5000);
        QCOMPARE(shownFrame(), expected);
        picture()->showLiveFrames();
        QCOMPARE(picture()->grabFramebuffer(), live[expected]);
    }

    // Another loop, another clip or no loop: nothing kept is shown again.
    void theStoreIsDroppedWithItsLoopOrClip_data()
    {
        QTest::addColumn<QString>("change");
        QTest::newRow("another loop") << "loop";
        QTest::newRow("the loop left") << "none";
        QTest::newRow("another clip") << "clip";
    }
    void theStoreIsDroppedWithItsLoopOrClip()
    {
        QFETCH(QString, change);
        QVERIFY(playLoop());
        QVERIFY(picture()->frameStore().slotOf(frame(30)) >= 0);
        if (change == QLatin1String("loop"))
            engine->keepLoopFrames(0.2, 1.2);
        else if (change == QLatin1String("none"))
            engine->keepLoopFrames(0.0, -1.0);
        else
            QVERIFY(load(redBlue));
        QCOMPARE(picture()->frameStore().heldCount(), 0);
        QVERIFY(!picture()->showStoredFrame(frame(30)));
    }
};

QTEST_MAIN(TestLoopFrameStoreOnMpv)
#include "TestLoopFrameStoreOnMpv.moc"
