// The beat finder on real sound, through aubio: the demo clip's known beat,
// a generated click track under speech-like noise with a tempo change,
// excerpts of songs rendered from MIDI by a General MIDI synthesiser (the
// MIDI's tempo map their truth), clips without a beat, the cache, calling a
// search off, and the reader that opens local files only.
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "BeatTruth.h"
#include "core/beats/BeatCache.h"
#include "gui/beats/BeatFinder.h"

#include <arpa/inet.h>
#include <cmath>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

const QString kClips = QStringLiteral(TEMPOLOOP_TEST_DATA "/clips/");
const QString kScripts = QStringLiteral(TEMPOLOOP_TEST_DATA "/../../scripts/");

// The demo clip counts at 120 beats a minute from its first frame.
QList<double> demoBeats()
{
    QList<double> beats;
    for (int i = 0; i < 40; ++i)
        beats.append(i * 0.5);
    return beats;
}

using BeatTruth::distanceToNearest;

} // namespace

class TestBeatFinder : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void demoClipBeatsWithin20ms();
    void clickTrackUnderSpeechWithTempoChange();
    void recordedMusic_data();
    void recordedMusic();
    void aPlaylistFetchesNothing();
    void aCancelEndsTheSearchWithinASecond();
    void noBeat_data();
    void noBeat();
    void cacheIsUsedUntilTheClipChanges();
    void anotherClipCallsTheSearchOff();

private:
    // Finds the beats of a clip; a single negative "beat" when none came back
    // within a minute (-1) or for another clip (-2).
    QList<double> find(BeatFinder& finder, const QString& clip, bool* fromCache = nullptr, int* ticks = nullptr);
    QString copyOfDemo(const QString& name);

    QTemporaryDir m_dir;
    QString m_clickClip;
};

void TestBeatFinder::initTestCase()
{
    QVERIFY(m_dir.isValid());
    // 40 s of clicks, 120 beats a minute, then 100 from 20 s on, under a
    // voice at half the clicks' peak; sound only (quick to make).
    m_clickClip = m_dir.filePath(QStringLiteral("clicks.m4a"));
    QProcess make;
    make.start(QStringLiteral("sh"),
               {kScripts + QStringLiteral("make-beat-clip.sh"), m_clickClip, QStringLiteral("40"),
                QStringLiteral("120"), QStringLiteral("100"), QStringLiteral("0.5"), QStringLiteral("none")});
    QVERIFY(make.waitForFinished(120000));
    QVERIFY2(make.exitCode() == 0, make.readAllStandardError().constData());
    QVERIFY(QFileInfo(m_clickClip).size() > 0);
}

QList<double> TestBeatFinder::find(BeatFinder& finder, const QString& clip, bool* fromCache, int* ticks)
{
    QSignalSpy found(&finder, &BeatFinder::beatsFound);
    // The interface thread goes on answering while the beats are found.
    QTimer tick;
    int count = 0;
    connect(&tick, &QTimer::timeout, this, [&count] { ++count; });
    tick.start(5);
    finder.find(clip);
    if (!found.wait(60000) || found.isEmpty())
        return {-1.0};
    if (ticks)
        *ticks = count;
    const QList<QVariant> args = found.takeFirst();
    if (args.at(0).toString() != clip)
        return {-2.0};
    if (fromCache)
        *fromCache = args.at(3).toBool();
    return args.at(1).value<QList<double>>();
}

QString TestBeatFinder::copyOfDemo(const QString& name)
{
    const QString copy = m_dir.filePath(name);
    QFile::remove(copy);
    QFile::copy(QStringLiteral(TEMPOLOOP_DEMO_CLIP), copy);
    return copy;
}

void TestBeatFinder::demoClipBeatsWithin20ms()
{
    BeatFinder finder(QString{});
    int ticks = 0;
    const QList<double> found = find(finder, QStringLiteral(TEMPOLOOP_DEMO_CLIP), nullptr, &ticks);
    const QList<double> truth = demoBeats();
    QVERIFY2(ticks > 0, "the interface thread did not run while the beats were found");
    for (double t : found)
        QVERIFY2(distanceToNearest(t, truth) <= 0.020, qPrintable(QStringLiteral("beat at %1").arg(t)));
    for (double t : truth)
        QVERIFY2(distanceToNearest(t, found) <= 0.020, qPrintable(QStringLiteral("missed %1").arg(t)));
}

