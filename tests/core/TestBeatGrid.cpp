// The beat grid as a dancer uses it: nearest beat, stepping, n-count loops,
// the count at a moment; and what the finder keeps in its cache file.
#include "core/beats/BeatCache.h"
#include "core/beats/BeatGrid.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

using beats::BeatCache;
using beats::BeatCacheKey;
using beats::BeatCount;
using beats::BeatGrid;
using beats::BeatLevel;
using beats::KeptBeats;

namespace {

// 120 beats a minute from 0.25 s: 0.25, 0.75, 1.25, ...
BeatGrid steady(int count, double first = 0.25, double period = 0.5)
{
    QList<double> beats;
    for (int i = 0; i < count; ++i)
        beats.append(first + i * period);
    return BeatGrid(beats);
}

} // namespace

class TestBeatGrid : public QObject {
    Q_OBJECT

private slots:
    void nearest_data();
    void nearest();
    void emptyGridAnswersNothing();
    void unsortedBeatsAreSorted();
    void step_data();
    void step();
    void countLoop_data();
    void countLoop();
    void countAt_data();
    void countAt();
    void loopCounts();

    void atLevel_data();
    void atLevel();
    void cacheRoundTrip();
    void cacheRefusesOtherKeyOrDamage_data();
    void cacheRefusesOtherKeyOrDamage();
    void cacheFollowsTheClipFile();
};

void TestBeatGrid::nearest_data()
{
    QTest::addColumn<double>("at");
    QTest::addColumn<double>("beat");
    QTest::newRow("before the first") << 0.0 << 0.25;
    QTest::newRow("on a beat") << 1.25 << 1.25;
    QTest::newRow("just after") << 1.3 << 1.25;
    QTest::newRow("just before") << 1.7 << 1.75;
    QTest::newRow("halfway goes later") << 1.5 << 1.75;
    QTest::newRow("after the last") << 100.0 << 4.75;
}

void TestBeatGrid::nearest()
{
    QFETCH(double, at);
    QFETCH(double, beat);
    const auto found = steady(10).nearest(at);
    QVERIFY(found);
    QCOMPARE(*found, beat);
}

void TestBeatGrid::emptyGridAnswersNothing()
{
    const BeatGrid none;
    QCOMPARE(none.nearestIndex(3.0), -1);
    QVERIFY(!none.nearest(3.0));
    QVERIFY(!none.stepFrom(3.0, 1));
    QVERIFY(!none.countLoop(3.0, 8, 60.0));
    QCOMPARE(none.countAt(3.0, 0.0, 8), 0);
}

void TestBeatGrid::unsortedBeatsAreSorted()
{
    const BeatGrid grid({2.0, 0.5, 1.0, std::nan("")});
    QCOMPARE(grid.times(), (QList<double>{0.5, 1.0, 2.0}));
}

void TestBeatGrid::step_data()
{
    QTest::addColumn<double>("at");
    QTest::addColumn<int>("steps");
    QTest::addColumn<double>("beat"); // -1: none
    QTest::newRow("on a beat, next") << 1.25 << 1 << 1.75;
    QTest::newRow("on a beat, previous") << 1.25 << -1 << 0.75;
    QTest::newRow("a hair after a beat, previous") << 1.2505 << -1 << 0.75;
    QTest::newRow("between, next") << 1.4 << 1 << 1.75;
    QTest::newRow("between, previous") << 1.4 << -1 << 1.25;
    QTest::newRow("eight on") << 0.25 << 8 << 4.25;
    QTest::newRow("eight back") << 4.25 << -8 << 0.25;
    QTest::newRow("nothing after the last") << 4.75 << 1 << -1.0;
    QTest::newRow("nothing before the first") << 0.25 << -1 << -1.0;
    QTest::newRow("too far") << 0.25 << 10 << -1.0;
}

void TestBeatGrid::step()
{
    QFETCH(double, at);
    QFETCH(int, steps);
    QFETCH(double, beat);
    const auto found = steady(10).stepFrom(at, steps);
    if (beat < 0) {
        QVERIFY(!found);
        return;
    }
    QVERIFY(found);
    QCOMPARE(*found, beat);
}

