// Bookmarks whose loop points carry milliseconds, in every form a bookmark
// is stored or passed on: the ".tvc" and ".csv" files, the catalog's checks
// and the Bookmark Command Line. A bookmark of whole seconds is written
// exactly as it always was; one with a fraction carries "hh:mm:ss.mmm",
// which a reader of whole seconds only refuses as a bad time.
#include "core/base/TimeCode.h"
#include "core/catalog/BookmarkChecks.h"
#include "core/catalog/CatalogDocument.h"
#include "core/catalog/CatalogFiles.h"
#include "core/cmdline/BookmarkCommandLine.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace BookmarkColumn;

namespace {

Bookmark bookmark(const QString& start, const QString& end, const QString& name)
{
    Bookmark b;
    b.category = QStringLiteral("Salsa");
    b.name = name;
    b.learn = QStringLiteral("b");
    b.rating = QStringLiteral("7");
    b.startTime = start;
    b.endTime = end;
    b.fileName = QStringLiteral("clip 1.mp4");
    b.folder = QStringLiteral("/home/user/Video Clips/");
    b.description = QStringLiteral("on the one");
    return b;
}

CatalogData catalogOf(const QList<Bookmark>& bookmarks)
{
    CatalogData c;
    c.bookmarks = bookmarks;
    return c;
}

QByteArray contents(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

bool write(const QString& format, const QString& path, const CatalogData& c)
{
    QString error;
    return format == u"tvc" ? TVC_WriteCatalogFile(path, c, &error) : CSV_WriteCatalogFile(path, c, &error);
}

CatalogReadResult read(const QString& format, const QString& path)
{
    return format == u"tvc" ? TVC_ReadCatalogFile(path, CatalogData{}) : CSV_ReadCatalogFile(path, CatalogData{});
}

} // namespace

class TestFractionalBookmarks : public QObject {
    Q_OBJECT

private slots:
    void formats_data()
    {
        QTest::addColumn<QString>("format");
        QTest::newRow("tvc") << "tvc";
        QTest::newRow("csv") << "csv";
    }

    // Whole seconds: the file is the same as a catalog without any
    // fractional bookmark gives, line for line; nothing gains a fraction.
    void wholeSecondsWrittenAsBefore_data() { formats_data(); }
    void wholeSecondsWrittenAsBefore()
    {
        QFETCH(QString, format);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("whole.") + format);
        const CatalogData whole = catalogOf({bookmark(QStringLiteral("00:01:05"), QStringLiteral("00:01:29"), "a"),
                                             bookmark(QStringLiteral("00:02:00"), QStringLiteral("--:--:--"), "b")});
        QVERIFY(write(format, path, whole));
        const QByteArray bytes = contents(path);
        QVERIFY(bytes.contains("00:01:05"));
        QVERIFY(!bytes.contains("00:01:05."));
        QVERIFY(!bytes.contains(".000"));
        // Read and written back: the same bytes.
        const CatalogReadResult back = read(format, path);
        QVERIFY2(back.message.isEmpty(), qPrintable(back.message));
        QCOMPARE(back.catalog.bookmarks, whole.bookmarks);
        const QString again = dir.filePath(QStringLiteral("again.") + format);
        QVERIFY(write(format, again, back.catalog));
        QCOMPARE(contents(again), bytes);
    }

    // A catalog mixing both: every time comes back as it was, and the
    // file written again is the same, byte for byte.
    void fractionsRoundTrip_data() { formats_data(); }
    void fractionsRoundTrip()
    {
        QFETCH(QString, format);
        QTemporaryDir dir;
        const Bookmark whole = bookmark(QStringLiteral("00:01:05"), QStringLiteral("00:01:29"), "whole");
        const Bookmark precise = bookmark(QStringLiteral("00:00:02.033"), QStringLiteral("00:00:05.967"), "precise");
        const Bookmark openEnd = bookmark(QStringLiteral("01:02:03.500"), QStringLiteral("--:--:--"), "open");
        const QString path = dir.filePath(QStringLiteral("mixed.") + format);
        QVERIFY(write(format, path, catalogOf({whole, precise, openEnd})));
        const QByteArray bytes = contents(path);
        QVERIFY(bytes.contains("00:00:02.033"));
        QVERIFY(bytes.contains("00:00:05.967"));
        QVERIFY(bytes.contains("01:02:03.500"));

        const CatalogReadResult back = read(format, path);
        QVERIFY2(back.message.isEmpty(), qPrintable(back.message));
        QCOMPARE(back.catalog.bookmarks, (QList<Bookmark>{whole, precise, openEnd}));
        const QString again = dir.filePath(QStringLiteral("again.") + format);
        QVERIFY(write(format, again, back.catalog));
        QCOMPARE(contents(again), bytes);
    }

