#include "core/base/SplitArguments.h"

#include <QtTest>

class TestSplitArguments : public QObject {
    Q_OBJECT

private slots:
    void split_data();
    void split();
};

void TestSplitArguments::split_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("empty") << QString() << QStringList();
    QTest::newRow("blanks and tabs only") << QString(" \t  \t") << QStringList();
    QTest::newRow("bookmark command line")
        << QString("00:01:05   00:01:29   \"videoclip 1.mpg\"   \"C:\\Video Clips\\\"")
        << QStringList{"00:01:05", "00:01:29", "videoclip 1.mpg", "C:\\Video Clips\\"};
    QTest::newRow("unix folder with blanks") << QString("00:00:01 00:00:02 \"a b.mp4\" \"/home/me/Video Clips/\"")
                                             << QStringList{"00:00:01", "00:00:02", "a b.mp4", "/home/me/Video Clips/"};
    QTest::newRow("key with colon and trailing space")
        << QString("Back_Seconds_Key: ") << QStringList{"Back_Seconds_Key:"};
    QTest::newRow("settings line") << QString("Back_Seconds_Key: a") << QStringList{"Back_Seconds_Key:", "a"};
    QTest::newRow("tabs between key and value")
        << QString("Default_Video_Directory:\t\t\"/v c/\"") << QStringList{"Default_Video_Directory:", "/v c/"};
    QTest::newRow("trailing tab not kept") << QString("a b\t") << QStringList{"a", "b"};
    QTest::newRow("trailing space not kept") << QString("a b ") << QStringList{"a", "b"};
    QTest::newRow("leading separators skipped") << QString(" \t a") << QStringList{"a"};
    QTest::newRow("empty quoted argument counts") << QString("\"\"") << QStringList{QString()};
    QTest::newRow("empty quoted between words") << QString("a \"\" b") << QStringList{"a", QString(), "b"};
    QTest::newRow("quoted keeps tabs and blanks") << QString("\" a\tb \"") << QStringList{" a\tb "};
    QTest::newRow("unterminated quote dropped") << QString("a b \"c d e") << QStringList{"a", "b"};
    QTest::newRow("lone quote") << QString("\"") << QStringList();
    QTest::newRow("quote inside word drops gathered text") << QString("ab\"cd\" e") << QStringList{"cd", "e"};
    QTest::newRow("quote inside word, unterminated") << QString("x ab\"cd") << QStringList{"x"};
    QTest::newRow("word right after closing quote") << QString("\"abc\"d") << QStringList{"abc", "d"};
    QTest::newRow("quote right after closing quote starts a word")
        << QString("\"a\"\"b c") << QStringList{"a", "\"b", "c"};
    QTest::newRow("word after closing quote meets a quote") << QString("\"a\"b\"c d\"") << QStringList{"a", "c d"};
    QTest::newRow("three quotes") << QString("\"\"\"") << QStringList{QString(), "\""};
    QTest::newRow("unicode kept") << QString("\"Tänze ü\" ñ") << QStringList{"Tänze ü", "ñ"};
    QTest::newRow("carriage return is not a separator") << QString("a\rb") << QStringList{"a\rb"};
}

void TestSplitArguments::split()
{
    QFETCH(QString, line);
    QFETCH(QStringList, expected);
    QCOMPARE(SplitArguments(line), expected);
}

QTEST_APPLESS_MAIN(TestSplitArguments)
#include "TestSplitArguments.moc"
