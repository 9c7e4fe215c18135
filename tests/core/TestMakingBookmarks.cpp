// Making and updating bookmarks behind views of the catalog and of the
// category dialog: the checks and their messages, the row a bookmark goes
// into (the placeholder of a new catalog, else a new last row), what the
// dialog is told and remembers, the quick add at the playback point, the
// update of the playing bookmark, and the warning for a clip a catalog file
// cannot hold.
#include "CatalogFakes.h"
#include "FakeEngine.h"
#include "FakeViews.h"
#include "ScriptedPrompt.h"
#include "core/catalog/BookmarkMaking.h"
#include "core/catalog/CategoryDialogView.h"
#include "core/playback/ChimePlayer.h"
#include "core/playback/LoopView.h"
#include "core/playback/MediaPlayerControl.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace BookmarkColumn;

namespace {

const QString kNoClip = QStringLiteral("You must choose a clip first before attempting to add a bookmark.");

class FakeDialog : public CategoryDialogView {
public:
    struct Arranged {
        QString categoryTitle, nameTitle;
        bool showCategory = false;
        QStringList categories;
        QString lastCategory, lastName;
    };
    QList<Arranged> arranged;
    // What the user leaves in the boxes, and whether OK closes the dialog.
    QString typedCategory, typedName;
    // What the user types instead once the dialog asks again.
    QString retypedName;
    bool ok = true;

    void arrange(const QString& categoryTitle, const QString& nameTitle, bool showCategory,
                 const QStringList& categories, const QString& lastCategory, const QString& lastName) override
    {
        arranged.append({categoryTitle, nameTitle, showCategory, categories, lastCategory, lastName});
    }
    bool ask() override
    {
        if (arranged.size() > 1 && !retypedName.isEmpty())
            typedName = retypedName;
        return ok;
    }
    QString category() const override { return typedCategory; }
    QString name() const override { return typedName; }
};

class CountingChime : public ChimePlayer {
public:
    int plays = 0;
    void play() override { ++plays; }
};

// Making bookmarks with the rig's catalog as the catalog view.
struct MakingRig {
    ScriptedPrompt prompt;
    CatalogRig catalog;
    FakeEngine* engine = new FakeEngine;
    MediaPlayerControl player{engine};
    FakeLoopView fields;
    FakeDialog dialog;
    CountingChime* chime = new CountingChime;
    BookmarkMaking making;

    MakingRig()
    {
        making.connectTo({&player, &fields, &catalog.controllers.lifecycle, &dialog});
        making.setChimePlayer(std::unique_ptr<ChimePlayer>(chime));
        player.setTimerEnabled(false);
    }
    void openClip(const QString& path)
    {
        player.setFileName(path);
        player.Open();
        engine->finishLoad();
    }
};

} // namespace

class TestMakingBookmarks : public QObject {
    Q_OBJECT

private slots:
    void checksRefuseTheAdd_data();
    void checksRefuseTheAdd();
    void theFirstBookmarkStartsANewCatalog();
    void theDialogIsToldTheCatalogsTitlesAndCategories();
    void cancellingRemembersWhatWasTyped();
    void quickAddTakesThePlaybackPoint();
    void updateRewritesThePlayingBookmarkAfterASort();
    void updateWithoutAPlayingBookmark();
    void aClipWithADoubleQuoteIsAddedWithAWarning();
    void aNameOfTwoLinesIsAskedAgain();

private:
    QTemporaryDir dir;
    QString clips() const { return dir.path() + QStringLiteral("/clips/"); }
};

void TestMakingBookmarks::checksRefuseTheAdd_data()
{
    QTest::addColumn<bool>("clipOpen");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("end");
    QTest::addColumn<QString>("message");
    const QString endNotAfter = QStringLiteral("The \"End Time\" must be greater than the \"Start Time\"");
    QTest::newRow("no clip") << false << "000010"
                             << "" << kNoClip;
    QTest::newRow("no start") << true << ""
                              << "000020"
                              << "You must enter a \"Start Time\" in Loop Controls (above) before defining a "
                                 "bookmark.";
    QTest::newRow("end equals start") << true << "000130"
                                      << "000130" << endNotAfter;
    QTest::newRow("end before start") << true << "000130"
                                      << "000059" << endNotAfter;
}

void TestMakingBookmarks::checksRefuseTheAdd()
{
    QFETCH(bool, clipOpen);
    QFETCH(QString, start);
    QFETCH(QString, end);
    QFETCH(QString, message);
    MakingRig rig;
    if (clipOpen)
        rig.openClip(QStringLiteral("/clips/lesson.mp4"));
    rig.fields.start = start;
    rig.fields.end = end;
    rig.making.makeBookmark();
    QCOMPARE(rig.prompt.messages(), QStringList{message});
    QVERIFY(rig.dialog.arranged.isEmpty());
    QCOMPARE(rig.catalog.document.CatalogMode(), CatalogDocument::Mode::Closed);
}

