#include "gui/input/KeyDispatcher.h"

#include "core/input/KeyCommandTable.h"
#include "gui/input/KeyCommands.h"
#include "gui/input/LayoutKey.h"

#include <QKeyEvent>
#include <QPointer>

KeyDispatcher::KeyDispatcher(KeyCommands& commands, QObject* mainWindow, QObject* parent)
    : QObject(parent), m_commands(commands), m_mainWindow(mainWindow)
{
}

// One pass over the command table. Each row reads the keys and gates as the
// commands before it left them. An operation may close the sender's window;
// later rows are told of it only while it exists.
bool KeyDispatcher::dispatch(QObject* sender, const keys::KeyStroke& stroke)
{
    const QPointer<QObject> window(sender);
    bool consumed = false;
    for (const keys::CommandRow& row : keys::commandRows) {
        if (consumed && keys::isTypedRow(row))
            break; // a consumed key types nothing
        if (!keys::rowMatches(row, m_commands.texts(), m_commands.ctrlSelect(), stroke) ||
            !keys::gateOpen(row.gate, m_commands.gates()))
            continue;
        m_commands.run(row.command, window.data());
        consumed = consumed || keys::rowConsumes(row);
    }
    return consumed;
}

void KeyDispatcher::FormKeyPress(QObject* sender, QChar typed)
{
    keys::KeyStroke stroke;
    stroke.typed = typed;
    dispatch(sender, stroke);
}

bool KeyDispatcher::FormKeyDown(QObject* sender, int key, Qt::KeyboardModifiers modifiers)
{
    return dispatch(sender, {key, modifiers, std::nullopt, sender == m_mainWindow});
}

bool KeyDispatcher::keyEvent(QObject* sender, const QKeyEvent* event)
{
    // Shifted keys are matched by the key's unshifted character.
    return dispatch(sender, {LayoutKey::unshiftedKey(*event), event->modifiers(),
                             keys::typedCharacter(event->text(), event->modifiers()), sender == m_mainWindow});
}
