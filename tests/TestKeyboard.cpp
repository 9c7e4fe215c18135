#include "AppFixture.h"
#include "Controls.h"

#include "core/catalog/BookmarkMaking.h"
#include "core/catalog/CatalogDocument.h"
#include "core/input/KeyCommandTable.h"
#include "core/playback/LoopControls.h"
#include "gui/catalog/TBookmarksForm.h"
#include "gui/catalog/TBookmarksGrid.h"
#include "gui/cmdline/TCommandLineEntryForm.h"
#include "gui/info/TFilePlayingInfoForm.h"
#include "gui/input/FocusModel.h"
#include "gui/input/FocusSink.h"
#include "gui/input/KeyAssignments.h"
#include "gui/input/KeyCommands.h"
#include "gui/input/Keyboard.h"
#include "gui/main/WindowSizing.h"
#include "gui/options/TOptionsForm.h"
#include "gui/widgets/TColourButton.h"
#include "gui/widgets/TimeBox.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTableView>
#include <QTableWidget>

using keys::Command;
Q_DECLARE_METATYPE(keys::Command)
using Commands = QList<Command>;
Q_DECLARE_METATYPE(Qt::Key)
Q_DECLARE_METATYPE(Qt::KeyboardModifiers)

namespace {

Commands ranCommands(const QSignalSpy& spy)
{
    Commands out;
    for (const QList<QVariant>& args : spy)
        out << args.at(0).value<Command>();
    return out;
}

QStringList ranOperations(const QSignalSpy& spy)
{
    QStringList out;
    for (const QList<QVariant>& args : spy)
        out << args.at(0).toString();
    return out;
}

// The catalog's grid shows once it holds a bookmark; keys typed in it are
// commands.
void focusGrid(TBookmarksForm* catalog)
{
    auto* grid = child<QTableView>(catalog, "BookmarksGrid");
    grid->show();
    grid->setFocus(Qt::MouseFocusReason);
}

} // namespace

class TestKeyboard : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void startsWithPlayerControlsActive();
    void everyKeyReachesItsCommand_data();
    void everyKeyReachesItsCommand();
    void keysRunTheRightOperations();
    void windowKeysTellTheirWindow_data();
    void windowKeysTellTheirWindow();
    void gatesStopCommands();
    void otherWindowsPassTheirKeys_data();
    void otherWindowsPassTheirKeys();
    void catalogCellEditingKeepsLetters();
    void timeBoxTakesTextAndEscapeEndsIt();
    void keyBoxTakesTextAndEnterEndsIt();
    void reassignedKeyReplacesTheOldOne();
    void sameCharacterRunsBothInTableOrder();
    void exitKey_data();
    void exitKey();
    void altF4OnlyFromTheMainWindow();
    void menuShortcutsWorkDuringTextEntry();
    void activationAndClicksGiveTheSinkTheFocus();
    void addBookmarkMousePress();
};

void TestKeyboard::initTestCase()
{
    qRegisterMetaType<keys::Command>();
    qRegisterMetaType<windowsize::Asker>();
}

void TestKeyboard::startsWithPlayerControlsActive()
{
    AppFixture p;
    QVERIFY(p.start());
    QVERIFY(AppFixture::activate(p.main()));
    FocusSink* sink = child<FocusSink>(p.main(), "PanelFocusPanel");
    QVERIFY(sink->isActive());
    QCOMPARE(sink->stateText(), QStringLiteral("player controls active"));
    QCOMPARE(sink->stateColor(), QColor(0, 128, 0));
    QVERIFY(p.keyboard()->mainFocus->keyPreview());
    QCOMPARE(p.keyboard()->commands->lastArrow(), CatalogView::Arrow::None);
}

