#pragma once

// Puts an entry into a time box place by place, as typing would leave it,
// without moving the focus: "00:_1:05" fills every place but the third.
// Header-only: it needs the GUI library, which only the window tests link.

#include "gui/widgets/TimeBox.h"

#include <QString>

inline void enterShown(TimeBox* box, const QString& shown)
{
    box->setDigitText(QString());
    box->setCursorPosition(0);
    for (QChar c : shown) {
        if (c == u'_')
            box->cursorForward(false, 1);
        else if (c != u':')
            box->insert(QString(c));
    }
}