void TestMakingBookmarks::theFirstBookmarkStartsANewCatalog()
{
    MakingRig rig;
    rig.openClip(QStringLiteral("/clips/waltz.mp4"));
    rig.fields.start = QStringLiteral("000105");
    rig.dialog.typedName = QStringLiteral("Box step");
    rig.making.makeBookmark();
    const CatalogDocument& d = rig.catalog.document;
    QCOMPARE(d.CatalogMode(), CatalogDocument::Mode::New);
    QVERIFY(d.CatalogModified());
    QCOMPARE(d.RowCount(), 2); // the placeholder row took it
    QCOMPARE(rig.catalog.column(Number), QStringList{"1"});
    QCOMPARE(rig.catalog.column(Name), QStringList{"Box step"});
    QCOMPARE(rig.catalog.column(StartTime), QStringList{"00:01:05"});
    QCOMPARE(rig.catalog.column(EndTime), QStringList{"--:--:--"});
    QCOMPARE(rig.catalog.column(Filename), QStringList{"waltz.mp4"});
    QCOMPARE(rig.catalog.column(Folder), QStringList{"/clips/"});
    QVERIFY(rig.catalog.window.shown);
    QVERIFY(rig.catalog.window.gridShown);
    QVERIFY(rig.catalog.main.indicatorsShown);
    QCOMPARE(rig.catalog.main.loopList, QStringList{"1 : Box step"});
    QCOMPARE(rig.catalog.grid.column, int(Name));
    QCOMPARE(rig.catalog.grid.row, 1);

    // The next one goes below.
    rig.fields.start = QStringLiteral("000200");
    rig.fields.end = QStringLiteral("000210");
    rig.dialog.typedName = QStringLiteral("Twinkle");
    rig.making.makeBookmark();
    QCOMPARE(rig.catalog.column(Number), QStringList({"1", "2"}));
    QCOMPARE(rig.catalog.column(EndTime).last(), QStringLiteral("00:02:10"));
    QCOMPARE(rig.catalog.grid.row, 2);
    QVERIFY(rig.prompt.messages().isEmpty());
}

void TestMakingBookmarks::theDialogIsToldTheCatalogsTitlesAndCategories()
{
    MakingRig rig;
    rig.catalog.main.columns.categoryName = QStringLiteral("Style");
    rig.catalog.main.columns.showCategory = true;
    rig.openClip(QStringLiteral("/clips/tango.mp4"));
    rig.fields.start = QStringLiteral("000010");
    // No catalog: the options window's titles.
    rig.dialog.ok = false;
    rig.making.makeBookmark();
    QCOMPARE(rig.dialog.arranged.last().categoryTitle, QStringLiteral("Style"));
    QVERIFY(rig.dialog.arranged.last().categories.isEmpty());

    // A catalog: its own titles and its categories, from the copies.
    CatalogData data;
    for (const QString& category : {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("A")}) {
        Bookmark b;
        b.category = category;
        data.bookmarks.append(b);
    }
    data.categoryHeader = QStringLiteral("Dance");
    rig.catalog.load(data);
    rig.catalog.document.StoreCopyCategoryColumns();
    rig.dialog.ok = true;
    rig.dialog.typedCategory = QStringLiteral("C");
    rig.dialog.typedName = QStringLiteral("Ocho");
    rig.making.makeBookmark();
    const FakeDialog::Arranged& a = rig.dialog.arranged.last();
    QCOMPARE(a.categoryTitle, QStringLiteral("Dance"));
    QVERIFY(a.showCategory);
    QCOMPARE(a.categories, QStringList({"A", "B", "A"}));
    QCOMPARE(rig.catalog.document.Cells(Category, 4), QStringLiteral("C"));
    QCOMPARE(rig.catalog.document.Cells(CategoryCopy, 4), QStringLiteral("C"));
    QCOMPARE(rig.catalog.main.loopList.last(), QStringLiteral("4 : Ocho"));
}

void TestMakingBookmarks::cancellingRemembersWhatWasTyped()
{
    MakingRig rig;
    rig.openClip(QStringLiteral("/clips/salsa.mp4"));
    rig.fields.start = QStringLiteral("000010");
    rig.dialog.ok = false;
    rig.dialog.typedCategory = QStringLiteral("Turns");
    rig.dialog.typedName = QStringLiteral("Cross body");
    rig.making.makeBookmark();
    QCOMPARE(rig.catalog.document.CatalogMode(), CatalogDocument::Mode::Closed);
    QCOMPARE(rig.making.LastCategory, QStringLiteral("Turns"));
    QCOMPARE(rig.making.LastName, QStringLiteral("Cross body"));
    rig.dialog.ok = true;
    rig.making.makeBookmark();
    QCOMPARE(rig.dialog.arranged.last().lastCategory, QStringLiteral("Turns"));
    QCOMPARE(rig.dialog.arranged.last().lastName, QStringLiteral("Cross body"));
}