void TestKeyboard::everyKeyReachesItsCommand_data()
{
    QTest::addColumn<Qt::Key>("key");
    QTest::addColumn<char>("character"); // 0: send the key code only
    QTest::addColumn<Qt::KeyboardModifiers>("mods");
    QTest::addColumn<Commands>("expected");
    const Qt::KeyboardModifiers none;
    const Qt::KeyboardModifiers shift = Qt::ShiftModifier;
    const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
    auto typed = [&](const char* name, char c, Qt::KeyboardModifiers m, const Commands& expected) {
        QTest::newRow(name) << Qt::Key(0) << c << m << expected;
    };
    auto code = [&](const char* name, Qt::Key k, Qt::KeyboardModifiers m, const Commands& expected) {
        QTest::newRow(name) << k << char(0) << m << expected;
    };
    typed("a", 'a', none, {Command::backseconds});
    typed("f", 'f', none, {Command::forwardseconds});
    typed("s", 's', none, {Command::back1frame});
    typed("d", 'd', none, {Command::forward1frame});
    typed("j", 'j', none, {Command::slowmotion});
    typed("k", 'k', none, {Command::regularspeed});
    typed("l", 'l', none, {Command::fastmotion});
    typed("t", 't', none, {Command::playLoop});
    typed("y", 'y', none, {Command::playFullVideo});
    typed("c", 'c', none, {Command::viewClip});
    typed("g", 'g', none, {Command::setStartTime});
    typed("h", 'h', none, {Command::setEndTime});
    typed("u", 'u', none, {Command::pasteCommandLine});
    typed("i", 'i', none, {Command::playCommandLine});
    typed("o", 'o', none, {Command::makeBookmark});
    typed("blank", ' ', none, {Command::play});
    typed("r", 'r', none, {Command::restart});
    typed("m", 'm', none, {Command::mute});
    typed("8 without a catalog", '8', none, {});
    typed("Shift+A", 'A', shift, {Command::backminutes});
    typed("Shift+F", 'F', shift, {Command::forwardminutes});
    typed("Shift+S", 'S', shift, {Command::backframes});
    typed("Shift+D", 'D', shift, {Command::forwardframes});
    typed("Shift+O", 'O', shift, {Command::quickMakeBookmark});
    typed("Shift+T types a capital, starts nothing", 'T', shift, {});
    typed("Ctrl+A starts nothing", 'a', ctrl, {});
    code("Page Up", Qt::Key_PageUp, none, {Command::playPreviousFile});
    code("Page Down", Qt::Key_PageDown, none, {Command::playNextFile});
    code("F1", Qt::Key_F1, none, {Command::maximizeToggle});
    code("F2", Qt::Key_F2, none, {Command::fullScreenMode});
    code("F3", Qt::Key_F3, none, {Command::videoWindowToggle});
    code("F4", Qt::Key_F4, none, {Command::bookmarksWindowToggle});
    code("F5", Qt::Key_F5, none, {Command::smallerScreen});
    code("F6", Qt::Key_F6, none, {Command::largerScreen});
    code("F7", Qt::Key_F7, none, {Command::showSmallScreenSize});
    code("F8", Qt::Key_F8, none, {Command::showLargeScreenSize});
    code("Ctrl+F7", Qt::Key_F7, ctrl, {Command::setSmallScreenSize});
    code("Ctrl+F8", Qt::Key_F8, ctrl, {Command::setLargeScreenSize});
    code("Shift+F5", Qt::Key_F5, shift, {Command::smallerScreen});
    code("Left", Qt::Key_Left, none, {Command::arrowLeft});
    code("Right", Qt::Key_Right, none, {Command::arrowRight});
    code("Enter", Qt::Key_Return, none, {});
    code("media play", Qt::Key_MediaPlay, none, {Command::mediaPlayPause});
    code("media pause", Qt::Key_MediaPause, none, {Command::mediaPause});
    code("media stop", Qt::Key_MediaStop, none, {Command::mediaStop});
    code("media next", Qt::Key_MediaNext, none, {Command::mediaNext});
    code("media previous", Qt::Key_MediaPrevious, none, {Command::mediaPrevious});
    code("media forward", Qt::Key_AudioForward, none, {Command::mediaForward});
    code("media rewind", Qt::Key_AudioRewind, none, {Command::mediaRewind});
}

