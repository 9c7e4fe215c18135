// The practice log of a catalog: its lines, and the session that writes
// them as the bookmarks' passes end, through the catalog's controllers.
#include "CatalogFakes.h"
#include "FileBytes.h"
#include "WithoutRootRights.h"
#include "core/practice/PracticeLog.h"

#include <QtTest>

class TestPracticeLog : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<CatalogRig> rig;
    QDateTime now;

    QString catalogPath() const { return dir->path() + QStringLiteral("/Practice.tvc"); }
    QString logPath() const { return catalogPath() + QStringLiteral(".log.csv"); }
    PracticeTracker& practice() { return rig->controllers.practice; }
    // Two bookmarks, "Spin, left" in "Turns" and "Dip" without a category.
    void openCatalog()
    {
        rig = std::make_unique<CatalogRig>();
        practice().setClock([this] { return now; });
        CatalogData data;
        Bookmark spin;
        spin.category = QStringLiteral("Turns");
        spin.name = QStringLiteral("Spin, left");
        spin.learn = QStringLiteral("b");
        Bookmark dip;
        dip.name = QStringLiteral("Dip");
        for (Bookmark* b : {&spin, &dip}) {
            b->startTime = QStringLiteral("00:00:10");
            b->endTime = QStringLiteral("00:00:20");
            b->fileName = QStringLiteral("clip.mp4");
            b->folder = dir->path() + u'/';
            data.bookmarks.append(*b);
        }
        writeFileBytes(dir->path() + QStringLiteral("/clip.mp4"), "clip");
        rig->load(data, catalogPath());
    }
    // Bookmark `row` plays, as the catalog hands its loop to the player.
    void playBookmark(int row)
    {
        rig->controllers.playing.playSelectedBookmarkButtonClick(row);
        practice().loopStarted(LoopSource::Stored);
    }
    QList<QByteArray> logLines() const { return fileBytes(logPath()).split('\n'); }

private slots:
    void init()
    {
        dir = std::make_unique<QTemporaryDir>();
        QVERIFY(dir->isValid());
        now = QDateTime(QDate(2026, 12, 9), QTime(18, 30));
    }
    void cleanup()
    {
        rig.reset();
        dir.reset();
    }

    void lineRoundTrip_data();
    void lineRoundTrip();
    void brokenLinesAreNoEntries_data();
    void brokenLinesAreNoEntries();
    void whatCounts_data();
    void whatCounts();
    void aLinePerBookmarkPerSession();
    void changedOnDiskIsMerged();
    void unreadableLogIsNotWrittenOver();
};

void TestPracticeLog::lineRoundTrip_data()
{
    QTest::addColumn<QString>("category");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("nameRead");

    QTest::newRow("plain") << "Turns"
                           << "Spin"
                           << "Spin";
    QTest::newRow("commas") << "Turns, fast"
                            << "Spin, left, slow"
                            << "Spin, left, slow";
    QTest::newRow("quotes") << "\"Best\""
                            << "The \"hook\" turn"
                            << "The \"hook\" turn";
    QTest::newRow("quote then comma") << "a\","
                                      << "\",\""
                                      << "\",\"";
    QTest::newRow("non-ASCII") << "Gänge"
                               << "Ocho — 八"
                               << "Ocho — 八";
    QTest::newRow("line break becomes a space") << ""
                                                << "two\r\nlines"
                                                << "two  lines";
}

void TestPracticeLog::lineRoundTrip()
{
    QFETCH(QString, category);
    QFETCH(QString, name);
    QFETCH(QString, nameRead);
    PracticeEntry entry{QDateTime(QDate(2026, 12, 9), QTime(7, 5, 3)), category, name, 12, 95.5, 0.5, 1.25};
    const QString line = PracticeLog::formatLine(entry);
    QVERIFY(line.startsWith(QStringLiteral("2026-12-09T07:05:03,\"")));
    QVERIFY(line.endsWith(QStringLiteral(",12,95.5,0.50,1.25")));
    entry.name = nameRead;
    QCOMPARE(PracticeLog::parseLine(line), std::optional(entry));
    // Read back from the file's bytes, after the header.
    const QList<PracticeLogLine> lines = PracticeLog::parse(PracticeLog::compose({}, {entry}));
    QCOMPARE(lines.size(), 2);
    QCOMPARE(lines[0].bytes, PracticeLog::header().toUtf8());
    QVERIFY(!lines[0].entry);
    QCOMPARE(lines[1].entry, std::optional(entry));
}

