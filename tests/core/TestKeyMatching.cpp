#include "core/input/KeyMatching.h"
#include "core/input/KeyTexts.h"
#include "core/settings/Extras.h"
#include "core/settings/Settings.h"

#include <QtTest>

using namespace keys;
using Ids = QList<int>;
Q_DECLARE_METATYPE(Qt::KeyboardModifiers)

namespace {

KeyTexts defaultKeys()
{
    const Settings s;
    KeyTexts k;
    auto set = [&](KeyBox box, const QString& text) { k[static_cast<int>(box)] = text; };
    set(KeyBox::exit, s.exitKey);
    set(KeyBox::backseconds, s.backSecondsKey);
    set(KeyBox::back1frame, s.back1FrameKey);
    set(KeyBox::forward1frame, s.forward1FrameKey);
    set(KeyBox::forwardseconds, s.forwardSecondsKey);
    set(KeyBox::slowmotion, s.slowMotionKey);
    set(KeyBox::regularspeed, s.regularMotionKey);
    set(KeyBox::fastmotion, s.fastMotionKey);
    set(KeyBox::setStartTime, s.setStartTimeKey);
    set(KeyBox::setEndTime, s.setEndTimeKey);
    set(KeyBox::playLoop, s.playLoopKey);
    set(KeyBox::playFullVideo, s.playFullVideoKey);
    set(KeyBox::chooseclip, s.chooseClipKey);
    set(KeyBox::pastecommandline, s.pasteCommandLineKey);
    set(KeyBox::playcommandline, s.playCommandLineKey);
    set(KeyBox::makebookmark, s.addBookmarkKey);
    set(KeyBox::restart, s.restartKey);
    set(KeyBox::mute, s.muteKey);
    set(KeyBox::previousBookmark, s.previousBookmarkKey);
    set(KeyBox::currentBookmark, s.currentBookmarkKey);
    set(KeyBox::nextBookmark, s.nextBookmarkKey);
    const Extras e;
    set(KeyBox::loopMode, e.loopModeKey);
    set(KeyBox::mirrorView, e.mirrorViewKey);
    set(KeyBox::nudgeStartEarlier, e.nudgeStartEarlierKey);
    set(KeyBox::nudgeStartLater, e.nudgeStartLaterKey);
    set(KeyBox::nudgeEndEarlier, e.nudgeEndEarlierKey);
    set(KeyBox::nudgeEndLater, e.nudgeEndLaterKey);
    set(KeyBox::beatLoop, e.beatLoopKey);
    set(KeyBox::moveOne, e.moveOneKey);
    set(KeyBox::zoomIn, e.zoomInKey);
    set(KeyBox::zoomOut, e.zoomOutKey);
    set(KeyBox::zoomReset, e.zoomResetKey);
    set(KeyBox::beatLevel, e.beatLevelKey);
    return k;
}

// Key texts with some boxes changed: "box=text;box=text" by duplicate-check number (1-33).
KeyTexts keysWith(const QString& changes)
{
    KeyTexts k = defaultKeys();
    for (const QString& change : changes.split(u';', Qt::SkipEmptyParts)) {
        const int eq = change.indexOf(u'=');
        k[change.left(eq).toInt() - 1] = change.mid(eq + 1);
    }
    return k;
}

Ids ids(std::initializer_list<Command> commands)
{
    Ids out;
    for (Command c : commands)
        out << static_cast<int>(c);
    return out;
}

Ids ids(const QList<Command>& commands)
{
    Ids out;
    for (Command c : commands)
        out << static_cast<int>(c);
    return out;
}

const QString kAdvice = QStringLiteral(
    "\n\nPlease manually fix or run \"Restore all keyboard and window settings\" in the Options window.");

} // namespace

class TestKeyMatching : public QObject {
    Q_OBJECT

private slots:
    void typedCharacters_data();
    void typedCharacters();
    void keyDown_data();
    void keyDown();
    void typedCharacterOfEvent_data();
    void typedCharacterOfEvent();
    void duplicateMessages_data();
    void duplicateMessages();
    void acceptableKeys_data();
    void acceptableKeys();
    void captionsAndHints();
};

