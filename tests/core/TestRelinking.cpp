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

class TestRelinking : public QObject {
    Q_OBJECT

private slots:
    void init();
    void presentClipsAndBlankRowsAskNothing();
    void threeBookmarksOfOneClip_data();
    void threeBookmarksOfOneClip();
    void movedFolder();
    void refusalsLeaveTheBookmark_data();
    void refusalsLeaveTheBookmark();
    void lastRowHasNoFollowUp();
    void noToTheOpeningQuestionEndsTheCheck();

private:
    QString folder(const QString& name) const
    {
        QDir(m_dir->path()).mkpath(name);
        return m_dir->path() + u'/' + name + u'/';
    }
    static void makeFile(const QString& path)
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    void load(const QList<ClipLocation>& clips)
    {
        m_doc = std::make_unique<CatalogDocument>();
        m_doc->model()->load(bookmarksOn(clips));
    }
    ClipLocation clipOf(int row) const { return {m_doc->Cells(Filename, row), m_doc->Cells(Folder, row)}; }
    void validate()
    {
        m_cursorRows.clear();
        ValidateBookmarks(*m_doc, {[this](int column, int row) {
                                       QCOMPARE(column, int(Filename));
                                       m_cursorRows << row;
                                   },
                                   m_dir->path(), QStringLiteral("All Files (*.*)|*.*")});
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<ScriptedPrompt> m_prompt;
    std::unique_ptr<CatalogDocument> m_doc;
    QList<int> m_cursorRows;
};

void TestRelinking::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_prompt.reset();
    m_prompt = std::make_unique<ScriptedPrompt>();
}

void TestRelinking::presentClipsAndBlankRowsAskNothing()
{
    const QString here = folder(QStringLiteral("clips"));
    makeFile(here + "a.avi");
    load({{"a.avi", here}, {"", ""}, {"a.avi", here}});
    validate();
    QVERIFY(m_prompt->shown().isEmpty());
    QVERIFY(!m_doc->CatalogModified());

    // A folder is no clip, even when the file name is empty.
    load({{"", here}});
    validate();
    QCOMPARE(m_prompt->unscriptedCount(), 1); // the opening question, answered No
    QCOMPARE(m_prompt->lastMessage(), openingQuestion());
}

void TestRelinking::threeBookmarksOfOneClip_data()
{
    QTest::addColumn<bool>("everywhere");
    QTest::newRow("yes: the others follow") << true;
    QTest::newRow("no: each is asked") << false;
}

void TestRelinking::threeBookmarksOfOneClip()
{
    QFETCH(bool, everywhere);
    const QString old = folder(QStringLiteral("old"));
    const QString now = folder(QStringLiteral("now"));
    makeFile(now + "renamed.avi");
    makeFile(old + "other.avi");
    load({{"lesson.avi", old}, {"other.avi", old}, {"lesson.avi", old}, {"lesson.avi", old}});

    m_prompt->queueAnswer(Answer::Yes); // try to find it
    m_prompt->queueAnswer(Answer::Ok);
    m_prompt->queueFileName(now + "renamed.avi");
    m_prompt->queueAnswer(Answer::Yes); // the right file
    m_prompt->queueAnswer(everywhere ? Answer::Yes : Answer::No);
    if (!everywhere)
        for (int i = 0; i < 2; ++i) {
            m_prompt->queueAnswer(Answer::Cancel);
        }
    validate();

    QCOMPARE(m_prompt->unscriptedCount(), 0);
    const QStringList texts = m_prompt->messages();
    QCOMPARE(texts.value(0), openingQuestion());
    QCOMPARE(texts.value(1), QStringLiteral("Bookmark #1, with name, \"n1\" appears to be missing.\r\nIt was in a file "
                                            "called \"lesson.avi\" in the location \"") +
                                 old +
                                 QStringLiteral("\"\r\n\r\nIt may have been moved to another folder, or its "
                                                "filename might have been changed.\r\n\r\nPlease identify this file.  "
                                                "Click 'OK' to proceed."));
    QCOMPARE(texts.value(2), QStringLiteral("You picked the file: \"renamed.avi\"\r\nin the folder: \"") + now +
                                 QStringLiteral("\"\r\n\r\nIs this the correct filename and folder location for this "
                                                "bookmark?"));
    QCOMPARE(texts.value(3), QStringLiteral("Tempoloop has updated your bookmark successfully.\r\n\r\nWould you like "
                                            "Tempoloop to update the file from:\r\nlesson.avi, located in: ") +
                                 old + QStringLiteral("\r\nto:\r\nrenamed.avi, located in: ") + now +
                                 QStringLiteral("\r\n\r\neverywhere else it is referenced in your video catalog?"));
    QCOMPARE(clipOf(1), (ClipLocation{"renamed.avi", now}));
    QCOMPARE(clipOf(2), (ClipLocation{"other.avi", old}));
    QVERIFY(m_doc->CatalogModified());
    if (everywhere) {
        QCOMPARE(texts.size(), 4);
        QCOMPARE(clipOf(3), (ClipLocation{"renamed.avi", now}));
        QCOMPARE(clipOf(4), (ClipLocation{"renamed.avi", now}));
        QCOMPARE(m_cursorRows, QList<int>{1});
    } else {
        // Rows 3 and 4 are asked about, without the opening question again.
        QCOMPARE(texts.size(), 8);
        QVERIFY(texts[4].startsWith("Bookmark #3, with name, \"n3\""));
        QCOMPARE(texts[5], notRelinkedMessage());
        QVERIFY(texts[6].startsWith("Bookmark #4, with name, \"n4\""));
        QCOMPARE(clipOf(3), (ClipLocation{"lesson.avi", old}));
        QCOMPARE(m_cursorRows, (QList<int>{1, 3, 4}));
    }
}

