#include "HeldBackFolder.h"
#include "PlaybackRig.h"
#include "core/base/FileProbe.h"
#include "core/base/FolderListing.h"
#include "core/catalog/Relinking.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

using FileProbe::Kind;

// A folder that does not answer (a network share gone away) reads as
// missing after a short wait, instead of freezing the window: file checks,
// folder listings and the bookmarks' clip check. The held-back folder stands
// in for the share; the bound on the waits is loose, what counts is that
// they end.
class TestFileProbe : public QObject {
    Q_OBJECT

private slots:
    void factsOfEachKind();
    void aFolderThatDoesNotAnswerReadsAsMissing();
    void aPathThatDidNotAnswerIsNotAskedAgain();
    void listingInTheBackground();
    void nextClipOnAFolderThatDoesNotAnswer();
    void bookmarksOnAFolderThatDoesNotAnswerAreMissing();

private:
    QTemporaryDir m_dir;
    QString path(const char* name) const { return m_dir.filePath(QString::fromLatin1(name)); }
};

void TestFileProbe::factsOfEachKind()
{
    QFile file(path("a.mp4"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write("1234"), 4);
    file.close();
    QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("sub")));
    QCOMPARE(::mkfifo(QFile::encodeName(path("pipe")).constData(), 0600), 0);
    const QList<FileProbe::Facts> facts =
        FileProbe::facts({path("a.mp4"), path("sub"), path("none"), path("pipe"), QString()});
    QCOMPARE(facts.size(), 5);
    QCOMPARE(facts[0].kind, Kind::File);
    QCOMPARE(facts[0].size, 4);
    QCOMPARE(facts[1].kind, Kind::Folder);
    QCOMPARE(facts[2].kind, Kind::Missing);
    QCOMPARE(facts[3].kind, Kind::Other);
    QCOMPARE(facts[4].kind, Kind::Missing);
    for (const FileProbe::Facts& f : facts)
        QVERIFY(f.answered);
    QVERIFY(FileProbe::isFile(path("a.mp4")));
    QVERIFY(FileProbe::isFolder(path("sub")));
}