void TestKeyMatching::typedCharacters_data()
{
    QTest::addColumn<QString>("changes");
    QTest::addColumn<QChar>("typed");
    QTest::addColumn<bool>("playingAll");
    QTest::addColumn<bool>("catalogOpen");
    QTest::addColumn<Ids>("expected");

    const QList<QPair<char, Command>> defaults = {
        {'a', Command::backseconds},       {'f', Command::forwardseconds},
        {'s', Command::back1frame},        {'d', Command::forward1frame},
        {'j', Command::slowmotion},        {'k', Command::regularspeed},
        {'l', Command::fastmotion},        {'t', Command::playLoop},
        {'y', Command::playFullVideo},     {'c', Command::viewClip},
        {'g', Command::setStartTime},      {'h', Command::setEndTime},
        {'u', Command::pasteCommandLine},  {'i', Command::playCommandLine},
        {'o', Command::makeBookmark},      {' ', Command::play},
        {'r', Command::restart},           {'m', Command::mute},
        {'b', Command::loopMode},          {'x', Command::mirrorView},
        {'[', Command::nudgeStartEarlier}, {']', Command::nudgeStartLater},
        {',', Command::nudgeEndEarlier},   {'.', Command::nudgeEndLater},
        {'/', Command::beatLoop},          {'w', Command::zoomIn},
        {'q', Command::zoomOut},           {'e', Command::zoomReset},
        {'\'', Command::beatLevel},
    };
    for (const auto& [ch, command] : defaults)
        QTest::addRow("default %c", ch) << QString() << QChar(ch) << false << false << ids({command});
    QTest::newRow("capital does nothing") << QString() << QChar('A') << false << false << Ids{};
    QTest::newRow("exit key types nothing here") << QString() << QChar('z') << false << false << Ids{};
    QTest::newRow("8 without catalog") << QString() << QChar('8') << false << false << Ids{};
    QTest::newRow("8 with catalog") << QString() << QChar('8') << false << true << ids({Command::previousBookmark});
    QTest::newRow("9 with catalog") << QString() << QChar('9') << false << true << ids({Command::currentBookmark});
    QTest::newRow("0 with catalog") << QString() << QChar('0') << false << true << ids({Command::nextBookmark});
    const QList<Command> stoppedByPlayAll = {Command::viewClip,         Command::setStartTime,    Command::setEndTime,
                                             Command::pasteCommandLine, Command::playCommandLine, Command::makeBookmark,
                                             Command::beatLoop};
    for (const auto& [ch, command] : defaults)
        QTest::addRow("%c while playing all", ch)
            << QString() << QChar(ch) << true << true << (stoppedByPlayAll.contains(command) ? Ids{} : ids({command}));
    QTest::newRow("first character of a long box")
        << "2=vy" << QChar('v') << false << false << ids({Command::backseconds});
    QTest::newRow("whole text of a long box") << "13=vy" << QChar('v') << false << false << Ids{};
    QTest::newRow("empty first-character box") << "2=" << QChar('a') << false << false << Ids{};
    QTest::newRow("capital key assigned") << "2=A" << QChar('A') << false << false << ids({Command::backseconds});
    QTest::newRow("small a after capital assigned") << "2=A" << QChar('a') << false << false << Ids{};
    QTest::newRow("two commands, table order")
        << "9=f" << QChar('f') << false << false << ids({Command::forwardseconds, Command::setStartTime});
    QTest::newRow("three commands, table order")
        << "2=m;13=m" << QChar('m') << false << false << ids({Command::backseconds, Command::viewClip, Command::mute});
    QTest::newRow("gated twin skipped") << "9=f" << QChar('f') << true << false << ids({Command::forwardseconds});
    QTest::newRow("blank first-character box answers the space bar too")
        << "2= " << QChar(' ') << false << false << ids({Command::backseconds, Command::play});
}

void TestKeyMatching::typedCharacters()
{
    QFETCH(QString, changes);
    QFETCH(QChar, typed);
    QFETCH(bool, playingAll);
    QFETCH(bool, catalogOpen);
    QFETCH(Ids, expected);
    QCOMPARE(ids(typedCommands(keysWith(changes), typed, {playingAll, catalogOpen})), expected);
}

