// Playing bookmarks over fake views: the checks before a bookmark plays,
// stepping at both ends, the main window's list, and the play-all state
// machine with its locks, hand-overs, refusals and return of the cursor.
#include "CatalogFakes.h"
#include "ScriptedPrompt.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace BookmarkColumn;

namespace {

const QString kFinished = QStringLiteral("Finished playing all bookmarks in sequence.");

} // namespace

class TestPlayAllSession : public QObject {
    Q_OBJECT

private slots:
    void playFromTheGridOpensTheClipOnlyWhenNeeded();
    void aFailingCheckMarksTheRowAndPlaysNothing();
    void steppingStopsAtBothEnds();
    void theBookmarkListPlaysItsRowWithAGreenPlayCell();
    void playAllRunsFromTheCursorToTheLastRow();
    void playAllStaysOnAtABookmarkThatFailsItsChecks();
    void aRefusedLoopDuringPlayAllIsNoPlayClick();
    void aRefusedFirstLoopEndsPlayAllAtOnce();
    void previousOnTheFirstRowReplaysItDuringPlayAll();
    void playAllEndsInFullScreenLeavingIt();
    void stoppingPutsAWholeRowSelectionBack();
    void playAllTakesInTheDescriptionFirst();
    void playClickBehaviourFollowsHowThePlayStarted();

private:
    QTemporaryDir dir;
    QString clips() const { return dir.path() + QStringLiteral("/clips/"); }
};

void TestPlayAllSession::playFromTheGridOpensTheClipOnlyWhenNeeded()
{
    ScriptedPrompt prompt;
    CatalogRig rig;
    rig.load(clips(), 2);
    rig.main.openClip = clips() + QStringLiteral("clip 1.mp4");
    rig.controllers.grid.goToCell(Play, 1);
    rig.controllers.grid.activateCell(1, Play);
    QVERIFY(rig.main.clipsOpened.isEmpty());
    QCOMPARE(rig.main.loopsPlayed, QList<QStringList>({{clips() + "clip 1.mp4", "000010", "000110"}}));
    QCOMPARE(rig.main.runningDescription, QStringLiteral("about n1"));
    QCOMPARE(rig.document.PlayingBookmark(), 1);
    QCOMPARE(rig.main.loopListSelected, 0);

    rig.controllers.grid.goToCell(Play, 2);
    rig.controllers.grid.activateCell(2, Play);
    QCOMPARE(rig.main.clipsOpened, QStringList{clips() + "clip 2.mp4"});
    QCOMPARE(rig.document.PlayingBookmark(), 2);
    QVERIFY(!rig.document.PlayCellGreen());
    QVERIFY(prompt.messages().isEmpty());
}

void TestPlayAllSession::aFailingCheckMarksTheRowAndPlaysNothing()
{
    ScriptedPrompt prompt;
    CatalogRig rig;
    rig.load(clips(), 2);
    rig.document.setCells(Folder, 2, clips() + QStringLiteral("gone/"));
    rig.controllers.grid.goToCell(Play, 2);
    rig.controllers.grid.activateCell(2, Play);
    QCOMPARE(prompt.messages(), QStringList{"The \"Folder\" does not exist.\nPlease fix, and try again."});
    QCOMPARE(rig.document.PlayingBookmark(), 2);
    QVERIFY(rig.main.loopsPlayed.isEmpty());
    QVERIFY(rig.main.clipsOpened.isEmpty());
}

void TestPlayAllSession::steppingStopsAtBothEnds()
{
    ScriptedPrompt prompt;
    CatalogRig rig;
    rig.load(clips(), 3);
    PlayAllSession& playing = rig.controllers.playing;
    playing.playPreviousBookmark();
    QCOMPARE(prompt.messages(), QStringList{"Already at first bookmark."});
    QCOMPARE(rig.window.beeps, 1);
    QVERIFY(rig.main.loopsPlayed.isEmpty());

    // A button: the window gives the keys back after it.
    playing.playNextBookmark();
    rig.controllers.grid.handBackKeys();
    QCOMPARE(rig.grid.row, 2);
    QCOMPARE(rig.grid.column, int(Play));
    QCOMPARE(rig.document.PlayingBookmark(), 2);
    QCOMPARE(rig.grid.focusCount, 1);
    playing.playCurrentBookmark();
    QCOMPARE(rig.main.loopsPlayed.size(), 2);
    QCOMPARE(rig.main.loopsPlayed.last().at(1), QStringLiteral("000011"));
    playing.playNextBookmark();
    playing.playNextBookmark();
    QCOMPARE(rig.document.PlayingBookmark(), 3);
    QCOMPARE(prompt.lastMessage(), QStringLiteral("Already at last bookmark."));
    // A step from a key or button is no play click.
    QVERIFY(rig.main.playClickBehaviours.isEmpty());

    // In full screen the ends only beep.
    rig.main.fullScreen = true;
    playing.playNextBookmark();
    QCOMPARE(prompt.messages().size(), 2);
    QCOMPARE(rig.window.beeps, 3);
}