void TestFileProbe::aFolderThatDoesNotAnswerReadsAsMissing()
{
    QFile file(path("b.mp4"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    const HeldBackFolder share(QStringLiteral("/share/"));
    QElapsedTimer took;
    took.start();
    const QList<FileProbe::Facts> facts =
        FileProbe::facts({path("b.mp4"), QStringLiteral("/share/clip.mp4"), path("b.mp4")});
    QVERIFY2(took.elapsed() < 2000, qPrintable(QString::number(took.elapsed())));
    QVERIFY(facts[0].answered);
    QCOMPARE(facts[0].kind, Kind::File);
    // The held path and those after it on the same worker have no answer.
    QVERIFY(!facts[1].answered);
    QCOMPARE(facts[1].kind, Kind::Missing);
    QVERIFY(!facts[2].answered);
    QCOMPARE(share.held(), 1);
}

// Asking again about a path that did not answer, or about what is under
// it, does not set another worker waiting on it until the first is back.
void TestFileProbe::aPathThatDidNotAnswerIsNotAskedAgain()
{
    {
        const HeldBackFolder share(QStringLiteral("/share/"));
        QVERIFY(!FileProbe::facts(QStringLiteral("/share/lessons")).answered);
        QCOMPARE(share.held(), 1);
        QElapsedTimer took;
        took.start();
        for (int i = 0; i < 5; ++i) {
            QVERIFY(!FileProbe::facts(QStringLiteral("/share/lessons/")).answered);
            QVERIFY(!FileProbe::facts(QStringLiteral("/share/lessons/clip %1.mp4").arg(i)).answered);
        }
        QVERIFY2(took.elapsed() < 50, qPrintable(QString::number(took.elapsed())));
        QCOMPARE(share.held(), 1);
        QCOMPARE(FileProbe::busyWorkers(), 1);
        // Other folders are asked as ever, each on its own worker.
        const QList<FileProbe::Facts> facts =
            FileProbe::facts({QStringLiteral("/share/other"), m_dir.path()}, FileProbe::Workers::EachOwn);
        QVERIFY(!facts[0].answered);
        QVERIFY(facts[1].answered);
        QCOMPARE(facts[1].kind, Kind::Folder);
    }
    // Once the look has ended, the path is asked about again.
    QCOMPARE(FileProbe::facts(QStringLiteral("/share/lessons")).kind, Kind::Missing);
    QVERIFY(FileProbe::facts(QStringLiteral("/share/lessons")).answered);
}

void TestFileProbe::listingInTheBackground()
{
    for (const char* name : {"c.mkv", "d.txt"}) {
        QFile f(path(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    FolderListing listing;
    QSignalSpy listed(&listing, &FolderListing::listed);
    listing.start(m_dir.path() + u'/', [](const QString& name) { return name.endsWith(QLatin1String(".mkv")); });
    QCOMPARE(listing.state(), FolderListing::State::Listing);
    QVERIFY(listed.wait(2000));
    QCOMPARE(listing.state(), FolderListing::State::Listed);
    QCOMPARE(listing.names(), QStringList{"c.mkv"});

    const HeldBackFolder share(QStringLiteral("/share/"));
    listing.start(QStringLiteral("/share/"), {});
    QCOMPARE(listing.settle(), FolderListing::State::Unanswered);
    QCOMPARE(listed.size(), 2);
    QVERIFY(listing.names().isEmpty());
}

// The folder of a clip on a share that has gone away has no clips to step
// to: next and previous say so at once.
void TestFileProbe::nextClipOnAFolderThatDoesNotAnswer()
{
    PlaybackRig rig;
    const QString clip = rig.makeClip(QStringLiteral("lesson.mp4"));
    {
        // The clip itself answers; its folder's listing does not.
        const HeldBackFolder share(rig.clipFolder(), HeldBackFolder::Match::Exactly);
        rig.openClip(clip);
        QElapsedTimer took;
        took.start();
        rig.clips.playNextClip();
        QVERIFY2(took.elapsed() < 2000, qPrintable(QString::number(took.elapsed())));
        QCOMPARE(rig.prompt.messages(), QStringList{ClipLoader::missingClipsMessage()});
        QCOMPARE(rig.player.FileName(), clip);
    }
    // Once the folder answers again, the next clip opened lists it.
    const QString second = rig.makeClip(QStringLiteral("second.mp4"));
    rig.openClip(second);
    rig.prompt.clear();
    rig.clips.playNextClip();
    QCOMPARE(rig.prompt.messages(), QStringList());
    QCOMPARE(rig.player.FileName(), clip);
}

void TestFileProbe::bookmarksOnAFolderThatDoesNotAnswerAreMissing()
{
    QFile here(path("here.mp4"));
    QVERIFY(here.open(QIODevice::WriteOnly));
    here.close();
    const HeldBackFolder share(QStringLiteral("/share/"));
    QElapsedTimer took;
    took.start();
    const QHash<QString, bool> there = Relinking::clipsThere({{QStringLiteral("a.mp4"), QStringLiteral("/share/")},
                                                              {QStringLiteral("here.mp4"), m_dir.path() + u'/'},
                                                              {QStringLiteral("b.mp4"), QStringLiteral("/share/")}});
    QVERIFY2(took.elapsed() < 2000, qPrintable(QString::number(took.elapsed())));
    QCOMPARE(there.value(QStringLiteral("/share/a.mp4"), true), false);
    QCOMPARE(there.value(QStringLiteral("/share/b.mp4"), true), false);
    QCOMPARE(there.value(path("here.mp4")), true);
}

QTEST_GUILESS_MAIN(TestFileProbe)
#include "TestFileProbe.moc"