void TestKeyMatching::keyDown_data()
{
    QTest::addColumn<QString>("changes");
    QTest::addColumn<bool>("ctrlSelect");
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("mods");
    QTest::addColumn<bool>("fromMain");
    QTest::addColumn<bool>("playingAll");
    QTest::addColumn<Ids>("expected");
    QTest::addColumn<bool>("consumed");

    const Qt::KeyboardModifiers none;
    const Qt::KeyboardModifiers shift = Qt::ShiftModifier;
    const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
    const Qt::KeyboardModifiers alt = Qt::AltModifier;
    const Qt::KeyboardModifiers all = shift | ctrl | alt;
    auto row = [&](const char* name, const QString& changes, bool ctrlSelect, int key, Qt::KeyboardModifiers m,
                   bool fromMain, bool playingAll, const Ids& expected, bool consumed = false) {
        QTest::newRow(name) << changes << ctrlSelect << key << m << fromMain << playingAll << expected << consumed;
    };
    const Ids exitIds = ids({Command::exit});
    row("z exits", {}, false, Qt::Key_Z, none, true, false, exitIds);
    row("Shift+Z exits", {}, false, Qt::Key_Z, shift, true, false, exitIds);
    row("Alt+Z exits", {}, false, Qt::Key_Z, alt, true, false, exitIds);
    row("Ctrl+Z does not", {}, false, Qt::Key_Z, ctrl, true, false, {});
    row("CtrlSelect: z does not", {}, true, Qt::Key_Z, none, true, false, {});
    row("CtrlSelect: Ctrl+Z exits", {}, true, Qt::Key_Z, ctrl, true, false, exitIds);
    row("CtrlSelect: Ctrl+Shift+Z exits", {}, true, Qt::Key_Z, ctrl | shift, false, false, exitIds);
    row("capital exit key, small z", "1=Z", false, Qt::Key_Z, none, true, false, exitIds);
    row("exit key from another window", {}, false, Qt::Key_Z, none, false, false, exitIds);
    row("full stop exit key", "1=.", false, Qt::Key_Period, none, true, false, exitIds);
    row("full stop is not Delete", "1=.", false, Qt::Key_Delete, none, true, false, {});
    row("digit exit key", "1=5", false, Qt::Key_5, none, true, false, exitIds);
    row("empty exit key", "1=", false, 0, none, true, false, {});

    row("Shift+F", {}, false, Qt::Key_F, shift, true, false, ids({Command::forwardminutes}));
    row("Shift+A", {}, false, Qt::Key_A, shift, true, false, ids({Command::backminutes}));
    row("Shift+S", {}, false, Qt::Key_S, shift, true, false, ids({Command::backframes}));
    row("Shift+D", {}, false, Qt::Key_D, shift, true, false, ids({Command::forwardframes}));
    row("Shift+O", {}, false, Qt::Key_O, shift, true, false, ids({Command::quickMakeBookmark}));
    row("Shift+O while playing all", {}, false, Qt::Key_O, shift, true, true, ids({Command::quickMakeBookmark}));
    row("Shift+[", {}, false, Qt::Key_BracketLeft, shift, true, false, ids({Command::nudgeStartEarlierTenth}));
    row("Shift+]", {}, false, Qt::Key_BracketRight, shift, true, false, ids({Command::nudgeStartLaterTenth}));
    row("Shift+,", {}, false, Qt::Key_Comma, shift, true, true, ids({Command::nudgeEndEarlierTenth}));
    row("Shift+.", {}, false, Qt::Key_Period, shift, true, false, ids({Command::nudgeEndLaterTenth}));
    row("plain [", {}, false, Qt::Key_BracketLeft, none, true, false, {});
    row("Shift+/ does not loop", {}, false, Qt::Key_Slash, shift, true, false, {});
    row("plain f", {}, false, Qt::Key_F, none, true, false, {});
    row("plain o", {}, false, Qt::Key_O, none, true, false, {});
    row("Ctrl+Shift+F", {}, false, Qt::Key_F, ctrl | shift, true, false, ids({Command::forwardminutes}));
    row("capital key box, Shift", "5=F", false, Qt::Key_F, shift, true, false, ids({Command::forwardminutes}));
    row("exit key equals Shift key", "1=f", false, Qt::Key_F, shift, true, false,
        ids({Command::exit, Command::forwardminutes}));

    row("Page Up", {}, false, Qt::Key_PageUp, none, true, false, ids({Command::playPreviousFile}));
    row("Page Down", {}, false, Qt::Key_PageDown, shift, false, false, ids({Command::playNextFile}));
    row("Page Up while playing all", {}, false, Qt::Key_PageUp, none, true, true, {});
    row("Page Down while playing all", {}, false, Qt::Key_PageDown, none, true, true, {});
    row("F1 any modifiers", {}, false, Qt::Key_F1, all, false, true, ids({Command::maximizeToggle}));
    row("F2", {}, false, Qt::Key_F2, none, true, false, ids({Command::fullScreenMode}));
    row("F3 with Alt", {}, false, Qt::Key_F3, alt, true, false, ids({Command::videoWindowToggle}));
    row("Alt+F4 in main window", {}, false, Qt::Key_F4, alt, true, false, exitIds, true);
    row("Alt+F4 elsewhere", {}, false, Qt::Key_F4, alt, false, false, {});
    row("F4", {}, false, Qt::Key_F4, none, false, false, ids({Command::bookmarksWindowToggle}));
    row("Ctrl+Shift+F4", {}, false, Qt::Key_F4, ctrl | shift, true, false, ids({Command::bookmarksWindowToggle}));
    row("F5 with Ctrl", {}, false, Qt::Key_F5, ctrl, true, false, ids({Command::smallerScreen}));
    row("F6 with Shift", {}, false, Qt::Key_F6, shift, true, false, ids({Command::largerScreen}));
    row("Ctrl+F7", {}, false, Qt::Key_F7, ctrl, true, false, ids({Command::setSmallScreenSize}));
    row("Ctrl+F8", {}, false, Qt::Key_F8, ctrl, true, false, ids({Command::setLargeScreenSize}));
    row("F7", {}, false, Qt::Key_F7, none, true, false, ids({Command::showSmallScreenSize}));
    row("Shift+F8", {}, false, Qt::Key_F8, shift, true, false, ids({Command::showLargeScreenSize}));
    row("Left", {}, false, Qt::Key_Left, none, true, false, ids({Command::arrowLeft}));
    row("Right", {}, false, Qt::Key_Right, none, false, false, ids({Command::arrowRight}));
    row("Up does nothing", {}, false, Qt::Key_Up, none, true, false, {});

    // The media keys, as the keyboard sends them: the play key plays and
    // pauses; each runs with any modifiers, while all bookmarks play too.
    row("media play toggles", {}, false, Qt::Key_MediaPlay, none, true, false, ids({Command::mediaPlayPause}));
    row("play/pause key", {}, false, Qt::Key_MediaTogglePlayPause, none, false, false, ids({Command::mediaPlayPause}));
    row("media pause while playing all", {}, false, Qt::Key_MediaPause, none, true, true, ids({Command::mediaPause}));
    row("media stop with Shift", {}, false, Qt::Key_MediaStop, shift, true, false, ids({Command::mediaStop}));
    row("media next while playing all", {}, false, Qt::Key_MediaNext, none, false, true, ids({Command::mediaNext}));
    row("media previous", {}, false, Qt::Key_MediaPrevious, none, true, false, ids({Command::mediaPrevious}));
    row("media forward", {}, false, Qt::Key_AudioForward, none, true, false, ids({Command::mediaForward}));
    row("media rewind with Ctrl", {}, false, Qt::Key_AudioRewind, ctrl, true, false, ids({Command::mediaRewind}));
}

