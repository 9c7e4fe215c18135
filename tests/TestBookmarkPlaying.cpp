// Playing bookmarks through the real windows on the fake engine: from the
// grid with and without the clip open, a failing check, stepping at both
// ends of the catalog, the main window's bookmark list, and play all with
// its locks, its hand-over at each loop's end and its final message.
#include "CatalogFixture.h"
#include "Controls.h"
#include "gui/catalog/BookmarksGridLook.h"
#include "gui/cmdline/TCommandLineEntryForm.h"
#include "gui/input/FocusSink.h"
#include "gui/widgets/TBlinkLabel.h"
#include "gui/widgets/TColourButton.h"
#include "gui/widgets/TimeBox.h"

#include <QComboBox>
#include <QtTest>

using namespace BookmarkColumn;

namespace {

const QString kFinished = QStringLiteral("Finished playing all bookmarks in sequence.");

bool playing(const AppFixture& app)
{
    return app.player()->PlayState() == mpPlaying;
}

} // namespace

class TestBookmarkPlaying : public QObject {
    Q_OBJECT

private slots:
    void playsWithItsClipOpenAndNot();
    void aFailingCheckPlaysNothing();
    void steppingStopsAtBothEnds();
    void theBookmarkListPlaysTheChosenRow();
    void keysStepThroughBookmarks();
    void playAllFromRowThreeOfFive();
    void aFailingBookmarkDuringPlayAll();
    void previousOnTheFirstRowAndStopFromTheMainWindow();
};

void TestBookmarkPlaying::playsWithItsClipOpenAndNot()
{
    CatalogFixture app;
    QVERIFY(app.start());
    CatalogData data = app.catalog({"one", "two"});
    data.bookmarks[0].description = QStringLiteral("turn left");
    QVERIFY(app.open(data));
    app.openClip(app.clipFolder() + QStringLiteral("clip 1.mp4"));

    // The clip is open: no new load, the loop plays at once.
    app.doubleClick(Play, 1);
    QVERIFY(!app.engine->loadPending());
    QVERIFY(app.loops()->LoopIsPlaying());
    QCOMPARE(app.player()->SelectionStart(), 10.0);
    QCOMPARE(app.player()->SelectionEnd(), 70.2);
    QCOMPARE(child<QLabel>(app.main(), "RunningDescription")->text(), QStringLiteral("turn left"));
    QCOMPARE(app.doc()->PlayingBookmark(), 1);

    // Another clip: it opens, and the loop plays once it has loaded.
    app.doubleClick(Play, 2);
    QVERIFY(app.engine->loadPending());
    app.engine->finishLoad();
    QCOMPARE(app.player()->FileName(), app.clipFolder() + QStringLiteral("clip 2.mp4"));
    QCOMPARE(app.player()->SelectionStart(), 11.0);
    QCOMPARE(child<TimeBox>(app.main(), "setStartTimeValue")->digitText(), QStringLiteral("000011"));
    QCOMPARE(app.doc()->PlayingBookmark(), 2);
    QCOMPARE(child<QComboBox>(app.main(), "LoopList")->currentIndex(), 1);
    QVERIFY(app.prompt.messages().isEmpty());
}

void TestBookmarkPlaying::aFailingCheckPlaysNothing()
{
    CatalogFixture app;
    QVERIFY(app.start());
    CatalogData data = app.catalog({"one", "two"});
    data.bookmarks[1].folder = app.clipFolder() + QStringLiteral("gone/");
    QVERIFY(app.open(data));
    // Opening offers to relink the missing clip; declined, the row stays.
    QCOMPARE(app.prompt.messages().size(), 1);
    app.prompt.clear();
    app.openClip(app.clipFolder() + QStringLiteral("clip 1.mp4"));

    app.doubleClick(Play, 2);
    QCOMPARE(app.prompt.messages(), QStringList({"The \"Folder\" does not exist.\nPlease fix, and try again."}));
    // The row is marked, the open clip stays and nothing plays.
    QCOMPARE(app.doc()->PlayingBookmark(), 2);
    QCOMPARE(app.player()->FileName(), app.clipFolder() + QStringLiteral("clip 1.mp4"));
    QVERIFY(!app.engine->loadPending());
    QVERIFY(!app.loops()->LoopIsPlaying());
}

