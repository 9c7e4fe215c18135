// MpvVideoWidget drawing the demo clip through mpv's render API on a real
// (virtual) X display.
#include "PaintClock.h"
#include "gui/playback/MpvEngine.h"
#include "gui/playback/MpvVideoWidget.h"

#include <QElapsedTimer>
#include <QImage>
#include <QSignalSpy>
#include <QTest>
#include <memory>

namespace {

// Share of pixels that are not black; the demo clip has a coloured
// background on every frame.
double litShare(const QImage& image)
{
    if (image.isNull())
        return 0.0;
    qint64 lit = 0;
    for (int y = 0; y < image.height(); y += 4)
        for (int x = 0; x < image.width(); x += 4)
            lit += qGray(image.pixel(x, y)) > 16;
    return double(lit) / ((image.height() + 3) / 4) / ((image.width() + 3) / 4);
}

} // namespace

class TestMpvVideoWidget : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<MpvEngine> m_engine;
    std::unique_ptr<QWidget> m_picture;

    MpvVideoWidget* widget() const { return static_cast<MpvVideoWidget*>(m_picture.get()); }

    // Shows the picture and opens the demo clip, paused on its first frame.
    void showDemoClip(const QSignalSpy& drawn)
    {
        m_picture->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_picture.get()));
        QTRY_VERIFY_WITH_TIMEOUT(widget()->hasRenderContext(), 3000);
        m_engine->load(QStringLiteral(TEMPOLOOP_DEMO_CLIP));
        QVERIFY(m_engine->waitForLoad(5000));
        QTRY_VERIFY_WITH_TIMEOUT(drawn.count() > 0, 5000);
    }

private slots:
    void init()
    {
        m_engine = std::make_unique<MpvEngine>(MpvEngineOptions{QStringLiteral("libmpv"), QStringLiteral("null")});
        QVERIFY(m_engine->initialize());
        m_picture.reset(m_engine->createVideoSurface(nullptr));
        QVERIFY(qobject_cast<MpvVideoWidget*>(m_picture.get()));
        m_picture->resize(320, 180);
    }

    void cleanup()
    {
        // The engine frees the render context before its handle.
        m_engine.reset();
        QVERIFY(!widget()->hasRenderContext());
        m_picture.reset();
    }

    void blackUntilAClipIsLoaded()
    {
        m_picture->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_picture.get()));
        QTRY_VERIFY_WITH_TIMEOUT(widget()->hasRenderContext(), 3000);
        QCOMPARE(litShare(widget()->grabFramebuffer()), 0.0);
    }

    void drawsFramesWhilePlaying()
    {
        QSignalSpy drawn(widget(), &MpvVideoWidget::frameRendered);
        showDemoClip(drawn);
        if (QTest::currentTestFailed())
            return;
        QVERIFY(litShare(widget()->grabFramebuffer()) > 0.5);

        const int before = drawn.count();
        m_engine->setPaused(false);
        QTest::qWait(1000);
        m_engine->setPaused(true);
        // About 30 frames in a second; a slow virtual display may drop some.
        QVERIFY2(drawn.count() - before >= 10, qPrintable(QString::number(drawn.count() - before)));
    }

    // While a clip plays, drawing its frames must leave the GUI thread free
    // between them. mpv's render call used to wait for each frame's display
    // time, so the thread spent most of its time inside paintGL().
    void drawingLeavesTheGuiThreadFree()
    {
        QSignalSpy drawn(widget(), &MpvVideoWidget::frameRendered);
        showDemoClip(drawn);
        if (QTest::currentTestFailed())
            return;

        // From the paint event to the frame drawn: the time spent in paintGL().
        PaintClock paintClock;
        m_picture->installEventFilter(&paintClock);
        connect(widget(), &MpvVideoWidget::frameRendered, &paintClock, &PaintClock::painted);
        m_engine->setPaused(false);
        QTest::qWait(200);
        const int before = drawn.count();
        paintClock.reset();
        QElapsedTimer wall;
        wall.start();
        QTest::qWait(1500);
        const double share = paintClock.busyMs() * 1e6 / wall.nsecsElapsed();
        m_engine->setPaused(true);
        const int frames = drawn.count() - before;
        QVERIFY2(frames >= 10, qPrintable(QString::number(frames)));
        QVERIFY2(share < 0.4,
                 qPrintable(
                     QStringLiteral("%1% of the time in paintGL over %2 frames").arg(qRound(share * 100)).arg(frames)));
    }
};

QTEST_MAIN(TestMpvVideoWidget)
#include "TestMpvVideoWidget.moc"
