// The mirror view on a real (virtual) X display: a clip whose left half is
// red and right half blue shows blue on the left once mirrored, in the
// window and in full screen.
#include "RedBlueClip.h"
#include "core/playback/MediaPlayerControl.h"
#include "gui/playback/MpvVideoWidget.h"
#include "gui/playback/TActiveMovie.h"

#include <QImage>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <memory>

using redblue::leftAndRight;

class TestMirrorView : public QObject {
    Q_OBJECT

    std::unique_ptr<redblue::PlayerWindow> m_player;
    QWidget* m_window = nullptr;
    TActiveMovie* m_movie = nullptr;

    MpvVideoWidget* picture() const { return m_player->picture(); }

private slots:
    void init()
    {
        m_player = std::make_unique<redblue::PlayerWindow>();
        m_window = m_player->window.get();
        m_movie = m_player->movie;
        QVERIFY(m_movie);
        // The window that holds the player goes full screen around it (and
        // takes the screen's size, as a window manager would give it).
        connect(m_movie, &TActiveMovie::pictureFullScreenRequested, m_window, [w = m_window](bool on) {
            if (on) {
                w->showFullScreen();
                w->resize(w->screen()->size());
            } else {
                w->showNormal();
                w->resize(320, 180 + TActiveMovie::StripHeight);
            }
        });
        QVERIFY(m_player->showAndLoad());
    }

    void cleanup() { m_player.reset(); }

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
