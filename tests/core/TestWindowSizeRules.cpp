// The main window's sizing rules: the minimum size, the shrink and enlarge
// steps, where the focus goes after a window command, the lock's toggle, the
// full-screen memory; and how a key reported by the full-screen player
// reaches the commands.
#include "core/input/FullScreenKeys.h"
#include "core/playback/MediaPlayerControl.h"
#include "core/window/WindowSizeRules.h"

#include <QtTest>

using namespace windowsize;
using Route = keys::FullScreenKeyRoute;

Q_DECLARE_METATYPE(windowsize::FocusTarget)
Q_DECLARE_METATYPE(windowsize::Asker)
Q_DECLARE_METATYPE(keys::FullScreenKeyRoute::Typed)

class TestWindowSizeRules : public QObject {
    Q_OBJECT

private slots:
    void minimumSize_data();
    void minimumSize();
    void shrinkStopsAtTheMinimum();
    void enlargeAddsOneStep();
    void focusAfterFullScreen_data();
    void focusAfterFullScreen();
    void focusAfterMaximizeToggle_data();
    void focusAfterMaximizeToggle();
    void lockToggle();
    void windowCommandsDecide();
    void skipOnlyAfterAKeyboardEntry();
    void fullScreenKeys_data();
    void fullScreenKeys();
    void sizesFitTheScreen();
    void pictureScaledDownOnlyWhenLockedAndCut();
    void toggleStaysInFrontWithNoOtherWindow_data();
    void toggleStaysInFrontWithNoOtherWindow();
    void fullScreenStoresThePlacementBeforeIt();
};

void TestWindowSizeRules::minimumSize_data()
{
    QTest::addColumn<bool>("locked");
    QTest::addColumn<bool>("clip");
    QTest::addColumn<bool>("controls");
    QTest::addColumn<QSize>("expected");
    QTest::newRow("locked, clip, controls") << true << true << true << QSize(640 + 203, 360 + 266);
    QTest::newRow("locked, clip, controls hidden") << true << true << false << QSize(640 + 203, 360 + 118);
    QTest::newRow("locked, no clip") << true << false << true << QSize(303, 366);
    QTest::newRow("locked, no clip, controls hidden") << true << false << false << QSize(303, 218);
    QTest::newRow("unlocked, clip") << false << true << true << QSize(303, 366);
    QTest::newRow("unlocked, clip, controls hidden") << false << true << false << QSize(303, 218);
}

void TestWindowSizeRules::minimumSize()
{
    QFETCH(bool, locked);
    QFETCH(bool, clip);
    QFETCH(bool, controls);
    QFETCH(QSize, expected);
    QCOMPARE(windowsize::minimumSize({locked, clip, QSize(640, 360), controls, QSize(), QSize()}), expected);
    // The room measured around the picture area, where the window knows it.
    if (locked && clip)
        QCOMPARE(windowsize::minimumSize({locked, clip, QSize(640, 360), controls, QSize(195, 233), QSize()}),
                 QSize(640 + 195, 360 + 233));
}

void TestWindowSizeRules::shrinkStopsAtTheMinimum()
{
    const QSize minimum = windowsize::minimumSize({});
    QSize size(340, 400);
    QCOMPARE(shrunk(size, minimum), QSize(325, 390));
    for (int i = 0; i < 10; ++i)
        size = shrunk(size, minimum);
    QCOMPARE(size, minimum);
    // A locked window whose clip is larger than the window allows.
    const QSize locked = windowsize::minimumSize({true, true, QSize(720, 576), true, QSize(), QSize()});
    QCOMPARE(shrunk(QSize(930, 850), locked), QSize(923, 842));
}

void TestWindowSizeRules::enlargeAddsOneStep()
{
    QCOMPARE(enlarged(QSize(923, 753)), QSize(938, 763));
}

void TestWindowSizeRules::focusAfterFullScreen_data()
{
    QTest::addColumn<Asker>("requester");
    QTest::addColumn<FocusTarget>("target");
    QTest::newRow("catalog window") << Asker::BookmarksForm << FocusTarget::CatalogWindow;
    QTest::newRow("catalog grid") << Asker::BookmarksGrid << FocusTarget::CatalogWindow;
    QTest::newRow("command line entry") << Asker::CommandLineEntryForm << FocusTarget::CommandLineEntryForm;
    QTest::newRow("information window") << Asker::FilePlayingInfoForm << FocusTarget::FilePlayingInfoForm;
    QTest::newRow("main window") << Asker::MainForm << FocusTarget::Stay;
    QTest::newRow("F2 button") << Asker::FullScreenButton << FocusTarget::Stay;
    QTest::newRow("another control") << Asker::Other << FocusTarget::Stay;
    QTest::newRow("nobody") << Asker::None << FocusTarget::Stay;
}