void TestKeyMatching::keyDown()
{
    QFETCH(QString, changes);
    QFETCH(bool, ctrlSelect);
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, mods);
    QFETCH(bool, fromMain);
    QFETCH(bool, playingAll);
    QFETCH(Ids, expected);
    QFETCH(bool, consumed);
    const KeyDownResult result =
        keyDownCommands(keysWith(changes), ctrlSelect, {key, mods, fromMain}, {playingAll, false});
    QCOMPARE(ids(result.commands), expected);
    QCOMPARE(result.consumed, consumed);
}

void TestKeyMatching::typedCharacterOfEvent_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<Qt::KeyboardModifiers>("mods");
    QTest::addColumn<QString>("expected"); // empty: none
    QTest::newRow("letter") << "a" << Qt::KeyboardModifiers() << "a";
    QTest::newRow("capital with Shift") << "A" << Qt::KeyboardModifiers(Qt::ShiftModifier) << "A";
    QTest::newRow("blank") << " " << Qt::KeyboardModifiers() << " ";
    QTest::newRow("keypad digit") << "8" << Qt::KeyboardModifiers(Qt::KeypadModifier) << "8";
    QTest::newRow("Ctrl letter") << "z" << Qt::KeyboardModifiers(Qt::ControlModifier) << "";
    QTest::newRow("Ctrl control code") << "\x1a" << Qt::KeyboardModifiers(Qt::ControlModifier) << "";
    QTest::newRow("Alt letter") << "a" << Qt::KeyboardModifiers(Qt::AltModifier) << "";
    QTest::newRow("AltGr as Ctrl+Alt") << "@" << Qt::KeyboardModifiers(Qt::ControlModifier | Qt::AltModifier) << "@";
    QTest::newRow("Enter") << "\r" << Qt::KeyboardModifiers() << "";
    QTest::newRow("Escape") << "\x1b" << Qt::KeyboardModifiers() << "";
    QTest::newRow("no text") << "" << Qt::KeyboardModifiers() << "";
    QTest::newRow("two characters") << "ab" << Qt::KeyboardModifiers() << "";
}

