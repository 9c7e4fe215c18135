#pragma once

#include <QChar>
#include <QObject>

class KeyCommands;
class QKeyEvent;
namespace keys {
struct KeyStroke;
}

// The main window's key handlers. Every command window hands its keystrokes
// here, naming itself as the sender. One pass over the command table runs
// every command the keystroke starts: those of its key code (FormKeyDown),
// then, unless one of them consumed the key, those of the character it
// types (FormKeyPress).
class KeyDispatcher : public QObject {
    Q_OBJECT
public:
    KeyDispatcher(KeyCommands& commands, QObject* mainWindow, QObject* parent = nullptr);

    // Runs every command of the typed-character table that matches. The
    // character is never consumed.
    void FormKeyPress(QObject* sender, QChar typed);
    // Runs every command of the key-code table that matches; true when the
    // key is consumed.
    bool FormKeyDown(QObject* sender, int key, Qt::KeyboardModifiers modifiers);
    // Both handlers for one key event; true when the key is consumed.
    bool keyEvent(QObject* sender, const QKeyEvent* event);

private:
    bool dispatch(QObject* sender, const keys::KeyStroke& stroke);

    KeyCommands& m_commands;
    QObject* m_mainWindow;
};
