// The main window's two modes and five arrangements on the real windows, and
// the pop-up hints they all show.
#include "AppFixture.h"
#include "Controls.h"
#include "gui/input/FocusModel.h"
#include "gui/input/KeyAssignments.h"
#include "gui/input/KeyCommands.h"
#include "gui/input/Keyboard.h"

#include "core/catalog/BookmarksGridColumns.h"
#include "core/catalog/CatalogDocument.h"
#include "gui/catalog/TBookmarksForm.h"
#include "gui/info/TFilePlayingInfoForm.h"
#include "gui/input/FocusSink.h"
#include "gui/main/AppWindows.h"
#include "gui/main/ControlsArrangement.h"
#include "gui/main/PlayerControlsPanel.h"
#include "gui/options/TOptionsForm.h"
#include "gui/widgets/PopUpHintSwitch.h"
#include "gui/widgets/TColourButton.h"
#include "gui/widgets/TimeBox.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QHelpEvent>
#include <QLineEdit>
#include <QToolTip>

namespace {

const char* const kGroups[] = {"basicPlayControlsBox", "AdvancedPlayerControlsBox", "speedControlsBox",
                               "WindowControlsBox"};
const char* const kStateItems[] = {"Hidden1", "PlayerControls1", "WindowControls1", "All_Player_First",
                                   "All_Window_First"};
const char* const kHiddenForBeginners[] = {
    "ImportClipsButton", "previousClipButton", "nextClipButton",      "UserControlsPanel", "exitButton",
    "WindowControlsBox", "backSecondsValue",   "forwardSecondsValue", "backMinutesValue",  "forwardMinutesValue",
    "backframesValue",   "forwardframesValue", "backsecondsKey",      "back1frameKey",     "forward1frameKey",
    "forwardsecondsKey", "backminutesKey",     "backframesKey",       "forwardframesKey",  "forwardminutesKey",
    "slowmotionKey",     "regularspeedKey",    "fastmotionKey",       "setStartTimeKey",   "setEndTimeKey",
    "playLoopKey",       "playFullVideoKey",   "slowmotionRate",      "fastmotionRate",    "muteButton"};

QString caption(TMainForm* m, const char* name)
{
    return child<TColourButton>(m, name)->text();
}

// The groups' left positions as the window shows them, -1 for hidden.
QList<int> groupLefts(TMainForm* m)
{
    QList<int> lefts;
    for (const char* g : kGroups) {
        QWidget* group = child<QGroupBox>(m, g);
        lefts << (group->isVisibleTo(m) ? group->x() : -1);
    }
    return lefts;
}

QString checkedStateItem(TMainForm* m)
{
    QString checked;
    for (const char* item : kStateItems) {
        if (child<QAction>(m, item)->isChecked())
            checked += QString::fromLatin1(item);
    }
    return checked;
}

QString readConfig(AppFixture& p)
{
    QFile f(p.programFolder() + QStringLiteral("config.txt"));
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

} // namespace

class TestModesAndArrangements : public QObject {
    Q_OBJECT
private slots:
    void arrangementsShowTheirGroups_data();
    void arrangementsShowTheirGroups();
    void layoutButtonCyclesThroughAllFive();
    void beginnerModeHidesAndPlaces();
    void advancedModeShowsEverythingAgain();
    void keysOfHiddenControlsStillAct();
    void bookmarkGroupMovesOnSmallScreens_data();
    void bookmarkGroupMovesOnSmallScreens();
    void modeAndArrangementRoundTrip_data();
    void modeAndArrangementRoundTrip();
    void hintsOfEveryWindow();
    void hintsFollowKeysAndCategoryTitle();
    void hintSwitchSilencesEveryHint();
    void storedHintSwitchTakesEffectAtStart();
};

void TestModesAndArrangements::arrangementsShowTheirGroups_data()
{
    QTest::addColumn<int>("state");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QList<int>>("lefts");
    QTest::newRow("0") << 0 << "hidden" << QList<int>{-1, -1, -1, -1};
    QTest::newRow("1") << 1 << "player controls only" << QList<int>{4, 108, 501, -1};
    QTest::newRow("2") << 2 << "window controls only" << QList<int>{-1, -1, -1, 4};
    QTest::newRow("3") << 3 << "all -- player controls first" << QList<int>{4, 108, 501, 647};
    QTest::newRow("4") << 4 << "all - window controls first" << QList<int>{272, 376, 769, 4};
}

void TestModesAndArrangements::arrangementsShowTheirGroups()
{
    QFETCH(int, state);
    QFETCH(QString, button);
    QFETCH(QList<int>, lefts);
    AppFixture p;
    QVERIFY(p.startWithSettings({"Beginner_Mode: 0", QStringLiteral("User_Controls_Visible: %1").arg(state)}));
    TMainForm* m = p.main();
    QCOMPARE(m->arrangement()->state(), state);
    QCOMPARE(caption(m, "ShowPlayersControlsButton"), button);
    QCOMPARE(checkedStateItem(m), QString::fromLatin1(kStateItems[state]));
    QWidget* bottom = child<QWidget>(m, "PlayerControlsPanel");
    QCOMPARE(bottom->isVisibleTo(m), state != 0);
    QCOMPARE(groupLefts(m), lefts);
    // The video fills what the bottom panel leaves.
    QWidget* picture = m->centralWidget();
    QCOMPARE(child<QWidget>(m, "RHS_Panel")->height(),
             state == 0 ? picture->height() : picture->height() - PlayerControlsPanel::Height);
}

void TestModesAndArrangements::layoutButtonCyclesThroughAllFive()
{
    AppFixture p;
    QVERIFY(p.startWithSettings({"Beginner_Mode: 0", "User_Controls_Visible: 1"}));
    TMainForm* m = p.main();
    QVERIFY(AppFixture::activate(m));
    QSignalSpy changed(m->arrangement(), &ControlsArrangement::layoutChanged);
    QList<int> visited;
    for (int i = 0; i < 5; ++i) {
        QTest::mouseClick(child<TColourButton>(m, "ShowPlayersControlsButton"), Qt::LeftButton);
        visited << m->arrangement()->state();
    }
    QCOMPARE(visited, (QList<int>{2, 3, 4, 0, 1}));
    QCOMPARE(changed.size(), 5);
    QCOMPARE(groupLefts(m), (QList<int>{4, 108, 501, -1}));
    // A click ends with keystrokes as commands.
    QVERIFY(child<FocusSink>(m, "PanelFocusPanel")->isActive());

    // The menu items choose their arrangement directly and check themselves.
    child<QAction>(m, "Hidden1")->trigger();
    QCOMPARE(m->arrangement()->state(), 0);
    QCOMPARE(checkedStateItem(m), QStringLiteral("Hidden1"));
    QVERIFY(!child<QWidget>(m, "PlayerControlsPanel")->isVisibleTo(m));
    child<QAction>(m, "All_Window_First")->trigger();
    QCOMPARE(groupLefts(m), (QList<int>{272, 376, 769, 4}));
    QCOMPARE(checkedStateItem(m), QStringLiteral("All_Window_First"));
}

void TestModesAndArrangements::beginnerModeHidesAndPlaces()
{
    // The default is beginner mode, whatever arrangement was stored.
    AppFixture p;
    QVERIFY(p.startWithSettings({"User_Controls_Visible: 0"}));
    TMainForm* m = p.main();
    QVERIFY(m->arrangement()->isBeginnerMode());
    QVERIFY(child<QAction>(m, "BeginnerMode1")->isChecked());
    QVERIFY(!child<QAction>(m, "AdvancedMode1")->isChecked());
    QVERIFY(!child<QAction>(m, "UserControls1")->isEnabled());
    QCOMPARE(m->arrangement()->state(), 3);
    QVERIFY(child<QWidget>(m, "PlayerControlsPanel")->isVisibleTo(m));
    QCOMPARE(groupLefts(m), (QList<int>{4, 108, 501, -1}));
    for (const char* name : kHiddenForBeginners)
        QVERIFY2(!child<QWidget>(m, name)->isVisibleTo(m), name);
    QVERIFY(child<QWidget>(m, "AdvancedModeButton")->isVisibleTo(m));
    QCOMPARE(child<QWidget>(m, "ViewClipButton")->geometry(), QRect(44, 25, 108, 38));
    QCOMPARE(child<QWidget>(m, "setStartTimeButton")->width(), 103);
    QCOMPARE(child<QWidget>(m, "setEndTimeButton")->width(), 103);
    QCOMPARE(child<QWidget>(m, "playLoopButton")->width(), 114);
    QCOMPARE(child<QWidget>(m, "playFullVideoButton")->width(), 114);
    // The time boxes stay clear of the wider buttons.
    QVERIFY(!child<QWidget>(m, "setStartTimeButton")
                 ->geometry()
                 .intersects(child<QWidget>(m, "setStartTimeValue")->geometry()));
    QCOMPARE(caption(m, "restartButton"), QStringLiteral("restart"));
    QCOMPARE(caption(m, "makeBookmarkButton"), QStringLiteral("add bookmark"));
    QCOMPARE(caption(m, "ViewClipButton"), QStringLiteral("view clip"));
    QCOMPARE(caption(m, "slowmotionButton"), QStringLiteral("slow"));
    QCOMPARE(caption(m, "regularspeedButton"), QStringLiteral("regular speed"));
    QCOMPARE(caption(m, "fastmotionButton"), QStringLiteral("fast"));
    for (const char* speed : {"slowmotionButton", "regularspeedButton", "fastmotionButton"})
        QCOMPARE(child<QWidget>(m, speed)->x(), 17);
    QCOMPARE(child<QWidget>(m, "slowmotionButton")->width(), 105);
    QCOMPARE(child<QWidget>(m, "fastmotionButton")->width(), 105);

    // Key changes leave the beginner captions alone; rate changes too.
    child<QLineEdit>(p.windows().OptionsForm, "restartKey")->setText(QStringLiteral("e"));
    m->playerControls().nonshiftKeyChange();
    QCOMPARE(caption(m, "restartButton"), QStringLiteral("restart"));
    QCOMPARE(caption(m, "slowmotionButton"), QStringLiteral("slow"));
}

void TestModesAndArrangements::advancedModeShowsEverythingAgain()
{
    AppFixture p;
    QVERIFY(p.startWithSettings({"User_Controls_Visible: 1", "Options_Form_Restart_Keystroke: e"}));
    TMainForm* m = p.main();
    QVERIFY(AppFixture::activate(m));
    QTest::mouseClick(child<TColourButton>(m, "AdvancedModeButton"), Qt::LeftButton);
    QVERIFY(!m->arrangement()->isBeginnerMode());
    QVERIFY(child<QAction>(m, "AdvancedMode1")->isChecked());
    QVERIFY(!child<QAction>(m, "BeginnerMode1")->isChecked());
    QVERIFY(child<QAction>(m, "UserControls1")->isEnabled());
    QVERIFY(!child<QWidget>(m, "AdvancedModeButton")->isVisibleTo(m));
    for (const char* name : kHiddenForBeginners)
        QVERIFY2(child<QWidget>(m, name)->isVisibleTo(m), name);
    // Beginner mode had made it arrangement 3, which advanced mode keeps.
    QCOMPARE(m->arrangement()->state(), 3);
    QCOMPARE(groupLefts(m), (QList<int>{4, 108, 501, 647}));
    QCOMPARE(child<QWidget>(m, "ViewClipButton")->geometry(), QRect(9, 5, 86, 28));
    QCOMPARE(child<QWidget>(m, "setStartTimeButton")->width(), 80);
    QCOMPARE(child<QWidget>(m, "playFullVideoButton")->width(), 89);
    QCOMPARE(caption(m, "restartButton"), QStringLiteral("restart (e)"));
    QCOMPARE(caption(m, "makeBookmarkButton"), QStringLiteral("add bookmark (o)"));
    QCOMPARE(caption(m, "ViewClipButton"), QStringLiteral("view clip (c)"));
    QCOMPARE(caption(m, "slowmotionButton"), QStringLiteral("slow (0.5)"));
    QCOMPARE(caption(m, "regularspeedButton"), QStringLiteral("regular speed (1.0)"));
    QCOMPARE(caption(m, "fastmotionButton"), QStringLiteral("fast (2.0)"));
    QCOMPARE(child<QWidget>(m, "slowmotionButton")->geometry().left(), 50);
    QCOMPARE(child<QWidget>(m, "slowmotionButton")->width(), 63);
    QCOMPARE(child<QWidget>(m, "regularspeedButton")->x(), 8);
    QVERIFY(child<FocusSink>(m, "PanelFocusPanel")->isActive());

    // And the other way round through the buttons and the menu.
    QTest::mouseClick(child<TColourButton>(m, "BeginnerModeButton"), Qt::LeftButton);
    QVERIFY(m->arrangement()->isBeginnerMode());
    QVERIFY(child<FocusSink>(m, "PanelFocusPanel")->isActive());
    child<QAction>(m, "AdvancedMode1")->trigger();
    QVERIFY(!m->arrangement()->isBeginnerMode());
    child<QAction>(m, "BeginnerMode1")->trigger();
    QVERIFY(m->arrangement()->isBeginnerMode());
    QVERIFY(child<QAction>(m, "BeginnerMode1")->isChecked());
}

void TestModesAndArrangements::keysOfHiddenControlsStillAct()
{
    AppFixture p;
    QVERIFY(p.start());
    TMainForm* m = p.main();
    QVERIFY(m->arrangement()->isBeginnerMode());
    QVERIFY(AppFixture::activate(m));
    QVERIFY(p.openClipAt(100));
    m->giveFocusToSink();
    auto press = [&](char c, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        AppFixture::type(m, c, mods);
        p.step();
    };
    press('m'); // mute button hidden
    QVERIFY(p.player()->Mute());
    press('a'); // step size hidden
    QCOMPARE(p.position(), 97.0);
    press('F', Qt::ShiftModifier);
    QCOMPARE(p.position(), 157.0);
    press('j'); // key box and rate hidden
    QCOMPARE(p.player()->Rate(), 0.5);
    press('l');
    QCOMPARE(p.player()->Rate(), 2.0);
    press('k');
    QCOMPARE(p.player()->Rate(), 1.0);
    press('g'); // set start time key box hidden
    QCOMPARE(child<TimeBox>(m, "setStartTimeValue")->digitText(), QStringLiteral("000237"));
}

void TestModesAndArrangements::bookmarkGroupMovesOnSmallScreens_data()
{
    QTest::addColumn<int>("screenHeight");
    QTest::addColumn<bool>("moves");
    QTest::newRow("700") << 700 << true;
    QTest::newRow("701") << 701 << false;
}

void TestModesAndArrangements::bookmarkGroupMovesOnSmallScreens()
{
    QFETCH(int, screenHeight);
    QFETCH(bool, moves);
    AppFixture p;
    QVERIFY(p.startWithSettings({"Beginner_Mode: 0"}));
    TMainForm* m = p.main();
    m->arrangement()->screenHeight = [screenHeight] { return screenHeight; };
    QGroupBox* box = child<QGroupBox>(m, "BookmarkControlsBox");
    QWidget* right = child<QWidget>(m, "RHS_Panel");
    QWidget* bottom = child<QWidget>(m, "PlayerControlsPanel");
    const QRect loopList = child<QWidget>(m, "LoopList")->geometry();
    const QRect open = child<QWidget>(m, "OpenCatalogButton")->geometry();
    for (int twice = 0; twice < 2; ++twice) {
        child<QAction>(m, "BeginnerMode1")->trigger();
        QCOMPARE(box->parentWidget(), moves ? bottom : right);
        QCOMPARE(box->geometry(), moves ? QRect(641, 4, 161, 137) : QRect(9, 370, 178, 153));
        QCOMPARE(child<QWidget>(m, "speedControlsBox")->x(), moves ? 499 : 501);
        // Right under the loop controls, where a small screen still shows it.
        QCOMPARE(child<QWidget>(m, "AdvancedModeButton")->y(), moves ? 370 : 527);
        QCOMPARE(child<QWidget>(m, "LoopList")->geometry(), moves ? loopList.adjusted(-2, -4, -15, -4) : loopList);
        QCOMPARE(child<QWidget>(m, "OpenCatalogButton")->geometry(), moves ? open.adjusted(-9, -10, -9, -14) : open);
        QVERIFY(box->isVisibleTo(m));
    }
    child<QAction>(m, "AdvancedMode1")->trigger();
    QCOMPARE(box->parentWidget(), right);
    QCOMPARE(box->geometry(), QRect(9, 370, 178, 153));
    QCOMPARE(child<QWidget>(m, "LoopList")->geometry(), loopList);
    QCOMPARE(child<QWidget>(m, "OpenCatalogButton")->geometry(), open);
    QCOMPARE(child<QWidget>(m, "speedControlsBox")->x(), 501);
    QVERIFY(box->isVisibleTo(m));
}

void TestModesAndArrangements::modeAndArrangementRoundTrip_data()
{
    QTest::addColumn<QStringList>("stored");
    QTest::addColumn<QStringList>("written");
    QTest::newRow("advanced, hidden") << QStringList{"Beginner_Mode: 0", "User_Controls_Visible: 0"}
                                      << QStringList{"Beginner_Mode: 0", "User_Controls_Visible: 0"};
    QTest::newRow("advanced, window controls first") << QStringList{"Beginner_Mode: 0", "User_Controls_Visible: 4"}
                                                     << QStringList{"Beginner_Mode: 0", "User_Controls_Visible: 4"};
    QTest::newRow("beginner imposes 3") << QStringList{"Beginner_Mode: 1", "User_Controls_Visible: 0"}
                                        << QStringList{"Beginner_Mode: 1", "User_Controls_Visible: 3"};
    QTest::newRow("out of range counts as 3") << QStringList{"Beginner_Mode: 0", "User_Controls_Visible: 9"}
                                              << QStringList{"Beginner_Mode: 0", "User_Controls_Visible: 3"};
}

void TestModesAndArrangements::modeAndArrangementRoundTrip()
{
    QFETCH(QStringList, stored);
    QFETCH(QStringList, written);
    AppFixture p;
    QVERIFY(p.startWithSettings(stored));
    QVERIFY(p.main()->close());
    const QString config = readConfig(p);
    for (const QString& line : written)
        QVERIFY2(config.contains(line + "\r\n") || config.contains(line + "\n"), qPrintable(line));
}

void TestModesAndArrangements::hintsOfEveryWindow()
{
    AppFixture p;
    QVERIFY(p.start());
    AppWindows& w = p.windows();
    TMainForm* m = p.main();
    QCOMPARE(child<QWidget>(m, "playButton")->toolTip(),
             QStringLiteral("Play or pause the playback of the current video clip.\nYour <spacebar> does the same "
                            "thing--try it!"));
    // The main window's bookmark buttons have their own, the catalog's name
    // their keys.
    QCOMPARE(child<QWidget>(m, "NextBookmarkButton")->toolTip(), QStringLiteral("Play next bookmark"));
    QCOMPARE(child<TColourButton>(w.BookmarksForm, "NextBookmarkButton")->toolTip(),
             QStringLiteral("Play next bookmark\n(note: the '0' keystroke is active in all windows)"));
    QCOMPARE(child<TColourButton>(w.BookmarksForm, "hideCatalogButton")->toolTip(),
             QStringLiteral("Hide this window (but keep the current video catalog open)."));
    QVERIFY(child<QWidget>(w.FilePlayingInfoForm, "DisplayCodecNameButton")
                ->toolTip()
                .startsWith(QStringLiteral("We recommend you avoid using this feature.")));
    QCOMPARE(child<QWidget>(m, "F1_Button")->toolTip(),
             QStringLiteral("Maximize the Video Playback Window (Loop and Bookmark controls will still be visible.)"));
}

void TestModesAndArrangements::hintsFollowKeysAndCategoryTitle()
{
    AppFixture p;
    QVERIFY(p.start()); // beginner mode: the hints follow the keys all the same
    TMainForm* m = p.main();
    QWidget* add = child<QWidget>(m, "makeBookmarkButton");
    QVERIFY(add->toolTip().contains(QStringLiteral("<Shift+O> will add")));
    child<QLineEdit>(p.windows().OptionsForm, "makebookmarkKey")->setText(QStringLiteral("p"));
    QVERIFY(add->toolTip().contains(QStringLiteral("<Shift+P> will add")));
    QVERIFY(!add->toolTip().contains(QStringLiteral("<Shift+O>")));
    child<QLineEdit>(p.windows().OptionsForm, "nextBookmarkKey")->setText(QStringLiteral("n"));
    QVERIFY(child<TColourButton>(p.windows().BookmarksForm, "NextBookmarkButton")
                ->toolTip()
                .contains(QStringLiteral("the 'n' keystroke")));

    TBookmarksForm* catalog = p.windows().BookmarksForm;
    const QString category = catalog->document()->Cells(BookmarkColumn::Category, 0);
    QCOMPARE(child<TColourButton>(catalog, "hideRepeatsButton")->toolTip(),
             "Hide (or show) consecutively appearing entries in the \"" + category + "\" column");
    catalog->document()->setCells(BookmarkColumn::Category, 0, QStringLiteral("Style"));
    QCOMPARE(child<TColourButton>(catalog, "hideRepeatsButton")->toolTip(),
             QStringLiteral("Hide (or show) consecutively appearing entries in the \"Style\" column"));
}

void TestModesAndArrangements::hintSwitchSilencesEveryHint()
{
    AppFixture p;
    QVERIFY(p.start());
    TMainForm* m = p.main();
    QVERIFY(AppFixture::activate(m));
    QWidget* play = child<QWidget>(m, "playButton");
    auto askForHint = [play] {
        QToolTip::hideText();
        if (!QTest::qWaitFor([] { return !QToolTip::isVisible(); }))
            return QStringLiteral("<the last hint stayed up>");
        QHelpEvent help(QEvent::ToolTip, QPoint(5, 5), play->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(play, &help);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    };
    QVERIFY(PopUpHintSwitch::hintsShown());
    QTRY_VERIFY(askForHint().contains(QStringLiteral("spacebar")));
    auto* disable = child<QCheckBox>(p.windows().OptionsForm, "DisableShowHints");
    disable->click();
    QVERIFY(disable->isChecked());
    QVERIFY(!PopUpHintSwitch::hintsShown());
    QCOMPARE(askForHint(), QString());
    disable->click();
    QTRY_VERIFY(askForHint().contains(QStringLiteral("spacebar")));
}

void TestModesAndArrangements::storedHintSwitchTakesEffectAtStart()
{
    {
        AppFixture p;
        QVERIFY(p.startWithSettings({"Options_Form_Disable_Showing_Hints: 1"}));
        QVERIFY(!PopUpHintSwitch::hintsShown());
    }
    AppFixture p;
    QVERIFY(p.startWithSettings({"Options_Form_Disable_Showing_Hints: 0"}));
    QVERIFY(PopUpHintSwitch::hintsShown());
}

QTEST_MAIN(TestModesAndArrangements)
#include "TestModesAndArrangements.moc"
