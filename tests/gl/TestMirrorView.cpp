// The mirror view on a real (virtual) X display: a clip whose left half is
// red and right half blue shows blue on the left once mirrored, in the
// window and in full screen.
#include "EngineLoads.h"
#include "RedBlueClip.h"
#include "core/playback/MediaPlayerControl.h"
#include "gui/playback/MpvEngine.h"
#include "gui/playback/MpvVideoWidget.h"
#include "gui/playback/TActiveMovie.h"

#include <QImage>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <memory>

using redblue::leftAndRight;

class TestMirrorView : public QObject {
    Q_OBJECT

    std::unique_ptr<QWidget> m_window;
    TActiveMovie* m_movie = nullptr;
    MpvEngine* m_engine = nullptr;

    MpvVideoWidget* picture() const { return qobject_cast<MpvVideoWidget*>(m_movie->picture()); }

private slots:
    void init()
    {
        m_window = std::make_unique<QWidget>();
        m_engine = new MpvEngine(MpvEngineOptions{QStringLiteral("libmpv"), QStringLiteral("null")});
        QVERIFY(m_engine->initialize());
        m_movie = new TActiveMovie(m_engine, m_window.get());
        auto* layout = new QVBoxLayout(m_window.get());
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(m_movie);
        // The window that holds the player goes full screen around it (and
        // takes the screen's size, as a window manager would give it).
        connect(m_movie, &TActiveMovie::pictureFullScreenRequested, m_window.get(), [w = m_window.get()](bool on) {
            if (on) {
                w->showFullScreen();
                w->resize(w->screen()->size());
            } else {
                w->showNormal();
                w->resize(320, 180 + TActiveMovie::StripHeight);
            }
        });
        m_window->resize(320, 180 + TActiveMovie::StripHeight);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        QVERIFY(picture());
        QTRY_VERIFY_WITH_TIMEOUT(picture()->hasRenderContext(), 3000);
        QSignalSpy drawn(picture(), &MpvVideoWidget::frameRendered);
        m_engine->load(redblue::clip);
        QVERIFY(loadEnds(*m_engine, 5000));
        QTRY_VERIFY_WITH_TIMEOUT(drawn.count() > 0, 5000);
    }

    void cleanup() { m_window.reset(); }

    void mirrorFlipsThePicture()
    {
        QCOMPARE(leftAndRight(picture()), QStringLiteral("red|blue"));
        picture()->setMirrored(true);
        QCOMPARE(leftAndRight(picture()), QStringLiteral("blue|red"));
        picture()->setMirrored(false);
        QCOMPARE(leftAndRight(picture()), QStringLiteral("red|blue"));
    }

    void fullScreenKeepsTheMirror()
    {
        picture()->setMirrored(true);
        const QSize small = picture()->size();
        m_movie->control()->setFullScreenMode(true);
        QTRY_VERIFY_WITH_TIMEOUT(picture()->width() > small.width() && picture()->height() > small.height(), 3000);
        QVERIFY(m_movie->isPictureFullScreen());
        QCOMPARE(leftAndRight(picture()), QStringLiteral("blue|red"));
        m_movie->control()->setFullScreenMode(false);
        QTRY_VERIFY_WITH_TIMEOUT(!m_movie->isPictureFullScreen(), 3000);
        QCOMPARE(leftAndRight(picture()), QStringLiteral("blue|red"));
    }
};

QTEST_MAIN(TestMirrorView)
#include "TestMirrorView.moc"
