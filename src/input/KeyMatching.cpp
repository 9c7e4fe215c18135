#include "input/KeyMatching.h"

namespace keys {

const std::array<Row, 21> typedCharacterRows{{
    {Command::backseconds, KeyBox::backseconds, Match::FirstCharacter, Gate::Always},
    {Command::forwardseconds, KeyBox::forwardseconds, Match::FirstCharacter, Gate::Always},
    {Command::back1frame, KeyBox::back1frame, Match::FirstCharacter, Gate::Always},
    {Command::forward1frame, KeyBox::forward1frame, Match::FirstCharacter, Gate::Always},
    {Command::slowmotion, KeyBox::slowmotion, Match::FirstCharacter, Gate::Always},
    {Command::regularspeed, KeyBox::regularspeed, Match::FirstCharacter, Gate::Always},
    {Command::fastmotion, KeyBox::fastmotion, Match::FirstCharacter, Gate::Always},
    {Command::playLoop, KeyBox::playLoop, Match::FirstCharacter, Gate::Always},
    {Command::playFullVideo, KeyBox::playFullVideo, Match::FirstCharacter, Gate::Always},
    {Command::viewClip, KeyBox::chooseclip, Match::WholeText, Gate::NotPlayingAll},
    {Command::previousBookmark, KeyBox::previousBookmark, Match::WholeText, Gate::CatalogOpen},
    {Command::currentBookmark, KeyBox::currentBookmark, Match::WholeText, Gate::CatalogOpen},
    {Command::nextBookmark, KeyBox::nextBookmark, Match::WholeText, Gate::CatalogOpen},
    {Command::setStartTime, KeyBox::setStartTime, Match::WholeText, Gate::NotPlayingAll},
    {Command::setEndTime, KeyBox::setEndTime, Match::WholeText, Gate::NotPlayingAll},
    {Command::pasteCommandLine, KeyBox::pastecommandline, Match::WholeText, Gate::NotPlayingAll},
    {Command::playCommandLine, KeyBox::playcommandline, Match::WholeText, Gate::NotPlayingAll},
    {Command::makeBookmark, KeyBox::makebookmark, Match::WholeText, Gate::NotPlayingAll},
    {Command::play, KeyBox::None, Match::Blank, Gate::Always},
    {Command::restart, KeyBox::restart, Match::WholeText, Gate::Always},
    {Command::mute, KeyBox::mute, Match::WholeText, Gate::Always},
}};

const std::array<Row, 6> assignableKeyDownRows{{
    {Command::exit, KeyBox::exit, Match::ExitKeyCode, Gate::Always},
    {Command::forwardminutes, KeyBox::forwardseconds, Match::ShiftKeyCode, Gate::Always},
    {Command::backminutes, KeyBox::backseconds, Match::ShiftKeyCode, Gate::Always},
    {Command::backframes, KeyBox::back1frame, Match::ShiftKeyCode, Gate::Always},
    {Command::forwardframes, KeyBox::forward1frame, Match::ShiftKeyCode, Gate::Always},
    {Command::quickMakeBookmark, KeyBox::makebookmark, Match::ShiftKeyCode, Gate::Always},
}};

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
    for (const Row& row : typedCharacterRows) {
        bool match = false;
        switch (row.match) {
        case Match::FirstCharacter:
            match = matchesFirstCharacter(keyOf(keys, row.box), typed);
            break;
        case Match::WholeText:
            match = matchesWholeText(keyOf(keys, row.box), typed);
            break;
        case Match::Blank:
            match = typed == QLatin1Char(' ');
            break;
        default:
            break;
        }
        if (match && gateOpen(row.gate, gates))
            commands.append(row.command);
    }
    return commands;
}

namespace {

// The keys no box assigns, in table order after the assignable rows.
void fixedKeyDownCommands(const KeyDown& down, const Gates& gates, KeyDownResult& result)
{
    const bool ctrl = down.modifiers.testFlag(Qt::ControlModifier);
    const bool alt = down.modifiers.testFlag(Qt::AltModifier);
    QList<Command>& run = result.commands;
    switch (down.key) {
    case Qt::Key_PageUp:
        if (!gates.playingAll)
            run.append(Command::playPreviousFile);
        break;
    case Qt::Key_PageDown:
        if (!gates.playingAll)
            run.append(Command::playNextFile);
        break;
    case Qt::Key_F1:
        run.append(Command::maximizeToggle);
        break;
    case Qt::Key_F2:
        run.append(Command::fullScreenMode);
        break;
    case Qt::Key_F3:
        run.append(Command::videoWindowToggle);
        break;
    case Qt::Key_F4:
        if (alt && down.fromMainWindow) {
            run.append(Command::exit);
            result.consumed = true;
        }
        if (!alt)
            run.append(Command::bookmarksWindowToggle);
        break;
    case Qt::Key_F5:
        run.append(Command::smallerScreen);
        break;
    case Qt::Key_F6:
        run.append(Command::largerScreen);
        break;
    case Qt::Key_F7:
        run.append(ctrl ? Command::setSmallScreenSize : Command::showSmallScreenSize);
        break;
    case Qt::Key_F8:
        run.append(ctrl ? Command::setLargeScreenSize : Command::showLargeScreenSize);
        break;
    case Qt::Key_Left:
        run.append(Command::arrowLeft);
        break;
    case Qt::Key_Right:
        run.append(Command::arrowRight);
        break;
    default:
        break;
    }
}

} // namespace

KeyDownResult keyDownCommands(const KeyTexts& keys, bool ctrlSelect, const KeyDown& down, const Gates& gates)
{
    KeyDownResult result;
    const bool ctrl = down.modifiers.testFlag(Qt::ControlModifier);
    const bool shift = down.modifiers.testFlag(Qt::ShiftModifier);
    for (const Row& row : assignableKeyDownRows) {
        if (!matchesKeyCode(keyOf(keys, row.box), down.key) || !gateOpen(row.gate, gates))
            continue;
        const bool held = row.match == Match::ExitKeyCode ? ctrl == ctrlSelect : shift;
        if (held)
            result.commands.append(row.command);
    }
    fixedKeyDownCommands(down, gates, result);
    return result;
}

} // namespace keys
