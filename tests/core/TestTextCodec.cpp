#include "core/base/TextCodec.h"

#include <QTest>

class TestTextCodec : public QObject {
    Q_OBJECT

private slots:
    void decode_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");

        QTest::newRow("empty") << QByteArray() << QString();
        QTest::newRow("ASCII") << QByteArray("Back_Seconds_Key: a\r\n") << QString("Back_Seconds_Key: a\r\n");
        QTest::newRow("UTF-8") << QByteArray("Vid\xc3\xa9os \xe2\x82\xac") << QString::fromUtf8("Vidéos €");
        QTest::newRow("UTF-8 four bytes") << QByteArray("\xf0\x9f\x98\x80") << QString::fromUtf8("😀");
        QTest::newRow("UTF-8 mark dropped") << QByteArray("\xef\xbb\xbfKey: 1") << QString("Key: 1");
        QTest::newRow("mark alone") << QByteArray("\xef\xbb\xbf") << QString();
        QTest::newRow("mark, then a line in Windows-1252") << QByteArray("\xef\xbb\xbf"
                                                                         "caf\xe9")
                                                           << QString::fromUtf8("café");
        QTest::newRow("Windows-1252 letters")
            << QByteArray("Jos\xe9 \xc0 la f\xeate") << QString::fromUtf8("José À la fête");
        QTest::newRow("Windows-1252 high controls")
            << QByteArray("\x80\x85\x8a\x91\x92\x93\x94\x96\x97\x99\x9f") << QString::fromUtf8("€…Š‘’“”–—™Ÿ");
        QTest::newRow("unassigned bytes as C1 controls")
            << QByteArray("\x81\x8d\x8f\x90\x9d")
            << QString(QChar(0x81)) + QChar(0x8D) + QChar(0x8F) + QChar(0x90) + QChar(0x9D);
        QTest::newRow("UTF-8 cut off at the end") << QByteArray("caf\xc3") << QString::fromUtf8("cafÃ");
        QTest::newRow("overlong encoding is not UTF-8") << QByteArray("\xc0\xaf") << QString::fromUtf8("À¯");
        QTest::newRow("encoded surrogate is not UTF-8") << QByteArray("\xed\xa0\x80") << QString::fromUtf8("í\u00a0€");
        // A line is read one way or the other as a whole.
        QTest::newRow("mixed in one line") << QByteArray("\xc3\xa9 \xe9") << QString::fromUtf8("Ã© é");
        // One stray byte makes its own line Windows-1252, not the others.
        QTest::newRow("mixed lines") << QByteArray("Se\xc3\xb1orita\r\nr\xe1pido\n\xe2\x80\x94\rcaf\xe9")
                                     << QString::fromUtf8("Señorita\r\nrápido\n—\rcafé");
        QTest::newRow("NUL bytes kept") << QByteArray("a\0b", 3) << QStringView(u"a\0b", 3).toString();
    }

    void decode()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(decodeText(bytes), text);
    }

    // Which lines were read as Windows-1252, numbered as the lines are
    // split: CR LF, LF and CR each end one, empty lines count.
    void windows1252LinesAreNamed_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QList<int>>("lines");
        QTest::newRow("UTF-8") << QByteArray("caf\xc3\xa9\r\n\xc3\xa9") << QList<int>{};
        QTest::newRow("all Windows-1252") << QByteArray("caf\xe9\r\n\xe9") << QList<int>{1, 2};
        QTest::newRow("every kind of break")
            << QByteArray("\xe9\r\n\r\nok\n\xe9\r\xc3\xa9\r\n\xe9") << QList<int>{1, 4, 6};
        QTest::newRow("after a mark") << QByteArray("\xef\xbb\xbf\xc3\xa9\n\xe9\n") << QList<int>{2};
        QTest::newRow("cut off at the end") << QByteArray("ok\ncaf\xc3") << QList<int>{2};
    }

    void windows1252LinesAreNamed()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QList<int>, lines);
        QCOMPARE(decodeTextLines(bytes).windows1252Lines, lines);
    }

    void windows1252MatchesLatin1OutsideTheHighControls()
    {
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            all.append(char(b));
        const QString text = decodeWindows1252(all);
        QCOMPARE(text.size(), 256);
        for (int b = 0; b < 256; ++b) {
            if (b >= 0x80 && b <= 0x9F)
                QVERIFY2(text[b].unicode() > 0x7F, qPrintable(QString::number(b, 16)));
            else
                QCOMPARE(text[b].unicode(), char16_t(b));
        }
    }

    void encodeIsUtf8WithoutMark_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("ASCII") << QString("Beginner_Mode: 1\r\n");
        QTest::newRow("accents") << QString::fromUtf8("/home/José/Vidéos “Tango” – €");
        QTest::newRow("emoji") << QString::fromUtf8("😀 key");
        QTest::newRow("empty") << QString();
    }

    void encodeIsUtf8WithoutMark()
    {
        QFETCH(QString, text);
        const QByteArray bytes = encodeText(text);
        QCOMPARE(bytes, text.toUtf8());
        QVERIFY(!bytes.startsWith("\xef\xbb\xbf"));
        QCOMPARE(decodeText(bytes), text);
    }
};

QTEST_APPLESS_MAIN(TestTextCodec)
#include "TestTextCodec.moc"
