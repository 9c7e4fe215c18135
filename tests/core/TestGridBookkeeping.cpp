// The grid's rules over fake views: where the cursor may go, and how the
// playing bookmark, the cursor, the selected row and the description pane
// follow the rows through sorts, moves and deletes.
#include "CatalogFakes.h"
#include "ScriptedPrompt.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace BookmarkColumn;

class TestGridBookkeeping : public QObject {
    Q_OBJECT

private slots:
    void selectingSkipsHiddenColumns_data();
    void selectingSkipsHiddenColumns();
    void wholeRowSelection();
    void aSortKeepsThePlayingBookmarkAndTheLoopBoxes();
    void moveFollowsPlayingBookmarkCursorAndSelectedRow();
    void deleteMovesTheCursorAndShowsTheRowThatTookItsPlace();
    void anEditOfThePlayingBookmarkGoesIntoTheLoopBoxes();
    void categoryEditRevealsRepeatsUntilItEnds();
    void sortingSwitchesRepeatHidingOffAndBack();

private:
    QTemporaryDir dir;
    QString clips() const { return dir.path() + QStringLiteral("/clips/"); }
};

void TestGridBookkeeping::selectingSkipsHiddenColumns_data()
{
    QTest::addColumn<bool>("category");
    QTest::addColumn<bool>("learn");
    QTest::addColumn<bool>("rating");
    QTest::addColumn<bool>("folder");
    QTest::addColumn<int>("arrow"); // 1 left, 2 right
    QTest::addColumn<int>("asked");
    QTest::addColumn<int>("landed");
    QTest::newRow("learn hidden, right") << false << false << true << true << 2 << int(Learn) << int(Rating);
    QTest::newRow("learn hidden, left") << false << false << true << true << 1 << int(Learn) << int(Name);
    QTest::newRow("rating hidden, right") << false << true << false << true << 2 << int(Rating) << int(Play);
    QTest::newRow("rating hidden, left") << false << true << false << true << 1 << int(Rating) << int(Learn);
    QTest::newRow("both hidden, right") << false << false << false << true << 2 << int(Learn) << int(Play);
    QTest::newRow("both hidden, left") << false << false << false << true << 1 << int(Rating) << int(Name);
    QTest::newRow("category hidden, right") << false << true << true << true << 2 << int(Category) << int(Name);
    QTest::newRow("category shown") << true << true << true << true << 2 << int(Category) << int(Category);
    QTest::newRow("description, folder shown") << true << true << true << true << 2 << int(Description) << int(Folder);
    QTest::newRow("folder hidden") << true << true << true << false << 2 << int(Folder) << int(Filename);
}

void TestGridBookkeeping::selectingSkipsHiddenColumns()
{
    QFETCH(bool, category);
    QFETCH(bool, learn);
    QFETCH(bool, rating);
    QFETCH(bool, folder);
    QFETCH(int, arrow);
    QFETCH(int, asked);
    QFETCH(int, landed);
    ScriptedPrompt prompt;
    CatalogRig rig;
    rig.load(clips(), 2);
    rig.document.setColumnShown(Category, category);
    rig.document.setColumnShown(Learn, learn);
    rig.document.setColumnShown(Rating, rating);
    rig.document.setColumnShown(Folder, folder);
    rig.main.arrow = CatalogView::Arrow(arrow);
    rig.controllers.grid.goToCell(asked, 2);
    QCOMPARE(rig.grid.column, landed);
    QCOMPARE(rig.grid.row, 2);
    QCOMPARE(rig.document.SelectedRow(), 2);
    QCOMPARE(rig.window.description, QStringLiteral("about n2"));
}

void TestGridBookkeeping::wholeRowSelection()
{
    ScriptedPrompt prompt;
    CatalogRig rig;
    rig.load(clips(), 2);
    CatalogGridController& g = rig.controllers.grid;
    g.goToCell(Number, 1);
    QVERIFY(rig.grid.wholeRow);
    QCOMPARE(rig.grid.column, int(RowEnd));
    QVERIFY(rig.document.WholeRowSelected());
    // Right of the whole row: out onto the category (here hidden: the name).
    rig.document.setColumnShown(Category, false);
    g.goToCell(Spare, 1);
    QVERIFY(!rig.grid.wholeRow);
    QCOMPARE(rig.grid.column, int(Name));
    // A "Play" cell is marked while selected.
    const int refreshed = rig.grid.refreshCount;
    g.goToCell(Play, 2);
    QVERIFY(rig.document.PlayCellSelected());
    g.goToCell(Name, 2);
    QVERIFY(!rig.document.PlayCellSelected());
    QCOMPARE(rig.grid.refreshCount, refreshed + 2);
}