void TestKeyboard::everyKeyReachesItsCommand()
{
    QFETCH(Qt::Key, key);
    QFETCH(char, character);
    QFETCH(Qt::KeyboardModifiers, mods);
    QFETCH(Commands, expected);
    AppFixture p;
    QVERIFY(p.start());
    QVERIFY(p.openClipAt(100));
    QVERIFY(AppFixture::activate(p.main()));
    p.main()->giveFocusToSink();
    QSignalSpy ran(p.keyboard()->commands, &KeyCommands::commandRan);
    if (character)
        AppFixture::type(p.main(), character, mods);
    else if (keys::isMediaKey(key))
        AppFixture::silentKey(p.main(), key, mods);
    else
        AppFixture::key(p.main(), key, mods);
    QCOMPARE(ranCommands(ran), expected);
    // F2 has put the picture full screen, where keys take another way.
    p.player()->setFullScreenMode(false);
}

void TestKeyboard::keysRunTheRightOperations()
{
    AppFixture p;
    QVERIFY(p.start());
    QVERIFY(AppFixture::activate(p.main()));
    QVERIFY(p.openClipAt(100));
    TMainForm* m = p.main();
    auto press = [&](char c, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        AppFixture::type(m, c, mods);
        p.step();
    };
    press('a');
    QCOMPARE(p.position(), 97.0); // back 3 seconds
    press('f');
    QCOMPARE(p.position(), 100.0);
    press('A', Qt::ShiftModifier);
    QCOMPARE(p.position(), 40.0); // back 1 minute
    press('F', Qt::ShiftModifier);
    QCOMPARE(p.position(), 100.0);
    press('d');
    QVERIFY(qAbs(p.position() - (100.0 + 1.0 / 30)) < 1e-6);
    press('s');
    QVERIFY(qAbs(p.position() - 100.0) < 1e-6);
    press('D', Qt::ShiftModifier);
    QVERIFY(qAbs(p.position() - (100.0 + 5.0 / 30)) < 1e-6);
    press('S', Qt::ShiftModifier);
    QVERIFY(qAbs(p.position() - 100.0) < 1e-6);
    press('g');
    QCOMPARE(child<TimeBox>(m, "setStartTimeValue")->digitText(), QStringLiteral("000140"));
    p.player()->setCurrentPosition(130);
    p.step();
    press('h');
    QCOMPARE(child<TimeBox>(m, "setEndTimeValue")->digitText(), QStringLiteral("000210"));
    press('j');
    QCOMPARE(p.player()->Rate(), 0.5);
    press('l');
    QCOMPARE(p.player()->Rate(), 2.0);
    press('k');
    QCOMPARE(p.player()->Rate(), 1.0);
    press('m');
    QVERIFY(p.player()->Mute());
    press('m');
    QVERIFY(!p.player()->Mute());
    const bool playing = p.player()->PlayState() == mpPlaying;
    press(' ');
    QCOMPARE(p.player()->PlayState() == mpPlaying, !playing);
    press(' ');
    QCOMPARE(p.player()->PlayState() == mpPlaying, playing);
    press('t');
    QVERIFY(p.loops()->LoopIsPlaying());
    press('y');
    QVERIFY(!p.loops()->LoopIsPlaying());
    press('r');
    QVERIFY(p.position() < 0.1); // from the start, playing

    QGuiApplication::clipboard()->setText(QStringLiteral("00:00:05 00:00:09 \"a.mp4\" \"/nowhere/\""));
    press('u');
    QCOMPARE(child<QLineEdit>(p.windows().CommandLineEntryForm, "CommandLineText")->text(),
             QGuiApplication::clipboard()->text());
    p.prompt.clear();
    press('i'); // the pasted clip does not exist: the play operation says so
    QCOMPARE(p.prompt.messages().size(), 1);
    p.prompt.clear();
    press('c');
    QCOMPARE(p.prompt.shown().size(), 1);
    QCOMPARE(p.prompt.shown().first().kind, QStringLiteral("open"));
}

