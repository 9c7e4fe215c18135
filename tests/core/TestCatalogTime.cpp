#include "core/catalog/CatalogTime.h"

#include <QTest>

// The times of a catalog file as the program writes them and as spreadsheet
// programs write them back once they took them for time values.
class TestCatalogTime : public QObject {
    Q_OBJECT

private slots:
    void reads_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("readable");

        QTest::newRow("program's form") << "00:01:05"
                                        << "00:01:05" << true;
        QTest::newRow("with the program's blank") << " 00:01:05"
                                                  << "00:01:05" << true;
        QTest::newRow("blanks around") << "\t 01:02:03  "
                                       << "01:02:03" << true;
        QTest::newRow("one-digit hour") << "0:01:05"
                                        << "00:01:05" << true;
        QTest::newRow("no-time mark") << " --:--:--"
                                      << "--:--:--" << true;
        QTest::newRow("empty") << ""
                               << "" << true;
        QTest::newRow("fields of 60 and more stand") << "00:75:99"
                                                     << "00:75:99" << true;

        QTest::newRow("12-hour, just after midnight") << "12:01:05 AM"
                                                      << "00:01:05" << true;
        QTest::newRow("12-hour, morning") << "09:59:59 AM"
                                          << "09:59:59" << true;
        QTest::newRow("12-hour, noon") << "12:00:00 PM"
                                       << "12:00:00" << true;
        QTest::newRow("12-hour, afternoon") << "01:04:59 PM"
                                            << "13:04:59" << true;
        QTest::newRow("12-hour, one digit, small letters") << "1:04:59 pm"
                                                           << "13:04:59" << true;
        QTest::newRow("12-hour with dots") << "11:30:00 a.m."
                                           << "11:30:00" << true;
        QTest::newRow("12-hour, no blank") << "2:00:00PM"
                                           << "14:00:00" << true;

        QTest::newRow("fraction") << "0:01:05.000"
                                  << "00:01:05" << true;
        QTest::newRow("decimal comma") << "00:01:05,00"
                                       << "00:01:05" << true;
        QTest::newRow("fraction and 12-hour") << "12:01:05.000 AM"
                                              << "00:01:05" << true;
        // Precise loop points keep their milliseconds, as the program
        // writes them or as a spreadsheet shortened them.
        QTest::newRow("precise point") << "00:00:09.999"
                                       << "00:00:09.999" << true;
        QTest::newRow("precise, two places") << "0:01:05.25"
                                             << "00:01:05.250" << true;
        QTest::newRow("precise, decimal comma") << "00:01:05,5"
                                                << "00:01:05.500" << true;
        QTest::newRow("precise, 12-hour") << "12:01:05.040 AM"
                                          << "00:01:05.040" << true;
        QTest::newRow("past the millisecond is dropped, not rounded") << "00:00:09.99951"
                                                                      << "00:00:09.999" << true;

        QTest::newRow("words") << "soon"
                               << "soon" << false;
        QTest::newRow("one-digit minutes") << "12:3:45"
                                           << "12:3:45" << false;
        QTest::newRow("three-digit hour") << "100:00:00"
                                          << "100:00:00" << false;
        QTest::newRow("no seconds") << "00:01"
                                    << "00:01" << false;
        QTest::newRow("dot without digits") << "00:01:05."
                                            << "00:01:05." << false;
        QTest::newRow("13 o'clock PM") << "13:00:00 PM"
                                       << "13:00:00 PM" << false;
        QTest::newRow("something after") << "00:01:05 later"
                                         << "00:01:05 later" << false;
        QTest::newRow("half a no-time mark") << "--:--:00"
                                             << "--:--:00" << false;
        QTest::newRow("date and time") << "1899-12-30 00:01:05"
                                       << "1899-12-30 00:01:05" << false;
        QTest::newRow("wide digits") << "００:01:05"
                                     << "００:01:05" << false;
    }
    void reads()
    {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(bool, readable);
        const CatalogTime time = readCatalogTime(field);
        QCOMPARE(time.text, text);
        QCOMPARE(time.readable, readable);
        // What it gives reads back as itself.
        QCOMPARE(readCatalogTime(time.text).text, time.text);
    }
};

QTEST_APPLESS_MAIN(TestCatalogTime)
#include "TestCatalogTime.moc"
