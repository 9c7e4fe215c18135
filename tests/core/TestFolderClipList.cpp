#include "core/base/FolderClipList.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TestFolderClipList : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void loadAllFileTypes();
    void loadTwiceKeepsNoDuplicates();
    void loadAppendsAcrossFolders();
    void caseVariantsKeepFixedOrder();
    void patternsMatchExtensions();
    void stepping_data();
    void stepping();
    void steppingEmptyList();
    void steppingSingleEntry();

private:
    void touch(const QString& name);
    QTemporaryDir m_dir;
    QString m_folder; // ends with "/"
};

void TestFolderClipList::touch(const QString& name)
{
    QFile file(m_folder + name);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(name));
}

void TestFolderClipList::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_folder = m_dir.path() + u'/';
    for (const char* name : {"b.avi", "A.mpg", "a.MPG", "c.wav", "X.MP4", ".hidden.mov", "f.mpeg", "g.flac",
                             "notes.txt", "e.mpg.txt", "mpg", "readonly.vob"})
        touch(QString::fromLatin1(name));
    QVERIFY(QFile::setPermissions(m_folder + "readonly.vob", QFile::ReadOwner));
    QVERIFY(QDir(m_folder).mkdir("d.mpg"));
    QVERIFY(QFile::link(m_folder + "gone.avi.target", m_folder + "broken.avi"));
}

void TestFolderClipList::loadAllFileTypes()
{
    FolderClipList clips;
    clips.LoadAllFileTypes(m_folder);
    QStringList expected;
    for (const char* name : {".hidden.mov", "A.mpg", "a.MPG", "b.avi", "broken.avi", "c.wav", "d.mpg", "f.mpeg",
                             "g.flac", "readonly.vob", "X.MP4"})
        expected.append(m_folder + QString::fromLatin1(name));
    QCOMPARE(clips.entries(), expected);
}

void TestFolderClipList::loadTwiceKeepsNoDuplicates()
{
    FolderClipList clips;
    clips.LoadAllFileTypes(m_folder);
    const QStringList once = clips.entries();
    clips.LoadAllFileTypes(m_folder);
    QCOMPARE(clips.entries(), once);
    clips.clear();
    QVERIFY(clips.isEmpty());
}

void TestFolderClipList::loadAppendsAcrossFolders()
{
    QTemporaryDir other;
    QVERIFY(other.isValid());
    QFile file(other.path() + "/0first.mkv");
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();

    FolderClipList clips;
    clips.LoadAllFileTypes(m_folder);
    const qsizetype before = clips.size();
    clips.LoadAllFileTypes(other.path() + u'/');
    QCOMPARE(clips.size(), before + 1);
    QVERIFY(clips.entries().contains(other.path() + "/0first.mkv"));
    QVERIFY(std::is_sorted(clips.entries().begin(), clips.entries().end(), [](const QString& a, const QString& b) {
        return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    }));
}

void TestFolderClipList::caseVariantsKeepFixedOrder()
{
    FolderClipList first;
    for (const char* p : {"/v/b.mpg", "/v/a.MPG", "/v/A.mpg", "/v/B.mpg", "/v/a.MPG"})
        first.add(QString::fromLatin1(p));
    FolderClipList second;
    for (const char* p : {"/v/B.mpg", "/v/A.mpg", "/v/b.mpg", "/v/a.MPG"})
        second.add(QString::fromLatin1(p));
    const QStringList expected{"/v/A.mpg", "/v/a.MPG", "/v/B.mpg", "/v/b.mpg"};
    QCOMPARE(first.entries(), expected);
    QCOMPARE(second.entries(), expected);
}

void TestFolderClipList::patternsMatchExtensions()
{
    const QStringList& patterns = FolderClipList::clipPatterns();
    const QStringList& extensions = FolderClipList::clipExtensions();
    QVERIFY(patterns.size() > 8);
    QCOMPARE(patterns.mid(0, 8),
             (QStringList{"*.mpg", "*.mpeg", "*.m2p", "*.avi", "*.mov", "*.vob", "*.mp3", "*.wav"}));
    QCOMPARE(extensions.size(), patterns.size());
    for (const QString& ext : extensions) {
        QCOMPARE(ext, ext.toUpper());
        QVERIFY2(patterns.contains(u'*' + ext.toLower()), qPrintable(ext));
    }
}

void TestFolderClipList::stepping_data()
{
    QTest::addColumn<QString>("current");
    QTest::addColumn<QString>("next");
    QTest::addColumn<QString>("previous");
    QTest::newRow("middle") << "/v/b.avi"
                            << "/v/c.wav"
                            << "/v/A.mpg";
    QTest::newRow("last wraps to first") << "/v/d.mp4"
                                         << "/v/A.mpg"
                                         << "/v/c.wav";
    QTest::newRow("first wraps to last") << "/v/A.mpg"
                                         << "/v/b.avi"
                                         << "/v/d.mp4";
    QTest::newRow("no match") << "/w/x.avi"
                              << "/v/A.mpg"
                              << "/v/d.mp4";
    QTest::newRow("letter case counts") << "/v/B.AVI"
                                        << "/v/A.mpg"
                                        << "/v/d.mp4";
    QTest::newRow("nothing loaded") << ""
                                    << "/v/A.mpg"
                                    << "/v/d.mp4";
}

void TestFolderClipList::stepping()
{
    QFETCH(QString, current);
    QFETCH(QString, next);
    QFETCH(QString, previous);
    FolderClipList clips;
    for (const char* p : {"/v/d.mp4", "/v/b.avi", "/v/A.mpg", "/v/c.wav"})
        clips.add(QString::fromLatin1(p));
    QCOMPARE(clips.nextEntry(current), next);
    QCOMPARE(clips.previousEntry(current), previous);
}

void TestFolderClipList::steppingEmptyList()
{
    FolderClipList clips;
    QCOMPARE(clips.nextEntry("/v/a.mpg"), QString());
    QCOMPARE(clips.previousEntry("/v/a.mpg"), QString());
}

void TestFolderClipList::steppingSingleEntry()
{
    FolderClipList clips;
    clips.add("/v/only.mpg");
    QCOMPARE(clips.nextEntry("/v/only.mpg"), QStringLiteral("/v/only.mpg"));
    QCOMPARE(clips.previousEntry("/v/only.mpg"), QStringLiteral("/v/only.mpg"));
}

QTEST_GUILESS_MAIN(TestFolderClipList)
#include "TestFolderClipList.moc"
