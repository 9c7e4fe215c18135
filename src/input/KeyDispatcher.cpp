#include "input/KeyDispatcher.h"

#include "input/KeyCommands.h"
#include "input/KeyMatching.h"
#include "input/LayoutKey.h"

#include <QKeyEvent>
#include <QPointer>

KeyDispatcher::KeyDispatcher(KeyCommands& commands, QObject* mainWindow, QObject* parent)
    : QObject(parent), m_commands(commands), m_mainWindow(mainWindow)
{
}

void KeyDispatcher::FormKeyPress(QObject* sender, QChar typed)
{
    // Each command reads the gates as the commands before it left them.
    const keys::KeyTexts texts = m_commands.texts();
    for (const keys::Row& row : keys::typedCharacterRows) {
        const QList<keys::Command> one = keys::typedCommands(texts, typed, m_commands.gates());
        if (one.contains(row.command))
            m_commands.run(row.command, sender);
    }
}

bool KeyDispatcher::FormKeyDown(QObject* sender, int key, Qt::KeyboardModifiers modifiers)
{
    const keys::KeyDown down{key, modifiers, sender == m_mainWindow};
    const keys::KeyDownResult result =
        keys::keyDownCommands(m_commands.texts(), m_commands.ctrlSelect(), down, m_commands.gates());
    for (keys::Command command : result.commands)
        m_commands.run(command, sender);
    return result.consumed;
}

bool KeyDispatcher::keyEvent(QObject* sender, const QKeyEvent* event)
{
    // An operation may close the sender's window; the typed character still
    // goes to the main window's table, as it did before the close.
    QPointer<QObject> guard(sender);
    if (FormKeyDown(sender, LayoutKey::unshiftedKey(*event), event->modifiers()))
        return true;
    if (const std::optional<QChar> typed = keys::typedCharacter(event->text(), event->modifiers()))
        FormKeyPress(guard.data(), *typed);
    return false;
}