void TestWindowSizeRules::focusAfterFullScreen()
{
    QFETCH(Asker, requester);
    QFETCH(FocusTarget, target);
    QCOMPARE(windowsize::focusAfterFullScreen(requester), target);
}

void TestWindowSizeRules::focusAfterMaximizeToggle_data()
{
    QTest::addColumn<Asker>("sender");
    QTest::addColumn<FocusTarget>("target");
    QTest::newRow("F1 button") << Asker::MaximizeButton << FocusTarget::MainFocusPanel;
    QTest::newRow("F2 button") << Asker::FullScreenButton << FocusTarget::MainFocusPanel;
    QTest::newRow("main window") << Asker::MainForm << FocusTarget::MainWindow;
    QTest::newRow("catalog window") << Asker::BookmarksForm << FocusTarget::CatalogWindow;
    QTest::newRow("catalog grid") << Asker::BookmarksGrid << FocusTarget::Stay;
    QTest::newRow("command line entry") << Asker::CommandLineEntryForm << FocusTarget::CommandLineEntryForm;
    QTest::newRow("information window") << Asker::FilePlayingInfoForm << FocusTarget::FilePlayingInfoForm;
    QTest::newRow("another control") << Asker::Other << FocusTarget::Stay;
    QTest::newRow("no sender") << Asker::None << FocusTarget::Stay;
}

void TestWindowSizeRules::focusAfterMaximizeToggle()
{
    QFETCH(Asker, sender);
    QFETCH(FocusTarget, target);
    QCOMPARE(windowsize::focusAfterMaximizeToggle(sender), target);
}

// F1 and F2 by the state they find; F3 and F4 refused from their own button
// only.
void TestWindowSizeRules::windowCommandsDecide()
{
    QCOMPARE(maximizeStep(true, false), MaximizeStep::LeaveFullScreenMaximized);
    QCOMPARE(maximizeStep(true, true), MaximizeStep::LeaveFullScreenMaximized);
    QCOMPARE(maximizeStep(false, false), MaximizeStep::Maximize);
    QCOMPARE(maximizeStep(false, true), MaximizeStep::Restore);
    QCOMPARE(fullScreenStep(true, false), FullScreenStep::Leave);
    QCOMPARE(fullScreenStep(false, true), FullScreenStep::Enter);
    QCOMPARE(fullScreenStep(false, false), FullScreenStep::Refuse);
    QCOMPARE(toggleRefusal(WindowToggle::VideoWindow, Asker::VideoWindowButton),
             QStringLiteral("Sorry, but for this function to work, you have to press the <F3> button itself."));
    QCOMPARE(toggleRefusal(WindowToggle::CatalogWindow, Asker::CatalogWindowButton),
             QStringLiteral("Sorry, but for this function to work, you have to press the <F4> button itself."));
    for (Asker asker : {Asker::None, Asker::MainForm, Asker::BookmarksForm, Asker::CatalogWindowButton}) {
        QVERIFY(toggleRefusal(WindowToggle::VideoWindow, asker).isEmpty());
        QVERIFY(toggleRefusal(WindowToggle::CatalogWindow, asker == Asker::CatalogWindowButton ? Asker::None : asker)
                    .isEmpty());
    }
}

void TestWindowSizeRules::lockToggle()
{
    const LockChange on = lockChange(true, true, QSize(352, 240), 72);
    QVERIFY(on.locked);
    QCOMPARE(on.displaySize, mpDefaultSize);
    QCOMPARE(on.playerSize, std::optional<QSize>(QSize(352, 312)));

    const LockChange onWithoutClip = lockChange(true, false, QSize(), 72);
    QVERIFY(onWithoutClip.locked);
    QCOMPARE(onWithoutClip.displaySize, mpDefaultSize);
    QVERIFY(!onWithoutClip.playerSize);

    const LockChange off = lockChange(false, true, QSize(352, 240), 72);
    QVERIFY(!off.locked);
    QCOMPARE(off.displaySize, mpFitToSize);
    QVERIFY(!off.playerSize);
}