void TestKeyboard::windowKeysTellTheirWindow_data()
{
    QTest::addColumn<Qt::Key>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("mods");
    QTest::addColumn<Command>("command");
    const Qt::KeyboardModifiers none;
    QTest::newRow("F1") << Qt::Key_F1 << none << Command::maximizeToggle;
    QTest::newRow("Ctrl+Alt+F1") << Qt::Key_F1 << Qt::KeyboardModifiers(Qt::ControlModifier | Qt::AltModifier)
                                 << Command::maximizeToggle;
    QTest::newRow("F2") << Qt::Key_F2 << none << Command::fullScreenMode;
    QTest::newRow("F3") << Qt::Key_F3 << none << Command::videoWindowToggle;
    QTest::newRow("F4") << Qt::Key_F4 << none << Command::bookmarksWindowToggle;
    QTest::newRow("F5") << Qt::Key_F5 << none << Command::smallerScreen;
    QTest::newRow("F6") << Qt::Key_F6 << none << Command::largerScreen;
    QTest::newRow("F7") << Qt::Key_F7 << none << Command::showSmallScreenSize;
    QTest::newRow("F8") << Qt::Key_F8 << none << Command::showLargeScreenSize;
    QTest::newRow("Ctrl+F7") << Qt::Key_F7 << Qt::KeyboardModifiers(Qt::ControlModifier) << Command::setSmallScreenSize;
    QTest::newRow("Ctrl+F8") << Qt::Key_F8 << Qt::KeyboardModifiers(Qt::ControlModifier) << Command::setLargeScreenSize;
}

// Each function key runs its window command from every window that passes
// its keys on; full screen, entered from a window, goes back to it.
void TestKeyboard::windowKeysTellTheirWindow()
{
    QFETCH(Qt::Key, key);
    QFETCH(Qt::KeyboardModifiers, mods);
    QFETCH(Command, command);
    AppFixture p;
    QVERIFY(p.start());
    QVERIFY(p.openClipAt(100));
    for (QWidget* window : {static_cast<QWidget*>(p.main()), static_cast<QWidget*>(p.windows().BookmarksForm),
                            static_cast<QWidget*>(p.windows().FilePlayingInfoForm)}) {
        QVERIFY(AppFixture::activate(window));
        if (window == p.windows().BookmarksForm)
            focusGrid(p.windows().BookmarksForm);
        QSignalSpy ran(p.keyboard()->commands, &KeyCommands::commandRan);
        AppFixture::key(window, key, mods);
        QCOMPARE(ranCommands(ran), Commands{command});
        if (command == Command::fullScreenMode) {
            const windowsize::Asker told = window == p.main() ? windowsize::Asker::MainForm
                                           : window == p.windows().BookmarksForm
                                               ? windowsize::Asker::BookmarksForm
                                               : windowsize::Asker::FilePlayingInfoForm;
            QCOMPARE(p.sizing()->fullScreen().requester(), told);
        }
        p.player()->setFullScreenMode(false);
    }
    p.windows().BookmarksForm->hide();
    p.windows().FilePlayingInfoForm->hide();
}

void TestKeyboard::gatesStopCommands()
{
    AppFixture p;
    QVERIFY(p.start());
    QVERIFY(AppFixture::activate(p.main()));
    TBookmarksForm* catalog = p.windows().BookmarksForm;
    QSignalSpy ran(p.keyboard()->commands, &KeyCommands::commandRan);

    catalog->document()->setPlayingAll(true);
    for (char c : {'c', 'g', 'h', 'u', 'i', 'o'})
        AppFixture::type(p.main(), c);
    AppFixture::key(p.main(), Qt::Key_PageUp);
    AppFixture::key(p.main(), Qt::Key_PageDown);
    QCOMPARE(ranCommands(ran), Commands{});
    QVERIFY(p.prompt.shown().isEmpty());
    catalog->document()->setPlayingAll(false);

    for (char c : {'8', '9', '0'})
        AppFixture::type(p.main(), c);
    QCOMPARE(ranCommands(ran), Commands{});
    catalog->document()->setCatalogMode(CatalogDocument::Mode::New);
    for (char c : {'8', '9', '0'})
        AppFixture::type(p.main(), c);
    QCOMPARE(ranCommands(ran), (Commands{Command::previousBookmark, Command::currentBookmark, Command::nextBookmark}));

    // The quick add is no command the gates stop: its bookmark is made
    // while all bookmarks play.
    p.openClip(p.makeClip(QStringLiteral("lesson.mp4")));
    catalog->document()->setPlayingAll(true);
    AppFixture::type(p.main(), 'O', Qt::ShiftModifier);
    const CatalogDocument* d = catalog->document();
    QCOMPARE(d->Cells(BookmarkColumn::Filename, d->RowCount() - 1), QStringLiteral("lesson.mp4"));
    catalog->document()->setPlayingAll(false);
}