// Once the tracker has settled (after the first 4 s, and 4 s after the
// tempo changes) every beat found lies within 30 ms of a click and every
// click has its beat. While it settles, a beat or two may be off.
void TestBeatFinder::clickTrackUnderSpeechWithTempoChange()
{
    const QList<double> truth = BeatTruth::read(m_clickClip + QStringLiteral(".truth"));
    QCOMPARE(truth.size(), 40 + 34);
    const auto settling = [](double t) { return BeatTruth::settling(t, 20.0); };

    BeatFinder finder(QString{});
    const QList<double> found = find(finder, m_clickClip);
    QVERIFY(found.size() > 40);
    int offWhileSettling = 0;
    for (double t : found) {
        const bool off = distanceToNearest(t, truth) > 0.030;
        if (settling(t))
            offWhileSettling += off ? 1 : 0;
        else
            QVERIFY2(!off, qPrintable(QStringLiteral("beat at %1").arg(t)));
    }
    QVERIFY2(offWhileSettling <= 2, qPrintable(QString::number(offWhileSettling)));
    for (double t : truth) {
        if (!settling(t))
            QVERIFY2(distanceToNearest(t, found) <= 0.030, qPrintable(QStringLiteral("missed %1").arg(t)));
    }
}

// Excerpts of the generated songs (scripts/make-song.sh): beats on the
// beat, at the tempo of the truth in each of its stretches (not half,
// double or two thirds of it), and through the stretch named, where a
// tracker tends to lose them.
void TestBeatFinder::recordedMusic_data()
{
    QTest::addColumn<QString>("clip");
    QTest::addColumn<double>("from");
    QTest::addColumn<double>("to");
    const QString songs = QStringLiteral(TEMPOLOOP_TEST_DATA "/songs/");
    // Hip-hop at 92 with swung sixteenths: not twice as fast.
    QTest::newRow("tempo octave") << songs + QStringLiteral("hip_hop_octave.ogg") << 4.0 << 20.0;
    // Bachata's bongo and guitar between the beats: on the beat.
    QTest::newRow("off-beat phase") << songs + QStringLiteral("bachata_phase.ogg") << 4.0 << 20.0;
    // Funk whose drums stop for eight bars (7.4 s to 24.6 s).
    QTest::newRow("break without drums") << songs + QStringLiteral("funk_break.ogg") << 7.4 << 24.6;
    // 100 beats a minute, then 126 from 12.8 s.
    QTest::newRow("tempo change") << songs + QStringLiteral("tempo_change.ogg") << 12.8 << 26.0;
    // Eight bars of soft piano before the band (0 s to 18.4 s).
    QTest::newRow("quiet intro") << songs + QStringLiteral("quiet_intro.ogg") << 0.0 << 18.4;
    // Hip-hop under a teacher's voice as loud as the music, phrase after
    // phrase: the beats go on under the voice.
    QTest::newRow("a voice over the beat") << songs + QStringLiteral("hip_hop_voice.ogg") << 0.0 << 30.0;
}

void TestBeatFinder::recordedMusic()
{
    QFETCH(QString, clip);
    QFETCH(double, from);
    QFETCH(double, to);
    const QList<double> truth = BeatTruth::read(clip + QStringLiteral(".truth"));
    QVERIFY(truth.size() > 30);
    BeatFinder finder(QString{});
    const QList<double> found = find(finder, clip);
    const double f = BeatTruth::fMeasure(found, truth);
    QVERIFY2(f >= 0.85, qPrintable(QStringLiteral("F-measure %1 with %2 beats").arg(f).arg(found.size())));
    // The tempo of each stretch of the truth that has beats (beats missed
    // count against the F-measure).
    for (qsizetype i = 8; i < truth.size(); i += 8) {
        const double gap = BeatTruth::medianGap(truth, truth[i - 8], truth[i]);
        const double foundGap = BeatTruth::medianGap(found, truth[i - 8], truth[i]);
        QVERIFY2(foundGap == 0 || std::abs(gap / foundGap - 1) <= 0.04,
                 qPrintable(QStringLiteral("%1 a minute at %2 s, not %3").arg(60 / foundGap).arg(truth[i]).arg(60 / gap)));
    }
    int there = 0, inStretch = 0;
    for (double t : truth) {
        if (t < from || t > to)
            continue;
        ++inStretch;
        there += distanceToNearest(t, found) <= 0.070 ? 1 : 0;
    }
    QVERIFY2(there >= 0.8 * inStretch, qPrintable(QStringLiteral("%1 of %2 beats").arg(there).arg(inStretch)));
}