void TestPlayAllSession::theBookmarkListPlaysItsRowWithAGreenPlayCell()
{
    ScriptedPrompt prompt;
    CatalogRig rig;
    rig.load(clips(), 3);
    rig.controllers.playing.playLoopListItem(1);
    QCOMPARE(rig.document.PlayingBookmark(), 2);
    QVERIFY(rig.document.PlayCellGreen());
    QCOMPARE(rig.grid.row, 2);
    QCOMPARE(rig.grid.column, int(Name)); // the column stays
    QCOMPARE(rig.main.loopsPlayed.last().first(), clips() + QStringLiteral("clip 2.mp4"));
    rig.controllers.playing.playLoopListItem(7); // no such row
    QCOMPARE(rig.document.PlayingBookmark(), 2);
}

void TestPlayAllSession::playAllRunsFromTheCursorToTheLastRow()
{
    ScriptedPrompt prompt;
    CatalogRig rig;
    rig.load(clips(), 5);
    rig.controllers.grid.goToCell(StartTime, 3);
    PlayAllSession& playing = rig.controllers.playing;
    playing.togglePlayAll();
    QVERIFY(playing.PlayingAll());
    QVERIFY(rig.window.playingAll);
    QVERIFY(rig.main.playingAllShown);
    QCOMPARE(rig.document.SavedGridRow(), 3);
    QCOMPARE(rig.document.SavedGridColumn(), int(StartTime));
    QCOMPARE(rig.window.broughtToFront, 1);
    QCOMPARE(rig.window.sinkFocus, 1);

    // Each loop's end hands over to the next row.
    QList<int> played = {rig.document.PlayingBookmark()};
    while (playing.PlayingAll()) {
        playing.PlayNextLoop(PlayAllView::Step::Next, PlayAllView::Asker::Elsewhere);
        if (playing.PlayingAll())
            played.append(rig.document.PlayingBookmark());
    }
    QCOMPARE(played, QList<int>({3, 4, 5}));
    QCOMPARE(rig.main.loopsPlayed.size(), 3);
    QCOMPARE(prompt.messages(), QStringList{kFinished});
    QVERIFY(!rig.window.playingAll);
    QVERIFY(!rig.main.playingAllShown);
    QCOMPARE(rig.main.playAllStops, 1);
    // The cursor is back where play all found it.
    QCOMPARE(rig.grid.row, 3);
    QCOMPARE(rig.grid.column, int(StartTime));
    QCOMPARE(rig.document.SavedGridRow(), -1);
    QVERIFY(rig.main.playClickBehaviours.isEmpty());
}

void TestPlayAllSession::playAllStaysOnAtABookmarkThatFailsItsChecks()
{
    ScriptedPrompt prompt;
    CatalogRig rig;
    rig.load(clips(), 3);
    QFile::remove(clips() + QStringLiteral("clip 2.mp4"));
    PlayAllSession& playing = rig.controllers.playing;
    playing.togglePlayAll();
    playing.PlayNextLoop(PlayAllView::Step::Next, PlayAllView::Asker::Elsewhere);
    QCOMPARE(prompt.messages(), QStringList{"The \"Filename\" does not exist.\nPlease fix, and try again."});
    // The sequence waits with nothing playing; the user steps on.
    QVERIFY(playing.PlayingAll());
    QCOMPARE(rig.main.playAllStops, 1);
    QCOMPARE(rig.document.PlayingBookmark(), 2);
    playing.playNextBookmark();
    QCOMPARE(rig.document.PlayingBookmark(), 3);
    playing.PlayNextLoop(PlayAllView::Step::Next, PlayAllView::Asker::Elsewhere);
    QCOMPARE(prompt.lastMessage(), kFinished);
    QVERIFY(!playing.PlayingAll());
}

void TestPlayAllSession::aRefusedLoopDuringPlayAllIsNoPlayClick()
{
    ScriptedPrompt prompt;
    CatalogRig rig;
    rig.load(clips(), 3);
    // Bookmark 2 is on the clip of bookmark 1 and starts past its end: the
    // main window's loop check refuses it, which ends play all.
    rig.document.setCells(Filename, 2, QStringLiteral("clip 1.mp4"));
    rig.main.refuseLoop = [](const QString& start, const QString&) { return start == QLatin1String("000011"); };
    PlayAllSession& playing = rig.controllers.playing;
    playing.togglePlayAll();
    playing.PlayNextLoop(PlayAllView::Step::Next, PlayAllView::Asker::Elsewhere);
    QVERIFY(!playing.PlayingAll());
    QCOMPARE(rig.document.PlayingBookmark(), 2);
    // Nothing of a double-click follows: no video window, no full screen,
    // and the cursor is back where play all started.
    QVERIFY(rig.main.playClickBehaviours.isEmpty());
    QCOMPARE(rig.grid.row, 1);
    QCOMPARE(rig.grid.column, int(Name));
}