void TestKeyboard::otherWindowsPassTheirKeys_data()
{
    QTest::addColumn<QString>("window");
    QTest::newRow("catalog") << "catalog";
    QTest::newRow("command line entry") << "entry";
    QTest::newRow("video file information") << "info";
}

void TestKeyboard::otherWindowsPassTheirKeys()
{
    QFETCH(QString, window);
    AppFixture p;
    QVERIFY(p.start());
    QVERIFY(p.openClipAt(100));
    QWidget* other = window == "catalog" ? static_cast<QWidget*>(p.windows().BookmarksForm)
                     : window == "entry" ? static_cast<QWidget*>(p.windows().CommandLineEntryForm)
                                         : static_cast<QWidget*>(p.windows().FilePlayingInfoForm);
    QVERIFY(AppFixture::activate(other));
    if (window == "catalog")
        focusGrid(p.windows().BookmarksForm);
    AppFixture::type(other, 'a');
    p.step();
    QCOMPARE(p.position(), 97.0);
    AppFixture::type(other, 'F', Qt::ShiftModifier);
    p.step();
    QCOMPARE(p.position(), 157.0);
    AppFixture::key(other, Qt::Key_Right);
    QCOMPARE(p.keyboard()->commands->lastArrow(), CatalogView::Arrow::Right);
    AppFixture::key(other, Qt::Key_Left);
    QCOMPARE(p.keyboard()->commands->lastArrow(), CatalogView::Arrow::Left);
}

void TestKeyboard::catalogCellEditingKeepsLetters()
{
    AppFixture p;
    QVERIFY(p.start());
    QVERIFY(p.openClipAt(100));
    TBookmarksForm* catalog = p.windows().BookmarksForm;
    QVERIFY(AppFixture::activate(catalog));
    focusGrid(catalog);
    auto* grid = child<QTableView>(catalog, "BookmarksGrid");
    grid->setEditTriggers(QAbstractItemView::AllEditTriggers);
    AppFixture::type(catalog, 'a');
    p.step();
    QCOMPARE(p.position(), 100.0);
    AppFixture::key(catalog, Qt::Key_Escape); // closes the cell editor, which took the letter
    QVERIFY(grid->hasFocus());
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    AppFixture::type(catalog, 'a');
    p.step();
    QCOMPARE(p.position(), 97.0);
}

