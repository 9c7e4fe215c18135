// Time codes with milliseconds, and that whole seconds keep their forms.
#include "core/base/TimeCode.h"

#include <QtTest>

#include <limits>

class TestPreciseTimeCode : public QObject {
    Q_OBJECT

private slots:
    void millisecondsToDigits_data();
    void millisecondsToDigits();
    void digitsToMilliseconds_data();
    void digitsToMilliseconds();
    void displayRoundTrip_data();
    void displayRoundTrip();
    void validate_data();
    void validate();
    void wholeSecondCheckRefusesFractions_data();
    void wholeSecondCheckRefusesFractions();
    void digitForm_data();
    void digitForm();
    void order_data();
    void order();
    void roundPosition_data();
    void roundPosition();
};

void TestPreciseTimeCode::millisecondsToDigits_data()
{
    QTest::addColumn<qint64>("ms");
    QTest::addColumn<QString>("digits");
    QTest::newRow("zero is whole") << qint64(0) << "000000";
    QTest::newRow("whole second keeps six digits") << qint64(65000) << "000105";
    QTest::newRow("fraction gives nine") << qint64(65250) << "000105250";
    QTest::newRow("one millisecond") << qint64(1) << "000000001";
    QTest::newRow("999 ms") << qint64(59999) << "000059999";
    QTest::newRow("hours") << qint64(3725040) << "010205040";
    QTest::newRow("negative clamps") << qint64(-5) << "000000";
    QTest::newRow("past 99:59:59.999 clamps") << std::numeric_limits<qint64>::max() << "995959999";
}

void TestPreciseTimeCode::millisecondsToDigits()
{
    QFETCH(qint64, ms);
    QFETCH(QString, digits);
    QCOMPARE(determineColonStringFromMilliseconds(ms), digits);
}

void TestPreciseTimeCode::digitsToMilliseconds_data()
{
    QTest::addColumn<QString>("digits");
    QTest::addColumn<qint64>("ms");
    QTest::newRow("six digits") << "000105" << qint64(65000);
    QTest::newRow("nine digits") << "000105250" << qint64(65250);
    QTest::newRow("leading zeros of the fraction") << "000105007" << qint64(65007);
    QTest::newRow("minutes 75 as they stand") << "007500500" << qint64(4500500);
    QTest::newRow("empty") << "" << qint64(0);
}

void TestPreciseTimeCode::digitsToMilliseconds()
{
    QFETCH(QString, digits);
    QFETCH(qint64, ms);
    QCOMPARE(determineMillisecondsFromColonString(digits), ms);
}

// Digit form -> display form -> digit form, both ways exact.
void TestPreciseTimeCode::displayRoundTrip_data()
{
    QTest::addColumn<QString>("digits");
    QTest::addColumn<QString>("display");
    QTest::newRow("whole") << "000105"
                           << "00:01:05";
    QTest::newRow("fraction") << "000105250"
                              << "00:01:05.250";
    QTest::newRow("small fraction") << "123456007"
                                    << "12:34:56.007";
    QTest::newRow("no time") << ""
                             << "--:--:--";
}

void TestPreciseTimeCode::displayRoundTrip()
{
    QFETCH(QString, digits);
    QFETCH(QString, display);
    QCOMPARE(insertColonsIntoString(digits), display);
    QCOMPARE(removeColonsFromString(display), digits);
}

void TestPreciseTimeCode::validate_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::newRow("whole") << "00:01:05" << true;
    QTest::newRow("no time") << "--:--:--" << true;
    QTest::newRow("fraction") << "00:01:05.250" << true;
    QTest::newRow("zero fraction") << "00:01:05.000" << true;
    QTest::newRow("two fraction digits") << "00:01:05.25" << false;
    QTest::newRow("four fraction digits") << "00:01:05.2500" << false;
    QTest::newRow("comma") << "00:01:05,250" << false;
    QTest::newRow("point without digits") << "00:01:05." << false;
    QTest::newRow("no time with fraction") << "--:--:--.250" << false;
    QTest::newRow("letters in fraction") << "00:01:05.2x0" << false;
    QTest::newRow("one-digit hour") << "0:01:05.250" << false;
    QTest::newRow("trailing blank") << "00:01:05.250 " << false;
}

void TestPreciseTimeCode::validate()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QCOMPARE(validatePreciseTimeCode(text), valid);
}

// What a program that knows only whole seconds checks before it takes a
// time: a fraction makes the time bad, never another time.
void TestPreciseTimeCode::wholeSecondCheckRefusesFractions_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("00:01:05.250") << "00:01:05.250";
    QTest::newRow("00:00:00.001") << "00:00:00.001";
    QTest::newRow("99:59:59.999") << "99:59:59.999";
}

void TestPreciseTimeCode::wholeSecondCheckRefusesFractions()
{
    QFETCH(QString, text);
    QVERIFY(validatePreciseTimeCode(text));
    QVERIFY(!validateTimeCode(text));
}

void TestPreciseTimeCode::digitForm_data()
{
    QTest::addColumn<QString>("digits");
    QTest::addColumn<bool>("complete");
    QTest::newRow("six") << "000105" << true;
    QTest::newRow("nine") << "000105250" << true;
    QTest::newRow("seven") << "0001052" << false;
    QTest::newRow("eight") << "00010525" << false;
    QTest::newRow("ten") << "0001052500" << false;
    QTest::newRow("unfilled place") << "00010525_" << false;
    QTest::newRow("empty") << "" << false;
}

void TestPreciseTimeCode::digitForm()
{
    QFETCH(QString, digits);
    QFETCH(bool, complete);
    QCOMPARE(isPreciseDigitForm(digits), complete);
}

void TestPreciseTimeCode::order_data()
{
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<bool>("less");
    QTest::newRow("whole, earlier") << "000105"
                                    << "000129" << true;
    QTest::newRow("whole, equal") << "000105"
                                  << "000105" << false;
    QTest::newRow("whole, as typed: 00:75:00 before 01:00:00") << "007500"
                                                               << "010000" << true;
    QTest::newRow("fraction after its whole second") << "000105"
                                                     << "000105250" << true;
    QTest::newRow("fraction before the next second") << "000105999"
                                                     << "000106" << true;
    QTest::newRow("fraction not before its whole second") << "000105001"
                                                          << "000105" << false;
    QTest::newRow("fractions") << "000105250"
                               << "000105251" << true;
}

void TestPreciseTimeCode::order()
{
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(bool, less);
    QCOMPARE(timeDigitsLess(a, b), less);
    // Whole seconds compare as they always did, character by character.
    if (a.size() == 6 && b.size() == 6)
        QCOMPARE(timeDigitsLess(a, b), a < b);
}

void TestPreciseTimeCode::roundPosition_data()
{
    QTest::addColumn<double>("position");
    QTest::addColumn<qint64>("ms");
    QTest::newRow("frame time") << 65.26666666 << qint64(65267);
    QTest::newRow("whole") << 65.0 << qint64(65000);
    QTest::newRow("half a millisecond up") << 1.0005 << qint64(1001);
    QTest::newRow("negative") << -0.2 << qint64(0);
    QTest::newRow("nan") << std::numeric_limits<double>::quiet_NaN() << qint64(0);
    QTest::newRow("huge") << 1e12 << qint64(359999999);
}

void TestPreciseTimeCode::roundPosition()
{
    QFETCH(double, position);
    QFETCH(qint64, ms);
    QCOMPARE(roundPositionToMilliseconds(position), ms);
}

QTEST_GUILESS_MAIN(TestPreciseTimeCode)
#include "TestPreciseTimeCode.moc"
