#pragma once

#include "core/input/KeyMatching.h"

#include <QList>
#include <QObject>
#include <functional>

class BookmarkMaking;
class FocusModel;
class KeyAssignments;
class KeyCommands;
class KeyDispatcher;
class QKeyEvent;
class KeyboardView;
class TOptionsForm;

// The program's keyboard, made once every window exists: the command table,
// the main window's key handlers and focus model, and the key assignments.
// It knows the windows only through what the composition root hands it;
// the root also binds each command's operation and makes the other
// command windows' focus models.
class Keyboard : public QObject {
    Q_OBJECT
public:
    struct Windows {
        KeyboardView* main = nullptr;
        QWidget* mainWindow = nullptr;
        TOptionsForm* options = nullptr;
        // Windows besides the main one whose buttons show keys.
        QList<QWidget*> captionWindows;
        // The play-all sequence and the open catalog, read at each keystroke.
        std::function<keys::Gates()> gates;
        // Sets the pop-up hints again, several of which name keys.
        std::function<void()> popUpHints;
    };

    explicit Keyboard(const Windows& windows, QObject* parent = nullptr);

    BookmarkMaking* bookmarkMaking = nullptr;
    KeyCommands* commands = nullptr;
    KeyDispatcher* dispatcher = nullptr;
    KeyAssignments* assignments = nullptr;
    FocusModel* mainFocus = nullptr;
    FocusModel* catalogFocus = nullptr;
    FocusModel* commandLineEntryFocus = nullptr;
    FocusModel* fileInfoFocus = nullptr;

    // The key handler every command window hands its keystrokes to.
    std::function<bool(QObject*, const QKeyEvent*)> keyHandler() const;

    // A click on the add bookmark button: the quick add with Shift held, the
    // normal add otherwise.
    void makeBookmarkButtonMouseDown(Qt::KeyboardModifiers modifiers);

private:
    KeyboardView& m_main;
};
