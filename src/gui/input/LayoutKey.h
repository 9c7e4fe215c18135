#pragma once

#include <QChar>

class QKeyEvent;

// The key a keystroke was made with, as the key matching compares it: the
// key code of the key's unshifted character in the active keyboard layout.
// Qt reports the shifted symbol for Shift with a non-letter key (Shift+1
// arrives as "!", Shift+. as ">"), which no key box holding "1" or "."
// would match; letters already arrive as their capital.
//
// On X11 the key is looked up in the X server's keymap (the event's native
// key code, the active layout, the first shift level). Elsewhere the shifted
// symbols of the US layout are turned back into their keys.
namespace LayoutKey {

// The key code to match: the event's own key without Shift, else the
// unshifted key's code (a letter's capital, a digit's digit).
int unshiftedKey(const QKeyEvent& event);

// The US layout's unshifted character for a shifted one ('!' -> '1',
// '>' -> '.'); other characters come back as they are.
QChar unshiftedUsCharacter(QChar shifted);

} // namespace LayoutKey