void TestPlayAllSession::aRefusedFirstLoopEndsPlayAllAtOnce()
{
    ScriptedPrompt prompt;
    CatalogRig rig;
    rig.load(clips(), 2);
    rig.main.refuseLoop = [](const QString&, const QString&) { return true; };
    rig.controllers.playing.togglePlayAll();
    QVERIFY(!rig.controllers.playing.PlayingAll());
    QVERIFY(!rig.window.playingAll);
    QCOMPARE(rig.window.broughtToFront, 0);
    QVERIFY(rig.main.playClickBehaviours.isEmpty());
}

void TestPlayAllSession::previousOnTheFirstRowReplaysItDuringPlayAll()
{
    ScriptedPrompt prompt;
    CatalogRig rig;
    rig.load(clips(), 2);
    PlayAllSession& playing = rig.controllers.playing;
    playing.togglePlayAll();
    playing.playPreviousBookmark();
    rig.controllers.grid.handBackKeys(); // the button's keys go back
    QCOMPARE(rig.main.loopsPlayed.size(), 2);
    QCOMPARE(rig.document.PlayingBookmark(), 1);
    QVERIFY(prompt.messages().isEmpty());
    // The keys go back to the sink while all bookmarks play.
    QCOMPARE(rig.grid.focusCount, 0);
    QCOMPARE(rig.window.sinkFocus, 2);
    playing.togglePlayAll(); // stop
    QVERIFY(!playing.PlayingAll());
    QCOMPARE(rig.grid.focusCount, 1);
}

void TestPlayAllSession::playAllEndsInFullScreenLeavingIt()
{
    ScriptedPrompt prompt;
    CatalogRig rig;
    rig.load(clips(), 1);
    rig.main.fullScreen = true;
    rig.controllers.playing.togglePlayAll();
    rig.controllers.playing.PlayNextLoop(PlayAllView::Step::Next, PlayAllView::Asker::Elsewhere);
    QVERIFY(!rig.main.fullScreen);
    QCOMPARE(prompt.messages(), QStringList{kFinished});
}

void TestPlayAllSession::stoppingPutsAWholeRowSelectionBack()
{
    ScriptedPrompt prompt;
    CatalogRig rig;
    rig.load(clips(), 3);
    rig.controllers.grid.goToCell(Number, 2);
    QVERIFY(rig.grid.wholeRow);
    rig.controllers.playing.togglePlayAll();
    QCOMPARE(rig.document.PlayingBookmark(), 2);
    rig.controllers.playing.TurnOffPlayAllBookmarks();
    QCOMPARE(rig.grid.row, 2);
    QCOMPARE(rig.grid.column, int(RowEnd));
    QVERIFY(rig.grid.wholeRow);
}

void TestPlayAllSession::playAllTakesInTheDescriptionFirst()
{
    ScriptedPrompt prompt;
    CatalogRig rig;
    rig.load(clips(), 2);
    rig.window.type(QStringLiteral("both feet"));
    rig.controllers.playing.togglePlayAll();
    QCOMPARE(rig.document.Cells(Description, 1), QStringLiteral("both feet"));
    QVERIFY(rig.document.CatalogModified());
    // The bookmark that now plays shows what was typed for it.
    QCOMPARE(rig.main.runningDescription, QStringLiteral("both feet"));

    // An editor's value its checks refuse keeps play all from starting.
    rig.controllers.playing.togglePlayAll();
    rig.grid.placeCursor(StartTime, 2, false);
    rig.grid.openEditorWith(QStringLiteral("1:00"));
    rig.controllers.playing.togglePlayAll();
    QVERIFY(!rig.controllers.playing.PlayingAll());
    QCOMPARE(prompt.lastMessage(), QStringLiteral("Invalid time code.\nPlease try again."));
}

void TestPlayAllSession::playClickBehaviourFollowsHowThePlayStarted()
{
    ScriptedPrompt prompt;
    CatalogRig rig;
    rig.load(clips(), 2);
    rig.controllers.grid.goToCell(Play, 1);
    rig.controllers.grid.activateCell(1, Play);
    rig.controllers.grid.BookmarksGridKeyDown(Qt::Key_Return);
    QCOMPARE(rig.main.playClickBehaviours, QList<bool>({true, false}));
    QCOMPARE(rig.main.loopsPlayed.size(), 2);
}

QTEST_GUILESS_MAIN(TestPlayAllSession)
#include "TestPlayAllSession.moc"
