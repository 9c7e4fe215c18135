#include "core/catalog/CatalogDocument.h"
#include "core/catalog/CatalogFiles.h"
#include "core/catalog/SpreadsheetCatalogFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// The separator of spreadsheet catalog files: written as a spreadsheet in
// the user's locale expects it, read as the file's header line shows it.
// This program runs in a German locale (set in main() below, before Qt
// reads the locale), where numbers have a decimal comma.

class TestSpreadsheetSeparator : public QObject {
    Q_OBJECT

private slots:
    void forLocale_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QChar>("separator");
        QTest::newRow("German") << QLocale(QLocale::German, QLocale::Germany) << QChar(u';');
        QTest::newRow("French") << QLocale(QLocale::French, QLocale::France) << QChar(u';');
        QTest::newRow("Swiss German, decimal point") << QLocale(QLocale::German, QLocale::Switzerland) << QChar(u',');
        QTest::newRow("English") << QLocale(QLocale::English, QLocale::UnitedStates) << QChar(u',');
        QTest::newRow("C") << QLocale::c() << QChar(u',');
    }
    void forLocale()
    {
        QFETCH(QLocale, locale);
        QFETCH(QChar, separator);
        QCOMPARE(spreadsheetSeparatorFor(locale), separator);
    }

    void ofHeader_data()
    {
        QTest::addColumn<QString>("header");
        QTest::addColumn<QChar>("separator");
        const QString titles =
            QStringLiteral("Category,Name,Learn,Rating,Start Time,End Time,Filename,Folder,Description");
        QTest::newRow("commas") << titles << QChar(u',');
        QTest::newRow("semicolons") << QString(titles).replace(u',', u';') << QChar(u';');
        QTest::newRow("tabs") << QString(titles).replace(u',', u'\t') << QChar(u'\t');
        QTest::newRow("quoted titles")
            << "\"Category\";\"Name\";\"Learn\";\"Rating\";\"Start Time\";\"End Time\";\"Filename\";\"Folder\";"
               "\"Description\""
            << QChar(u';');
        QTest::newRow("a spreadsheet's empty columns after")
            << "Style;Figure;Level;Stars;Start Time;End Time;Filename;Folder;Description;;;" << QChar(u';');
        QTest::newRow("the last column missing") << "A;B;C;D;Start Time;End Time;Filename;Folder" << QChar(u';');
        QTest::newRow("own titles holding the fixed words")
            << "Folder,Description;Name;Learn;Rating;Start Time;End Time;Filename;Folder;Description" << QChar(u';');
        QTest::newRow("no fixed titles") << "A;B;C;D" << QChar(u'|');
        QTest::newRow("fixed titles apart") << "Start Time;x;End Time" << QChar(u'|');
        QTest::newRow("empty") << "" << QChar(u'|');
    }
    void ofHeader()
    {
        QFETCH(QString, header);
        QFETCH(QChar, separator);
        QCOMPARE(spreadsheetSeparatorOfHeader(header, u'|'), separator);
    }

    // A file written on a machine with the other separator reads the same.
    void filesMoveBetweenLocales()
    {
        CatalogData c;
        Bookmark b;
        b.category = QStringLiteral("Salsa; cubana, rueda");
        b.name = QStringLiteral("Dile que no");
        b.learn = QStringLiteral("b");
        b.rating = QStringLiteral("7");
        b.startTime = QStringLiteral("00:01:05");
        b.endTime = QStringLiteral("00:01:29");
        b.fileName = QStringLiteral("clip 1.mp4");
        b.folder = QStringLiteral("/v/");
        b.description = QStringLiteral("1, 2; 3");
        c.bookmarks = {b};
        for (const QChar written : {u',', u';'})
            for (const QChar local : {u',', u';'}) {
                const CatalogReadResult r = CSV_ReadCatalogText(CSV_CatalogText(c, written).toUtf8(), {}, local);
                QVERIFY(r.complete);
                QCOMPARE(r.catalog, c);
            }
    }

    // The document writes what a spreadsheet in this (German) locale
    // expects, and reads a file with commas from elsewhere.
    void documentUsesTheLocalesSeparator()
    {
        QCOMPARE(QLocale::system().decimalPoint(), QStringLiteral(","));
        CatalogDocument doc;
        QCOMPARE(doc.listSeparator(), QChar(u';'));

        QTemporaryDir dir;
        CatalogData c;
        Bookmark b;
        b.name = QStringLiteral("Basic");
        b.startTime = QStringLiteral("00:00:01");
        b.endTime = QStringLiteral("00:00:05");
        c.bookmarks = {b};
        doc.model()->load(c);
        const QString path = dir.filePath(QStringLiteral("moves.csv"));
        QVERIFY(doc.WriteCatalogFile(path));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readLine(),
                 QByteArray("Category;Name;Learn;Rating;Start Time;End Time;Filename;Folder;Description\r\n"));

        QVERIFY(CSV_WriteCatalogFile(path, c, nullptr, u','));
        doc.ReadCatalogFile(path);
        QCOMPARE(doc.model()->toCatalogData(), c);
    }
};

int main(int argc, char** argv)
{
    // Qt takes the system locale from these when it first needs it.
    qputenv("LC_ALL", "de_DE.UTF-8");
    qputenv("LC_NUMERIC", "de_DE.UTF-8");
    qputenv("LANG", "de_DE.UTF-8");
    QCoreApplication app(argc, argv);
    TestSpreadsheetSeparator test;
    return QTest::qExec(&test, argc, argv);
}

#include "TestSpreadsheetSeparator.moc"
