// The zoomed picture on a real (virtual) X display: a clip whose left half
// is red and right half blue shows only red or only blue once zoomed into
// one side, follows the wheel and a drag, and starts whole again with the
// next clip.
#include "RedBlueClip.h"
#include "core/playback/MediaPlayerControl.h"
#include "gui/playback/MpvVideoWidget.h"
#include "gui/playback/TActiveMovie.h"

#include <QImage>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>
#include <memory>

namespace {

using redblue::leftAndRight;

// Wheel notches (120 each; negative turns towards the user) over a place.
void turnWheel(QWidget* widget, QPointF at, int notches)
{
    QWheelEvent wheel(at, widget->mapToGlobal(at), QPoint(), QPoint(0, 120 * notches), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &wheel);
}

void mouse(QWidget* widget, QEvent::Type type, QPointF at, Qt::MouseButtons held)
{
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, at, widget->mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

// A press, a move in steps and a release with the left button.
void drag(QWidget* widget, QPointF from, QPointF to)
{
    mouse(widget, QEvent::MouseButtonPress, from, Qt::LeftButton);
    for (int i = 1; i <= 4; ++i)
        mouse(widget, QEvent::MouseMove, from + (to - from) * i / 4, Qt::LeftButton);
    mouse(widget, QEvent::MouseButtonRelease, to, Qt::NoButton);
}

} // namespace

class TestPictureZoomView : public QObject {
    Q_OBJECT

    std::unique_ptr<redblue::PlayerWindow> m_player;
    TActiveMovie* m_movie = nullptr;

    MpvVideoWidget* picture() const { return m_player->picture(); }
    QPointF leftEdge() const { return {1, picture()->height() / 2.0}; }

private slots:
    void init()
    {
        m_player = std::make_unique<redblue::PlayerWindow>();
        m_movie = m_player->movie;
        QVERIFY(m_player->showAndLoad());
        QCOMPARE(leftAndRight(picture()), QStringLiteral("red|blue"));
    }

    void cleanup() { m_player.reset(); }

    // Three notches over the left edge show the left half only; a drag to
    // the left brings the right edge, and no further.
    void wheelAndDragShowOneSide()
    {
        turnWheel(picture(), leftEdge(), 3);
        QCOMPARE(picture()->pictureZoom().level(), 3);
        QCOMPARE(leftAndRight(picture()), QStringLiteral("red|red"));
        drag(picture(), QPointF(300, 90), QPointF(20, 90));
        drag(picture(), QPointF(300, 90), QPointF(20, 90));
        QCOMPARE(picture()->pictureZoom().visible().right(), 1.0);
        QCOMPARE(leftAndRight(picture()), QStringLiteral("blue|blue"));
        turnWheel(picture(), leftEdge(), -3);
        QVERIFY(picture()->pictureZoom().isWhole());
        QCOMPARE(leftAndRight(picture()), QStringLiteral("red|blue"));
    }

    // Mirrored, the view's left edge is the picture's right side.
    void zoomFollowsTheMirror()
    {
        picture()->setMirrored(true);
        QCOMPARE(leftAndRight(picture()), QStringLiteral("blue|red"));
        turnWheel(picture(), leftEdge(), 3);
        QCOMPARE(leftAndRight(picture()), QStringLiteral("blue|blue"));
        QVERIFY(picture()->pictureZoom().visible().left() > 0.4);
    }

    // A click on the zoomed picture without a drag still plays or pauses;
    // a drag does not.
    void aClickPlaysADragDoesNot()
    {
        m_movie->zoomPicture(ZoomStep::In);
        const PlayStateValue before = m_movie->control()->PlayState();
        drag(picture(), QPointF(200, 90), QPointF(100, 90));
        QCOMPARE(m_movie->control()->PlayState(), before);
        QSignalSpy clicked(picture(), &MpvVideoWidget::clicked);
        drag(picture(), QPointF(200, 90), QPointF(200, 90));
        QCOMPARE(clicked.count(), 1);
    }

    void aNewClipStartsWhole()
    {
        for (int i = 0; i < 4; ++i)
            m_movie->zoomPicture(ZoomStep::In);
        QCOMPARE(picture()->pictureZoom().level(), 4);
        QSignalSpy loaded(m_movie->control(), &MediaPlayerControl::loadFinished);
        m_movie->control()->setFileName(redblue::clip);
        m_movie->control()->Open();
        QTRY_VERIFY_WITH_TIMEOUT(loaded.count() > 0, 5000);
        QVERIFY(picture()->pictureZoom().isWhole());
        QCOMPARE(leftAndRight(picture()), QStringLiteral("red|blue"));
    }

    void stepsInAndOutAndBackToTheWhole()
    {
        m_movie->zoomPicture(ZoomStep::In);
        m_movie->zoomPicture(ZoomStep::In);
        m_movie->zoomPicture(ZoomStep::Out);
        QCOMPARE(picture()->pictureZoom().level(), 1);
        m_movie->showWholePicture();
        QVERIFY(picture()->pictureZoom().isWhole());
    }
};

QTEST_MAIN(TestPictureZoomView)
#include "TestPictureZoomView.moc"
