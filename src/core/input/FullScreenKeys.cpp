#include "core/input/FullScreenKeys.h"

namespace keys {

bool leavesFullScreen(int key)
{
    constexpr int EscapeCharacter = 0x1b;
    return key == Qt::Key_Escape || key == EscapeCharacter;
}

FullScreenKeyRoute routeFullScreenKey(int key, Qt::KeyboardModifiers modifiers, bool skip, const QString& chooseClipKey,
                                      const QString& addBookmarkKey)
{
    FullScreenKeyRoute route;
    if (skip || (key >= Qt::Key_F3 && key <= Qt::Key_F24))
        return route;
    route.keyDown = true;
    if (modifiers & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier))
        return route;
    // Only a key that types a character has one; function, arrow and other
    // keys end with their key-down.
    if (key < 0x20 || key > 0xFF || !QChar(key).isPrint())
        return route;
    // The space too: it plays and pauses, as it does in the window.
    const QChar c = QChar(key).toLower();
    route.character = c;
    route.typed = (QString(c) == chooseClipKey || QString(c) == addBookmarkKey) ? FullScreenKeyRoute::Typed::Beep
                                                                                : FullScreenKeyRoute::Typed::Press;
    return route;
}

} // namespace keys
