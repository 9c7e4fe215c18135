#include "input/Keyboard.h"

#include "input/FocusModel.h"
#include "input/KeyAssignments.h"
#include "input/KeyCommands.h"
#include "input/KeyDispatcher.h"
#include "input/KeyForwarding.h"
#include "input/WindowCommands.h"
#include "ui/AppWindows.h"
#include "ui/TMainForm.h"
#include "ui/widgets/TColourButton.h"

#include <QMouseEvent>

Keyboard::Keyboard(AppWindows& windows, QObject* parent) : QObject(parent), m_windows(windows)
{
    windowCommands = new WindowCommands(this);
    bookmarkMaking = new BookmarkMaking(this);
    commands = new KeyCommands(windows, windowCommands, bookmarkMaking, this);
    dispatcher = new KeyDispatcher(*commands, windows.MainForm, this);
    assignments = new KeyAssignments(windows, *commands, this);

    auto handler = [d = dispatcher](QObject* sender, const QKeyEvent* event) { return d->keyEvent(sender, event); };
    auto exitCheck = [a = assignments](QLineEdit* box) { a->keyExitCheck(box); };
    mainFocus = KeyForwarding::mainWindowFocus(windows, handler, exitCheck, this);
    catalogFocus = KeyForwarding::catalogWindowFocus(windows, handler, this);
    commandLineEntryFocus = KeyForwarding::commandLineEntryFocus(windows, handler, this);
    fileInfoFocus = KeyForwarding::fileInfoFocus(windows, handler, this);

    windows.MainForm->makeBookmarkButton->installEventFilter(this);
}

void Keyboard::makeBookmarkButtonMouseDown(Qt::KeyboardModifiers modifiers)
{
    m_windows.MainForm->giveFocusToSink();
    if (modifiers.testFlag(Qt::ShiftModifier))
        bookmarkMaking->QuickMakeBookmarkButtonClick();
    else
        bookmarkMaking->makeBookmarkButtonClick();
}

bool Keyboard::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_windows.MainForm->makeBookmarkButton && event->type() == QEvent::MouseButtonPress) {
        const auto* press = static_cast<QMouseEvent*>(event);
        if (press->button() == Qt::LeftButton)
            makeBookmarkButtonMouseDown(press->modifiers());
    }
    return false;
}