void TestGridBookkeeping::aSortKeepsThePlayingBookmarkAndTheLoopBoxes()
{
    ScriptedPrompt prompt;
    CatalogRig rig;
    CatalogData data;
    for (const QString& name : {QStringLiteral("c"), QStringLiteral("a"), QStringLiteral("b")}) {
        Bookmark b;
        b.name = name;
        b.startTime = QStringLiteral("00:00:0") + QString::number(name.at(0).unicode() - 'a' + 1);
        b.endTime = QStringLiteral("00:01:00");
        b.description = QStringLiteral("about ") + name;
        data.bookmarks.append(b);
    }
    rig.load(data);
    // Bookmark 1 ("c") plays; the user has since moved the loop's start.
    rig.document.setPlayingBookmark(1);
    rig.main.startDigits = QStringLiteral("000030");
    const int writes = rig.main.loopBoxWrites;
    rig.controllers.grid.goToCell(Name, 3);
    CatalogGridController& g = rig.controllers.grid;
    g.toggleSorting();
    g.BookmarksGridHeaderClick(Name, false);
    QCOMPARE(rig.column(Name), QStringList({"a", "b", "c"}));
    // "c" plays on, now from row 3; its mark and the list follow it.
    QCOMPARE(rig.document.PlayingBookmark(), 3);
    QCOMPARE(rig.document.Cells(Name, rig.document.PlayingBookmark()), QStringLiteral("c"));
    QCOMPARE(rig.main.loopListSelected, 2);
    QCOMPARE(rig.main.loopList, QStringList({"2 : a", "3 : b", "1 : c"}));
    // The loop boxes keep what the user set.
    QCOMPARE(rig.main.loopBoxWrites, writes);
    QCOMPARE(rig.main.startDigits, QStringLiteral("000030"));
    QVERIFY(rig.document.CatalogModified());
    // The cursor stays on row 3, which now shows "c".
    QCOMPARE(rig.grid.row, 3);
    QCOMPARE(rig.document.SelectedRow(), 3);
    QCOMPARE(rig.window.description, QStringLiteral("about c"));
    QCOMPARE(rig.grid.sortColumn, int(Name));
    QVERIFY(!rig.grid.sortDescending);

    // The same title again sorts the other way; the bookmark follows again.
    g.BookmarksGridHeaderClick(Name, false);
    QCOMPARE(rig.column(Name), QStringList({"c", "b", "a"}));
    QVERIFY(rig.grid.sortDescending);
    QCOMPARE(rig.document.PlayingBookmark(), 1);
}

void TestGridBookkeeping::moveFollowsPlayingBookmarkCursorAndSelectedRow()
{
    ScriptedPrompt prompt;
    CatalogRig rig;
    rig.load(clips(), 5);
    rig.controllers.playing.playLoopListItem(2); // row 3 plays, cursor on it
    rig.controllers.grid.goToCell(StartTime, 4);
    rig.controllers.grid.BookmarksGridRowMoved(5, 2);
    QCOMPARE(rig.column(Name), QStringList({"n1", "n5", "n2", "n3", "n4"}));
    QCOMPARE(rig.document.PlayingBookmark(), 4);
    QCOMPARE(rig.main.loopListSelected, 3);
    QCOMPARE(rig.grid.row, 5);
    QCOMPARE(rig.grid.column, int(StartTime));
    QCOMPARE(rig.document.SelectedRow(), 5);
    QCOMPARE(rig.document.Cells(Name, rig.document.SelectedRow()), QStringLiteral("n4"));
    QVERIFY(rig.document.CatalogModified());
    QCOMPARE(rig.grid.focusCount, 1);
}

void TestGridBookkeeping::deleteMovesTheCursorAndShowsTheRowThatTookItsPlace()
{
    ScriptedPrompt prompt;
    CatalogRig rig;
    rig.load(clips(), 3);
    CatalogGridController& g = rig.controllers.grid;
    rig.controllers.playing.playLoopListItem(2);
    g.goToCell(Number, 2);
    // What was typed for row 2 goes with it; the pane shows bookmark 3.
    rig.window.type(QStringLiteral("typed for n2"));
    prompt.queueAnswer(Prompt::Answer::Ok);
    g.BookmarksGridCanDeleteRow();
    QCOMPARE(rig.column(Name), QStringList({"n1", "n3"}));
    QCOMPARE(rig.document.PlayingBookmark(), 2);
    QCOMPARE(rig.grid.row, 2);
    QVERIFY(rig.grid.wholeRow);
    QCOMPARE(rig.window.description, QStringLiteral("about n3"));
    QCOMPARE(rig.document.Cells(Description, 2), QStringLiteral("about n3"));
    QCOMPARE(rig.main.loopList, QStringList({"1 : n1", "3 : n3"}));

    // The last row: the cursor moves up; the playing bookmark goes.
    g.goToCell(Number, 2);
    prompt.queueAnswer(Prompt::Answer::Ok);
    g.BookmarksGridCanDeleteRow();
    QCOMPARE(rig.document.PlayingBookmark(), -1);
    QCOMPARE(rig.grid.row, 1);
    QCOMPARE(rig.window.description, QStringLiteral("about n1"));

    // Cancel keeps the row and selects it whole again; the only bookmark
    // stays.
    g.goToCell(Number, 1);
    prompt.queueAnswer(Prompt::Answer::Cancel);
    g.BookmarksGridCanDeleteRow();
    QVERIFY(rig.grid.wholeRow);
    prompt.queueAnswer(Prompt::Answer::Ok);
    g.BookmarksGridCanDeleteRow();
    QVERIFY(prompt.lastMessage().startsWith(QStringLiteral("You cannot delete the last bookmark.")));
    QCOMPARE(rig.column(Name), QStringList{"n1"});
    // Delete on a single cell does nothing.
    g.goToCell(Name, 1);
    const qsizetype asked = prompt.shown().size();
    g.BookmarksGridCanDeleteRow();
    QCOMPARE(prompt.shown().size(), asked);
}

