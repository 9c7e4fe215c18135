// How close the player looks at its picture: the steps of the factor, and
// the part of the picture shown as it zooms about a point and follows a drag.
#include "core/playback/PictureZoom.h"

#include <QTest>

Q_DECLARE_METATYPE(ZoomStep)
Q_DECLARE_METATYPE(ViewSide)

namespace {

// The part shown is compared to a thousandth of the picture.
bool near(const QRectF& a, const QRectF& b)
{
    const auto close = [](double x, double y) { return std::abs(x - y) < 1e-3; };
    return close(a.left(), b.left()) && close(a.top(), b.top()) && close(a.width(), b.width()) &&
           close(a.height(), b.height());
}

QByteArray describe(const QRectF& r)
{
    return QByteArray::number(r.left()) + ',' + QByteArray::number(r.top()) + ' ' + QByteArray::number(r.width()) +
           'x' + QByteArray::number(r.height());
}

PictureZoom zoomedTo(int level)
{
    PictureZoom zoom;
    for (int i = 0; i < level; ++i)
        zoom.zoom(ZoomStep::In);
    return zoom;
}

} // namespace

class TestPictureZoom : public QObject {
    Q_OBJECT

private slots:
    void startsWhole()
    {
        const PictureZoom zoom;
        QVERIFY(zoom.isWhole());
        QCOMPARE(zoom.factor(), 1.0);
        QCOMPARE(zoom.visible(), QRectF(0, 0, 1, 1));
    }

