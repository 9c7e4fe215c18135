#include "core/help/PrintMargins.h"

#include <QTest>

Q_DECLARE_METATYPE(PrinterGeometry)

class TestPrintMargins : public QObject {
    Q_OBJECT
private slots:
    void oneInchFromThePapersEdge_data()
    {
        QTest::addColumn<PrinterGeometry>("printer");
        QTest::addColumn<QRect>("body");
        // Letter paper at 600 dpi is 5100 x 6600 pixels.
        QTest::newRow("no border") << PrinterGeometry{600, 600, 0, 0, 5100, 6600}
                                   << QRect(QPoint(600, 600), QPoint(4499, 5999));
        QTest::newRow("quarter-inch border")
            << PrinterGeometry{600, 600, 150, 150, 5100, 6600} << QRect(QPoint(450, 450), QPoint(4349, 5849));
        QTest::newRow("uneven resolution and border")
            << PrinterGeometry{300, 600, 50, 120, 2480, 7016} << QRect(QPoint(250, 480), QPoint(2129, 6295));
        QTest::newRow("border wider than an inch")
            << PrinterGeometry{72, 72, 100, 90, 595, 842} << QRect(QPoint(-28, -18), QPoint(422, 679));
        QTest::newRow("paper under two inches") << PrinterGeometry{600, 600, 0, 0, 1200, 6600} << QRect();
        QTest::newRow("nothing known") << PrinterGeometry{} << QRect();
    }
    void oneInchFromThePapersEdge()
    {
        QFETCH(PrinterGeometry, printer);
        QFETCH(QRect, body);
        const QRect rect = oneInchBodyRect(printer);
        QCOMPARE(rect, body);
        if (!rect.isEmpty()) {
            // Measured from the paper's edge, each margin is one inch.
            QCOMPARE(rect.left() + printer.offsetX, printer.dpiX);
            QCOMPARE(rect.top() + printer.offsetY, printer.dpiY);
            QCOMPARE(printer.paperWidth - (rect.right() + 1 + printer.offsetX), printer.dpiX);
            QCOMPARE(printer.paperHeight - (rect.bottom() + 1 + printer.offsetY), printer.dpiY);
        }
    }
};

QTEST_GUILESS_MAIN(TestPrintMargins)
#include "TestPrintMargins.moc"