void TestBeatGrid::countLoop_data()
{
    QTest::addColumn<double>("at");
    QTest::addColumn<int>("count");
    QTest::addColumn<double>("duration");
    QTest::addColumn<double>("start"); // -1: none
    QTest::addColumn<double>("end");
    // 20 beats, 0.25 to 9.75.
    QTest::newRow("eight from the beat nearest") << 1.3 << 8 << 20.0 << 1.25 << 5.25;
    QTest::newRow("four") << 1.3 << 4 << 20.0 << 1.25 << 3.25;
    QTest::newRow("ends on the last beat") << 5.75 << 8 << 20.0 << 5.75 << 9.75;
    QTest::newRow("one period past the last beat") << 6.25 << 8 << 20.0 << 6.25 << 10.25;
    QTest::newRow("... unless past the clip's end") << 6.25 << 8 << 10.0 << -1.0 << 0.0;
    QTest::newRow("too few beats left") << 7.25 << 8 << 20.0 << -1.0 << 0.0;
    QTest::newRow("thirty-two: longer than the grid") << 0.0 << 32 << 20.0 << -1.0 << 0.0;
}

void TestBeatGrid::countLoop()
{
    QFETCH(double, at);
    QFETCH(int, count);
    QFETCH(double, duration);
    QFETCH(double, start);
    QFETCH(double, end);
    const auto loop = steady(20).countLoop(at, count, duration);
    if (start < 0) {
        QVERIFY(!loop);
        return;
    }
    QVERIFY(loop);
    QCOMPARE(loop->start, start);
    QCOMPARE(loop->end, end);
}

void TestBeatGrid::countAt_data()
{
    QTest::addColumn<double>("at");
    QTest::addColumn<double>("oneAt");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("shown");
    QTest::newRow("before the first beat") << 0.1 << 0.25 << 8 << 0;
    QTest::newRow("on the one") << 0.25 << 0.25 << 8 << 1;
    QTest::newRow("a hair before the one shows it") << 0.249 << 0.25 << 8 << 1;
    QTest::newRow("between one and two") << 0.5 << 0.25 << 8 << 1;
    QTest::newRow("eight") << 3.8 << 0.25 << 8 << 8;
    QTest::newRow("wraps to one") << 4.25 << 0.25 << 8 << 1;
    QTest::newRow("one at a loop's start") << 2.25 << 2.3 << 8 << 1;
    QTest::newRow("before the loop's one counts back") << 1.75 << 2.25 << 8 << 8;
    QTest::newRow("count of four") << 2.25 << 0.25 << 4 << 1;
    QTest::newRow("within a period after the last") << 10.1 << 0.25 << 8 << 4;
    QTest::newRow("long after the last") << 11.0 << 0.25 << 8 << 0;
}

void TestBeatGrid::countAt()
{
    QFETCH(double, at);
    QFETCH(double, oneAt);
    QFETCH(int, count);
    QFETCH(int, shown);
    QCOMPARE(steady(20).countAt(at, oneAt, count), shown);
}

void TestBeatGrid::loopCounts()
{
    for (int count : {4, 8, 16, 32})
        QCOMPARE(beats::beatLoopCountOrDefault(count), count);
    for (int count : {0, 1, 7, 64, -8})
        QCOMPARE(beats::beatLoopCountOrDefault(count), 8);
}

