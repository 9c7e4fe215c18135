#include "core/base/TimeCode.h"

#include <QtTest>

#include <limits>

class TestTimeCode : public QObject {
    Q_OBJECT

private slots:
    void secondsToDigits_data();
    void secondsToDigits();
    void digitsToSeconds_data();
    void digitsToSeconds();
    void insertColons_data();
    void insertColons();
    void removeColons_data();
    void removeColons();
    void validate_data();
    void validate();
    void digitForm_data();
    void digitForm();
    void roundPosition_data();
    void roundPosition();
    void positionToDisplayChain();
};

void TestTimeCode::secondsToDigits_data()
{
    QTest::addColumn<int>("seconds");
    QTest::addColumn<QString>("digits");
    QTest::newRow("zero") << 0 << "000000";
    QTest::newRow("59") << 59 << "000059";
    QTest::newRow("60") << 60 << "000100";
    QTest::newRow("205") << 205 << "000325";
    QTest::newRow("3599") << 3599 << "005959";
    QTest::newRow("3600") << 3600 << "010000";
    QTest::newRow("3725") << 3725 << "010205";
    QTest::newRow("45296") << 45296 << "123456";
    QTest::newRow("359999") << 359999 << "995959";
    QTest::newRow("100 hours clamps") << 360000 << "995959";
    QTest::newRow("int max clamps") << std::numeric_limits<int>::max() << "995959";
    QTest::newRow("negative clamps") << -5 << "000000";
    QTest::newRow("int min clamps") << std::numeric_limits<int>::min() << "000000";
}

void TestTimeCode::secondsToDigits()
{
    QFETCH(int, seconds);
    QFETCH(QString, digits);
    QCOMPARE(determineColonStringFromSeconds(seconds), digits);
}

void TestTimeCode::digitsToSeconds_data()
{
    QTest::addColumn<QString>("digits");
    QTest::addColumn<int>("seconds");
    QTest::newRow("zero") << "000000" << 0;
    QTest::newRow("000325") << "000325" << 205;
    QTest::newRow("123456") << "123456" << 45296;
    QTest::newRow("995959") << "995959" << 359999;
    QTest::newRow("minutes 75 as they stand") << "007500" << 4500;
    QTest::newRow("seconds 90 as they stand") << "000090" << 90;
    QTest::newRow("all nines") << "999999" << 99 * 3600 + 99 * 60 + 99;
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("short: missing places are zero") << "1234" << 12 * 3600 + 34 * 60;
    QTest::newRow("extra characters ignored") << "0001020" << 62;
    QTest::newRow("non-digit counts zero") << "00a1_5" << 60 + 5;
    QTest::newRow("minus sign is no digit") << "-00001" << 1;
}

void TestTimeCode::digitsToSeconds()
{
    QFETCH(QString, digits);
    QFETCH(int, seconds);
    QCOMPARE(determineSecondsFromColonString(digits), seconds);
}

void TestTimeCode::insertColons_data()
{
    QTest::addColumn<QString>("digits");
    QTest::addColumn<QString>("display");
    QTest::newRow("zero") << "000000"
                          << "00:00:00";
    QTest::newRow("000325") << "000325"
                            << "00:03:25";
    QTest::newRow("123456") << "123456"
                            << "12:34:56";
    QTest::newRow("empty is no time") << ""
                                      << "--:--:--";
    QTest::newRow("only first six used") << "1234567"
                                         << "12:34:56";
    QTest::newRow("partly filled") << "1234"
                                   << "12:34:__";
    QTest::newRow("one digit") << "1"
                               << "1_:__:__";
}

void TestTimeCode::insertColons()
{
    QFETCH(QString, digits);
    QFETCH(QString, display);
    QCOMPARE(insertColonsIntoString(digits), display);
}

void TestTimeCode::removeColons_data()
{
    QTest::addColumn<QString>("display");
    QTest::addColumn<QString>("digits");
    QTest::newRow("12:34:56") << "12:34:56"
                              << "123456";
    QTest::newRow("00:00:00") << "00:00:00"
                              << "000000";
    QTest::newRow("no time") << "--:--:--"
                             << "";
    QTest::newRow("short text stays in range") << "12:3"
                                               << "123";
    QTest::newRow("empty") << ""
                           << "";
}

void TestTimeCode::removeColons()
{
    QFETCH(QString, display);
    QFETCH(QString, digits);
    QCOMPARE(removeColonsFromString(display), digits);
}

