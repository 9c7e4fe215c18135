#include "core/catalog/SplitOnCharacters.h"
#include "core/catalog/SplitSpreadsheetLine.h"

#include <QTest>

// The two splitters of the catalog files: SplitOnCharacters (the learn and
// rating line, the spreadsheet header) and SplitSpreadsheetLine with its
// continuation lines.

class TestCatalogLineSplitting : public QObject {
    Q_OBJECT

private slots:
    void splitOnCharacters_data();
    void splitOnCharacters();
    void spreadsheetLine_data();
    void spreadsheetLine();
    void continuation_data();
    void continuation();
};

void TestCatalogLineSplitting::splitOnCharacters_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("characters");
    QTest::addColumn<QStringList>("pieces");
    QTest::newRow("learn and rating") << "b,7"
                                      << "," << QStringList{"b", "7"};
    QTest::newRow("empty pieces dropped") << ",,7"
                                          << "," << QStringList{"7"};
    QTest::newRow("only separators") << ",,,"
                                     << "," << QStringList{};
    QTest::newRow("empty") << ""
                           << "," << QStringList{};
    QTest::newRow("no separator") << "x"
                                  << "," << QStringList{"x"};
    QTest::newRow("blanks kept") << " a , b "
                                 << "," << QStringList{" a ", " b "};
    QTest::newRow("several characters") << "a;b,c;;"
                                        << ";," << QStringList{"a", "b", "c"};
}

void TestCatalogLineSplitting::splitOnCharacters()
{
    QFETCH(QString, text);
    QFETCH(QString, characters);
    QFETCH(QStringList, pieces);
    QCOMPARE(SplitOnCharacters(text, characters), pieces);
}

void TestCatalogLineSplitting::spreadsheetLine_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<bool>("endsInsideQuotes");
    const QChar comma = u',';

    QTest::newRow("unquoted") << "a,b,c" << comma << QStringList{"a", "b", "c"} << false;
    QTest::newRow("empty unquoted field") << "a,,c" << comma << QStringList{"a", "", "c"} << false;
    QTest::newRow("the last character belongs to the last field") << "a,b," << comma << QStringList{"a", "b,"} << false;
    QTest::newRow("separator inside quotes") << "\"x,y\",z" << comma << QStringList{"x,y", "z"} << false;
    QTest::newRow("doubled quotes made one")
        << "\"say \"\"hi\"\"\",b" << comma << QStringList{"say \"hi\"", "b"} << false;
    QTest::newRow("empty quoted field") << "\"\",\"\"" << comma << QStringList{"", ""} << false;
    QTest::newRow("closing quote ends the line") << "\"a\"" << comma << QStringList{"a"} << false;
    QTest::newRow("quote as the last character opens a field") << "a,\"" << comma << QStringList{"a", ""} << true;
    QTest::newRow("lone quote") << "\"" << comma << QStringList{""} << true;
    QTest::newRow("line ends inside quotes") << "a,\"abc" << comma << QStringList{"a", "abc"} << true;
    QTest::newRow("line ends on a doubled quote") << "\"a\"\"" << comma << QStringList{"a\""} << true;
    QTest::newRow("doubled quote then the closing one") << "\"a\"\"\"" << comma << QStringList{"a\""} << false;
    // The character after a doubled quote is scanned like any other: the
    // field goes on in the next line.
    QTest::newRow("one character after a doubled quote") << "\"a\"\"x" << comma << QStringList{"a\"x"} << true;
    QTest::newRow("the character after a closing quote is taken as the separator")
        << "\"a\"b,c" << comma << QStringList{"a", "", "c"} << false;
    QTest::newRow("quote inside an unquoted field") << "ab\"c,d\"" << comma << QStringList{"ab\"c,d\""} << false;
    QTest::newRow("file name and folder lose three quotes")
        << "1,2,3,4,5,6,\"\"\"f g\"\"\",\"\"\"d\"\"\",\"\"\"x\"\"\"" << comma
        << QStringList{"1", "2", "3", "4", "5", "6", "f g", "d", "\"x\""} << false;
    QTest::newRow("a file name in one pair loses it")
        << "1,2,3,4,5,6,\"f\",\"\"\"\"\"\"" << comma << QStringList{"1", "2", "3", "4", "5", "6", "f", ""} << false;
    // A quoted level, rating or time (one that holds a separator or a
    // double quote) has its doubled quotes made one too; bare, a field
    // keeps them.
    QTest::newRow("doubled quotes in a quoted third field")
        << "\"a\"\"\",\"b\"\"\",\"c\"\"d\"" << comma << QStringList{"a\"", "b\"", "c\"d"} << false;
    QTest::newRow("doubled quotes kept in file name and folder")
        << "a,b,c,d, e, f,\"\"\"g\"\"h\"\"\",\"\"\"i\"\"\",j" << comma
        << QStringList{"a", "b", "c", "d", " e", " f", "g\"\"h", "i", "j"} << false;
    QTest::newRow("semicolon") << "\"a;b\";c;\"d,e\"" << QChar(u';') << QStringList{"a;b", "c", "d,e"} << false;
}

void TestCatalogLineSplitting::spreadsheetLine()
{
    QFETCH(QString, line);
    QFETCH(QChar, separator);
    QFETCH(QStringList, fields);
    QFETCH(bool, endsInsideQuotes);
    const SpreadsheetLine split = SplitSpreadsheetLine(line, separator);
    QCOMPARE(split.fields, fields);
    QCOMPARE(split.endsInsideQuotes, endsInsideQuotes);
}

void TestCatalogLineSplitting::continuation_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("endsField");
    QTest::newRow("closing quote") << "more\""
                                   << "more" << true;
    QTest::newRow("doubled quote, then the closing one") << "b\"\"\""
                                                         << "b\"" << true;
    QTest::newRow("doubled quote at the end") << "b\"\""
                                              << "b\"" << false;
    QTest::newRow("no quote") << "plain"
                              << "plain" << false;
    QTest::newRow("empty line") << ""
                                << "" << false;
    QTest::newRow("closing quote alone") << "\""
                                         << "" << true;
}

void TestCatalogLineSplitting::continuation()
{
    QFETCH(QString, line);
    QFETCH(QString, text);
    QFETCH(bool, endsField);
    const SpreadsheetContinuation c = ReadSpreadsheetContinuation(line);
    QCOMPARE(c.text, text);
    QCOMPARE(c.endsField, endsField);
}

QTEST_GUILESS_MAIN(TestCatalogLineSplitting)
#include "TestCatalogLineSplitting.moc"
