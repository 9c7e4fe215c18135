// MpvVideoWidget drawing the demo clip through mpv's render API on a real
// (virtual) X display.
#include "EngineLoads.h"
#include "gui/playback/MpvEngine.h"
#include "gui/playback/MpvVideoWidget.h"

#include <QImage>
#include <QMap>
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
        QVERIFY(loadEnds(*m_engine, 5000));
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

    // Frames keep coming while the clip plays, each a later one. (How many a
    // second, and the share of time spent drawing them, are figures of the
    // playback benchmark, bench/run.sh.)
    void drawsFramesWhilePlaying()
    {
        QSignalSpy drawn(widget(), &MpvVideoWidget::frameRendered);
        showDemoClip(drawn);
        if (QTest::currentTestFailed())
            return;
        QVERIFY(litShare(widget()->grabFramebuffer()) > 0.5);

        QList<double> positions;
        connect(widget(), &MpvVideoWidget::frameRendered, this, [&] { positions << m_engine->position(); });
        m_engine->setPaused(false);
        QTRY_VERIFY_WITH_TIMEOUT(positions.size() >= 5, 5000);
        m_engine->setPaused(true);
        QVERIFY2(positions.last() > positions.first(), qPrintable(QString::number(positions.last())));
    }

    // Held, the picture stays as it was while mpv shows another place of
    // the clip; let go, it shows where mpv is. Mirrored too.
    // Steps back, decoded by mpv in reverse after the first, show the frame
    // an exact seek to that time shows (every frame of the demo clip shows
    // its number), across a keyframe.
    void stepsBackShowTheFramesSeeksShow()
    {
        QSignalSpy drawn(widget(), &MpvVideoWidget::frameRendered);
        showDemoClip(drawn);
        if (QTest::currentTestFailed())
            return;
        constexpr double Frame = 1.0 / 30.0;
        QSignalSpy moved(m_engine.get(), &PlaybackEngine::positionChanged);
        const auto landed = [&] {
            return QTest::qWaitFor([&] { return !moved.isEmpty() && !m_engine->seekPending(); }, 5000);
        };
        const int from = 64, to = 56;
        QMap<int, QImage> seen;
        for (int frame = to; frame <= from; ++frame) {
            moved.clear();
            m_engine->seek(frame * Frame);
            QVERIFY(landed());
            QTRY_VERIFY_WITH_TIMEOUT(widget()->grabFramebuffer() != seen.value(frame - 1), 3000);
            seen[frame] = widget()->grabFramebuffer();
        }
        for (int frame = from - 1; frame >= to; --frame) {
            moved.clear();
            m_engine->stepFrames(m_engine->position(), -1);
            QVERIFY(landed());
            QCOMPARE(qRound(m_engine->position() / Frame), frame);
            QTRY_VERIFY2_WITH_TIMEOUT(widget()->grabFramebuffer() == seen[frame],
                                      qPrintable(QStringLiteral("frame %1").arg(frame)), 3000);
        }
    }

    void heldPictureStaysWhileMpvMoves_data()
    {
        QTest::addColumn<bool>("mirrored");
        QTest::newRow("plain") << false;
        QTest::newRow("mirrored") << true;
    }
    void heldPictureStaysWhileMpvMoves()
    {
        QFETCH(bool, mirrored);
        QSignalSpy drawn(widget(), &MpvVideoWidget::frameRendered);
        showDemoClip(drawn);
        if (QTest::currentTestFailed())
            return;
        widget()->setMirrored(mirrored);
        QSignalSpy moved(m_engine.get(), &PlaybackEngine::positionChanged);
        const auto seekAndDraw = [&](double seconds) {
            moved.clear();
            m_engine->seek(seconds);
            return QTest::qWaitFor([&] { return !moved.isEmpty() && !m_engine->seekPending(); }, 5000);
        };
        // Beat 1 flashes a lighter background than the other beats.
        QVERIFY(seekAndDraw(2.2));
        const QImage before = widget()->grabFramebuffer();

        widget()->setPictureHeld(true);
        QVERIFY(widget()->isPictureHeld());
        QVERIFY(seekAndDraw(4.0));
        QCOMPARE(widget()->grabFramebuffer(), before);

        widget()->setPictureHeld(false);
        QTRY_VERIFY_WITH_TIMEOUT(widget()->grabFramebuffer() != before, 3000);
    }
};

QTEST_MAIN(TestMpvVideoWidget)
#include "TestMpvVideoWidget.moc"
