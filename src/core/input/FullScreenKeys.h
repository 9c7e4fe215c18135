#pragma once

#include <QChar>
#include <QString>
#include <Qt>

// How a key that the full-screen player reports reaches the commands. The
// player has the keyboard while it fills the screen and reports each key
// with its key code (a character key's unshifted code) and modifiers.
namespace keys {

struct FullScreenKeyRoute {
    // The key goes to the main window's key-down handler (function keys,
    // Shift and Ctrl commands).
    bool keyDown = false;
    // Then, for a plain character key: nothing, a beep (the keys that would
    // open a dialog over the full-screen picture), or the character to the
    // key-press handler.
    enum class Typed { None, Beep, Press };
    Typed typed = Typed::None;
    QChar character;
};

// Escape, as a key code or as the character it types, leaves full screen in
// the player itself: the windows hear nothing of it.
bool leavesFullScreen(int key);

// `skip` is set for the first key after full screen was entered from the
// keyboard: it is the tail of that keystroke and goes nowhere. F3 to F24 go
// nowhere either.
FullScreenKeyRoute routeFullScreenKey(int key, Qt::KeyboardModifiers modifiers, bool skip, const QString& chooseClipKey,
                                      const QString& addBookmarkKey);

} // namespace keys
