// Where the picture shows inside the player's area, its shape kept: the
// rectangle the count over the picture sits in.
#include "core/playback/PictureFit.h"

#include <QTest>

class TestPictureFit : public QObject {
    Q_OBJECT

private slots:
    void fittedPicture_data()
    {
        QTest::addColumn<QSize>("picture");
        QTest::addColumn<QSize>("area");
        QTest::addColumn<QRect>("shown");
        QTest::newRow("wide clip in a tall area: bars above and below (the odd pixel below)")
            << QSize(1920, 1080) << QSize(400, 600) << QRect(0, 187, 400, 225);
        QTest::newRow("tall phone clip in a wide area: bars left and right")
            << QSize(1080, 1920) << QSize(800, 450) << QRect(273, 0, 253, 450);
        QTest::newRow("exact fit") << QSize(640, 360) << QSize(1280, 720) << QRect(0, 0, 1280, 720);
        QTest::newRow("same size") << QSize(605, 538) << QSize(605, 538) << QRect(0, 0, 605, 538);
        QTest::newRow("smaller picture is scaled up") << QSize(320, 240) << QSize(1000, 600) << QRect(100, 0, 800, 600);
        QTest::newRow("4K in a large area, no overflow")
            << QSize(3840, 2160) << QSize(7680, 8000) << QRect(0, 1840, 7680, 4320);
        QTest::newRow("the odd pixel of the bars goes right or below")
            << QSize(100, 100) << QSize(101, 50) << QRect(25, 0, 50, 50);
        QTest::newRow("no picture size: the whole area") << QSize(0, 0) << QSize(640, 480) << QRect(0, 0, 640, 480);
        QTest::newRow("no picture height: the whole area") << QSize(640, 0) << QSize(640, 480) << QRect(0, 0, 640, 480);
        QTest::newRow("empty area") << QSize(1920, 1080) << QSize(0, 0) << QRect(0, 0, 0, 0);
        QTest::newRow("area without height") << QSize(1920, 1080) << QSize(300, 0) << QRect(0, 0, 0, 0);
        QTest::newRow("a picture thinner than a pixel shows as none")
            << QSize(4000, 1) << QSize(400, 300) << QRect(0, 150, 400, 0);
    }
    void fittedPicture()
    {
        QFETCH(QSize, picture);
        QFETCH(QSize, area);
        QFETCH(QRect, shown);
        const QRect fitted = ::fittedPicture(picture, area);
        QCOMPARE(fitted, shown);
        QVERIFY(QRect(QPoint(0, 0), area).contains(fitted) || fitted.isEmpty());
    }

    void placedPicture_data()
    {
        QTest::addColumn<QSize>("clip");
        QTest::addColumn<QRect>("area");
        QTest::addColumn<bool>("fitToSize");
        QTest::addColumn<bool>("fullScreen");
        QTest::addColumn<QRect>("placed");
        const QRect area(0, 0, 800, 600);
        QTest::newRow("own size, centred") << QSize(320, 240) << area << false << false << QRect(240, 180, 320, 240);
        QTest::newRow("own size too large: shrunk to fit, same shape")
            << QSize(1600, 900) << area << false << false << QRect(0, 75, 800, 450);
        QTest::newRow("fitted to the player: the whole area") << QSize(320, 240) << area << true << false << area;
        QTest::newRow("full screen: the whole area") << QSize(320, 240) << area << false << true << area;
        QTest::newRow("no picture (sound only): the whole area") << QSize() << area << false << false << area;
    }

    void placedPicture()
    {
        QFETCH(QSize, clip);
        QFETCH(QRect, area);
        QFETCH(bool, fitToSize);
        QFETCH(bool, fullScreen);
        QFETCH(QRect, placed);
        QCOMPARE(::placedPicture(clip, area, fitToSize ? mpFitToSize : mpDefaultSize, fullScreen), placed);
    }
};

QTEST_APPLESS_MAIN(TestPictureFit)
#include "TestPictureFit.moc"