void TestBeatGrid::atLevel_data()
{
    QTest::addColumn<QList<double>>("found");
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("one");
    QTest::addColumn<QList<double>>("counted");
    QTest::addColumn<double>("oneAt");
    const QList<double> steady{0.0, 0.5, 1.0, 1.5, 2.0};
    const int asFound = int(BeatLevel::AsFound), twice = int(BeatLevel::Twice), half = int(BeatLevel::Half);
    QTest::newRow("as found") << steady << asFound << 1 << steady << 0.5;
    QTest::newRow("twice") << steady << twice << 0 << QList<double>{0, 0.25, 0.5, 0.75, 1, 1.25, 1.5, 1.75, 2} << 0.0;
    QTest::newRow("twice, the 1 later") << steady << twice << 3
                                        << QList<double>{0, 0.25, 0.5, 0.75, 1, 1.25, 1.5, 1.75, 2} << 1.5;
    QTest::newRow("half from the first") << steady << half << 0 << QList<double>{0, 1, 2} << 0.0;
    QTest::newRow("half keeps the 1") << steady << half << 3 << QList<double>{0.5, 1.5} << 1.5;
    // Beats eight apart are the same count: a "1" past the first eight
    // keeps its own beat.
    QList<double> long_;
    for (int i = 0; i < 20; ++i)
        long_ << 0.5 * i;
    QList<double> odd;
    for (int i = 1; i < 20; i += 2)
        odd << 0.5 * i;
    QTest::newRow("half, a 1 past eight") << long_ << half << 11 << odd << 5.5;
    // No beat is made up across a stretch where the music had none.
    const QList<double> gap{0.0, 0.5, 1.0, 5.0, 5.5, 6.0};
    QTest::newRow("twice, not across a gap")
        << gap << twice << 0 << QList<double>{0, 0.25, 0.5, 0.75, 1, 5, 5.25, 5.5, 5.75, 6} << 0.0;
    QTest::newRow("twice, none") << QList<double>{} << twice << 0 << QList<double>{} << -1.0;
    QTest::newRow("half, one beat") << QList<double>{3.0} << half << 0 << QList<double>{3.0} << 3.0;
}

void TestBeatGrid::atLevel()
{
    QFETCH(QList<double>, found);
    QFETCH(int, level);
    QFETCH(int, one);
    QFETCH(QList<double>, counted);
    QFETCH(double, oneAt);
    const BeatGrid grid = BeatGrid::atLevel(found, BeatLevel(level), one);
    QCOMPARE(grid.times(), counted);
    QCOMPARE(grid.isEmpty() ? -1.0 : grid.times()[grid.one()], oneAt);
}

void TestBeatGrid::cacheRoundTrip()
{
    const BeatCacheKey key{375432, 1702147200123};
    const KeptBeats kept{{0.0, 0.5, 1.0049, 1.5}, {BeatLevel::AsFound, 3}};
    const QByteArray text = beats::writeBeatCache(key, kept);
    QCOMPARE(text, QByteArray("Tempoloop beats 2\nSize: 375432\nModified: 1702147200123\nOne: 3\nBeats: 4\n"
                              "0.0000\n0.5000\n1.0049\n1.5000\n"));
    const auto read = beats::readBeatCache(text, key);
    QVERIFY(read);
    QCOMPARE(*read, kept);
    QCOMPARE(read->counted(), BeatGrid(kept.found, 3));

    // Counted at another level: the beats are kept as found, with the
    // level beside the "1".
    for (const auto& [level, word] : {std::pair{BeatLevel::Twice, "twice"}, std::pair{BeatLevel::Half, "half"}}) {
        const KeptBeats other{kept.found, {level, 1}};
        const QByteArray written = beats::writeBeatCache(key, other);
        QVERIFY2(written.contains(QByteArray("\nOne: 1\nLevel: ") + word + "\nBeats: 4\n"), written.constData());
        QCOMPARE(beats::readBeatCache(written, key), std::optional(other));
    }

    // A clip without beats is kept too, so it is not searched again.
    const auto none = beats::readBeatCache(beats::writeBeatCache(key, KeptBeats()), key);
    QVERIFY(none);
    QVERIFY(none->found.isEmpty());
}

