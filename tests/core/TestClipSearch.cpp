#include "core/catalog/ClipSearch.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace ClipSearch;

class TestClipSearch : public QObject {
    Q_OBJECT

private slots:
    void findsTheNameAmongDecoys();
    void cancelStopsTheWalk();
    void nothingToSearch();
    void choice_data();
    void choice();

private:
    static void makeFile(const QString& path, int size)
    {
        QDir().mkpath(QFileInfo(path).path());
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(size, 'x'));
    }
};

void TestClipSearch::findsTheNameAmongDecoys()
{
    QTemporaryDir dir;
    const QString root = dir.path();
    makeFile(root + "/a/Lesson.AVI", 10);
    makeFile(root + "/b/c/d/lesson.avi", 20);
    makeFile(root + "/.hidden/lesson.avi", 30);
    makeFile(root + "/lesson.avi.txt", 1);
    makeFile(root + "/e/my lesson.avi", 1);
    // A folder with the clip's name is no match, but is searched.
    QVERIFY(QDir().mkpath(root + "/lesson.avi/inner"));
    makeFile(root + "/lesson.avi/inner/LESSON.avi", 40);
    // Links back up the tree: followed, they would loop for ever or list
    // the files again.
    QVERIFY(QFile::link(root, root + "/b/loop"));
    QVERIFY(QFile::link(root + "/a", root + "/b/c/to-a"));
    // A link to a file is the file.
    QVERIFY(QDir().mkpath(root + "/f"));
    QVERIFY(QFile::link(root + "/a/Lesson.AVI", root + "/f/lesson.avi"));

    std::atomic_bool cancel{false};
    int lastReported = -1;
    const Outcome outcome = searchTree(root, QStringLiteral("lesson.avi"), cancel,
                                       [&](int files, const QString&) { lastReported = files; });
    QVERIFY(!outcome.cancelled);
    QStringList found;
    for (const Match& m : outcome.matches)
        found << m.path.mid(root.size()) + u':' + QString::number(m.size);
    found.sort();
    QCOMPARE(found, (QStringList{"/.hidden/lesson.avi:30", "/a/Lesson.AVI:10", "/b/c/d/lesson.avi:20",
                                 "/f/lesson.avi:10", "/lesson.avi/inner/LESSON.avi:40"}));
    QCOMPARE(outcome.filesSearched, 7);
    QCOMPARE(lastReported, outcome.filesSearched);
}

void TestClipSearch::cancelStopsTheWalk()
{
    QTemporaryDir dir;
    for (int i = 0; i < 2000; ++i)
        makeFile(dir.path() + QStringLiteral("/f%1/clip%2.avi").arg(i / 100).arg(i), 0);
    std::atomic_bool cancel{false};
    int calls = 0;
    const Outcome outcome = searchTree(dir.path(), QStringLiteral("clip1999.avi"), cancel, [&](int, const QString&) {
        ++calls;
        cancel = true;
    });
    QVERIFY(outcome.cancelled);
    QCOMPARE(outcome.filesSearched, 256); // stopped at the first report
    QCOMPARE(calls, 2);                   // once mid-walk, once at the end
}

void TestClipSearch::nothingToSearch()
{
    QTemporaryDir dir;
    makeFile(dir.path() + "/x.avi", 1);
    std::atomic_bool cancel{false};
    QCOMPARE(searchTree(dir.path() + "/missing", QStringLiteral("x.avi"), cancel).matches.size(), 0);
    QCOMPARE(searchTree(dir.path() + "/x.avi", QStringLiteral("x.avi"), cancel).matches.size(), 0);
    QCOMPARE(searchTree(dir.path(), QString(), cancel).filesSearched, 0);
}

void TestClipSearch::choice_data()
{
    QTest::addColumn<QStringList>("matches"); // path:size
    QTest::addColumn<QString>("oldFolder");
    QTest::addColumn<qint64>("knownSize"); // -1 none
    QTest::addColumn<QString>("chosen");   // empty: none
    QTest::addColumn<bool>("bySize");

    QTest::newRow("none") << QStringList{} << "/old/" << qint64(-1) << "" << false;
    QTest::newRow("one") << QStringList{"/n/x/a.avi:5"} << "/old/" << qint64(7) << "/n/x/a.avi" << false;
    QTest::newRow("same size wins over closeness") << QStringList{"/n/salsa/a.avi:5", "/n/deep/er/a.avi:7"}
                                                   << "/old/salsa/" << qint64(7) << "/n/deep/er/a.avi" << true;
    QTest::newRow("unknown size: the moved tree's inner folders")
        << QStringList{"/n/a.avi:5", "/n/backup/a.avi:5", "/n/dance/salsa/a.avi:5"} << "/media/dance/salsa/"
        << qint64(-1) << "/n/dance/salsa/a.avi" << false;
    QTest::newRow("size known but not among them")
        << QStringList{"/n/x/a.avi:5", "/n/salsa/a.avi:6"} << "/old/salsa/" << qint64(9) << "/n/salsa/a.avi" << false;
    QTest::newRow("no shared folders: fewest folders deep")
        << QStringList{"/n/b/c/a.avi:1", "/n/z/a.avi:1", "/n/y/A.AVI:1"} << "/old/" << qint64(-1) << "/n/y/A.AVI"
        << false;
    QTest::newRow("folder names compare with their case") << QStringList{"/n/SALSA/a.avi:1", "/n/salsa/a.avi:1"}
                                                          << "/old/salsa/" << qint64(-1) << "/n/salsa/a.avi" << false;
}

void TestClipSearch::choice()
{
    QFETCH(QStringList, matches);
    QFETCH(QString, oldFolder);
    QFETCH(qint64, knownSize);
    QFETCH(QString, chosen);
    QFETCH(bool, bySize);
    QList<Match> list;
    for (const QString& m : matches)
        list.append({m.section(u':', 0, 0), m.section(u':', 1).toLongLong()});
    const std::optional<qint64> size = knownSize < 0 ? std::nullopt : std::optional<qint64>(knownSize);
    // The file system's listing order must not matter.
    for (int pass = 0; pass < 2; ++pass) {
        const auto choice = chooseMatch(list, oldFolder, size);
        QCOMPARE(choice ? choice->match.path : QString(), chosen);
        QCOMPARE(choice && choice->bySize, bySize);
        std::reverse(list.begin(), list.end());
    }
}

QTEST_GUILESS_MAIN(TestClipSearch)
#include "TestClipSearch.moc"