// A clip that is a playlist naming an address is not followed: nothing
// connects, and the clip has no beats.
void TestBeatFinder::aPlaylistFetchesNothing()
{
    // A listening socket on the loopback address: any connection shows.
    const int server = ::socket(AF_INET, SOCK_STREAM, 0);
    QVERIFY(server >= 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    QVERIFY(::bind(server, reinterpret_cast<sockaddr*>(&address), length) == 0);
    QVERIFY(::listen(server, 4) == 0);
    QVERIFY(::getsockname(server, reinterpret_cast<sockaddr*>(&address), &length) == 0);
    const QString clip = m_dir.filePath(QStringLiteral("playlist.mp4"));
    {
        QFile f(clip);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QStringLiteral("#EXTM3U\n#EXT-X-TARGETDURATION:10\n#EXTINF:10,\nhttp://127.0.0.1:%1/part.ts\n"
                               "#EXT-X-ENDLIST\n")
                    .arg(ntohs(address.sin_port))
                    .toLatin1());
    }
    BeatFinder finder(QString{});
    QCOMPARE(find(finder, clip), QList<double>{});
    pollfd waiting{server, POLLIN, 0};
    const int connected = ::poll(&waiting, 1, 200);
    ::close(server);
    QCOMPARE(connected, 0);
}

