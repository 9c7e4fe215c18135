#pragma once

#include <QApplication>
#include <QColor>
#include <QPalette>

// Colours of the program's buttons. Stored colours are whole numbers with
// blue in the high byte and red in the low byte (7123716 is red 4, green 179,
// blue 108).
namespace Colours {

inline QColor fromStored(quint32 value)
{
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

inline QColor buttonFace()
{
    return QApplication::palette().color(QPalette::Button);
}
inline QColor buttonShadow()
{
    return QApplication::palette().color(QPalette::Dark);
}
inline QColor buttonHighlight()
{
    return QApplication::palette().color(QPalette::Light);
}

// Marks of the active speed button and of the loop indicator.
inline QColor marked()
{
    return fromStored(7123716);
}

} // namespace Colours
