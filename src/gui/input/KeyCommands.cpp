#include "gui/input/KeyCommands.h"

#include <QLineEdit>

using keys::Command;
using keys::KeyBox;

KeyCommands::KeyCommands(const Boxes& boxes, std::function<keys::Gates()> gates, std::function<bool()> ctrlSelect,
                         QObject* parent)
    : QObject(parent), m_boxes(boxes), m_gates(std::move(gates)), m_ctrlSelect(std::move(ctrlSelect))
{
    bind(Command::arrowLeft, [this](QObject*) { m_lastArrow = CatalogView::Arrow::Left; });
    bind(Command::arrowRight, [this](QObject*) { m_lastArrow = CatalogView::Arrow::Right; });
}

void KeyCommands::bind(Command command, Operation operation)
{
    m_operations[static_cast<int>(command)] = std::move(operation);
}

QLineEdit* KeyCommands::box(KeyBox box) const
{
    const int i = static_cast<int>(box);
    return i >= 0 && i < keys::KeyBoxCount ? m_boxes[i] : nullptr;
}

keys::KeyTexts KeyCommands::texts() const
{
    keys::KeyTexts texts;
    for (int i = 0; i < keys::KeyBoxCount; ++i)
        texts[i] = m_boxes[i]->text();
    return texts;
}

void KeyCommands::run(Command command, QObject* sender)
{
    if (const Operation& operation = m_operations[static_cast<int>(command)])
        operation(sender);
    emit commandRan(command);
}
