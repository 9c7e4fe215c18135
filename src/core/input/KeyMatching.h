#pragma once

#include <QList>
#include <QString>
#include <Qt>
#include <array>
#include <optional>

// The program's keystroke commands as data, and the rules that decide which
// of them a keystroke starts. Pure: the windows hand in the texts of the key
// boxes and the state of the gates, and get back the commands to run, in
// order.
namespace keys {

// The user-assignable key boxes, in the order the duplicate check walks them.
enum class KeyBox {
    exit,
    backseconds,
    back1frame,
    forward1frame,
    forwardseconds,
    slowmotion,
    regularspeed,
    fastmotion,
    setStartTime,
    setEndTime,
    playLoop,
    playFullVideo,
    chooseclip,
    pastecommandline,
    playcommandline,
    makebookmark,
    restart,
    mute,
    previousBookmark,
    currentBookmark,
    nextBookmark,
    loopMode,
    mirrorView,
    nudgeStartEarlier,
    nudgeStartLater,
    nudgeEndEarlier,
    nudgeEndLater,
    beatLoop,
    moveOne,
    zoomIn,
    zoomOut,
    zoomReset,
    beatLevel,
    None // fixed keys
};
constexpr int KeyBoxCount = 33;

// The text of every key box, indexed by KeyBox.
using KeyTexts = std::array<QString, KeyBoxCount>;
inline const QString& keyOf(const KeyTexts& texts, KeyBox box)
{
    return texts[static_cast<int>(box)];
}

// Everything a keystroke can start.
enum class Command {
    backseconds,
    forwardseconds,
    back1frame,
    forward1frame,
    slowmotion,
    regularspeed,
    fastmotion,
    playLoop,
    playFullVideo,
    viewClip,
    previousBookmark,
    currentBookmark,
    nextBookmark,
    setStartTime,
    setEndTime,
    pasteCommandLine,
    playCommandLine,
    makeBookmark,
    play,
    restart,
    mute,
    exit,
    forwardminutes,
    backminutes,
    backframes,
    forwardframes,
    quickMakeBookmark,
    playPreviousFile,
    playNextFile,
    maximizeToggle,
    fullScreenMode,
    videoWindowToggle,
    bookmarksWindowToggle,
    smallerScreen,
    largerScreen,
    setSmallScreenSize,
    setLargeScreenSize,
    showSmallScreenSize,
    showLargeScreenSize,
    arrowLeft,
    arrowRight,
    loopMode,
    mirrorView,
    // A loop's start or end a frame earlier or later; with Shift
    // ("Tenth") a tenth of a second.
    nudgeStartEarlier,
    nudgeStartLater,
    nudgeEndEarlier,
    nudgeEndLater,
    nudgeStartEarlierTenth,
    nudgeStartLaterTenth,
    nudgeEndEarlierTenth,
    nudgeEndLaterTenth,
    beatLoop,
    // The count's "1" one beat later.
    moveOne,
    // The picture a step closer, a step further, or whole again.
    zoomIn,
    zoomOut,
    zoomReset,
    // The beats counted twice as fast, half as fast, or as found.
    beatLevel,
    // The keyboard's media keys (MediaControls runs them).
    mediaPlayPause,
    mediaPause,
    mediaStop,
    mediaNext,
    mediaPrevious,
    mediaForward,
    mediaRewind
};
constexpr int CommandCount = static_cast<int>(Command::mediaRewind) + 1;

// How a row compares a key box with a keystroke.
enum class Match {
    FirstCharacter, // typed character equals the box's first character
    WholeText,      // typed character, as a text, equals the box's text
    Blank,          // the space bar (not assignable)
    ExitKeyCode,    // key code of the box's key; Ctrl as CtrlSelect says
    ShiftKeyCode,   // key code of the box's key with Shift held
    FixedKey        // a key no box assigns (function keys, Page Up/Down, arrows)
};

// When a row may run.
enum class Gate { Always, NotPlayingAll, CatalogOpen };

struct Gates {
    bool playingAll = false;
    bool catalogOpen = false; // the catalog's mode is not 0
};

bool gateOpen(Gate gate, const Gates& gates);

// The matching rules, one per kind of row.
bool matchesFirstCharacter(const QString& box, QChar typed);
bool matchesWholeText(const QString& box, QChar typed);
// A letter key's code is its capital, so this ignores letter case. Any other
// character matches only the key whose code is that character (the key that
// types it unshifted on most layouts): "." matches the full stop key.
bool matchesKeyCode(const QString& box, int keyCode);

// The character a keystroke types for the command table, if any: one
// printable character typed without Ctrl or Alt (both together are AltGr).
std::optional<QChar> typedCharacter(const QString& text, Qt::KeyboardModifiers modifiers);

// Commands started by one typed character, in table order (the typed rows
// of commandRows in KeyCommandTable.h).
QList<Command> typedCommands(const KeyTexts& keys, QChar typed, const Gates& gates);

struct KeyDown {
    int key = 0;
    Qt::KeyboardModifiers modifiers;
    bool fromMainWindow = false; // the key was pressed in the main window itself
};

struct KeyDownResult {
    QList<Command> commands;
    bool consumed = false; // the key goes no further (Alt+F4 in the main window)
};

// Commands started by one key code, in table order (the key-code rows).
KeyDownResult keyDownCommands(const KeyTexts& keys, bool ctrlSelect, const KeyDown& down, const Gates& gates);

} // namespace keys