void TestTimeCode::digitForm_data()
{
    QTest::addColumn<QString>("digits");
    QTest::addColumn<bool>("complete");
    QTest::newRow("six digits") << "000105" << true;
    QTest::newRow("no time") << "" << false;
    QTest::newRow("last place open") << "00001_" << false;
    QTest::newRow("gap") << "00_105" << false;
    QTest::newRow("five digits") << "00105" << false;
    QTest::newRow("seven digits") << "0001050" << false;
    QTest::newRow("display form") << "00:01:05" << false;
    QTest::newRow("non-ASCII digit") << QString::fromUtf8("00010\u0665") << false;
}

void TestTimeCode::digitForm()
{
    QFETCH(QString, digits);
    QFETCH(bool, complete);
    QCOMPARE(isDigitForm(digits), complete);
}

void TestTimeCode::validate_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::newRow("12:34:56") << "12:34:56" << true;
    QTest::newRow("00:00:00") << "00:00:00" << true;
    QTest::newRow("no time mark") << "--:--:--" << true;
    QTest::newRow("no range check minutes") << "00:99:99" << true;
    QTest::newRow("99:59:59") << "99:59:59" << true;
    QTest::newRow("00:75:00") << "00:75:00" << true;
    QTest::newRow("missing leading zero") << "1:02:03" << false;
    QTest::newRow("short seconds") << "01:02:3" << false;
    QTest::newRow("dashes") << "01-02-03" << false;
    QTest::newRow("dots") << "00.03.25" << false;
    QTest::newRow("trailing blank") << "01:02:03 " << false;
    QTest::newRow("leading blank") << " 01:02:03" << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("digit form") << "010203" << false;
    QTest::newRow("letters") << "ab:cd:ef" << false;
    QTest::newRow("partial no time mark") << "--:--:-" << false;
    QTest::newRow("no time mark with blank") << "--:--:-- " << false;
    QTest::newRow("mixed dashes") << "--:00:00" << false;
    QTest::newRow("three hour digits") << "100:00:00" << false;
    QTest::newRow("unfilled places") << "12:34:__" << false;
    QTest::newRow("non-ASCII digits") << QString::fromUtf8("١٢:٣٤:٥٦") << false;
    QTest::newRow("full-width colon") << QString::fromUtf8("12：34：56") << false;
}

void TestTimeCode::validate()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QCOMPARE(validateTimeCode(text), valid);
}

void TestTimeCode::roundPosition_data()
{
    QTest::addColumn<double>("position");
    QTest::addColumn<int>("seconds");
    QTest::newRow("12.5 to even 12") << 12.5 << 12;
    QTest::newRow("13.5 to even 14") << 13.5 << 14;
    QTest::newRow("2.5 to even 2") << 2.5 << 2;
    QTest::newRow("0.5 to even 0") << 0.5 << 0;
    QTest::newRow("13.4 down") << 13.4 << 13;
    QTest::newRow("13.6 up") << 13.6 << 14;
    QTest::newRow("12.500001 up") << 12.500001 << 13;
    QTest::newRow("whole stays") << 7.0 << 7;
    QTest::newRow("zero") << 0.0 << 0;
    QTest::newRow("negative half to even") << -2.5 << -2;
    QTest::newRow("negative -3.5") << -3.5 << -4;
    QTest::newRow("nan") << std::numeric_limits<double>::quiet_NaN() << 0;
    QTest::newRow("+inf clamps") << std::numeric_limits<double>::infinity() << std::numeric_limits<int>::max();
    QTest::newRow("-inf clamps") << -std::numeric_limits<double>::infinity() << std::numeric_limits<int>::min();
    QTest::newRow("huge clamps") << 1e300 << std::numeric_limits<int>::max();
}

void TestTimeCode::roundPosition()
{
    QFETCH(double, position);
    QFETCH(int, seconds);
    QCOMPARE(roundPositionToSeconds(position), seconds);
}

// The whole chain from a player position to a grid cell and back to seconds.
void TestTimeCode::positionToDisplayChain()
{
    const QString digits = determineColonStringFromSeconds(roundPositionToSeconds(45296.4));
    const QString display = insertColonsIntoString(digits);
    QCOMPARE(display, QStringLiteral("12:34:56"));
    QVERIFY(validateTimeCode(display));
    QCOMPARE(determineSecondsFromColonString(removeColonsFromString(display)), 45296);

    // An empty time box round-trips through the no-time mark.
    QCOMPARE(removeColonsFromString(insertColonsIntoString(QString())), QString());

    // Every whole second up to 99:59:59 survives the round trip.
    for (int s = 0; s <= kMaxTimeCodeSeconds; s += 37) {
        const QString shown = insertColonsIntoString(determineColonStringFromSeconds(s));
        QVERIFY2(validateTimeCode(shown), qPrintable(shown));
        QCOMPARE(determineSecondsFromColonString(removeColonsFromString(shown)), s);
    }
}

QTEST_APPLESS_MAIN(TestTimeCode)
#include "TestTimeCode.moc"