void TestKeyMatching::typedCharacterOfEvent()
{
    QFETCH(QString, text);
    QFETCH(Qt::KeyboardModifiers, mods);
    QFETCH(QString, expected);
    const std::optional<QChar> typed = typedCharacter(text, mods);
    QCOMPARE(typed ? QString(*typed) : QString(), expected);
}

void TestKeyMatching::duplicateMessages_data()
{
    QTest::addColumn<QString>("changes");
    QTest::addColumn<bool>("ctrlSelect");
    QTest::addColumn<QStringList>("expected");

    auto pair = [](const char* role1, const QString& key1, const char* role2, const QString& key2) {
        return QStringLiteral("You have duplcate keys assigned.\n\n") + role1 + " is assigned to: '" + key1 + "'\n" +
               role2 + " is assigned to: '" + key2 + "'" + kAdvice;
    };
    QTest::newRow("defaults") << QString() << false << QStringList{};
    QTest::newRow("defaults with Ctrl exit") << QString() << true << QStringList{};
    QTest::newRow("f on set start time") << "9=f" << false
                                         << QStringList{pair("Player Controls: forward seconds key", "f",
                                                             "Main Form: set start time key", "f")};
    QTest::newRow("capital and small are different") << "9=A" << false << QStringList{};
    QTest::newRow("plain exit key clashes")
        << "1=a" << false << QStringList{pair("Options Form: exit key", "a", "Player Controls: back seconds key", "a")};
    QTest::newRow("Ctrl exit key cannot clash") << "1=a" << true << QStringList{};
    QTest::newRow("three roles, three messages")
        << "13=m;21=m" << false
        << QStringList{pair("Options Form: choose clip key", "m", "Options Form: mute key", "m"),
                       pair("Options Form: choose clip key", "m", "Options Form: play next bookmark key", "m"),
                       pair("Options Form: mute key", "m", "Options Form: play next bookmark key", "m")};
    QTest::newRow("pairs in check order")
        << "12=v;3=v;19=n;20=n" << false
        << QStringList{
               pair("Player Controls: back 1 frame key", "v", "Main Form: play full video key", "v"),
               pair("Options Form: play previous bookmark key", "n", "Options Form: play current bookmark key", "n")};
    QTest::newRow("a nudge key on the mirror view key")
        << "26=x" << false
        << QStringList{pair("Practice: mirror view key", "x", "Practice: loop end earlier key", "x")};
    QTest::newRow("beat loop key on play loop")
        << "28=t" << false << QStringList{pair("Main Form: play Loop key", "t", "Practice: beat loop key", "t")};
    QTest::newRow("loop mode key on back seconds")
        << "22=a" << false
        << QStringList{pair("Player Controls: back seconds key", "a", "Practice: loop mode key", "a")};
    QTest::newRow("mirror view key on the loop mode key")
        << "23=b" << false << QStringList{pair("Practice: loop mode key", "b", "Practice: mirror view key", "b")};
    QTest::newRow("choose clip key on the mirror view key")
        << "13=x" << false << QStringList{pair("Options Form: choose clip key", "x", "Practice: mirror view key", "x")};
    QTest::newRow("Ctrl exit key on the mirror view key") << "1=x" << true << QStringList{};
    QTest::newRow("plain exit key on the mirror view key")
        << "1=x" << false << QStringList{pair("Options Form: exit key", "x", "Practice: mirror view key", "x")};
    QTest::newRow("empty boxes are equal")
        << "6=;7=" << false
        << QStringList{pair("Player Controls: slow motion key", "", "Player Controls: regular speed key", "")};
    const QString menuClash = QStringLiteral("You have duplcate keys assigned.\n\nOptions Form: exit key is assigned "
                                             "to: 'Ctrl+o'\nwhich is also assigned to a main menu shortcut.") +
                              kAdvice;
    QTest::newRow("Ctrl exit key on a menu shortcut") << "1=o" << true << QStringList{menuClash};
    QTest::newRow("plain exit key o clashes with add bookmark")
        << "1=o" << false << QStringList{pair("Options Form: exit key", "o", "Options Form: make bookmark key", "o")};
    QTest::newRow("capital O is not a menu letter") << "1=O" << true << QStringList{};
    for (const char* letter : {"i", "q", "l", "s", "w"})
        QTest::addRow("Ctrl+%s", letter) << QStringLiteral("1=") + letter << true
                                         << QStringList{
                                                QString(menuClash).replace("Ctrl+o", QStringLiteral("Ctrl+") + letter)};
}