void TestPracticeLog::brokenLinesAreNoEntries_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::newRow("too few fields") << QByteArray("2026-12-09T07:05:03,\"T\",\"N\",3,9.0,1.00");
    QTest::newRow("too many fields") << QByteArray("2026-12-09T07:05:03,\"T\",\"N\",3,9.0,1.00,1.00,x");
    QTest::newRow("no date") << QByteArray("yesterday,\"T\",\"N\",3,9.0,1.00,1.00");
    QTest::newRow("passes no number") << QByteArray("2026-12-09T07:05:03,\"T\",\"N\",three,9.0,1.00,1.00");
    QTest::newRow("negative rate") << QByteArray("2026-12-09T07:05:03,\"T\",\"N\",3,9.0,-1,1.00");
    QTest::newRow("open quote") << QByteArray("2026-12-09T07:05:03,\"T,N,3,9.0,1.00,1.00");
    QTest::newRow("not UTF-8") << QByteArray("2026-12-09T07:05:03,\"T\xE9\",\"N\",3,9.0,1.00,1.00");
}

void TestPracticeLog::brokenLinesAreNoEntries()
{
    QFETCH(QByteArray, line);
    const QByteArray bytes = "Began,Category,Name,Passes,Seconds,Slowest,Fastest\r\n" + line + "\r\n";
    const QList<PracticeLogLine> lines = PracticeLog::parse(bytes);
    QCOMPARE(lines.size(), 2);
    QCOMPARE(lines[1].bytes, line);
    QVERIFY(!lines[1].entry);
    // Written back as it was.
    QVERIFY(PracticeLog::compose(lines, {}).contains(line + '\n'));
}

void TestPracticeLog::whatCounts_data()
{
    // b: bookmark 1 is handed to the player; s: a stored loop starts; h: a
    // loop set by hand starts; r: a stored loop is refused; l: the loop is
    // left (a clip opens, the full video plays); p: a pass ends.
    QTest::addColumn<QString>("events");
    QTest::addColumn<int>("passes");
    QTest::newRow("bookmark's loop") << "bspp" << 2;
    QTest::newRow("clip opens before the bookmark's loop") << "blsp" << 1;
    QTest::newRow("loop set by hand") << "bshp" << 0;
    QTest::newRow("loop left") << "bsplp" << 1;
    QTest::newRow("stored loop of no bookmark") << "sp" << 0;
    QTest::newRow("refused bookmark, then a stored loop") << "brsp" << 0;
    QTest::newRow("bookmark again after a loop by hand") << "bshpbsp" << 1;
}

void TestPracticeLog::whatCounts()
{
    QFETCH(QString, events);
    QFETCH(int, passes);
    openCatalog();
    for (QChar e : events) {
        switch (e.unicode()) {
        case 'b':
            rig->controllers.playing.playSelectedBookmarkButtonClick(1);
            break;
        case 's':
            practice().loopStarted(LoopSource::Stored);
            break;
        case 'h':
            practice().loopStarted(LoopSource::ByHand);
            break;
        case 'r':
            practice().loopRefused(LoopSource::Stored);
            break;
        case 'l':
            practice().loopLeft();
            break;
        case 'p':
            practice().passEnded(1.0, 10.0);
            break;
        }
    }
    QCOMPARE(practice().historyOfRow(1).passes, passes);
    QCOMPARE(QFile::exists(logPath()), passes > 0);
}