void TestRelinking::movedFolder()
{
    const QString old = folder(QStringLiteral("old"));
    const QString now = folder(QStringLiteral("moved/here"));
    for (const char* name : {"a.mpg", "b.mpg", "c.mpg"})
        makeFile(now + name);
    const QString elsewhere = folder(QStringLiteral("elsewhere"));
    load({{"a.mpg", old}, {"b.mpg", old}, {"d.mpg", old}, {"c.mpg", old}, {"b.mpg", elsewhere}});

    m_prompt->queueAnswer(Answer::Yes);
    m_prompt->queueAnswer(Answer::Ok);
    m_prompt->queueFileName(now + "a.mpg");
    m_prompt->queueAnswer(Answer::Yes);
    m_prompt->queueAnswer(Answer::Yes);    // the whole folder
    m_prompt->queueAnswer(Answer::Cancel); // d.mpg is not in the new folder
    m_prompt->queueAnswer(Answer::Cancel); // b.mpg of another folder is asked too
    validate();

    QCOMPARE(m_prompt->unscriptedCount(), 0);
    const QStringList texts = m_prompt->messages();
    QCOMPARE(texts.value(3),
             QStringLiteral("Tempoloop has updated your bookmark successfully.\r\n\r\nOther files referenced in this "
                            "video catalog might also have been moved from the folder:\r\n") +
                 old + QStringLiteral("\r\nto:\r\n") + now +
                 QStringLiteral("\r\n\r\nWould you like Tempoloop to update the folder location of all missing "
                                "bookmarks in this video catalog that appear to reference files in the new folder \"") +
                 now + QStringLiteral("\"?"));
    QVERIFY(texts.value(4).startsWith("Bookmark #3,"));
    QVERIFY(texts.value(6).startsWith("Bookmark #5,"));
    QCOMPARE(texts.size(), 8);
    QCOMPARE(clipOf(1), (ClipLocation{"a.mpg", now}));
    QCOMPARE(clipOf(2), (ClipLocation{"b.mpg", now}));
    QCOMPARE(clipOf(3), (ClipLocation{"d.mpg", old}));
    QCOMPARE(clipOf(4), (ClipLocation{"c.mpg", now}));
    QCOMPARE(clipOf(5), (ClipLocation{"b.mpg", elsewhere}));
}

void TestRelinking::refusalsLeaveTheBookmark_data()
{
    QTest::addColumn<int>("refusal"); // 0 Cancel, 1 cancelled dialog, 2 No to the confirmation
    QTest::newRow("cancel") << 0;
    QTest::newRow("dialog cancelled") << 1;
    QTest::newRow("wrong file") << 2;
}

void TestRelinking::refusalsLeaveTheBookmark()
{
    QFETCH(int, refusal);
    const QString old = folder(QStringLiteral("old"));
    const QString now = folder(QStringLiteral("now"));
    makeFile(now + "x.avi");
    load({{"x.avi", old}, {"y.avi", old}});
    m_prompt->queueAnswer(Answer::Yes);
    m_prompt->queueAnswer(refusal == 0 ? Answer::Cancel : Answer::Ok);
    if (refusal >= 1)
        m_prompt->queueFileName(refusal == 1 ? QString() : now + "x.avi");
    if (refusal == 2)
        m_prompt->queueAnswer(Answer::No);
    m_prompt->queueAnswer(Answer::Cancel); // row 2
    validate();

    QCOMPARE(m_prompt->unscriptedCount(), 0);
    QCOMPARE(m_prompt->messages().count(notRelinkedMessage()), 2);
    QCOMPARE(clipOf(1), (ClipLocation{"x.avi", old}));
    QVERIFY(!m_doc->CatalogModified());
}

void TestRelinking::lastRowHasNoFollowUp()
{
    const QString old = folder(QStringLiteral("old"));
    const QString now = folder(QStringLiteral("now"));
    makeFile(now + "z.avi");
    load({{"z.avi", old}});
    m_prompt->queueAnswer(Answer::Yes);
    m_prompt->queueAnswer(Answer::Ok);
    m_prompt->queueFileName(now + "z.avi");
    m_prompt->queueAnswer(Answer::Yes);
    validate();
    QCOMPARE(m_prompt->unscriptedCount(), 0);
    QCOMPARE(m_prompt->messages().size(), 3);
    QCOMPARE(clipOf(1), (ClipLocation{"z.avi", now}));
    QVERIFY(m_doc->CatalogModified());
}

void TestRelinking::noToTheOpeningQuestionEndsTheCheck()
{
    const QString old = folder(QStringLiteral("old"));
    load({{"a.avi", old}, {"b.avi", old}});
    m_prompt->queueAnswer(Answer::No);
    validate();
    QCOMPARE(m_prompt->shown().size(), 1);
    QCOMPARE(m_prompt->unscriptedCount(), 0);
    QCOMPARE(clipOf(1), (ClipLocation{"a.avi", old}));
    QVERIFY(!m_doc->CatalogModified());
}

QTEST_GUILESS_MAIN(TestRelinking)
#include "TestRelinking.moc"