void TestBookmarkPlaying::steppingStopsAtBothEnds()
{
    CatalogFixture app;
    QVERIFY(app.start());
    QVERIFY(app.open(app.catalog({"one", "two", "three"})));
    app.click(Name, 1);
    TBookmarksForm* form = app.form();

    child<TColourButton>(form, "PreviousBookmarkButton")->click();
    QCOMPARE(app.prompt.messages(), QStringList({"Already at first bookmark."}));
    QVERIFY(!app.engine->loadPending());

    child<TColourButton>(form, "NextBookmarkButton")->click();
    QCOMPARE(app.grid()->cursorRow(), 2);
    QCOMPARE(app.grid()->cursorColumn(), int(Play));
    QCOMPARE(app.doc()->PlayingBookmark(), 2);
    app.engine->finishLoad();
    QCOMPARE(app.player()->SelectionStart(), 11.0);

    // Current replays the same row; the clip is not opened again.
    app.player()->Pause();
    child<TColourButton>(form, "CurrentBookmarkButton")->click();
    QVERIFY(!app.engine->loadPending());
    QCOMPARE(app.doc()->PlayingBookmark(), 2);
    QVERIFY(app.loops()->LoopIsPlaying());

    child<TColourButton>(form, "NextBookmarkButton")->click();
    app.engine->finishLoad();
    child<TColourButton>(form, "NextBookmarkButton")->click();
    QCOMPARE(app.doc()->PlayingBookmark(), 3);
    QCOMPARE(app.prompt.lastMessage(), QStringLiteral("Already at last bookmark."));

    // Previous from the main window's copy of the button.
    app.rules().playing.playPreviousBookmark();
    QCOMPARE(app.doc()->PlayingBookmark(), 2);
    QCOMPARE(app.prompt.messages().size(), 2);
}

void TestBookmarkPlaying::theBookmarkListPlaysTheChosenRow()
{
    CatalogFixture app;
    QVERIFY(app.start());
    QVERIFY(app.open(app.catalog({"one", "two", "three"})));
    app.doubleClick(Play, 2);
    app.engine->finishLoad();
    auto* list = child<QComboBox>(app.main(), "LoopList");
    QCOMPARE(list->currentIndex(), 1);

    list->setFocus();
    QTest::keyClick(list, Qt::Key_Down);
    QCOMPARE(list->currentIndex(), 2);
    QCOMPARE(app.doc()->PlayingBookmark(), 3);
    QCOMPARE(app.grid()->cursorRow(), 3);
    app.engine->finishLoad();
    QCOMPARE(app.player()->FileName(), app.clipFolder() + QStringLiteral("clip 3.mp4"));
    QCOMPARE(app.player()->SelectionStart(), 12.0);
    const auto colour = [&](int row, int column) {
        return app.grid()->model()->index(row - 1, column).data(Qt::BackgroundRole).value<QColor>();
    };
    for (int c : {Name, Play})
        QCOMPARE(colour(3, c), BookmarksGridLook::LightGreen);
    QCOMPARE(colour(2, Name), BookmarksGridLook::Cream);
}

void TestBookmarkPlaying::keysStepThroughBookmarks()
{
    CatalogFixture app;
    QVERIFY(app.start());
    QVERIFY(app.open(app.catalog({"one", "two", "three"})));
    app.click(Name, 2);
    app.formControl<FocusSink>("PanelFocusPanel")->takeFocus();
    app.key(Qt::Key_0); // next
    QCOMPARE(app.doc()->PlayingBookmark(), 3);
    app.engine->finishLoad();
    app.key(Qt::Key_0);
    QCOMPARE(app.prompt.messages(), QStringList({"Already at last bookmark."}));
    app.key(Qt::Key_8); // previous
    QCOMPARE(app.doc()->PlayingBookmark(), 2);
    app.key(Qt::Key_9); // current
    QCOMPARE(app.doc()->PlayingBookmark(), 2);
    QCOMPARE(app.prompt.messages().size(), 1);

    // Escape in the bookmark list shows the playing bookmark again.
    auto* list = child<QComboBox>(app.main(), "LoopList");
    list->setCurrentIndex(0);
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Escape);
    QCOMPARE(list->currentIndex(), 1);
    QCOMPARE(app.doc()->PlayingBookmark(), 2);
}

