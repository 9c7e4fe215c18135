#include "core/input/KeyTexts.h"
#include "core/window/ArrangementRules.h"

#include <QtTest>

using namespace arrangement;

class TestArrangementRules : public QObject {
    Q_OBJECT
private slots:
    void fiveStepsVisitEveryStateInOrder_data();
    void fiveStepsVisitEveryStateInOrder();
    void menuItemLandsOnItsState_data();
    void menuItemLandsOnItsState();
    void groupsOfEachState_data();
    void groupsOfEachState();
    void beginnerForcesAllPlayerFirstWithoutWindowControls_data();
    void beginnerForcesAllPlayerFirstWithoutWindowControls();
    void advancedKeepsTheArrangement();
    void bookmarkGroupMovesOnceOnSmallScreens_data();
    void bookmarkGroupMovesOnceOnSmallScreens();
    void bookmarkGroupOffsetsEndWhereDesigned();
    void unknownStatesCountAsTheDefault();
    void captionsFollowKeysExceptBeginnersOwn_data();
    void captionsFollowKeysExceptBeginnersOwn();
};

void TestArrangementRules::fiveStepsVisitEveryStateInOrder_data()
{
    QTest::addColumn<int>("start");
    for (int s = 0; s < StateCount; ++s)
        QTest::addRow("from %d", s) << s;
}

void TestArrangementRules::fiveStepsVisitEveryStateInOrder()
{
    QFETCH(int, start);
    Layout layout;
    layout.choose(start);
    QList<int> visited;
    for (int i = 0; i < StateCount; ++i) {
        layout.step();
        visited << layout.state();
    }
    QList<int> expected;
    for (int i = 1; i <= StateCount; ++i)
        expected << (start + i) % StateCount;
    QCOMPARE(visited, expected);
    QCOMPARE(layout.state(), start);
}

void TestArrangementRules::menuItemLandsOnItsState_data()
{
    QTest::addColumn<int>("item");
    QTest::addColumn<int>("before");
    QTest::newRow("Hidden") << int(Hidden) << 4;
    QTest::newRow("Player controls only") << int(PlayerControlsOnly) << 0;
    QTest::newRow("Window controls only") << int(WindowControlsOnly) << 1;
    QTest::newRow("All -- Player controls first") << int(AllPlayerFirst) << 2;
    QTest::newRow("All -- Window controls first") << int(AllWindowFirst) << 3;
}

void TestArrangementRules::menuItemLandsOnItsState()
{
    QFETCH(int, item);
    QFETCH(int, before);
    QCOMPARE(stateBefore(item), before);
    QCOMPARE(nextState(stateBefore(item)), item);
}

void TestArrangementRules::groupsOfEachState_data()
{
    QTest::addColumn<int>("state");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("menu");
    QTest::addColumn<bool>("panel");
    QTest::addColumn<QList<int>>("lefts"); // basic, advanced, speed, window
    QTest::newRow("0") << 0 << "hidden"
                       << "Hidden" << false << QList<int>{-1, -1, -1, -1};
    QTest::newRow("1") << 1 << "player controls only"
                       << "Player controls only" << true << QList<int>{4, 108, 501, -1};
    QTest::newRow("2") << 2 << "window controls only"
                       << "Window controls only" << true << QList<int>{-1, -1, -1, 4};
    QTest::newRow("3") << 3 << "all -- player controls first"
                       << "All -- Player controls first" << true << QList<int>{4, 108, 501, 647};
    QTest::newRow("4") << 4 << "all - window controls first"
                       << "All -- Window controls first" << true << QList<int>{272, 376, 769, 4};
}

void TestArrangementRules::groupsOfEachState()
{
    QFETCH(int, state);
    QFETCH(QString, button);
    QFETCH(QString, menu);
    QFETCH(bool, panel);
    QFETCH(QList<int>, lefts);
    QCOMPARE(buttonCaption(state), button);
    QCOMPARE(menuCaption(state), menu);
    QCOMPARE(bottomPanelShown(state), panel);
    QList<int> actual;
    for (int g = 0; g < GroupCount; ++g)
        actual << groupLeft(state, Group(g));
    QCOMPARE(actual, lefts);
}

void TestArrangementRules::beginnerForcesAllPlayerFirstWithoutWindowControls_data()
{
    QTest::addColumn<int>("stored");
    for (int s = 0; s < StateCount; ++s)
        QTest::addRow("stored %d", s) << s;
}

void TestArrangementRules::beginnerForcesAllPlayerFirstWithoutWindowControls()
{
    QFETCH(int, stored);
    Layout layout;
    layout.choose(stored);
    QVERIFY(!layout.enterBeginner(1080));
    QVERIFY(layout.beginner());
    QCOMPARE(layout.state(), int(AllPlayerFirst));
    QCOMPARE(layout.groupLeft(Basic), 4);
    QCOMPARE(layout.groupLeft(AdvancedPlayer), 108);
    QCOMPARE(layout.groupLeft(Speed), 501);
    QCOMPARE(layout.groupLeft(Window), -1);
}

