#include "core/input/KeyMatching.h"

#include "core/input/KeyCommandTable.h"

namespace keys {

bool gateOpen(Gate gate, const Gates& gates)
{
    switch (gate) {
    case Gate::Always:
        return true;
    case Gate::NotPlayingAll:
        return !gates.playingAll;
    case Gate::CatalogOpen:
        return gates.catalogOpen;
    }
    return false;
}

bool matchesFirstCharacter(const QString& box, QChar typed)
{
    return !box.isEmpty() && box.at(0) == typed;
}

bool matchesWholeText(const QString& box, QChar typed)
{
    return box == QString(typed);
}

bool matchesKeyCode(const QString& box, int keyCode)
{
    return !box.isEmpty() && keyCode == static_cast<int>(box.at(0).toUpper().unicode());
}

std::optional<QChar> typedCharacter(const QString& text, Qt::KeyboardModifiers modifiers)
{
    const bool ctrl = modifiers.testFlag(Qt::ControlModifier);
    const bool alt = modifiers.testFlag(Qt::AltModifier);
    if (ctrl != alt)
        return std::nullopt;
    if (text.size() != 1 || !text.at(0).isPrint())
        return std::nullopt;
    return text.at(0);
}

QList<Command> typedCommands(const KeyTexts& keys, QChar typed, const Gates& gates)
{
    QList<Command> commands;
    KeyStroke stroke;
    stroke.typed = typed;
    for (const CommandRow& row : commandRows) {
        if (rowMatches(row, keys, false, stroke) && gateOpen(row.gate, gates))
            commands.append(row.command);
    }
    return commands;
}

KeyDownResult keyDownCommands(const KeyTexts& keys, bool ctrlSelect, const KeyDown& down, const Gates& gates)
{
    KeyDownResult result;
    const KeyStroke stroke{down.key, down.modifiers, std::nullopt, down.fromMainWindow};
    for (const CommandRow& row : commandRows) {
        if (!rowMatches(row, keys, ctrlSelect, stroke) || !gateOpen(row.gate, gates))
            continue;
        result.commands.append(row.command);
        result.consumed = result.consumed || rowConsumes(row);
    }
    return result;
}

} // namespace keys