    // Each step in is 1.25 times closer, held at 8; the steps back out
    // retrace the same factors down to exactly 1.
    void steps_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<double>("factor");
        QTest::newRow("whole picture") << 0 << 1.0;
        QTest::newRow("one step") << 1 << 1.25;
        QTest::newRow("two steps") << 2 << 1.5625;
        QTest::newRow("nine steps, still below 8") << 9 << 7.450580596923828;
        QTest::newRow("ten steps: held at 8") << 10 << 8.0;
        QTest::newRow("more steps stay at 8") << 14 << 8.0;
    }
    void steps()
    {
        QFETCH(int, level);
        QFETCH(double, factor);
        const PictureZoom zoom = zoomedTo(level);
        QCOMPARE(zoom.factor(), factor);
        QCOMPARE(zoom.visible().width(), 1.0 / factor);
        QCOMPARE(zoom.visible().height(), 1.0 / factor);
        QCOMPARE(zoom.visible().center(), QPointF(0.5, 0.5));
    }

    void stepsBackOutToTheWhole()
    {
        PictureZoom zoom = zoomedTo(PictureZoom::MaxLevel);
        QVERIFY(!zoom.zoom(ZoomStep::In));
        QCOMPARE(zoom.factor(), PictureZoom::MaxFactor);
        for (int level = PictureZoom::MaxLevel - 1; level >= 0; --level) {
            QVERIFY(zoom.zoom(ZoomStep::Out));
            QCOMPARE(zoom.level(), level);
        }
        QVERIFY(zoom.isWhole());
        QCOMPARE(zoom.factor(), 1.0);
        QCOMPARE(zoom.visible(), QRectF(0, 0, 1, 1));
        QVERIFY(!zoom.zoom(ZoomStep::Out));
        QCOMPARE(zoom.visible(), QRectF(0, 0, 1, 1));
    }

    // Zooming about a point keeps that point where it shows; near an edge
    // the part stops at the edge instead of showing beyond the picture.
    void zoomAbout_data()
    {
        QTest::addColumn<int>("startLevel");
        QTest::addColumn<QPointF>("startPan");
        QTest::addColumn<ZoomStep>("step");
        QTest::addColumn<QPointF>("point");
        QTest::addColumn<QRectF>("shown");
        QTest::newRow("in about the middle")
            << 0 << QPointF() << ZoomStep::In << QPointF(0.5, 0.5) << QRectF(0.1, 0.1, 0.8, 0.8);
        QTest::newRow("in about the top left corner")
            << 0 << QPointF() << ZoomStep::In << QPointF(0, 0) << QRectF(0, 0, 0.8, 0.8);
        QTest::newRow("in about the bottom right corner")
            << 0 << QPointF() << ZoomStep::In << QPointF(1, 1) << QRectF(0.2, 0.2, 0.8, 0.8);
        QTest::newRow("in about a point a quarter across")
            << 0 << QPointF() << ZoomStep::In << QPointF(0.25, 0.75) << QRectF(0.05, 0.15, 0.8, 0.8);
        QTest::newRow("in again about a corner of the part shown")
            << 1 << QPointF() << ZoomStep::In << QPointF(0.1, 0.1) << QRectF(0.1, 0.1, 0.64, 0.64);
        QTest::newRow("out about a point: the part grows around it")
            << 2 << QPointF() << ZoomStep::Out << QPointF(0.18, 0.5) << QRectF(0.18, 0.1, 0.8, 0.8);
        QTest::newRow("out near an edge: the part stops at the edge")
            << 2 << QPointF(1, 1) << ZoomStep::Out << QPointF(0.01, 0.01) << QRectF(0, 0, 0.8, 0.8);
        QTest::newRow("out to the whole, wherever the point")
            << 1 << QPointF(0.1, 0) << ZoomStep::Out << QPointF(0.9, 0.2) << QRectF(0, 0, 1, 1);
        QTest::newRow("out at the whole picture changes nothing")
            << 0 << QPointF() << ZoomStep::Out << QPointF(0.3, 0.3) << QRectF(0, 0, 1, 1);
        QTest::newRow("a point outside the part shown counts as its edge")
            << 0 << QPointF() << ZoomStep::In << QPointF(-2, 3) << QRectF(0, 0.2, 0.8, 0.8);
    }
    void zoomAbout()
    {
        QFETCH(int, startLevel);
        QFETCH(QPointF, startPan);
        QFETCH(ZoomStep, step);
        QFETCH(QPointF, point);
        QFETCH(QRectF, shown);
        PictureZoom zoom = zoomedTo(startLevel);
        zoom.pan(startPan);
        zoom.zoomAbout(step, point);
        QVERIFY2(near(zoom.visible(), shown), describe(zoom.visible()));
        QVERIFY(QRectF(0, 0, 1, 1).contains(zoom.visible()));
    }

    // The picture follows a drag; a drag past an edge stops there.
    void pan_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<QPointF>("drag");
        QTest::addColumn<bool>("moved");
        QTest::addColumn<QRectF>("shown");
        QTest::newRow("dragged right: the part to the left comes into view")
            << 1 << QPointF(0.125, 0) << true << QRectF(0, 0.1, 0.8, 0.8);
        QTest::newRow("dragged up: the part below comes into view")
            << 1 << QPointF(0, -0.0625) << true << QRectF(0.1, 0.15, 0.8, 0.8);
        QTest::newRow("dragged far left: stops at the right edge")
            << 3 << QPointF(-5, 0) << true << QRectF(0.488, 0.244, 0.512, 0.512);
        QTest::newRow("dragged far down and right: stops at the top left corner")
            << 10 << QPointF(40, 40) << true << QRectF(0, 0, 0.125, 0.125);
        QTest::newRow("the whole picture does not move") << 0 << QPointF(0.3, -0.2) << false << QRectF(0, 0, 1, 1);
        QTest::newRow("no drag, no move") << 2 << QPointF() << false << QRectF(0.18, 0.18, 0.64, 0.64);
    }
    void pan()
    {
        QFETCH(int, level);
        QFETCH(QPointF, drag);
        QFETCH(bool, moved);
        QFETCH(QRectF, shown);
        PictureZoom zoom = zoomedTo(level);
        QCOMPARE(zoom.pan(drag), moved);
        QVERIFY2(near(zoom.visible(), shown), describe(zoom.visible()));
    }

    void panAtAnEdgeStopsThere()
    {
        PictureZoom zoom = zoomedTo(4);
        QVERIFY(zoom.pan(QPointF(10, 0)));
        QCOMPARE(zoom.visible().left(), 0.0);
        QVERIFY(!zoom.pan(QPointF(1, 0)));
        QVERIFY(zoom.pan(QPointF(-0.25, 0)));
        QVERIFY(zoom.visible().left() > 0);
    }

    // The pointer's place in the view names a point of the part shown;
    // mirrored, the view's left is the part's right.
    void pointAt_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<QPointF>("drag");
        QTest::addColumn<ViewSide>("side");
        QTest::addColumn<QPointF>("inView");
        QTest::addColumn<QPointF>("point");
        QTest::newRow("whole picture, as it is")
            << 0 << QPointF() << ViewSide::AsIs << QPointF(0.25, 0.5) << QPointF(0.25, 0.5);
        QTest::newRow("whole picture, mirrored")
            << 0 << QPointF() << ViewSide::Mirrored << QPointF(0.25, 0.5) << QPointF(0.75, 0.5);
        QTest::newRow("zoomed in the middle") << 1 << QPointF() << ViewSide::AsIs << QPointF(0, 1) << QPointF(0.1, 0.9);
        QTest::newRow("zoomed at the top left, mirrored: the view's left edge")
            << 1 << QPointF(1, 1) << ViewSide::Mirrored << QPointF(0, 0) << QPointF(0.8, 0);
    }
    void pointAt()
    {
        QFETCH(int, level);
        QFETCH(QPointF, drag);
        QFETCH(ViewSide, side);
        QFETCH(QPointF, inView);
        QFETCH(QPointF, point);
        PictureZoom zoom = zoomedTo(level);
        zoom.pan(drag);
        const QPointF at = zoom.pointAt(inView, side);
        QVERIFY2(near(QRectF(at, QSizeF()), QRectF(point, QSizeF())), describe(QRectF(at, QSizeF())));
    }

    // A mirrored view drags the other way across; down stays down.
    void mirroredDragMovesTheOtherWay()
    {
        PictureZoom asIs = zoomedTo(1);
        PictureZoom mirrored = zoomedTo(1);
        QVERIFY(asIs.pan(QPointF(0.0625, 0.0625)));
        QVERIFY(mirrored.pan(QPointF(0.0625, 0.0625), ViewSide::Mirrored));
        QVERIFY(near(asIs.visible(), QRectF(0.05, 0.05, 0.8, 0.8)));
        QVERIFY(near(mirrored.visible(), QRectF(0.15, 0.05, 0.8, 0.8)));
    }

    // The part shown, placed on a picture drawn whole at a rectangle.
    void partOf_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<QPointF>("drag");
        QTest::addColumn<QRectF>("picture");
        QTest::addColumn<QRectF>("part");
        QTest::newRow("whole") << 0 << QPointF() << QRectF(10, 20, 400, 300) << QRectF(10, 20, 400, 300);
        QTest::newRow("one step in the middle, with bars above")
            << 1 << QPointF() << QRectF(0, 50, 500, 250) << QRectF(50, 75, 400, 200);
        QTest::newRow("8x at the bottom right corner")
            << 10 << QPointF(-99, -99) << QRectF(0, 0, 800, 400) << QRectF(700, 350, 100, 50);
    }
    void partOf()
    {
        QFETCH(int, level);
        QFETCH(QPointF, drag);
        QFETCH(QRectF, picture);
        QFETCH(QRectF, part);
        PictureZoom zoom = zoomedTo(level);
        zoom.pan(drag);
        QVERIFY2(near(zoom.partOf(picture), part), describe(zoom.partOf(picture)));
    }

    void resetShowsTheWholePicture()
    {
        PictureZoom zoom = zoomedTo(6);
        zoom.pan(QPointF(0.4, -0.7));
        zoom.reset();
        QVERIFY(zoom.isWhole());
        QCOMPARE(zoom.factor(), 1.0);
        QCOMPARE(zoom.visible(), QRectF(0, 0, 1, 1));
        QVERIFY(zoom.zoom(ZoomStep::In));
        QCOMPARE(zoom.visible().center(), QPointF(0.5, 0.5));
    }
};

QTEST_APPLESS_MAIN(TestPictureZoom)
#include "TestPictureZoom.moc"