void TestArrangementRules::advancedKeepsTheArrangement()
{
    // Stored "player controls only", then advanced mode at start: the window
    // controls stay hidden.
    Layout layout;
    layout.choose(PlayerControlsOnly);
    QVERIFY(!layout.enterAdvanced());
    QCOMPARE(layout.state(), int(PlayerControlsOnly));
    QCOMPARE(layout.groupLeft(Window), -1);
    // From beginner mode, advanced mode keeps arrangement 3 and shows the
    // window controls again.
    layout.enterBeginner(1080);
    layout.enterAdvanced();
    QCOMPARE(layout.state(), int(AllPlayerFirst));
    QCOMPARE(layout.groupLeft(Window), 647);
}

void TestArrangementRules::bookmarkGroupMovesOnceOnSmallScreens_data()
{
    QTest::addColumn<int>("screenHeight");
    QTest::addColumn<bool>("moves");
    QTest::newRow("600") << 600 << true;
    QTest::newRow("700") << 700 << true;
    QTest::newRow("701") << 701 << false;
    QTest::newRow("1080") << 1080 << false;
}

void TestArrangementRules::bookmarkGroupMovesOnceOnSmallScreens()
{
    QFETCH(int, screenHeight);
    QFETCH(bool, moves);
    Layout layout;
    QCOMPARE(layout.enterBeginner(screenHeight), moves);
    QCOMPARE(layout.bookmarksInBottomPanel(), moves);
    QCOMPARE(layout.groupLeft(Speed), moves ? 499 : 501);
    // A second choice of beginner mode moves nothing.
    QVERIFY(!layout.enterBeginner(screenHeight));
    QCOMPARE(layout.bookmarksInBottomPanel(), moves);
    // Advanced mode moves it back, once.
    QCOMPARE(layout.enterAdvanced(), moves);
    QVERIFY(!layout.bookmarksInBottomPanel());
    QVERIFY(!layout.enterAdvanced());
    QCOMPARE(layout.groupLeft(Speed), 501);
}

void TestArrangementRules::bookmarkGroupOffsetsEndWhereDesigned()
{
    const Offset& box = bookmarkGroupOffsets().front();
    QCOMPARE(QByteArray(box.control), QByteArray("BookmarkControlsBox"));
    const QRect right(9, 370, 178, 153);
    const QRect bottom(right.x() + box.left, right.y() + box.top, right.width() + box.width,
                       right.height() + box.height);
    QCOMPARE(bottom, QRect(641, 4, 161, 137));
}

void TestArrangementRules::unknownStatesCountAsTheDefault()
{
    QCOMPARE(validState(7), DefaultState);
    QCOMPARE(validState(-1), DefaultState);
    QCOMPARE(nextState(9), int(AllWindowFirst));
    QCOMPARE(buttonCaption(12), QStringLiteral("all -- player controls first"));
    QCOMPARE(groupLeft(3, GroupCount), -1);
}

// In beginner mode the main window's buttons with a caption of their own
// keep it; every other caption names its key, in both modes.
void TestArrangementRules::captionsFollowKeysExceptBeginnersOwn_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("inMainWindow");
    QTest::addColumn<bool>("beginner");
    QTest::addColumn<bool>("follows");
    QTest::newRow("restart, beginner") << "restartButton" << true << true << false;
    QTest::newRow("view clip, beginner") << "ViewClipButton" << true << true << false;
    QTest::newRow("add bookmark, beginner") << "makeBookmarkButton" << true << true << false;
    QTest::newRow("restart, advanced") << "restartButton" << true << false << true;
    QTest::newRow("mute, beginner (hidden there)") << "muteButton" << true << true << true;
    QTest::newRow("main window's previous, beginner") << "PreviousBookmarkButton" << true << true << true;
    QTest::newRow("catalog's previous, beginner") << "PreviousBookmarkButton" << false << true << true;
    QTest::newRow("paste command line, beginner") << "pasteCommandLineButton" << false << true << true;
    QTest::newRow("play command line, beginner") << "playCommandLineButton" << false << true << true;
}

void TestArrangementRules::captionsFollowKeysExceptBeginnersOwn()
{
    QFETCH(QString, button);
    QFETCH(bool, inMainWindow);
    QFETCH(bool, beginner);
    QFETCH(bool, follows);
    QCOMPARE(keys::captionFollowsKey(button, inMainWindow, beginner), follows);
}

QTEST_APPLESS_MAIN(TestArrangementRules)
#include "TestArrangementRules.moc"