void TestKeyboard::timeBoxTakesTextAndEscapeEndsIt()
{
    AppFixture p;
    QVERIFY(p.start());
    QVERIFY(AppFixture::activate(p.main()));
    QVERIFY(p.openClipAt(100));
    TMainForm* m = p.main();
    FocusModel* focus = p.keyboard()->mainFocus;
    QTest::mouseClick(child<TimeBox>(m, "setStartTimeValue"), Qt::LeftButton);
    QVERIFY(child<TimeBox>(m, "setStartTimeValue")->hasFocus());
    QVERIFY(!focus->keyPreview());
    QCOMPARE(child<FocusSink>(m, "PanelFocusPanel")->stateText(), QStringLiteral("text entry active"));
    QCOMPARE(child<FocusSink>(m, "PanelFocusPanel")->stateColor(), QColor(255, 0, 0));

    QSignalSpy ran(p.keyboard()->commands, &KeyCommands::commandRan);
    AppFixture::typeText(m, "ga1");
    AppFixture::key(m, Qt::Key_F1);
    AppFixture::key(m, Qt::Key_PageDown);
    p.step();
    QCOMPARE(ranCommands(ran), Commands{});
    QCOMPARE(p.position(), 100.0);
    QCOMPARE(child<TimeBox>(m, "setStartTimeValue")->digitText().remove(u'_'), QStringLiteral("1"));

    // A media key types nothing: it plays in the box too, which keeps the
    // focus and its text.
    AppFixture::silentKey(m, Qt::Key_MediaPlay);
    p.step();
    QCOMPARE(ranCommands(ran), Commands{Command::mediaPlayPause});
    QCOMPARE(p.player()->PlayState(), mpPlaying);
    QVERIFY(child<TimeBox>(m, "setStartTimeValue")->hasFocus());
    QCOMPARE(child<TimeBox>(m, "setStartTimeValue")->digitText().remove(u'_'), QStringLiteral("1"));
    AppFixture::silentKey(m, Qt::Key_MediaPlay);
    p.step();
    QCOMPARE(p.player()->PlayState(), mpPaused);
    p.player()->setCurrentPosition(100.0);
    p.step();

    AppFixture::key(m, Qt::Key_Escape);
    QVERIFY(child<FocusSink>(m, "PanelFocusPanel")->isActive());
    QCOMPARE(child<FocusSink>(m, "PanelFocusPanel")->stateText(), QStringLiteral("player controls active"));
    QVERIFY(focus->keyPreview());
    QCOMPARE(child<TimeBox>(m, "setStartTimeValue")->digitText(), QString()); // the unfinished entry is abandoned
    AppFixture::type(m, 'a');
    p.step();
    QCOMPARE(p.position(), 97.0);
}

void TestKeyboard::keyBoxTakesTextAndEnterEndsIt()
{
    AppFixture p;
    QVERIFY(p.startWithSettings({QStringLiteral("Beginner_Mode: 0")})); // the key boxes show in advanced mode
    QVERIFY(AppFixture::activate(p.main()));
    QVERIFY(p.openClipAt(100));
    TMainForm* m = p.main();
    QTest::mouseClick(child<QLineEdit>(m, "playLoopKey"), Qt::LeftButton);
    QVERIFY(!p.keyboard()->mainFocus->keyPreview());
    child<QLineEdit>(m, "playLoopKey")->selectAll();
    AppFixture::type(m, 'f');
    p.step();
    QCOMPARE(child<QLineEdit>(m, "playLoopKey")->text(), QStringLiteral("f"));
    QCOMPARE(p.position(), 100.0);
    AppFixture::key(m, Qt::Key_Return);
    QVERIFY(child<FocusSink>(m, "PanelFocusPanel")->isActive());
    QVERIFY(p.keyboard()->mainFocus->keyPreview());
    QVERIFY(p.prompt.messages().isEmpty());
}

void TestKeyboard::reassignedKeyReplacesTheOldOne()
{
    AppFixture p;
    QVERIFY(p.startWithSettings({QStringLiteral("Beginner_Mode: 0")})); // the key boxes show in advanced mode
    QVERIFY(AppFixture::activate(p.main()));
    QVERIFY(p.openClipAt(100));
    TMainForm* m = p.main();
    QTest::mouseClick(child<QLineEdit>(m, "backsecondsKey"), Qt::LeftButton);
    child<QLineEdit>(m, "backsecondsKey")->selectAll();
    AppFixture::type(m, 'q');
    AppFixture::key(m, Qt::Key_Escape);
    AppFixture::type(m, 'a');
    p.step();
    QCOMPARE(p.position(), 100.0);
    AppFixture::type(m, 'q');
    p.step();
    QCOMPARE(p.position(), 97.0);
    AppFixture::type(m, 'Q', Qt::ShiftModifier); // the Shift form follows the new key too
    p.step();
    QCOMPARE(p.position(), 37.0);

    // An options-window key: typed into its box, used at once.
    TOptionsForm* options = p.windows().OptionsForm;
    child<QLineEdit>(options, "restartKey")->setText(QStringLiteral("x"));
    AppFixture::type(m, 'r');
    p.step();
    QCOMPARE(p.position(), 37.0);
    AppFixture::type(m, 'x');
    p.step();
    QVERIFY(p.position() < 0.1);
}