void TestPracticeLog::aLinePerBookmarkPerSession()
{
    // A log of an earlier session, with a line of a newer program and a
    // damaged one, which stay as they are.
    const QByteArray earlier = "Began,Category,Name,Passes,Seconds,Slowest,Fastest\r\n"
                               "2026-12-02T20:00:00,\"Turns\",\"Spin, left\",5,50.0,1.00,1.00\r\n"
                               "2026-12-03T20:00:00,\"Turns\",\"Spin, left\",4,40.0,1.00,1.00,extra\r\n"
                               "2026-12-0";
    QVERIFY(writeFileBytes(logPath(), earlier));
    openCatalog();
    QCOMPARE(practice().describeRow(1), QStringLiteral("Last practised 2 Dec 2026, 1 session, 5 passes"));
    QCOMPARE(practice().describeRow(2), QStringLiteral("Not practised yet"));
    QSignalSpy practiceChanged(&rig->document, &CatalogDocument::practiceChanged);

    playBookmark(1);
    practice().passEnded(0.75, 12.0);
    const QByteArray first = "2026-12-09T18:29:48,\"Turns\",\"Spin, left\",1,12.0,0.75,0.75";
    // The lines read are kept (their line breaks written as LF).
    const QByteArray kept = QByteArray(earlier).replace("\r\n", "\n") + '\n';
    QCOMPARE(fileBytes(logPath()), kept + first + '\n');
    // The session's line is rewritten after each pass; the next bookmark
    // gets its own.
    now = now.addSecs(30);
    practice().passEnded(1.25, 8.0);
    playBookmark(2);
    practice().passEnded(1.0, 5.0);
    const QList<QByteArray> lines = logLines();
    QCOMPARE(lines.size(), 7);
    QCOMPARE(lines.mid(0, 4), kept.split('\n').mid(0, 4));
    QCOMPARE(lines[4], QByteArray("2026-12-09T18:29:48,\"Turns\",\"Spin, left\",2,20.0,0.75,1.25"));
    QCOMPARE(lines[5], QByteArray("2026-12-09T18:30:25,\"\",\"Dip\",1,5.0,1.00,1.00"));
    QCOMPARE(practiceChanged.count(), 3);
    QCOMPARE(practice().describeRow(1), QStringLiteral("Last practised 9 Dec 2026, 2 sessions, 7 passes"));
    QVERIFY(!rig->document.CatalogModified());

    // A new session of the catalog adds lines; the old ones stay.
    openCatalog();
    playBookmark(2);
    practice().passEnded(1.0, 5.0);
    QCOMPARE(logLines().size(), 8);
    QCOMPARE(practice().historyOfRow(2), (PracticeHistory{2, 2, 1, QDate(2026, 12, 9)}));
}

void TestPracticeLog::changedOnDiskIsMerged()
{
    openCatalog();
    QSignalSpy problems(&practice(), &PracticeTracker::statusMessage);
    playBookmark(1);
    practice().passEnded(1.0, 10.0);
    // Another program adds a line of its own meanwhile.
    const QByteArray theirs = "2026-12-09T17:00:00,\"Walks\",\"Box\",3,30.0,1.00,1.00";
    QVERIFY(writeFileBytes(logPath(), fileBytes(logPath()) + theirs + "\n"));
    practice().passEnded(1.0, 10.0);
    const QList<QByteArray> lines = logLines();
    QCOMPARE(lines, (QList<QByteArray>{PracticeLog::header().toUtf8(), theirs,
                                       "2026-12-09T18:29:50,\"Turns\",\"Spin, left\",2,20.0,1.00,1.00", ""}));
    QCOMPARE(problems.count(), 1);
    QVERIFY(problems[0][0].toString().contains(QStringLiteral("changed on disk")));
}

void TestPracticeLog::unreadableLogIsNotWrittenOver()
{
    const QByteArray bytes = "Began,Category,Name,Passes,Seconds,Slowest,Fastest\n";
    QVERIFY(writeFileBytes(logPath(), bytes));
    QVERIFY(QFile::setPermissions(logPath(), QFile::WriteOwner | QFile::WriteOther));
    QVERIFY(QFile::setPermissions(dir->path(), QFile::Permissions(0x7777)));
    {
        WithoutRootRights unprivileged;
        QVERIFY(unprivileged.ok());
        openCatalog();
        QSignalSpy problems(&practice(), &PracticeTracker::statusMessage);
        playBookmark(1);
        practice().passEnded(1.0, 10.0);
        QCOMPARE(problems.count(), 1);
        QVERIFY(problems[0][0].toString().contains(QStringLiteral("not written over")));
        // The practice itself goes on.
        QCOMPARE(practice().historyOfRow(1).passes, 1);
        rig.reset();
    }
    QCOMPARE(fileBytes(logPath()), bytes);
}

QTEST_GUILESS_MAIN(TestPracticeLog)
#include "TestPracticeLog.moc"