void TestBeatGrid::cacheRefusesOtherKeyOrDamage_data()
{
    QTest::addColumn<QByteArray>("text");
    const QByteArray good = "Tempoloop beats 2\nSize: 10\nModified: 20\nOne: 1\nBeats: 2\n0.5\n1.0\n";
    QTest::newRow("good") << good;
    QTest::newRow("other size") << QByteArray(good).replace("Size: 10", "Size: 11");
    QTest::newRow("other time") << QByteArray(good).replace("Modified: 20", "Modified: 21");
    QTest::newRow("older finder") << QByteArray(good).replace("beats 2", "beats 1");
    QTest::newRow("no one") << QByteArray(good).replace("One: 1\n", "");
    QTest::newRow("one past the count") << QByteArray(good).replace("One: 1", "One: 8");
    QTest::newRow("count too high") << QByteArray(good).replace("Beats: 2", "Beats: 3");
    QTest::newRow("cut short") << good.left(good.size() - 4);
    QTest::newRow("not a number") << QByteArray(good).replace("1.0", "1,0");
    QTest::newRow("out of order") << QByteArray(good).replace("0.5\n1.0", "1.0\n0.5");
    QTest::newRow("negative") << QByteArray(good).replace("0.5", "-0.5");
    QTest::newRow("good, twice") << QByteArray(good).replace("One: 1\n", "One: 1\nLevel: twice\n");
    QTest::newRow("good, half") << QByteArray(good).replace("One: 1\n", "One: 1\nLevel: half\n");
    QTest::newRow("unknown level") << QByteArray(good).replace("One: 1\n", "One: 1\nLevel: thrice\n");
    QTest::newRow("level, no count") << QByteArray("Tempoloop beats 2\nSize: 10\nModified: 20\nOne: 1\nLevel: half\n");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("binary") << QByteArray("\0\1\2\3", 4);
}

void TestBeatGrid::cacheRefusesOtherKeyOrDamage()
{
    QFETCH(QByteArray, text);
    const bool good = QByteArray(QTest::currentDataTag()).startsWith("good");
    QCOMPARE(bool(beats::readBeatCache(text, BeatCacheKey{10, 20})), good);
}

// A clip that changes (size or modification time) no longer matches its
// cache file; the file is named after the clip's path.
void TestBeatGrid::cacheFollowsTheClipFile()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString clip = dir.filePath(QStringLiteral("clip one.mp4"));
    {
        QFile f(clip);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("sound");
    }
    const BeatCache cache(dir.filePath(QStringLiteral("cache/beats")));
    QVERIFY(!cache.load(clip));
    const KeptBeats grid{{0.5, 1.0, 1.5}};
    QVERIFY(cache.store(clip, BeatCacheKey::of(QFileInfo(clip)), grid));
    QVERIFY(QFileInfo::exists(cache.fileFor(clip)));
    QCOMPARE(cache.load(clip).value_or(KeptBeats()), grid);
    QVERIFY(cache.fileFor(clip) != cache.fileFor(dir.filePath(QStringLiteral("clip two.mp4"))));
    // Counted another way: kept with the same beats.
    const BeatCount count{BeatLevel::Half, 2};
    QVERIFY(cache.storeCount(clip, count));
    QCOMPARE(cache.load(clip).value_or(KeptBeats()).count, count);
    QCOMPARE(cache.load(clip).value_or(KeptBeats()).found, grid.found);
    QVERIFY(!cache.storeCount(dir.filePath(QStringLiteral("clip two.mp4")), count));

    // Same size, another modification time.
    {
        QFile f(clip);
        QVERIFY(f.open(QIODevice::ReadWrite));
        QVERIFY(f.setFileTime(QDateTime::currentDateTimeUtc().addSecs(-3600), QFileDevice::FileModificationTime));
    }
    QVERIFY(!cache.load(clip));
    QVERIFY(cache.store(clip, BeatCacheKey::of(QFileInfo(clip)), grid));
    QVERIFY(cache.load(clip));
    // Another size.
    {
        QFile f(clip);
        QVERIFY(f.open(QIODevice::Append));
        f.write("more");
    }
    QVERIFY(!cache.load(clip));
    // A clip that is gone has no beats kept.
    QFile::remove(clip);
    QVERIFY(!cache.load(clip));
}

QTEST_GUILESS_MAIN(TestBeatGrid)
#include "TestBeatGrid.moc"
