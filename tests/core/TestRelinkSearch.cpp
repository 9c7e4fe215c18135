// The relink dialogue's search choice: a folder tree searched for the
// missing clip, through the scripted prompt.
#include "BookmarksOnClips.h"
#include "ScriptedPrompt.h"
#include "core/catalog/CatalogDocument.h"
#include "core/catalog/Relinking.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace BookmarkColumn;
using namespace Relinking;
using Answer = Prompt::Answer;

class TestRelinkSearch : public QObject {
    Q_OBJECT

private slots:
    void init();
    void foundRelinksEveryBookmarkOfTheClip();
    void sizeOfAnEarlierRelinkDecides();
    void unresolvedSearchesChangeNothing_data();
    void unresolvedSearchesChangeNothing();

private:
    QString makeFile(const QString& relative, int size = 0)
    {
        const QString path = m_dir->path() + u'/' + relative;
        QDir().mkpath(QFileInfo(path).path());
        QFile f(path);
        if (f.open(QIODevice::WriteOnly))
            f.write(QByteArray(size, 'x'));
        return path;
    }
    QString folder(const QString& relative) const { return m_dir->path() + u'/' + relative + u'/'; }
    void load(const QList<ClipLocation>& clips)
    {
        m_doc = std::make_unique<CatalogDocument>();
        m_doc->model()->load(bookmarksOn(clips));
    }
    ClipLocation clipOf(int row) const { return {m_doc->Cells(Filename, row), m_doc->Cells(Folder, row)}; }
    void validate() { ValidateBookmarks(*m_doc, {{}, m_dir->path(), QStringLiteral("All Files (*.*)|*.*")}); }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<ScriptedPrompt> m_prompt;
    std::unique_ptr<CatalogDocument> m_doc;
};

void TestRelinkSearch::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_prompt.reset();
    m_prompt = std::make_unique<ScriptedPrompt>();
}

void TestRelinkSearch::foundRelinksEveryBookmarkOfTheClip()
{
    const QString old = folder("old/salsa");
    makeFile("old/salsa/other.avi");
    makeFile("new/decoy/lesson.avi.part");
    makeFile("new/backup/Lesson.avi");
    makeFile("new/salsa/LESSON.AVI");
    load({{"lesson.avi", old}, {"other.avi", old}, {"lesson.avi", old}, {"lesson.avi", old}});

    m_prompt->queueAnswer(Answer::Yes);   // try to find it
    m_prompt->queueAnswer(Answer::Other); // search
    m_prompt->queueFileName(m_dir->path() + "/new/");
    m_prompt->queueAnswer(Answer::Yes); // the offered file
    m_prompt->queueAnswer(Answer::No);  // not the whole folder
    validate();

    QCOMPARE(m_prompt->unscriptedCount(), 0);
    const QString now = folder("new/salsa");
    for (int row : {1, 3, 4})
        QCOMPARE(clipOf(row), (ClipLocation{"LESSON.AVI", now}));
    QCOMPARE(clipOf(2), (ClipLocation{"other.avi", old}));
    QVERIFY(m_doc->CatalogModified());

    const QList<ScriptedPrompt::Shown>& shown = m_prompt->shown();
    QCOMPARE(shown.size(), 6);
    QCOMPARE(shown[1].kind, QStringLiteral("okcancel"));
    QCOMPARE(shown[2].kind, QStringLiteral("folder"));
    QCOMPARE(shown[2].text, searchFolderCaption("lesson.avi"));
    QCOMPARE(shown[3].kind, QStringLiteral("progress"));
    QCOMPARE(shown[4].text, "Found 2 files called \"lesson.avi\" in \"" + m_dir->path() +
                                "/new\" and its subfolders.\r\nThe one offered is the closest to where the clip "
                                "was:\r\nthe file: \"LESSON.AVI\"\r\nin the folder: \"" +
                                now +
                                "\"\r\n\r\nIs this the correct filename and folder location for this bookmark?\r\n"
                                "(Every bookmark of this clip will be updated.)");
    QCOMPARE(shown[5].text, sameFolderQuestion({"lesson.avi", old}, {"LESSON.AVI", now}));
}

void TestRelinkSearch::sizeOfAnEarlierRelinkDecides()
{
    // Two folders held copies of one clip; the user picked the first by hand.
    const QString gone1 = folder("gone1");
    const QString gone2 = folder("gone2");
    const QString picked = makeFile("keep/a.avi", 7);
    makeFile("search/a.avi", 3);
    makeFile("search/deeper/still/a.avi", 7);
    load({{"a.avi", gone1}, {"a.avi", gone2}});

    m_prompt->queueAnswer(Answer::Yes);
    m_prompt->queueAnswer(Answer::Ok);
    m_prompt->queueFileName(picked);
    m_prompt->queueAnswer(Answer::Yes);
    m_prompt->queueAnswer(Answer::No); // the folder question
    m_prompt->queueAnswer(Answer::Other);
    m_prompt->queueFileName(m_dir->path() + "/search");
    m_prompt->queueAnswer(Answer::Yes);
    validate();

    QCOMPARE(m_prompt->unscriptedCount(), 0);
    QCOMPARE(clipOf(2), (ClipLocation{"a.avi", folder("search/deeper/still")}));
    QVERIFY(m_prompt->messages().value(5).contains("the same size as"));
}

void TestRelinkSearch::unresolvedSearchesChangeNothing_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("nothing found") << "none";
    QTest::newRow("search cancelled") << "cancel";
    QTest::newRow("folder picker cancelled") << "nofolder";
    QTest::newRow("offered file refused") << "refused";
}

void TestRelinkSearch::unresolvedSearchesChangeNothing()
{
    QFETCH(QString, how);
    const QString old = folder("old");
    makeFile(how == "none" ? "new/other.avi" : "new/x/lesson.avi");
    load({{"lesson.avi", old}, {"lesson.avi", old}});

    m_prompt->queueAnswer(Answer::Yes);
    m_prompt->queueAnswer(Answer::Other);
    m_prompt->queueFileName(how == "nofolder" ? QString() : m_dir->path() + "/new");
    if (how == "cancel")
        m_prompt->queueProgressCancel();
    if (how == "refused")
        m_prompt->queueAnswer(Answer::No);
    // Back at the choice, then giving up on both bookmarks.
    m_prompt->queueAnswer(Answer::Cancel);
    m_prompt->queueAnswer(Answer::Cancel);
    validate();

    QCOMPARE(m_prompt->unscriptedCount(), 0);
    QCOMPARE(clipOf(1), (ClipLocation{"lesson.avi", old}));
    QCOMPARE(clipOf(2), (ClipLocation{"lesson.avi", old}));
    QVERIFY(!m_doc->CatalogModified());
    const QStringList texts = m_prompt->messages();
    QCOMPARE(texts.count(notRelinkedMessage()), 2);
    QCOMPARE(texts.contains(notFoundMessage("lesson.avi", m_dir->path() + "/new", 1)), how == "none");
    // The choice came back after the search.
    QCOMPARE(texts.filter(QRegularExpression("^Bookmark #1,")).size(), 2);
}

QTEST_GUILESS_MAIN(TestRelinkSearch)
#include "TestRelinkSearch.moc"