void TestMakingBookmarks::quickAddTakesThePlaybackPoint()
{
    MakingRig rig;
    rig.engine->addClip(QStringLiteral("/clips/swing.mp4"), FakeEngine::Clip{300.0});
    rig.openClip(QStringLiteral("/clips/swing.mp4"));
    rig.player.setCurrentPosition(84.5);
    rig.making.LastName = QStringLiteral("untouched");
    rig.making.makeQuickBookmark();
    QCOMPARE(rig.catalog.document.CatalogMode(), CatalogDocument::Mode::New);
    QCOMPARE(rig.catalog.column(StartTime), QStringList{"00:01:24"}); // a half goes to even
    QCOMPARE(rig.catalog.column(EndTime), QStringList{"--:--:--"});
    QCOMPARE(rig.catalog.main.loopList, QStringList{"1 : "});
    QVERIFY(rig.dialog.arranged.isEmpty());
    QCOMPARE(rig.making.LastName, QStringLiteral("untouched"));
    QCOMPARE(rig.chime->plays, 1);
    QCOMPARE(rig.catalog.grid.column, int(Category));
    rig.making.makeQuickBookmark();
    QCOMPARE(rig.catalog.column(Number), QStringList({"1", "2"}));
    QCOMPARE(rig.chime->plays, 2);

    rig.player.setFileName({});
    rig.making.makeQuickBookmark();
    QCOMPARE(rig.prompt.messages(), QStringList{kNoClip});
    QCOMPARE(rig.chime->plays, 2);
}

void TestMakingBookmarks::updateRewritesThePlayingBookmarkAfterASort()
{
    MakingRig rig;
    rig.catalog.load(clips(), 3);
    rig.catalog.document.setCells(Name, 1, QStringLiteral("z"));
    rig.catalog.controllers.playing.playLoopListItem(0); // "z", bookmark 1
    CatalogGridController& g = rig.catalog.controllers.grid;
    g.toggleSorting();
    g.BookmarksGridHeaderClick(Name, false);
    QCOMPARE(rig.catalog.column(Name), QStringList({"n2", "n3", "z"}));
    rig.fields.start = QStringLiteral("000042");
    rig.fields.end = {};
    rig.making.updatePlayingBookmark();
    // The times went into "z", not into the bookmark the sort put on row 1.
    QCOMPARE(rig.catalog.column(StartTime), QStringList({"00:00:11", "00:00:12", "00:00:42"}));
    QCOMPARE(rig.catalog.column(EndTime).last(), QStringLiteral("--:--:--"));
}

void TestMakingBookmarks::updateWithoutAPlayingBookmark()
{
    MakingRig rig;
    rig.catalog.load(clips(), 1);
    rig.fields.start = QStringLiteral("000200");
    rig.making.updatePlayingBookmark();
    QCOMPARE(rig.prompt.messages(), QStringList{"There is no currently playing bookmark to update."});
    QCOMPARE(rig.catalog.column(StartTime), QStringList{"00:00:10"});
    QVERIFY(!rig.catalog.document.CatalogModified());
}

void TestMakingBookmarks::aClipWithADoubleQuoteIsAddedWithAWarning()
{
    MakingRig rig;
    rig.catalog.load(clips(), 2);
    rig.openClip(QStringLiteral("/clips/the \"best\" move.mp4"));
    rig.fields.start = QStringLiteral("000010");
    rig.dialog.typedName = QStringLiteral("Best");
    rig.making.makeBookmark();
    QCOMPARE(rig.catalog.column(Name).last(), QStringLiteral("Best"));
    QCOMPARE(rig.prompt.messages().size(), 1);
    QVERIFY(rig.prompt.lastMessage().startsWith(
        QStringLiteral("The clip of bookmark 3 has a double quote in its file name or folder")));
    // A plain clip adds without a word.
    rig.openClip(QStringLiteral("/clips/plain.mp4"));
    rig.making.makeQuickBookmark();
    QCOMPARE(rig.prompt.messages().size(), 1);
}

// A catalog keeps a name on one line: a pasted line break is refused, and
// the dialog comes back with what was typed.
void TestMakingBookmarks::aNameOfTwoLinesIsAskedAgain()
{
    MakingRig rig;
    rig.openClip(QStringLiteral("/clips/salsa.mp4"));
    rig.fields.start = QStringLiteral("000010");
    rig.dialog.typedName = QStringLiteral("Cross body\nlead");
    rig.dialog.retypedName = QStringLiteral("Cross body lead");
    rig.making.makeBookmark();
    QCOMPARE(rig.dialog.arranged.size(), 2);
    QCOMPARE(rig.dialog.arranged.last().lastName, QStringLiteral("Cross body\nlead"));
    QCOMPARE(rig.prompt.messages().size(), 1);
    QVERIFY2(rig.prompt.lastMessage().startsWith(QStringLiteral("The name has a line break")),
             qPrintable(rig.prompt.lastMessage()));
    QCOMPARE(rig.catalog.column(Name), QStringList{"Cross body lead"});
}

QTEST_GUILESS_MAIN(TestMakingBookmarks)
#include "TestMakingBookmarks.moc"