// Called off in the middle of a long clip, or closed with the program, the
// search's thread ends within a second.
void TestBeatFinder::aCancelEndsTheSearchWithinASecond()
{
    const QString clip = m_dir.filePath(QStringLiteral("ten minutes.wav"));
    QProcess make;
    make.start(QStringLiteral("ffmpeg"), {QStringLiteral("-hide_banner"), QStringLiteral("-loglevel"),
                                          QStringLiteral("error"), QStringLiteral("-y"), QStringLiteral("-f"),
                                          QStringLiteral("lavfi"), QStringLiteral("-i"),
                                          QStringLiteral("sine=frequency=220:duration=600:sample_rate=22050"), clip});
    QVERIFY(make.waitForFinished(120000));
    QCOMPARE(make.exitCode(), 0);

    BeatFinder finder(QString{});
    QSignalSpy found(&finder, &BeatFinder::beatsFound);
    finder.find(clip);
    QTest::qWait(300);
    QElapsedTimer clock;
    clock.start();
    finder.cancel();
    QTRY_COMPARE_WITH_TIMEOUT(finder.searchesRunning(), 0, 5000);
    QVERIFY2(clock.elapsed() < 1000, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(found.size(), 0);

    // The program closes while a search runs: the finder goes at once.
    auto* closing = new BeatFinder(QString{});
    closing->find(clip);
    QTest::qWait(300);
    clock.restart();
    delete closing;
    QVERIFY2(clock.elapsed() < 1000, qPrintable(QString::number(clock.elapsed())));
}

void TestBeatFinder::noBeat_data()
{
    QTest::addColumn<QString>("clip");
    QTest::newRow("no sound track") << kClips + QStringLiteral("left_red_right_blue.mp4");
    QTest::newRow("not a clip") << kClips + QStringLiteral("random_bytes.mp4");
    QTest::newRow("empty file") << kClips + QStringLiteral("empty.mp4");
    QTest::newRow("cut short") << kClips + QStringLiteral("truncated.mp4");
    QTest::newRow("missing") << kClips + QStringLiteral("not there.mp4");
    QTest::newRow("silence") << QStringLiteral("silence");
    QTest::newRow("speech without clicks") << QStringLiteral("speech");
    // The teacher's voice of the generated songs (espeak-ng) on its own.
    QTest::newRow("a voice alone") << QStringLiteral(TEMPOLOOP_TEST_DATA "/songs/teacher_voice.ogg");
}

void TestBeatFinder::noBeat()
{
    QFETCH(QString, clip);
    if (clip == QLatin1String("silence") || clip == QLatin1String("speech")) {
        const QString made = m_dir.filePath(clip + QStringLiteral(".m4a"));
        // The generator's voice without its clicks, or nothing at all.
        const QString voice = clip == QLatin1String("speech") ? QStringLiteral("1.0") : QStringLiteral("0");
        QProcess make;
        make.start(QStringLiteral("sh"),
                   {kScripts + QStringLiteral("make-beat-clip.sh"), made, QStringLiteral("20"), QStringLiteral("120"),
                    QStringLiteral("120"), voice, QStringLiteral("none"), QStringLiteral("0")});
        QVERIFY(make.waitForFinished(120000));
        QCOMPARE(make.exitCode(), 0);
        clip = made;
    }
    BeatFinder finder(QString{});
    QCOMPARE(find(finder, clip), QList<double>{});
}

void TestBeatFinder::cacheIsUsedUntilTheClipChanges()
{
    QTemporaryDir cacheDir;
    const QString clip = copyOfDemo(QStringLiteral("cached demo.mp4"));
    bool fromCache = true;
    {
        BeatFinder finder(cacheDir.path());
        const QList<double> first = find(finder, clip, &fromCache);
        QVERIFY(!fromCache);
        QVERIFY(first.size() >= 30);
        QVERIFY(QFileInfo::exists(beats::BeatCache(cacheDir.path()).fileFor(clip)));

        const QList<double> again = find(finder, clip, &fromCache);
        QVERIFY(fromCache);
        QCOMPARE(again.size(), first.size());
        for (qsizetype i = 0; i < first.size(); ++i)
            QVERIFY(std::abs(again[i] - first[i]) < 0.0001);
    }
    // Another finder (the next run of the program) reads the same file.
    BeatFinder later(cacheDir.path());
    find(later, clip, &fromCache);
    QVERIFY(fromCache);

    // The clip replaced by another (another size): found again.
    QFile::remove(clip);
    QVERIFY(QFile::copy(kClips + QStringLiteral("tiny_counted.mp4"), clip));
    const QList<double> replaced = find(later, clip, &fromCache);
    QVERIFY(!fromCache);
    QVERIFY(replaced.size() < 30);

    // Touched (another modification time): found again.
    {
        QFile f(clip);
        QVERIFY(f.open(QIODevice::ReadWrite));
        QVERIFY(f.setFileTime(QDateTime::currentDateTimeUtc().addDays(-1), QFileDevice::FileModificationTime));
    }
    find(later, clip, &fromCache);
    QVERIFY(!fromCache);
    find(later, clip, &fromCache);
    QVERIFY(fromCache);
}

// A clip opened while another's beats are being found: only the new clip's
// beats come back.
void TestBeatFinder::anotherClipCallsTheSearchOff()
{
    BeatFinder finder(QString{});
    QSignalSpy found(&finder, &BeatFinder::beatsFound);
    finder.find(m_clickClip);
    finder.find(QStringLiteral(TEMPOLOOP_DEMO_CLIP));
    QVERIFY(found.wait(60000));
    // Once every search has stopped, whatever they sent has arrived.
    QTRY_COMPARE_WITH_TIMEOUT(finder.searchesRunning(), 0, 60000);
    QCoreApplication::processEvents();
    QCOMPARE(found.size(), 1);
    QCOMPARE(found.first().at(0).toString(), QStringLiteral(TEMPOLOOP_DEMO_CLIP));

    // Called off without another: nothing comes back.
    finder.find(m_clickClip);
    finder.cancel();
    QVERIFY(!finder.busy());
    QTRY_COMPARE_WITH_TIMEOUT(finder.searchesRunning(), 0, 60000);
    QCoreApplication::processEvents();
    QCOMPARE(found.size(), 1);
}

QTEST_GUILESS_MAIN(TestBeatFinder)
#include "TestBeatFinder.moc"