void TestWindowSizeRules::skipOnlyAfterAKeyboardEntry()
{
    FullScreenMemory memory;
    QVERIFY(!memory.takeSkipNextKey());
    memory.entered(Asker::BookmarksForm);
    QCOMPARE(memory.requester(), Asker::BookmarksForm);
    QVERIFY(memory.takeSkipNextKey());
    QVERIFY(!memory.takeSkipNextKey());
    memory.entered(Asker::FullScreenButton);
    QVERIFY(!memory.takeSkipNextKey());
    memory.setRequester(Asker::BookmarksGrid);
    QCOMPARE(memory.requester(), Asker::BookmarksGrid);
    QVERIFY(!memory.skipNextKey());
}

void TestWindowSizeRules::fullScreenKeys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("mods");
    QTest::addColumn<bool>("skip");
    QTest::addColumn<bool>("keyDown");
    QTest::addColumn<Route::Typed>("typed");
    QTest::addColumn<QString>("character");
    const Qt::KeyboardModifiers none;
    const Qt::KeyboardModifiers shift(Qt::ShiftModifier);
    QTest::newRow("skipped") << int(Qt::Key_F) << none << true << false << Route::Typed::None << "";
    QTest::newRow("F1") << int(Qt::Key_F1) << none << false << true << Route::Typed::None << "";
    QTest::newRow("F2") << int(Qt::Key_F2) << none << false << true << Route::Typed::None << "";
    QTest::newRow("F3") << int(Qt::Key_F3) << none << false << false << Route::Typed::None << "";
    QTest::newRow("Ctrl+F7") << int(Qt::Key_F7) << Qt::KeyboardModifiers(Qt::ControlModifier) << false << false
                             << Route::Typed::None << "";
    QTest::newRow("F24") << int(Qt::Key_F24) << none << false << false << Route::Typed::None << "";
    QTest::newRow("letter") << int(Qt::Key_F) << none << false << true << Route::Typed::Press << "f";
    QTest::newRow("digit") << int(Qt::Key_8) << none << false << true << Route::Typed::Press << "8";
    QTest::newRow("Shift+letter") << int(Qt::Key_A) << shift << false << true << Route::Typed::None << "";
    QTest::newRow("Shift+digit") << int(Qt::Key_1) << shift << false << true << Route::Typed::None << "";
    QTest::newRow("choose clip") << int(Qt::Key_C) << none << false << true << Route::Typed::Beep << "c";
    QTest::newRow("add bookmark") << int(Qt::Key_O) << none << false << true << Route::Typed::Beep << "o";
    // The space plays and pauses in full screen too.
    QTest::newRow("space") << int(Qt::Key_Space) << none << false << true << Route::Typed::Press << " ";
    QTest::newRow("Shift+space") << int(Qt::Key_Space) << shift << false << true << Route::Typed::None << "";
    QTest::newRow("arrow") << int(Qt::Key_Left) << none << false << true << Route::Typed::None << "";
    QTest::newRow("Page Down") << int(Qt::Key_PageDown) << none << false << true << Route::Typed::None << "";
}

void TestWindowSizeRules::fullScreenKeys()
{
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, mods);
    QFETCH(bool, skip);
    QFETCH(bool, keyDown);
    QFETCH(Route::Typed, typed);
    QFETCH(QString, character);
    const Route route = keys::routeFullScreenKey(key, mods, skip, QStringLiteral("c"), QStringLiteral("o"));
    QCOMPARE(route.keyDown, keyDown);
    QCOMPARE(route.typed, typed);
    if (typed != Route::Typed::None)
        QCOMPARE(QString(route.character), character);
}

