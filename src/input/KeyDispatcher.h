#pragma once

#include <QChar>
#include <QObject>

class KeyCommands;
class QKeyEvent;

// The main window's key handlers. Every command window hands its keystrokes
// here, naming itself as the sender: first the key code (FormKeyDown), then,
// unless that consumed the key, the character it types (FormKeyPress).
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
    KeyCommands& m_commands;
    QObject* m_mainWindow;
};