void TestGridBookkeeping::anEditOfThePlayingBookmarkGoesIntoTheLoopBoxes()
{
    ScriptedPrompt prompt;
    CatalogRig rig;
    rig.load(clips(), 2);
    rig.controllers.playing.playLoopListItem(1);
    rig.controllers.grid.goToCell(EndTime, 2);
    rig.controllers.grid.activateCell(2, EndTime);
    QVERIFY(rig.grid.editorOpen);
    rig.grid.editorValue = QStringLiteral("00:02:00");
    QVERIFY(rig.grid.commitOpenEditor());
    QCOMPARE(rig.main.endDigits, QStringLiteral("000200"));
    QCOMPARE(rig.main.startDigits, QStringLiteral("000011"));
    QVERIFY(!rig.grid.editing);
    // A refused value changes nothing and keeps the editor open.
    rig.controllers.grid.activateCell(2, EndTime);
    rig.grid.editorValue = QStringLiteral("2:00");
    QVERIFY(!rig.grid.commitOpenEditor());
    QVERIFY(rig.grid.editorOpen);
    QCOMPARE(rig.document.Cells(EndTime, 2), QStringLiteral("00:02:00"));
}

void TestGridBookkeeping::categoryEditRevealsRepeatsUntilItEnds()
{
    ScriptedPrompt prompt;
    CatalogRig rig;
    CatalogData data;
    for (const QString& name : {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}) {
        Bookmark b;
        b.category = QStringLiteral("Tango");
        b.name = name;
        data.bookmarks.append(b);
    }
    rig.load(data);
    rig.document.setColumnShown(Category, true);
    CatalogGridController& g = rig.controllers.grid;
    g.toggleHideRepeats();
    QCOMPARE(rig.column(Category), QStringList({"Tango", "-", "-"}));
    QVERIFY(rig.window.repeatsHidden);
    g.goToCell(Category, 2);
    g.activateCell(2, Category);
    QCOMPARE(rig.column(Category), QStringList({"Tango", "Tango", "Tango"}));
    QVERIFY(!rig.window.repeatsHidden);
    rig.grid.editorValue = QStringLiteral("Salsa");
    QVERIFY(rig.grid.commitOpenEditor());
    QCOMPARE(rig.column(Category), QStringList({"Tango", "Salsa", "Tango"}));
    QVERIFY(rig.window.repeatsHidden);
    QVERIFY(!rig.document.RehideAfterEdit());
}

void TestGridBookkeeping::sortingSwitchesRepeatHidingOffAndBack()
{
    ScriptedPrompt prompt;
    CatalogRig rig;
    rig.load(clips(), 2);
    CatalogGridController& g = rig.controllers.grid;
    g.toggleHideRepeats();
    g.toggleSorting();
    QVERIFY(rig.window.sortingOn);
    QCOMPARE(rig.window.sortingCaption, QStringLiteral("sorting is ON"));
    QVERIFY(rig.grid.sortMarksShown);
    QVERIFY(!rig.document.RepeatsHidden());
    QVERIFY(rig.document.RehideAfterSorting());
    g.toggleSorting();
    QVERIFY(!rig.window.sortingOn);
    QCOMPARE(rig.window.sortingCaption, QStringLiteral("sorting is OFF"));
    QVERIFY(rig.document.RepeatsHidden());
    QVERIFY(rig.window.repeatsHidden);
    // A title click while sorting is off sorts nothing.
    g.BookmarksGridHeaderClick(Name, false);
    QVERIFY(!rig.document.CatalogModified());
}

QTEST_GUILESS_MAIN(TestGridBookkeeping)
#include "TestGridBookkeeping.moc"
