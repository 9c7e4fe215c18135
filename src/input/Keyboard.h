#pragma once

#include <QObject>

struct AppWindows;
class BookmarkMaking;
class FocusModel;
class KeyAssignments;
class KeyCommands;
class KeyDispatcher;
class WindowCommands;

// The program's keyboard, made once every window exists: the command table,
// the main window's key handlers, the focus model of each command window
// and the key assignments.
class Keyboard : public QObject {
    Q_OBJECT
public:
    explicit Keyboard(AppWindows& windows, QObject* parent = nullptr);

    WindowCommands* windowCommands = nullptr;
    BookmarkMaking* bookmarkMaking = nullptr;
    KeyCommands* commands = nullptr;
    KeyDispatcher* dispatcher = nullptr;
    KeyAssignments* assignments = nullptr;
    FocusModel* mainFocus = nullptr;
    FocusModel* catalogFocus = nullptr;
    FocusModel* commandLineEntryFocus = nullptr;
    FocusModel* fileInfoFocus = nullptr;

    // A click on the add bookmark button: the quick add with Shift held, the
    // normal add otherwise.
    void makeBookmarkButtonMouseDown(Qt::KeyboardModifiers modifiers);

private:
    AppWindows& m_windows;
};