// No size the program sets is larger than the available area of the
// window's screen: the minimum, a requested size, stored bounds.
void TestWindowSizeRules::sizesFitTheScreen()
{
    const QSize screen(1280, 1024);
    // A 1080p clip locked to its size wants about 2,120 px of width.
    // It is shown smaller, in a window that can still be made smaller.
    MinimumSizeFacts facts{true, true, QSize(1920, 1080), true, QSize(203, 266), screen};
    QCOMPARE(windowsize::minimumSize(facts), QSize(303, 366));
    facts.native = QSize(640, 360);
    QCOMPARE(windowsize::minimumSize(facts), QSize(640 + 203, 360 + 266));
    facts.available = QSize(); // not known: nothing to cap by
    facts.native = QSize(1920, 1080);
    QCOMPARE(windowsize::minimumSize(facts), QSize(1920 + 203, 1080 + 266));

    QCOMPARE(cappedSize(QSize(2123, 1346), screen), screen);
    QCOMPARE(cappedSize(QSize(900, 2000), screen), QSize(900, 1024));
    QCOMPARE(cappedSize(QSize(900, 700), QSize()), QSize(900, 700));

    const QRect area(0, 0, 1280, 1024);
    QCOMPARE(cappedBounds(QRect(100, 100, 900, 700), area), QRect(100, 100, 900, 700));
    QCOMPARE(cappedBounds(QRect(40, 40, 2123, 1346), area), area);
    QCOMPARE(cappedBounds(QRect(800, 600, 900, 700), area), QRect(380, 324, 900, 700));
    // Stored on a second monitor that is gone: back onto this one.
    QCOMPARE(cappedBounds(QRect(3000, 2000, 700, 560), area), QRect(580, 464, 700, 560));
    const QRect secondScreen(1280, 0, 1920, 1080);
    QCOMPARE(cappedBounds(QRect(1300, 10, 2400, 1500), secondScreen), secondScreen);
}

void TestWindowSizeRules::pictureScaledDownOnlyWhenLockedAndCut()
{
    QVERIFY(pictureScaledDown(true, QSize(1920, 1080), QSize(1077, 606)));
    QVERIFY(pictureScaledDown(true, QSize(1920, 1080), QSize(1920, 1000)));
    QVERIFY(!pictureScaledDown(true, QSize(640, 360), QSize(1077, 606)));
    QVERIFY(!pictureScaledDown(false, QSize(1920, 1080), QSize(1077, 606))); // fitted to the player anyway
    QVERIFY(!pictureScaledDown(true, QSize(), QSize(1077, 606)));            // sound only
    QCOMPARE(shownSizeText("1077 x 606", true, QSize(1920, 1080), QSize(1077, 606)),
             QStringLiteral("1077 x 606 (scaled down to fit the screen)"));
    QCOMPARE(shownSizeText("640 x 360", true, QSize(640, 360), QSize(640, 360)), QStringLiteral("640 x 360"));
    // The options' choice as stored; an unknown one plays in the catalog.
    QCOMPARE(playClickBehavior(1), PlayClickBehavior::VideoToFront);
    QCOMPARE(playClickBehavior(2), PlayClickBehavior::FullScreen);
    QCOMPARE(playClickBehavior(7), PlayClickBehavior::StayInCatalog);
}

Q_DECLARE_METATYPE(windowsize::ToggleStep)

void TestWindowSizeRules::toggleStaysInFrontWithNoOtherWindow_data()
{
    QTest::addColumn<bool>("active");
    QTest::addColumn<bool>("fromItself");
    QTest::addColumn<bool>("otherShown");
    QTest::addColumn<ToggleStep>("step");
    QTest::newRow("not active") << false << true << true << ToggleStep::BringToFront;
    QTest::newRow("not active, alone") << false << true << false << ToggleStep::BringToFront;
    QTest::newRow("from another window") << true << false << true << ToggleStep::BehindSender;
    QTest::newRow("from itself") << true << true << true << ToggleStep::BehindOther;
    QTest::newRow("from itself, alone") << true << true << false << ToggleStep::StayInFront;
}

void TestWindowSizeRules::toggleStaysInFrontWithNoOtherWindow()
{
    QFETCH(bool, active);
    QFETCH(bool, fromItself);
    QFETCH(bool, otherShown);
    QFETCH(ToggleStep, step);
    QCOMPARE(toggleStep(active, fromItself, otherShown), step);
}

// Full screen is no state the settings file keeps: the window is stored as
// it was before, maximised or at its bounds.
void TestWindowSizeRules::fullScreenStoresThePlacementBeforeIt()
{
    const Placement screen{QRect(0, 0, 1280, 1024), 0};
    const Placement normal{QRect(100, 120, 900, 700), 0};
    const Placement maximized{QRect(100, 120, 900, 700), 2};
    QCOMPARE(placementToStore(screen, true, normal), normal);
    QCOMPARE(placementToStore(screen, true, maximized), maximized);
    QCOMPARE(placementToStore(normal, false, maximized), normal);
    // Nothing known from before: as it is.
    QCOMPARE(placementToStore(screen, true, Placement{}), screen);
}

QTEST_GUILESS_MAIN(TestWindowSizeRules)
#include "TestWindowSizeRules.moc"