void TestBookmarkPlaying::playAllFromRowThreeOfFive()
{
    CatalogFixture app;
    QVERIFY(app.start());
    QVERIFY(app.open(app.catalog({"one", "two", "three", "four", "five"})));
    app.click(StartTime, 3);
    TBookmarksForm* form = app.form();
    auto* mainStop = child<TColourButton>(app.main(), "PlayAll");
    auto* viewClip = child<QWidget>(app.main(), "ViewClipButton");
    auto* addBookmark = child<QWidget>(app.main(), "makeBookmarkButton");
    auto* entryPlay = child<QWidget>(app.startup->windows().CommandLineEntryForm, "playCommandLineButton");
    auto* entryPaste = child<QWidget>(app.startup->windows().CommandLineEntryForm, "pasteCommandLineButton");

    child<TColourButton>(form, "PlayAll")->click();
    QVERIFY(app.doc()->PlayingAll());
    QCOMPARE(child<TColourButton>(form, "PlayAll")->text(), QStringLiteral("Stop Playing Bookmarks"));
    QCOMPARE(child<TColourButton>(form, "PlayAll")->color(), QColor(Qt::red));
    QCOMPARE(child<TColourButton>(form, "NextBookmarkButton")->color(), QColor(187, 187, 255));
    QVERIFY(child<TBlinkLabel>(form, "PlayingAllLabel")->isVisibleTo(form));
    QVERIFY(child<TBlinkLabel>(app.main(), "PlayingAllLabel")->isVisibleTo(app.main()));
    QVERIFY(mainStop->isVisibleTo(app.main()));
    QVERIFY(!addBookmark->isVisibleTo(app.main()));
    QVERIFY(!viewClip->isEnabled());
    QVERIFY(!entryPlay->isEnabled());
    QVERIFY(!entryPaste->isEnabled());
    QVERIFY(!app.grid()->isEnabled());
    QCOMPARE(app.grid()->palette().color(QPalette::Base), QColor(160, 160, 164));
    QVERIFY(!child<TColourButton>(form, "OpenButton")->isEnabled());
    QCOMPARE(app.doc()->SavedGridRow(), 3);
    QCOMPARE(app.doc()->SavedGridColumn(), int(StartTime));

    // Each loop's end hands over to the next row until the last has ended.
    QList<int> played;
    const bool finished = app.stepUntil([&] {
        const int row = app.doc()->PlayingBookmark();
        if (played.isEmpty() || played.last() != row)
            played.append(row);
        return app.prompt.messages().contains(kFinished);
    });
    QVERIFY(finished);
    QCOMPARE(played, QList<int>({3, 4, 5}));
    QCOMPARE(app.prompt.messages(), QStringList({kFinished}));

    // Everything is as it was, the cursor included.
    QVERIFY(!app.doc()->PlayingAll());
    QCOMPARE(app.grid()->cursorRow(), 3);
    QCOMPARE(app.grid()->cursorColumn(), int(StartTime));
    QCOMPARE(app.doc()->SavedGridRow(), -1);
    QCOMPARE(child<TColourButton>(form, "PlayAll")->text(), QStringLiteral("Play All Bookmarks"));
    QVERIFY(!child<TBlinkLabel>(form, "PlayingAllLabel")->isVisibleTo(form));
    QVERIFY(!mainStop->isVisibleTo(app.main()));
    QVERIFY(addBookmark->isVisibleTo(app.main()));
    QVERIFY(viewClip->isEnabled());
    QVERIFY(entryPlay->isEnabled());
    QVERIFY(entryPaste->isEnabled());
    QVERIFY(app.grid()->isEnabled());
    QCOMPARE(app.grid()->palette().color(QPalette::Base), BookmarksGridLook::Cream);
    QVERIFY(child<TColourButton>(form, "OpenButton")->isEnabled());
    QVERIFY(!app.loops()->PlayOnNextStateChange());
    app.step();
    QVERIFY(!playing(app));
}

void TestBookmarkPlaying::aFailingBookmarkDuringPlayAll()
{
    CatalogFixture app;
    QVERIFY(app.start());
    CatalogData data = app.catalog({"one", "two", "three"});
    QVERIFY(app.open(data));
    QFile::remove(app.clipFolder() + QStringLiteral("clip 2.mp4"));
    app.click(Name, 1);
    TBookmarksForm* form = app.form();
    child<TColourButton>(form, "PlayAll")->click();

    QVERIFY(app.stepUntil([&] { return !app.prompt.messages().isEmpty(); }));
    QCOMPARE(app.prompt.messages(), QStringList({"The \"Filename\" does not exist.\nPlease fix, and try again."}));
    // Play all stays on with nothing playing.
    for (int i = 0; i < 20; ++i)
        app.step();
    QVERIFY(app.doc()->PlayingAll());
    QVERIFY(!playing(app));
    QCOMPARE(app.doc()->PlayingBookmark(), 2);

    // Stepping on plays the last row, and its end finishes the sequence.
    child<TColourButton>(app.main(), "NextBookmarkButton")->click();
    QVERIFY(app.stepUntil([&] { return app.prompt.messages().contains(kFinished); }));
    QCOMPARE(app.grid()->cursorRow(), 1);
    QVERIFY(!app.doc()->PlayingAll());
}

void TestBookmarkPlaying::previousOnTheFirstRowAndStopFromTheMainWindow()
{
    CatalogFixture app;
    QVERIFY(app.start());
    QVERIFY(app.open(app.catalog({"one", "two"})));
    app.click(Name, 1);
    app.formControl<TColourButton>("PlayAll")->click();
    app.engine->finishLoad();
    QVERIFY(playing(app));

    // During play all, previous on the first row plays it again, silently.
    app.player()->setCurrentPosition(40);
    child<TColourButton>(app.main(), "PreviousBookmarkButton")->click();
    QCOMPARE(app.doc()->PlayingBookmark(), 1);
    QCOMPARE(app.player()->CurrentPosition(), 10.0);
    QVERIFY(app.prompt.messages().isEmpty());

    child<TColourButton>(app.main(), "PlayAll")->click();
    QVERIFY(!app.doc()->PlayingAll());
    QVERIFY(!playing(app));
    QCOMPARE(app.grid()->cursorRow(), 1);
    QCOMPARE(app.grid()->cursorColumn(), int(Name));
}

QTEST_MAIN(TestBookmarkPlaying)
#include "TestBookmarkPlaying.moc"