void TestKeyMatching::duplicateMessages()
{
    QFETCH(QString, changes);
    QFETCH(bool, ctrlSelect);
    QFETCH(QStringList, expected);
    QCOMPARE(duplicateKeyMessages(keysWith(changes), ctrlSelect), expected);
}

void TestKeyMatching::acceptableKeys_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("acceptable");
    QTest::newRow("empty") << "" << false;
    QTest::newRow("blank") << " " << false;
    QTest::newRow("letter") << "a" << true;
    QTest::newRow("capital") << "A" << true;
    QTest::newRow("digit") << "7" << true;
    QTest::newRow("punctuation") << "." << true;
    QTest::newRow("two blanks") << "  " << true;
}

void TestKeyMatching::acceptableKeys()
{
    QFETCH(QString, text);
    QFETCH(bool, acceptable);
    QCOMPARE(isAcceptableKey(text), acceptable);
}

void TestKeyMatching::captionsAndHints()
{
    QCOMPARE(jumpCaption(Jump::backSeconds, "1"), QStringLiteral("<< 1 sec"));
    QCOMPARE(jumpHint(Jump::backSeconds, "1"), QStringLiteral("Jump back 1 second"));
    QCOMPARE(jumpHint(Jump::backSeconds, "10"), QStringLiteral("Jump back 10 seconds"));
    QCOMPARE(jumpHint(Jump::forwardMinutes, "1"), QStringLiteral("Jump forward 1 minute"));
    QCOMPARE(jumpHint(Jump::backMinutes, "5"), QStringLiteral("Jump back 5 minutes"));
    QCOMPARE(jumpCaption(Jump::forwardFrames, "10"), QStringLiteral(">> 10 frames"));
    QCOMPARE(jumpHint(Jump::backFrames, "2"), QStringLiteral("Jump back 2 frames"));
    QCOMPARE(keyHint(jumpHint(Jump::forwardSeconds, "3")),
             QStringLiteral("keyboard equivalent for \"Jump forward 3 seconds\""));
    QCOMPARE(viewClipMenuCaption("c"), QStringLiteral("View video clip                                      (c)"));
    QCOMPARE(exitButtonCaption("z", true), QStringLiteral("exit (Ctrl+z)"));
    QCOMPARE(exitButtonCaption("z", false), QStringLiteral("exit (z)"));
    QCOMPARE(slowMotionHint("0.5"), QStringLiteral("Play the video in slow motion (0.5x speed)"));
    QCOMPARE(fastMotionCaption("2.0"), QStringLiteral("fast (2.0)"));
}

QTEST_GUILESS_MAIN(TestKeyMatching)
#include "TestKeyMatching.moc"