    // The catalog's checks: a fraction plays and may be typed into a cell;
    // a fraction of another length, or a comma, is a bad time.
    void catalogChecks_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("end");
        QTest::addColumn<bool>("plays");
        QTest::newRow("both with fractions") << "00:00:02.033"
                                             << "00:00:05.967" << true;
        QTest::newRow("fraction to the end") << "00:00:02.500"
                                             << "--:--:--" << true;
        QTest::newRow("whole seconds") << "00:00:02"
                                       << "00:00:05" << true;
        QTest::newRow("two digits") << "00:00:02.03"
                                    << "00:00:05" << false;
        QTest::newRow("comma") << "00:00:02,033"
                               << "00:00:05" << false;
        QTest::newRow("fraction on the no-time mark") << "00:00:02"
                                                      << "--:--:--.000" << false;
    }
    void catalogChecks()
    {
        QFETCH(QString, start);
        QFETCH(QString, end);
        QFETCH(bool, plays);
        QTemporaryDir dir;
        QFile clip(dir.filePath(QStringLiteral("c.mp4")));
        QVERIFY(clip.open(QIODevice::WriteOnly));
        clip.close();
        CatalogDocument doc;
        doc.setCells(StartTime, 1, start);
        doc.setCells(EndTime, 1, end);
        doc.setCells(Folder, 1, dir.path() + u'/');
        doc.setCells(Filename, 1, QStringLiteral("c.mp4"));
        QCOMPARE(BookmarkChecks::playMessage(doc, 1).isEmpty(), plays);
        const bool startOk = BookmarkChecks::cellValueMessage(doc, StartTime, 1, start).isEmpty();
        const bool endOk = BookmarkChecks::cellValueMessage(doc, EndTime, 1, end).isEmpty();
        QCOMPARE(startOk && endOk, plays);
        if (plays) {
            // What the loop boxes are given: nine digits for a fraction.
            QCOMPARE(determineMillisecondsFromColonString(removeColonsFromString(start)) % 1000,
                     qint64(start.size() == 12 ? start.right(3).toInt() : 0));
        }
    }

    // A reader that knows only whole seconds (the check every earlier
    // version makes) refuses a fractional time rather than reading another
    // time from its first eight characters.
    void wholeSecondReaderRefusesAFraction_data()
    {
        QTest::addColumn<QString>("time");
        QTest::newRow("start") << "00:00:02.033";
        QTest::newRow("hours") << "01:02:03.500";
    }
    void wholeSecondReaderRefusesAFraction()
    {
        QFETCH(QString, time);
        QVERIFY(!validateTimeCode(time));
        QVERIFY(validatePreciseTimeCode(time));
        // Its first eight characters alone would have been a valid time.
        QVERIFY(validateTimeCode(time.left(8)));
    }

    // Bookmark Command Lines carry the fraction both ways.
    void commandLines_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("error");
        QTest::addColumn<QString>("startDigits");
        QTest::addColumn<QString>("endDigits");
        using E = CommandLineError;
        QTest::newRow("fractions") << "00:01:05.250   00:01:29.500   \"clip 1.mp4\"   \"%D\"" << int(E::None)
                                   << "000105250"
                                   << "000129500";
        QTest::newRow("fraction to the end")
            << "00:00:02.033   --:--:--   \"clip 1.mp4\"   \"%D\"" << int(E::None) << "000002033"
            << "";
        QTest::newRow("whole seconds as before")
            << "00:01:05   00:01:29   \"clip 1.mp4\"   \"%D\"" << int(E::None) << "000105"
            << "000129";
        QTest::newRow("start with two digits")
            << "00:01:05.25   00:01:29   \"clip 1.mp4\"   \"%D\"" << int(E::BadStartTime) << ""
            << "";
        QTest::newRow("end with four digits")
            << "00:01:05   00:01:29.5000   \"clip 1.mp4\"   \"%D\"" << int(E::BadEndTime) << ""
            << "";
    }
    void commandLines()
    {
        QFETCH(QString, line);
        QFETCH(int, error);
        QFETCH(QString, startDigits);
        QFETCH(QString, endDigits);
        QTemporaryDir dir;
        QFile clip(dir.filePath(QStringLiteral("clip 1.mp4")));
        QVERIFY(clip.open(QIODevice::WriteOnly));
        clip.close();
        line.replace(QStringLiteral("%D"), dir.path() + u'/');
        const CommandLineCheck check = checkBookmarkCommandLine(line);
        QCOMPARE(int(check.error), error);
        if (!check.ok())
            return;
        QCOMPARE(check.startDigits(), startDigits);
        QCOMPARE(check.endDigits(), endDigits);
        // The line made from the stored times is the line read.
        const QString start = insertColonsIntoString(startDigits);
        const QString end = insertColonsIntoString(endDigits);
        QCOMPARE(canonicalCommandLine({start, end, QStringLiteral("clip 1.mp4"), dir.path() + u'/'}), line);
    }
};

QTEST_GUILESS_MAIN(TestFractionalBookmarks)
#include "TestFractionalBookmarks.moc"