void TestKeyboard::sameCharacterRunsBothInTableOrder()
{
    AppFixture p;
    QVERIFY(p.start());
    QVERIFY(AppFixture::activate(p.main()));
    QVERIFY(p.openClipAt(100));
    TMainForm* m = p.main();
    child<QLineEdit>(m, "setStartTimeKey")->setText(QStringLiteral("f"));
    QSignalSpy ran(p.keyboard()->commands, &KeyCommands::commandRan);
    AppFixture::type(m, 'f');
    p.step();
    QCOMPARE(ranCommands(ran), (Commands{Command::forwardseconds, Command::setStartTime}));
    // The start time is taken after the jump: the jump ran first.
    QCOMPARE(child<TimeBox>(m, "setStartTimeValue")->digitText(), QStringLiteral("000143"));
}

void TestKeyboard::exitKey_data()
{
    QTest::addColumn<bool>("ctrlSelect");
    QTest::addColumn<char>("character");
    QTest::addColumn<Qt::KeyboardModifiers>("mods");
    QTest::addColumn<bool>("closes");
    QTest::newRow("z") << false << 'z' << Qt::KeyboardModifiers() << true;
    QTest::newRow("Shift+Z") << false << 'Z' << Qt::KeyboardModifiers(Qt::ShiftModifier) << true;
    QTest::newRow("Ctrl+Z") << false << 'z' << Qt::KeyboardModifiers(Qt::ControlModifier) << false;
    QTest::newRow("CtrlSelect: z") << true << 'z' << Qt::KeyboardModifiers() << false;
    QTest::newRow("CtrlSelect: Ctrl+Z") << true << 'z' << Qt::KeyboardModifiers(Qt::ControlModifier) << true;
}

void TestKeyboard::exitKey()
{
    QFETCH(bool, ctrlSelect);
    QFETCH(char, character);
    QFETCH(Qt::KeyboardModifiers, mods);
    QFETCH(bool, closes);
    AppFixture p;
    QVERIFY(p.start());
    QVERIFY(AppFixture::activate(p.main()));
    child<QCheckBox>(p.windows().OptionsForm, "CtrlSelect")->setChecked(ctrlSelect);
    QSignalSpy closing(p.main(), &TMainForm::closing);
    AppFixture::type(p.main(), character, mods);
    QCOMPARE(closing.size(), closes ? 1 : 0);
    QCOMPARE(p.main()->isVisible(), !closes);
}

void TestKeyboard::altF4OnlyFromTheMainWindow()
{
    AppFixture p;
    QVERIFY(p.start());
    QSignalSpy closing(p.main(), &TMainForm::closing);
    QSignalSpy ran(p.keyboard()->commands, &KeyCommands::commandRan);
    QVERIFY(AppFixture::activate(p.windows().CommandLineEntryForm));
    AppFixture::key(p.windows().CommandLineEntryForm, Qt::Key_F4, Qt::AltModifier);
    QCOMPARE(closing.size(), 0);
    QVERIFY(!ranCommands(ran).contains(Command::bookmarksWindowToggle)); // Alt+F4 is not F4
    QVERIFY(AppFixture::activate(p.main()));
    AppFixture::key(p.main(), Qt::Key_F4, Qt::AltModifier);
    QCOMPARE(closing.size(), 1);
    QVERIFY(!p.main()->isVisible());
    QVERIFY(!ranCommands(ran).contains(Command::bookmarksWindowToggle));
}

