#include "core/help/RtfReader.h"

#include <QFile>
#include <QTest>

namespace {

// One line per paragraph: "* " for a list item, "=c " etc. for an
// alignment other than left, then each run as [flags size colour]text.
QString describe(const RtfDocument& document)
{
    QString out;
    for (const RtfParagraph& paragraph : document.paragraphs) {
        if (paragraph.listItem)
            out += QStringLiteral("* ");
        switch (paragraph.alignment) {
        case RtfParagraph::Alignment::Centre:
            out += QStringLiteral("=c ");
            break;
        case RtfParagraph::Alignment::Right:
            out += QStringLiteral("=r ");
            break;
        case RtfParagraph::Alignment::Justified:
            out += QStringLiteral("=j ");
            break;
        case RtfParagraph::Alignment::Left:
            break;
        }
        for (const RtfRun& run : paragraph.runs) {
            out += u'[';
            if (run.bold)
                out += u'b';
            if (run.italic)
                out += u'i';
            out += QString::number(run.pointSize);
            if (run.colour)
                out += QStringLiteral("#%1%2%3")
                           .arg(run.colour->red, 2, 16, QLatin1Char('0'))
                           .arg(run.colour->green, 2, 16, QLatin1Char('0'))
                           .arg(run.colour->blue, 2, 16, QLatin1Char('0'));
            out += u']' + run.text;
        }
        out += u'\n';
    }
    return out;
}

QByteArray guide()
{
    QFile file(QStringLiteral(TEMPOLOOP_DOCS "/Quick_Start_Guide.rtf"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// What any input, however broken, must give.
void checkSound(const RtfDocument& document, qsizetype inputSize)
{
    qsizetype characters = 0;
    for (const RtfParagraph& paragraph : document.paragraphs) {
        for (const RtfRun& run : paragraph.runs) {
            QVERIFY(!run.text.isEmpty());
            QVERIFY(run.pointSize >= 1 && run.pointSize <= 1638);
            for (qsizetype i = 0; i < run.text.size(); ++i) {
                const QChar c = run.text.at(i);
                if (c.isHighSurrogate()) {
                    QVERIFY(i + 1 < run.text.size() && run.text.at(i + 1).isLowSurrogate());
                    ++i;
                } else {
                    QVERIFY(!c.isSurrogate());
                }
            }
            characters += run.text.size();
        }
    }
    // Every character comes from at least one byte of the input.
    QVERIFY(characters <= inputSize);
}

} // namespace

class TestRtfReader : public QObject {
    Q_OBJECT
private slots:
    void snippets_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QString>("expected");
        // clang-format off
        QTest::newRow("plain") << QByteArray(R"({\rtf1\ansi Hello\par})") << "[12]Hello\n";
        QTest::newRow("bold on and off") << QByteArray(R"({\rtf1 a \b b\b0 c\par})") << "[12]a [b12]b[12]c\n";
        QTest::newRow("group restores") << QByteArray(R"({\rtf1 {\b\i x}y\par})") << "[bi12]x[12]y\n";
        QTest::newRow("italic zero") << QByteArray(R"({\rtf1\i x\i0 y\par})") << "[i12]x[12]y\n";
        QTest::newRow("font size") << QByteArray(R"({\rtf1\fs40 Big\fs0 n\fs17 s\par})") << "[20]Big[12]n[8.5]s\n";
        QTest::newRow("huge size clamped") << QByteArray(R"({\rtf1\fs99999999999999 x\par})") << "[1638]x\n";
        QTest::newRow("plain resets") << QByteArray(R"({\rtf1{\colortbl;\red1\green2\blue3;}\b\cf1\fs30 a\plain b\par})")
                                      << "[b15#010203]a[12]b\n";
        QTest::newRow("colours") << QByteArray(R"({\rtf1{\colortbl;\red255\green0\blue0;\red0\green128\blue0;}\cf1 r\cf2 g\cf0 d\cf9 x\par})")
                                 << "[12#ff0000]r[12#008000]g[12]dx\n";
        QTest::newRow("empty colour entry is default") << QByteArray(R"({\rtf1{\colortbl;;\red9\green9\blue9;}\cf1 a\cf2 b\par})")
                                                       << "[12]a[12#090909]b\n";
        QTest::newRow("font table skipped") << QByteArray(R"({\rtf1{\fonttbl{\f0\fswiss Arial;}{\f1 Symbol;}}\f0 T\par})") << "[12]T\n";
        QTest::newRow("hex escape 1252") << QByteArray(R"({\rtf1 caf\'e9 \'80\'96\par})") << QString::fromUtf8("[12]café €–\n");
        QTest::newRow("raw 1252 byte") << QByteArray("{\\rtf1 caf\xe9\\par}") << QString::fromUtf8("[12]café\n");
        QTest::newRow("unicode skips one") << QByteArray(R"({\rtf1 \u8364?x\par})") << QString::fromUtf8("[12]€x\n");
        QTest::newRow("unicode skips uc") << QByteArray(R"({\rtf1\uc2 \u8364\'80?x\par})") << QString::fromUtf8("[12]€x\n");
        QTest::newRow("unicode negative") << QByteArray(R"({\rtf1\u-3913?\par})") << QString(QStringLiteral("[12]") + QChar(0xF0B7) + u'\n');
        QTest::newRow("surrogate pair") << QByteArray(R"({\rtf1\u55357?\u56832?\par})") << QString::fromUtf8("[12]😀\n");
        QTest::newRow("lone surrogate") << QByteArray(R"({\rtf1\u55357?a\par})") << QString::fromUtf8("[12]\xEF\xBF\xBD" "a\n");
        QTest::newRow("escaped symbols") << QByteArray(R"({\rtf1 \\\{\}\par})") << "[12]\\{}\n";
        QTest::newRow("line and tab") << QByteArray(R"({\rtf1 a\line b\tab c\par})") << QString(QStringLiteral("[12]a") + QChar::LineSeparator + QStringLiteral("b\tc\n"));
        QTest::newRow("typography") << QByteArray(R"({\rtf1\ldblquote x\rdblquote\~\emdash\bullet\par})") << QString::fromUtf8("[12]“x”\xC2\xA0—•\n");
        QTest::newRow("list items") << QByteArray(R"({\rtf1{\pntext\f1\'b7\tab}Item\par Next\par})") << "* [12]Item\n[12]Next\n";
        QTest::newRow("listtext items") << QByteArray(R"({\rtf1{\listtext\pard\plain \'95\tab}One\par{\listtext \'95\tab}Two\par})") << "* [12]One\n* [12]Two\n";
        QTest::newRow("ignorable destination") << QByteArray(R"({\rtf1 a{\*\unknown hidden\par more}b\par})") << "[12]ab\n";
        QTest::newRow("unknown word keeps text") << QByteArray(R"({\rtf1\foo12 {\bar kept}\par})") << "[12]kept\n";
        QTest::newRow("binary data skipped") << QByteArray(R"({\rtf1 a\bin3 {}}b\par})") << "[12]ab\n";
        QTest::newRow("empty paragraphs kept") << QByteArray(R"({\rtf1 a\par\par b\par})") << "[12]a\n\n[12]b\n";
        QTest::newRow("alignment") << QByteArray(R"({\rtf1\qc T\par\pard L\par\qr R\par})") << "=c [12]T\n[12]L\n=r [12]R\n";
        QTest::newRow("line ends ignored") << QByteArray("{\\rtf1 a\r\nb\\par}") << "[12]ab\n";
        QTest::newRow("backslash newline is par") << QByteArray("{\\rtf1 a\\\nb}") << "[12]a\n[12]b\n";
        QTest::newRow("unterminated") << QByteArray(R"({\rtf1 {\b x)") << "[b12]x\n";
        QTest::newRow("extra closers") << QByteArray(R"(}}}a})") << "[12]a\n";
        QTest::newRow("truncated hex") << QByteArray(R"({\rtf1 a\'4)") << "[12]a4\n";
        QTest::newRow("bad hex") << QByteArray(R"({\rtf1 a\'zzb)") << "[12]azzb\n";
        QTest::newRow("trailing backslash") << QByteArray(R"(a\)") << "[12]a\n";
        QTest::newRow("unicode without number") << QByteArray(R"({\rtf1\u a\par})") << "[12]a\n";
        QTest::newRow("binary past the end") << QByteArray(R"({\rtf1 a\bin999999 b)") << "[12]a\n";
        QTest::newRow("empty") << QByteArray() << "";
        QTest::newRow("not rtf at all") << QByteArray("just text") << "[12]just text\n";
        // clang-format on
    }
    void snippets()
    {
        QFETCH(QByteArray, rtf);
        QFETCH(QString, expected);
        const RtfDocument document = readRtf(rtf);
        QCOMPARE(describe(document), expected);
        checkSound(document, rtf.size());
    }

    void deepNestingKeepsItsText()
    {
        const QByteArray rtf = QByteArray(100000, '{') + "\\b x" + QByteArray(100000, '}') + "y";
        const RtfDocument document = readRtf(rtf);
        QCOMPARE(document.plainText(), QStringLiteral("xy\n"));
    }

    void theGuideReadsAsAGuide()
    {
        const QByteArray rtf = guide();
        QVERIFY(!rtf.isEmpty());
        const RtfDocument document = readRtf(rtf);
        const QString text = document.plainText();
        QVERIFY2(!text.contains(u'\\') && !text.contains(u'{') && !text.contains(u'}'), qPrintable(text));
        for (const char* phrase : {"Open a clip", "view clip", "Press g where the figure starts", "Press t", "Press o",
                                   "loop once", "loop continuously", "catalog", "slow motion"})
            QVERIFY2(text.contains(QLatin1String(phrase)), phrase);
        // It tells what the user sees: the focus sink shows nothing.
        QVERIFY(!text.contains(QLatin1String("controls active")));
        int listItems = 0;
        bool commandGreen = false;
        bool textRed = false;
        for (const RtfParagraph& paragraph : document.paragraphs) {
            listItems += paragraph.listItem;
            for (const RtfRun& run : paragraph.runs) {
                if (run.text == QLatin1String("command"))
                    commandGreen = run.bold && run.colour && run.colour->green > run.colour->red;
                if (run.text == QLatin1String("text"))
                    textRed = run.bold && run.colour && run.colour->red > run.colour->green;
            }
        }
        QVERIFY(listItems >= 10);
        QVERIFY(commandGreen);
        QVERIFY(textRed);
        QCOMPARE(document.paragraphs.first().runs.first().text, QStringLiteral("Tempoloop Quick Start Guide"));
        QVERIFY(document.paragraphs.first().runs.first().pointSize > 12);
    }

    // Broken copies of the guide and of the snippets above: the reader
    // neither crashes nor hangs, and what it gives stays sound.
    void mutationReplay()
    {
        const QList<QByteArray> tokens = {"{",           "}",      "\\",        "\\'",      "\\'f",        "\\u",
                                          "\\u-",        "\\uc5 ", "\\bin",     "\\bin99 ", "\\*",         "\\pntext ",
                                          "\\colortbl ", ";",      "\\cf",      "\\fs",     "99999999999", "-",
                                          "\\par ",      "\xff",   "\\u55357 ", "\\b"};
        const QList<QByteArray> seeds = {guide(), R"({\rtf1{\colortbl;\red255\green0\blue0;}\cf1\b x\par})",
                                         R"({\rtf1\uc1\u8364?{\pntext\'b7\tab}a\bin2 xy\par})"};
        quint32 state = 20260101;
        auto next = [&state](quint32 bound) {
            state = state * 1664525u + 1013904223u;
            return bound ? (state >> 8) % bound : 0u;
        };
        for (int round = 0; round < 3000; ++round) {
            QByteArray rtf = seeds.at(int(next(quint32(seeds.size()))));
            const int edits = 1 + int(next(8));
            for (int e = 0; e < edits && !rtf.isEmpty(); ++e) {
                const qsizetype at = next(quint32(rtf.size()));
                switch (next(5)) {
                case 0:
                    rtf[at] = char(next(256));
                    break;
                case 1:
                    rtf.insert(at, tokens.at(int(next(quint32(tokens.size())))));
                    break;
                case 2:
                    rtf.remove(at, 1 + next(40));
                    break;
                case 3:
                    rtf.truncate(at);
                    break;
                default:
                    rtf.insert(at, rtf.mid(next(quint32(rtf.size())), next(200)));
                }
            }
            const RtfDocument document = readRtf(rtf);
            checkSound(document, rtf.size());
            if (QTest::currentTestFailed()) {
                qWarning("round %d: %s", round, rtf.toPercentEncoding().constData());
                return;
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestRtfReader)
#include "TestRtfReader.moc"
