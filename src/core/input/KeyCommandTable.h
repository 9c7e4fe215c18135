#pragma once

#include "core/input/KeyMatching.h"

#include <QString>
#include <array>

// The keyboard as data. One row per key box (what the duplicate check, the
// settings file and the windows know of it) and one row per key command
// (which box or fixed key starts it, how it matches, when it may run, and
// the words of the caption that shows its key). The dispatcher, the
// duplicate check and the key captions all walk these tables.
namespace keys {

struct KeyBoxRow {
    KeyBox box;
    const char* objectName;     // the box's control
    const char* roleName;       // in the duplicate check's messages
    const char* accessibleName; // of the box
    const char* settingsKey;    // in config.txt (the practice keys: extras.txt)
    const char* defaultKey;
};

// In the duplicate check's order (the order of KeyBox).
extern const std::array<KeyBoxRow, KeyBoxCount> keyBoxRows;

// What a fixed key (one no box assigns) asks of the modifiers.
enum class Held {
    Any,
    Ctrl,            // Ctrl held
    NoCtrl,          // Ctrl not held
    NoAlt,           // Alt not held
    AltInMainWindow, // Alt held, pressed in the main window itself; consumes the key
};

struct CommandRow {
    Command command;
    KeyBox box;  // None for a fixed key
    Match match; // Blank and FixedKey need no box
    Gate gate;
    int fixedKey = 0; // Qt::Key of a FixedKey row
    Held held = Held::Any;
    const char* captionWords = nullptr; // "restart" for "restart (r)"; none when no caption shows the key
    const char* buttonName = nullptr;   // the buttons (in any window) whose caption shows it
};

// Every key command in dispatch order: the key-code rows (assignable, then
// fixed keys), then the typed-character rows. A keystroke runs every row
// that matches, in this order.
extern const std::array<CommandRow, 66> commandRows;

// One keystroke: its key code and modifiers, and the character it types
// (none when it types none, or when only one of the two is looked at).
struct KeyStroke {
    int key = 0;
    Qt::KeyboardModifiers modifiers;
    std::optional<QChar> typed;
    bool fromMainWindow = false;
};

// Whether the row answers the keystroke, gates aside.
bool rowMatches(const CommandRow& row, const KeyTexts& keys, bool ctrlSelect, const KeyStroke& stroke);
// Whether a matching row ends the keystroke (it goes no further).
bool rowConsumes(const CommandRow& row);
// Whether the row answers a typed character rather than a key code.
bool isTypedRow(const CommandRow& row);
// Whether the key is one of the keyboard's media keys. They type nothing,
// so they are commands also while a box takes text.
bool isMediaKey(int key);

} // namespace keys