void TestKeyboard::menuShortcutsWorkDuringTextEntry()
{
    AppFixture p;
    QVERIFY(p.start());
    QVERIFY(AppFixture::activate(p.main()));
    TMainForm* m = p.main();
    QTest::mouseClick(child<TimeBox>(m, "setEndTimeValue"), Qt::LeftButton);
    QVERIFY(!p.keyboard()->mainFocus->keyPreview());
    QSignalSpy lock(child<QAction>(m, "OriginalSize1"), &QAction::triggered);
    QSignalSpy info(child<QAction>(m, "VideoFileInfo1"), &QAction::triggered);
    QSignalSpy catalog(child<QAction>(m, "ShowBookmarks1"), &QAction::triggered);
    const bool locked = child<QAction>(m, "OriginalSize1")->isChecked();
    AppFixture::key(m, Qt::Key_L, Qt::ControlModifier);
    AppFixture::key(m, Qt::Key_O, Qt::ControlModifier);
    // Last: the video file information window comes to the front.
    AppFixture::key(m, Qt::Key_I, Qt::ControlModifier);
    QCOMPARE(lock.size(), 1);
    QCOMPARE(child<QAction>(m, "OriginalSize1")->isChecked(), !locked);
    QCOMPARE(info.size(), 1);
    QCOMPARE(catalog.size(), 1);
}

void TestKeyboard::activationAndClicksGiveTheSinkTheFocus()
{
    AppFixture p;
    QVERIFY(p.start());
    TMainForm* m = p.main();
    QVERIFY(AppFixture::activate(m));
    QTest::mouseClick(child<TimeBox>(m, "setStartTimeValue"), Qt::LeftButton);
    QVERIFY(!p.keyboard()->mainFocus->keyPreview());
    QVERIFY(AppFixture::activate(p.windows().CommandLineEntryForm));
    QVERIFY(AppFixture::activate(m));
    QVERIFY(child<FocusSink>(m, "PanelFocusPanel")->isActive());
    QVERIFY(p.keyboard()->mainFocus->keyPreview());

    m->showBookmarkingInfo(true); // the bookmark list shows only with a catalog open
    child<QComboBox>(m, "LoopList")->setFocus(Qt::TabFocusReason);
    QVERIFY(!p.keyboard()->mainFocus->keyPreview());
    QTest::mouseClick(child<QGroupBox>(m, "AdvancedPlayerControlsBox"), Qt::LeftButton, {}, QPoint(180, 8));
    QVERIFY(child<FocusSink>(m, "PanelFocusPanel")->isActive());
    QVERIFY(p.keyboard()->mainFocus->keyPreview());
}

void TestKeyboard::addBookmarkMousePress()
{
    AppFixture p;
    QVERIFY(p.start());
    TMainForm* m = p.main();
    QVERIFY(AppFixture::activate(m));
    // With a clip but no loop: the quick add makes a bookmark, the add asks
    // for a start time.
    p.openClip(p.makeClip(QStringLiteral("lesson.mp4")));
    QTest::mouseClick(child<TimeBox>(m, "setStartTimeValue"), Qt::LeftButton);
    QTest::mousePress(child<TColourButton>(m, "makeBookmarkButton"), Qt::LeftButton, Qt::ShiftModifier);
    QTest::mouseRelease(child<TColourButton>(m, "makeBookmarkButton"), Qt::LeftButton, Qt::ShiftModifier);
    QVERIFY(child<FocusSink>(m, "PanelFocusPanel")->isActive());
    QCOMPARE(p.windows().BookmarksForm->document()->CatalogMode(), CatalogDocument::Mode::New);
    QVERIFY(p.prompt.messages().isEmpty());
    QTest::mousePress(child<TColourButton>(m, "makeBookmarkButton"), Qt::LeftButton);
    QTest::mouseRelease(child<TColourButton>(m, "makeBookmarkButton"), Qt::LeftButton);
    QCOMPARE(p.prompt.messages(),
             QStringList{"You must enter a \"Start Time\" in Loop Controls (above) before defining a bookmark."});
}

QTEST_MAIN(TestKeyboard)
#include "TestKeyboard.moc"
